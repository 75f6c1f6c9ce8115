#pragma once
#include <QPainter>
#include <QRect>

namespace grid::print {

// What the object of an interfaced cell offers to be printed (found by a
// cross-cast from the cell's object): it paints itself into a picture of
// rect's size, in screen pixels, which the printout then stretches into the
// cell. Its room comes from TCellInterface::GetExtent when it has one.
class CellDrawing
{
public:
    virtual ~CellDrawing() = default;
    virtual void Draw(QPainter& painter, const QRect& rect) const = 0;
};

} // namespace grid::print
