// Adding, inserting, deleting, moving, brackets, iteration, expand/collapse and sorting.

#include "tree_fixture.h"

using namespace tree_test;

namespace {

std::string Children(const EventLog& log, PLazyNode parent)
{
    std::string result;
    for (PLazyNode c = parent->FirstChild; c; c = c->NextSibling)
        result += (result.empty() ? "" : " ") + log.Name(c) + "#" + std::to_string(c->Index);
    return result;
}

void SetReadOnly(TBaseLazyTree& tree, bool on)
{
    auto misc = tree.TreeOptions().MiscOptions();
    misc.Set(toReadOnly, on);
    tree.TreeOptions().SetMiscOptions(misc);
}

void LogStructure(TBaseLazyTree& tree, EventLog& log)
{
    tree.OnStructureChange = [&log](TBaseLazyTree*, PLazyNode node, TChangeReason reason) {
        log.Add("Structure(" + log.Name(node) + "," + ReasonName(reason) + ")");
    };
}

} // namespace

TEST(Structure, AddChildAndInsertNode)
{
    TestTree tree;
    EventLog log;
    LogStructure(tree, log);
    PLazyNode a = tree.AddChild(nullptr);
    log.names[a] = "a";
    EXPECT_EQ(log.Joined(), "Structure(nil,crChildAdded)");

    log.Clear();
    PLazyNode first = tree.InsertNode(nullptr, amInsertBefore);
    log.names[first] = "first";
    EXPECT_EQ(log.Joined(), "Structure(?,crNodeAdded)"); // reported before the node got its name here
    EXPECT_EQ(tree.InsertNode(a, amNoWhere), nullptr);
    PLazyNode last = tree.InsertNode(a, amInsertAfter);
    log.names[last] = "last";
    PLazyNode middle = tree.InsertNode(last, amInsertBefore);
    log.names[middle] = "middle";
    EXPECT_EQ(Children(log, tree.RootNode()), "first#0 a#1 middle#2 last#3");
    EXPECT_EQ(tree.RootNode()->LastChild, last);

    PLazyNode child = tree.InsertNode(a, amAddChildFirst);
    EXPECT_EQ(a->FirstChild, child);
    EXPECT_TRUE(a->States.Has(vsHasChildren));
    EXPECT_EQ(CheckInvariants(tree), "");

    SetReadOnly(tree, true);
    const std::string before = Snapshot(tree);
    EXPECT_EQ(tree.AddChild(nullptr), nullptr);
    tree.DeleteNode(a);
    tree.Clear();
    EXPECT_EQ(Snapshot(tree), before);
}

TEST(Structure, InitialUserDataNeedsPointerSizedCells)
{
    TestTree tree;
    tree.SetNodeDataSize(4);
    tree.AddChild(nullptr);
    const std::string before = Snapshot(tree);
    int value = 0;
    try {
        tree.AddChild(nullptr, &value);
        FAIL();
    } catch (const ETreeAssertion& e) {
        EXPECT_STREQ(e.what(),
            "TBaseLazyTree: Cannot set initial user data because there is not enough user data space allocated.");
    }
    EXPECT_THROW(tree.InsertNode(nullptr, amAddChildLast, &value), ETreeAssertion);
    EXPECT_EQ(Snapshot(tree), before);

    TestTree wide;
    int freed = 0;
    wide.OnFreeNode = [&](TBaseLazyTree* t, PLazyNode node) {
        EXPECT_EQ(*static_cast<int**>(t->GetNodeData(node)), &value);
        ++freed;
    };
    wide.AddChild(nullptr, &value);
    wide.Clear();
    EXPECT_EQ(freed, 1);
}

