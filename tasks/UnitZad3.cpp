#include "UnitZad3.h"
#include "ui_UnitZad3.h"

TForm3 *Form3 = nullptr;

TForm3::TForm3(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TForm3)
{
    ui->setupUi(this);
    finishDesign();
}

TForm3::~TForm3()
{
    delete ui;
}
