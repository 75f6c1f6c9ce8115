// The selection array (sorted by node address, merged in bulk, deselections marked until compaction), its
// constraints, ranges, the anchor, the focus, and the public selection entry points.

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lazytree {

namespace {

bool Below(PLazyNode a, PLazyNode b)
{
    return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b);
}

} // namespace

void SortNodeArray(TNodeArray& nodes, int first, int last)
{
    while (first < last) {
        int i = first;
        int j = last;
        const PLazyNode pivot = nodes[(first + last) / 2];
        while (i <= j) {
            while (Below(nodes[i], pivot))
                ++i;
            while (Below(pivot, nodes[j]))
                --j;
            if (i <= j) {
                std::swap(nodes[i], nodes[j]);
                ++i;
                --j;
            }
        }
        if (first < j)
            SortNodeArray(nodes, first, j);
        first = i;
    }
}

// ---- The array -------------------------------------------------------------------------------------------

bool TBaseLazyTree::FindInSelection(PLazyNode node, int& index, int lowBound, int highBound) const
{
    int hi = highBound < 0 ? selectionCount_ - 1 : highBound;
    int lo = lowBound < 0 ? 0 : lowBound;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (Below(selection_[mid], node)) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (selection_[mid] == node) {
                lo = mid;
                found = true;
            }
        }
    }
    index = lo;
    return found;
}

void TBaseLazyTree::AddNodeToSelection(PLazyNode node, bool forceInsert)
{
    TreeAssert(node != nullptr, "Node must not be nil!");
    singletonNodeArray_.assign(1, node);
    MergeIntoSelection(singletonNodeArray_, 1, forceInsert);
}

bool TBaseLazyTree::MergeIntoSelection(TNodeArray& newItems, uint32_t newLength, bool forceInsert)
{
    const int oldCount = selectionCount_;
    if (forceInsert) {
        for (uint32_t i = 0; i < newLength; ++i) {
            newItems[i]->States.Include(vsSelected);
            ++selectionCount_;
            FireAddToSelection(newItems[i]);
        }
    } else {
        const auto& selectionOptions = options_->SelectionOptions();
        const bool levelConstraint = selectionOptions.Has(toLevelSelectConstraint);
        const bool siblingConstraint = selectionOptions.Has(toSiblingSelectConstraint);
        if (levelConstraint && lastSelectionLevel_ == -1 && newLength > 0)
            lastSelectionLevel_ = static_cast<int>(GetNodeLevel(newItems[0]));
        if (siblingConstraint && !rangeAnchor_ && newLength > 0)
            rangeAnchor_ = newItems[0];
        for (uint32_t i = 0; i < newLength; ++i) {
            PLazyNode node = newItems[i];
            const bool refused = node->States.HasAny({vsDisabled, vsSelected}) ||
                (levelConstraint && static_cast<int>(GetNodeLevel(node)) != lastSelectionLevel_) ||
                (siblingConstraint && node->Parent != rangeAnchor_->Parent);
            if (refused) {
                newItems[i] = MarkedNode(node);
            } else {
                node->States.Include(vsSelected);
                ++selectionCount_;
                FireAddToSelection(node);
            }
        }
    }
    const int kept = CompactNodeArray(newItems, static_cast<int>(newLength));
    if (kept >= 0)
        newLength = static_cast<uint32_t>(kept);
    if (newLength == 0)
        return false;
    if (newLength > 1)
        SortNodeArray(newItems, 0, static_cast<int>(newLength) - 1);
    const std::size_t total = static_cast<std::size_t>(oldCount) + newLength;
    if (selection_.size() <= total)
        selection_.resize(total);
    int i = static_cast<int>(newLength) - 1;
    int j = oldCount - 1;
    while (i >= 0) {
        if (j < 0) {
            std::copy(newItems.begin(), newItems.begin() + i + 1, selection_.begin());
            break;
        }
        while (i >= 0 && Below(selection_[j], newItems[i])) {
            selection_[j + i + 1] = newItems[i];
            --i;
        }
        if (i < 0)
            break;
        int p = 0;
        FindInSelection(newItems[i], p, 0, j);
        std::move_backward(selection_.begin() + p, selection_.begin() + j + 1, selection_.begin() + j + i + 2);
        j = p - 1;
    }
    if (static_cast<int>(total) != selectionCount_)
        TreeAssertionFailed("Fixing issue #487 seems to ahve caused a problem here.");
    selection_.resize(total);
    return true;
}

