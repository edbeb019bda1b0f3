#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QKeyEvent;

// Drag and drop by keyboard, for pupils who cannot drag with a mouse. Enter
// on a piece picks it up and marks it; Enter on a slot drops the piece held
// there, through the slot's own drop path; Escape, or picking up another
// piece, puts it down again. Space is left alone: it presses buttons, and
// some forms keep blanks out of their boxes. One per form.
class KeyboardDrag : public QObject
{
    Q_OBJECT

public:
    // The form's own, made on first use.
    static KeyboardDrag *of(QWidget *form);

    // Pieces, then slots, join the form's focus chain after the controls it
    // already has, reachable by Tab but not taking the focus on a click.
    // `pieceWord` is what a screen reader calls a piece ("фигура").
    static void joinFocusChain(QWidget *form, const QList<QWidget *> &pieces, const QList<QWidget *> &targets,
                               const QString &pieceWord);

    static bool isEnter(const QKeyEvent *event);
    // Draws the focus frame and the mark of a picked-up piece over `widget`;
    // call at the end of its paint event.
    static void paintState(QWidget *widget);

    QWidget *held() const { return m_held; }
    // Picking up says so to a screen reader; putting down is silent, as it
    // comes with a drop or a new pick-up, which speak for themselves.
    void pickUp(QWidget *piece);
    void putDown();
    // Enter on a slot that takes nothing now: no piece held, or not this one.
    void refuseDrop();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit KeyboardDrag(QWidget *form);
    static void markPicked(QWidget *piece, bool picked);
    static QString nameOf(QWidget *piece);

    QPointer<QWidget> m_held;
    QList<QPointer<QWidget>> m_controls; // the form's own, in tab order
    QString m_pieceWord;
};
