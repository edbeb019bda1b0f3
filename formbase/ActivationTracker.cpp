#include "ActivationTracker.h"

#include "QtVersion.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

ActivationTracker::ActivationTracker(QObject *parent)
    : QObject(parent)
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &ActivationTracker::onFocusWindowChanged);
}

void ActivationTracker::track(QWidget *window)
{
    m_windows.append(window);
    window->installEventFilter(this);
}

bool ActivationTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched == m_active) {
        m_active = nullptr;
    } else if (QtVersion::keepsFocusOnHiddenWindows && event->type() == QEvent::Show) {
        // A hidden window that kept the focus changes no focus when it is
        // shown again: it is the active window again all the same.
        QWindow *shown = static_cast<QWidget *>(watched)->windowHandle();
        if (shown && shown == QGuiApplication::focusWindow())
            onFocusWindowChanged(shown);
    }
    return QObject::eventFilter(watched, event);
}

QWidget *ActivationTracker::trackedWindowOf(QWindow *window) const
{
    if (!window)
        return nullptr;
    for (const QPointer<QWidget> &tracked : m_windows) {
        if (tracked && tracked->windowHandle() == window)
            return tracked;
    }
    return nullptr;
}

void ActivationTracker::onFocusWindowChanged(QWindow *window)
{
    QWidget *tracked = trackedWindowOf(window);
    // Another program, a message box or a drag window: the active window stays.
    if (!tracked || tracked == m_active || !tracked->isVisible())
        return;
    m_active = tracked;
    emit activated(tracked);
}
