// Mouse input: the button messages, press, release and double click on a hit, moves (band selection, node
// height tracking, drag start, hot node) and the in-row hit classification.

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>
#include <cstdlib>

namespace lazytree {

namespace {

TLazyTreeStates ButtonDownState(TMouseButton button)
{
    switch (button) {
    case mbLeft:
        return {tsLeftButtonDown};
    case mbRight:
        return {tsRightButtonDown};
    case mbMiddle:
        return {tsMiddleButtonDown};
    }
    return {};
}

TShiftStateElement ButtonShift(TMouseButton button)
{
    return button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle;
}

} // namespace

// ---- In-row classification -------------------------------------------------------------------------------

TRowHitLayout TBaseLazyTree::RowHitLayoutFor(PLazyNode node, TColumnIndex column)
{
    TRowHitLayout row;
    const TVTPaintOptions paint = options_->PaintOptions();
    row.MainColumn = column == Header().MainColumn();
    if (row.MainColumn) {
        if (paint.Has(toFixedIndent))
            row.Indent = static_cast<int>(indent_);
        else
            row.Indent = static_cast<int>(indent_ * (GetNodeLevel(node) + (paint.Has(toShowRoot) ? 1 : 0)));
    }
    row.IndentStep = static_cast<int>(indent_);
    row.Margin = margin_;
    row.ShowButton = paint.Has(toShowButtons) && node->States.Has(vsHasChildren);
    row.ButtonWidth = ImageSize(isButtonImage).cx;
    row.ReportMode = options_->MiscOptions().Has(toReportMode);
    const TSize check = ImageSize(isCheckImages);
    row.CheckArea =
        row.MainColumn && options_->MiscOptions().Has(toCheckSupport) && check.cx > 0 && node->CheckType != ctNone;
    row.CheckWidth = check.cx;
    const TSize state = ImageSize(isStateImages);
    if (state.cx > 0 && NodeHasImage(node, ikState, column))
        row.StateWidth = state.cx;
    const TSize normal = ImageSize(isNormalImages);
    if (normal.cx > 0 && NodeHasImage(node, ikNormal, column))
        row.NormalWidth = normal.cx;
    return row;
}

void TBaseLazyTree::ClassifyHitLeftToRight(THitInfo& hitInfo, int x, int right, TAlignment alignment)
{
    const TRowHitLayout row = RowHitLayoutFor(hitInfo.HitNode, hitInfo.HitColumn);
    ClassifyRowHitLeftToRight(row, x, right, alignment,
        [&] { return NodeContentWidth(hitInfo.HitNode, hitInfo.HitColumn); }, hitInfo.HitPositions);
}

void TBaseLazyTree::ClassifyHitRightToLeft(THitInfo& hitInfo, int x, int right, TAlignment alignment)
{
    const TRowHitLayout row = RowHitLayoutFor(hitInfo.HitNode, hitInfo.HitColumn);
    ClassifyRowHitRightToLeft(row, x, right, alignment,
        [&] { return NodeContentWidth(hitInfo.HitNode, hitInfo.HitColumn); }, hitInfo.HitPositions);
}

TCheckState TBaseLazyTree::NextCheckStateFor(TCheckType checkType, TCheckState checkState)
{
    switch (checkType) {
    case ctTriStateCheckBox:
    case ctCheckBox:
        if (checkState == csMixedNormal || checkState == csMixedPressed)
            return csCheckedNormal;
        return ToggledForm[checkState];
    case ctRadioButton:
        return csCheckedNormal;
    case ctButton:
        return csUncheckedNormal;
    default:
        return checkState;
    }
}

// ---- Button messages -------------------------------------------------------------------------------------

void TBaseLazyTree::ClearStalePressStates()
{
    // Whatever a release would have finished: the release of the previous press never arrived.
    KillTreeTimer(ScrollTimer);
    if (states_.Has(tsMouseCheckPending) && checkNode_) {
        checkNode_->CheckState = NormalForm[checkNode_->CheckState];
        InvalidateNode(checkNode_);
        checkNode_ = nullptr;
    }
    const bool band = IsMouseSelecting();
    ChangeTreeStates({}, {tsLeftButtonDown, tsRightButtonDown, tsMiddleButtonDown, tsClearPending,
                             tsToggleFocusedSelection, tsDrawSelPending, tsDrawSelecting, tsMouseCheckPending,
                             tsOLEDragPending, tsVCLDragPending, tsScrolling, tsScrollPending,
                             tsNodeHeightTrackPending, tsNodeHeightTracking});
    if (band)
        Invalidate();
}

void TBaseLazyTree::MouseButtonDown(TMouseButton button, TShiftState shift, int x, int y)
{
    // No other button is held, so any press state still set belongs to a press whose release was lost.
    const TShiftState buttons = TShiftState{ssLeft, ssRight, ssMiddle} - TShiftState{ButtonShift(button)};
    if (!shift.HasAny(buttons))
        ClearStalePressStates();
    shift.Include(ButtonShift(button));
    ChangeTreeStates(ButtonDownState(button), {});
    const TMouseMessage message{button, shift, x, y};
    THitInfo hitInfo;
    const auto& selection = options_->SelectionOptions();
    switch (button) {
    case mbLeft:
        GetHitTestInfoAt(x, y, true, hitInfo);
        ProcessMouseDown(message, hitInfo);
        break;
    case mbRight:
        if (selection.Has(toRightClickSelect)) {
            GetHitTestInfoAt(x, y, true, hitInfo);
            ProcessMouseDown(message, hitInfo);
        }
        break;
    case mbMiddle:
        if (options_->MiscOptions().Has(toWheelPanning) &&
            !states_.HasAny({tsWheelPanning, tsWheelScrolling}) &&
            (static_cast<int>(rangeX_) > ClientWidth() || static_cast<int>(rangeY_) > ClientHeight())) {
            lastClickPos_ = {x, y};
            BeginWheelPanning({x, y});
            return;
        }
        EndWheelPanning();
        if (selection.Has(toMiddleClickSelect)) {
            GetHitTestInfoAt(x, y, true, hitInfo);
            ProcessMouseDown(message, hitInfo);
        }
        break;
    }
}

void TBaseLazyTree::MouseButtonUp(TMouseButton button, TShiftState shift, int x, int y)
{
    const TMouseMessage message{button, shift, x, y};
    THitInfo hitInfo;
    const auto& selection = options_->SelectionOptions();
    switch (button) {
    case mbLeft:
        ChangeTreeStates({}, {tsNodeHeightTracking, tsNodeHeightTrackPending, tsLeftButtonDown});
        GetHitTestInfoAt(x, y, true, hitInfo);
        ProcessMouseUp(message, hitInfo);
        break;
    case mbRight:
        ChangeTreeStates({}, {tsRightButtonDown, tsPopupMenuShown});
        if (view_)
            view_->CancelHint();
        if (IsMouseSelecting() && view_ && view_->HasPopupMenu()) {
            ChangeTreeStates({}, {tsDrawSelPending, tsDrawSelecting});
            Invalidate();
        }
        GetHitTestInfoAt(x, y, true, hitInfo);
        if (selection.Has(toRightClickSelect))
            ProcessMouseUp(message, hitInfo);
        if (!view_ || !view_->HasPopupMenu())
            ShowNodePopupMenu(hitInfo.HitNode, hitInfo.HitColumn, {x, y});
        break;
    case mbMiddle:
        ChangeTreeStates({}, {tsMiddleButtonDown});
        if (states_.HasAny({tsWheelPanning, tsWheelScrolling})) {
            // A click starts panning that goes on until the next click; a drag pans only while held.
            if (states_.Has(tsWheelScrolling))
                ChangeTreeStates({}, {tsWheelPanning});
            else
                EndWheelPanning();
            return;
        }
        if (selection.Has(toMiddleClickSelect)) {
            GetHitTestInfoAt(x, y, true, hitInfo);
            ProcessMouseUp(message, hitInfo);
        }
        break;
    }
}

void TBaseLazyTree::MouseButtonDoubleClick(TMouseButton button, TShiftState shift, int x, int y)
{
    shift.Include(ButtonShift(button));
    shift.Include(ssDouble);
    const TMouseMessage message{button, shift, x, y};
    const auto& selection = options_->SelectionOptions();
    const TLazyTreeStates state = button == mbLeft ? TLazyTreeStates{tsLeftDblClick}
        : button == mbRight                        ? TLazyTreeStates{tsRightDblClick}
                                                   : TLazyTreeStates{tsMiddleDblClick};
    const bool handled = button == mbLeft || (button == mbRight && selection.Has(toRightClickSelect)) ||
        (button == mbMiddle && selection.Has(toMiddleClickSelect));
    ChangeTreeStates(state, {});
    try {
        if (handled) {
            THitInfo hitInfo;
            GetHitTestInfoAt(x, y, true, hitInfo);
            ProcessMouseDoubleClick(message, hitInfo);
        }
    } catch (...) {
        ChangeTreeStates({}, state);
        throw;
    }
    ChangeTreeStates({}, state);
}

// ---- Press ---------------------------------------------------------------------------------------------

void TBaseLazyTree::ProcessMouseDown(const TMouseMessage& message, THitInfo& hitInfo)
{
    if (states_.HasAny({tsWheelPanning, tsWheelScrolling})) {
        EndWheelPanning();
        return;
    }
    if (states_.Has(tsEditPending)) {
        KillTreeTimer(EditTimer);
        ChangeTreeStates({}, {tsEditPending});
    }
    if (states_.Has(tsEditing) && !FinishEditing())
        return;
    if (view_ && !view_->HasFocus() && view_->CanFocus()) {
        view_->SetFocus();
        GetHitTestInfoAt(message.X, message.Y, true, hitInfo);
    }
    clickIndex_ = hitInfo.HitColumn;

    const auto& selectionOptions = options_->SelectionOptions();
    const auto& misc = options_->MiscOptions();
    const THitPositions& hits = hitInfo.HitPositions;
    PLazyNode hitNode = hitInfo.HitNode;

    // Derived flags.
    bool columnChange = false;
    TColumnIndex newColumn = focusedColumn_;
    if (hits.Has(hiOnItemLabel) || selectionOptions.Has(toFullRowSelect) || misc.Has(toGridExtensions)) {
        columnChange = hitInfo.HitColumn != focusedColumn_;
        newColumn = selectionOptions.Has(toExtendedFocus) ? hitInfo.HitColumn : Header().MainColumn();
        if (columnChange && !Header().AllowFocus(newColumn)) {
            columnChange = false;
            newColumn = focusedColumn_;
        }
    }
    const bool nodeChange = hitNode != focusedNode_;
    TShiftState shift = message.Keys * TShiftState{ssShift, ssAlt, ssCtrl};
    const bool altPressed = shift.Has(ssAlt);
    shift.Exclude(ssAlt);
    const bool shiftEmpty = shift.Empty();
    const bool isLabelHit = !altPressed && !selectionOptions.Has(toSimpleDrawSelection) &&
        hits.HasAny({hiOnItemLabel, hiOnNormalIcon});
    const bool isCellHit = !altPressed && !isLabelHit && hitNode &&
        !hits.HasAny({hiNowhere, hiOnItemButton, hiOnItemCheckbox}) &&
        (selectionOptions.Has(toFullRowSelect) || (misc.Has(toGridExtensions) && hitInfo.HitColumn >= 0));
    const bool isAnyHit = isLabelHit || isCellHit;
    const bool multiSelect = selectionOptions.Has(toMultiSelect);
    const bool isHitSelected = isAnyHit && hitNode->States.Has(vsSelected);
    bool fullRowDrag;
    if (multiSelect && !selectionOptions.Has(toDisableDrawSelection))
        fullRowDrag = misc.Has(toFullRowDrag) && isCellHit && !hits.Has(hiNowhere) &&
            (isHitSelected || hits.HasAny({hiOnItemLabel, hiOnNormalIcon}));
    else
        fullRowDrag = misc.Has(toFullRowDrag);
    const bool startHeightTracking = message.Button == mbLeft && hits.Has(hiOnItem) &&
        hits.HasAny({hiUpperSplitter, hiLowerSplitter});
    const bool dragging = states_.HasAny({tsOLEDragging, tsVCLDragging});
    bool autoDrag = (dragMode_ == dmAutomatic || dragging) && (!isCellHit || fullRowDrag);
    if (hitNode && !autoDrag && dragMode_ == dmManual)
        autoDrag = FireDragAllowed(hitNode, newColumn) && (fullRowDrag || isLabelHit);

    // Node height tracking.
    if (startHeightTracking) {
        heightTrackNode_ = hits.Has(hiUpperSplitter) ? GetPreviousVisible(hitNode, true) : hitNode;
        if (MayResizeNodeBySplitter(hitInfo.HitPoint, heightTrackNode_, hitInfo.HitColumn)) {
            heightTrackColumn_ = hitInfo.HitColumn;
            const TRect r = GetDisplayRect(heightTrackNode_, heightTrackColumn_, false);
            heightTrackPoint_ = {r.Left, r.Top};
            ChangeTreeStates({tsNodeHeightTrackPending}, {});
            return;
        }
    }

    // Expand button.
    if (hits.Has(hiOnItemButton) && hitNode->States.Has(vsHasChildren)) {
        ToggleNode(hitNode);
        return;
    }

    // Check box.
    if (hits.Has(hiOnItemCheckbox)) {
        if (states_.HasAny({tsKeyCheckPending, tsMouseCheckPending}) || hitNode->States.Has(vsDisabled))
            return;
        TCheckState newState = NextCheckStateFor(hitNode->CheckType, hitNode->CheckState);
        if (message.Keys.Has(ssLeft) && FireChecking(hitNode, newState)) {
            ChangeTreeStates({tsMouseCheckPending}, {});
            checkNode_ = hitNode;
            pendingCheckState_ = newState;
            hitNode->CheckState = PressedForm[hitNode->CheckState];
            InvalidateNode(hitNode);
        }
        return;
    }

    // Level constraint of the selection.
    if ((root_->TotalCount > 1 && shiftEmpty) || selectionCount_ == 0) {
        if (hitNode) {
            lastSelectionLevel_ = static_cast<int>(GetNodeLevel(hitNode));
        } else {
            PLazyNode last = GetLastVisibleNoInit(nullptr, true);
            lastSelectionLevel_ = last ? static_cast<int>(GetNodeLevel(last)) : -1;
        }
    }

    if (multiSelect && shiftEmpty && isAnyHit && autoDrag && isHitSelected && !selectionLocked_)
        ChangeTreeStates({tsClearPending}, {});

    bool canSelectNow;
    if (autoDrag)
        canSelectNow = false;
    else if (!states_.Has(tsRightButtonDown))
        canSelectNow = true;
    else
        canSelectNow = !NodeHasPopupMenu(hitNode, hitInfo.HitColumn, {message.X, message.Y});

    // Band selection start.
    if (!selectionOptions.Has(toDisableDrawSelection) && !isLabelHit && !fullRowDrag && multiSelect) {
        if (view_)
            view_->SetMouseCapture(true);
        ChangeTreeStates({tsDrawSelPending}, {});
        drawSelShiftState_ = shift;
        const int bx = message.X + effectiveOffsetX_;
        const int by = message.Y - offsetY_;
        newSelRect_ = {bx, by, bx, by};
        lastSelRect_ = {};
    }

    // Immediate selection.
    if (!selectionLocked_ &&
        ((!isAnyHit && !fullRowDrag && multiSelect && shiftEmpty) ||
            (isAnyHit && (!isHitSelected || canSelectNow) && (shiftEmpty || !multiSelect)))) {
        TreeAssert(!states_.Has(tsClearPending), "Pending and direct clearance are mutual exclusive!");
        if (isHitSelected ||
            (altPressed && hitNode && hitInfo.HitColumn == Header().MainColumn() && !hits.Has(hiNowhere))) {
            const bool wasMulti = selectionCount_ > 1;
            DropWholeSelection();
            AddNodeToSelection(hitNode, true);
            if (wasMulti) {
                Invalidate();
                NotifyChange(nullptr);
            }
        } else if (!(hits.Has(hiNowhere) && selectionOptions.Has(toAlwaysSelectNode))) {
            ClearSelectionInternal(false);
        }
    }

    // Edit on click.
    if (view_ && view_->HasFocus() &&
        (hits.Has(hiOnItemLabel) || (misc.Has(toGridExtensions) && hits.Has(hiOnItem))) && isHitSelected &&
        !columnChange && shiftEmpty)
        ChangeTreeStates({tsEditPending}, {});

    if (!selectionOptions.Has(toDisableDrawSelection) && !isLabelHit && !fullRowDrag &&
        (multiSelect || hits.Has(hiNowhere)) && !isCellHit)
        return;

    lastClickPos_ = {message.X, message.Y};

    if (isAnyHit && FireFocusChanging(focusedNode_, hitNode, focusedColumn_, newColumn)) {
        if (columnChange) {
            InvalidateColumn(focusedColumn_);
            InvalidateColumn(newColumn);
            focusedColumn_ = newColumn;
        }
        if (nodeChange)
            MoveFocus(hitNode, false);
        if (multiSelect && !shiftEmpty) {
            ApplyClickSelection(hitNode, shift, autoDrag);
        } else {
            if (shiftEmpty)
                rangeAnchor_ = hitNode;
            if (!hitNode->States.Has(vsSelected))
                AddToSelection(hitNode);
        }
        if (nodeChange || columnChange) {
            const auto& autoOptions = options_->AutoOptions();
            ScrollIntoView(focusedNode_, selectionOptions.Has(toCenterScrollIntoView),
                !autoOptions.Has(toDisableAutoscrollOnFocus) && !selectionOptions.Has(toFullRowSelect));
            FireFocusChanged(focusedNode_, focusedColumn_);
        }
    }

    if (selectionCount_ == 0)
        NotifyChange(nullptr);

    if (autoDrag && isAnyHit && message.Keys.HasAny({ssLeft, ssRight, ssMiddle})) {
        ChangeTreeStates({tsOLEDragPending}, {});
        if (view_)
            view_->SetMouseCapture(true);
    }
}

// ---- Release -------------------------------------------------------------------------------------------

void TBaseLazyTree::ProcessMouseUp(const TMouseMessage& message, const THitInfo& hitInfo)
{
    if (view_)
        view_->SetMouseCapture(false);
    if (states_.Has(tsVCLDragPending))
        return;
    if (IsMouseSelecting()) {
        ChangeTreeStates({}, {tsToggleFocusedSelection, tsDrawSelPending, tsDrawSelecting});
        Invalidate();
    }
    if (states_.Has(tsClearPending)) {
        const bool wasSelected = focusedNode_ && focusedNode_->States.Has(vsSelected);
        ClearSelection();
        if (wasSelected)
            AddToSelection(focusedNode_);
    }
    if (states_.Has(tsToggleFocusedSelection) && hitInfo.HitNode == focusedNode_ && focusedNode_) {
        if (focusedNode_->States.Has(vsSelected)) {
            if (!(options_->SelectionOptions().Has(toAlwaysSelectNode) && selectionCount_ == 1))
                RemoveFromSelection(focusedNode_);
        } else {
            AddToSelection(focusedNode_);
        }
        InvalidateNode(focusedNode_);
    }
    ChangeTreeStates({}, {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsOLEDragging,
                             tsOLEDragPending, tsScrolling, tsScrollPending});
    KillTreeTimer(ScrollTimer);

    if (states_.Has(tsMouseCheckPending)) {
        ChangeTreeStates({}, {tsMouseCheckPending});
        if (PLazyNode node = checkNode_) {
            checkNode_ = nullptr;
            if (hitInfo.HitNode == node && hitInfo.HitPositions.Has(hiOnItem))
                ApplyCheckState(node, pendingCheckState_);
            else
                node->CheckState = NormalForm[node->CheckState];
            InvalidateNode(node);
        }
    }

    if (clickIndex_ >= 0 && clickIndex_ == hitInfo.HitColumn)
        FireColumnClick(hitInfo.HitColumn, message.Keys);
    if (hitInfo.HitNode)
        FireNodeClick(hitInfo);

    if (states_.Has(tsEditPending)) {
        if (hitInfo.HitNode == focusedNode_ && focusedNode_ && hitInfo.HitPositions.Has(hiOnItem) &&
            options_->MiscOptions().Has(toEditOnClick) && hitInfo.HitColumn == focusedColumn_ &&
            CanEdit(focusedNode_, hitInfo.HitColumn)) {
            editColumn_ = focusedColumn_;
            StartTreeTimer(EditTimer, editDelay_);
        } else {
            ChangeTreeStates({}, {tsEditPending});
        }
    }
}

// ---- Double click --------------------------------------------------------------------------------------

void TBaseLazyTree::ProcessMouseDoubleClick(const TMouseMessage& message, const THitInfo& hitInfo)
{
    const auto& misc = options_->MiscOptions();
    bool editOnDblClick = !states_.Has(tsEditing) && misc.Has(toEditOnDblClick);
    const THitPositions& hits = hitInfo.HitPositions;
    PLazyNode hitNode = hitInfo.HitNode;
    const auto finish = [&] {
        if (editOnDblClick && focusedNode_ && hitNode == focusedNode_ && hitInfo.HitColumn == focusedColumn_ &&
            CanEdit(focusedNode_, hitInfo.HitColumn)) {
            ChangeTreeStates({tsEditPending}, {});
            editColumn_ = focusedColumn_;
            StartTreeTimer(EditTimer, 0);
        }
    };

    if (states_.Has(tsEditPending)) {
        KillTreeTimer(EditTimer);
        ChangeTreeStates({}, {tsEditPending});
    }
    if (states_.Has(tsEditing) && !FinishEditing()) {
        finish();
        return;
    }

    if (hitInfo.HitColumn == clickIndex_)
        FireColumnDblClick(hitInfo.HitColumn, message.Keys);
    if (hitNode)
        FireNodeDblClick(hitInfo);

    if (hits.Has(hiOnItem) && hitInfo.HitColumn >= 0 && Header().IsFixed(hitInfo.HitColumn) &&
        hits.HasAny({hiUpperSplitter, hiLowerSplitter})) {
        PLazyNode node = hits.Has(hiUpperSplitter) ? GetPreviousVisible(hitNode, true) : hitNode;
        if (node && node != root_ && misc.Has(toNodeHeightDblClickResize)) {
            bool allowed = true;
            if (OnNodeHeightDblClickResize)
                OnNodeHeightDblClickResize(this, node, hitInfo.HitColumn, message.Keys, {message.X, message.Y}, allowed);
            if (allowed) {
                SetNodeHeight(node, static_cast<int>(defaultNodeHeight_));
                if (view_)
                    view_->UpdateWindow();
                editOnDblClick = false;
            }
        }
        finish();
        return;
    }

    if (hits.Has(hiOnItemCheckbox)) {
        if (!states_.HasAny({tsKeyCheckPending, tsMouseCheckPending}) && !hitNode->States.Has(vsDisabled) &&
            message.Button == mbLeft) {
            TCheckState newState = NextCheckStateFor(hitNode->CheckType, hitNode->CheckState);
            if (FireChecking(hitNode, newState)) {
                ChangeTreeStates({tsMouseCheckPending}, {});
                checkNode_ = hitNode;
                pendingCheckState_ = newState;
                hitNode->CheckState = PressedForm[hitNode->CheckState];
                InvalidateNode(hitNode);
            }
        }
        editOnDblClick = false;
    } else if (hits.Has(hiOnItemButton)) {
        ToggleNode(hitNode);
        editOnDblClick = false;
    } else if (misc.Has(toToggleOnDblClick)) {
        if (hits.HasAny({hiOnItemButton, hiOnItemLabel, hiOnNormalIcon, hiOnStateIcon}) ||
            (options_->SelectionOptions().Has(toFullRowSelect) && hitNode)) {
            ToggleNode(hitNode);
            editOnDblClick = false;
        }
    }
    finish();
}

// ---- Moves ---------------------------------------------------------------------------------------------

void TBaseLazyTree::MouseMove(TShiftState shift, int x, int y)
{
    const int systemThreshold = view_ ? view_->DragThreshold() : 5;
    if (states_.Has(tsNodeHeightTrackPending)) {
        if (view_)
            view_->CancelHint();
        EndWheelPanning();
        for (int id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer})
            KillTreeTimer(id);
        searchBuffer_.clear();
        lastSearchNode_ = nullptr;
        ChangeTreeStates({tsNodeHeightTracking},
            {tsEditPending, tsNodeHeightTrackPending, tsIncrementalSearching, tsOLEDragPending, tsScrolling,
                tsScrollPending, tsVCLDragPending});
    }

