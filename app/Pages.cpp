#include "Pages.h"

#include "AboutWindow.h"
#include "CosineLawTask.h"
#include "HoursToMinutesTask.h"
#include "LabelBoardTask.h"
#include "LabelBoardTasks.h"
#include "ShapeQuizTask.h"
#include "TheoryPage.h"
#include "TheoryPages.h"
#include "TypedAnswerTask.h"
#include "TypedAnswerTasks.h"

// The forms of the typed-answer exercises, made from their .ui files.
namespace Ui {
class AssignmentStatementsTask;
class ExpressionNotationTask;
class FormulaNotationTask;
class TracingAssignmentsTask;
} // namespace Ui

namespace {

template <typename Window>
PageWindow *make()
{
    return new Window;
}

template <auto design>
PageWindow *theoryPage()
{
    return new TheoryPage(design);
}

template <auto design>
PageWindow *labelBoardTask()
{
    return new LabelBoardTask(design);
}

template <typename Form>
PageWindow *typedAnswerTask()
{
    return new TypedAnswerTask(TypedAnswerTasks::exercise<Form>);
}

} // namespace

const std::vector<PageEntry> &pages()
{
    using Kind = PageKind;
    static const std::vector<PageEntry> entries = {
        {"workedExample", Kind::Theory, theoryPage<&TheoryPages::workedExample>},
        {"expressionNotation", Kind::Exercise, typedAnswerTask<Ui::ExpressionNotationTask>},
        {"sweetsCount", Kind::Exercise, labelBoardTask<&LabelBoardTasks::sweetsCount>},
        {"flowchartElements", Kind::Theory, theoryPage<&TheoryPages::flowchartElements>},
        {"shapeQuiz", Kind::Exercise, make<ShapeQuizTask>},
        {"heelHeight", Kind::Exercise, labelBoardTask<&LabelBoardTasks::heelHeight>},
        {"assignmentStatements", Kind::Exercise, typedAnswerTask<Ui::AssignmentStatementsTask>},
        {"mathReference", Kind::Reference, theoryPage<&TheoryPages::mathReference>},
        {"formulaNotation", Kind::Exercise, typedAnswerTask<Ui::FormulaNotationTask>},
        {"hoursToMinutes", Kind::Exercise, make<HoursToMinutesTask>},
        {"about", Kind::About, make<AboutWindow>},
        {"cosineLaw", Kind::Exercise, make<CosineLawTask>},
        {"assignmentOperator", Kind::Theory, theoryPage<&TheoryPages::assignmentOperator>},
        {"tracingAssignments", Kind::Exercise, typedAnswerTask<Ui::TracingAssignmentsTask>},
        {"orangeCost", Kind::Exercise, labelBoardTask<&LabelBoardTasks::orangeCost>},
    };
    return entries;
}
