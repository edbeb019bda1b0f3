#include "HyperlinkLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPalette>

HyperlinkLabel::HyperlinkLabel(QWidget *parent)
    : QLabel(parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setHot(false);
}

void HyperlinkLabel::setHot(bool hot)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, hot ? QColor(0xFF, 0x00, 0x00) : QColor(0x00, 0x00, 0xFF));
    setPalette(colours);
}

void HyperlinkLabel::openAddress() const
{
    const QString address = m_url.trimmed();
    if (address.isEmpty())
        return;
    const QUrl target(address, QUrl::StrictMode);
    if (!target.isValid())
        return;
    // Hands the address to the desktop's "open" action (or to the handler
    // set for its scheme) and returns at once.
    QDesktopServices::openUrl(target);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    // The press comes from the event loop: nothing may unwind out of it.
    try {
        openAddress();
    } catch (...) {
    }
}

void HyperlinkLabel::enterEvent(QtVersion::EnterEvent *event)
{
    setHot(true);
    QLabel::enterEvent(event);
}

void HyperlinkLabel::leaveEvent(QEvent *event)
{
    setHot(false);
    QLabel::leaveEvent(event);
}
