#include "DropTarget.h"

#include "DragPayload.h"
#include "KeyboardDrag.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QWidget>

DropTarget::DropTarget(QWidget *control, KeyFilter accepts)
    : QObject(control)
    , m_control(control)
    , m_accepts(std::move(accepts))
{
    control->setAcceptDrops(true);
    control->installEventFilter(this);
}

bool DropTarget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_control)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const std::optional<int> key = DragPayload::keyDroppedOn(m_control, drop->mimeData());
        if (!key || !m_accepts(*key)) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop)
            emit dropped(*key);
        return true;
    }
    case QEvent::KeyPress:
        return KeyboardDrag::isEnter(static_cast<QKeyEvent *>(event)) && dropByKeyboard();
    default:
        return false;
    }
}

// The same drop as the mouse's: only a piece of this form that the filter
// accepts; a refused piece stays in hand.
bool DropTarget::dropByKeyboard()
{
    KeyboardDrag *drag = KeyboardDrag::of(m_control->window());
    QWidget *piece = drag->held();
    if (!piece || piece->window() != m_control->window() || !m_accepts(DragPayload::keyOf(piece))) {
        drag->refuseDrop();
        return true;
    }
    drag->putDown();
    emit dropped(DragPayload::keyOf(piece));
    return true;
}
