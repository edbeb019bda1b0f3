#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>
#include <QWidget>

class QWindow;

// The program's "window activation" event. It follows the application's
// focus window and fires when a tracked window becomes the program's active
// window. Returning from another program, or from one of the window's own
// message boxes, leaves the active window unchanged and fires nothing. A
// hidden window stops being the active one, so showing it again fires once
// more. The owner of the windows makes one and tracks every window it makes.
class ActivationTracker : public QObject
{
    Q_OBJECT

public:
    explicit ActivationTracker(QObject *parent = nullptr);

    // Follows `window` until it is destroyed.
    void track(QWidget *window);

    QWidget *activeWindow() const { return m_active; }

signals:
    void activated(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onFocusWindowChanged(QWindow *window);
    QWidget *trackedWindowOf(QWindow *window) const;

    QVector<QPointer<QWidget>> m_windows;
    QPointer<QWidget> m_active;
};
