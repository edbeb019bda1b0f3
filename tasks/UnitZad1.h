#pragma once

#include "DesignedForm.h"

namespace Ui { class TFmZ1; }

class TFmZ1 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmZ1(QWidget *parent = nullptr);
    ~TFmZ1() override;

private:
    Ui::TFmZ1 *ui;
};

extern TFmZ1 *FmZ1;
