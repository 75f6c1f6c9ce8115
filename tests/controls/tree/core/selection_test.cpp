// The selection array, its constraints, ranges and focus, and the public selection and editing entry points.

#include "tree_fixture.h"

using namespace tree_test;

namespace {

void SetSelectionOptions(TBaseLazyTree& tree, TVTSelectionOptions add)
{
    tree.TreeOptions().SetSelectionOptions(tree.TreeOptions().SelectionOptions() + add);
}

std::string Selected(const TBaseLazyTree& tree, const EventLog& log)
{
    std::string result;
    for (PLazyNode n : AllNodes(tree))
        if (n->States.Has(vsSelected))
            result += (result.empty() ? "" : " ") + log.Name(n);
    return result;
}

class EditLinkFake : public IVTEditLink {
public:
    EventLog* log = nullptr;
    bool prepare = true;
    bool begin = true;
    bool end = true;
    bool cancel = true;
    TRect bounds{0, 0, 10, 5};
    bool BeginEdit() override { return Say("BeginEdit"), begin; }
    bool CancelEdit() override { return Say("CancelEdit"), cancel; }
    bool EndEdit() override { return Say("EndEdit"), end; }
    bool PrepareEdit(TBaseLazyTree&, PLazyNode node, TColumnIndex column) override
    {
        Say("PrepareEdit(" + log->Name(node) + "," + std::to_string(column) + ")");
        return prepare;
    }
    TRect GetBounds() override { return bounds; }
    void SetBounds(const TRect& r) override
    {
        bounds = r;
        Say("SetBounds");
    }
    void Say(const std::string& s) { log->Add(s); }
};

class TwoColumns : public TreeColumns {
public:
    int Count() const override { return 2; }
    bool IsEditable(TColumnIndex column) const override { return column == 0; }
    bool AllowFocus(TColumnIndex column) const override { return column == 0; }
    bool IsVisible(TColumnIndex column) const override { return true; }
    void GetColumnBounds(TColumnIndex column, int& left, int& right) const override
    {
        left = column * 100;
        right = left + 100;
    }
};

} // namespace

TEST(Selection, MergesKeepTheArraySortedAndUnique)
{
    TestTree tree;
    tree.SetRootNodeCount(8);
    std::vector<PLazyNode> nodes = AllNodes(tree);
    std::sort(nodes.begin(), nodes.end(),
        [](PLazyNode a, PLazyNode b) { return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b); });
    // Five old nodes and three new ones whose addresses interleave with them.
    TNodeArray old{nodes[0], nodes[2], nodes[4], nodes[6], nodes[7]};
    std::reverse(old.begin(), old.end());
    EXPECT_TRUE(tree.MergeIntoSelection(old, 5, false));
    TNodeArray added{nodes[5], nodes[1], nodes[3]};
    EXPECT_TRUE(tree.MergeIntoSelection(added, 3, false));
    EXPECT_EQ(tree.SelectionArray(), TNodeArray(nodes.begin(), nodes.end()));
    EXPECT_EQ(tree.SelectedCount(), 8u);

    tree.ClearSelection();
    tree.AddNodeToSelection(nodes[3], false);
    TNodeArray again{nodes[3]};
    EXPECT_FALSE(tree.MergeIntoSelection(again, 1, false));
    EXPECT_EQ(tree.SelectedCount(), 1u);

    tree.SetDisabled(nodes[4], true);
    TNodeArray disabled{nodes[4]};
    EXPECT_FALSE(tree.MergeIntoSelection(disabled, 1, false));
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(Selection, LevelAndSiblingConstraints)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "A(a1 a2) B(b1)", log);
    SetSelectionOptions(tree, {toMultiSelect, toLevelSelectConstraint});
    tree.AddToSelection(Named(log, "A"));
    tree.AddToSelection(Named(log, "a1"));
    tree.AddToSelection(Named(log, "B"));
    EXPECT_EQ(Selected(tree, log), "A B");
    tree.ClearSelection();
    tree.AddToSelection(Named(log, "a1"));
    tree.AddToSelection(Named(log, "b1"));
    EXPECT_EQ(Selected(tree, log), "a1 b1");

    TestTree siblings;
    EventLog log2;
    BuildShape(siblings, "A(a1 a2) B(b1)", log2);
    SetSelectionOptions(siblings, {toMultiSelect, toSiblingSelectConstraint});
    ASSERT_EQ(siblings.RangeAnchor(), nullptr);
    siblings.AddToSelection(Named(log2, "a2"));
    EXPECT_EQ(siblings.RangeAnchor(), Named(log2, "a2"));
    siblings.AddToSelection(Named(log2, "b1"));
    siblings.AddToSelection(Named(log2, "a1"));
    EXPECT_EQ(Selected(siblings, log2), "a1 a2");
}

