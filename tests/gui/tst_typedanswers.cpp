// The typed-answer exercises of the page list. Each writing is judged by its
// line's keys and shown, counted and locked by its exercise's rules; the
// tables below are the oracle, written here and never read from the program.

#include "GuiTest.h"
#include "TypedAnswers.h"

#include "MainWindow.h"
#include "PictureBox.h"
#include "TypedAnswerTask.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace Harness;
using Entry = TypedAnswers::Entry;

namespace {

// What the pupil sees of each exercise's rules.
enum Rule : unsigned {
    Upcases = 1 << 0,           // the box shows the answer in capitals once checked
    WrongEmptiesBox = 1 << 1,   // a wrong answer empties the box
    RightLocksBox = 1 << 2,     // a right answer disables the box as well as its button
    FiltersBlanks = 1 << 3,     // a typed blank never reaches the box
    HasRestart = 1 << 4,        // a "Заново" that reopens every line
    RestartKeepsMarks = 1 << 5, // it leaves the lines' marks shown
};

struct Exercise
{
    const char *page;
    const char *linePrefix;
    const char *wrongBox; // the message a wrong answer brings ("" for none)
    unsigned rules;

    bool has(Rule rule) const { return rules & rule; }
};

const Exercise exercises[] = {
    {"assignmentStatements", "statement", "Вы неверно решили задачу",
     Upcases | WrongEmptiesBox | RightLocksBox | FiltersBlanks | HasRestart | RestartKeepsMarks},
    {"tracingAssignments", "sequence", "", RightLocksBox | HasRestart},
    {"expressionNotation", "expression", "Задача решена неверно", Upcases | RightLocksBox | FiltersBlanks},
    {"formulaNotation", "formula", "", Upcases | FiltersBlanks | HasRestart},
};

const Exercise &exercise(const QString &page)
{
    for (const Exercise &e : exercises) {
        if (page == QLatin1String(e.page))
            return e;
    }
    qFatal("no typed-answer exercise %s", qPrintable(page));
}

struct Writing
{
    const char *page;
    int line;
    const char *name;
    const char *text;
    Entry entry;
    bool right;
};

const char *const formula1 = "Y:=X/(X*X+3/(X*X+9/(X*X+18/(X*X+36/(X*X)))))";
const char *const formula2 =
    "T:=(SQRT(ABS(X4-1))-SQRT(ABS(Y*Y)))/SQRT(1+X2*X2*X2*X2/4+Y3*Y3*Y3/3)+(SIN(X)/COS(X)+X*X)*SQRT(23*SIN(X))";
const char *const formula3 = "Z:=(1+2.5*Y2)*(X+Y*Y*Y/(X*X+14))/(SIN(X)*SIN(X)+1/SQRT(X1+Y*Y))";

// Each line's writings; the first right one of a line, pasted, is how the
// tests solve it.
const Writing writings[] = {
    {"assignmentStatements", 1, "small letters", "a:=10", Entry::Typed, true},
    {"assignmentStatements", 1, "pasted trailing blank", "A:=10 ", Entry::Pasted, false},
    {"assignmentStatements", 1, "zero fraction", "a:=10.0", Entry::Typed, false},
    {"assignmentStatements", 1, "Cyrillic A", "а:=10", Entry::Typed, false},
    {"assignmentStatements", 2, "first order", "C:=A+B", Entry::Typed, true},
    {"assignmentStatements", 2, "second order", "c:=b+a", Entry::Typed, true},
    {"assignmentStatements", 2, "typed blanks", "c := a + b", Entry::Typed, true},
    {"assignmentStatements", 2, "pasted blanks", "C:=A + B", Entry::Pasted, false},
    {"assignmentStatements", 2, "Cyrillic letters", "с:=а+в", Entry::Typed, false},
    {"assignmentStatements", 3, "factor first", "a:=30*a", Entry::Typed, true},
    {"assignmentStatements", 3, "factor last", "a:=a*30", Entry::Typed, true},
    {"assignmentStatements", 3, "unlisted form", "a:=a*30.0", Entry::Typed, false},
    {"assignmentStatements", 3, "empty", "", Entry::Typed, false},
    {"assignmentStatements", 4, "key", "b:=b/3", Entry::Typed, true},
    {"assignmentStatements", 4, "other notation", "b:=b:3", Entry::Typed, false},
    {"assignmentStatements", 5, "first order", "c:=a*2.5-b*b", Entry::Typed, true},
    {"assignmentStatements", 5, "second order", "C:=2.5*A-B*B", Entry::Typed, true},
    {"assignmentStatements", 5, "decimal comma", "c:=a*2,5-b*b", Entry::Typed, false},
    {"assignmentStatements", 5, "terms swapped", "c:=-b*b+a*2.5", Entry::Typed, false},
    {"assignmentStatements", 5, "square as power", "c:=a*2.5-b^2", Entry::Typed, false},

    {"tracingAssignments", 1, "key", "4", Entry::Typed, true},
    {"tracingAssignments", 1, "leading blank", " 4", Entry::Typed, false},
    {"tracingAssignments", 1, "trailing blank", "4 ", Entry::Typed, false},
    {"tracingAssignments", 1, "empty", "", Entry::Typed, false},
    {"tracingAssignments", 2, "key", "3", Entry::Typed, true},
    {"tracingAssignments", 2, "plus sign", "+3", Entry::Typed, false},
    {"tracingAssignments", 2, "the value of lines 1 and 3", "4", Entry::Typed, false},
    {"tracingAssignments", 3, "key", "4", Entry::Typed, true},
    {"tracingAssignments", 3, "leading zero", "04", Entry::Typed, false},
    {"tracingAssignments", 3, "decimal point", "4.0", Entry::Typed, false},
    {"tracingAssignments", 4, "key", "0", Entry::Typed, true},
    {"tracingAssignments", 4, "decimal comma", "0,0", Entry::Typed, false},
    {"tracingAssignments", 4, "minus zero", "-0", Entry::Typed, false},

    {"expressionNotation", 1, "key", "5*A>M/2", Entry::Pasted, true},
    {"expressionNotation", 1, "small letters", "5*a>m/2", Entry::Pasted, true},
    {"expressionNotation", 1, "bracketed", "(5*A)>M/2", Entry::Pasted, false},
    {"expressionNotation", 1, "turned round", "M/2<5*A", Entry::Pasted, false},
    {"expressionNotation", 1, "Cyrillic A, M", "5*А>М/2", Entry::Pasted, false},
    {"expressionNotation", 1, "pasted blank", "5*A > M/2", Entry::Pasted, false},
    {"expressionNotation", 2, "first key", "(A-B)/(7*C)", Entry::Pasted, true},
    {"expressionNotation", 2, "second key", "(A-B)/(C*7)", Entry::Pasted, true},
    {"expressionNotation", 2, "unbracketed", "(A-B)/7*C", Entry::Pasted, false},
    {"expressionNotation", 2, "extra brackets", "((A-B))/(7*C)", Entry::Pasted, false},
    {"expressionNotation", 2, "Cyrillic C", "(A-B)/(7*С)", Entry::Pasted, false},
    {"expressionNotation", 3, "a*a", "3.2*A*A", Entry::Pasted, true},
    {"expressionNotation", 3, "sqr", "3.2*SQR(A)", Entry::Pasted, true},
    {"expressionNotation", 3, "a*a first", "A*A*3.2", Entry::Pasted, true},
    {"expressionNotation", 3, "typed with blanks", "3.2 * sqr ( a )", Entry::Typed, true},
    {"expressionNotation", 3, "sqr first", "SQR(A)*3.2", Entry::Pasted, true},
    {"expressionNotation", 3, "factors split", "A*3.2*A", Entry::Pasted, false},
    {"expressionNotation", 3, "power", "3.2*A^2", Entry::Pasted, false},
    {"expressionNotation", 4, "x*x", "2*X+6>=67.5*X*X", Entry::Pasted, true},
    {"expressionNotation", 4, "sqr", "2*X+6>=67.5*SQR(X)", Entry::Pasted, true},
    {"expressionNotation", 4, "decimal comma", "2*X+6>=67,5*X*X", Entry::Pasted, false},
    {"expressionNotation", 4, "terms swapped", "6+2*X>=67.5*X*X", Entry::Pasted, false},
    {"expressionNotation", 4, "sign written =>", "2*X+6=>67.5*X*X", Entry::Pasted, false},
    {"expressionNotation", 5, "k*k", "(K*K+17)/(1.7*D*D)+5", Entry::Pasted, true},
    {"expressionNotation", 5, "sqr", "(SQR(K)+17)/(1.7*SQR(D))+5", Entry::Pasted, true},
    {"expressionNotation", 5, "mixed writings", "(SQR(K)+17)/(1.7*D*D)+5", Entry::Pasted, false},
    {"expressionNotation", 5, "five first", "5+(K*K+17)/(1.7*D*D)", Entry::Pasted, false},
    {"expressionNotation", 6, "sin*sin", "SIN(X)+COS(X)-SIN(X)*SIN(X)", Entry::Pasted, true},
    {"expressionNotation", 6, "sqr", "SIN(X)+COS(X)-SQR(SIN(X))", Entry::Pasted, true},
    {"expressionNotation", 6, "without brackets", "SINX+COSX-SINX*SINX", Entry::Pasted, false},
    {"expressionNotation", 6, "power of sin", "SIN(X)+COS(X)-SIN^2(X)", Entry::Pasted, false},

    {"formulaNotation", 1, "x*x", formula1, Entry::Pasted, true},
    {"formulaNotation", 1, "sqr in small letters", "y:=x/(sqr(x)+3/(sqr(x)+9/(sqr(x)+18/(sqr(x)+36/sqr(x)))))",
     Entry::Pasted, true},
    {"formulaNotation", 1, "typed with blanks", "y := x / (x*x + 3 / (x*x + 9 / (x*x + 18 / (x*x + 36 / (x*x)))))",
     Entry::Typed, true},
    {"formulaNotation", 1, "36/X*X is 36", "Y:=X/(X*X+3/(X*X+9/(X*X+18/(X*X+36/X*X))))", Entry::Pasted, false},
    {"formulaNotation", 1, "mixed x*x and sqr", "Y:=X/(X*X+3/(X*X+9/(X*X+18/(X*X+36/SQR(X)))))", Entry::Pasted,
     false},
    {"formulaNotation", 1, "Cyrillic Y and X", "У:=Х/(X*X+3/(X*X+9/(X*X+18/(X*X+36/(X*X)))))", Entry::Pasted, false},
    {"formulaNotation", 1, "= for :=", "Y=X/(X*X+3/(X*X+9/(X*X+18/(X*X+36/(X*X)))))", Entry::Pasted, false},
    {"formulaNotation", 2, "key", formula2, Entry::Pasted, true},
    {"formulaNotation", 2, "tangent as TG",
     "T:=(SQRT(ABS(X4-1))-SQRT(ABS(Y*Y)))/SQRT(1+X2*X2*X2*X2/4+Y3*Y3*Y3/3)+(TG(X)+X*X)*SQRT(23*SIN(X))", Entry::Pasted,
     false},
    {"formulaNotation", 2, "sqr for y*y",
     "T:=(SQRT(ABS(X4-1))-SQRT(ABS(SQR(Y))))/SQRT(1+X2*X2*X2*X2/4+Y3*Y3*Y3/3)+(SIN(X)/COS(X)+X*X)*SQRT(23*SIN(X))",
     Entry::Pasted, false},
    {"formulaNotation", 3, "key", formula3, Entry::Pasted, true},
    {"formulaNotation", 3, "decimal comma", "Z:=(1+2,5*Y2)*(X+Y*Y*Y/(X*X+14))/(SIN(X)*SIN(X)+1/SQRT(X1+Y*Y))",
     Entry::Pasted, false},
    {"formulaNotation", 3, "sqr of sin", "Z:=(1+2.5*Y2)*(X+Y*Y*Y/(X*X+14))/(SQR(SIN(X))+1/SQRT(X1+Y*Y))",
     Entry::Pasted, false},
    {"formulaNotation", 3, "Cyrillic H in SIN", "Z:=(1+2.5*Y2)*(X+Y*Y*Y/(X*X+14))/(SIН(X)*SIN(X)+1/SQRT(X1+Y*Y))",
     Entry::Pasted, false},
};

QString rightWriting(const QString &page, int line)
{
    for (const Writing &w : writings) {
        if (page == QLatin1String(w.page) && w.line == line && w.right)
            return QString::fromUtf8(w.text);
    }
    qFatal("no right writing for line %d of %s", line, qPrintable(page));
}

} // namespace

