// Task 1: the five-question test on the flowchart shapes.

#include "Harness.h"

#include "FormActivation.h"
#include "MainWindow.h"
#include "ShapeQuizTask.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Harness;

namespace {

QRadioButton *option(int number)
{
    return shapeQuizTask->findChild<QRadioButton *>(QStringLiteral("RadioButton%1").arg(number));
}

// Selects an option as the learner does, by a click on its circle.
void choose(int number)
{
    QRadioButton *radio = option(number);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

QPushButton *button(const char *name) { return shapeQuizTask->findChild<QPushButton *>(QLatin1String(name)); }
QString status() { return shapeQuizTask->findChild<QLabel *>(QStringLiteral("Label6"))->text(); }
QPushButton *okButton() { return button("Button1"); }
void check() { click(button("Button2")); }

const int RightOptions[] = {3, 7, 10, 13, 18};

void chooseAllRight()
{
    for (int number : RightOptions)
        choose(number);
}

void openTest()
{
    chooseMenu("N11");
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(shapeQuizTask));
}

} // namespace

class Task1Test : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        startProgram();
        openTest();
    }
    void cleanup() { stopProgram(); }

    void rightAnswersShowOkWhichShowsTheMark();
    void wrongSelectionsAreCountedOnceEach();
    void wrongOptionAfterTheRightOneClearsTheQuestion();
    void keyboardSelectionCountsLikeTheMouse();
    void againClearsSelectionsSilentlyAndKeepsOk();
    void returningToTheTestAsksForTheRightAnswersAnew();
};

void Task1Test::rightAnswersShowOkWhichShowsTheMark()
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
    QVERIFY(shapeQuizTask->isHidden());
    QVERIFY(mainWindow->isMarkShown("Image2"));
}

void Task1Test::wrongSelectionsAreCountedOnceEach()
{
    choose(1); // Эллипс in question 1
    choose(1); // already selected: nothing fires
    choose(3); // then the right one
    QCOMPARE(shapeQuizTask->errorCount(), 1);
    QVERIFY(shapeQuizTask->isRight(0));
    choose(3);
    QCOMPARE(shapeQuizTask->errorCount(), 1);

    for (int number : {5, 6, 8}) // question 2: three wrong options in turn
        choose(number);
    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 4"));
    QVERIFY(okButton()->isHidden());
}

void Task1Test::wrongOptionAfterTheRightOneClearsTheQuestion()
{
    chooseAllRight();
    choose(2); // question 1: Прямоугольник after Параллелограмм
    QVERIFY(!shapeQuizTask->isRight(0));
    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QVERIFY2(okButton()->isHidden(), "a wrong answer is selected in question 1");

    choose(3);
    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QVERIFY(!okButton()->isHidden());
}

void Task1Test::keyboardSelectionCountsLikeTheMouse()
{
    choose(9); // question 3: Эллипс, wrong
    option(9)->setFocus();
    QTest::keyClick(option(9), Qt::Key_Down); // to Прямоугольник, the right one
    QVERIFY(option(10)->isChecked());
    QVERIFY(shapeQuizTask->isRight(2));
    QCOMPARE(shapeQuizTask->errorCount(), 1);
    QTest::keyClick(option(10), Qt::Key_Right); // across to Ромб, a wrong one
    QVERIFY(option(12)->isChecked());
    QVERIFY(!shapeQuizTask->isRight(2));
    QCOMPARE(shapeQuizTask->errorCount(), 2);
}

void Task1Test::againClearsSelectionsSilentlyAndKeepsOk()
{
    choose(4);
    chooseAllRight();
    check();
    QVERIFY(!okButton()->isHidden());

    click(button("Button3"));
    QCOMPARE(status(), QString());
    QCOMPARE(shapeQuizTask->errorCount(), 0); // clearing counted nothing
    for (int number = 1; number <= 20; ++number)
        QVERIFY2(!option(number)->isChecked(), qPrintable(QString::number(number)));
    for (int question = 0; question < 5; ++question)
        QVERIFY(!shapeQuizTask->isRight(question));
    QVERIFY(!okButton()->isHidden());

    // A cleared group takes a new selection at the first click.
    choose(1);
    QCOMPARE(shapeQuizTask->errorCount(), 1);
    QVERIFY(option(1)->isChecked());
}

void Task1Test::returningToTheTestAsksForTheRightAnswersAnew()
{
    choose(14);
    chooseAllRight();
    mainWindow->activateWindow();
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(mainWindow));
    shapeQuizTask->activateWindow();
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(shapeQuizTask));

    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QVERIFY(okButton()->isHidden());
    QVERIFY(option(3)->isChecked()); // the selections stay

    // Closing and reopening keeps the count and the status line too.
    shapeQuizTask->close();
    openTest();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QCOMPARE(shapeQuizTask->errorCount(), 1);
    for (int question = 0; question < 5; ++question)
        QVERIFY(!shapeQuizTask->isRight(question));
}

QTEST_MAIN(Task1Test)
#include "tst_task1.moc"
