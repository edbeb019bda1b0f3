#pragma once

#include <QWidget>

class ActivationTracker;

// Base of the windows that the main form opens as pages: the theory pages,
// the exercises and the About form. A window's layout is its .ui
// description; this class applies what Qt has no property for and adds two
// signals: activated() when the window becomes the program's active window,
// and completed() when the pupil finishes it with its completion button.
class PageWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PageWindow(QWidget *parent = nullptr);

    // Sends activated() whenever `tracker` finds this window activated.
    void followActivation(const ActivationTracker &tracker);

public slots:
    // The completion button: hides the window and reports it completed.
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
