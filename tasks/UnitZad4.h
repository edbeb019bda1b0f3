#pragma once

#include "DesignedForm.h"

namespace Ui { class TFmZ4; }

class TFmZ4 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmZ4(QWidget *parent = nullptr);
    ~TFmZ4() override;

private:
    Ui::TFmZ4 *ui;
};

extern TFmZ4 *FmZ4;
