#pragma once

#include <QList>
#include <QObject>

class DesignedForm;
class QLabel;
class QPushButton;
class QWidget;

// The flowchart label board of Tasks 5, 6 and 7: the pupil drags captions
// (element labels) onto the shapes of a flowchart (slots). A dropped caption
// is written into the slot's text label and leaves the column. A slot is
// right when the caption it shows now carries the slot's Tag; the drop that
// makes every slot right shows the completion button. "Заново" empties the
// slots and brings every caption back.
//
// The task form keeps the layout; it hands the board its slots, captions,
// completion button and mark, and forwards its handlers here.
class LabelBoard : public QObject
{
    Q_OBJECT

public:
    struct Slot
    {
        QWidget *picture; // the shape that takes drops; its Tag is the key
        QLabel *text;     // the label lying over the shape
    };

    LabelBoard(DesignedForm *form, const QList<Slot> &slotList, const QList<QLabel *> &elements,
               QPushButton *completeButton, const char *markName);

    // Drag-over query of every slot: a caption of this board that is still in
    // the column may be dropped on a slot.
    bool accepts(const QObject *source) const;
    // A drop of `source` on the slot `picture`.
    void drop(const QObject *picture, QObject *source);
    // "Заново": empty slots, every caption back, nothing right. A visible
    // completion button stays visible.
    void reset();
    // The completion button: hide the form, show the mark on the main form.
    void complete();

    // How many slots show a right caption now.
    int correctDrops() const;
    // The number of slots: all of them must be right.
    int threshold() const { return static_cast<int>(m_slots.size()); }

private:
    struct SlotState
    {
        Slot slot;
        int key;
        const QLabel *shown = nullptr; // the caption last dropped here
    };

    QLabel *elementOf(const QObject *source) const;
    static void showText(QLabel *text, const QString &caption);
    static int tagOf(const QObject *object);

    DesignedForm *m_form;
    QList<SlotState> m_slots;
    QList<QLabel *> m_elements;
    QPushButton *m_complete;
    const char *m_markName;
};
