#include "AssignmentStatementsTask.h"
#include "ui_AssignmentStatementsTask.h"

#include "MessageBox.h"
#include "BlankFilter.h"

#include <algorithm>


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
    BlankFilter::install(this);
    const std::array<std::pair<QLineEdit *, QPushButton *>, 5> controls = {{
        {ui->statement1Edit, ui->statement1CheckButton},
        {ui->statement2Edit, ui->statement2CheckButton},
        {ui->statement3Edit, ui->statement3CheckButton},
        {ui->statement4Edit, ui->statement4CheckButton},
        {ui->statement5Edit, ui->statement5CheckButton},
    }};
    for (int line = 0; line < int(controls.size()); ++line) {
        m_lines.emplace_back(controls[line].first, controls[line].second, keysOfLine(line), AnswerLine::Case::Upcase);
        connect(controls[line].second, &QPushButton::clicked, this, [this, line] { checkLine(line); });
    }
    m_marks = {ui->statement1Mark, ui->statement2Mark, ui->statement3Mark, ui->statement4Mark, ui->statement5Mark};
    connect(ui->restartButton, &QPushButton::clicked, this, &AssignmentStatementsTask::restart);
    connect(ui->doneButton, &QPushButton::clicked, this, &AssignmentStatementsTask::finish);
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
        m_solvedOnce[std::size_t(line)] = true;
        if (std::all_of(m_solvedOnce.begin(), m_solvedOnce.end(), [](bool solved) { return solved; }))
            ui->doneButton->setVisible(true);
        answer.lock();
        return;
    }
    ++m_errorCount;
    answer.edit()->clear();
    MessageBox::show(WrongAnswer);
    ui->statisticsLabel->setText(Statistics + QString::number(m_errorCount));
}

void AssignmentStatementsTask::restart()
{
    // Reopens every line; the marks, the statistics line and "ОК" stay.
    m_errorCount = 0;
    for (AnswerLine &line : m_lines)
        line.unlock();
    for (AnswerLine &line : m_lines)
        line.edit()->clear();
}
