#include "ShapeBoard.h"

#include "DragPayload.h"
#include "DropTarget.h"
#include "FlowchartSlot.h"
#include "KeyboardDrag.h"
#include "PictureBox.h"
#include "ScreenReader.h"

ShapeBoard::ShapeBoard(const QVector<Piece> &pieces, const QVector<Slot> &boardSlots,
                       QVector<PictureBox *> resetOrder, WrongDrops wrongDrops, QObject *parent)
    : QObject(parent)
    , m_slots(boardSlots)
    , m_resetOrder(std::move(resetOrder))
    , m_flags(m_slots.size(), false)
    , m_countsWrongDrops(wrongDrops == WrongDrops::Counted)
{
    QList<QWidget *> pieceWidgets;
    for (const Piece &piece : pieces) {
        DragPayload::setKey(piece.picture, Shapes::keyOf(piece.shape));
        piece.picture->setAccessibleDescription(tr("Enter — взять фигуру"));
        pieceWidgets.append(piece.picture);
    }
    QList<QWidget *> targets;
    for (int index = 0; index < m_slots.size(); ++index) {
        PictureBox *slot = m_slots.at(index).picture;
        // Any control of the form may be dropped; one that shows no shape
        // is judged wrong.
        auto *target = new DropTarget(slot, [](int) { return true; });
        connect(target, &DropTarget::dropped, this, [this, index](int key) { dropReported(index, key); });
        slot->setAccessibleDescription(tr("Enter — положить взятую фигуру"));
        nameSlot(index, QString());
        targets.append(slot);
    }
    if (!targets.isEmpty())
        KeyboardDrag::joinFocusChain(targets.first()->window(), pieceWidgets, targets, tr("фигура"));
}

void ShapeBoard::nameSlot(int index, const QString &shown)
{
    m_slots.at(index).picture->setAccessibleName(flowchartSlotName(index, shown));
}

QString ShapeBoard::blankFile()
{
    return QStringLiteral("fon.jpg");
}

void ShapeBoard::dropReported(int index, int key)
{
    const QString error = drop(index, Shapes::fromKey(key));
    PictureBox *slot = m_slots.at(index).picture;
    if (!error.isEmpty())
        emit pictureFailed(error);
    else
        ScreenReader::announce(slot, slot->accessibleName() + QLatin1Char('.'));
}

QString ShapeBoard::drop(int index, std::optional<Shape> shape)
{
    const Slot &slot = m_slots.at(index);
    if (shape) {
        const QString error = slot.picture->loadFromFile(Shapes::pictureFile(*shape));
        if (!error.isEmpty())
            return error;
        nameSlot(index, Shapes::spokenName(*shape));
    }
    // Judged on what the slot shows now: a wrong shape dropped over a right
    // one makes the slot wrong again.
    const bool right = shape == slot.rightShape;
    m_flags[index] = right;
    if (!right && m_countsWrongDrops)
        ++m_wrongDrops;
    return QString();
}

bool ShapeBoard::complete() const
{
    return !m_flags.contains(false);
}

bool ShapeBoard::clear()
{
    for (PictureBox *picture : m_resetOrder) {
        const QString error = picture->loadFromFile(blankFile());
        if (!error.isEmpty()) {
            emit pictureFailed(error);
            return false;
        }
        for (int index = 0; index < m_slots.size(); ++index) {
            if (m_slots.at(index).picture == picture)
                nameSlot(index, QString());
        }
    }
    clearFlags();
    m_wrongDrops = 0;
    if (!m_slots.isEmpty())
        ScreenReader::announce(m_slots.first().picture, tr("Блок-схема очищена, все блоки пусты."));
    return true;
}

void ShapeBoard::clearFlags()
{
    m_flags.fill(false);
}
