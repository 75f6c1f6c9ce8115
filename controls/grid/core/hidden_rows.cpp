// Hidden rows: records sorted by Idx, the row index mapping, hiding and
// showing rows.
#include "controls/grid/core/ex_string_grid.h"

#include <algorithm>

namespace grid {

namespace {

bool IdxLess(const std::unique_ptr<TGridItem>& item, int idx)
{
    return item->Idx < idx;
}

bool IdxGreater(int idx, const std::unique_ptr<TGridItem>& item)
{
    return idx < item->Idx;
}

} // namespace

int TExStringGrid::RecordsBelow(int idx) const
{
    return static_cast<int>(std::lower_bound(gridItems_.begin(), gridItems_.end(), idx, IdxLess) -
                            gridItems_.begin());
}

void TExStringGrid::InsertRecord(std::unique_ptr<TGridItem> item)
{
    const auto at = std::upper_bound(gridItems_.begin(), gridItems_.end(), item->Idx, IdxGreater);
    const bool dupBefore = at != gridItems_.begin() && (*(at - 1))->Idx == item->Idx;
    if (dupBefore)
        ++duplicateIdx_;
    gridItems_.insert(at, std::move(item));
}

TGridItem* TExStringGrid::HiddenRowItem(int row) const
{
    const auto it = std::lower_bound(gridItems_.begin(), gridItems_.end(), row, IdxLess);
    return it != gridItems_.end() && (*it)->Idx == row ? it->get() : nullptr;
}

bool TExStringGrid::IsHiddenRow(int row) const
{
    return HiddenRowItem(row) != nullptr;
}

int TExStringGrid::DisplRowIndex(int row) const
{
    if (gridItems_.empty())
        return row;
    return row - RecordsBelow(row);
}

int TExStringGrid::RealRowIndex(int row) const
{
    if (gridItems_.empty() || row < 0)
        return row;
    if (duplicateIdx_ == 0) {
        // Idx strictly ascending: Idx - position never falls, so the hidden
        // rows at or before the answer are found by binary search.
        int lo = 0;
        int hi = static_cast<int>(gridItems_.size());
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (gridItems_[size_t(mid)]->Idx - mid <= row)
                lo = mid + 1;
            else
                hi = mid;
        }
        return row + lo;
    }
    int r = row;
    int last = -1;
    for (const auto& item : gridItems_) {
        if (item->Idx == last)
            continue;
        last = item->Idx;
        if (item->Idx <= r)
            ++r;
        else
            break;
    }
    return r;
}

void TExStringGrid::RenumberRecordsAfter(int idx, int delta)
{
    for (auto& item : gridItems_)
        if (item->Idx > idx)
            item->Idx += delta;
}

std::unique_ptr<TGridItem> TExStringGrid::MakeRecord(int displayRow, int idx, bool withHeight)
{
    auto item = std::make_unique<TGridItem>();
    item->Idx = idx;
    item->Height = withHeight ? RowHeights(displayRow) : DefaultRowHeight();
    item->Items = store_.ReleaseRow(displayRow);
    return item;
}

void TExStringGrid::HideRows(int fromRow, int toRow)
{
    fromRow = std::max(0, fromRow);
    toRow = std::min(toRow, TotalRowCount() - 1);
    // The rows of the range still shown are consecutive display rows.
    std::vector<int> reals;
    for (int r = fromRow; r <= toRow; ++r)
        if (!IsHiddenRow(r) && DisplRowIndex(r) < RowCount())
            reals.push_back(r);
    if (reals.empty())
        return;
    const int fromDisp = DisplRowIndex(reals.front());
    const int n = static_cast<int>(reals.size());
    if (n >= RowCount())
        return; // the grid keeps one row
    std::vector<std::unique_ptr<TGridItem>> made;
    for (int i = 0; i < n; ++i)
        made.push_back(MakeRecord(fromDisp + i, reals[size_t(i)], true));
    for (auto& item : made)
        InsertRecord(std::move(item));
    const int ci = controlList_.ControlIndex(1, reals.front());
    if (ci >= 0 && View())
        View()->PlaceControl(controlList_.GetControl(ci)->Control, {}, false);
    RemoveRowsCore(fromDisp, n, false);
    CellControlsUpdate();
}

void TExStringGrid::HideRowsEx(int fromRow, int toRow)
{
    if (IsHiddenRow(fromRow))
        return;
    // The heights are kept too, so that showing the rows again gives them back.
    HideRows(fromRow, toRow);
}

void TExStringGrid::UnHideRows(int fromRow, int toRow)
{
    const auto first = std::lower_bound(gridItems_.begin(), gridItems_.end(), fromRow, IdxLess);
    const auto last = std::upper_bound(gridItems_.begin(), gridItems_.end(), toRow, IdxGreater);
    if (first >= last)
        return;
    std::vector<std::unique_ptr<TGridItem>> restored(std::make_move_iterator(first), std::make_move_iterator(last));
    gridItems_.erase(first, last);
    const auto [firstShown, lastShown] = ShowRestoredRows(restored);
    for (int i = 0; i < controlList_.Count(); ++i) {
        const TControlItem* item = controlList_.GetControl(i);
        if (item->Y >= fromRow && item->Y <= toRow && View())
            View()->PlaceControl(item->Control, {}, true);
    }
    CellsChanged({0, firstShown, ColCount() - 1, lastShown});
    CellControlsUpdate();
    Invalidate();
}

