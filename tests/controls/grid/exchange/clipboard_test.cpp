// Selection text, pasting text and cells through the system clipboard
// (offscreen), within one grid and between two, and the smart paste.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/clipboard.h"
#include "controls/grid/exchange/clipboard_formats.h"
#include "platform/text/format_settings.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <vector>

using namespace grid;

namespace {

void Grid(TExStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
    g.SetOptions(TGridOptions{goRangeSelect, goEditing});
}

QStringList Column(TExStringGrid& g, int col)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

} // namespace

TEST(Clipboard, SelectionText)
{
    TExStringGrid g;
    Grid(g, 3, 3);
    g.SetCells(0, 0, QStringLiteral("a"));
    g.SetCells(1, 0, QStringLiteral("b"));
    g.SetCells(0, 1, QStringLiteral("c"));
    g.SetCells(1, 1, QStringLiteral("d"));
    g.SetCells(2, 2, QStringLiteral("x\r\ny"));
    EXPECT_EQ(GetRectAsText(g, {0, 0, 1, 1}), QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(GetRectAsText(g, {1, 0, 1, 0}), QStringLiteral("b"));
    // One LF per line break on the clipboard; CR LF again after a paste.
    EXPECT_EQ(GetRectAsText(g, {2, 2, 2, 2}), QStringLiteral("\"x\ny\""));
    int rows = 0;
    int cols = 0;
    EXPECT_EQ(PasteTextAtCell(g, 0, 2, rows, cols, QStringLiteral("\"x\ny\"")), 1);
    EXPECT_EQ(g.Cells(0, 2), QStringLiteral("x\r\ny"));

    struct Extent
    {
        const char* text;
        int cols, rows;
    };
    for (const Extent& e : {Extent{"a\tb\r\n", 2, 0}, Extent{"a\tb\r\nc", 2, 1}, Extent{"a\r\n\r\nb\t\tc", 3, 1}}) {
        TextCellExtent(QString::fromLatin1(e.text), cols, rows);
        EXPECT_EQ(cols, e.cols) << e.text;
        EXPECT_EQ(rows, e.rows) << e.text;
    }
}

TEST(Clipboard, PasteStaysInsideTheGrid)
{
    TExStringGrid g;
    Grid(g, 2, 2);
    g.Navigation.AllowClipboardColGrow = false;
    g.Navigation.AllowClipboardRowGrow = false;
    int rows = 0;
    int cols = 0;
    EXPECT_EQ(PasteTextAtCell(g, 1, 1, rows, cols, QStringLiteral("a\tb\r\nc\td\r\n")), 5);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(g.GridCells(2, 1), QString());
    EXPECT_EQ(g.GridCells(1, 2), QString());
    EXPECT_EQ(g.ColCount(), 2);

    g.SetOptions(TGridOptions{goRangeSelect});
    EXPECT_EQ(PasteTextAtCell(g, 0, 0, rows, cols, QStringLiteral("z")), 0);
    EXPECT_EQ(g.Cells(0, 0), QString());

    TExStringGrid s;
    Grid(s, 2, 2);
    s.SelectCells(1, 1, 1, 1);
    SetSelectionAsText(s, QStringLiteral("p\tq\r\nr"));
    EXPECT_EQ(s.Cells(1, 1), QStringLiteral("p"));
    EXPECT_EQ(s.Cells(2, 1), QStringLiteral("q"));
    EXPECT_EQ(s.Cells(1, 2), QStringLiteral("r"));
    EXPECT_EQ(s.ColCount(), 3);
    EXPECT_EQ(s.RowCount(), 3);
}

TEST(Clipboard, CopyCutPasteThroughTheClipboard)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    TExStringGrid a;
    Grid(a, 3, 3);
    a.Navigation.AllowFmtClipboard = true;
    a.SetCells(0, 0, QStringLiteral("one"));
    a.SetCells(1, 0, QStringLiteral("two"));
    a.CellProperties(1, 0)->FontName = QStringLiteral("Mono");
    a.SelectCells(0, 0, 1, 0);
    CopySelectionToClipboard(a, *clipboard);
    EXPECT_EQ(clipboard->text(), QStringLiteral("one\ttwo"));
    ASSERT_TRUE(clipboard->mimeData()->hasFormat(kCellsFormat));

    // Into another grid: texts and looks.
    TExStringGrid b;
    Grid(b, 2, 2);
    b.Navigation.AllowFmtClipboard = true;
    b.SelectCells(1, 1, 1, 1);
    PasteSelectionFromClipboard(b, *clipboard);
    EXPECT_EQ(b.Cells(1, 1), QStringLiteral("one"));
    EXPECT_EQ(b.Cells(2, 1), QStringLiteral("two"));
    EXPECT_EQ(b.GridObjects(2, 1)->FontName, QStringLiteral("Mono"));

    // Within one grid, as text only.
    a.Navigation.AllowFmtClipboard = false;
    a.SelectCells(0, 2, 0, 2);
    PasteSelectionFromClipboard(a, *clipboard);
    EXPECT_EQ(a.Cells(1, 2), QStringLiteral("two"));

    // Cut on a grid without editing copies and changes nothing.
    TExStringGrid ro;
    Grid(ro, 2, 1);
    ro.SetOptions(TGridOptions{goRangeSelect});
    ro.SetCells(0, 0, QStringLiteral("keep"));
    ro.SelectCells(0, 0, 1, 0);
    CutSelectionToClipboard(ro, *clipboard);
    EXPECT_EQ(clipboard->text(), QStringLiteral("keep\t"));
    EXPECT_EQ(ro.Cells(0, 0), QStringLiteral("keep"));
    ro.SetOptions(TGridOptions{goRangeSelect, goEditing});
    CutSelectionToClipboard(ro, *clipboard);
    EXPECT_EQ(ro.Cells(0, 0), QString());
}

