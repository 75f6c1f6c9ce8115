// Mouse input of the header: pressing and clicking buttons (sorting, check boxes, the column chooser),
// resizing a column at its splitter or fitting it by a double click, resizing the header's height at its
// bottom edge, and moving a column by dragging its button.

#include "controls/tree/core/lazy_tree.h"
#include "controls/tree/core/tree_header.h"

#include <cmath>
#include <cstdlib>

namespace lazytree {

namespace {
constexpr THeaderStates kTrackingStates = {
    hsColumnWidthTracking, hsColumnWidthTrackPending, hsHeightTracking, hsHeightTrackPending};
constexpr THeaderStates kInteractionStates = {hsDragging, hsDragPending, hsColumnWidthTracking,
    hsColumnWidthTrackPending, hsHeightTracking, hsHeightTrackPending};
} // namespace

bool TVTHeader::InHeader(TPoint p) const
{
    return Visible() && p.Y >= -height_ && p.Y < 0 && p.X >= 0 && p.X < HeaderWidth();
}

bool TVTHeader::InHeaderSplitterArea(TPoint p) const
{
    return Visible() && p.Y >= -2 && p.Y <= 2 && p.X >= 0 && p.X < HeaderWidth();
}

bool TVTHeader::FindSplitterColumn(TPoint p)
{
    if (columns_.Count() == 0)
        return false;
    columns_.trackIndex_ = NoColumn;
    const int fixedWidth = columns_.GetVisibleFixedWidth();
    const int nearSide = static_cast<int>(std::nearbyint(splitterHitTolerance_ * 0.6));
    const int farSide = splitterHitTolerance_ - nearSide;
    const int offset = tree_.EffectiveOffsetX();
    // Left to right: right edges, from the last column to the first.
    int edge = static_cast<int>(tree_.RangeX()) - offset;
    const std::vector<TColumnIndex>& order = columns_.positionToIndex_;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        TLazyTreeColumn& c = columns_[*it];
        if (!c.IsVisible())
            continue;
        bool hit;
        if (c.IsFixed()) {
            const int e = edge + offset;
            hit = p.X > e - farSide && p.X < e + nearSide;
        } else {
            hit = p.X > fixedWidth && p.X > edge - farSide && p.X < edge + nearSide;
        }
        if (hit && c.options_.Has(coResizable)) {
            bool allowed = true;
            if (OnCanSplitterResizeColumn)
                OnCanSplitterResizeColumn(*this, p, *it, allowed);
            if (allowed) {
                columns_.trackIndex_ = *it;
                trackPoint_ = {edge - c.width_ + (c.IsFixed() ? offset : 0), p.Y};
                return true;
            }
        }
        edge -= c.width_;
    }
    return false;
}

bool TVTHeader::ColumnSplitterHit(TPoint p)
{
    if (!options_.Has(hoColumnResize) || !FindSplitterColumn(p))
        return false;
    if (InHeader(p))
        return true;
    // In the client area only the edge between the fixed block and the scrolling columns, above the last row.
    const TColumnIndex tracked = columns_.trackIndex_;
    const TColumnIndex next = columns_.GetNextVisibleColumn(tracked);
    return p.Y >= 0 && p.Y <= static_cast<int>(tree_.RangeY()) && columns_[tracked].IsFixed() && next >= 0 &&
        !columns_[next].IsFixed();
}

THeaderCursor TVTHeader::CursorAt(TPoint p)
{
    if (states_.HasAny({hsColumnWidthTracking, hsColumnWidthTrackPending}))
        return hcColumnSplitter;
    if (states_.HasAny({hsHeightTracking, hsHeightTrackPending}))
        return hcHeightSplitter;
    if (states_.HasAny(kInteractionStates))
        return hcDefault;
    THeaderCursor cursor = hcDefault;
    if (InHeaderSplitterArea(p) && options_.Has(hoHeightResize)) {
        cursor = hcHeightSplitter;
    } else {
        const TColumnIndex keep = columns_.trackIndex_;
        if (ColumnSplitterHit(p))
            cursor = hcColumnSplitter;
        columns_.trackIndex_ = keep;
    }
    if (OnGetHeaderCursor)
        OnGetHeaderCursor(*this, cursor);
    return cursor;
}

bool TVTHeader::UpdateHoverIndex(TPoint p)
{
    const TColumnIndex column = columns_.ColumnFromPosition(HeaderPoint(p));
    if (column == columns_.hoverIndex_)
        return false;
    RepaintHeader(columns_.hoverIndex_);
    columns_.hoverIndex_ = column;
    RepaintHeader(column);
    return true;
}

