#pragma once

#include "DesignedForm.h"

class LabelBoard;

// Base of the forms of Tasks 5, 6 and 7. The slots of every board form share
// their names and handlers: the drop handler of each slot, the one drag-over
// query of all slots, "Заново" and "ОК". A form with more slots adds their
// drop handlers; each form builds its own board.
class LabelBoardTask : public DesignedForm
{
    Q_OBJECT

public:
    LabelBoard *board() const { return m_board; }

public slots:
    void Image5DragOver(QObject *Sender, QObject *Source, int X, int Y, bool &Accept);
    void Image5DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image9DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image6DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image14DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Image15DragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void Button1Click();
    void Button2Click();

protected:
    explicit LabelBoardTask(QWidget *parent = nullptr);

    // A drop on the slot `Sender`; the drop point does not matter.
    void dropOnSlot(QObject *Sender, QObject *Source);

    LabelBoard *m_board = nullptr;
};