TEST(Structure, DeletingTheFocusedNodeMovesTheFocusAway)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "A(a1 a2) B", log);
    tree.DeleteNode(nullptr);
    tree.DeleteNode(tree.RootNode());
    tree.SetFocusedNode(Named(log, "a1"));
    std::vector<std::string> focus;
    tree.OnFocusChanged = [&](TBaseLazyTree*, PLazyNode node, TColumnIndex) { focus.push_back(log.Name(node)); };
    tree.DeleteNode(Named(log, "A"));
    EXPECT_EQ(tree.FocusedNode(), nullptr);
    EXPECT_EQ(focus, (std::vector<std::string>{"nil"}));
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Structure, ClearForgetsEveryNodeReference)
{
    TestTree tree;
    FakeView view;
    view.height = 40;
    tree.SetView(&view);
    tree.SetBottomSpace(5);
    int events = 0;
    tree.OnStructureChange = [&](TBaseLazyTree*, PLazyNode, TChangeReason) { ++events; };
    tree.Clear();
    EXPECT_EQ(events, 0);

    tree.SetRootNodeCount(20);
    PLazyNode node = tree.GetFirst()->NextSibling;
    tree.SetFocusedNode(node);
    tree.SetSelected(node, true);
    tree.SetOffsetY(-100);
    ASSERT_NE(tree.OffsetY(), 0);
    tree.Clear();
    EXPECT_EQ(tree.OffsetY(), 0);
    EXPECT_EQ(tree.OffsetX(), 0);
    EXPECT_EQ(tree.FocusedNode(), nullptr);
    EXPECT_EQ(tree.RangeAnchor(), nullptr);
    EXPECT_EQ(tree.SelectedCount(), 0u);
    EXPECT_EQ(tree.RangeY(), 5u);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Structure, MovingIntoTheOwnSubtreeIsRefusedBeforeAnythingChanges)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "A(a1(x) a2) B", log);
    LogStructure(tree, log);
    tree.OnNodeMoving = [&](TBaseLazyTree*, PLazyNode, PLazyNode, bool&) { log.Add("Moving"); };
    tree.OnInitNode = [&](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates&) { log.Add("Init"); };
    const std::string before = Snapshot(tree);
    for (TVTNodeAttachMode mode : {amAddChildLast, amAddChildFirst, amInsertBefore, amInsertAfter}) {
        try {
            tree.MoveTo(Named(log, "A"), Named(log, "x"), mode, false);
            FAIL() << mode;
        } catch (const ELazyTreeError& e) {
            EXPECT_EQ(e.HelpContext(), 2001);
            EXPECT_STREQ(e.what(), "Target node cannot be a child node of the node to be moved.");
        }
    }
    EXPECT_THROW(tree.MoveTo(Named(log, "A"), Named(log, "a1"), amInsertAfter, true), ELazyTreeError);
    EXPECT_EQ(Snapshot(tree), before);
    EXPECT_EQ(log.Joined(), "");
}

TEST(Structure, MoveTo)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "A(a1 a2 a3) B(b1)", log);
    LogStructure(tree, log);
    tree.OnNodeMoved = [&](TBaseLazyTree*, PLazyNode node) { log.Add("Moved(" + log.Name(node) + ")"); };
    PLazyNode a = Named(log, "A");

    // Onto itself, children only, after: the children follow A as siblings, last child first.
    tree.MoveTo(a, a, amInsertAfter, true);
    EXPECT_EQ(Children(log, tree.RootNode()), "A#0 a3#1 a2#2 a1#3 B#4");
    EXPECT_EQ(log.Joined(), "Moved(a1) Moved(a2) Moved(a3) Structure(nil,crNodeMoved)");
    EXPECT_EQ(CheckInvariants(tree), "");

    log.Clear();
    tree.MoveTo(Named(log, "a2"), Named(log, "B"), amAddChildFirst, false);
    EXPECT_EQ(Children(log, Named(log, "B")), "a2#0 b1#1");
    EXPECT_EQ(log.Joined(), "Moved(a2) Structure(a2,crNodeMoved)");

    // A refused move reports nothing.
    log.Clear();
    tree.OnNodeMoving = [](TBaseLazyTree*, PLazyNode, PLazyNode, bool& allowed) { allowed = false; };
    const std::string before = Snapshot(tree);
    tree.MoveTo(Named(log, "a1"), Named(log, "B"), amAddChildLast, false);
    EXPECT_EQ(Snapshot(tree), before);
    EXPECT_EQ(log.Joined(), "");

    tree.OnNodeMoving = nullptr;
    tree.SetNodeParent(Named(log, "a3"), Named(log, "B"));
    EXPECT_EQ(Children(log, Named(log, "B")), "a2#0 b1#1 a3#2");
    EXPECT_EQ(CheckInvariants(tree), "");

    TestTree other;
    PLazyNode foreign = other.AddChild(nullptr);
    // Into another tree the node travels as a record and is gone here.
    const uint32_t count = tree.RootNode()->TotalCount;
    tree.MoveTo(Named(log, "a1"), foreign, amAddChildLast, false);
    EXPECT_EQ(foreign->ChildCount, 1u);
    EXPECT_EQ(tree.RootNode()->TotalCount, count - 1);
    EXPECT_EQ(CheckInvariants(tree), "");
    EXPECT_EQ(CheckInvariants(other), "");
    try {
        tree.MoveTo(foreign, a, amAddChildLast, false);
        FAIL();
    } catch (const ETreeAssertion& e) {
        EXPECT_STREQ(e.what(), "The source tree must contain the source node.");
    }
}

