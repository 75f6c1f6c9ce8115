// Hidden and moved columns and rows: the index rules.
#include "controls/grid/core/ex_string_grid.h"
#include "recording_view.h"

#include <gtest/gtest.h>

using namespace grid;

TEST(HiddenColumns, MappingTable)
{
    TExStringGrid g;
    g.SetColCount(6);
    g.HideColumn(2);
    g.HideColumn(4);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.AllColCount(), 6);
    const struct
    {
        int display, real;
    } real[] = {{0, 0}, {1, 1}, {2, 3}, {3, 5}, {4, 6}, {600, 600}};
    for (const auto& c : real)
        EXPECT_EQ(g.RealColIndex(c.display), c.real) << c.display;
    EXPECT_EQ(g.DisplColIndex(5), 3);
    EXPECT_EQ(g.DisplColIndex(600), 600);
    EXPECT_FALSE(g.IsHiddenColumn(600));
    EXPECT_TRUE(g.IsHiddenColumn(4));
    EXPECT_EQ(g.RealColIndex(-1), -1);

    TExStringGrid three;
    three.SetColCount(10);
    three.HideColumns(1, 3);
    EXPECT_EQ(three.RealColIndex(510), 0); // fewer than 511 shown below 512
}

TEST(HiddenColumns, HidingKeepsCellsAndWidthAndMovesCurrentColumn)
{
    TExStringGrid g;
    g.SetColCount(6);
    g.SetColWidths(3, 90);
    g.SetCells(3, 2, QStringLiteral("kept"));
    g.SetCol(5);
    g.HideColumn(5); // the current last column: Col moves left
    EXPECT_EQ(g.Col(), 4);
    g.HideColumn(3);
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("kept"));
    EXPECT_EQ(g.AllColWidths(3), 90);
    g.HideColumn(3); // already hidden: no change
    EXPECT_EQ(g.NumHiddenColumns(), 2);
    g.UnHideColumn(3);
    EXPECT_EQ(g.ColWidths(g.DisplColIndex(3)), 90);
    EXPECT_EQ(g.RealColIndex(3), 3);
    g.UnHideColumn(1); // shown: no change
    EXPECT_EQ(g.ColCount(), 5);

    TExStringGrid one;
    one.SetColCount(2);
    one.HideColumn(0);
    one.HideColumn(1); // the last shown column stays
    EXPECT_EQ(one.ColCount(), 1);
    one.HideColumns(600, 700); // past the table: nothing
    EXPECT_EQ(one.NumHiddenColumns(), 1);
}

TEST(HiddenRows, HideAndShowKeepTextsPropertiesAndHeights)
{
    TExStringGrid g;
    g.SetRowCount(12);
    for (int r = 0; r < 12; ++r)
        g.SetCells(1, r, QString::number(r));
    g.SetColors(1, 6, clRed);
    g.SetRowHeights(6, 40);
    g.HideRows(5, 7);
    EXPECT_EQ(g.RowCount(), 9);
    EXPECT_EQ(g.RealRowIndex(5), 8);
    EXPECT_EQ(g.DisplRowIndex(8), 5);
    EXPECT_TRUE(g.IsHiddenRow(6));
    EXPECT_EQ(g.Cells(1, 5), QStringLiteral("8")); // the hidden texts are in the records only
    EXPECT_EQ(g.AllCells(1, 6), QStringLiteral("6"));
    g.SetAllCells(4, 6, QStringLiteral("late")); // grows the saved row
    EXPECT_EQ(g.AllCells(4, 6), QStringLiteral("late"));
    EXPECT_THROW(g.SetAllGridCells(g.TotalColCount() + 3, 6, QStringLiteral("x")), GridError);
    EXPECT_EQ(g.AllCells(-1, 6), QString());
    g.UnHideRows(5, 7);
    EXPECT_EQ(g.RowCount(), 12);
    EXPECT_EQ(g.Cells(1, 6), QStringLiteral("6"));
    EXPECT_EQ(g.Colors(1, 6), clRed);
    EXPECT_EQ(g.RowHeights(6), 40);
    EXPECT_EQ(g.Cells(4, 6), QStringLiteral("late"));
    EXPECT_EQ(g.NumHiddenRows(), 0);
}

