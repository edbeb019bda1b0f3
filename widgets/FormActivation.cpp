#include "FormActivation.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

FormActivation &FormActivation::instance()
{
    static FormActivation tracker;
    return tracker;
}

FormActivation::FormActivation()
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &FormActivation::onFocusWindowChanged);
}

void FormActivation::registerForm(QWidget *form)
{
    m_forms.append(form);
}

void FormActivation::unregisterForm(QWidget *form)
{
    m_forms.removeAll(form);
    if (m_active == form)
        m_active = nullptr;
}

void FormActivation::formHidden(QWidget *form)
{
    if (m_active == form)
        m_active = nullptr;
}

QWidget *FormActivation::formOf(QWindow *window) const
{
    if (!window)
        return nullptr;
    for (const QPointer<QWidget> &form : m_forms) {
        if (form && form->windowHandle() == window)
            return form;
    }
    return nullptr;
}

void FormActivation::onFocusWindowChanged(QWindow *window)
{
    QWidget *form = formOf(window);
    // Another program, a message box or a drag window: the active form stays.
    if (!form || form == m_active || !form->isVisible())
        return;
    m_active = form;
    emit activated(form);
}
