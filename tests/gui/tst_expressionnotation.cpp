// Task 8: six expressions written in program notation, and the mathematical
// functions reference that it opens.

#include "Harness.h"

#include "MessageBox.h"
#include "TypedAnswerTask.h"
#include "MainWindow.h"
#include "PictureBox.h"
#include "TheoryPage.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Harness;

namespace {

const char *const keys[6] = {"5*A>M/2", "(A-B)/(7*C)", "3.2*A*A", "2*X+6>=67.5*X*X", "(K*K+17)/(1.7*D*D)+5",
                             "SIN(X)+COS(X)-SIN(X)*SIN(X)"};

} // namespace

class ExpressionNotationTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        program = startProgram();
        chooseMenu(*program, "expressionNotationAction");
    }
    void cleanup() { stopProgram(program); }

    void linesAcceptExactlyTheirWritings_data();
    void linesAcceptExactlyTheirWritings();
    void typedBlanksAreSwallowedAndSmallLettersRaised();
    void okAppearsAfterTheSixthLineInAnyOrderAndStays();
    void referenceOpensBesideTheTaskAndChangesNoLine();

private:
    QWidget *task() const { return program->page<TypedAnswerTask>("expressionNotation"); }
    QLineEdit *edit(int line) const
    {
        return task()->findChild<QLineEdit *>(QStringLiteral("expression%1Edit").arg(line));
    }
    QPushButton *check(int line) const
    {
        return task()->findChild<QPushButton *>(QStringLiteral("expression%1CheckButton").arg(line));
    }
    QPushButton *button(const char *name) const { return task()->findChild<QPushButton *>(QLatin1String(name)); }

    // Puts `text` into the line as if pasted and presses its "Проверить";
    // returns the texts of the message boxes shown.
    QStringList answer(int line, const QString &text) const
    {
        MessageSpy spy(*program);
        edit(line)->setText(text);
        click(check(line));
        return spy.texts;
    }

    std::unique_ptr<ProgramWindows> program;
};

void ExpressionNotationTest::linesAcceptExactlyTheirWritings_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("right");
    const auto row = [](const char *name, int line, const char *text, bool right) {
        QTest::newRow(name) << line << QString::fromUtf8(text) << right;
    };
    row("1 key", 1, "5*A>M/2", true);
    row("1 small letters", 1, "5*a>m/2", true);
    row("1 bracketed", 1, "(5*A)>M/2", false);
    row("1 turned round", 1, "M/2<5*A", false);
    row("1 cyrillic A, M", 1, "5*А>М/2", false);
    row("1 pasted blank", 1, "5*A > M/2", false);
    row("1 empty", 1, "", false);
    row("2 first key", 2, "(A-B)/(7*C)", true);
    row("2 second key", 2, "(A-B)/(C*7)", true);
    row("2 unbracketed", 2, "(A-B)/7*C", false);
    row("2 extra brackets", 2, "((A-B))/(7*C)", false);
    row("2 cyrillic C", 2, "(A-B)/(7*С)", false);
    row("3 a*a", 3, "3.2*A*A", true);
    row("3 sqr", 3, "3.2*SQR(A)", true);
    row("3 a*a first", 3, "A*A*3.2", true);
    row("3 sqr first", 3, "SQR(A)*3.2", true);
    row("3 factors split", 3, "A*3.2*A", false);
    row("3 power", 3, "3.2*A^2", false);
    row("3 decimal comma", 3, "3,2*A*A", false);
    row("4 x*x", 4, "2*X+6>=67.5*X*X", true);
    row("4 sqr", 4, "2*X+6>=67.5*SQR(X)", true);
    row("4 decimal comma", 4, "2*X+6>=67,5*X*X", false);
    row("4 terms swapped", 4, "6+2*X>=67.5*X*X", false);
    row("4 sign written =>", 4, "2*X+6=>67.5*X*X", false);
    row("5 k*k", 5, "(K*K+17)/(1.7*D*D)+5", true);
    row("5 sqr", 5, "(SQR(K)+17)/(1.7*SQR(D))+5", true);
    row("5 decimal comma", 5, "(K*K+17)/(1,7*D*D)+5", false);
    row("5 mixed writings", 5, "(SQR(K)+17)/(1.7*D*D)+5", false);
    row("5 five first", 5, "5+(K*K+17)/(1.7*D*D)", false);
    row("6 sin*sin", 6, "SIN(X)+COS(X)-SIN(X)*SIN(X)", true);
    row("6 sqr", 6, "SIN(X)+COS(X)-SQR(SIN(X))", true);
    row("6 without brackets", 6, "SINX+COSX-SINX*SINX", false);
    row("6 power of sin", 6, "SIN(X)+COS(X)-SIN^2(X)", false);
}

