#include "Unit1.h"
#include "ui_Unit1.h"

TFm1 *Fm1 = nullptr;

TFm1::TFm1(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFm1)
{
    ui->setupUi(this);
    finishDesign();
}

TFm1::~TFm1()
{
    delete ui;
}
