#pragma once

#include <QObject>

class QWidget;

// Keeps blanks out of the answers of a form: a blank typed anywhere in the
// form is dropped before it reaches the focused control. Pasted text does
// not pass through here and is left as it is.
class BlankFilter : public QObject
{
    Q_OBJECT

public:
    // Filters the typing of `form` for as long as the form lives.
    static void install(QWidget *form);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit BlankFilter(QWidget *form);

    QWidget *m_form;
};
