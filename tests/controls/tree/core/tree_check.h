#pragma once

// A recount of every counter and flag the tree keeps, from the raw node links; shared by the tests and the
// operations fuzz target (no test framework here). The tree type must open PositionCache().

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace tree_test {

using namespace lazytree;

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
template <class Tree>
inline std::string CheckInvariants(Tree& tree)
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
