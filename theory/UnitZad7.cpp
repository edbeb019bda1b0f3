#include "UnitZad7.h"
#include "ui_UnitZad7.h"

TFmZ7 *FmZ7 = nullptr;

TFmZ7::TFmZ7(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFmZ7)
{
    ui->setupUi(this);
    finishDesign();
}

TFmZ7::~TFmZ7()
{
    delete ui;
}

void TFmZ7::Button1Click()
{
    completeWithMark("Image8");
}
