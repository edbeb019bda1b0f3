#pragma once

#include "ShapeBoard.h"

// The flowchart that both shape-board exercises assemble: start, input,
// process, output and end, one under another, and the four shape pieces
// beside it. Each exercise's form names its pieces and slots alike.
namespace ShapeFlowchart {

template <typename Form>
QVector<ShapeBoard::Piece> pieces(const Form &ui)
{
    return {{ui.ovalPiece, Shape::Oval},
            {ui.parallelogramPiece, Shape::Parallelogram},
            {ui.rectanglePiece, Shape::Rectangle},
            {ui.diamondPiece, Shape::Diamond}};
}

// From the top; each slot with the shape that belongs on it.
template <typename Form>
QVector<ShapeBoard::Slot> boardSlots(const Form &ui)
{
    return {{ui.startSlot, Shape::Oval},
            {ui.inputSlot, Shape::Parallelogram},
            {ui.processSlot, Shape::Rectangle},
            {ui.outputSlot, Shape::Parallelogram},
            {ui.endSlot, Shape::Oval}};
}

} // namespace ShapeFlowchart
