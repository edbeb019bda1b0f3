#include "AssignmentOperatorPage.h"
#include "ui_AssignmentOperatorPage.h"

AssignmentOperatorPage *assignmentOperatorPage = nullptr;

AssignmentOperatorPage::AssignmentOperatorPage(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::AssignmentOperatorPage)
{
    ui->setupUi(this);
    finishDesign();
}

AssignmentOperatorPage::~AssignmentOperatorPage()
{
    delete ui;
}

void AssignmentOperatorPage::Button1Click()
{
    completeWithMark("Image13");
}
