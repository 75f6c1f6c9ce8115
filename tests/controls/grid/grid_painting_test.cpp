// The painted grid: which cells a paint pass visits, merged ranges, the frame
// pass, pixels of lines, headers, selection and check glyphs, scroll bars.
#include "controls/grid/core/cell_properties.h"
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/ex_column_grid.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/qt_canvas.h"
#include "platform/text/system_colors.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

using namespace grid;

namespace {

// Records what the content step and the selection box see.
class TracingPainter : public GridPainter
{
public:
    using GridPainter::GridPainter;
    void DrawCellContent(QPainter& p, int col, int row, QRect rect, TGridDrawState state) override
    {
        cells.emplace_back(col, row);
        GridPainter::DrawCellContent(p, col, row, rect, state);
    }
    void DrawSelectionBox(QPainter& p, const QRect& box, int part, TGridSelectionStyle style,
                          bool active) override
    {
        boxParts.push_back(part);
        boxActive.push_back(active);
        GridPainter::DrawSelectionBox(p, box, part, style, active);
    }
    int Count(int col, int row) const
    {
        return int(std::count(cells.begin(), cells.end(), std::make_pair(col, row)));
    }
    std::vector<std::pair<int, int>> cells;
    std::vector<int> boxParts;
    std::vector<bool> boxActive;
};

QImage PaintOnce(TExStringGrid& g, GridPainter& painter, bool focused = false)
{
    QImage img(g.ClientWidth(), g.ClientHeight(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    painter.Paint(p, img.rect(), focused);
    return img;
}

QColor Rgb(TColor c)
{
    return ToQColor(c);
}

class Painting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetColCount(5);
        g.SetRowCount(20);
        g.SetDefaultColWidth(64);
        g.SetDefaultRowHeight(22);
        for (int r = 0; r < 20; ++r)
            g.SetRowHeights(r, 22);
        g.Loaded();
        g.SetClientSize({400, 300});
    }
    TExStringGrid g;
    TracingPainter painter{g};
};

} // namespace