TColumnIndex TVTHeader::UpdateDownIndex(TPoint p)
{
    const TPoint hp = HeaderPoint(p);
    const TColumnIndex column = columns_.ColumnFromPosition(hp);
    if (column >= 0 && column != columns_.downIndex_ && columns_[column].options_.HasAll({coAllowClick, coEnabled})) {
        RepaintHeader(columns_.downIndex_);
        columns_.downIndex_ = column;
        const TLazyTreeColumn& c = columns_[column];
        columns_.checkBoxHit_ = c.hasImage_ && c.imageRect_.Contains(hp) && c.checkBox_;
        RepaintHeader(column);
    }
    return column;
}

bool TVTHeader::MouseDown(TMouseButton button, TShiftState shift, TPoint p)
{
    if (button != mbLeft) {
        if (InHeader(p) && OnHeaderMouseDown)
            OnHeaderMouseDown(*this, button, shift, HeaderPoint(p));
        return false;
    }
    if (tree_.View())
        tree_.View()->CancelHint();
    dragStart_ = p;
    const bool inHeader = InHeader(p);
    bool handled = false;
    if (InHeaderSplitterArea(p) && options_.Has(hoHeightResize)) {
        trackStart_ = p;
        columns_.hoverIndex_ = NoColumn;
        if (OnBeforeHeaderHeightTracking)
            OnBeforeHeaderHeightTracking(*this, shift);
        states_.Include(hsHeightTrackPending);
        SetMouseCapture(true);
        handled = true;
    } else if (ColumnSplitterHit(p)) {
        trackStart_ = p;
        columns_.hoverIndex_ = NoColumn;
        if (OnBeforeColumnWidthTracking)
            OnBeforeColumnWidthTracking(*this, columns_.trackIndex_, shift);
        states_.Include(hsColumnWidthTrackPending);
        SetMouseCapture(true);
        handled = true;
    } else if (inHeader) {
        const TColumnIndex column = UpdateDownIndex(p);
        if (options_.Has(hoDrag) && column >= 0 && columns_[column].options_.Has(coDraggable)) {
            states_.Include(hsDragPending);
            SetMouseCapture(true);
        }
        handled = true;
    }
    // Every press in the header is reported, whatever it started.
    if (inHeader && OnHeaderMouseDown)
        OnHeaderMouseDown(*this, mbLeft, shift, HeaderPoint(p));
    return handled;
}

bool TVTHeader::MouseMove(TShiftState shift, TPoint p)
{
    if (states_.Has(hsColumnWidthTrackPending)) {
        states_.Exclude(hsColumnWidthTrackPending);
        states_.Include(hsColumnWidthTracking);
    } else if (states_.Has(hsHeightTrackPending)) {
        states_.Exclude(hsHeightTrackPending);
        states_.Include(hsHeightTracking);
    }
    if (states_.Has(hsColumnWidthTracking)) {
        const TColumnIndex index = columns_.trackIndex_;
        if (!columns_.IsValidColumn(index))
            return true;
        bool allowed = true;
        if (OnColumnWidthTracking)
            OnColumnWidthTracking(*this, index, shift, trackPoint_, p, allowed);
        if (!allowed || !columns_.IsValidColumn(index))
            return true;
        TLazyTreeColumn& tracked = columns_[index];
        const int width = p.X - trackPoint_.X;
        const TColumnIndex next = columns_.GetNextVisibleColumn(index);
        if (options_.Has(hoAutoResize) && index == EffectiveAutoSizeIndex() && next >= 0 &&
            columns_[next].options_.Has(coResizable) && tracked.minWidth_ < width && width < tracked.maxWidth_)
            columns_[next].SetWidth(columns_[next].width_ + tracked.width_ - width);
        else
            tracked.SetWidth(width);
        return true;
    }
    if (states_.Has(hsHeightTracking)) {
        bool allowed = true;
        if (OnHeaderHeightTracking)
            OnHeaderHeightTracking(*this, p, shift, allowed);
        if (allowed)
            SetHeight(height_ + p.Y);
        return true;
    }
    if (states_.Has(hsDragPending)) {
        const TColumnIndex pressed = columns_.downIndex_;
        bool allowed = options_.Has(hoDrag) && pressed >= 0;
        if (allowed && OnHeaderDragging)
            OnHeaderDragging(*this, pressed, allowed);
        const int threshold = tree_.View() ? tree_.View()->DragThreshold() : 5;
        if (!allowed || (std::abs(p.X - dragStart_.X) <= threshold && std::abs(p.Y - dragStart_.Y) <= threshold))
            return false;
        RepaintHeader(pressed);
        columns_.downIndex_ = NoColumn;
        columns_.hoverIndex_ = NoColumn;
        columns_.dropTarget_ = NoColumn;
        columns_.dragIndex_ = columns_.ColumnFromPosition(HeaderPoint(dragStart_));
        states_.Exclude(hsDragPending);
        states_.Include(hsDragging);
        TrackColumnDrag(p);
        return true;
    }
    if (states_.Has(hsDragging)) {
        TrackColumnDrag(p);
        return true;
    }
    if (InHeader(p)) {
        if (OnHeaderMouseMove)
            OnHeaderMouseMove(*this, shift, HeaderPoint(p));
        if (options_.Has(hoHotTrack))
            UpdateHoverIndex(p);
    }
    return false;
}

