#include "SweetsCountTask.h"
#include "ui_SweetsCountTask.h"

#include "LabelBoard.h"

SweetsCountTask *sweetsCountTask = nullptr;

SweetsCountTask::SweetsCountTask(QWidget *parent)
    : LabelBoardTask(parent)
    , ui(new Ui::SweetsCountTask)
{
    ui->setupUi(this);
    finishDesign();
    m_board = new LabelBoard(this,
                             {{ui->Image5, ui->Label1},
                              {ui->Image9, ui->Label22},
                              {ui->Image6, ui->Label23},
                              {ui->Image14, ui->Label24},
                              {ui->Image1, ui->Label7},
                              {ui->Image15, ui->Label25}},
                             {ui->Label3, ui->Label4, ui->Label5, ui->Label6, ui->Label9, ui->Label10,
                              ui->Label11, ui->Label12, ui->Label13, ui->Label14, ui->Label20, ui->Label27,
                              ui->Label28},
                             ui->Button2, "Image6");
}

SweetsCountTask::~SweetsCountTask()
{
    delete ui;
}

void SweetsCountTask::Image1DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}
