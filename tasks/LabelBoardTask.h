#pragma once

#include "PageWindow.h"

class LabelBoard;
struct LabelBoardLayout;

// A flowchart exercise on the label board: the board reports when it is
// solved and the form then shows "ОК"; "Заново" resets the board, and a
// visible "ОК" stays visible. The exercises differ only in their design.
class LabelBoardTask : public PageWindow
{
    Q_OBJECT

public:
    // Builds an exercise's widgets on `form` and names the parts of its
    // board (see LabelBoardLayout_p.h).
    using Design = LabelBoardLayout (*)(QWidget *form);

    explicit LabelBoardTask(Design design, QWidget *parent = nullptr);

    LabelBoard *board() const { return m_board; }

private:
    LabelBoard *m_board;
};