class TypedAnswersTest : public GuiTest
{
    Q_OBJECT

private slots:
    void everyExerciseHasItsRulesAndWritings();
    void eachWritingIsJudgedByItsLine_data();
    void eachWritingIsJudgedByItsLine();
    void okComesOnceEveryLineIsSolvedAndStays_data() { everyExercise(); }
    void okComesOnceEveryLineIsSolvedAndStays();
    void restartReopensEveryLine_data();
    void restartReopensEveryLine();
    void referenceOpensBesideTheExerciseAndChangesNoLine_data();
    void referenceOpensBesideTheExerciseAndChangesNoLine();

    // The rules that one exercise alone has.
    void statementsCountWrongAnswersAfterTheMessageCloses();
    void statementsNeedEachLineSolvedOnceNotAtOnce();
    void formulasPutTheCaretInTheFirstBoxOnEveryReturn();

private:
    static void everyExercise();
    TypedAnswers open(const QString &page) const
    {
        program->open(page);
        return TypedAnswers(*program, page, QLatin1String(exercise(page).linePrefix));
    }
    static void solve(const TypedAnswers &lines, const QString &page, int line)
    {
        lines.answer(line, rightWriting(page, line));
    }
};

// An exercise added to the page list is tested only through these tables.
void TypedAnswersTest::everyExerciseHasItsRulesAndWritings()
{
    for (const QString &page : pagesOf<TypedAnswerTask>(*program)) {
        const auto named = [&](const auto &row) { return page == QLatin1String(row.page); };
        QVERIFY2(std::any_of(std::begin(exercises), std::end(exercises), named),
                 qPrintable(page + " has no rules in this test's table"));
        for (int line = 1; line <= program->page<TypedAnswerTask>(page)->answers().lineCount(); ++line) {
            for (const bool right : {true, false}) {
                QVERIFY2(std::any_of(std::begin(writings), std::end(writings),
                                     [&](const Writing &w) { return named(w) && w.line == line && w.right == right; }),
                         qPrintable(QStringLiteral("%1 line %2 has no %3 writing in this test's table")
                                        .arg(page).arg(line).arg(right ? "right" : "wrong")));
            }
        }
    }
}

