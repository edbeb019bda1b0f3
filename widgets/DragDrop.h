#pragma once

#include <QString>

class QMimeData;
class QMouseEvent;
class QObject;
class QWidget;

// Drag-and-drop between the controls of one form. The dragged control travels
// by name in a MIME type of our own, so a drop finds its source even where the
// platform gives the drop event no source (offscreen, or another process).
namespace DragDrop {

extern const QString mimeType;

// Starts the drag of `control` at once, as a control in automatic drag mode
// does on a mouse press. The outcome of the drag is not used: the drop
// target's handler does all the work.
void startAutomaticDrag(QWidget *control);

// The control of `target`'s form that a drag with `mime` carries, or nullptr.
// `eventSource` is the drop event's source(): when the platform knows it, it
// must be that same control; a control of another form never counts.
QObject *sourceOf(const QWidget *target, const QMimeData *mime, const QObject *eventSource);

// Fresh MIME data naming `control`, as a drag of it carries.
QMimeData *mimeFor(const QWidget *control);

} // namespace DragDrop
