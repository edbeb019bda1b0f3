// Task 2: five assignment statements typed into their own lines.

#include "Harness.h"

#include "PictureBox.h"
#include "MainWindow.h"
#include "TypedAnswerTask.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Harness;

namespace {

// One right writing per line, as typed.
const char *const Answers[] = {"a:=10", "c:=a+b", "a:=a*30", "b:=b/3", "c:=a*2.5-b*b"};

// Types key by key like Harness::type, Cyrillic letters included.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            type(widget, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

const QString WrongAnswer = QString::fromUtf8("Вы неверно решили задачу");
QString errors(int count) { return QString::fromUtf8("Статитстика: Количество ошибок: ") + QString::number(count); }

} // namespace

class AssignmentStatementsTest : public QObject
{
    Q_OBJECT

private:
    TypedAnswerTask *task() const { return program->page<TypedAnswerTask>("assignmentStatements"); }
    // Edit, check button and mark of the lines, 0 to 4 from the top.
    QLineEdit *edit(int line) const
    {
        return task()->findChild<QLineEdit *>(QStringLiteral("statement%1Edit").arg(line + 1));
    }
    QPushButton *checkButton(int line) const
    {
        return task()->findChild<QPushButton *>(QStringLiteral("statement%1CheckButton").arg(line + 1));
    }
    QWidget *mark(int line) const
    {
        return task()->findChild<PictureBox *>(QStringLiteral("statement%1Mark").arg(line + 1));
    }
    QPushButton *okButton() const { return task()->findChild<QPushButton *>(QStringLiteral("doneButton")); }
    QString statistics() const { return task()->findChild<QLabel *>(QStringLiteral("statisticsLabel"))->text(); }
    void again() const { click(task()->findChild<QPushButton *>(QStringLiteral("restartButton"))); }
    void solve(int line) const
    {
        type(edit(line), QLatin1String(Answers[line]));
        click(checkButton(line));
    }

    std::unique_ptr<ProgramWindows> program;

private slots:
    void init()
    {
        program = startProgram();
        chooseMenu(*program, "assignmentStatementsAction");
    }
    void cleanup() { stopProgram(program); }

    void answers_data();
    void answers();
    void wrongAnswerIsCountedAfterTheMessageCloses();
    void againReopensLinesAndRestartsTheCount();
    void eachLineMustBeSolvedOnceForOk();
};

void AssignmentStatementsTest::answers_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("typed");  // through the keyboard
    QTest::addColumn<QString>("pasted"); // put into the box as it is
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("shown"); // the text left in the box

    auto row = [](const char *name, int line, const char *typed, const char *pasted, bool right, const char *shown) {
        QTest::newRow(name) << line << QString::fromUtf8(typed) << QString::fromUtf8(pasted) << right
                            << QString::fromUtf8(shown);
    };
    row("1 small letters", 0, "a:=10", "", true, "A:=10");
    row("2 first order", 1, "C:=A+B", "", true, "C:=A+B");
    row("2 second order", 1, "c:=b+a", "", true, "C:=B+A");
    row("2 typed blanks", 1, "c := a + b", "", true, "C:=A+B");
    row("3 both orders", 2, "a:=30*a", "", true, "A:=30*A");
    row("4", 3, "b:=b/3", "", true, "B:=B/3");
    row("5 first order", 4, "c:=a*2.5-b*b", "", true, "C:=A*2.5-B*B");
    row("5 second order", 4, "C:=2.5*A-B*B", "", true, "C:=2.5*A-B*B");

    row("2 pasted blanks", 1, "", "C:=A + B", false, "");
    row("1 pasted trailing blank", 0, "", "A:=10 ", false, "");
    row("1 zero fraction", 0, "a:=10.0", "", false, "");
    row("1 Cyrillic A", 0, "а:=10", "", false, "");
    row("2 Cyrillic letters", 1, "с:=а+в", "", false, "");
    row("3 unlisted form", 2, "a:=a*30.0", "", false, "");
    row("4 other notation", 3, "b:=b:3", "", false, "");
    row("5 decimal comma", 4, "c:=a*2,5-b*b", "", false, "");
    row("5 terms swapped", 4, "c:=-b*b+a*2.5", "", false, "");
    row("5 square as power", 4, "c:=a*2.5-b^2", "", false, "");
    row("empty", 2, "", "", false, "");
}