void TypedAnswersTest::eachWritingIsJudgedByItsLine_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<bool>("right");
    for (const Writing &w : writings) {
        QTest::addRow("%s %d %s", w.page, w.line, w.name)
            << QString::fromLatin1(w.page) << w.line << QString::fromUtf8(w.text) << (w.entry == Entry::Typed) << w.right;
    }
}

void TypedAnswersTest::eachWritingIsJudgedByItsLine()
{
    QFETCH(QString, page);
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(bool, typed);
    QFETCH(bool, right);
    const Exercise &rules = exercise(page);
    const TypedAnswers lines = open(page);
    const int other = line % lines.lineCount() + 1;
    lines.edit(other)->setText(QStringLiteral("x"));

    const QStringList boxes = lines.answer(line, text, typed ? Entry::Typed : Entry::Pasted);
    QString entered = text;
    if (typed && rules.has(FiltersBlanks))
        entered.remove(QLatin1Char(' '));
    if (rules.has(Upcases))
        entered = entered.toUpper();
    QCOMPARE(lines.edit(line)->text(), !right && rules.has(WrongEmptiesBox) ? QString() : entered);
    QCOMPARE(lines.check(line)->isEnabled(), !right);
    QCOMPARE(lines.edit(line)->isEnabled(), !(right && rules.has(RightLocksBox)));
    if (QWidget *mark = lines.mark(line))
        QCOMPARE(mark->isVisible(), right);
    const bool messaged = !right && *rules.wrongBox;
    QCOMPARE(boxes, messaged ? QStringList{QString::fromUtf8(rules.wrongBox)} : QStringList());
    // Only this line is judged, and one line never brings "ОК".
    QCOMPARE(lines.edit(other)->text(), QStringLiteral("x"));
    QVERIFY(lines.check(other)->isEnabled());
    QVERIFY(lines.button("doneButton")->isHidden());

    if (!right) { // corrected, the line is taken
        lines.answer(line, rightWriting(page, line));
        QVERIFY(!lines.check(line)->isEnabled());
    }
}

