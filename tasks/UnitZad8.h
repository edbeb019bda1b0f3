#pragma once

#include "DesignedForm.h"

namespace Ui { class TFmZ8; }

class TFmZ8 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmZ8(QWidget *parent = nullptr);
    ~TFmZ8() override;

private:
    Ui::TFmZ8 *ui;
};

extern TFmZ8 *FmZ8;
