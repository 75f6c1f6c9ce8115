// The tab page control's state: page and tab numbers with hidden tabs, the
// strip selection when tabs hide, the caption rule, next-page cycling, the
// close list, default colours, the error texts; and the strip geometry.
#include "mbus/tabs/tab_geometry.h"
#include "mbus/tabs/tab_pages.h"

#include <gtest/gtest.h>

using namespace mbus;

namespace {

struct Control
{
    TabPageControl c;
    std::vector<TabSheet*> p;
    explicit Control(int n)
    {
        for (int i = 0; i < n; ++i)
            p.push_back(c.AddPage(QStringLiteral("P%1").arg(i)));
    }
};

} // namespace

TEST(TabPages, PageAndTabNumbersWithTheFirstTabHidden)
{
    Control t(3);
    t.c.SetTabVisible(t.p[0], false);
    struct Row
    {
        int page, tabIndex, pageIndex;
    } rows[] = {{0, -1, 0}, {1, 0, 1}, {2, 1, 2}};
    for (const Row& r : rows) {
        EXPECT_EQ(t.c.TabIndex(t.p[r.page]), r.tabIndex) << r.page;
        EXPECT_EQ(t.c.PageIndex(t.p[r.page]), r.pageIndex) << r.page;
    }
    EXPECT_EQ(t.c.TabCount(), 2);
    EXPECT_EQ(t.c.PageIndexAtTab(0), 1);
    EXPECT_EQ(t.c.PageIndexAtTab(1), 2);
    EXPECT_EQ(t.c.PageIndexAtTab(2), -1);

    // A click on the first tab reports page 1 as the page to change to.
    int askedTo = -2;
    t.c.onCanChange = [&](int, int to) {
        askedTo = to;
        return true;
    };
    t.c.TabClicked(0);
    EXPECT_EQ(askedTo, 1);
    EXPECT_EQ(t.c.ActivePage(), t.p[1]);
    EXPECT_TRUE(t.p[1]->Visible());
}

TEST(TabPages, HidingTheActiveTabFollowsTheStripSelection)
{
    Control t(3);
    t.c.SetActivePage(t.p[1]);
    EXPECT_EQ(t.c.StripIndex(), 1);
    t.c.SetTabVisible(t.p[1], false);
    EXPECT_EQ(t.c.StripIndex(), 1) << "the same tab number";
    EXPECT_EQ(t.c.ActivePage(), t.p[2]);
    EXPECT_FALSE(t.p[1]->Visible());

    t.c.SetTabVisible(t.p[2], false);
    EXPECT_EQ(t.c.StripIndex(), 0) << "the last tab when it was the last one";
    EXPECT_EQ(t.c.ActivePage(), t.p[0]);

    // Showing a tab again keeps the selected page selected.
    t.c.SetTabVisible(t.p[1], true);
    EXPECT_EQ(t.c.StripIndex(), 0);
    EXPECT_EQ(t.c.TabPage(1), t.p[1]);
}

TEST(TabPages, ActivePageRules)
{
    Control t(2);
    t.c.SetActivePage(t.p[0]);
    EXPECT_EQ(t.c.SetTabEnable(t.p[0], false), QStringLiteral("Can not disable active tab."));
    EXPECT_TRUE(t.p[0]->TabEnable());
    EXPECT_TRUE(t.c.SetTabEnable(t.p[1], false).isEmpty());
    t.c.SetActivePage(t.p[1]);
    EXPECT_EQ(t.c.ActivePage(), t.p[0]) << "a disabled page is not made active";
    t.c.TabClicked(1);
    EXPECT_EQ(t.c.ActivePage(), t.p[0]);
    EXPECT_EQ(t.c.StripIndex(), 0);

    t.c.SetActivePage(nullptr);
    EXPECT_EQ(t.c.StripIndex(), -1);
    EXPECT_EQ(t.c.ActivePage(), nullptr);
    EXPECT_TRUE(t.p[0]->Visible()) << "the previous page window keeps its visibility";
    EXPECT_EQ(t.c.ActivePageIndex(), -1);
    t.c.SetActivePageIndex(0);
    EXPECT_EQ(t.c.ActivePageIndex(), 0);
    t.c.SetActivePageIndex(5);
    EXPECT_EQ(t.c.ActivePage(), nullptr);

    TabPageControl other;
    TabSheet* foreign = other.AddPage(QStringLiteral("F"));
    t.c.SetActivePageIndex(0);
    t.c.SetActivePage(foreign);
    EXPECT_EQ(t.c.ActivePage(), t.p[0]);
}

