#include "TypedAnswerTasks.h"

#include "ui_AssignmentStatementsTask.h"
#include "ui_ExpressionNotationTask.h"
#include "ui_FormulaNotationTask.h"
#include "ui_TracingAssignmentsTask.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <utility>

namespace TypedAnswerTasks {

using Exercise = TypedAnswerTask::Exercise;

namespace {

// A screen reader reads each box with the expression or formula it answers.
void readWithTheirQuestions(std::initializer_list<std::pair<QLineEdit *, const QWidget *>> boxes)
{
    for (const auto &[edit, question] : boxes)
        edit->setAccessibleDescription(question->accessibleName());
}

// Variables are Latin capitals, the decimal separator is a point, and there
// are no blanks: each answer is compared after upper-casing only, and a
// wrong one is counted on the statistics line. "ОК" comes once every line
// has been solved, even if "Заново" has opened them again since; "Заново"
// keeps the marks.
Exercise table(Ui::AssignmentStatementsTask &ui)
{
    constexpr LetterCase upcase = LetterCase::Upcase;
    Exercise exercise;
    exercise.lines = {
        {ui.statement1Edit, ui.statement1CheckButton, {{"A:=10"}, upcase}},                 // A gets 10
        {ui.statement2Edit, ui.statement2CheckButton, {{"C:=A+B", "C:=B+A"}, upcase}},      // the sum of A and B
        {ui.statement3Edit, ui.statement3CheckButton, {{"A:=A*30", "A:=30*A"}, upcase}},    // A thirtyfold
        {ui.statement4Edit, ui.statement4CheckButton, {{"B:=B/3"}, upcase}},                // B a third
        {ui.statement5Edit, ui.statement5CheckButton, {{"C:=A*2.5-B*B", "C:=2.5*A-B*B"}, upcase}},
    };
    exercise.marks = {ui.statement1Mark, ui.statement2Mark, ui.statement3Mark, ui.statement4Mark, ui.statement5Mark};
    exercise.doneButton = ui.doneButton;
    exercise.restartButton = ui.restartButton;
    exercise.wrongAnswerCountLabel = ui.statisticsLabel;
    exercise.rules.wrongAnswerMessage = QCoreApplication::translate("TypedAnswerTasks", "Вы неверно решили задачу");
    exercise.rules.wrongAnswerEmptiesBox = true;
    // Spelt as the form has always shown it.
    exercise.rules.wrongAnswerCountPrefix = QCoreApplication::translate("TypedAnswerTasks", "Статитстика: Количество ошибок: ");
    exercise.rules.restartHidesMarks = false;
    exercise.rules.solvedWhen = TypedAnswerTask::SolvedWhen::EveryLineWasSolvedOnce;
    return exercise;
}

// The values are compared exactly as typed; a wrong one is simply not
// accepted. Blanks may be typed.
Exercise table(Ui::TracingAssignmentsTask &ui)
{
    constexpr LetterCase asTyped = LetterCase::AsTyped;
    Exercise exercise;
    exercise.lines = {
        {ui.sequence1Edit, ui.sequence1CheckButton, {{"4"}, asTyped}}, // a:= 2; a:=a+3; a:=a-1
        {ui.sequence2Edit, ui.sequence2CheckButton, {{"3"}, asTyped}}, // a:= 2, b:=3; c:= 2*a-b; a:= 2+c
        {ui.sequence3Edit, ui.sequence3CheckButton, {{"4"}, asTyped}}, // a:= 2, b:=3; c:= 2*a-b; a:= 2*a
        {ui.sequence4Edit, ui.sequence4CheckButton, {{"0"}, asTyped}}, // a:= 2; c:= 2*a; a:= 0
    };
    exercise.marks = {ui.sequence1Mark, ui.sequence2Mark, ui.sequence3Mark, ui.sequence4Mark};
    exercise.doneButton = ui.doneButton;
    exercise.restartButton = ui.restartButton;
    exercise.rules.filtersBlanks = false;
    return exercise;
}

// The expressions:
//   1  5a > m/2             2  (a - b)/7c            3  3,2a²
//   4  2x + 6 >= 67,5x²     5  (k² + 17)/1,7d² + 5   6  sin x + cos x - sin² x
// A wrong writing is reported; the form has no reset and no marks.
Exercise table(Ui::ExpressionNotationTask &ui)
{
    constexpr LetterCase upcase = LetterCase::Upcase;
    Exercise exercise;
    exercise.lines = {
        {ui.expression1Edit, ui.expression1CheckButton, {{"5*A>M/2"}, upcase}},
        {ui.expression2Edit, ui.expression2CheckButton, {{"(A-B)/(7*C)", "(A-B)/(C*7)"}, upcase}},
        {ui.expression3Edit, ui.expression3CheckButton,
         {{"3.2*A*A", "3.2*SQR(A)", "A*A*3.2", "SQR(A)*3.2"}, upcase}},
        {ui.expression4Edit, ui.expression4CheckButton, {{"2*X+6>=67.5*X*X", "2*X+6>=67.5*SQR(X)"}, upcase}},
        {ui.expression5Edit, ui.expression5CheckButton,
         {{"(K*K+17)/(1.7*D*D)+5", "(SQR(K)+17)/(1.7*SQR(D))+5"}, upcase}},
        {ui.expression6Edit, ui.expression6CheckButton,
         {{"SIN(X)+COS(X)-SIN(X)*SIN(X)", "SIN(X)+COS(X)-SQR(SIN(X))"}, upcase}},
    };
    exercise.doneButton = ui.doneButton;
    exercise.referenceButton = ui.referenceButton;
    exercise.rules.wrongAnswerMessage = QCoreApplication::translate("TypedAnswerTasks", "Задача решена неверно");
    readWithTheirQuestions({{ui.expression1Edit, ui.expression1Picture},
                            {ui.expression2Edit, ui.expression2Picture},
                            {ui.expression3Edit, ui.expression3Picture},
                            {ui.expression4Edit, ui.expression4Picture},
                            {ui.expression5Edit, ui.expression5Picture},
                            {ui.expression6Edit, ui.expression6Picture}});
    return exercise;
}

// Every letter is Latin.
//   y: the continued fraction x/(x² + 3/(x² + 9/(x² + 18/(x² + 36/x²))));
//      36 over x squared needs its brackets, since 36/X*X is 36.
//   t: (√|x4 - 1| - √|y²|)/√(1 + x2⁴/4 + y3³/3) + (tg x + x²)·√(23 sin x)
//   z: (1 + 2,5·y2)(x + y³/(x² + 14))/(sin² x + 1/√(x1 + y²))
// A right answer spends its "Проверить" and shows its mark, the box stays
// editable; a wrong one is not reported. Each return to the form puts the
// caret in the first box.
Exercise table(Ui::FormulaNotationTask &ui)
{
    constexpr LetterCase upcase = LetterCase::Upcase;
    Exercise exercise;
    exercise.lines = {
        {ui.formula1Edit, ui.formula1CheckButton,
         {{"Y:=X/(X*X+3/(X*X+9/(X*X+18/(X*X+36/(X*X)))))",
           "Y:=X/(SQR(X)+3/(SQR(X)+9/(SQR(X)+18/(SQR(X)+36/SQR(X)))))"},
          upcase}},
        {ui.formula2Edit, ui.formula2CheckButton,
         {{"T:=(SQRT(ABS(X4-1))-SQRT(ABS(Y*Y)))/SQRT(1+X2*X2*X2*X2/4+Y3*Y3*Y3/3)+(SIN(X)/COS(X)+X*X)*SQRT(23*SIN(X))"},
          upcase}},
        {ui.formula3Edit, ui.formula3CheckButton,
         {{"Z:=(1+2.5*Y2)*(X+Y*Y*Y/(X*X+14))/(SIN(X)*SIN(X)+1/SQRT(X1+Y*Y))"}, upcase}},
    };
    exercise.marks = {ui.formula1Mark, ui.formula2Mark, ui.formula3Mark};
    exercise.doneButton = ui.doneButton;
    exercise.restartButton = ui.restartButton;
    exercise.referenceButton = ui.referenceButton;
    exercise.rules.rightAnswerLocks = TypedAnswerTask::RightAnswerLocks::ButtonOnly;
    exercise.rules.activationFocusesFirstLine = true;
    readWithTheirQuestions({{ui.formula1Edit, ui.formula1Picture},
                            {ui.formula2Edit, ui.formula2Picture},
                            {ui.formula3Edit, ui.formula3Picture}});
    return exercise;
}

} // namespace

// The widgets belong to the form; the generated struct only names them.
template <typename Form>
Exercise exercise(QWidget *form)
{
    Form ui;
    ui.setupUi(form);
    return table(ui);
}

template Exercise exercise<Ui::AssignmentStatementsTask>(QWidget *);
template Exercise exercise<Ui::TracingAssignmentsTask>(QWidget *);
template Exercise exercise<Ui::ExpressionNotationTask>(QWidget *);
template Exercise exercise<Ui::FormulaNotationTask>(QWidget *);

} // namespace TypedAnswerTasks