void TypedAnswersTest::everyExercise()
{
    QTest::addColumn<QString>("page");
    for (const Exercise &e : exercises)
        QTest::newRow(e.page) << QString::fromLatin1(e.page);
}

void TypedAnswersTest::okComesOnceEveryLineIsSolvedAndStays()
{
    QFETCH(QString, page);
    const TypedAnswers lines = open(page);
    QPushButton *done = lines.button("doneButton");
    // From the bottom up: the order does not matter.
    for (int line = lines.lineCount(); line > 1; --line) {
        solve(lines, page, line);
        QVERIFY(done->isHidden());
    }
    solve(lines, page, 1);
    QVERIFY(!done->isHidden());

    // Closed by its close box and opened again: as it was left, unmarked.
    lines.task()->close();
    QVERIFY(!program->mainWindow()->isMarkShown(page));
    program->open(page);
    QVERIFY(!done->isHidden());
    for (int line = 1; line <= lines.lineCount(); ++line)
        QVERIFY(!lines.check(line)->isEnabled());
    click(done);
    QVERIFY(lines.task()->isHidden());
    QVERIFY(program->mainWindow()->isMarkShown(page));
}

void TypedAnswersTest::restartReopensEveryLine_data()
{
    QTest::addColumn<QString>("page");
    for (const Exercise &e : exercises) {
        if (e.has(HasRestart))
            QTest::newRow(e.page) << QString::fromLatin1(e.page);
    }
}

