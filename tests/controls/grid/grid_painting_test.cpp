// The painted grid: which cells a paint pass visits, merged ranges, the frame
// pass, pixels of lines, headers, selection and check glyphs, scroll bars.
#include "controls/grid/core/cell_properties.h"
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/check_placement.h"
#include "controls/grid/core/ex_column_grid.h"
#include "controls/grid/small_controls/focus_window.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/qt_canvas.h"
#include "controls/grid/widget/scroll_control.h"
#include "controls/grid/theme/office_theme.h"
#include "controls/grid/theme/theme_notifier.h"
#include "platform/text/ini_file.h"
#include "platform/text/system_colors.h"
#include "platform/text/user_registry.h"

#include <QImage>
#include <QPainter>
#include <QApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

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

namespace {

// Records where check glyphs land.
class CheckTracer : public GridPainter
{
public:
    using GridPainter::GridPainter;
    void DrawCheck(QPainter& p, const QRect& rect, bool checked, bool grayed, TControlStyle style,
                   bool enabled) override
    {
        checks.push_back(rect);
        GridPainter::DrawCheck(p, rect, checked, grayed, style, enabled);
    }
    std::vector<QRect> checks;
};

int CountPixels(const QImage& img, const QRect& area, const QColor& color)
{
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixelColor(x, y) == color;
    return n;
}

// The rightmost column holding a pixel of that colour (-1 when none).
int RightmostPixel(const QImage& img, const QRect& area, const QColor& color)
{
    for (int x = area.right(); x >= area.left(); --x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (img.pixelColor(x, y) == color)
                return x;
    return -1;
}

} // namespace

// A click counts as on the check box exactly where the painter puts the glyph,
// for every text alignment, with and without the cell's text beside it.
TEST(CheckBoxPlacement, ThePointerTestHitsThePaintedGlyph)
{
    struct Case
    {
        const char* name;
        TAlignment align;
        TVAlignment va;
        bool data; // ctDataCheckBox: no text beside the glyph
    };
    const Case cases[] = {
        {"left, text", taLeftJustify, vtaTop, false},     {"right, text", taRightJustify, vtaTop, false},
        {"centred, text", taCenter, vtaTop, false},       {"right, no text", taRightJustify, vtaTop, true},
        {"centred, no text", taCenter, vtaCenter, true},  {"right, bottom", taRightJustify, vtaBottom, false},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(4);
        g.SetDefaultColWidth(140);
        g.SetDefaultRowHeight(30);
        g.Loaded();
        TGridWidget w(g); // the grid measures text with the widget's fonts
        g.SetClientSize({460, 140});
        g.MouseActions.PreciseCheckBoxCheck = true;
        g.SetDefaultAlignment(c.align);
        g.SetVAlignment(c.va);
        g.SetCells(1, 1, c.data ? QStringLiteral("N") : QStringLiteral("Enabled"));
        g.AddCheckBox(1, 1, true, c.data);
        CheckTracer painter(g);
        PaintOnce(g, painter);
        ASSERT_EQ(painter.checks.size(), 1u) << c.name;
        const QRect glyph = painter.checks.front();
        EXPECT_EQ(glyph, CheckBoxGlyphRect(g, 1, 1)) << c.name;
        for (const QPoint inside : {glyph.topLeft(), glyph.bottomRight(), glyph.center()})
            EXPECT_TRUE(g.IsInCheckBox(1, 1, inside.x(), inside.y())) << c.name;
        for (const QPoint outside : {glyph.topLeft() - QPoint(1, 0), glyph.bottomRight() + QPoint(1, 0),
                                     glyph.topLeft() - QPoint(0, 1), glyph.bottomRight() + QPoint(0, 1)})
            EXPECT_FALSE(g.IsInCheckBox(1, 1, outside.x(), outside.y())) << c.name;
    }
}

TEST_F(Painting, RowIndicatorAndModifiedMarker)
{
    g.SetRow(3);
    QImage indicator(8, 8, QImage::Format_RGB32);
    indicator.fill(QColor(200, 0, 0));
    indicator.setPixel(0, 0, qRgb(0, 200, 0)); // the colour left out
    EXPECT_TRUE(g.RowIndicator().isNull()) << "none by default";
    g.SetRowIndicator(indicator);
    g.ShowModified.Enabled = true;
    g.ShowModified.SetColor(0x00FFFF); // yellow
    g.SetRowModified(5, true);
    const QImage img = PaintOnce(g, painter);
    const QColor red(200, 0, 0);
    const QColor yellow = Rgb(0x00FFFF);
    // The indicator 2 px in from the left of the current row's fixed cell
    // (under the header's white edge lines), its key colour left out; no
    // other row has it.
    const QRect current = CellContentRect(g, 0, 3);
    EXPECT_EQ(CountPixels(img, QRect(current.left() + 2, current.top() + 2, 8, 6), red), 48);
    EXPECT_NE(img.pixelColor(current.left() + 2, current.top()), red);
    EXPECT_EQ(CountPixels(img, CellContentRect(g, 0, 4), red), 0);
    // The modified row's bar: 4 px wide along the right edge of column 0.
    const QRect modified = CellContentRect(g, 0, 5);
    const int y = modified.center().y();
    for (int dx = 0; dx < 4; ++dx)
        EXPECT_EQ(img.pixelColor(modified.right() - dx, y), yellow) << dx;
    EXPECT_NE(img.pixelColor(modified.right() - 4, y), yellow);
    EXPECT_EQ(CountPixels(img, CellContentRect(g, 0, 6), yellow), 0);
    g.ShowModified.Enabled = false;
    EXPECT_EQ(CountPixels(PaintOnce(g, painter), modified, yellow), 0);
}

TEST_F(Painting, FilterGlyphInHeadersWithAFilterList)
{
    g.OnGetColumnFilter = [](TExStringGrid*, int col, QStringList& list) {
        if (col == 2)
            list << QStringLiteral("a") << QStringLiteral("b");
    };
    // A list an open drop-down shows is not touched by painting.
    g.FilterList = QStringList{QStringLiteral("shown")};
    const QImage img = PaintOnce(g, painter);
    EXPECT_EQ(g.FilterList, QStringList{QStringLiteral("shown")});
    const QImage& glyph = painter.GridGlyph("ESGFILT", g.FixedColor);
    ASSERT_FALSE(glyph.isNull());
    // Most of the glyph's pixels at the header's top-right (the header's own
    // edge lines are drawn over it).
    auto showsGlyph = [&](const QImage& shot, int col) {
        const QRect head = CellContentRect(g, col, 0);
        const QPoint at(head.left() + head.width() - 16, head.top());
        int opaque = 0;
        int same = 0;
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                if (glyph.pixelColor(x, y).alpha() == 255) {
                    ++opaque;
                    same += glyph.pixelColor(x, y).rgb() == shot.pixelColor(at + QPoint(x, y)).rgb();
                }
        return opaque > 0 && same * 10 >= opaque * 9;
    };
    EXPECT_TRUE(showsGlyph(img, 2));
    EXPECT_FALSE(showsGlyph(img, 1));
    EXPECT_FALSE(showsGlyph(img, 3));

    // The grid's own glyphs: one for a filter list, one for an active filter
    // on the column; their top-left colour is left out.
    auto glyphOf = [](QColor color) {
        QImage picture(16, 10, QImage::Format_RGB32);
        picture.fill(color);
        picture.setPixel(0, 0, qRgb(1, 2, 3));
        return picture;
    };
    g.FilterDropDown.SetGlyph(glyphOf(QColor(0, 160, 0)));
    g.FilterDropDown.SetGlyphActive(glyphOf(QColor(160, 0, 160)));
    const QRect head = CellContentRect(g, 2, 0);
    const QRect glyphArea(head.left() + head.width() - 16, head.top() + 2, 16, 8);
    EXPECT_EQ(CountPixels(PaintOnce(g, painter), glyphArea, QColor(0, 160, 0)), 16 * 8);
    g.Filter.Add().Column = 2;
    g.SetFilterActive(true);
    const QImage active = PaintOnce(g, painter);
    EXPECT_EQ(CountPixels(active, glyphArea, QColor(160, 0, 160)), 16 * 8);
    EXPECT_NE(active.pixelColor(head.left() + head.width() - 16, head.top()), QColor(1, 2, 3));
    g.SetFilterActive(false);
    g.Filter.Clear();
    g.FilterDropDown.SetGlyph(QImage());
    g.FilterDropDown.SetGlyphActive(QImage());

    // The automatic list: every normal column has one, the fixed column not
    // (without fdAll); found without building the list.
    g.OnGetColumnFilter = nullptr;
    g.FilterDropDownAuto = true;
    const QImage automatic = PaintOnce(g, painter);
    EXPECT_TRUE(g.FilterList.isEmpty() || g.FilterList == QStringList{QStringLiteral("shown")});
    EXPECT_FALSE(showsGlyph(automatic, 0));
    for (int col = 1; col < 5; ++col)
        EXPECT_TRUE(showsGlyph(automatic, col)) << col;
}

TEST_F(Painting, SelectionRectangleAndResizer)
{
    g.SetOptions({goVertLine, goHorzLine, goRangeSelect});
    g.SetSelection({1, 2, 2, 3});
    g.SelectionRectangleColor = 0x0000FF;
    const QColor red = Rgb(0x0000FF);
    EXPECT_EQ(CountPixels(PaintOnce(g, painter), g.PlatformCellRect(1, 2), red), 0) << "off by default";
    g.SetSelectionRectangle(true);
    const QImage img = PaintOnce(g, painter);
    // Lines only on the sides that lie on the selection's edge.
    struct Side
    {
        int col, row;
        bool left, top, right, bottom;
    };
    const Side sides[] = {{1, 2, true, true, false, false},
                          {2, 2, false, true, true, false},
                          {1, 3, true, false, false, true},
                          {2, 3, false, false, true, true}};
    for (const Side& s : sides) {
        const QRect cell = g.PlatformCellRect(s.col, s.row).adjusted(0, 0, -1, -1);
        const QPoint mid = cell.center();
        EXPECT_EQ(img.pixelColor(cell.left() + 1, mid.y()) == red, s.left) << s.col << "," << s.row;
        EXPECT_EQ(img.pixelColor(mid.x(), cell.top() + 1) == red, s.top) << s.col << "," << s.row;
        EXPECT_EQ(img.pixelColor(cell.right() - 1, mid.y()) == red, s.right) << s.col << "," << s.row;
        EXPECT_EQ(img.pixelColor(mid.x(), cell.bottom() - 1) == red, s.bottom) << s.col << "," << s.row;
    }
    EXPECT_EQ(CountPixels(img, g.PlatformCellRect(3, 2), red), 0);
    // The resizer: a 4 x 4 square in the last cell's bottom-right corner.
    const QRect last = g.PlatformCellRect(2, 3).adjusted(0, 0, -1, -1);
    const QRect square(last.right() - 3, last.bottom() - 3, 4, 4);
    EXPECT_LT(CountPixels(img, square, red), 16);
    g.SetSelectionResizer(true);
    EXPECT_EQ(CountPixels(PaintOnce(g, painter), square, red), 16);
}

TEST_F(Painting, AddressesAndErrorMarkersInPlainText)
{
    g.SetColWidths(1, 260);
    g.SetURLColor(0xFF0000); // blue
    const QColor blue = Rgb(0xFF0000);
    g.SetCells(1, 5, QStringLiteral("http://example.org"));
    const QRect cell = CellContentRect(g, 1, 5);
    EXPECT_EQ(CountPixels(PaintOnce(g, painter), cell, blue), 0) << "plain text without URLShow";
    g.SetURLShow(true);
    const QImage stripped = PaintOnce(g, painter);
    g.SetURLFull(true);
    const QImage full = PaintOnce(g, painter);
    // Underlined in the link colour; shown without "http://" unless full.
    const int shortEnd = RightmostPixel(stripped, cell, blue);
    const int fullEnd = RightmostPixel(full, cell, blue);
    ASSERT_GT(shortEnd, cell.left());
    EXPECT_GT(fullEnd, shortEnd + 10);
    QFont font = ToQFont(g.Font);
    const int shortWidth = QFontMetrics(font).horizontalAdvance(QStringLiteral("example.org"));
    EXPECT_NEAR(shortEnd - cell.left(), shortWidth, 6);

    // The red zig-zag under the marked characters only.
    const QColor red = Rgb(0x0000FF);
    g.SetCells(1, 6, QStringLiteral("abcdef ghijkl"));
    g.SetCells(1, 7, QStringLiteral("abcdef ghijkl"));
    g.AddMarker(1, 6, 7, 6);
    const QImage marked = PaintOnce(g, painter);
    const QRect markedCell = CellContentRect(g, 1, 6);
    EXPECT_GT(CountPixels(marked, markedCell, red), 10);
    EXPECT_EQ(CountPixels(marked, CellContentRect(g, 1, 7), red), 0);
    // It starts under "g", not under the first word.
    const int wordStart = QFontMetrics(font).horizontalAdvance(QStringLiteral("abcdef "));
    EXPECT_EQ(CountPixels(marked, QRect(markedCell.left(), markedCell.top(), wordStart - 1, markedCell.height()), red),
              0);
}

namespace {

// The share of its track a scroll bar's thumb covers, as the bar lays it out.
double ThumbShare(QScrollBar* bar)
{
    struct Peek : QScrollBar
    {
        using QScrollBar::initStyleOption;
    };
    void (QScrollBar::*init)(QStyleOptionSlider*) const = &Peek::initStyleOption;
    QStyleOptionSlider opt;
    (bar->*init)(&opt);
    const QRect slider = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
    const QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarGroove, bar);
    return groove.height() > 0 ? double(slider.height()) / groove.height() : 0;
}

} // namespace

