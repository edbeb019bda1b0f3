#include "BlankFilter.h"

#include <QKeyEvent>
#include <QWidget>

BlankFilter::BlankFilter(QWidget *edit)
    : QObject(edit)
{
    edit->installEventFilter(this);
}

void BlankFilter::attach(QWidget *edit)
{
    new BlankFilter(edit);
}

bool BlankFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->text() == QLatin1String(" "))
        return true;
    return QObject::eventFilter(watched, event);
}