TEST(HiddenRows, MixedRangesAndFilterLevels)
{
    TExStringGrid g;
    g.SetRowCount(10);
    for (int r = 0; r < 10; ++r)
        g.SetCells(0, r, QString::number(r));
    g.HideRow(6);
    g.HideRows(5, 7); // 6 already hidden: 5 and 7 join it
    EXPECT_EQ(g.NumHiddenRows(), 3);
    EXPECT_EQ(g.Cells(0, 5), QStringLiteral("8"));
    g.UnHideRows(4, 6); // 4 is shown: 5 and 6 still come back
    EXPECT_EQ(g.Cells(0, 5), QStringLiteral("5"));
    EXPECT_EQ(g.Cells(0, 6), QStringLiteral("6"));
    EXPECT_EQ(g.Cells(0, 7), QStringLiteral("8"));
    g.UnHideRowsAll();
    EXPECT_EQ(g.RowCount(), 10);

    TIntList list;
    list.Add(2);
    list.Add(4);
    g.HideRowList(list);
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_EQ(g.FilterLevel(), 1);
    EXPECT_EQ(g.Cells(0, 2), QStringLiteral("3"));
    g.UnHideRowList();
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(g.Cells(0, r), QString::number(r));
    // Hiding every row would leave none: refused.
    TExStringGrid small;
    small.SetRowCount(2);
    small.HideRows(0, 1);
    EXPECT_EQ(small.RowCount(), 2);
}

TEST(MovedRows, MoveRowsPlacesTheBlockAndKeepsPropertiesAndHiddenRows)
{
    const struct
    {
        int from, to, count;
        const char* order;
    } cases[] = {
        {2, 4, 2, "01452367"}, // block at rows 4 and 5
        {2, 5, 2, "01423567"}, // block at rows 3 and 4
        {5, 1, 2, "05612347"},
        {3, 3, 1, "01234567"},
        {2, 4, 0, "01234567"},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        g.SetRowCount(8);
        for (int r = 0; r < 8; ++r)
            g.SetCells(0, r, QString::number(r));
        g.MoveRows(c.from, c.to, c.count);
        QString order;
        for (int r = 0; r < 8; ++r)
            order += g.Cells(0, r);
        EXPECT_EQ(order, QString::fromLatin1(c.order)) << c.from << "->" << c.to;
    }
    TExStringGrid g;
    g.SetRowCount(10);
    for (int r = 0; r < 10; ++r)
        g.SetCells(0, r, QString::number(r));
    g.SetColors(0, 2, clRed);
    g.HideRow(8);
    g.MoveRows(2, 5, 1);
    EXPECT_EQ(g.Colors(0, 4), clRed);
    g.UnHideRow(8);
    EXPECT_EQ(g.Cells(0, 8), QStringLiteral("8")); // hidden rows keep their place
    EXPECT_EQ(g.Cells(0, 7), QStringLiteral("7"));
}

TEST(MovedColumns, MoveColumnAcrossHiddenColumnsKeepsThemHidden)
{
    TExStringGrid g;
    g.SetColCount(5);
    for (int c = 0; c < 5; ++c)
        g.SetCells(c, 1, QString(QChar(u'A' + c)));
    g.HideColumn(2);
    g.SetCol(1);
    g.MoveColumn(1, 3); // display 1 (B) to display 3 (real 4)
    QString shown;
    for (int d = 0; d < g.ColCount(); ++d)
        shown += g.Cells(g.RealColIndex(d), 1);
    EXPECT_EQ(shown, QStringLiteral("ADEB"));
    EXPECT_EQ(g.NumHiddenColumns(), 1);
    g.UnHideColumnsAll();
    QString all;
    for (int c = 0; c < 5; ++c)
        all += g.Cells(c, 1);
    EXPECT_EQ(all, QStringLiteral("ACDEB"));
    EXPECT_EQ(g.Col(), 3); // the current column follows its data
    EXPECT_EQ(g.ColumnOrder().StrValue(), QStringLiteral("0,2,3,4,1")); // over all real columns
}