TEST(TabPages, ErrorTextsAndPageOrder)
{
    Control t(3);
    EXPECT_EQ(t.c.SetPageIndex(t.p[0], 3),
              QStringLiteral("3 is an invalid PageIndex value.  PageIndex must be between 0 and 2"));
    EXPECT_EQ(t.c.PageIndex(t.p[0]), 0);
    t.c.SetActivePage(t.p[0]);
    EXPECT_TRUE(t.c.SetPageIndex(t.p[0], 2).isEmpty());
    EXPECT_EQ(t.c.PageIndex(t.p[0]), 2);
    EXPECT_EQ(t.c.TabPage(2), t.p[0]);
    EXPECT_EQ(t.c.StripIndex(), 2) << "the selection moves with its tab";

    t.c.SetTabStyle(TabStyle::DotNet);
    EXPECT_EQ(t.c.SetTabSplitLine(true), QStringLiteral("TabSplitLine must be false when TabStyle is tsDotNet"));
    EXPECT_FALSE(t.c.TabSplitLine());
    t.c.SetTabStyle(TabStyle::Classic);
    EXPECT_TRUE(t.c.SetTabSplitLine(true).isEmpty());
    EXPECT_EQ(TabPageControl::Version(), QStringLiteral("1.4.0.0"));
}

