// Expanding and collapsing nodes (one, a subtree, all) and sorting sibling chains.

#include "controls/tree/core/lazy_tree.h"

#include <exception>

namespace lazytree {

void TBaseLazyTree::ToggleNode(PLazyNode node)
{
    TreeAssert(node != nullptr, "Node must not be nil.");
    if (node->States.HasAny({vsDeleting, vsToggling}))
        return;
    const bool wasToggling = states_.Has(tsToggling);
    ChangeTreeStates({tsToggling}, {});
    node->States.Include(vsToggling);
    try {
        ToggleNodeSteps(node);
    } catch (...) {
        node->States.Exclude(vsToggling);
        if (!wasToggling)
            ChangeTreeStates({}, {tsToggling});
        throw;
    }
    node->States.Exclude(vsToggling);
    if (!wasToggling)
        ChangeTreeStates({}, {tsToggling});
}

void TBaseLazyTree::ToggleNodeSteps(PLazyNode node)
{
    const int clientHeight = ClientHeight();
    const bool childrenAbove = options_->PaintOptions().Has(toChildrenAbove);
    const bool animated = options_->AnimationOptions().Has(toAnimatedToggle);
    bool changed = false;
    bool needFull = false;
    int64_t heightDelta = 0;
    ToggleAnimationInfo info;
    info.Node = node;

    if (node->States.Has(vsExpanded)) {
        if (!FireCollapsing(node))
            return;
        heightDelta = static_cast<int64_t>(node->NodeHeight) - node->TotalHeight;
        if (updateCount_ == 0 && animated && !states_.Has(tsCollapsing) && view_) {
            view_->CancelHint();
            view_->FinishPendingPaint();
            info.Expanding = false;
            info.HeightDelta = static_cast<int>(heightDelta);
            info.R1 = GetDisplayRect(node, NoColumn, false);
            needFull = AnimateToggle(info);
        }
        StopCacheValidation();
        UpdateTotalHeight(node, OwnHeight(node), false);
        if (FullyVisible(node))
            visibleCount_ -= CountVisibleDescendants(node);
        node->States.Exclude(vsExpanded);
        FireCollapsed(node);
        if (options_->AutoOptions().Has(toAutoFreeOnCollapse) && node->ChildCount > 0) {
            DeleteChildren(node, false);
            node->States.Include(vsHasChildren);
        }
        changed = true;
    } else {
        if (!FireExpanding(node))
            return;
        if (!node->States.Has(vsInitialized))
            InitializeNode(node);
        if (node->States.Has(vsHasChildren) && node->ChildCount == 0)
            InitializeChildren(node);
        if (node->ChildCount > 0) {
            heightDelta = 0;
            for (PLazyNode child = node->FirstChild; child; child = child->NextSibling) {
                if (!child->States.Has(vsVisible))
                    continue;
                MeasureItemHeight(measurer_ ? measurer_->Canvas() : nullptr, child);
                heightDelta += child->TotalHeight;
            }
        }
        if (childrenAbove || updateCount_ == 0) {
            TRect r1 = GetDisplayRect(node, NoColumn, false);
            info.Fits = node->NodeHeight + heightDelta <= clientHeight;
            if (!childrenAbove) {
                info.RoomBelow = clientHeight >= r1.Bottom + heightDelta;
            } else {
                info.FitsAndFull = info.Fits && static_cast<int64_t>(rangeY_) >= clientHeight;
                info.RoomAbove = r1.Top - heightDelta >= 0;
                info.RowShown = clientHeight >= r1.Bottom;
            }
            r1.Bottom = clientHeight;
            info.R1 = r1;
        }
        if (updateCount_ == 0 && info.R1.Top < clientHeight && !states_.HasAny({tsExpanding, tsPainting}) &&
            animated && view_) {
            view_->CancelHint();
            view_->FinishPendingPaint();
            info.Expanding = true;
            info.HeightDelta = static_cast<int>(heightDelta);
            AnimateToggle(info);
        }
        if (AutoSortWanted())
            Sort(node, Header().SortColumn(), Header().SortDirection(), false);
        StopCacheValidation();
        node->States.Include(vsExpanded);
        UpdateTotalHeight(node, heightDelta, true);
        if (FullyVisible(node))
            visibleCount_ += CountVisibleDescendants(node);
        FireExpanded(node);
        changed = true;
    }
    if (!changed)
        return;

    RequestCacheValidation();
    if (updateCount_ > 0) {
        UpdateRanges();
        return;
    }
    StartCacheValidation();
    if (node->ChildCount == 0) {
        InvalidateNode(node);
        return;
    }
    UpdateRanges();
    UpdateScrollBars(true);
    // Without a window there is no client area to keep the node in.
    if (HasWindow() && !states_.HasAny({tsExpanding, tsPainting})) {
        const bool expanded = node->States.Has(vsExpanded);
        const bool autoScroll = options_->AutoOptions().Has(toAutoScrollOnExpand);
        if (expanded && (autoScroll || childrenAbove)) {
            if (childrenAbove) {
                needFull = true;
                if ((info.FitsAndFull && info.RoomAbove && info.RowShown) || !autoScroll) {
                    SetOffsetY(offsetY_ - static_cast<int>(heightDelta));
                } else if (info.Fits && info.RowShown) {
                    PLazyNode first = GetFirstVisible(node, true, false);
                    if (first)
                        SetOffsetY(offsetY_ - GetDisplayRect(first, NoColumn, false).Top);
                } else {
                    SetBottomNode(node);
                }
            } else if (info.Fits) {
                needFull = ScrollIntoView(GetLastVisible(node, true, false), false, false);
            } else {
                needFull = true;
                SetTopNode(node);
            }
        } else if (childrenAbove) {
            needFull = true;
            SetOffsetY(offsetY_ - static_cast<int>(heightDelta));
        }
    }
    if (needFull)
        Invalidate();
    else
        InvalidateToBottom(node);
}

void TBaseLazyTree::FullExpand(PLazyNode node)
{
    if (root_->TotalCount < 2)
        return;
    if (node == root_)
        node = nullptr;
    ChangeTreeStates({tsExpanding}, {});
    BeginOperation(okExpand);
    BeginUpdate();
    std::exception_ptr failure;
    try {
        PLazyNode stop = nullptr;
        if (node) {
            PLazyNode p = node;
            while (p != root_ && !p->NextSibling)
                p = p->Parent;
            stop = p == root_ ? nullptr : p->NextSibling;
        } else {
            node = root_->FirstChild;
        }
        if (node && !node->States.Has(vsInitialized))
            InitializeNode(node);
        while (node && node != stop && !OperationCanceled()) {
            if (!node->States.Has(vsExpanded))
                ToggleNode(node);
            node = GetNext(node, false);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    EndOperation(okExpand);
    EndUpdate();
    ChangeTreeStates({}, {tsExpanding});
    if (failure)
        std::rethrow_exception(failure);
}

void TBaseLazyTree::FullCollapse(PLazyNode node)
{
    if (root_->TotalCount < 2)
        return;
    if (node == root_)
        node = nullptr;
    ChangeTreeStates({tsCollapsing}, {});
    BeginUpdate();
    std::exception_ptr failure;
    try {
        // Backwards from the last shown node of the subtree; the walk never leaves the subtree.
        for (PLazyNode n = GetLastVisibleNoInit(node, true, false); n && n != node;) {
            if (node && !HasAsParent(n, node))
                break;
            PLazyNode previous = GetPreviousNoInit(n, true);
            if (n->States.HasAll({vsExpanded, vsHasChildren}))
                ToggleNode(n);
            n = previous;
        }
        if (node && node->States.HasAll({vsExpanded, vsHasChildren}))
            ToggleNode(node);
    } catch (...) {
        failure = std::current_exception();
    }
    EndUpdate();
    ChangeTreeStates({}, {tsCollapsing});
    if (failure)
        std::rethrow_exception(failure);
}

// ---- Sorting ---------------------------------------------------------------------------------------------

PLazyNode TBaseLazyTree::MergeSort(PLazyNode& chain, uint32_t count, TColumnIndex column, bool descending)
{
    if (count == 1) {
        PLazyNode node = chain;
        chain = chain->NextSibling;
        node->NextSibling = nullptr;
        return node;
    }
    PLazyNode a = MergeSort(chain, count / 2, column, descending);
    PLazyNode b = MergeSort(chain, (count + 1) / 2, column, descending);
    PLazyNode head = nullptr;
    PLazyNode* tail = &head;
    while (a && b) {
        const int result = OperationCanceled() ? 0 : FireCompareNodes(a, b, column);
        if (descending ? result < 0 : result > 0) {
            *tail = b;
            b = b->NextSibling;
        } else {
            *tail = a;
            a = a->NextSibling;
        }
        tail = &(*tail)->NextSibling;
    }
    *tail = a ? a : b;
    return head;
}

void TBaseLazyTree::Sort(PLazyNode node, TColumnIndex column, TSortDirection direction, bool doInit)
{
    StopCacheValidation();
    if (states_.Has(tsEditPending)) {
        KillTreeTimer(EditTimer);
        ChangeTreeStates({}, {tsEditPending});
    }
    if (states_.Has(tsEditing) && !FinishEditing())
        return;
    if (!node)
        node = root_;
    if (!node->States.Has(vsHasChildren))
        return;
    if (doInit)
        ValidateChildren(node, false);
    if (node->ChildCount > 1) {
        // A failing comparison leaves the chain as it was.
        TNodeArray original;
        original.reserve(node->ChildCount);
        for (PLazyNode c = node->FirstChild; c; c = c->NextSibling)
            original.push_back(c);
        BeginOperation(okSortNode);
        PLazyNode sorted;
        try {
            PLazyNode chain = node->FirstChild;
            sorted = MergeSort(chain, node->ChildCount, column, direction == sdDescending);
        } catch (...) {
            for (std::size_t i = 0; i < original.size(); ++i)
                original[i]->NextSibling = i + 1 < original.size() ? original[i + 1] : nullptr;
            EndOperation(okSortNode);
            throw;
        }
        EndOperation(okSortNode);
        node->FirstChild = sorted;
        PLazyNode previous = nullptr;
        uint32_t index = 0;
        for (PLazyNode c = sorted; c; c = c->NextSibling) {
            c->PrevSibling = previous;
            c->Index = index++;
            previous = c;
        }
        node->LastChild = previous;
        RequestCacheValidation();
    }
    if (updateCount_ == 0) {
        StartCacheValidation();
        Invalidate();
    }
}

void TBaseLazyTree::SortSubtree(PLazyNode node, TColumnIndex column, TSortDirection direction, bool doInit)
{
    Sort(node, column, direction, doInit);
    for (PLazyNode child = node->FirstChild; child && !OperationCanceled(); child = child->NextSibling) {
        if (doInit && !child->States.Has(vsInitialized))
            InitializeNode(child);
        if (child->States.Has(vsInitialized) &&
            (!options_->AutoOptions().Has(toAutoSort) || child->States.Has(vsExpanded)))
            SortSubtree(child, column, direction, doInit);
    }
}

void TBaseLazyTree::SortTree(TColumnIndex column, TSortDirection direction, bool doInit)
{
    if (root_->TotalCount <= 2)
        return;
    ++updateCount_;
    std::exception_ptr failure;
    try {
        if (column >= NoColumn) {
            BeginOperation(okSortTree);
            try {
                SortSubtree(root_, column, direction, doInit);
            } catch (...) {
                EndOperation(okSortTree);
                throw;
            }
            EndOperation(okSortTree);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    RequestCacheValidation();
    --updateCount_;
    if (updateCount_ == 0) {
        StartCacheValidation();
        Invalidate();
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace lazytree
