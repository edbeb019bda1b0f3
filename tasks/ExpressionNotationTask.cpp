#include "ExpressionNotationTask.h"
#include "ui_ExpressionNotationTask.h"

#include "AnswerLine.h"
#include "MessageBox.h"
#include "SpaceFilter.h"
#include "MainWindow.h"
#include "MathReferencePage.h"

ExpressionNotationTask *expressionNotationTask = nullptr;

namespace {

// The accepted writings of each line, in the order they are tried:
//   1  5a > m/2             2  (a - b)/7c            3  3,2a²
//   4  2x + 6 >= 67,5x²     5  (k² + 17)/1,7d² + 5   6  sin x + cos x - sin² x
const AnswerKeys lineKeys[6] = {
    {"5*A>M/2"},
    {"(A-B)/(7*C)", "(A-B)/(C*7)"},
    {"3.2*A*A", "3.2*SQR(A)", "A*A*3.2", "SQR(A)*3.2"},
    {"2*X+6>=67.5*X*X", "2*X+6>=67.5*SQR(X)"},
    {"(K*K+17)/(1.7*D*D)+5", "(SQR(K)+17)/(1.7*SQR(D))+5"},
    {"SIN(X)+COS(X)-SIN(X)*SIN(X)", "SIN(X)+COS(X)-SQR(SIN(X))"},
};

const char *const wrongAnswer = "Задача решена неверно";

} // namespace

ExpressionNotationTask::ExpressionNotationTask(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::ExpressionNotationTask)
{
    ui->setupUi(this);
    finishDesign();
    QLineEdit *const edits[] = {ui->Edit1, ui->Edit2, ui->Edit3, ui->Edit4, ui->Edit5, ui->Edit6};
    QPushButton *const buttons[] = {ui->Button1, ui->Button2, ui->Button3, ui->Button4, ui->Button5, ui->Button6};
    for (int i = 0; i < 6; ++i)
        m_lines.append(AnswerLine(edits[i], buttons[i], lineKeys[i], AnswerLine::Case::Upcase));
}

ExpressionNotationTask::~ExpressionNotationTask()
{
    delete ui;
}

void ExpressionNotationTask::checkLine(int index)
{
    AnswerLine &line = m_lines[index];
    if (!line.judge()) {
        MessageBox::show(QString::fromUtf8(wrongAnswer));
        return;
    }
    line.lock();
    if (allLinesSolved())
        ui->Button7->setVisible(true);
}

bool ExpressionNotationTask::allLinesSolved() const
{
    for (const AnswerLine &line : m_lines) {
        if (line.button()->isEnabled())
            return false;
    }
    return true;
}

void ExpressionNotationTask::Button1Click() { checkLine(0); }
void ExpressionNotationTask::Button2Click() { checkLine(1); }
void ExpressionNotationTask::Button3Click() { checkLine(2); }
void ExpressionNotationTask::Button4Click() { checkLine(3); }
void ExpressionNotationTask::Button5Click() { checkLine(4); }
void ExpressionNotationTask::Button6Click() { checkLine(5); }

void ExpressionNotationTask::Button7Click()
{
    completeWithMark("Image9");
}

void ExpressionNotationTask::Button8Click()
{
    openForm(mathReferencePage);
}

void ExpressionNotationTask::FormKeyPress(QObject *, QChar &Key)
{
    SpaceFilter::apply(Key);
}
