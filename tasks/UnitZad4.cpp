#include "UnitZad4.h"
#include "ui_UnitZad4.h"

TFmZ4 *FmZ4 = nullptr;

TFmZ4::TFmZ4(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFmZ4)
{
    ui->setupUi(this);
    finishDesign();
}

TFmZ4::~TFmZ4()
{
    delete ui;
}
