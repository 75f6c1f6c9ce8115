// The node model: laziness, user data and typed records, free events, heights, visibility, filtering,
// counters and the position cache's size.

#include "tree_fixture.h"

#include <string>

using namespace tree_test;

namespace {

struct EventCounts {
    int initNode = 0;
    int initChildren = 0;
    int measure = 0;
    int freeNode = 0;
    int structure = 0;

    void Attach(TBaseLazyTree& tree)
    {
        tree.OnInitNode = [this](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates&) { ++initNode; };
        tree.OnInitChildren = [this](TBaseLazyTree*, PLazyNode, uint32_t&) { ++initChildren; };
        tree.OnMeasureItem = [this](TBaseLazyTree*, QPainter*, PLazyNode, int&) { ++measure; };
        tree.OnFreeNode = [this](TBaseLazyTree*, PLazyNode) { ++freeNode; };
        tree.OnStructureChange = [this](TBaseLazyTree*, PLazyNode, TChangeReason) { ++structure; };
    }
};

} // namespace

TEST(NodeModel, NewTreeIsEmptyAndItsRangeIsTheBottomSpace)
{
    TestTree tree;
    tree.SetBottomSpace(7);
    EXPECT_TRUE(tree.IsEmpty());
    EXPECT_EQ(tree.TotalCount(), 0u);
    EXPECT_EQ(tree.VisibleCount(), 0u);
    EXPECT_EQ(tree.RangeY(), 7u);
    EXPECT_EQ(tree.RootNode()->TotalCount, 1u);
    EXPECT_EQ(tree.RootNode()->States, (TLazyNodeStates{vsInitialized, vsExpanded, vsHasChildren, vsVisible}));
    EXPECT_EQ(tree.GetNodeLevel(tree.RootNode()), 0u);
    EXPECT_EQ(TreeFromNode(tree.RootNode()), &tree);
}

TEST(NodeModel, AMillionChildrenFireNoNodeEventAndTouchingOneInitialisesOnlyIt)
{
    TestTree tree;
    EventCounts counts;
    counts.Attach(tree);
    tree.SetRootNodeCount(1'000'000);
    EXPECT_EQ(counts.initNode + counts.initChildren + counts.measure + counts.freeNode, 0);
    EXPECT_EQ(counts.structure, 1);
    EXPECT_EQ(tree.VisibleCount(), 1'000'000u);
    EXPECT_EQ(tree.RangeY(), 18'000'000u);

    PLazyNode last = tree.GetLastChildNoInit(nullptr);
    EXPECT_EQ(counts.initNode, 0);
    EXPECT_TRUE(tree.GetVisible(last));
    EXPECT_EQ(counts.initNode, 1);
    EXPECT_TRUE(last->States.Has(vsInitialized));
    EXPECT_FALSE(last->PrevSibling->States.Has(vsInitialized));
    EXPECT_EQ(tree.GetFirst(), tree.RootNode()->FirstChild);
    EXPECT_EQ(counts.initNode, 2);

    // A lookup at the bottom walks the cache, not the nodes' events.
    int top = 0;
    EXPECT_EQ(tree.GetNodeAt(0, 18'000'000 - 1, false, top), last);
    EXPECT_EQ(top, 18'000'000 - 18);
    tree.Clear();
    EXPECT_EQ(counts.freeNode, 2);
}

TEST(NodeModel, NodeDataSizeIsDecidedByTheFirstAllocation)
{
    TestTree plain;
    EXPECT_EQ(plain.NodeDataSize(), -1);
    plain.AddChild(nullptr);
    EXPECT_EQ(plain.NodeDataSize(), static_cast<int>(sizeof(void*)));

    TestTree asked;
    asked.OnGetNodeDataSize = [](TBaseLazyTree*, int& size) { size = 24; };
    asked.AddChild(nullptr);
    EXPECT_EQ(asked.NodeDataSize(), 24);

    TestTree unset;
    unset.SetNodeDataSize(-7);
    EXPECT_EQ(unset.NodeDataSize(), -1);
}

