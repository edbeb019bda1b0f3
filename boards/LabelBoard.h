#pragma once

#include <QList>
#include <QObject>

class PictureBox;
class QLabel;

// The flowchart label board: the pupil drags captions (pieces) onto the
// shapes of a flowchart (slots). A dropped caption is written into the
// slot's text label and leaves the column. A slot is right when the caption
// it shows now carries the slot's slotKey; the drop that makes every slot
// right reports solved(). reset() empties the slots and brings every
// caption back.
class LabelBoard : public QObject
{
    Q_OBJECT

public:
    struct Slot
    {
        PictureBox *picture; // the shape that takes drops; its slotKey is the key
        QLabel *text;        // the label lying over the shape
    };

    // The board takes the slots' drops, by mouse or by keyboard.
    LabelBoard(const QList<Slot> &boardSlots, const QList<QLabel *> &pieces, QObject *parent);

    // A caption of this board that is still in the column may be dropped on
    // any slot.
    bool accepts(const QObject *piece) const;
    // A drop of `piece` on the slot `index` (0 = top).
    void drop(int index, const QObject *piece);
    // Empty slots, every caption back, nothing right.
    void reset();

    // How many slots show a right caption now.
    int correctDrops() const;
    // The number of slots: all of them must be right.
    int slotCount() const { return static_cast<int>(m_slots.size()); }

signals:
    void solved();

private:
    struct SlotState
    {
        Slot slot;
        int key;
        const QLabel *shown = nullptr; // the caption last dropped here
    };

    QLabel *pieceOf(const QObject *piece) const;
    // Writes the caption into the slot, and names the slot for screen
    // readers by its place and what it shows.
    void show(int index, const QString &caption);
    static void showText(QLabel *text, const QString &caption);
    static int keyOf(const QObject *object);

    QList<SlotState> m_slots;
    QList<QLabel *> m_pieces;
};