TEST(Clipboard, SmartPasteSeries)
{
    struct Case
    {
        const char* name;
        QString clip;
        QStringList expected;
    };
    const Case cases[] = {
        {"integers", QStringLiteral("1\r\n2\r\n"), {"1", "2", "3", "4", "5"}},
        {"backwards", QStringLiteral("10\r\n7\r\n"), {"10", "7", "4", "1", "-2"}},
        {"fractions", QStringLiteral("0.5\r\n0.75\r\n"), {"0.50", "0.75", "1.00", "1.25", "1.50"}},
        {"one value", QStringLiteral("v"), {"v", "v", "v", "v", "v"}},
        {"texts repeat", QStringLiteral("a\r\nb\r\n"), {"a", "b", "a", "b", "a"}},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        Grid(g, 1, 5);
        g.Navigation.AllowSmartClipboard = true;
        g.SelectCells(0, 0, 0, 4);
        QMimeData data;
        data.setText(c.clip);
        PasteSelection(g, data);
        EXPECT_EQ(Column(g, 0), c.expected) << c.name;
    }

    TExStringGrid g;
    Grid(g, 3, 3);
    g.Navigation.AllowSmartClipboard = true;
    g.SelectCells(0, 0, 2, 2);
    QMimeData data;
    data.setText(QStringLiteral("9"));
    PasteSelection(g, data);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(Column(g, c), (QStringList{"9", "9", "9"}));
}

