#pragma once

#include "DesignedForm.h"

namespace Ui { class TFm11; }

class TFm11 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFm11(QWidget *parent = nullptr);
    ~TFm11() override;

private:
    Ui::TFm11 *ui;
};

extern TFm11 *Fm11;
