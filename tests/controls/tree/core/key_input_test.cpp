// Keyboard input on the core: focus and selection with the navigation keys, expansion keys, scrolling keys,
// the keyboard check, and the empty tree.

#include "tree_fixture.h"

using namespace tree_test;

namespace {

struct KeyTree {
    TestTree tree;
    FakeView view;
    FakeMeasurer measurer;
    FakeClock clock{&tree};
    EventLog log;

    explicit KeyTree(const std::string& shape)
    {
        view.width = 200;
        view.height = 90; // five rows
        tree.SetView(&view);
        tree.SetMeasurer(&measurer);
        tree.SetClock(&clock);
        BuildShape(tree, shape, log);
    }
    PLazyNode operator[](const std::string& name) const { return Named(log, name); }
    void Key(int key, TShiftState shift = {})
    {
        tree.KeyDown(key, shift);
        tree.KeyUp(key, shift);
    }
    std::string Focused() const { return log.Name(tree.FocusedNode()); }
    std::string Selected() const
    {
        std::string result;
        for (PLazyNode n : AllNodes(tree))
            if (n->States.Has(vsSelected))
                result += (result.empty() ? "" : " ") + log.Name(n);
        return result;
    }
};

} // namespace

TEST(KeyInput, ArrowsMoveFocusAndSelectionWithTheRangeAnchor)
{
    KeyTree t("A B C D E");
    t.tree.TreeOptions().SetSelectionOptions({toMultiSelect});
    t.Key(VK_DOWN);
    EXPECT_EQ(t.Focused(), "A") << "no focus: the first visible node";
    EXPECT_EQ(t.Selected(), "A");
    t.Key(VK_UP);
    EXPECT_EQ(t.Focused(), "A");
    EXPECT_EQ(t.Selected(), "A") << "up on the first node moves nothing";

    const struct {
        int key;
        TShiftState shift;
        const char* focused;
        const char* selected;
    } steps[] = {
        {VK_DOWN, {}, "B", "B"},
        {VK_DOWN, {ssShift}, "C", "B C"},      // below the anchor: the old node stays
        {VK_DOWN, {ssShift}, "D", "B C D"},
        {VK_UP, {ssShift}, "C", "B C"},        // back towards the anchor: the old node goes
        {VK_UP, {ssShift}, "B", "B"},
        {VK_UP, {ssShift}, "A", "A B"},        // above the anchor
        {VK_END, {ssShift}, "E", "B C D E"},   // a range key: anchor to the new node
        {VK_HOME, {}, "A", "A"},
        {VK_NEXT, {}, "E", "E"},               // a page of five rows
        {VK_PRIOR, {}, "A", "A"},
    };
    for (const auto& s : steps) {
        t.Key(s.key, s.shift);
        EXPECT_EQ(t.Focused(), s.focused) << "key " << s.key;
        EXPECT_EQ(t.Selected(), s.selected) << "key " << s.key;
    }
    EXPECT_EQ(CheckInvariants(t.tree), "");
}

TEST(KeyInput, ExpansionKeysAndParentChildSteps)
{
    KeyTree t("A(a1(x) a2) B(b1)");
    t.tree.SetFocusedNode(t["A"]);
    const struct {
        int key;
        TShiftState shift;
        const char* focused;
        const char* expanded; // expanded nodes after the key
    } steps[] = {
        {VK_RIGHT, {}, "A", "A"},           // collapsed: expand
        {VK_RIGHT, {}, "a1", "A"},          // expanded: to the first child
        {VK_MULTIPLY, {}, "a1", "A a1"},    // the focused subtree, fully
        {VK_LEFT, {}, "a1", "A"},           // expanded: collapse
        {VK_LEFT, {}, "A", "A"},            // collapsed child: to its parent
        {VK_SUBTRACT, {}, "A", ""},
        {VK_ADD, {}, "A", "A"},
        {VK_DIVIDE, {}, "A", ""},
        {VK_ADD, {ssCtrl}, "A", "A a1 B"},  // all
        {VK_SUBTRACT, {ssCtrl}, "A", ""},
        {VK_ADD, {ssCtrl, ssShift}, "A", ""}, // fits the columns instead (none here)
    };
    for (const auto& s : steps) {
        t.Key(s.key, s.shift);
        std::string expanded;
        for (PLazyNode n : AllNodes(t.tree))
            if (t.tree.GetExpanded(n) && n->ChildCount > 0)
                expanded += (expanded.empty() ? "" : " ") + t.log.Name(n);
        EXPECT_EQ(t.Focused(), s.focused) << "key " << s.key;
        EXPECT_EQ(expanded, s.expanded) << "key " << s.key;
    }
    // Backspace goes to the parent; on a top-level node it stays.
    t.Key(VK_RIGHT);
    t.Key(VK_DOWN);
    t.Key(VK_BACK);
    EXPECT_EQ(t.Focused(), "A");
    t.Key(VK_BACK);
    EXPECT_EQ(t.Focused(), "A");
    EXPECT_EQ(CheckInvariants(t.tree), "");
}

