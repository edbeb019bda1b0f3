#include "PictureBox.h"

#include "DragDrop.h"
#include "JpegLoader.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setAcceptDrops(true);
}

void PictureBox::setPicture(const QString &resource)
{
    m_picture = resource;
    const LoadedPicture loaded = JpegLoader::load(resource);
    // A built-in picture that fails to decode is a build fault; show nothing.
    if (!loaded.ok())
        qWarning("%s", qPrintable(loaded.error));
    setImage(loaded.image);
}

QString PictureBox::loadFromFile(const QString &fileName)
{
    const LoadedPicture loaded = JpegLoader::load(fileName, m_stretch ? size() : QSize());
    if (!loaded.ok())
        return loaded.error;
    setImage(loaded.image);
    return QString();
}

void PictureBox::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PictureBox::setStretch(bool on)
{
    m_stretch = on;
    update();
}

QSize PictureBox::sizeHint() const
{
    return m_image.isNull() ? QSize(32, 32) : m_image.size();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    if (m_stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_image);
    } else {
        painter.drawImage(QPoint(0, 0), m_image);
    }
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (m_autoDrag && event->button() == Qt::LeftButton) {
        DragDrop::startAutomaticDrag(this);
        return;
    }
    QWidget::mousePressEvent(event);
}

QObject *PictureBox::acceptedSource(const QDropEvent *event) const
{
    QObject *source = DragDrop::sourceOf(this, event->mimeData(), event->source());
    return source && m_dropFilter && m_dropFilter(source) ? source : nullptr;
}

void PictureBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptedSource(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void PictureBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (acceptedSource(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void PictureBox::dropEvent(QDropEvent *event)
{
    QObject *source = acceptedSource(event);
    if (!source) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit dropped(source);
}
