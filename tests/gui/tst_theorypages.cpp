// The worked example and the assignment operator page: their marks, their
// close boxes, texts that must survive exactly, nothing clipped, and the
// formula labels that can be dragged but dropped nowhere.

#include "Harness.h"

#include "DragLabel.h"
#include "PictureBox.h"
#include "MainWindow.h"
#include "WorkedExamplePage.h"
#include "AssignmentOperatorPage.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace Harness;

namespace {

QWidget *page(const QString &name)
{
    return name == QLatin1String("workedExamplePage") ? static_cast<QWidget *>(workedExamplePage) : static_cast<QWidget *>(assignmentOperatorPage);
}

// Everything a drop could have changed on a form.
QStringList snapshot(QWidget *form)
{
    QStringList state;
    for (QWidget *w : form->findChildren<QWidget *>()) {
        const QRect g = w->geometry();
        QString line = QStringLiteral("%1 %2,%3 %4x%5 %6").arg(w->objectName()).arg(g.x()).arg(g.y())
                           .arg(g.width()).arg(g.height()).arg(w->isVisible());
        if (auto *label = qobject_cast<QLabel *>(w))
            line += QLatin1Char(' ') + label->text();
        if (auto *picture = qobject_cast<PictureBox *>(w))
            line += QLatin1Char(' ') + QString::number(picture->image().cacheKey());
        state << line;
    }
    return state;
}

} // namespace

class TheoryPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { startProgram(); }
    void cleanup() { stopProgram(); }

    void okShowsTheMarkAndTheCloseBoxDoesNot_data();
    void okShowsTheMarkAndTheCloseBoxDoesNot();
    void textsKeepTheirBlanksAndLatinNames();
    void noTextIsClipped();
    void blockTextsLieOnTheirShapes();
    void droppingAFormulaLabelAnywhereChangesNothing();
};

void TheoryPagesTest::okShowsTheMarkAndTheCloseBoxDoesNot_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("ok");
    QTest::newRow("worked example") << "workedExamplePage" << "Button2" << "N5" << "Image3" << QString::fromUtf8("ОК");
    QTest::newRow("assignment") << "assignmentOperatorPage" << "Button12" << "N4" << "Image13" << QStringLiteral("OK");
}

void TheoryPagesTest::okShowsTheMarkAndTheCloseBoxDoesNot()
{
    QFETCH(QString, form);
    QFETCH(QString, button);
    QFETCH(QString, menu);
    QFETCH(QString, mark);
    QFETCH(QString, ok);
    QWidget *shown = page(form);
    const QByteArray markName = mark.toLatin1();

    chooseMenu(menu.toLatin1().constData());
    QVERIFY(shown->isVisible());
    shown->close();
    QVERIFY(shown->isHidden());
    QVERIFY(!mainWindow->isMarkShown(markName.constData()));

    click(mainWindow->findChild<QPushButton *>(button));
    QVERIFY(shown->isVisible());
    auto *okButton = shown->findChild<QPushButton *>(QStringLiteral("Button1"));
    QCOMPARE(okButton->text(), ok);
    click(okButton);
    QVERIFY(shown->isHidden());
    for (int i = 1; i <= 14; ++i) {
        const QByteArray other = "Image" + QByteArray::number(i);
        QCOMPARE(mainWindow->isMarkShown(other.constData()), other == markName);
    }

    // A later visit, closed either way, leaves the mark shown.
    chooseMenu(menu.toLatin1().constData());
    shown->close();
    QVERIFY(mainWindow->isMarkShown(markName.constData()));
    chooseMenu(menu.toLatin1().constData());
    click(okButton);
    QVERIFY(shown->isHidden());
    QVERIFY(mainWindow->isMarkShown(markName.constData()));
}

