#include "ProgramWindows.h"

#include "MainWindow.h"
#include "PageWindow.h"
#include "Pages.h"
#include "SplashScreen.h"

#include <QEventLoop>
#include <QTimer>

#include <memory>

SplashScreen *ProgramWindows::showSplashFirst()
{
    // Building the other windows takes longer than starting Qt
    // itself, so the splash goes on screen first and hides that work; its
    // three seconds run from its first paint, not from the end of the build.
    auto *splash = new SplashScreen;
    splash->setModal(true);
    splash->show();
    if (!splash->isPainted()) {
        QEventLoop untilPainted;
        QObject::connect(splash, &SplashScreen::painted, &untilPainted, &QEventLoop::quit);
        // A splash that is never exposed (a minimised session) must not hold the start up.
        QTimer::singleShot(1000, &untilPainted, &QEventLoop::quit);
        untilPainted.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return splash;
}

void ProgramWindows::adopt(QWidget *window)
{
    m_windows.append(window);
    m_activation.track(window);
}

ProgramWindows::ProgramWindows(Splash splash)
{
    std::unique_ptr<SplashScreen> splashOnScreen(splash == Splash::Shown ? showSplashFirst() : nullptr);
    m_mainWindow = new MainWindow(pages());
    adopt(m_mainWindow);
    m_splashScreen = splashOnScreen ? splashOnScreen.release() : new SplashScreen;
    adopt(m_splashScreen);

    for (const PageEntry &entry : pages()) {
        PageWindow *window = entry.create();
        adopt(window);
        window->followActivation(m_activation);
        const QString page = entry.pageName();
        m_pages.insert(page, window);
        if (entry.kind == PageKind::Reference)
            m_referencePage = page;
        QObject::connect(window, &PageWindow::completed, m_mainWindow, [this, page] { m_mainWindow->showMark(page); });
        QObject::connect(window, &PageWindow::referenceRequested, m_mainWindow, [this] { open(m_referencePage); });
    }

    QObject::connect(m_mainWindow, &MainWindow::pageRequested, m_mainWindow, [this](const QString &page) { open(page); });
    if (splash == Splash::Shown) {
        // The main form's show waits in the splash's modal loop (the splash
        // is already up), so the main form appears once the splash has closed.
        QObject::connect(m_mainWindow, &MainWindow::aboutToAppear, m_splashScreen, [this] { m_splashScreen->exec(); });
    }
}

ProgramWindows::~ProgramWindows()
{
    while (!m_windows.isEmpty())
        delete m_windows.takeLast();
}

PageWindow *ProgramWindows::window(const QString &page) const
{
    PageWindow *window = m_pages.value(page);
    if (!window)
        qFatal("No page is named %s", qPrintable(page));
    return window;
}

void ProgramWindows::open(const QString &page)
{
    QWidget *window = m_pages.value(page);
    if (window && !window->isVisible())
        window->show();
}

void ProgramWindows::setMessageBox(MessageBox *box)
{
    for (PageWindow *window : std::as_const(m_pages))
        window->setMessageBox(box);
}
