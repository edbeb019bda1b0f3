#pragma once

#include <QObject>

class QMouseEvent;
class QWidget;

// Makes a control a piece that the pupil picks up: a press of the left
// mouse button or of a finger on it starts dragging it at once, and Enter
// picks it up for a keyboard drop (see KeyboardDrag). The drag carries the
// piece's key (DragPayload); its outcome is not used, as the drop target
// does all the work. Switched off, the control gets its presses and keys as
// any other. Lives as long as the control.
class DragSource : public QObject
{
    Q_OBJECT

public:
    DragSource(QWidget *piece, bool on);

    bool isOn() const { return m_on; }
    void setOn(bool on) { m_on = on; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startDrag(const QMouseEvent *press);

    QWidget *m_piece;
    bool m_on;
};
