#include "WorkedExamplePage.h"
#include "ui_WorkedExamplePage.h"

WorkedExamplePage *workedExamplePage = nullptr;

WorkedExamplePage::WorkedExamplePage(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::WorkedExamplePage)
{
    ui->setupUi(this);
    finishDesign();
}

WorkedExamplePage::~WorkedExamplePage()
{
    delete ui;
}

void WorkedExamplePage::Button1Click()
{
    completeWithMark("Image3");
}
