// Cell graphics, mini-HTML cells, backgrounds and row colours of the painted
// grid: geometry as tables, then pixels of a grid painted into an image.
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/widget/cell_graphics.h"
#include "controls/grid/widget/cell_html_layout.h"
#include "controls/grid/widget/grid_painter.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace grid;

namespace {

// ---- Geometry ----

TEST(GraphicPlacement, AlignmentsTable)
{
    const QRect r(10, 20, 100, 30);  // right 110, bottom 50 as the rules count
    const struct
    {
        TCellHAlign ha;
        TCellVAlign va;
        int t;
        TAlignment text;
        QRect expected;
    } cases[] = {
        {haLeft, vaTop, 0, taLeftJustify, {11, 21, 16, 16}},
        {haRight, vaBottom, 0, taLeftJustify, {93, 33, 16, 16}},
        {haCenter, vaCenter, 0, taLeftJustify, {52, 27, 16, 16}},
        {haCenter, vaUnderText, 0, taLeftJustify, {52, 34, 16, 16}},
        {haBeforeText, vaAboveText, 40, taLeftJustify, {11, 21, 16, 16}},
        {haBeforeText, vaTop, 40, taRightJustify, {54, 21, 16, 16}},
        {haBeforeText, vaTop, 40, taCenter, {32, 21, 16, 16}},
        {haAfterText, vaTop, 40, taLeftJustify, {50, 21, 16, 16}},
        {haAfterText, vaTop, 40, taRightJustify, {93, 21, 16, 16}},
        {haAfterText, vaTop, 40, taCenter, {72, 21, 16, 16}},
        // Never left of the rectangle.
        {haBeforeText, vaTop, 120, taRightJustify, {11, 21, 16, 16}},
        {haFull, vaFull, 0, taLeftJustify, {10, 20, 100, 30}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceCellGraphic(r, c.ha, c.va, 16, 16, c.t, c.text), c.expected)
            << "ha " << c.ha << " va " << c.va << " t " << c.t << " text " << c.text;
    // A graphic wider than the cell starts at its left + 1 when centred.
    EXPECT_EQ(PlaceCellGraphic(r, haCenter, vaCenter, 120, 40, 0, taLeftJustify), QRect(11, 21, 120, 40));
}

TEST(GraphicPlacement, CheckBoxesFollowTheTextAlignment)
{
    const QRect r(0, 0, 100, 20);
    const struct
    {
        TAlignment text;
        bool showsText;
        int t;
        int left;
    } cases[] = {
        {taLeftJustify, true, 30, 1},
        {taRightJustify, true, 30, 100 - 30 - 15 - 1},  // just left of the text
        {taRightJustify, false, 30, 100 - 15 - 1},
        {taCenter, true, 30, (100 - 30) / 2 - 15},      // left of the centred text
        {taCenter, true, 0, (100 - 15) / 2},
        {taCenter, false, 30, (100 - 15) / 2},
        {taRightJustify, true, 200, 0},                 // never left of the rectangle
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckGlyphLeft(r, c.text, c.showsText, c.t, 15), c.left) << c.text << " " << c.t;
}

TEST(GraphicPlacement, RatingStarsTakeTheNearestHalf)
{
    const struct
    {
        double value;
        std::array<StarFill, 5> stars;
    } cases[] = {
        {3.3, {StarFill::Full, StarFill::Full, StarFill::Full, StarFill::Half, StarFill::Empty}},
        {3.2, {StarFill::Full, StarFill::Full, StarFill::Full, StarFill::Empty, StarFill::Empty}},
        {0.0, {StarFill::Empty, StarFill::Empty, StarFill::Empty, StarFill::Empty, StarFill::Empty}},
        {0.3, {StarFill::Half, StarFill::Empty, StarFill::Empty, StarFill::Empty, StarFill::Empty}},
        {5.0, {StarFill::Full, StarFill::Full, StarFill::Full, StarFill::Full, StarFill::Full}},
        {-2.0, {StarFill::Empty, StarFill::Empty, StarFill::Empty, StarFill::Empty, StarFill::Empty}},
    };
    for (const auto& c : cases)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(RatingStar(c.value, i), c.stars[i]) << c.value << " star " << i;
}

TEST(GraphicPlacement, CornersChevronsNodeBoxesAndGlyphNames)
{
    const QRect cell(10, 20, 50, 30);  // right 60
    EXPECT_EQ(CommentCorner(cell), (std::array<QPoint, 3>{QPoint(53, 20), QPoint(58, 20), QPoint(58, 25)}));
    EXPECT_EQ(ExpandButtonRect(cell), QRect(47, 20, 13, 13));
    EXPECT_EQ(ExpandChevron(cell, false), (std::array<QPoint, 3>{QPoint(50, 25), QPoint(53, 28), QPoint(57, 24)}));
    EXPECT_EQ(ExpandChevron(cell, true), (std::array<QPoint, 3>{QPoint(50, 28), QPoint(53, 25), QPoint(57, 29)}));

    const NodeBox n = FlatNodeBox(100, 10, 20);
    EXPECT_EQ(n.Box, QRect(104, 16, 9, 9));
    EXPECT_EQ(n.MinusFrom, QPoint(106, 20));
    EXPECT_EQ(n.MinusTo, QPoint(111, 20));
    EXPECT_EQ(n.BarFrom, QPoint(108, 18));
    EXPECT_EQ(n.BarTo, QPoint(108, 23));
    EXPECT_EQ(FlatNodeBox(0, 0, 4).Box.top(), 0);  // a low row keeps the box at the top

    const struct
    {
        TControlStyle style;
        bool on, enabled;
        const char* check;
        const char* radio;
    } names[] = {
        {csWinXP, true, true, "ESGCHK05", "ESGRAD05"},  {csWinXP, true, false, "ESGCHK07", "ESGRAD07"},
        {csWinXP, false, true, "ESGCHK06", "ESGRAD06"}, {csWinXP, false, false, "ESGCHK08", "ESGRAD08"},
        {csZAD, true, true, "ESGCHK01", "ESGRAD01"},    {csZAD, true, false, "ESGCHK03", "ESGRAD03"},
        {csZAD, false, true, "ESGCHK02", "ESGRAD02"},   {csZAD, false, false, "ESGCHK04", "ESGRAD04"},
        {csClassic, true, true, nullptr, nullptr},      {csTheme, true, true, nullptr, nullptr},
    };
    for (const auto& c : names) {
        EXPECT_STREQ(CheckBitmapName(c.style, c.on, c.enabled), c.check);
        EXPECT_STREQ(RadioBitmapName(c.style, c.on, c.enabled), c.radio);
    }
    EXPECT_EQ(CheckThemeState(false, false, true), 1);
    EXPECT_EQ(CheckThemeState(true, false, false), 8);
    EXPECT_EQ(CheckThemeState(true, true, true), 9);
    EXPECT_EQ(CheckThemeState(false, true, false), 12);
}

TEST(GraphicPlacement, RadioItems)
{
    const QRect r(0, 0, 300, 60);
    // 16 px styles: pitch max(16, text height), captions 18 px right.
    EXPECT_EQ(PlaceRadioItem(csWinXP, r, 2, 14, 10, false, 0).Glyph, QPoint(2, 34));
    EXPECT_EQ(PlaceRadioItem(csWinXP, r, 1, 20, 10, false, 0).Caption, QPoint(18, 23));
    EXPECT_EQ(PlaceRadioItem(csWinXP, r, 1, 14, 10, true, 40).Glyph, QPoint(2 + 16 + 40, 22));
    EXPECT_EQ(PlaceRadioItem(csBevel, r, 0, 14, 10, false, 0).Caption, QPoint(20, 0));
    // Classic: the radio size, captions at radio size + 4.
    EXPECT_EQ(PlaceRadioItem(csClassic, r, 1, 14, 10, false, 0).Glyph, QPoint(2, 16));
    EXPECT_EQ(PlaceRadioItem(csClassic, r, 1, 14, 10, false, 0).Caption, QPoint(16, 14));
    EXPECT_EQ(PlaceRadioItem(csFlat, r, 1, 14, 10, true, 30).Glyph, QPoint(2 + 12 + 30, 24));
}

// ---- Pixels ----

class GraphicsPainting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetColCount(3);
        g.SetRowCount(8);
        g.SetDefaultColWidth(120);
        g.SetDefaultRowHeight(24);
        for (int r = 0; r < 8; ++r)
            g.SetRowHeights(r, 24);
        g.Loaded();
        g.SetClientSize({400, 250});
        g.SetSelection({0, 0, 0, 0});
    }
    QImage Paint(GridPainter& painter)
    {
        QImage img(g.ClientWidth(), g.ClientHeight(), QImage::Format_RGB32);
        img.fill(Qt::magenta);
        QPainter p(&img);
        painter.Paint(p, img.rect(), false);
        return img;
    }
    QImage Paint()
    {
        GridPainter painter(g);
        return Paint(painter);
    }
    static int Count(const QImage& img, const QRect& area, const std::function<bool(QColor)>& match)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += match(img.pixelColor(x, y));
        return n;
    }
    static bool Reddish(QColor c) { return c.red() > 180 && c.green() < 80 && c.blue() < 80; }
    static bool Blueish(QColor c) { return c.blue() > 180 && c.red() < 80 && c.green() < 80; }
    TExStringGrid g;
};

