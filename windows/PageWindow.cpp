#include "PageWindow.h"

#include "ActivationTracker.h"
#include "ScreenReader.h"
#include "WindowDesign.h"

#include <QAbstractButton>
#include <QEvent>

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
    // A completion button that appears on an open window is the result of
    // the pupil's work; one there from the start (a theory page's) is not.
    if (auto *done = findChild<QAbstractButton *>(QStringLiteral("doneButton")))
        done->installEventFilter(this);
}

bool PageWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Qt shows the children of a window before the window's own show event.
    if (event->type() == QEvent::Show && m_onScreen) {
        const QString text = static_cast<QAbstractButton *>(watched)->text().remove(QLatin1Char('&'));
        ScreenReader::announce(this, QStringLiteral("Задание выполнено, появилась кнопка «%1».").arg(text));
    }
    return QWidget::eventFilter(watched, event);
}

void PageWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_onScreen = true;
}

void PageWindow::hideEvent(QHideEvent *event)
{
    m_onScreen = false;
    QWidget::hideEvent(event);
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
