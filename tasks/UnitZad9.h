#pragma once

#include "DesignedForm.h"

namespace Ui { class TFmZ9; }

class TFmZ9 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmZ9(QWidget *parent = nullptr);
    ~TFmZ9() override;

private:
    Ui::TFmZ9 *ui;
};

extern TFmZ9 *FmZ9;
