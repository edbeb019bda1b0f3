#pragma once

#include <QAccessible>
#include <QString>

class QWidget;

// What a screen reader meets beyond the widgets' own names.
namespace ScreenReader {

// Lets the roles given by setRole() reach screen readers, and describes the
// application by `programFile`, the program's own. Called once, at start-up,
// before any window is made.
void installRoles(const QString &programFile);

// Gives `widget` the role a screen reader hears it by, for the classes
// whose role Qt does not know: a form is a window named by its title, a
// button panel a grouping (not a window of its own in which the focused
// button would be lost), a picture a graphic. The class that owns the
// role calls it from its constructor.
void setRole(QWidget *widget, QAccessible::Role role);

// Says `text` once, in the window of `widget`: a notification that takes
// neither the focus nor any room on the form. Qt has no announcement of its
// own here, and a name change reaches Orca as an object, not as text. Texts
// announced before the program next waits for input are said together.
void announce(QWidget *widget, const QString &text);

// What the window says next, or else what it said last; empty when it has
// said nothing.
QString lastAnnouncement(const QWidget *window);

} // namespace ScreenReader
