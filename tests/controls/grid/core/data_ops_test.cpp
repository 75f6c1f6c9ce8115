// Row and column operations, filter levels, node rows, grouping, typed cell
// access, highlight and mark tags and the cell checker: what they change, and
// that the way back returns the grid as it was.
#include "controls/grid/core/cell_checker.h"
#include "controls/grid/core/ex_string_grid.h"
#include "qt_print.h"
#include "recording_view.h"

#include <set>

#include <gtest/gtest.h>

using namespace grid;

namespace {

// One fixed row and column; column c of row r (r >= 1) holds texts[c-1][r-1].
void Fill(TExStringGrid& g, const std::vector<QStringList>& columns)
{
    g.SetColCount(static_cast<int>(columns.size()) + 1);
    g.SetRowCount(static_cast<int>(columns.front().size()) + 1);
    for (size_t c = 0; c < columns.size(); ++c)
        for (int r = 0; r < columns[c].size(); ++r)
            g.SetCells(static_cast<int>(c) + 1, r + 1, columns[c][r]);
}

QStringList Split(const char* text)
{
    return QString::fromUtf8(text).split(u'|');
}

QStringList Column(const TExStringGrid& g, int col)
{
    QStringList out;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

// Every cell text by display row, with the counts.
struct Shape
{
    int cols = 0;
    int rows = 0;
    std::vector<QStringList> cells;
    bool operator==(const Shape&) const = default;

    static Shape Of(const TExStringGrid& g)
    {
        Shape s{g.ColCount(), g.RowCount(), {}};
        for (int r = 0; r < g.RowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < g.ColCount(); ++c)
                row << g.Cells(c, r);
            s.cells.push_back(row);
        }
        return s;
    }
};

} // namespace

TEST(RowOps, RemovingAtOrPastTheEndChangesNothing)
{
    const struct
    {
        int row;
        int count;
    } cases[] = {{4, 1}, {5, 2}, {100, 1}, {-1, 1}, {2, 0}, {2, -3}};
    for (const auto& c : cases) {
        TExStringGrid g;
        Fill(g, {Split("a|b|c")});
        const Shape before = Shape::Of(g);
        g.RemoveRows(c.row, c.count);
        EXPECT_EQ(Shape::Of(g), before) << c.row << " " << c.count;
    }
    TExStringGrid g;
    Fill(g, {Split("a|b|c")});
    g.RemoveRows(2, 10); // clipped to the end
    EXPECT_EQ(Column(g, 1), Split("a"));
}

namespace {

// A grid-owned payload that knows which of its kind are alive.
struct Tracked : TObject
{
    explicit Tracked(int id) : id(id) { live.insert(id); }
    ~Tracked() override { live.erase(id); }
    int id;
    static inline std::set<int> live;
};

int TrackedAt(TExStringGrid& g, int col, int row)
{
    const TCellGraphic* graphic = g.GetCellGraphic(col, row);
    const auto* t = graphic ? dynamic_cast<const Tracked*>(graphic->CellBitmap.Object()) : nullptr;
    return t ? t->id : 0;
}

} // namespace

