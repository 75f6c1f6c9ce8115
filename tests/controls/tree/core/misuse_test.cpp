// Every misuse raises its exact text and leaves the tree as it was; the error codes; the unit routines.

#include "controls/tree/core/accessibility_registry.h"

#include "tree_fixture.h"

#include <numeric>
#include <random>
#include <thread>

using namespace tree_test;

TEST(Misuse, AssertionsCarryTheirTextAndChangeNothing)
{
    TestTree tree;
    tree.SetNodeDataSize(4);
    EventLog log;
    BuildShape(tree, "A(a1 a2) B", log);
    tree.ToggleNode(Named(log, "A"));
    PLazyNode a1 = Named(log, "a1");
    PLazyNode root = tree.RootNode();
    TestTree other;
    PLazyNode foreign = other.AddChild(nullptr);
    TestTree unsized;
    unsized.SetNodeDataSize(0);

    struct Case {
        const char* text;
        std::function<void()> misuse;
    };
    const std::vector<Case> cases = {
        {"NodeDataSize not initialized.", [&] { unsized.GetNodeData(nullptr); }},
        {"TBaseLazyTree: Cannot set initial user data because there is not enough user data space allocated.",
            [&] { tree.SetNodeData(a1, nullptr); }},
        {"Internal data allocation must be done before any node is created.", [&] { tree.ReserveInternalData(4); }},
        {"Invalid parameter.", [&] { tree.GetFullyVisible(nullptr); }},
        {"Invalid parameter", [&] { tree.SetFullyVisible(root, true); }},
        {"Invalid parameters.", [&] { tree.GetVisiblePath(root); }},
        {"Invalid parameter.", [&] { tree.SetVisiblePath(nullptr, true); }},
        {"Invalid parameter.", [&] { tree.SetVisible(root, false); }},
        {"Invalid parameter.", [&] { tree.SetFiltered(nullptr, true); }},
        {"Nodes must never be nil.", [&] { tree.CompareNodeOrder(nullptr, a1, false); }},
        {"Both nodes must be Assigned.", [&] { tree.LevelDifference(a1, nullptr); }},
        {"Node must not be nil!", [&] { tree.AddToSelection(nullptr); }},
        {"Node must not be nil!", [&] { tree.RemoveFromSelection(nullptr); }},
        {"Node must not be nil!", [&] { tree.AddNodeToSelection(nullptr, false); }},
        {"EndNode must not be nil!", [&] { tree.SelectRange(a1, nullptr, false); }},
        {"EndNode must not be nil!", [&] { tree.ToggleRangeSelection(a1, nullptr); }},
        {"EndNode must not be nil!", [&] { tree.DeselectRange(a1, nullptr); }},
        {"Node must not be the hidden root node.", [&] { tree.GetNext(root); }},
        {"Node must not be the hidden root node.", [&] { tree.GetPreviousVisibleNoInit(root); }},
        {"Node must not be the hidden root node.", [&] { tree.GetVisibleParent(root); }},
        {"Node must not be the hidden root node.", [&] { tree.IterateSubtree(root, nullptr, nullptr); }},
        {"Node must not be the hidden root node.", [&] { tree.GetDisplayRect(root, NoColumn, false); }},
        {"Invalid parameter.", [&] { tree.GetNextVisibleSibling(nullptr); }},
        {"Invalid parameter.", [&] { tree.GetPreviousVisibleSiblingNoInit(root); }},
        {"Node must not be nil.", [&] { tree.GetVisibleParent(nullptr); }},
        {"Node must not be nil.", [&] { tree.ToggleNode(nullptr); }},
        {"Node must not be nil.", [&] { tree.GetDisplayRect(nullptr, NoColumn, false); }},
        {"Node must not be nil.", [&] { tree.EditNode(nullptr, NoColumn); }},
        {"Node must not be nil.", [&] { TreeFromNode(nullptr); }},
        {"Column must be a valid column index (-1 if no header is shown).", [&] { tree.EditNode(a1, 5); }},
        {"Column must be a valid column index (-1 if no header is shown).", [&] { tree.EditNode(a1, -2); }},
        {"Node must neither be nil nor the root node.", [&] { tree.UnlinkNode(root, false, true, false); }},
        {"The source tree must contain the source node.", [&] { tree.MoveTo(foreign, a1, amAddChildLast, false); }},
        {"EndOperation must not be called when no operation in progress.", [&] { tree.EndOperation(okExpand); }},
        {"UI controls like TBaseLazyTree should only be manipulated through the main thread.",
            [&] {
                std::exception_ptr failure;
                std::thread([&] {
                    try {
                        tree.BeginUpdate();
                    } catch (...) {
                        failure = std::current_exception();
                    }
                }).join();
                if (failure)
                    std::rethrow_exception(failure);
            }},
        {"TBaseLazyTree.RemoveFromSelection() must only be called from UI thread.",
            [&] {
                std::exception_ptr failure;
                std::thread([&] {
                    try {
                        tree.RemoveFromSelection(a1);
                    } catch (...) {
                        failure = std::current_exception();
                    }
                }).join();
                if (failure)
                    std::rethrow_exception(failure);
            }},
    };
    for (const Case& c : cases) {
        const std::string before = Snapshot(tree);
        try {
            c.misuse();
            ADD_FAILURE() << "no assertion for: " << c.text;
        } catch (const ETreeAssertion& e) {
            EXPECT_STREQ(e.what(), c.text);
        }
        EXPECT_EQ(Snapshot(tree), before) << c.text;
    }
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Misuse, ErrorCodes)
{
    struct Code {
        int code;
        const char* text;
    };
    for (const Code c : {Code{2001, "Target node cannot be a child node of the node to be moved."},
             Code{2002, "Unable to load tree structure, the format is wrong."},
             Code{2003, "Unable to load tree structure, the version is unknown."},
             Code{2004, "Unable to load tree structure, not enough data available."},
             Code{2005, "Stream data corrupt. A node's anchor chunk is missing."},
             Code{2006, "Stream data corrupt. Unexpected data after node's end position."},
             Code{2007, "Clipboard operation failed."}}) {
        try {
            RaiseTreeError(c.code);
            FAIL();
        } catch (const ELazyTreeError& e) {
            EXPECT_EQ(e.HelpContext(), c.code);
            EXPECT_STREQ(e.what(), c.text);
        }
    }
    EXPECT_STREQ(TreeErrorText(2008), "");
}

