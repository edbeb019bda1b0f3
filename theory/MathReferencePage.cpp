#include "MathReferencePage.h"
#include "ui_MathReferencePage.h"

MathReferencePage *mathReferencePage = nullptr;

MathReferencePage::MathReferencePage(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::MathReferencePage)
{
    ui->setupUi(this);
    finishDesign();
}

MathReferencePage::~MathReferencePage()
{
    delete ui;
}

void MathReferencePage::Button1Click()
{
    completeWithMark("Image8");
}
