#include "UnitZad13.h"
#include "ui_UnitZad13.h"

TFm13 *Fm13 = nullptr;

TFm13::TFm13(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFm13)
{
    ui->setupUi(this);
    finishDesign();
}

TFm13::~TFm13()
{
    delete ui;
}