std::pair<int, int> TExStringGrid::ShowRestoredRows(std::vector<std::unique_ptr<TGridItem>>& restored)
{
    // Each restored row lands where it shows once the whole set is shown.
    std::vector<std::pair<int, RowHandle>> placed;
    std::vector<std::pair<int, int>> heights;
    for (auto& item : restored) {
        const int pos = item->Idx - RecordsBelow(item->Idx);
        placed.emplace_back(pos, std::move(item->Items));
        heights.emplace_back(pos, item->Height);
    }
    // Twins of one Idx (two filter levels) land one below the other.
    for (size_t i = 1; i < placed.size(); ++i)
        if (placed[i].first <= placed[i - 1].first) {
            placed[i].first = placed[i - 1].first + 1;
            heights[i].first = placed[i].first;
        }
    const int k = static_cast<int>(placed.size());
    store_.InsertHandlesAt(std::move(placed));
    for (const auto& [pos, h] : heights)
        rowHeights_.Insert(pos, 1, h);
    TObjStringGrid::SetRowCount(RowCount() + k);
    SetRowCount(RowCount());
    duplicateIdx_ = 0;
    for (size_t i = 1; i < gridItems_.size(); ++i)
        if (gridItems_[i]->Idx == gridItems_[i - 1]->Idx)
            ++duplicateIdx_;
    return {heights.front().first, heights.back().first};
}

void TExStringGrid::UnHideRowsWhere(const std::function<bool(const TGridItem&)>& pick)
{
    // One pass over the records and one merge of the store, however many
    // runs come back (folded nodes by the thousand).
    std::vector<std::unique_ptr<TGridItem>> restored;
    std::vector<std::unique_ptr<TGridItem>> kept;
    kept.reserve(gridItems_.size());
    for (auto& item : gridItems_)
        (pick(*item) ? restored : kept).push_back(std::move(item));
    if (restored.empty()) {
        gridItems_ = std::move(kept);
        return;
    }
    gridItems_ = std::move(kept);
    const auto [firstShown, lastShown] = ShowRestoredRows(restored);
    if (View())
        for (int i = 0; i < controlList_.Count(); ++i) {
            const TControlItem* item = controlList_.GetControl(i);
            if (!IsHiddenRow(item->Y))
                View()->PlaceControl(item->Control, {}, true);
        }
    CellsChanged({0, firstShown, ColCount() - 1, lastShown});
    CellControlsUpdate();
    Invalidate();
}

void TExStringGrid::UnHideRow(int row)
{
    UnHideRows(row, row);
}

void TExStringGrid::UnHideRowsAll()
{
    while (!gridItems_.empty()) {
        const int first = gridItems_.front()->Idx;
        int last = first;
        for (size_t i = 1; i < gridItems_.size() && gridItems_[i]->Idx <= last + 1; ++i)
            last = gridItems_[i]->Idx;
        UnHideRows(first, last);
    }
}

void TExStringGrid::HideRowList(const TIntList& rows)
{
    std::vector<int> list;
    for (int r : rows.Items())
        if (r >= 0 && r < RowCount() && (list.empty() || r > list.back()))
            list.push_back(r);
    if (list.empty() || static_cast<int>(list.size()) >= RowCount())
        return;
    std::vector<int> heights;
    for (int r : list)
        heights.push_back(RowHeights(r));
    std::vector<RowHandle> handles = store_.ExtractRows(list);
    for (size_t i = 0; i < list.size(); ++i) {
        auto item = std::make_unique<TGridItem>();
        item->Idx = list[i];
        item->Height = heights[i];
        item->Items = std::move(handles[i]);
        item->Level = filterLevel_;
        InsertRecord(std::move(item));
    }
    ++filterLevel_;
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        rowHeights_.Remove(*it, 1);
    const int n = static_cast<int>(list.size());
    TObjStringGrid::SetRowCount(RowCount() - n);
    SetRowCount(RowCount());
    CellControlsUpdate();
    Invalidate();
}

void TExStringGrid::UnHideRowList()
{
    const int level = filterLevel_ - 1;
    // One pass: the level's records move out, the others close up.
    std::vector<std::unique_ptr<TGridItem>> restored;
    for (auto& item : gridItems_)
        if (item->Level == level)
            restored.push_back(std::move(item));
    gridItems_.erase(std::remove(gridItems_.begin(), gridItems_.end(), nullptr), gridItems_.end());
    if (restored.empty())
        return;
    const int k = static_cast<int>(restored.size());
    if (Row() >= RowCount())
        FocusCell(FixedCols(), FixedRows(), true);
    // The records hold the rows' positions in the grid as it stood.
    std::vector<std::pair<int, RowHandle>> placed;
    for (auto& item : restored) {
        const int pos = std::max(item->Idx, placed.empty() ? 0 : placed.back().first + 1);
        rowHeights_.Insert(pos, 1, item->Height);
        placed.emplace_back(pos, std::move(item->Items));
    }
    store_.InsertHandlesAt(std::move(placed));
    TObjStringGrid::SetRowCount(RowCount() + k);
    SetRowCount(RowCount());
    duplicateIdx_ = 0;
    for (size_t i = 1; i < gridItems_.size(); ++i)
        if (gridItems_[i]->Idx == gridItems_[i - 1]->Idx)
            ++duplicateIdx_;
    CellControlsUpdate();
    Invalidate();
}

} // namespace grid
