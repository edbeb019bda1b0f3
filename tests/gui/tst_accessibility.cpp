// What a pupil without a mouse, or with a screen reader, relies on: every
// picture, slot, piece, mark and edit box has a name, and the boards take
// drops by keyboard along the mouse's own path.

#include "GuiTest.h"

#include "PageWindow.h"
#include "DragLabel.h"
#include "TypedAnswerTask.h"
#include "HoursToMinutesTask.h"
#include "KeyboardDrag.h"
#include "LabelBoard.h"
#include "LabelBoardTask.h"
#include "MainWindow.h"
#include "PictureBox.h"
#include "ScreenReader.h"
#include "ShapeBoard.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Harness;

class AccessibilityTest : public GuiTest
{
    Q_OBJECT

private slots:

    void everyPicturePieceAndBoxHasAName();
    void keyboardDropsTakeTheMousePath();
    void formsAreWindowsAndPanelsDoNotHideTheirButtons();
    void everyKeyboardStepIsAnnounced();
    void announcementsTakeAnIdOfTheirOwn();

private:
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

// What the window of `widget` has said once the program waits for input.
QString heard(QWidget *widget)
{
    QCoreApplication::processEvents();
    return ScreenReader::lastAnnouncement(widget->window());
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
    HoursToMinutesTask *hoursToMinutes = program->page<HoursToMinutesTask>("hoursToMinutes");
    program->open("hoursToMinutes");
    auto *slot = hoursToMinutes->findChild<PictureBox *>("processSlot");
    QCOMPARE(QAccessible::queryAccessibleInterface(slot)->role(), QAccessible::Graphic);
    QCOMPARE(accessibleName(slot), QString::fromUtf8("Блок 3 блок-схемы: пусто"));
    QVERIFY(dropAt(hoursToMinutes, hoursToMinutes->findChild<PictureBox *>("rectanglePiece"), slot->geometry().topLeft() + QPoint(6, 6)));
    QCOMPARE(accessibleName(slot), QString::fromUtf8("Блок 3 блок-схемы: прямоугольник"));
}

void AccessibilityTest::keyboardDropsTakeTheMousePath()
{
    // Each board: the existing controls keep their order, pieces and slots follow.
    const QStringList slotNames = {"startSlot", "inputSlot", "processSlot", "outputSlot", "endSlot"};
    const struct { const char *page, *last; QStringList pieces; } chains[] = {
        {"orangeCost", "restartButton", {"startPiece", "quantityPiece", "costPiece", "costFormulaPiece", "endPiece"}},
        {"hoursToMinutes", "doneButton", {"ovalPiece", "parallelogramPiece", "rectanglePiece", "diamondPiece"}}};
    for (const auto &chain : chains) {
        program->open(chain.page);
        QWidget *after = program->window(chain.page)->findChild<QWidget *>(chain.last);
        for (const QString &name : chain.pieces + slotNames) {
            QWidget *next = after->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next->objectName(), name);
            QCOMPARE(next->focusPolicy(), Qt::TabFocus); // a click gives no focus, as before
            after = next;
        }
    }
    HoursToMinutesTask *hoursToMinutes = program->page<HoursToMinutesTask>("hoursToMinutes");
    QVERIFY(QTest::qWaitForWindowActive(hoursToMinutes));
    auto *oval = hoursToMinutes->findChild<PictureBox *>("ovalPiece");
    auto *diamond = hoursToMinutes->findChild<PictureBox *>("diamondPiece");
    auto *start = hoursToMinutes->findChild<PictureBox *>("startSlot");
    KeyboardDrag *drag = KeyboardDrag::of(hoursToMinutes);
    enter(start); // nothing held: nothing happens
    QVERIFY(!hoursToMinutes->board().isRight(0));
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
    QVERIFY(!hoursToMinutes->board().isRight(0));
    enter(oval);
    enter(start);
    QVERIFY(hoursToMinutes->board().isRight(0));
    QVERIFY(!drag->held());
    enter(diamond);
    enter(hoursToMinutes->findChild<PictureBox *>("inputSlot"));
    QCOMPARE(hoursToMinutes->board().wrongDropCount(), 1);

