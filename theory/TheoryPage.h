#pragma once

#include "PageWindow.h"

class QPushButton;

// A theory or reference page: text and pictures to read, and an "ОК" that
// confirms it. The pages differ only in their design.
class TheoryPage : public PageWindow
{
    Q_OBJECT

public:
    // Builds a page's widgets on `page` and returns its "ОК" button.
    using Design = QPushButton *(*)(QWidget *page);

    explicit TheoryPage(Design design, QWidget *parent = nullptr);
};
