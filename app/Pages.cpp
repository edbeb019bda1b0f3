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

template <auto exercise>
PageWindow *typedAnswerTask()
{
    return new TypedAnswerTask(exercise);
}

} // namespace

const std::vector<PageEntry> &pages()
{
    static const std::vector<PageEntry> entries = {
        {Page::WorkedExample, "workedExample", theoryPage<&TheoryPages::workedExample>},
        {Page::ExpressionNotation, "task8", typedAnswerTask<&TypedAnswerTasks::expressionNotation>},
        {Page::SweetsCount, "task7", labelBoardTask<&LabelBoardTasks::sweetsCount>},
        {Page::FlowchartElements, "flowchartElements", theoryPage<&TheoryPages::flowchartElements>},
        {Page::ShapeQuiz, "task1", make<ShapeQuizTask>},
        {Page::HeelHeight, "task6", labelBoardTask<&LabelBoardTasks::heelHeight>},
        {Page::AssignmentStatements, "task2", typedAnswerTask<&TypedAnswerTasks::assignmentStatements>},
        {Page::MathReference, "mathReference", theoryPage<&TheoryPages::mathReference>},
        {Page::FormulaNotation, "task9", typedAnswerTask<&TypedAnswerTasks::formulaNotation>},
        {Page::HoursToMinutes, "task4", make<HoursToMinutesTask>},
        {Page::About, "about", make<AboutWindow>},
        {Page::CosineLaw, "task10", make<CosineLawTask>},
        {Page::AssignmentOperator, "assignmentOperator", theoryPage<&TheoryPages::assignmentOperator>},
        {Page::TracingAssignments, "task3", typedAnswerTask<&TypedAnswerTasks::tracingAssignments>},
        {Page::OrangeCost, "task5", labelBoardTask<&LabelBoardTasks::orangeCost>},
    };
    return entries;
}
