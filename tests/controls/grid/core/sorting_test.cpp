// Sorting: styles and their automatic choice, prefixes and suffixes, blanks,
// directions, stability, tie-breaking, one-column sorts, what moves with a
// row, the way back, compare events that throw, and a seeded property test
// over mixed columns.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/undo_redo.h"

#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>

using namespace grid;

namespace {

// One fixed row and one fixed column; column 1 holds the texts under test,
// column 2 each row's original position.
void Fill(TExStringGrid& g, const QStringList& texts)
{
    g.SetColCount(3);
    g.SetRowCount(static_cast<int>(texts.size()) + 1);
    for (int i = 0; i < texts.size(); ++i) {
        g.SetCells(1, i + 1, texts[i]);
        g.SetCells(2, i + 1, QString::number(i));
    }
}

QStringList Column(const TExStringGrid& g, int col)
{
    QStringList out;
    for (int r = g.FixedRows(); r < g.RowCount() - g.FixedFooters(); ++r)
        out << g.Cells(col, r);
    return out;
}

QStringList Split(const char* text)
{
    return QString::fromUtf8(text).split(u'|');
}

platform::FormatSettings Locale(bool comma)
{
    platform::FormatSettings s;
    s.DecimalSeparator = comma ? u',' : u'.';
    s.ThousandSeparator = comma ? u'.' : u',';
    s.DateSeparator = u'/';
    s.TimeSeparator = u':';
    s.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    return s;
}

} // namespace

TEST(Sorting, StylesTable)
{
    const struct
    {
        int style; // -1: the settings' own choice
        const char* prefix;
        const char* suffix;
        const char* texts;
        TSortDirection direction;
        const char* sorted;
        bool comma = false;
        bool ignoreCase = false;
    } cases[] = {
        {-1, "", "", "10|9|100", sdAscending, "9|10|100"},
        {-1, "", "", "10|9|100", sdDescending, "100|10|9"},
        {-1, "", "", "b|A|a", sdAscending, "A|a|b"},
        {-1, "", "", "a|B|A", sdAscending, "a|A|B", false, true},
        {-1, "", "", "1,5|10|2,25", sdAscending, "1,5|2,25|10", true},
        {-1, "", "", "1,000|999|12,000", sdAscending, "999|1,000|12,000"},
        {-1, "", "", "02/01/2020|01/02/2019|15/12/2019", sdAscending, "01/02/2019|15/12/2019|02/01/2020"},
        {-1, "", "", "10:30|9:05|23:00", sdAscending, "9:05|10:30|23:00"},
        {-1, "", "", "01/01/2020 10:00|01/01/2020 9:00|31/12/2019 23:00", sdAscending,
         "31/12/2019 23:00|01/01/2020 9:00|01/01/2020 10:00"},
        {-1, "", "", "10|9|x", sdAscending, "10|9|x"}, // one text makes the column alphabetic
        {ssNumeric, "$", "", "$40|$5|$100", sdAscending, "$5|$40|$100"},
        {ssNumeric, "", " kg", "40 kg|5 kg|100 kg", sdDescending, "100 kg|40 kg|5 kg"},
        // A text that is no number sorts after every number, in text order.
        {ssNumeric, "", "", "b|10|a|-2|1e1", sdAscending, "-2|10|1e1|a|b"},
        {ssNumeric, "", "", "b|10|a|-2", sdDescending, "b|a|10|-2"},
        {ssFinancial, "", "", "1,234.50|999|12,000", sdAscending, "999|1,234.50|12,000"},
        {ssShortDateEU, "", "", "02/01/20|01/02/19|15.12.19", sdAscending, "01/02/19|15.12.19|02/01/20"},
        {ssShortDateUS, "", "", "02/01/20|01/02/19|12-15-19", sdAscending, "01/02/19|12-15-19|02/01/20"},
        {ssAlphaNumeric, "", "", "10|9|100", sdAscending, "9|10|100"},
        {ssAlphaNumeric, "", "", "10|9|1a", sdAscending, "10|1a|9"},
        {ssAlphaNoCase, "", "", "b|A|a", sdAscending, "A|a|b"},
        {ssAlphaNoCase, "", "", "a|B|A", sdAscending, "a|A|B"},
        {ssHTML, "", "", "<b>b</b>|a|<i>c</i>", sdAscending, "a|<b>b</b>|<i>c</i>"},
        {ssAnsiAlphaNoCase, "", "", "b|A|c", sdAscending, "A|b|c"},
        {ssDate, "", "", "02/01/2020|x|01/02/2019", sdAscending, "x|01/02/2019|02/01/2020"},
        {ssTime, "", "", "10:00|x|09:00", sdAscending, "x|09:00|10:00"},
    };
    for (const auto& c : cases) {
        platform::ScopedFormatSettings scope(Locale(c.comma));
        TExStringGrid g;
        Fill(g, Split(c.texts));
        g.SortSettings.IgnoreCase = c.ignoreCase;
        g.SortSettings.Full = false;
        if (c.style >= 0)
            g.OnGetFormat = [&](TExStringGrid*, int, int& style, QString& prefix, QString& suffix) {
                style = c.style;
                prefix = QString::fromUtf8(c.prefix);
                suffix = QString::fromUtf8(c.suffix);
            };
        g.Sort(1, c.direction);
        EXPECT_EQ(Column(g, 1), Split(c.sorted)) << c.texts << " style " << c.style;
    }
}

