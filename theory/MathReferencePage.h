#pragma once

#include "DesignedForm.h"

namespace Ui { class MathReferencePage; }

// The mathematical functions reference: one picture of a table that gives
// each operation, function and relation in mathematical and in program
// notation. Tasks 8 and 9 open it beside themselves.
class MathReferencePage : public DesignedForm
{
    Q_OBJECT

public:
    explicit MathReferencePage(QWidget *parent = nullptr);
    ~MathReferencePage() override;

public slots:
    void Button1Click();

private:
    Ui::MathReferencePage *ui;
};

extern MathReferencePage *mathReferencePage;
