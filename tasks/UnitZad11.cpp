#include "UnitZad11.h"
#include "ui_UnitZad11.h"

TFm11 *Fm11 = nullptr;

TFm11::TFm11(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFm11)
{
    ui->setupUi(this);
    finishDesign();
}

TFm11::~TFm11()
{
    delete ui;
}
