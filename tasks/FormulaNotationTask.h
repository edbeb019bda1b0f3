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

public slots:
    void FormActivate();
    void FormKeyPress(QObject *Sender, QChar &Key);
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button1Click();

private:
    void checkFormula(int index);
    bool allMarksShown() const;

    Ui::FormulaNotationTask *ui;
    QVector<AnswerLine> m_lines;  // Edit1/Button2, Edit2/Button3, Edit3/Button4
    QVector<PictureBox *> m_marks; // Image4, Image5, Image6
};

extern FormulaNotationTask *formulaNotationTask;
