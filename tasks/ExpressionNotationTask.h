#pragma once

#include "DesignedForm.h"

#include <QVector>

class AnswerLine;
namespace Ui { class ExpressionNotationTask; }

// Task 8: six expressions shown as pictures, each to be written in program
// notation on its own line. A right line locks; a wrong one is reported.
// When all six are locked "OK" appears. The form has no reset.
class ExpressionNotationTask : public DesignedForm
{
    Q_OBJECT

public:
    explicit ExpressionNotationTask(QWidget *parent = nullptr);
    ~ExpressionNotationTask() override;

signals:
    // The pupil asks for the mathematical functions reference.
    void referenceRequested();

private:
    void checkLine(int index);
    bool allLinesSolved() const;

    Ui::ExpressionNotationTask *ui;
    QVector<AnswerLine> m_lines; // top to bottom
};
