#pragma once

#include "DesignedForm.h"

#include <QVector>

class AnswerLine;
namespace Ui { class TFmZ8; }

// Task 8: six expressions shown as pictures, each to be written in program
// notation on its own line. A right line locks; a wrong one is reported.
// When all six are locked "OK" appears. The form has no reset.
class TFmZ8 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmZ8(QWidget *parent = nullptr);
    ~TFmZ8() override;

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

    Ui::TFmZ8 *ui;
    QVector<AnswerLine> m_lines; // Edit1/Button1 to Edit6/Button6, top to bottom
};

extern TFmZ8 *FmZ8;