    // Label board: a caption leaves the column; a caption of another form,
    // or one already dropped, is refused as the mouse's would be.
    LabelBoardTask *orangeCost = program->page<LabelBoardTask>("orangeCost");
    program->open("orangeCost");
    auto *startPiece = orangeCost->findChild<DragLabel *>("startPiece");
    auto *startSlot = orangeCost->findChild<PictureBox *>("startSlot");
    KeyboardDrag::of(hoursToMinutes)->pickUp(hoursToMinutes->findChild<PictureBox *>("ovalPiece"));
    enter(startSlot);
    QCOMPARE(orangeCost->board()->correctDrops(), 0);
    enter(startPiece);
    enter(startSlot);
    QVERIFY(startPiece->isHidden());
    QCOMPARE(orangeCost->board()->correctDrops(), 1);
    QCOMPARE(accessibleName(startSlot), QString::fromUtf8("Блок 1 блок-схемы: Начало"));
    KeyboardDrag::of(orangeCost)->pickUp(startPiece);
    enter(orangeCost->findChild<PictureBox *>("inputSlot"));
    QVERIFY(orangeCost->findChild<QLabel *>("inputSlotText")->text().isEmpty());
}

void AccessibilityTest::formsAreWindowsAndPanelsDoNotHideTheirButtons()
{
    QStringList wrong;
    for (QWidget *window : program->windows()) {
        if (qobject_cast<PageWindow *>(window)) {
            QAccessibleInterface *form = QAccessible::queryAccessibleInterface(window);
            if (form->role() != QAccessible::Window || form->text(QAccessible::Name) != window->windowTitle())
                wrong << window->objectName();
        }
        // A frame that holds controls is a grouping: as a frame Orca takes
        // it for an inactive window and stays silent about the button in
        // it. A bare line holds nothing and is no grouping.
        for (QFrame *frame : window->findChildren<QFrame *>()) {
            if (qobject_cast<QLabel *>(frame) || qobject_cast<QAbstractScrollArea *>(frame))
                continue;
            const bool holdsControls = !frame->findChildren<QWidget *>().isEmpty();
            if ((QAccessible::queryAccessibleInterface(frame)->role() == QAccessible::Grouping) != holdsControls)
                wrong << window->objectName() + QLatin1Char('.') + frame->objectName();
        }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1String(", "))));
    auto *check = program->page<HoursToMinutesTask>("hoursToMinutes")->findChild<QPushButton *>("checkButton");
    QCOMPARE(QAccessible::queryAccessibleInterface(check)->parent()->role(), QAccessible::Grouping);
}

