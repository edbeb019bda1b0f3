#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class DragSource;

// A picture control: draws one JPEG at its natural size from the top-left
// corner (clipped) or stretched to the control. In automatic drag mode it is
// a piece: pressing the mouse on it starts dragging it at once, and Enter
// picks it up for a keyboard drop (see DragSource). It refuses every drop unless a board
// makes it a DropTarget.
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
    bool autoDrag() const;
    void setAutoDrag(bool on);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_picture;
    QImage m_image;
    bool m_stretch = false;
    DragSource *m_drag;
};
