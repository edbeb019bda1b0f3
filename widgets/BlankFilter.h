#pragma once

#include <QObject>

class QWidget;

// Keeps blanks out of an edit box: a blank typed into it is dropped before
// it arrives. Pasted text does not pass through here and is left as it is.
class BlankFilter : public QObject
{
    Q_OBJECT

public:
    // Filters the typing of `edit` for as long as the box lives.
    static void attach(QWidget *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit BlankFilter(QWidget *edit);
};
