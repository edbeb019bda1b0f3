#include "TracingAssignmentsTask.h"
#include "ui_TracingAssignmentsTask.h"

#include <algorithm>
#include <array>

TracingAssignmentsTask *tracingAssignmentsTask = nullptr;

namespace {

// The value of a after each sequence, compared exactly as typed.
const AnswerKeys &keyOfSubProblem(int index)
{
    static const std::array<AnswerKeys, 4> keys = {
        AnswerKeys{"4"}, // a:= 2; a:=a+3; a:=a-1
        AnswerKeys{"3"}, // a:= 2, b:=3; c:= 2*a-b; a:= 2+c
        AnswerKeys{"4"}, // a:= 2, b:=3; c:= 2*a-b; a:= 2*a
        AnswerKeys{"0"}, // a:= 2; c:= 2*a; a:= 0
    };
    return keys[std::size_t(index)];
}

} // namespace

TracingAssignmentsTask::TracingAssignmentsTask(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TracingAssignmentsTask)
{
    ui->setupUi(this);
    finishDesign();
    const std::array<std::pair<QLineEdit *, QPushButton *>, 4> controls = {{
        {ui->Edit1, ui->Button1},
        {ui->Edit2, ui->Button2},
        {ui->Edit3, ui->Button3},
        {ui->Edit4, ui->Button4},
    }};
    for (int index = 0; index < int(controls.size()); ++index)
        m_subProblems.emplace_back(controls[index].first, controls[index].second, keyOfSubProblem(index),
                                   AnswerLine::Case::AsTyped);
    m_marks = {ui->Image1, ui->Image3, ui->Image2, ui->Image4};
}

TracingAssignmentsTask::~TracingAssignmentsTask()
{
    delete ui;
}

void TracingAssignmentsTask::checkSubProblem(int index)
{
    AnswerLine &subProblem = m_subProblems[std::size_t(index)];
    if (!subProblem.judge())
        return; // not accepted: no message, the text stays
    subProblem.lock();
    m_marks[std::size_t(index)]->setVisible(true);
    if (std::none_of(m_subProblems.begin(), m_subProblems.end(),
                     [](const AnswerLine &line) { return line.button()->isEnabled(); }))
        ui->Button5->setVisible(true);
}

void TracingAssignmentsTask::Button1Click() { checkSubProblem(0); }
void TracingAssignmentsTask::Button2Click() { checkSubProblem(1); }
void TracingAssignmentsTask::Button3Click() { checkSubProblem(2); }
void TracingAssignmentsTask::Button4Click() { checkSubProblem(3); }

void TracingAssignmentsTask::Button6Click()
{
    // Reopens the four sub-problems; "ОК" keeps its visibility.
    ui->Image1->setVisible(false);
    ui->Image2->setVisible(false);
    ui->Image3->setVisible(false);
    ui->Image4->setVisible(false);
    for (AnswerLine &subProblem : m_subProblems)
        subProblem.button()->setEnabled(true);
    for (AnswerLine &subProblem : m_subProblems) {
        subProblem.edit()->setEnabled(true);
        subProblem.edit()->clear();
    }
}

void TracingAssignmentsTask::Button5Click()
{
    completeWithMark("Image14");
}
