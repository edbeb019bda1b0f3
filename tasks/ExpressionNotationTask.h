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

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void FormKeyPress(QObject *Sender, QChar &Key);

private:
    void checkLine(int index);
    bool allLinesSolved() const;

    Ui::ExpressionNotationTask *ui;
    QVector<AnswerLine> m_lines; // Edit1/Button1 to Edit6/Button6, top to bottom
};

extern ExpressionNotationTask *expressionNotationTask;
