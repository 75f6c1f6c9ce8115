// The undo history of cell changes: single changes and sequences, the limit,
// reset, registration after undos, hidden rows and columns, merged cells, the
// link between grid and history, rows and columns inserted, deleted and moved
// under the history, check box toggles, and seeded random scripts.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/undo_redo.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <random>
#include <utility>

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

namespace {

// Every cell's text by real column and real row, hidden ones included.
using Texts = std::vector<std::vector<QString>>;

Texts AllTexts(const TExStringGrid& g)
{
    Texts t(size_t(g.TotalRowCount()), std::vector<QString>(size_t(g.AllColCount())));
    for (int r = 0; r < g.TotalRowCount(); ++r)
        for (int c = 0; c < g.AllColCount(); ++c)
            t[size_t(r)][size_t(c)] = g.AllCells(c, r);
    return t;
}

// One line per real row, for readable failures.
QStringList Lines(const Texts& t)
{
    QStringList lines;
    for (const auto& row : t)
        lines << QStringList(row.begin(), row.end()).join(u'|');
    return lines;
}

// The cell holding text, as (real column, real row); (-1, -1) when none does.
std::pair<int, int> Find(const Texts& t, const QString& text)
{
    for (size_t r = 0; r < t.size(); ++r)
        for (size_t c = 0; c < t[r].size(); ++c)
            if (t[r][c] == text)
                return {int(c), int(r)};
    return {-1, -1};
}

} // namespace

// Two cells are changed, then the grid's rows or columns change under the
// history. Undoing everything gives back exactly the two cells, wherever
// they went, and touches no other; redoing gives the changes back. When a
// changed cell went away the history is empty and nothing is written.
TEST(UndoRedo, ShapeChangesCarryTheHistoryOrClearIt)
{
    struct Case
    {
        const char* name;
        int hideReal; // a row hidden before the edits, -1 for none
        std::function<void(TExStringGrid&)> change;
        bool cleared;
    };
    const std::vector<Case> cases = {
        {"insert above", -1, [](TExStringGrid& g) { g.InsertRows(1, 2); }, false},
        {"insert at the edited row", -1, [](TExStringGrid& g) { g.InsertRows(3, 1); }, false},
        {"insert below both", -1, [](TExStringGrid& g) { g.InsertRows(7, 3); }, false},
        {"add a row", -1, [](TExStringGrid& g) { g.AddRow(); }, false},
        {"delete above", -1, [](TExStringGrid& g) { g.DeleteRows(1, 2); }, false},
        {"delete between", -1, [](TExStringGrid& g) { g.DeleteRows(4, 1); }, false},
        {"delete an edited row", -1, [](TExStringGrid& g) { g.DeleteRows(3, 1); }, true},
        {"remove above, keeping heights", -1, [](TExStringGrid& g) { g.RemoveRowsEx(1, 1); }, false},
        {"remove an edited row, keeping heights", -1, [](TExStringGrid& g) { g.RemoveRowsEx(6, 2); }, true},
        {"move a block down over both", -1, [](TExStringGrid& g) { g.MoveRows(2, 8, 2); }, false},
        {"move a block up", -1, [](TExStringGrid& g) { g.MoveRows(5, 1, 3); }, false},
        {"move the edited row down", -1, [](TExStringGrid& g) { g.MoveRow(3, 7); }, false},
        {"move a row up past both", -1, [](TExStringGrid& g) { g.MoveRow(7, 1); }, false},
        {"move the edited column right", -1, [](TExStringGrid& g) { g.MoveColumn(1, 3); }, false},
        {"move a column left past both", -1, [](TExStringGrid& g) { g.MoveColumn(3, 1); }, false},
        {"swap the edited rows", -1, [](TExStringGrid& g) { g.SwapRows(6, 3); }, false},
        {"swap an edited row with another", -1, [](TExStringGrid& g) { g.SwapRows(3, 8); }, false},
        {"swap the edited columns", -1, [](TExStringGrid& g) { g.SwapColumns(2, 1); }, false},
        {"swap columns while an edited row is hidden", -1,
         [](TExStringGrid& g) {
             g.HideRow(6);
             g.SwapColumns(1, 2);
             g.UnHideRow(6);
         },
         false},
        {"insert with a hidden row above", 1, [](TExStringGrid& g) { g.InsertRows(2, 2); }, false},
        {"delete with a hidden row above", 2, [](TExStringGrid& g) { g.DeleteRows(1, 1); }, false},
        {"move with a hidden row between", 5, [](TExStringGrid& g) { g.MoveRow(6, 1); }, false},
        {"a normal row goes in above a hidden edited row", -1,
         [](TExStringGrid& g) {
             g.HideRow(6);
             g.InsertNormalRow(2);
         },
         false},
        {"a child row takes an edited node row's content", -1,
         [](TExStringGrid& g) {
             g.AddNode(3, 2);
             g.AddNode(5, 2); // the edited row 6 is its child
             g.ContractNode(5);
             g.InsertChildRow(3, 0);
         },
         false},
        {"an edited row is hidden, then rows are inserted and deleted", -1,
         [](TExStringGrid& g) {
             g.HideRow(g.RealRowIndex(3));
             g.InsertRows(1, 2);
             g.DeleteRows(1, 1);
         },
         false},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        TExStringGrid g;
        g.SetColCount(5);
        g.SetRowCount(10);
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 5; ++c)
                g.SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
        if (tc.hideReal >= 0)
            g.HideRow(tc.hideReal);
        TUndoRedo u;
        u.SetGrid(&g);
        const QString first = g.Cells(1, 3);
        const QString second = g.Cells(2, 6);
        Edit(g, u, 1, 3, QStringLiteral("X1"));
        Edit(g, u, 2, 6, QStringLiteral("X2"));
        tc.change(g);
        const Texts changed = AllTexts(g);
        if (tc.cleared) {
            EXPECT_EQ(u.Count(), 0);
            u.Undo();
            EXPECT_EQ(Lines(AllTexts(g)), Lines(changed));
            continue;
        }
        Texts expected = changed;
        const auto at1 = Find(changed, QStringLiteral("X1"));
        const auto at2 = Find(changed, QStringLiteral("X2"));
        ASSERT_GE(at1.first, 0);
        ASSERT_GE(at2.first, 0);
        expected[size_t(at1.second)][size_t(at1.first)] = first;
        expected[size_t(at2.second)][size_t(at2.first)] = second;
        u.Undo();
        u.Undo();
        EXPECT_FALSE(u.CanUndo());
        EXPECT_EQ(Lines(AllTexts(g)), Lines(expected));
        u.Redo();
        u.Redo();
        EXPECT_EQ(Lines(AllTexts(g)), Lines(changed));
    }
}

