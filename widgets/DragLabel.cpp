#include "DragLabel.h"

#include "DragSource.h"
#include "KeyboardDrag.h"

DragLabel::DragLabel(QWidget *parent)
    : QLabel(parent)
    , m_drag(new DragSource(this, true))
{
}

bool DragLabel::autoDrag() const
{
    return m_drag->isOn();
}

void DragLabel::setAutoDrag(bool on)
{
    m_drag->setOn(on);
}

void DragLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    KeyboardDrag::paintState(this);
}
