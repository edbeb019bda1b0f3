#include "AboutWindow.h"
#include "ui_AboutWindow.h"

#include <QScreen>
#include <QShowEvent>

AboutWindow::AboutWindow(QWidget *parent)
    : PageWindow(parent)
    , ui(new Ui::AboutWindow)
{
    ui->setupUi(this);
    ui->versionLabel->setText(tr("Версия %1").arg(QStringLiteral(ZARTEX_VERSION)));
    finishDesign(nullptr); // it is never completed, only closed
    connect(ui->doneButton, &QPushButton::clicked, this, &AboutWindow::close);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous() && !m_shownBefore) {
        m_shownBefore = true;
        centreOnScreen();
    }
    PageWindow::showEvent(event);
}

void AboutWindow::centreOnScreen()
{
    const QScreen *where = screen();
    if (!where)
        return;
    // Before the first showing the frame is not known yet; centre the frame
    // when the window system already gave one, else the client area.
    const QRect frame = frameGeometry();
    const QSize outer = frame.size().expandedTo(size());
    const QRect area = where->geometry();
    const QPoint topLeft(area.x() + (area.width() - outer.width()) / 2,
                         area.y() + (area.height() - outer.height()) / 2);
    move(topLeft);
}
