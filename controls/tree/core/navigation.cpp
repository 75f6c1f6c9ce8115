// Walking the tree: first/last, next/previous in pre-order or children-above order, by kind, and the node
// sets for range loops. Members without "NoInit" initialise what they hand out and create children on
// demand; NoInit members follow the existing links only.

#include "controls/tree/core/lazy_tree.h"

namespace lazytree {

namespace {

constexpr const char* kRootAssertion = "Node must not be the hidden root node.";
constexpr const char* kInvalidParameter = "Invalid parameter.";

} // namespace

// ---- First and last --------------------------------------------------------------------------------------

PLazyNode TBaseLazyTree::GetFirst(bool considerChildrenAbove)
{
    if (considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove)) {
        PLazyNode result = nullptr;
        PLazyNode cur = root_;
        while (cur->States.Has(vsHasChildren)) {
            if (cur->ChildCount == 0)
                InitializeChildren(cur);
            if (!cur->FirstChild)
                break;
            cur = cur->FirstChild;
            if (!cur->States.Has(vsInitialized))
                InitializeNode(cur);
            result = cur;
        }
        return result;
    }
    PLazyNode result = root_->FirstChild;
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstNoInit(bool considerChildrenAbove)
{
    if (considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove)) {
        PLazyNode result = nullptr;
        for (PLazyNode cur = root_; cur->States.Has(vsHasChildren) && cur->FirstChild; cur = cur->FirstChild)
            result = cur->FirstChild;
        return result;
    }
    return root_->FirstChild;
}

PLazyNode TBaseLazyTree::GetFirstChild(PLazyNode node)
{
    PLazyNode result = nullptr;
    if (!node || node == root_) {
        result = root_->FirstChild;
    } else {
        if (!node->States.Has(vsInitialized))
            InitializeNode(node);
        if (node->States.Has(vsHasChildren)) {
            if (node->ChildCount == 0)
                InitializeChildren(node);
            result = node->FirstChild;
        }
    }
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstChildNoInit(PLazyNode node)
{
    if (!node || node == root_)
        return root_->FirstChild;
    return node->States.Has(vsHasChildren) ? node->FirstChild : nullptr;
}

PLazyNode TBaseLazyTree::GetLastChild(PLazyNode node)
{
    PLazyNode result = nullptr;
    if (!node || node == root_) {
        result = root_->LastChild;
    } else {
        if (!node->States.Has(vsInitialized))
            InitializeNode(node);
        if (node->States.Has(vsHasChildren)) {
            if (node->ChildCount == 0)
                InitializeChildren(node);
            result = node->LastChild;
        }
    }
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetLastChildNoInit(PLazyNode node)
{
    if (!node || node == root_)
        return root_->LastChild;
    return node->States.Has(vsHasChildren) ? node->LastChild : nullptr;
}

PLazyNode TBaseLazyTree::GetFirstInitialized(bool considerChildrenAbove)
{
    PLazyNode result = GetFirstNoInit(considerChildrenAbove);
    if (result && !result->States.Has(vsInitialized))
        result = GetNextInitialized(result, considerChildrenAbove);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstChecked(TCheckState state, bool considerChildrenAbove)
{
    return GetNextChecked(nullptr, state, considerChildrenAbove);
}

PLazyNode TBaseLazyTree::GetFirstCutCopy(bool considerChildrenAbove)
{
    return GetNextCutCopy(nullptr, considerChildrenAbove);
}

PLazyNode TBaseLazyTree::GetFirstLeaf()
{
    return GetNextLeaf(nullptr);
}

PLazyNode TBaseLazyTree::GetFirstLevel(uint32_t nodeLevel)
{
    PLazyNode result = GetFirstNoInit(true);
    while (result && GetNodeLevel(result) != nodeLevel)
        result = GetNextNoInit(result, true);
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstSelected(bool considerChildrenAbove)
{
    return GetNextSelected(nullptr, considerChildrenAbove);
}

PLazyNode TBaseLazyTree::GetLast(PLazyNode node, bool considerChildrenAbove)
{
    PLazyNode result = GetLastChild(node);
    if (!(considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove))) {
        while (result) {
            PLazyNode next = GetLastChild(result);
            if (!next)
                break;
            result = next;
        }
    }
    return result;
}

PLazyNode TBaseLazyTree::GetLastNoInit(PLazyNode node, bool considerChildrenAbove)
{
    PLazyNode result = GetLastChildNoInit(node);
    if (!(considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove))) {
        while (result) {
            PLazyNode next = GetLastChildNoInit(result);
            if (!next)
                break;
            result = next;
        }
    }
    return result;
}

PLazyNode TBaseLazyTree::GetLastInitialized(PLazyNode node, bool considerChildrenAbove)
{
    PLazyNode result = GetLastNoInit(node, considerChildrenAbove);
    if (result && !result->States.Has(vsInitialized))
        result = GetPreviousInitialized(result, considerChildrenAbove);
    return result;
}

// ---- Step members ----------------------------------------------------------------------------------------

PLazyNode TBaseLazyTree::GetNext(PLazyNode node, bool considerChildrenAbove)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    PLazyNode result;
    if (considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove)) {
        if (node->NextSibling) {
            result = node->NextSibling;
            if (!result->States.Has(vsInitialized))
                InitializeNode(result);
            for (;;) {
                if (result->States.Has(vsHasChildren) && result->ChildCount == 0)
                    InitializeChildren(result);
                if (!result->FirstChild)
                    break;
                result = result->FirstChild;
                if (!result->States.Has(vsInitialized))
                    InitializeNode(result);
            }
            return result;
        }
        result = node->Parent;
        if (result == root_)
            return nullptr;
    } else {
        if (node->States.Has(vsHasChildren) && node->ChildCount == 0)
            InitializeChildren(node);
        if (node->FirstChild) {
            result = node->FirstChild;
        } else {
            result = node;
            while (result != root_ && !result->NextSibling)
                result = result->Parent;
            if (result == root_)
                return nullptr;
            result = result->NextSibling;
        }
    }
    if (!result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextNoInit(PLazyNode node, bool considerChildrenAbove)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    if (considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove)) {
        if (node->NextSibling) {
            PLazyNode result = node->NextSibling;
            while (result->FirstChild)
                result = result->FirstChild;
            return result;
        }
        return node->Parent == root_ ? nullptr : node->Parent;
    }
    if (node->FirstChild)
        return node->FirstChild;
    PLazyNode result = node;
    while (result != root_ && !result->NextSibling)
        result = result->Parent;
    return result == root_ ? nullptr : result->NextSibling;
}

