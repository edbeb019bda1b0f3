#pragma once

#include "LabelBoardTask.h"

// The designs of the three label-board exercises (see LabelBoardTask).
namespace LabelBoardTasks {

// Task 5: the cost of N kilograms of oranges at 35 roubles a kilogram.
LabelBoardTask::Layout orangeCost(QWidget *form);
// Task 6: the height of a heel from a girl's height barefoot and in shoes;
// three captions are distractors.
LabelBoardTask::Layout heelHeight(QWidget *form);
// Task 7: the number of sweets in a box from three masses; seven captions
// are distractors.
LabelBoardTask::Layout sweetsCount(QWidget *form);

} // namespace LabelBoardTasks
