#include "Application.h"
#include "MainWindow.h"
#include "ProgramWindows.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Application::init(app);
    ProgramWindows windows;
    windows.mainWindow()->show();
    return app.exec();
}
