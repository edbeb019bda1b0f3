#pragma once

#include "DesignedForm.h"

class ShapeBoard;
namespace Ui { class HoursToMinutesTask; }

// Task 4: the hours-to-minutes flowchart assembled on the shape board. The
// check shows the number of wrong drops and "ОК" once every slot holds its
// own shape.
class HoursToMinutesTask : public DesignedForm
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
    Ui::HoursToMinutesTask *ui;
    ShapeBoard *m_board;
};
