#include "controls/grid/core/drag_scroll.h"

#include "controls/grid/core/ex_string_grid.h"

namespace grid {

TDragScrollDirections DragScrollDirectionsAt(const TDragScrollMargins& m, QPoint p, QSize size)
{
    TDragScrollDirections d = 0;
    if (p.y() < m.TopMargin)
        d |= dsdUp;
    else if (p.y() > size.height() - m.BottomMargin)
        d |= dsdDown;
    if (p.x() < m.LeftMargin)
        d |= dsdLeft;
    else if (p.x() > size.width() - m.RightMargin)
        d |= dsdRight;
    return d;
}

void DragScroller::Start(int ms)
{
    running_ = true;
    interval_ = ms;
    if (StartTimer)
        StartTimer(ms);
}

void DragScroller::Stop()
{
    if (running_ && StopTimer)
        StopTimer();
    running_ = false;
}

void DragScroller::DragOver(QPoint p, QSize size)
{
    const TDragScrollOptions& o = grid_.DragScrollOptions;
    const TDragScrollDirections before = directions_;
    directions_ = 0;
    if (!o.Active) {
        Stop();
        return;
    }
    directions_ = DragScrollDirectionsAt(o.Margins, p, size);
    if (directions_ == 0)
        Stop();
    else if (!running_ || before == 0)
        Start(o.Delays.InitialDelay);
}

void DragScroller::DragLeft()
{
    directions_ = 0;
    Stop();
}

void DragScroller::Tick()
{
    const TDragScrollOptions& o = grid_.DragScrollOptions;
    if (!o.Active) {
        directions_ = 0;
        Stop();
        return;
    }
    if (interval_ != o.Delays.RepeatDelay)
        Start(o.Delays.RepeatDelay);
    TDragScrollDirections d = directions_;
    bool canScroll = true;
    if (grid_.OnDragScroll)
        grid_.OnDragScroll(&grid_, grid_.TopRow(), grid_.LeftCol(), d, canScroll);
    directions_ = d;
    if (!canScroll)
        return;
    TExStringGrid& g = grid_;
    if ((d & dsdUp) && g.TopRow() > g.FixedRows())
        g.SetTopRow(g.TopRow() - 1);
    if ((d & dsdDown) && g.TopRow() < g.MaxTopRow())
        g.SetTopRow(g.TopRow() + 1);
    if ((d & dsdLeft) && g.LeftCol() > g.FixedCols())
        g.SetLeftCol(g.LeftCol() - 1);
    if ((d & dsdRight) && g.LeftCol() < g.MaxLeftCol())
        g.SetLeftCol(g.LeftCol() + 1);
}

} // namespace grid
