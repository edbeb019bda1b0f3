#include "PageWindow.h"

#include "ActivationTracker.h"
#include "MessageBox.h"
#include "ScreenReader.h"
#include "WindowDesign.h"

#include <QAbstractButton>
#include <QEvent>

PageWindow::PageWindow(QWidget *parent)
    : QWidget(parent)
{
    // Heard as a window named by its title, as the main form is.
    ScreenReader::setRole(this, QAccessible::Window);
}

void PageWindow::followActivation(const ActivationTracker &tracker)
{
    connect(&tracker, &ActivationTracker::activated, this, [this](QWidget *window) {
        if (window == this)
            emit activated();
    });
}

void PageWindow::finishDesign(QAbstractButton *doneButton)
{
    WindowDesign::apply(this);
    m_doneButton = doneButton;
    if (doneButton)
        doneButton->installEventFilter(this);
}

void PageWindow::showMessage(const QString &text)
{
    if (m_messageBox) {
        m_messageBox->show(text);
        return;
    }
    MessageBox onScreen;
    onScreen.show(text);
}

bool PageWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Qt shows the children of a window before the window's own show event.
    if (watched == m_doneButton && event->type() == QEvent::Show && m_onScreen) {
        const QString text = m_doneButton->text().remove(QLatin1Char('&'));
        ScreenReader::announce(this, tr("Задание выполнено, появилась кнопка «%1».").arg(text));
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
