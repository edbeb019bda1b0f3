#pragma once

#include "DesignedForm.h"

namespace Ui { class TForm2; }

// The worked example: the flowchart for the area and perimeter of a
// rectangle, built step by step on the left and shown finished on the right.
// A static page; its "ОК" confirms it.
class TForm2 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

public slots:
    void Button1Click();

private:
    Ui::TForm2 *ui;
};

extern TForm2 *Form2;