// What each row operation frees, moves or keeps: rows 1..5 hold their number
// as text in column 1 and a grid-owned payload of that number in hidden
// column 2. A payload that lives on must sit in the row that shows its number
// (it moved with its row); the destroyed grid leaves none alive (ASan sees
// double frees and leaks).
TEST(RowOps, WhatEachOperationFreesMovesOrKeeps)
{
    const std::set<int> all = {1, 2, 3, 4, 5};
    using Op = std::function<void(TExStringGrid&)>;
    const struct
    {
        const char* name;
        Op op;
        std::set<int> freed;
        bool textOnly = false;
        int shift = 0; // columns inserted before the text column
    } cases[] = {
        {"RemoveRows", [](TExStringGrid& g) { g.RemoveRows(2, 2); }, {2, 3}},
        {"RemoveRows past the end", [](TExStringGrid& g) { g.RemoveRows(4, 9); }, {4, 5}},
        {"DeleteRows", [](TExStringGrid& g) { g.DeleteRows(2, 2); }, {2, 3}},
        {"DeleteRowList", [](TExStringGrid& g) { g.DeleteRowList({5, 1, 3}); }, {1, 3, 5}},
        {"InsertRows", [](TExStringGrid& g) { g.InsertRows(2, 2); }, {}},
        {"MoveRows down", [](TExStringGrid& g) { g.MoveRows(1, 5, 2); }, {}},
        {"MoveRows up", [](TExStringGrid& g) { g.MoveRows(4, 1, 2); }, {}},
        {"MoveRow", [](TExStringGrid& g) { g.MoveRow(5, 1); }, {}},
        {"ClearRows", [](TExStringGrid& g) { g.ClearRows(2, 2); }, {2, 3}},
        {"Clear", [](TExStringGrid& g) { g.Clear(); }, all},
        {"ClearAll", [](TExStringGrid& g) { g.ClearAll(); }, all},
        {"Clear, text only", [](TExStringGrid& g) { g.ClearTextOnly = true; g.Clear(); }, {}, true},
        {"RemoveCols of the hidden column", [](TExStringGrid& g) { g.RemoveCols(2, 1); }, all},
        {"InsertCols before it", [](TExStringGrid& g) { g.InsertCols(1, 2); }, {}, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            TExStringGrid g;
            g.SetColCount(4);
            g.SetRowCount(6);
            for (int r = 1; r <= 5; ++r) {
                g.SetCells(1, r, QString::number(r));
                g.CreateBitmap(2, r, false, haLeft, vaTop);
                g.GetCellGraphic(2, r)->CellBitmap.Adopt(std::make_unique<Tracked>(r));
            }
            g.HideColumn(2);
            ASSERT_EQ(Tracked::live, all);

            c.op(g);
            std::set<int> expected;
            std::set_difference(all.begin(), all.end(), c.freed.begin(), c.freed.end(),
                                std::inserter(expected, expected.end()));
            EXPECT_EQ(Tracked::live, expected);
            const int textCol = 1 + c.shift;
            const int objCol = textCol + 1;
            std::set<int> seen;
            for (int r = 0; r < g.RowCount(); ++r) {
                const int id = g.AllColCount() > objCol ? TrackedAt(g, objCol, r) : 0;
                if (id == 0)
                    continue;
                seen.insert(id);
                if (c.textOnly)
                    EXPECT_TRUE(g.Cells(textCol, r).isEmpty() && id == r) << r;
                else
                    EXPECT_EQ(g.Cells(textCol, r), QString::number(id)) << r;
            }
            EXPECT_EQ(seen, expected);
        }
        EXPECT_TRUE(Tracked::live.empty());
        Tracked::live.clear();
    }
}

TEST(RowOps, SideListsAndCellControlsFollowInsertionAndRemoval)
{
    TExStringGrid g;
    RecordingView view;
    g.SetView(&view);
    g.SetColCount(3);
    g.SetRowCount(6);
    g.ShowModified.Enabled = true;
    g.MouseActions.SetDisjunctRowSelect(true);
    QObject controls[5];
    for (int r = 1; r <= 5; ++r) {
        g.SetCells(1, r, QString::number(r));
        g.SetCellControls(1, r, &controls[r - 1]);
    }
    g.SetRowModified(2, true);
    g.SetRowEnabled(3, false);
    g.SetRowSelect(4, true);
    auto state = [&] {
        QStringList out;
        for (int r = 1; r < g.RowCount(); ++r) {
            QObject* control = g.CellControls(1, r);
            const int owner = control ? int(control - controls) + 1 : 0;
            out << QStringLiteral("%1%2%3%4:%5")
                       .arg(g.Cells(1, r))
                       .arg(g.RowModified(r) ? "m" : "")
                       .arg(g.RowEnabled(r) ? "" : "d")
                       .arg(g.RowSelect(r) ? "s" : "")
                       .arg(owner);
        }
        return out.join(u' ');
    };
    ASSERT_EQ(state(), "1:1 2m:2 3d:3 4s:4 5:5");
    g.InsertRows(2, 1);
    EXPECT_EQ(state(), "1:1 :0 2m:2 3d:3 4s:4 5:5");
    view.Clear();
    g.RemoveRows(3, 2); // rows "2" and "3" go
    EXPECT_EQ(state(), "1:1 :0 4s:4 5:5");
    EXPECT_EQ(g.NumCellControls(), 3);
    // The removed rows' controls were hidden.
    for (QObject* gone : {&controls[1], &controls[2]}) {
        const auto it = std::find_if(view.placements.begin(), view.placements.end(),
                                     [&](const RecordingView::Placement& p) { return p.control == gone; });
        ASSERT_NE(it, view.placements.end());
        EXPECT_FALSE(it->visible);
    }
    g.DeleteRows(1, 1);
    EXPECT_EQ(state(), ":0 4s:4 5:5");
    g.SetView(nullptr);
}

