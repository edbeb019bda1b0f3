#pragma once

#include <QFrame>

// A frame that holds controls together (a form's button bar, the About
// form's frame). A screen reader hears it as a grouping, so the focused
// button in it is heard in its form; a plain QFrame stays a mere line.
class Panel : public QFrame
{
    Q_OBJECT

public:
    explicit Panel(QWidget *parent = nullptr);
};
