#include "UnitZad6.h"
#include "ui_UnitZad6.h"

TFmZ6 *FmZ6 = nullptr;

TFmZ6::TFmZ6(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFmZ6)
{
    ui->setupUi(this);
    finishDesign();
}

TFmZ6::~TFmZ6()
{
    delete ui;
}
