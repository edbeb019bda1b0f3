#include "ShapeQuizTask.h"
#include "ui_ShapeQuizTask.h"

#include "Shape.h"

#include <QSignalBlocker>

#include <algorithm>

namespace {

// The shape that answers each question.
constexpr std::array<Shape, ShapeQuizTask::questionCount> rightAnswers = {
    Shape::Parallelogram, // output of values
    Shape::Parallelogram, // input of data
    Shape::Rectangle,     // S := 5
    Shape::Oval,          // the end of an algorithm
    Shape::Rectangle,     // X := X+5
};

// Deselects an option without firing its handler. An auto-exclusive radio
// button refuses to be unchecked while it is the checked one of its group.
void clearSelection(QRadioButton *option)
{
    const QSignalBlocker quiet(option);
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

} // namespace

ShapeQuizTask::ShapeQuizTask(QWidget *parent)
    : PageWindow(parent)
    , ui(new Ui::ShapeQuizTask)
{
    ui->setupUi(this);
    finishDesign(ui->doneButton);
    // Each question's options, by the shape they name.
    m_options = {{
        {{{Shape::Oval, ui->question1OvalOption}, {Shape::Rectangle, ui->question1RectangleOption},
          {Shape::Parallelogram, ui->question1ParallelogramOption}, {Shape::Diamond, ui->question1DiamondOption}}},
        {{{Shape::Oval, ui->question2OvalOption}, {Shape::Rectangle, ui->question2RectangleOption},
          {Shape::Parallelogram, ui->question2ParallelogramOption}, {Shape::Diamond, ui->question2DiamondOption}}},
        {{{Shape::Oval, ui->question3OvalOption}, {Shape::Rectangle, ui->question3RectangleOption},
          {Shape::Parallelogram, ui->question3ParallelogramOption}, {Shape::Diamond, ui->question3DiamondOption}}},
        {{{Shape::Oval, ui->question4OvalOption}, {Shape::Rectangle, ui->question4RectangleOption},
          {Shape::Parallelogram, ui->question4ParallelogramOption}, {Shape::Diamond, ui->question4DiamondOption}}},
        {{{Shape::Oval, ui->question5OvalOption}, {Shape::Rectangle, ui->question5RectangleOption},
          {Shape::Parallelogram, ui->question5ParallelogramOption}, {Shape::Diamond, ui->question5DiamondOption}}},
    }};
    for (int question = 0; question < questionCount; ++question) {
        for (const Option &option : m_options[std::size_t(question)]) {
            const Shape shape = option.shape;
            connect(option.button, &QRadioButton::toggled, this, [this, question, shape](bool on) {
                if (on)
                    optionSelected(question, shape);
            });
        }
    }
    connect(ui->checkButton, &QPushButton::clicked, this, &ShapeQuizTask::checkAnswers);
    connect(ui->restartButton, &QPushButton::clicked, this, &ShapeQuizTask::restart);
    connect(ui->doneButton, &QPushButton::clicked, this, &ShapeQuizTask::finish);
    connect(this, &ShapeQuizTask::activated, this, &ShapeQuizTask::forgetRightAnswers);
}

ShapeQuizTask::~ShapeQuizTask() = default;

void ShapeQuizTask::optionSelected(int question, Shape shape)
{
    if (shape == rightAnswers[std::size_t(question)]) {
        m_right[question] = true;
    } else {
        // A wrong option replaces whatever was selected in its question,
        // the right option included.
        ++m_errorCount;
        m_right[question] = false;
    }
}

void ShapeQuizTask::checkAnswers()
{
    ui->statusLabel->setText(tr("Количество ошибок: %1").arg(m_errorCount));
    if (std::all_of(m_right.begin(), m_right.end(), [](bool right) { return right; }))
        ui->doneButton->setVisible(true);
}

void ShapeQuizTask::restart()
{
    ui->statusLabel->setText(QString());
    m_errorCount = 0;
    for (const auto &question : m_options) {
        for (const Option &option : question)
            clearSelection(option.button);
    }
    m_right.fill(false);
}

void ShapeQuizTask::forgetRightAnswers()
{
    // The selected options, the count and the status line stay.
    m_right.fill(false);
}
