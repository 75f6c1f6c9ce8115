// Scrolling by the user: the wheel, the scroll bars, automatic scrolling near the edges, wheel panning and the
// incremental search; and the control's focus, size, enter, leave and cancel messages.

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>
#include <cmath>

namespace lazytree {

// ---- Control messages ------------------------------------------------------------------------------------

void TBaseLazyTree::Resized()
{
    if (!view_ || states_.HasAny({tsSizing, tsWindowCreating}) || ClientHeight() < 1)
        return;
    ChangeTreeStates({tsSizing}, {});
    try {
        UpdateScrollBars(true);
        if (states_.Has(tsEditing) && !Header().UseColumns())
            PlaceEditor();
    } catch (...) {
        ChangeTreeStates({}, {tsSizing});
        throw;
    }
    ChangeTreeStates({}, {tsSizing});
}

void TBaseLazyTree::FocusGained()
{
    if (!(selectionCount_ == 0 && options_->PaintOptions().Has(toGhostedIfUnfocused)))
        Invalidate();
}

void TBaseLazyTree::FocusLost()
{
    if (states_.Has(tsHint)) {
        if (view_)
            view_->CancelHint();
        ChangeTreeStates({}, {tsHint});
    }
    EndWheelPanning();
    for (int id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer})
        KillTreeTimer(id);
    searchBuffer_.clear();
    lastSearchNode_ = nullptr;
    ChangeTreeStates({}, {tsEditPending, tsNodeHeightTracking, tsNodeHeightTrackPending, tsIncrementalSearching,
                             tsLeftButtonDown, tsMiddleButtonDown, tsOLEDragPending, tsRightButtonDown, tsScrolling,
                             tsScrollPending, tsVCLDragPending});
    if (selectionCount_ == 0 && options_->PaintOptions().Has(toGhostedIfUnfocused))
        InvalidateNode(focusedNode_);
    else
        Invalidate();
}

void TBaseLazyTree::CancelMode()
{
    for (int id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer, ThemeChangedTimer})
        KillTreeTimer(id);
    searchBuffer_.clear();
    lastSearchNode_ = nullptr;
    ChangeTreeStates({}, {tsClearPending, tsDrawSelPending, tsDrawSelecting, tsEditPending, tsIncrementalSearching,
                             tsOLEDragPending, tsVCLDragPending});
}

void TBaseLazyTree::ContextMenuRequested()
{
    ChangeTreeStates({}, {tsClearPending, tsEditPending, tsOLEDragPending, tsVCLDragPending});
}

