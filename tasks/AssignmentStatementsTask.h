#pragma once

#include "AnswerLine.h"
#include "DesignedForm.h"

#include <array>
#include <vector>

namespace Ui { class AssignmentStatementsTask; }

// Task 2: five problems in words, each answered by an assignment statement
// typed into its own line and checked by its own "Проверить". Wrong answers
// are counted on the statistics line; "ОК" appears once every line has been
// solved.
class AssignmentStatementsTask : public DesignedForm
{
    Q_OBJECT

public:
    explicit AssignmentStatementsTask(QWidget *parent = nullptr);
    ~AssignmentStatementsTask() override;

    int errorCount() const { return m_errorCount; }

private slots:
    void restart();

private:
    void checkLine(int line);

    Ui::AssignmentStatementsTask *ui;
    std::vector<AnswerLine> m_lines;
    std::vector<QWidget *> m_marks;
    // Wrong answers since the start or the last "Заново".
    int m_errorCount = 0;
    // Which lines have been solved at least once during the run; "Заново"
    // reopens the lines but does not forget this.
    std::array<bool, 5> m_solvedOnce{};
};
