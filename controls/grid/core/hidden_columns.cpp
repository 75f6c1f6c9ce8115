// Hidden and moved columns, and the column index mapping.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/undo_redo.h"

#include <algorithm>

namespace grid {

void TExStringGrid::RebuildColumnMap()
{
    displToReal_.clear();
    for (int j = 0; j < kColTable - 1; ++j)
        if (visibleCol_[size_t(j)])
            displToReal_.push_back(j);
}

int TExStringGrid::RealColIndex(int col) const
{
    if (col < 0 || col >= kColTable - 1 || numHidden_ == 0)
        return col;
    // Past the shown columns below 512 the answer is 0, as it always was.
    return col < static_cast<int>(displToReal_.size()) ? displToReal_[size_t(col)] : 0;
}

int TExStringGrid::DisplColIndex(int col) const
{
    if (col < 0 || col >= kColTable - 1 || numHidden_ == 0)
        return col;
    return static_cast<int>(std::lower_bound(displToReal_.begin(), displToReal_.end(), col) - displToReal_.begin());
}

bool TExStringGrid::IsHiddenColumn(int col) const
{
    return col >= 0 && col < kColTable - 1 && !visibleCol_[size_t(col)];
}

int TExStringGrid::AllColWidths(int col) const
{
    if (IsHiddenColumn(col))
        return allColWidths_[size_t(col)];
    return ColWidths(DisplColIndex(col));
}

void TExStringGrid::HideColumns(int fromCol, int toCol)
{
    HideInplaceEdit();
    fromCol = std::max(0, fromCol);
    toCol = std::min(toCol, kColTable - 2);
    for (int k = fromCol; k <= toCol; ++k) {
        if (!visibleCol_[size_t(k)] || k >= ColCount() + NumHiddenColumns() || ColCount() <= 1)
            continue;
        const int d = DisplColIndex(k);
        allColWidths_[size_t(k)] = static_cast<qint16>(std::clamp(ColWidths(d), 0, 32767));
        colWidths_.Remove(d, 1);
        ++numHidden_;
        visibleCol_[size_t(k)] = false;
        RebuildColumnMap();
        if (Col() == ColCount() - 1)
            SetCol(Col() - 1);
        SetColCount(ColCount() - 1);
    }
    Invalidate();
}

void TExStringGrid::UnHideColumns(int fromCol, int toCol)
{
    HideInplaceEdit();
    fromCol = std::max(0, fromCol);
    toCol = std::min(toCol, kColTable - 2);
    for (int k = fromCol; k <= toCol; ++k) {
        if (visibleCol_[size_t(k)])
            continue;
        --numHidden_;
        visibleCol_[size_t(k)] = true;
        RebuildColumnMap();
        SetColCount(ColCount() + 1);
        colWidths_.Remove(ColCount() - 1, 1);
        colWidths_.Insert(DisplColIndex(k), 1, allColWidths_[size_t(k)]);
    }
    Invalidate();
}

void TExStringGrid::MoveColumn(int fromIndex, int toIndex)
{
    if (fromIndex == toIndex || fromIndex < 0 || toIndex < 0 || fromIndex >= ColCount() || toIndex >= ColCount())
        return;
    if (columnOrder_.Count() == 0)
        SetColumnOrder();
    TObjStringGrid::MoveColumn(fromIndex, toIndex);
    bool any = false;
    for (int i = 0; i < controlList_.Count(); ++i) {
        TControlItem* item = controlList_.GetControl(i);
        if (item->X == fromIndex)
            item->X = toIndex;
        else if (toIndex < fromIndex && item->X >= toIndex && item->X < fromIndex)
            ++item->X;
        else if (toIndex > fromIndex && item->X > fromIndex && item->X <= toIndex)
            --item->X;
        any = true;
    }
    if (any)
        CellControlsUpdate();
}

void TExStringGrid::ColumnMoved(int fromIndex, int toIndex)
{
    const int realFrom = RealColIndex(fromIndex);
    const int realTo = RealColIndex(toIndex);
    if (realFrom == realTo)
        return;
    if (realFrom < columnOrder_.Count() && realTo < columnOrder_.Count()) {
        const int v = columnOrder_[realFrom];
        columnOrder_.Delete(realFrom);
        columnOrder_.Insert(realTo, v);
    }
    // Visibility and kept widths travel with the columns, so hidden columns
    // stay hidden with their own cells.
    if (numHidden_ > 0 && realFrom < kColTable - 1 && realTo < kColTable - 1) {
        const auto rotate = [&](auto& table) {
            if (realFrom < realTo)
                std::rotate(table.begin() + realFrom, table.begin() + realFrom + 1, table.begin() + realTo + 1);
            else
                std::rotate(table.begin() + realTo, table.begin() + realFrom, table.begin() + realFrom + 1);
        };
        rotate(visibleCol_);
        rotate(allColWidths_);
        RebuildColumnMap();
    }
    store_.ForEachRow([&](int, RowRecord& row) { row.MoveCell(realFrom, realTo); });
    for (auto& item : gridItems_)
        if (item->Items)
            item->Items->MoveCell(realFrom, realTo);
    if (UndoRedo)
        UndoRedo->ColsMoved([&](int c, int) {
            if (c == realFrom)
                return realTo;
            if (realFrom < realTo && c > realFrom && c <= realTo)
                return c - 1;
            if (realTo < realFrom && c >= realTo && c < realFrom)
                return c + 1;
            return c;
        });
    ColumnMovedSortUpdate(realFrom, realTo);
    if (OnColumnMoved)
        OnColumnMoved(this, fromIndex, toIndex);
}

void TExStringGrid::SetColumnOrder()
{
    // One entry per real column, hidden ones included.
    columnOrder_.Clear();
    for (int i = 0; i < TotalColCount(); ++i)
        columnOrder_.Insert(i, i);
}

void TExStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    if (columnOrder_.Count() == 0) {
        SetColumnOrder();
        return;
    }
    // Passes until nothing moves; a record that is no permutation cannot
    // keep it going forever.
    for (int pass = 0; pass <= ColCount(); ++pass) {
        bool moved = false;
        for (int i = 0; i < ColCount() && i < columnOrder_.Count(); ++i) {
            const int target = columnOrder_[i];
            if (target < i && target >= 0) {
                MoveColumn(i, target);
                moved = true;
            }
        }
        if (!moved)
            break;
    }
}

int TExStringGrid::ColumnPosition(int col)
{
    if (columnOrder_.Count() == 0)
        return col;
    int pos = col;
    const int n = std::min(columnOrder_.Count(), ColCount() + NumHiddenColumns());
    for (int p = 0; p < n; ++p) {
        if (columnOrder_[p] == col) {
            pos = p;
            break;
        }
    }
    if (groupColumn_ != -1 && col >= groupColumn_)
        --pos;
    return pos;
}

int TExStringGrid::ColumnAtPosition(int position)
{
    if (columnOrder_.Count() == 0)
        SetColumnOrder();
    if (columnOrder_.Count() == 0 || position < 0 || position >= columnOrder_.Count())
        return position;
    int v = columnOrder_[position];
    if (groupColumn_ != -1 && v >= groupColumn_)
        ++v;
    return v;
}

int TExStringGrid::ColumnByHeader(const QString& value) const
{
    for (int c = 0; c < TotalColCount(); ++c)
        if (AllCells(c, 0) == value)
            return c;
    return -1;
}

} // namespace grid