void TBaseLazyTree::RemoveFromSelection(PLazyNode node)
{
    if (selectionLocked_)
        return;
    TreeAssert(node != nullptr, "Node must not be nil!");
    if (std::this_thread::get_id() != mainThread_)
        TreeAssertionFailed(std::string(ClassName()) + ".RemoveFromSelection() must only be called from UI thread.");
    if (!node->States.Has(vsSelected))
        return;
    node->States.Exclude(vsSelected);
    int index = 0;
    if (FindInSelection(node, index, -1, -1) && index < selectionCount_ - 1)
        std::move(selection_.begin() + index + 1, selection_.begin() + selectionCount_, selection_.begin() + index);
    if (selectionCount_ > 0)
        --selectionCount_;
    selection_.resize(static_cast<std::size_t>(selectionCount_));
    if (selectionCount_ == 0)
        AnchorRangeAtFocus();
    if (selectionCount_ <= 1)
        ChooseNextNodeToSelect(node);
    FireRemoveFromSelection(node);
    NotifyChange(node);
}

void TBaseLazyTree::MarkDeselected(PLazyNode node)
{
    int index = 0;
    if (!FindInSelection(node, index, -1, -1))
        return;
    node->States.Exclude(vsSelected);
    selection_[index] = MarkedNode(node);
    FireRemoveFromSelection(node);
    RecordPendingChange(false, node, crIgnore);
}

void TBaseLazyTree::CompactSelection()
{
    const int kept = CompactNodeArray(selection_, selectionCount_);
    if (kept >= 0) {
        selectionCount_ = kept;
        selection_.resize(static_cast<std::size_t>(kept));
    }
}

void TBaseLazyTree::DropWholeSelection()
{
    if (updateCount_ > 0)
        CompactSelection();
    while (selectionCount_ > 0) {
        --selectionCount_;
        PLazyNode node = selection_[selectionCount_];
        if (IsMarkedNode(node))
            continue;
        node->States.Exclude(vsSelected);
        FireRemoveFromSelection(node);
    }
    AnchorRangeAtFocus();
    selection_.clear();
    ChangeTreeStates({}, {tsClearPending});
}

// ---- Temporary cache -------------------------------------------------------------------------------------

void TBaseLazyTree::AppendToTempCache(PLazyNode node)
{
    if (tempNodeCache_.size() == tempNodeCount_) {
        const std::size_t length = tempNodeCache_.size();
        tempNodeCache_.resize(length < 100 ? 100 : length + length / 10);
    }
    tempNodeCache_[tempNodeCount_++] = node;
}

void TBaseLazyTree::ResetTempNodeCache()
{
    TNodeArray().swap(tempNodeCache_);
    tempNodeCount_ = 0;
}

// ---- Ranges ----------------------------------------------------------------------------------------------

void TBaseLazyTree::SelectRange(PLazyNode startNode, PLazyNode endNode, bool addOnly)
{
    TreeAssert(endNode != nullptr, "EndNode must not be nil!");
    if (selectionLocked_)
        return;
    // The hidden root is no row: as a start it means none, as an end there is no range.
    if (endNode == root_)
        return;
    if (startNode == root_)
        startNode = nullptr;
    ResetTempNodeCache();
    if (!startNode || (!FullyVisible(startNode) && !GetPreviousVisibleNoInit(startNode, true)))
        startNode = GetFirstVisibleNoInit(nullptr, true, false);
    else if (!FullyVisible(startNode))
        startNode = GetPreviousVisibleNoInit(startNode, true);
    if (!startNode)
        return;
    PLazyNode first = startNode;
    PLazyNode last = endNode;
    if (CompareNodeOrder(startNode, endNode, true) > 0)
        std::swap(first, last);
    PLazyNode anchor = rangeAnchor_;
    if (!addOnly)
        DropWholeSelection();
    for (PLazyNode n = first; n; n = GetNextVisibleNoInit(n, true)) {
        AppendToTempCache(n);
        if (n == last)
            break;
    }
    IncludeNodesInSelection(tempNodeCache_, tempNodeCount_, false);
    ResetTempNodeCache();
    if (anchor && anchor->States.Has(vsSelected))
        rangeAnchor_ = anchor;
}

