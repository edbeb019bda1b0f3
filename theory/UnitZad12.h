#pragma once

#include "DesignedForm.h"

namespace Ui { class TFm12; }

class TFm12 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFm12(QWidget *parent = nullptr);
    ~TFm12() override;

private:
    Ui::TFm12 *ui;
};

extern TFm12 *Fm12;