TEST_F(GraphicsPainting, MiniHtmlCellsAreRenderedOnlyWithHtmlOn)
{
    g.SetCells(1, 1, QStringLiteral("<FONT color=\"clRed\"><B>MMMM</B></FONT> plain"));
    g.SetCells(1, 2, QStringLiteral("go <A href=\"target\">LINKLINK</A>"));
    const QRect c1 = g.CellRect(1, 1);
    const QRect c2 = g.CellRect(1, 2);
    QImage img = Paint();
    EXPECT_GT(Count(img, c1, Reddish), 10);
    EXPECT_GT(Count(img, c2, Blueish), 10);  // the link colour
    // No tag text is shown.
    // The layout the mouse side hit-tests is the one painted: the link's
    // painted pixels lie in its hit rectangle.
    const html::HtmlLayout probe = CellHtmlLayout(g, 1, 2, {-1, -1});
    ASSERT_EQ(probe.LinkCount, 1);
    ASSERT_FALSE(probe.Lines.empty());
    int inside = 0;
    int outside = 0;
    QRect linkRect;
    for (int y = c2.top(); y <= c2.bottom(); ++y)
        for (int x = c2.left(); x <= c2.right(); ++x)
            if (Blueish(img.pixelColor(x, y)))
                linkRect |= QRect(x, y, 1, 1);
    const html::HtmlLayout hit = CellHtmlLayout(g, 1, 2, linkRect.center());
    EXPECT_TRUE(hit.Hit);
    EXPECT_EQ(hit.HitLinkIndex, 1);
    EXPECT_EQ(hit.HitLinkTarget, QStringLiteral("target"));
    EXPECT_TRUE(hit.HitLinkRect.contains(linkRect.center()));
    for (int y = linkRect.top(); y <= linkRect.bottom(); ++y)
        for (int x = linkRect.left(); x <= linkRect.right(); ++x)
            (hit.HitLinkRect.adjusted(-1, -1, 1, 1).contains(x, y) ? inside : outside) += 1;
    EXPECT_EQ(outside, 0);
    // Left of the link text is no hit; a plain cell lays nothing out.
    EXPECT_FALSE(CellHtmlLayout(g, 1, 2, {c2.left() + 2, linkRect.center().y()}).Hit);
    g.SetCells(2, 2, QStringLiteral("plain"));
    EXPECT_TRUE(CellHtmlLayout(g, 2, 2, c2.center()).Lines.empty());

    // With EnableHTML off "<Corp>" and the tags show as typed, in black.
    g.EnableHTML = false;
    g.SetCells(1, 3, QStringLiteral("<Corp>"));
    img = Paint();
    EXPECT_EQ(Count(img, c1, Reddish), 0);
    EXPECT_EQ(Count(img, c2, Blueish), 0);
    EXPECT_GT(Count(img, g.CellRect(1, 3), [](QColor c) { return c.lightness() < 80; }), 10);
    EXPECT_TRUE(CellHtmlLayout(g, 1, 2, linkRect.center()).Lines.empty());
}

