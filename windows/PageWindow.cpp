#include "PageWindow.h"

#include "ActivationTracker.h"
#include "WindowDesign.h"

PageWindow::PageWindow(QWidget *parent)
    : QWidget(parent)
{
}

void PageWindow::followActivation(const ActivationTracker &tracker)
{
    connect(&tracker, &ActivationTracker::activated, this, [this](QWidget *window) {
        if (window == this)
            emit activated();
    });
}

void PageWindow::finishDesign()
{
    WindowDesign::apply(this);
}

void PageWindow::finish()
{
    close();
    emit completed();
}

void PageWindow::resizeEvent(QResizeEvent *event)
{
    WindowDesign::alignPanels(this);
    QWidget::resizeEvent(event);
}
