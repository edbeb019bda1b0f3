#include "ProgramWindows.h"

#include "AboutWindow.h"
#include "AssignmentStatementsTask.h"
#include "CosineLawTask.h"
#include "ExpressionNotationTask.h"
#include "FormulaNotationTask.h"
#include "HoursToMinutesTask.h"
#include "LabelBoardTasks.h"
#include "MainWindow.h"
#include "ShapeQuizTask.h"
#include "SplashScreen.h"
#include "TheoryPage.h"
#include "TheoryPages.h"
#include "TracingAssignmentsTask.h"

template <typename Window, typename... Args>
Window *ProgramWindows::create(Args &&...args)
{
    auto *window = new Window(std::forward<Args>(args)...);
    m_windows.append(window);
    return window;
}

void ProgramWindows::addPage(Page page, DesignedForm *window)
{
    m_pages.insert(page, window);
    QObject::connect(window, &DesignedForm::completed, m_mainWindow, [this, page] { m_mainWindow->showMark(page); });
}

ProgramWindows::ProgramWindows(Splash splash)
{
    // The order the windows have always been created in; the first is the
    // main form.
    m_mainWindow = create<MainWindow>();
    m_workedExample = create<TheoryPage>(&TheoryPages::workedExample);
    m_expressionNotation = create<ExpressionNotationTask>();
    m_sweetsCount = create<LabelBoardTask>(&LabelBoardTasks::sweetsCount);
    m_flowchartElements = create<TheoryPage>(&TheoryPages::flowchartElements);
    m_shapeQuiz = create<ShapeQuizTask>();
    m_heelHeight = create<LabelBoardTask>(&LabelBoardTasks::heelHeight);
    m_assignmentStatements = create<AssignmentStatementsTask>();
    m_mathReference = create<TheoryPage>(&TheoryPages::mathReference);
    m_formulaNotation = create<FormulaNotationTask>();
    m_hoursToMinutes = create<HoursToMinutesTask>();
    m_aboutWindow = create<AboutWindow>();
    m_cosineLaw = create<CosineLawTask>();
    m_assignmentOperator = create<TheoryPage>(&TheoryPages::assignmentOperator);
    m_tracingAssignments = create<TracingAssignmentsTask>();
    m_splashScreen = create<SplashScreen>();
    m_orangeCost = create<LabelBoardTask>(&LabelBoardTasks::orangeCost);

    addPage(Page::FlowchartElements, m_flowchartElements);
    addPage(Page::AssignmentOperator, m_assignmentOperator);
    addPage(Page::WorkedExample, m_workedExample);
    addPage(Page::MathReference, m_mathReference);
    addPage(Page::Task1, m_shapeQuiz);
    addPage(Page::Task2, m_assignmentStatements);
    addPage(Page::Task3, m_tracingAssignments);
    addPage(Page::Task4, m_hoursToMinutes);
    addPage(Page::Task5, m_orangeCost);
    addPage(Page::Task6, m_heelHeight);
    addPage(Page::Task7, m_sweetsCount);
    addPage(Page::Task8, m_expressionNotation);
    addPage(Page::Task9, m_formulaNotation);
    addPage(Page::Task10, m_cosineLaw);
    m_pages.insert(Page::About, m_aboutWindow); // it shows no mark

    QObject::connect(m_mainWindow, &MainWindow::pageRequested, m_mainWindow, [this](Page page) { open(page); });
    const auto openReference = [this] { open(Page::MathReference); };
    QObject::connect(m_expressionNotation, &ExpressionNotationTask::referenceRequested, m_mathReference,
                     openReference);
    QObject::connect(m_formulaNotation, &FormulaNotationTask::referenceRequested, m_mathReference, openReference);
    if (splash == Splash::Shown) {
        // Modal from the main form's show event: the splash is the first
        // window on screen, and the main form appears once it has closed.
        QObject::connect(m_mainWindow, &MainWindow::aboutToAppear, m_splashScreen, [this] { m_splashScreen->exec(); });
    }
}

ProgramWindows::~ProgramWindows()
{
    while (!m_windows.isEmpty())
        delete m_windows.takeLast();
}

void ProgramWindows::open(Page page)
{
    QWidget *window = m_pages.value(page);
    if (window && !window->isVisible())
        window->show();
}
