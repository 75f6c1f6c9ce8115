// Adding, inserting, deleting, clearing and moving nodes; re-initialising and validating them; the update
// and synchronous brackets; the subtree iterator.

#include "controls/tree/core/lazy_tree.h"

#include <cstring>
#include <exception>

namespace lazytree {

namespace {

// Raises a counter for the duration of a scope.
class CountGuard {
public:
    explicit CountGuard(uint32_t& count) : count_(count) { ++count_; }
    ~CountGuard() { --count_; }

private:
    uint32_t& count_;
};

// The next node after `node`'s subtree in pre-order, or nil.
PLazyNode NextAfterSubtree(PLazyNode node, PLazyNode root)
{
    while (node != root && !node->NextSibling)
        node = node->Parent;
    return node == root ? nullptr : node->NextSibling;
}

} // namespace

bool TBaseLazyTree::AutoSortWanted() const
{
    return options_->AutoOptions().Has(toAutoSort) && Header().SortColumn() >= NoColumn && CanCompareNodes();
}

void TBaseLazyTree::AssertMainThread() const
{
    if (std::this_thread::get_id() != mainThread_)
        TreeAssertionFailed(
            std::string("UI controls like ") + ClassName() + " should only be manipulated through the main thread.");
}

void TBaseLazyTree::CheckUserDataSpace()
{
    if (nodeDataSize_ == -1)
        nodeDataSize_ = std::max(-1, FireGetNodeDataSize());
    if (nodeDataSize_ < static_cast<int>(sizeof(void*)))
        TreeAssertionFailed(std::string(ClassName()) +
            ": Cannot set initial user data because there is not enough user data space allocated.");
}

void TBaseLazyTree::StoreUserData(PLazyNode node, void* userData)
{
    std::memcpy(reinterpret_cast<char*>(node) + sizeof(TLazyNode), &userData, sizeof(userData));
    node->States.Include(vsOnFreeNodeCallRequired);
}

void TBaseLazyTree::DeliverPendingStructureChange()
{
    if (!states_.Has(tsStructureChangePending))
        return;
    if (changeDelay_ > 0 && HasWindow() && !states_.Has(tsSynchMode))
        StartTreeTimer(StructureChangeTimer, changeDelay_);
    else
        FireStructureChange(lastStructureChangeNode_, lastStructureChangeReason_);
}

// ---- Adding ----------------------------------------------------------------------------------------------

PLazyNode TBaseLazyTree::AddChild(PLazyNode parent, void* userData)
{
    if (options_->MiscOptions().Has(toReadOnly))
        return nullptr;
    if (userData)
        CheckUserDataSpace();
    CancelEditNode();
    if (!parent)
        parent = root_;
    if (!parent->States.Has(vsInitialized))
        InitializeNode(parent);
    {
        CountGuard bracket(updateCount_);
        SetChildCount(parent, parent->ChildCount + 1);
        parent->States.Exclude(vsAllChildrenHidden);
    }
    PLazyNode result = parent->LastChild;
    if (userData && result)
        StoreUserData(result, userData);
    RequestCacheValidation();
    if (updateCount_ == 0) {
        StartCacheValidation();
        // The change SetChildCount recorded inside the bracket is delivered now.
        DeliverPendingStructureChange();
        if (AutoSortWanted())
            Sort(parent, Header().SortColumn(), Header().SortDirection(), true);
        InvalidateToBottom(parent);
        UpdateScrollBars(true);
    }
    return result;
}

PLazyNode TBaseLazyTree::InsertNode(PLazyNode node, TVTNodeAttachMode mode, void* userData)
{
    if (mode == amNoWhere)
        return nullptr;
    if (userData)
        CheckUserDataSpace();
    CancelEditNode();
    if (!node)
        node = root_;
    if (node == root_) {
        if (mode == amInsertBefore)
            mode = amAddChildFirst;
        else if (mode == amInsertAfter)
            mode = amAddChildLast;
    }
    if ((mode == amAddChildFirst || mode == amAddChildLast) && !node->States.Has(vsInitialized))
        InitializeNode(node);
    PLazyNode result = AllocateNode();
    StopCacheValidation();
    LinkNode(result, node, this, mode);
    if (userData)
        StoreUserData(result, userData);
    RequestCacheValidation();
    if (updateCount_ == 0) {
        StartCacheValidation();
        if (AutoSortWanted()) {
            PLazyNode sorted = mode == amInsertBefore || mode == amInsertAfter ? node->Parent : node;
            Sort(sorted, Header().SortColumn(), Header().SortDirection(), true);
        }
        UpdateScrollBars(true);
        InvalidateToBottom(mode == amInsertBefore ? result : node);
    }
    NotifyStructureChange(result, crNodeAdded);
    return result;
}

// ---- Deleting --------------------------------------------------------------------------------------------

void TBaseLazyTree::DeleteNodeInternal(PLazyNode node, bool reindex, bool parentClearing)
{
    if (!node || node == root_ || options_->MiscOptions().Has(toReadOnly))
        return;
    TreeAssert(!states_.Has(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
    PLazyNode parent = node->Parent;
    if (!parentClearing)
        NotifyStructureChange(parent == root_ ? nullptr : parent, crChildDeleted);
    const int oldOffsetX = offsetX_;
    const int oldOffsetY = offsetY_;
    if (node->States.Has(vsSelected)) {
        if (updateCount_ > 0) {
            MarkDeselected(node);
        } else {
            const bool wasSynch = states_.Has(tsSynchMode);
            ChangeTreeStates({tsSynchMode}, {});
            try {
                RemoveFromSelection(node);
            } catch (...) {
                if (!wasSynch)
                    ChangeTreeStates({}, {tsSynchMode});
                throw;
            }
            if (!wasSynch)
                ChangeTreeStates({}, {tsSynchMode});
            InvalidateToBottom(parent);
        }
    } else {
        InvalidateToBottom(parent);
    }
    if (states_.Has(tsHint)) {
        if (view_)
            view_->CancelHint();
        ChangeTreeStates({}, {tsHint});
    }
    if (!parentClearing)
        StopCacheValidation();
    DeleteChildren(node, false);
    UnlinkNode(node, false, reindex, false);
    DisposeNode(node);
    if (parentClearing)
        return;
    UpdateAllChildrenHidden(parent);
    RequestCacheValidation();
    if (updateCount_ == 0) {
        StartCacheValidation();
        UpdateScrollBars(true);
        if (oldOffsetX != offsetX_ || oldOffsetY != offsetY_)
            Invalidate();
    }
}

void TBaseLazyTree::DeleteNode(PLazyNode node)
{
    DeleteNodeInternal(node, true, false);
}

void TBaseLazyTree::DeleteChildren(PLazyNode node, bool resetHasChildren)
{
    if (!node || node->ChildCount == 0 || options_->MiscOptions().Has(toReadOnly)) {
        if (resetHasChildren && node)
            node->States.Exclude(vsHasChildren);
        return;
    }
    TreeAssert(!states_.Has(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
    int oldOffsetX, oldOffsetY;
    {
        CountGuard bracket(updateCount_);
        StopCacheValidation();
        oldOffsetX = offsetX_;
        oldOffsetY = offsetY_;
        const bool parentVisible = node == root_ || (FullyVisible(node) && node->States.Has(vsExpanded));
        PLazyNode child = node->LastChild;
        while (child) {
            PLazyNode previous = child->PrevSibling;
            if (parentVisible && GetEffectivelyVisible(child))
                --visibleCount_;
            child->States.Include(vsDeleting);
            if (previous)
                previous->NextSibling = nullptr;
            node->LastChild = previous;
            if (!previous)
                node->FirstChild = nullptr;
            DeleteNodeInternal(child, false, true);
            child = previous;
        }
        if (resetHasChildren)
            node->States.Exclude(vsHasChildren);
        if (node != root_)
            node->States.Exclude(vsExpanded);
        node->ChildCount = 0;
        if (node == root_ || node->States.Has(vsDeleting)) {
            // The root's own row is never counted, so its total is its height alone.
            node->TotalHeight = node->NodeHeight;
            node->TotalCount = 1;
            UpdateVerticalRange();
        } else {
            UpdateTotalHeight(node, OwnHeight(node), false);
            UpdateTotalCount(node, 1, false);
        }
        node->FirstChild = nullptr;
        node->LastChild = nullptr;
    }
    RequestCacheValidation();
    if (updateCount_ == 0) {
        CompactSelection();
        StartCacheValidation();
        UpdateScrollBars(true);
        if (oldOffsetX != offsetX_ || oldOffsetY != offsetY_)
            Invalidate();
        else
            InvalidateToBottom(node);
        if (states_.Has(tsChangePending))
            FireChange(lastChangedNode_);
        EnsureNodeSelected();
    }
    NotifyStructureChange(node == root_ ? nullptr : node, crChildDeleted);
}

void TBaseLazyTree::DeleteSelectedNodes()
{
    if (selectionCount_ == 0 || options_->MiscOptions().Has(toReadOnly))
        return;
    BeginUpdate();
    try {
        TNodeArray nodes = GetSortedSelection(true);
        for (std::size_t i = nodes.size(); i-- > 1;)
            DeleteNodeInternal(nodes[i], nodes[i]->Parent != nodes[i - 1]->Parent, false);
        if (!nodes.empty())
            DeleteNodeInternal(nodes[0], true, false);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TBaseLazyTree::Clear()
{
    if (!((root_->ChildCount > 0 && !options_->MiscOptions().Has(toReadOnly)) || destroying_))
        return;
    BeginUpdate();
    try {
        StopCacheValidation();
        CancelEditNode();
        // The clipboard itself belongs to the widget; the tree only forgets the pending cut or copy.
        if (states_.HasAny({tsCutPending, tsCopyPending}))
            ChangeTreeStates({}, {tsCutPending, tsCopyPending});
        ClearSelection();
        focusedNode_ = nullptr;
        lastSelected_ = nullptr;
        currentHotNode_ = nullptr;
        dropTargetNode_ = nullptr;
        lastChangedNode_ = nullptr;
        rangeAnchor_ = nullptr;
        checkNode_ = nullptr;
        lastVCLDragTarget_ = nullptr;
        lastSearchNode_ = nullptr;
        DeleteChildren(root_, true);
        offsetX_ = 0;
        offsetY_ = 0;
        effectiveOffsetX_ = 0;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- Moving ----------------------------------------------------------------------------------------------

void TBaseLazyTree::MoveTo(PLazyNode source, PLazyNode target, TVTNodeAttachMode mode, bool childrenOnly)
{
    if (!source)
        return;
    TreeAssert(TreeFromNode(source) == this, "The source tree must contain the source node.");
    if (source == target && !(childrenOnly && (mode == amInsertBefore || mode == amInsertAfter)))
        return;
    if (mode == amNoWhere || source == root_ || options_->MiscOptions().Has(toReadOnly))
        return;
    if (!target) {
        target = root_;
        mode = amAddChildLast;
    } else if (TreeFromNode(target) != this) {
        MoveToOtherTree(source, target, mode, childrenOnly);
        return;
    }
    if (target == root_) {
        if (mode == amInsertBefore)
            mode = amAddChildFirst;
        else if (mode == amInsertAfter)
            mode = amAddChildLast;
    }
    // Refused before anything changes.
    if (target != source && HasAsParent(target, source))
        RaiseTreeError(hcTFWrongMoveError);
    if (!target->States.Has(vsInitialized))
        InitializeNode(target);
    else if (target->States.Has(vsHasChildren) && target->ChildCount == 0)
        InitializeChildren(target);

    const bool allowed = FireNodeMoving(source, target == root_ ? nullptr : target);
    if (allowed) {
        StopCacheValidation();
        if (!childrenOnly) {
            UnlinkNode(source, true, true, false);
            LinkNode(source, target, this, mode);
            FireNodeMoved(source);
        } else if (mode == amAddChildFirst) {
            for (PLazyNode child = source->LastChild; child;) {
                PLazyNode previous = child->PrevSibling;
                UnlinkNode(child, true, false, false);
                LinkNode(child, target, this, mode);
                FireNodeMoved(child);
                child = previous;
            }
        } else {
            for (PLazyNode child = source->FirstChild; child;) {
                PLazyNode next = child->NextSibling;
                UnlinkNode(child, true, false, false);
                LinkNode(child, target, this, mode);
                FireNodeMoved(child);
                child = next;
            }
        }
    }
    RequestCacheValidation();
    if (updateCount_ == 0 && allowed) {
        StartCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
    // A refused move reports nothing.
    if (allowed)
        NotifyStructureChange(childrenOnly ? nullptr : source, crNodeMoved);
}

// ---- Re-initialising, resetting, validating --------------------------------------------------------------

void TBaseLazyTree::ReinitNode(PLazyNode node, bool recursive)
{
    if (node && node != root_) {
        node->States -= {vsChecking, vsCutOrCopy, vsDeleting, vsHeightMeasured};
        if (node->States.Has(vsInitialized))
            InitializeNode(node);
    }
    if (recursive)
        ReinitChildren(node, true);
}

void TBaseLazyTree::ReinitChildren(PLazyNode node, bool recursive)
{
    if (!node)
        node = root_;
    InitializeChildren(node);
    for (PLazyNode child = node->FirstChild; child; child = child->NextSibling)
        ReinitNode(child, recursive);
}

void TBaseLazyTree::ResetNode(PLazyNode node)
{
    AbortEditing();
    if (!node || node == root_) {
        Clear();
        return;
    }
    FireResetNode(node);
    DeleteChildren(node, false);
    node->States -=
        {vsInitialized, vsChecking, vsCutOrCopy, vsDeleting, vsExpanded, vsHasChildren, vsHeightMeasured};
    InvalidateNode(node);
}

void TBaseLazyTree::ValidateNode(PLazyNode node, bool recursive)
{
    if (!node)
        node = root_;
    else if (node != root_ && !node->States.Has(vsInitialized))
        InitializeNode(node);
    if (!recursive)
        return;
    if (node->States.Has(vsHasChildren) && node->ChildCount == 0)
        InitializeChildren(node);
    for (PLazyNode child = node->FirstChild; child; child = child->NextSibling)
        ValidateNode(child, true);
}

void TBaseLazyTree::ValidateChildren(PLazyNode node, bool recursive)
{
    if (!node)
        node = root_;
    if (node->States.Has(vsHasChildren) && node->ChildCount == 0)
        InitializeChildren(node);
    for (PLazyNode child = node->FirstChild; child; child = child->NextSibling)
        ValidateNode(child, recursive);
}

// ---- Brackets --------------------------------------------------------------------------------------------

void TBaseLazyTree::BeginUpdate()
{
    AssertMainThread();
    if (!destroying_) {
        if (updateCount_ == 0) {
            FireUpdating(usBegin);
            if (view_)
                view_->SetRedrawSuspended(true);
        } else {
            FireUpdating(usUpdate);
        }
    }
    ++updateCount_;
    ChangeTreeStates({tsUpdating}, {});
}

void TBaseLazyTree::EndUpdate()
{
    if (updateCount_ > 0)
        --updateCount_;
    if (destroying_)
        return;
    if (updateCount_ == 0 && states_.Has(tsUpdating)) {
        if (states_.Has(tsUpdateHiddenChildrenNeeded)) {
            RecomputeChildrenHiddenFlags();
            ChangeTreeStates({}, {tsUpdateHiddenChildrenNeeded});
        }
        ChangeTreeStates({}, {tsUpdating});
        CompactSelection();
        RequestCacheValidation();
        StartCacheValidation();
        if (HasWindow())
            UpdateScrollBars(false);
        std::exception_ptr failure;
        try {
            if (states_.Has(tsStructureChangePending))
                FireStructureChange(lastStructureChangeNode_, lastStructureChangeReason_);
            if (states_.Has(tsChangePending))
                FireChange(lastChangedNode_);
        } catch (...) {
            failure = std::current_exception();
        }
        if (options_->AutoOptions().Has(toAutoSort) && CanCompareNodes())
            SortTree(Header().SortColumn(), Header().SortDirection(), true);
        if (view_) {
            view_->SetRedrawSuspended(false);
            view_->Invalidate();
        }
        if (failure)
            std::rethrow_exception(failure);
    }
    if (updateCount_ > 0) {
        FireUpdating(usUpdate);
    } else {
        FireUpdating(usEnd);
        EnsureNodeSelected();
    }
}

void TBaseLazyTree::BeginSynch()
{
    if (!destroying_) {
        if (synchUpdateCount_ > 0) {
            FireUpdating(usSynch);
        } else {
            FireUpdating(usBeginSynch);
            for (int id : {ChangeTimer, StructureChangeTimer, ExpandTimer, EditTimer, HeaderTimer, ScrollTimer,
                     SearchTimer})
                KillTreeTimer(id);
            searchBuffer_.clear();
            lastSearchNode_ = nullptr;
            ChangeTreeStates({}, {tsEditPending, tsIncrementalSearching, tsScrolling, tsScrollPending});
            if (states_.Has(tsStructureChangePending))
                FireStructureChange(lastStructureChangeNode_, lastStructureChangeReason_);
            if (states_.Has(tsChangePending))
                FireChange(lastChangedNode_);
        }
    }
    ++synchUpdateCount_;
    ChangeTreeStates({tsSynchMode}, {});
}

void TBaseLazyTree::EndSynch()
{
    if (synchUpdateCount_ > 0)
        --synchUpdateCount_;
    if (destroying_)
        return;
    if (synchUpdateCount_ > 0) {
        FireUpdating(usSynch);
    } else {
        ChangeTreeStates({}, {tsSynchMode});
        FireUpdating(usEndSynch);
    }
}

// ---- Iteration -------------------------------------------------------------------------------------------

PLazyNode TBaseLazyTree::IterateSubtree(PLazyNode node, const TVTGetNodeProc& callback, void* data,
    TLazyNodeStates filter, bool doInit, bool childNodesOnly)
{
    TreeAssert(node != root_, "Node must not be the hidden root node.");
    const bool wasIterating = states_.Has(tsIterating);
    ChangeTreeStates({tsIterating}, {});
    PLazyNode result;
    try {
        result = IterateSubtreeSteps(node, callback, data, filter, doInit, childNodesOnly);
    } catch (...) {
        if (!wasIterating)
            ChangeTreeStates({}, {tsIterating});
        throw;
    }
    if (!wasIterating)
        ChangeTreeStates({}, {tsIterating});
    return result;
}

PLazyNode TBaseLazyTree::IterateSubtreeSteps(PLazyNode node, const TVTGetNodeProc& callback, void* data,
    TLazyNodeStates filter, bool doInit, bool childNodesOnly)
{
    const auto step = [&](PLazyNode n) { return doInit ? GetNext(n, false) : GetNextNoInit(n, false); };
    PLazyNode stop = nullptr;
    if (node) {
        if (doInit && !node->States.Has(vsInitialized))
            InitializeNode(node);
        stop = NextAfterSubtree(node, root_);
    } else {
        node = GetFirstNoInit(false);
        if (node && doInit && !node->States.Has(vsInitialized))
            InitializeNode(node);
    }
    if (childNodesOnly)
        node = node && node->ChildCount > 0 ? step(node) : nullptr;
    while (node && node != stop) {
        if (filter.Empty() || node->States.HasAll(filter)) {
            bool abort = false;
            callback(this, node, data, abort);
            if (abort)
                return node;
        }
        node = step(node);
    }
    return nullptr;
}

} // namespace lazytree
