// Task 9: three formulas written as assignments in program notation.

#include "Harness.h"

#include "ActivationTracker.h"
#include "TypedAnswerTask.h"
#include "MainWindow.h"
#include "PictureBox.h"
#include "TheoryPage.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QCursor>
#include <QTest>

using namespace Harness;

namespace {

const QString key1 = QStringLiteral("Y:=X/(X*X+3/(X*X+9/(X*X+18/(X*X+36/(X*X)))))");
const QString key1Sqr = QStringLiteral("Y:=X/(SQR(X)+3/(SQR(X)+9/(SQR(X)+18/(SQR(X)+36/SQR(X)))))");
const QString key2 = QStringLiteral(
    "T:=(SQRT(ABS(X4-1))-SQRT(ABS(Y*Y)))/SQRT(1+X2*X2*X2*X2/4+Y3*Y3*Y3/3)+(SIN(X)/COS(X)+X*X)*SQRT(23*SIN(X))");
const QString key3 = QStringLiteral("Z:=(1+2.5*Y2)*(X+Y*Y*Y/(X*X+14))/(SIN(X)*SIN(X)+1/SQRT(X1+Y*Y))");
const QString keys[3] = {key1, key2, key3};

QString replaced(QString text, const char *from, const char *to)
{
    return text.replace(QString::fromUtf8(from), QString::fromUtf8(to));
}

} // namespace

class FormulaNotationTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        program = startProgram();
        chooseMenu(*program, "formulaNotationAction");
    }
    void cleanup() { stopProgram(program); }

    void formulasAcceptExactlyTheirKeys_data();
    void formulasAcceptExactlyTheirKeys();
    void typedAnswerInSmallLettersWithBlanksIsRight();
    void okAppearsWithTheThirdMarkInAnyOrderAndStays();
    void restartClearsTheFormAndOpensEveryCheckAgain();
    void activationPutsTheFocusIntoTheFirstBox();
    void referenceOpensWithoutChangingTheAnswers();

private:
    QWidget *task() const { return program->page<TypedAnswerTask>("formulaNotation"); }
    // formula 1..3: its edit box, its "Проверить" and its mark
    QLineEdit *edit(int f) const { return task()->findChild<QLineEdit *>(QStringLiteral("formula%1Edit").arg(f)); }
    QPushButton *check(int f) const
    {
        return task()->findChild<QPushButton *>(QStringLiteral("formula%1CheckButton").arg(f));
    }
    PictureBox *mark(int f) const { return task()->findChild<PictureBox *>(QStringLiteral("formula%1Mark").arg(f)); }
    QPushButton *button(const char *name) const { return task()->findChild<QPushButton *>(QLatin1String(name)); }

    // Puts `text` into the box as if pasted and presses its "Проверить";
    // returns the texts of any message boxes.
    QStringList answer(int f, const QString &text) const
    {
        MessageSpy spy(*program);
        edit(f)->setText(text);
        click(check(f));
        return spy.texts;
    }

    std::unique_ptr<ProgramWindows> program;
};

void FormulaNotationTest::formulasAcceptExactlyTheirKeys_data()
{
    QTest::addColumn<int>("formula");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("right");
    QTest::newRow("1 x*x") << 1 << key1 << true;
    QTest::newRow("1 sqr") << 1 << key1Sqr << true;
    QTest::newRow("1 small letters") << 1 << key1Sqr.toLower() << true;
    // 36/X*X is 36, not 36 over x squared
    QTest::newRow("1 36/X*X") << 1 << QStringLiteral("Y:=X/(X*X+3/(X*X+9/(X*X+18/(X*X+36/X*X))))") << false;
    QTest::newRow("1 mixed x*x and sqr") << 1 << replaced(key1, "36/(X*X)", "36/SQR(X)") << false;
    QTest::newRow("1 square as X^2") << 1 << replaced(key1, "X*X", "X^2") << false;
    QTest::newRow("1 cyrillic Y and X") << 1 << replaced(key1, "Y:=X", "У:=Х") << false;
    QTest::newRow("1 pasted blank") << 1 << replaced(key1, ":=", " := ") << false;
    QTest::newRow("1 = for :=") << 1 << replaced(key1, ":=", "=") << false;
    QTest::newRow("1 empty") << 1 << QString() << false;
    QTest::newRow("2 key") << 2 << key2 << true;
    QTest::newRow("2 small letters") << 2 << key2.toLower() << true;
    QTest::newRow("2 misplaced bracket")
        << 2
        << QStringLiteral("T:=(SQRT(ABS(X4-1))-SQRT(ABS(Y*Y)))/SQRT(1+X2*X2*X2*X2)/4+Y3*Y3*Y3/3)+(SIN(X)/COS(X)+X*X)*"
                          "SQRT(23*SIN(X)")
        << false;
    QTest::newRow("2 tangent as TG") << 2 << replaced(key2, "SIN(X)/COS(X)", "TG(X)") << false;
    QTest::newRow("2 tangent as TAN") << 2 << replaced(key2, "SIN(X)/COS(X)", "TAN(X)") << false;
    QTest::newRow("2 sqr for y*y") << 2 << replaced(key2, "ABS(Y*Y)", "ABS(SQR(Y))") << false;
    QTest::newRow("2 cyrillic T") << 2 << replaced(key2, "T:=", "Т:=") << false;
    QTest::newRow("2 terms swapped") << 2 << replaced(key2, "+(SIN(X)/COS(X)+X*X)", "+(X*X+SIN(X)/COS(X))") << false;
    QTest::newRow("3 key") << 3 << key3 << true;
    QTest::newRow("3 decimal comma") << 3 << replaced(key3, "2.5", "2,5") << false;
    QTest::newRow("3 redundant brackets") << 3 << replaced(key3, "(1+2.5*Y2)", "(1+(2.5*Y2))") << false;
    QTest::newRow("3 factors swapped") << 3 << replaced(key3, "2.5*Y2", "Y2*2.5") << false;
    QTest::newRow("3 sqr of sin") << 3 << replaced(key3, "SIN(X)*SIN(X)", "SQR(SIN(X))") << false;
    QTest::newRow("3 cyrillic H in SIN") << 3 << replaced(key3, "SIN", "SIН") << false;
    QTest::newRow("3 trailing blank") << 3 << key3 + QLatin1Char(' ') << false;
}