void TBaseLazyTree::ToggleRangeSelection(PLazyNode startNode, PLazyNode endNode)
{
    TreeAssert(endNode != nullptr, "EndNode must not be nil!");
    if (selectionLocked_)
        return;
    // The hidden root is no row: as a start it means none, as an end there is no range.
    if (endNode == root_)
        return;
    if (startNode == root_)
        startNode = nullptr;
    if (!startNode)
        startNode = root_->FirstChild;
    else if (!FullyVisible(startNode))
        startNode = GetPreviousVisibleNoInit(startNode, true);
    if (!startNode)
        return;
    const int position = CompareNodeOrder(startNode, endNode, false);
    if (position == 0)
        return;
    ResetTempNodeCache();
    PLazyNode from = position < 0 ? startNode : endNode;
    PLazyNode to = position < 0 ? endNode : startNode;
    const auto toggle = [&](PLazyNode n) {
        if (n->States.Has(vsSelected))
            MarkDeselected(n);
        else
            AppendToTempCache(n);
    };
    if (!rangeAnchor_ || CompareNodeOrder(from, rangeAnchor_, false) < 0)
        toggle(from);
    for (PLazyNode n = GetNextVisibleNoInit(from, false); n && n != to; n = GetNextVisibleNoInit(n, false))
        toggle(n);
    if (!rangeAnchor_ || CompareNodeOrder(to, rangeAnchor_, false) > 0)
        toggle(to);
    CompactSelection();
    if (rangeAnchor_ && !rangeAnchor_->States.Has(vsSelected))
        AppendToTempCache(rangeAnchor_);
    if (tempNodeCount_ > 0)
        IncludeNodesInSelection(tempNodeCache_, tempNodeCount_, false);
    ResetTempNodeCache();
}

void TBaseLazyTree::DeselectRange(PLazyNode startNode, PLazyNode endNode)
{
    TreeAssert(endNode != nullptr, "EndNode must not be nil!");
    if (selectionLocked_)
        return;
    // The hidden root is no row: as a start it means none, as an end there is no range.
    if (endNode == root_)
        return;
    if (startNode == root_)
        startNode = nullptr;
    if (!startNode || (!FullyVisible(startNode) && !GetPreviousVisibleNoInit(startNode, true)))
        startNode = root_->FirstChild;
    else if (!FullyVisible(startNode))
        startNode = GetPreviousVisibleNoInit(startNode, true);
    if (!startNode)
        return;
    PLazyNode first = startNode;
    PLazyNode last = endNode;
    if (CompareNodeOrder(startNode, endNode, false) > 0)
        std::swap(first, last);
    for (PLazyNode n = first; n; n = GetNextVisibleNoInit(n, false)) {
        MarkDeselected(n);
        if (n == last)
            break;
    }
    CompactSelection();
}

// ---- Focus and anchor ------------------------------------------------------------------------------------

void TBaseLazyTree::AnchorRangeAtFocus()
{
    rangeAnchor_ = focusedNode_;
    lastSelectionLevel_ = -1;
}

void TBaseLazyTree::ChooseNextNodeToSelect(PLazyNode node)
{
    if (!options_->SelectionOptions().Has(toAlwaysSelectNode))
        return;
    if (node->NextSibling)
        nextNodeToSelect_ = node->NextSibling;
    else if (node->PrevSibling)
        nextNodeToSelect_ = node->PrevSibling;
    else if (GetNodeLevel(node) > 0)
        nextNodeToSelect_ = node->Parent;
    else
        nextNodeToSelect_ = GetFirstChild(node);
}

void TBaseLazyTree::EnsureNodeSelected()
{
    if (!options_->SelectionOptions().Has(toAlwaysSelectNode) || root_->TotalCount < 2)
        return;
    if (selectionCount_ == 0 && !selectionLocked_) {
        if (nextNodeToSelect_)
            SetSelected(nextNodeToSelect_, true);
        else if (view_ && view_->HasFocus())
            SetSelected(GetFirstVisible(nullptr, true), true);
    }
    EnsureFocusedNode();
    ScrollIntoView(GetFirstSelected(), false, false);
}

void TBaseLazyTree::EnsureFocusedNode()
{
    if (focusedNode_)
        return;
    SetFocusedNode(GetFirstSelected());
    if (!focusedNode_)
        SetFocusedNode(GetFirstVisible(nullptr, true));
}

