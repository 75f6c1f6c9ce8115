// Row and column operations: removal and insertion with what frees, moves or
// keeps properties; clearing, trimming, colouring, merging runs, searching.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/undo_redo.h"

#include <QSet>

#include <algorithm>

namespace grid {

namespace {

// Drops the entries of the ascending rows from a per-row list.
template <typename T>
void EraseEntries(std::vector<T>& list, const std::vector<int>& rows)
{
    if (rows.empty() || rows.front() >= static_cast<int>(list.size()))
        return;
    size_t out = size_t(rows.front());
    size_t next = 0;
    for (size_t i = out; i < list.size(); ++i) {
        while (next < rows.size() && rows[next] < static_cast<int>(i))
            ++next;
        if (next < rows.size() && rows[next] == static_cast<int>(i))
            continue;
        list[out++] = list[i];
    }
    list.resize(out);
}

// Leading and trailing blanks and control characters.
QString TrimText(const QString& s)
{
    qsizetype a = 0;
    qsizetype b = s.size();
    while (a < b && s[a].unicode() <= u' ')
        ++a;
    while (b > a && s[b - 1].unicode() <= u' ')
        --b;
    return a == 0 && b == s.size() ? s : s.mid(a, b - a);
}

} // namespace

void TExStringGrid::DeleteRowList(std::vector<int> rows)
{
    rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int r) { return r < 0 || r >= RowCount(); }),
               rows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty())
        return;
    // The grid keeps one row: asked to remove all, the first stays, emptied.
    int emptied = -1;
    if (static_cast<int>(rows.size()) >= RowCount()) {
        emptied = rows.front();
        rows.erase(rows.begin());
        if (rows.empty()) {
            ClearRect(0, emptied, AllColCount() - 1, emptied);
            return;
        }
    }
    const int k = static_cast<int>(rows.size());
    std::vector<int> reals(static_cast<size_t>(k));
    for (int i = 0; i < k; ++i)
        reals[size_t(i)] = RealRowIndex(rows[size_t(i)]);
    // Controls of removed rows go; those below move up.
    bool controls = false;
    for (int i = controlList_.Count() - 1; i >= 0; --i) {
        TControlItem* item = controlList_.GetControl(i);
        controls = true;
        if (std::binary_search(reals.begin(), reals.end(), item->Y)) {
            if (View())
                View()->PlaceControl(item->Control, {}, false);
            if (TCellProperties* p = GetGridObjectEx(item->X, item->Y); p && p->Control == item->Control) {
                p->Control = nullptr;
                --numCellControls_;
            }
            controlList_.RemoveControl(i);
        } else {
            item->Y -= static_cast<int>(std::lower_bound(reals.begin(), reals.end(), item->Y) - reals.begin());
        }
    }
    // Hidden rows after removed ones move up by those below them.
    std::vector<int> delta(gridItems_.size());
    for (size_t i = 0; i < gridItems_.size(); ++i) {
        const int shownBelow = DisplRowIndex(gridItems_[i]->Idx);
        delta[i] = static_cast<int>(std::lower_bound(rows.begin(), rows.end(), shownBelow) - rows.begin());
    }
    for (size_t i = 0; i < gridItems_.size(); ++i)
        gridItems_[i]->Idx -= delta[i];
    EraseEntries(modifiedRows_, rows);
    if (useEnabledRows_)
        EraseEntries(enabledRows_, rows);
    if (MouseActions.DisjunctRowSelect())
        EraseEntries(rowSelect_, rows);
    const int oldRow = Row();
    const int oldTop = TopRow();
    store_.ExtractRows(rows); // the rows' cells and properties are freed here
    for (int i = k - 1; i >= 0;) {
        int j = i;
        while (j > 0 && rows[size_t(j - 1)] == rows[size_t(j)] - 1)
            --j;
        rowHeights_.Remove(rows[size_t(j)], i - j + 1);
        i = j - 1;
    }
    TObjStringGrid::SetRowCount(RowCount() - k);
    SetRowCount(RowCount());
    maxRowCount_ = std::max(RowCount(), maxRowCount_ - k);
    const int normalEnd = RowCount() - FixedFooters();
    if (oldRow < normalEnd) {
        SetTopRow(oldTop);
    } else if (FixedRows() < normalEnd) {
        SetRow(normalEnd - 1);
    } else {
        HideSelection();
    }
    if (emptied >= 0)
        ClearRect(0, emptied, AllColCount() - 1, emptied);
    if (UndoRedo)
        UndoRedo->ShapeChanged();
    CellsChanged({0, rows.front(), ColCount() - 1, rows.back() + 1});
    const int visible = VisibleRowCount();
    if (TopRow() >= RowCount() + FixedRows() - visible - 2 && RowCount() - visible - 1 > 0)
        SetTopRow(RowCount() + FixedRows() - visible - 2);
    if (controls)
        CellControlsUpdate();
    Invalidate();
}