void FormulaNotationTest::formulasAcceptExactlyTheirKeys()
{
    QFETCH(int, formula);
    QFETCH(QString, text);
    QFETCH(bool, right);
    QVERIFY(answer(formula, text).isEmpty()); // right or wrong, no message
    QCOMPARE(edit(formula)->text(), text.toUpper());
    QVERIFY(edit(formula)->isEnabled());
    QCOMPARE(check(formula)->isEnabled(), !right);
    QCOMPARE(mark(formula)->isHidden(), !right);
    for (int other = 1; other <= 3; ++other) {
        if (other != formula) {
            QVERIFY(check(other)->isEnabled());
            QVERIFY(mark(other)->isHidden());
        }
    }
    QVERIFY(button("doneButton")->isHidden());
}

void FormulaNotationTest::typedAnswerInSmallLettersWithBlanksIsRight()
{
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit(1)));
    type(edit(1), QStringLiteral("y := x / (x*x + 3 / (x*x + 9 / (x*x + 18 / (x*x + 36 / (x*x)))))"));
    QCOMPARE(edit(1)->text(), key1.toLower()); // the blanks never reach the box
    click(check(1));
    QCOMPARE(edit(1)->text(), key1);
    QVERIFY(!mark(1)->isHidden());
}

void FormulaNotationTest::okAppearsWithTheThirdMarkInAnyOrderAndStays()
{
    for (int f : {2, 3}) {
        answer(f, keys[f - 1]);
        QVERIFY(button("doneButton")->isHidden());
    }
    answer(1, key1Sqr);
    QVERIFY(!button("doneButton")->isHidden());

    task()->close();
    QVERIFY(!program->mainWindow()->isMarkShown("formulaNotation"));
    chooseMenu(*program, "formulaNotationAction");
    QVERIFY(!button("doneButton")->isHidden());
    for (int f = 1; f <= 3; ++f) {
        QVERIFY(!mark(f)->isHidden());
        QVERIFY(!check(f)->isEnabled());
    }
    click(button("doneButton"));
    QVERIFY(task()->isHidden());
    QVERIFY(program->mainWindow()->isMarkShown("formulaNotation"));
}

void FormulaNotationTest::restartClearsTheFormAndOpensEveryCheckAgain()
{
    answer(1, key1);
    answer(2, key2);
    edit(3)->setText(QStringLiteral("z:=1"));
    click(button("restartButton"));
    for (int f = 1; f <= 3; ++f) {
        QVERIFY(edit(f)->text().isEmpty());
        QVERIFY(mark(f)->isHidden());
        QVERIFY(check(f)->isEnabled());
    }
    QVERIFY(button("doneButton")->isHidden());

    // the task can still be completed in this run
    for (int f : {3, 1, 2})
        answer(f, keys[f - 1]);
    QVERIFY(!button("doneButton")->isHidden());

    // once shown, "OK" survives a restart
    click(button("restartButton"));
    QVERIFY(!button("doneButton")->isHidden());
    QVERIFY(mark(1)->isHidden());
}

void FormulaNotationTest::activationPutsTheFocusIntoTheFirstBox()
{
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit(1)));
    edit(3)->setFocus();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit(3)));

    // to the main form and back
    program->mainWindow()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->mainWindow()));
    task()->activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit(1)));

    // to the reference form and back
    edit(2)->setFocus();
    click(button("referenceButton"));
    program->window("mathReference")->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->window("mathReference")));
    task()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(task()));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit(1)));

    // Back by clicking into the third box: the window system may report the
    // activation while the button is still down; the click keeps its box.
    program->window("mathReference")->close();
    program->mainWindow()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->mainWindow()));
    const QPoint inThird = edit(3)->rect().center();
    QCursor::setPos(edit(3)->mapToGlobal(inThird));
    QTest::mousePress(edit(3), Qt::LeftButton, Qt::NoModifier, inThird);
    task()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(task()));
    QTest::mouseRelease(edit(3), Qt::LeftButton, Qt::NoModifier, inThird);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit(3)));
}

void FormulaNotationTest::referenceOpensWithoutChangingTheAnswers()
{
    answer(2, key2);
    edit(1)->setText(QStringLiteral("y:=x/("));
    click(button("referenceButton"));
    QVERIFY(program->window("mathReference")->isVisible());
    QVERIFY(task()->isVisible());
    QCOMPARE(edit(1)->text(), QStringLiteral("y:=x/("));
    QCOMPARE(edit(2)->text(), key2);
    QVERIFY(!check(2)->isEnabled());
    QVERIFY(check(1)->isEnabled());
    QVERIFY(!mark(2)->isHidden());
    QVERIFY(program->window("mathReference")->minimumSize() == program->window("mathReference")->maximumSize()); // the reference can't be resized
}

QTEST_MAIN(FormulaNotationTest)
#include "tst_formulanotation.moc"