TEST(GridWindow, ColouredBorder)
{
    TExStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(6);
    g.Loaded();
    TGridWidget w(g);
    w.resize(300, 200);
    w.show();
    const QColor red = Rgb(0x0000FF);
    struct Case
    {
        const char* name;
        TGridLook look;
        TBorderStyle style;
        TColor color;
        bool flat;
        bool drawn;
    };
    const Case cases[] = {
        {"XP, single, red", glXP, bsSingle, 0x0000FF, false, true},
        {"soft look", glSoft, bsSingle, 0x0000FF, false, true},
        {"standard look", glStandard, bsSingle, 0x0000FF, false, false},
        {"classic look", glClassic, bsSingle, 0x0000FF, false, false},
        {"no colour", glXP, bsSingle, clNone, false, false},
        {"flat", glXP, bsSingle, 0x0000FF, true, false},
        {"no border", glXP, bsNone, 0x0000FF, false, false},
    };
    for (const Case& c : cases) {
        g.SetLook(c.look);
        g.SetFlat(c.flat);
        g.SetBorderStyle(c.style);
        g.SetBorderColor(c.color);
        EXPECT_EQ(w.DrawsBorder(), c.drawn) << c.name;
        const QFrame::Shape shape = c.style == bsNone ? QFrame::NoFrame
                                    : c.drawn         ? QFrame::Panel
                                                      : QFrame::StyledPanel;
        EXPECT_EQ(w.frameShape(), shape) << c.name;
        EXPECT_GE(w.frameWidth(), c.drawn ? 2 : 0) << c.name << ": the outlines lie in the frame";
        // The cells fit: the outline one pixel in; nothing of it outside
        // (no parent to take the colour of).
        const QImage shot = w.grab().toImage();
        for (const QPoint corner : {QPoint(1, 1), QPoint(w.width() - 2, w.height() - 2), QPoint(w.width() / 2, 1)})
            EXPECT_EQ(shot.pixelColor(corner) == red, c.drawn) << c.name;
        EXPECT_NE(shot.pixelColor(0, 0), red) << c.name;
    }

    // A scrolled grid: the outline on the outermost pixels.
    g.SetLook(glXP);
    g.SetFlat(false);
    g.SetBorderStyle(bsSingle);
    g.SetBorderColor(0x0000FF);
    g.SetRowCount(100);
    ASSERT_FALSE(w.CellsFit());
    QImage shot = w.grab().toImage();
    for (const QPoint corner : {QPoint(0, 0), QPoint(w.width() - 1, w.height() - 1), QPoint(w.width() / 2, 0)})
        EXPECT_EQ(shot.pixelColor(corner), red);

    // Within a parent: the inner outline and the parent's colour around it.
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 0));
    parent.setPalette(pal);
    w.setParent(&parent);
    g.SetRowCount(6);
    ASSERT_TRUE(w.CellsFit());
    shot = w.grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0, 128, 0));
    EXPECT_EQ(shot.pixelColor(w.width() - 1, w.height() / 2), QColor(0, 128, 0));
    EXPECT_EQ(shot.pixelColor(1, 1), red);
    EXPECT_EQ(shot.pixelColor(w.width() - 2, w.height() / 2), red);
    w.setParent(nullptr);
}

