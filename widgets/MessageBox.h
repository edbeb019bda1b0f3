#pragma once

#include <QString>
#include <functional>

// The plain message box of every form: the text, no icon, one OK button,
// centred on the screen, with the program's title as caption.
namespace MessageBox {

// Shows `text` modally and returns when the learner has closed the box.
void show(const QString &text);

// The caption: the program file's name without its directory and without
// everything from its first dot on ("/opt/x/zartex.bin" gives "zartex").
QString titleFromProgramPath(const QString &programPath);
QString title();

// Test seam: while set, show() hands the text to the hook instead of opening
// a window, and returns when the hook returns.
using Hook = std::function<void(const QString &text)>;
void setHook(Hook hook);

} // namespace MessageBox
