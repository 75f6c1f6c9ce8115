#pragma once
#include <QObject>
#include <QRect>

namespace grid {

// What the headless grid asks of the widget that shows it. Rectangles are in
// client pixels. Without a view the grid changes its data and repaints
// nothing.
class GridView
{
public:
    virtual ~GridView() = default;
    // Repaint one area (a cell, a row, a range).
    virtual void InvalidateRect(const QRect& rect) = 0;
    // Repaint the whole client area.
    virtual void InvalidateAll() = 0;
    // Counts, sizes or the top-left cell changed: ranges and positions of the
    // scroll bars follow.
    virtual void UpdateScrollBars() = 0;
    // A control placed in a cell gets its bounds and visibility.
    virtual void PlaceControl(QObject* control, const QRect& bounds, bool visible) = 0;
};

} // namespace grid