TEST(GridScrollBars, ProportionalThumbsAndThinMetroBars)
{
    TExStringGrid g;
    g.SetColCount(30);
    g.SetRowCount(101);
    g.SetDefaultRowHeight(20);
    g.Loaded();
    TGridWidget w(g);
    w.resize(400, 2);
    w.show();
    // 20 rows in view besides the fixed one.
    w.resize(400, 2 * w.frameWidth() + w.horizontalScrollBar()->sizeHint().height() + 21 * 20 + 1);
    ASSERT_EQ(g.VisibleRowCount(), 20);
    QScrollBar* v = w.verticalScrollBar();
    const double fixedThumb = ThumbShare(v);
    g.ScrollProportional = true;
    w.UpdateScrollBars();
    EXPECT_NEAR(ThumbShare(v), 0.2, 0.03);
    EXPECT_LT(fixedThumb, 0.1) << "without proportional thumbs the thumb keeps its smallest size";
    v->setValue(30);
    EXPECT_EQ(g.TopRow(), 31);

    // ssMetro: thin controls of our own instead of the window's bars.
    g.ScrollType = ssMetro;
    w.UpdateScrollBars();
    EXPECT_EQ(g.ScrollBars, ssNone);
    EXPECT_EQ(w.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    TScrollControl* thin = w.MetroScrollBar(Qt::Vertical);
    ASSERT_NE(thin, nullptr);
    ASSERT_NE(w.MetroScrollBar(Qt::Horizontal), nullptr);
    EXPECT_TRUE(thin->isVisible());
    EXPECT_EQ(thin->width(), 6);
    const int start = thin->ThumbRect().top();
    g.SetTopRow(5); // the grid moves, the thin thumb follows
    EXPECT_LT(thin->ThumbRect().top(), start);
    // Another type frees them and brings both window bars back.
    g.ScrollType = ssNormal;
    w.UpdateScrollBars();
    EXPECT_EQ(w.MetroScrollBar(Qt::Vertical), nullptr);
    EXPECT_EQ(g.ScrollBars, ssBoth);
    EXPECT_EQ(w.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

// With FocusHelper the translucent frame surrounds the edited cell while its
// editor is open and never takes the focus; without FocusHelper no frame is
// made.
TEST(GridWindow, FocusFrameAroundTheEditedCell)
{
    for (const bool helper : {false, true}) {
        TExStringGrid g;
        g.SetColCount(4);
        g.SetRowCount(60);
        g.Loaded();
        TGridOptions o = g.Options();
        o.Include(goEditing);
        g.SetOptions(o);
        g.FocusHelper.Enabled = helper;
        g.SetCells(1, 2, QStringLiteral("abc"));
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* w = new TGridWidget(g);
        layout->addWidget(w);
        window.resize(360, 240);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        w->setFocus();
        g.SetCol(1);
        g.SetRow(2);
        QTest::keyClick(w, Qt::Key_F2);
        ASSERT_TRUE(g.EditorMode()) << helper;
        if (!helper) {
            EXPECT_EQ(w->FocusFrame(), nullptr);
            continue;
        }
        TGridFocusWindow* frame = w->FocusFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->isVisible());
        // 4 px around the cell, in screen coordinates.
        const QRect cell = g.CellRect(1, 2);
        const QPoint cellOnScreen = w->viewport()->mapToGlobal(cell.topLeft());
        EXPECT_EQ(frame->geometry().topLeft(), cellOnScreen - QPoint(4, 4));
        EXPECT_EQ(frame->size(), cell.size() + QSize(9, 9));
        EXPECT_FALSE(frame->isActiveWindow());
        EXPECT_EQ(frame->focusPolicy(), Qt::NoFocus);
        EXPECT_NE(QApplication::focusWidget(), frame);
        // Esc closes the editor and the frame.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(g.EditorMode());
        EXPECT_FALSE(frame->isVisible());
    }
}

// A grid with AutoThemeAdapt on the screen takes a rewritten office theme's
// colours; a rewrite that keeps the theme tells nobody.
TEST(GridWindow, ARewrittenOfficeThemeRecoloursTheShownGrid)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("user_registry.ini"));
    platform::SetUserRegistryFileName(file);
    auto writeTheme = [&](int theme) {
        platform::IniFile ini(file);
        ini.WriteString(kOffice14CommonKey + QStringLiteral("\\General"), QStringLiteral("Path"), QStringLiteral("x"));
        ini.WriteInteger(kOffice14CommonKey, QStringLiteral("Theme"), theme);
        return ini.Save();
    };
    ASSERT_TRUE(writeTheme(1));
    {
        TExStringGrid g;
        g.SetColCount(4);
        g.SetRowCount(6);
        g.SetAutoThemeAdapt(true);
        g.Loaded();
        TGridWidget w(g);
        w.resize(300, 200);
        w.show();
        const QPoint header = g.CellRect(2, 0).center();
        auto headerColour = [&] { return w.viewport()->grab().toImage().pixelColor(header); };
        const QColor blue = headerColour();
        ASSERT_NE(ThemeNotifierIfAny(), nullptr);
        QSignalSpy told(ThemeNotifierIfAny(), &TThemeNotifier::OfficeThemeChange);
        ASSERT_TRUE(writeTheme(3));
        ASSERT_TRUE(told.wait(5000));
        EXPECT_EQ(g.ComponentStyle(), tsOffice2010Black);
        const QColor black = headerColour();
        EXPECT_NE(black, blue);
        ASSERT_TRUE(writeTheme(3));
        EXPECT_FALSE(told.wait(700));
        EXPECT_EQ(told.count(), 1);
        EXPECT_EQ(headerColour(), black);
    }
    delete ThemeNotifierIfAny();
    platform::SetUserRegistryFileName({});
}

