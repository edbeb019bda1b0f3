#pragma once

class QWidget;
struct LabelBoardLayout;

// The designs of the label-board exercises (see LabelBoardTask), one
// function each, defined in LabelBoardTasks.cpp.
namespace LabelBoardTasks {

// The cost of N kilograms of oranges at 35 roubles a kilogram.
LabelBoardLayout orangeCost(QWidget *form);
// The height of a heel from a girl's height barefoot and in shoes; three
// captions are distractors.
LabelBoardLayout heelHeight(QWidget *form);
// The number of sweets in a box from three masses; seven captions are
// distractors.
LabelBoardLayout sweetsCount(QWidget *form);

} // namespace LabelBoardTasks
