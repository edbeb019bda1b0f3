#pragma once

#include "LabelBoardForm.h"

namespace Ui { class TFmZ5; }

// Task 7: the number of sweets in a box from three masses.
// A flowchart label board; the layout and captions are in the form description.
class TFmZ5 : public LabelBoardForm
{
    Q_OBJECT

public:
    explicit TFmZ5(QWidget *parent = nullptr);
    ~TFmZ5() override;

public slots:
    void Image1DragDrop(QObject *Sender, QObject *Source, int X, int Y);

private:
    Ui::TFmZ5 *ui;
};

extern TFmZ5 *FmZ5;