// The dotted line of a column or row being sized moves without leaving
// pixels behind.
TEST(GridWindow, SizeLinesLeaveNothingBehind)
{
    TExStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(12);
    g.Loaded();
    TGridWidget w(g);
    w.resize(360, 260);
    w.show();
    auto shot = [&] { return w.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const QImage clean = shot();
    auto darkIn = [](const QImage& img, QRect area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += qGray(img.pixel(x, y)) < 60;
        return n;
    };
    const int h = clean.height();
    const int wide = clean.width();
    // x = 100 and y = 100 lie inside cells, away from the grid lines.
    const QRect column(100, 0, 1, h);
    const QRect row(0, 100, wide, 1);
    const int before = darkIn(clean, column);
    w.ShowColSizeLine(100);
    const QImage first = shot();
    EXPECT_GT(darkIn(first, column), before + h / 4) << "a dotted line down the client";
    w.ShowColSizeLine(150);
    const QImage moved = shot();
    EXPECT_EQ(moved.copy(column), clean.copy(column)) << "nothing left at the old place";
    EXPECT_GT(darkIn(moved, QRect(150, 0, 1, h)), darkIn(clean, QRect(150, 0, 1, h)) + h / 4);
    w.ShowColSizeLine(-1);
    EXPECT_EQ(shot(), clean);
    w.ShowRowSizeLine(100);
    EXPECT_GT(darkIn(shot(), row), darkIn(clean, row) + wide / 4);
    w.ShowRowSizeLine(-1);
    EXPECT_EQ(shot(), clean);
}
