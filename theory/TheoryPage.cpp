#include "TheoryPage.h"

#include <QPushButton>

TheoryPage::TheoryPage(Design design, QWidget *parent)
    : PageWindow(parent)
{
    QPushButton *done = design(this);
    finishDesign(done);
    connect(done, &QPushButton::clicked, this, &TheoryPage::finish);
}