TEST_F(GraphicsPainting, CommentCornerInItsColourOrTheLookColour)
{
    g.AddColorComment(1, 1, QStringLiteral("note"), clBlue);
    g.AddComment(1, 2, QStringLiteral("note"));
    g.ControlLook.SetCommentColor(clRed);
    const QImage img = Paint();
    auto corner = [&](int row) {
        const QRect c = g.CellRect(1, row);
        return img.pixelColor(c.left() + c.width() - 3, c.top() + 1);
    };
    EXPECT_EQ(corner(1), ToQColor(clBlue));
    EXPECT_EQ(corner(2), ToQColor(clRed));
    g.ControlLook.SetCommentColor(clNone);
    const QImage none = Paint();
    const QRect c = g.CellRect(1, 1);
    EXPECT_EQ(none.pixelColor(c.left() + c.width() - 3, c.top() + 1), ToQColor(g.Color));
}

TEST_F(GraphicsPainting, RatingShapeAndExpandChevron)
{
    g.AddRating(1, 1, 5, clRed, clSilver);
    g.SetCells(1, 1, QStringLiteral("3.3"));
    g.AddShape(1, 2, csSquare, clRed, clBlack, haLeft, vaCenter);
    g.AddExpand(1, 3, 40);
    const QImage img = Paint();
    // Stars 16 px wide, 18 px apart, from the graphic's left (haFull: the
    // cell's inset rectangle); a star's centre in its colour.
    const QRect content = CellContentRect(g, 1, 1);
    const QRect r = content.adjusted(g.XYOffset().x() - 1, g.XYOffset().y() - 1, 0, 0);
    const QRect gr = PlaceCellGraphic(r, haFull, vaTop, 5 * 18, 16, 0, taLeftJustify);
    auto colour = [&](int i, int from, int height, TColor c) {
        const QColor q = ToQColor(c);
        return Count(img, QRect(gr.left() + i * 18, gr.top() + from, 17, height), [&](QColor p) { return p == q; });
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(colour(i, 0, 16, clRed), 10) << i;
        EXPECT_EQ(colour(i, 0, 16, clSilver), 0) << i;
    }
    // The half star: its lower half red over the empty star.
    EXPECT_GT(colour(3, 9, 8, clRed), 5);
    EXPECT_EQ(colour(3, 0, 7, clRed), 0);
    EXPECT_GT(colour(3, 0, 7, clSilver), 5);
    EXPECT_EQ(colour(4, 0, 16, clRed), 0);
    EXPECT_GT(colour(4, 0, 16, clSilver), 10);

    // The shape is filled in its shape colour, not its line colour.
    const QRect s = g.CellRect(1, 2);
    EXPECT_GT(Count(img, s, Reddish), 50);

    // Down chevron while collapsed.
    const QRect e = g.CellRect(1, 3);
    const QRect ec = CellContentRect(g, 1, 3);
    const auto down = ExpandChevron(ec, false);
    EXPECT_EQ(img.pixelColor(down[1] + QPoint(0, -1)).lightness() < 100 ||
                  img.pixelColor(down[1]).lightness() < 100,
              true);
    EXPECT_TRUE(e.contains(down[1]));
}

