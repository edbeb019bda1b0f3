// What a pupil without a mouse, or with a screen reader, relies on: every
// picture, slot, piece, mark and edit box has a name, and the boards take
// drops by keyboard along the mouse's own path.

#include "Harness.h"

#include "DragLabel.h"
#include "HoursToMinutesTask.h"
#include "KeyboardDrag.h"
#include "LabelBoardTask.h"
#include "MainWindow.h"
#include "PictureBox.h"
#include "ShapeBoard.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Harness;

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { program = startProgram(); }
    void cleanup() { stopProgram(program); }

    void everyPicturePieceAndBoxHasAName();
    void keyboardDropsTakeTheMousePath();

private:
    std::unique_ptr<ProgramWindows> program;
};

namespace {

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

void enter(QWidget *widget)
{
    QTest::keyClick(widget, Qt::Key_Return);
}

} // namespace

void AccessibilityTest::everyPicturePieceAndBoxHasAName()
{
    QStringList unnamed;
    for (QWidget *window : program->windows()) {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            const bool needsName = qobject_cast<PictureBox *>(widget) || qobject_cast<DragLabel *>(widget)
                                   || qobject_cast<QLineEdit *>(widget);
            if (needsName && accessibleName(widget).trimmed().isEmpty())
                unnamed << window->objectName() + QLatin1Char('.') + widget->objectName();
        }
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));

    // Pictures are heard as graphics; slots say what they show now.
    HoursToMinutesTask *task4 = program->page<HoursToMinutesTask>(Page::HoursToMinutes);
    program->open(Page::HoursToMinutes);
    auto *slot = task4->findChild<PictureBox *>("processSlot");
    QCOMPARE(QAccessible::queryAccessibleInterface(slot)->role(), QAccessible::Graphic);
    QCOMPARE(accessibleName(slot), QString::fromUtf8("Блок 3 блок-схемы: пусто"));
    QVERIFY(dropAt(task4, task4->findChild<PictureBox *>("rectanglePiece"), slot->geometry().topLeft() + QPoint(6, 6)));
    QCOMPARE(accessibleName(slot), QString::fromUtf8("Блок 3 блок-схемы: прямоугольник"));
    QCOMPARE(accessibleName(task4->findChild<QWidget *>("diamondPiece")), QString::fromUtf8("Ромб"));
    QCOMPARE(accessibleName(program->mainWindow()->findChild<QWidget *>("task4Mark")), QString::fromUtf8("Выполнено"));
    QCOMPARE(accessibleName(program->window(Page::AssignmentStatements)->findChild<QWidget *>("statement3Edit")),
             QString::fromUtf8("Увеличить А в 30 раз"));
}

void AccessibilityTest::keyboardDropsTakeTheMousePath()
{
    // Shape board: the existing controls keep their order, pieces and slots follow.
    HoursToMinutesTask *task4 = program->page<HoursToMinutesTask>(Page::HoursToMinutes);
    program->open(Page::HoursToMinutes);
    QVERIFY(QTest::qWaitForWindowActive(task4));
    QWidget *after = task4->findChild<QPushButton *>("doneButton");
    for (const char *name : {"ovalPiece", "parallelogramPiece", "rectanglePiece", "diamondPiece", "startSlot",
                             "inputSlot", "processSlot", "outputSlot", "endSlot"}) {
        QWidget *next = after->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next->objectName(), QString::fromLatin1(name));
        QCOMPARE(next->focusPolicy(), Qt::TabFocus); // a click gives no focus, as before
        after = next;
    }
    auto *oval = task4->findChild<PictureBox *>("ovalPiece");
    auto *diamond = task4->findChild<PictureBox *>("diamondPiece");
    auto *start = task4->findChild<PictureBox *>("startSlot");
    KeyboardDrag *drag = KeyboardDrag::of(task4);
    enter(start); // nothing held: nothing happens
    QVERIFY(!task4->board().isRight(0));
    enter(diamond);
    QCOMPARE(drag->held(), diamond);
    QVERIFY(diamond->property("pickedUp").toBool());
    enter(oval); // another piece replaces it
    QCOMPARE(drag->held(), oval);
    QVERIFY(!diamond->property("pickedUp").toBool());
    QTest::keyClick(start, Qt::Key_Escape);
    QVERIFY(!drag->held());
    QVERIFY(!oval->property("pickedUp").toBool());
    QTest::keyClick(start, Qt::Key_Space); // Space is no drop
    QVERIFY(!task4->board().isRight(0));
    enter(oval);
    enter(start);
    QVERIFY(task4->board().isRight(0));
    QVERIFY(!drag->held());
    enter(diamond);
    enter(task4->findChild<PictureBox *>("inputSlot"));
    QCOMPARE(task4->board().wrongDropCount(), 1);

    // Label board: a caption leaves the column; a caption of another form,
    // or one already dropped, is refused as the mouse's would be.
    LabelBoardTask *task5 = program->page<LabelBoardTask>(Page::OrangeCost);
    program->open(Page::OrangeCost);
    auto *startPiece = task5->findChild<DragLabel *>("startPiece");
    auto *startSlot = task5->findChild<PictureBox *>("startSlot");
    KeyboardDrag::of(task4)->pickUp(task4->findChild<PictureBox *>("ovalPiece"));
    enter(startSlot);
    QCOMPARE(task5->board()->correctDrops(), 0);
    enter(startPiece);
    enter(startSlot);
    QVERIFY(startPiece->isHidden());
    QCOMPARE(task5->board()->correctDrops(), 1);
    QCOMPARE(accessibleName(startSlot), QString::fromUtf8("Блок 1 блок-схемы: Начало"));
    KeyboardDrag::of(task5)->pickUp(startPiece);
    enter(task5->findChild<PictureBox *>("inputSlot"));
    QVERIFY(task5->findChild<QLabel *>("inputSlotText")->text().isEmpty());
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
