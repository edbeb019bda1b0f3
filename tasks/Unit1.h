#pragma once

#include "DesignedForm.h"

namespace Ui { class TFm1; }

class TFm1 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFm1(QWidget *parent = nullptr);
    ~TFm1() override;

private:
    Ui::TFm1 *ui;
};

extern TFm1 *Fm1;