TEST_F(GraphicsPainting, ProgressKindsAndEqualLimits)
{
    g.AddExProgress(1, 1, 50, 50);  // equal limits: 0 %, no division
    g.SetCells(1, 1, QStringLiteral("70"));
    g.AddExProgress(1, 2, 0, 100);
    g.SetCells(1, 2, QStringLiteral("100"));
    g.AddProgressPie(1, 3, clRed, 50);
    g.AddRangeIndicator(1, 4, 100, clRed, clBlue, false);
    g.SetCells(1, 4, QStringLiteral("-50"));
    g.AddProgressFormatted(1, 5, clBlue, clWhite, clWhite, clBlack, QStringLiteral("%d%%"), 10, 10);
    g.SetCells(1, 5, QStringLiteral("10"));
    GridPainter painter(g);
    painter.ProgressAppearance.Bar.ShowPercentage = false;
    painter.ProgressAppearance.Bar.ShowGradient = false;
    const QImage img = Paint(painter);
    const QColor level3 = ToQColor(painter.ProgressAppearance.Bar.Level3Color);
    EXPECT_EQ(Count(img, g.CellRect(1, 1), [&](QColor c) { return c == level3; }), 0);
    EXPECT_GT(Count(img, g.CellRect(1, 2), [&](QColor c) { return c == level3; }), 100);
    EXPECT_GT(Count(img, g.CellRect(1, 3), Reddish), 20);
    // Negative values grow left of the centre in the negative colour.
    const QRect range = g.CellRect(1, 4);
    const QRect left(range.left(), range.top(), range.width() / 2 - 2, range.height());
    const QRect right(range.center().x() + 2, range.top(), range.width() / 2 - 2, range.height());
    EXPECT_GT(Count(img, left, Reddish), 20);
    EXPECT_EQ(Count(img, right, Reddish), 0);
    // Equal limits of a formatted bar draw 0 % too.
    EXPECT_EQ(Count(img, g.CellRect(1, 5), Blueish), 0);
}

