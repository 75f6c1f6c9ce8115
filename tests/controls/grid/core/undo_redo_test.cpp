// The undo history of cell changes: single changes and sequences, the limit,
// reset, registration after undos, hidden rows and columns, merged cells and
// the link between grid and history.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/undo_redo.h"

#include <gtest/gtest.h>

#include <memory>

using namespace grid;

namespace {

// An edit the way the input side makes it: write, then register.
void Edit(TExStringGrid& g, TUndoRedo& u, int col, int row, const QString& text)
{
    const QString old = g.Cells(col, row);
    g.SetCells(col, row, text);
    u.RegisterChange(col, row, old, text);
}

struct Fixture
{
    TExStringGrid g;
    TUndoRedo u;
    Fixture()
    {
        g.SetColCount(4);
        g.SetRowCount(6);
        u.SetGrid(&g);
    }
};

} // namespace

TEST(UndoRedo, SingleChangesAndTheLimit)
{
    Fixture f;
    f.u.MaxLevel = 2;
    Edit(f.g, f.u, 1, 1, QStringLiteral("a"));
    Edit(f.g, f.u, 1, 2, QStringLiteral("b"));
    Edit(f.g, f.u, 1, 3, QStringLiteral("c"));
    ASSERT_EQ(f.u.Count(), 2);
    EXPECT_EQ(f.u.Level(), 2);
    EXPECT_EQ(f.u.Items()[0].Value, QStringLiteral("b"));
    f.u.Undo();
    EXPECT_EQ(f.g.Cells(1, 3), QString());
    EXPECT_EQ(f.g.Col(), 1);
    EXPECT_EQ(f.g.Row(), 3);
    f.u.Undo();
    EXPECT_EQ(f.g.Cells(1, 2), QString());
    EXPECT_FALSE(f.u.CanUndo());
    f.u.Undo(); // nothing left: "a" stays
    EXPECT_EQ(f.g.Cells(1, 1), QStringLiteral("a"));
    f.u.Redo();
    f.u.Redo();
    EXPECT_EQ(f.g.Cells(1, 2), QStringLiteral("b"));
    EXPECT_EQ(f.g.Cells(1, 3), QStringLiteral("c"));
    EXPECT_FALSE(f.u.CanRedo());
}

TEST(UndoRedo, RegisteringAfterUndosDropsTheUndoneChanges)
{
    Fixture f;
    Edit(f.g, f.u, 1, 1, QStringLiteral("A"));
    Edit(f.g, f.u, 1, 1, QStringLiteral("B"));
    f.u.Undo();
    Edit(f.g, f.u, 2, 1, QStringLiteral("C"));
    ASSERT_EQ(f.u.Count(), 2);
    EXPECT_EQ(f.u.Level(), 2);
    EXPECT_FALSE(f.u.CanRedo());
    f.u.Undo();
    f.u.Undo();
    EXPECT_EQ(f.g.Cells(1, 1), QString());
    EXPECT_EQ(f.g.Cells(2, 1), QString());
    f.u.Redo();
    f.u.Redo();
    // "B" never comes back over the newer state.
    EXPECT_EQ(f.g.Cells(1, 1), QStringLiteral("A"));
    EXPECT_EQ(f.g.Cells(2, 1), QStringLiteral("C"));
}

TEST(UndoRedo, SequencesUndoAndRedoWhole)
{
    Fixture f;
    Edit(f.g, f.u, 3, 4, QStringLiteral("before"));
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r)
            f.g.SetCells(c, r, QStringLiteral("%1%2").arg(c).arg(r));
    // A cut of a 2 x 2 selection.
    f.u.StartSequence();
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r)
            Edit(f.g, f.u, c, r, QString());
    f.u.StopSequence();
    ASSERT_EQ(f.u.Count(), 7);
    EXPECT_TRUE(f.u.Items()[1].SequenceStart);
    EXPECT_TRUE(f.u.Items()[6].SequenceStop);
    f.u.Undo();
    EXPECT_EQ(f.u.Level(), 1);
    EXPECT_EQ(f.g.Cells(2, 2), QStringLiteral("22"));
    EXPECT_EQ(f.g.Cells(1, 1), QStringLiteral("11"));
    f.u.Redo();
    EXPECT_EQ(f.u.Level(), 7);
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r)
            EXPECT_EQ(f.g.Cells(c, r), QString());
    // A nested bracket is part of the outer sequence; an empty one leaves nothing.
    f.u.StartSequence();
    f.u.StartSequence();
    Edit(f.g, f.u, 1, 5, QStringLiteral("x"));
    f.u.StopSequence();
    Edit(f.g, f.u, 2, 5, QStringLiteral("y"));
    f.u.StopSequence();
    f.u.StartSequence();
    f.u.StopSequence();
    EXPECT_EQ(f.u.Count(), 11);
    f.u.Undo();
    EXPECT_EQ(f.g.Cells(1, 5), QString());
    EXPECT_EQ(f.g.Cells(2, 5), QString());
    // A stop without a start adds nothing.
    f.u.StopSequence();
    EXPECT_EQ(f.u.Level(), 7);
}