TEST(KeyInput, CtrlKeysScrollWithoutMovingTheFocus)
{
    KeyTree t("A B C D E F G H I J K L");
    t.tree.SetFocusedNode(t["B"]);
    t.Key(VK_DOWN, {ssCtrl});
    EXPECT_EQ(t.tree.OffsetY(), -18);
    EXPECT_EQ(t.Focused(), "B");
    t.Key(VK_NEXT, {ssCtrl});
    EXPECT_EQ(t.tree.OffsetY(), -108);
    t.Key(VK_UP, {ssCtrl});
    EXPECT_EQ(t.tree.OffsetY(), -90);
    t.Key(VK_HOME, {ssCtrl});
    EXPECT_EQ(t.tree.OffsetY(), 0);
    t.Key(VK_END, {ssCtrl});
    EXPECT_EQ(t.tree.OffsetY(), -(12 * 18 - 90));
    EXPECT_EQ(t.Focused(), "B");
}

TEST(KeyInput, SpaceChecksOnReleaseAndAnotherKeyAbandonsTheCheck)
{
    KeyTree t("A B");
    t.tree.TreeOptions().SetMiscOptions(t.tree.TreeOptions().MiscOptions() + TVTMiscOptions{toCheckSupport});
    t.tree.SetCheckType(t["A"], ctCheckBox);
    int checked = 0;
    t.tree.OnChecked = [&](TBaseLazyTree*, PLazyNode) { ++checked; };
    t.tree.SetFocusedNode(t["A"]);

    int key = VK_SPACE;
    t.tree.KeyDown(key, {});
    EXPECT_EQ(t["A"]->CheckState, csUncheckedPressed);
    key = VK_SPACE;
    t.tree.KeyDown(key, {}); // auto-repeat changes nothing
    t.tree.KeyUp(VK_SPACE, {});
    EXPECT_EQ(t["A"]->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 1);

    key = VK_SPACE;
    t.tree.KeyDown(key, {});
    EXPECT_EQ(t["A"]->CheckState, csCheckedPressed);
    key = VK_DOWN;
    t.tree.KeyDown(key, {});
    EXPECT_EQ(t["A"]->CheckState, csCheckedNormal);
    t.tree.KeyUp(VK_SPACE, {});
    EXPECT_EQ(t["A"]->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 1);

    // Without a check box space starts incremental search input.
    t.tree.SetFocusedNode(t["B"]);
    key = VK_SPACE;
    t.tree.KeyDown(key, {});
    EXPECT_TRUE(t.tree.TreeStates().Has(tsIncrementalSearchPending));
}

TEST(KeyInput, EmptyTreeAndKeyAction)
{
    KeyTree t("");
    for (int k : {VK_DOWN, VK_UP, VK_LEFT, VK_HOME}) {
        t.tree.ChangeTreeStates({}, {tsIncrementalSearchPending});
        int key = k;
        t.tree.KeyDown(key, {});
        EXPECT_TRUE(t.tree.TreeStates().Has(tsIncrementalSearchPending)) << k;
    }
    for (int k : {VK_BACK, VK_TAB}) {
        t.tree.ChangeTreeStates({}, {tsIncrementalSearchPending});
        int key = k;
        t.tree.KeyDown(key, {});
        EXPECT_FALSE(t.tree.TreeStates().Has(tsIncrementalSearchPending)) << k;
    }

    // OnKeyAction may change the key or keep the tree from acting on it.
    KeyTree u("A B");
    u.tree.OnKeyAction = [](TBaseLazyTree*, int& key, TShiftState&, bool& doDefault) {
        if (key == VK_UP)
            key = VK_DOWN;
        else
            doDefault = false;
    };
    u.Key(VK_UP);
    EXPECT_EQ(u.Focused(), "A");
    u.Key(VK_DOWN);
    EXPECT_EQ(u.Focused(), "A");
    u.Key(VK_UP);
    EXPECT_EQ(u.Focused(), "B");
}

TEST(KeyInput, CtrlASelectsTheVisibleNodes)
{
    KeyTree t("A(a1) B");
    t.tree.TreeOptions().SetSelectionOptions({toMultiSelect});
    t.Key('A', {ssCtrl});
    EXPECT_EQ(t.Selected(), "A B");
}
