#include "DragLabel.h"

#include "DragDrop.h"

#include <QMouseEvent>

DragLabel::DragLabel(QWidget *parent)
    : QLabel(parent)
{
}

void DragLabel::mousePressEvent(QMouseEvent *event)
{
    if (m_autoDrag && event->button() == Qt::LeftButton) {
        DragDrop::startAutomaticDrag(this);
        return;
    }
    QLabel::mousePressEvent(event);
}
