#include "Application.h"

#include "JpegLoader.h"
#include "ProgramFile.h"
#include "QtVersion.h"
#include "ScreenReader.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QPixmap>
#include <QTranslator>

static const char designFamily[] = "Liberation Sans";

static void initResources()
{
    // The pictures and fonts are linked in from a static library.
    Q_INIT_RESOURCE(assets);
    Q_INIT_RESOURCE(fonts);
    Q_INIT_RESOURCE(formstyles);
}


// Qt's own texts (the edit boxes' context menus, dialog buttons) in
// Russian, whatever the user's locale: the program has no other language.
// Linux has them where Qt is installed; the Windows package carries them
// in a folder beside the program.
static void loadQtTranslation(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    const QString folders[] = {
        QtVersion::translationsPath(),
        QDir(ProgramFile::folder()).filePath(QStringLiteral("translations")),
    };
    for (const QString &folder : folders) {
        if (translator->load(QStringLiteral("qtbase_ru"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}

// Every text of the forms was fitted to Liberation Sans's widths. Where
// the desktop lacks it (Windows, a bare Linux), the program's own copy is
// used; the few texts set in Arial, its metric twin, follow it there.
static void ensureDesignFont()
{
    const QStringList families = QtVersion::fontFamilies();
    if (!families.contains(QLatin1String(designFamily))) {
        for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}) {
            if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) < 0)
                qWarning("The program's font %s could not be loaded", file);
        }
    }
    if (!families.contains(QStringLiteral("Arial")))
        QFont::insertSubstitution(QStringLiteral("Arial"), QLatin1String(designFamily));
}

namespace Application {

void init(QApplication &app)
{
    initResources();
    // The desktop and a screen reader know the program by this name, the
    // one its message boxes carry.
    QCoreApplication::setApplicationName(ProgramFile::name());
    loadQtTranslation(app);
    ensureDesignFont();
    ScreenReader::installRoles(ProgramFile::path());
    // Menus and tooltips keep the desktop's font. Setting the application
    // font below forgets the per-class fonts, so they are put back after it.
    const QFont menuFont = QApplication::font("QMenu");
    const QFont tooltipFont = QApplication::font("QTipLabel");
    // The forms were designed for an 11-pixel sans serif; Liberation Sans
    // is metric-compatible with the Windows sans serif fonts.
    QFont font{QLatin1String(designFamily)};
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
