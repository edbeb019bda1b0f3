#include "DragPayload.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QVariant>
#include <QWidget>

namespace DragPayload {

const QString mimeType = QStringLiteral("application/x-zartex-piece");

namespace {

const char *const keyProperty = "dragKey";

// Forms are told apart by their address: compared, never followed.
quint64 formId(const QWidget *control)
{
    return quint64(reinterpret_cast<quintptr>(control->window()));
}

} // namespace

void setKey(QWidget *piece, int key)
{
    piece->setProperty(keyProperty, key);
}

int keyOf(const QWidget *piece)
{
    bool ok = false;
    const int key = piece->property(keyProperty).toInt(&ok);
    return ok ? key : noKey;
}

QMimeData *mimeFor(const QWidget *piece)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << formId(piece) << qint32(keyOf(piece));
    auto *mime = new QMimeData;
    mime->setData(mimeType, bytes);
    return mime;
}

std::optional<int> keyDroppedOn(const QWidget *target, const QMimeData *mime)
{
    if (!target || !mime || !mime->hasFormat(mimeType))
        return std::nullopt;
    QDataStream in(mime->data(mimeType));
    quint64 form = 0;
    qint32 key = noKey;
    in >> form >> key;
    if (in.status() != QDataStream::Ok || form != formId(target))
        return std::nullopt;
    return key;
}

} // namespace DragPayload
