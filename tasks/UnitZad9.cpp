#include "UnitZad9.h"
#include "ui_UnitZad9.h"

TFmZ9 *FmZ9 = nullptr;

TFmZ9::TFmZ9(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFmZ9)
{
    ui->setupUi(this);
    finishDesign();
}

TFmZ9::~TFmZ9()
{
    delete ui;
}
