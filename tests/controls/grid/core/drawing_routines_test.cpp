// Drawing routines as geometry (a canvas that records), and the sort
// settings' text form.
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/ex_string_grid.h"

#include <gtest/gtest.h>

#include <vector>

using namespace grid;

namespace {

struct Op
{
    char kind; // F fill, L line, P pixel, R frame, G polygon, E ellipse, I pie, T text
    QRect rect;
    QPoint a, b;
    TColor color = clNone;
    QString text;
    std::vector<QPoint> points;
};

class RecordingCanvas : public Canvas
{
public:
    void FillRect(const QRect& r, TColor c) override { ops.push_back({'F', r, {}, {}, c}); }
    void Line(QPoint a, QPoint b, TColor c, int) override { ops.push_back({'L', {}, a, b, c}); }
    void Pixel(QPoint a, TColor c) override { ops.push_back({'P', {}, a, a, c}); }
    void FrameRect(const QRect& r, TColor c) override { ops.push_back({'R', r, {}, {}, c}); }
    void Polygon(const QPoint* p, int n, TColor brush, TColor) override
    {
        ops.push_back({'G', {}, {}, {}, brush, {}, std::vector<QPoint>(p, p + n)});
    }
    void Ellipse(const QRect& r, TColor brush, TColor) override { ops.push_back({'E', r, {}, {}, brush}); }
    void Pie(const QRect& r, int span, TColor brush, TColor) override
    {
        ops.push_back({'I', r, {span, 0}, {}, brush});
    }
    void CenteredText(const QRect& r, const QRect& clip, const QString& t, TColor c) override
    {
        ops.push_back({'T', clip, {}, {}, c, t});
    }
    std::vector<Op> Of(char kind) const
    {
        std::vector<Op> out;
        for (const Op& o : ops)
            if (o.kind == kind)
                out.push_back(o);
        return out;
    }
    std::vector<Op> ops;
};

} // namespace

TEST(GradientRect, BandsStepsAndSolidFills)
{
    struct Case
    {
        const char* name;
        TColor from, to;
        QRect rect;
        int steps;
        int bands;       // fills drawn
        TColor first, last;
    };
    const Case cases[] = {
        {"more steps than pixels: a band per pixel", 0x000000, 0x0000FF, QRect(0, 0, 10, 10), 64, 10, 0x000000, 0x0000FF},
        {"steps 0: one band of each end", 0x000000, 0x0000FF, QRect(0, 0, 10, 10), 0, 2, 0x000000, 0x0000FF},
        {"equal colours", 0x336699, 0x336699, QRect(0, 0, 10, 20), 4, 5, 0x336699, 0x336699},
        {"to none: solid from", 0x112233, clNone, QRect(0, 0, 10, 20), 64, 1, 0x112233, 0x112233},
        {"from none: solid to", clNone, 0x445566, QRect(0, 0, 10, 20), 64, 1, 0x445566, 0x445566},
        {"zero height", 0x000000, 0xFFFFFF, QRect(0, 0, 10, 0), 64, 0, clNone, clNone},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        DrawGradientRect(canvas, c.from, c.to, false, c.rect, c.steps);
        const auto fills = canvas.Of('F');
        ASSERT_EQ(int(fills.size()), c.bands) << c.name;
        if (fills.empty())
            continue;
        EXPECT_EQ(fills.front().color, c.first) << c.name;
        EXPECT_EQ(fills.back().color, c.last) << c.name;
        // Bands cover the rectangle from top to bottom and never leave it.
        QRect covered;
        for (const Op& f : fills) {
            EXPECT_TRUE(c.rect.contains(f.rect)) << c.name;
            covered = covered.united(f.rect);
        }
        EXPECT_EQ(covered, c.rect) << c.name;
    }
    // Horizontal bands run left to right.
    RecordingCanvas h;
    DrawGradientRect(h, 0x000000, 0xFF0000, true, QRect(5, 5, 4, 30), 64);
    ASSERT_EQ(h.Of('F').size(), 4u);
    EXPECT_EQ(h.Of('F')[1].rect, QRect(6, 5, 2, 30));
    EXPECT_EQ(h.Of('F')[3].rect, QRect(8, 5, 1, 30)); // cut at the end
}