void TExStringGrid::RemoveRows(int row, int count)
{
    // A row at or past the end changes nothing.
    if (row < 0 || row >= RowCount() || count <= 0)
        return;
    count = std::min(count, RowCount() - row);
    std::vector<int> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        rows[size_t(i)] = row + i;
    DeleteRowList(std::move(rows));
}

void TExStringGrid::AddColumn()
{
    InsertCols(AllColCount(), 1);
}

void TExStringGrid::RemoveCols(int col, int count)
{
    const int all = AllColCount();
    if (col < 0 || col >= all || count <= 0)
        return;
    count = std::min(count, all - col);
    if (count >= ColCount() && NumHiddenColumns() == 0)
        count = ColCount() - 1; // the grid keeps one column
    // Visible columns among the removed ones leave the display.
    std::vector<int> shown;
    int hidden = 0;
    for (int c = col; c < col + count; ++c) {
        if (IsHiddenColumn(c))
            ++hidden;
        else
            shown.push_back(DisplColIndex(c));
    }
    if (static_cast<int>(shown.size()) >= ColCount())
        return; // the last shown column stays
    ClearCols(col, count);
    store_.ForEachRow([&](int, RowRecord& r) { r.RemoveCells(col, count); });
    for (auto& item : gridItems_)
        if (item->Items)
            item->Items->RemoveCells(col, count);
    // Visibility and kept widths shift with the columns (within the table).
    if (col < kColTable - 1) {
        const int end = std::min(col + count, kColTable - 1);
        std::copy(visibleCol_.begin() + end, visibleCol_.end() - 1, visibleCol_.begin() + col);
        std::copy(allColWidths_.begin() + end, allColWidths_.end() - 1, allColWidths_.begin() + col);
        std::fill(visibleCol_.end() - 1 - (end - col), visibleCol_.end() - 1, true);
        std::fill(allColWidths_.end() - 1 - (end - col), allColWidths_.end() - 1, qint16(0));
        numHidden_ -= hidden;
        RebuildColumnMap();
    }
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        colWidths_.Remove(*it, 1);
    for (int i = controlList_.Count() - 1; i >= 0; --i) {
        TControlItem* item = controlList_.GetControl(i);
        if (item->X >= col + count) {
            item->X -= count;
        } else if (item->X >= col) {
            if (View())
                View()->PlaceControl(item->Control, {}, false);
            controlList_.RemoveControl(i);
            --numCellControls_;
        }
    }
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (*it < static_cast<int>(colSelect_.size()))
            colSelect_.erase(colSelect_.begin() + *it);
    SetColCount(ColCount() - static_cast<int>(shown.size()));
    if (UndoRedo)
        UndoRedo->ShapeChanged();
    CellsChanged({col, 0, col + count, RowCount() - 1});
    CellControlsUpdate();
    Invalidate();
}

void TExStringGrid::InsertCols(int col, int count)
{
    const int all = AllColCount();
    if (col < 0 || count <= 0)
        return;
    col = std::min(col, all);
    count = std::min(count, kMaxColumns - all);
    if (count <= 0)
        return;
    // The new columns show where real column col showed.
    const int at = DisplColIndex(col);
    store_.ForEachRow([&](int, RowRecord& r) { r.InsertCells(col, count); });
    for (auto& item : gridItems_)
        if (item->Items)
            item->Items->InsertCells(col, count);
    if (col < kColTable - 1) {
        const int shift = std::min(count, kColTable - 1 - col);
        std::copy_backward(visibleCol_.begin() + col, visibleCol_.end() - 1 - shift, visibleCol_.end() - 1);
        std::copy_backward(allColWidths_.begin() + col, allColWidths_.end() - 1 - shift, allColWidths_.end() - 1);
        std::fill(visibleCol_.begin() + col, visibleCol_.begin() + col + shift, true);
        std::fill(allColWidths_.begin() + col, allColWidths_.begin() + col + shift, qint16(0));
        RebuildColumnMap();
    }
    colWidths_.Insert(at, count, DefaultColWidth());
    for (int i = 0; i < controlList_.Count(); ++i)
        if (controlList_.GetControl(i)->X >= col)
            controlList_.GetControl(i)->X += count;
    if (at < static_cast<int>(colSelect_.size()))
        colSelect_.insert(colSelect_.begin() + at, size_t(count), 0);
    SetColCount(ColCount() + count);
    if (UndoRedo)
        UndoRedo->ShapeChanged();
    CellsChanged({col, 0, col + count - 1, RowCount() - 1});
    CellControlsUpdate();
    Invalidate();
}

