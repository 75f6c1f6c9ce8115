#include "controls/grid/core/obj_string_grid.h"

#include <algorithm>

namespace grid {

namespace {

// Where an index ends up when the item at from moves to to.
int MoveAdjust(int v, int from, int to)
{
    if (v == from)
        return to;
    if (from < to && v > from && v <= to)
        return v - 1;
    if (to < from && v >= to && v < from)
        return v + 1;
    return v;
}

} // namespace

TObjStringGrid::TObjStringGrid()
{
    colWidths_.SetCount(colCount_);
    store_.SetWidthHint(colCount_);
    rowHeights_.SetCount(rowCount_);
}

TObjStringGrid::~TObjStringGrid() = default;

void TObjStringGrid::SetView(GridView* view)
{
    view_ = view;
    if (view_) {
        view_->UpdateScrollBars();
        view_->InvalidateAll();
    }
}

void TObjStringGrid::SetColCount(int value)
{
    value = std::clamp(value, 1, kMaxColumns);
    if (value == colCount_)
        return;
    const int old = colCount_;
    colCount_ = value;
    colWidths_.SetCount(value);
    store_.SetWidthHint(value);
    if (fixedCols_ >= value)
        fixedCols_ = value - 1;
    ClampPositions();
    SizeChanged(old, rowCount_);
    UpdateScrollBars();
    Invalidate();
}

void TObjStringGrid::SetRowCount(int value)
{
    value = std::clamp(value, 1, kMaxRows);
    if (value == rowCount_)
        return;
    const int old = rowCount_;
    rowCount_ = value;
    rowHeights_.SetCount(value);
    if (fixedRows_ >= value)
        fixedRows_ = value - 1;
    ClampPositions();
    SizeChanged(colCount_, old);
    UpdateScrollBars();
    Invalidate();
}

void TObjStringGrid::SetFixedCols(int value)
{
    if (value < 0 || value >= colCount_ || value == fixedCols_)
        return;
    fixedCols_ = value;
    ClampPositions();
    UpdateScrollBars();
    Invalidate();
}

void TObjStringGrid::SetFixedRows(int value)
{
    if (value < 0 || value >= rowCount_ || value == fixedRows_)
        return;
    fixedRows_ = value;
    ClampPositions();
    UpdateScrollBars();
    Invalidate();
}

void TObjStringGrid::ClampPositions()
{
    const auto clampCell = [&](TGridCoord& c) {
        c.X = std::clamp(c.X, std::min(fixedCols_, colCount_ - 1), colCount_ - 1);
        c.Y = std::clamp(c.Y, std::min(fixedRows_, rowCount_ - 1), rowCount_ - 1);
    };
    clampCell(current_);
    clampCell(anchor_);
    topLeft_.X = std::clamp(topLeft_.X, fixedCols_, std::max(fixedCols_, colCount_ - 1));
    topLeft_.Y = std::clamp(topLeft_.Y, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
}

void TObjStringGrid::SizeChanged(int, int) {}

void TObjStringGrid::SetDefaultColWidth(int value)
{
    colWidths_.SetDefaultSize(value);
    UpdateScrollBars();
    Invalidate();
}

void TObjStringGrid::SetDefaultRowHeight(int value)
{
    rowHeights_.SetDefaultSize(value);
    UpdateScrollBars();
    Invalidate();
}

void TObjStringGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= colCount_ || colWidths_.Size(col) == std::max(0, width))
        return;
    colWidths_.SetSize(col, width);
    UpdateScrollBars();
    Invalidate();
    ColWidthsChanged();
}

void TObjStringGrid::SetRowHeights(int row, int height)
{
    if (row < 0 || row >= rowCount_ || rowHeights_.Size(row) == std::max(0, height))
        return;
    rowHeights_.SetSize(row, height);
    UpdateScrollBars();
    Invalidate();
    RowHeightsChanged();
}

int TObjStringGrid::FixedColsWidth() const
{
    return static_cast<int>(colWidths_.Offset(fixedCols_));
}

int TObjStringGrid::FixedRowsHeight() const
{
    return static_cast<int>(rowHeights_.Offset(fixedRows_));
}

void TObjStringGrid::SetCol(int value)
{
    FocusCell(value, current_.Y, true);
}

void TObjStringGrid::SetRow(int value)
{
    FocusCell(current_.X, value, true);
}

