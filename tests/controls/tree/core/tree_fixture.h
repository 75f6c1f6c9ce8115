#pragma once

// Fakes of the tree core's services, a tree that opens its protected operations to tests, an event log and
// a checker that recomputes every stored counter from the raw node links.

#include "controls/tree/core/lazy_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tree_test {

using namespace lazytree;

// A view whose client area and scroll bars behave like the platform's; calls are logged when asked.
class FakeView : public TreeView {
public:
    int width = 200;
    int height = 100;
    bool focused = false;
    std::vector<std::string>* log = nullptr;
    int invalidations = 0;
    std::vector<TRect> invalidatedRects;
    TreeView::ScrollBarState bars[2];

    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    void Invalidate() override
    {
        ++invalidations;
        Log("Invalidate");
    }
    void InvalidateRect(const TRect& r) override { invalidatedRects.push_back(r); }
    int SetScrollBar(TScrollBarKind bar, const ScrollBarState& state) override
    {
        bars[bar] = state;
        const int maxPosition = std::max(0, state.RangeMax - state.Page + 1);
        bars[bar].Position = std::clamp(state.Position, 0, maxPosition);
        return bars[bar].Position;
    }
    void SetRedrawSuspended(bool suspend) override { Log(suspend ? "RedrawOff" : "RedrawOn"); }
    bool HasFocus() const override { return focused; }
    void Log(const std::string& entry)
    {
        if (log)
            log->push_back(entry);
    }
};

// A clock the test moves by hand; due timers fire in deadline order.
class FakeClock : public TreeClock {
public:
    explicit FakeClock(TBaseLazyTree* tree = nullptr) : tree_(tree) {}
    void SetTree(TBaseLazyTree* tree) { tree_ = tree; }
    uint32_t Milliseconds() override { return now_; }
    void StartTimer(int id, uint32_t intervalMs) override
    {
        timers_[id] = now_ + intervalMs;
        starts.push_back({id, intervalMs});
    }
    void StopTimer(int id) override { timers_.erase(id); }
    bool Running(int id) const { return timers_.count(id) > 0; }
    uint32_t Now() const { return now_; }
    // Moves the clock by ms, firing every timer that falls due on the way.
    void Advance(uint32_t ms)
    {
        const uint32_t end = now_ + ms;
        for (;;) {
            auto next = std::min_element(timers_.begin(), timers_.end(),
                [](const auto& a, const auto& b) { return a.second < b.second; });
            if (next == timers_.end() || next->second > end)
                break;
            now_ = std::max(now_, next->second);
            const int id = next->first;
            timers_.erase(next);
            tree_->TimerFired(id);
        }
        now_ = end;
    }
    // Runs timers until none is left (each at its deadline), plus `lateness` ms per expiry.
    void RunAll(uint32_t lateness = 0)
    {
        while (!timers_.empty()) {
            auto next = std::min_element(timers_.begin(), timers_.end(),
                [](const auto& a, const auto& b) { return a.second < b.second; });
            now_ = std::max(now_, next->second) + lateness;
            const int id = next->first;
            timers_.erase(next);
            tree_->TimerFired(id);
        }
    }
    std::vector<std::pair<int, uint32_t>> starts;

private:
    TBaseLazyTree* tree_;
    uint32_t now_ = 1000;
    std::map<int, uint32_t> timers_;
};

// Every node's content is `width` pixels wide unless set per node.
class FakeMeasurer : public ContentMeasurer {
public:
    int width = 40;
    int fontHeight = 13;
    std::map<TImageSlot, TSize> images;
    std::map<PLazyNode, int> widths;
    int NodeContentWidth(TBaseLazyTree&, PLazyNode node, TColumnIndex) override
    {
        auto it = widths.find(node);
        return it == widths.end() ? width : it->second;
    }
    int FontHeight() override { return fontHeight; }
    TSize ImageSize(TImageSlot slot) override
    {
        auto it = images.find(slot);
        return it == images.end() ? TSize{} : it->second;
    }
};

// Opens the protected operations the tests drive directly.
class TestTree : public TBaseLazyTree {
public:
    using TBaseLazyTree::AddNodeToSelection;
    using TBaseLazyTree::AnchorRangeAtFocus;
    using TBaseLazyTree::CacheEntryCount;
    using TBaseLazyTree::CompareNodeOrder;
    using TBaseLazyTree::DeselectRange;
    using TBaseLazyTree::FindInSelection;
    using TBaseLazyTree::FireFocusChanging;
    using TBaseLazyTree::GetInternalData;
    using TBaseLazyTree::LevelDifference;
    using TBaseLazyTree::MarkDeselected;
    using TBaseLazyTree::MergeIntoSelection;
    using TBaseLazyTree::MoveFocus;
    using TBaseLazyTree::PositionCache;
    using TBaseLazyTree::ReserveInternalData;
    using TBaseLazyTree::SelectRange;
    using TBaseLazyTree::StartCacheValidation;
    using TBaseLazyTree::StopCacheValidation;
    using TBaseLazyTree::TempNodeCacheLength;
    using TBaseLazyTree::AppendToTempCache;
    using TBaseLazyTree::ToggleRangeSelection;
    using TBaseLazyTree::UnlinkNode;
    using TBaseLazyTree::ValidateCacheIfQueued;
    using TBaseLazyTree::FireGetNodeDataSize;
    using TBaseLazyTree::ComputeCellContentMargin;

