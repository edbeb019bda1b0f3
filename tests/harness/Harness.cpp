#include "Harness.h"

#include "Application.h"
#include "MessageBox.h"
#include "MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include "DragPayload.h"

#include <cstdio>
#include <cstdlib>

namespace Harness {

namespace {

QtMessageHandler previousHandler = nullptr;

void strictHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("No such slot")) || message.contains(QLatin1String("No such signal"))
        || message.contains(QLatin1String("QObject::connect"))) {
        std::fprintf(stderr, "FAIL! broken connection: %s\n", qPrintable(message));
        std::abort();
    }
    // offscreen's harmless complaint about every top-level window
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

void failOnBrokenConnections()
{
    previousHandler = qInstallMessageHandler(strictHandler);
}

std::unique_ptr<ProgramWindows> createProgram(ProgramWindows::Splash splash)
{
    static bool initialised = false;
    if (!initialised) {
        failOnBrokenConnections();
        Application::init(*qApp);
        initialised = true;
    }
    return std::make_unique<ProgramWindows>(splash);
}

std::unique_ptr<ProgramWindows> startProgram()
{
    auto program = createProgram(ProgramWindows::Splash::Skipped);
    program->mainWindow()->show();
    if (!QTest::qWaitForWindowExposed(program->mainWindow()))
        qWarning("main form not exposed");
    return program;
}

void stopProgram(std::unique_ptr<ProgramWindows> &program)
{
    program.reset();
    QCoreApplication::processEvents();
}

void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void type(QWidget *widget, const QString &text)
{
    // QTest only knows the keys of ASCII characters; any other character
    // (Cyrillic, emoji) arrives as a key event carrying just its text, as
    // an input method or a national keyboard layout delivers it.
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        const int length = (c.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString typed = text.mid(i, length);
        i += length - 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, typed);
        QApplication::sendEvent(widget, &release);
    }
}

QAction *menuEntry(const ProgramWindows &program, const char *entry)
{
    return program.mainWindow()->findChild<QAction *>(QLatin1String(entry));
}

void chooseMenu(const ProgramWindows &program, const char *entry)
{
    if (QAction *action = menuEntry(program, entry))
        action->trigger();
}

bool dropAt(QWidget *form, QWidget *source, QPoint point)
{
    QWidget *target = form->childAt(point);
    if (!target)
        target = form;
    while (target && !target->isWindow() && !target->acceptDrops())
        target = target->parentWidget();
    if (!target || !target->acceptDrops())
        return false;
    const QPoint local = target->mapFrom(form, point);
    std::unique_ptr<QMimeData> mime(DragPayload::mimeFor(source));
    const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
    QDragEnterEvent enter(local, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(local, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(local, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

bool dropOn(QWidget *target, QWidget *source)
{
    QWidget *form = target->window();
    return dropAt(form, source, target->mapTo(form, target->rect().center()));
}

MessageSpy::MessageSpy(ProgramWindows &program)
    : m_program(program)
{
    m_program.setMessageBox(this);
}

MessageSpy::~MessageSpy()
{
    m_program.setMessageBox(nullptr);
}

void MessageSpy::show(const QString &text)
{
    texts.append(text);
    if (onShow)
        onShow(text);
}

void closeNextModalBox(SeenBox *seen)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, seen, attempts = 0]() mutable {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box && ++attempts <= 200)
            return;
        if (box) {
            seen->caption = box->windowTitle();
            seen->text = box->text();
            box->button(QMessageBox::Ok)->click();
        }
        poll->stop();
        poll->deleteLater();
    });
    poll->start(10);
}

} // namespace Harness