void TypedAnswersTest::restartReopensEveryLine()
{
    QFETCH(QString, page);
    const Exercise &rules = exercise(page);
    const TypedAnswers lines = open(page);
    QPushButton *restart = lines.button("restartButton");
    QVERIFY(restart);
    for (int line = 1; line <= lines.lineCount(); ++line)
        solve(lines, page, line);
    click(restart);
    for (int line = 1; line <= lines.lineCount(); ++line) {
        QVERIFY(lines.edit(line)->text().isEmpty());
        QVERIFY(lines.edit(line)->isEnabled() && lines.check(line)->isEnabled());
        if (QWidget *mark = lines.mark(line))
            QCOMPARE(mark->isVisible(), rules.has(RestartKeepsMarks));
    }
    QVERIFY(!lines.button("doneButton")->isHidden()); // a shown "ОК" stays
    QVERIFY(!lines.task()->answers().allSolved());
}

void TypedAnswersTest::referenceOpensBesideTheExerciseAndChangesNoLine_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("expressionNotation") << QStringLiteral("expressionNotation");
    QTest::newRow("formulaNotation") << QStringLiteral("formulaNotation");
}

void TypedAnswersTest::referenceOpensBesideTheExerciseAndChangesNoLine()
{
    QFETCH(QString, page);
    const TypedAnswers lines = open(page);
    solve(lines, page, 2);
    lines.edit(1)->setText(QStringLiteral("y:=x/("));
    QWidget *reference = program->window("mathReference");
    click(lines.button("referenceButton"));
    QVERIFY(reference->isVisible() && lines.task()->isVisible());
    click(lines.button("referenceButton")); // already open: nothing more
    QVERIFY(reference->isVisible());
    QCOMPARE(lines.edit(1)->text(), QStringLiteral("y:=x/("));
    QVERIFY(lines.check(1)->isEnabled() && !lines.check(2)->isEnabled());

    // The reference's own "ОК" marks it and leaves the exercise open.
    click(reference->findChild<QPushButton *>(QStringLiteral("doneButton")));
    QVERIFY(reference->isHidden() && lines.task()->isVisible());
    QVERIFY(program->mainWindow()->isMarkShown("mathReference"));
    QVERIFY(!program->mainWindow()->isMarkShown(page));
}

