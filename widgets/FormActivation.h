#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

class QWindow;
class QWidget;

// The program's "form activation" event. It follows the application's focus
// window and fires when a form of this program becomes the program's active
// form. Returning from another program, or from one of the form's own message
// boxes, leaves the active form unchanged and fires nothing. A hidden form
// stops being the active form, so showing it again fires once more.
class FormActivation : public QObject
{
    Q_OBJECT

public:
    static FormActivation &instance();

    void registerForm(QWidget *form);
    void unregisterForm(QWidget *form);
    // Called when a form is hidden.
    void formHidden(QWidget *form);

    QWidget *activeForm() const { return m_active; }

signals:
    void activated(QWidget *form);

private:
    FormActivation();
    void onFocusWindowChanged(QWindow *window);
    QWidget *formOf(QWindow *window) const;

    QVector<QPointer<QWidget>> m_forms;
    QPointer<QWidget> m_active;
};
