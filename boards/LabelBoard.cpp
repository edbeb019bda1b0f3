#include "LabelBoard.h"

#include "FlowchartSlot.h"
#include "KeyboardDrag.h"
#include "PictureBox.h"
#include "ScreenReader.h"

#include <QLabel>
#include <QVariant>

LabelBoard::LabelBoard(const QList<Slot> &boardSlots, const QList<QLabel *> &pieces, QObject *parent)
    : QObject(parent)
    , m_pieces(pieces)
{
    QList<QWidget *> targets;
    for (const Slot &slot : boardSlots) {
        m_slots.append({slot, keyOf(slot.picture)});
        const int index = int(m_slots.size()) - 1;
        show(index, QString());
        PictureBox *picture = slot.picture;
        picture->setDropFilter([this](const QObject *piece) { return accepts(piece); });
        connect(picture, &PictureBox::dropped, this, [this, index](QObject *piece) { drop(index, piece); });
        picture->setAccessibleDescription(QStringLiteral("Enter — положить взятую надпись"));
        targets.append(picture);
    }
    for (QLabel *caption : pieces)
        caption->setAccessibleDescription(QStringLiteral("Enter — взять надпись"));
    if (!targets.isEmpty())
        KeyboardDrag::joinFocusChain(targets.first()->window(), {pieces.begin(), pieces.end()}, targets,
                                     QStringLiteral("надпись"));
}

void LabelBoard::show(int index, const QString &caption)
{
    const Slot &slot = m_slots.at(index).slot;
    showText(slot.text, caption);
    slot.picture->setAccessibleName(flowchartSlotName(index, caption));
}

int LabelBoard::keyOf(const QObject *object)
{
    return object->property("slotKey").toInt();
}

QLabel *LabelBoard::pieceOf(const QObject *piece) const
{
    for (QLabel *candidate : m_pieces) {
        if (candidate == piece)
            return candidate;
    }
    return nullptr;
}

bool LabelBoard::accepts(const QObject *piece) const
{
    const QLabel *caption = pieceOf(piece);
    return caption && !caption->isHidden();
}

void LabelBoard::drop(int index, const QObject *piece)
{
    QLabel *caption = pieceOf(piece);
    if (!caption || caption->isHidden())
        return;
    m_slots[index].shown = caption;
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
        m_slots[index].shown = nullptr;
        show(index, QString());
    }
    for (QLabel *caption : m_pieces)
        caption->show();
    if (!m_slots.isEmpty())
        ScreenReader::announce(m_slots.first().slot.picture,
                               QStringLiteral("Блок-схема очищена, все надписи снова в столбце."));
}

int LabelBoard::correctDrops() const
{
    int right = 0;
    for (const SlotState &state : m_slots) {
        if (state.shown && keyOf(state.shown) == state.key)
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
