#include "HeelHeightTask.h"
#include "ui_HeelHeightTask.h"

#include "LabelBoard.h"

HeelHeightTask *heelHeightTask = nullptr;

HeelHeightTask::HeelHeightTask(QWidget *parent)
    : LabelBoardTask(parent)
    , ui(new Ui::HeelHeightTask)
{
    ui->setupUi(this);
    finishDesign();
    m_board = new LabelBoard(this,
                             {{ui->Image5, ui->Label1},
                              {ui->Image9, ui->Label22},
                              {ui->Image6, ui->Label23},
                              {ui->Image14, ui->Label24},
                              {ui->Image15, ui->Label25}},
                             {ui->Label3, ui->Label4, ui->Label5, ui->Label6, ui->Label10, ui->Label11,
                              ui->Label20, ui->Label27, ui->Label28},
                             ui->Button2, "Image5");
}

HeelHeightTask::~HeelHeightTask()
{
    delete ui;
}