TEST(Selection, NextNodeToSelectWhenTheOnlySelectedNodeGoes)
{
    struct Case {
        const char* shape;
        const char* removed;
        const char* next;
    };
    for (const Case c : {Case{"A B C", "B", "C"}, Case{"A B", "B", "A"}, Case{"P(c)", "c", "P"},
             Case{"P(c)", "P", "c"}}) {
        TestTree tree;
        EventLog log;
        BuildShape(tree, c.shape, log);
        SetSelectionOptions(tree, {toAlwaysSelectNode});
        tree.SetSelected(Named(log, c.removed), true);
        tree.RemoveFromSelection(Named(log, c.removed));
        EXPECT_EQ(log.Name(tree.NextNodeToSelect()), c.next) << c.shape << " " << c.removed;
    }
}

TEST(Selection, ToggleRangeKeepsTheAnchor)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "r0 r1 r2 r3 r4", log);
    SetSelectionOptions(tree, {toMultiSelect});
    tree.SetSelected(Named(log, "r1"), true);
    tree.SetSelected(Named(log, "r2"), true);
    ASSERT_EQ(tree.RangeAnchor(), Named(log, "r1"));
    tree.ToggleRangeSelection(Named(log, "r1"), Named(log, "r4"));
    EXPECT_EQ(Selected(tree, log), "r1 r3 r4");
    EXPECT_EQ(CheckInvariants(tree), "");

    tree.SelectRange(Named(log, "r3"), Named(log, "r0"), false);
    EXPECT_EQ(Selected(tree, log), "r0 r1 r2 r3");
    tree.DeselectRange(Named(log, "r1"), Named(log, "r2"));
    EXPECT_EQ(Selected(tree, log), "r0 r3");
    EXPECT_EQ(CheckInvariants(tree), "");
    EXPECT_THROW(tree.SelectRange(nullptr, nullptr, false), ETreeAssertion);
}

TEST(Selection, TempCacheGrowsByATenth)
{
    TestTree tree;
    PLazyNode node = tree.AddChild(nullptr);
    std::vector<uint32_t> lengths{tree.TempNodeCacheLength()};
    for (int i = 0; i < 111; ++i) {
        tree.AppendToTempCache(node);
        if (tree.TempNodeCacheLength() != lengths.back())
            lengths.push_back(tree.TempNodeCacheLength());
    }
    EXPECT_EQ(lengths, (std::vector<uint32_t>{0, 100, 110, 121}));
}

TEST(Selection, RefusedFocusStillScrollsTheOldNodeIntoView)
{
    TestTree tree;
    FakeView view;
    view.height = 36;
    tree.SetView(&view);
    tree.SetRootNodeCount(20);
    PLazyNode first = tree.GetFirst();
    tree.SetFocusedNode(first);
    tree.SetOffsetY(-180);
    tree.OnFocusChanging = [](TBaseLazyTree*, PLazyNode, PLazyNode, TColumnIndex, TColumnIndex, bool& allowed) {
        allowed = false;
    };
    int changed = 0;
    tree.OnFocusChanged = [&](TBaseLazyTree*, PLazyNode, TColumnIndex) { ++changed; };
    tree.SetFocusedNode(tree.GetLastChild(nullptr));
    EXPECT_EQ(tree.FocusedNode(), first);
    EXPECT_EQ(tree.OffsetY(), 0);
    EXPECT_EQ(changed, 0);
}