void TBaseLazyTree::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TBaseLazyTree::MouseLeave()
{
    if (view_)
        view_->CancelHint();
    ChangeTreeStates({}, {tsHint});
    if (!states_.HasAny({tsWheelPanning, tsWheelScrolling})) {
        KillTreeTimer(ScrollTimer);
        ChangeTreeStates({}, {tsScrolling, tsScrollPending});
    }
    if (PLazyNode hot = currentHotNode_) {
        FireHotChange(hot, nullptr);
        if (options_->PaintOptions().Has(toHotTrack) || options_->MiscOptions().Has(toCheckSupport))
            InvalidateNode(hot);
        currentHotNode_ = nullptr;
    }
    hotNodeButtonHit_ = false;
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// ---- Wheel and scroll bars -------------------------------------------------------------------------------

bool TBaseLazyTree::MouseWheel(int delta, TShiftState shift)
{
    EndWheelPanning();
    const double notches = delta / 120.0;
    const int lines = view_ ? view_->WheelScrollLines() : 3;
    const bool ctrl = shift.Has(ssCtrl);
    if (static_cast<int>(rangeY_) > ClientHeight() && !shift.Has(ssShift)) {
        double d;
        if (ctrl || lines == -1)
            d = ClientHeight() * notches;
        else
            d = lines * notches * static_cast<double>(defaultNodeHeight_);
        SetOffsetY(offsetY_ + static_cast<int>(std::trunc(d)));
    } else {
        double d;
        if (ctrl)
            d = (ClientWidth() - Header().VisibleFixedWidth()) * notches;
        else
            d = HeaderScrollWidth() * (lines * notches);
        const int direction = UseRightToLeftReading() ? -1 : 1;
        SetOffsetX(offsetX_ + direction * static_cast<int>(std::trunc(d)));
    }
    return true;
}

void TBaseLazyTree::ScrollBarMoved(TScrollBarKind bar, int position, bool tracking)
{
    if (tracking)
        ChangeTreeStates({tsThumbTracking}, {});
    if (bar == sbVertical) {
        SetOffsetY(-position);
    } else if (UseRightToLeftReading()) {
        SetOffsetX(ClientWidth() + position - static_cast<int>(rangeX_));
    } else {
        SetOffsetX(-position);
    }
}

void TBaseLazyTree::ScrollBarReleased(TScrollBarKind bar)
{
    ChangeTreeStates({}, {tsThumbTracking});
    if (bar == sbVertical)
        UpdateScrollBars(true);
    else
        UpdateHorizontalScrollBar(false);
}

// ---- Automatic scrolling ---------------------------------------------------------------------------------

TScrollDirections TBaseLazyTree::ComputeScrollDirections(int x, int y)
{
    TScrollDirections result;
    if (!AutoScrollAllowed())
        return result;
    if (states_.HasAny({tsWheelPanning, tsWheelScrolling})) {
        if (x - lastClickPos_.X < -8)
            result.Include(sdLeft);
        if (x - lastClickPos_.X > 8)
            result.Include(sdRight);
        if (y - lastClickPos_.Y < -8)
            result.Include(sdUp);
        if (y - lastClickPos_.Y > 8)
            result.Include(sdDown);
        return result;
    }
    const int zone = static_cast<int>(defaultNodeHeight_);
    const int width = ClientWidth();
    const int height = ClientHeight();
    if (x < zone && effectiveOffsetX_ != 0)
        result.Include(sdLeft);
    if (width + effectiveOffsetX_ < static_cast<int>(rangeX_) && x > width - zone)
        result.Include(sdRight);
    if (y < zone && offsetY_ != 0)
        result.Include(sdUp);
    if (height - offsetY_ < static_cast<int>(rangeY_) && y > height - zone)
        result.Include(sdDown);
    if (!result.Empty() && IsDropTarget() && clock_) {
        if (dragScrollStart_ == 0)
            dragScrollStart_ = clock_->Milliseconds();
        if (clock_->Milliseconds() - dragScrollStart_ < autoScrollDelay_)
            result = {};
    }
    return result;
}

void TBaseLazyTree::UpdateAutoScroll(int x, int y)
{
    scrollDirections_ = ComputeScrollDirections(x, y);
    if (states_.HasAny({tsWheelPanning, tsWheelScrolling}))
        return;
    if (!scrollDirections_.Empty()) {
        if (!states_.HasAny({tsScrollPending, tsScrolling})) {
            ChangeTreeStates({tsScrollPending}, {});
            StartTreeTimer(ScrollTimer, autoScrollDelay_);
        }
    } else if (states_.HasAny({tsScrollPending, tsScrolling})) {
        KillTreeTimer(ScrollTimer);
        ChangeTreeStates({}, {tsScrollPending, tsScrolling});
    }
}

void TBaseLazyTree::AutoScrollStep()
{
    TPoint c;
    const bool known = view_ && view_->CursorPosition(c);
    const int width = ClientWidth();
    const int height = ClientHeight();
    const bool inRect = known && c.X >= 0 && c.Y >= 0 && c.X < width && c.Y < height;
    const bool panning = states_.HasAny({tsWheelPanning, tsWheelScrolling});
    const bool band = IsMouseSelecting();
    if (known && (band || inRect || panning)) {
        int deltaX = 0;
        int deltaY = 0;
        const int incrementY = std::min<int>(scrollBarOptions_.VerticalIncrement, height);
        const int incrementX = scrollBarOptions_.HorizontalIncrement;
        if (scrollDirections_.Has(sdUp)) {
            if (panning)
                deltaY = lastClickPos_.Y - c.Y - 8;
            else if (inRect)
                deltaY = incrementY;
            else
                deltaY = incrementY * std::max(1, -c.Y);
            if (offsetY_ == 0)
                scrollDirections_.Exclude(sdUp);
        }
        if (scrollDirections_.Has(sdDown)) {
            if (panning)
                deltaY = lastClickPos_.Y - c.Y + 8;
            else if (inRect)
                deltaY = -incrementY;
            else
                deltaY = -incrementY * std::max(1, c.Y - height + 1);
            if (height - offsetY_ == static_cast<int>(rangeY_))
                scrollDirections_.Exclude(sdDown);
        }
        if (scrollDirections_.Has(sdLeft)) {
            if (panning)
                deltaX = lastClickPos_.X - c.X - 8;
            else if (inRect)
                deltaX = incrementX;
            else
                deltaX = incrementX * std::max(1, -c.X);
            if (effectiveOffsetX_ == 0)
                scrollDirections_.Exclude(sdLeft);
        }
        if (scrollDirections_.Has(sdRight)) {
            if (panning)
                deltaX = lastClickPos_.X - c.X + 8;
            else if (inRect)
                deltaX = -incrementX;
            else
                deltaX = -incrementX * std::max(1, c.X - width + 1);
            if (width + effectiveOffsetX_ == static_cast<int>(rangeX_))
                scrollDirections_.Exclude(sdRight);
        }
        if (UseRightToLeftReading())
            deltaX = -deltaX;
        if (band) {
            TRect clip{deltaX, deltaY, width + deltaX, height + deltaY};
            SetScrollOffset({offsetX_ + deltaX, offsetY_ + deltaY}, kAllScrollUpdateOptions, &clip);
            if (UpdateBandRect(c.X, c.Y))
                UpdateBandSelection();
            Invalidate();
        } else if (!IsDropTarget() && (deltaX != 0 || deltaY != 0)) {
            SetScrollOffset({offsetX_ + deltaX, offsetY_ + deltaY}, kAllScrollUpdateOptions, nullptr);
        }
        if (view_)
            view_->UpdateWindow();
    }
    if (scrollDirections_.Empty() && !panning) {
        KillTreeTimer(ScrollTimer);
        ChangeTreeStates({}, {tsScrollPending, tsScrolling});
    }
}

// ---- Wheel panning ---------------------------------------------------------------------------------------

void TBaseLazyTree::BeginWheelPanning(TPoint position)
{
    KillTreeTimer(ScrollTimer);
    ChangeTreeStates({tsWheelPanning, tsWheelScrolling}, {});
    if (view_) {
        const bool wide = static_cast<int>(rangeX_) > ClientWidth();
        const bool tall = static_cast<int>(rangeY_) > ClientHeight();
        view_->ShowPanningWindow(position, ChoosePanningImage(wide, tall));
        view_->SetFocus();
        view_->SetMouseCapture(true);
    }
    StartTreeTimer(ScrollTimer, 20);
}

void TBaseLazyTree::EndWheelPanning()
{
    if (!states_.HasAny({tsWheelPanning, tsWheelScrolling}))
        return;
    KillTreeTimer(ScrollTimer);
    ChangeTreeStates({}, {tsWheelPanning, tsWheelScrolling});
    if (view_) {
        view_->SetMouseCapture(false);
        view_->HidePanningWindow();
    }
}

void TBaseLazyTree::UpdatePanningCursor(int x, int y)
{
    if (!view_)
        return;
    const bool wide = static_cast<int>(rangeX_) > ClientWidth();
    const bool tall = static_cast<int>(rangeY_) > ClientHeight();
    view_->SetPanningCursor(ChoosePanningCursor(x - lastClickPos_.X, y - lastClickPos_.Y, wide, tall));
}

// ---- Incremental search ----------------------------------------------------------------------------------

void TBaseLazyTree::SetIncrementalSearch(TVTIncrementalSearch value)
{
    if (value == incrementalSearch_)
        return;
    incrementalSearch_ = value;
    if (value == isNone) {
        KillTreeTimer(SearchTimer);
        searchBuffer_.clear();
        lastSearchNode_ = nullptr;
    }
}

int TBaseLazyTree::FireIncrementalSearch(PLazyNode node, const std::u32string& text)
{
    int result = 0;
    if (OnIncrementalSearch)
        OnIncrementalSearch(this, node, text, result);
    return result;
}

void TBaseLazyTree::IncrementalSearchKey(char32_t character)
{
    KillTreeTimer(SearchTimer);
    if (incrementalSearch_ == isNone)
        return;
    if (character != 0) {
        ChangeTreeStates({tsIncrementalSearching}, {});
        const bool backSpace = character == 8;
        if (!(backSpace && searchBuffer_.empty())) {
            PLazyNode start = nullptr;
            switch (searchStart_) {
            case ssAlwaysStartOver:
                break;
            case ssLastHit:
                start = lastSearchNode_;
                break;
            case ssFocusedNode:
                start = focusedNode_;
                break;
            }
            if (start && incrementalSearch_ == isInitializedOnly && !start->States.Has(vsInitialized))
                start = nullptr;
            if (start && incrementalSearch_ == isVisibleOnly &&
                (!FullyVisible(start) || IsEffectivelyFiltered(start)))
                start = nullptr;
            const PLazyNode startNode = start;
            TVTSearchDirection direction = searchDirection_;
            if (backSpace)
                direction = direction == sdForward ? sdBackward : sdForward;
            const bool forward = direction == sdForward;

            bool repeat = !backSpace && searchBuffer_.size() == 1 && searchBuffer_[0] == character;
            if (repeat && FireIncrementalSearch(start, searchBuffer_ + character) == 0)
                repeat = false;

            const auto first = [&]() -> PLazyNode {
                switch (incrementalSearch_) {
                case isAll:
                    return forward ? GetFirst() : GetLast();
                case isInitializedOnly:
                    return forward ? GetFirstNoInit() : GetLastNoInit();
                default:
                    return forward ? GetFirstVisible(nullptr, true) : GetLastVisible(nullptr, true);
                }
            };
            const auto step = [&](PLazyNode n) -> PLazyNode {
                switch (incrementalSearch_) {
                case isAll:
                    return forward ? GetNext(n) : GetPrevious(n);
                case isInitializedOnly:
                    return forward ? GetNextNoInit(n) : GetPreviousNoInit(n);
                default:
                    return forward ? GetNextVisible(n, true) : GetPreviousVisible(n, true);
                }
            };

            PLazyNode node = start;
            if (searchBuffer_.empty() || !node || repeat || backSpace) {
                node = node ? step(node) : nullptr;
                if (!node)
                    node = first();
            }

            std::u32string text;
            if (repeat) {
                text = searchBuffer_;
            } else if (backSpace) {
                searchBuffer_.pop_back();
                text = searchBuffer_;
            } else {
                text = searchBuffer_ + character;
            }

            // Round the tree once, wrapping at its end, until the start comes round again.
            PLazyNode found = nullptr;
            for (uint32_t guard = root_->TotalCount + 1; node && guard > 0; --guard) {
                if (FireIncrementalSearch(node, text) == 0) {
                    found = node;
                    break;
                }
                PLazyNode next = step(node);
                if (!next && startNode)
                    next = first();
                node = next;
                if (node == startNode)
                    break;
            }
            if (found) {
                ClearSelection();
                searchBuffer_ = text;
                lastSearchNode_ = found;
                SetFocusedNode(found);
                SetSelected(found, true);
            } else if (node && FireIncrementalSearch(node, text) != 0 && view_) {
                view_->Beep();
            }
        }
    }
    StartTreeTimer(SearchTimer, searchTimeout_);
}

} // namespace lazytree
