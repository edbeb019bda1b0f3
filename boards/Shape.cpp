#include "Shape.h"

#include <QCoreApplication>

namespace Shapes {

QString pictureFile(Shape shape)
{
    switch (shape) {
    case Shape::Oval: return QStringLiteral("circleNew.jpg");
    case Shape::Parallelogram: return QStringLiteral("parNew.jpg");
    case Shape::Rectangle: return QStringLiteral("prNew.jpg");
    case Shape::Diamond: return QStringLiteral("uslNew.jpg");
    }
    return QString();
}

QString spokenName(Shape shape)
{
    switch (shape) {
    case Shape::Oval: return QCoreApplication::translate("Shapes", "овал");
    case Shape::Parallelogram: return QCoreApplication::translate("Shapes", "параллелограмм");
    case Shape::Rectangle: return QCoreApplication::translate("Shapes", "прямоугольник");
    case Shape::Diamond: return QCoreApplication::translate("Shapes", "ромб");
    }
    return QString();
}

std::optional<Shape> fromKey(int key)
{
    if (key < int(Shape::Oval) || key > int(Shape::Diamond))
        return std::nullopt;
    return Shape(key);
}

} // namespace Shapes
