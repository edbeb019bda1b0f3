#pragma once

#include "AnswerLine.h"
#include "DesignedForm.h"

#include <vector>

namespace Ui { class TracingAssignmentsTask; }

// Task 3: four short sequences of assignments; for each the learner enters
// the value of a after it. A right value locks its sub-problem and shows a
// mark; a wrong one is simply not accepted. "ОК" appears when all four are
// solved.
class TracingAssignmentsTask : public DesignedForm
{
    Q_OBJECT

public:
    explicit TracingAssignmentsTask(QWidget *parent = nullptr);
    ~TracingAssignmentsTask() override;

private slots:
    void restart();

private:
    void checkSubProblem(int index);

    Ui::TracingAssignmentsTask *ui;
    std::vector<AnswerLine> m_subProblems;
    std::vector<QWidget *> m_marks;
};
