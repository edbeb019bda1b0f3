// The flowchart label boards of the page list, driven by drops onto the real
// widgets of the forms.

#include "GuiTest.h"

#include "LabelBoard.h"
#include "LabelBoardTask.h"
#include "MainWindow.h"

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

// Each board's design as this test knows it, the oracle for the program's
// own table: a right caption for every slot, the slot text labels and the
// arrows, in slot order.
struct Design
{
    const char *page;
    QList<Move> solution;
    QStringList slotTexts;
    QStringList arrows;
};

const QStringList fiveSlotTexts = {"startSlotText", "inputSlotText", "processSlotText", "outputSlotText",
                                   "endSlotText"};
const QStringList fourArrows = {"arrowStartToInput", "arrowInputToProcess", "arrowProcessToOutput",
                                "arrowOutputToEnd"};
const Design designs[] = {
    {"orangeCost",
     {{"startSlot", "startPiece"}, {"inputSlot", "quantityPiece"}, {"processSlot", "costFormulaPiece"},
      {"outputSlot", "costPiece"}, {"endSlot", "endPiece"}},
     fiveSlotTexts, fourArrows},
    {"heelHeight",
     {{"startSlot", "startPiece"}, {"inputSlot", "heightsPiece"}, {"processSlot", "heelFormulaPiece"},
      {"outputSlot", "heelPiece"}, {"endSlot", "endPiece"}},
     fiveSlotTexts, fourArrows},
    {"sweetsCount",
     {{"startSlot", "startPiece"}, {"inputSlot", "massesPiece"}, {"processSlot", "sweetsMassFormulaPiece"},
      {"countSlot", "countFormulaPiece"}, {"outputSlot", "countPiece"}, {"endSlot", "endPiece"}},
     {"startSlotText", "inputSlotText", "processSlotText", "countSlotText", "outputSlotText", "endSlotText"},
     {"arrowStartToInput", "arrowInputToProcess", "arrowProcessToCount", "arrowCountToOutput",
      "arrowOutputToEnd"}},
};

// A board's design with its form, its board and the main form.
struct Board : Design
{
    LabelBoardTask *form;
    LabelBoard *board;
    MainWindow *main;
};

const Design *designOf(const QString &page)
{
    for (const Design &design : designs) {
        if (page == QLatin1String(design.page))
            return &design;
    }
    return nullptr;
}

Board boardOf(const ProgramWindows &program, const char *page)
{
    const Design *design = designOf(QLatin1String(page));
    if (!design)
        qFatal("no label board %s", page);
    auto *form = program.page<LabelBoardTask>(QLatin1String(page));
    return {*design, form, form->board(), program.mainWindow()};
}

// A row for every board of the table.
void everyBoard()
{
    QTest::addColumn<QByteArray>("page");
    for (const Design &design : designs)
        QTest::newRow(design.page) << QByteArray(design.page);
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

QPushButton *okOf(QWidget *form) { return part<QPushButton>(form, "doneButton"); }

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
    click(part(b.main, (QByteArray(b.page) + "Button").constData()));
    QVERIFY(b.form->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(b.form));
}

} // namespace

class LabelBoardsTest : public GuiTest
{
    Q_OBJECT

private slots:

    void everyBoardHasItsSolution();
    void solvedAtTheDropThatMakesEverySlotRight_data();
    void solvedAtTheDropThatMakesEverySlotRight();
    void overwrittenCaptionsCountOnlyWhatTheSlotShows();
    void sweetsCountDistractorsMatchNoSlot();
    void onlyTheWholeSlotTakesDrops_data() { everyBoard(); }
    void onlyTheWholeSlotTakesDrops();
    void closeBoxAndOkKeepTheBoard_data() { everyBoard(); }
    void closeBoxAndOkKeepTheBoard();

private:
};

// A board added to the page list is tested only through the table above.
void LabelBoardsTest::everyBoardHasItsSolution()
{
    for (const QString &page : pagesOf<LabelBoardTask>(*program)) {
        const Design *design = designOf(page);
        QVERIFY2(design, qPrintable(page + " has no solution in this test's table"));
        QCOMPARE(design->solution.size(), program->page<LabelBoardTask>(page)->board()->slotCount());
    }
}

void LabelBoardsTest::solvedAtTheDropThatMakesEverySlotRight_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QList<int>>("order");
    for (const Design &design : designs) {
        QList<int> order;
        for (int slot = 0; slot < design.solution.size(); ++slot)
            order << slot;
        QTest::addRow("%s top down", design.page) << QByteArray(design.page) << order;
        std::reverse(order.begin(), order.end());
        QTest::addRow("%s bottom up", design.page) << QByteArray(design.page) << order;
    }
    QTest::newRow("heelHeight mixed") << QByteArray("heelHeight") << QList<int>{2, 4, 0, 3, 1};
    QTest::newRow("sweetsCount mixed") << QByteArray("sweetsCount") << QList<int>{5, 1, 3, 0, 4, 2};
}

void LabelBoardsTest::solvedAtTheDropThatMakesEverySlotRight()
{
    QFETCH(QByteArray, page);
    QFETCH(QList<int>, order);
    const Board b = boardOf(*program, page.constData());
    open(b);
    QCOMPARE(b.board->slotCount(), b.solution.size());
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
    QVERIFY(!b.main->isMarkShown(b.page));
}

