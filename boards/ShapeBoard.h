#pragma once

#include <QString>
#include <QVector>

class PictureBox;
class QObject;

// The shape-placing board of the flowchart exercises. Shape pieces (pictures
// whose Tag is a shape code) are dropped onto the slots of a flowchart
// skeleton; each drop loads that shape's picture file from the working
// directory into the slot and judges it against the slot's Tag, the shape
// code that belongs there.
//
// Shape codes: 0 oval, 1 parallelogram, 2 rectangle, 3 diamond.
//
// Loading errors are returned as text, never thrown: the form's handler
// shows them and the program goes on.
class ShapeBoard
{
public:
    enum class WrongDrops { NotCounted, Counted };

    // `boardSlots`: the slots from the top of the flowchart to the bottom.
    // `resetOrder`: the same slots in the order the reset blanks them.
    ShapeBoard(QVector<PictureBox *> boardSlots, QVector<PictureBox *> resetOrder, WrongDrops wrongDrops);

    // The picture file a slot loads for `shapeCode`; empty for a code that
    // names no shape.
    static QString fileOf(int shapeCode);
    // The blank background every slot shows after a reset.
    static QString blankFile();

    // Drops `piece` on the slot `index` (0 = top): loads the piece's shape
    // into the slot, then sets the slot's flag to whether the shape belongs
    // there and, when wrong drops are counted, counts a wrong one. A file
    // that can't be loaded leaves the slot, the flags and the count as they
    // were and comes back as the error text.
    QString drop(int index, QObject *piece);

    // Every slot holds its own shape.
    bool complete() const;

    // Blanks the slots one by one in the reset order, then clears the flags
    // and the count. Stops at the first slot whose blank file can't be
    // loaded and returns the error: the slots after it, the flags and the
    // count stay as they were.
    QString reset();

    // The flags alone, pictures untouched.
    void clearFlags();

    int slotCount() const { return m_slots.size(); }
    bool isRight(int index) const { return m_flags.at(index); }
    int wrongDropCount() const { return m_wrongDrops; }

private:
    static int shapeCodeOf(const QObject *control);

    QVector<PictureBox *> m_slots;
    QVector<PictureBox *> m_resetOrder;
    QVector<bool> m_flags;
    bool m_countsWrongDrops;
    int m_wrongDrops = 0;
};