TEST_F(Painting, AMillionRowsPaintOnlyTheShownCells)
{
    g.SetRowCount(1'000'001);
    const int rowH = g.DefaultRowHeight();
    for (const int top : {1, 500'000, g.MaxTopRow()}) {
        g.SetTopRow(top);
        ASSERT_EQ(g.TopRow(), top);
        painter.cells.clear();
        PaintOnce(g, painter);
        // The fixed row and the scrolled rows that reach into the client area.
        const int scrolled = std::min(1'000'001 - top, (300 - g.FixedRowsHeight() + rowH - 1) / rowH);
        std::set<std::pair<int, int>> expected;
        for (int c = 0; c < 5; ++c) {
            expected.insert({c, 0});
            for (int r = top; r < top + scrolled; ++r)
                expected.insert({c, r});
        }
        const std::set<std::pair<int, int>> seen(painter.cells.begin(), painter.cells.end());
        EXPECT_EQ(seen, expected) << "top " << top;
        EXPECT_EQ(painter.cells.size(), expected.size()) << "each cell once";
    }
}

TEST_F(Painting, AMergedRangeIsDrawnOnceWhicheverCellComesFirst)
{
    g.MergeCells(1, 1, 2, 2);
    g.SetCells(1, 1, QStringLiteral("merged"));
    for (const int top : {1, 2}) { // from the base cell, then from a covered one
        g.SetTopRow(top);
        for (int pass = 0; pass < 2; ++pass) {
            painter.cells.clear();
            PaintOnce(g, painter);
            EXPECT_EQ(painter.Count(1, 1), 1) << "top " << top << " pass " << pass;
            EXPECT_EQ(painter.Count(2, 1) + painter.Count(1, 2) + painter.Count(2, 2), 0);
        }
    }
    // Without content only background and lines.
    painter.cells.clear();
    QImage img(100, 100, QImage::Format_RGB32);
    QPainter p(&img);
    painter.PaintCellExt(p, 3, 3, QRect(0, 0, 64, 22), {});
    EXPECT_TRUE(painter.cells.empty());
}

TEST_F(Painting, ScrolledCellsStayOutOfTheFixedColumns)
{
    // A merged range whose base scrolled out reaches left under column 0.
    g.MergeCells(1, 3, 3, 1);
    g.CellProperties(1, 3)->SetBrushColor(0x0000FF);
    g.SetLeftCol(2);
    const QImage img = PaintOnce(g, painter);
    const int y = g.PlatformCellRect(0, 3).center().y();
    const int x = g.FixedColsWidth() - 5;
    EXPECT_NE(img.pixelColor(x, y), Rgb(0x0000FF));
    EXPECT_EQ(img.pixelColor(x, y), img.pixelColor(x, g.PlatformCellRect(0, 4).center().y()));
    EXPECT_EQ(img.pixelColor(g.FixedColsWidth() + 5, y), Rgb(0x0000FF));
}

TEST_F(Painting, LinesHeaderAndTheLastRowHidden)
{
    g.SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine});
    g.Color = 0x00F0F0; // a colour none of the lines has
    const QImage img = PaintOnce(g, painter);
    const QRect cell = g.PlatformCellRect(2, 3);
    // Normal cells: right and bottom lines in the grid's line colour.
    EXPECT_EQ(img.pixelColor(cell.right(), cell.center().y()), Rgb(g.GridLineColor()));
    EXPECT_EQ(img.pixelColor(cell.center().x(), cell.bottom()), Rgb(g.GridLineColor()));
    EXPECT_EQ(img.pixelColor(cell.center()), Rgb(0x00F0F0));
    // The header's fixed gradient: darker or lighter from top to bottom.
    const QRect head = g.PlatformCellRect(2, 0);
    EXPECT_NE(img.pixelColor(head.center().x(), head.top() + 3), img.pixelColor(head.center().x(), head.bottom() - 3));
    EXPECT_NE(img.pixelColor(head.center()), Rgb(0x00F0F0));

    // A hidden last row is only filled with the grid colour.
    g.SetRowCount(8);
    g.FHideLastRow = true;
    g.SetCells(2, 7, QStringLiteral("gone"));
    painter.cells.clear();
    const QImage hidden = PaintOnce(g, painter);
    EXPECT_EQ(painter.Count(2, 7), 0);
    const QRect last = g.PlatformCellRect(2, 7);
    EXPECT_EQ(hidden.pixelColor(last.right(), last.center().y()), Rgb(0x00F0F0));
}

TEST_F(Painting, SelectionColours)
{
    g.SetOptions({goVertLine, goHorzLine, goRangeSelect});
    g.SetSelection({1, 2, 2, 3});
    struct Case
    {
        TColor selection;
        TColor expected;
    };
    platform::SystemColors::Table table = platform::SystemColors::Current();
    table[13] = 0x123456; // clHighlight
    platform::ScopedSystemColors colors(table);
    for (const Case& c : {Case{0x00FF00, 0x00FF00}, Case{clNone, 0x123456}}) {
        g.SetSelectionColor(c.selection);
        g.SetSelectionColorTo(clNone);
        g.SetSelectionColorMixer(false);
        for (const bool focused : {true, false}) {
            const QImage img = PaintOnce(g, painter, focused);
            const QRect cell = g.PlatformCellRect(2, 3); // selected, not current
            EXPECT_EQ(img.pixelColor(cell.center()), Rgb(c.expected))
                << std::hex << c.selection << " focused " << focused;
            EXPECT_EQ(img.pixelColor(g.PlatformCellRect(3, 3).center()), Rgb(g.Color));
        }
    }
}

