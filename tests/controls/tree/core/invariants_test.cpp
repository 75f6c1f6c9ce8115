// Seeded random sequences of tree operations; after every step a recount from the raw links must equal
// what the tree keeps. ORVANO_TREE_SEEDS sets how many seeds run (CI runs many).

#include "tree_fixture.h"

#include <cstdlib>
#include <random>

using namespace tree_test;

namespace {

class RandomTreeRun {
public:
    explicit RandomTreeRun(uint32_t seed) : rng_(seed)
    {
        tree_.SetView(&view_);
        tree_.SetMeasurer(&measurer_);
        view_.height = 300;
        auto misc = tree_.TreeOptions().MiscOptions();
        misc.Exclude(toReadOnly);
        tree_.TreeOptions().SetMiscOptions(misc);
        auto selection = tree_.TreeOptions().SelectionOptions();
        selection.Include(toMultiSelect);
        tree_.TreeOptions().SetSelectionOptions(selection);
        // Lazy nodes: some report children, some come expanded, filtered, selected or disabled.
        tree_.OnInitNode = [this](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates& states) {
            if (Chance(20))
                states.Include(ivsHasChildren);
            if (Chance(8))
                states.Include(ivsExpanded);
            if (Chance(6))
                states.Include(ivsFiltered);
            if (Chance(4))
                states.Include(ivsSelected);
            if (Chance(3))
                states.Include(ivsDisabled);
        };
        tree_.OnInitChildren = [this](TBaseLazyTree*, PLazyNode, uint32_t& count) { count = Pick(5); };
        tree_.OnCompareNodes = [](TBaseLazyTree*, PLazyNode a, PLazyNode b, TColumnIndex, int& result) {
            result = static_cast<int>(a->NodeHeight) - static_cast<int>(b->NodeHeight);
        };
    }

    // Runs `steps` random operations; answers the first failure with seed and step, else "".
    std::string Run(uint32_t seed, int steps)
    {
        for (int step = 0; step < steps; ++step) {
            const std::string operation = Step();
            // As a paint would: the first lookup after a change builds the position cache.
            tree_.GetNodeAt(0, 0);
            if (!operation.empty() && operation.back() == '\n')
                return "seed " + std::to_string(seed) + " step " + std::to_string(step) + ": " + operation;
            const std::string problems = CheckInvariants(tree_);
            if (!problems.empty())
                return "seed " + std::to_string(seed) + " step " + std::to_string(step) + " (" + operation +
                    "):\n" + problems;
        }
        while (depth_ > 0) {
            tree_.EndUpdate();
            --depth_;
        }
        const std::string problems = CheckInvariants(tree_);
        if (!problems.empty())
            return "seed " + std::to_string(seed) + " after the last bracket:\n" + problems;
        return "";
    }

private:
    bool Chance(int percent) { return static_cast<int>(rng_() % 100) < percent; }
    uint32_t Pick(uint32_t n) { return n == 0 ? 0 : rng_() % n; }

    PLazyNode AnyNode()
    {
        std::vector<PLazyNode> nodes = AllNodes(tree_);
        if (nodes.empty())
            return nullptr;
        return nodes[Pick(static_cast<uint32_t>(nodes.size()))];
    }

    PLazyNode AnyRow()
    {
        std::vector<PLazyNode> rows = Rows(tree_);
        if (rows.empty())
            return nullptr;
        return rows[Pick(static_cast<uint32_t>(rows.size()))];
    }

    // Compares the geometry with a from-scratch layout of the rows.
    std::string CheckGeometry()
    {
        std::vector<PLazyNode> rows = Rows(tree_);
        if (rows.empty())
            return "";
        for (int probe = 0; probe < 4; ++probe) {
            const std::size_t i = Pick(static_cast<uint32_t>(rows.size()));
            // GetDisplayRect initialises the node, which may hide it; only settled rows are probed.
            if (!rows[i]->States.Has(vsInitialized))
                continue;
            int top = 0;
            for (std::size_t k = 0; k < i; ++k)
                top += rows[k]->NodeHeight;
            const TRect r = tree_.GetDisplayRect(rows[i], NoColumn, false);
            if (r.Top != top + tree_.OffsetY())
                return "display rect of row " + std::to_string(i) + " at " + std::to_string(r.Top) + ", expected " +
                    std::to_string(top + tree_.OffsetY());
            if (rows[i]->NodeHeight > 0) {
                int nodeTop = 0;
                PLazyNode hit = tree_.GetNodeAt(0, top + rows[i]->NodeHeight - 1, false, nodeTop);
                if (hit != rows[i])
                    return "node at y " + std::to_string(top) + " is not row " + std::to_string(i);
            }
        }
        return "";
    }

