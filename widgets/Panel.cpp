#include "Panel.h"

#include "ScreenReader.h"

Panel::Panel(QWidget *parent)
    : QFrame(parent)
{
    ScreenReader::setRole(this, QAccessible::Grouping);
}
