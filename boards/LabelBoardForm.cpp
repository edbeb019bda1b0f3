#include "LabelBoardForm.h"

#include "LabelBoard.h"

LabelBoardForm::LabelBoardForm(QWidget *parent)
    : DesignedForm(parent)
{
}

void LabelBoardForm::Image5DragOver(QObject *, QObject *Source, int, int, bool &Accept)
{
    Accept = m_board->accepts(Source);
}

void LabelBoardForm::dropOnSlot(QObject *Sender, QObject *Source)
{
    m_board->drop(Sender, Source);
}

void LabelBoardForm::Image5DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardForm::Image9DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardForm::Image6DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardForm::Image14DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardForm::Image15DragDrop(QObject *Sender, QObject *Source, int, int)
{
    dropOnSlot(Sender, Source);
}

void LabelBoardForm::Button1Click()
{
    m_board->reset();
}

void LabelBoardForm::Button2Click()
{
    m_board->complete();
}