TEST(RowOps, RemoveDuplicatesHonoursCase)
{
    const struct
    {
        bool doCase;
        const char* left;
    } cases[] = {{true, "abc|ABC|x|X"}, {false, "abc|x"}};
    for (const auto& c : cases) {
        TExStringGrid g;
        Fill(g, {Split("abc|ABC|abc|x|X|x"), Split("1|2|3|4|5|6")});
        g.RemoveDuplicates(1, c.doCase);
        EXPECT_EQ(Column(g, 1), Split(c.left)) << c.doCase;
    }
    TExStringGrid g;
    Fill(g, {Split("abc|ABC|abc"), Split("1|2|3")});
    g.RemoveDuplicates(1, true);
    EXPECT_EQ(Column(g, 2), Split("1|2")); // the first of each stays, with its row
}

TEST(RowOps, AHiddenColumnKeepsItsCellsWidthAndStateThroughInsertAndRemove)
{
    TExStringGrid g;
    Fill(g, {Split("a1|a2"), Split("b1|b2"), Split("c1|c2"), Split("d1|d2")});
    g.SetColWidths(3, 77);
    g.HideColumn(3);
    ASSERT_EQ(g.ColCount(), 4);

    g.InsertCols(1, 2);
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_TRUE(g.IsHiddenColumn(5));
    EXPECT_FALSE(g.IsHiddenColumn(3));
    EXPECT_EQ(g.AllCells(5, 2), "c2");
    EXPECT_EQ(g.AllCells(6, 1), "d1");
    EXPECT_EQ(g.AllCells(1, 1), "");
    EXPECT_EQ(g.AllColWidths(5), 77);

    g.RemoveCols(1, 2);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_TRUE(g.IsHiddenColumn(3));
    EXPECT_EQ(g.AllCells(1, 1), "a1");
    EXPECT_EQ(g.AllCells(3, 2), "c2");

    // Removing the hidden column itself takes its cells; the others close up.
    g.RemoveCols(3, 1);
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(Column(g, 3), Split("d1|d2"));

    g.HideColumn(2);
    g.UnHideColumn(2);
    EXPECT_EQ(Column(g, 2), Split("b1|b2"));
}

TEST(Filtering, LevelsPutRowsBackInPlace)
{
    TExStringGrid g;
    Fill(g, {Split("1|2|3|4|5|6"), Split("a|b|a|b|a|b")});
    const Shape original = Shape::Of(g);

    TFilterData& first = g.Filter.Add();
    first.Column = 1;
    first.Condition = QStringLiteral(">3");
    g.ApplyFilter();
    EXPECT_EQ(Column(g, 1), Split("4|5|6"));
    EXPECT_EQ(g.FilterLevel(), 1);

    g.Filter.Clear();
    TFilterData& second = g.Filter.Add();
    second.Column = 2;
    second.Condition = QStringLiteral("a");
    g.ApplyFilter();
    EXPECT_EQ(Column(g, 1), Split("5"));
    EXPECT_EQ(Column(g, 2), Split("a"));

    EXPECT_TRUE(g.RemoveLastFilter());
    EXPECT_EQ(Column(g, 1), Split("4|5|6"));
    EXPECT_TRUE(g.RemoveLastFilter());
    EXPECT_EQ(Shape::Of(g), original);
    EXPECT_FALSE(g.RemoveLastFilter());
}

TEST(Filtering, AFilterHidingEveryRowRestoresTheFixedRows)
{
    TExStringGrid g;
    Fill(g, {Split("1|2|3")});
    const Shape original = Shape::Of(g);
    TFilterData& d = g.Filter.Add();
    d.Column = 1;
    d.Condition = QStringLiteral(">100");
    g.SetFilterActive(true);
    EXPECT_EQ(g.RowCount(), 1);
    g.SetFilterActive(false);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(Shape::Of(g), original);
}

