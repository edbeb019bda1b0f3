#pragma once

#include "DesignedForm.h"

namespace Ui { class TFm13; }

class TFm13 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFm13(QWidget *parent = nullptr);
    ~TFm13() override;

private:
    Ui::TFm13 *ui;
};

extern TFm13 *Fm13;
