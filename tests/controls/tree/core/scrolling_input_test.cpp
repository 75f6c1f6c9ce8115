// Scrolling by the user on the core: the wheel, edge zones and their timer, wheel panning, incremental
// search; and the painting support without pixels: line types and check image indexes.

#include "tree_fixture.h"

using namespace tree_test;

namespace {

struct ScrollTree {
    TestTree tree;
    FakeView view;
    FakeMeasurer measurer;
    FakeClock clock{&tree};
    EventLog log;

    explicit ScrollTree(const std::string& shape, int width = 200, int height = 90)
    {
        view.width = width;
        view.height = height;
        tree.SetView(&view);
        tree.SetMeasurer(&measurer);
        tree.SetClock(&clock);
        BuildShape(tree, shape, log);
        tree.UpdateScrollBars(true);
    }
    PLazyNode operator[](const std::string& name) const { return Named(log, name); }
};

std::string Rows(int count)
{
    std::string shape;
    for (int i = 0; i < count; ++i)
        shape += "n" + std::to_string(i) + " ";
    return shape;
}

} // namespace

TEST(ScrollingInput, WheelScrollsLinesTimesNodeHeightAPagePerNotchWithCtrlAndSidewaysWhenRowsFit)
{
    ScrollTree t(Rows(40));
    t.tree.MouseWheel(-120, {});
    EXPECT_EQ(t.tree.OffsetY(), -3 * 18);
    t.tree.MouseWheel(-60, {}); // half a notch: 1.5 lines, truncated
    EXPECT_EQ(t.tree.OffsetY(), -3 * 18 - 27);
    t.tree.MouseWheel(120, {ssCtrl});
    EXPECT_EQ(t.tree.OffsetY(), 0) << "a page up, clamped";
    t.view.wheelLines = -1; // the system scrolls pages
    t.tree.MouseWheel(-240, {});
    EXPECT_EQ(t.tree.OffsetY(), -180);

    // All rows fit: the wheel scrolls sideways by the scroll width (the Indent without columns) per line.
    ScrollTree wide("a b", 100, 200);
    wide.measurer.width = 400;
    wide.tree.UpdateScrollBars(true);
    ASSERT_GT(wide.tree.RangeX(), 100u);
    wide.tree.MouseWheel(-120, {});
    EXPECT_EQ(wide.tree.OffsetX(), -3 * 18);
    EXPECT_EQ(wide.tree.OffsetY(), 0);
}

TEST(ScrollingInput, EdgeZonesAreOneDefaultNodeHeightWideAndPanningHasADeadZone)
{
    ScrollTree t(Rows(40));
    t.tree.TreeOptions().SetAutoOptions(t.tree.TreeOptions().AutoOptions() + TVTAutoOptions{toAutoScroll});
    t.tree.ChangeTreeStates({tsDrawSelecting}, {});
    t.tree.SetOffsetY(-100);
    EXPECT_EQ(t.tree.ComputeScrollDirections(100, 17).Bits(), TScrollDirections{sdUp}.Bits());
    EXPECT_TRUE(t.tree.ComputeScrollDirections(100, 18).Empty());
    EXPECT_EQ(t.tree.ComputeScrollDirections(100, 90 - 17).Bits(), TScrollDirections{sdDown}.Bits());
    EXPECT_TRUE(t.tree.ComputeScrollDirections(100, 90 - 18).Empty());
    t.tree.SetOffsetY(0);
    EXPECT_TRUE(t.tree.ComputeScrollDirections(100, 5).Empty()) << "nothing above the top";

    // Without toAutoScroll and outside a band nothing scrolls automatically.
    t.tree.ChangeTreeStates({}, {tsDrawSelecting});
    EXPECT_TRUE(t.tree.ComputeScrollDirections(100, 88).Empty());

    // Panning: eight pixels around the centre are still.
    t.tree.MouseButtonDown(mbMiddle, {ssMiddle}, 100, 45);
    ASSERT_TRUE(t.tree.TreeStates().HasAll({tsWheelPanning, tsWheelScrolling}));
    EXPECT_TRUE(t.view.panningShown);
    EXPECT_EQ(t.view.panningImage, piMoveNS);
    EXPECT_TRUE(t.tree.ComputeScrollDirections(108, 45).Empty());
    EXPECT_EQ(t.tree.ComputeScrollDirections(109, 45).Bits(), TScrollDirections{sdRight}.Bits());
    EXPECT_EQ(t.tree.ComputeScrollDirections(100, 36).Bits(), TScrollDirections{sdUp}.Bits());

    // Each 20 ms tick scrolls by the distance beyond the dead zone.
    t.view.cursorKnown = true;
    t.view.cursor = {100, 75};
    t.tree.MouseMove({}, 100, 75);
    t.clock.Advance(20);
    EXPECT_EQ(t.tree.OffsetY(), -(30 - 8));
    t.clock.Advance(20);
    EXPECT_EQ(t.tree.OffsetY(), -2 * (30 - 8));
    // A click anywhere ends it.
    t.tree.MouseButtonDown(mbLeft, {ssLeft}, 100, 75);
    EXPECT_FALSE(t.tree.TreeStates().HasAny({tsWheelPanning, tsWheelScrolling}));
    EXPECT_FALSE(t.view.panningShown);
    EXPECT_FALSE(t.clock.Running(ScrollTimer));
}

