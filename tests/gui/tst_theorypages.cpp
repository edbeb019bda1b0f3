// The theory and reference pages: their marks and close boxes; of the worked
// example and the assignment operator page, texts that must survive exactly
// and the formula labels that can be dragged but dropped nowhere; and no
// text clipped on any form.

#include "GuiTest.h"

#include "DragLabel.h"
#include "MainWindow.h"
#include "PictureBox.h"
#include "TheoryPage.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace Harness;

namespace {

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

// The texts written on the blocks of the worked example, left and right.
const char *const blockTexts[] = {"stepInputLabel", "stepAreaFormulaLabel", "stepPerimeterFormulaLabel",
                                  "stepOutputLabel", "finishedInputLabel", "finishedAreaFormulaLabel",
                                  "finishedPerimeterFormulaLabel", "finishedOutputLabel"};

} // namespace

class TheoryPagesTest : public GuiTest
{
    Q_OBJECT

private slots:

    void okShowsTheMarkAndTheCloseBoxDoesNot_data();
    void okShowsTheMarkAndTheCloseBoxDoesNot();
    void textsKeepTheirBlanksAndLatinNames();
    void noTextIsClipped();
    void blockTextsLieOnTheirShapes();
    void droppingAFormulaLabelAnywhereChangesNothing();

private:
};

void TheoryPagesTest::okShowsTheMarkAndTheCloseBoxDoesNot_data()
{
    QTest::addColumn<QString>("page");
    for (const PageEntry &page : pages()) {
        if (page.kind == PageKind::Theory || page.kind == PageKind::Reference)
            QTest::newRow(page.name) << page.pageName();
    }
}

void TheoryPagesTest::okShowsTheMarkAndTheCloseBoxDoesNot()
{
    QFETCH(QString, page);
    const QByteArray menu = (page + QLatin1String("Action")).toLatin1();
    QWidget *shown = program->window(page);
    MainWindow *main = program->mainWindow();

    chooseMenu(*program, menu.constData());
    QVERIFY(shown->isVisible());
    shown->close();
    QVERIFY(shown->isHidden());
    QVERIFY(!main->isMarkShown(page));

    click(main->findChild<QPushButton *>(page + QLatin1String("Button")));
    QVERIFY(shown->isVisible());
    auto *okButton = shown->findChild<QPushButton *>(QStringLiteral("doneButton"));
    click(okButton);
    QVERIFY(shown->isHidden());
    for (const PageEntry &other : pages())
        QCOMPARE(main->isMarkShown(other.pageName()), other.pageName() == page);

    // A later visit, closed either way, leaves the mark shown.
    chooseMenu(*program, menu.constData());
    shown->close();
    QVERIFY(main->isMarkShown(page));
    chooseMenu(*program, menu.constData());
    click(okButton);
    QVERIFY(shown->isHidden());
    QVERIFY(main->isMarkShown(page));
}

void TheoryPagesTest::textsKeepTheirBlanksAndLatinNames()
{
    auto text = [](QWidget *form, const char *name) { return form->findChild<QLabel *>(name)->text(); };
    TheoryPage *assignment = program->page<TheoryPage>("assignmentOperator");
    TheoryPage *example = program->page<TheoryPage>("workedExample");
    QCOMPARE(text(assignment, "goodExampleLabel"), QString::fromUtf8("  Прелесть!!!  G:=R+N  "));
    // A Cyrillic look-alike in a formula would teach a wrong notation.
    const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    for (const char *name : blockTexts)
        QVERIFY2(!text(example, name).contains(cyrillic), name);
    for (const char *name : {"example1Label", "example2Label", "example3Label"})
        QVERIFY2(!text(assignment, name).contains(cyrillic), name);
}

// Every text of every form shows whole, at the screen's scale (CTest runs
// this again with QT_SCALE_FACTOR at 150 % and 200 %): a label draws as
// many pixels of its text at its own size as in a room larger on every side.
void TheoryPagesTest::noTextIsClipped()
{
    const auto ink = [](QLabel *label) {
        const QImage picture = label->grab().toImage();
        const QRgb ground = picture.pixel(0, 0);
        int count = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                count += picture.pixel(x, y) != ground;
        }
        return count;
    };
    QStringList clipped;
    for (QWidget *form : program->windows()) {
        form->show();
        for (QLabel *label : form->findChildren<QLabel *>()) {
            if (label->text().isEmpty() || !label->isVisibleTo(form))
                continue;
            // Grown by an even number of pixels each way, so that a centred
            // text moves by whole pixels and draws the same; a wrapped text
            // keeps its width, and so its lines.
            const QRect designed = label->geometry();
            const int wider = label->wordWrap() ? 0 : 8;
            label->setGeometry(designed.adjusted(-wider, -8, wider, 8));
            const int whole = ink(label);
            label->setGeometry(designed);
            if (ink(label) != whole)
                clipped << form->objectName() + QLatin1Char('.') + label->objectName();
        }
        form->hide();
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String(", "))));
    // The two-line rule breaks its lines at its run of blanks.
    auto *rule = program->page<TheoryPage>("assignmentOperator")->findChild<QLabel *>("rule3Label");
    QCOMPARE(rule->heightForWidth(rule->width()), 2 * rule->fontMetrics().lineSpacing());
}

void TheoryPagesTest::blockTextsLieOnTheirShapes()
{
    TheoryPage *workedExamplePage = program->page<TheoryPage>("workedExample");
    workedExamplePage->show();
    const QList<PictureBox *> blocks = workedExamplePage->findChildren<PictureBox *>();
    for (const char *name : blockTexts) {
        auto *label = workedExamplePage->findChild<QLabel *>(name);
        bool onABlock = false;
        for (PictureBox *block : blocks)
            onABlock = onABlock || block->geometry().contains(label->geometry());
        QVERIFY2(onABlock, name);
        // Drawn over its block, not hidden under it.
        QCOMPARE(workedExamplePage->childAt(label->geometry().center()), static_cast<QWidget *>(label));
    }
    // The second formula line sits on the finished rectangle as it does on the left one.
    auto offset = [workedExamplePage](const char *label, const char *block) {
        return workedExamplePage->findChild<QWidget *>(label)->pos() - workedExamplePage->findChild<QWidget *>(block)->pos();
    };
    QCOMPARE(offset("finishedPerimeterFormulaLabel", "finishedProcessPicture"),
             offset("stepPerimeterFormulaLabel", "stepProcessPicture"));
}

void TheoryPagesTest::droppingAFormulaLabelAnywhereChangesNothing()
{
    TheoryPage *workedExamplePage = program->page<TheoryPage>("workedExample");
    program->open("workedExample");
    QStringList draggable;
    for (DragLabel *label : workedExamplePage->findChildren<DragLabel *>()) {
        if (label->autoDrag())
            draggable << label->objectName();
    }
    draggable.sort();
    QCOMPARE(draggable, QStringList({"finishedAreaFormulaLabel", "stepAreaFormulaLabel"}));
    for (PictureBox *picture : workedExamplePage->findChildren<PictureBox *>())
        QVERIFY2(!picture->autoDrag(), qPrintable(picture->objectName()));

    const QStringList before = snapshot(workedExamplePage);
    for (const char *name : {"stepAreaFormulaLabel", "finishedAreaFormulaLabel"}) {
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
    QVERIFY(!program->mainWindow()->isMarkShown("workedExample"));
}

QTEST_MAIN(TheoryPagesTest)
#include "tst_theorypages.moc"
