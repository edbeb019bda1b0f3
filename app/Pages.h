#pragma once

#include <QString>

#include <vector>

class PageWindow;

// What a page is, which says what the main form offers for it.
enum class PageKind {
    Theory,    // a button with its completion mark, and a menu entry
    Reference, // the same; the exercises' "Справка" opens it too
    Exercise,  // the same
    About,     // a menu entry only: no button, never marked done
};

// The one list of the pages. A page is declared here and nowhere else: its
// name, what it is and how its window is made. The main form has a control
// for it named after it: "cosineLaw" has cosineLawButton, cosineLawMark and
// cosineLawAction (see MainWindow).
struct PageEntry
{
    const char *name;
    PageKind kind;
    PageWindow *(*create)();

    QString pageName() const { return QString::fromLatin1(name); }
};

// In the order the windows are created.
const std::vector<PageEntry> &pages();
