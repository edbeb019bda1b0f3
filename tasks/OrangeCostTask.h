#pragma once

#include "LabelBoardTask.h"

namespace Ui { class OrangeCostTask; }

// Task 5: the cost of N kilograms of oranges at 35 roubles a kilogram.
// A flowchart label board; the layout and captions are in the form description.
class OrangeCostTask : public LabelBoardTask
{
    Q_OBJECT

public:
    explicit OrangeCostTask(QWidget *parent = nullptr);
    ~OrangeCostTask() override;

private:
    Ui::OrangeCostTask *ui;
};

extern OrangeCostTask *orangeCostTask;
