// Sorting: rows ordered by keys read once per sort, then moved once; the
// cross-reference of positions composed so that QUnSort is one inverse move.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/sort_keys.h"
#include "controls/grid/core/undo_redo.h"

#include <algorithm>
#include <numeric>

namespace grid {

namespace {

// Holds the update lock for a scope, also when a compare event throws.
class UpdateLock
{
public:
    explicit UpdateLock(TExStringGrid& g) : g_(g) { g_.BeginUpdate(); }
    ~UpdateLock() { g_.EndUpdate(); }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

private:
    TExStringGrid& g_;
};

Cell TakeCell(CellStore& store, int col, int row)
{
    Cell out;
    if (Cell* c = store.CellAt(col, row)) {
        out.Text = std::move(c->Text);
        c->Text = QString();
        out.Props = std::move(c->Props);
    }
    return out;
}

void PutCell(CellStore& store, int col, int row, Cell&& cell)
{
    if (cell.Text.isEmpty() && !cell.Props)
        return; // the place was emptied when it was taken
    if (Cell* c = store.EnsureCell(col, row)) {
        c->Text = std::move(cell.Text);
        c->Props = std::move(cell.Props);
    }
}

// Entries of a per-row list for rows left .. left+n-1 follow their rows.
template <typename T>
void PermuteEntries(std::vector<T>& list, int left, const std::vector<int>& order)
{
    const int n = static_cast<int>(order.size());
    if (left >= static_cast<int>(list.size()))
        return;
    if (static_cast<int>(list.size()) < left + n)
        list.resize(size_t(left + n));
    std::vector<T> part(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        part[size_t(k)] = list[size_t(order[size_t(k)])];
    std::copy(part.begin(), part.end(), list.begin() + left);
}

} // namespace

void TExStringGrid::InitSortXRef()
{
    sortRowXRef_.resize(size_t(RowCount()));
    std::iota(sortRowXRef_.begin(), sortRowXRef_.end(), 0);
    sortRowXRefInv_ = sortRowXRef_;
}

int TExStringGrid::SortedRowIndex(int row) const
{
    if (row >= 0 && row < static_cast<int>(sortRowXRef_.size()))
        return RealRowIndex(sortRowXRef_[size_t(row)]);
    return RealRowIndex(row);
}

int TExStringGrid::UnSortedRowIndex(int row) const
{
    if (sortRowXRef_.empty())
        return row;
    if (row >= 0 && row < static_cast<int>(sortRowXRefInv_.size()))
        return sortRowXRefInv_[size_t(row)];
    return static_cast<int>(sortRowXRef_.size());
}

QString TExStringGrid::UnSortedCells(int col, int row) const
{
    if (sortRowXRef_.empty() || row > static_cast<int>(sortRowXRef_.size()))
        return Cells(col, row);
    return Cells(col, UnSortedRowIndex(row));
}

void TExStringGrid::SetUnSortedCells(int col, int row, const QString& value)
{
    if (sortRowXRef_.empty() || row > static_cast<int>(sortRowXRef_.size()))
        SetCells(col, row, value);
    else
        SetCells(col, UnSortedRowIndex(row), value);
}

std::vector<SortColumn> TExStringGrid::SortChain(int col, bool descending) const
{
    std::vector<SortColumn> chain;
    const int last = SortSettings.Full ? AllColCount() - 1 : col;
    for (int c = col; c <= std::max(col, last); ++c)
        chain.push_back({c, descending});
    return chain;
}

std::vector<SortColumn> TExStringGrid::IndexChain() const
{
    std::vector<SortColumn> chain;
    for (int i = 0; i < SortIndexes.Count(); ++i) {
        const quint32 entry = static_cast<quint32>(SortIndexes[i]);
        chain.push_back({static_cast<int>(entry & 0x7FFFFFFFu), (entry & 0x80000000u) != 0});
        if (!SortSettings.Full)
            break;
    }
    return chain;
}

int TExStringGrid::CompareCells(int col, int row1, int row2, TSortDirection direction)
{
    const bool descending = direction == sdDescending;
    RowOrder order(*this, {row1, row2}, {{col, descending}});
    const int r = order.Compare(0, 1);
    ++Compares;
    // Ascending terms; blanks keep the place the settings give them.
    return descending ? -r : r;
}

void TExStringGrid::ApplyRowOrder(int left, const std::vector<int>& order, int onlyCol)
{
    const int n = static_cast<int>(order.size());
    int moved = 0;
    for (int k = 0; k < n; ++k)
        if (order[size_t(k)] != left + k)
            ++moved;
    if (moved == 0)
        return;
    Swaps += moved;
    if (static_cast<int>(sortRowXRef_.size()) >= left + n) {
        std::vector<int> part(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k)
            part[size_t(k)] = sortRowXRef_[size_t(order[size_t(k)])];
        for (int k = 0; k < n; ++k) {
            sortRowXRef_[size_t(left + k)] = part[size_t(k)];
            sortRowXRefInv_[size_t(part[size_t(k)])] = left + k;
        }
    }
    if (onlyCol >= 0) {
        // One column's cells move; everything else stays.
        std::vector<Cell> cells(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k)
            cells[size_t(k)] = TakeCell(store_, onlyCol, left + k);
        for (int k = 0; k < n; ++k)
            PutCell(store_, onlyCol, left + k, std::move(cells[size_t(order[size_t(k)] - left)]));
        if (UndoRedo)
            UndoRedo->ShapeChanged();
    } else {
        const bool keepFirst = SortSettings.NormalCellsOnly && FixedCols() > 0;
        std::vector<Cell> first;
        if (keepFirst) {
            first.resize(size_t(n));
            for (int k = 0; k < n; ++k)
                first[size_t(k)] = TakeCell(store_, 0, left + k);
        }
        store_.PermuteRows(left, order);
        if (keepFirst)
            for (int k = 0; k < n; ++k)
                PutCell(store_, 0, left + k, std::move(first[size_t(k)]));
        // Heights travel with their rows.
        const int def = DefaultRowHeight();
        const std::vector<int> heights = rowHeights_.Sizes(left, n);
        const bool custom = std::any_of(heights.begin(), heights.end(), [def](int h) { return h != def; });
        if (custom) {
            rowHeights_.Remove(left, n);
            rowHeights_.Insert(left, n, def);
            for (int k = 0; k < n; ++k) {
                const int h = heights[size_t(order[size_t(k)] - left)];
                if (h != def)
                    rowHeights_.SetSize(left + k, h);
            }
        }
        PermuteEntries(modifiedRows_, left, order);
        if (MouseActions.DisjunctRowSelect() && Navigation.MoveRowOnSort) {
            // Row-select flags are kept by real row.
            std::vector<int> realOrder(static_cast<size_t>(n));
            const int realLeft = RealRowIndex(left);
            bool contiguous = NumHiddenRows() == 0;
            if (contiguous) {
                PermuteEntries(rowSelect_, realLeft, order);
            } else {
                std::vector<char> flags(static_cast<size_t>(n));
                for (int k = 0; k < n; ++k) {
                    const int r = RealRowIndex(order[size_t(k)]);
                    flags[size_t(k)] = r < static_cast<int>(rowSelect_.size()) ? rowSelect_[size_t(r)] : 0;
                }
                for (int k = 0; k < n; ++k) {
                    const int r = RealRowIndex(left + k);
                    if (r >= static_cast<int>(rowSelect_.size()) && flags[size_t(k)])
                        rowSelect_.resize(size_t(r) + 1, 0);
                    if (r < static_cast<int>(rowSelect_.size()))
                        rowSelect_[size_t(r)] = flags[size_t(k)];
                }
            }
            std::vector<int> inverse(static_cast<size_t>(n));
            for (int k = 0; k < n; ++k)
                inverse[size_t(order[size_t(k)] - left)] = left + k;
            for (int i = 0; i < selectedRows_.Count(); ++i) {
                const int r = selectedRows_[i];
                if (r >= left && r < left + n)
                    selectedRows_.SetInteger(i, inverse[size_t(r - left)]);
            }
        }
        if (UndoRedo) {
            if (keepFirst) {
                UndoRedo->ShapeChanged();
            } else {
                std::vector<int> inverse(static_cast<size_t>(n));
                for (int k = 0; k < n; ++k)
                    inverse[size_t(order[size_t(k)] - left)] = left + k;
                UndoRedo->RowsMoved([&](int realRow) {
                    if (IsHiddenRow(realRow))
                        return realRow;
                    const int d = DisplRowIndex(realRow);
                    if (d < left || d >= left + n)
                        return realRow;
                    return RealRowIndex(inverse[size_t(d - left)]);
                });
            }
        }
    }
    CellsChanged({0, left, ColCount() - 1, left + n - 1});
    Invalidate();
}

std::vector<int> TExStringGrid::SortRows(int left, int right, std::vector<SortColumn> columns)
{
    left = std::max(0, left);
    right = std::min(right, RowCount() - 1);
    if (right <= left || columns.empty())
        return {};
    std::vector<int> rows(size_t(right - left + 1));
    std::iota(rows.begin(), rows.end(), left);
    RowOrder keys(*this, rows, std::move(columns));
    std::vector<int> positions;
    try {
        positions = keys.StableOrder();
    } catch (...) {
        Compares += keys.Comparisons();
        throw; // nothing moved yet
    }
    Compares += keys.Comparisons();
    for (int& p : positions)
        p += left;
    ApplyRowOrder(left, positions, SortSettings.SingleColumn ? SortSettings.Column : -1);
    return positions;
}

void TExStringGrid::SortAndFollow(int left, int right, const std::vector<SortColumn>& columns, bool indexed)
{
    UpdateLock lock(*this);
    const int r0 = Row();
    const int top = TopRow();
    const std::vector<int> order = SortRows(left, right, columns);
    int target = r0;
    if (Navigation.MoveRowOnSort && !order.empty()) {
        const auto at = std::find(order.begin(), order.end(), r0);
        if (at != order.end())
            target = left + static_cast<int>(at - order.begin());
    }
    if ((!MouseActions.DisjunctRowSelect() || indexed) && target != Row() && target < RowCount())
        SetRow(target);
    if (!indexed && !Navigation.MoveRowOnSort && OnRowChanged)
        OnRowChanged(this, r0, Row());
    if (Navigation.KeepScrollOnSort)
        SetTopRow(top);
}

void TExStringGrid::QSort()
{
    const int col = SortSettings.Column;
    if (col < 0)
        return;
    if (static_cast<int>(sortRowXRef_.size()) != RowCount())
        InitSortXRef();
    SortIndexes.Clear();
    SortAndFollow(FixedRows(), RowCount() - FixedFooters() - 1,
                  SortChain(col, SortSettings.Direction == sdDescending), false);
}

void TExStringGrid::Sort(int col, TSortDirection direction)
{
    SortSettings.Column = col;
    SortSettings.Direction = direction;
    QSort();
}

void TExStringGrid::SortByColumn(int col)
{
    if (RowCount() <= 1)
        return;
    SortSettings.Column = col;
    QSort();
}

void TExStringGrid::QSortIndexed()
{
    if (static_cast<int>(sortRowXRef_.size()) != RowCount())
        InitSortXRef();
    if (SortIndexes.Count() == 0)
        throw GridError(QStringLiteral("No indexes specified for indexed sort"));
    SortAndFollow(FixedRows(), RowCount() - FixedFooters() - 1, IndexChain(), true);
}

void TExStringGrid::QuickSort(int col, int left, int right)
{
    SortRows(left, right, SortChain(col, SortSettings.Direction == sdDescending));
}

void TExStringGrid::QuickSortIndexed(int left, int right)
{
    if (SortIndexes.Count() == 0)
        throw GridError(QStringLiteral("No indexes specified for indexed sort"));
    SortRows(left, right, IndexChain());
}

void TExStringGrid::SortGroups(bool indexed)
{
    if (static_cast<int>(sortRowXRef_.size()) != RowCount())
        InitSortXRef();
    if (indexed && SortIndexes.Count() == 0)
        throw GridError(QStringLiteral("No indexes specified for indexed sort"));
    if (!indexed && SortSettings.Column < 0)
        return;
    UpdateLock lock(*this);
    const int top = TopRow();
    int current = Row();
    const int first = FixedRows();
    const int last = RowCount() - FixedFooters() - 1;
    int deepest = -1;
    for (int r = first; r <= last; ++r)
        if (IsNode(r))
            deepest = std::max(deepest, GetNodeLevel(r));
    if (deepest < 0)
        return;
    const auto columns =
        indexed ? IndexChain() : SortChain(SortSettings.Column, SortSettings.Direction == sdDescending);
    // Only the innermost expanded groups; their header rows stay.
    for (int r = first; r <= last; ++r) {
        if (!IsNode(r) || GetNodeState(r) || GetNodeLevel(r) != deepest)
            continue;
        const int span = GetNodeSpan(r);
        if (span - 1 <= 1)
            continue;
        const int to = std::min(r + span - 1, last);
        const std::vector<int> order = SortRows(r + 1, to, columns);
        if (Navigation.MoveRowOnSort && current > r && current <= to) {
            const auto at = std::find(order.begin(), order.end(), current);
            if (at != order.end())
                current = r + 1 + static_cast<int>(at - order.begin());
        }
    }
    if (current != Row() && current < RowCount())
        SetRow(current);
    if (Navigation.KeepScrollOnSort)
        SetTopRow(top);
}

void TExStringGrid::QSortGroup()
{
    SortGroups(false);
}

void TExStringGrid::QSortGroupIndexed()
{
    SortGroups(true);
}

void TExStringGrid::QUnSort()
{
    const int n = RowCount();
    if (static_cast<int>(sortRowXRef_.size()) != n)
        return; // rows came or went since the sorts: the way back is lost
    UpdateLock lock(*this);
    // The row now at r had position xref[r]: position p takes the row whose
    // entry is p. Afterwards both references are the identity again.
    std::vector<int> order;
    std::vector<int> xref;
    order.swap(sortRowXRefInv_);
    xref.swap(sortRowXRef_);
    ApplyRowOrder(0, order, SortSettings.SingleColumn ? SortSettings.Column : -1);
    std::iota(xref.begin(), xref.end(), 0);
    std::iota(order.begin(), order.end(), 0);
    sortRowXRef_.swap(xref);
    sortRowXRefInv_.swap(order);
}

bool TExStringGrid::SortLine(int col, int row1, int row2)
{
    RowOrder keys(*this, {row1, row2}, SortChain(col, SortSettings.Direction == sdDescending));
    const int r = keys.Compare(0, 1);
    Compares += keys.Comparisons();
    if (r <= 0)
        return false;
    SortSwapRows(row1, row2);
    return true;
}

void TExStringGrid::SortSwapRows(int row1, int row2)
{
    if (row1 == row2 || row1 < 0 || row2 < 0 || row1 >= RowCount() || row2 >= RowCount())
        return;
    const int left = std::min(row1, row2);
    const int right = std::max(row1, row2);
    std::vector<int> order(size_t(right - left + 1));
    std::iota(order.begin(), order.end(), left);
    std::swap(order.front(), order.back());
    ApplyRowOrder(left, order, SortSettings.SingleColumn ? SortSettings.Column : -1);
}

} // namespace grid