TEST(NodeModel, PointersAreStoredWhole)
{
    TestTree tree;
    tree.SetNodeDataSize(sizeof(void*));
    void* const pointer = reinterpret_cast<void*>(static_cast<uintptr_t>(0x123456789abcdef0ull));
    PLazyNode node = tree.AddChild(nullptr, pointer);
    EXPECT_EQ(*static_cast<void**>(tree.GetNodeData(node)), pointer);

    PLazyNode other = tree.AddChild(nullptr);
    tree.SetNodeData(other, pointer);
    EXPECT_EQ(*static_cast<void**>(tree.GetNodeData(other)), pointer);
    EXPECT_TRUE(other->States.Has(vsOnFreeNodeCallRequired));

    // A typed read of a pointer record finds the stored pointer, and zero where none was stored.
    struct Holder {
        void* p;
    };
    PLazyNode inserted = tree.InsertNode(node, amInsertAfter, pointer);
    for (PLazyNode n : {node, other, inserted})
        EXPECT_EQ(tree.GetNodeData<Holder>(n)->p, pointer);
    EXPECT_EQ(tree.GetNodeData<Holder>(tree.AddChild(nullptr))->p, nullptr);
}

TEST(NodeModel, FreeEventFiresOnceForNodesInitialisedOrRead)
{
    TestTree tree;
    tree.SetNodeDataSize(8);
    EventLog log;
    BuildShape(tree, "untouched initialised read both", log);
    std::vector<std::string> freed;
    tree.OnFreeNode = [&](TBaseLazyTree*, PLazyNode node) { freed.push_back(log.Name(node)); };
    tree.GetVisible(Named(log, "initialised"));
    tree.GetNodeData(Named(log, "read"));
    tree.GetVisible(Named(log, "both"));
    tree.GetNodeData(Named(log, "both"));
    tree.Clear();
    std::sort(freed.begin(), freed.end());
    EXPECT_EQ(freed, (std::vector<std::string>{"both", "initialised", "read"}));
}

namespace {

struct Record {
    static int constructed;
    static int destroyed;
    std::string caption;
    int check = 7;
    Record() { ++constructed; }
    ~Record() { ++destroyed; }
};
int Record::constructed = 0;
int Record::destroyed = 0;

struct Other {
    int value;
};

} // namespace

TEST(NodeModel, TypedRecordIsConstructedOnceAndDestroyedAfterTheFreeEvent)
{
    Record::constructed = Record::destroyed = 0;
    {
        TestTree tree;
        tree.SetNodeDataSize(sizeof(Record));
        PLazyNode a = tree.AddChild(nullptr);
        PLazyNode b = tree.AddChild(nullptr);
        tree.AddChild(nullptr); // never read: no record
        Record* record = tree.GetNodeData<Record>(a);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->check, 7);
        record->caption = std::string(200, 'x'); // on the heap: a leak or a double free would show
        EXPECT_EQ(tree.GetNodeData<Record>(a), record);
        EXPECT_EQ(Record::constructed, 1);
        tree.GetNodeData<Record>(b)->caption = "meter";
        EXPECT_EQ(tree.GetNodeData<Record>(nullptr), nullptr);
        EXPECT_EQ(tree.GetNodeData<Record>(tree.RootNode()), nullptr);

        std::string seenAtFree;
        tree.OnFreeNode = [&](TBaseLazyTree* t, PLazyNode node) {
            seenAtFree = t->GetNodeData<Record>(node)->caption;
        };
        tree.DeleteNode(b);
        tree.OnFreeNode = nullptr; // seenAtFree goes before the tree
        EXPECT_EQ(seenAtFree, "meter");
        EXPECT_EQ(Record::destroyed, 1);

        EXPECT_THROW(tree.GetNodeData<Other>(a), ETreeAssertion);
    }
    EXPECT_EQ(Record::constructed, 2);
    EXPECT_EQ(Record::destroyed, 2);

    TestTree small;
    small.SetNodeDataSize(4);
    PLazyNode n = small.AddChild(nullptr);
    try {
        small.GetNodeData<Record>(n);
        FAIL();
    } catch (const ETreeAssertion& e) {
        EXPECT_STREQ(e.what(), "TBaseLazyTree: NodeDataSize is smaller than the node record.");
    }
}