TEST(SelectionEntryPoints, SelectAllAndInvert)
{
    {
        TestTree tree;
        EventLog log;
        BuildShape(tree, "a b", log);
        tree.SetVisible(Named(log, "a"), false);
        tree.SetVisible(Named(log, "b"), false);
        SetSelectionOptions(tree, {toMultiSelect});
        int changes = 0;
        tree.OnChange = [&](TBaseLazyTree*, PLazyNode) { ++changes; };
        tree.SelectAll(true);
        EXPECT_EQ(tree.SelectedCount(), 0u);
        EXPECT_EQ(changes, 0);
        // Inverting the shown nodes still looks at the first top-level node.
        tree.InvertSelection(true);
        EXPECT_EQ(Selected(tree, log), "a");
    }
    {
        TestTree tree;
        tree.SetRootNodeCount(3);
        tree.SetSelected(tree.GetFirst(), true);
        tree.SelectAll(false);
        EXPECT_EQ(tree.SelectedCount(), 1u);
    }
    TestTree tree;
    EventLog log;
    BuildShape(tree, "a(a1) b c", log);
    SetSelectionOptions(tree, {toMultiSelect, toAlwaysSelectNode});
    int changes = 0;
    tree.OnChange = [&](TBaseLazyTree*, PLazyNode) { ++changes; };
    tree.InvertSelection(false);
    EXPECT_EQ(Selected(tree, log), "a a1 b c");
    EXPECT_EQ(changes, 1);
    changes = 0;
    tree.InvertSelection(false);
    EXPECT_EQ(tree.SelectedCount(), 0u);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(tree.NextNodeToSelect(), nullptr);
    EXPECT_EQ(CheckInvariants(tree), "");
}

TEST(SelectionEntryPoints, ClearSelectionInsideABracket)
{
    TestTree tree;
    FakeView view;
    tree.SetView(&view);
    EventLog log;
    BuildShape(tree, "a b c", log);
    SetSelectionOptions(tree, {toMultiSelect});
    tree.SelectAll(false);
    view.invalidatedRects.clear();
    std::vector<std::string> removed;
    tree.OnRemoveFromSelection = [&](TBaseLazyTree*, PLazyNode node) { removed.push_back(log.Name(node)); };
    int changes = 0;
    tree.OnChange = [&](TBaseLazyTree*, PLazyNode) { ++changes; };
    tree.BeginUpdate();
    tree.ClearSelection();
    EXPECT_TRUE(view.invalidatedRects.empty());
    EXPECT_EQ(removed.size(), 3u);
    EXPECT_EQ(changes, 0);
    tree.EndUpdate();
    EXPECT_EQ(changes, 1);

    // Outside a bracket only the selected rows on screen are repainted.
    tree.SelectAll(false);
    tree.SetSelected(Named(log, "b"), false);
    view.invalidatedRects.clear();
    tree.ClearSelection();
    EXPECT_EQ(view.invalidatedRects, (std::vector<TRect>{{0, 0, 200, 18}, {0, 36, 200, 54}}));
}

TEST(SelectionEntryPoints, SortedSelection)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "P(c1 c2) Q R", log);
    SetSelectionOptions(tree, {toMultiSelect});
    for (const char* name : {"R", "c2", "P"})
        tree.SetSelected(Named(log, name), true);
    const auto names = [&](const TNodeArray& nodes) {
        std::string result;
        for (PLazyNode n : nodes)
            result += (result.empty() ? "" : " ") + log.Name(n);
        return result;
    };
    EXPECT_EQ(names(tree.GetSortedSelection(true)), "P R");
    EXPECT_EQ(names(tree.GetSortedSelection(false)), "P c2 R");
}

