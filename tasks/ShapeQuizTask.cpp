#include "ShapeQuizTask.h"
#include "ui_ShapeQuizTask.h"

#include <QSignalBlocker>

#include <algorithm>

ShapeQuizTask *shapeQuizTask = nullptr;

namespace {

// Four options per question, always in the order "Эллипс", "Прямоугольник",
// "Параллелограмм", "Ромб"; the options are numbered 1..20 through the five
// questions.
constexpr int OptionsPerQuestion = 4;

// The right option of each question, by option number.
constexpr std::array<int, 5> RightOptions = {
    3,  // output of values: Параллелограмм
    7,  // input of data: Параллелограмм
    10, // S := 5: Прямоугольник
    13, // the end of an algorithm: Эллипс
    18, // X := X+5: Прямоугольник
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
}

ShapeQuizTask::~ShapeQuizTask()
{
    delete ui;
}

QRadioButton *ShapeQuizTask::option(int number) const
{
    return findChild<QRadioButton *>(QStringLiteral("RadioButton%1").arg(number));
}

void ShapeQuizTask::optionSelected(QRadioButton *selected)
{
    for (int number = 1; number <= int(RightOptions.size()) * OptionsPerQuestion; ++number) {
        if (option(number) != selected)
            continue;
        const int question = (number - 1) / OptionsPerQuestion;
        if (number == RightOptions[question]) {
            Right[question] = true;
        } else {
            // A wrong option replaces whatever was selected in its question,
            // the right option included.
            ++ErrorCount;
            Right[question] = false;
        }
        return;
    }
}

void ShapeQuizTask::RadioButton1Click(bool selected)
{
    if (selected)
        optionSelected(qobject_cast<QRadioButton *>(sender()));
}

void ShapeQuizTask::RadioButton3Click(bool selected)
{
    if (selected)
        optionSelected(ui->RadioButton3);
}

void ShapeQuizTask::RadioButton7Click(bool selected)
{
    if (selected)
        optionSelected(ui->RadioButton7);
}

void ShapeQuizTask::RadioButton10Click(bool selected)
{
    if (selected)
        optionSelected(ui->RadioButton10);
}

void ShapeQuizTask::RadioButton13Click(bool selected)
{
    if (selected)
        optionSelected(ui->RadioButton13);
}

void ShapeQuizTask::RadioButton18Click(bool selected)
{
    if (selected)
        optionSelected(ui->RadioButton18);
}

void ShapeQuizTask::Button2Click()
{
    ui->Label6->setText(QStringLiteral("Количество ошибок: %1").arg(ErrorCount));
    if (std::all_of(Right.begin(), Right.end(), [](bool right) { return right; }))
        ui->Button1->setVisible(true);
}

void ShapeQuizTask::Button3Click()
{
    ui->Label6->setText(QString());
    ErrorCount = 0;
    for (int number = 1; number <= int(RightOptions.size()) * OptionsPerQuestion; ++number)
        clearSelection(option(number));
    Right.fill(false);
}

void ShapeQuizTask::FormActivate()
{
    // Each return to the test asks for the right answers anew; the selected
    // options, the count and the status line stay.
    Right.fill(false);
}

void ShapeQuizTask::Button1Click()
{
    completeWithMark("Image2");
}