TEST(Sorting, BlanksWithAndWithoutIgnoreBlanks)
{
    const struct
    {
        bool ignore;
        TSortBlankPosition pos;
        TSortDirection direction;
        const char* sorted;
    } cases[] = {
        {false, blFirst, sdAscending, "||a|b"},
        {false, blFirst, sdDescending, "b|a||"},
        {true, blFirst, sdAscending, "||a|b"},
        {true, blFirst, sdDescending, "||b|a"},
        {true, blLast, sdAscending, "a|b||"},
        {true, blLast, sdDescending, "b|a||"},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        Fill(g, Split("b||a|"));
        g.SortSettings.IgnoreBlanks = c.ignore;
        g.SortSettings.BlankPos = c.pos;
        g.SortSettings.Full = false;
        g.Sort(1, c.direction);
        EXPECT_EQ(Column(g, 1), Split(c.sorted)) << c.ignore << c.pos << c.direction;
        // Blanks among numbers count as 0 without IgnoreBlanks.
    }
    TExStringGrid n;
    Fill(n, Split("5||-1"));
    n.SortSettings.Full = false;
    n.Sort(1, sdAscending);
    EXPECT_EQ(Column(n, 1), Split("-1||5"));
}

TEST(Sorting, EqualRowsKeepTheirOrderInBothDirections)
{
    for (TSortDirection d : {sdAscending, sdDescending}) {
        TExStringGrid g;
        Fill(g, Split("b|a|b|a|b"));
        g.SortSettings.Full = false;
        g.Sort(1, d);
        const QStringList order = Column(g, 2);
        EXPECT_EQ(order, d == sdAscending ? Split("1|3|0|2|4") : Split("0|2|4|1|3"));
    }
    // Full: the next column decides between equal rows.
    TExStringGrid g;
    Fill(g, Split("b|a|b|a"));
    for (int r = 1; r <= 4; ++r)
        g.SetCells(2, r, QString::number(10 - r));
    g.SortSettings.Full = true;
    g.Sort(1, sdAscending);
    EXPECT_EQ(Column(g, 2), Split("6|8|7|9"));
}

