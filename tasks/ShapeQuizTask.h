#pragma once

#include "PageWindow.h"

#include <array>
#include <memory>

class QRadioButton;
// The boards' shapes (Shape.h), known here only by name.
enum class Shape;

namespace Ui { class ShapeQuizTask; }

// Task 1: a five-question test on the flowchart shapes. Each question is
// answered by selecting one of four shape names; "Проверить" shows the
// number of wrong selections and, once every question holds its right
// answer, the "OK" button.
class ShapeQuizTask : public PageWindow
{
    Q_OBJECT

public:
    static constexpr int questionCount = 5;

    explicit ShapeQuizTask(QWidget *parent = nullptr);
    ~ShapeQuizTask() override;

    int errorCount() const { return m_errorCount; }
    // Whether question `question` (0..4) holds its right answer.
    bool isRight(int question) const { return m_right.at(question); }

private slots:
    void checkAnswers();
    void restart();
    // Each return to the test asks for the right answers anew.
    void forgetRightAnswers();

private:
    static constexpr int optionsPerQuestion = 4;

    struct Option
    {
        Shape shape;
        QRadioButton *button;
    };

    void optionSelected(int question, Shape shape);

    std::unique_ptr<Ui::ShapeQuizTask> ui;
    // Per question, in the order of the form: "Эллипс", "Прямоугольник",
    // "Параллелограмм", "Ромб".
    std::array<std::array<Option, optionsPerQuestion>, questionCount> m_options{};
    // Wrong options selected since the start or the last "Заново".
    int m_errorCount = 0;
    // Whether the right option of each question has been selected since the
    // last "Заново" or activation, and no wrong one after it.
    std::array<bool, questionCount> m_right{};
};