TEST(Filtering, NarrowDownExtendsShrinksAndRestarts)
{
    TExStringGrid g;
    Fill(g, {Split("apple|apricot|banana|grape|cherry")});
    const Shape original = Shape::Of(g);
    const struct
    {
        const char* typed;
        const char* shown;
        int level;
    } steps[] = {
        {"a", "apple|apricot|banana|grape", 1},
        {"ap", "apple|apricot|grape", 2},
        {"apr", "apricot", 3},
        {"ap", "apple|apricot|grape", 2},
        {"ch", "cherry", 1},
        {"CH", "cherry", 1},
    };
    for (const auto& s : steps) {
        g.NarrowDown(QString::fromUtf8(s.typed), 1);
        EXPECT_EQ(Column(g, 1), Split(s.shown)) << s.typed;
        EXPECT_EQ(g.FilterLevel(), s.level) << s.typed;
    }
    g.NarrowDown(QString(), 1);
    EXPECT_EQ(g.FilterLevel(), 0);
    EXPECT_EQ(Shape::Of(g), original);
}

TEST(Nodes, FoldedRowsComeBackInPlace)
{
    TExStringGrid g;
    Fill(g, {Split("h1|a|b|h2|c|d|e|tail")});
    const Shape original = Shape::Of(g);
    g.AddNode(1, 3);
    g.AddNode(4, 4);
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_TRUE(g.IsNode(4));
    EXPECT_EQ(g.GetNodeSpan(4), 4);

    g.ContractNode(1);
    EXPECT_EQ(Column(g, 1), Split("h1|h2|c|d|e|tail"));
    EXPECT_TRUE(g.GetNodeState(1));
    g.ContractNode(4); // real row of the second header
    EXPECT_EQ(Column(g, 1), Split("h1|h2|tail"));
    g.ExpandNode(1);
    EXPECT_EQ(Column(g, 1), Split("h1|a|b|h2|tail"));
    g.ExpandAll();
    EXPECT_EQ(Column(g, 1), Split("h1|a|b|h2|c|d|e|tail"));
    g.ContractAll();
    EXPECT_EQ(Column(g, 1), Split("h1|h2|tail"));
    g.ExpandAll();
    g.RemoveAllNodes();
    EXPECT_FALSE(g.IsNode(1));
    EXPECT_EQ(Shape::Of(g), original);
}

TEST(Nodes, NestingParentsChildRowsExpandOneAndTheGlyph)
{
    // Outer node "o" over rows o..c, inner node "i" over i..b.
    auto make = [](TExStringGrid& g) {
        Fill(g, {Split("o|i|a|b|c|d"), Split("O|I|A|B|C|D")});
        g.AddNode(1, 5);
        g.AddNode(2, 3);
        g.AddNodeLevel(2, 1);
    };
    {
        TExStringGrid g;
        make(g);
        const Shape original = Shape::Of(g);
        g.ContractNode(2);
        EXPECT_EQ(Column(g, 1), Split("o|i|c|d"));
        g.ContractNode(1);
        EXPECT_EQ(Column(g, 1), Split("o|d"));
        g.ExpandNode(1); // the inner node comes back expanded
        EXPECT_EQ(Shape::Of(g), original);
        EXPECT_FALSE(g.GetNodeState(1));
        EXPECT_FALSE(g.GetNodeState(2));

        // The parent of a child row is its innermost node; a top-level node
        // is its own parent; a row outside every node has none.
        const struct
        {
            int row;
            int parent;
        } parents[] = {{3, 2}, {4, 2}, {5, 1}, {1, 1}, {6, -1}};
        for (const auto& p : parents)
            EXPECT_EQ(g.GetParentRow(p.row), p.parent) << p.row;

        // A child row inserted at 0 under a top-level node takes the node
        // row's texts, the node keeps its graphic and its span grows; the
        // inner node moves down with its rows.
        g.InsertChildRow(1, 0);
        EXPECT_EQ(Column(g, 1), Split("|o|i|a|b|c|d"));
        EXPECT_EQ(g.Cells(2, 1), "");
        EXPECT_EQ(g.Cells(2, 2), "O");
        EXPECT_TRUE(g.IsNode(1));
        EXPECT_EQ(g.GetNodeSpan(1), 6);
        EXPECT_TRUE(g.IsNode(3));
        EXPECT_EQ(g.GetNodeSpan(3), 3);
        g.ContractNode(1);
        EXPECT_EQ(Column(g, 1), Split("|d"));
    }
    {
        // ExpandOne: expanding one node contracts the other expanded ones.
        TExStringGrid g;
        Fill(g, {Split("h1|a|b|h2|c|d|h3|e")});
        g.AddNode(1, 3);
        g.AddNode(4, 3);
        g.AddNode(7, 2);
        g.CellNode.ExpandOne = true;
        g.ExpandNode(4);
        EXPECT_EQ(Column(g, 1), Split("h1|h2|c|d|h3"));
        g.ExpandNode(1);
        EXPECT_EQ(Column(g, 1), Split("h1|a|b|h2|h3"));
    }
    {
        TExStringGrid g;
        Fill(g, {Split("h1|a")});
        g.AddNode(1, 2);
        g.MouseActions.PreciseNodeClick = false;
        for (int x : {0, 5, 500, 100000})
            EXPECT_TRUE(g.IsInNodeGlyph(1, x)) << x;
        g.MouseActions.PreciseNodeClick = true;
        EXPECT_FALSE(g.IsInNodeGlyph(1, 100000));
    }
}

