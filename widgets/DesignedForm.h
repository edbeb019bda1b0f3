#pragma once

#include <QWidget>

// Base of the program's forms (all but the main form and the splash). A
// form's layout is its .ui description; this class applies what Qt has no
// property for and adds two signals: activated() when the form becomes the
// program's active form, and completed() when the pupil finishes it with its
// completion button.
class DesignedForm : public QWidget
{
    Q_OBJECT

public:
    explicit DesignedForm(QWidget *parent = nullptr);
    ~DesignedForm() override;

public slots:
    // The completion button: hides the form and reports it completed.
    void finish();

signals:
    void activated();
    void completed();

protected:
    // Call after setupUi().
    void finishDesign();

    // Watches the completion button ("doneButton"), to say when it appears.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_onScreen = false; // shown, and its show event handled
};
