#pragma once

#include <QList>
#include <QObject>

class PictureBox;
class QLabel;

// The flowchart label board: the pupil drags captions (pieces) onto the
// shapes of a flowchart (slots). A dropped caption is written into the
// slot's text label and leaves the column. A slot is right when the caption
// it shows now belongs there; the drop that makes every slot right reports
// solved(). reset() empties the slots and brings every caption back.
class LabelBoard : public QObject
{
    Q_OBJECT

public:
    struct Slot
    {
        PictureBox *picture; // the shape that takes drops
        QLabel *text;        // the label lying over the shape
    };
    struct Piece
    {
        QLabel *caption;
        // The shape the caption belongs on, or distractor: no shape.
        const PictureBox *belongsOn;
    };
    static constexpr const PictureBox *distractor = nullptr;

    // The board takes the slots' drops, by mouse or by keyboard; Tab visits
    // the pieces in their order here.
    LabelBoard(const QList<Slot> &boardSlots, const QList<Piece> &pieces, QObject *parent);

    // A caption of this board that is still in the column may be dropped on
    // any slot; `key` is the one the board gave the dragged caption.
    bool accepts(int key) const;
    // A drop of the caption with `key` on the slot `index` (0 = top).
    void drop(int index, int key);
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
        int shownPiece = -1; // the caption last dropped here
    };

    // Writes the caption into the slot, and names the slot for screen
    // readers by its place and what it shows.
    void show(int index, const QString &caption);
    static void showText(QLabel *text, const QString &caption);

    QList<SlotState> m_slots;
    QList<Piece> m_pieces; // a piece's key is its place here
};
