#include "LabelBoard.h"

#include "DragPayload.h"
#include "DropTarget.h"
#include "FlowchartSlot.h"
#include "KeyboardDrag.h"
#include "PictureBox.h"
#include "ScreenReader.h"

#include <QLabel>

LabelBoard::LabelBoard(const QList<Slot> &boardSlots, const QList<Piece> &pieces, QObject *parent)
    : QObject(parent)
    , m_pieces(pieces)
{
    QList<QWidget *> targets;
    for (const Slot &slot : boardSlots) {
        m_slots.append({slot});
        const int index = int(m_slots.size()) - 1;
        show(index, QString());
        auto *target = new DropTarget(slot.picture, [this](int key) { return accepts(key); });
        connect(target, &DropTarget::dropped, this, [this, index](int key) { drop(index, key); });
        slot.picture->setAccessibleDescription(tr("Enter — положить взятую надпись"));
        targets.append(slot.picture);
    }
    QList<QWidget *> captions;
    for (int key = 0; key < m_pieces.size(); ++key) {
        QLabel *caption = m_pieces.at(key).caption;
        DragPayload::setKey(caption, key);
        caption->setAccessibleDescription(tr("Enter — взять надпись"));
        captions.append(caption);
    }
    if (!targets.isEmpty())
        KeyboardDrag::joinFocusChain(targets.first()->window(), captions, targets, tr("надпись"));
}

void LabelBoard::show(int index, const QString &caption)
{
    const Slot &slot = m_slots.at(index).slot;
    showText(slot.text, caption);
    slot.picture->setAccessibleName(flowchartSlotName(index, caption));
}

bool LabelBoard::accepts(int key) const
{
    return key >= 0 && key < m_pieces.size() && !m_pieces.at(key).caption->isHidden();
}

void LabelBoard::drop(int index, int key)
{
    if (!accepts(key))
        return;
    QLabel *caption = m_pieces.at(key).caption;
    m_slots[index].shownPiece = key;
    show(index, caption->text());
    caption->hide();
    PictureBox *slot = m_slots.at(index).slot.picture;
    ScreenReader::announce(slot, slot->accessibleName() + QLatin1Char('.'));
    if (correctDrops() == slotCount())
        emit solved();
}

void LabelBoard::reset()
{
    for (int index = 0; index < m_slots.size(); ++index) {
        m_slots[index].shownPiece = -1;
        show(index, QString());
    }
    for (const Piece &piece : std::as_const(m_pieces))
        piece.caption->show();
    if (!m_slots.isEmpty())
        ScreenReader::announce(m_slots.first().slot.picture,
                               tr("Блок-схема очищена, все надписи снова в столбце."));
}

int LabelBoard::correctDrops() const
{
    int right = 0;
    for (const SlotState &state : m_slots) {
        if (state.shownPiece >= 0 && m_pieces.at(state.shownPiece).belongsOn == state.slot.picture)
            ++right;
    }
    return right;
}

void LabelBoard::showText(QLabel *text, const QString &caption)
{
    // The label is as wide as its caption: an empty slot text covers nothing
    // of its shape, so the whole shape takes drops.
    text->setText(caption);
    if (caption.isEmpty())
        text->resize(0, text->height());
    else
        text->resize(text->sizeHint());
}
