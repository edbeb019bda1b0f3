#pragma once

#include "AnswerLine.h"
#include "DesignedForm.h"

#include <vector>

namespace Ui { class TFm13; }

// Task 3: four short sequences of assignments; for each the learner enters
// the value of a after it. A right value locks its sub-problem and shows a
// mark; a wrong one is simply not accepted. "ОК" appears when all four are
// solved.
class TFm13 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFm13(QWidget *parent = nullptr);
    ~TFm13() override;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();

private:
    void checkSubProblem(int index);

    Ui::TFm13 *ui;
    std::vector<AnswerLine> m_subProblems;
    std::vector<QWidget *> m_marks;
};

extern TFm13 *Fm13;
