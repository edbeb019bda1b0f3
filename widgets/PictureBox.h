#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

// A picture control: draws one JPEG at its natural size from the top-left
// corner (clipped) or stretched to the control. It can start a drag when
// pressed (automatic drag mode) and can take part as a drop target: it takes
// a drag only when its drop filter accepts the dragged control, and then
// reports the drop with dropped(). By keyboard, Enter picks up a piece in
// automatic drag mode and drops the piece held onto a drop target.
class PictureBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString picture READ picture WRITE setPicture)
    Q_PROPERTY(bool stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool autoDrag READ autoDrag WRITE setAutoDrag)

public:
    explicit PictureBox(QWidget *parent = nullptr);

    QString picture() const { return m_picture; }
    // Loads a built-in picture (a ":/..." resource) named in the form description.
    void setPicture(const QString &resource);

    // Reads `fileName` from disk now and shows it; on failure keeps the
    // current picture and returns the error text.
    QString loadFromFile(const QString &fileName);

    const QImage &image() const { return m_image; }
    void setImage(const QImage &image);

    bool stretch() const { return m_stretch; }
    void setStretch(bool on);
    bool autoDrag() const { return m_autoDrag; }
    void setAutoDrag(bool on) { m_autoDrag = on; }

    QSize sizeHint() const override;

    // Which dragged controls may be dropped here; without a filter every
    // drag is refused and a drop changes nothing.
    using DropFilter = std::function<bool(const QObject *piece)>;
    void setDropFilter(DropFilter filter) { m_dropFilter = std::move(filter); }

signals:
    void dropped(QObject *piece);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QObject *acceptedSource(const QDropEvent *event) const;

    QString m_picture;
    QImage m_image;
    bool m_stretch = false;
    bool m_autoDrag = false;
    DropFilter m_dropFilter;
};
