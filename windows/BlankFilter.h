#pragma once

#include <QObject>

class QWidget;

// Keeps blanks out of the answers of a form: a blank typed into a control of
// the form that takes text (an edit box) is dropped before it arrives. Space
// still presses a focused button or ticks a focused option, as on every
// other form. Pasted text does not pass through here and is left as it is.
class BlankFilter : public QObject
{
    Q_OBJECT

public:
    // Filters the typing of `form` for as long as the form lives.
    static void install(QWidget *form);

    // Whether a blank typed into `widget` would become text.
    static bool takesText(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit BlankFilter(QWidget *form);

    QWidget *m_form;
};