    std::function<void(THitInfo&, int, int)> classify;

protected:
    void ClassifyHitLeftToRight(THitInfo& hitInfo, int x, int right, TAlignment) override
    {
        if (classify)
            classify(hitInfo, x, right);
    }
};

// All nodes in pre-order, from the raw links.
inline std::vector<PLazyNode> AllNodes(const TBaseLazyTree& tree)
{
    std::vector<PLazyNode> result;
    PLazyNode root = tree.RootNode();
    std::vector<PLazyNode> stack;
    for (PLazyNode c = root->LastChild; c; c = c->PrevSibling)
        stack.push_back(c);
    while (!stack.empty()) {
        PLazyNode n = stack.back();
        stack.pop_back();
        result.push_back(n);
        for (PLazyNode c = n->LastChild; c; c = c->PrevSibling)
            stack.push_back(c);
    }
    return result;
}

inline bool ShowFiltered(const TBaseLazyTree& tree)
{
    return tree.TreeOptions().PaintOptions().Has(toShowFilteredNodes);
}

inline bool EffectivelyFiltered(const TBaseLazyTree& tree, PLazyNode n)
{
    return n->States.Has(vsFiltered) && !ShowFiltered(tree);
}

// The rows of the tree in display order (pre-order, or children first under toChildrenAbove).
inline void CollectRows(const TBaseLazyTree& tree, PLazyNode parent, bool childrenAbove, std::vector<PLazyNode>& rows)
{
    for (PLazyNode c = parent->FirstChild; c; c = c->NextSibling) {
        if (!c->States.Has(vsVisible))
            continue;
        const bool own = !EffectivelyFiltered(tree, c);
        if (!childrenAbove && own)
            rows.push_back(c);
        if (c->States.Has(vsExpanded))
            CollectRows(tree, c, childrenAbove, rows);
        if (childrenAbove && own)
            rows.push_back(c);
    }
}

inline std::vector<PLazyNode> Rows(const TBaseLazyTree& tree)
{
    std::vector<PLazyNode> rows;
    CollectRows(tree, tree.RootNode(), tree.TreeOptions().PaintOptions().Has(toChildrenAbove), rows);
    return rows;
}

// Recomputes every stored counter and flag from the links; an empty string means all agree.
inline std::string CheckInvariants(TestTree& tree)
{
    std::ostringstream out;
    PLazyNode root = tree.RootNode();
    // Inside an update bracket the hidden-children flags may wait for its end.
    const bool flagsDeferred = tree.TreeStates().Has(tsUpdateHiddenChildrenNeeded);
    std::function<void(PLazyNode)> check = [&](PLazyNode node) {
        uint32_t count = 0;
        uint64_t totalCount = 1;
        uint64_t childrenHeight = 0;
        bool anyShown = false;
        PLazyNode previous = nullptr;
        for (PLazyNode c = node->FirstChild; c; c = c->NextSibling) {
            if (c->Parent != node)
                out << "node " << c << ": wrong parent\n";
            if (c->PrevSibling != previous)
                out << "node " << c << ": wrong previous sibling\n";
            if (c->Index != count)
                out << "node " << c << ": index " << c->Index << ", expected " << count << "\n";
            check(c);
            totalCount += c->TotalCount;
            if (c->States.Has(vsVisible))
                childrenHeight += c->TotalHeight;
            if (c->States.Has(vsVisible) && !EffectivelyFiltered(tree, c))
                anyShown = true;
            previous = c;
            ++count;
        }
        if (node->LastChild != previous)
            out << "node " << node << ": wrong last child\n";
        if (node->ChildCount != count)
            out << "node " << node << ": ChildCount " << node->ChildCount << ", chain " << count << "\n";
        if (node->TotalCount != totalCount)
            out << "node " << node << ": TotalCount " << node->TotalCount << ", recount " << totalCount << "\n";
        const uint64_t own = node != root && EffectivelyFiltered(tree, node) ? 0 : node->NodeHeight;
        const uint64_t height = own + (node->States.Has(vsExpanded) ? childrenHeight : 0);
        if (node->TotalHeight != height)
            out << "node " << node << ": TotalHeight " << node->TotalHeight << ", recount " << height << "\n";
        if (node != root && count > 0 && !flagsDeferred && node->States.Has(vsAllChildrenHidden) == anyShown) {
            out << "node " << node << ": vsAllChildrenHidden wrong (states " << std::hex << node->States.Bits()
                << ", children";
            for (PLazyNode c = node->FirstChild; c; c = c->NextSibling)
                out << " " << c->States.Bits();
            out << std::dec << ")\n";
        }
        if (node != root && node->States.HasAny({vsChecking, vsDeleting, vsToggling, vsInitializing}))
            out << "node " << node << ": transient state left\n";
    };
    check(root);

    const std::vector<PLazyNode> rows = Rows(tree);
    if (tree.VisibleCount() != rows.size())
        out << "VisibleCount " << tree.VisibleCount() << ", recount " << rows.size() << "\n";
    const uint64_t rangeY = root->TotalHeight - root->NodeHeight + tree.BottomSpace();
    if (tree.RangeY() != rangeY)
        out << "RangeY " << tree.RangeY() << ", recount " << rangeY << "\n";

    // The selection: vsSelected exactly for the listed nodes, listed once, in address order.
    std::vector<PLazyNode> listed;
    const TNodeArray& array = tree.SelectionArray();
    bool marked = false;
    for (uint32_t i = 0; i < tree.SelectedCount() && i < array.size(); ++i) {
        if (IsMarkedNode(array[i]))
            marked = true;
        else
            listed.push_back(array[i]);
    }
    if (array.size() < tree.SelectedCount())
        out << "selection array shorter than its count\n";
    if (!marked && array.size() != tree.SelectedCount())
        out << "selection array length " << array.size() << ", count " << tree.SelectedCount() << "\n";
    for (std::size_t i = 1; i < listed.size(); ++i)
        if (!(reinterpret_cast<uintptr_t>(listed[i - 1]) < reinterpret_cast<uintptr_t>(listed[i])))
            out << "selection not sorted or not unique at " << i << "\n";
    std::vector<PLazyNode> selected;
    for (PLazyNode n : AllNodes(tree))
        if (n->States.Has(vsSelected))
            selected.push_back(n);
    std::sort(selected.begin(), selected.end(),
        [](PLazyNode a, PLazyNode b) { return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b); });
    if (selected != listed)
        out << "vsSelected nodes (" << selected.size() << ") differ from the listed ones (" << listed.size() << ")\n";

    // A cache in use equals one built from scratch.
    if (tree.TreeStates().Has(tsUseCache)) {
        const TCache& cache = tree.PositionCache();
        std::size_t expected = rows.size() <= 1 ? 0 : (rows.size() + 1999) / 2000;
        if (cache.size() != expected)
            out << "cache has " << cache.size() << " entries, expected " << expected << "\n";
        uint32_t top = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i % 2000 == 0 && i / 2000 < cache.size()) {
                const TCacheEntry& e = cache[i / 2000];
                if (e.Node != rows[i] || e.AbsoluteTop != top)
                    out << "cache entry " << i / 2000 << " stale\n";
            }
            top += rows[i]->NodeHeight;
        }
    }
    return out.str();
}