void LabelBoardsTest::overwrittenCaptionsCountOnlyWhatTheSlotShows()
{
    const Board b = boardOf(*program, "heelHeight");
    open(b);
    // A right caption overwritten by a distractor no longer counts.
    QVERIFY(drop(b.form, "startSlot", "startPiece"));
    QVERIFY(drop(b.form, "startSlot", "barefootPiece"));
    QCOMPARE(shownOn(b, "startSlot"), QString("R1"));
    QCOMPARE(b.board->correctDrops(), 0);
    // With every other slot right the flowchart is still wrong on screen.
    QVERIFY(drop(b.form, "inputSlot", "heightsPiece"));
    QVERIFY(drop(b.form, "processSlot", "heelFormulaPiece"));
    QVERIFY(drop(b.form, "outputSlot", "heelPiece"));
    QVERIFY(drop(b.form, "endSlot", "endPiece"));
    QCOMPARE(b.board->correctDrops(), 4);
    QVERIFY(okOf(b.form)->isHidden());
    // A wrong caption overwritten by a right one counts again.
    QVERIFY(drop(b.form, "outputSlot", "inShoesPiece"));
    QCOMPARE(b.board->correctDrops(), 3);
    QVERIFY(drop(b.form, "outputSlot", "heelDifferencePiece"));
    QCOMPARE(b.board->correctDrops(), 4);
    QVERIFY(okOf(b.form)->isHidden());
    // "Начало" is gone from the column, so only "Заново" helps.
    click(part(b.form, "restartButton"));
    QCOMPARE(b.board->correctDrops(), 0);
    for (const Move &move : b.solution)
        QVERIFY(drop(b.form, move.slot, move.caption));
    QVERIFY(okOf(b.form)->isVisible());
}

void LabelBoardsTest::sweetsCountDistractorsMatchNoSlot()
{
    const Board b = boardOf(*program, "sweetsCount");
    open(b);
    // "Z := M1+ M2" over "Начало", and "R2-R1" on the second process block.
    QVERIFY(drop(b.form, "startSlot", "startPiece"));
    QVERIFY(drop(b.form, "startSlot", "sumFormulaPiece"));
    QCOMPARE(shownOn(b, "startSlot"), QString("Z := M1+ M2"));
    QVERIFY(drop(b.form, "countSlot", "heelDifferencePiece"));
    QCOMPARE(b.board->correctDrops(), 0);
    QVERIFY(drop(b.form, "inputSlot", "massesPiece"));
    QVERIFY(drop(b.form, "processSlot", "sweetsMassFormulaPiece"));
    QVERIFY(drop(b.form, "countSlot", "countFormulaPiece"));
    QVERIFY(drop(b.form, "outputSlot", "countPiece"));
    QVERIFY(drop(b.form, "endSlot", "endPiece"));
    QCOMPARE(b.board->correctDrops(), 5);
    QVERIFY(okOf(b.form)->isHidden());
    // Each slot has exactly one right caption: no other caption completes it.
    for (QLabel *caption : captionsOf(b.form)) {
        if (caption->isHidden())
            continue;
        QVERIFY(drop(b.form, "startSlot", qPrintable(caption->objectName())));
        QCOMPARE(b.board->correctDrops(), 5);
    }
    QVERIFY(okOf(b.form)->isHidden());
    // A distractor such as "M3" comes back with every other caption.
    click(part(b.form, "restartButton"));
    for (QLabel *caption : captionsOf(b.form))
        QVERIFY(!caption->isHidden());
    QCOMPARE(captionsOf(b.form).size(), 13);
}

void LabelBoardsTest::onlyTheWholeSlotTakesDrops()
{
    QFETCH(QByteArray, page);
    const Board b = boardOf(*program, page.constData());
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
            click(part(form, "restartButton"));
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
                                   part(form, "buttonPanel")->geometry().center(),
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

void LabelBoardsTest::closeBoxAndOkKeepTheBoard()
{
    QFETCH(QByteArray, page);
    const Board b = boardOf(*program, page.constData());
    open(b);
    for (const Move &move : b.solution)
        QVERIFY(drop(b.form, move.slot, move.caption));
    QVERIFY(okOf(b.form)->isVisible());

    // The close box shows no mark.
    b.form->close();
    QVERIFY(b.form->isHidden());
    QVERIFY(!b.main->isMarkShown(b.page));
    open(b);

    // "ОК" shows the task's own mark and no other.
    click(okOf(b.form));
    QVERIFY(b.form->isHidden());
    QVERIFY(b.main->isMarkShown(b.page));
    for (const PageEntry &other : pages()) {
        if (other.pageName() != QLatin1String(b.page))
            QVERIFY(!b.main->isMarkShown(other.pageName()));
    }

    // Reopened, the board is as it was left, and "ОК" works again.
    open(b);
    QCOMPARE(b.board->correctDrops(), b.board->slotCount());
    QCOMPARE(shownOn(b, b.solution[0].slot), part<QLabel>(b.form, b.solution[0].caption)->text());
    QVERIFY(okOf(b.form)->isVisible());

    // "Заново" empties the board but leaves "ОК" alone.
    click(part(b.form, "restartButton"));
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
    QVERIFY(b.main->isMarkShown(b.page));
}

QTEST_MAIN(LabelBoardsTest)
#include "tst_labelboards.moc"
