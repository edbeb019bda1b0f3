#include "PictureBox.h"

#include "DragDrop.h"
#include "JpegLoader.h"
#include "KeyboardDrag.h"

#include <QAccessibleWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

namespace {

// What the built-in pictures show, for a picture without a name of its own.
QString nameOfPicture(const QString &resource)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("oval.jpg"), QStringLiteral("Овал")},
        {QStringLiteral("parallelogram.jpg"), QStringLiteral("Параллелограмм")},
        {QStringLiteral("rectangle.jpg"), QStringLiteral("Прямоугольник")},
        {QStringLiteral("labelBoardRectangle.jpg"), QStringLiteral("Прямоугольник")},
        {QStringLiteral("diamond.jpg"), QStringLiteral("Ромб")},
        {QStringLiteral("arrow.jpg"), QStringLiteral("Стрелка вниз")},
        {QStringLiteral("check.jpg"), QStringLiteral("Выполнено")},
        {QStringLiteral("checkOnWhite.jpg"), QStringLiteral("Выполнено")},
        {QStringLiteral("blank.jpg"), QStringLiteral("Пусто")},
        {QStringLiteral("computer.jpg"), QStringLiteral("Компьютер")},
    };
    return names.value(QFileInfo(resource).fileName());
}

// Screen readers hear a picture as a graphic, named by its accessible name
// or else by what it shows.
class PictureAccessible : public QAccessibleWidget
{
public:
    explicit PictureAccessible(PictureBox *picture)
        : QAccessibleWidget(picture, QAccessible::Graphic)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            text = nameOfPicture(static_cast<PictureBox *>(widget())->picture());
        return text;
    }
};

QAccessibleInterface *pictureAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("PictureBox") && object && object->isWidgetType())
        return new PictureAccessible(static_cast<PictureBox *>(object));
    return nullptr;
}

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(pictureAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
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

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    if (!KeyboardDrag::isEnter(event) || (!m_autoDrag && !m_dropFilter)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    KeyboardDrag *drag = KeyboardDrag::of(window());
    if (m_autoDrag) {
        drag->pickUp(this);
        return;
    }
    // The same drop as the mouse's: only a piece of this form that the
    // filter accepts; a refused piece stays in hand.
    QWidget *piece = drag->held();
    if (!piece || piece->window() != window() || !m_dropFilter(piece)) {
        drag->refuseDrop();
        return;
    }
    drag->putDown();
    emit dropped(piece);
}