void TVTHeader::TrackColumnDrag(TPoint p)
{
    int left = 0, right = 0;
    const TPoint hp = HeaderPoint(p);
    const TColumnIndex column = hp.X < 0 ? InvalidColumn : columns_.ColumnAtWithBounds(hp.X, left, right, true);
    bool repaint = column >= 0 && column != columns_.dropTarget_;
    if (column >= 0 && (p.X < (left + right) / 2) != columns_.dropBefore_) {
        columns_.dropBefore_ = !columns_.dropBefore_;
        repaint = true;
    }
    if (repaint) {
        RepaintHeader(columns_.dropTarget_);
        columns_.dropTarget_ = NoColumn;
        if (column >= 0) {
            columns_.dropTarget_ = column;
            RepaintHeader(column);
        }
    }
    dragPoint_ = p;
    RepaintHeader(NoColumn);
}

bool TVTHeader::MouseUp(TMouseButton button, TShiftState shift, TPoint p)
{
    if (button == mbRight) {
        if (tree_.View())
            tree_.View()->CancelHint();
        if (!InHeader(p))
            return false;
        const bool chooser = options_.Has(hoAutoColumnPopupMenu);
        ProcessHeaderClick(p, mbRight, false, true, shift);
        if (OnHeaderMouseUp)
            OnHeaderMouseUp(*this, mbRight, shift, HeaderPoint(p));
        columns_.downIndex_ = columns_.trackIndex_ = NoColumn;
        columns_.checkBoxHit_ = false;
        if (chooser)
            return true;
        const TColumnIndex column = columns_.ColumnFromPosition(HeaderPoint(p));
        if (PopupHeaderMenu(column, p)) {
            columns_.hoverIndex_ = NoColumn;
            return true;
        }
        return false;
    }
    if (button == mbMiddle) {
        if (InHeader(p)) {
            ProcessHeaderClick(p, mbMiddle, false, true, shift);
            if (OnHeaderMouseUp)
                OnHeaderMouseUp(*this, mbMiddle, shift, HeaderPoint(p));
        }
        columns_.downIndex_ = NoColumn;
        columns_.checkBoxHit_ = false;
        return false;
    }
    const bool hadState = states_.HasAny(kInteractionStates);
    if (hadState)
        SetMouseCapture(false);
    if (states_.Has(hsDragging)) {
        const TColumnIndex dragged = columns_.dragIndex_;
        const TColumnIndex target = columns_.dropTarget_;
        const bool inWindow = p.X >= 0 && p.X < tree_.ClientWidth() && p.Y >= -height_ && p.Y < tree_.ClientHeight();
        if (target >= 0 && target != dragged && columns_.IsValidColumn(dragged) && inWindow) {
            const uint32_t oldPosition = columns_[dragged].position_;
            const uint32_t targetPosition = columns_[target].position_;
            uint32_t position;
            if (columns_.dropBefore_)
                position = oldPosition < targetPosition ? targetPosition - 1 : targetPosition;
            else
                position = oldPosition < targetPosition ? targetPosition : targetPosition + 1;
            columns_[dragged].SetPosition(position);
            if (OnHeaderDragged)
                OnHeaderDragged(*this, dragged, oldPosition);
        } else if (OnHeaderDraggedOut) {
            OnHeaderDraggedOut(*this, dragged, p);
        }
        columns_.dropTarget_ = NoColumn;
        columns_.dragIndex_ = NoColumn;
        states_ -= kInteractionStates;
        RepaintHeader(NoColumn);
        return true;
    }
    const bool inHeader = InHeader(p);
    if (inHeader && !states_.HasAny(kTrackingStates))
        ProcessHeaderClick(p, mbLeft, false, false, shift);
    if ((inHeader || hadState) && OnHeaderMouseUp)
        OnHeaderMouseUp(*this, mbLeft, shift, HeaderPoint(p));
    FireAfterTracking();
    if (columns_.trackIndex_ >= 0) {
        RepaintHeader(columns_.trackIndex_);
        columns_.trackIndex_ = NoColumn;
    }
    if (columns_.downIndex_ >= 0) {
        RepaintHeader(columns_.downIndex_);
        columns_.downIndex_ = NoColumn;
    }
    columns_.checkBoxHit_ = false;
    states_ -= kInteractionStates;
    return hadState;
}

