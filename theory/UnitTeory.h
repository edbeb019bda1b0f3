#pragma once

#include "DesignedForm.h"

namespace Ui { class TFmTeory; }

// The first theory page: the four basic flowchart elements.
class TFmTeory : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmTeory(QWidget *parent = nullptr);
    ~TFmTeory() override;

public slots:
    void Button1Click();

private:
    Ui::TFmTeory *ui;
};

extern TFmTeory *FmTeory;
