#include "DragLabel.h"

#include "DragPayload.h"
#include "KeyboardDrag.h"

#include <QMouseEvent>

DragLabel::DragLabel(QWidget *parent)
    : QLabel(parent)
{
}

void DragLabel::mousePressEvent(QMouseEvent *event)
{
    if (m_autoDrag && event->button() == Qt::LeftButton) {
        DragPayload::startAutomaticDrag(this);
        return;
    }
    QLabel::mousePressEvent(event);
}

void DragLabel::keyPressEvent(QKeyEvent *event)
{
    if (m_autoDrag && KeyboardDrag::isEnter(event)) {
        event->accept();
        KeyboardDrag::of(window())->pickUp(this);
        return;
    }
    QLabel::keyPressEvent(event);
}

void DragLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    KeyboardDrag::paintState(this);
}