TEST(ScrollingInput, PanningCursorFollowsTheDirectionFromTheCentre)
{
    const struct {
        int dx, dy;
        bool wide, tall;
        TPanningCursor expected;
    } cases[] = {
        {7, 7, false, true, pcMoveNS}, {0, 0, true, true, pcMoveAll}, {-7, 0, true, false, pcMoveEW},
        {-9, -9, true, true, pcMoveNW}, {-9, 0, true, true, pcMoveW}, {-9, 9, true, true, pcMoveSW},
        {0, -8, true, true, pcMoveN}, {8, 8, true, true, pcMoveS}, {9, -9, true, true, pcMoveNE},
        {9, 8, true, true, pcMoveE}, {9, 9, true, true, pcMoveSE}, {-8, 0, true, false, pcMoveW},
        {20, 0, true, false, pcMoveE}, {0, -20, false, true, pcMoveN}, {30, 20, false, true, pcMoveS},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChoosePanningCursor(c.dx, c.dy, c.wide, c.tall), c.expected) << c.dx << "," << c.dy;
    EXPECT_EQ(ChoosePanningImage(true, false), piMoveEW);
    EXPECT_EQ(ChoosePanningImage(true, true), piMoveAll);
}

TEST(ScrollingInput, IncrementalSearchCyclesARepeatedLetterAndKeepsTwoLetters)
{
    ScrollTree t("b1 b2 c");
    std::map<PLazyNode, std::u32string> texts{{t["b1"], U"b1"}, {t["b2"], U"b2"}, {t["c"], U"c"}};
    t.tree.OnIncrementalSearch = [&](TBaseLazyTree*, PLazyNode node, const std::u32string& text, int& result) {
        result = node && texts[node].rfind(text, 0) == 0 ? 0 : 1;
    };
    t.tree.SetIncrementalSearch(isAll);
    t.tree.SetFocusedNode(t["b1"]);
    const auto type = [&](char32_t ch) {
        int key = static_cast<int>(ch);
        t.tree.KeyDown(key, {});
        t.tree.KeyPress(ch);
    };
    type(U'b');
    EXPECT_EQ(t.tree.FocusedNode(), t["b2"]);
    type(U'b');
    EXPECT_EQ(t.tree.FocusedNode(), t["b1"]) << "the repeated letter goes on from the node after the hit";
    EXPECT_EQ(t.tree.SearchBuffer(), U"b");
    t.clock.Advance(1000); // the timeout drops the text
    EXPECT_TRUE(t.tree.SearchBuffer().empty());
    type(U'b');
    type(U'2');
    EXPECT_EQ(t.tree.FocusedNode(), t["b2"]);
    EXPECT_EQ(t.tree.SearchBuffer(), U"b2");
    EXPECT_EQ(t.tree.SelectedCount(), 1u);

    // Nothing found: a beep, and the text stays.
    type(U'x');
    EXPECT_EQ(t.view.beeps, 1);
    EXPECT_EQ(t.tree.SearchBuffer(), U"b2");
    // Backspace shortens the text and searches backwards from the focused node.
    int back = VK_BACK;
    t.tree.KeyDown(back, {});
    t.tree.KeyPress(8);
    EXPECT_EQ(t.tree.SearchBuffer(), U"b");
    EXPECT_EQ(t.tree.FocusedNode(), t["b1"]);

    // With isNone typing neither searches nor starts the timer.
    t.tree.SetIncrementalSearch(isNone);
    t.clock.starts.clear();
    type(U'c');
    EXPECT_EQ(t.tree.FocusedNode(), t["b1"]);
    for (const auto& [id, ms] : t.clock.starts)
        EXPECT_NE(id, SearchTimer);
}

