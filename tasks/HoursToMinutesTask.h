#pragma once

#include "PageWindow.h"

#include <memory>

class ShapeBoard;
namespace Ui { class HoursToMinutesTask; }

// Task 4: the hours-to-minutes flowchart assembled on the shape board. The
// check shows the number of wrong drops and "ОК" once every slot holds its
// own shape.
class HoursToMinutesTask : public PageWindow
{
    Q_OBJECT

public:
    explicit HoursToMinutesTask(QWidget *parent = nullptr);
    ~HoursToMinutesTask() override;

    const ShapeBoard &board() const { return *m_board; }

private slots:
    void checkBoard();
    void clearBoard();

private:
    std::unique_ptr<Ui::HoursToMinutesTask> ui;
    ShapeBoard *m_board;
};
