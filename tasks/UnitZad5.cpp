#include "UnitZad5.h"
#include "ui_UnitZad5.h"

TFmZ5 *FmZ5 = nullptr;

TFmZ5::TFmZ5(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFmZ5)
{
    ui->setupUi(this);
    finishDesign();
}

TFmZ5::~TFmZ5()
{
    delete ui;
}
