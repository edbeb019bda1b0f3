#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "MessageBox.h"
#include "Pages.h"
#include "ProgramWindows.h"

class QAction;
class QWidget;

// What the GUI tests share: every window built as the program builds it,
// and ways to click, type, choose menu entries, answer message boxes and
// drop a dragged control onto the widget under a point.
namespace Harness {

// Installs a message handler that ends the test run on any warning about a
// connection that could not be made.
void failOnBrokenConnections();

// Creates every window and shows the main form without the splash.
// The test owns them; letting go of them ends the program.
std::unique_ptr<ProgramWindows> startProgram();
// The same, with nothing shown yet.
std::unique_ptr<ProgramWindows> createProgram(ProgramWindows::Splash splash);
// Destroys the windows and lets their last events pass.
void stopProgram(std::unique_ptr<ProgramWindows> &program);

// The pages whose windows are a `Window`: what a test's table must cover.
template <typename Window>
QStringList pagesOf(const ProgramWindows &program)
{
    QStringList found;
    for (const PageEntry &page : pages()) {
        if (program.page<Window>(page.pageName()))
            found << page.pageName();
    }
    return found;
}

void click(QWidget *button);
// Types `text` key by key into `widget`, as the learner would.
void type(QWidget *widget, const QString &text);
// Triggers the main form's menu entry named `entry` ("cosineLawAction"...).
void chooseMenu(const ProgramWindows &program, const char *entry);
QAction *menuEntry(const ProgramWindows &program, const char *entry);

// Sends a drag of `source` to the widget under `point` (in `form`
// coordinates): the topmost visible widget there, or its nearest ancestor
// that takes drops, as a real drop finds it. Returns whether it was accepted.
bool dropAt(QWidget *form, QWidget *source, QPoint point);
// Drops `source` onto the centre of `target`.
bool dropOn(QWidget *target, QWidget *source);

// Handed to the program's forms, it collects the texts of the message
// boxes they show while it lives; the boxes are answered at once. `onShow`
// runs while the box would be on screen.
class MessageSpy : public MessageBox
{
public:
    explicit MessageSpy(ProgramWindows &program);
    ~MessageSpy() override;
    void show(const QString &text) override;
    QStringList texts;
    std::function<void(const QString &)> onShow;

private:
    ProgramWindows &m_program;
};

// Closes the next real modal message box once it is up, and hands its
// caption and text to the caller (both empty if none appeared in time).
struct SeenBox
{
    QString caption;
    QString text;
};
void closeNextModalBox(SeenBox *seen);

} // namespace Harness