TEST(Structure, EndUpdateFlushesInItsOrder)
{
    TestTree tree;
    FakeView view;
    EventLog log;
    view.log = &log.entries;
    tree.SetView(&view);
    BuildShape(tree, "A(a1 a2) B C", log);
    log.Clear();
    tree.OnUpdating = [&](TBaseLazyTree*, TVTUpdateState state) {
        static const char* const kNames[] = {"usBegin", "usBeginSynch", "usSynch", "usUpdate", "usEnd", "usEndSynch"};
        log.Add(kNames[state]);
    };
    LogStructure(tree, log);
    tree.OnChange = [&](TBaseLazyTree*, PLazyNode node) { log.Add("Change(" + log.Name(node) + ")"); };
    bool compared = false;
    tree.OnCompareNodes = [&](TBaseLazyTree*, PLazyNode, PLazyNode, TColumnIndex, int&) {
        if (!compared)
            log.Add("Compare");
        compared = true;
    };
    tree.OnStateChange = [&](TBaseLazyTree*, TLazyTreeStates enter, TLazyTreeStates leave) {
        if (leave.Has(tsUpdateHiddenChildrenNeeded))
            log.Add("HiddenFlags");
    };

    tree.BeginUpdate();
    tree.BeginUpdate();
    tree.SetVisible(Named(log, "a1"), false);
    tree.SetVisible(Named(log, "a2"), false);
    tree.AddChild(Named(log, "B"));
    tree.SetSelected(Named(log, "C"), true);
    tree.EndUpdate();
    EXPECT_FALSE(Named(log, "A")->States.Has(vsAllChildrenHidden));
    tree.EndUpdate();
    EXPECT_EQ(log.Joined(),
        "usBegin RedrawOff usUpdate usUpdate HiddenFlags Structure(B,crChildAdded) Change(C) Compare Invalidate "
        "RedrawOn Invalidate usEnd");
    EXPECT_TRUE(Named(log, "A")->States.Has(vsAllChildrenHidden));

    log.Clear();
    tree.EndUpdate();
    EXPECT_EQ(tree.UpdateCount(), 0u);
    EXPECT_EQ(log.Joined(), "usEnd");
}

TEST(Structure, IterateSubtree)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "A(a1(x) a2) B(b1)", log);
    auto selection = tree.TreeOptions().SelectionOptions();
    selection.Include(toMultiSelect);
    tree.TreeOptions().SetSelectionOptions(selection);
    tree.SetSelected(Named(log, "a1"), true);
    tree.SetSelected(Named(log, "B"), true);
    std::string visited;
    const TVTGetNodeProc collect = [&](TBaseLazyTree*, PLazyNode node, void*, bool&) {
        visited += log.Name(node) + " ";
    };
    EXPECT_EQ(tree.IterateSubtree(nullptr, collect, nullptr), nullptr);
    EXPECT_EQ(visited, "A a1 x a2 B b1 ");
    visited.clear();
    tree.IterateSubtree(nullptr, collect, nullptr, {vsSelected});
    EXPECT_EQ(visited, "a1 B ");
    visited.clear();
    tree.IterateSubtree(Named(log, "A"), collect, nullptr, {}, false, true);
    EXPECT_EQ(visited, "a1 x a2 ");
    const PLazyNode stopped = tree.IterateSubtree(
        nullptr, [&](TBaseLazyTree*, PLazyNode node, void*, bool& abort) { abort = log.Name(node) == "x"; }, nullptr);
    EXPECT_EQ(stopped, Named(log, "x"));

    const std::string before = Snapshot(tree);
    try {
        tree.IterateSubtree(nullptr, [&](TBaseLazyTree* t, PLazyNode node, void*, bool&) { t->DeleteNode(node); }, nullptr);
        FAIL();
    } catch (const ETreeAssertion& e) {
        EXPECT_STREQ(e.what(), "Deleting nodes during tree iteration leads to invalid pointers.");
    }
    EXPECT_EQ(Snapshot(tree), before);
    EXPECT_FALSE(tree.TreeStates().Has(tsIterating));
}