    if (states_.Has(tsDrawSelPending)) {
        if (UpdateBandRect(x, y) && view_) {
            Invalidate();
            view_->UpdateWindow();
        }
        const TRect band = NormalizedRect(newSelRect_);
        if (band.Right - band.Left > systemThreshold || band.Bottom - band.Top > systemThreshold) {
            if (states_.Has(tsClearPending)) {
                ChangeTreeStates({}, {tsClearPending});
                ClearSelection();
            }
            ChangeTreeStates({tsDrawSelecting}, {tsDrawSelPending});
            SetFocusedColumn(Header().MainColumn());
            if (UpdateBandSelection())
                Invalidate();
        }
        return;
    }

    if (states_.Has(tsNodeHeightTracking)) {
        if (heightTrackNode_) {
            bool allowed = true;
            TPoint trackPoint = heightTrackPoint_;
            if (OnNodeHeightTracking)
                OnNodeHeightTracking(this, heightTrackNode_, heightTrackColumn_, shift, trackPoint, {x, y}, allowed);
            heightTrackPoint_ = trackPoint;
            if (allowed) {
                SetNodeHeight(heightTrackNode_, y > heightTrackPoint_.Y ? y - heightTrackPoint_.Y : 1);
                if (view_)
                    view_->UpdateWindow();
            }
        }
        return;
    }

