#pragma once

#include "DesignedForm.h"

namespace Ui { class TForm2; }

class TForm2 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

private:
    Ui::TForm2 *ui;
};

extern TForm2 *Form2;