TEST(ProgressBar, PercentTextAndFilledPart)
{
    struct Case
    {
        double position, min, max;
        const char* format;
        int percent;
        const char* text;
    };
    const Case cases[] = {
        {50, 0, 100, "", 50, "50%"},
        {150, 0, 100, "", 100, "150%"}, // outside the range: full bar, real value
        {-5, 0, 100, "", 0, "-5%"},
        {7, 0, 10, "%d", 70, "7"},
        {2.5, 0, 10, "%.1f", 25, "2.5"},
        {5, 5, 5, "%d", 0, "5"}, // equal limits: 0 %, no division
    };
    for (const Case& c : cases) {
        const ProgressBarLayout l =
            LayoutProgressBar(QRect(0, 0, 104, 20), QString::fromLatin1(c.format), c.max, c.min, 2, 2, c.position);
        EXPECT_EQ(l.Percent, c.percent) << c.text;
        EXPECT_EQ(l.Text, QString::fromLatin1(c.text));
        EXPECT_EQ(l.Filled, QRect(2, 2, c.percent, 16)) << c.text;
        EXPECT_EQ(l.Rest, QRect(2 + c.percent, 2, 100 - c.percent, 16)) << c.text;
    }
    // The text in two colours, split where the bar ends; border and outer frame.
    RecordingCanvas canvas;
    DrawProgressBar(canvas, QRect(0, 0, 104, 20), 0x00FF00, 0x808080, QString(), 100, 0, 2, 2, 30, 0x000000,
                    0xFFFFFF, 0xFFFFFF, 0xABCDEF);
    const auto texts = canvas.Of('T');
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].rect, QRect(2, 2, 30, 16));
    EXPECT_EQ(texts[0].color, 0xFFFFFFu);
    EXPECT_EQ(texts[1].rect, QRect(32, 2, 70, 16));
    EXPECT_EQ(texts[1].color, 0x000000u);
    const auto frames = canvas.Of('R');
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].rect, QRect(1, 1, 102, 18));
    EXPECT_EQ(frames[1].color, 0xABCDEFu);

    // Level bars: equal limits give 0 % as well.
    EXPECT_EQ(LevelPercent(50, 0, 200), 25);
    EXPECT_EQ(LevelPercent(-50, 0, 100), 50);
    EXPECT_EQ(LevelPercent(7, 3, 3), 0);
    EXPECT_EQ(RangePercent(3, 3, 3), 0);
}

TEST(SelectionFrame, ClosedAndOpenSides)
{
    const QRect box(10, 10, 40, 20);
    struct Case
    {
        int open;
        int verticalBorders;
        int cornerPixels;
    };
    for (const Case c : {Case{0, 2, 4}, Case{1, 1, 2}, Case{2, 1, 2}, Case{3, 0, 0}}) {
        RecordingCanvas canvas;
        DrawSelectionFrame(canvas, box, c.open, 0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666,
                           clNone, clNone, clNone);
        int vertical = 0;
        int horizontal = 0;
        for (const Op& o : canvas.Of('L'))
            if (o.color == 0x111111)
                (o.a.x() == o.b.x() ? vertical : horizontal)++;
        EXPECT_EQ(vertical, c.verticalBorders) << c.open;
        EXPECT_EQ(horizontal, 2) << c.open;
        int corners = 0;
        for (const Op& o : canvas.Of('P'))
            corners += o.color == 0x444444;
        EXPECT_EQ(corners, c.cornerPixels) << c.open;
        // Closed sides leave two pixels before the border's horizontal lines.
        for (const Op& o : canvas.Of('L'))
            if (o.color == 0x111111 && o.a.y() == o.b.y())
                EXPECT_EQ(o.a.x(), c.open == 0 || c.open == 1 ? 12 : 10) << c.open;
        // A solid inside without ColorTo.
        ASSERT_EQ(canvas.Of('F').size(), 1u);
        EXPECT_EQ(canvas.Of('F')[0].color, 0x666666u);
    }
}

