#include "UnitZad1.h"
#include "ui_UnitZad1.h"

TFmZ1 *FmZ1 = nullptr;

TFmZ1::TFmZ1(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFmZ1)
{
    ui->setupUi(this);
    finishDesign();
}

TFmZ1::~TFmZ1()
{
    delete ui;
}
