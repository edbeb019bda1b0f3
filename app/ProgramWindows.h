#pragma once

#include "Page.h"

#include <QList>
#include <QMap>

class AboutWindow;
class CosineLawTask;
class DesignedForm;
class ExpressionNotationTask;
class FormulaNotationTask;
class HoursToMinutesTask;
class LabelBoardTask;
class MainWindow;
class QWidget;
class SplashScreen;
class ShapeQuizTask;
class AssignmentStatementsTask;
class TheoryPage;
class TracingAssignmentsTask;

// Owns every window of the program. It creates them once, hidden, in a fixed
// order (the main form first), wires them together, and destroys them in
// reverse order. With the splash shown, the splash is built and painted
// first, and the rest are built behind it before the constructor returns.
// Opening a page makes its window visible, modeless; a window that is
// already visible stays as it is: no second window, no reset, not raised.
class ProgramWindows
{
public:
    enum class Splash { Shown, Skipped };

    // `splash`: whether the splash comes up first and the main form waits
    // for it to close when shown (tests skip its three seconds).
    explicit ProgramWindows(Splash splash = Splash::Shown);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // Every window in the fixed creation order (where the splash is the 16th,
    // even when it was built first).
    const QList<QWidget *> &windows() const { return m_windows; }
    QWidget *window(Page page) const { return m_pages.value(page); }
    void open(Page page);

    MainWindow *mainWindow() const { return m_mainWindow; }
    SplashScreen *splashScreen() const { return m_splashScreen; }
    AboutWindow *aboutWindow() const { return m_aboutWindow; }
    TheoryPage *flowchartElementsPage() const { return m_flowchartElements; }
    TheoryPage *assignmentOperatorPage() const { return m_assignmentOperator; }
    TheoryPage *workedExamplePage() const { return m_workedExample; }
    TheoryPage *mathReferencePage() const { return m_mathReference; }
    ShapeQuizTask *shapeQuizTask() const { return m_shapeQuiz; }
    AssignmentStatementsTask *assignmentStatementsTask() const { return m_assignmentStatements; }
    TracingAssignmentsTask *tracingAssignmentsTask() const { return m_tracingAssignments; }
    HoursToMinutesTask *hoursToMinutesTask() const { return m_hoursToMinutes; }
    LabelBoardTask *orangeCostTask() const { return m_orangeCost; }
    LabelBoardTask *heelHeightTask() const { return m_heelHeight; }
    LabelBoardTask *sweetsCountTask() const { return m_sweetsCount; }
    ExpressionNotationTask *expressionNotationTask() const { return m_expressionNotation; }
    FormulaNotationTask *formulaNotationTask() const { return m_formulaNotation; }
    CosineLawTask *cosineLawTask() const { return m_cosineLaw; }

private:
    template <typename Window, typename... Args>
    Window *create(Args &&...args);
    void addPage(Page page, DesignedForm *window);
    static SplashScreen *showSplashFirst();

    QList<QWidget *> m_windows;
    QMap<Page, QWidget *> m_pages;
    MainWindow *m_mainWindow = nullptr;
    SplashScreen *m_splashScreen = nullptr;
    AboutWindow *m_aboutWindow = nullptr;
    TheoryPage *m_flowchartElements = nullptr;
    TheoryPage *m_assignmentOperator = nullptr;
    TheoryPage *m_workedExample = nullptr;
    TheoryPage *m_mathReference = nullptr;
    ShapeQuizTask *m_shapeQuiz = nullptr;
    AssignmentStatementsTask *m_assignmentStatements = nullptr;
    TracingAssignmentsTask *m_tracingAssignments = nullptr;
    HoursToMinutesTask *m_hoursToMinutes = nullptr;
    LabelBoardTask *m_orangeCost = nullptr;
    LabelBoardTask *m_heelHeight = nullptr;
    LabelBoardTask *m_sweetsCount = nullptr;
    ExpressionNotationTask *m_expressionNotation = nullptr;
    FormulaNotationTask *m_formulaNotation = nullptr;
    CosineLawTask *m_cosineLaw = nullptr;
};
