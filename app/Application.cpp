#include "Application.h"

#include "JpegLoader.h"
#include "ScreenReader.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTranslator>

static void initResources()
{
    // The pictures are linked in from a static library.
    Q_INIT_RESOURCE(assets);
}

// Qt's own texts (the edit boxes' context menus, dialog buttons) in
// Russian, whatever the user's locale: the program has no other language.
static void loadQtTranslation(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

namespace Application {

void init(QApplication &app)
{
    initResources();
    loadQtTranslation(app);
    ScreenReader::installRoles();
    // Menus and tooltips keep the desktop's font. Setting the application
    // font below forgets the per-class fonts, so they are put back after it.
    const QFont menuFont = QApplication::font("QMenu");
    const QFont tooltipFont = QApplication::font("QTipLabel");
    // The forms were designed for an 11-pixel sans serif; Liberation Sans
    // is metric-compatible with the Windows sans serif fonts.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    QApplication::setFont(menuFont, "QMenu");
    QApplication::setFont(tooltipFont, "QTipLabel");
    const LoadedPicture icon = JpegLoader::load(QStringLiteral(":/assets/icon.jpg"));
    if (icon.ok())
        app.setWindowIcon(QIcon(QPixmap::fromImage(icon.image)));
    // Only closing the main form ends the program.
    app.setQuitOnLastWindowClosed(false);
}

} // namespace Application