TEST(Structure, DeleteSelectedNodesRenumbersTheSurvivors)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "A(a1 a2 a3 a4) B(b1 b2) C", log);
    auto selection = tree.TreeOptions().SelectionOptions();
    selection.Include(toMultiSelect);
    tree.TreeOptions().SetSelectionOptions(selection);
    for (const char* name : {"a1", "a3", "B", "b2"})
        tree.SetSelected(Named(log, name), true);
    tree.DeleteSelectedNodes();
    EXPECT_EQ(Children(log, Named(log, "A")), "a2#0 a4#1");
    EXPECT_EQ(Children(log, tree.RootNode()), "A#0 C#1");
    EXPECT_EQ(tree.SelectedCount(), 0u);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Structure, ToggleNode)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "leaf P(p1 p2)", log);
    tree.OnExpanding = [&](TBaseLazyTree*, PLazyNode, bool&) { log.Add("Expanding"); };
    tree.OnExpanded = [&](TBaseLazyTree*, PLazyNode) { log.Add("Expanded"); };
    PLazyNode leaf = Named(log, "leaf");
    tree.ToggleNode(leaf);
    EXPECT_TRUE(leaf->States.Has(vsExpanded));
    EXPECT_EQ(log.Joined(), "Expanding Expanded");

    PLazyNode p = Named(log, "P");
    tree.ToggleNode(p);
    EXPECT_EQ(tree.VisibleCount(), 4u);
    tree.OnCollapsing = [](TBaseLazyTree*, PLazyNode, bool& allowed) { allowed = false; };
    const std::string before = Snapshot(tree);
    tree.ToggleNode(p);
    EXPECT_EQ(Snapshot(tree), before);

    EXPECT_THROW(tree.ToggleNode(nullptr), ETreeAssertion);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Structure, AutoFreeOnCollapseAsksForTheChildrenAgain)
{
    TestTree tree;
    auto autoOptions = tree.TreeOptions().AutoOptions();
    autoOptions.Include(toAutoFreeOnCollapse);
    tree.TreeOptions().SetAutoOptions(autoOptions);
    tree.SetNodeDataSize(8);
    int asked = 0;
    int freed = 0;
    tree.OnInitNode = [](TBaseLazyTree* t, PLazyNode parent, PLazyNode, TLazyNodeInitStates& states) {
        if (!parent)
            states.Include(ivsHasChildren);
    };
    tree.OnInitChildren = [&](TBaseLazyTree*, PLazyNode, uint32_t& count) {
        ++asked;
        count = 3;
    };
    tree.OnFreeNode = [&](TBaseLazyTree*, PLazyNode) { ++freed; };
    tree.SetRootNodeCount(1);
    PLazyNode node = tree.GetFirst();
    tree.ToggleNode(node);
    EXPECT_EQ(asked, 1);
    tree.GetNodeData(node->FirstChild);
    tree.ToggleNode(node);
    EXPECT_EQ(node->ChildCount, 0u);
    EXPECT_TRUE(node->States.Has(vsHasChildren));
    EXPECT_EQ(freed, 1);
    tree.ToggleNode(node);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(node->ChildCount, 3u);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Structure, FullExpandAndCollapse)
{
    TestTree tree;
    tree.OnInitNode = [](TBaseLazyTree* t, PLazyNode parent, PLazyNode, TLazyNodeInitStates& states) {
        if (t->GetNodeLevel(parent) < 1 || !parent)
            states.Include(ivsHasChildren);
    };
    tree.OnInitChildren = [](TBaseLazyTree*, PLazyNode, uint32_t& count) { count = 2; };
    tree.SetRootNodeCount(3);
    PLazyNode second = tree.GetFirst()->NextSibling;
    tree.FullExpand(second);
    EXPECT_TRUE(second->States.Has(vsExpanded));
    EXPECT_FALSE(tree.GetFirstNoInit()->States.Has(vsExpanded));
    EXPECT_FALSE(second->NextSibling->States.Has(vsExpanded));

    // Cancelling from an event stops at the next node.
    int expanded = 0;
    tree.OnExpanded = [&](TBaseLazyTree* t, PLazyNode) {
        if (++expanded == 2)
            t->CancelOperation();
    };
    tree.FullExpand();
    EXPECT_EQ(expanded, 2);
    EXPECT_FALSE(tree.OperationCanceled());
    tree.OnExpanded = nullptr;
    tree.FullExpand();
    for (PLazyNode n : tree.NoInitNodes())
        EXPECT_TRUE(n->States.Has(vsExpanded));
    EXPECT_EQ(tree.VisibleCount(), 3u + 6u + 12u);
    tree.FullCollapse();
    EXPECT_EQ(tree.VisibleCount(), 3u);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Structure, SortIsStableInBothDirections)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "c1 a1 b1 a2 c2 b2", log);
    tree.OnCompareNodes = [&](TBaseLazyTree*, PLazyNode x, PLazyNode y, TColumnIndex, int& result) {
        result = log.Name(x)[0] - log.Name(y)[0];
    };
    tree.Sort(nullptr, NoColumn, sdAscending);
    EXPECT_EQ(Children(log, tree.RootNode()), "a1#0 a2#1 b1#2 b2#3 c1#4 c2#5");
    tree.Sort(nullptr, NoColumn, sdDescending);
    EXPECT_EQ(Children(log, tree.RootNode()), "c1#0 c2#1 b1#2 b2#3 a1#4 a2#5");

    tree.OnCompareNodes = [](TBaseLazyTree*, PLazyNode, PLazyNode, TColumnIndex, int& result) { result = 0; };
    tree.Sort(nullptr, NoColumn, sdDescending);
    EXPECT_EQ(Children(log, tree.RootNode()), "c1#0 c2#1 b1#2 b2#3 a1#4 a2#5");

    // A failing comparison leaves the chain as it was.
    int calls = 0;
    tree.OnCompareNodes = [&](TBaseLazyTree*, PLazyNode, PLazyNode, TColumnIndex, int& result) {
        if (++calls == 4)
            throw std::runtime_error("compare");
        result = 1;
    };
    EXPECT_THROW(tree.Sort(nullptr, NoColumn, sdAscending), std::runtime_error);
    EXPECT_EQ(Children(log, tree.RootNode()), "c1#0 c2#1 b1#2 b2#3 a1#4 a2#5");
    EXPECT_EQ(tree.OperationCount(), 0u);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Structure, AutomaticSortingNeedsAComparison)
{
    // Without a comparison a sort keeps the order, so the tree does not initialise nodes for it.
    TestTree tree;
    int inits = 0;
    tree.OnInitNode = [&](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates&) { ++inits; };
    ASSERT_TRUE(tree.TreeOptions().AutoOptions().Has(toAutoSort));
    tree.SetRootNodeCount(50);
    tree.AddChild(nullptr);
    EXPECT_EQ(inits, 0);

    EventLog log;
    BuildShape(tree, "z y", log);
    tree.OnCompareNodes = [&](TBaseLazyTree*, PLazyNode x, PLazyNode y, TColumnIndex, int& result) {
        result = log.Name(x).compare(log.Name(y));
    };
    tree.BeginUpdate();
    tree.EndUpdate();
    EXPECT_GT(inits, 0);
}

