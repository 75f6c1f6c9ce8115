// Which cells, rows and columns are selected: from the disjunct lists in
// their modes, from the selection rectangle otherwise. Merged cells widen
// the counts.
#include "controls/grid/core/ex_string_grid.h"

#include <algorithm>
#include <cstdlib>

namespace grid {

namespace {

// A cell as one integer: row in the high 16 bits, column in the low ones.
int PackCell(int col, int row)
{
    return (row << 16) | (col & 0xFFFF);
}

bool InsideRect(const TGridRect& r, int col, int row)
{
    return col >= std::min(r.Left, r.Right) && col <= std::max(r.Left, r.Right) &&
           row >= std::min(r.Top, r.Bottom) && row <= std::max(r.Top, r.Bottom);
}

} // namespace

int TExStringGrid::SelectedCellsCount()
{
    if (MouseActions.DisjunctCellSelect())
        return selectedCells_.Count();
    selectedCells_.Clear();
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        selectedCells_.Add(PackCell(Col(), Row()));
        return 1;
    }
    for (int c = s.Left; c <= s.Right; ++c)
        for (int r = s.Top; r <= s.Bottom; ++r)
            selectedCells_.Add(PackCell(c, r));
    return selectedCells_.Count();
}

bool TExStringGrid::GetSelectedCellState(int col, int row) const
{
    if (MouseActions.DisjunctCellSelect())
        return selectedCells_.HasValue(PackCell(col, row));
    return InsideRect(Selection(), col, row);
}

void TExStringGrid::SetSelectedCellState(int col, int row, bool value)
{
    const int packed = PackCell(col, row);
    const bool has = selectedCells_.HasValue(packed);
    if (value == has)
        return;
    if (value)
        selectedCells_.Add(packed);
    else
        selectedCells_.DeleteValue(packed);
    RepaintCell(col, row);
}

TGridCoord TExStringGrid::GetSelectedCell(int index) const
{
    if (index < 0 || index >= selectedCells_.Count())
        return {-1, -1};
    const int packed = selectedCells_[index];
    return {packed & 0xFFFF, (packed >> 16) & 0xFFFF};
}

int TExStringGrid::SelectedColCount() const
{
    if (MouseActions.DisjunctColSelect())
        return ColSelectCount();
    const TGridRect s = Selection();
    const int width = std::abs(s.Left - s.Right);
    const int realLeft = RealColIndex(s.Left);
    if (IsMergedCell(realLeft, s.Top)) {
        const int span = CellSpan(realLeft, s.Top).x();
        if (s.Left + span > s.Right)
            return span + 1;
    }
    const int realRight = RealColIndex(s.Right);
    if (IsMergedCell(realRight, s.Top))
        return width + CellSpan(realRight, s.Top).x() + 1;
    return width + 1;
}

int TExStringGrid::SelectedRowCount() const
{
    if (MouseActions.DisjunctRowSelect())
        return RowSelectCount();
    const TGridRect s = Selection();
    const int bottom = std::min(s.Bottom, RowCount() - FixedFooters() - 1);
    const int height = std::abs(s.Top - bottom);
    const int realLeft = RealColIndex(s.Left);
    if (IsMergedCell(realLeft, s.Top)) {
        const int span = CellSpan(realLeft, s.Top).y();
        if (s.Top + span > bottom)
            return span + 1;
    }
    if (IsMergedCell(realLeft, bottom))
        return height + CellSpan(realLeft, bottom).y() + 1;
    return height + 1;
}

int TExStringGrid::GetSelectedRow(int index) const
{
    if (index < 0)
        return -1;
    if (MouseActions.DisjunctRowSelect()) {
        int seen = 0;
        for (int r = 0; r < static_cast<int>(rowSelect_.size()) && r < RowCount(); ++r) {
            if (rowSelect_[size_t(r)] && seen++ == index)
                return r;
        }
        return -1;
    }
    const TGridRect s = Selection();
    const int row = std::min(s.Top, s.Bottom) + index;
    return row <= std::max(s.Top, s.Bottom) ? row : -1;
}

void TExStringGrid::ClearSelectedCells()
{
    SetSelection({FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    selectedCells_.Clear();
    Invalidate();
}

void TExStringGrid::ClearModifiedRows()
{
    modifiedRows_.clear();
    Invalidate();
}

} // namespace grid
