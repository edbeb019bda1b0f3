// The flowchart label boards of Tasks 5, 6 and 7, driven by drops onto the
// real widgets of the forms.

#include "Harness.h"

#include "LabelBoard.h"
#include "PictureBox.h"
#include "MainWindow.h"
#include "OrangeCostTask.h"
#include "HeelHeightTask.h"
#include "SweetsCountTask.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Harness;

namespace {

// One drop of the pupil: a caption onto a slot.
struct Move
{
    const char *slot;
    const char *caption;
};

// What a test needs to know of one board form.
struct Board
{
    DesignedForm *form;
    LabelBoard *board;
    const char *mainButton;            // the main form's button that opens it
    const char *mark;                  // its completion mark on the main form
    QList<Move> solution;              // a right caption for every slot
    QStringList slotTexts;             // the slot text labels, in slot order
    QStringList arrows;
};

Board boardOf(int task)
{
    switch (task) {
    case 5:
        return {orangeCostTask, orangeCostTask->board(), "Button3", "Image4",
                {{"Image5", "Label27"}, {"Image9", "Label10"}, {"Image6", "Label11"}, {"Image14", "Label20"},
                 {"Image15", "Label28"}},
                {"Label1", "Label22", "Label23", "Label24", "Label25"},
                {"Image10", "Image11", "Image12", "Image13"}};
    case 6:
        return {heelHeightTask, heelHeightTask->board(), "Button1", "Image5",
                {{"Image5", "Label27"}, {"Image9", "Label5"}, {"Image6", "Label11"}, {"Image14", "Label10"},
                 {"Image15", "Label28"}},
                {"Label1", "Label22", "Label23", "Label24", "Label25"},
                {"Image10", "Image11", "Image12", "Image13"}};
    default:
        return {sweetsCountTask, sweetsCountTask->board(), "Button5", "Image6",
                {{"Image5", "Label27"}, {"Image9", "Label5"}, {"Image6", "Label11"}, {"Image14", "Label13"},
                 {"Image1", "Label10"}, {"Image15", "Label28"}},
                {"Label1", "Label22", "Label23", "Label24", "Label7", "Label25"},
                {"Image10", "Image3", "Image4", "Image7", "Image8"}};
    }
}

template<class T = QWidget>
T *part(QWidget *form, const char *name)
{
    T *widget = form->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no %s on %s", name, qPrintable(form->objectName()));
    return widget;
}

// Drops near the slot's left edge, clear of the caption already shown on it
// (the caption's text itself takes no drop).
bool drop(QWidget *form, const char *slot, const char *caption)
{
    return dropAt(form, part(form, caption), part(form, slot)->geometry().topLeft() + QPoint(4, 4));
}

QPushButton *okOf(QWidget *form) { return part<QPushButton>(form, "Button2"); }

QString shownOn(const Board &b, const char *slot)
{
    for (int i = 0; i < b.solution.size(); ++i) {
        if (qstrcmp(b.solution[i].slot, slot) == 0)
            return part<QLabel>(b.form, qPrintable(b.slotTexts[i]))->text();
    }
    return QStringLiteral("<no such slot>");
}

QList<QLabel *> captionsOf(QWidget *form)
{
    QList<QLabel *> captions;
    for (QLabel *label : form->findChildren<QLabel *>()) {
        if (label->inherits("DragLabel"))
            captions << label;
    }
    return captions;
}

void open(const Board &b)
{
    click(part(mainWindow, b.mainButton));
    QVERIFY(b.form->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(b.form));
}

} // namespace

class LabelBoardsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { startProgram(); }
    void cleanup() { stopProgram(); }

    void solvedAtTheDropThatMakesEverySlotRight_data();
    void solvedAtTheDropThatMakesEverySlotRight();
    void eitherOutputCaptionIsRightOnTask6();
    void overwrittenCaptionsCountOnlyWhatTheSlotShows();
    void distractorsOfTask7MatchNoSlot();
    void onlyTheWholeSlotTakesDrops_data();
    void onlyTheWholeSlotTakesDrops();
    void closeBoxAndOkKeepTheBoard_data();
    void closeBoxAndOkKeepTheBoard();
};

void LabelBoardsTest::solvedAtTheDropThatMakesEverySlotRight_data()
{
    QTest::addColumn<int>("task");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("task 5 top down") << 5 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("task 5 bottom up") << 5 << QList<int>{4, 3, 2, 1, 0};
    QTest::newRow("task 6 mixed") << 6 << QList<int>{2, 4, 0, 3, 1};
    QTest::newRow("task 7 top down") << 7 << QList<int>{0, 1, 2, 3, 4, 5};
    QTest::newRow("task 7 mixed") << 7 << QList<int>{5, 1, 3, 0, 4, 2};
}

