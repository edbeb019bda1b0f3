#pragma once

#include "DesignedForm.h"

namespace Ui { class TFmZ6; }

class TFmZ6 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmZ6(QWidget *parent = nullptr);
    ~TFmZ6() override;

private:
    Ui::TFmZ6 *ui;
};

extern TFmZ6 *FmZ6;