void AccessibilityTest::everyKeyboardStepIsAnnounced()
{
    // A page whose "ОК" is there from the start says nothing as it opens.
    program->open("flowchartElements");
    QWidget *page = program->window("flowchartElements");
    QVERIFY(QTest::qWaitForWindowExposed(page));
    QCOMPARE(heard(page), QString());

    HoursToMinutesTask *hoursToMinutes = program->page<HoursToMinutesTask>("hoursToMinutes");
    program->open("hoursToMinutes");
    auto *start = hoursToMinutes->findChild<PictureBox *>("startSlot");
    auto *check = hoursToMinutes->findChild<QPushButton *>("checkButton");
    enter(start);
    QCOMPARE(heard(hoursToMinutes), QString::fromUtf8("Ничего не взято."));
    check->click();
    QCOMPARE(heard(hoursToMinutes), QString::fromUtf8("Блок-схема ещё не собрана верно."));
    enter(hoursToMinutes->findChild<PictureBox *>("diamondPiece"));
    QCOMPARE(heard(hoursToMinutes), QString::fromUtf8("Взята фигура: Ромб."));
    QTest::keyClick(start, Qt::Key_Escape);
    QCOMPARE(heard(hoursToMinutes), QString::fromUtf8("Положена на место: Ромб."));
    enter(hoursToMinutes->findChild<PictureBox *>("diamondPiece"));
    enter(start);
    QCOMPARE(heard(hoursToMinutes), QString::fromUtf8("Взята фигура: Ромб. Блок 1 блок-схемы: ромб."));
    hoursToMinutes->findChild<QPushButton *>("clearButton")->click();
    QCOMPARE(heard(hoursToMinutes), QString::fromUtf8("Блок-схема очищена, все блоки пусты."));
    const char *const solution[][2] = {{"rectanglePiece", "startSlot"}, {"ovalPiece", "startSlot"},
                                       {"parallelogramPiece", "inputSlot"}, {"rectanglePiece", "processSlot"},
                                       {"parallelogramPiece", "outputSlot"}, {"ovalPiece", "endSlot"}};
    for (const auto &drop : solution) {
        enter(hoursToMinutes->findChild<PictureBox *>(drop[0]));
        enter(hoursToMinutes->findChild<PictureBox *>(drop[1]));
    }
    QVERIFY(heard(hoursToMinutes).endsWith(QString::fromUtf8("Блок 5 блок-схемы: овал.")));
    check->click();
    QCOMPARE(heard(hoursToMinutes), QString::fromUtf8("Количество ошибок: 1. Задание выполнено, появилась кнопка «ОК»."));
    check->click(); // "ОК" is there already: the count alone
    QCOMPARE(heard(hoursToMinutes), QString::fromUtf8("Количество ошибок: 1."));

    // The mark is heard with its button, and only once it is shown.
    auto *hoursToMinutesButton = program->mainWindow()->findChild<QPushButton *>("hoursToMinutesButton");
    auto *orangeCostButton = program->mainWindow()->findChild<QPushButton *>("orangeCostButton");
    QCOMPARE(hoursToMinutesButton->accessibleDescription(), QString());
    hoursToMinutes->findChild<QPushButton *>("doneButton")->click();
    QCOMPARE(hoursToMinutesButton->accessibleDescription(), QString::fromUtf8("Выполнено"));
    QCOMPARE(orangeCostButton->accessibleDescription(), QString());

    // Label board: the drop says what the slot shows; the restart is heard.
    LabelBoardTask *orangeCost = program->page<LabelBoardTask>("orangeCost");
    program->open("orangeCost");
    enter(orangeCost->findChild<DragLabel *>("endPiece"));
    QCOMPARE(heard(orangeCost), QString::fromUtf8("Взята надпись: Конец."));
    enter(orangeCost->findChild<PictureBox *>("endSlot"));
    QCOMPARE(heard(orangeCost), QString::fromUtf8("Блок 5 блок-схемы: Конец."));
    orangeCost->findChild<QPushButton *>("restartButton")->click();
    QCOMPARE(heard(orangeCost), QString::fromUtf8("Блок-схема очищена, все надписи снова в столбце."));

    // A typed answer: the box reads its expression; a right answer is taken.
    auto *expressionNotation = program->window("expressionNotation");
    program->open("expressionNotation");
    auto *edit = expressionNotation->findChild<QLineEdit *>("expression1Edit");
    QCOMPARE(edit->accessibleDescription(), QString::fromUtf8("Выражение 1: 5a больше m/2"));
    edit->setText(QStringLiteral("5*a>m/2"));
    expressionNotation->findChild<QPushButton *>("expression1CheckButton")->click();
    QCOMPARE(heard(expressionNotation), QString::fromUtf8("Ответ принят."));

    // Task 9 shows nothing for a formula it does not take; it is heard.
    QWidget *formulaNotation = program->window("formulaNotation");
    program->open("formulaNotation");
    auto *formula = formulaNotation->findChild<QLineEdit *>("formula1Edit");
    QVERIFY(formula->accessibleDescription().startsWith(QString::fromUtf8("Формула 1: y = x /")));
    formula->setText(QStringLiteral("Y:=X"));
    formulaNotation->findChild<QPushButton *>("formula1CheckButton")->click();
    QCOMPARE(heard(formulaNotation), QString::fromUtf8("Ответ не принят."));
}

// An announcer made just after another object went (a message box's text,
// say) takes an id of its own: Orca, which still knows the gone object's
// id as a label's, would not read the announcements.
void AccessibilityTest::announcementsTakeAnIdOfTheirOwn()
{
    QWidget *window = program->window("cosineLaw");
    auto *gone = new QLabel(window);
    const QAccessible::Id goneId = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(gone));
    delete gone;
    ScreenReader::announce(window, QStringLiteral("Ничего не взято."));
    auto *announcer = window->findChild<QWidget *>(QStringLiteral("screenReaderAnnouncer"));
    QVERIFY(announcer);
    QVERIFY(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(announcer)) != goneId);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