// A pasted block of texts repeats whole down the column or along the row,
// whether the text ends in a line break or not, and a block that fills the
// selection stays as pasted.
TEST(Clipboard, SmartPasteRepeatsTheWholeBlock)
{
    struct Case
    {
        const char* name;
        QString clip;
        bool cells; // the clip as cells of another grid
        int selected;
        QStringList expected; // "-" left as it was
    };
    const Case cases[] = {
        {"two texts, no last break", QStringLiteral("a\r\nb"), false, 5, {"a", "b", "a", "b", "a"}},
        {"three texts, last break", QStringLiteral("a\r\nb\r\nc\r\n"), false, 5, {"a", "b", "c", "a", "b"}},
        {"three texts, no last break", QStringLiteral("a\r\nb\r\nc"), false, 5, {"a", "b", "c", "a", "b"}},
        {"one text and a break", QStringLiteral("a\r\n"), false, 3, {"a", "a", "a", "-", "-"}},
        {"texts as cells", QStringLiteral("a\r\nb\r\nc"), true, 5, {"a", "b", "c", "a", "b"}},
        {"numbers filling the selection stay", QStringLiteral("1\r\n5\r\n6"), false, 3, {"1", "5", "6", "-", "-"}},
        {"cells filling the selection stay", QStringLiteral("1\r\n5\r\n6"), true, 3, {"1", "5", "6", "-", "-"}},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        Grid(g, 1, 5);
        for (int r = 0; r < 5; ++r)
            g.SetCells(0, r, QStringLiteral("-"));
        g.Navigation.AllowSmartClipboard = true;
        g.SelectCells(0, 0, 0, c.selected - 1);
        std::unique_ptr<QMimeData> data = std::make_unique<QMimeData>();
        if (c.cells) {
            TExStringGrid from;
            const QStringList values = c.clip.split(QStringLiteral("\r\n"));
            Grid(from, 1, int(values.size()) + 1); // a part of the grid, not all of it
            for (int r = 0; r < values.size(); ++r)
                from.SetCells(0, r, values[r]);
            g.Navigation.AllowFmtClipboard = true;
            from.Navigation.AllowFmtClipboard = true;
            data = RectToMimeData(from, {0, 0, 0, int(values.size()) - 1});
        } else {
            data->setText(c.clip);
        }
        PasteSelection(g, *data);
        EXPECT_EQ(Column(g, 0), c.expected) << c.name;
    }

    // Along a row.
    TExStringGrid row;
    Grid(row, 5, 1);
    row.Navigation.AllowSmartClipboard = true;
    row.SelectCells(0, 0, 4, 0);
    QMimeData data;
    data.setText(QStringLiteral("x\ty"));
    PasteSelection(row, data);
    QStringList texts;
    for (int col = 0; col < 5; ++col)
        texts << row.Cells(col, 0);
    EXPECT_EQ(texts, (QStringList{"x", "y", "x", "y", "x"}));

    // One line pasted into several rows and columns fills every row; one
    // column of values every column.
    TExStringGrid rect;
    Grid(rect, 3, 3);
    rect.Navigation.AllowSmartClipboard = true;
    rect.SelectCells(0, 0, 1, 2);
    data.setText(QStringLiteral("p\tq"));
    PasteSelection(rect, data);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(rect.Cells(0, r), QStringLiteral("p")) << r;
        EXPECT_EQ(rect.Cells(1, r), QStringLiteral("q")) << r;
        EXPECT_EQ(rect.Cells(2, r), QString()) << r;
    }
    EXPECT_EQ(rect.Selection(), (TGridRect{0, 0, 1, 2}));
    TExStringGrid cols;
    Grid(cols, 3, 3);
    cols.Navigation.AllowSmartClipboard = true;
    cols.SelectCells(0, 0, 2, 1);
    data.setText(QStringLiteral("u\r\nv"));
    PasteSelection(cols, data);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(Column(cols, c), (QStringList{"u", "v", ""})) << c;
}

