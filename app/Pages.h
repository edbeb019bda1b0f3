#pragma once

#include "Page.h"

#include <vector>

class PageWindow;

// The one list of the pages: what window each is, and which controls of
// the main form open it and mark it done. Adding an exercise means its
// class, its .ui, one entry here, and its button, menu entry and mark in
// the main form's .ui.
struct PageEntry
{
    Page page;
    // The main form's controls for the page are named after this:
    // "task10" has task10Button, task10Action and task10Mark.
    const char *mainFormName;
    PageWindow *(*create)();
};

// In the order the windows are created.
const std::vector<PageEntry> &pages();
