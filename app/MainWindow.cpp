#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "FormActivation.h"
#include "FormDesign.h"
#include "PictureBox.h"
#include "HoursToMinutesTask.h"
#include "SplashScreen.h"
#include "AboutWindow.h"
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

#include <QApplication>
#include <QCloseEvent>

MainWindow *mainWindow = nullptr;

namespace {
bool splashEnabled = true;
}

void openForm(QWidget *form)
{
    if (form && !form->isVisible())
        form->show();
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    FormDesign::apply(this);
    FormActivation::instance().registerForm(this);
}

MainWindow::~MainWindow()
{
    FormActivation::instance().unregisterForm(this);
    delete ui;
}

void MainWindow::setSplashEnabled(bool on)
{
    splashEnabled = on;
}

void MainWindow::showMark(const char *markName)
{
    if (auto *mark = findChild<PictureBox *>(QLatin1String(markName)))
        mark->show();
}

bool MainWindow::isMarkShown(const char *markName) const
{
    const auto *mark = findChild<PictureBox *>(QLatin1String(markName));
    return mark && !mark->isHidden();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Qt sends the show event before the window is put on screen, so the
    // splash is the first window the learner sees.
    if (!event->spontaneous())
        FormShow();
}

void MainWindow::FormShow()
{
    if (splashEnabled && splashScreen)
        splashScreen->exec();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the main form ends the program, whatever else is open.
    event->accept();
    QApplication::quit();
}

void MainWindow::BtTeoryClick() { openForm(flowchartElementsPage); }
void MainWindow::Button1Click() { openForm(heelHeightTask); }
void MainWindow::Button2Click() { openForm(workedExamplePage); }
void MainWindow::Button3Click() { openForm(orangeCostTask); }
void MainWindow::Button4Click() { openForm(shapeQuizTask); }
void MainWindow::Button5Click() { openForm(sweetsCountTask); }
void MainWindow::Button6Click() { openForm(assignmentStatementsTask); }
void MainWindow::Button7Click() { openForm(mathReferencePage); }
void MainWindow::Button8Click() { openForm(expressionNotationTask); }
void MainWindow::Button9Click() { openForm(formulaNotationTask); }
void MainWindow::Button10Click() { openForm(hoursToMinutesTask); }
void MainWindow::Button11Click() { openForm(cosineLawTask); }
void MainWindow::Button12Click() { openForm(assignmentOperatorPage); }
void MainWindow::Button13Click() { openForm(tracingAssignmentsTask); }
void MainWindow::N3Click() { openForm(flowchartElementsPage); }
void MainWindow::N4Click() { openForm(assignmentOperatorPage); }
void MainWindow::N5Click() { openForm(workedExamplePage); }
void MainWindow::N6Click() { openForm(mathReferencePage); }
void MainWindow::N7Click() { openForm(aboutWindow); }
void MainWindow::N11Click() { openForm(shapeQuizTask); }
void MainWindow::N21Click() { openForm(assignmentStatementsTask); }
void MainWindow::N31Click() { openForm(tracingAssignmentsTask); }
void MainWindow::N32Click() { openForm(hoursToMinutesTask); }
void MainWindow::N51Click() { openForm(orangeCostTask); }
void MainWindow::N61Click() { openForm(heelHeightTask); }
void MainWindow::N71Click() { openForm(sweetsCountTask); }
void MainWindow::N81Click() { openForm(expressionNotationTask); }
void MainWindow::N91Click() { openForm(formulaNotationTask); }
void MainWindow::N101Click() { openForm(cosineLawTask); }