TEST(Grouping, CalculationsExpandOneAndRawTexts)
{
    {
        // Summary rows take the sums; without them the header rows take the
        // counts. Contracted groups are passed.
        TExStringGrid g;
        Fill(g, {Split("x1|x2|x3|x4"), Split("A|A|A|B"), Split("1|2|4|8")});
        g.Grouping.Summary = true;
        g.Group(2);
        ASSERT_EQ(Column(g, 1), Split("A|x1|x2|x3||B|x4|"));
        EXPECT_TRUE(g.IsSummary(5));
        EXPECT_TRUE(g.IsSummary(8));
        g.GroupSum(2);
        EXPECT_EQ(g.Floats(2, 5), 7);
        EXPECT_EQ(g.Floats(2, 8), 8);
        g.GroupCount(2);
        EXPECT_EQ(g.Cells(2, 5), "3");
        EXPECT_EQ(g.Cells(2, 8), "1");
        g.ContractNode(g.RealRowIndex(6));
        g.SetCells(2, 5, QString());
        g.GroupMax(2);
        EXPECT_EQ(g.Floats(2, 5), 4);
    }
    {
        TExStringGrid g;
        Fill(g, {Split("x1|x2|x3|x4"), Split("A|A|A|B"), Split("1|2|4|8")});
        g.Group(2);
        g.GroupCount(2);
        EXPECT_EQ(g.Cells(2, 1), "3");
        EXPECT_EQ(g.Cells(2, 5), "1");
        const Shape grouped = Shape::Of(g);
        g.SetGroupColumn(0); // changes nothing
        EXPECT_EQ(Shape::Of(g), grouped);
        EXPECT_EQ(g.GroupColumn(), 2);
        g.SetGroupColumn(-1);
        EXPECT_EQ(g.GroupColumn(), -1);
        EXPECT_EQ(g.ColCount(), 4);
    }
    {
        // Raw texts, no reordering: "a" is no "A", and equal values apart
        // form separate groups. With ExpandOne only the first is expanded.
        TExStringGrid g;
        Fill(g, {Split("x1|x2|x3|x4"), Split("A|a|A|A")});
        g.CellNode.ExpandOne = true;
        g.SortSettings.AutoSortForGrouping = false;
        g.Group(2);
        EXPECT_EQ(Column(g, 1), Split("A|x1|a|A"));
        g.ExpandAll();
        EXPECT_EQ(Column(g, 1), Split("A|x1|a|x2|A|x3|x4"));
        // With the automatic sort the equal values come together.
        g.UnGroup();
        g.SortSettings.AutoSortForGrouping = true;
        g.Group(2);
        g.ExpandAll();
        EXPECT_EQ(Column(g, 1), Split("A|x1|x3|x4|a|x2"));
    }
}

TEST(Grouping, QSortGroupSortsInsideTheGroupsOnly)
{
    TExStringGrid g;
    Fill(g, {Split("p|q|r|s|t|u"), Split("A|A|A|B|B|B"), Split("30|10|20|6|5|40")});
    g.SortSettings.AutoSortForGrouping = false;
    g.Group(2);
    ASSERT_EQ(Column(g, 1), Split("A|p|q|r|B|s|t|u"));
    g.SortSettings.Column = 2;
    g.SortSettings.Direction = sdAscending;
    g.QSortGroup();
    EXPECT_EQ(Column(g, 1), Split("A|q|r|p|B|t|s|u"));
    EXPECT_EQ(Column(g, 2), Split("|10|20|30||5|6|40"));
    g.SortSettings.Direction = sdDescending;
    g.QSortGroup();
    EXPECT_EQ(Column(g, 2), Split("|30|20|10||40|6|5"));
    // A contracted group is left alone.
    g.ContractNode(g.RealRowIndex(5));
    g.SortSettings.Direction = sdAscending;
    g.QSortGroup();
    g.ExpandAll();
    EXPECT_EQ(Column(g, 2), Split("|10|20|30||40|6|5"));
    g.UnGroup();
    EXPECT_EQ(Column(g, 2), Split("A|A|A|B|B|B"));
}

