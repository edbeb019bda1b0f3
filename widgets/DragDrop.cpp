#include "DragDrop.h"

#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace DragDrop {

const QString mimeType = QStringLiteral("application/x-zartex-component");

QMimeData *mimeFor(const QWidget *control)
{
    auto *mime = new QMimeData;
    mime->setData(mimeType, control->objectName().toUtf8());
    return mime;
}

void startAutomaticDrag(QWidget *control)
{
    auto *drag = new QDrag(control);
    drag->setMimeData(mimeFor(control));
    // A faint copy of the control under the pointer; the control itself stays put.
    QPixmap picture = control->grab();
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
    drag->exec(Qt::MoveAction | Qt::CopyAction);
}

QObject *sourceOf(const QWidget *target, const QMimeData *mime, const QObject *eventSource)
{
    if (!target || !mime || !mime->hasFormat(mimeType))
        return nullptr;
    const QString name = QString::fromUtf8(mime->data(mimeType));
    if (name.isEmpty())
        return nullptr;
    QWidget *control = target->window()->findChild<QWidget *>(name);
    if (eventSource && eventSource != control)
        return nullptr;
    return control;
}

} // namespace DragDrop
