#include "Application.h"

#include "JpegLoader.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPixmap>

static void initResources()
{
    // The pictures are linked in from a static library.
    Q_INIT_RESOURCE(assets);
}

namespace Application {

void init(QApplication &app)
{
    initResources();
    // The forms were designed for an 11-pixel sans serif; Liberation Sans
    // is metric-compatible with the Windows sans serif fonts.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    const LoadedPicture icon = JpegLoader::load(QStringLiteral(":/assets/icon.jpg"));
    if (icon.ok())
        app.setWindowIcon(QIcon(QPixmap::fromImage(icon.image)));
    // Only closing the main form ends the program.
    app.setQuitOnLastWindowClosed(false);
}

} // namespace Application
