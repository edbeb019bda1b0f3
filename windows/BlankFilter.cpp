#include "BlankFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

BlankFilter::BlankFilter(QWidget *form)
    : QObject(form)
    , m_form(form)
{
    // Every key press passes the application first, whichever control of the
    // form has the focus.
    qApp->installEventFilter(this);
}

void BlankFilter::install(QWidget *form)
{
    new BlankFilter(form);
}

bool BlankFilter::takesText(const QWidget *widget)
{
    // Edit boxes of every kind take input-method text; buttons, options and
    // pictures do not.
    return widget && widget->testAttribute(Qt::WA_InputMethodEnabled);
}

bool BlankFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *widget = qobject_cast<QWidget *>(watched);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (widget && widget->window() == m_form && key->text() == QLatin1String(" ") && takesText(widget))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
