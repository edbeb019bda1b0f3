#pragma once

#include "LabelBoardTask.h"

namespace Ui { class SweetsCountTask; }

// Task 7: the number of sweets in a box from three masses.
// A flowchart label board; the layout and captions are in the form description.
class SweetsCountTask : public LabelBoardTask
{
    Q_OBJECT

public:
    explicit SweetsCountTask(QWidget *parent = nullptr);
    ~SweetsCountTask() override;

public slots:
    void Image1DragDrop(QObject *Sender, QObject *Source, int X, int Y);

private:
    Ui::SweetsCountTask *ui;
};

extern SweetsCountTask *sweetsCountTask;