// A toggle registers with the attached history: undo and redo give back the
// state, and a box keeping its state itself keeps its caption.
TEST(UndoRedo, CheckBoxTogglesAreUndoneAndRedone)
{
    struct Case
    {
        const char* name;
        std::function<void(TExStringGrid&)> add;
        std::function<QString(TExStringGrid&)> state;
    };
    const auto boolState = [](TExStringGrid& g) {
        bool on = false;
        g.GetCheckBoxState(1, 2, on);
        return QString(on ? "on" : "off");
    };
    const auto triState = [](TExStringGrid& g) {
        TCheckBoxState s = cbGrayed;
        g.GetCheckBoxState(1, 2, s);
        return QString::number(int(s));
    };
    const std::vector<Case> cases = {
        {"state kept by the box", [](TExStringGrid& g) { g.AddCheckBox(1, 2, false, false); }, boolState},
        {"state kept in the text", [](TExStringGrid& g) { g.AddCheckBox(1, 2, false, true); }, boolState},
        {"three states, from checked", [](TExStringGrid& g) { g.AddCheckBox(1, 2, cbChecked); }, triState},
        {"three states, from unchecked", [](TExStringGrid& g) { g.AddCheckBox(1, 2, cbUnchecked); }, triState},
        {"three states, from grayed", [](TExStringGrid& g) { g.AddCheckBox(1, 2, cbGrayed); }, triState},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        Fixture f;
        f.g.SetCells(1, 2, QStringLiteral("caption"));
        tc.add(f.g);
        const QString text = f.g.Cells(1, 2);
        const QString before = tc.state(f.g);
        ASSERT_TRUE(f.g.ToggleCheckBox(1, 2));
        const QString after = tc.state(f.g);
        const QString toggledText = f.g.Cells(1, 2);
        ASSERT_NE(before, after);
        ASSERT_EQ(f.u.Count(), 1);
        f.u.Undo();
        EXPECT_EQ(tc.state(f.g), before);
        EXPECT_EQ(f.g.Cells(1, 2), text);
        f.u.Redo();
        EXPECT_EQ(tc.state(f.g), after);
        EXPECT_EQ(f.g.Cells(1, 2), toggledText);
    }
    // The toggle follows its row when rows are inserted above it and when it is hidden.
    Fixture moved;
    moved.g.AddCheckBox(1, 2, false, false);
    moved.g.ToggleCheckBox(1, 2);
    moved.g.InsertRows(1, 1);
    moved.u.Undo();
    EXPECT_FALSE(moved.g.IsChecked(1, 3));
    moved.g.HideRow(3);
    moved.u.Redo();
    moved.g.UnHideRow(3);
    EXPECT_TRUE(moved.g.IsChecked(1, 3));
    EXPECT_FALSE(moved.g.IsChecked(1, 2));

    // Without a history the toggle registers nowhere and works the same.
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.AddCheckBox(1, 2, false, false);
    EXPECT_TRUE(g.ToggleCheckBox(1, 2));
    EXPECT_TRUE(g.IsChecked(1, 2));
}