TEST(Grouping, GroupAndUnGroupReturnTheOriginalGrid)
{
    for (bool summary : {false, true}) {
        TExStringGrid g;
        Fill(g, {Split("x1|x2|x3|x4|x5|x6"), Split("A|A|B|B|B|C"), Split("1|2|3|4|5|6")});
        g.SetCells(2, 0, QStringLiteral("kind"));
        const Shape original = Shape::Of(g);
        g.Grouping.Summary = summary;

        g.Group(2);
        EXPECT_EQ(g.ColCount(), 3) << summary;
        EXPECT_EQ(g.RowCount(), 1 + 6 + 3 + (summary ? 3 : 0)) << summary;
        EXPECT_TRUE(g.IsNode(1));
        EXPECT_EQ(g.Cells(1, 1), "A");
        EXPECT_EQ(g.GetNodeSpan(1), 3);

        g.UnGroup();
        EXPECT_EQ(Shape::Of(g), original) << summary;
        EXPECT_EQ(g.NumNodes(), 0);
    }
}

TEST(Grouping, SubGroupAndSubUnGroupReturnTheGroupedGrid)
{
    for (bool summary : {false, true}) {
        TExStringGrid g;
        Fill(g, {Split("p|q|p|q|r|r"), Split("A|A|B|B|B|C"), Split("1|2|3|4|5|6")});
        g.Grouping.Summary = summary;
        g.Group(2);
        const Shape grouped = Shape::Of(g);
        g.SubGroup(1);
        EXPECT_GT(g.RowCount(), grouped.rows) << summary;
        g.SubUnGroup(1);
        EXPECT_EQ(Shape::Of(g), grouped) << summary;
    }
}

TEST(TypedAccess, NumbersAndDatesFromText)
{
    const struct
    {
        const char* text;
        int value;
    } ints[] = {{"12", 12}, {"-7", -7}, {"+3", 3}, {"$FF", 255}, {"$FFFFFFFF", -1}, {"", 0}, {" 5 ", 5}};
    TExStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    for (const auto& c : ints) {
        g.SetCells(1, 1, QString::fromUtf8(c.text));
        EXPECT_EQ(g.Ints(1, 1), c.value) << c.text;
    }
    for (const char* bad : {"12a", "$", "$123456789", "1.5"}) {
        g.SetCells(1, 1, QString::fromUtf8(bad));
        EXPECT_THROW(g.Ints(1, 1), GridError) << bad;
    }
    g.SetInts(1, 1, 42);
    EXPECT_EQ(g.Cells(1, 1), "42");
    g.SetCells(1, 1, QStringLiteral("not a date"));
    EXPECT_THROW(g.Dates(1, 1), GridError);
}