    if (states_.Has(tsWheelPanning) && states_.Has(tsWheelScrolling) &&
        (std::abs(x - lastClickPos_.X) >= systemThreshold || std::abs(y - lastClickPos_.Y) >= systemThreshold))
        ChangeTreeStates({}, {tsWheelScrolling});
    if (states_.Has(tsOLEDragPending) &&
        (std::abs(x - lastClickPos_.X) >= dragThreshold_ || std::abs(y - lastClickPos_.Y) >= dragThreshold_)) {
        StartOleDrag(lastClickPos_);
        return;
    }
    if (AutoScrollAllowed())
        UpdateAutoScroll(x, y);
    if (states_.HasAny({tsWheelPanning, tsWheelScrolling}))
        UpdatePanningCursor(x, y);
    if (!states_.Has(tsDrawSelecting)) {
        TrackHotNode(x, y);
        return;
    }
    if (states_.Has(tsScrolling) || !UpdateBandRect(x, y))
        return;
    // The band changed: repaint what the selection or the band itself touched.
    if (UpdateBandSelection()) {
        Invalidate();
    } else if (view_) {
        const TRect a = NormalizedRect(lastSelRect_);
        const TRect b = NormalizedRect(newSelRect_);
        TRect u{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
        u.Left -= effectiveOffsetX_;
        u.Right -= effectiveOffsetX_;
        u.Top += offsetY_;
        u.Bottom += offsetY_;
        ++u.Right;
        ++u.Bottom;
        view_->InvalidateRect(u);
    }
    if (view_)
        view_->UpdateWindow();
}

void TBaseLazyTree::StartOleDrag(TPoint position)
{
    // The drag takes the release: nothing waits for it any more.
    ChangeTreeStates({}, {tsOLEDragPending, tsClearPending, tsToggleFocusedSelection});
    if (view_)
        view_->BeginDrag();
}

void TBaseLazyTree::TrackHotNode(int x, int y)
{
    PLazyNode oldHot = currentHotNode_;
    THitInfo hitInfo;
    GetHitTestInfoAt(x, y, true, hitInfo);
    const THitPositions& hits = hitInfo.HitPositions;
    PLazyNode newHot = nullptr;
    if (hits.HasAny({hiOnItemCheckbox, hiOnItemLabel}) ||
        (states_.Has(tsUseExplorerTheme) && hits.Has(hiOnItemButtonExact)) ||
        (options_->SelectionOptions().Has(toFullRowSelect) && !hits.Has(hiNowhere)))
        newHot = hitInfo.HitNode;
    const TVTPaintOptions paint = options_->PaintOptions();
    const bool doInvalidate = paint.Has(toHotTrack) || options_->MiscOptions().Has(toCheckSupport);
    if (newHot != currentHotNode_ || hitInfo.HitColumn != currentHotColumn_) {
        FireHotChange(currentHotNode_, newHot);
        if (doInvalidate && currentHotNode_)
            InvalidateNode(currentHotNode_);
        currentHotNode_ = newHot;
        currentHotColumn_ = hitInfo.HitColumn;
    }
    const bool buttonHit = hits.Has(hiOnItemButtonExact);
    if (currentHotNode_) {
        if (buttonHit != hotNodeButtonHit_ || doInvalidate) {
            hotNodeButtonHit_ = buttonHit;
            InvalidateNode(currentHotNode_);
        }
    } else {
        hotNodeButtonHit_ = false;
    }
    if (oldHot && oldHot != currentHotNode_)
        InvalidateNode(oldHot);
}

void TBaseLazyTree::TrackHotNodeAtCursor()
{
    TPoint p;
    if (!view_ || !view_->CursorPosition(p))
        return;
    if (p.X >= 0 && p.Y >= 0 && p.X < ClientWidth() && p.Y < ClientHeight())
        TrackHotNode(p.X, p.Y);
}

// ---- Splitters and popup menus -------------------------------------------------------------------------

bool TBaseLazyTree::MayResizeNodeBySplitter(TPoint p, PLazyNode node, TColumnIndex column)
{
    bool allowed = options_->MiscOptions().Has(toNodeHeightResize) && node && node != root_ && column >= 0 &&
        Header().IsFixed(column);
    if (OnCanSplitterResizeNode)
        OnCanSplitterResizeNode(this, p, node, column, allowed);
    return allowed;
}

QMenu* TBaseLazyTree::FireGetPopupMenu(PLazyNode node, TColumnIndex column, TPoint position)
{
    QMenu* menu = nullptr;
    if (!OnGetPopupMenu)
        return nullptr;
    bool askParent = true;
    if (!node || node == root_) {
        OnGetPopupMenu(this, nullptr, NoColumn, position, askParent, menu);
        return menu;
    }
    for (PLazyNode n = node; n && n != root_ && !menu && askParent; n = n->Parent)
        OnGetPopupMenu(this, n, column, position, askParent, menu);
    return menu;
}

bool TBaseLazyTree::NodeHasPopupMenu(PLazyNode node, TColumnIndex column, TPoint position)
{
    return (view_ && view_->HasPopupMenu()) || FireGetPopupMenu(node, column, position) != nullptr;
}

void TBaseLazyTree::ShowNodePopupMenu(PLazyNode node, TColumnIndex column, TPoint position)
{
    QMenu* menu = FireGetPopupMenu(node, column, position);
    if (!menu)
        return;
    ChangeTreeStates({tsPopupMenuShown}, {});
    KillTreeTimer(EditTimer);
    if (view_)
        view_->ShowPopupMenu(menu, position);
}

// ---- Fire routines of the mouse ------------------------------------------------------------------------

bool TBaseLazyTree::FireDragAllowed(PLazyNode node, TColumnIndex column)
{
    bool allowed = false;
    if (OnDragAllowed)
        OnDragAllowed(this, node, column, allowed);
    return allowed;
}

void TBaseLazyTree::FireNodeClick(const THitInfo& hitInfo)
{
    if (OnNodeClick)
        OnNodeClick(this, hitInfo);
}

void TBaseLazyTree::FireNodeDblClick(const THitInfo& hitInfo)
{
    if (OnNodeDblClick)
        OnNodeDblClick(this, hitInfo);
}

void TBaseLazyTree::FireHotChange(PLazyNode oldNode, PLazyNode newNode)
{
    if (OnHotChange)
        OnHotChange(this, oldNode, newNode);
}

void TBaseLazyTree::FireColumnClick(TColumnIndex column, TShiftState shift)
{
    if (OnColumnClick)
        OnColumnClick(this, column, shift);
}

void TBaseLazyTree::FireColumnDblClick(TColumnIndex column, TShiftState shift)
{
    if (OnColumnDblClick)
        OnColumnDblClick(this, column, shift);
}

} // namespace lazytree