void ExpressionNotationTest::linesAcceptExactlyTheirWritings()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(bool, right);
    const QStringList messages = answer(line, text);
    QCOMPARE(edit(line)->text(), text.toUpper()); // the capitals stay in the box
    if (right) {
        QVERIFY(messages.isEmpty());
        QVERIFY(!check(line)->isEnabled());
        QVERIFY(!edit(line)->isEnabled());
    } else {
        QCOMPARE(messages, QStringList{QString::fromUtf8("Задача решена неверно")});
        QVERIFY(check(line)->isEnabled());
        QVERIFY(edit(line)->isEnabled());
    }
    // no other line is touched, and one line never brings "OK"
    for (int other = 1; other <= 6; ++other) {
        if (other != line)
            QVERIFY(check(other)->isEnabled());
    }
    QVERIFY(button("doneButton")->isHidden());
}

void ExpressionNotationTest::typedBlanksAreSwallowedAndSmallLettersRaised()
{
    task()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(task()));
    edit(3)->setFocus();
    type(edit(3), QStringLiteral("3.2 * sqr ( a )"));
    QCOMPARE(edit(3)->text(), QStringLiteral("3.2*sqr(a)"));
    MessageSpy spy(*program);
    click(check(3));
    QVERIFY(spy.texts.isEmpty());
    QCOMPARE(edit(3)->text(), QStringLiteral("3.2*SQR(A)"));
    QVERIFY(!check(3)->isEnabled());
}

void ExpressionNotationTest::okAppearsAfterTheSixthLineInAnyOrderAndStays()
{
    const int order[] = {6, 3, 1, 5, 2};
    for (int line : order) {
        QVERIFY(answer(line, QString::fromLatin1(keys[line - 1])).isEmpty());
        QVERIFY(button("doneButton")->isHidden());
    }
    // a wrong try on the last open line changes nothing
    QCOMPARE(answer(4, QStringLiteral("2*X+6>67.5*X*X")).size(), 1);
    QVERIFY(button("doneButton")->isHidden());
    QVERIFY(answer(4, QString::fromLatin1(keys[3])).isEmpty());
    QVERIFY(!button("doneButton")->isHidden());

    // closed by the close box and opened again: everything as it was left
    task()->close();
    QVERIFY(!program->mainWindow()->isMarkShown("expressionNotation"));
    chooseMenu(*program, "expressionNotationAction");
    QVERIFY(task()->isVisible());
    QVERIFY(!button("doneButton")->isHidden());
    for (int line = 1; line <= 6; ++line) {
        QVERIFY(!check(line)->isEnabled());
        QCOMPARE(edit(line)->text(), QString::fromLatin1(keys[line - 1]));
    }
    click(button("doneButton"));
    QVERIFY(task()->isHidden());
    QVERIFY(program->mainWindow()->isMarkShown("expressionNotation"));
}

void ExpressionNotationTest::referenceOpensBesideTheTaskAndChangesNoLine()
{
    QVERIFY(answer(2, QStringLiteral("(A-B)/(C*7)")).isEmpty());
    edit(5)->setText(QStringLiteral("(k*k+17"));
    click(button("referenceButton"));
    QVERIFY(program->window("mathReference")->isVisible());
    QVERIFY(task()->isVisible());
    click(button("referenceButton")); // already open: nothing more happens
    QVERIFY(program->window("mathReference")->isVisible());
    for (int line = 1; line <= 6; ++line)
        QCOMPARE(check(line)->isEnabled(), line != 2);
    QCOMPARE(edit(5)->text(), QStringLiteral("(k*k+17"));
    QCOMPARE(edit(2)->text(), QStringLiteral("(A-B)/(C*7)"));

    // the reference's own "ОК" shows its mark and leaves the task open
    auto *table = program->window("mathReference")->findChild<PictureBox *>(QStringLiteral("tablePicture"));
    QCOMPARE(table->image().size(), QSize(650, 446));
    QVERIFY(!table->stretch());
    click(program->window("mathReference")->findChild<QPushButton *>(QStringLiteral("doneButton")));
    QVERIFY(program->window("mathReference")->isHidden());
    QVERIFY(program->mainWindow()->isMarkShown("mathReference"));
    QVERIFY(task()->isVisible());
    QVERIFY(!program->mainWindow()->isMarkShown("expressionNotation"));
}

QTEST_MAIN(ExpressionNotationTest)
#include "tst_expressionnotation.moc"
