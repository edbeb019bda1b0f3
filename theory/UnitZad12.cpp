#include "UnitZad12.h"
#include "ui_UnitZad12.h"

TFm12 *Fm12 = nullptr;

TFm12::TFm12(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFm12)
{
    ui->setupUi(this);
    finishDesign();
}

TFm12::~TFm12()
{
    delete ui;
}

void TFm12::Button1Click()
{
    completeWithMark("Image13");
}
