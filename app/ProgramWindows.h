#pragma once

#include "ActivationTracker.h"

#include <QList>
#include <QMap>
#include <QString>

class MainWindow;
class MessageBox;
class PageWindow;
class QWidget;
class SplashScreen;

// Owns every window of the program. It creates them once, hidden, in a fixed
// order (the main form first, the pages in the order of app/Pages.cpp),
// wires them together, and destroys them in reverse order. With the splash
// shown, the splash is built and painted first, and the rest are built
// behind it before the constructor returns. Opening a page makes its window
// visible, modeless; a window that is already visible stays as it is: no
// second window, no reset, not raised.
class ProgramWindows
{
public:
    enum class Splash { Shown, Skipped };

    // `splash`: whether the splash comes up first and the main form waits
    // for it to close when shown (tests skip its three seconds). Throws
    // MainWindow::MissingControl when the main form lacks a page's control.
    explicit ProgramWindows(Splash splash = Splash::Shown);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // Every window, in creation order.
    const QList<QWidget *> &windows() const { return m_windows; }
    // The window of the page of that name (see app/Pages.cpp); a name that
    // no page has stops the program, so a misspelt one cannot pass.
    PageWindow *window(const QString &page) const;
    // The page's window as the class it is, e.g. page<CosineLawTask>("cosineLaw").
    template <typename Window>
    Window *page(const QString &name) const
    {
        return qobject_cast<Window *>(window(name));
    }
    void open(const QString &page);

    // Where every page's message boxes go; nullptr: on screen.
    void setMessageBox(MessageBox *box);

    MainWindow *mainWindow() const { return m_mainWindow; }
    SplashScreen *splashScreen() const { return m_splashScreen; }
    const ActivationTracker &activation() const { return m_activation; }

private:
    void adopt(QWidget *window);
    static SplashScreen *showSplashFirst();

    ActivationTracker m_activation;
    QList<QWidget *> m_windows;
    QMap<QString, PageWindow *> m_pages;
    QString m_referencePage;
    MainWindow *m_mainWindow = nullptr;
    SplashScreen *m_splashScreen = nullptr;
};
