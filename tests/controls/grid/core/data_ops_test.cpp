// Row and column operations, filter levels, node rows, grouping and typed
// cell access: what they change, and that the way back returns the grid as
// it was.
#include "controls/grid/core/ex_string_grid.h"

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
