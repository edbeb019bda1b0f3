#pragma once

#include "DesignedForm.h"

namespace Ui { class TFm12; }

// The theory page on the assignment operator ":=". Its "OK" confirms it.
class TFm12 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFm12(QWidget *parent = nullptr);
    ~TFm12() override;

public slots:
    void Button1Click();

private:
    Ui::TFm12 *ui;
};

extern TFm12 *Fm12;