// Date and time series under two sets of locale conventions: the cells are
// written in the current short date format and separators, calendar steps
// keep the day of month, and an impossible date ends the series.
TEST(Clipboard, SmartPasteDateSeries)
{
    platform::FormatSettings us;
    us.DateSeparator = u'/';
    us.DecimalSeparator = u'.';
    us.ThousandSeparator = u',';
    us.TimeSeparator = u':';
    us.ShortDateFormat = QStringLiteral("m/d/yyyy");
    platform::FormatSettings de;
    de.DateSeparator = u'.';
    de.DecimalSeparator = u',';
    de.ThousandSeparator = u'.';
    de.TimeSeparator = u':';
    de.ShortDateFormat = QStringLiteral("dd.mm.yyyy");

    struct Case
    {
        const char* name;
        const platform::FormatSettings* fs;
        QString clip;
        QStringList expected; // five cells of a column; "-" for left empty
    };
    const Case cases[] = {
        {"15 days", &us, "3/1/2026\r\n3/16/2026\r\n", {"3/1/2026", "3/16/2026", "3/31/2026", "4/15/2026", "4/30/2026"}},
        {"backwards", &us, "3/10/2026\r\n3/7/2026\r\n", {"3/10/2026", "3/7/2026", "3/4/2026", "3/1/2026", "2/26/2026"}},
        {"months over the year end", &us, "10/1/2026\r\n11/1/2026\r\n",
         {"10/1/2026", "11/1/2026", "12/1/2026", "1/1/2027", "2/1/2027"}},
        {"months backwards into December", &us, "2/5/2026\r\n1/5/2026\r\n",
         {"2/5/2026", "1/5/2026", "12/5/2025", "11/5/2025", "10/5/2025"}},
        {"month before the year's last ends", &us, "3/5/2026\r\n1/5/2026\r\n", {"3/5/2026", "1/5/2026", "-", "-", "-"}},
        {"years", &us, "2/28/2024\r\n2/28/2025\r\n", {"2/28/2024", "2/28/2025", "2/28/2026", "2/28/2027", "2/28/2028"}},
        {"mixed parts, plain step", &us, "1/31/2026\r\n2/28/2026\r\n", {"1/31/2026", "2/28/2026", "3/28/2026", "4/25/2026", "5/23/2026"}},
        {"day of month missing ends", &us, "1/31/2026\r\n3/31/2026\r\n", {"1/31/2026", "3/31/2026", "5/31/2026", "7/31/2026", "-"}},
        {"plain step", &us, "1/30/2026\r\n3/1/2026\r\n", {"1/30/2026", "3/1/2026", "3/31/2026", "4/30/2026", "5/30/2026"}},
        {"times", &us, "10:00\r\n10:30\r\n", {"10:00:00", "10:30:00", "11:00:00", "11:30:00", "12:00:00"}},
        {"no date, fractions", &us, "1.5\r\n2.5\r\n", {"1.50", "2.50", "3.50", "4.50", "5.50"}},
        {"15 days", &de, "01.03.2026\r\n16.03.2026\r\n", {"01.03.2026", "16.03.2026", "31.03.2026", "15.04.2026", "30.04.2026"}},
        {"months", &de, "01.11.2026\r\n01.12.2026\r\n", {"01.11.2026", "01.12.2026", "01.01.2027", "01.02.2027", "01.03.2027"}},
        {"leap day by years", &de, "29.02.2024\r\n29.02.2028\r\n", {"29.02.2024", "29.02.2028", "29.02.2032", "29.02.2036", "29.02.2040"}},
        {"no leap day in 2100 ends", &de, "29.02.2092\r\n29.02.2096\r\n", {"29.02.2092", "29.02.2096", "-", "-", "-"}},
        {"no date, decimal comma", &de, "1,5\r\n2,5\r\n", {"1,50", "2,50", "3,50", "4,50", "5,50"}},
        {"one separator is no date", &de, "1.5\r\n2.5\r\n", {"1.5", "2.5", "1.5", "2.5", "1.5"}},
    };
    for (const Case& c : cases) {
        platform::ScopedFormatSettings scoped(*c.fs);
        TExStringGrid g;
        Grid(g, 1, 5);
        for (int r = 0; r < 5; ++r)
            g.SetCells(0, r, QStringLiteral("-"));
        g.Navigation.AllowSmartClipboard = true;
        g.SelectCells(0, 0, 0, 4);
        QMimeData data;
        data.setText(c.clip);
        PasteSelection(g, data);
        EXPECT_EQ(Column(g, 0), c.expected) << c.name << (c.fs == &us ? " (m/d/yyyy)" : " (dd.mm.yyyy)");
    }

    // Along a row the cell right of the first gives the step.
    platform::ScopedFormatSettings scoped(us);
    TExStringGrid g;
    Grid(g, 4, 1);
    g.Navigation.AllowSmartClipboard = true;
    g.SelectCells(0, 0, 3, 0);
    QMimeData data;
    data.setText(QStringLiteral("1/1/2026\t1/8/2026\r\n"));
    PasteSelection(g, data);
    QStringList row;
    for (int col = 0; col < 4; ++col)
        row << g.Cells(col, 0);
    EXPECT_EQ(row, (QStringList{"1/1/2026", "1/8/2026", "1/15/2026", "1/22/2026"}));
}

TEST(Clipboard, PastedRowsAreMarkedModifiedWhenShown)
{
    for (const bool shown : {false, true}) {
        TExStringGrid g;
        Grid(g, 3, 5);
        g.SetOptions(TGridOptions{goRangeSelect, goEditing});
        g.ShowModified.Enabled = shown;
        int rows = 0;
        int cols = 0;
        PasteTextAtCell(g, 1, 1, rows, cols, QStringLiteral("a\tb\r\nc\td"));
        EXPECT_EQ(g.Cells(2, 2), QStringLiteral("d"));
        for (int r = 0; r < 5; ++r)
            EXPECT_EQ(g.RowModified(r), shown && (r == 1 || r == 2)) << r << shown;

        // The cell stream marks the rows it covers.
        TExStringGrid from;
        Grid(from, 2, 2);
        from.SetCells(0, 0, QStringLiteral("x"));
        from.SetCells(1, 1, QStringLiteral("y"));
        g.Navigation.AllowFmtClipboard = true;
        const std::unique_ptr<QMimeData> data = RectToMimeData(from, {0, 0, 1, 1});
        PasteMimeDataAtCell(g, 0, 3, rows, cols, *data);
        EXPECT_EQ(g.Cells(1, 4), QStringLiteral("y"));
        EXPECT_EQ(g.RowModified(3), shown);
        EXPECT_EQ(g.RowModified(4), shown);
        EXPECT_FALSE(g.RowModified(0));
    }
}