namespace {

// Every cell's text keyed by its row's id (column 0) and its column's id
// (row 0): the keys travel with rows and columns however they move.
using Keyed = std::map<std::pair<QString, QString>, QString>;

Keyed KeyedTexts(const TExStringGrid& g)
{
    Keyed k;
    for (int r = 0; r < g.TotalRowCount(); ++r)
        for (int c = 0; c < g.AllColCount(); ++c)
            k[{g.AllCells(0, r), g.AllCells(c, 0)}] = g.AllCells(c, r);
    return k;
}

// The first difference, or an empty text.
QString FirstDifference(const Keyed& got, const Keyed& want)
{
    for (const auto& [key, text] : want) {
        const auto it = got.find(key);
        if (it == got.end())
            return QStringLiteral("%1/%2 missing").arg(key.first, key.second);
        if (it->second != text)
            return QStringLiteral("%1/%2 is \"%3\", expected \"%4\"").arg(key.first, key.second, it->second, text);
    }
    if (got.size() != want.size())
        return QStringLiteral("%1 cells, expected %2").arg(got.size()).arg(want.size());
    return QString();
}

} // namespace

// Random scripts of edits, sequences, undos, redos, resets and changes of
// the grid's rows and columns (inserted, deleted, moved, swapped, hidden,
// sorted; a hidden column throughout), checked after
// every step against the grid states the history can reach. Rows and
// columns carry ids in column 0 and row 0, so the states compare by cell
// identity wherever the rows and columns went.
TEST(UndoRedo, SeededScriptsReachOnlyTheRecordedStates)
{
    for (unsigned seed = 1; seed <= 25; ++seed) {
        std::mt19937 rng(seed);
        const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        TExStringGrid g;
        g.SetColCount(7);
        g.SetRowCount(12);
        int nextId = 0;
        for (int c = 0; c < 7; ++c)
            g.SetCells(c, 0, QStringLiteral("C%1").arg(c));
        for (int r = 1; r < 12; ++r) {
            g.SetCells(0, r, QStringLiteral("R%1").arg(nextId++));
            for (int c = 1; c < 7; ++c)
                g.SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
        }
        g.HideColumn(4);
        TUndoRedo u;
        u.SetGrid(&g);
        // states[i]: the grid with i units of the history applied.
        std::vector<Keyed> states{KeyedTexts(g)};
        size_t level = 0;
        int editCount = 0;
        const auto editOne = [&] {
            const int row = pick(1, g.RowCount() - 1);
            const int col = g.RealColIndex(pick(1, g.ColCount() - 1));
            Edit(g, u, col, row, QStringLiteral("e%1").arg(editCount++));
        };
        const auto recorded = [&] {
            states.resize(level + 1);
            states.push_back(KeyedTexts(g));
            ++level;
        };
        for (int step = 0; step < 150; ++step) {
            const int op = pick(0, 99);
            QString name;
            bool shape = false;
            if (op < 35) {
                name = QStringLiteral("edit");
                editOne();
                recorded();
            } else if (op < 45) {
                name = QStringLiteral("sequence");
                u.StartSequence();
                for (int n = pick(2, 3); n > 0; --n)
                    editOne();
                u.StopSequence();
                recorded();
            } else if (op < 60) {
                name = QStringLiteral("undo");
                u.Undo();
                if (level > 0)
                    --level;
            } else if (op < 72) {
                name = QStringLiteral("redo");
                u.Redo();
                if (level + 1 < states.size())
                    ++level;
            } else if (op < 74) {
                name = QStringLiteral("reset");
                u.Reset();
                states = {states[level]};
                level = 0;
            } else if (op < 79) {
                const int at = pick(1, g.RowCount());
                const int n = pick(1, 2);
                name = QStringLiteral("insert %1 rows at %2").arg(n).arg(at);
                g.InsertRows(at, n);
                for (int r = at; r < at + n; ++r)
                    g.SetCells(0, r, QStringLiteral("R%1").arg(nextId++));
                shape = true;
            } else if (op < 84 && g.RowCount() > 5) {
                const int at = pick(1, g.RowCount() - 1);
                const int n = pick(1, 2);
                const bool keepHeights = pick(0, 1) == 1;
                name = QStringLiteral("%1 %2 rows at %3").arg(keepHeights ? "remove" : "delete").arg(n).arg(at);
                if (keepHeights)
                    g.RemoveRowsEx(at, n);
                else
                    g.DeleteRows(at, n);
                shape = true;
            } else if (op < 89) {
                const int from = pick(1, g.RowCount() - 1);
                const int to = pick(1, g.RowCount() - 1);
                name = QStringLiteral("move row %1 to %2").arg(from).arg(to);
                g.MoveRow(from, to);
                shape = true;
            } else if (op < 92) {
                const int from = pick(1, g.RowCount() - 2);
                const int to = pick(1, g.RowCount() - 1);
                name = QStringLiteral("move 2 rows from %1 to %2").arg(from).arg(to);
                g.MoveRows(from, to, 2);
                shape = true;
            } else if (op < 95) {
                const int from = pick(1, g.ColCount() - 1);
                const int to = pick(1, g.ColCount() - 1);
                name = QStringLiteral("move column %1 to %2").arg(from).arg(to);
                g.MoveColumn(from, to);
                shape = true;
            } else if (op < 97) {
                if (g.NumHiddenRows() < 2) {
                    const int row = pick(1, g.RowCount() - 1);
                    name = QStringLiteral("hide row %1").arg(row);
                    g.HideRow(g.RealRowIndex(row));
                } else {
                    name = QStringLiteral("show the hidden rows");
                    g.UnHideRowsAll();
                }
                shape = true;
            } else if (op < 99) {
                // Hidden rows keep their cells when columns swap: columns
                // swap only while every row shows.
                if (pick(0, 1) == 1 || g.NumHiddenRows() > 0) {
                    const int a = pick(1, g.RowCount() - 1);
                    const int b = pick(1, g.RowCount() - 1);
                    name = QStringLiteral("swap rows %1 and %2").arg(a).arg(b);
                    g.SwapRows(a, b);
                } else {
                    const int a = pick(1, g.AllColCount() - 1);
                    const int b = pick(1, g.AllColCount() - 1);
                    name = QStringLiteral("swap real columns %1 and %2").arg(a).arg(b);
                    g.SwapColumns(a, b);
                }
                shape = true;
            } else {
                const int col = pick(1, g.ColCount() - 1);
                name = QStringLiteral("sort by %1").arg(col);
                g.Sort(g.RealColIndex(col), pick(0, 1) ? sdAscending : sdDescending);
                shape = true;
            }
            const Keyed now = KeyedTexts(g);
            if (shape) {
                if (u.Count() == 0) {
                    // The history was cleared: only the grid as it is now remains.
                    states = {now};
                    level = 0;
                } else {
                    // Removed rows had no recorded change; new rows have none yet.
                    for (Keyed& state : states) {
                        for (auto it = state.begin(); it != state.end();)
                            it = now.count(it->first) ? std::next(it) : state.erase(it);
                        for (const auto& [key, text] : now)
                            state.emplace(key, text);
                    }
                }
            }
            const QString diff = FirstDifference(now, states[level]);
            if (!diff.isEmpty()) {
                ADD_FAILURE() << "seed " << seed << ", step " << step << " (" << name.toStdString()
                              << "): " << diff.toStdString();
                break;
            }
        }
    }
}