TEST_F(Painting, SelectionBoxPartsAlongARun)
{
    g.SetSelectionStyle(ssVista);
    g.SetSelection({1, 2, 3, 2});
    PaintOnce(g, painter, false);
    EXPECT_EQ(painter.boxParts, (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(painter.boxActive, (std::vector<bool>{false, false, false}));
    painter.boxParts.clear();
    painter.boxActive.clear();
    g.SetSelection({2, 4, 2, 4});
    PaintOnce(g, painter, true);
    EXPECT_EQ(painter.boxParts, (std::vector<int>{0}));
    EXPECT_EQ(painter.boxActive, (std::vector<bool>{true}));
}

TEST_F(Painting, AHiddenColumnTakesNoSpace)
{
    g.HideColumn(2);
    painter.cells.clear();
    PaintOnce(g, painter);
    std::set<int> reals;
    for (const auto& [col, row] : painter.cells)
        reals.insert(g.RealColIndex(col));
    EXPECT_EQ(reals, (std::set<int>{0, 1, 3, 4}));
    EXPECT_EQ(g.PlatformCellRect(2, 1).left(), 2 * 64); // real column 3 follows column 1
}

TEST_F(Painting, SortColumnHeaderInTheSortHeaderColours)
{
    struct Case
    {
        const char* name;
        int sortColumn;
        bool sortFixedCols;
        int fixedRows;
        TGridLook look;
        std::vector<std::pair<int, int>> red; // header cells (col, row) in the header colour
    };
    const Case cases[] = {
        {"the sort column's header", 2, false, 1, glXP, {{2, 0}}},
        {"no sort column", -1, false, 1, glXP, {}},
        {"a fixed column only with FixedCols", 0, false, 1, glXP, {}},
        {"a fixed column with FixedCols", 0, true, 1, glXP, {{0, 0}}},
        {"the last fixed row only", 3, false, 2, glOffice2007, {{3, 1}}},
        {"not in the classic look", 2, false, 1, glClassic, {}},
    };
    for (const Case& c : cases) {
        g.SetLook(c.look);
        g.SetFixedRows(c.fixedRows);
        g.SortSettings.Column = c.sortColumn;
        g.SortSettings.FixedCols = c.sortFixedCols;
        g.SortSettings.SetHeaderColor(0x0000FF);
        g.SortSettings.SetHeaderColorTo(clNone);
        const QImage img = PaintOnce(g, painter);
        for (int col = 0; col < 5; ++col)
            for (int row = 0; row < 3; ++row) {
                const bool red = std::find(c.red.begin(), c.red.end(), std::make_pair(col, row)) != c.red.end();
                EXPECT_EQ(img.pixelColor(g.PlatformCellRect(col, row).center()) == Rgb(0x0000FF), red)
                    << c.name << ": " << col << "," << row;
            }
    }
    // A gradient from HeaderColor at the top to HeaderColorTo at the bottom
    // (a look resets the header colours, so they come after it).
    g.SetLook(glXP);
    g.SetFixedRows(1);
    g.SortSettings.Column = 2;
    g.SortSettings.SetHeaderColor(0x0000FF);
    g.SortSettings.SetHeaderColorTo(0x00FF00);
    const QImage img = PaintOnce(g, painter);
    const QRect head = g.PlatformCellRect(2, 0);
    const QColor top = img.pixelColor(head.center().x(), head.top() + 3);
    const QColor bottom = img.pixelColor(head.center().x(), head.bottom() - 4);
    EXPECT_GT(top.red(), 180);
    EXPECT_LT(top.green(), 80);
    EXPECT_GT(bottom.green(), 180);
    EXPECT_LT(bottom.red(), 80);
}

namespace {

// Whether cell in img is cell in base with the numbered sort index indicator
// drawn at some centre near where the two differ.
bool ShowsIndexIndicator(const QImage& img, const QImage& base, const QRect& cell, int number, bool descending)
{
    QRect diff;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (img.pixel(x, y) != base.pixel(x, y))
                diff = diff.united(QRect(x, y, 1, 1));
    if (diff.isEmpty())
        return false;
    const QImage want = img.copy(cell);
    for (int y = diff.top() - 2; y <= diff.bottom() + 2; ++y)
        for (int x = diff.left() - 2; x <= diff.right() + 2; ++x) {
            QImage trial = base.copy(cell);
            {
                QPainter p(&trial);
                p.translate(-cell.topLeft());
                QtCanvas canvas(p);
                DrawSortIndexIndicator(canvas, x, y, number, descending, clYellow);
            }
            if (trial == want)
                return true;
        }
    return false;
}

} // namespace

TEST_F(Painting, IndexedSortNumbersTheHeadersInIndexOrder)
{
    TSortSettings& sort = g.SortSettings;
    sort.SetShow(true);
    sort.IndexShow = true;
    sort.Column = 3;
    const QImage base = PaintOnce(g, painter);
    g.SortIndexes.AddIndex(3, true);
    g.SortIndexes.AddIndex(1, false);
    g.SortIndexes.AddIndex(4, true);
    const QImage img = PaintOnce(g, painter);
    struct Case
    {
        int col;
        int number;
        bool descending;
    };
    for (const Case c : {Case{3, 1, false}, Case{1, 2, true}, Case{4, 3, false}}) {
        const QRect head = g.PlatformCellRect(c.col, 0);
        EXPECT_TRUE(ShowsIndexIndicator(img, base, head, c.number, c.descending)) << "column " << c.col;
        EXPECT_FALSE(ShowsIndexIndicator(img, base, head, c.number % 3 + 1, c.descending))
            << "column " << c.col << " shows another number";
    }
    // A column outside the index list and the body keep their look.
    for (const QRect cell : {g.PlatformCellRect(2, 0), g.PlatformCellRect(3, 2)})
        EXPECT_EQ(img.copy(cell), base.copy(cell));
}

TEST(YesNoColumn, ShowsTheCheckedPictureExactlyForTheTrueText)
{
    TExColumnGrid g;
    g.SetColCount(3);
    g.SetRowCount(6);
    g.Columns()[2]->SetEditor(edDataCheckBox);
    g.Columns()[2]->SetHeader(QStringLiteral("Enable"));
    g.ControlLook.SetControlStyle(csWinXP);
    g.Loaded();
    g.SetClientSize({300, 200});
    const QStringList texts{QStringLiteral("Y"), QStringLiteral("N"), QString(), QStringLiteral("y"),
                            QStringLiteral("Y ")};
    for (int r = 1; r < 6; ++r)
        g.SetCells(2, r, texts[r - 1]);
    GridPainter painter(g);
    const QImage img = PaintOnce(g, painter);
    const int size = g.ControlLook.CheckSize();
    for (int r = 1; r < 6; ++r) {
        const QRect cell = g.PlatformCellRect(2, r);
        TAlignment ha;
        TVAlignment va;
        g.GetCellTextAlignment(2, r, ha, va);
        const QRect content(cell.left() + g.GridLineWidth(), cell.top() + g.GridLineWidth(),
                            cell.width() - 2 * g.GridLineWidth(), cell.height() - 2 * g.GridLineWidth());
        const QRect glyph = painter.CheckGlyphRect(2, r, content, ha);
        // Left text: one pixel right of the XYOffset inset.
        EXPECT_EQ(glyph.left(), content.left() + g.XYOffset().x() - 1 + 1);
        EXPECT_EQ(glyph.size(), QSize(size, size));
        const bool checked = r == 1;
        // The XP picture at its own size from the glyph's top-left.
        const QImage expected = painter.GridGlyph(checked ? "ESGCHK05" : "ESGCHK06", clNone);
        ASSERT_FALSE(expected.isNull());
        const QImage shown = img.copy(QRect(glyph.topLeft(), expected.size()));
        bool same = true;
        for (int y = 0; y < expected.height() && same; ++y)
            for (int x = 0; x < expected.width() && same; ++x)
                if (expected.pixelColor(x, y).alpha() == 255)
                    same = expected.pixelColor(x, y).rgb() == shown.pixelColor(x, y).rgb();
        EXPECT_TRUE(same) << "row " << r << " text '" << texts[r - 1].toStdString() << "'";
    }
}

TEST(GridScrollBars, RowAndColumnUnits)
{
    TExStringGrid g;
    g.SetColCount(30);
    g.SetRowCount(100);
    g.Loaded();
    TGridWidget w(g);
    w.resize(420, 330);
    w.show(); // offscreen: sizes the viewport
    const QSize client = w.viewport()->size();
    EXPECT_EQ(g.ClientWidth(), client.width());
    QScrollBar* v = w.verticalScrollBar();
    EXPECT_EQ(v->maximum(), g.MaxTopRow() - g.FixedRows());
    EXPECT_EQ(v->pageStep(), g.VisibleRowCount());
    v->setValue(40);
    EXPECT_EQ(g.TopRow(), 41);
    g.SetTopRow(10); // the grid moves, the bar follows
    EXPECT_EQ(v->value(), 9);
    w.horizontalScrollBar()->setValue(3);
    EXPECT_EQ(g.LeftCol(), 4);
    // Grown so that everything fits: back to the first scrolled column and
    // row, no empty space left of them.
    g.SetTopRow(g.MaxTopRow());
    w.resize(3000, 3000);
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.LeftCol(), 1);
    EXPECT_EQ(v->maximum(), 0);
    w.resize(420, 330);

    struct Case
    {
        TScrollStyle bars;
        TScrollBarAlways always;
        TScrollType type;
        Qt::ScrollBarPolicy vertical;
        Qt::ScrollBarPolicy horizontal;
    };
    const Case cases[] = {
        {ssBoth, saNone, ssNormal, Qt::ScrollBarAsNeeded, Qt::ScrollBarAsNeeded},
        {ssVertical, saNone, ssNormal, Qt::ScrollBarAsNeeded, Qt::ScrollBarAlwaysOff},
        {ssNone, saBoth, ssNormal, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff},
        {ssBoth, saVert, ssNormal, Qt::ScrollBarAlwaysOn, Qt::ScrollBarAsNeeded},
        {ssBoth, saNone, ssFlat, Qt::ScrollBarAsNeeded, Qt::ScrollBarAsNeeded},
        {ssBoth, saNone, ssMetro, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff},
    };
    for (const Case& c : cases) {
        g.ScrollBars = c.bars;
        g.ScrollBarAlways = c.always;
        g.ScrollType = c.type;
        w.UpdateScrollBars();
        EXPECT_EQ(w.verticalScrollBarPolicy(), c.vertical) << c.bars << c.always << c.type;
        EXPECT_EQ(w.horizontalScrollBarPolicy(), c.horizontal) << c.bars << c.always << c.type;
        EXPECT_EQ(g.ScrollType, c.type);
    }

    EXPECT_FALSE(v->hasTracking()); // the grid moves when the thumb is let go
    g.ScrollSynch = true;
    w.UpdateScrollBars();
    EXPECT_TRUE(v->hasTracking());
    EXPECT_TRUE(w.horizontalScrollBar()->hasTracking());

    EXPECT_EQ(w.ScrollHintText(Qt::Vertical, 4), QStringLiteral("Row : 5"));
    EXPECT_EQ(w.ScrollHintText(Qt::Horizontal, 0), QStringLiteral("Col : 1"));
    g.OnScrollHint = [](TExStringGrid*, int row, QString& hint) { hint = QStringLiteral("Item %1").arg(row); };
    EXPECT_EQ(w.ScrollHintText(Qt::Vertical, 4), QStringLiteral("Item 5"));
}
