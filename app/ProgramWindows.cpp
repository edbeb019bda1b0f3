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

#include <QEventLoop>
#include <QTimer>

template <typename Window, typename... Args>
Window *ProgramWindows::create(Args &&...args)
{
    auto *window = new Window(std::forward<Args>(args)...);
    m_windows.append(window);
    return window;
}

SplashScreen *ProgramWindows::showSplashFirst()
{
    // Building the other sixteen windows takes longer than starting Qt
    // itself, so the splash goes on screen first and hides that work; its
    // three seconds run from here, not from the end of the build.
    auto *splash = new SplashScreen;
    splash->setModal(true);
    splash->show();
    if (!splash->isPainted()) {
        QEventLoop untilPainted;
        QObject::connect(splash, &SplashScreen::painted, &untilPainted, &QEventLoop::quit);
        // A splash that is never exposed (a minimised session) must not hold the start up.
        QTimer::singleShot(1000, &untilPainted, &QEventLoop::quit);
        untilPainted.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return splash;
}

void ProgramWindows::addPage(Page page, DesignedForm *window)
{
    m_pages.insert(page, window);
    QObject::connect(window, &DesignedForm::completed, m_mainWindow, [this, page] { m_mainWindow->showMark(page); });
}

ProgramWindows::ProgramWindows(Splash splash)
{
    SplashScreen *splashOnScreen = splash == Splash::Shown ? showSplashFirst() : nullptr;
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
    if (splashOnScreen) {
        m_splashScreen = splashOnScreen;
        m_windows.append(splashOnScreen);
    } else {
        m_splashScreen = create<SplashScreen>();
    }
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
        // The main form's show waits in the splash's modal loop (the splash
        // is already up), so the main form appears once the splash has closed.
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