TGridRect TObjStringGrid::Selection() const
{
    TGridRect r{std::min(current_.X, anchor_.X), std::min(current_.Y, anchor_.Y), std::max(current_.X, anchor_.X),
                std::max(current_.Y, anchor_.Y)};
    if (options_.Contains(goRowSelect)) {
        r.Left = fixedCols_;
        r.Right = colCount_ - 1;
    }
    return r;
}

void TObjStringGrid::SetSelection(const TGridRect& value)
{
    anchor_ = {value.Left, value.Top};
    current_ = {value.Right, value.Bottom};
    Invalidate();
}

void TObjStringGrid::SetOptions(TGridOptions value)
{
    if (value == options_)
        return;
    options_ = value;
    Invalidate();
}

void TObjStringGrid::MoveColRow(int col, int row, bool moveAnchor, bool show)
{
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return;
    if (!SelectCell(col, row))
        return;
    const TGridCoord old = current_;
    current_ = {col, row};
    if (moveAnchor || !options_.Contains(goRangeSelect))
        anchor_ = current_;
    if (show)
        ClampInView(current_);
    if (options_.Contains(goRowSelect) || old.Y != row || !moveAnchor) {
        Invalidate();
    } else {
        InvalidateCell(old.X, old.Y);
        InvalidateCell(col, row);
    }
}

void TObjStringGrid::FocusCell(int col, int row, bool moveAnchor)
{
    MoveColRow(col, row, moveAnchor, true);
}

bool TObjStringGrid::SelectCell(int, int)
{
    return true;
}

void TObjStringGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TObjStringGrid::SetLeftCol(int value)
{
    if (value < fixedCols_ || value >= colCount_)
        return;
    MoveTopLeft(value, topLeft_.Y);
}

void TObjStringGrid::SetTopRow(int value)
{
    if (value < fixedRows_ || value >= rowCount_)
        return;
    MoveTopLeft(topLeft_.X, value);
}

void TObjStringGrid::MoveTopLeft(int left, int top)
{
    left = std::clamp(left, fixedCols_, std::max(fixedCols_, colCount_ - 1));
    top = std::clamp(top, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
    if (left == topLeft_.X && top == topLeft_.Y)
        return;
    topLeft_ = {left, top};
    TopLeftChanged();
    UpdateScrollBars();
    Invalidate();
}

int TObjStringGrid::MaxLeftCol() const
{
    return FirstToShowEnd(colWidths_, colCount_ - 1, fixedCols_, ClientWidth() - FixedColsWidth());
}

int TObjStringGrid::MaxTopRow() const
{
    return FirstToShowEnd(rowHeights_, rowCount_ - 1, fixedRows_, ClientHeight() - FixedRowsHeight());
}

int TObjStringGrid::FirstToShowEnd(const AxisSizes& axis, int idx, int fixedCount, int avail) const
{
    const qint64 target = axis.Offset(idx + 1) - avail;
    int first = axis.IndexAt(std::max<qint64>(0, target));
    if (first >= 0 && first < axis.Count() && axis.Offset(first) < target)
        ++first;
    return std::clamp(first, fixedCount, std::max(fixedCount, idx));
}

void TObjStringGrid::ClampInView(TGridCoord cell)
{
    int left = topLeft_.X;
    int top = topLeft_.Y;
    if (cell.X >= fixedCols_) {
        if (cell.X < left)
            left = cell.X;
        else if (cell.X >= left + VisibleColCount())
            left = FirstToShowEnd(colWidths_, cell.X, fixedCols_, ClientWidth() - FixedColsWidth());
    }
    if (cell.Y >= fixedRows_) {
        if (cell.Y < top)
            top = cell.Y;
        else if (cell.Y >= top + VisibleRowCount())
            top = FirstToShowEnd(rowHeights_, cell.Y, fixedRows_, ClientHeight() - FixedRowsHeight());
    }
    MoveTopLeft(left, top);
}

namespace {

int FullyShown(const AxisSizes& axis, int first, int count, int fixedCount, int avail)
{
    if (count <= fixedCount || first >= count)
        return 0;
    const int end = axis.IndexAt(axis.Offset(first) + std::max(0, avail));
    const int shown = std::min(end, count) - first;
    return std::max(1, shown);
}

} // namespace

int TObjStringGrid::VisibleColCount() const
{
    return FullyShown(colWidths_, topLeft_.X, colCount_, fixedCols_, ClientWidth() - FixedColsWidth());
}

int TObjStringGrid::VisibleRowCount() const
{
    return FullyShown(rowHeights_, topLeft_.Y, rowCount_, fixedRows_, ClientHeight() - FixedRowsHeight());
}

void TObjStringGrid::SetClientSize(const QSize& size)
{
    if (size == clientSize_)
        return;
    clientSize_ = QSize(std::max(0, size.width()), std::max(0, size.height()));
    UpdateScrollBars();
}

QRect TObjStringGrid::PlatformCellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return {};
    qint64 x;
    if (col < fixedCols_)
        x = colWidths_.Offset(col);
    else if (col >= topLeft_.X)
        x = FixedColsWidth() + colWidths_.Offset(col) - colWidths_.Offset(topLeft_.X);
    else
        return {};
    qint64 y;
    if (row < fixedRows_)
        y = rowHeights_.Offset(row);
    else if (row >= topLeft_.Y)
        y = FixedRowsHeight() + rowHeights_.Offset(row) - rowHeights_.Offset(topLeft_.Y);
    else
        return {};
    if (x >= ClientWidth() || y >= ClientHeight())
        return {};
    return QRect(static_cast<int>(x), static_cast<int>(y), colWidths_.Size(col), rowHeights_.Size(row));
}