TEST(Sorting, WhatMovesWithARowAndTheWayBack)
{
    TExStringGrid g;
    Fill(g, Split("c|a|b"));
    g.SetColCount(5);
    for (int r = 1; r <= 3; ++r)
        g.SetCells(4, r, QStringLiteral("hidden%1").arg(r));
    g.HideColumn(4);
    g.SetRowHeights(1, 40);
    g.SetRowModified(1, true);
    g.SetColors(3, 1, clRed);
    g.SetObjects(3, 1, 77);
    TCellProperties* props = g.GridObjects(3, 1);
    g.SortSettings.Full = false;
    g.Sort(1, sdAscending);
    // "c" went from row 1 to row 3 with everything it had.
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("c"));
    EXPECT_EQ(g.Cells(4, 3), QStringLiteral("hidden1"));
    EXPECT_EQ(g.RowHeights(3), 40);
    EXPECT_EQ(g.RowHeights(1), g.DefaultRowHeight());
    EXPECT_TRUE(g.RowModified(3));
    EXPECT_FALSE(g.RowModified(1));
    EXPECT_EQ(g.GridObjects(3, 3), props);
    EXPECT_EQ(g.Objects(3, 3), quintptr(77));
    EXPECT_EQ(g.SortedRowIndex(3), 1);
    EXPECT_EQ(g.UnSortedRowIndex(1), 3);
    EXPECT_EQ(g.UnSortedCells(1, 1), QStringLiteral("c"));
    g.Sort(1, sdDescending);
    g.QUnSort();
    EXPECT_EQ(Column(g, 1), Split("c|a|b"));
    EXPECT_EQ(g.Cells(4, 1), QStringLiteral("hidden1"));
    EXPECT_EQ(g.RowHeights(1), 40);
    EXPECT_TRUE(g.RowModified(1));
    EXPECT_EQ(g.GridObjects(3, 1), props);
    // A second QUnSort finds everything in place.
    const long swaps = g.Swaps;
    g.QUnSort();
    EXPECT_EQ(g.Swaps, swaps);
}

TEST(Sorting, OneColumnAndTheFixedColumn)
{
    TExStringGrid g;
    Fill(g, Split("c|a|b"));
    g.SortSettings.SingleColumn = true;
    g.Sort(1, sdAscending);
    EXPECT_EQ(Column(g, 1), Split("a|b|c"));
    EXPECT_EQ(Column(g, 2), Split("0|1|2")); // nothing else moved
    g.QUnSort();
    EXPECT_EQ(Column(g, 1), Split("c|a|b"));

    TExStringGrid f;
    Fill(f, Split("c|a|b"));
    for (int r = 1; r <= 3; ++r)
        f.SetCells(0, r, QString::number(r));
    f.SortSettings.NormalCellsOnly = true;
    f.Sort(1, sdAscending);
    EXPECT_EQ(Column(f, 0), Split("1|2|3"));
    EXPECT_EQ(Column(f, 2), Split("1|2|0"));
}

TEST(Sorting, CheckBoxesUncheckedFirst)
{
    TExStringGrid g;
    Fill(g, Split("|||"));
    g.AddCheckBoxColumn(1, false, false);
    g.SetCheckBoxState(1, 2, true);
    g.SetCheckBoxState(1, 4, true);
    g.SortSettings.Full = false;
    g.Sort(1, sdAscending);
    EXPECT_EQ(Column(g, 2), Split("0|2|1|3"));
}

TEST(Sorting, CurrentRowScrollAndTheFooterRow)
{
    TExStringGrid g;
    Fill(g, Split("c|a|b|footer"));
    g.SetFixedFooters(1);
    g.Navigation.MoveRowOnSort = true;
    g.SetRow(1);
    g.SortSettings.Full = false;
    g.Sort(1, sdAscending);
    EXPECT_EQ(Column(g, 1), Split("a|b|c"));
    EXPECT_EQ(g.Cells(1, 4), QStringLiteral("footer"));
    EXPECT_EQ(g.Row(), 3); // followed "c"

    TExStringGrid h;
    Fill(h, Split("c|a|b"));
    h.SetRow(1);
    std::vector<std::pair<int, int>> changes;
    h.OnRowChanged = [&](TExStringGrid*, int from, int to) { changes.emplace_back(from, to); };
    h.Sort(1, sdAscending);
    EXPECT_EQ(h.Row(), 1); // stays where it was
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), std::make_pair(1, 1));
}

