#include "UnitZad.h"
#include "ui_UnitZad.h"

TForm2 *Form2 = nullptr;

TForm2::TForm2(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TForm2)
{
    ui->setupUi(this);
    finishDesign();
}

TForm2::~TForm2()
{
    delete ui;
}

void TForm2::Button1Click()
{
    completeWithMark("Image3");
}
