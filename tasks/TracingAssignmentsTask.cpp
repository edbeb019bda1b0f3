#include "TracingAssignmentsTask.h"
#include "ui_TracingAssignmentsTask.h"

#include "ScreenReader.h"

#include <algorithm>
#include <array>


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
        {ui->sequence1Edit, ui->sequence1CheckButton},
        {ui->sequence2Edit, ui->sequence2CheckButton},
        {ui->sequence3Edit, ui->sequence3CheckButton},
        {ui->sequence4Edit, ui->sequence4CheckButton},
    }};
    for (int index = 0; index < int(controls.size()); ++index) {
        m_subProblems.emplace_back(controls[index].first, controls[index].second, keyOfSubProblem(index),
                                   AnswerLine::Case::AsTyped);
        connect(controls[index].second, &QPushButton::clicked, this, [this, index] { checkSubProblem(index); });
    }
    m_marks = {ui->sequence1Mark, ui->sequence2Mark, ui->sequence3Mark, ui->sequence4Mark};
    connect(ui->restartButton, &QPushButton::clicked, this, &TracingAssignmentsTask::restart);
    connect(ui->doneButton, &QPushButton::clicked, this, &TracingAssignmentsTask::finish);
}

TracingAssignmentsTask::~TracingAssignmentsTask()
{
    delete ui;
}

void TracingAssignmentsTask::checkSubProblem(int index)
{
    AnswerLine &subProblem = m_subProblems[std::size_t(index)];
    if (!subProblem.judge()) {
        // Not accepted: no message, the text stays; a screen reader hears it.
        ScreenReader::announce(this, QStringLiteral("Ответ не принят."));
        return;
    }
    subProblem.lock();
    m_marks[std::size_t(index)]->setVisible(true);
    if (std::none_of(m_subProblems.begin(), m_subProblems.end(),
                     [](const AnswerLine &line) { return line.button()->isEnabled(); }))
        ui->doneButton->setVisible(true);
}

void TracingAssignmentsTask::restart()
{
    // Reopens the four sub-problems; "ОК" keeps its visibility.
    for (QWidget *mark : m_marks)
        mark->setVisible(false);
    for (AnswerLine &subProblem : m_subProblems)
        subProblem.button()->setEnabled(true);
    for (AnswerLine &subProblem : m_subProblems) {
        subProblem.edit()->setEnabled(true);
        subProblem.edit()->clear();
    }
}