void TypedAnswersTest::statementsCountWrongAnswersAfterTheMessageCloses()
{
    const TypedAnswers lines = open("assignmentStatements");
    auto *statistics = lines.task()->findChild<QLabel *>(QStringLiteral("statisticsLabel"));
    const auto errors = [](int count) {
        return QString::fromUtf8("Статитстика: Количество ошибок: ") + QString::number(count);
    };
    QCOMPARE(statistics->text(), QString::fromUtf8("Статистика:"));
    MessageSpy spy(*program);
    QStringList seenWhileUp;
    spy.onShow = [&](const QString &) { seenWhileUp << statistics->text() << lines.edit(1)->text(); };
    type(lines.edit(1), QStringLiteral("a:=9"));
    click(lines.check(1));
    QCOMPARE(seenWhileUp, QStringList({QString::fromUtf8("Статистика:"), QString()}));
    QCOMPARE(statistics->text(), errors(1));
    click(lines.check(1)); // the wiped line again
    QCOMPARE(statistics->text(), errors(2));
    lines.task()->close(); // closing and reopening keeps it
    program->open("assignmentStatements");
    QCOMPARE(statistics->text(), errors(2));

    // "Заново" keeps the count on show until the next wrong answer.
    click(lines.button("restartButton"));
    QCOMPARE(statistics->text(), errors(2));
    click(lines.check(4));
    QCOMPARE(statistics->text(), errors(1));
}

void TypedAnswersTest::statementsNeedEachLineSolvedOnceNotAtOnce()
{
    const QString page = QStringLiteral("assignmentStatements");
    const TypedAnswers lines = open(page);
    QPushButton *restart = lines.button("restartButton");
    // The same line solved five times over is not five lines.
    for (int round = 0; round < 5; ++round) {
        solve(lines, page, 1);
        click(restart);
    }
    QVERIFY(lines.button("doneButton")->isHidden());
    // Lines 2 and 3, "Заново", then 4 and 5: each solved once is enough.
    solve(lines, page, 2);
    solve(lines, page, 3);
    click(restart);
    solve(lines, page, 4);
    QVERIFY(lines.button("doneButton")->isHidden());
    solve(lines, page, 5);
    QVERIFY(!lines.button("doneButton")->isHidden());
}

void TypedAnswersTest::formulasPutTheCaretInTheFirstBoxOnEveryReturn()
{
    const TypedAnswers lines = open("formulaNotation");
    const auto focused = [] { return QApplication::focusWidget(); };
    QTRY_COMPARE(focused(), static_cast<QWidget *>(lines.edit(1)));
    lines.edit(3)->setFocus();

    // To the main form and back.
    program->mainWindow()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->mainWindow()));
    lines.task()->activateWindow();
    QTRY_COMPARE(focused(), static_cast<QWidget *>(lines.edit(1)));

    // To the reference and back.
    lines.edit(2)->setFocus();
    click(lines.button("referenceButton"));
    program->window("mathReference")->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->window("mathReference")));
    lines.task()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(lines.task()));
    QTRY_COMPARE(focused(), static_cast<QWidget *>(lines.edit(1)));

    // Back by a click into the third box: the window system may report the
    // activation while the button is still down; the click keeps its box.
    program->window("mathReference")->close();
    program->mainWindow()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(program->mainWindow()));
    const QPoint inThird = lines.edit(3)->rect().center();
    QCursor::setPos(lines.edit(3)->mapToGlobal(inThird));
    QTest::mousePress(lines.edit(3), Qt::LeftButton, Qt::NoModifier, inThird);
    lines.task()->activateWindow();
    QTRY_COMPARE(program->activation().activeWindow(), static_cast<QWidget *>(lines.task()));
    QTest::mouseRelease(lines.edit(3), Qt::LeftButton, Qt::NoModifier, inThird);
    QCOMPARE(focused(), static_cast<QWidget *>(lines.edit(3)));
}

QTEST_MAIN(TypedAnswersTest)
#include "tst_typedanswers.moc"
