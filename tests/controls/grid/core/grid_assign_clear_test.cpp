// Copying a grid's settings (Assign) and emptying a grid (Clear): what goes
// across and what is left behind.
#include "controls/grid/core/ex_string_grid.h"
#include "qt_print.h"

#include <gtest/gtest.h>

using namespace grid;

TEST(GridAssign, CopiesTheDragScrollOptions)
{
    TExStringGrid source;
    source.DragScrollOptions.Active = true;
    source.DragScrollOptions.Delays = {400, 100};
    source.DragScrollOptions.Margins = {1, 2, 3, 4};
    TExStringGrid copy;
    copy.Assign(source);
    const TDragScrollOptions& o = copy.DragScrollOptions;
    EXPECT_TRUE(o.Active);
    EXPECT_EQ(std::make_pair(o.Delays.InitialDelay, o.Delays.RepeatDelay), std::make_pair(400, 100));
    EXPECT_EQ((std::vector<int>{o.Margins.TopMargin, o.Margins.BottomMargin, o.Margins.LeftMargin,
                                o.Margins.RightMargin}),
              (std::vector<int>{1, 2, 3, 4}));
}

TEST(GridAssign, BalloonSettingsCopyEveryValueAndTellTheGrid)
{
    TBalloonSettings source;
    source.BackgroundColor = 0x102030;
    source.TextColor = 0x405060;
    source.ReshowDelay = 11;
    source.InitialDelay = 22;
    source.AutoHideDelay = 33;
    source.Transparency = 77;
    source.FInit = true;
    source.SetEnable(true);

    TBalloonSettings copy;
    int told = 0;
    copy.OnEnableChange = [&](void*) {
        ++told;
        EXPECT_EQ(copy.Transparency, 77); // complete before the grid re-initialises
    };
    copy.Assign(source);
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(copy.Enable());
    EXPECT_EQ(copy.BackgroundColor, 0x102030u);
    EXPECT_EQ(copy.TextColor, 0x405060u);
    EXPECT_EQ(copy.ReshowDelay, 11);
    EXPECT_EQ(copy.InitialDelay, 22);
    EXPECT_EQ(copy.AutoHideDelay, 33);
    EXPECT_EQ(copy.Transparency, 77);
    EXPECT_FALSE(copy.FInit); // the tooltip of the copy is its own
}

TEST(GridClear, EmptiesTheCellsAndTheIncrementalSearch)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    g.SetCells(1, 1, QStringLiteral("apple"));
    g.SetCells(2, 3, QStringLiteral("pear"));
    g.SearchInc = QStringLiteral("AP");
    g.Clear();
    EXPECT_TRUE(g.SearchInc.isEmpty());
    for (int c = 0; c < g.ColCount(); ++c)
        for (int r = 0; r < g.RowCount(); ++r)
            EXPECT_TRUE(g.Cells(c, r).isEmpty()) << c << "," << r;
    EXPECT_EQ(g.RowCount(), 4); // the shape stays
}
