#pragma once

#include "DesignedForm.h"

#include <array>

class QRadioButton;

namespace Ui { class ShapeQuizTask; }

// Task 1: a five-question test on the flowchart shapes. Each question is
// answered by selecting one of four shape names; "Проверить" shows the
// number of wrong selections and, once every question holds its right
// answer, the "OK" button.
class ShapeQuizTask : public DesignedForm
{
    Q_OBJECT

public:
    explicit ShapeQuizTask(QWidget *parent = nullptr);
    ~ShapeQuizTask() override;

    int errorCount() const { return ErrorCount; }
    // Whether question `question` (0..4) holds its right answer.
    bool isRight(int question) const { return Right.at(question); }

public slots:
    // Radio handlers get the new state of their option and act only when it
    // becomes selected.
    void RadioButton1Click(bool selected); // the fifteen wrong options
    void RadioButton3Click(bool selected);
    void RadioButton7Click(bool selected);
    void RadioButton10Click(bool selected);
    void RadioButton13Click(bool selected);
    void RadioButton18Click(bool selected);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void FormActivate();

private:
    void optionSelected(QRadioButton *option);
    QRadioButton *option(int number) const;

    Ui::ShapeQuizTask *ui;
    // Wrong options selected since the start or the last "Заново".
    int ErrorCount = 0;
    // Whether the right option of each question has been selected since the
    // last "Заново" or activation, and no wrong one after it.
    std::array<bool, 5> Right{};
};

extern ShapeQuizTask *shapeQuizTask;
