#pragma once

#include "DesignedForm.h"

namespace Ui { class TForm3; }

class TForm3 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TForm3(QWidget *parent = nullptr);
    ~TForm3() override;

private:
    Ui::TForm3 *ui;
};

extern TForm3 *Form3;