TEST(Sorting, IndexedSortAndItsError)
{
    TExStringGrid g;
    Fill(g, Split("a|b|a|b"));
    for (int r = 1; r <= 4; ++r)
        g.SetCells(2, r, QString::number(r));
    EXPECT_THROW(
        {
            try {
                g.QSortIndexed();
            } catch (const GridError& e) {
                EXPECT_EQ(e.Message(), QStringLiteral("No indexes specified for indexed sort"));
                throw;
            }
        },
        GridError);
    EXPECT_EQ(Column(g, 1), Split("a|b|a|b"));
    g.SortIndexes.AddIndex(1, false); // column 1 descending
    g.SortIndexes.AddIndex(2, true);  // then column 2 ascending
    g.SortSettings.Full = true;
    g.QSortIndexed();
    EXPECT_EQ(Column(g, 2), Split("2|4|1|3"));
    g.SortSettings.Full = false; // only the first index decides
    g.SortIndexes.Clear();
    g.SortIndexes.AddIndex(2, false);
    g.SortIndexes.AddIndex(1, true);
    g.QSortIndexed();
    EXPECT_EQ(Column(g, 2), Split("4|3|2|1"));
}

TEST(Sorting, ACompareEventThrowingMidwayChangesNothing)
{
    TExStringGrid g;
    Fill(g, Split("d|b|c|a|e"));
    g.SetRowHeights(2, 33);
    g.SetColors(1, 3, clRed);
    g.InitSortXRef();
    g.SetRow(2);
    int calls = 0;
    g.OnGetFormat = [](TExStringGrid*, int, int& style, QString&, QString&) { style = ssCustom; };
    g.OnCustomCompare = [&](TExStringGrid*, const QString& a, const QString& b, int& res) {
        if (++calls == 4)
            throw std::runtime_error("compare failed");
        res = QString::compare(a, b);
    };
    EXPECT_THROW(g.Sort(1, sdAscending), std::runtime_error);
    EXPECT_EQ(Column(g, 1), Split("d|b|c|a|e"));
    EXPECT_EQ(Column(g, 2), Split("0|1|2|3|4"));
    EXPECT_EQ(g.RowHeights(2), 33);
    EXPECT_EQ(g.Colors(1, 3), clRed);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.RowCount(), 6);
    EXPECT_EQ(g.UpdateCount(), 0);
    EXPECT_EQ(g.SortRowXRef(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // The grid sorts normally afterwards.
    g.OnCustomCompare = [](TExStringGrid*, const QString& a, const QString& b, int& res) {
        res = QString::compare(a, b);
    };
    g.Sort(1, sdAscending);
    EXPECT_EQ(Column(g, 1), Split("a|b|c|d|e"));
    // Events see the rows as they were before the sort.
    TExStringGrid h;
    Fill(h, Split("c|a|b"));
    h.OnGetFormat = [](TExStringGrid*, int, int& style, QString&, QString&) { style = ssRaw; };
    h.OnRawCompare = [&](TExStringGrid* grid, int col, int r1, int r2, int& res) {
        EXPECT_EQ(Column(*grid, 1), Split("c|a|b"));
        res = QString::compare(grid->Cells(col, r1), grid->Cells(col, r2));
    };
    h.Sort(1, sdAscending);
    EXPECT_EQ(Column(h, 1), Split("a|b|c"));
}

TEST(Sorting, TheUndoHistoryFollowsTheRows)
{
    TExStringGrid g;
    Fill(g, Split("c|a|b"));
    TUndoRedo u;
    u.SetGrid(&g);
    g.SetCells(1, 1, QStringLiteral("z"));
    u.RegisterChange(1, 1, QStringLiteral("c"), QStringLiteral("z"));
    g.SortSettings.Full = false;
    g.Sort(1, sdAscending); // "z" goes last
    u.Undo();
    EXPECT_EQ(Column(g, 1), Split("a|b|c"));
}

// ---- Property test ----

namespace {

struct Snapshot
{
    std::vector<std::vector<QString>> texts;
    std::vector<std::vector<const TCellProperties*>> props;
    std::vector<int> heights;
    std::vector<bool> modified;

    static Snapshot Of(const TExStringGrid& g, int cols)
    {
        Snapshot s;
        for (int r = 0; r < g.RowCount(); ++r) {
            s.texts.emplace_back();
            s.props.emplace_back();
            for (int c = 0; c < cols; ++c) {
                s.texts.back().push_back(g.GridCells(c, r));
                s.props.back().push_back(g.GridObjects(c, r));
            }
            s.heights.push_back(g.RowHeights(r));
            s.modified.push_back(g.RowModified(r));
        }
        return s;
    }
    bool operator==(const Snapshot&) const = default;
};

// The reference order of the number column under ssNumeric: numbers (and
// blanks as 0) by value, then the rest by text.
bool NumberLess(const QString& a, const QString& b)
{
    const auto key = [](const QString& s) {
        bool ok = false;
        const double v = s.toDouble(&ok);
        if (s.isEmpty())
            return std::make_tuple(0, 0.0, s);
        return ok ? std::make_tuple(0, v, QString()) : std::make_tuple(1, 0.0, s);
    };
    return key(a) < key(b);
}

} // namespace

TEST(Sorting, SeededPropertyTestOnMixedColumns)
{
    constexpr int kCols = 6; // 0 fixed, 1 text, 2 numbers, 3 hidden, 4 objects, 5 duplicates
    const char* words[] = {"pear", "Apple", "apple", "", "fig", "kiwi", "Fig"};
    const char* numbers[] = {"12", "-3.5", "", "abc", "1e3", "12", "0", "x", "7.25"};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        const int rows = 2 + int(rng() % 60);
        TExStringGrid g;
        g.SetColCount(kCols);
        g.SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            g.SetCells(1, r, QString::fromUtf8(words[rng() % 7]));
            g.SetCells(2, r, QString::fromUtf8(numbers[rng() % 9]));
            g.SetCells(3, r, QStringLiteral("h%1").arg(r));
            g.SetCells(5, r, QString::number(rng() % 3));
            if (rng() % 3 == 0)
                g.SetColors(4, r, clRed);
            if (rng() % 4 == 0)
                g.SetObjects(4, r, quintptr(r));
            if (rng() % 5 == 0)
                g.SetRowHeights(r, 10 + int(rng() % 30));
            if (rng() % 4 == 0)
                g.SetRowModified(r, true);
        }
        g.HideColumn(3);
        g.OnGetFormat = [](TExStringGrid*, int col, int& style, QString&, QString&) {
            if (col == 2)
                style = ssNumeric;
        };
        const Snapshot original = Snapshot::Of(g, kCols);
        g.SortSettings.Full = false;
        for (int round = 0; round < 4; ++round) {
            const int col = 1 + int(rng() % 2) * (rng() % 2 ? 1 : 4); // 1, 2 or 5
            const bool descending = rng() % 2;
            g.SortSettings.IgnoreBlanks = rng() % 2;
            g.SortSettings.BlankPos = rng() % 2 ? blLast : blFirst;
            const Snapshot before = Snapshot::Of(g, kCols);
            std::vector<int> order(static_cast<size_t>(rows));
            for (int i = 0; i < rows; ++i)
                order[size_t(i)] = i + 1;
            const bool ignore = g.SortSettings.IgnoreBlanks;
            const bool blanksLast = g.SortSettings.BlankPos == blLast;
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                const QString& x = before.texts[size_t(a)][size_t(col)];
                const QString& y = before.texts[size_t(b)][size_t(col)];
                if (ignore && x.isEmpty() != y.isEmpty())
                    return x.isEmpty() != blanksLast;
                const bool less = col == 2 ? NumberLess(x, y) : x < y;
                const bool greater = col == 2 ? NumberLess(y, x) : y < x;
                return descending ? greater : less;
            });
            g.Sort(col, descending ? sdDescending : sdAscending);
            for (int i = 0; i < rows; ++i) {
                const int from = order[size_t(i)];
                for (int c = 0; c < kCols; ++c) {
                    ASSERT_EQ(g.GridCells(c, i + 1), before.texts[size_t(from)][size_t(c)])
                        << "seed " << seed << " round " << round << " row " << i + 1 << " col " << c;
                    ASSERT_EQ(g.GridObjects(c, i + 1), before.props[size_t(from)][size_t(c)]);
                }
                ASSERT_EQ(g.RowHeights(i + 1), before.heights[size_t(from)]);
                ASSERT_EQ(g.RowModified(i + 1), before.modified[size_t(from)]);
            }
        }
        g.QUnSort();
        ASSERT_EQ(Snapshot::Of(g, kCols), original) << "seed " << seed;
    }
}
