#pragma once

#include "PageWindow.h"

#include <memory>

namespace Ui { class AboutWindow; }

// The About form: title, picture, credits and two links to the makers'
// pages. Centred on the screen when first shown; later it comes back where
// it was left.
class AboutWindow : public PageWindow
{
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);
    ~AboutWindow() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void centreOnScreen();

    std::unique_ptr<Ui::AboutWindow> ui;
    bool m_shownBefore = false;
};
