#pragma once

#include "DesignedForm.h"

namespace Ui { class TFmZ7; }

class TFmZ7 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmZ7(QWidget *parent = nullptr);
    ~TFmZ7() override;

private:
    Ui::TFmZ7 *ui;
};

extern TFmZ7 *FmZ7;
