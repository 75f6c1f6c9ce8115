// The filter's conditions as they are made (Add, Insert) and combined, and the
// check-list drop-down that rebuilds them on every tick.
#include "controls/grid/core/ex_string_grid.h"
#include "qt_print.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

// Column 1 holds the numbers, column 2 the colours; one fixed row.
void Fill(TExStringGrid& g)
{
    const QStringList numbers{"1", "2", "3", "4", "5"};
    const QStringList colours{"red", "green", "red", "blue", "green"};
    g.SetColCount(3);
    g.SetRowCount(static_cast<int>(numbers.size()) + 1);
    for (int r = 0; r < numbers.size(); ++r) {
        g.SetCells(1, r + 1, numbers[r]);
        g.SetCells(2, r + 1, colours[r]);
    }
}

QStringList Shown(const TExStringGrid& g, int col)
{
    QStringList out;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

} // namespace

TEST(FilterConditions, HowEachWayOfMakingAnItemCombines)
{
    TFilter f;
    EXPECT_EQ(f.Insert(7).Operation, foSHORT); // the item's own first value
    EXPECT_EQ(f.Add().Operation, foAND);
    f.Clear();
    EXPECT_EQ(f.Add().Operation, foNONE);
    EXPECT_EQ(f.Add().Operation, foAND);
    EXPECT_EQ(f.Insert(0).Operation, foSHORT);
    EXPECT_EQ(f.GetColFilter(9).Operation, foAND); // added through Add
    EXPECT_EQ(f.Count(), 4);
    EXPECT_EQ(TFilterData{}.Operation, foSHORT);
}

TEST(FilterConditions, AnInsertedItemThatFailsDecidesTheRow)
{
    // Inserted items keep foSHORT: the first failure ends the test, so a later
    // foOR cannot let the row through.
    TExStringGrid g;
    Fill(g);
    TFilterData& number = g.Filter.Insert(0);
    number.Column = 1;
    number.Condition = QStringLiteral(">2");
    TFilterData& colour = g.Filter.Add();
    colour.Column = 2;
    colour.Condition = QStringLiteral("green");
    colour.Operation = foOR;
    const struct
    {
        int row;
        bool passes;
    } rows[] = {{1, false}, {2, false}, {3, true}, {4, true}, {5, true}};
    for (const auto& r : rows)
        EXPECT_EQ(g.MatchFilter(r.row), r.passes) << r.row;
    g.ApplyFilter();
    EXPECT_EQ(Shown(g, 1), (QStringList{"3", "4", "5"}));
}

TEST(FilterConditions, TheCheckListKeepsItsColumnForEveryTick)
{
    TExStringGrid g;
    Fill(g);
    int asked = 0;
    g.OnGetColumnFilter = [&](TExStringGrid*, int col, QStringList& list) {
        ++asked;
        EXPECT_EQ(col, 2);
        list = {QStringLiteral("Red=red"), QStringLiteral("green"), QStringLiteral("blue")};
    };
    g.SetFilterCol(2);
    g.FilterCheck({1});
    EXPECT_EQ(Shown(g, 2), (QStringList{"green", "green"}));
    EXPECT_EQ(g.FilterCol(), 2);

    // The next tick still reaches the column and rebuilds the conditions.
    g.FilterCheck({0, 1});
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(g.FilterCol(), 2);
    EXPECT_EQ(Shown(g, 2), (QStringList{"red", "green", "red", "green"}));
    ASSERT_EQ(g.Filter.Count(), 2);
    EXPECT_EQ(g.Filter.Items(0).Operation, foNONE);
    EXPECT_EQ(g.Filter.Items(1).Operation, foOR);
    EXPECT_EQ(g.Filter.Items(0).Condition, QStringLiteral("red"));

    // Closed list, or a column outside the grid: nothing changes.
    for (const int col : {-1, 3, 100}) {
        g.SetFilterCol(col);
        g.FilterCheck({2});
        EXPECT_EQ(g.FilterCol(), col);
        EXPECT_EQ(g.Filter.Count(), 2) << col;
        EXPECT_EQ(Shown(g, 2), (QStringList{"red", "green", "red", "green"})) << col;
    }
    EXPECT_EQ(asked, 2);
}
