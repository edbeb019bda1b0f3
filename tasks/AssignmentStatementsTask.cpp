#include "AssignmentStatementsTask.h"
#include "ui_AssignmentStatementsTask.h"

#include "MessageBox.h"
#include "SpaceFilter.h"

#include <algorithm>

AssignmentStatementsTask *assignmentStatementsTask = nullptr;

namespace {

// The accepted statements of the five lines, top to bottom, each tried in
// its order. Variables are Latin capitals, the decimal separator is a point,
// and there are no blanks: the answer is compared after upper-casing only.
const AnswerKeys &keysOfLine(int line)
{
    static const std::array<AnswerKeys, 5> keys = {
        AnswerKeys{"A:=10"},                        // A gets 10
        AnswerKeys{"C:=A+B", "C:=B+A"},             // C is the sum of A and B
        AnswerKeys{"A:=A*30", "A:=30*A"},           // A grows thirtyfold
        AnswerKeys{"B:=B/3"},                       // B shrinks threefold
        AnswerKeys{"C:=A*2.5-B*B", "C:=2.5*A-B*B"}, // 2.5 times A less the square of B
    };
    return keys[std::size_t(line)];
}

const QString WrongAnswer = QStringLiteral("Вы неверно решили задачу");
// The statistics line's prefix, spelt as the form has always shown it.
const QString Statistics = QStringLiteral("Статитстика: Количество ошибок: ");

} // namespace

AssignmentStatementsTask::AssignmentStatementsTask(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::AssignmentStatementsTask)
{
    ui->setupUi(this);
    finishDesign();
    const std::array<std::pair<QLineEdit *, QPushButton *>, 5> controls = {{
        {ui->Edit2, ui->Button2},
        {ui->Edit3, ui->Button3},
        {ui->Edit1, ui->Button1},
        {ui->Edit4, ui->Button4},
        {ui->Edit5, ui->Button5},
    }};
    for (int line = 0; line < int(controls.size()); ++line)
        m_lines.emplace_back(controls[line].first, controls[line].second, keysOfLine(line), AnswerLine::Case::Upcase);
    m_marks = {ui->Image1, ui->Image2, ui->Image3, ui->Image4, ui->Image5};
}

AssignmentStatementsTask::~AssignmentStatementsTask()
{
    delete ui;
}

void AssignmentStatementsTask::checkLine(int line)
{
    AnswerLine &answer = m_lines[std::size_t(line)];
    if (answer.judge()) {
        m_marks[std::size_t(line)]->setVisible(true);
        SolvedOnce[std::size_t(line)] = true;
        if (std::all_of(SolvedOnce.begin(), SolvedOnce.end(), [](bool solved) { return solved; }))
            ui->Button7->setVisible(true);
        answer.lock();
        return;
    }
    ++ErrorCount;
    answer.edit()->clear();
    MessageBox::show(WrongAnswer);
    ui->Label8->setText(Statistics + QString::number(ErrorCount));
}

void AssignmentStatementsTask::Button2Click() { checkLine(0); }
void AssignmentStatementsTask::Button3Click() { checkLine(1); }
void AssignmentStatementsTask::Button1Click() { checkLine(2); }
void AssignmentStatementsTask::Button4Click() { checkLine(3); }
void AssignmentStatementsTask::Button5Click() { checkLine(4); }

void AssignmentStatementsTask::Button6Click()
{
    // Reopens every line; the marks, the statistics line and "ОК" stay.
    ErrorCount = 0;
    for (AnswerLine &line : m_lines)
        line.unlock();
    for (AnswerLine &line : m_lines)
        line.edit()->clear();
}

void AssignmentStatementsTask::Button7Click()
{
    completeWithMark("Image7");
}

void AssignmentStatementsTask::FormKeyPress(QObject *, QChar &Key)
{
    SpaceFilter::apply(Key);
}
