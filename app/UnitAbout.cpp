#include "UnitAbout.h"
#include "ui_UnitAbout.h"

#include <QScreen>
#include <QShowEvent>

TAboutBox *AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget *parent)
    : DesignedForm(parent)
    , ui(new Ui::TAboutBox)
{
    ui->setupUi(this);
    ui->Version->setText(QStringLiteral("Версия ") + QStringLiteral(ZARTEX_VERSION));
    finishDesign();
}

TAboutBox::~TAboutBox()
{
    delete ui;
}

void TAboutBox::Button1Click()
{
    close();
}

void TAboutBox::showEvent(QShowEvent *event)
{
    if (!event->spontaneous() && !m_shownBefore) {
        m_shownBefore = true;
        centreOnScreen();
    }
    DesignedForm::showEvent(event);
}

void TAboutBox::centreOnScreen()
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