void TBaseLazyTree::MoveFocus(PLazyNode node, bool ask)
{
    if (states_.Has(tsEditing) && !EndEditNode())
        return;
    if (node == root_)
        node = nullptr;
    bool allowed = true;
    if (node != focusedNode_ && ask)
        allowed = FireFocusChanging(focusedNode_, node, focusedColumn_, focusedColumn_);
    const auto& autoOptions = options_->AutoOptions();
    if (node != focusedNode_ && allowed) {
        if (PLazyNode old = focusedNode_) {
            if (autoOptions.Has(toAutoExpand) && node && node->Parent == old->Parent && old->States.Has(vsExpanded))
                ToggleNode(old);
            else
                InvalidateNode(old);
        }
        focusedNode_ = node;
    }
    if (focusedNode_) {
        if (Header().UseColumns() && !Header().IsValidColumn(focusedColumn_))
            focusedColumn_ = Header().MainColumn();
        if (autoOptions.Has(toAutoExpand) && !focusedNode_->States.Has(vsExpanded))
            ToggleNode(focusedNode_);
        InvalidateNode(focusedNode_);
        if (updateCount_ == 0 && !autoOptions.Has(toDisableAutoscrollOnFocus)) {
            const auto& selectionOptions = options_->SelectionOptions();
            const bool center = selectionOptions.Has(toCenterScrollIntoView) &&
                !states_.HasAny({tsLeftButtonDown, tsMiddleButtonDown, tsRightButtonDown});
            ScrollIntoView(focusedNode_, center, !selectionOptions.Has(toFullRowSelect));
        }
    }
    if (selectionCount_ == 0)
        AnchorRangeAtFocus();
}

void TBaseLazyTree::SetFocusedNode(PLazyNode node)
{
    if (node == root_)
        node = nullptr;
    PLazyNode old = focusedNode_;
    MoveFocus(node, true);
    if (focusedNode_ == node && old != focusedNode_)
        FireFocusChanged(focusedNode_, focusedColumn_);
}

void TBaseLazyTree::SetFocusedColumn(TColumnIndex value)
{
    if (value == focusedColumn_)
        return;
    const TColumnIndex old = focusedColumn_;
    if (!FireFocusChanging(focusedNode_, focusedNode_, old, value))
        return;
    CancelEditNode();
    InvalidateColumn(old);
    InvalidateColumn(value);
    focusedColumn_ = value;
    if (focusedNode_ && !options_->AutoOptions().Has(toDisableAutoscrollOnFocus)) {
        if (ScrollIntoView(focusedNode_, options_->SelectionOptions().Has(toCenterScrollIntoView), true))
            InvalidateNode(focusedNode_);
    }
    if (dropTargetNode_)
        InvalidateNode(dropTargetNode_);
    FireFocusChanged(focusedNode_, value);
}

void TBaseLazyTree::FocusNodeAndColumn(PLazyNode node, TColumnIndex column)
{
    if (node == root_)
        node = nullptr;
    if (!Header().AllowFocus(column))
        column = focusedColumn_;
    const bool changed = node != focusedNode_ || column != focusedColumn_;
    const TColumnIndex oldColumn = focusedColumn_;
    focusedColumn_ = column;
    MoveFocus(node, true);
    if (node == focusedNode_) {
        CancelEditNode();
        if (changed)
            FireFocusChanged(focusedNode_, focusedColumn_);
    } else {
        focusedColumn_ = oldColumn;
    }
}

// ---- Selected property and single nodes ------------------------------------------------------------------

void TBaseLazyTree::SetSelected(PLazyNode node, bool value)
{
    if (selectionLocked_ || !node || node == root_ || node->States.Has(vsSelected) == value)
        return;
    const auto& selectionOptions = options_->SelectionOptions();
    const bool multi = selectionOptions.Has(toMultiSelect);
    if (value) {
        if (selectionCount_ == 0)
            rangeAnchor_ = node;
        else if (!multi)
            ClearSelection();
        AddToSelection(node);
        if (!multi)
            SetFocusedNode(node);
        const TColumnIndex main = Header().MainColumn();
        if ((focusedColumn_ == NoColumn || !Header().IsVisible(focusedColumn_)) && main >= 0) {
            if (Header().IsVisible(main) && Header().AllowFocus(main))
                focusedColumn_ = main;
            else
                focusedColumn_ = Header().FirstVisibleColumn(true);
        }
        if (!rangeAnchor_)
            rangeAnchor_ = node;
    } else {
        RemoveFromSelection(node);
        if (selectionCount_ == 0) {
            rangeAnchor_ = focusedNode_;
            lastSelectionLevel_ = -1;
        }
    }
    if (FullyVisible(node) && !IsEffectivelyFiltered(node))
        InvalidateNode(node);
}

