#pragma once

#include "DesignedForm.h"

namespace Ui { class TAboutBox; }

class TAboutBox : public DesignedForm
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
    ~TAboutBox() override;

private:
    Ui::TAboutBox *ui;
};

extern TAboutBox *AboutBox;
