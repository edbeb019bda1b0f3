#include "Registry.h"

#include "HoursToMinutesTask.h"
#include "SplashScreen.h"
#include "AboutWindow.h"
#include "MainWindow.h"
#include "FlowchartElementsPage.h"
#include "WorkedExamplePage.h"
#include "ShapeQuizTask.h"
#include "CosineLawTask.h"
#include "AssignmentOperatorPage.h"
#include "TracingAssignmentsTask.h"
#include "OrangeCostTask.h"
#include "HeelHeightTask.h"
#include "SweetsCountTask.h"
#include "AssignmentStatementsTask.h"
#include "MathReferencePage.h"
#include "ExpressionNotationTask.h"
#include "FormulaNotationTask.h"

namespace Registry {

namespace {

QList<QWidget *> created;

template <typename Form>
void create(Form *&variable)
{
    variable = new Form;
    created.append(variable);
}

template <typename Form>
void destroy(Form *&variable)
{
    delete variable;
    variable = nullptr;
}

} // namespace

void createForms()
{
    create(mainWindow);
    create(workedExamplePage);
    create(expressionNotationTask);
    create(sweetsCountTask);
    create(flowchartElementsPage);
    create(shapeQuizTask);
    create(heelHeightTask);
    create(assignmentStatementsTask);
    create(mathReferencePage);
    create(formulaNotationTask);
    create(hoursToMinutesTask);
    create(aboutWindow);
    create(cosineLawTask);
    create(assignmentOperatorPage);
    create(tracingAssignmentsTask);
    create(splashScreen);
    create(orangeCostTask);
}

const QList<QWidget *> &forms()
{
    return created;
}

void destroyForms()
{
    created.clear();
    destroy(orangeCostTask);
    destroy(splashScreen);
    destroy(tracingAssignmentsTask);
    destroy(assignmentOperatorPage);
    destroy(cosineLawTask);
    destroy(aboutWindow);
    destroy(hoursToMinutesTask);
    destroy(formulaNotationTask);
    destroy(mathReferencePage);
    destroy(assignmentStatementsTask);
    destroy(heelHeightTask);
    destroy(shapeQuizTask);
    destroy(flowchartElementsPage);
    destroy(sweetsCountTask);
    destroy(expressionNotationTask);
    destroy(workedExamplePage);
    destroy(mainWindow);
}

} // namespace Registry
