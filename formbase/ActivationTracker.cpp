#include "ActivationTracker.h"

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
    if (event->type() == QEvent::Hide && watched == m_active)
        m_active = nullptr;
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