TEST(ScrollingInput, LineTypesOfFirstLastAndOnlyRows)
{
    ScrollTree t("A(a1 a2(x)) B C");
    t.tree.FullExpand();
    const auto line = [&](const std::string& name) {
        TLineImage image;
        t.tree.BuildLineImage(t[name], image);
        return image;
    };
    EXPECT_EQ(line("A"), (TLineImage{ltBottomRight}));
    EXPECT_EQ(line("B"), (TLineImage{ltTopDownRight}));
    EXPECT_EQ(line("C"), (TLineImage{ltTopRight}));
    EXPECT_EQ(line("a1"), (TLineImage{ltTopDown, ltTopDownRight}));
    EXPECT_EQ(line("x"), (TLineImage{ltTopDown, ltNone, ltTopRight}));
    t.tree.SetVisible(t["B"], false);
    t.tree.SetVisible(t["C"], false);
    EXPECT_EQ(line("A"), (TLineImage{ltRight})) << "the only shown top-level node";
    EXPECT_EQ(line("a1"), (TLineImage{ltNone, ltTopDownRight}));

    // Children above their parent, without the root level: one entry of the node's own.
    t.tree.TreeOptions().SetPaintOptions(
        t.tree.TreeOptions().PaintOptions() + TVTPaintOptions{toChildrenAbove} - TVTPaintOptions{toShowRoot});
    EXPECT_EQ(line("a1"), (TLineImage{ltBottomRight}));
    EXPECT_EQ(line("a2"), (TLineImage{ltTopDownRight}));
    EXPECT_EQ(line("x"), (TLineImage{ltTopDown, ltBottomRight}));

    // Lines off: all levels empty, the selected ancestors still counted.
    t.tree.TreeOptions().SetPaintOptions(TVTPaintOptions{toShowRoot});
    t.tree.SetSelected(t["A"], true);
    TLineImage image;
    EXPECT_EQ(t.tree.BuildLineImage(t["x"], image), 1);
    EXPECT_EQ(image, (TLineImage{ltNone, ltNone, ltNone}));
}

TEST(ScrollingInput, CheckImageIndexes)
{
    ScrollTree t("A");
    const struct {
        TCheckType type;
        TCheckState state;
        bool enabled;
        int expected;
    } cases[] = {
        {ctNone, csCheckedNormal, true, -1},
        {ctRadioButton, csUncheckedNormal, true, 1}, {ctRadioButton, csCheckedNormal, true, 5},
        {ctRadioButton, csCheckedPressed, true, 7}, {ctRadioButton, csCheckedNormal, false, 8},
        {ctRadioButton, csCheckedDisabled, true, 8}, {ctCheckBox, csUncheckedNormal, true, 9},
        {ctCheckBox, csUncheckedPressed, true, 11}, {ctCheckBox, csCheckedNormal, true, 13},
        {ctCheckBox, csCheckedDisabled, true, 16}, {ctTriStateCheckBox, csMixedPressed, true, 19},
        {ctCheckBox, csMixedDisabled, true, 20}, {ctButton, csCheckedNormal, true, 21},
        {ctButton, csUncheckedPressed, true, 23}, {ctButton, csMixedNormal, true, 17},
    };
    for (const auto& c : cases)
        EXPECT_EQ(t.tree.CheckImageIndexFor(nullptr, c.type, c.state, c.enabled), c.expected)
            << int(c.type) << "/" << int(c.state);

    // With a node: its own type and state, hot when the pointer is on it.
    PLazyNode a = t["A"];
    t.tree.SetCheckType(a, ctRadioButton);
    t.tree.SetCheckState(a, csCheckedNormal);
    t.tree.TreeOptions().SetMiscOptions(t.tree.TreeOptions().MiscOptions() + TVTMiscOptions{toCheckSupport});
    t.measurer.images[isCheckImages] = {16, 16};
    t.tree.MouseMove({}, 18 + 4 + 3, 5);
    ASSERT_EQ(t.tree.HotNode(), a);
    EXPECT_EQ(t.tree.CheckImageIndexFor(a, ctNone, csUncheckedNormal, false), 6);
    t.tree.SetDisabled(a, true);
    EXPECT_EQ(t.tree.CheckImageIndexFor(a, ctNone, csUncheckedNormal, true), 8);
}