void TheoryPagesTest::textsKeepTheirBlanksAndLatinNames()
{
    auto text = [](QWidget *form, const char *name) { return form->findChild<QLabel *>(name)->text(); };
    QCOMPARE(text(assignmentOperatorPage, "Label17"), QString::fromUtf8("  Прелесть!!!  G:=R+N  "));
    // A Cyrillic look-alike in a formula would teach a wrong notation.
    const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    for (const char *name : {"Label1", "Label2", "Label4", "Label10", "Label11", "Label13", "Label15", "Label17"})
        QVERIFY2(!text(workedExamplePage, name).contains(cyrillic), name);
    for (const char *name : {"Label7", "Label8", "Label10"})
        QVERIFY2(!text(assignmentOperatorPage, name).contains(cyrillic), name);
}

void TheoryPagesTest::noTextIsClipped()
{
    for (QWidget *form : {static_cast<QWidget *>(workedExamplePage), static_cast<QWidget *>(assignmentOperatorPage)}) {
        form->show();
        const QRect client = form->rect();
        for (QLabel *label : form->findChildren<QLabel *>()) {
            const QString where = form->objectName() + QLatin1Char('.') + label->objectName();
            if (label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(where));
            else
                QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(where));
            QVERIFY2(client.contains(label->geometry()), qPrintable(where));
        }
        // The two-line rule breaks its lines at its run of blanks.
        if (form == assignmentOperatorPage) {
            auto *rule = assignmentOperatorPage->findChild<QLabel *>("Label15");
            QCOMPARE(rule->heightForWidth(rule->width()), 2 * rule->fontMetrics().lineSpacing());
        }
    }
}

void TheoryPagesTest::blockTextsLieOnTheirShapes()
{
    workedExamplePage->show();
    const QList<PictureBox *> blocks = workedExamplePage->findChildren<PictureBox *>();
    for (const char *name : {"Label1", "Label2", "Label13", "Label15", "Label11", "Label4", "Label17", "Label10"}) {
        auto *label = workedExamplePage->findChild<QLabel *>(name);
        bool onABlock = false;
        for (PictureBox *block : blocks)
            onABlock = onABlock || block->geometry().contains(label->geometry());
        QVERIFY2(onABlock, name);
        // Drawn over its block, not hidden under it.
        QCOMPARE(workedExamplePage->childAt(label->geometry().center()), static_cast<QWidget *>(label));
    }
    // The second formula line sits on the finished rectangle as it does on the left one.
    auto offset = [](const char *label, const char *block) {
        return workedExamplePage->findChild<QWidget *>(label)->pos() - workedExamplePage->findChild<QWidget *>(block)->pos();
    };
    QCOMPARE(offset("Label17", "Image8"), offset("Label13", "Image1"));
}

void TheoryPagesTest::droppingAFormulaLabelAnywhereChangesNothing()
{
    openForm(workedExamplePage);
    QStringList draggable;
    for (DragLabel *label : workedExamplePage->findChildren<DragLabel *>()) {
        if (label->autoDrag())
            draggable << label->objectName();
    }
    draggable.sort();
    QCOMPARE(draggable, QStringList({"Label2", "Label4"}));
    for (PictureBox *picture : workedExamplePage->findChildren<PictureBox *>())
        QVERIFY2(!picture->autoDrag(), qPrintable(picture->objectName()));

    const QStringList before = snapshot(workedExamplePage);
    for (const char *name : {"Label2", "Label4"}) {
        auto *source = workedExamplePage->findChild<QWidget *>(name);
        // Every control, the empty page, the divider and the bottom bar.
        QList<QPoint> points{QPoint(10, 10), QPoint(300, 500), QPoint(377, 300), QPoint(20, 570)};
        for (QWidget *w : workedExamplePage->findChildren<QWidget *>())
            points << w->mapTo(workedExamplePage, w->rect().center());
        for (const QPoint &point : points)
            QVERIFY2(!dropAt(workedExamplePage, source, point), qPrintable(QStringLiteral("%1 at %2,%3").arg(name).arg(point.x()).arg(point.y())));
    }
    QCOMPARE(snapshot(workedExamplePage), before);
    QVERIFY(workedExamplePage->isVisible());
    QVERIFY(!mainWindow->isMarkShown("Image3"));
}

QTEST_MAIN(TheoryPagesTest)
#include "tst_theorypages.moc"