    std::string Step()
    {
        PLazyNode node = AnyNode();
        switch (Pick(27)) {
        case 0:
        case 1:
            tree_.AddChild(Chance(30) ? nullptr : node);
            return "AddChild";
        case 2: {
            static const TVTNodeAttachMode modes[] = {
                amNoWhere, amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast};
            tree_.InsertNode(node, modes[Pick(5)]);
            return "InsertNode";
        }
        case 3:
            tree_.DeleteNode(node);
            return "DeleteNode";
        case 4: {
            PLazyNode target = AnyNode();
            static const TVTNodeAttachMode modes[] = {amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast};
            const uint32_t before = tree_.RootNode()->TotalCount;
            try {
                tree_.MoveTo(node, target, modes[Pick(4)], Chance(20));
            } catch (const ELazyTreeError& e) {
                if (e.HelpContext() != 2001 || tree_.RootNode()->TotalCount != before)
                    return "MoveTo raised the wrong error or changed the tree";
            }
            return "MoveTo";
        }
        case 5:
            if (Chance(25) && tree_.RootNode()->TotalCount < 6000)
                tree_.SetChildCount(node, 2001 + Pick(700));
            else
                tree_.SetChildCount(node, Pick(6));
            return "SetChildCount";
        case 6:
            if (node)
                tree_.SetVisible(node, Chance(60));
            return "SetVisible";
        case 7:
            if (node)
                tree_.SetFiltered(node, Chance(50));
            return "SetFiltered";
        case 8: {
            auto paint = tree_.TreeOptions().PaintOptions();
            paint.Set(toShowFilteredNodes, !paint.Has(toShowFilteredNodes));
            tree_.TreeOptions().SetPaintOptions(paint);
            return "toShowFilteredNodes";
        }
        case 9:
        case 10:
            if (node)
                tree_.ToggleNode(node);
            return "ToggleNode";
        case 11:
            if (Chance(50))
                tree_.FullExpand(Chance(50) ? nullptr : node);
            else
                tree_.FullCollapse(Chance(50) ? nullptr : node);
            return "FullExpand/FullCollapse";
        case 12:
            tree_.SetNodeHeight(node, static_cast<int>(Pick(40)));
            return "SetNodeHeight";
        case 13:
            if (node)
                tree_.SetSelected(node, Chance(70));
            return "SetSelected";
        case 14:
            if (Chance(50))
                tree_.SelectAll(Chance(50));
            else
                tree_.InvertSelection(Chance(50));
            return "SelectAll/InvertSelection";
        case 15:
            tree_.ClearSelection();
            return "ClearSelection";
        case 16: {
            PLazyNode from = AnyRow();
            PLazyNode to = AnyRow();
            if (from && to) {
                if (Chance(50))
                    tree_.SelectRange(from, to, Chance(50));
                else
                    tree_.ToggleRangeSelection(from, to);
            }
            return "SelectRange/ToggleRangeSelection";
        }
        case 17:
            if (depth_ < 3 && Chance(60)) {
                tree_.BeginUpdate();
                ++depth_;
                return "BeginUpdate";
            }
            if (depth_ > 0) {
                tree_.EndUpdate();
                --depth_;
            }
            return "EndUpdate";
        case 18:
            tree_.DeleteChildren(node, Chance(30));
            return "DeleteChildren";
        case 19:
            tree_.Sort(node, NoColumn, Chance(50) ? sdAscending : sdDescending, Chance(50));
            return "Sort";
        case 20: {
            auto paint = tree_.TreeOptions().PaintOptions();
            paint.Set(toChildrenAbove, !paint.Has(toChildrenAbove));
            tree_.TreeOptions().SetPaintOptions(paint);
            return "toChildrenAbove";
        }
        case 21:
            tree_.ReinitNode(node, Chance(30));
            return "ReinitNode";
        case 22: {
            const std::string geometry = CheckGeometry();
            return geometry.empty() ? "geometry" : "geometry: " + geometry + "\n";
        }
        case 23:
            if (Chance(30))
                tree_.Clear();
            else
                tree_.DeleteSelectedNodes();
            return "Clear/DeleteSelectedNodes";
        case 24:
            if (node)
                tree_.SetCheckType(node, static_cast<TCheckType>(Pick(4)));
            if (node)
                tree_.SetCheckState(node, Chance(50) ? csCheckedNormal : csUncheckedNormal);
            return "check";
        case 25:
            tree_.ResetNode(Chance(10) ? nullptr : node);
            return "ResetNode";
        default:
            tree_.ValidateNode(node, Chance(20));
            return "ValidateNode";
        }
    }

    std::mt19937 rng_;
    FakeView view_;
    FakeMeasurer measurer_;
    TestTree tree_;
    int depth_ = 0;
};

int SeedCount()
{
    if (const char* text = std::getenv("ORVANO_TREE_SEEDS"))
        return std::max(1, std::atoi(text));
    return 20;
}

} // namespace

TEST(TreeInvariants, RandomSequencesKeepEveryCounterInStep)
{
    const int seeds = SeedCount();
    for (int seed = 1; seed <= seeds; ++seed) {
        RandomTreeRun run(static_cast<uint32_t>(seed));
        const std::string failure = run.Run(static_cast<uint32_t>(seed), 200);
        ASSERT_EQ(failure, "");
    }
}
