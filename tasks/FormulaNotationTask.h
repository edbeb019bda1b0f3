#pragma once

#include "DesignedForm.h"

#include <QVector>

class AnswerLine;
class PictureBox;
namespace Ui { class FormulaNotationTask; }

// Task 9: three formulas shown as pictures, each to be written as one
// assignment in program notation. A right answer disables its "Проверить"
// and shows a check mark beside its formula; three marks bring "OK". A wrong
// answer is not reported. "Заново" empties the boxes and hides the marks.
class FormulaNotationTask : public DesignedForm
{
    Q_OBJECT

public:
    explicit FormulaNotationTask(QWidget *parent = nullptr);
    ~FormulaNotationTask() override;

signals:
    // The pupil asks for the mathematical functions reference.
    void referenceRequested();

private slots:
    void restart();
    void focusFirstFormula();

private:
    void checkFormula(int index);
    bool allMarksShown() const;

    Ui::FormulaNotationTask *ui;
    QVector<AnswerLine> m_lines;
    QVector<PictureBox *> m_marks;
};
