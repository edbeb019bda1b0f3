#pragma once

#include "LabelBoard.h"

#include <QList>

class QPushButton;

// The parts of a label-board exercise's form that its board and buttons are;
// known only inside the tasks, which alone link the boards.
struct LabelBoardLayout
{
    QList<LabelBoard::Slot> boardSlots; // top to bottom
    QList<LabelBoard::Piece> pieces;
    QPushButton *restartButton;
    QPushButton *doneButton;
};