TEST_F(GraphicsPainting, CheckGlyphsPerStyle)
{
    TGridOptions options = g.Options();
    options.Include(goEditing);
    g.SetOptions(options);
    g.AddCheckBox(1, 1, true, false);
    g.AddCheckBox(1, 2, cbGrayed);
    GridPainter painter(g);
    auto glyphAt = [&](const QImage& img, int row, const char* name) {
        const QRect content = CellContentRect(g, 1, row);
        TAlignment ha;
        TVAlignment va;
        g.GetCellTextAlignment(1, row, ha, va);
        const QRect glyph = painter.CheckGlyphRect(1, row, content, ha);
        const QImage expected = painter.GridGlyph(name, clNone);
        if (expected.isNull())
            return false;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (expected.pixelColor(x, y).alpha() == 255 &&
                    expected.pixelColor(x, y).rgb() != img.pixelColor(glyph.left() + x, glyph.top() + y).rgb())
                    return false;
        return true;
    };
    const struct
    {
        TControlStyle style;
        const char* checked;
        const char* grayed;
    } cases[] = {
        {csWinXP, "ESGCHK05", "ESGCHK06"},
        {csZAD, "ESGCHK01", "ESGCHK02"},  // no mixed picture: the unchecked one
    };
    for (const auto& c : cases) {
        g.ControlLook.SetControlStyle(c.style);
        const QImage img = Paint(painter);
        EXPECT_TRUE(glyphAt(img, 1, c.checked)) << c.style;
        EXPECT_TRUE(glyphAt(img, 2, c.grayed)) << c.style;
    }
    // Bevelled: the tick in the look's colour.
    g.ControlLook.SetControlStyle(csBevel);
    g.ControlLook.SetColor(clRed);
    QImage img = Paint(painter);
    EXPECT_GT(Count(img, g.CellRect(1, 1), Reddish), 4);
    // Glyph style: the look's pictures.
    QImage on(10, 10, QImage::Format_RGB32);
    on.fill(Qt::white);
    QPainter(&on).fillRect(2, 2, 6, 6, Qt::blue);
    g.ControlLook.SetControlStyle(csGlyph);
    g.ControlLook.SetGlyph(g.ControlLook.CheckedGlyph, on);
    img = Paint(painter);
    EXPECT_EQ(Count(img, g.CellRect(1, 1), Blueish), 36);
}

