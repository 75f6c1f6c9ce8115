// A grid following its window's width: columns kept proportional to the
// width they were taken at, the stretch column and OnResize.
#include "controls/grid/core/size_follower.h"

#include <gtest/gtest.h>

#include <vector>

using namespace grid;

namespace {

std::vector<int> Widths(const TExStringGrid& g)
{
    std::vector<int> w;
    for (int c = 0; c < g.ColCount(); ++c)
        w.push_back(g.ColWidths(c));
    return w;
}

void Layout(TExStringGrid& g, const std::vector<int>& widths)
{
    g.SetColCount(static_cast<int>(widths.size()));
    g.SetRowCount(3);
    for (int c = 0; c < g.ColCount(); ++c)
        g.SetColWidths(c, widths[c]);
}

TEST(GridSizeFollower, ColumnsKeepTheirShareOfTheWidth)
{
    const struct
    {
        const char* name;
        TBorderStyle border;
        bool normalOnly;
        int width;
        std::vector<int> widths;
    } cases[] = {
        {"twice as wide", bsNone, false, 400, {20, 100, 200, 20}},
        {"a single border counts two pixels", bsSingle, false, 398, {20, 100, 200, 20}},
        {"narrower, truncated", bsNone, false, 150, {7, 37, 75, 7}},
        {"a factor a double cannot hold exactly", bsNone, false, 230, {11, 57, 115, 11}},
        {"normal cells only leave the fixed columns", bsNone, true, 400, {10, 100, 200, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        Layout(g, {10, 50, 100, 10});
        g.SetFixedCols(1);
        g.SetFixedRightCols(1);
        g.SetBorderStyle(c.border);
        g.ColumnSize.SynchWithGrid = true;
        g.ColumnSize.SynchNormalCellsOnly = c.normalOnly;
        GridSizeFollower follower(g);
        follower.TakeColumnSizes(200);
        EXPECT_FALSE(follower.Sized(c.width));
        EXPECT_EQ(Widths(g), c.widths);
        // Back to the width they were taken at: as they were, no drift.
        follower.Sized(c.border == bsSingle ? 198 : 200);
        EXPECT_EQ(Widths(g), (std::vector<int>{10, 50, 100, 10}));
    }
}

TEST(GridSizeFollower, NothingWithoutSynchOrBeforeTheSizesAreTaken)
{
    TExStringGrid g;
    Layout(g, {10, 50, 100});
    GridSizeFollower follower(g);
    g.ColumnSize.SynchWithGrid = true;
    follower.Sized(400);
    EXPECT_EQ(Widths(g), (std::vector<int>{10, 50, 100}));
    g.ColumnSize.SynchWithGrid = false;
    follower.TakeColumnSizes(200);
    follower.Sized(400);
    EXPECT_EQ(Widths(g), (std::vector<int>{10, 50, 100}));
}

TEST(GridSizeFollower, TheStretchColumnTakesTheRestAndOnResizeFollows)
{
    const struct
    {
        const char* name;
        TScrollBarAlways bars;
        bool stretched;
        bool resized;
    } cases[] = {
        {"no forced bars", saNone, true, true},
        {"a forced vertical bar stretches without OnResize", saVert, true, false},
        {"a forced horizontal bar does not stretch", saHorz, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        Layout(g, {40, 40, 40});
        g.ScrollBarAlways = c.bars;
        int resized = 0;
        g.OnResize = [&](TExStringGrid* sender) {
            EXPECT_EQ(sender, &g);
            ++resized;
        };
        g.SetClientSize(QSize(120, 100));
        g.ColumnSize.SetStretch(true);
        GridSizeFollower follower(g);
        g.SetClientSize(QSize(300, 100));
        EXPECT_EQ(follower.Sized(300), c.resized);
        EXPECT_EQ(resized, c.resized ? 1 : 0);
        EXPECT_EQ(g.ColWidths(2) > 200, c.stretched) << g.ColWidths(2);
        EXPECT_EQ(g.ColWidths(0), 40);
    }
}

} // namespace
