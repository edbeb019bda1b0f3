#include "UnitZad8.h"
#include "ui_UnitZad8.h"

TFmZ8 *FmZ8 = nullptr;

TFmZ8::TFmZ8(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFmZ8)
{
    ui->setupUi(this);
    finishDesign();
}

TFmZ8::~TFmZ8()
{
    delete ui;
}