TEST(UndoRedo, TheLimitDropsWholeSequencesNeverAnOrphanMarker)
{
    Fixture f;
    f.u.MaxLevel = 4;
    f.u.StartSequence();
    Edit(f.g, f.u, 1, 1, QStringLiteral("a"));
    Edit(f.g, f.u, 1, 2, QStringLiteral("b"));
    f.u.StopSequence();
    Edit(f.g, f.u, 1, 3, QStringLiteral("c")); // the whole sequence goes first
    for (const TUndoRedoItem& item : f.u.Items())
        EXPECT_FALSE(item.IsMarker());
    EXPECT_EQ(f.u.Count(), 1);
    for (int i = 0; i < 5; ++i)
        f.u.Undo();
    EXPECT_EQ(f.u.Level(), 0);
    f.u.Redo();
    EXPECT_EQ(f.u.Level(), 1);

    // An open sequence is never cut: the history waits until it is closed.
    Fixture g;
    g.u.MaxLevel = 2;
    g.u.StartSequence();
    for (int r = 1; r <= 4; ++r)
        Edit(g.g, g.u, 1, r, QStringLiteral("v"));
    g.u.StopSequence();
    EXPECT_EQ(g.u.Count(), 6);
    g.u.Undo();
    EXPECT_EQ(g.u.Level(), 0);
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(g.g.Cells(1, r), QString());
}

TEST(UndoRedo, ResetEmptiesTheHistoryAndTheLevel)
{
    Fixture f;
    for (int r = 1; r <= 3; ++r)
        Edit(f.g, f.u, 1, r, QStringLiteral("x"));
    f.u.Reset();
    EXPECT_EQ(f.u.Level(), 0);
    EXPECT_FALSE(f.u.CanUndo());
    EXPECT_FALSE(f.u.CanRedo());
    f.u.Undo();
    EXPECT_EQ(f.g.Cells(1, 3), QStringLiteral("x"));
}

TEST(UndoRedo, HiddenRowsAndColumnsKeepTheirChanges)
{
    Fixture f;
    f.g.SetCells(3, 3, QStringLiteral("old"));
    Edit(f.g, f.u, 3, 3, QStringLiteral("new"));
    f.g.HideRow(2);  // row 3 shows at 2 now
    f.g.HideColumn(3);
    f.u.Undo();
    EXPECT_EQ(f.g.AllCells(3, 3), QStringLiteral("old"));
    f.g.UnHideColumn(3);
    f.u.Redo();
    EXPECT_EQ(f.g.Cells(3, 2), QStringLiteral("new"));
    EXPECT_EQ(f.g.Row(), 2); // the current cell follows the shown row
    // A change of a row that is hidden now goes into its record.
    f.g.HideRow(3);
    f.u.Undo();
    f.g.UnHideRow(3);
    f.g.UnHideRow(2);
    EXPECT_EQ(f.g.Cells(3, 3), QStringLiteral("old"));
}

TEST(UndoRedo, ACoveredCellOfAMergedRangeWritesTheBaseCell)
{
    Fixture f;
    f.g.MergeCells(1, 1, 2, 2);
    f.g.SetCells(1, 1, QStringLiteral("base"));
    Edit(f.g, f.u, 2, 2, QStringLiteral("changed"));
    EXPECT_EQ(f.g.Cells(1, 1), QStringLiteral("changed"));
    f.u.Undo();
    EXPECT_EQ(f.g.Cells(1, 1), QStringLiteral("base"));
    EXPECT_EQ(f.g.GridCells(2, 2), QString());
}

TEST(UndoRedo, EventsSeeTheCurrentAndTheNextText)
{
    Fixture f;
    Edit(f.g, f.u, 1, 1, QStringLiteral("new"));
    QString seen;
    f.u.OnUndo = [&](TUndoRedo*, TExStringGrid* grid, int col, int row, const QString& current,
                     const QString& next) {
        EXPECT_EQ(grid, &f.g);
        seen = QStringLiteral("%1,%2:%3>%4").arg(col).arg(row).arg(current, next);
    };
    f.u.OnRedo = [&](TUndoRedo* sender, TExStringGrid*, int, int, const QString&, const QString&) {
        sender->Reset(); // the history may change inside an event
    };
    f.u.Undo();
    EXPECT_EQ(seen, QStringLiteral("1,1:new>"));
    f.u.Redo();
    EXPECT_EQ(f.u.Count(), 0);
}

TEST(UndoRedo, GridAndHistoryForgetEachOther)
{
    auto g = std::make_unique<TExStringGrid>();
    TUndoRedo u;
    u.SetGrid(g.get());
    EXPECT_EQ(g->UndoRedo, &u);
    Edit(*g, u, 1, 1, QStringLiteral("x"));
    g.reset();
    EXPECT_EQ(u.Grid(), nullptr);
    u.Undo(); // no grid: nothing happens
    EXPECT_EQ(u.Level(), 1);

    TExStringGrid grid;
    {
        TUndoRedo shortLived;
        shortLived.SetGrid(&grid);
    }
    EXPECT_EQ(grid.UndoRedo, nullptr);
    TUndoRedo first, second;
    first.SetGrid(&grid);
    second.SetGrid(&grid);
    EXPECT_EQ(first.Grid(), nullptr);
    EXPECT_EQ(grid.UndoRedo, &second);
}
