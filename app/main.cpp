#include "Application.h"
#include "Registry.h"
#include "MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Application::init(app);
    Registry::createForms();
    mainWindow->show();
    const int result = app.exec();
    Registry::destroyForms();
    return result;
}
