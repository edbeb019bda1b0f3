#include "Application.h"
#include "Registry.h"
#include "UnitGlav.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Application::init(app);
    Registry::createForms();
    Form1->show();
    const int result = app.exec();
    Registry::destroyForms();
    return result;
}
