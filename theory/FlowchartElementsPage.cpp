#include "FlowchartElementsPage.h"
#include "ui_FlowchartElementsPage.h"

FlowchartElementsPage *flowchartElementsPage = nullptr;

FlowchartElementsPage::FlowchartElementsPage(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::FlowchartElementsPage)
{
    ui->setupUi(this);
    finishDesign();
}

FlowchartElementsPage::~FlowchartElementsPage()
{
    delete ui;
}

void FlowchartElementsPage::Button1Click()
{
    completeWithMark("Image1");
}
