#include "PictureBox.h"

#include "DragSource.h"
#include "JpegLoader.h"
#include "KeyboardDrag.h"
#include "ScreenReader.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
    , m_drag(new DragSource(this, false))
{
    // Heard by its accessible name, which its form gives it.
    ScreenReader::setRole(this, QAccessible::Graphic);
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
    if (!m_image.isNull()) {
        QPainter painter(this);
        if (m_stretch) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect(), m_image);
        } else {
            painter.drawImage(QPoint(0, 0), m_image);
        }
    }
    KeyboardDrag::paintState(this);
}

bool PictureBox::autoDrag() const
{
    return m_drag->isOn();
}

void PictureBox::setAutoDrag(bool on)
{
    m_drag->setOn(on);
}