void AssignmentStatementsTest::answers()
{
    QFETCH(int, line);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(bool, right);
    QFETCH(QString, shown);

    const int other = (line + 1) % 5;
    type(edit(other), QStringLiteral("x"));
    typeText(edit(line), typed);
    if (!pasted.isEmpty())
        edit(line)->insert(pasted);
    QCOMPARE(edit(line)->text(), QString(typed).remove(QLatin1Char(' ')) + pasted); // typed blanks never arrive

    MessageSpy spy(*program);
    click(checkButton(line));
    QCOMPARE(edit(line)->text(), shown);
    QCOMPARE(mark(line)->isVisible(), right);
    QCOMPARE(edit(line)->isEnabled(), !right);
    QCOMPARE(checkButton(line)->isEnabled(), !right);
    QCOMPARE(spy.texts, right ? QStringList() : QStringList{WrongAnswer});
    QCOMPARE(task()->answers().wrongAnswers(), right ? 0 : 1);
    QCOMPARE(edit(other)->text(), QStringLiteral("x")); // other lines untouched
}

void AssignmentStatementsTest::wrongAnswerIsCountedAfterTheMessageCloses()
{
    QCOMPARE(statistics(), QString::fromUtf8("Статистика:"));
    MessageSpy spy(*program);
    QStringList seenWhileUp;
    spy.onShow = [&](const QString &) { seenWhileUp << statistics() << edit(0)->text(); };
    type(edit(0), QStringLiteral("a:=9"));
    click(checkButton(0));
    QCOMPARE(seenWhileUp, QStringList({QString::fromUtf8("Статистика:"), QString()}));
    QCOMPARE(statistics(), errors(1));

    seenWhileUp.clear();
    click(checkButton(0)); // the wiped line again
    QCOMPARE(seenWhileUp, QStringList({errors(1), QString()}));
    QCOMPARE(statistics(), errors(2));
    QCOMPARE(spy.texts, QStringList({WrongAnswer, WrongAnswer}));
}

void AssignmentStatementsTest::againReopensLinesAndRestartsTheCount()
{
    MessageSpy spy(*program);
    solve(0);
    click(checkButton(1));
    click(checkButton(1));
    type(edit(2), QStringLiteral("a:=a*3"));

    task()->close(); // closing and reopening keeps everything
    chooseMenu(*program, "assignmentStatementsAction");
    QCOMPARE(statistics(), errors(2));
    QCOMPARE(edit(2)->text(), QStringLiteral("a:=a*3"));

    again();
    for (int line = 0; line < 5; ++line) {
        QVERIFY(edit(line)->isEnabled() && checkButton(line)->isEnabled());
        QCOMPARE(edit(line)->text(), QString());
    }
    QVERIFY(mark(0)->isVisible()); // the mark stays
    QCOMPARE(statistics(), errors(2)); // until the next wrong answer
    click(checkButton(3));
    QCOMPARE(statistics(), errors(1));
}

void AssignmentStatementsTest::eachLineMustBeSolvedOnceForOk()
{
    // The same line solved five times over is not five lines.
    for (int round = 0; round < 5; ++round) {
        solve(0);
        again();
    }
    QVERIFY(okButton()->isHidden());

    // Three lines, "Заново", then the other two.
    solve(1);
    solve(2);
    again();
    solve(3);
    QVERIFY(okButton()->isHidden());
    solve(4);
    QVERIFY(!okButton()->isHidden());
    for (int line = 0; line < 5; ++line)
        QVERIFY(mark(line)->isVisible());

    again(); // solving again never hides it
    solve(2);
    QVERIFY(!okButton()->isHidden());
    QCOMPARE(okButton()->text(), QString::fromUtf8("ОК"));
    click(okButton());
    QVERIFY(task()->isHidden());
    QVERIFY(program->mainWindow()->isMarkShown("assignmentStatements"));
}

QTEST_MAIN(AssignmentStatementsTest)
#include "tst_assignmentstatements.moc"
