// Task 3: the value of a after four sequences of assignments.

#include "Harness.h"

#include "PictureBox.h"
#include "MainWindow.h"
#include "TypedAnswerTask.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Harness;

namespace {

// The answers of sub-problems 1 to 4.
const char *const Answers[] = {"4", "3", "4", "0"};

} // namespace

class TracingAssignmentsTest : public QObject
{
    Q_OBJECT

private:
    QWidget *task() const { return program->page<TypedAnswerTask>("tracingAssignments"); }
    // Edit, check button and mark of sub-problems 0 to 3.
    QLineEdit *edit(int index) const
    {
        return task()->findChild<QLineEdit *>(QStringLiteral("sequence%1Edit").arg(index + 1));
    }
    QPushButton *checkButton(int index) const
    {
        return task()->findChild<QPushButton *>(QStringLiteral("sequence%1CheckButton").arg(index + 1));
    }
    QWidget *mark(int index) const
    {
        return task()->findChild<PictureBox *>(QStringLiteral("sequence%1Mark").arg(index + 1));
    }
    QPushButton *okButton() const { return task()->findChild<QPushButton *>(QStringLiteral("doneButton")); }
    void answer(int index, const QString &text) const
    {
        type(edit(index), text);
        click(checkButton(index));
    }

    std::unique_ptr<ProgramWindows> program;

private slots:
    void init()
    {
        program = startProgram();
        chooseMenu(*program, "tracingAssignmentsAction");
    }
    void cleanup() { stopProgram(program); }

    void values_data();
    void values();
    void allFourInAnyOrderShowOkAndAgainReopens();
};

void TracingAssignmentsTest::values_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");

    const char *wrongWritings[] = {" %1", "%1 ", "+%1", "0%1", "%1.0", "%1,0"};
    for (int index = 0; index < 4; ++index) {
        const QString key = QLatin1String(Answers[index]);
        QTest::addRow("%d right", index + 1) << index << key << true;
        for (const char *writing : wrongWritings)
            QTest::addRow("%d '%s'", index + 1, writing) << index << QString::fromLatin1(writing).arg(key) << false;
    }
    QTest::newRow("2 takes 4 of 1 and 3") << 1 << QStringLiteral("4") << false;
    QTest::newRow("4 minus zero") << 3 << QStringLiteral("-0") << false;
    QTest::newRow("1 empty") << 0 << QString() << false;
}

void TracingAssignmentsTest::values()
{
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(bool, right);

    MessageSpy spy(*program);
    answer(index, typed);
    QCOMPARE(edit(index)->text(), typed); // as typed, right or wrong
    QCOMPARE(mark(index)->isVisible(), right);
    QCOMPARE(checkButton(index)->isEnabled(), !right);
    QCOMPARE(edit(index)->isEnabled(), !right);
    QVERIFY(spy.texts.isEmpty());

    if (!right) { // the learner may correct the value and try again
        edit(index)->clear();
        answer(index, QLatin1String(Answers[index]));
        QVERIFY(mark(index)->isVisible());
    }
}

void TracingAssignmentsTest::allFourInAnyOrderShowOkAndAgainReopens()
{
    for (int index : {3, 1, 0}) {
        answer(index, QLatin1String(Answers[index]));
        QVERIFY(okButton()->isHidden());
    }
    task()->close(); // reopening shows the sub-problems as they were left
    chooseMenu(*program, "tracingAssignmentsAction");
    QVERIFY(mark(3)->isVisible() && !checkButton(3)->isEnabled());
    answer(2, QStringLiteral("4"));
    QVERIFY(!okButton()->isHidden());

    click(task()->findChild<QPushButton *>(QStringLiteral("restartButton")));
    for (int index = 0; index < 4; ++index) {
        QVERIFY(!mark(index)->isVisible());
        QVERIFY(edit(index)->isEnabled() && checkButton(index)->isEnabled());
        QCOMPARE(edit(index)->text(), QString());
    }
    QVERIFY(!okButton()->isHidden());
    click(okButton());
    QVERIFY(task()->isHidden());
    QVERIFY(program->mainWindow()->isMarkShown("tracingAssignments"));
}

QTEST_MAIN(TracingAssignmentsTest)
#include "tst_tracingassignments.moc"
