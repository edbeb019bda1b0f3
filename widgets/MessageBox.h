#pragma once

#include <QString>

// The plain message box of every form: the text, no icon, one OK button,
// centred on the screen, captioned with the program file's name
// (ProgramFile::name). The program shows the real box; a test hands the
// forms a box of its own that reads the text instead (see
// PageWindow::setMessageBox).
class MessageBox
{
public:
    MessageBox() = default;
    MessageBox(const MessageBox &) = delete;
    MessageBox &operator=(const MessageBox &) = delete;
    virtual ~MessageBox() = default;

    // Shows `text` modally and returns when the pupil has closed the box.
    virtual void show(const QString &text);
};