TEST(Structure, ReinitResetAndValidate)
{
    TestTree tree;
    std::vector<bool> reinit;
    tree.OnInitNode = [&](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates& states) {
        reinit.push_back(states.Has(ivsReInit));
        states.Include(ivsHasChildren);
    };
    tree.OnInitChildren = [](TBaseLazyTree* t, PLazyNode node, uint32_t& count) {
        count = t->GetNodeLevel(node) == 0 && node->Index == 0 ? 2 : 0;
    };
    tree.SetRootNodeCount(2);
    tree.ValidateNode(nullptr, true);
    EXPECT_EQ(tree.RootNode()->TotalCount, 1u + 2u + 2u);
    reinit.clear();
    PLazyNode first = tree.GetFirstNoInit();
    tree.ReinitNode(first, false);
    EXPECT_EQ(reinit, (std::vector<bool>{true}));

    std::vector<std::string> resets;
    tree.OnResetNode = [&](TBaseLazyTree*, PLazyNode) { resets.push_back("reset"); };
    tree.ResetNode(first);
    EXPECT_EQ(resets.size(), 1u);
    EXPECT_EQ(first->ChildCount, 0u);
    EXPECT_FALSE(first->States.HasAny({vsInitialized, vsHasChildren, vsExpanded}));
    reinit.clear();
    tree.GetFirstChild(first);
    EXPECT_EQ(reinit.front(), false);
    EXPECT_EQ(first->ChildCount, 2u);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Structure, LevelsAndAncestors)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "A(a1(x))", log);
    EXPECT_EQ(tree.GetNodeLevel(Named(log, "A")), 0u);
    EXPECT_EQ(tree.GetNodeLevel(Named(log, "x")), 2u);
    EXPECT_EQ(tree.GetNodeLevel(nullptr), 0u);
    EXPECT_TRUE(tree.HasAsParent(Named(log, "x"), Named(log, "A")));
    EXPECT_FALSE(tree.HasAsParent(Named(log, "A"), Named(log, "A")));
    EXPECT_EQ(tree.LevelDifference(Named(log, "A"), Named(log, "x")), 2);
    EXPECT_EQ(TreeFromNode(Named(log, "x")), &tree);
}
