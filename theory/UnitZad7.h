#pragma once

#include "DesignedForm.h"

namespace Ui { class TFmZ7; }

// The mathematical functions reference: one picture of a table that gives
// each operation, function and relation in mathematical and in program
// notation. Tasks 8 and 9 open it beside themselves.
class TFmZ7 : public DesignedForm
{
    Q_OBJECT

public:
    explicit TFmZ7(QWidget *parent = nullptr);
    ~TFmZ7() override;

public slots:
    void Button1Click();

private:
    Ui::TFmZ7 *ui;
};

extern TFmZ7 *FmZ7;
