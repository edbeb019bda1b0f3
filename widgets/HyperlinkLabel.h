#pragma once

#include "QtVersion.h"

#include <QLabel>
#include <QString>
#include <QUrl>

// A caption that stands for a web address: blue and underlined, red while
// the pointer is over it, with the hand pointer. A press of the left mouse
// button (the press, not the release) asks the desktop to open the address;
// the program does not wait for the browser and learns nothing of the
// outcome. An empty address does nothing. Addresses open through
// QDesktopServices, so a handler set there for a scheme receives them.
class HyperlinkLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString url READ url WRITE setUrl)

public:
    explicit HyperlinkLabel(QWidget *parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString &url) { m_url = url; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QtVersion::EnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setHot(bool hot);
    void openAddress() const;

    QString m_url;
};
