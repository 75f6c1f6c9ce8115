// Putting a node into a sibling chain and taking it out, with every counter kept in step.

#include "controls/tree/core/lazy_tree.h"

namespace lazytree {

void TBaseLazyTree::LinkNode(PLazyNode node, PLazyNode destination, TBaseLazyTree* target, TVTNodeAttachMode mode)
{
    if (target->states_.Has(tsUseCache))
        target->ChangeTreeStates({}, {tsUseCache});
    switch (mode) {
    case amNoWhere:
        break;
    case amInsertBefore:
        node->PrevSibling = destination->PrevSibling;
        destination->PrevSibling = node;
        node->NextSibling = destination;
        node->Parent = destination->Parent;
        node->Index = destination->Index;
        if (node->PrevSibling)
            node->PrevSibling->NextSibling = node;
        else
            node->Parent->FirstChild = node;
        for (PLazyNode s = destination; s; s = s->NextSibling)
            ++s->Index;
        break;
    case amInsertAfter:
        node->NextSibling = destination->NextSibling;
        destination->NextSibling = node;
        node->PrevSibling = destination;
        node->Parent = destination->Parent;
        if (node->NextSibling)
            node->NextSibling->PrevSibling = node;
        else
            node->Parent->LastChild = node;
        node->Index = destination->Index;
        for (PLazyNode s = node; s; s = s->NextSibling)
            ++s->Index;
        break;
    case amAddChildFirst:
        if (destination->FirstChild) {
            destination->FirstChild->PrevSibling = node;
            node->NextSibling = destination->FirstChild;
            destination->FirstChild = node;
        } else {
            destination->FirstChild = node;
            destination->LastChild = node;
            node->NextSibling = nullptr;
        }
        node->PrevSibling = nullptr;
        node->Parent = destination;
        node->Index = 0;
        for (PLazyNode s = node->NextSibling; s; s = s->NextSibling)
            ++s->Index;
        break;
    case amAddChildLast:
        if (destination->LastChild) {
            destination->LastChild->NextSibling = node;
            node->PrevSibling = destination->LastChild;
            destination->LastChild = node;
        } else {
            destination->FirstChild = node;
            destination->LastChild = node;
            node->PrevSibling = nullptr;
        }
        node->NextSibling = nullptr;
        node->Parent = destination;
        node->Index = node->PrevSibling ? node->PrevSibling->Index + 1 : 0;
        break;
    }
    node->States -= {vsChecking, vsCutOrCopy, vsDeleting};
    if (mode == amNoWhere)
        return;

    PLazyNode parent = node->Parent;
    ++parent->ChildCount;
    parent->States.Include(vsHasChildren);
    target->UpdateTotalCount(parent, node->TotalCount, true);
    if (parent->States.Has(vsExpanded) && node->States.Has(vsVisible)) {
        target->UpdateTotalHeight(parent, node->TotalHeight, true);
        if (target->FullyVisible(node))
            target->visibleCount_ +=
                target->CountVisibleDescendants(node) + (target->IsEffectivelyFiltered(node) ? 0 : 1);
    }
    if (parent != target->root_) {
        if (target->GetEffectivelyVisible(node))
            parent->States.Exclude(vsAllChildrenHidden);
        else if (parent->ChildCount == 1)
            parent->States.Include(vsAllChildrenHidden);
    }
}

void TBaseLazyTree::UnlinkNode(PLazyNode node, bool keepFocus, bool reindex, bool parentClearing)
{
    TreeAssert(node != nullptr && node != root_, "Node must neither be nil nor the root node.");
    if (node == focusedNode_ && !keepFocus) {
        MoveFocus(nullptr, false);
        FireFocusChanged(focusedNode_, focusedColumn_);
    }
    if (node == rangeAnchor_)
        AnchorRangeAtFocus();
    PLazyNode parent = node->Parent;
    const bool updateHiddenFlag = parent != root_ && !parentClearing;
    // A node whose parent is cleared wholesale leaves the parent's fields to the caller.
    if (node->States.Has(vsDeleting))
        return;
    if (updateHiddenFlag && updateCount_ > 0)
        ChangeTreeStates({tsUpdateHiddenChildrenNeeded}, {});
    if (states_.Has(tsUseCache))
        ChangeTreeStates({}, {tsUseCache});

    node->States.Exclude(vsChecking);
    const bool wasShown = FullyVisible(node);
    const bool adjustHeight = parent->States.Has(vsExpanded) && node->States.Has(vsVisible);
    --parent->ChildCount;
    if (parent->ChildCount == 0) {
        parent->States -= {vsAllChildrenHidden, vsHasChildren};
        if (parent != root_)
            parent->States.Exclude(vsExpanded);
    }
    UpdateTotalCount(parent, -static_cast<int64_t>(node->TotalCount), true);
    if (adjustHeight)
        UpdateTotalHeight(parent, -static_cast<int64_t>(node->TotalHeight), true);
    if (wasShown)
        visibleCount_ -= CountVisibleDescendants(node) + (IsEffectivelyFiltered(node) ? 0 : 1);

    if (node->PrevSibling)
        node->PrevSibling->NextSibling = node->NextSibling;
    else
        parent->FirstChild = node->NextSibling;
    if (node->NextSibling) {
        node->NextSibling->PrevSibling = node->PrevSibling;
        if (reindex) {
            uint32_t index = node->Index;
            for (PLazyNode s = node->NextSibling; s; s = s->NextSibling)
                s->Index = index++;
        }
    } else {
        parent->LastChild = node->PrevSibling;
    }
    // The flag is computed without the node (it may have been the parent's last shown child).
    if (updateHiddenFlag && updateCount_ == 0 && parent->ChildCount > 0)
        UpdateAllChildrenHidden(parent);
}

void TBaseLazyTree::RecomputeChildrenHiddenFlags()
{
    for (PLazyNode node = GetFirstNoInit(false); node; node = GetNextNoInit(node, false))
        UpdateAllChildrenHidden(node);
}

uint32_t TBaseLazyTree::AbsoluteIndex(PLazyNode node)
{
    uint32_t sum = 0;
    while (node && node != root_) {
        if (!node->States.Has(vsInitialized))
            InitializeNode(node);
        if (node->PrevSibling) {
            node = node->PrevSibling;
            sum += node->TotalCount;
        } else {
            node = node->Parent;
            if (node != root_)
                ++sum;
        }
    }
    return sum;
}

} // namespace lazytree