PLazyNode TBaseLazyTree::GetPrevious(PLazyNode node, bool considerChildrenAbove)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    PLazyNode result;
    if (considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove)) {
        if (node->States.Has(vsHasChildren) && node->ChildCount == 0)
            InitializeChildren(node);
        if (node->LastChild) {
            result = node->LastChild;
        } else {
            result = node;
            while (result != root_ && !result->PrevSibling)
                result = result->Parent;
            if (result == root_)
                return nullptr;
            result = result->PrevSibling;
        }
    } else if (node->PrevSibling) {
        PLazyNode last = GetLast(node->PrevSibling, false);
        result = last ? last : node->PrevSibling;
    } else {
        result = node->Parent;
        if (result == root_)
            return nullptr;
    }
    if (!result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousNoInit(PLazyNode node, bool considerChildrenAbove)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    if (considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove)) {
        if (node->LastChild)
            return node->LastChild;
        PLazyNode result = node;
        while (result != root_ && !result->PrevSibling)
            result = result->Parent;
        return result == root_ ? nullptr : result->PrevSibling;
    }
    if (node->PrevSibling) {
        PLazyNode last = GetLastNoInit(node->PrevSibling, false);
        return last ? last : node->PrevSibling;
    }
    return node->Parent == root_ ? nullptr : node->Parent;
}

PLazyNode TBaseLazyTree::GetNextInitialized(PLazyNode node, bool considerChildrenAbove)
{
    do
        node = GetNextNoInit(node, considerChildrenAbove);
    while (node && !node->States.Has(vsInitialized));
    return node;
}

PLazyNode TBaseLazyTree::GetPreviousInitialized(PLazyNode node, bool considerChildrenAbove)
{
    do
        node = GetPreviousNoInit(node, considerChildrenAbove);
    while (node && !node->States.Has(vsInitialized));
    return node;
}

