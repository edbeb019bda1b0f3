#pragma once

#include "DesignedForm.h"

namespace Ui { class TFmZ5; }

class TFmZ5 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmZ5(QWidget *parent = nullptr);
    ~TFmZ5() override;

private:
    Ui::TFmZ5 *ui;
};

extern TFmZ5 *FmZ5;
