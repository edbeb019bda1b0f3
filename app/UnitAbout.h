#pragma once

#include "DesignedForm.h"

namespace Ui { class TAboutBox; }

// The About form: title, picture, credits and two links to the makers'
// pages. Centred on the screen when first shown; later it comes back where
// it was left.
class TAboutBox : public DesignedForm
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
    ~TAboutBox() override;

public slots:
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void centreOnScreen();

    Ui::TAboutBox *ui;
    bool m_shownBefore = false;
};

extern TAboutBox *AboutBox;