void TBaseLazyTree::AddToSelection(PLazyNode node)
{
    if (selectionLocked_)
        return;
    TreeAssert(node != nullptr, "Node must not be nil!");
    singletonNodeArray_.assign(1, node);
    if (!MergeIntoSelection(singletonNodeArray_, 1, false))
        return;
    if (selectionCount_ == 1)
        SetFocusedNode(node);
    InvalidateNode(node);
    NotifyChange(node);
}

void TBaseLazyTree::IncludeNodesInSelection(TNodeArray& nodes, uint32_t count, bool unchecked)
{
    if (selectionLocked_)
        return;
    if (!MergeIntoSelection(nodes, count, unchecked))
        return;
    if (count == 1) {
        InvalidateNode(nodes[0]);
        NotifyChange(nodes[0]);
    } else {
        Invalidate();
        NotifyChange(nullptr);
    }
}

// ---- Entry points ----------------------------------------------------------------------------------------

void TBaseLazyTree::SelectAll(bool visibleOnly)
{
    if (selectionLocked_ || !options_->SelectionOptions().Has(toMultiSelect))
        return;
    ResetTempNodeCache();
    PLazyNode node = visibleOnly ? GetFirstVisible(nullptr, true, false) : GetFirst(false);
    while (node) {
        if (!node->States.Has(vsSelected))
            AppendToTempCache(node);
        node = visibleOnly ? GetNextVisible(node, false) : GetNext(node, false);
    }
    if (tempNodeCount_ > 0)
        IncludeNodesInSelection(tempNodeCache_, tempNodeCount_, false);
    ResetTempNodeCache();
    Invalidate();
}

void TBaseLazyTree::InvertSelection(bool visibleOnly)
{
    if (selectionLocked_ || !options_->SelectionOptions().Has(toMultiSelect))
        return;
    ResetTempNodeCache();
    PLazyNode node = root_->FirstChild;
    while (node) {
        if (node->States.Has(vsSelected))
            MarkDeselected(node);
        else
            AppendToTempCache(node);
        node = visibleOnly ? GetNextVisibleNoInit(node, false) : GetNextNoInit(node, false);
    }
    bool changed = false;
    const int kept = CompactNodeArray(selection_, selectionCount_);
    if (kept >= 0) {
        selectionCount_ = kept;
        selection_.resize(static_cast<std::size_t>(kept));
        changed = true;
    }
    if (tempNodeCount_ > 0) {
        IncludeNodesInSelection(tempNodeCache_, tempNodeCount_, false);
        ResetTempNodeCache();
        changed = false;
    }
    Invalidate();
    if (changed)
        NotifyChange(nullptr);
    if (selectionCount_ == 0)
        nextNodeToSelect_ = nullptr;
}

void TBaseLazyTree::ClearSelection()
{
    ClearSelectionInternal(true);
}

void TBaseLazyTree::ClearSelectionInternal(bool notify)
{
    if (selectionLocked_ || selectionCount_ == 0 || destroying_)
        return;
    if (updateCount_ == 0 && view_ && visibleCount_ > 0) {
        int top = 0;
        PLazyNode node = GetNodeAt(0, 0, true, top);
        int left = 0, right = 0;
        if (node) {
            const TRect r = GetDisplayRect(node, NoColumn, false);
            left = r.Left;
            right = r.Right;
            top = r.Top;
        }
        int remaining = selectionCount_;
        const int height = ClientHeight();
        while (node && remaining > 0 && top <= height) {
            const int bottom = top + node->NodeHeight;
            if (node->States.Has(vsSelected)) {
                view_->InvalidateRect({left, top, right, bottom});
                --remaining;
            }
            top = bottom;
            node = GetNextVisibleNoInit(node, true);
        }
    }
    DropWholeSelection();
    if (notify)
        NotifyChange(nullptr);
}

TNodeArray TBaseLazyTree::GetSortedSelection(bool resolve)
{
    TNodeArray result;
    if (selectionCount_ <= 0)
        return result;
    result.reserve(static_cast<std::size_t>(selectionCount_));
    PLazyNode node = root_->FirstChild;
    while (node && result.size() < static_cast<std::size_t>(selectionCount_)) {
        if (node->States.Has(vsSelected)) {
            result.push_back(node);
            if (resolve) {
                PLazyNode p = node;
                while (p != root_ && !p->NextSibling)
                    p = p->Parent;
                node = p == root_ ? nullptr : p->NextSibling;
                continue;
            }
        }
        node = GetNextNoInit(node, false);
    }
    return result;
}

} // namespace lazytree
