#pragma once

#include <QWidget>

// Base of the program's forms (all but the main form and the splash).
// A form's layout is its .ui description; this class adds the events that
// the descriptions bind by name: Activate (the form became the program's
// active form) and KeyPress (key preview, when the form's KeyPreview
// property is true).
class DesignedForm : public QWidget
{
    Q_OBJECT

public:
    explicit DesignedForm(QWidget *parent = nullptr);
    ~DesignedForm() override;

    // Hides the form and shows its completion mark `markName` on the main form.
    void completeWithMark(const char *markName);

signals:
    void Activate();
    void KeyPress(QObject *Sender, QChar &Key);

protected:
    // Call after setupUi().
    void finishDesign();

    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