void TExStringGrid::RemoveCheckedRows(int checkBoxCol, bool removeChecked)
{
    BeginUpdate();
    std::vector<int> rows;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsChecked(checkBoxCol, r) == removeChecked)
            rows.push_back(r);
    DeleteRowList(std::move(rows));
    EndUpdate();
}

void TExStringGrid::RemoveDuplicates(int col, bool doCase)
{
    const int real = RealColIndex(col);
    BeginUpdate();
    QSet<QString> seen;
    std::vector<int> rows;
    for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r) {
        const QString text = Cells(real, r);
        // With doCase, texts that differ in case are no duplicates.
        const QString key = doCase ? text : text.toUpper();
        if (seen.contains(key))
            rows.push_back(r);
        else
            seen.insert(key);
    }
    DeleteRowList(std::move(rows));
    EndUpdate();
}

bool TExStringGrid::RowSelectedAt(int row)
{
    const int flag = MouseActions.RowSelectPersistent ? RealRowIndex(row) : row;
    return flag >= 0 && flag < static_cast<int>(rowSelect_.size()) && rowSelect_[size_t(flag)] != 0;
}

void TExStringGrid::RemoveSelectedRows()
{
    BeginUpdate();
    std::vector<int> rows;
    if (MouseActions.DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (RowSelectedAt(r))
                rows.push_back(r);
        ClearRowSelect();
    } else {
        const TGridRect s = Selection();
        for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
            rows.push_back(r);
    }
    DeleteRowList(std::move(rows));
    EndUpdate();
}

void TExStringGrid::RemoveUnSelectedRows()
{
    BeginUpdate();
    std::vector<int> rows;
    for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
        if (!RowSelectedAt(r))
            rows.push_back(r);
    DeleteRowList(std::move(rows));
    if (MouseActions.RowSelectPersistent) {
        const int normal = RowCount() - FixedFooters() - FixedRows();
        if (normal > 0)
            SelectRows(FixedRows(), normal);
    } else {
        ClearRowSelect();
    }
    EndUpdate();
}

void TExStringGrid::RemoveSelectedCols()
{
    BeginUpdate();
    if (MouseActions.DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c) {
            if (c < static_cast<int>(colSelect_.size()) && colSelect_[size_t(c)]) {
                colSelect_[size_t(c)] = 0;
                RemoveCols(RealColIndex(c), 1);
            }
        }
    } else {
        const TGridRect s = Selection();
        const int from = std::max(FixedCols(), std::min(s.Left, s.Right));
        const int to = std::max(s.Left, s.Right);
        for (int c = to; c >= from; --c)
            RemoveCols(RealColIndex(c), 1);
    }
    EndUpdate();
}

void TExStringGrid::RemoveUnSelectedCols()
{
    BeginUpdate();
    if (MouseActions.DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (!(c < static_cast<int>(colSelect_.size()) && colSelect_[size_t(c)]))
                RemoveCols(RealColIndex(c), 1);
    } else {
        const TGridRect s = Selection();
        const int left = std::min(s.Left, s.Right);
        const int right = std::max(s.Left, s.Right);
        for (int c = ColCount() - 1; c > right; --c)
            RemoveCols(RealColIndex(c), 1);
        for (int c = left - 1; c >= FixedCols(); --c)
            RemoveCols(RealColIndex(c), 1);
    }
    ClearColSelect();
    EndUpdate();
}

void TExStringGrid::HideSelectedRows()
{
    BeginUpdate();
    for (int r = RowCount() - 1; r >= FixedRows(); --r)
        if (RowSelectedAt(r))
            HideRow(RealRowIndex(r));
    EndUpdate();
}

