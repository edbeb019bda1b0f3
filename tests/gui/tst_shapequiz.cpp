// Task 1: the five-question test on the flowchart shapes.

#include "GuiTest.h"

#include "ActivationTracker.h"
#include "MainWindow.h"
#include "ShapeQuizTask.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Harness;

namespace {

const int RightOptions[] = {3, 7, 10, 13, 18};

} // namespace

class ShapeQuizTest : public GuiTest
{
    Q_OBJECT

private:
    ShapeQuizTask *task() const { return program->page<ShapeQuizTask>("shapeQuiz"); }
    // Options are numbered 1..20 through the five questions, each question's
    // four in the order Эллипс, Прямоугольник, Параллелограмм, Ромб.
    QRadioButton *option(int number) const
    {
        static const char *const shapes[] = {"Oval", "Rectangle", "Parallelogram", "Diamond"};
        const QString name = QStringLiteral("question%1%2Option").arg((number - 1) / 4 + 1).arg(shapes[(number - 1) % 4]);
        return task()->findChild<QRadioButton *>(name);
    }
    // Selects an option as the pupil does, by a click on its circle.
    void choose(int number) const
    {
        QRadioButton *radio = option(number);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    }
    QPushButton *button(const char *name) const { return task()->findChild<QPushButton *>(QLatin1String(name)); }
    QString status() const { return task()->findChild<QLabel *>(QStringLiteral("statusLabel"))->text(); }
    QPushButton *okButton() const { return button("doneButton"); }
    void check() const { click(button("checkButton")); }
    void chooseAllRight() const
    {
        for (int number : RightOptions)
            choose(number);
    }
    void openTest() const
    {
        chooseMenu(*program, "shapeQuizAction");
        QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(task()));
    }

private slots:
    // Each test starts on the open quiz.
    void init()
    {
        program = startProgram();
        openTest();
    }

    void rightAnswersShowOkWhichShowsTheMark();
    void wrongSelectionsAreCountedOnceEach();
    void wrongOptionAfterTheRightOneClearsTheQuestion();
    void keyboardSelectionCountsLikeTheMouse();
    void againClearsSelectionsSilentlyAndKeepsOk();
    void returningToTheTestAsksForTheRightAnswersAnew();
};

void ShapeQuizTest::rightAnswersShowOkWhichShowsTheMark()
{
    QCOMPARE(status(), QString::fromUtf8("Если Вы ответите верно, то появится кнопка ОК"));
    check(); // nothing selected yet
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 0"));
    QVERIFY(okButton()->isHidden());

    chooseAllRight();
    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 0"));
    QVERIFY(!okButton()->isHidden());
    QCOMPARE(okButton()->text(), QStringLiteral("OK")); // Latin letters
    click(okButton());
    QVERIFY(task()->isHidden());
    QVERIFY(program->mainWindow()->isMarkShown("shapeQuiz"));
}

void ShapeQuizTest::wrongSelectionsAreCountedOnceEach()
{
    choose(1); // Эллипс in question 1
    choose(1); // already selected: nothing fires
    choose(3); // then the right one
    QCOMPARE(task()->errorCount(), 1);
    QVERIFY(task()->isRight(0));
    choose(3);
    QCOMPARE(task()->errorCount(), 1);

    for (int number : {5, 6, 8}) // question 2: three wrong options in turn
        choose(number);
    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 4"));
    QVERIFY(okButton()->isHidden());
}

void ShapeQuizTest::wrongOptionAfterTheRightOneClearsTheQuestion()
{
    chooseAllRight();
    choose(2); // question 1: Прямоугольник after Параллелограмм
    QVERIFY(!task()->isRight(0));
    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QVERIFY2(okButton()->isHidden(), "a wrong answer is selected in question 1");

    choose(3);
    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QVERIFY(!okButton()->isHidden());
}

void ShapeQuizTest::keyboardSelectionCountsLikeTheMouse()
{
    choose(9); // question 3: Эллипс, wrong
    option(9)->setFocus();
    QTest::keyClick(option(9), Qt::Key_Down); // to Прямоугольник, the right one
    QVERIFY(option(10)->isChecked());
    QVERIFY(task()->isRight(2));
    QCOMPARE(task()->errorCount(), 1);
    QTest::keyClick(option(10), Qt::Key_Right); // across to Ромб, a wrong one
    QVERIFY(option(12)->isChecked());
    QVERIFY(!task()->isRight(2));
    QCOMPARE(task()->errorCount(), 2);
}

void ShapeQuizTest::againClearsSelectionsSilentlyAndKeepsOk()
{
    choose(4);
    chooseAllRight();
    check();
    QVERIFY(!okButton()->isHidden());

    click(button("restartButton"));
    QCOMPARE(status(), QString());
    QCOMPARE(task()->errorCount(), 0); // clearing counted nothing
    for (int number = 1; number <= 20; ++number)
        QVERIFY2(!option(number)->isChecked(), qPrintable(QString::number(number)));
    for (int question = 0; question < 5; ++question)
        QVERIFY(!task()->isRight(question));
    QVERIFY(!okButton()->isHidden());

    // A cleared group takes a new selection at the first click.
    choose(1);
    QCOMPARE(task()->errorCount(), 1);
    QVERIFY(option(1)->isChecked());
}

void ShapeQuizTest::returningToTheTestAsksForTheRightAnswersAnew()
{
    choose(14);
    chooseAllRight();
    program->mainWindow()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->mainWindow()));
    task()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(task()));

    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QVERIFY(okButton()->isHidden());
    QVERIFY(option(3)->isChecked()); // the selections stay

    // Closing and reopening keeps the count and the status line too.
    task()->close();
    openTest();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QCOMPARE(task()->errorCount(), 1);
    for (int question = 0; question < 5; ++question)
        QVERIFY(!task()->isRight(question));
}

QTEST_MAIN(ShapeQuizTest)
#include "tst_shapequiz.moc"
