#pragma once

#include <QLabel>

class DragSource;

// A caption in automatic drag mode: pressing the mouse on it starts dragging
// it at once, and Enter picks it up for a keyboard drop (see DragSource).
// Used for the element labels of the flowchart boards and for the formula
// labels of the worked example.
class DragLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(bool autoDrag READ autoDrag WRITE setAutoDrag)

public:
    explicit DragLabel(QWidget *parent = nullptr);

    bool autoDrag() const;
    void setAutoDrag(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DragSource *m_drag;
};