void TExStringGrid::HideUnSelectedRows()
{
    BeginUpdate();
    for (int r = FixedRows(); r < RowCount();) {
        if (!RowSelectedAt(r) && RowCount() > 1) {
            const int before = RowCount();
            HideRow(RealRowIndex(r));
            if (RowCount() == before)
                break; // the last row stays
        } else {
            ++r;
        }
    }
    EndUpdate();
}

void TExStringGrid::ClearRect(int col1, int row1, int col2, int row2)
{
    if (col1 > col2)
        std::swap(col1, col2);
    if (row1 > row2)
        std::swap(row1, row2);
    row1 = std::max(0, row1);
    col1 = std::max(0, col1);
    const int lastRow = std::min(row2, store_.Extent() - 1);
    for (int r = row1; r <= lastRow; ++r) {
        RowRecord* rec = store_.Row(r);
        if (!rec)
            continue;
        for (int i = col1; i <= col2; ++i) {
            const int a = SaveHiddenCells ? RealColIndex(i) : i;
            if (a >= rec->Size()) {
                if (!SaveHiddenCells)
                    break;
                continue;
            }
            Cell* c = rec->At(a);
            if (!ClearTextOnly && c->Props) {
                if (c->Props->Control) {
                    const int ci = controlList_.ControlIndex(a, RealRowIndex(r));
                    if (View())
                        View()->PlaceControl(c->Props->Control, {}, false);
                    if (ci >= 0)
                        controlList_.RemoveControl(ci);
                    --numCellControls_;
                }
                c->Props.reset();
            }
            if (!c->Text.isEmpty()) {
                c->Text = QString();
                if (a != i && updateCount_ == 0)
                    RepaintCell(i, r);
            }
        }
    }
    if (col1 == 0 && row1 == 0 && col2 >= ColCount() - 1 && row2 >= RowCount() - 1 && !ClearTextOnly)
        FHasCellProps = false;
    if (!blockCellChange_)
        CellsChanged({RealColIndex(col1), row1, RealColIndex(col2), row2});
    Invalidate();
}

void TExStringGrid::ClearRows(int row, int count)
{
    if (RowCount() == 0 || ColCount() == 0 || count < 1)
        return;
    ClearRect(0, row, AllColCount() - 1, row + count - 1);
}

void TExStringGrid::ClearCols(int col, int count)
{
    if (RowCount() == 0 || ColCount() == 0 || count < 1)
        return;
    ClearRect(col, 0, col + count - 1, RowCount() - 1);
}

void TExStringGrid::ClearNormalRows(int row, int count)
{
    if (RowCount() == 0 || ColCount() == 0 || count < 1)
        return;
    ClearRect(FixedCols(), row, AllColCount() - FixedRightCols() - 1, row + count - 1);
}

void TExStringGrid::ClearNormalCols(int col, int count)
{
    if (RowCount() == 0 || ColCount() == 0 || count < 1)
        return;
    ClearRect(col, FixedRows(), col + count - 1, RowCount() - FixedFooters() - 1);
}

void TExStringGrid::ClearNormalCells()
{
    if (FixedCols() == 0)
        RemoveAllNodes();
    ClearRect(FixedCols(), FixedRows(), AllColCount() - FixedRightCols() - 1, RowCount() - FixedFooters() - 1);
}

void TExStringGrid::ClearSelection()
{
    if (MouseActions.DisjunctRowSelect()) {
        for (int r = 0; r < RowCount(); ++r)
            if (RowSelectedAt(r))
                ClearRows(r, 1);
    } else if (MouseActions.DisjunctColSelect()) {
        for (int c = 0; c < static_cast<int>(colSelect_.size()) && c < ColCount(); ++c)
            if (colSelect_[size_t(c)])
                ClearCols(RealColIndex(c), 1);
    } else {
        const TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
    }
}

void TExStringGrid::Clear()
{
    RemoveAllNodes();
    ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
    SearchInc.clear();
    if (NumHiddenColumns() > 0)
        Invalidate();
}

void TExStringGrid::ClearAll()
{
    Clear();
    for (auto& item : gridItems_)
        if (item->Items)
            for (int c = 0; c < item->Items->Size(); ++c)
                item->Items->At(c)->Text = QString();
}

