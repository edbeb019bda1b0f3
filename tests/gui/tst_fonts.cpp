// The forms' font on a desktop that has none of its own: CTest runs this
// program with a font configuration that lists no fonts at all, as on a
// bare system or on Windows, where Liberation Sans is not installed.

#include "Harness.h"

#include "MainWindow.h"
#include "QtVersion.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

using namespace Harness;

class FontTest : public QObject
{
    Q_OBJECT

private slots:
    void formsKeepTheirFontOnABareDesktop();
};

void FontTest::formsKeepTheirFontOnABareDesktop()
{
    const QString design = QStringLiteral("Liberation Sans");
    QVERIFY2(!QtVersion::fontFamilies().contains(design), "the desktop should lack the font for this test");

    std::unique_ptr<ProgramWindows> program = startProgram();
    auto *button = program->mainWindow()->findChild<QPushButton *>(QStringLiteral("flowchartElementsButton"));
    QVERIFY(button);
    // Every form's text, regular and bold, and those set in Arial.
    QFont bold = button->font();
    bold.setBold(true);
    for (const QFont &font : {button->font(), bold, QFont(QStringLiteral("Arial"))}) {
        QCOMPARE(QFontInfo(font).family(), design);
        const QFontMetrics metrics(font);
        for (const QChar letter : button->text())
            QVERIFY2(metrics.inFont(letter), qPrintable(QStringLiteral("no glyph for ") + letter));
    }
    QVERIFY(QFontInfo(bold).bold());
    stopProgram(program);
}

QTEST_MAIN(FontTest)
#include "tst_fonts.moc"