TEST_F(GraphicsPainting, RadioGroupsAndImageLists)
{
    TGridOptions options = g.Options();
    options.Include(goEditing);
    g.SetOptions(options);
    g.ControlLook.SetControlStyle(csWinXP);
    TStringsObject* items = g.CreateRadio(1, 1, 0, 1);
    ASSERT_NE(items, nullptr);
    items->Lines = {QStringLiteral("a"), QStringLiteral("b")};
    g.SetRowHeights(1, 40);
    TGridImageList images;
    QPixmap red(8, 8);
    red.fill(Qt::red);
    QPixmap blue(8, 8);
    blue.fill(Qt::blue);
    images.Add(red);
    images.Add(blue);
    g.GridImages = &images;
    g.AddImageIdx(2, 1, 1, haLeft, vaTop);
    if (TIntList* list = g.AddMultiImage(1, 3, 0, haLeft, vaTop)) {
        list->Add(0);
        list->Add(1);
        list->Add(0);
    }
    // A radio button is on exactly when it says so, also in an empty cell.
    g.AddRadioButton(2, 3, false);
    g.AddRadioButton(2, 4, true);
    GridPainter painter(g);
    const QImage img = Paint(painter);
    const QColor dot = painter.GridGlyph("ESGRAD05", clNone).pixelColor(8, 8);
    EXPECT_EQ(Count(img, g.CellRect(2, 3), [&](QColor c) { return c == dot; }), 0);
    EXPECT_GT(Count(img, g.CellRect(2, 4), [&](QColor c) { return c == dot; }), 4);
    // Vertical group of 16 px items: item 1 (from 0) on.
    const QRect content = CellContentRect(g, 1, 1);
    const QRect r = content.adjusted(g.XYOffset().x() - 1, g.XYOffset().y() - 1, -(g.XYOffset().x() - 1),
                                     -(g.XYOffset().y() - 1));
    const QFontMetrics fm(ToQFont(g.Font));
    for (int i = 0; i < 2; ++i) {
        const QPoint at = PlaceRadioItem(csWinXP, r, i, fm.height(), g.ControlLook.RadioSize(), false, 0).Glyph;
        const QImage expected = painter.GridGlyph(i == 1 ? "ESGRAD05" : "ESGRAD06", clNone);
        EXPECT_EQ(img.pixelColor(at + QPoint(8, 8)), expected.pixelColor(8, 8)) << i;
    }
    EXPECT_EQ(Count(img, g.CellRect(2, 1), Blueish), 64);
    EXPECT_EQ(Count(img, g.CellRect(2, 1), Reddish), 0);
    // Images side by side, advancing by the list's width.
    const QRect multi = g.CellRect(1, 3);
    EXPECT_EQ(Count(img, multi, Reddish), 128);
    EXPECT_EQ(Count(img, multi, Blueish), 64);
}

TEST_F(GraphicsPainting, HoverActiveRowAndBands)
{
    g.HoverRow = true;
    g.FHoverRowIdx = 2;
    g.HoverRowColor = clYellow;
    g.SetActiveRowShow(true);
    g.SetActiveRowColor(clLime);
    g.FocusCell(1, 4, true); // one move: the fixed cells in between take no cursor
    ASSERT_EQ(g.Row(), 4);
    g.Bands.SetPrimaryColor(0xEEEEEE);
    g.Bands.SetSecondaryColor(0xDDDDDD);
    g.Bands.SetActive(true);
    const QImage img = Paint();
    auto inner = [&](int col, int row) { return img.pixelColor(g.CellRect(col, row).center()); };
    EXPECT_EQ(inner(1, 2), ToQColor(clYellow));
    EXPECT_EQ(inner(2, 2), ToQColor(clYellow));
    EXPECT_EQ(inner(2, 4), ToQColor(clLime));  // the active row but its current cell
    // Bands: rows alternate between the two band colours.
    const QColor a = inner(1, 5);
    const QColor b = inner(1, 6);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == ToQColor(0xEEEEEE) && b == ToQColor(0xDDDDDD)) ||
                (a == ToQColor(0xDDDDDD) && b == ToQColor(0xEEEEEE)));
    EXPECT_EQ(inner(1, 7), a);
}