TEST(ColumnOrder, ResetPutsColumnsBackAndPositionsTranslate)
{
    TExStringGrid g;
    g.SetColCount(4);
    for (int c = 0; c < 4; ++c)
        g.SetCells(c, 0, QStringLiteral("h%1").arg(c));
    EXPECT_EQ(g.ColumnAtPosition(2), 2); // leaves an identity record
    EXPECT_EQ(g.ColumnOrder().Count(), 4);
    g.MoveColumn(0, 2);
    EXPECT_EQ(g.ColumnPosition(0), 2);
    EXPECT_EQ(g.OriginalCells(0, 0), QStringLiteral("h0"));
    g.HideColumn(1);
    g.ResetColumnOrder();
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(g.Cells(c, 0), QStringLiteral("h%1").arg(c));
    g.SetCells(3, 0, QStringLiteral("h1"));
    EXPECT_EQ(g.ColumnByHeader(QStringLiteral("h1")), 1);
    EXPECT_EQ(g.ColumnByHeader(QStringLiteral("none")), -1);
}

TEST(CurrentRow, RowSetterFiresOnlyOnChangeAndScrollInView)
{
    TExStringGrid g;
    g.SetRowCount(100);
    g.SetColCount(30);
    int fired = 0;
    g.SetRow(3); // no handler: the remembered row stays
    g.OnRowChanged = [&](TExStringGrid*, int, int) { ++fired; };
    g.SetRow(4);
    g.SetRow(4);
    EXPECT_EQ(fired, 1);
    g.SetClientSize(QSize(400, 250));
    const int top = g.TopRow(), left = g.LeftCol(), col = g.Col(), row = g.Row();
    g.ScrollInView(2, 4); // in view: nothing changes
    EXPECT_EQ(g.TopRow(), top);
    EXPECT_EQ(g.LeftCol(), left);
    EXPECT_EQ(g.Col(), col);
    EXPECT_EQ(g.Row(), row);
    g.ScrollInView(20, 60);
    EXPECT_EQ(g.Row(), 60);
    EXPECT_EQ(g.Col(), 20);
    EXPECT_LE(g.TopRow(), 60);
    EXPECT_GT(g.TopRow() + g.VisibleRowCount(), 60);
    g.ScrollInView(40, 1); // past the counts: ignored
    EXPECT_EQ(g.Row(), 60);
    g.SetTopRow(0); // below the fixed rows: ignored
    EXPECT_GE(g.TopRow(), 1);
}

TEST(Geometry, MouseToCellAndSizingBorder)
{
    TExStringGrid g;
    g.SetColCount(5);
    g.SetClientSize(QSize(300, 200));
    g.SetOptions(TGridOptions{goColSizing, goRowSizing});
    const int w = g.DefaultColWidth(), h = g.DefaultRowHeight();
    const struct
    {
        int x, y, col, row;
    } hits[] = {{1, 1, 0, 0}, {w + 1, h + 1, 1, 1}, {2 * w + 5, 3 * h + 2, 2, 3}, {-1, 5, -1, -1}, {5, 5000, -1, -1}};
    for (const auto& hit : hits) {
        int c, r;
        g.MouseToCell(hit.x, hit.y, c, r);
        EXPECT_EQ(c, hit.col) << hit.x << "," << hit.y;
        EXPECT_EQ(r, hit.row) << hit.x << "," << hit.y;
    }
    EXPECT_TRUE(g.IsOnSizingBorder(3 * w - 2, h / 2)); // header row, near a column edge
    EXPECT_FALSE(g.IsOnSizingBorder(w - 2, h / 2));    // corner: the row test replaces it
    EXPECT_FALSE(g.IsOnSizingBorder(w / 2 + w, h / 2)); // header row, mid column
    EXPECT_TRUE(g.IsOnSizingBorder(w / 2, 2 * h - 1));  // fixed column, near a row edge
    EXPECT_FALSE(g.IsOnSizingBorder(3 * w, 4 * h + h / 2));
}

TEST(Geometry, SelectionHidingAndUsedCells)
{
    TExStringGrid g;
    g.SetColCount(6);
    g.SelectCells(1, 2, 3, 4);
    g.HideSelection();
    EXPECT_EQ(g.Selection(), (TGridRect{6, 10, 6, 10}));
    g.UnHideSelection();
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 3, 4}));
    EXPECT_EQ(g.UsedCells(), (TGridRect{0, 0, 0, 0}));
    g.SetCells(2, 3, QStringLiteral("a"));
    g.SetCells(4, 1, QStringLiteral("b"));
    g.SetCells(5, 30, QStringLiteral("past the rows"));
    EXPECT_EQ(g.UsedCells(), (TGridRect{2, 1, 4, 3}));
    g.SaveFixedCells = false;
    EXPECT_EQ(g.SaveStartCol(), 1);
    EXPECT_EQ(g.SaveRowCount(), 9);
}
