// Geometry in integers: display rectangles, the node at a height with and without the position cache, hit
// tests, ranges, scroll bars and scrolling into view.

#include "tree_fixture.h"

#include <random>

using namespace tree_test;

namespace {

struct RowLayout {
    std::vector<PLazyNode> rows;
    std::vector<int> tops;
    int height = 0;
};

RowLayout Layout(const TBaseLazyTree& tree)
{
    RowLayout layout;
    layout.rows = Rows(tree);
    for (PLazyNode n : layout.rows) {
        layout.tops.push_back(layout.height);
        layout.height += n->NodeHeight;
    }
    return layout;
}

// Thousands of rows of random heights, with hidden, filtered and collapsed parts.
void BuildTallTree(TestTree& tree, uint32_t seed)
{
    std::mt19937 rng(seed);
    tree.BeginUpdate();
    tree.SetRootNodeCount(4200);
    int i = 0;
    for (PLazyNode n = tree.GetFirstNoInit(); n; n = n->NextSibling, ++i) {
        tree.SetNodeHeight(n, static_cast<int>(rng() % 41));
        if (i % 97 == 0) {
            tree.SetChildCount(n, 30);
            for (PLazyNode c = n->FirstChild; c; c = c->NextSibling)
                tree.SetNodeHeight(c, 5 + static_cast<int>(rng() % 20));
            if (i % 2 == 0)
                tree.ToggleNode(n);
        }
        if (i % 53 == 0)
            tree.SetVisible(n, false);
        if (i % 61 == 0)
            tree.SetFiltered(n, true);
    }
    tree.EndUpdate();
}

} // namespace

TEST(Geometry, NodeAtAndDisplayRectAgreeWithAndWithoutTheCache)
{
    for (bool childrenAbove : {false, true}) {
        TestTree tree;
        FakeView view;
        view.height = 500;
        tree.SetView(&view);
        BuildTallTree(tree, childrenAbove ? 7 : 3);
        auto paint = tree.TreeOptions().PaintOptions();
        paint.Set(toChildrenAbove, childrenAbove);
        tree.TreeOptions().SetPaintOptions(paint);
        tree.SetOffsetY(0); // expanding scrolled; tree and client coordinates are the same again
        const RowLayout layout = Layout(tree);
        ASSERT_GT(layout.rows.size(), 4000u);
        ASSERT_EQ(tree.VisibleCount(), layout.rows.size());
        ASSERT_EQ(tree.RangeY(), static_cast<uint32_t>(layout.height));

        std::vector<std::size_t> probes = {0, 1, 1999, 2000, 2001, 3999, 4000, layout.rows.size() - 1};
        std::mt19937 rng(11);
        for (int k = 0; k < 150; ++k)
            probes.push_back(rng() % layout.rows.size());

        for (bool cached : {true, false}) {
            if (cached) {
                tree.GetNodeAt(0, 0);
                ASSERT_TRUE(tree.TreeStates().Has(tsUseCache));
                ASSERT_EQ(tree.PositionCache().size(), (layout.rows.size() + 1999) / 2000);
            } else {
                tree.StopCacheValidation();
                ASSERT_FALSE(tree.TreeStates().Has(tsUseCache));
            }
            for (std::size_t i : probes) {
                PLazyNode node = layout.rows[i];
                const int top = layout.tops[i];
                const TRect r = tree.GetDisplayRect(node, NoColumn, false);
                EXPECT_EQ(r.Top, top) << "row " << i << (cached ? " cached" : "");
                EXPECT_EQ(r.Bottom, top + node->NodeHeight) << "row " << i;
                EXPECT_EQ(r.Left, 0);
                EXPECT_EQ(r.Right, 200);
                if (node->NodeHeight == 0)
                    continue;
                int nodeTop = -1;
                EXPECT_EQ(tree.GetNodeAt(77, top, false, nodeTop), node) << "row " << i;
                EXPECT_EQ(nodeTop, top);
                EXPECT_EQ(tree.GetNodeAt(-5, top + node->NodeHeight - 1, false, nodeTop), node) << "row " << i;
                if (top > 0) {
                    PLazyNode above = tree.GetNodeAt(0, top - 1, false, nodeTop);
                    EXPECT_NE(above, node) << "row " << i;
                    EXPECT_EQ(nodeTop + above->NodeHeight, top) << "row " << i;
                }
            }
            int nodeTop = 12345;
            EXPECT_EQ(tree.GetNodeAt(0, layout.height, false, nodeTop), nullptr);
            EXPECT_EQ(nodeTop, 12345);
            EXPECT_NE(tree.GetNodeAt(0, -30, false, nodeTop), nullptr);
            EXPECT_EQ(nodeTop, 0);
        }
        EXPECT_EQ(CheckInvariants(tree), "");
    }
}

