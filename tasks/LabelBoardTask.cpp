#include "LabelBoardTask.h"

#include "LabelBoard.h"
#include "LabelBoardLayout_p.h"

#include <QPushButton>

LabelBoardTask::LabelBoardTask(Design design, QWidget *parent)
    : PageWindow(parent)
{
    const LabelBoardLayout layout = design(this);
    finishDesign(layout.doneButton);
    m_board = new LabelBoard(layout.boardSlots, layout.pieces, this);
    QPushButton *done = layout.doneButton;
    connect(m_board, &LabelBoard::solved, done, &QPushButton::show);
    connect(layout.restartButton, &QPushButton::clicked, m_board, &LabelBoard::reset);
    connect(done, &QPushButton::clicked, this, &LabelBoardTask::finish);
}
