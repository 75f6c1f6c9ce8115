// Bytes as a sequence of tree operations on the core alone: adding, inserting, deleting and moving nodes,
// child counts, hiding, filtering, toggling, heights, selection, checks, sorting, update brackets, keys,
// clicks, moves and the wheel, with lazily initialised nodes whose answers also come from the bytes. After
// every step a recount from the raw links must equal what the tree keeps; a misuse must raise before it
// changes anything.
#include "tests/controls/tree/core/tree_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace lazytree;

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool More() const { return pos_ < size_; }
    int Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

class FuzzTree : public TBaseLazyTree {
public:
    using TBaseLazyTree::PositionCache;
    using TBaseLazyTree::SelectRange;
    using TBaseLazyTree::StopCacheValidation;
    using TBaseLazyTree::ToggleRangeSelection;
};

class FixedView : public TreeView {
public:
    int ClientWidth() const override { return 300; }
    int ClientHeight() const override { return 200; }
    void Invalidate() override {}
    void InvalidateRect(const TRect&) override {}
    int SetScrollBar(TScrollBarKind, const ScrollBarState& s) override
    {
        return std::clamp(s.Position, 0, std::max(0, s.RangeMax - s.Page + 1));
    }
};

[[noreturn]] void Fail(int step, int op, const std::string& what)
{
    std::fprintf(stderr, "step %d, operation %d: %s\n", step, op, what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in(data, size);
    FixedView view;
    FuzzTree tree;
    tree.SetView(&view);
    tree.OnInitNode = [&](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates& states) {
        states = TLazyNodeInitStates::FromBits(static_cast<uint8_t>(in.Byte() & in.Byte() & 0x3F));
    };
    tree.OnInitChildren = [&](TBaseLazyTree*, PLazyNode, uint32_t& count) { count = in.Byte() % 6; };
    tree.OnCompareNodes = [&](TBaseLazyTree*, PLazyNode a, PLazyNode b, TColumnIndex, int& result) {
        result = static_cast<int>(a->NodeHeight) - static_cast<int>(b->NodeHeight);
    };
    auto selection = tree.TreeOptions().SelectionOptions();
    selection.Include(toMultiSelect);
    tree.TreeOptions().SetSelectionOptions(selection);

    const auto pick = [&]() -> PLazyNode {
        const int b = in.Byte();
        if (b >= 250)
            return b == 250 ? tree.RootNode() : nullptr;
        std::vector<PLazyNode> nodes = tree_test::AllNodes(tree);
        return nodes.empty() ? nullptr : nodes[static_cast<size_t>(b) % nodes.size()];
    };
    static const TVTNodeAttachMode kModes[] = {amNoWhere, amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast};
    int depth = 0;
    for (int step = 0; in.More() && step < 200; ++step) {
        const int op = in.Byte() % 34;
        PLazyNode node = pick();
        PLazyNode other = pick();
        const int value = in.Byte();
        const std::string before = tree_test::Snapshot(tree);
        try {
            switch (op) {
            case 0:
                tree.AddChild(node);
                break;
            case 1:
                tree.InsertNode(node, kModes[value % 5]);
                break;
            case 2:
                tree.DeleteNode(node);
                break;
            case 3:
                tree.MoveTo(node, other, kModes[value % 5], value & 0x80);
                break;
            case 4:
                tree.SetChildCount(node, value % 8);
                break;
            case 5:
                tree.SetVisible(node, value & 1);
                break;
            case 6:
                tree.SetFiltered(node, value & 1);
                break;
            case 7:
                if (node)
                    tree.ToggleNode(node);
                break;
            case 8:
                value & 1 ? tree.FullExpand(node) : tree.FullCollapse(node);
                break;
            case 9:
                tree.SetNodeHeight(node, value - 20);
                break;
            case 10:
                tree.SetSelected(node, value & 1);
                break;
            case 11:
                value & 1 ? tree.SelectAll(value & 2) : tree.InvertSelection(value & 2);
                break;
            case 12:
                tree.SelectRange(node, other, value & 1);
                break;
            case 13:
                tree.ToggleRangeSelection(node, other);
                break;
            case 14:
                if (depth < 4 && (value & 1)) {
                    tree.BeginUpdate();
                    ++depth;
                } else if (depth > 0) {
                    tree.EndUpdate();
                    --depth;
                }
                break;
            case 15:
                tree.DeleteChildren(node, value & 1);
                break;
            case 16:
                tree.Sort(node, NoColumn, value & 1 ? sdAscending : sdDescending, value & 2);
                break;
            case 17: {
                auto paint = tree.TreeOptions().PaintOptions();
                paint.Set(value & 1 ? toChildrenAbove : toShowFilteredNodes,
                    !paint.Has(value & 1 ? toChildrenAbove : toShowFilteredNodes));
                tree.TreeOptions().SetPaintOptions(paint);
                break;
            }
            case 18:
                tree.ReinitNode(node, value & 1);
                break;
            case 19:
                tree.SetCheckType(node, static_cast<TCheckType>(value % 5));
                tree.SetCheckState(node, static_cast<TCheckState>(value % 9));
                break;
            case 20:
                tree.ResetNode(node);
                break;
            case 21:
                value & 1 ? tree.DeleteSelectedNodes() : tree.Clear();
                break;
            case 22:
                tree.ScrollIntoView(node, value & 1, value & 2);
                break;
            case 23:
                if (node && node != tree.RootNode())
                    tree.GetDisplayRect(node, NoColumn, value & 1, value & 2);
                break;
            case 24:
                tree.SetRootNodeCount(value * 10);
                break;
            case 26: {
                int key = value;
                tree.KeyDown(key, TShiftState::FromBits(static_cast<uint8_t>(in.Byte() & 0x7F)));
                break;
            }
            case 27:
                tree.KeyPress(static_cast<char32_t>(value));
                break;
            case 28:
            case 29:
            case 30:
            case 31: {
                const auto button = static_cast<TMouseButton>(value % 3);
                const auto shift = TShiftState::FromBits(static_cast<uint8_t>(in.Byte() & 0x7F));
                const int x = in.Byte() * 2 - 50;
                const int y = in.Byte() * 2 - 50;
                if (op == 28)
                    tree.MouseButtonDown(button, shift, x, y);
                else if (op == 29)
                    tree.MouseButtonUp(button, shift, x, y);
                else if (op == 30)
                    tree.MouseMove(shift, x, y);
                else
                    tree.MouseButtonDoubleClick(button, shift, x, y);
                break;
            }
            case 32:
                tree.MouseWheel((value - 128) * 15, TShiftState::FromBits(static_cast<uint8_t>(in.Byte() & 0x7F)));
                break;
            case 33:
                value & 1 ? tree.FocusLost() : tree.FocusGained();
                break;
            default:
                tree.ValidateNode(node, value & 1);
                break;
            }
        } catch (const ETreeAssertion&) {
            if (tree_test::Snapshot(tree) != before)
                Fail(step, op, "an assertion changed the tree");
        } catch (const ELazyTreeError& e) {
            if (e.HelpContext() != hcTFWrongMoveError || tree_test::Snapshot(tree) != before)
                Fail(step, op, "a refused move changed the tree");
        }
        tree.GetNodeAt(0, 0);
        const std::string problems = tree_test::CheckInvariants(tree);
        if (!problems.empty())
            Fail(step, op, problems);
    }
    while (depth-- > 0)
        tree.EndUpdate();
    const std::string problems = tree_test::CheckInvariants(tree);
    if (!problems.empty())
        Fail(-1, -1, problems);
    return 0;
}
