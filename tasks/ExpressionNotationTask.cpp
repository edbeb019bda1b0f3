#include "ExpressionNotationTask.h"
#include "ui_ExpressionNotationTask.h"

#include "AnswerLine.h"
#include "MessageBox.h"
#include "BlankFilter.h"

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
    BlankFilter::install(this);
    QLineEdit *const edits[] = {ui->expression1Edit, ui->expression2Edit, ui->expression3Edit,
                                ui->expression4Edit, ui->expression5Edit, ui->expression6Edit};
    QPushButton *const buttons[] = {ui->expression1CheckButton, ui->expression2CheckButton,
                                    ui->expression3CheckButton, ui->expression4CheckButton,
                                    ui->expression5CheckButton, ui->expression6CheckButton};
    const PictureBox *const questions[] = {ui->expression1Picture, ui->expression2Picture, ui->expression3Picture,
                                           ui->expression4Picture, ui->expression5Picture, ui->expression6Picture};
    for (int i = 0; i < 6; ++i) {
        // A screen reader reads the box's question with it.
        edits[i]->setAccessibleDescription(questions[i]->accessibleName());
        m_lines.append(AnswerLine(edits[i], buttons[i], lineKeys[i], AnswerLine::Case::Upcase));
        connect(buttons[i], &QPushButton::clicked, this, [this, i] { checkLine(i); });
    }
    connect(ui->doneButton, &QPushButton::clicked, this, &ExpressionNotationTask::finish);
    connect(ui->referenceButton, &QPushButton::clicked, this, &ExpressionNotationTask::referenceRequested);
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
        ui->doneButton->setVisible(true);
}

bool ExpressionNotationTask::allLinesSolved() const
{
    for (const AnswerLine &line : m_lines) {
        if (line.button()->isEnabled())
            return false;
    }
    return true;
}
