// Row insertion, removal and moving shared by hiding, showing and the row
// operations; the current row and the view's scroll position.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/undo_redo.h"

#include <algorithm>

namespace grid {

namespace {

template <typename T>
void InsertEntries(std::vector<T>& list, int at, int count)
{
    if (at < static_cast<int>(list.size()))
        list.insert(list.begin() + at, size_t(count), T{});
}

template <typename T>
void RemoveEntries(std::vector<T>& list, int at, int count)
{
    if (at >= static_cast<int>(list.size()))
        return;
    const int end = std::min(static_cast<int>(list.size()), at + count);
    list.erase(list.begin() + at, list.begin() + end);
}

// Where a row shows after a block of count rows moved from from to to (to
// counted after the block was taken out).
int MovedBlockRow(int row, int from, int count, int to)
{
    if (row >= from && row < from + count)
        return to + row - from;
    const int rest = row < from ? row : row - count;
    return rest >= to ? rest + count : rest;
}

// Where an index shows after the one at from moved to to.
int MovedIndex(int v, int from, int to)
{
    if (v == from)
        return to;
    if (from < to && v > from && v <= to)
        return v - 1;
    if (to < from && v >= to && v < from)
        return v + 1;
    return v;
}

// The entries of a block of rows move with the rows.
template <typename T>
void MoveEntries(std::vector<T>& list, int from, int count, int to)
{
    const int need = std::max(from, to) + count;
    if (from >= static_cast<int>(list.size()) && to >= static_cast<int>(list.size()))
        return;
    if (need > static_cast<int>(list.size()))
        list.resize(size_t(need));
    std::vector<T> block(list.begin() + from, list.begin() + from + count);
    list.erase(list.begin() + from, list.begin() + from + count);
    list.insert(list.begin() + to, block.begin(), block.end());
}

} // namespace

void TExStringGrid::SideListsInsert(int row, int count)
{
    InsertEntries(modifiedRows_, row, count);
    if (useEnabledRows_)
        InsertEntries(enabledRows_, row, count);
    // Row-select flags by display row follow the rows, as on removal.
    if (MouseActions.DisjunctRowSelect() && !MouseActions.RowSelectPersistent)
        InsertEntries(rowSelect_, row, count);
}

void TExStringGrid::SideListsRemove(int row, int count, bool rowSelectToo)
{
    RemoveEntries(modifiedRows_, row, count);
    if (useEnabledRows_)
        RemoveEntries(enabledRows_, row, count);
    if (rowSelectToo)
        RemoveEntries(rowSelect_, row, count);
}

void TExStringGrid::CarryUndoRows(const std::function<void()>& change,
                                  const std::function<int(int shownRow)>& shownRow)
{
    if (!UndoRedo || UndoRedo->Count() == 0) {
        change();
        return;
    }
    // Each changed cell is keyed by its hidden row's record or by the row it
    // shows at, in the order of the history.
    struct Key
    {
        const TGridItem* hidden;
        int shown;
    };
    std::vector<Key> keys;
    UndoRedo->RowsMoved([&](int realRow) {
        const TGridItem* item = HiddenRowItem(realRow);
        keys.push_back({item, item ? -1 : DisplRowIndex(realRow)});
        return realRow;
    });
    change();
    if (!UndoRedo)
        return;
    size_t next = 0;
    UndoRedo->RowsMoved([&](int) {
        if (next >= keys.size())
            return -1; // the history changed meanwhile: it cannot be trusted
        const Key& key = keys[next++];
        if (key.hidden)
            return key.hidden->Idx;
        const int shown = shownRow(key.shown);
        return shown < 0 || shown >= RowCount() ? -1 : RealRowIndex(shown);
    });
    if (next != keys.size())
        UndoRedo->ShapeChanged();
}

void TExStringGrid::InsertRowsCore(int row, int count, bool updateCellControls)
{
    if (count <= 0 || row < 0)
        return;
    count = std::min(count, kMaxRows - TotalRowCount());
    if (count <= 0)
        return;
    if (selHidden_ || Col() >= ColCount() || Row() >= RowCount())
        UnHideSelection();
    CarryUndoRows(
        [&] {
            store_.InsertRows(row, count);
            rowHeights_.Insert(row, count, DefaultRowHeight());
            TObjStringGrid::SetRowCount(RowCount() + count);
            SetRowCount(RowCount());
        },
        [&](int r) { return r >= row ? r + count : r; });
    SideListsInsert(row, count);
    if (updateCellControls && controlList_.Count() > 0) {
        const int realRow = RealRowIndex(row);
        for (int i = 0; i < controlList_.Count(); ++i)
            if (controlList_.GetControl(i)->Y >= realRow)
                controlList_.GetControl(i)->Y += count;
        CellControlsUpdate();
    }
    CellsChanged({0, row, ColCount() - 1, row + count});
    Invalidate();
}

void TExStringGrid::InsertRows(int row, int count, bool updateCellControls)
{
    InsertRowsCore(row, count, updateCellControls);
}

void TExStringGrid::RemoveRowsCore(int row, int count, bool renumber)
{
    if (row < 0 || row >= RowCount() || count <= 0)
        return;
    count = std::min({count, RowCount() - row, RowCount() - 1}); // one row always stays
    if (count <= 0)
        return;
    if (renumber) {
        const int firstReal = RealRowIndex(row);
        const int lastReal = RealRowIndex(row + count - 1);
        for (int i = controlList_.Count() - 1; i >= 0; --i) {
            const TControlItem* item = controlList_.GetControl(i);
            if (item->Y >= firstReal && item->Y <= lastReal) {
                if (View())
                    View()->PlaceControl(item->Control, {}, false);
                controlList_.RemoveControl(i);
            }
        }
        // Hidden rows after the removed ones move up by the removed rows
        // below them.
        for (auto& item : gridItems_) {
            const int removedBelow = std::clamp(DisplRowIndex(item->Idx) - row, 0, count);
            item->Idx -= removedBelow;
        }
    }
    const int oldRow = Row();
    const int oldTop = TopRow();
    store_.TakeRows(row, count); // freed here unless their records were taken before
    rowHeights_.Remove(row, count);
    if (MouseActions.DisjunctRowSelect() && !MouseActions.RowSelectPersistent)
        RemoveEntries(rowSelect_, row, count);
    TObjStringGrid::SetRowCount(RowCount() - count);
    SetRowCount(RowCount());
    if (oldRow < RowCount()) {
        current_.Y = oldRow;
        anchor_.Y = std::min(anchor_.Y, RowCount() - 1);
        SetTopRow(oldTop);
    } else if (FixedRows() < RowCount()) {
        SetRow(RowCount() - 1);
    } else {
        HideSelection();
    }
    CellsChanged({0, row, ColCount() - 1, row + count});
    if (TopRow() >= RowCount() - 1)
        SetTopRow(RowCount() - 1);
    if (controlList_.Count() > 0)
        CellControlsUpdate();
    Invalidate();
}

void TExStringGrid::DeleteRows(int row, int count)
{
    FreeCellProperties(0, row, kMaxColumns - 1, row + count - 1);
    // The rows RemoveRowsCore takes out.
    const int n = row < 0 || row >= RowCount() || count <= 0 ? 0 : std::min({count, RowCount() - row, RowCount() - 1});
    CarryUndoRows([&] { RemoveRowsCore(row, count, true); },
                  [&](int r) { return r < row ? r : r < row + n ? -1 : r - n; });
}

void TExStringGrid::RemoveRowsEx(int row, int count)
{
    if (row < 0 || row >= RowCount() || count <= 0)
        return;
    count = std::min({count, RowCount() - row, RowCount() - 1});
    if (count <= 0)
        return;
    const int oldRow = Row();
    const int oldTop = TopRow();
    CarryUndoRows(
        [&] {
            store_.TakeRows(row, count);
            // Heights stay where they are: the last ones drop with the count.
            rowHeights_.Remove(RowCount() - count, count);
            if (MouseActions.DisjunctRowSelect())
                RemoveEntries(rowSelect_, row, count);
            TObjStringGrid::SetRowCount(RowCount() - count);
            SetRowCount(RowCount());
            maxRowCount_ = std::max(RowCount(), maxRowCount_ - count);
            if (oldRow < RowCount()) {
                current_.Y = oldRow;
                anchor_.Y = std::min(anchor_.Y, RowCount() - 1);
                SetTopRow(oldTop);
            } else if (FixedRows() < RowCount()) {
                current_.Y = anchor_.Y = FixedRows();
                SetTopRow(FixedRows());
            }
            RenumberRecordsAfter(row + count - 1, -count);
        },
        [&](int r) { return r < row ? r : r < row + count ? -1 : r - count; });
    CellsChanged({0, row, ColCount() - 1, row + count});
    Invalidate();
}

void TExStringGrid::AddRow()
{
    InsertRows(RowCount(), 1, true);
    // The new row starts empty even where the store kept old texts.
    const int r = RowCount() - 1;
    FreeCellProperties(0, r, kMaxColumns - 1, r);
    if (RowRecord* rec = store_.Row(r))
        for (int c = 0; c < rec->Size(); ++c)
            SetCellEx(c, r, QString());
}

void TExStringGrid::MoveRows(int fromIndex, int toIndex, int count)
{
    if (fromIndex == toIndex || count <= 0 || fromIndex < 0 || fromIndex >= RowCount())
        return;
    count = std::min(count, RowCount() - fromIndex);
    if (fromIndex + count < toIndex)
        toIndex -= count;
    toIndex = std::clamp(toIndex, 0, RowCount() - count);
    if (toIndex == fromIndex)
        return;
    // Handles move; hidden rows keep their places.
    CarryUndoRows(
        [&] {
            std::vector<RowHandle> block = store_.TakeRows(fromIndex, count);
            store_.InsertHandles(toIndex, std::move(block));
        },
        [&](int r) { return MovedBlockRow(r, fromIndex, count, toIndex); });
    rowHeights_.Remove(fromIndex, count);
    rowHeights_.Insert(toIndex, count, DefaultRowHeight());
    MoveEntries(modifiedRows_, fromIndex, count, toIndex);
    if (useEnabledRows_)
        MoveEntries(enabledRows_, fromIndex, count, toIndex);
    MoveEntries(rowSelect_, fromIndex, count, toIndex);
    CellsChanged({0, std::min(fromIndex, toIndex), ColCount() - 1, std::max(fromIndex, toIndex) + count});
    Invalidate();
}

void TExStringGrid::MoveRow(int fromIndex, int toIndex)
{
    TObjStringGrid::MoveRow(fromIndex, toIndex);
    bool any = false;
    for (int i = 0; i < controlList_.Count(); ++i) {
        TControlItem* item = controlList_.GetControl(i);
        if (item->Y == fromIndex)
            item->Y = toIndex;
        else if (toIndex < fromIndex && item->Y >= toIndex && item->Y < fromIndex)
            ++item->Y;
        else if (toIndex > fromIndex && item->Y > fromIndex && item->Y <= toIndex)
            --item->Y;
        any = true;
    }
    if (any)
        CellControlsUpdate();
}

void TExStringGrid::RowMoved(int fromIndex, int toIndex)
{
    CarryUndoRows([&] { TObjStringGrid::RowMoved(fromIndex, toIndex); },
                  [&](int r) { return MovedIndex(r, fromIndex, toIndex); });
}

void TExStringGrid::SetRow(int value)
{
    if (Col() < 0 || Col() >= ColCount())
        FocusCell(FixedCols(), value, true);
    TObjStringGrid::SetRow(value);
    if (Row() != oldRowSel_ && OnRowChanged) {
        const int old = oldRowSel_;
        oldRowSel_ = Row();
        OnRowChanged(this, old, Row());
    }
    if (SyncGrid.Grid() && SyncGrid.SelectionRow)
        SyncGrid.Grid()->SetRow(Row());
    if (value == RowCount() - 1 && SearchFooter.Visible())
        AdjustTopRowForSearchFooter();
}

void TExStringGrid::AdjustTopRowForSearchFooter()
{
    const int panel = SearchPanelHeight();
    if (!SearchFooter.Visible() || ClientHeight() <= DefaultRowHeight() + panel)
        return;
    const auto lastBottom = [&] {
        const QRect r = UnclippedCellRect(0, RowCount() - 1);
        return r.y() + r.height();
    };
    while (lastBottom() > ClientHeight() - panel + 2 && Row() <= RowCount() - 1 && TopRow() < RowCount()) {
        const int top = TopRow();
        SetTopRow(top + 1);
        if (TopRow() == top)
            break;
    }
}

bool TExStringGrid::LastRowClearsSearchFooter() const
{
    if (!SearchFooter.Visible() || TopRow() + VisibleRowCount() < RowCount() - 1)
        return false;
    const QRect r = UnclippedCellRect(0, RowCount() - 1);
    return r.y() + r.height() < ClientHeight() - SearchPanelHeight() + 2;
}

void TExStringGrid::SetTopRow(int value)
{
    if (value < FixedRows() || value > RowCount() - 1)
        return;
    TObjStringGrid::SetTopRow(value);
}

void TExStringGrid::ScrollInView(int col, int row)
{
    if (col >= ColCount() || row >= RowCount() || col < 0 || row < 0)
        return;
    int left = LeftCol();
    int top = TopRow();
    const int visCols = VisibleColCount();
    const int visRows = VisibleRowCount();
    if (col < LeftCol() || col >= LeftCol() + visCols) {
        SetCol(col);
        left = std::max(FixedCols(), col - visCols / 2);
    }
    if (row < TopRow() || row >= TopRow() + visRows) {
        SetRow(row);
        top = std::max(FixedRows(), row - visRows / 2);
    }
    left = std::min(left, ColCount() - visCols + 1);
    if (FixedCols() + visCols < ColCount())
        SetLeftCol(left);
    top = std::min(top, RowCount() - visRows + 1);
    if (FixedRows() + visRows >= RowCount())
        return;
    SetTopRow(top);
    if (SearchFooter.Visible()) {
        const int limit = ClientHeight() - SearchPanelHeight();
        while (true) {
            const QRect r = UnclippedCellRect(0, row);
            const int oldTop = TopRow();
            if (r.y() + r.height() <= limit)
                break;
            SetTopRow(oldTop + 1);
            if (TopRow() == oldTop)
                break;
        }
    }
}

bool TExStringGrid::IsOnSizingBorder(int x, int y) const
{
    const TGridCoord c = MouseCoord(x, y);
    if (c.X < 0 || c.Y < 0)
        return false;
    const QRect r = CellRect(c.X, c.Y);
    bool result = false;
    if (c.Y <= FixedRows() && Options().Contains(goColSizing))
        result = std::abs(x - r.x()) < 4 || std::abs(x - (r.x() + r.width())) < 4;
    if (c.X <= FixedCols() && Options().Contains(goRowSizing))
        result = std::abs(y - r.y()) < 4 || std::abs(y - (r.y() + r.height())) < 4;
    return result;
}

void TExStringGrid::HideSelection()
{
    oldSelection_ = Selection();
    SetSelection({ColCount(), RowCount(), ColCount(), RowCount()});
    selHidden_ = true;
}

void TExStringGrid::UnHideSelection()
{
    selHidden_ = false;
    if (oldSelection_.Top < RowCount() && oldSelection_.Left < ColCount() && oldSelection_.Right < ColCount() &&
        oldSelection_.Bottom < RowCount()) {
        SetSelection(oldSelection_);
        return;
    }
    int c = FixedCols();
    int r = FixedRows();
    if (fixedRowAlways_ && r >= RowCount())
        r = 0;
    if (fixedColAlways_ && c >= ColCount())
        c = 0;
    c = std::min(c, ColCount() - 1);
    r = std::min(r, RowCount() - 1);
    SetSelection({c, r, c, r});
}

void TExStringGrid::UpdateEditMode()
{
    SelectCell(Col(), Row());
}

TGridRect TExStringGrid::UsedCells() const
{
    TGridRect used{-1, -1, -1, -1};
    // Only rows the store holds can have text.
    const int rows = std::min(RowCount(), store_.Extent());
    for (int r = 0; r < rows; ++r) {
        if (!store_.Row(r))
            continue;
        for (int c = 0; c < ColCount(); ++c) {
            if (GetCellEx(c, r).isEmpty())
                continue;
            if (used.Left < 0) {
                used = {c, r, c, r};
            } else {
                used.Left = std::min(used.Left, c);
                used.Top = std::min(used.Top, r);
                used.Right = std::max(used.Right, c);
                used.Bottom = std::max(used.Bottom, r);
            }
        }
    }
    return used.Left < 0 ? TGridRect{0, 0, 0, 0} : used;
}

int TExStringGrid::SaveStartCol() const
{
    return SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
}

int TExStringGrid::SaveStartRow() const
{
    return SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
}

int TExStringGrid::SaveEndCol() const
{
    return SaveFixedCells || SaveFixedCols ? ColCount() - 1 : ColCount() - fixedRightCols_ - 1;
}

int TExStringGrid::SaveEndRow() const
{
    return SaveFixedCells || SaveFixedRows ? RowCount() - 1 : RowCount() - fixedFooters_ - 1;
}

int TExStringGrid::SaveColCount() const
{
    return SaveFixedCells || SaveFixedCols ? ColCount() : ColCount() - FixedCols() - fixedRightCols_;
}

int TExStringGrid::SaveRowCount() const
{
    return SaveFixedCells || SaveFixedRows ? RowCount() : RowCount() - FixedRows() - fixedFooters_;
}

} // namespace grid
