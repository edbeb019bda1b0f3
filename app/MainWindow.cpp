#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "FormActivation.h"
#include "FormDesign.h"
#include "PictureBox.h"
#include "ScreenReader.h"

#include <QApplication>
#include <QCloseEvent>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    ScreenReader::installRoles();
    FormDesign::apply(this);
    FormActivation::instance().registerForm(this);

    struct Entry
    {
        Page page;
        QPushButton *button;
        QAction *action;
        PictureBox *mark;
    };
    const Entry entries[] = {
        {Page::FlowchartElements, ui->flowchartElementsButton, ui->flowchartElementsAction, ui->flowchartElementsMark},
        {Page::AssignmentOperator, ui->assignmentOperatorButton, ui->assignmentOperatorAction,
         ui->assignmentOperatorMark},
        {Page::WorkedExample, ui->workedExampleButton, ui->workedExampleAction, ui->workedExampleMark},
        {Page::MathReference, ui->mathReferenceButton, ui->mathReferenceAction, ui->mathReferenceMark},
        {Page::Task1, ui->task1Button, ui->task1Action, ui->task1Mark},
        {Page::Task2, ui->task2Button, ui->task2Action, ui->task2Mark},
        {Page::Task3, ui->task3Button, ui->task3Action, ui->task3Mark},
        {Page::Task4, ui->task4Button, ui->task4Action, ui->task4Mark},
        {Page::Task5, ui->task5Button, ui->task5Action, ui->task5Mark},
        {Page::Task6, ui->task6Button, ui->task6Action, ui->task6Mark},
        {Page::Task7, ui->task7Button, ui->task7Action, ui->task7Mark},
        {Page::Task8, ui->task8Button, ui->task8Action, ui->task8Mark},
        {Page::Task9, ui->task9Button, ui->task9Action, ui->task9Mark},
        {Page::Task10, ui->task10Button, ui->task10Action, ui->task10Mark},
    };
    for (const Entry &entry : entries) {
        const Page page = entry.page;
        connect(entry.button, &QPushButton::clicked, this, [this, page] { emit pageRequested(page); });
        connect(entry.action, &QAction::triggered, this, [this, page] { emit pageRequested(page); });
        m_marks.insert(page, {entry.mark, entry.button});
    }
    connect(ui->aboutAction, &QAction::triggered, this, [this] { emit pageRequested(Page::About); });
}

MainWindow::~MainWindow()
{
    FormActivation::instance().unregisterForm(this);
    delete ui;
}

void MainWindow::showMark(Page page)
{
    const Mark mark = m_marks.value(page);
    if (!mark.picture)
        return;
    mark.picture->show();
    // A screen reader hears the mark with the button, once the pupil is
    // back on the main form and the focus is there.
    mark.button->setAccessibleDescription(QStringLiteral("Выполнено"));
}

bool MainWindow::isMarkShown(Page page) const
{
    const PictureBox *mark = m_marks.value(page).picture;
    return mark && !mark->isHidden();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Qt sends the show event before the window is put on screen, so a
    // splash shown from here is the first window the pupil sees.
    if (!event->spontaneous())
        emit aboutToAppear();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the main form ends the program, whatever else is open.
    event->accept();
    QApplication::quit();
}