TGridCoord TObjStringGrid::MouseCoord(int x, int y) const
{
    const auto axisAt = [](const AxisSizes& axis, int pos, int fixedCount, int fixedSize, int first, int count,
                           int client) {
        if (pos < 0 || pos >= client)
            return -1;
        int i;
        if (pos < fixedSize)
            i = axis.IndexAt(pos);
        else
            i = axis.IndexAt(pos - fixedSize + axis.Offset(first));
        return (i < 0 || i >= count || (pos >= fixedSize && i < fixedCount)) ? -1 : i;
    };
    const int c = axisAt(colWidths_, x, fixedCols_, FixedColsWidth(), topLeft_.X, colCount_, ClientWidth());
    const int r = axisAt(rowHeights_, y, fixedRows_, FixedRowsHeight(), topLeft_.Y, rowCount_, ClientHeight());
    if (c < 0 || r < 0)
        return {-1, -1};
    return {c, r};
}

void TObjStringGrid::MouseToCell(int x, int y, int& col, int& row) const
{
    const TGridCoord c = MouseCoord(x, y);
    col = c.X;
    row = c.Y;
}

void TObjStringGrid::MoveColumn(int fromIndex, int toIndex)
{
    if (fromIndex == toIndex || fromIndex < 0 || toIndex < 0 || fromIndex >= colCount_ || toIndex >= colCount_)
        return;
    colWidths_.Move(fromIndex, toIndex);
    current_.X = MoveAdjust(current_.X, fromIndex, toIndex);
    anchor_.X = MoveAdjust(anchor_.X, fromIndex, toIndex);
    ColumnMoved(fromIndex, toIndex);
    Invalidate();
}

void TObjStringGrid::MoveRow(int fromIndex, int toIndex)
{
    if (fromIndex == toIndex || fromIndex < 0 || toIndex < 0 || fromIndex >= rowCount_ || toIndex >= rowCount_)
        return;
    rowHeights_.Move(fromIndex, toIndex);
    current_.Y = MoveAdjust(current_.Y, fromIndex, toIndex);
    anchor_.Y = MoveAdjust(anchor_.Y, fromIndex, toIndex);
    RowMoved(fromIndex, toIndex);
    Invalidate();
}

void TObjStringGrid::ColumnMoved(int fromIndex, int toIndex)
{
    store_.ForEachRow([&](int, RowRecord& row) { row.MoveCell(fromIndex, toIndex); });
    if (OnColumnMoved)
        OnColumnMoved(this, fromIndex, toIndex);
}

void TObjStringGrid::RowMoved(int fromIndex, int toIndex)
{
    store_.MoveRow(fromIndex, toIndex);
    if (OnRowMoved)
        OnRowMoved(this, fromIndex, toIndex);
}

void TObjStringGrid::Invalidate()
{
    if (view_)
        view_->InvalidateAll();
}

void TObjStringGrid::InvalidateRect(const QRect& rect)
{
    if (view_ && !rect.isEmpty())
        view_->InvalidateRect(rect);
}

void TObjStringGrid::InvalidateCell(int col, int row)
{
    if (view_ == nullptr)
        return;
    InvalidateRect(PlatformCellRect(col, row));
}

void TObjStringGrid::UpdateScrollBars()
{
    if (view_)
        view_->UpdateScrollBars();
}

} // namespace grid
