// The edit boxes' context menu: Qt's own texts in Russian under any locale
// (CTest runs this program under LANG=C and under LANG=ru_RU.UTF-8), in the
// desktop's font and colours rather than the edit box's.

#include "Harness.h"

#include "TypedAnswerTask.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace Harness;

class ContextMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void editBoxMenuIsRussianInTheDesktopsFont();
};

void ContextMenuTest::editBoxMenuIsRussianInTheDesktopsFont()
{
    std::unique_ptr<ProgramWindows> program = startProgram();
    chooseMenu(*program, "assignmentStatementsAction");
    // Task 2's boxes are set in a large bold navy font of their own.
    auto *edit = program->page<TypedAnswerTask>("assignmentStatements")->findChild<QLineEdit *>(QStringLiteral("statement1Edit"));
    QVERIFY(edit);
    QVERIFY(QTest::qWaitForWindowExposed(edit->window()));

    const QPoint inside(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, edit->mapToGlobal(inside));
    QApplication::sendEvent(edit, &event);
    QTRY_VERIFY2(qobject_cast<QMenu *>(QApplication::activePopupWidget()), "the context menu to open");
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());

    QStringList entries;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            entries << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    }
    QVERIFY2(entries.contains(QStringLiteral("Копировать")), qPrintable(entries.join(QLatin1String(", "))));
    QVERIFY2(entries.contains(QStringLiteral("Вставить")), qPrintable(entries.join(QLatin1String(", "))));

    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QFont shown = menu->font();
    QCOMPARE(shown.family(), desktop.family());
    // Both sized for the menu's screen (Qt 5 sizes a font that belongs to
    // no window for another resolution).
    QCOMPARE(QFontInfo(shown).pixelSize(), QFontInfo(QFont(desktop, menu)).pixelSize());
    QCOMPARE(shown.bold(), desktop.bold());
    const QColor text = menu->palette().color(QPalette::WindowText);
    QCOMPARE(text, QGuiApplication::palette().color(QPalette::WindowText)); // the desktop's
    QVERIFY(text != edit->palette().color(QPalette::Text)); // the box's navy stays in the box

    menu->close();
    stopProgram(program);
}

QTEST_MAIN(ContextMenuTest)
#include "tst_contextmenu.moc"