bool TVTHeader::DoubleClick(TMouseButton button, TShiftState shift, TPoint p)
{
    // The bottom edge restores the default height.
    if (options_.Has(hoHeightDblClickResize) && InHeaderSplitterArea(p) && defaultHeight_ > 0) {
        SetHeight(defaultHeight_);
        return true;
    }
    if (button == mbLeft && options_.Has(hoDblClickResize) && ColumnSplitterHit(p) && columns_.trackIndex_ >= 0) {
        const int position = static_cast<int>(columns_[columns_.trackIndex_].position_);
        columns_.trackIndex_ = NoColumn;
        AutoFitColumns(true, smaUseColumnOption, position, position);
        return true;
    }
    if (InHeader(p)) {
        if (button == mbLeft)
            UpdateDownIndex(p);
        ProcessHeaderClick(p, button, true, true, shift);
        return true;
    }
    return false;
}

void TVTHeader::FireAfterTracking()
{
    if (states_.Has(hsColumnWidthTracking) && OnAfterColumnWidthTracking)
        OnAfterColumnWidthTracking(*this, columns_.trackIndex_);
    if (states_.Has(hsHeightTracking) && OnAfterHeaderHeightTracking)
        OnAfterHeaderHeightTracking(*this);
}

bool TVTHeader::CancelInteraction()
{
    if (!states_.HasAny(kInteractionStates))
        return false;
    SetMouseCapture(false);
    if (!states_.Has(hsDragging))
        FireAfterTracking();
    states_ -= kInteractionStates;
    columns_.dropTarget_ = NoColumn;
    columns_.dragIndex_ = NoColumn;
    columns_.trackIndex_ = NoColumn;
    columns_.downIndex_ = NoColumn;
    RepaintHeader(NoColumn);
    return true;
}

void TVTHeader::MouseLeft()
{
    if (states_.HasAny(kInteractionStates))
        return;
    if (columns_.hoverIndex_ != NoColumn || columns_.downIndex_ != NoColumn) {
        columns_.hoverIndex_ = columns_.downIndex_ = columns_.clickIndex_ = NoColumn;
        columns_.checkBoxHit_ = false;
        RepaintHeader(NoColumn);
    }
}

void TVTHeader::ProcessHeaderClick(TPoint p, TMouseButton button, bool dblClick, bool force, TShiftState shift)
{
    const TPoint hp = HeaderPoint(p);
    const TColumnIndex column = columns_.ColumnFromPosition(hp);
    TVTHeaderHitInfo info;
    info.X = hp.X;
    info.Y = hp.Y;
    info.Button = button;
    info.Shift = shift;
    if (dblClick)
        info.Shift.Include(ssDouble);
    bool checkBoxHit = false;
    if (column >= 0 && columns_[column].options_.Has(coAllowClick) && (force || column == columns_.downIndex_)) {
        TLazyTreeColumn& c = columns_[column];
        columns_.clickIndex_ = column;
        info.Column = column;
        info.HitPosition = {hhiOnColumn};
        if (c.hasImage_ && c.imageRect_.Contains(hp)) {
            info.HitPosition.Include(hhiOnIcon);
            if (c.checkBox_) {
                info.HitPosition.Include(hhiOnCheckbox);
                checkBoxHit = true;
                if (button == mbLeft)
                    c.SetCheckState(TBaseLazyTree::NextCheckStateFor(c.checkType_, c.checkState_));
            }
        }
    } else {
        columns_.clickIndex_ = NoColumn;
        info.HitPosition = {hhiNoWhere};
    }
    if (dblClick) {
        if (OnHeaderDblClick)
            OnHeaderDblClick(*this, info);
    } else {
        if (options_.Has(hoHeaderClickAutoSort) && button == mbLeft && !checkBoxHit && info.Column >= 0) {
            if (sortColumn_ == info.Column) {
                SetSortDirection(sortDirection_ == sdAscending ? sdDescending : sdAscending);
            } else {
                // The direction first, so that the tree is sorted once.
                sortDirection_ = columns_[info.Column].defaultSortDirection_;
                ApplySortColumn(info.Column);
            }
        }
        if (button == mbRight && options_.Has(hoAutoColumnPopupMenu))
            PopupColumnChooser(p);
        if (OnHeaderClick)
            OnHeaderClick(*this, info);
    }
    if (info.Column >= 0)
        RepaintHeader(info.Column);
}

} // namespace lazytree