TEST(Highlight, OneCellTagsAndTheWayBack)
{
    const struct
    {
        const char* cell;
        const char* search;
        bool doCase;
        const char* highlighted;
    } cases[] = {
        {"xABy", "ab", false, "x<hi>AB</hi>y"},
        {"xABy", "ab", true, "xABy"},
        {"abab", "ab", true, "<hi>ab</hi><hi>ab</hi>"},
        {"aaa", "aa", true, "<hi>aa</hi>a"}, // left to right, no overlap
        {"a<b", "<b", true, "a<hi>&lt;b</hi>"}, // escaped first, search text too
        {"R&D", "d", false, "R&amp;<hi>D</hi>"},
        {"none", "zz", false, "none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        TExStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(3);
        g.SetCells(1, 1, QString::fromUtf8(c.cell));
        g.HilightInCell(c.doCase, 1, 1, QString::fromUtf8(c.search));
        EXPECT_EQ(g.Cells(1, 1), QString::fromUtf8(c.highlighted));
        g.MarkInCell(c.doCase, 2, 1, QStringLiteral("x")); // another cell, untouched
        g.UnHilightInCell(1, 1);
        EXPECT_EQ(g.Cells(1, 1), QString::fromUtf8(c.cell));

        g.MarkInCell(c.doCase, 1, 1, QString::fromUtf8(c.search));
        EXPECT_EQ(g.Cells(1, 1), QString::fromUtf8(c.highlighted).replace(QStringLiteral("hi>"), QStringLiteral("e>")));
        g.UnHilightInCell(1, 1); // marks are not highlights
        EXPECT_EQ(g.Cells(1, 1).contains(QStringLiteral("<e>")), QString::fromUtf8(c.highlighted).contains(u'<'));
        g.UnMarkInCell(1, 1);
        EXPECT_EQ(g.Cells(1, 1), QString::fromUtf8(c.cell));
    }
    TExStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(1, 1, QStringLiteral("<HI>a</Hi>b<hI>c</HI>"));
    g.UnHilightInCell(1, 1); // any letter case
    EXPECT_EQ(g.Cells(1, 1), "abc");
    EXPECT_EQ(TExStringGrid::HilightText(false, "B", "abc"), "a<hi>b</hi>c");
    EXPECT_EQ(TExStringGrid::MarkText(true, "B", "abc"), "abc");
    EXPECT_EQ(TExStringGrid::UnMarkText("<E>a</e>&lt;"), "a<");
    EXPECT_EQ(TExStringGrid::UnHilightText("<e>a</e>"), "<e>a</e>");
}

// Which cells a range operation reaches: one fixed row and column, a fixed
// footer, real column 2 hidden, a right fixed column, cells (3..4, 2) merged.
TEST(Highlight, RangesOfTheColumnRowAndGridOperations)
{
    auto make = [](TExStringGrid& g) {
        g.SetColCount(6);
        g.SetRowCount(5);
        g.SetFixedFooters(1);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 6; ++c)
                g.SetCells(c, r, QStringLiteral("a"));
        g.MergeCells(3, 2, 2, 1);
        g.HideColumn(2);
        g.SetFixedRightCols(1);
    };
    // One line per row, one character per real column: "h" for a highlighted
    // cell (its text checked too), "." for a cell left alone.
    auto map = [](const TExStringGrid& g) {
        QStringList rows;
        for (int r = 0; r < g.RowCount(); ++r) {
            QString line;
            for (int c = 0; c < g.AllColCount(); ++c) {
                const QString t = g.GridCells(c, r);
                line += t == "<hi>a</hi>" ? u'h' : t == "a" ? u'.' : u'?';
            }
            rows << line;
        }
        return rows.join(u'|');
    };
    using Op = std::function<void(TExStringGrid&)>;
    const struct
    {
        const char* name;
        Op op;
        const char* expected;
    } cases[] = {
        {"cell", [](TExStringGrid& g) { g.HilightInCell(false, 2, 3, "A"); }, "......|......|......|..h...|......"},
        {"col", [](TExStringGrid& g) { g.HilightInCol(false, false, 1, "a"); }, "......|.h....|.h....|.h....|......"},
        {"col fixed", [](TExStringGrid& g) { g.HilightInCol(true, false, 1, "a"); },
         ".h....|.h....|.h....|.h....|.h...."},
        // Display ColCount bounds the real columns: the hidden one counts in.
        {"row", [](TExStringGrid& g) { g.HilightInRow(false, false, 1, "a"); }, "......|.hhh..|......|......|......"},
        {"row fixed", [](TExStringGrid& g) { g.HilightInRow(true, false, 1, "a"); }, "......|hhhhh.|......|......|......"},
        // The merged range's covered cell (4, 2) is left alone.
        {"grid", [](TExStringGrid& g) { g.HilightInGrid(false, false, "a"); }, "......|.hhhh.|.hhh..|.hhhh.|......"},
        {"grid fixed", [](TExStringGrid& g) { g.HilightInGrid(true, false, "a"); },
         "hhhhh.|hhhhh.|hhhh..|hhhhh.|hhhhh."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        make(g);
        c.op(g);
        EXPECT_EQ(map(g), c.expected);
    }
    // A row's removal reaches one column further than its highlight (the
    // hidden one counts); the grid's removal with fixed cells reaches all.
    TExStringGrid g;
    make(g);
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.AllColCount(); ++c)
            g.SetGridCells(c, r, "<hi>a</hi>");
    g.UnHilightInRow(false, 1);
    EXPECT_EQ(map(g).section(u'|', 1, 1), "h....h");
    g.UnHilightInGrid(true);
    EXPECT_EQ(map(g), "......|......|....h.|......|......"); // only the covered cell keeps its tag
}

