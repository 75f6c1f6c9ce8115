// Event dispatch (every event goes through its fire routine), tree state changes, change notifications,
// timers, long operations, the animation steps and the editing flow.

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>

namespace lazytree {

// ---- Tree states and notifications -----------------------------------------------------------------------

void TBaseLazyTree::ChangeTreeStates(TLazyTreeStates enter, TLazyTreeStates leave)
{
    if (OnStateChange) {
        const TLazyTreeStates changing = (enter - states_) + (states_ * leave);
        if (!changing.Empty())
            OnStateChange(this, enter, leave);
    }
    states_ = (states_ + enter) - leave;
}

void TBaseLazyTree::RecordPendingChange(bool isStructure, PLazyNode node, TChangeReason reason)
{
    if (isStructure) {
        if (states_.Has(tsStructureChangePending))
            KillTreeTimer(StructureChangeTimer);
        else
            ChangeTreeStates({tsStructureChangePending}, {});
        lastStructureChangeNode_ = node;
        if (lastStructureChangeReason_ == crIgnore)
            lastStructureChangeReason_ = reason;
        else if (reason != crIgnore)
            lastStructureChangeReason_ = crAccumulated;
    } else {
        if (states_.Has(tsChangePending))
            KillTreeTimer(ChangeTimer);
        else
            ChangeTreeStates({tsChangePending}, {});
        lastChangedNode_ = node;
    }
}

void TBaseLazyTree::NotifyChange(PLazyNode node)
{
    RecordPendingChange(false, node, crIgnore);
    if (updateCount_ > 0)
        return;
    if (changeDelay_ > 0 && HasWindow() && !states_.Has(tsSynchMode))
        StartTreeTimer(ChangeTimer, changeDelay_);
    else
        FireChange(node);
}

void TBaseLazyTree::NotifyStructureChange(PLazyNode node, TChangeReason reason)
{
    RecordPendingChange(true, node, reason);
    if (updateCount_ > 0)
        return;
    if (changeDelay_ > 0 && HasWindow() && !states_.Has(tsSynchMode))
        StartTreeTimer(StructureChangeTimer, changeDelay_);
    else
        FireStructureChange(node, reason);
}

void TBaseLazyTree::FireChange(PLazyNode node)
{
    KillTreeTimer(ChangeTimer);
    if (OnChange)
        OnChange(this, node);
    ChangeTreeStates({}, {tsChangePending});
    lastChangedNode_ = nullptr;
}

void TBaseLazyTree::FireStructureChange(PLazyNode node, TChangeReason reason)
{
    KillTreeTimer(StructureChangeTimer);
    if (OnStructureChange)
        OnStructureChange(this, node, reason);
    ChangeTreeStates({}, {tsStructureChangePending});
    lastStructureChangeNode_ = nullptr;
    lastStructureChangeReason_ = crIgnore;
}

// ---- Plain fire routines ---------------------------------------------------------------------------------

void TBaseLazyTree::FireInitNode(PLazyNode parent, PLazyNode node, TLazyNodeInitStates& initStates)
{
    if (OnInitNode)
        OnInitNode(this, parent, node, initStates);
}

bool TBaseLazyTree::FireInitChildren(PLazyNode node, uint32_t& childCount)
{
    if (!OnInitChildren)
        return false;
    OnInitChildren(this, node, childCount);
    return true;
}

void TBaseLazyTree::FireFreeNode(PLazyNode node)
{
    if (OnFreeNode)
        OnFreeNode(this, node);
}

int TBaseLazyTree::FireGetNodeDataSize()
{
    int size = static_cast<int>(sizeof(void*));
    if (OnGetNodeDataSize)
        OnGetNodeDataSize(this, size);
    return size;
}

bool TBaseLazyTree::FireChecking(PLazyNode node, TCheckState& newState)
{
    if (options_->MiscOptions().Has(toReadOnly))
        return false;
    bool allowed = true;
    if (OnChecking)
        OnChecking(this, node, newState, allowed);
    return allowed;
}

void TBaseLazyTree::FireChecked(PLazyNode node)
{
    if (OnChecked)
        OnChecked(this, node);
}

bool TBaseLazyTree::FireExpanding(PLazyNode node)
{
    bool allowed = true;
    if (OnExpanding)
        OnExpanding(this, node, allowed);
    return allowed;
}

bool TBaseLazyTree::FireCollapsing(PLazyNode node)
{
    bool allowed = true;
    if (OnCollapsing)
        OnCollapsing(this, node, allowed);
    return allowed;
}

void TBaseLazyTree::FireExpanded(PLazyNode node)
{
    if (OnExpanded)
        OnExpanded(this, node);
}

void TBaseLazyTree::FireCollapsed(PLazyNode node)
{
    if (OnCollapsed)
        OnCollapsed(this, node);
    if (!options_->SelectionOptions().Has(toAlwaysSelectNode))
        return;
    PLazyNode selected = GetFirstSelected();
    if (selected && !FullyVisible(selected)) {
        PLazyNode parent = GetVisibleParent(selected);
        RemoveFromSelection(selected);
        if (parent != root_)
            AddToSelection(parent);
    }
    if (selectionCount_ == 0)
        EnsureNodeSelected();
}

int TBaseLazyTree::FireCompareNodes(PLazyNode node1, PLazyNode node2, TColumnIndex column)
{
    int result = 0;
    if (OnCompareNodes)
        OnCompareNodes(this, node1, node2, column, result);
    return result;
}

bool TBaseLazyTree::FireNodeMoving(PLazyNode node, PLazyNode target)
{
    bool allowed = true;
    if (OnNodeMoving)
        OnNodeMoving(this, node, target, allowed);
    return allowed;
}

void TBaseLazyTree::FireNodeMoved(PLazyNode node)
{
    if (OnNodeMoved)
        OnNodeMoved(this, node);
}

void TBaseLazyTree::FireResetNode(PLazyNode node)
{
    if (OnResetNode)
        OnResetNode(this, node);
}

bool TBaseLazyTree::FireFocusChanging(
    PLazyNode oldNode, PLazyNode newNode, TColumnIndex oldColumn, TColumnIndex newColumn)
{
    bool allowed = oldColumn == newColumn || Header().AllowFocus(newColumn);
    if (OnFocusChanging)
        OnFocusChanging(this, oldNode, newNode, oldColumn, newColumn, allowed);
    return allowed;
}

void TBaseLazyTree::FireFocusChanged(PLazyNode node, TColumnIndex column)
{
    if (OnFocusChanged)
        OnFocusChanged(this, node, column);
}

void TBaseLazyTree::FireAddToSelection(PLazyNode node)
{
    if (OnAddToSelection)
        OnAddToSelection(this, node);
}

void TBaseLazyTree::FireRemoveFromSelection(PLazyNode node)
{
    if (OnRemoveFromSelection)
        OnRemoveFromSelection(this, node);
}

void TBaseLazyTree::FireMeasureItem(QPainter* canvas, PLazyNode node, int& nodeHeight)
{
    if (!node->States.Has(vsInitialized))
        InitializeNode(node);
    if (OnMeasureItem)
        OnMeasureItem(this, canvas, node, nodeHeight);
}

void TBaseLazyTree::FireScroll(int deltaX, int deltaY)
{
    if (OnScroll)
        OnScroll(this, deltaX, deltaY);
}

void TBaseLazyTree::FireUpdating(TVTUpdateState state)
{
    if (OnUpdating)
        OnUpdating(this, state);
}

void TBaseLazyTree::FireStartOperation(TVTOperationKind kind)
{
    if (OnStartOperation)
        OnStartOperation(this, kind);
}

void TBaseLazyTree::FireEndOperation(TVTOperationKind kind)
{
    if (OnEndOperation)
        OnEndOperation(this, kind);
}

bool TBaseLazyTree::FireGetCellIsEmpty(PLazyNode node, TColumnIndex column)
{
    bool isEmpty = true;
    if (OnGetCellIsEmpty)
        OnGetCellIsEmpty(this, node, column, isEmpty);
    return isEmpty;
}

void TBaseLazyTree::FireShowScrollBar(TScrollBarKind bar, bool show)
{
    if (view_)
        view_->ShowScrollBar(bar, show);
    if (OnShowScrollBar)
        OnShowScrollBar(this, bar, show);
}

void TBaseLazyTree::FireEditing(PLazyNode node, TColumnIndex column, bool& allowed)
{
    if (OnEditing)
        OnEditing(this, node, column, allowed);
}

std::shared_ptr<IVTEditLink> TBaseLazyTree::FireCreateEditor(PLazyNode node, TColumnIndex column)
{
    std::shared_ptr<IVTEditLink> link;
    if (OnCreateEditor)
        OnCreateEditor(this, node, column, link);
    if (!link && editLinkFactory_)
        link = editLinkFactory_->CreateEditLink(*this, node, column);
    return link;
}

void TBaseLazyTree::FireEdited(PLazyNode node, TColumnIndex column)
{
    if (OnEdited)
        OnEdited(this, node, column);
}

void TBaseLazyTree::FireEditCancelled(TColumnIndex column)
{
    if (OnEditCancelled)
        OnEditCancelled(this, column);
}

void TBaseLazyTree::FireBeforeCellPaint(QPainter* canvas, PLazyNode node, TColumnIndex column,
    TVTCellPaintMode mode, const TRect& cellRect, TRect& contentRect)
{
    if (!OnBeforeCellPaint)
        return;
    if (mode != cpmGetContentMargin) {
        OnBeforeCellPaint(this, canvas, node, column, mode, cellRect, contentRect);
        return;
    }
    // Whatever the handler draws while answering the margin must not reach the screen.
    const bool suspend = view_ && updateCount_ == 0;
    if (suspend)
        view_->SetRedrawSuspended(true);
    try {
        OnBeforeCellPaint(this, canvas, node, column, mode, cellRect, contentRect);
    } catch (...) {
        if (suspend)
            view_->SetRedrawSuspended(false);
        throw;
    }
    if (suspend)
        view_->SetRedrawSuspended(false);
}

TCustomImageList* TBaseLazyTree::FireGetImageIndex(
    PLazyNode node, TVTImageKind kind, TColumnIndex column, bool& ghosted, int& index)
{
    if (OnGetImageEx) {
        TCustomImageList* list = kind == ikState ? stateImages_ : images_;
        OnGetImageEx(this, node, kind, column, ghosted, index, list);
        return list;
    }
    if (OnGetImage)
        OnGetImage(this, node, kind, column, ghosted, index);
    return nullptr;
}

bool TBaseLazyTree::NodeHasImage(PLazyNode node, TVTImageKind kind, TColumnIndex column)
{
    if (!node->States.Has(vsInitialized))
        InitializeNode(node);
    bool ghosted = false;
    int index = -1;
    FireGetImageIndex(node, kind, column, ghosted, index);
    return index >= 0;
}

int TBaseLazyTree::NodeContentWidth(PLazyNode node, TColumnIndex column)
{
    return measurer_ ? measurer_->NodeContentWidth(*this, node, column) : 0;
}

int TBaseLazyTree::NodeExtraWidth(PLazyNode node, TColumnIndex column)
{
    return measurer_ ? measurer_->NodeExtraWidth(*this, node, column) : 0;
}

TSize TBaseLazyTree::ImageSize(TImageSlot slot) const
{
    return measurer_ ? measurer_->ImageSize(slot) : TSize{};
}

int TBaseLazyTree::FontHeight() const
{
    return measurer_ ? measurer_->FontHeight() : 0;
}

TPoint TBaseLazyTree::ComputeCellContentMargin(PLazyNode node, TColumnIndex column, TVTCellContentMarginType marginType)
{
    if (!OnBeforeCellPaint)
        return {};
    const TRect cellRect = GetDisplayRect(node, column, false, false, true);
    TRect contentRect = cellRect;
    FireBeforeCellPaint(measurer_ ? measurer_->Canvas() : nullptr, node, column, cpmGetContentMargin, cellRect,
        contentRect);
    switch (marginType) {
    case ccmtAllSides:
        return {cellRect.Width() - contentRect.Width(), cellRect.Height() - contentRect.Height()};
    case ccmtTopLeftOnly:
        return {contentRect.Left - cellRect.Left, contentRect.Top - cellRect.Top};
    case ccmtBottomRightOnly:
        return {cellRect.Right - contentRect.Right, cellRect.Bottom - contentRect.Bottom};
    }
    return {};
}

// ---- Hints -----------------------------------------------------------------------------------------------

void TBaseLazyTree::FireDrawHint(QPainter* hintCanvas, PLazyNode node, const TRect& r, TColumnIndex column)
{
    if (OnDrawHint)
        OnDrawHint(this, hintCanvas, node, r, column);
}

void TBaseLazyTree::FireGetHintSize(PLazyNode node, TColumnIndex column, TRect& r)
{
    if (OnGetHintSize)
        OnGetHintSize(this, node, column, r);
}

void TBaseLazyTree::FireGetHintKind(PLazyNode node, TColumnIndex column, TVTHintKind& kind)
{
    if (OnGetHintKind)
        OnGetHintKind(this, node, column, kind);
    else
        kind = DefaultHintKind();
}

// ---- Timers ----------------------------------------------------------------------------------------------

void TBaseLazyTree::StartTreeTimer(int id, uint32_t intervalMs)
{
    if (clock_ && HasWindow())
        clock_->StartTimer(id, intervalMs);
}

void TBaseLazyTree::KillTreeTimer(int id)
{
    if (clock_ && HasWindow())
        clock_->StopTimer(id);
}

void TBaseLazyTree::TimerFired(int id)
{
    switch (id) {
    case ExpandTimer:
        ExpandDropTarget();
        break;
    case EditTimer:
        StartEditing();
        break;
    case ScrollTimer:
        if (states_.HasAny({tsWheelPanning, tsWheelScrolling})) {
            StartTreeTimer(ScrollTimer, 20); // panning steps every 20 ms until it ends
        } else if (states_.Has(tsScrollPending)) {
            if (view_)
                view_->CancelHint();
            StartTreeTimer(ScrollTimer, autoScrollInterval_);
            ChangeTreeStates({tsScrolling}, {tsScrollPending});
        } else if (states_.Has(tsScrolling)) {
            // Our timers are one-shot; scrolling goes on at the interval until it is stopped.
            StartTreeTimer(ScrollTimer, autoScrollInterval_);
        }
        AutoScrollStep();
        break;
    case ChangeTimer:
        if (states_.Has(tsChangePending))
            FireChange(lastChangedNode_);
        break;
    case StructureChangeTimer:
        FireStructureChange(lastStructureChangeNode_, lastStructureChangeReason_);
        break;
    case SearchTimer:
        ChangeTreeStates({}, {tsIncrementalSearching});
        KillTreeTimer(SearchTimer);
        searchBuffer_.clear();
        lastSearchNode_ = nullptr;
        break;
    case ThemeChangedTimer:
        KillTreeTimer(ThemeChangedTimer);
        if (view_)
            view_->RecreateWindow();
        break;
    case AnimationTimer:
        AnimationStep();
        break;
    default:
        break; // the header's timer and unknown ids
    }
}

// ---- Long operations -------------------------------------------------------------------------------------

void TBaseLazyTree::BeginOperation(TVTOperationKind kind)
{
    ++operationCount_;
    FireStartOperation(kind);
    if (operationCount_ == 1)
        operationCanceled_ = false;
}

void TBaseLazyTree::EndOperation(TVTOperationKind kind)
{
    TreeAssert(operationCount_ > 0, "EndOperation must not be called when no operation in progress.");
    --operationCount_;
    FireEndOperation(kind);
}

void TBaseLazyTree::CancelOperation()
{
    if (operationCount_ > 0)
        operationCanceled_ = true;
}

// ---- Animation -------------------------------------------------------------------------------------------

namespace {

// Steps / duration rounded to the nearest integer, ties to even.
int RoundedQuotient(uint32_t steps, uint32_t duration)
{
    const uint32_t q = steps / duration;
    const uint32_t r = steps % duration;
    const uint64_t twice = 2ull * r;
    if (twice > duration || (twice == duration && (q % 2) == 1))
        return static_cast<int>(q + 1);
    return static_cast<int>(q);
}

} // namespace

void TBaseLazyTree::RunAnimation(uint32_t steps, uint32_t duration, TVTAnimationCallback callback)
{
    if (states_.Has(tsInAnimation) || duration == 0)
        return;
    ChangeTreeStates({tsInAnimation}, {});
    animation_ = {};
    animation_.callback = std::move(callback);
    animation_.steps = static_cast<int>(steps);
    animation_.stepSize = std::max(1, RoundedQuotient(steps, duration));
    animation_.remainingSteps = animation_.steps / animation_.stepSize;
    animation_.remainingTime = static_cast<int>(duration);
    animation_.position = 0;
    if (!clock_ || !HasWindow()) {
        // Nothing to wait with: every step runs at once.
        while (animation_.remainingSteps > 0 && animation_.remainingTime > 0 && animation_.callback) {
            if (!CallAnimation(animation_.position, animation_.stepSize))
                break;
            --animation_.remainingSteps;
            animation_.position = animation_.steps - animation_.remainingSteps;
        }
        FinishAnimation();
        return;
    }
    BeginAnimationStep();
}

bool TBaseLazyTree::CallAnimation(int position, int stepSize)
{
    try {
        return animation_.callback(position, stepSize);
    } catch (...) {
        animation_ = {};
        ChangeTreeStates({}, {tsInAnimation, tsCancelHintAnimation});
        throw;
    }
}

void TBaseLazyTree::BeginAnimationStep()
{
    if (animation_.remainingSteps <= 0 || animation_.remainingTime <= 0) {
        FinishAnimation();
        return;
    }
    animation_.start = clock_->Milliseconds();
    animation_.deadline = animation_.start + static_cast<uint32_t>(animation_.remainingTime / animation_.remainingSteps);
    if (!CallAnimation(animation_.position, animation_.stepSize)) {
        FinishAnimation();
        return;
    }
    WaitForAnimationDeadline();
}

void TBaseLazyTree::WaitForAnimationDeadline()
{
    const uint32_t now = clock_->Milliseconds();
    const int32_t left = static_cast<int32_t>(animation_.deadline - now);
    StartTreeTimer(AnimationTimer, left > 0 ? static_cast<uint32_t>(left) : 0);
}

void TBaseLazyTree::AnimationStep()
{
    if (!states_.Has(tsInAnimation) || !animation_.callback || !clock_)
        return;
    const uint32_t now = clock_->Milliseconds();
    if (static_cast<int32_t>(animation_.deadline - now) > 0) {
        WaitForAnimationDeadline(); // woke early
        return;
    }
    const int elapsed = static_cast<int>(now - animation_.start);
    if (elapsed > animation_.remainingTime) {
        animation_.remainingTime = 0;
        animation_.remainingSteps = 0;
    } else {
        animation_.remainingTime -= elapsed;
        --animation_.remainingSteps;
    }
    while (animation_.remainingSteps > 0 && animation_.remainingTime / animation_.remainingSteps < 1) {
        ++animation_.stepSize;
        animation_.remainingSteps = animation_.remainingTime / animation_.stepSize;
    }
    animation_.position = animation_.steps - animation_.remainingSteps;
    BeginAnimationStep();
}

void TBaseLazyTree::FinishAnimation()
{
    TVTAnimationCallback callback = std::move(animation_.callback);
    animation_ = {};
    KillTreeTimer(AnimationTimer);
    try {
        if (callback)
            callback(0, 0);
    } catch (...) {
        ChangeTreeStates({}, {tsInAnimation, tsCancelHintAnimation});
        throw;
    }
    ChangeTreeStates({}, {tsInAnimation, tsCancelHintAnimation});
}

// ---- Editing ---------------------------------------------------------------------------------------------

bool TBaseLazyTree::CanEdit(PLazyNode node, TColumnIndex column)
{
    const auto& misc = options_->MiscOptions();
    bool allowed = misc.Has(toEditable) && (!view_ || view_->Enabled()) && !misc.Has(toReadOnly) &&
        (column < 0 || Header().IsEditable(column));
    FireEditing(node, column, allowed);
    return allowed;
}

bool TBaseLazyTree::EditNode(PLazyNode node, TColumnIndex column)
{
    TreeAssert(node != nullptr, "Node must not be nil.");
    TreeAssert(column >= NoColumn && column < Header().Count(),
        "Column must be a valid column index (-1 if no header is shown).");
    if (states_.Has(tsEditing) || options_->MiscOptions().Has(toReadOnly))
        return states_.Has(tsEditing);
    SetFocusedNode(node);
    if (focusedNode_ == node && CanEdit(node, column)) {
        editColumn_ = column;
        if (!node->States.Has(vsInitialized))
            InitializeNode(node);
        StartEditing();
        return states_.Has(tsEditing);
    }
    return false;
}

bool TBaseLazyTree::EndEditNode()
{
    if (states_.HasAny({tsEditing, tsEditPending}))
        return FinishEditing();
    return true;
}

bool TBaseLazyTree::CancelEditNode()
{
    if (HasWindow() && states_.HasAny({tsEditing, tsEditPending}))
        return AbortEditing();
    return true;
}

void TBaseLazyTree::StartEditing()
{
    if (view_)
        view_->CancelHint();
    KillTreeTimer(ScrollTimer);
    KillTreeTimer(EditTimer);
    ChangeTreeStates({}, {tsEditPending});
    if (!focusedNode_ || focusedNode_->States.Has(vsDisabled) || options_->MiscOptions().Has(toReadOnly) ||
        editLink_)
        return;
    std::shared_ptr<IVTEditLink> link = FireCreateEditor(focusedNode_, editColumn_);
    editLink_ = link;
    if (!link)
        return;
    ChangeTreeStates({tsEditing},
        {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsDrawSelecting, tsMouseCheckPending,
            tsOLEDragging, tsOLEDragPending, tsScrolling, tsScrollPending});
    ScrollIntoView(focusedNode_, options_->SelectionOptions().Has(toCenterScrollIntoView),
        !options_->AutoOptions().Has(toDisableAutoscrollOnEdit));
    if (link->PrepareEdit(*this, focusedNode_, editColumn_)) {
        PlaceEditor();
        InvalidateNode(focusedNode_);
        if (!link->BeginEdit())
            ChangeTreeStates({}, {tsEditing});
    } else {
        ChangeTreeStates({}, {tsEditing});
    }
    if (!states_.Has(tsEditing))
        editLink_.reset();
}

bool TBaseLazyTree::FinishEditing()
{
    KillTreeTimer(EditTimer);
    const bool result = states_.Has(tsEditing) && editLink_ && editLink_->EndEdit();
    if (result) {
        ChangeTreeStates({}, {tsEditing});
        editLink_.reset();
        FireEdited(focusedNode_, editColumn_);
    }
    ChangeTreeStates({}, {tsEditPending});
    return result;
}

bool TBaseLazyTree::AbortEditing()
{
    KillTreeTimer(EditTimer);
    ChangeTreeStates({}, {tsEditPending});
    const bool result = states_.Has(tsEditing) && editLink_ && editLink_->CancelEdit();
    if (!result)
        return false;
    ChangeTreeStates({}, {tsEditing});
    FireEditCancelled(editColumn_);
    if (!destroying_)
        editLink_.reset();
    return true;
}

void TBaseLazyTree::PlaceEditor()
{
    if (!states_.Has(tsEditing) || !focusedNode_ || !editLink_ || editColumn_ >= Header().Count() ||
        std::this_thread::get_id() != mainThread_)
        return;
    TRect r = GetDisplayRect(focusedNode_, editColumn_, true, !focusedNode_->States.Has(vsMultiline));
    if (options_->MiscOptions().Has(toGridExtensions)) {
        TAlignment alignment = editColumn_ >= 0 ? Header().Alignment(editColumn_) : alignment_;
        const TBiDiMode bidi = editColumn_ >= 0 ? Header().BiDiMode(editColumn_) : biDiMode_;
        if (bidi != bdLeftToRight && alignment != taCenter)
            alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
        int left, right;
        GetColumnBounds(editColumn_, left, right);
        if (alignment == taLeftJustify)
            r.Right = right;
        else
            r.Left = left;
    }
    if (options_->PaintOptions().Has(toShowHorzGridLines))
        --r.Bottom;
    const TRect current = editLink_->GetBounds();
    const int height = std::max(current.Height(), r.Height());
    r.Bottom = r.Top + height;
    editLink_->SetBounds(r);
}

} // namespace lazytree
