#include "LabelBoard.h"

#include "PictureBox.h"

#include <QLabel>
#include <QVariant>

LabelBoard::LabelBoard(const QList<Slot> &boardSlots, const QList<QLabel *> &pieces, QObject *parent)
    : QObject(parent)
    , m_pieces(pieces)
{
    for (const Slot &slot : boardSlots) {
        m_slots.append({slot, keyOf(slot.picture)});
        showText(slot.text, QString());
        PictureBox *picture = slot.picture;
        picture->setDropFilter([this](const QObject *piece) { return accepts(piece); });
        connect(picture, &PictureBox::dropped, this, [this, picture](QObject *piece) { drop(picture, piece); });
    }
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

void LabelBoard::drop(const PictureBox *picture, const QObject *piece)
{
    QLabel *caption = pieceOf(piece);
    if (!caption || caption->isHidden())
        return;
    for (SlotState &state : m_slots) {
        if (state.slot.picture != picture)
            continue;
        state.shown = caption;
        showText(state.slot.text, caption->text());
        caption->hide();
        if (correctDrops() == slotCount())
            emit solved();
        return;
    }
}

void LabelBoard::reset()
{
    for (SlotState &state : m_slots) {
        state.shown = nullptr;
        showText(state.slot.text, QString());
    }
    for (QLabel *caption : m_pieces)
        caption->show();
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
