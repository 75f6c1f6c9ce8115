// A cell's graphic slot: made, replaced and removed, by kind; the grid's
// shared row check box is never a cell's to free.
#include "controls/grid/core/ex_string_grid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

void Make(TExStringGrid& g)
{
    g.SetColCount(4);
    g.SetRowCount(5);
    g.SetCells(2, 1, QStringLiteral("text"));
}

} // namespace

TEST(CellGraphicSlots, CreatingOnAnEmptyCellLeavesItEmptyAndReplacesAnEarlierGraphic)
{
    TExStringGrid g;
    Make(g);
    TCellGraphic* first = g.CreateCellGraphic(1, 2);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->CellType, ctNone);
    EXPECT_EQ(g.Cells(1, 2), QString());
    EXPECT_EQ(g.GetCellGraphic(1, 2), first);

    g.AddComment(2, 1, QStringLiteral("note"));
    TCellGraphic* second = g.CreateCellGraphic(2, 1);
    EXPECT_EQ(g.GetCellGraphic(2, 1), second);
    EXPECT_EQ(g.GetCellType(2, 1), ctNone);
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("text"));
}

TEST(CellGraphicSlots, RemovingByKindTakesOnlyThatKind)
{
    TExStringGrid g;
    Make(g);
    g.AddComment(2, 1, QStringLiteral("note"));
    g.RemoveProgress(2, 1);
    EXPECT_EQ(g.GetCellType(2, 1), ctComment);
    g.RemoveComment(2, 1);
    EXPECT_EQ(g.GetCellGraphic(2, 1), nullptr);
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("text"));
    // Nothing there: nothing happens.
    g.RemoveCellGraphic(2, 1);
    g.RemoveCellGraphic(3, 4);
    EXPECT_EQ(g.GetCellGraphic(3, 4), nullptr);
}

TEST(CellGraphicSlots, TheSharedRowCheckBoxOutlivesRemovals)
{
    TExStringGrid g;
    Make(g);
    g.MouseActions.SetHotmailRowSelect(true);
    TCellGraphic* shared = g.GetCellGraphic(0, 2);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->CellType, ctRowCheckBox);
    g.RemoveCellGraphic(0, 2);
    g.RemoveCellGraphicOfType(0, 3, ctRowCheckBox);
    g.RemoveCheckBox(0, 2);
    // Still the grid's one object, answering for every row.
    EXPECT_EQ(g.GetCellGraphic(0, 2), shared);
    EXPECT_EQ(g.GetCellGraphic(0, 3), shared);
    EXPECT_EQ(g.GetCellType(0, 3), ctRowCheckBox);
}
