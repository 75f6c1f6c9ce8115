// Typed cell access, headers and fills at their edges: blanks, tags and
// signs around integers, floats through the format and the current
// separators (read at each use), null dates, header lines with backslash-n.
#include "controls/grid/core/ex_string_grid.h"
#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

void Make(TExStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
}

} // namespace

TEST(TypedAccessEdges, IntegersTagsAndSigns)
{
    TExStringGrid g;
    Make(g, 3, 3);
    const struct
    {
        const char* text;
        int value;
    } ints[] = {{"  42  ", 42}, {"", 0}, {"-", 0}, {"<b>7</b>", 7}};
    for (const auto& c : ints) {
        g.SetCells(1, 1, QString::fromUtf8(c.text));
        EXPECT_EQ(g.Ints(1, 1), c.value) << c.text;
    }
    g.SetCells(1, 1, QStringLiteral("7x"));
    try {
        g.Ints(1, 1);
        ADD_FAILURE() << "no error";
    } catch (const GridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cell does not contain integer value"));
    }
    // The real-row reader takes the text as it stands: tags are no digits.
    g.SetCells(1, 1, QStringLiteral("<b>7</b>"));
    EXPECT_THROW(g.AllInts(1, 1), GridError);
}

TEST(TypedAccessEdges, FloatsFollowFormatAndSeparators)
{
    TExStringGrid g;
    Make(g, 3, 3);
    g.FloatFormat = QStringLiteral("%.2f");
    g.SetFloats(1, 1, 3.14159);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("3.14"));
    g.SetCells(1, 1, QStringLiteral("1,234.5"));
    EXPECT_DOUBLE_EQ(g.Floats(1, 1), 1234.5);

    // Other separators take effect at the next call.
    platform::FormatSettings comma;
    comma.DecimalSeparator = u',';
    comma.ThousandSeparator = u'.';
    platform::ScopedFormatSettings scoped(comma);
    g.SetCells(1, 1, QStringLiteral("1.234,5"));
    EXPECT_DOUBLE_EQ(g.Floats(1, 1), 1234.5);
    g.SetFloats(1, 1, 2.5);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("2,50"));
}

TEST(TypedAccessEdges, NullDatesHeadersAndFills)
{
    TExStringGrid g;
    Make(g, 5, 4);
    g.SetCells(1, 1, QStringLiteral("x"));
    g.ShowNullDates = false;
    g.SetDates(1, 1, 0);
    EXPECT_EQ(g.Cells(1, 1), QString());
    g.ShowNullDates = true;
    g.SetDates(1, 1, 0);
    EXPECT_FALSE(g.Cells(1, 1).isEmpty());

    // Header lines: backslash-n becomes CR; lines past the columns are
    // ignored and columns past the lines keep their text.
    g.SetCells(3, 0, QStringLiteral("keep"));
    g.SetCells(4, 0, QStringLiteral("keep too"));
    g.SetColumnHeaders({QStringLiteral("a\\nb"), QStringLiteral("c"), QStringLiteral("d")});
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("a\rb"));
    EXPECT_EQ(g.Cells(2, 0), QStringLiteral("d"));
    EXPECT_EQ(g.Cells(4, 0), QStringLiteral("keep too"));
    g.SetRowHeaders({QString(), QStringLiteral("one\\ntwo"), QStringLiteral("x"), QStringLiteral("y"),
                     QStringLiteral("past the rows")});
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("one\rtwo"));
    EXPECT_EQ(g.Cells(0, 3), QStringLiteral("y"));

    TExStringGrid f;
    Make(f, 3, 3);
    f.LinearFill(false);
    EXPECT_EQ(f.Cells(1, 1), QStringLiteral("1:1"));
    EXPECT_EQ(f.Cells(2, 2), QStringLiteral("2:2"));
    EXPECT_EQ(f.Cells(0, 0), QString());
}
