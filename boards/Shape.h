#pragma once

#include <QString>

#include <optional>

// The four flowchart shapes of the exercises.
enum class Shape {
    Oval,          // start and end
    Parallelogram, // input and output
    Rectangle,     // a process
    Diamond,       // a decision
};

namespace Shapes {

// The picture file a shape board loads from the working directory.
QString pictureFile(Shape shape);
// What a screen reader hears for a slot that shows the shape.
QString spokenName(Shape shape);
// The shape a drag key names, if any.
std::optional<Shape> fromKey(int key);
inline int keyOf(Shape shape)
{
    return int(shape);
}

} // namespace Shapes
