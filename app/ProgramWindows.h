#pragma once

#include "ActivationTracker.h"
#include "Page.h"

#include <QList>
#include <QMap>

class AboutWindow;
class MainWindow;
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
    // for it to close when shown (tests skip its three seconds).
    explicit ProgramWindows(Splash splash = Splash::Shown);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // Every window, in creation order.
    const QList<QWidget *> &windows() const { return m_windows; }
    PageWindow *window(Page page) const { return m_pages.value(page); }
    // The page's window as the class it is, e.g. page<CosineLawTask>(Page::CosineLaw).
    template <typename Window>
    Window *page(Page which) const
    {
        return qobject_cast<Window *>(window(which));
    }
    void open(Page page);

    MainWindow *mainWindow() const { return m_mainWindow; }
    SplashScreen *splashScreen() const { return m_splashScreen; }
    const ActivationTracker &activation() const { return m_activation; }

private:
    void adopt(QWidget *window);
    static SplashScreen *showSplashFirst();

    ActivationTracker m_activation;
    QList<QWidget *> m_windows;
    QMap<Page, PageWindow *> m_pages;
    MainWindow *m_mainWindow = nullptr;
    SplashScreen *m_splashScreen = nullptr;
};