TEST(NodeModel, ChangingTheDataSizeMakesTheNodesAgainEvenOnAReadOnlyTree)
{
    TestTree tree;
    tree.SetNodeDataSize(4);
    tree.SetRootNodeCount(3);
    auto misc = tree.TreeOptions().MiscOptions();
    misc.Include(toReadOnly);
    tree.TreeOptions().SetMiscOptions(misc);
    tree.SetNodeDataSize(sizeof(Record));
    EXPECT_EQ(tree.RootNodeCount(), 3u);
    EXPECT_TRUE(tree.TreeOptions().MiscOptions().Has(toReadOnly));
    Record::constructed = Record::destroyed = 0;
    tree.GetNodeData<Record>(tree.GetFirstNoInit())->caption = std::string(100, 'y');
    misc.Exclude(toReadOnly);
    tree.TreeOptions().SetMiscOptions(misc);
    tree.Clear();
    EXPECT_EQ(Record::destroyed, 1);
}

TEST(NodeModel, InternalBlocksFollowTheUserData)
{
    TestTree tree;
    tree.SetNodeDataSize(5);
    const std::size_t first = tree.ReserveInternalData(4);
    const std::size_t second = tree.ReserveInternalData(8);
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 8u);
    PLazyNode node = tree.AddChild(nullptr);
    auto* width = static_cast<int*>(tree.GetInternalData(node, first));
    auto* pointer = static_cast<void**>(tree.GetInternalData(node, second));
    EXPECT_EQ(*width, 0);
    EXPECT_EQ(*pointer, nullptr);
    *width = 123;
    *pointer = node;
    EXPECT_GE(static_cast<char*>(static_cast<void*>(width)), static_cast<char*>(tree.GetNodeData(node)) + 5);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(pointer) % alignof(void*), 0u);
}

TEST(NodeModel, HeightsAreClampedToSixteenBits)
{
    struct Case {
        int asked;
        int stored;
    };
    for (const Case c : {Case{70000, 65535}, Case{-5, 0}, Case{65535, 65535}, Case{40, 40}}) {
        TestTree tree;
        PLazyNode node = tree.AddChild(nullptr);
        tree.SetNodeHeight(node, c.asked);
        EXPECT_EQ(node->NodeHeight, c.stored) << c.asked;
        EXPECT_EQ(tree.RangeY(), static_cast<uint32_t>(c.stored)) << c.asked;
    }

    TestTree measured;
    auto misc = measured.TreeOptions().MiscOptions();
    misc.Include(toVariableNodeHeight);
    measured.TreeOptions().SetMiscOptions(misc);
    measured.OnMeasureItem = [](TBaseLazyTree*, QPainter*, PLazyNode, int& height) { height = 100000; };
    PLazyNode node = measured.AddChild(nullptr);
    EXPECT_EQ(measured.GetNodeHeight(node), 65535);
    EXPECT_EQ(measured.CheckedCount(), 0u);
}

