#include "KeyboardDrag.h"

#include "ScreenReader.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

KeyboardDrag::KeyboardDrag(QWidget *form)
    : QObject(form)
    , m_pieceWord(tr("фигура"))
{
    setObjectName(QStringLiteral("keyboardDrag"));
    // Escape reaches the form from whichever control ignored it.
    form->installEventFilter(this);
}

bool KeyboardDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_held && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        ScreenReader::announce(m_held, tr("Положена на место: %1.").arg(nameOf(m_held)));
        putDown();
        return true;
    }
    auto *form = static_cast<QWidget *>(parent());
    if (event->type() == QEvent::Show && watched == form && !form->focusWidget()) {
        for (QWidget *control : std::as_const(m_controls)) {
            if (control && control->isVisibleTo(form) && control->isEnabled()) {
                control->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

KeyboardDrag *KeyboardDrag::of(QWidget *form)
{
    if (auto *existing = form->findChild<KeyboardDrag *>(QStringLiteral("keyboardDrag"), Qt::FindDirectChildrenOnly))
        return existing;
    return new KeyboardDrag(form);
}

void KeyboardDrag::joinFocusChain(QWidget *form, const QList<QWidget *> &pieces, const QList<QWidget *> &targets,
                                  const QString &pieceWord)
{
    const QList<QWidget *> joining = pieces + targets;
    QList<QWidget *> controls; // the form's own, in their tab order
    for (QWidget *w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !joining.contains(w))
            controls.append(w);
    }
    for (QWidget *w : joining)
        w->setFocusPolicy(Qt::TabFocus);
    // Tab goes round the form's controls, then the pieces, then the slots.
    // The round is laid from the first piece on, since Qt will not link a
    // widget after the last one of the form's chain.
    const QList<QWidget *> round = joining + controls;
    for (qsizetype i = 1; i < round.size(); ++i)
        QWidget::setTabOrder(round.at(i - 1), round.at(i));
    // The focus still starts on the form's first control that can take it.
    KeyboardDrag *drag = of(form);
    drag->m_pieceWord = pieceWord;
    for (QWidget *control : controls)
        drag->m_controls.append(control);
}

bool KeyboardDrag::isEnter(const QKeyEvent *event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat();
}

void KeyboardDrag::paintState(QWidget *widget)
{
    const bool picked = widget->property("pickedUp").toBool();
    if (!picked && !widget->hasFocus())
        return;
    QPainter painter(widget);
    const QRect inside = widget->rect().adjusted(0, 0, -1, -1);
    if (picked) {
        // Held: a thick frame in the highlight colour, plain to see on every ground.
        painter.setPen(QPen(widget->palette().color(QPalette::Highlight), 3));
        painter.drawRect(widget->rect().adjusted(1, 1, -2, -2));
    }
    if (widget->hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(inside);
    }
}

void KeyboardDrag::markPicked(QWidget *piece, bool picked)
{
    if (!piece)
        return;
    piece->setProperty("pickedUp", picked);
    piece->update();
}

QString KeyboardDrag::nameOf(QWidget *piece)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(piece);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

void KeyboardDrag::pickUp(QWidget *piece)
{
    markPicked(m_held, false);
    m_held = piece;
    markPicked(piece, true);
    ScreenReader::announce(piece, tr("Взята %1: %2.").arg(m_pieceWord, nameOf(piece)));
}

void KeyboardDrag::putDown()
{
    markPicked(m_held, false);
    m_held = nullptr;
}

void KeyboardDrag::refuseDrop()
{
    auto *form = static_cast<QWidget *>(parent());
    if (m_held)
        ScreenReader::announce(form, tr("Сюда нельзя положить: %1.").arg(nameOf(m_held)));
    else
        ScreenReader::announce(form, tr("Ничего не взято."));
}