TEST(ControlValues, ReadAndWriteTheValueOfAControlById)
{
    TExStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    const QString cell = QStringLiteral(R"(x<CONTROL TYPE="EDIT" ID="e1" VALUE="a&lt;b" WIDTH="40">y)");
    g.SetCells(1, 1, cell);
    EXPECT_EQ(g.ControlValues(1, 1, "e1"), "a<b");
    EXPECT_EQ(g.ControlValues(1, 1, "e2"), "");
    EXPECT_EQ(g.ControlValues(0, 1, "e1"), "");
    g.SetControlValues(1, 1, "e2", "new"); // no such control: the cell stays
    EXPECT_EQ(g.Cells(1, 1), cell);
    g.SetControlValues(1, 1, "e1", "v>w");
    EXPECT_EQ(g.ControlValues(1, 1, "e1"), "v>w");
    EXPECT_TRUE(g.Cells(1, 1).startsWith(u'x'));
    EXPECT_TRUE(g.Cells(1, 1).endsWith(u'y'));
}

namespace {

// Corrects "teh", marks "bad"; records the cells it saw and the current cell.
class RecordingChecker : public TExStringGridCheck
{
public:
    QString Correct(int col, int row, const QString& s) override
    {
        seen << QStringLiteral("%1,%2@%3,%4").arg(col).arg(row).arg(grid->Col()).arg(grid->Row());
        return QString(s).replace(QStringLiteral("teh"), QStringLiteral("the"));
    }
    QString MarkError(int, int, const QString& s) override
    {
        return QString(s).replace(QStringLiteral("bad"), QStringLiteral("<e>bad</e>"));
    }
    void StartCheck() override { ++starts; }
    void StopCheck() override { ++stops; }

    TExStringGrid* grid = nullptr;
    QStringList seen;
    int starts = 0;
    int stops = 0;
};

} // namespace

TEST(CellChecker, EveryCellIsCheckedAndTheCurrentCellComesBack)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    const char* texts[] = {"ok", "teh", "bad", "<e>bad</e>", "fine", "teh"};
    for (int i = 0; i < 6; ++i)
        g.SetCells(1 + i % 2, 1 + i / 2, QString::fromUtf8(texts[i]));
    EXPECT_TRUE(g.CheckGrid(false)); // no checker: nothing to do
    EXPECT_EQ(g.Cells(2, 1), "teh");

    RecordingChecker checker;
    checker.grid = &g;
    g.CellChecker = &checker;
    g.FocusCell(1, 3, true);

    // Correction only: old marks go, a corrected cell fails, later cells are
    // still checked.
    checker.UseCorrect = true;
    EXPECT_FALSE(g.CheckCells(1, 1, 2, 3));
    EXPECT_EQ(checker.seen, QStringList({"1,1@1,3", "2,1@1,3", "1,2@1,3", "2,2@1,3", "1,3@1,3", "2,3@1,3"}));
    EXPECT_EQ(g.Cells(2, 1), "the");
    EXPECT_EQ(g.Cells(2, 2), "bad"); // the mark is removed
    EXPECT_EQ(g.Cells(2, 3), "the");
    EXPECT_EQ(checker.starts, 1);
    EXPECT_EQ(checker.stops, 1);
    EXPECT_TRUE(g.CheckCells(1, 1, 2, 3)); // nothing left to correct

    // Marking, moving the current cell to each checked cell and back.
    checker.UseCorrect = true;
    checker.UseMarkError = true;
    checker.GotoCell = true;
    checker.seen.clear();
    EXPECT_FALSE(g.CheckCol(false, 1));
    EXPECT_EQ(checker.seen, QStringList({"1,1@1,1", "1,2@1,2", "1,3@1,3"}));
    EXPECT_EQ(g.Cells(1, 2), "<e>bad</e>");
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_FALSE(g.CheckCell(1, 2)); // marked again
    EXPECT_EQ(g.Cells(1, 2), "<e>bad</e>");
    checker.seen.clear();
    EXPECT_TRUE(g.CheckRow(false, 1));
    EXPECT_EQ(checker.seen.size(), 2);
    checker.seen.clear();
    g.CheckGrid(true);
    EXPECT_EQ(checker.seen.size(), 12); // fixed cells too
    g.CellChecker = nullptr;
}

