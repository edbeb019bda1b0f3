#include "LabelBoard.h"

#include "DesignedForm.h"

#include <QLabel>
#include <QPushButton>
#include <QVariant>

LabelBoard::LabelBoard(DesignedForm *form, const QList<Slot> &slotList, const QList<QLabel *> &elements,
                       QPushButton *completeButton, const char *markName)
    : QObject(form)
    , m_form(form)
    , m_elements(elements)
    , m_complete(completeButton)
    , m_markName(markName)
{
    for (const Slot &slot : slotList) {
        m_slots.append({slot, tagOf(slot.picture)});
        showText(slot.text, QString());
    }
}

int LabelBoard::tagOf(const QObject *object)
{
    return object->property("Tag").toInt();
}

QLabel *LabelBoard::elementOf(const QObject *source) const
{
    for (QLabel *element : m_elements) {
        if (element == source)
            return element;
    }
    return nullptr;
}

bool LabelBoard::accepts(const QObject *source) const
{
    const QLabel *element = elementOf(source);
    return element && !element->isHidden();
}

void LabelBoard::drop(const QObject *picture, QObject *source)
{
    QLabel *element = elementOf(source);
    if (!element || element->isHidden())
        return;
    for (SlotState &state : m_slots) {
        if (state.slot.picture != picture)
            continue;
        state.shown = element;
        showText(state.slot.text, element->text());
        element->hide();
        if (correctDrops() == threshold())
            m_complete->show();
        return;
    }
}

void LabelBoard::reset()
{
    for (SlotState &state : m_slots) {
        state.shown = nullptr;
        showText(state.slot.text, QString());
    }
    for (QLabel *element : m_elements)
        element->show();
}

void LabelBoard::complete()
{
    m_form->completeWithMark(m_markName);
}

int LabelBoard::correctDrops() const
{
    int right = 0;
    for (const SlotState &state : m_slots) {
        if (state.shown && tagOf(state.shown) == state.key)
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
