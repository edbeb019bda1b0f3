#pragma once

#include "Shape.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <optional>

class PictureBox;

// The shape-placing board of the flowchart exercises. Shape pieces are
// dropped onto the slots of a flowchart skeleton; each drop loads that
// shape's picture file from the working directory into the slot and judges
// it against the shape that belongs there.
//
// A picture file that can't be loaded is reported by pictureFailed(), and
// the program goes on; nothing is thrown.
class ShapeBoard : public QObject
{
    Q_OBJECT

public:
    enum class WrongDrops { NotCounted, Counted };

    struct Piece
    {
        PictureBox *picture;
        Shape shape;
    };
    struct Slot
    {
        PictureBox *picture;
        Shape rightShape;
    };

    // `boardSlots`: from the top of the flowchart to the bottom; the board
    // takes their drops, by mouse or by keyboard. `resetOrder`: the same
    // slots' pictures in the order the reset blanks them.
    ShapeBoard(const QVector<Piece> &pieces, const QVector<Slot> &boardSlots, QVector<PictureBox *> resetOrder,
               WrongDrops wrongDrops, QObject *parent);

    // The blank background every slot shows after a reset.
    static QString blankFile();

    // Drops a piece of `shape` on the slot `index` (0 = top); no shape
    // stands for any other control of the form. Loads the shape into the
    // slot, then sets the slot's flag to whether the shape belongs there
    // and, when wrong drops are counted, counts a wrong one. A file that
    // can't be loaded leaves the slot, the flags and the count as they were
    // and comes back as the error text.
    QString drop(int index, std::optional<Shape> shape);

    // Every slot holds its own shape.
    bool complete() const;

    // Blanks the slots one by one in the reset order, then clears the flags
    // and the count. Stops at the first slot whose blank file can't be
    // loaded and reports it: the slots after it, the flags and the count
    // stay as they were. Returns whether every slot was blanked.
    bool clear();

    // The flags alone, pictures untouched.
    void clearFlags();

    int slotCount() const { return m_slots.size(); }
    bool isRight(int index) const { return m_flags.at(index); }
    int wrongDropCount() const { return m_wrongDrops; }

signals:
    // A picture file could not be loaded; `error` says which and why. Sent
    // while the drop or the reset is under way, before it returns.
    void pictureFailed(const QString &error);

private:
    void dropReported(int index, int key);
    // Names the slot for screen readers by its place and what it shows.
    void nameSlot(int index, const QString &shown);

    QVector<Slot> m_slots;
    QVector<PictureBox *> m_resetOrder;
    QVector<bool> m_flags;
    bool m_countsWrongDrops;
    int m_wrongDrops = 0;
};
