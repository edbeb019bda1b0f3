#pragma once

#include <QWidget>

class ActivationTracker;
class MessageBox;
class QAbstractButton;

// Base of the windows that the main form opens as pages: the theory pages,
// the exercises and the About form. A window's layout is its .ui
// description; this class applies what Qt has no property for and adds
// its signals: activated() when the window becomes the program's active
// window, completed() when the pupil finishes it with its completion
// button, and referenceRequested() when the pupil asks for the
// mathematical functions reference from it.
class PageWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PageWindow(QWidget *parent = nullptr);

    // Sends activated() whenever `tracker` finds this window activated.
    void followActivation(const ActivationTracker &tracker);

    // Where the window's message boxes go; nullptr: on screen.
    void setMessageBox(MessageBox *box) { m_messageBox = box; }

public slots:
    // The completion button: hides the window and reports it completed.
    void finish();

signals:
    void activated();
    void completed();
    void referenceRequested();

protected:
    // Call after setupUi(), with the button that completes the page (none
    // for a page that is never completed). A completion button that appears
    // on an open window is the result of the pupil's work and is announced;
    // one there from the start (a theory page's) is not.
    void finishDesign(QAbstractButton *doneButton);

    // Shows `text` in a plain message box and returns once it is closed.
    void showMessage(const QString &text);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_onScreen = false; // shown, and its show event handled
    QAbstractButton *m_doneButton = nullptr;
    MessageBox *m_messageBox = nullptr;
};
