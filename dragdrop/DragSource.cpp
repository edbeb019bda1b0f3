#include "DragSource.h"

#include "DragPayload.h"
#include "KeyboardDrag.h"
#include "QtVersion.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

#ifdef Q_OS_WIN
// Qt's drag loop on Windows hands the drag to the system only at the
// pointer's next move and reads no release before it: a click without a
// move would leave the drag waiting, to be dropped wherever a later press
// lands. A move posted now, with the button held, makes the system take the
// drag at once, under the press; a release there drops the piece on itself,
// which takes nothing. A finger's drag is handed over by Qt from the
// finger's own moves.
void handOverAtOnce(const QMouseEvent *press)
{
    if (!QtVersion::isFromMouse(press))
        return;
    const HWND focus = ::GetFocus();
    POINT at{};
    ::GetCursorPos(&at);
    if (focus)
        ::ScreenToClient(focus, &at);
    ::PostMessageW(focus, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
}
#else
// Elsewhere the drag loop reads the release that ends a click.
void handOverAtOnce(const QMouseEvent *) {}
#endif

} // namespace

DragSource::DragSource(QWidget *piece, bool on)
    : QObject(piece)
    , m_piece(piece)
    , m_on(on)
{
    piece->installEventFilter(this);
}

bool DragSource::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_piece || !m_on)
        return false;
    // The second press of a double click picks the piece up too: a pupil
    // who lets go and presses again at once still drags it.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() != Qt::LeftButton)
            return false;
        startDrag(press);
        return true;
    }
    if (event->type() == QEvent::KeyPress && KeyboardDrag::isEnter(static_cast<QKeyEvent *>(event))) {
        event->accept();
        KeyboardDrag::of(m_piece->window())->pickUp(m_piece);
        return true;
    }
    return false;
}

void DragSource::startDrag(const QMouseEvent *press)
{
    auto *drag = new QDrag(m_piece);
    drag->setMimeData(DragPayload::mimeFor(m_piece));
    // A faint copy of the control under the pointer; the control itself stays put.
    const QPixmap picture = m_piece->grab();
    if (!picture.isNull()) {
        QPixmap faded(picture.size());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.6);
        painter.drawPixmap(0, 0, picture);
        painter.end();
        drag->setPixmap(faded);
        drag->setHotSpot(QPoint(picture.width() / 2, picture.height() / 2));
    }
    handOverAtOnce(press);
    drag->exec(Qt::MoveAction | Qt::CopyAction);
}
