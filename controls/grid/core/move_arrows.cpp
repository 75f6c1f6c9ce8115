#include "controls/grid/core/move_arrows.h"

#include "controls/grid/core/ex_string_grid.h"

#include <algorithm>

namespace grid {

namespace {

constexpr int kColumnArrowAbove = 8; // the down arrow's height
constexpr int kArrowHalf = 5;        // half an arrow across the mark
constexpr int kRowArrowLeft = 10;

int RightOf(const QRect& r)
{
    return r.x() + r.width();
}

int BottomOf(const QRect& r)
{
    return r.y() + r.height();
}

// The right end of a row's shown cells.
int ShownRowRight(const TExStringGrid& grid, int row)
{
    const int last = std::min(grid.ColCount() - 1, grid.LeftCol() + grid.VisibleColCount());
    for (int c = last; c >= 0; --c) {
        const QRect r = grid.PlatformCellRect(c, row);
        if (!r.isEmpty())
            return std::min(RightOf(r), grid.ClientWidth());
    }
    return 0;
}

} // namespace

ArrowMarks ColumnMoveArrows(const TExStringGrid& grid, int from, int target)
{
    ArrowMarks marks;
    if (target < grid.FixedCols() || target >= grid.ColCount() || grid.RowCount() < 1)
        return marks;
    const QRect header = grid.PlatformCellRect(target, 0);
    if (header.isEmpty())
        return marks;
    const int x = (target < from ? header.x() : RightOf(header)) - kArrowHalf;
    marks.At[arrDown] = QPoint(x, header.y() - kColumnArrowAbove);
    marks.At[arrUp] = QPoint(x, BottomOf(header));
    return marks;
}

int RowMoveTarget(const TExStringGrid& grid, int target)
{
    return std::min(target, grid.RowCount() - grid.FixedFooters() - 1);
}

ArrowMarks RowMoveArrows(const TExStringGrid& grid, int from, int target)
{
    ArrowMarks marks;
    target = RowMoveTarget(grid, target);
    if (target < grid.FixedRows() || target >= grid.RowCount() || grid.ColCount() < 1)
        return marks;
    const QRect first = grid.PlatformCellRect(0, target);
    if (first.isEmpty())
        return marks;
    const int y = (target < from ? first.y() : BottomOf(first)) - kArrowHalf;
    marks.At[arrLeft] = QPoint(first.x() - kRowArrowLeft, y);
    marks.At[arrRight] = QPoint(ShownRowRight(grid, target), y);
    return marks;
}

} // namespace grid