TEST(UnitRoutines, SortNodeArray)
{
    TestTree tree;
    tree.SetRootNodeCount(40);
    TNodeArray nodes = AllNodes(tree);
    std::sort(nodes.begin(), nodes.end(),
        [](PLazyNode a, PLazyNode b) { return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b); });
    const TNodeArray sorted = nodes;
    SortNodeArray(nodes, 0, static_cast<int>(nodes.size()) - 1);
    EXPECT_EQ(nodes, sorted);
    std::mt19937 rng(4);
    for (int round = 0; round < 20; ++round) {
        std::shuffle(nodes.begin(), nodes.end(), rng);
        nodes.push_back(nodes[rng() % nodes.size()]); // a duplicate
        SortNodeArray(nodes, 0, static_cast<int>(nodes.size()) - 1);
        EXPECT_TRUE(std::is_sorted(nodes.begin(), nodes.end(), [](PLazyNode a, PLazyNode b) {
            return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b);
        }));
        nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    }
    TNodeArray same{nodes[0], nodes[0]};
    SortNodeArray(same, 0, 1);
    EXPECT_EQ(same[0], same[1]);
}

namespace {

class Provider : public IVTAccessibleProvider {
public:
    explicit Provider(uintptr_t id, bool answers = true) : id_(id), answers_(answers) {}
    QAccessibleInterface* CreateIAccessible(TBaseLazyTree*) override
    {
        ++asked;
        return answers_ ? reinterpret_cast<QAccessibleInterface*>(id_) : nullptr;
    }
    int asked = 0;

private:
    uintptr_t id_;
    bool answers_;
};

QAccessibleInterface* Fake(uintptr_t id)
{
    return reinterpret_cast<QAccessibleInterface*>(id);
}

} // namespace

TEST(UnitRoutines, AccessibilityProvidersAreAskedInTurn)
{
    TVTAccessibilityFactory& factory = TVTAccessibilityFactory::GetAccessibilityFactory();
    EXPECT_EQ(&factory, &TVTAccessibilityFactory::GetAccessibilityFactory());
    TestTree tree;
    EXPECT_EQ(factory.CreateIAccessible(&tree), nullptr);
    Provider first(0x100);
    Provider second(0x200, false);
    Provider third(0x300);
    factory.RegisterAccessibleProvider(&first);
    factory.RegisterAccessibleProvider(&first);
    EXPECT_EQ(factory.ProviderCount(), 1);
    factory.RegisterAccessibleProvider(&second);
    factory.RegisterAccessibleProvider(&third);

    EXPECT_EQ(factory.CreateIAccessible(nullptr), nullptr);
    // No object yet: the first provider makes the tree's own.
    EXPECT_EQ(factory.CreateIAccessible(&tree), Fake(0x100));
    tree.SetAccessible(Fake(0x100));
    // Later ones are asked from the last registered down to the second.
    EXPECT_EQ(factory.CreateIAccessible(&tree), Fake(0x300));
    factory.UnRegisterAccessibleProvider(&third);
    EXPECT_EQ(factory.CreateIAccessible(&tree), Fake(0x100));
    EXPECT_EQ(second.asked, 1);
    tree.SetAccessibleItem(Fake(0x400));
    EXPECT_EQ(factory.CreateIAccessible(&tree), Fake(0x400));
    factory.UnRegisterAccessibleProvider(&second);
    factory.UnRegisterAccessibleProvider(&first);
    EXPECT_EQ(factory.ProviderCount(), 0);
}