TEST(CellShapes, GeometryTable)
{
    struct Case
    {
        TCellShape shape;
        int w, h;
        char kind;
        QRect rect;
        std::vector<QPoint> points;
    };
    const Case cases[] = {
        {csCircle, 20, 10, 'E', QRect(3, 4, 10, 10), {}},
        {csEllips, 20, 10, 'E', QRect(3, 4, 20, 10), {}},
        {csTriangleUp, 10, 8, 'G', {}, {{3, 12}, {13, 12}, {8, 4}}},
        {csTriangleLeft, 10, 8, 'G', {}, {{13, 4}, {13, 12}, {3, 8}}},
        {csDiamond, 11, 9, 'G', {}, {{3, 8}, {8, 4}, {13, 8}, {8, 12}}},
        {csArrowUp, 9, 8, 'G', {}, {{3, 8}, {7, 4}, {11, 8}, {9, 8}, {9, 12}, {5, 12}, {5, 8}}},
        {csLineHorz, 10, 8, 'F', QRect(3, 8, 10, 1), {}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        DrawCellShape(canvas, 3, 4, c.w, c.h, c.shape, 0x0000FF, 0x000000);
        const auto ops = canvas.Of(c.kind);
        ASSERT_EQ(ops.size(), 1u) << c.shape;
        if (c.kind == 'G')
            EXPECT_EQ(ops[0].points, c.points) << c.shape;
        else
            EXPECT_EQ(ops[0].rect, c.rect) << c.shape;
    }
    RecordingCanvas star;
    DrawCellShape(star, 0, 0, 16, 16, csStar, 0x00FFFF, 0x000000);
    ASSERT_EQ(star.Of('G').size(), 1u);
    const auto pts = star.Of('G')[0].points;
    ASSERT_EQ(pts.size(), 10u);
    EXPECT_EQ(pts[0], QPoint(16, 8)); // outer point at 0 degrees
    EXPECT_EQ(pts[5], QPoint(8 - 2, 8)); // inner point at 180 degrees, radius w / 6
}

TEST(SortIndicator, OutlineTriangles)
{
    RecordingCanvas up;
    DrawSortIndicator(up, 50, 20, false);
    ASSERT_EQ(up.Of('L').size(), 3u);
    EXPECT_EQ(up.ops[0].a, QPoint(46, 24));
    EXPECT_EQ(up.ops[0].color, clWhite);
    EXPECT_EQ(up.ops[2].color, clGray);
    RecordingCanvas down;
    DrawSortIndicator(down, 50, 20, true);
    EXPECT_EQ(down.ops[0].a, QPoint(54, 16));
    EXPECT_EQ(down.ops[0].b, QPoint(50, 24));
}

namespace {

class SortingGrid : public TExStringGrid
{
public:
    void QSort() override { ++sorts; }
    void QSortIndexed() override { ++indexedSorts; }
    int sorts = 0;
    int indexedSorts = 0;
};

} // namespace

TEST(SortSettingsText, SaveLoadAndErrors)
{
    SortingGrid g;
    g.SetColCount(8);
    g.Loaded();
    TSortSettings& s = g.SortSettings;
    s.Column = 3;
    EXPECT_EQ(s.SaveToString(), QStringLiteral("u3"));
    s.ToggleDirection();
    s.Column = 0;
    EXPECT_EQ(s.SaveToString(), QStringLiteral("d0"));

    struct Case
    {
        const char* text;
        bool show;
        TSortDirection direction;
        int column;
        int sorts;
    };
    const Case cases[] = {
        {"u3", true, sdAscending, 3, 1},
        {"d5", true, sdDescending, 5, 1},
        {"dx", true, sdDescending, 2, 0}, // bad number: column and order kept
    };
    for (const Case& c : cases) {
        s.SetShow(false);
        s.Column = 2;
        s.Direction = sdAscending;
        g.sorts = 0;
        s.LoadFromString(QString::fromLatin1(c.text));
        EXPECT_EQ(s.Show(), c.show) << c.text;
        EXPECT_EQ(s.Direction, c.direction) << c.text;
        EXPECT_EQ(s.Column, c.column) << c.text;
        EXPECT_EQ(g.sorts, c.sorts) << c.text;
        EXPECT_FALSE(s.IndexShow);
    }

    s.SetShow(false);
    s.LoadFromString(QString()); // nothing at all
    EXPECT_FALSE(s.Show());
    try {
        s.LoadFromString(QStringLiteral("u"));
        ADD_FAILURE() << "a one-character text is refused";
    } catch (const GridError& e) {
        EXPECT_EQ(QString::fromStdString(e.what()), QStringLiteral("Invalid sort settings specifier"));
    }

    s.LoadFromString(QStringLiteral("i;u2;d5"));
    EXPECT_TRUE(s.IndexShow);
    EXPECT_EQ(g.indexedSorts, 1);
    EXPECT_EQ(s.SaveToString(), QStringLiteral("i;u2;d5"));
    s.Remove();
    EXPECT_EQ(s.Column, -1);
    EXPECT_EQ(g.SortIndexes.Count(), 0);
}
