#include "controls/grid/core/undo_redo.h"

#include "controls/grid/core/ex_string_grid.h"

#include <algorithm>

namespace grid {

TUndoRedo::TUndoRedo() = default;

TUndoRedo::~TUndoRedo()
{
    if (grid_ && grid_->UndoRedo == this)
        grid_->UndoRedo = nullptr;
}

void TUndoRedo::SetGrid(TExStringGrid* grid)
{
    if (grid == grid_)
        return;
    if (grid_ && grid_->UndoRedo == this)
        grid_->UndoRedo = nullptr;
    grid_ = grid;
    if (!grid)
        return;
    if (grid->UndoRedo && grid->UndoRedo != this)
        grid->UndoRedo->grid_ = nullptr;
    grid->UndoRedo = this;
}

void TUndoRedo::GridDestroyed(const TBaseGrid* grid)
{
    if (grid_ && static_cast<const TBaseGrid*>(grid_) == grid)
        grid_ = nullptr;
}

void TUndoRedo::DropUndone()
{
    if (level_ < Count())
        items_.erase(items_.begin() + level_, items_.end());
    if (openSequence_ >= Count())
        openSequence_ = -1; // its start was undone and dropped: the sequence is gone
}

void TUndoRedo::Trim()
{
    while (MaxLevel > 0 && Count() >= MaxLevel) {
        int end = 0; // items of the oldest unit
        if (items_.front().SequenceStart) {
            if (openSequence_ == 0)
                break; // the open sequence stays whole until it closes
            const auto stop = std::find_if(items_.begin(), items_.end(),
                                           [](const TUndoRedoItem& i) { return i.SequenceStop; });
            if (stop == items_.end())
                break;
            end = static_cast<int>(stop - items_.begin()) + 1;
        } else {
            end = 1;
        }
        items_.erase(items_.begin(), items_.begin() + end);
        level_ = std::max(0, level_ - end);
        if (openSequence_ >= 0)
            openSequence_ -= end;
    }
}

void TUndoRedo::Append(TUndoRedoItem item)
{
    items_.push_back(std::move(item));
    level_ = Count();
}

void TUndoRedo::RegisterChange(int col, int row, const QString& oldValue, const QString& newValue)
{
    DropUndone();
    Trim();
    TUndoRedoItem item;
    item.Col = col;
    item.Row = grid_ ? grid_->RealRowIndex(row) : row;
    item.Value = newValue;
    item.OrigValue = oldValue;
    Append(std::move(item));
}

void TUndoRedo::RegisterCheckBoxChange(int col, int row, const QString& oldValue, const QString& newValue)
{
    RegisterChange(col, row, oldValue, newValue);
    items_.back().CheckBoxState = true;
}

void TUndoRedo::StartSequence()
{
    if (nesting_++ > 0)
        return;
    DropUndone();
    TUndoRedoItem marker;
    marker.SequenceStart = true;
    Append(std::move(marker));
    openSequence_ = Count() - 1;
}

void TUndoRedo::StopSequence()
{
    if (nesting_ == 0 || --nesting_ > 0)
        return;
    DropUndone();
    if (openSequence_ < 0)
        return;
    if (openSequence_ == Count() - 1) {
        // Nothing happened inside: no step to undo.
        items_.pop_back();
        level_ = Count();
    } else {
        TUndoRedoItem marker;
        marker.SequenceStop = true;
        Append(std::move(marker));
    }
    openSequence_ = -1;
}

void TUndoRedo::Apply(TUndoRedoItem item, bool undo)
{
    const QString& text = undo ? item.OrigValue : item.Value;
    const Event& event = undo ? OnUndo : OnRedo;
    if (event)
        event(this, grid_, item.Col, item.Row, grid_->AllCells(item.Col, item.Row), text);
    if (!grid_)
        return; // the event released the grid
    if (item.CheckBoxState)
        grid_->SetCheckBoxStateText(item.Col, item.Row, text);
    else
        grid_->SetAllCells(item.Col, item.Row, text);
    if (grid_->IsHiddenRow(item.Row) || grid_->IsHiddenColumn(item.Col))
        return;
    const int col = grid_->DisplColIndex(item.Col);
    const int row = grid_->DisplRowIndex(item.Row);
    if (col >= grid_->FixedCols() && col < grid_->ColCount() && row >= grid_->FixedRows() && row < grid_->RowCount())
        grid_->FocusCell(col, row, true);
}

void TUndoRedo::Undo()
{
    if (!grid_ || level_ <= 0)
        return;
    const TUndoRedoItem top = items_[size_t(level_ - 1)];
    if (top.SequenceStop) {
        --level_;
        while (level_ > 0 && level_ <= Count() && !items_[size_t(level_ - 1)].SequenceStart && grid_) {
            const TUndoRedoItem item = items_[size_t(level_ - 1)];
            --level_;
            Apply(item, true);
        }
        if (level_ > 0)
            --level_; // over the start marker
        if (grid_)
            grid_->Invalidate();
        return;
    }
    --level_;
    if (top.SequenceStart)
        return;
    Apply(top, true);
}

void TUndoRedo::Redo()
{
    if (!grid_ || level_ >= Count())
        return;
    const TUndoRedoItem top = items_[size_t(level_)];
    ++level_;
    if (top.SequenceStart) {
        // The whole sequence, up to its stop marker (or the end of an open one).
        while (level_ < Count() && grid_) {
            const TUndoRedoItem item = items_[size_t(level_)];
            ++level_;
            if (item.SequenceStop)
                break;
            Apply(item, false);
        }
        if (grid_)
            grid_->Invalidate();
        return;
    }
    if (!top.SequenceStop)
        Apply(top, false);
}

void TUndoRedo::Reset()
{
    items_.clear();
    level_ = 0;
    openSequence_ = -1;
    nesting_ = 0;
}

void TUndoRedo::RowsMoved(const std::function<int(int realRow)>& realRow)
{
    for (TUndoRedoItem& item : items_) {
        if (item.IsMarker())
            continue;
        item.Row = realRow(item.Row);
        if (item.Row < 0) {
            Reset();
            return;
        }
    }
}

void TUndoRedo::ColsMoved(const std::function<int(int realCol, int realRow)>& realCol)
{
    for (TUndoRedoItem& item : items_) {
        if (item.IsMarker())
            continue;
        item.Col = realCol(item.Col, item.Row);
        if (item.Col < 0) {
            Reset();
            return;
        }
    }
}

} // namespace grid