TEST(TabPages, CaptionRuleSizesTheTab)
{
    Control t(1);
    TabSheet* p = t.p[0];
    struct Case
    {
        const char* value;
        bool close;
        const char* tabCaption;
    } cases[] = {
        {"Nodes     ", false, "Nodes   "},
        {"Nodes     ", true, "Nodes      "},
        {"Plain", false, "Pla"},
        {"A", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        t.c.SetShowClose(p, c.close);
        t.c.SetCaption(p, QString::fromLatin1(c.value));
        EXPECT_EQ(p->TabCaption(), QString::fromLatin1(c.tabCaption)) << c.value;
        EXPECT_EQ(p->Caption(), QString::fromLatin1(c.value));
    }
}

TEST(TabPages, NextPageCyclesOverHiddenTabs)
{
    Control t(4);
    t.c.SetTabVisible(t.p[0], false);
    t.c.SetTabVisible(t.p[2], false);
    t.c.SetActivePage(t.p[3]);
    t.c.SelectNextPage(true);
    EXPECT_EQ(t.c.ActivePage(), t.p[1]) << "the last visible wraps to the first";
    t.c.SelectNextPage(false);
    EXPECT_EQ(t.c.ActivePage(), t.p[3]) << "the first wraps back to the last";
    EXPECT_EQ(t.c.StripIndex(), 1);

    EXPECT_EQ(t.c.FindNextPage(nullptr, true, false), t.p[0]);
    EXPECT_EQ(t.c.FindNextPage(nullptr, false, false), t.p[3]);
    EXPECT_EQ(t.c.FindNextPage(nullptr, true, true), t.p[1]);
    TabPageControl empty;
    EXPECT_EQ(empty.FindNextPage(nullptr, true, true), nullptr);

    int changes = 0;
    t.c.onChange = [&] { ++changes; };
    t.c.onCanChange = [](int, int) { return false; };
    t.c.SelectNextPage(true);
    EXPECT_EQ(t.c.ActivePage(), t.p[3]);
    EXPECT_EQ(changes, 0);
}

TEST(TabPages, ClosingAndReopening)
{
    Control t(2);
    t.c.SetTabVisible(t.p[1], false);
    t.c.SetActivePage(t.p[0]);
    t.c.SetShowClose(t.p[0], true);
    bool closed = false;
    t.p[0]->onCanClose = [] { return false; };
    t.c.CloseActivePage();
    EXPECT_EQ(t.c.ActivePage(), t.p[0]);
    t.p[0]->onCanClose = nullptr;
    t.p[0]->onClose = [&] { closed = true; };
    t.c.CloseActivePage();
    EXPECT_TRUE(closed);
    EXPECT_EQ(t.c.ActivePage(), nullptr) << "the only visible tab closed";
    EXPECT_EQ(t.c.PageCount(), 1);
    EXPECT_EQ(t.p[0]->Control(), nullptr);

    EXPECT_FALSE(t.c.OpenClosedTab(QStringLiteral("nope")));
    EXPECT_EQ(t.c.PageCount(), 1);
    EXPECT_TRUE(t.c.OpenClosedTab(QStringLiteral("P0")));
    EXPECT_EQ(t.c.PageCount(), 2);
    EXPECT_EQ(t.c.ClosedTabs().size(), 1u) << "a reopened page stays in the list";
    EXPECT_EQ(t.c.TabIndex(t.p[0]), 0);
}

TEST(TabPages, DefaultColoursReachPagesStillOnTheOldDefault)
{
    Control t(2);
    const QColor own(1, 2, 3), sky(0xA6, 0xCA, 0xF0);
    t.p[1]->tabColor = own;
    t.c.SetDefaultTabColor(sky);
    EXPECT_EQ(t.p[0]->tabColor, sky);
    EXPECT_EQ(t.p[1]->tabColor, own);
    TabSheet* late = t.c.AddPage(QStringLiteral("late"));
    EXPECT_EQ(late->tabColor, sky);
}

TEST(TabGeometry, ExtentTextAndCloseButton)
{
    EXPECT_EQ(Strip_Extent(TabSide::Left, {}, 300, 200).rightMax, 2);
    EXPECT_EQ(Strip_Extent(TabSide::Top, {}, 300, 200).bottomMax, 2);
    EXPECT_EQ(Strip_Extent(TabSide::Bottom, {}, 300, 200).topMin, 198);
    EXPECT_EQ(Strip_Extent(TabSide::Right, {}, 300, 200).leftMin, 298);
    const StripExtent e = Strip_Extent(TabSide::Left, {{2, 2, 24, 80}, {2, 80, 26, 150}}, 300, 200);
    EXPECT_EQ(e.rightMax, 26);
    EXPECT_EQ(e.bottomMax, 150);
    EXPECT_EQ(e.topMin, 2);

    const Box r{10, 20, 34, 100};
    struct Text
    {
        TabSide side;
        bool close, active;
        int x, y;
    } texts[] = {
        {TabSide::Left, false, false, 11, 86},   // 14 above the bottom with TopMargin 10
        {TabSide::Left, false, true, 13, 86},
        {TabSide::Left, true, false, 11, 73},
        {TabSide::Top, false, false, 14, 31},
        {TabSide::Top, true, true, 28, 33},
        {TabSide::Bottom, false, false, 14, 30},
        {TabSide::Right, false, true, 31, 34},
    };
    for (const Text& t : texts) {
        const TextOrigin o = Tab_Text_Origin(t.side, r, t.close, t.active, 2, 0, 10);
        EXPECT_EQ(o.x, t.x) << int(t.side) << t.close << t.active;
        EXPECT_EQ(o.y, t.y) << int(t.side) << t.close << t.active;
    }

    // Top tab, active, LowerActive 2: the box is drawn 2 lower than its hit area.
    const Box top{0, 0, 80, 24};
    const TextOrigin box = Close_Box_Origin(TabSide::Top, top, 0, 0, 2);
    EXPECT_EQ(box.x, 2);
    EXPECT_EQ(box.y, 4);
    const Box hit = Close_Hit_Area(TabSide::Top, top, 0, 0);
    EXPECT_EQ(hit, (Box{2, 2, 14, 13}));
    EXPECT_TRUE(hit.Contains(5, 2)) << "above the drawn box, still a hit";
    EXPECT_FALSE(hit.Contains(5, 14)) << "the box's lowest rows are no hit";
    EXPECT_EQ(Close_Hit_Area(TabSide::Left, r, 0, 10), (Box{12, 77, 24, 88}));
    EXPECT_EQ(Close_Hit_Area(TabSide::Left, r, 0, 10, true, 3), (Box{14, 80, 26, 91}));
    EXPECT_EQ(Close_Box_Origin(TabSide::Right, r, 0, 0, 2).x, 12);
    EXPECT_EQ(Close_Box_Origin(TabSide::Right, r, 0, 0, 2, true).x, 12 - 2 + 2 - 0);
    EXPECT_EQ(Close_Cross(0, 0)[0], QLine(3, 7, 9, 2));
}

TEST(TabGeometry, GradientBands)
{
    const QColor from(0, 0, 0), to(160, 80, 16);
    const auto one = Gradient_Bands(from, to, 0, {0, 0, 10, 64}, false);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].color, from);
    const auto bands = Gradient_Bands(from, to, 16, {0, 0, 10, 64}, false);
    ASSERT_EQ(bands.size(), 16u);
    EXPECT_EQ(bands[1].color, QColor(10, 5, 1));
    EXPECT_EQ(bands[15].color, QColor(150, 75, 15));
    EXPECT_EQ(bands[1].box, (Box{0, 4, 10, 9}));
    const auto across = Gradient_Bands(from, to, 4, {10, 0, 30, 5}, true);
    EXPECT_EQ(across[3].box, (Box{25, 0, 31, 5}));
}

TEST(TabGeometry, FlatStyleLinesOfLeftTabs)
{
    const Box r{2, 10, 26, 90};
    EXPECT_EQ(DotNet_Outline(TabSide::Left, r, true),
              (std::vector<QLine>{{26, 10, 2, 10}, {2, 10, 2, 90}, {2, 90, 26, 90}}));
    EXPECT_EQ(DotNet_Outline(TabSide::Left, r, false), (std::vector<QLine>{{26, 10, 26, 90}}));
    EXPECT_EQ(DotNet_Separator(TabSide::Left, r), (std::vector<QLine>{{4, 88, 24, 88}, {4, 87, 24, 87}}));
}
