#include "Application.h"
#include "DesktopScale.h"
#include "MainWindow.h"
#include "ProgramWindows.h"
#include "QtOnlyEnvironment.h"
#include "QtVersion.h"

#include <QApplication>
#include <QByteArray>

#include <cstring>
#include <memory>

// The forms stand at designed places on the screen, and a Wayland
// compositor does not let a client choose where its windows go. So where an
// X server is reachable (XWayland in a Wayland session), the program runs
// through it; the list falls back to Wayland where no X server answers. A
// platform that the user or a test chose is left alone. Windows has one
// platform of its own (and under Wine, DISPLAY is set for Wine itself).
static void preferX11([[maybe_unused]] int argc, [[maybe_unused]] char *argv[],
                      [[maybe_unused]] QtOnlyEnvironment &environment)
{
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return;
    }
    environment.set("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
#endif
}

int main(int argc, char *argv[])
{
    QtOnlyEnvironment forQt;
    preferX11(argc, argv, forQt);
    QtVersion::followDesktopScale();
    if constexpr (QtVersion::guessesScaleFromScreenSize)
        DesktopScale::holdUnannouncedScale(forQt);
    QApplication app(argc, argv);
    forQt.restore();
    Application::init(app);
    std::unique_ptr<ProgramWindows> windows;
    try {
        windows = std::make_unique<ProgramWindows>();
    } catch (const MainWindow::MissingControl &fault) {
        // A form that does not match the list of pages is a build fault:
        // say which control is missing rather than show a form that lies.
        qCritical("%s", fault.what());
        return 1;
    }
    windows->mainWindow()->show();
    return app.exec();
}