void TExStringGrid::TrimRect(int col1, int row1, int col2, int row2)
{
    const int lastRow = std::min(row2, store_.Extent() - 1);
    for (int r = std::max(0, row1); r <= lastRow; ++r) {
        if (!store_.Row(r))
            continue;
        for (int i = std::max(0, col1); i <= col2; ++i) {
            const int a = SaveHiddenCells ? RealColIndex(i) : i;
            const QString text = store_.Text(a, r);
            const QString trimmed = TrimText(text);
            if (trimmed.size() != text.size())
                SetCellEx(a, r, trimmed);
        }
    }
}

void TExStringGrid::TrimColumn(int col)
{
    TrimRect(col, 0, col, RowCount() - 1);
}

void TExStringGrid::TrimRow(int row)
{
    TrimRect(0, row, ColCount() - 1, row);
}

void TExStringGrid::TrimAll()
{
    TrimRect(0, 0, ColCount() - 1, RowCount() - 1);
}

void TExStringGrid::ColorRect(int col1, int row1, int col2, int row2, TColor color)
{
    for (int r = row1; r <= row2; ++r)
        for (int c = col1; c <= col2; ++c)
            SetColors(c, r, color);
}

void TExStringGrid::MergeColumnCells(int col, bool mainMerge)
{
    const int end = RowCount() - FixedFooters();
    int start = FixedRows();
    for (int r = FixedRows() + 1; r <= end; ++r) {
        const bool joins = r < end && Cells(col, r) == Cells(col, r - 1) &&
                           (mainMerge || RowSpanIdentical(r, r - 1));
        if (joins)
            continue;
        if (r - start >= 2)
            MergeCells(col, start, 1, r - start);
        start = r;
    }
}

void TExStringGrid::MergeRowCells(int row, bool mainMerge)
{
    const int end = ColCount() - FixedRightCols();
    int start = FixedCols();
    for (int c = FixedCols() + 1; c <= end; ++c) {
        const bool joins = c < end && Cells(RealColIndex(c), row) == Cells(RealColIndex(c - 1), row) &&
                           (mainMerge || ColSpanIdentical(RealColIndex(c), RealColIndex(c - 1)));
        if (joins)
            continue;
        if (c - start >= 2)
            MergeCells(RealColIndex(start), row, c - start, 1);
        start = c;
    }
}

void TExStringGrid::SplitColumnCells(int col)
{
    for (int r = 0; r <= RowCount() - FixedFooters() - 2; ++r) {
        const QPoint span = CellSpan(col, r);
        if (IsBaseCell(col, r) && span.y() > 0) {
            SplitCells(col, r);
            r += span.y();
        }
    }
}

void TExStringGrid::SplitRowCells(int row)
{
    for (int c = 0; c <= ColCount() - FixedRightCols() - 2; ++c) {
        const int real = RealColIndex(c);
        const QPoint span = CellSpan(real, row);
        if (IsBaseCell(real, row) && span.x() > 0) {
            SplitCells(real, row);
            c += span.x();
        }
    }
}

void TExStringGrid::SplitAllCells()
{
    const int rows = std::min(RowCount(), store_.Extent());
    for (int r = 0; r < rows; ++r) {
        if (!store_.Row(r))
            continue;
        for (int c = 0; c < ColCount(); ++c) {
            const int real = RealColIndex(c);
            if (IsBaseCell(real, r) && IsMergedCell(real, r))
                SplitCells(real, r);
        }
    }
}

void TExStringGrid::MergeCols(int col1, int col2, const QString& separator)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCells(col1, r, TrimText(Cells(col1, r)) + separator + Cells(col2, r));
    RemoveCols(col2, 1);
}

bool TExStringGrid::IsCell(const QString& subStr, int& col, int& row) const
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!store_.Row(r)) {
            // A row never written is all empty texts.
            if (subStr.isEmpty()) {
                col = 0;
                row = r;
                return true;
            }
            if (r >= store_.Extent())
                break;
            continue;
        }
        for (int c = 0; c < ColCount(); ++c) {
            if (GridCells(c, r) == subStr) {
                col = c;
                row = r;
                return true;
            }
        }
    }
    return false;
}

bool TExStringGrid::IsWideCell(int col, int row) const
{
    return GridCells(col, row).startsWith(QStringLiteral("|\\"));
}

} // namespace grid