void LabelBoardsTest::solvedAtTheDropThatMakesEverySlotRight()
{
    QFETCH(int, task);
    QFETCH(QList<int>, order);
    const Board b = boardOf(task);
    open(b);
    QCOMPARE(b.board->threshold(), b.solution.size());
    for (int step = 0; step < order.size(); ++step) {
        QVERIFY(okOf(b.form)->isHidden());
        const Move move = b.solution[order[step]];
        auto *caption = part<QLabel>(b.form, move.caption);
        QVERIFY(drop(b.form, move.slot, move.caption));
        QCOMPARE(shownOn(b, move.slot), caption->text());
        QVERIFY(caption->isHidden());
        QCOMPARE(b.board->correctDrops(), step + 1);
    }
    QVERIFY(okOf(b.form)->isVisible());
    QVERIFY(!mainWindow->isMarkShown(b.mark));
}

void LabelBoardsTest::eitherOutputCaptionIsRightOnTask6()
{
    const Board b = boardOf(6);
    open(b);
    // "R3" and then "R2 - R1" on the output block are one right slot, not
    // two: the end terminal is still empty, so the task is not solved.
    QVERIFY(drop(b.form, "Image5", "Label27"));
    QVERIFY(drop(b.form, "Image9", "Label5"));
    QVERIFY(drop(b.form, "Image6", "Label11"));
    QVERIFY(drop(b.form, "Image14", "Label10"));
    QVERIFY(drop(b.form, "Image14", "Label4"));
    QCOMPARE(shownOn(b, "Image14"), QString("R2 - R1"));
    QCOMPARE(b.board->correctDrops(), 4);
    QVERIFY(okOf(b.form)->isHidden());
    QVERIFY(drop(b.form, "Image15", "Label28"));
    QVERIFY(okOf(b.form)->isVisible());
}

void LabelBoardsTest::overwrittenCaptionsCountOnlyWhatTheSlotShows()
{
    const Board b = boardOf(6);
    open(b);
    // A right caption overwritten by a distractor no longer counts.
    QVERIFY(drop(b.form, "Image5", "Label27"));
    QVERIFY(drop(b.form, "Image5", "Label20"));
    QCOMPARE(shownOn(b, "Image5"), QString("R1"));
    QCOMPARE(b.board->correctDrops(), 0);
    // With every other slot right the flowchart is still wrong on screen.
    QVERIFY(drop(b.form, "Image9", "Label5"));
    QVERIFY(drop(b.form, "Image6", "Label11"));
    QVERIFY(drop(b.form, "Image14", "Label10"));
    QVERIFY(drop(b.form, "Image15", "Label28"));
    QCOMPARE(b.board->correctDrops(), 4);
    QVERIFY(okOf(b.form)->isHidden());
    // A wrong caption overwritten by a right one counts again.
    QVERIFY(drop(b.form, "Image14", "Label3"));
    QCOMPARE(b.board->correctDrops(), 3);
    QVERIFY(drop(b.form, "Image14", "Label4"));
    QCOMPARE(b.board->correctDrops(), 4);
    QVERIFY(okOf(b.form)->isHidden());
    // "Начало" is gone from the column, so only "Заново" helps.
    click(part(b.form, "Button1"));
    QCOMPARE(b.board->correctDrops(), 0);
    for (const Move &move : b.solution)
        QVERIFY(drop(b.form, move.slot, move.caption));
    QVERIFY(okOf(b.form)->isVisible());
}

void LabelBoardsTest::distractorsOfTask7MatchNoSlot()
{
    const Board b = boardOf(7);
    open(b);
    // "Z := M1+ M2" over "Начало", and "R2-R1" on the second process block.
    QVERIFY(drop(b.form, "Image5", "Label27"));
    QVERIFY(drop(b.form, "Image5", "Label9"));
    QCOMPARE(shownOn(b, "Image5"), QString("Z := M1+ M2"));
    QVERIFY(drop(b.form, "Image14", "Label4"));
    QCOMPARE(b.board->correctDrops(), 0);
    QVERIFY(drop(b.form, "Image9", "Label5"));
    QVERIFY(drop(b.form, "Image6", "Label11"));
    QVERIFY(drop(b.form, "Image14", "Label13"));
    QVERIFY(drop(b.form, "Image1", "Label10"));
    QVERIFY(drop(b.form, "Image15", "Label28"));
    QCOMPARE(b.board->correctDrops(), 5);
    QVERIFY(okOf(b.form)->isHidden());
    // Each slot has exactly one right caption: no other caption completes it.
    for (QLabel *caption : captionsOf(b.form)) {
        if (caption->isHidden())
            continue;
        QVERIFY(drop(b.form, "Image5", qPrintable(caption->objectName())));
        QCOMPARE(b.board->correctDrops(), 5);
    }
    QVERIFY(okOf(b.form)->isHidden());
    // A distractor such as "M3" comes back with every other caption.
    click(part(b.form, "Button1"));
    for (QLabel *caption : captionsOf(b.form))
        QVERIFY(!caption->isHidden());
    QCOMPARE(captionsOf(b.form).size(), 13);
}

