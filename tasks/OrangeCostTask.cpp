#include "OrangeCostTask.h"
#include "ui_OrangeCostTask.h"

#include "LabelBoard.h"

OrangeCostTask *orangeCostTask = nullptr;

OrangeCostTask::OrangeCostTask(QWidget *parent)
    : LabelBoardTask(parent)
    , ui(new Ui::OrangeCostTask)
{
    ui->setupUi(this);
    finishDesign();
    m_board = new LabelBoard(this,
                             {{ui->Image5, ui->Label1},
                              {ui->Image9, ui->Label22},
                              {ui->Image6, ui->Label23},
                              {ui->Image14, ui->Label24},
                              {ui->Image15, ui->Label25}},
                             {ui->Label27, ui->Label10, ui->Label20, ui->Label11, ui->Label28},
                             ui->Button2, "Image4");
}

OrangeCostTask::~OrangeCostTask()
{
    delete ui;
}
