// Task 1: the five-question test on the flowchart shapes.

#include "Harness.h"

#include "FormActivation.h"
#include "UnitGlav.h"
#include "UnitZad1.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Harness;

namespace {

QRadioButton *option(int number)
{
    return FmZ1->findChild<QRadioButton *>(QStringLiteral("RadioButton%1").arg(number));
}

// Selects an option as the learner does, by a click on its circle.
void choose(int number)
{
    QRadioButton *radio = option(number);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

QPushButton *button(const char *name) { return FmZ1->findChild<QPushButton *>(QLatin1String(name)); }
QString status() { return FmZ1->findChild<QLabel *>(QStringLiteral("Label6"))->text(); }
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
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(FmZ1));
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
    QVERIFY(FmZ1->isHidden());
    QVERIFY(Form1->isMarkShown("Image2"));
}

void Task1Test::wrongSelectionsAreCountedOnceEach()
{
    choose(1); // Эллипс in question 1
    choose(1); // already selected: nothing fires
    choose(3); // then the right one
    QCOMPARE(FmZ1->errorCount(), 1);
    QVERIFY(FmZ1->isRight(0));
    choose(3);
    QCOMPARE(FmZ1->errorCount(), 1);

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
    QVERIFY(!FmZ1->isRight(0));
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
    QVERIFY(FmZ1->isRight(2));
    QCOMPARE(FmZ1->errorCount(), 1);
    QTest::keyClick(option(10), Qt::Key_Right); // across to Ромб, a wrong one
    QVERIFY(option(12)->isChecked());
    QVERIFY(!FmZ1->isRight(2));
    QCOMPARE(FmZ1->errorCount(), 2);
}

void Task1Test::againClearsSelectionsSilentlyAndKeepsOk()
{
    choose(4);
    chooseAllRight();
    check();
    QVERIFY(!okButton()->isHidden());

    click(button("Button3"));
    QCOMPARE(status(), QString());
    QCOMPARE(FmZ1->errorCount(), 0); // clearing counted nothing
    for (int number = 1; number <= 20; ++number)
        QVERIFY2(!option(number)->isChecked(), qPrintable(QString::number(number)));
    for (int question = 0; question < 5; ++question)
        QVERIFY(!FmZ1->isRight(question));
    QVERIFY(!okButton()->isHidden());

    // A cleared group takes a new selection at the first click.
    choose(1);
    QCOMPARE(FmZ1->errorCount(), 1);
    QVERIFY(option(1)->isChecked());
}

void Task1Test::returningToTheTestAsksForTheRightAnswersAnew()
{
    choose(14);
    chooseAllRight();
    Form1->activateWindow();
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(Form1));
    FmZ1->activateWindow();
    QTRY_COMPARE(FormActivation::instance().activeForm(), static_cast<QWidget *>(FmZ1));

    check();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QVERIFY(okButton()->isHidden());
    QVERIFY(option(3)->isChecked()); // the selections stay

    // Closing and reopening keeps the count and the status line too.
    FmZ1->close();
    openTest();
    QCOMPARE(status(), QString::fromUtf8("Количество ошибок: 1"));
    QCOMPARE(FmZ1->errorCount(), 1);
    for (int question = 0; question < 5; ++question)
        QVERIFY(!FmZ1->isRight(question));
}

QTEST_MAIN(Task1Test)
#include "tst_task1.moc"