void LabelBoardsTest::onlyTheWholeSlotTakesDrops_data()
{
    QTest::addColumn<int>("task");
    QTest::newRow("task 5") << 5;
    QTest::newRow("task 6") << 6;
    QTest::newRow("task 7") << 7;
}

void LabelBoardsTest::onlyTheWholeSlotTakesDrops()
{
    QFETCH(int, task);
    const Board b = boardOf(task);
    open(b);
    QWidget *form = b.form;
    QList<QLabel *> captions = captionsOf(form);
    QLabel *first = part<QLabel>(form, b.solution[0].caption);
    QLabel *second = captions.last() == first ? captions.first() : captions.last();

    // Every corner of every slot takes a drop; the board stays empty here,
    // as each drop is undone by "Заново".
    for (const Move &move : b.solution) {
        const QRect r = part(form, move.slot)->geometry();
        for (const QPoint &corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
            QVERIFY2(dropAt(form, second, corner), move.slot);
            QCOMPARE(shownOn(b, move.slot), second->text());
            click(part(form, "Button1"));
        }
    }

    // A filled slot's text lies over the shape and takes no drop.
    QVERIFY(drop(form, b.solution[0].slot, b.solution[0].caption));
    QLabel *slotText = part<QLabel>(form, qPrintable(b.slotTexts[0]));
    QVERIFY(slotText->width() > 0);
    const QPoint onText = slotText->geometry().center();
    QCOMPARE(form->childAt(onText), static_cast<QWidget *>(slotText));

    const QList<QPoint> refused = {onText,
                                   part(form, qPrintable(b.arrows[1]))->geometry().center(),
                                   QPoint(form->width() - 3, 60),   // background
                                   part(form, "Panel1")->geometry().center(),
                                   second->geometry().center()};
    for (const QPoint &point : refused) {
        QVERIFY(!dropAt(form, second, point));
        QVERIFY(!second->isHidden());
        QCOMPARE(shownOn(b, b.solution[0].slot), first->text());
        for (int i = 1; i < b.solution.size(); ++i)
            QVERIFY(shownOn(b, b.solution[i].slot).isEmpty());
    }
    // Nothing but a slot answers the drag-over query.
    QVERIFY(!dropOn(part(form, qPrintable(b.arrows[0])), second));
    // A caption that already left the column is not dropped again.
    QVERIFY(!drop(form, b.solution[1].slot, b.solution[0].caption));
    QVERIFY(shownOn(b, b.solution[1].slot).isEmpty());
    QCOMPARE(b.board->correctDrops(), 1);
}

void LabelBoardsTest::closeBoxAndOkKeepTheBoard_data()
{
    onlyTheWholeSlotTakesDrops_data();
}

void LabelBoardsTest::closeBoxAndOkKeepTheBoard()
{
    QFETCH(int, task);
    const Board b = boardOf(task);
    open(b);
    for (const Move &move : b.solution)
        QVERIFY(drop(b.form, move.slot, move.caption));
    QVERIFY(okOf(b.form)->isVisible());

    // The close box shows no mark.
    b.form->close();
    QVERIFY(b.form->isHidden());
    QVERIFY(!mainWindow->isMarkShown(b.mark));
    open(b);

    // "ОК" marks the main form's own Image, not the form's slot of that name.
    click(okOf(b.form));
    QVERIFY(b.form->isHidden());
    QVERIFY(mainWindow->isMarkShown(b.mark));
    for (const char *other : {"Image4", "Image5", "Image6"}) {
        if (qstrcmp(other, b.mark) != 0)
            QVERIFY(!mainWindow->isMarkShown(other));
    }

    // Reopened, the board is as it was left, and "ОК" works again.
    open(b);
    QCOMPARE(b.board->correctDrops(), b.board->threshold());
    QCOMPARE(shownOn(b, b.solution[0].slot), part<QLabel>(b.form, b.solution[0].caption)->text());
    QVERIFY(okOf(b.form)->isVisible());

    // "Заново" empties the board but leaves "ОК" alone.
    click(part(b.form, "Button1"));
    QCOMPARE(b.board->correctDrops(), 0);
    for (const Move &move : b.solution)
        QVERIFY(!part(b.form, move.caption)->isHidden());
    for (const QString &name : b.slotTexts) {
        // An empty slot text covers nothing of its shape.
        auto *slotText = part<QLabel>(b.form, qPrintable(name));
        QVERIFY(slotText->text().isEmpty());
        QCOMPARE(slotText->width(), 0);
    }
    QVERIFY(okOf(b.form)->isVisible());
    click(okOf(b.form));
    QVERIFY(b.form->isHidden());
    QVERIFY(mainWindow->isMarkShown(b.mark));
}

QTEST_MAIN(LabelBoardsTest)
#include "tst_labelboards.moc"