TEST(Geometry, TheCacheIsRebuiltAfterEveryKindOfChange)
{
    TestTree tree;
    FakeView view;
    tree.SetView(&view);
    BuildTallTree(tree, 5);
    const std::vector<std::function<void()>> changes = {
        [&] { tree.SetNodeHeight(tree.GetFirstNoInit()->NextSibling, 33); },
        [&] { tree.ToggleNode(tree.GetFirstNoInit()); },
        [&] { tree.SetVisible(tree.GetFirstNoInit()->NextSibling->NextSibling, false); },
        [&] { tree.SetFiltered(tree.GetFirstNoInit()->NextSibling, true); },
        [&] { tree.DeleteNode(tree.GetFirstNoInit()->NextSibling); },
        [&] { tree.InsertNode(tree.GetFirstNoInit(), amInsertAfter); },
        [&] { tree.MoveTo(tree.GetLastChildNoInit(nullptr), nullptr, amInsertBefore, false); },
        [&] {
            auto paint = tree.TreeOptions().PaintOptions();
            paint.Set(toShowFilteredNodes, !paint.Has(toShowFilteredNodes));
            tree.TreeOptions().SetPaintOptions(paint);
        },
        [&] {
            auto paint = tree.TreeOptions().PaintOptions();
            paint.Set(toChildrenAbove, !paint.Has(toChildrenAbove));
            tree.TreeOptions().SetPaintOptions(paint);
        },
    };
    // The change itself may rebuild the cache (its repaint looks nodes up); it is never left stale.
    int index = 0;
    for (const auto& change : changes) {
        tree.GetNodeAt(0, 0);
        ASSERT_TRUE(tree.TreeStates().Has(tsUseCache)) << index;
        change();
        EXPECT_EQ(CheckInvariants(tree), "") << index;
        tree.GetNodeAt(0, 0);
        EXPECT_TRUE(tree.TreeStates().Has(tsUseCache)) << index;
        EXPECT_EQ(CheckInvariants(tree), "") << index;
        ++index;
    }
}

TEST(Geometry, DisplayRectangles)
{
    TestTree tree;
    FakeView view;
    FakeMeasurer measurer;
    tree.SetView(&view);
    tree.SetMeasurer(&measurer);
    EventLog log;
    BuildShape(tree, "A(a1) B", log);
    PLazyNode a = Named(log, "A");
    PLazyNode a1 = Named(log, "a1");
    EXPECT_EQ(tree.GetDisplayRect(a1, NoColumn, false), TRect{});
    tree.ToggleNode(a);
    EXPECT_EQ(tree.GetDisplayRect(a1, NoColumn, false), (TRect{0, 18, 200, 36}));

    // Text: Margin 4 + Indent 18 (root shown) + one level 18 for a1; content 40 wide.
    EXPECT_EQ(tree.GetDisplayRect(a1, NoColumn, true), (TRect{40, 18, 80, 36}));
    EXPECT_EQ(tree.GetDisplayRect(a1, NoColumn, true, true), (TRect{40, 18, 79, 36}));
    tree.SetAlignment(taCenter);
    EXPECT_EQ(tree.GetDisplayRect(a1, NoColumn, true), (TRect{100, 18, 140, 36}));
    tree.SetAlignment(taRightJustify);
    EXPECT_EQ(tree.GetDisplayRect(a1, NoColumn, true), (TRect{160, 18, 200, 36}));
    measurer.width = 500;
    EXPECT_EQ(tree.GetDisplayRect(a1, NoColumn, true), (TRect{40, 18, 200, 36}));
    tree.SetAlignment(taLeftJustify);
    measurer.width = 40;

    // A check box and a normal image move the text right.
    measurer.images[isCheckImages] = {16, 16};
    measurer.images[isNormalImages] = {20, 16};
    auto misc = tree.TreeOptions().MiscOptions();
    misc.Include(toCheckSupport);
    tree.TreeOptions().SetMiscOptions(misc);
    tree.SetCheckType(a1, ctCheckBox);
    tree.OnGetImage = [](TBaseLazyTree*, PLazyNode, TVTImageKind kind, TColumnIndex, bool&, int& index) {
        if (kind == ikNormal)
            index = 3;
    };
    EXPECT_EQ(tree.GetDisplayRect(a1, NoColumn, true).Left, 40 + 18 + 22);

    // Scrolled: client coordinates move with the offsets.
    view.height = 20;
    tree.SetRootNodeCount(10);
    tree.SetOffsetY(-18);
    EXPECT_EQ(tree.GetDisplayRect(a, NoColumn, false), (TRect{0, -18, 200, 0}));
    EXPECT_EQ(tree.GetNodeAt(0, 0), a1);
}

