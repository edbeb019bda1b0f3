#include "ShapeQuizTask.h"
#include "ui_ShapeQuizTask.h"

#include <QSignalBlocker>

#include <algorithm>

namespace {

// The right option of each question, counted from 0 in the order "Эллипс",
// "Прямоугольник", "Параллелограмм", "Ромб".
constexpr std::array<int, 5> rightOptions = {
    2, // output of values: Параллелограмм
    2, // input of data: Параллелограмм
    1, // S := 5: Прямоугольник
    0, // the end of an algorithm: Эллипс
    1, // X := X+5: Прямоугольник
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
    : DesignedForm(parent)
    , ui(new Ui::ShapeQuizTask)
{
    ui->setupUi(this);
    finishDesign();
    m_options = {{
        {ui->question1OvalOption, ui->question1RectangleOption, ui->question1ParallelogramOption,
         ui->question1DiamondOption},
        {ui->question2OvalOption, ui->question2RectangleOption, ui->question2ParallelogramOption,
         ui->question2DiamondOption},
        {ui->question3OvalOption, ui->question3RectangleOption, ui->question3ParallelogramOption,
         ui->question3DiamondOption},
        {ui->question4OvalOption, ui->question4RectangleOption, ui->question4ParallelogramOption,
         ui->question4DiamondOption},
        {ui->question5OvalOption, ui->question5RectangleOption, ui->question5ParallelogramOption,
         ui->question5DiamondOption},
    }};
    for (int question = 0; question < questionCount; ++question) {
        for (int option = 0; option < optionsPerQuestion; ++option) {
            connect(m_options[question][option], &QRadioButton::toggled, this, [this, question, option](bool on) {
                if (on)
                    optionSelected(question, option);
            });
        }
    }
    connect(ui->checkButton, &QPushButton::clicked, this, &ShapeQuizTask::checkAnswers);
    connect(ui->restartButton, &QPushButton::clicked, this, &ShapeQuizTask::restart);
    connect(ui->doneButton, &QPushButton::clicked, this, &ShapeQuizTask::finish);
    connect(this, &ShapeQuizTask::activated, this, &ShapeQuizTask::forgetRightAnswers);
}

ShapeQuizTask::~ShapeQuizTask()
{
    delete ui;
}

void ShapeQuizTask::optionSelected(int question, int option)
{
    if (option == rightOptions[question]) {
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
    ui->statusLabel->setText(QStringLiteral("Количество ошибок: %1").arg(m_errorCount));
    if (std::all_of(m_right.begin(), m_right.end(), [](bool right) { return right; }))
        ui->doneButton->setVisible(true);
}

void ShapeQuizTask::restart()
{
    ui->statusLabel->setText(QString());
    m_errorCount = 0;
    for (const auto &question : m_options) {
        for (QRadioButton *option : question)
            clearSelection(option);
    }
    m_right.fill(false);
}

void ShapeQuizTask::forgetRightAnswers()
{
    // The selected options, the count and the status line stay.
    m_right.fill(false);
}
