#include "FormulaNotationTask.h"
#include "ui_FormulaNotationTask.h"

#include "AnswerLine.h"
#include "BlankFilter.h"
#include "ScreenReader.h"

#include <QApplication>
#include <QCursor>

namespace {

// The accepted writings of each formula. Every letter is Latin.
//   y: the continued fraction x/(x² + 3/(x² + 9/(x² + 18/(x² + 36/x²))));
//      36 over x squared needs its brackets, since 36/X*X is 36.
//   t: (√|x4 - 1| - √|y²|)/√(1 + x2⁴/4 + y3³/3) + (tg x + x²)·√(23 sin x)
//   z: (1 + 2,5·y2)(x + y³/(x² + 14))/(sin² x + 1/√(x1 + y²))
const AnswerKeys formulaKeys[3] = {
    {"Y:=X/(X*X+3/(X*X+9/(X*X+18/(X*X+36/(X*X)))))",
     "Y:=X/(SQR(X)+3/(SQR(X)+9/(SQR(X)+18/(SQR(X)+36/SQR(X)))))"},
    {"T:=(SQRT(ABS(X4-1))-SQRT(ABS(Y*Y)))/SQRT(1+X2*X2*X2*X2/4+Y3*Y3*Y3/3)+(SIN(X)/COS(X)+X*X)*SQRT(23*SIN(X))"},
    {"Z:=(1+2.5*Y2)*(X+Y*Y*Y/(X*X+14))/(SIN(X)*SIN(X)+1/SQRT(X1+Y*Y))"},
};

} // namespace

FormulaNotationTask::FormulaNotationTask(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::FormulaNotationTask)
{
    ui->setupUi(this);
    finishDesign();
    BlankFilter::install(this);
    m_lines = {AnswerLine(ui->formula1Edit, ui->formula1CheckButton, formulaKeys[0], AnswerLine::Case::Upcase),
               AnswerLine(ui->formula2Edit, ui->formula2CheckButton, formulaKeys[1], AnswerLine::Case::Upcase),
               AnswerLine(ui->formula3Edit, ui->formula3CheckButton, formulaKeys[2], AnswerLine::Case::Upcase)};
    m_marks = {ui->formula1Mark, ui->formula2Mark, ui->formula3Mark};
    // A screen reader reads each box's formula with it.
    const PictureBox *const formulas[] = {ui->formula1Picture, ui->formula2Picture, ui->formula3Picture};
    for (int index = 0; index < m_lines.size(); ++index)
        m_lines[index].edit()->setAccessibleDescription(formulas[index]->accessibleName());
    for (int index = 0; index < m_lines.size(); ++index)
        connect(m_lines[index].button(), &QPushButton::clicked, this, [this, index] { checkFormula(index); });
    connect(ui->restartButton, &QPushButton::clicked, this, &FormulaNotationTask::restart);
    connect(ui->referenceButton, &QPushButton::clicked, this, &FormulaNotationTask::referenceRequested);
    connect(ui->doneButton, &QPushButton::clicked, this, &FormulaNotationTask::finish);
    connect(this, &FormulaNotationTask::activated, this, &FormulaNotationTask::focusFirstFormula);
}

FormulaNotationTask::~FormulaNotationTask()
{
    delete ui;
}

void FormulaNotationTask::checkFormula(int index)
{
    AnswerLine &line = m_lines[index];
    // Nothing shows that a formula was not taken; a screen reader hears it.
    if (!line.judge()) {
        ScreenReader::announce(this, QStringLiteral("Ответ не принят."));
        return;
    }
    ScreenReader::announce(this, QStringLiteral("Ответ принят."));
    // The box stays editable; only the button is spent.
    line.button()->setEnabled(false);
    m_marks[index]->setVisible(true);
    if (allMarksShown())
        ui->doneButton->setVisible(true);
}

bool FormulaNotationTask::allMarksShown() const
{
    for (const PictureBox *mark : m_marks) {
        if (mark->isHidden())
            return false;
    }
    return true;
}

void FormulaNotationTask::focusFirstFormula()
{
    // A click that brought the form to the front goes on after the
    // activation: if it landed on a control that takes the focus, that
    // control keeps it. The window system may report the activation after
    // the press, so the press is looked at here.
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        QWidget *pressed = QApplication::widgetAt(QCursor::pos());
        if (pressed && pressed->window() == this && pressed->isEnabled() && (pressed->focusPolicy() & Qt::ClickFocus))
            return;
    }
    ui->formula1Edit->setFocus();
}

// "Заново": empties the boxes and hides the marks. Every "Проверить" is
// enabled again, so that each formula can be judged anew; "OK" keeps its
// visibility.
void FormulaNotationTask::restart()
{
    for (AnswerLine &line : m_lines) {
        line.edit()->clear();
        line.button()->setEnabled(true);
    }
    for (PictureBox *mark : m_marks)
        mark->setVisible(false);
}
