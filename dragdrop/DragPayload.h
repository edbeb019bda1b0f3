#pragma once

#include <QString>

#include <optional>

class QMimeData;
class QWidget;

// What a drag between the controls of one form carries: the dragged piece's
// key, which its board gave it, and the form it was picked up on. The
// payload travels in a MIME type of our own, so a drop is judged the same
// wherever the platform gives the drop event no source (offscreen, or
// another process).
namespace DragPayload {

extern const QString mimeType;

// A piece's key; a control that no board gave a key carries noKey, and
// every board refuses or judges it as showing nothing.
constexpr int noKey = -1;
void setKey(QWidget *piece, int key);
int keyOf(const QWidget *piece);

// Fresh MIME data for a drag of `piece`.
QMimeData *mimeFor(const QWidget *piece);

// The key a drag with `mime` carries onto `target`: empty for a drag that
// is not ours or that was picked up on another form.
std::optional<int> keyDroppedOn(const QWidget *target, const QMimeData *mime);

} // namespace DragPayload
