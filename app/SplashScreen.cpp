#include "SplashScreen.h"
#include "ui_SplashScreen.h"

#include "WindowDesign.h"

#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

SplashScreen::SplashScreen(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::SplashScreen)
    , m_timer(new QTimer(this))
{
    ui->setupUi(this);
    // A title bar with no buttons at all: no system menu, minimise, maximise or close.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    WindowDesign::apply(this);
    m_timer->setObjectName(QStringLiteral("closeTimer"));
    m_timer->setInterval(property("closeAfterMs").toInt());
    connect(m_timer, &QTimer::timeout, this, &SplashScreen::close);
    m_timer->start();
}

SplashScreen::~SplashScreen() = default;

QTimer *SplashScreen::timer() const
{
    return m_timer;
}

void SplashScreen::keyPressEvent(QKeyEvent *event)
{
    // Only the timer ends the splash: Escape must not reject it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SplashScreen::showEvent(QShowEvent *event)
{
    // An empty title would make the platform put the program's file name in
    // the title bar; a lone blank keeps the bar empty as designed.
    if (windowTitle().isEmpty() && windowHandle())
        windowHandle()->setTitle(QStringLiteral(" "));
    QDialog::showEvent(event);
}

void SplashScreen::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        // The three seconds are the pupil's: they run from the moment the
        // splash is on screen, however long a loaded machine took to get it there.
        m_timer->start();
        emit painted();
    }
}