TEST(NodeModel, HidingAndFilteringChangeOnlyWhatIsShown)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "P(a b(b1 b2)) Q(q1)", log);
    PLazyNode p = Named(log, "P");
    PLazyNode b = Named(log, "b");
    tree.ToggleNode(p);
    tree.ToggleNode(b);
    // P a b b1 b2 Q shown; Q is collapsed.
    EXPECT_EQ(tree.VisibleCount(), 6u);
    const uint32_t range = tree.RangeY();

    tree.SetVisible(Named(log, "q1"), false);
    EXPECT_EQ(tree.VisibleCount(), 6u);
    EXPECT_EQ(tree.RangeY(), range);

    tree.SetVisible(b, false);
    EXPECT_EQ(tree.VisibleCount(), 3u);
    EXPECT_EQ(tree.RangeY(), range - 3 * 18);
    tree.SetVisible(b, true);

    tree.SetFiltered(b, true);
    EXPECT_EQ(tree.VisibleCount(), 5u);
    EXPECT_EQ(tree.RangeY(), range - 18);
    EXPECT_EQ(tree.GetNextVisible(Named(log, "a")), Named(log, "b1"));

    auto paint = tree.TreeOptions().PaintOptions();
    paint.Include(toShowFilteredNodes);
    tree.TreeOptions().SetPaintOptions(paint);
    EXPECT_EQ(tree.VisibleCount(), 6u);
    EXPECT_EQ(tree.RangeY(), range);
    tree.SetFiltered(b, false);
    EXPECT_EQ(tree.RangeY(), range);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(NodeModel, ReinitialisingAFilteredNodeDoesNotSubtractItsHeightTwice)
{
    TestTree tree;
    tree.OnInitNode = [](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates& states) {
        states.Include(ivsFiltered);
    };
    tree.SetRootNodeCount(3);
    PLazyNode first = tree.GetFirstNoInit();
    tree.ReinitNode(first, false); // not initialised yet: nothing
    tree.GetVisible(first);
    EXPECT_EQ(tree.RangeY(), 2u * 18);
    tree.ReinitNode(first, false);
    EXPECT_EQ(tree.RangeY(), 2u * 18);
    EXPECT_EQ(tree.VisibleCount(), 2u);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(NodeModel, RootChildCountGrowsAndShrinksWithItsNotifications)
{
    TestTree tree;
    std::vector<std::string> reasons;
    tree.OnStructureChange = [&](TBaseLazyTree*, PLazyNode node, TChangeReason reason) {
        reasons.push_back(std::string(node ? "node " : "nil ") + ReasonName(reason));
    };
    tree.SetRootNodeCount(3);
    EXPECT_EQ(tree.RootNode()->TotalCount, 4u);
    EXPECT_EQ(tree.RootNode()->TotalHeight, 4u * 18);
    tree.SetChildCount(nullptr, 0);
    EXPECT_EQ(tree.RootNode()->TotalCount, 1u);
    EXPECT_EQ(tree.RangeY(), 0u);
    EXPECT_EQ(reasons, (std::vector<std::string>{"nil crChildAdded", "nil crChildDeleted", "nil crChildAdded"}));

    auto misc = tree.TreeOptions().MiscOptions();
    misc.Include(toReadOnly);
    tree.TreeOptions().SetMiscOptions(misc);
    tree.SetChildCount(nullptr, 5);
    EXPECT_TRUE(tree.IsEmpty());
}

TEST(NodeModel, DefaultNodeHeightMovesTheRangeButNotTheNodes)
{
    TestTree tree;
    tree.SetRootNodeCount(2);
    tree.SetDefaultNodeHeight(0);
    EXPECT_EQ(tree.DefaultNodeHeight(), 18u);
    tree.SetDefaultNodeHeight(25);
    EXPECT_EQ(tree.GetFirstNoInit()->NodeHeight, 18);
    EXPECT_EQ(tree.RangeY(), 2u * 18);
    tree.AddChild(nullptr);
    EXPECT_EQ(tree.RangeY(), 2u * 18 + 25);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(NodeModel, SmallRules)
{
    TestTree tree;
    PLazyNode node = tree.AddChild(nullptr);
    tree.SetVerticalAlignment(node, 200);
    EXPECT_EQ(node->Align, 100);

    struct CacheCase {
        uint32_t visible;
        uint32_t entries;
    };
    for (const CacheCase c : {CacheCase{0, 0}, CacheCase{1, 0}, CacheCase{2, 1}, CacheCase{2000, 1},
             CacheCase{2001, 2}, CacheCase{4001, 3}}) {
        TestTree counted;
        counted.SetRootNodeCount(c.visible);
        EXPECT_EQ(counted.CacheEntryCount(), c.entries) << c.visible;
    }

    TNodeArray empty;
    EXPECT_EQ(CompactNodeArray(empty, 0), -1);
    TNodeArray marked{MarkedNode(node), MarkedNode(tree.RootNode())};
    EXPECT_EQ(CompactNodeArray(marked, 2), 0);
}

TEST(NodeModel, CompareNodeOrder)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "A(a1(x) a2) B", log);
    const auto cmp = [&](const char* a, const char* b, bool ca) {
        return tree.CompareNodeOrder(Named(log, a), Named(log, b), ca);
    };
    EXPECT_EQ(cmp("a1", "a1", true), 0);
    EXPECT_EQ(cmp("a1", "A", true), 1);
    EXPECT_EQ(cmp("A", "x", false), -1);
    EXPECT_LT(cmp("a1", "a2", true), 0);
    EXPECT_LT(cmp("x", "a2", false), 0);
    EXPECT_GT(cmp("B", "x", false), 0);
    auto paint = tree.TreeOptions().PaintOptions();
    paint.Include(toChildrenAbove);
    tree.TreeOptions().SetPaintOptions(paint);
    EXPECT_EQ(cmp("a1", "A", true), -1);
    EXPECT_EQ(cmp("a1", "A", false), 1);
    EXPECT_EQ(cmp("A", "x", true), 1);
}
