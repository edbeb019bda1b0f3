// The four typed-answer exercises side by side: one line of each judged
// wrong, then right, then reopened by "Заново", each by its own rules.

#include "Harness.h"

#include "MainWindow.h"
#include "TypedAnswerTask.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Harness;

class TypedAnswersTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { program = startProgram(); }
    void cleanup() { stopProgram(program); }
    void oneLineByTheRulesOfItsExercise_data();
    void oneLineByTheRulesOfItsExercise();

private:
    std::unique_ptr<ProgramWindows> program;
};

void TypedAnswersTest::oneLineByTheRulesOfItsExercise_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("line"); // the name its edit, button and mark start with
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("shown");   // the right answer as the box then shows it
    QTest::addColumn<QString>("message"); // the box a wrong answer brings, if any
    QTest::addColumn<QString>("afterWrong"); // what the box shows after "x1"
    QTest::addColumn<bool>("boxLocked");  // a right answer locks the box too
    QTest::addColumn<bool>("markStays");  // "Заново" keeps the line's mark

    QTest::newRow("task 2") << "assignmentStatements" << "statement2" << "c:=b+a" << "C:=B+A"
                            << QString::fromUtf8("Вы неверно решили задачу") << "" << true << true;
    QTest::newRow("task 3") << "tracingAssignments" << "sequence2" << "3" << "3" << QString() << "x1" << true
                            << false;
    QTest::newRow("task 8") << "expressionNotation" << "expression3" << "sqr(a)*3.2" << "SQR(A)*3.2"
                            << QString::fromUtf8("Задача решена неверно") << "X1" << true << false;
    QTest::newRow("task 9") << "formulaNotation" << "formula3"
                            << "z:=(1+2.5*y2)*(x+y*y*y/(x*x+14))/(sin(x)*sin(x)+1/sqrt(x1+y*y))"
                            << "Z:=(1+2.5*Y2)*(X+Y*Y*Y/(X*X+14))/(SIN(X)*SIN(X)+1/SQRT(X1+Y*Y))" << QString()
                            << "X1" << false << false;
}

void TypedAnswersTest::oneLineByTheRulesOfItsExercise()
{
    QFETCH(QString, page);
    QFETCH(QString, line);
    QFETCH(QString, right);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    QFETCH(QString, afterWrong);
    QFETCH(bool, boxLocked);
    QFETCH(bool, markStays);
    program->open(page);
    QWidget *form = program->window(page);
    auto *edit = form->findChild<QLineEdit *>(line + "Edit");
    auto *check = form->findChild<QPushButton *>(line + "CheckButton");
    QWidget *mark = form->findChild<QWidget *>(line + "Mark");
    auto *restart = form->findChild<QPushButton *>("restartButton");
    QVERIFY(edit && check);

    {
        MessageSpy boxes(*program);
        type(edit, "x1");
        click(check);
        QCOMPARE(boxes.texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(edit->text(), afterWrong);
        QVERIFY(check->isEnabled());
    }
    edit->clear();
    type(edit, right);
    click(check);
    QCOMPARE(edit->text(), shown);
    QVERIFY(!check->isEnabled());
    QCOMPARE(edit->isEnabled(), !boxLocked);
    if (mark)
        QVERIFY(mark->isVisible());
    QVERIFY(!program->page<TypedAnswerTask>(page)->answers().allSolved());

    if (!restart)
        return; // Task 8 has no "Заново"
    click(restart);
    QVERIFY(edit->text().isEmpty() && edit->isEnabled() && check->isEnabled());
    if (mark)
        QCOMPARE(mark->isVisible(), markStays);
}

QTEST_MAIN(TypedAnswersTest)
#include "tst_typedanswers.moc"
