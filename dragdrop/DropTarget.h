#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Makes a control a drop target. A drag picked up on the same form whose key
// the filter accepts is taken, by mouse or by keyboard (Enter while a piece
// is held), and reported with dropped(key); any other drag is refused and
// changes nothing. Where the target lies under another control, the drop
// goes to whichever is topmost, as for any drop.
class DropTarget : public QObject
{
    Q_OBJECT

public:
    using KeyFilter = std::function<bool(int key)>;

    // Lives as long as `control`.
    DropTarget(QWidget *control, KeyFilter accepts);

signals:
    void dropped(int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool dropByKeyboard();

    QWidget *m_control;
    KeyFilter m_accepts;
};
