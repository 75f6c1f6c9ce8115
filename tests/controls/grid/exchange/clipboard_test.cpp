// Selection text, pasting text and cells through the system clipboard
// (offscreen), within one grid and between two, and the smart paste.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/clipboard.h"
#include "controls/grid/exchange/clipboard_formats.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

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