PLazyNode TBaseLazyTree::GetNextChecked(PLazyNode node, TCheckState state, bool considerChildrenAbove)
{
    PLazyNode result = node && node != root_ ? GetNextNoInit(node, considerChildrenAbove)
                                             : GetFirstNoInit(considerChildrenAbove);
    while (result && result->CheckState != state)
        result = GetNextNoInit(result, considerChildrenAbove);
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousChecked(PLazyNode node, TCheckState state, bool considerChildrenAbove)
{
    PLazyNode result = node && node != root_ ? GetPreviousNoInit(node, considerChildrenAbove)
                                             : GetLastNoInit(nullptr, considerChildrenAbove);
    while (result && result->CheckState != state)
        result = GetPreviousNoInit(result, considerChildrenAbove);
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextCutCopy(PLazyNode node, bool considerChildrenAbove)
{
    if (!states_.HasAny({tsCutPending, tsCopyPending}))
        return nullptr;
    PLazyNode result = node && node != root_ ? GetNextNoInit(node, considerChildrenAbove)
                                             : GetFirstNoInit(considerChildrenAbove);
    while (result && !result->States.Has(vsCutOrCopy))
        result = GetNextNoInit(result, considerChildrenAbove);
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousCutCopy(PLazyNode node, bool considerChildrenAbove)
{
    if (!states_.HasAny({tsCutPending, tsCopyPending}))
        return nullptr;
    PLazyNode result = node && node != root_ ? GetPreviousNoInit(node, considerChildrenAbove)
                                             : GetLastNoInit(nullptr, considerChildrenAbove);
    while (result && !result->States.Has(vsCutOrCopy))
        result = GetPreviousNoInit(result, considerChildrenAbove);
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextSelected(PLazyNode node, bool considerChildrenAbove)
{
    if (selectionCount_ <= 0)
        return nullptr;
    PLazyNode result = node && node != root_ ? GetNextNoInit(node, considerChildrenAbove)
                                             : GetFirstNoInit(considerChildrenAbove);
    while (result && !result->States.Has(vsSelected))
        result = GetNextNoInit(result, considerChildrenAbove);
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousSelected(PLazyNode node, bool considerChildrenAbove)
{
    if (selectionCount_ <= 0)
        return nullptr;
    PLazyNode result = node && node != root_ ? GetPreviousNoInit(node, considerChildrenAbove) : root_->LastChild;
    while (result && !result->States.Has(vsSelected))
        result = GetPreviousNoInit(result, considerChildrenAbove);
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextLeaf(PLazyNode node)
{
    PLazyNode result = node && node != root_ ? GetNext(node, false) : root_->FirstChild;
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    while (result && result->States.Has(vsHasChildren))
        result = GetNext(result, false);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousLeaf(PLazyNode node)
{
    PLazyNode result = node && node != root_ ? GetPrevious(node, false) : root_->LastChild;
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    while (result && result->States.Has(vsHasChildren))
        result = GetPrevious(result, false);
    return result;
}

PLazyNode TBaseLazyTree::GetNextLevel(PLazyNode node, uint32_t nodeLevel)
{
    PLazyNode result = nullptr;
    while (node && node != root_) {
        const uint32_t level = GetNodeLevel(node);
        if (level < nodeLevel) {
            PLazyNode next = GetNext(node, false);
            if (next && GetNodeLevel(next) == nodeLevel) {
                result = next;
                break;
            }
            node = next;
        } else if (level == nodeLevel) {
            if (node->NextSibling) {
                result = node->NextSibling;
                break;
            }
            // The next sibling of the nearest ancestor that has one (the root counts as its own).
            PLazyNode p = node->Parent;
            while (p != root_ && !p->NextSibling)
                p = p->Parent;
            node = p == root_ ? nullptr : p->NextSibling;
        } else {
            node = node->Parent;
        }
    }
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousLevel(PLazyNode node, uint32_t nodeLevel)
{
    PLazyNode result = nullptr;
    while (node && node != root_) {
        const uint32_t level = GetNodeLevel(node);
        if (level < nodeLevel) {
            if (!node->PrevSibling) {
                node = node->Parent;
                continue;
            }
            PLazyNode cur = node->PrevSibling;
            uint32_t curLevel = level;
            while (curLevel < nodeLevel) {
                PLazyNode child = GetLastChild(cur);
                if (!child)
                    break;
                cur = child;
                ++curLevel;
            }
            if (curLevel == nodeLevel) {
                result = cur;
                break;
            }
            node = cur->PrevSibling ? cur : cur->Parent;
        } else if (level == nodeLevel) {
            if (node->PrevSibling) {
                result = node->PrevSibling;
                break;
            }
            node = node->Parent;
        } else {
            node = node->Parent;
        }
    }
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextSibling(PLazyNode node)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    PLazyNode result = node->NextSibling;
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextSiblingNoInit(PLazyNode node)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    return node->NextSibling;
}

PLazyNode TBaseLazyTree::GetPreviousSibling(PLazyNode node)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    PLazyNode result = node->PrevSibling;
    if (result && !result->States.Has(vsInitialized))
        InitializeNode(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousSiblingNoInit(PLazyNode node)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    return node->PrevSibling;
}

PLazyNode TBaseLazyTree::GetNextVisibleSibling(PLazyNode node, bool includeFiltered)
{
    TreeAssert(node != nullptr && node != root_, kInvalidParameter);
    PLazyNode result = node;
    do
        result = GetNextSibling(result);
    while (result && (!result->States.Has(vsVisible) || (!includeFiltered && IsEffectivelyFiltered(result))));
    return result;
}

PLazyNode TBaseLazyTree::GetNextVisibleSiblingNoInit(PLazyNode node, bool includeFiltered)
{
    TreeAssert(node != nullptr && node != root_, kInvalidParameter);
    PLazyNode result = node;
    do
        result = result->NextSibling;
    while (result && (!result->States.Has(vsVisible) || (!includeFiltered && IsEffectivelyFiltered(result))));
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousVisibleSibling(PLazyNode node, bool includeFiltered)
{
    TreeAssert(node != nullptr && node != root_, kInvalidParameter);
    PLazyNode result = node;
    do
        result = GetPreviousSibling(result);
    while (result && (!result->States.Has(vsVisible) || (!includeFiltered && IsEffectivelyFiltered(result))));
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousVisibleSiblingNoInit(PLazyNode node, bool includeFiltered)
{
    TreeAssert(node != nullptr && node != root_, kInvalidParameter);
    PLazyNode result = node;
    do
        result = result->PrevSibling;
    while (result && (!result->States.Has(vsVisible) || (!includeFiltered && IsEffectivelyFiltered(result))));
    return result;
}

PLazyNode TBaseLazyTree::GetVisibleParent(PLazyNode node, bool includeFiltered)
{
    TreeAssert(node != nullptr, "Node must not be nil.");
    TreeAssert(node != root_, kRootAssertion);
    PLazyNode result = node->Parent;
    while (result != root_ && (!FullyVisible(result) || (!includeFiltered && IsEffectivelyFiltered(result))))
        result = result->Parent;
    return result;
}

// ---- Visible children ------------------------------------------------------------------------------------

PLazyNode TBaseLazyTree::GetFirstVisibleChild(PLazyNode node, bool includeFiltered)
{
    PLazyNode result = GetFirstChild(node ? node : root_);
    if (result && (!result->States.Has(vsVisible) || (!includeFiltered && IsEffectivelyFiltered(result))))
        result = GetNextVisibleSibling(result, includeFiltered);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstVisibleChildNoInit(PLazyNode node, bool includeFiltered)
{
    PLazyNode result = GetFirstChildNoInit(node ? node : root_);
    if (result && (!result->States.Has(vsVisible) || (!includeFiltered && IsEffectivelyFiltered(result))))
        result = GetNextVisibleSiblingNoInit(result, includeFiltered);
    return result;
}

PLazyNode TBaseLazyTree::GetLastVisibleChild(PLazyNode node, bool includeFiltered)
{
    PLazyNode result;
    if (!node || node == root_)
        result = GetLastChild(root_);
    else if (FullyVisible(node) && node->States.Has(vsExpanded))
        result = GetLastChild(node);
    else
        result = nullptr;
    if (result && (!result->States.Has(vsVisible) || (!includeFiltered && IsEffectivelyFiltered(result))))
        result = GetPreviousVisibleSibling(result, includeFiltered);
    return result;
}

PLazyNode TBaseLazyTree::GetLastVisibleChildNoInit(PLazyNode node, bool includeFiltered)
{
    PLazyNode result;
    if (!node || node == root_)
        result = GetLastChildNoInit(root_);
    else if (FullyVisible(node) && node->States.Has(vsExpanded))
        result = GetLastChildNoInit(node);
    else
        result = nullptr;
    if (result && (!result->States.Has(vsVisible) || (!includeFiltered && IsEffectivelyFiltered(result))))
        result = GetPreviousVisibleSiblingNoInit(result, includeFiltered);
    return result;
}

// ---- Visible nodes ---------------------------------------------------------------------------------------

PLazyNode TBaseLazyTree::FirstVisibleImpl(PLazyNode node, bool considerChildrenAbove, bool includeFiltered, bool init)
{
    if (!node)
        node = root_;
    if (!node->States.Has(vsHasChildren))
        return nullptr;
    if (init && node->ChildCount == 0)
        InitializeChildren(node);
    PLazyNode result = node->FirstChild;
    if (!result)
        return nullptr;
    const auto initNode = [&](PLazyNode n) {
        if (init && !n->States.Has(vsInitialized))
            InitializeNode(n);
    };
    initNode(result);
    if (considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove)) {
        for (;;) {
            if (!result->States.Has(vsVisible)) {
                if (result->NextSibling) {
                    result = result->NextSibling;
                    initNode(result);
                    continue;
                }
                result = result->Parent == root_ ? nullptr : result->Parent;
                break;
            }
            if (init && result->States.Has(vsHasChildren) && result->ChildCount == 0)
                InitializeChildren(result);
            if (result->States.Has(vsExpanded) && result->FirstChild) {
                result = result->FirstChild;
                initNode(result);
                continue;
            }
            break;
        }
    } else if (!result->States.Has(vsVisible)) {
        PLazyNode cur = result;
        result = nullptr;
        while (cur && cur != root_ && !result) {
            for (PLazyNode s = cur->NextSibling; s; s = s->NextSibling) {
                initNode(s);
                if (s->States.Has(vsVisible)) {
                    result = s;
                    break;
                }
            }
            cur = cur->Parent;
        }
    }
    if (result && !includeFiltered && IsEffectivelyFiltered(result))
        result = init ? GetNextVisible(result, true) : GetNextVisibleNoInit(result, true);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstVisible(PLazyNode node, bool considerChildrenAbove, bool includeFiltered)
{
    return FirstVisibleImpl(node, considerChildrenAbove, includeFiltered, true);
}

PLazyNode TBaseLazyTree::GetFirstVisibleNoInit(PLazyNode node, bool considerChildrenAbove, bool includeFiltered)
{
    return FirstVisibleImpl(node, considerChildrenAbove, includeFiltered, false);
}

PLazyNode TBaseLazyTree::NextVisibleImpl(PLazyNode node, bool considerChildrenAbove, bool init)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    const bool childrenAbove = considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove);
    const auto initNode = [&](PLazyNode n) {
        if (init && !n->States.Has(vsInitialized))
            InitializeNode(n);
    };
    for (;;) {
        if ((init || !childrenAbove) && node != root_ && !FullyVisible(node))
            node = GetVisibleParent(node, true);
        PLazyNode candidate = nullptr;
        if (childrenAbove) {
            // Siblings come before their parent; a node's children come before it.
            if (node == root_)
                return nullptr;
            for (;;) {
                if (!node->NextSibling) {
                    node = node->Parent;
                    if (node == root_) {
                        node = nullptr;
                        break;
                    }
                    initNode(node);
                    if (node->States.Has(vsVisible))
                        break;
                } else {
                    node = node->NextSibling;
                    initNode(node);
                    if (!node->States.Has(vsVisible))
                        continue;
                    while (node->States.Has(vsExpanded) && node->FirstChild) {
                        node = node->FirstChild;
                        initNode(node);
                        if (!node->States.Has(vsVisible))
                            break;
                    }
                    if (node->States.Has(vsVisible))
                        break;
                }
            }
            candidate = node;
        } else {
            if (init && node->States.HasAll({vsExpanded, vsHasChildren}) && node->ChildCount == 0)
                InitializeChildren(node);
            PLazyNode from = node;
            if (node->States.Has(vsExpanded) && node->FirstChild) {
                PLazyNode child = node->FirstChild;
                initNode(child);
                if (child->States.Has(vsVisible))
                    candidate = child;
                from = child;
            }
            // Walk forward: the next shown sibling, else the parent's next siblings, up to the root.
            for (PLazyNode cur = from; !candidate && cur && cur != root_; cur = cur->Parent) {
                for (PLazyNode s = cur->NextSibling; s; s = s->NextSibling) {
                    initNode(s);
                    if (s->States.Has(vsVisible)) {
                        candidate = s;
                        break;
                    }
                }
            }
        }
        if (!candidate || !IsEffectivelyFiltered(candidate))
            return candidate;
        node = candidate;
    }
}

PLazyNode TBaseLazyTree::GetNextVisible(PLazyNode node, bool considerChildrenAbove)
{
    return NextVisibleImpl(node, considerChildrenAbove, true);
}

PLazyNode TBaseLazyTree::GetNextVisibleNoInit(PLazyNode node, bool considerChildrenAbove)
{
    return NextVisibleImpl(node, considerChildrenAbove, false);
}

// The predecessor of a shown node in children-above order among shown nodes: a hidden node is stepped over
// with everything below it.
PLazyNode TBaseLazyTree::VisiblePredecessorChildrenAbove(PLazyNode node, bool init)
{
    const auto initNode = [&](PLazyNode n) {
        if (init && !n->States.Has(vsInitialized))
            InitializeNode(n);
    };
    PLazyNode cur = node;
    bool descend = cur->States.Has(vsVisible);
    for (;;) {
        if (descend && cur->States.Has(vsExpanded) && cur->LastChild) {
            cur = cur->LastChild;
        } else if (cur->PrevSibling) {
            cur = cur->PrevSibling;
        } else {
            for (;;) {
                cur = cur->Parent;
                if (!cur || cur == root_)
                    return nullptr;
                for (PLazyNode s = cur->PrevSibling; s; s = s->PrevSibling) {
                    initNode(s);
                    if (s->States.Has(vsVisible))
                        return s;
                }
            }
        }
        initNode(cur);
        if (cur->States.Has(vsVisible))
            return cur;
        descend = false;
    }
}

// The last node at or below `node` (excluding it) that is fully visible in the given order.
PLazyNode TBaseLazyTree::LastVisibleBelow(PLazyNode node, bool childrenAbove, bool includeFiltered, bool init)
{
    if (!node)
        node = root_;
    if (node != root_ && !FullyVisible(node))
        return nullptr;
    if (!node->States.Has(vsExpanded))
        return nullptr;
    const auto lastShownChild = [](PLazyNode parent) {
        PLazyNode c = parent->LastChild;
        while (c && !c->States.Has(vsVisible))
            c = c->PrevSibling;
        return c;
    };
    PLazyNode result = lastShownChild(node);
    if (!childrenAbove) {
        while (result && result->States.Has(vsExpanded)) {
            PLazyNode c = lastShownChild(result);
            if (!c)
                break;
            result = c;
        }
    }
    while (result && !includeFiltered && IsEffectivelyFiltered(result)) {
        PLazyNode prev;
        if (childrenAbove) {
            prev = VisiblePredecessorChildrenAbove(result, false);
            if (prev && node != root_ && !HasAsParent(prev, node))
                prev = nullptr;
        } else {
            prev = result->PrevSibling;
            while (prev && !prev->States.Has(vsVisible))
                prev = prev->PrevSibling;
            if (prev) {
                while (prev->States.Has(vsExpanded)) {
                    PLazyNode c = lastShownChild(prev);
                    if (!c)
                        break;
                    prev = c;
                }
            } else {
                prev = result->Parent == node ? nullptr : result->Parent;
            }
        }
        result = prev;
    }
    if (result && init) {
        // The result and its ancestors below `node`, top down.
        std::vector<PLazyNode> chain;
        for (PLazyNode p = result; p && p != node && p != root_; p = p->Parent)
            chain.push_back(p);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            if (!(*it)->States.Has(vsInitialized))
                InitializeNode(*it);
    }
    return result;
}

PLazyNode TBaseLazyTree::GetLastVisible(PLazyNode node, bool considerChildrenAbove, bool includeFiltered)
{
    return LastVisibleBelow(
        node, considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove), includeFiltered, true);
}

PLazyNode TBaseLazyTree::GetLastVisibleNoInit(PLazyNode node, bool considerChildrenAbove, bool includeFiltered)
{
    return LastVisibleBelow(
        node, considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove), includeFiltered, false);
}

PLazyNode TBaseLazyTree::PreviousVisibleImpl(PLazyNode node, bool considerChildrenAbove, bool init)
{
    if (!node)
        return nullptr;
    TreeAssert(node != root_, kRootAssertion);
    const bool childrenAbove = considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove);
    for (;;) {
        PLazyNode candidate;
        if (!FullyVisible(node)) {
            PLazyNode parent = GetVisibleParent(node, true);
            if (parent == root_)
                parent = nullptr;
            PLazyNode last = LastVisibleBelow(parent, childrenAbove, false, init);
            candidate = last ? last : parent;
        } else if (childrenAbove) {
            candidate = VisiblePredecessorChildrenAbove(node, init);
        } else {
            PLazyNode sibling = node->PrevSibling;
            for (; sibling; sibling = sibling->PrevSibling) {
                if (init && !sibling->States.Has(vsInitialized))
                    InitializeNode(sibling);
                if (sibling->States.Has(vsVisible))
                    break;
            }
            if (sibling) {
                PLazyNode last = LastVisibleBelow(sibling, false, true, init);
                candidate = last ? last : sibling;
            } else {
                candidate = node->Parent == root_ ? nullptr : node->Parent;
            }
        }
        if (!candidate)
            return nullptr;
        if (init && !candidate->States.Has(vsInitialized))
            InitializeNode(candidate);
        if (GetEffectivelyVisible(candidate))
            return candidate;
        node = candidate;
    }
}

PLazyNode TBaseLazyTree::GetPreviousVisible(PLazyNode node, bool considerChildrenAbove)
{
    return PreviousVisibleImpl(node, considerChildrenAbove, true);
}

PLazyNode TBaseLazyTree::GetPreviousVisibleNoInit(PLazyNode node, bool considerChildrenAbove)
{
    return PreviousVisibleImpl(node, considerChildrenAbove, false);
}

// ---- Node sets -------------------------------------------------------------------------------------------

namespace {

TVTLazyNodeEnumeration MakeEnumeration(TBaseLazyTree* tree, TVZLazyNodeEnumerationMode mode)
{
    TVTLazyNodeEnumeration e;
    e.FTree = tree;
    e.FMode = mode;
    return e;
}

} // namespace

TVTLazyNodeEnumeration TBaseLazyTree::Nodes(bool considerChildrenAbove)
{
    auto e = MakeEnumeration(this, vneAll);
    e.FConsiderChildrenAbove = considerChildrenAbove;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::CheckedNodes(TCheckState state, bool considerChildrenAbove)
{
    auto e = MakeEnumeration(this, vneChecked);
    e.FState = state;
    e.FConsiderChildrenAbove = considerChildrenAbove;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::ChildNodes(PLazyNode node)
{
    auto e = MakeEnumeration(this, vneChild);
    e.FNode = node;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::CutCopyNodes(bool considerChildrenAbove)
{
    auto e = MakeEnumeration(this, vneCutCopy);
    e.FConsiderChildrenAbove = considerChildrenAbove;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::InitializedNodes(bool considerChildrenAbove)
{
    auto e = MakeEnumeration(this, vneInitialized);
    e.FConsiderChildrenAbove = considerChildrenAbove;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::LeafNodes()
{
    return MakeEnumeration(this, vneLeaf);
}

TVTLazyNodeEnumeration TBaseLazyTree::LevelNodes(uint32_t nodeLevel)
{
    auto e = MakeEnumeration(this, vneLevel);
    e.FNodeLevel = nodeLevel;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::NoInitNodes(bool considerChildrenAbove)
{
    auto e = MakeEnumeration(this, vneNoInit);
    e.FConsiderChildrenAbove = considerChildrenAbove;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::SelectedNodes(bool considerChildrenAbove)
{
    auto e = MakeEnumeration(this, vneSelected);
    e.FConsiderChildrenAbove = considerChildrenAbove;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::VisibleNodes(PLazyNode node, bool considerChildrenAbove, bool includeFiltered)
{
    auto e = MakeEnumeration(this, vneVisible);
    e.FNode = node;
    e.FConsiderChildrenAbove = considerChildrenAbove;
    e.FIncludeFiltered = includeFiltered;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::VisibleChildNodes(PLazyNode node, bool includeFiltered)
{
    auto e = MakeEnumeration(this, vneVisibleChild);
    e.FNode = node;
    e.FIncludeFiltered = includeFiltered;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::VisibleChildNoInitNodes(PLazyNode node, bool includeFiltered)
{
    auto e = MakeEnumeration(this, vneVisibleNoInitChild);
    e.FNode = node;
    e.FIncludeFiltered = includeFiltered;
    return e;
}

TVTLazyNodeEnumeration TBaseLazyTree::VisibleNoInitNodes(
    PLazyNode node, bool considerChildrenAbove, bool includeFiltered)
{
    auto e = MakeEnumeration(this, vneVisibleNoInit);
    e.FNode = node;
    e.FConsiderChildrenAbove = considerChildrenAbove;
    e.FIncludeFiltered = includeFiltered;
    return e;
}

PLazyNode TVTLazyNodeEnumeration::NextNodeOfEnumeration(PLazyNode current) const
{
    TBaseLazyTree& t = *FTree;
    const bool ca = FConsiderChildrenAbove;
    const bool first = current == nullptr;
    switch (FMode) {
    case vneAll:
        return first ? t.GetFirst(ca) : t.GetNext(current, ca);
    case vneChecked:
        return first ? t.GetFirstChecked(FState, ca) : t.GetNextChecked(current, FState, ca);
    case vneChild:
        return first ? t.GetFirstChild(FNode) : t.GetNextSibling(current);
    case vneCutCopy:
        return first ? t.GetFirstCutCopy(ca) : t.GetNextCutCopy(current, ca);
    case vneInitialized:
        return first ? t.GetFirstInitialized(ca) : t.GetNextInitialized(current, ca);
    case vneLeaf:
        return first ? t.GetFirstLeaf() : t.GetNextLeaf(current);
    case vneLevel:
        return first ? t.GetFirstLevel(FNodeLevel) : t.GetNextLevel(current, FNodeLevel);
    case vneNoInit:
        return first ? t.GetFirstNoInit(ca) : t.GetNextNoInit(current, ca);
    case vneSelected:
        return first ? t.GetFirstSelected(ca) : t.GetNextSelected(current, ca);
    case vneVisible: {
        PLazyNode n = first ? t.GetFirstVisible(FNode, ca, FIncludeFiltered) : t.GetNextVisible(current, true);
        while (n && !FIncludeFiltered && t.IsEffectivelyFiltered(n))
            n = t.GetNextVisible(n, true);
        return n;
    }
    case vneVisibleChild:
        return first ? t.GetFirstVisibleChild(FNode, FIncludeFiltered)
                     : t.GetNextVisibleSibling(current, FIncludeFiltered);
    case vneVisibleNoInitChild:
        return first ? t.GetFirstVisibleChildNoInit(FNode, FIncludeFiltered)
                     : t.GetNextVisibleSiblingNoInit(current, FIncludeFiltered);
    case vneVisibleNoInit: {
        PLazyNode n =
            first ? t.GetFirstVisibleNoInit(FNode, ca, FIncludeFiltered) : t.GetNextVisibleNoInit(current, ca);
        while (n && !FIncludeFiltered && t.IsEffectivelyFiltered(n))
            n = t.GetNextVisibleNoInit(n, ca);
        return n;
    }
    }
    return nullptr;
}

} // namespace lazytree
