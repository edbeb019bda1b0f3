#pragma once

#include "LabelBoardForm.h"

namespace Ui { class TForm3; }

// Task 5: the cost of N kilograms of oranges at 35 roubles a kilogram.
// A flowchart label board; the layout and captions are in the form description.
class TForm3 : public LabelBoardForm
{
    Q_OBJECT

public:
    explicit TForm3(QWidget *parent = nullptr);
    ~TForm3() override;

private:
    Ui::TForm3 *ui;
};

extern TForm3 *Form3;