TEST(SelectionEntryPoints, Editing)
{
    TestTree tree;
    FakeView view;
    tree.SetView(&view);
    EventLog log;
    BuildShape(tree, "a b", log);
    auto link = std::make_shared<EditLinkFake>();
    link->log = &log;
    PLazyNode a = Named(log, "a");
    PLazyNode b = Named(log, "b");

    // No editor without toEditable, and none from the default factory.
    EXPECT_FALSE(tree.EditNode(a, NoColumn));
    auto misc = tree.TreeOptions().MiscOptions();
    misc.Include(toEditable);
    tree.TreeOptions().SetMiscOptions(misc);
    EditLinkFactory noEditor;
    tree.SetEditLinkFactory(&noEditor);
    EXPECT_FALSE(tree.EditNode(a, NoColumn));
    EXPECT_FALSE(tree.IsEditing());

    tree.OnCreateEditor = [&](TBaseLazyTree*, PLazyNode, TColumnIndex, std::shared_ptr<IVTEditLink>& l) { l = link; };
    tree.OnEdited = [&](TBaseLazyTree*, PLazyNode node, TColumnIndex) { log.Add("Edited(" + log.Name(node) + ")"); };
    tree.OnEditCancelled = [&](TBaseLazyTree*, TColumnIndex) { log.Add("Cancelled"); };
    log.Clear();
    EXPECT_TRUE(tree.EditNode(b, NoColumn));
    EXPECT_EQ(log.Joined(), "PrepareEdit(b,-1) SetBounds BeginEdit");
    EXPECT_EQ(link->bounds.Top, 18);
    // While b is edited, editing a changes nothing.
    EXPECT_TRUE(tree.EditNode(a, NoColumn));
    EXPECT_EQ(tree.FocusedNode(), b);

    log.Clear();
    link->end = false;
    EXPECT_FALSE(tree.EndEditNode());
    EXPECT_TRUE(tree.IsEditing());
    link->end = true;
    EXPECT_TRUE(tree.EndEditNode());
    EXPECT_EQ(log.Joined(), "EndEdit EndEdit Edited(b)");
    EXPECT_EQ(tree.EditLink(), nullptr);

    tree.EditNode(a, NoColumn);
    log.Clear();
    EXPECT_TRUE(tree.CancelEditNode());
    EXPECT_EQ(log.Joined(), "CancelEdit Cancelled");
    EXPECT_FALSE(tree.IsEditing());

    misc.Include(toReadOnly);
    tree.TreeOptions().SetMiscOptions(misc);
    EXPECT_FALSE(tree.EditNode(b, NoColumn));
    EXPECT_EQ(tree.FocusedNode(), a);

    try {
        tree.EditNode(a, 0);
        FAIL();
    } catch (const ETreeAssertion& e) {
        EXPECT_STREQ(e.what(), "Column must be a valid column index (-1 if no header is shown).");
    }
    EXPECT_THROW(tree.EditNode(nullptr, NoColumn), ETreeAssertion);
}

TEST(SelectionEntryPoints, CanEditAsksTheColumnAndTheHandler)
{
    TestTree tree;
    TwoColumns columns;
    tree.SetColumns(&columns);
    PLazyNode node = tree.AddChild(nullptr);
    auto misc = tree.TreeOptions().MiscOptions();
    misc.Include(toEditable);
    tree.TreeOptions().SetMiscOptions(misc);
    EXPECT_TRUE(tree.CanEdit(node, 0));
    EXPECT_FALSE(tree.CanEdit(node, 1));
    tree.OnEditing = [](TBaseLazyTree*, PLazyNode, TColumnIndex column, bool& allowed) { allowed = column == 1; };
    EXPECT_TRUE(tree.CanEdit(node, 1));
    EXPECT_FALSE(tree.CanEdit(node, 0));

    TVTHintKind kind = vhkOwnerDraw;
    tree.FireGetHintKind(node, 0, kind);
    EXPECT_EQ(kind, vhkText);
    EXPECT_FALSE(tree.FireFocusChanging(node, node, 0, 1));
    EXPECT_TRUE(tree.FireFocusChanging(node, node, 1, 0));
}
