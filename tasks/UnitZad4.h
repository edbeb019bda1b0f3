#pragma once

#include "LabelBoardForm.h"

namespace Ui { class TFmZ4; }

// Task 6: the height of a heel from a girl's height barefoot and in shoes.
// A flowchart label board; the layout and captions are in the form description.
class TFmZ4 : public LabelBoardForm
{
    Q_OBJECT

public:
    explicit TFmZ4(QWidget *parent = nullptr);
    ~TFmZ4() override;

private:
    Ui::TFmZ4 *ui;
};

extern TFmZ4 *FmZ4;
