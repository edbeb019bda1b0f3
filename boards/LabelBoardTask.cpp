#include "LabelBoardTask.h"

#include "LabelBoard.h"

LabelBoardTask::LabelBoardTask(QWidget *parent)
    : DesignedForm(parent)
{
}

void LabelBoardTask::Image5DragOver(QObject *, QObject *Source, int, int, bool &Accept)
{
    Accept = m_board->accepts(Source);
}

void LabelBoardTask::dropOnSlot(QObject *Sender, QObject *Source)
{
    m_board->drop(Sender, Source);
}

void LabelBoardTask::Image5DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardTask::Image9DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardTask::Image6DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardTask::Image14DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardTask::Image15DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardTask::Button1Click()
{
    m_board->reset();
}

void LabelBoardTask::Button2Click()
{
    m_board->complete();
}
