#include "UnitAbout.h"
#include "ui_UnitAbout.h"

TAboutBox *AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TAboutBox)
{
    ui->setupUi(this);
    finishDesign();
}

TAboutBox::~TAboutBox()
{
    delete ui;
}
