#pragma once

#include "LabelBoardTask.h"

namespace Ui { class HeelHeightTask; }

// Task 6: the height of a heel from a girl's height barefoot and in shoes.
// A flowchart label board; the layout and captions are in the form description.
class HeelHeightTask : public LabelBoardTask
{
    Q_OBJECT

public:
    explicit HeelHeightTask(QWidget *parent = nullptr);
    ~HeelHeightTask() override;

private:
    Ui::HeelHeightTask *ui;
};

extern HeelHeightTask *heelHeightTask;
