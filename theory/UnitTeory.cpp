#include "UnitTeory.h"
#include "ui_UnitTeory.h"

TFmTeory *FmTeory = nullptr;

TFmTeory::TFmTeory(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TFmTeory)
{
    ui->setupUi(this);
    finishDesign();
}

TFmTeory::~TFmTeory()
{
    delete ui;
}

void TFmTeory::Button1Click()
{
    completeWithMark("Image1");
}