// A picture whose pixels all differ, tiled behind the cells.
QImage Pattern(int w, int h)
{
    QImage pic(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pic.setPixelColor(x, y, QColor(40 + x * 20, 40 + y * 30, 200));
    return pic;
}

TEST_F(GraphicsPainting, TiledBackGroundRunsOnAcrossCellsAndPastTheLast)
{
    g.SetColCount(4);
    g.SetRowCount(4);
    g.SetColWidths(1, 97);  // odd widths move the phase from cell to cell
    g.SetColWidths(2, 53);
    g.SetColWidths(3, 61);
    g.SetFixedCols(1);
    const QImage pic = Pattern(7, 5);
    g.BackGround.Bitmap = pic;
    int onPainted = 0;
    GridPainter painter(g);
    painter.OnPainted = [&] { ++onPainted; };
    const QImage img = Paint(painter);
    EXPECT_EQ(onPainted, 1);
    // Along a row, every picture pixel seen repeats 7 px further whenever both
    // spots show the picture (no seam at cell borders or past the last cell).
    const int y = g.CellRect(1, 2).center().y();
    auto isPicture = [&](int x) { return img.pixelColor(x, y).blue() == 200; };
    int compared = 0;
    bool pastLast = false;
    for (int x = g.FixedColsWidth(); x + 7 < img.width(); ++x) {
        if (!isPicture(x) || !isPicture(x + 7))
            continue;
        ++compared;
        pastLast |= x + 7 > g.CellRect(3, 2).right() + 1;
        EXPECT_EQ(img.pixelColor(x, y), img.pixelColor(x + 7, y)) << x;
    }
    EXPECT_GT(compared, 100);
    EXPECT_TRUE(pastLast);
    // Fixed cells keep their own look with bcNormal.
    EXPECT_NE(img.pixelColor(g.CellRect(0, 2).center()).blue(), 200);
}

TEST_F(GraphicsPainting, BackGroundEdgeCases)
{
    g.SetColCount(2);
    g.SetRowCount(3);
    const QPoint outside(g.ClientWidth() - 5, 5);
    const QPoint below(5, g.ClientHeight() - 5);
    // A gradient whose end is none paints nothing outside the cells.
    g.BackGround.Display = bdGradientHorz;
    g.BackGround.Color = clRed;
    g.BackGround.ColorTo = clNone;
    QImage img = Paint();
    EXPECT_EQ(img.pixelColor(outside), ToQColor(g.Color));
    EXPECT_EQ(img.pixelColor(below), ToQColor(g.Color));
    // With an end colour it runs over the area outside.
    g.BackGround.ColorTo = clBlue;
    img = Paint();
    EXPECT_NE(img.pixelColor(outside), ToQColor(g.Color));
    EXPECT_TRUE(Blueish(img.pixelColor(outside)));
    // bcFixed: the picture only in fixed cells, never outside them.
    g.BackGround.Display = bdTile;
    g.BackGround.Bitmap = Pattern(7, 5);
    g.BackGround.Cells = bcFixed;
    img = Paint();
    EXPECT_EQ(img.pixelColor(outside), ToQColor(g.Color));
    EXPECT_EQ(img.pixelColor(g.CellRect(0, 0).center()).blue(), 200);
    EXPECT_NE(img.pixelColor(g.CellRect(1, 1).center()).blue(), 200);
    // A picture at a fixed place shows the part under each cell.
    g.BackGround.Display = bdFixed;
    g.BackGround.Cells = bcAll;
    g.BackGround.Left = 150;
    g.BackGround.Top = 50;
    img = Paint();
    const QImage pic = Pattern(7, 5);
    EXPECT_EQ(img.pixelColor(152, 52), pic.pixelColor(2, 2));
}

} // namespace
