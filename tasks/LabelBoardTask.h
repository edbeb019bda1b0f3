#pragma once

#include "PageWindow.h"
#include "LabelBoard.h"

class QPushButton;

// A flowchart exercise on the label board (Tasks 5, 6 and 7): the board
// reports when it is solved and the form then shows "ОК"; "Заново" resets
// the board, and a visible "ОК" stays visible. The tasks differ only in
// their design.
class LabelBoardTask : public PageWindow
{
    Q_OBJECT

public:
    struct Layout
    {
        QList<LabelBoard::Slot> boardSlots; // top to bottom
        QList<LabelBoard::Piece> pieces;
        QPushButton *restartButton;
        QPushButton *doneButton;
    };
    // Builds a task's widgets on `form` and names the parts of its board.
    using Design = Layout (*)(QWidget *form);

    explicit LabelBoardTask(Design design, QWidget *parent = nullptr);

    LabelBoard *board() const { return m_board; }

private:
    LabelBoard *m_board;
};