TEST(Geometry, HitTests)
{
    TestTree tree;
    FakeView view;
    tree.SetView(&view);
    tree.SetRootNodeCount(3);
    tree.classify = [](THitInfo& hit, int x, int right) {
        if (x < right / 2)
            hit.HitPositions.Include(hiOnItemLabel);
    };
    THitInfo hit;
    tree.GetHitTestInfoAt(-1, 5, true, hit);
    EXPECT_EQ(hit.HitPositions, THitPositions{hiToLeft});
    EXPECT_EQ(hit.HitNode, nullptr);
    tree.GetHitTestInfoAt(10, 101, true, hit);
    EXPECT_EQ(hit.HitPositions, THitPositions{hiBelow});
    tree.GetHitTestInfoAt(10, 60, true, hit);
    EXPECT_EQ(hit.HitPositions, THitPositions{hiNowhere});
    tree.GetHitTestInfoAt(10, 20, true, hit);
    EXPECT_EQ(hit.HitNode, tree.GetFirstNoInit()->NextSibling);
    EXPECT_EQ(hit.HitColumn, NoColumn);
    EXPECT_EQ(hit.HitPositions, (THitPositions{hiOnItem, hiOnItemLabel}));

    auto misc = tree.TreeOptions().MiscOptions();
    misc.Include(toNodeHeightResize);
    tree.TreeOptions().SetMiscOptions(misc);
    struct Band {
        int y;
        THitPositions expected;
    };
    for (const Band b : {Band{18, {hiOnItem, hiUpperSplitter}}, Band{19, {hiOnItem, hiUpperSplitter}},
             Band{20, {hiOnItem}}, Band{32, {hiOnItem}}, Band{33, {hiOnItem, hiLowerSplitter}},
             Band{35, {hiOnItem, hiLowerSplitter}}}) {
        tree.GetHitTestInfoAt(150, b.y, true, hit);
        EXPECT_EQ(hit.HitPositions, b.expected) << b.y;
    }
}

TEST(Geometry, RangesScrollBarsAndOffsets)
{
    TestTree tree;
    FakeView view;
    view.height = 100;
    tree.SetView(&view);
    tree.SetBottomSpace(10);
    tree.SetRootNodeCount(20);
    EXPECT_EQ(tree.RangeY(), 370u);
    const auto& bar = view.bars[sbVertical];
    EXPECT_TRUE(bar.Shown);
    EXPECT_EQ(bar.RangeMax, 370);
    EXPECT_EQ(bar.Page, 101);

    int scrolls = 0;
    tree.OnScroll = [&](TBaseLazyTree*, int, int dy) { ++scrolls; };
    EXPECT_TRUE(tree.SetScrollOffset({0, -1000}, kAllScrollUpdateOptions));
    EXPECT_EQ(tree.OffsetY(), 100 - 370);
    EXPECT_EQ(bar.Position, 270);
    EXPECT_FALSE(tree.SetScrollOffset({0, -1000}, kAllScrollUpdateOptions));
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(tree.TopNode(), tree.GetNodeAt(0, 0));

    // Taller client: the offset is clamped back.
    view.height = 300;
    tree.UpdateScrollBars(true);
    EXPECT_EQ(tree.OffsetY(), -70);

    tree.SetScrollBarOptions({ssHorizontal, false});
    EXPECT_EQ(tree.OffsetY(), -70);
    view.height = 400;
    tree.UpdateVerticalScrollBar(true);
    EXPECT_EQ(tree.OffsetY(), 0);
    tree.SetScrollBarOptions({ssBoth, false});

    tree.Clear();
    EXPECT_EQ(tree.RangeY(), 10u);
    EXPECT_FALSE(view.bars[sbVertical].Shown);
}

TEST(Geometry, ScrollIntoView)
{
    TestTree tree;
    FakeView view;
    view.height = 90;
    tree.SetView(&view);
    tree.SetRootNodeCount(30);
    PLazyNode tenth = tree.GetFirstNoInit();
    for (int i = 0; i < 10; ++i)
        tenth = tenth->NextSibling;
    EXPECT_FALSE(tree.ScrollIntoView(nullptr, false));
    EXPECT_FALSE(tree.ScrollIntoView(tree.RootNode(), false));
    EXPECT_TRUE(tree.ScrollIntoView(tenth, false));
    EXPECT_EQ(tree.OffsetY(), -(11 * 18 - 90));
    EXPECT_FALSE(tree.ScrollIntoView(tenth, false));
    EXPECT_TRUE(tree.ScrollIntoView(tenth, true));
    EXPECT_EQ(tree.OffsetY(), -(10 * 18 + 18 - 45));

    tree.SetChildCount(tenth, 3);
    PLazyNode child = tenth->LastChild;
    tree.SetOffsetY(0);
    EXPECT_TRUE(tree.ScrollIntoView(child, false));
    EXPECT_TRUE(tenth->States.Has(vsExpanded));
    EXPECT_EQ(tree.GetDisplayRect(child, NoColumn, false).Bottom, 90);

    tree.SetTopNode(tenth);
    EXPECT_EQ(tree.GetDisplayRect(tenth, NoColumn, false).Top, 0);
    tree.SetBottomNode(tenth);
    EXPECT_EQ(tree.GetDisplayRect(tenth, NoColumn, false).Bottom, 90);
    EXPECT_EQ(CheckInvariants(tree), "");
}