// Events as text, for order checks.
struct EventLog {
    std::vector<std::string> entries;
    std::map<PLazyNode, std::string> names;

    std::string Name(PLazyNode node) const
    {
        if (!node)
            return "nil";
        auto it = names.find(node);
        return it == names.end() ? "?" : it->second;
    }
    void Add(const std::string& s) { entries.push_back(s); }
    std::string Joined() const
    {
        std::string result;
        for (const auto& e : entries)
            result += (result.empty() ? "" : " ") + e;
        return result;
    }
    void Clear() { entries.clear(); }
};

inline const char* ReasonName(TChangeReason reason)
{
    static const char* const kNames[] = {
        "crIgnore", "crAccumulated", "crChildAdded", "crChildDeleted", "crNodeAdded", "crNodeCopied", "crNodeMoved"};
    return kNames[reason];
}

// Builds nodes from a compact shape: "A(a1 a2(x) a3) B" makes top-level A with three children, one of
// which has a child, and top-level B. Names go to the log.
inline void BuildShape(TBaseLazyTree& tree, const std::string& shape, EventLog& log)
{
    std::vector<PLazyNode> parents{nullptr};
    std::string name;
    PLazyNode last = nullptr;
    const auto flush = [&] {
        if (name.empty())
            return;
        last = tree.AddChild(parents.back());
        log.names[last] = name;
        name.clear();
    };
    for (char ch : shape) {
        if (ch == '(') {
            flush();
            parents.push_back(last);
        } else if (ch == ')') {
            flush();
            parents.pop_back();
        } else if (ch == ' ') {
            flush();
        } else {
            name += ch;
        }
    }
    flush();
}

inline PLazyNode Named(const EventLog& log, const std::string& name)
{
    for (const auto& [node, n] : log.names)
        if (n == name)
            return node;
    return nullptr;
}

} // namespace tree_test

namespace tree_test {

// Everything a misuse must leave alone, as text.
inline std::string Snapshot(TBaseLazyTree& tree)
{
    std::ostringstream out;
    out << tree.RootNode()->TotalCount << "/" << tree.VisibleCount() << "/" << tree.RangeY() << "/"
        << tree.SelectedCount() << "/" << tree.FocusedNode() << "/" << tree.TreeStates().Bits() << ":";
    for (PLazyNode n : AllNodes(tree))
        out << n << "," << n->States.Bits() << "," << n->Index << "," << n->TotalHeight << "," << n->TotalCount << ","
            << int(n->CheckState) << ";";
    return out.str();
}

} // namespace tree_test
