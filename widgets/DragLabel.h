#pragma once

#include <QLabel>

// A caption in automatic drag mode: pressing the mouse on it starts dragging
// it at once. Used for the element labels of the flowchart boards and for
// the formula labels of the worked example.
class DragLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(bool autoDrag READ autoDrag WRITE setAutoDrag)

public:
    explicit DragLabel(QWidget *parent = nullptr);

    bool autoDrag() const { return m_autoDrag; }
    void setAutoDrag(bool on) { m_autoDrag = on; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    // Enter picks the caption up for a keyboard drop (see KeyboardDrag).
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_autoDrag = true;
};
