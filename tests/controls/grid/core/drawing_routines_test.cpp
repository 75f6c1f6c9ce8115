// Drawing routines as geometry (a canvas that records), and the sort
// settings' text form.
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/text_measurer.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

using namespace grid;

namespace {

struct Op
{
    // F fill, L line, P pixel, R frame, G polygon, E ellipse, I pie, T text,
    // X font text, H themed part, C frame control, M image, A text at a point
    // (width: the font size)
    char kind;
    QRect rect{};
    QPoint a{}, b{};
    TColor color = clNone;
    QString text{};
    std::vector<QPoint> points{};
    int width = 1;
    bool upwards = false;
    QImage image{};
};

class RecordingCanvas : public Canvas
{
public:
    void FillRect(const QRect& r, TColor c) override { ops.push_back({'F', r, {}, {}, c}); }
    void Line(QPoint a, QPoint b, TColor c, int w) override
    {
        Op op{'L', {}, a, b, c};
        op.width = w;
        ops.push_back(op);
    }
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
    void FontText(const QRect& r, const QString& t, const TFont&, TColor c, bool upwards) override
    {
        Op op{'X', r, {}, {}, c, t};
        op.upwards = upwards;
        ops.push_back(op);
    }
    // The part and the state in a, the class in text.
    void ThemePart(const QRect& r, const char* cls, int part, int state) override
    {
        ops.push_back({'H', r, {part, state}, {}, clNone, QString::fromLatin1(cls)});
    }
    // The glyph and the flags in a.
    void FrameControl(const QRect& r, FrameGlyph glyph, unsigned flags) override
    {
        ops.push_back({'C', r, {int(glyph), int(flags)}, {}, clNone});
    }
    void TextAt(QPoint at, const QString& t, const TFont& font, TColor c) override
    {
        Op op{'A', QRect(at, QSize()), at, {}, c, t};
        op.width = font.Size;
        ops.push_back(op);
    }
    void Image(QPoint at, const QImage& image) override
    {
        Op op{'M', QRect(at, image.size()), at, {}, clNone};
        op.image = image;
        ops.push_back(op);
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
            if (o.color == 0x111111 && o.a.y() == o.b.y()) {
                EXPECT_EQ(o.a.x(), c.open == 0 || c.open == 1 ? 12 : 10) << c.open;
            }
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

TEST(CellBackground, SolidGradientMirrorAndBorder)
{
    const QRect rect(10, 20, 40, 10);
    struct Case
    {
        const char* name;
        TColor color, colorTo, mirror, mirrorTo;
        bool vertical, fill;
        TColor border;
        bool sidesOnly;
        QRect covered;           // what the fills cover together (empty: no fill)
        TColor first, last;      // colour of the first and the last band
        std::vector<QRect> bands; // where the halves of a mirror start (first band of each)
        int frames;
        std::vector<int> sideXs;  // x of the border lines
    };
    const Case cases[] = {
        {"solid reaches one pixel further down", 0x123456, clNone, clNone, clNone, true, true, clNone, false,
         QRect(10, 20, 40, 11), 0x123456, 0x123456, {}, 0, {}},
        {"vertical gradient top to bottom", 0x000000, 0x0000FF, clNone, clNone, true, true, clNone, false, rect,
         0x000000, 0x0000FF, {QRect(10, 20, 40, 2)}, 0, {}},
        {"horizontal gradient left to right", 0x000000, 0x0000FF, clNone, clNone, false, true, clNone, false, rect,
         0x000000, 0x0000FF, {QRect(10, 20, 2, 10)}, 0, {}},
        {"mirror: upper half, then lower half", 0x000000, 0x000010, 0x00FF00, 0x00FF10, true, true, clNone, false,
         rect, 0x000000, 0x00FF10, {QRect(10, 20, 40, 2), QRect(10, 25, 40, 2)}, 0, {}},
        {"mirror across: left half, then right half", 0x000000, 0x000010, 0x00FF00, 0x00FF10, false, true, clNone,
         false, rect, 0x000000, 0x00FF10, {QRect(10, 20, 2, 10), QRect(30, 20, 2, 10)}, 0, {}},
        {"no fill: only the frame", 0x123456, clNone, clNone, clNone, true, false, 0x808080, false, QRect(), clNone,
         clNone, {}, 1, {}},
        {"colour none: no fill", clNone, 0x0000FF, clNone, clNone, true, true, clNone, false, QRect(), clNone, clNone,
         {}, 0, {}},
        {"sides only: left and right edge", 0x123456, clNone, clNone, clNone, true, true, 0x808080, true,
         QRect(10, 20, 40, 11), 0x123456, 0x123456, {}, 0, {10, 49}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        FillCellBackground(canvas, rect, c.color, c.colorTo, c.mirror, c.mirrorTo, c.vertical, c.fill, c.border,
                           c.sidesOnly);
        const auto fills = canvas.Of('F');
        QRect covered;
        for (const Op& f : fills)
            covered = covered.united(f.rect);
        EXPECT_EQ(covered, c.covered) << c.name;
        if (!fills.empty()) {
            EXPECT_EQ(fills.front().color, c.first) << c.name;
            EXPECT_EQ(fills.back().color, c.last) << c.name;
        }
        for (const QRect& band : c.bands) {
            bool found = false;
            for (const Op& f : fills)
                found = found || f.rect == band;
            EXPECT_TRUE(found) << c.name << " band at " << band.x() << "," << band.y();
        }
        if (c.bands.size() == 2) { // the second half starts in the mirror colour
            for (const Op& f : fills) {
                if (f.rect == c.bands[1]) {
                    EXPECT_EQ(f.color, c.mirror) << c.name;
                }
            }
        }
        EXPECT_EQ(int(canvas.Of('R').size()), c.frames) << c.name;
        std::vector<int> xs;
        for (const Op& l : canvas.Of('L')) {
            EXPECT_EQ(l.a.x(), l.b.x()) << c.name;
            EXPECT_EQ(l.color, c.border) << c.name;
            EXPECT_EQ(std::make_pair(l.a.y(), l.b.y()), std::make_pair(20, 30)) << c.name;
            xs.push_back(l.a.x());
        }
        EXPECT_EQ(xs, c.sideXs) << c.name;
    }
    RecordingCanvas one;
    FillRectColor(one, rect, 0xABCDEF);
    ASSERT_EQ(one.ops.size(), 1u);
    EXPECT_EQ(one.ops[0].rect, rect);
    EXPECT_EQ(one.ops[0].color, 0xABCDEFu);
}

TEST(LevelProgressBar, LevelsSegmentsBlocksAndText)
{
    // 100 x 20: the bar runs inside by one pixel, 98 pixels long.
    const QRect rect(0, 0, 100, 20);
    LevelProgressStyle plain;
    plain.ShowGradient = false;
    plain.UnCompleteColor = 0xEEEEEE;
    struct Span
    {
        QRect rect;
        TColor color;
    };
    struct Case
    {
        const char* name;
        int percent;
        bool stacked, smooth, vertical;
        std::vector<Span> spans; // the fills after the background
    };
    const TColor l0 = plain.Level0Color, l1 = plain.Level1Color, l2 = plain.Level2Color, l3 = plain.Level3Color;
    const Case cases[] = {
        {"0 %: background, text and outline only", 0, false, true, false, {}},
        {"50 %: level 0, round(49)", 50, false, true, false, {{QRect(1, 1, 49, 18), l0}}},
        {"80 %: level 1", 80, false, true, false, {{QRect(1, 1, 78, 18), l1}}},
        {"95 %: level 2", 95, false, true, false, {{QRect(1, 1, 93, 18), l2}}},
        {"100 %: level 3", 100, false, true, false, {{QRect(1, 1, 98, 18), l3}}},
        {"above 100 counts as 100", 130, false, true, false, {{QRect(1, 1, 98, 18), l3}}},
        {"stacked 50 %: one segment", 50, true, true, false, {{QRect(1, 1, 49, 18), l0}}},
        {"stacked 80 %: two segments", 80, true, true, false,
         {{QRect(1, 1, 69, 18), l0}, {QRect(70, 1, 10, 18), l1}}},
        {"stacked 100 %: the last segment ends at the far end", 100, true, true, false,
         {{QRect(1, 1, 69, 18), l0}, {QRect(70, 1, 20, 18), l1}, {QRect(90, 1, 9, 18), l2}}},
        {"blocks of 7 and gaps of 2, a short last block", 50, false, false, false,
         {{QRect(2, 1, 7, 18), l0},
          {QRect(11, 1, 7, 18), l0},
          {QRect(20, 1, 7, 18), l0},
          {QRect(29, 1, 7, 18), l0},
          {QRect(38, 1, 7, 18), l0},
          {QRect(47, 1, 3, 18), l0}}},
        {"blocks: a remainder of 1 draws no last block", 10, false, false, false, {{QRect(2, 1, 7, 18), l0}}},
        {"blocks: 9 pixels or less draw none", 9, false, false, false, {}},
        {"vertical grows from the bottom", 50, false, true, true, {{QRect(1, 50, 18, 49), l0}}},
    };
    for (const Case& c : cases) {
        LevelProgressStyle style = plain;
        style.Stacked = c.stacked;
        style.CompletionSmooth = c.smooth;
        style.Vertical = c.vertical;
        const QRect r = c.vertical ? QRect(0, 0, 20, 100) : rect;
        RecordingCanvas canvas;
        DrawLevelProgressBar(canvas, r, c.percent, style);
        ASSERT_GE(canvas.ops.size(), 3u) << c.name;
        EXPECT_EQ(canvas.ops.front().kind, 'F') << c.name;
        EXPECT_EQ(canvas.ops.front().rect, r) << c.name;
        EXPECT_EQ(canvas.ops.front().color, 0xEEEEEEu) << c.name;
        const auto fills = canvas.Of('F');
        ASSERT_EQ(fills.size(), c.spans.size() + 1) << c.name;
        for (size_t i = 0; i < c.spans.size(); ++i) {
            EXPECT_EQ(fills[i + 1].rect, c.spans[i].rect) << c.name << " span " << i;
            EXPECT_EQ(fills[i + 1].color, c.spans[i].color) << c.name << " span " << i;
        }
        const auto texts = canvas.Of('X');
        ASSERT_EQ(texts.size(), 1u) << c.name;
        EXPECT_EQ(texts[0].text, QString::number(std::min(c.percent, 100)) + QLatin1Char('%')) << c.name;
        EXPECT_EQ(texts[0].color, style.CompleteFontColor) << c.name;
        EXPECT_EQ(texts[0].upwards, c.vertical) << c.name;
        // The outline comes last, in the background colour without a border.
        EXPECT_EQ(canvas.ops.back().kind, 'R') << c.name;
        EXPECT_EQ(canvas.ops.back().color, 0xEEEEEEu) << c.name;
    }

    // Rounded segment lengths that fall short still end at the far end at
    // 100 %: 82 pixels give 57 + 16, and the last takes the 9 left.
    {
        LevelProgressStyle style = plain;
        style.Stacked = true;
        RecordingCanvas canvas;
        DrawLevelProgressBar(canvas, QRect(0, 0, 84, 20), 100, style);
        const auto fills = canvas.Of('F');
        ASSERT_EQ(fills.size(), 4u);
        EXPECT_EQ(fills[1].rect, QRect(1, 1, 57, 18));
        EXPECT_EQ(fills[2].rect, QRect(58, 1, 16, 18));
        EXPECT_EQ(fills[3].rect, QRect(74, 1, 9, 18));
    }

    // Gradient halves across the thickness, ColorTo to Color and back; a
    // border in its colour; no text without ShowPercentage.
    LevelProgressStyle fancy;
    fancy.ShowBorder = true;
    fancy.BorderColor = 0x101010;
    fancy.ShowPercentage = false;
    RecordingCanvas canvas;
    DrawLevelProgressBar(canvas, rect, 50, fancy);
    const auto fills = canvas.Of('F');
    ASSERT_GE(fills.size(), 3u);
    EXPECT_EQ(fills[1].color, fancy.Level0ColorTo);
    EXPECT_EQ(fills[1].rect.top(), 1);
    EXPECT_EQ(fills.back().color, fancy.Level0ColorTo);
    EXPECT_EQ(fills.back().rect.bottom(), 18);
    QRect covered;
    for (size_t i = 1; i < fills.size(); ++i)
        covered = covered.united(fills[i].rect);
    EXPECT_EQ(covered, QRect(1, 1, 49, 18));
    bool middle = false;
    for (const Op& f : fills)
        middle = middle || (f.color == fancy.Level0Color && f.rect.top() == 10);
    EXPECT_TRUE(middle) << "the lower half starts in Color";
    EXPECT_TRUE(canvas.Of('X').empty());
    EXPECT_EQ(canvas.ops.back().kind, 'R');
    EXPECT_EQ(canvas.ops.back().color, 0x101010u);
}

TEST(BalanceBar, FromTheCentreWithinTheRange)
{
    // 104 x 20 shrinks to 100 x 16 at (2, 2); the centre is at x 52.
    struct Case
    {
        int value, max;
        QRect rect; // empty: nothing drawn
        TColor color;
    };
    const Case cases[] = {
        {50, 100, QRect(52, 2, 25, 16), 0x00FF00},
        {-50, 100, QRect(27, 2, 25, 16), 0x0000FF},
        {1, 3, QRect(52, 2, 17, 16), 0x00FF00},
        {300, 100, QRect(52, 2, 50, 16), 0x00FF00},
        {-300, 100, QRect(2, 2, 50, 16), 0x0000FF},
        {0, 100, QRect(), clNone},
        {5, 0, QRect(), clNone}, // no range: nothing, no division
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        DrawBalanceBar(canvas, QRect(0, 0, 104, 20), c.value, c.max, 0x00FF00, 0x0000FF, true);
        if (c.rect.isEmpty()) {
            EXPECT_TRUE(canvas.ops.empty()) << c.value << "/" << c.max;
            continue;
        }
        ASSERT_EQ(canvas.ops.size(), 1u) << c.value;
        EXPECT_EQ(canvas.ops[0].rect, c.rect) << c.value << "/" << c.max;
        EXPECT_EQ(canvas.ops[0].color, c.color) << c.value;
    }
}

TEST(ButtonGlyphs, LooksAndStates)
{
    TColorTones tones;
    tones.Background = {0x000001, 0x000002, 0x000003};
    tones.Hover = {0x000011, 0x000012, 0x000013};
    tones.Selected = {0x000021, 0x000022, 0x000023};
    tones.Disabled = {0x000031, 0x000032, 0x000033};
    const QRect rect(10, 5, 100, 22); // right end at x 110
    using DrawGlyph = void (*)(Canvas&, const QRect&, const TColorTones&, GlyphState, GlyphLook);
    struct Case
    {
        const char* name;
        DrawGlyph draw;
        GlyphLook look;
        GlyphState state;
        std::vector<Op> ops; // kind, rect, a (part/state or glyph/flags), b, colour, text (class)
    };
    const int combo = int(FrameGlyph::ComboScroll);
    const int push = int(FrameGlyph::PushButton);
    const int up = int(FrameGlyph::ScrollUp);
    const int down = int(FrameGlyph::ScrollDown);
    const QRect comboBox(91, 6, 17, 20);
    const QRect upBox(94, 4, 15, 11);
    const QRect downBox(94, 15, 15, 11);
    const Case cases[] = {
        {"combo themed", DrawComboButtonGlyph, GlyphLook::Themed, GlyphState::Hot,
         {{'H', comboBox, {1, 1}, {}, clNone, "combobox"}}},
        {"combo themed disabled", DrawComboButtonGlyph, GlyphLook::Themed, GlyphState::Disabled,
         {{'H', comboBox, {1, 4}, {}, clNone, "combobox"}}},
        {"combo classic pressed", DrawComboButtonGlyph, GlyphLook::Classic, GlyphState::Pressed,
         {{'C', comboBox, {combo, 0}}}},
        {"combo flat disabled", DrawComboButtonGlyph, GlyphLook::Flat, GlyphState::Disabled,
         {{'C', comboBox, {combo, int(fgFlat | fgInactive)}}}},
        {"combo tones hot", DrawComboButtonGlyph, GlyphLook::Tones, GlyphState::Hot,
         {{'F', QRect(94, 6, 17, 20), {}, {}, 0x000011},
          {'L', {}, {95, 6}, {95, 26}, 0x000002},
          {'G', {}, {}, {}, 0x000003, {}, {{99, 14}, {105, 14}, {102, 17}}}}},
        {"button themed normal", DrawButtonGlyph, GlyphLook::Themed, GlyphState::Normal,
         {{'H', rect, {1, 1}, {}, clNone, "button"}}},
        {"button themed hot", DrawButtonGlyph, GlyphLook::Themed, GlyphState::Hot,
         {{'H', rect, {1, 2}, {}, clNone, "button"}}},
        {"button themed pressed", DrawButtonGlyph, GlyphLook::Themed, GlyphState::Pressed,
         {{'H', rect, {1, 3}, {}, clNone, "button"}}},
        {"button themed disabled", DrawButtonGlyph, GlyphLook::Themed, GlyphState::Disabled,
         {{'H', rect, {1, 4}, {}, clNone, "button"}}},
        {"button classic hot", DrawButtonGlyph, GlyphLook::Classic, GlyphState::Hot, {{'C', rect, {push, fgHot}}}},
        {"button flat pressed", DrawButtonGlyph, GlyphLook::Flat, GlyphState::Pressed,
         {{'C', rect, {push, int(fgFlat | fgPushed)}}}},
        {"button tones pressed", DrawButtonGlyph, GlyphLook::Tones, GlyphState::Pressed,
         {{'F', rect, {}, {}, 0x000021}, {'R', rect, {}, {}, 0x000022}}},
        {"button tones disabled", DrawButtonGlyph, GlyphLook::Tones, GlyphState::Disabled,
         {{'F', rect, {}, {}, 0x000031}, {'R', rect, {}, {}, 0x000032}}},
        {"spin themed", DrawSpinButtonsGlyph, GlyphLook::Themed, GlyphState::Pressed,
         {{'H', upBox, {1, 1}, {}, clNone, "spin"}, {'H', downBox, {2, 1}, {}, clNone, "spin"}}},
        {"spin themed disabled", DrawSpinButtonsGlyph, GlyphLook::Themed, GlyphState::Disabled,
         {{'H', upBox, {1, 4}, {}, clNone, "spin"}, {'H', downBox, {2, 4}, {}, clNone, "spin"}}},
        {"spin classic disabled", DrawSpinButtonsGlyph, GlyphLook::Classic, GlyphState::Disabled,
         {{'C', upBox, {up, fgInactive}}, {'C', downBox, {down, fgInactive}}}},
        {"spin flat", DrawSpinButtonsGlyph, GlyphLook::Flat, GlyphState::Normal,
         {{'C', upBox, {up, fgFlat}}, {'C', downBox, {down, fgFlat}}}},
        {"spin tones normal", DrawSpinButtonsGlyph, GlyphLook::Tones, GlyphState::Normal,
         {{'F', upBox, {}, {}, 0x000001},
          {'F', downBox, {}, {}, 0x000001},
          {'G', {}, {}, {}, 0x000003, {}, {{98, 10}, {104, 10}, {101, 7}}},
          {'G', {}, {}, {}, 0x000003, {}, {{98, 19}, {104, 19}, {101, 22}}}}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        c.draw(canvas, rect, tones, c.state, c.look);
        ASSERT_EQ(canvas.ops.size(), c.ops.size()) << c.name;
        for (size_t i = 0; i < c.ops.size(); ++i) {
            const Op& got = canvas.ops[i];
            const Op& want = c.ops[i];
            EXPECT_EQ(got.kind, want.kind) << c.name << " op " << i;
            EXPECT_EQ(got.rect, want.rect) << c.name << " op " << i;
            EXPECT_EQ(got.a, want.a) << c.name << " op " << i;
            EXPECT_EQ(got.b, want.b) << c.name << " op " << i;
            EXPECT_EQ(got.color, want.color) << c.name << " op " << i;
            EXPECT_EQ(got.text, want.text) << c.name << " op " << i;
            EXPECT_EQ(got.points, want.points) << c.name << " op " << i;
        }
    }
}

TEST(TransparentBitmap, TheTopLeftColourBecomesTheBackground)
{
    // Red key in the top-left corner, once more inside; blue and green stay.
    QImage bitmap(3, 2, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(255, 0, 0));
    bitmap.setPixel(1, 0, qRgb(0, 0, 255));
    bitmap.setPixel(2, 0, qRgb(255, 0, 0));
    bitmap.setPixel(0, 1, qRgb(0, 255, 0));
    bitmap.setPixel(1, 1, qRgb(254, 0, 0)); // near the key is not the key
    bitmap.setPixel(2, 1, qRgb(0, 0, 255));
    struct Case
    {
        TColor back;
        QRgb key; // what the key pixels become
    };
    for (const Case c : {Case{0x00FFFF, qRgb(255, 255, 0)}, Case{clWhite, qRgb(255, 255, 255)},
                         Case{clNone, qRgba(0, 0, 0, 0)}}) {
        RecordingCanvas canvas;
        DrawBitmapTransparent(canvas, bitmap, c.back, QRect(40, 50, 30, 30));
        ASSERT_EQ(canvas.ops.size(), 1u);
        const Op& op = canvas.ops[0];
        EXPECT_EQ(op.kind, 'M');
        EXPECT_EQ(op.rect, QRect(40, 50, 3, 2)) << "at the rectangle's top-left, the bitmap's size";
        const QImage& out = op.image;
        EXPECT_EQ(out.pixel(0, 0), c.key) << c.back;
        EXPECT_EQ(out.pixel(2, 0), c.key) << c.back;
        EXPECT_EQ(out.pixel(1, 0), qRgb(0, 0, 255)) << c.back;
        EXPECT_EQ(out.pixel(0, 1), qRgb(0, 255, 0)) << c.back;
        EXPECT_EQ(out.pixel(1, 1), qRgb(254, 0, 0)) << c.back;
    }
    RecordingCanvas none;
    DrawBitmapTransparent(none, QImage(), clWhite, QRect(0, 0, 9, 9));
    EXPECT_TRUE(none.ops.empty());

    // Grid bitmaps by name on the search prefix; a missing one draws nothing.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage node(9, 9, QImage::Format_RGB32);
    node.fill(qRgb(255, 0, 255));
    node.setPixel(4, 4, qRgb(0, 0, 0));
    ASSERT_TRUE(node.save(dir.filePath(QStringLiteral("XPNODEC.png"))));
    QDir::addSearchPath(QLatin1String(kGridBitmapPrefix), dir.path());
    RecordingCanvas named;
    DrawBitmapResourceTransparent(named, clWhite, QRect(7, 8, 20, 20), QStringLiteral("XPNODEC"));
    DrawBitmapResourceTransparent(named, clWhite, QRect(7, 8, 20, 20), QStringLiteral("NOSUCHBITMAP"));
    ASSERT_EQ(named.ops.size(), 1u);
    EXPECT_EQ(named.ops[0].rect, QRect(7, 8, 9, 9));
    EXPECT_EQ(named.ops[0].image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(named.ops[0].image.pixel(4, 4), qRgb(0, 0, 0));
}

TEST(TextErrorMarker, ZigZagUnderTheMarkedCharacters)
{
    // 7 pixels a character; the line starts at the rectangle's left.
    const FixedTextMeasurer measurer(7, 13);
    const QRect rect(20, 30, 100, 20);
    struct Case
    {
        const char* name;
        const char* text;
        int errPos, errLen;
        int x1, x2; // from, and where the steps stop (the closing step goes past)
        int lines;
    };
    const Case cases[] = {
        {"characters 1 .. 3", "abcdef", 1, 3, 27, 41, 6},
        {"a single character: the closing step only", "abcdef", 2, 1, 34, 34, 1},
        {"past the end: 4 pixels after the last character's start", "abcdef", 2, 7, 34, 59, 10},
        {"nothing marked", "abcdef", 2, 0, 0, 0, 0},
        {"no text", "", 0, 3, 0, 0, 0},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        DrawTextErrorMarker(canvas, measurer, TFont(), QString::fromLatin1(c.text), c.errLen, c.errPos, 10, rect);
        const auto lines = canvas.Of('L');
        ASSERT_EQ(int(lines.size()), c.lines) << c.name;
        ASSERT_EQ(canvas.ops.size(), lines.size()) << c.name;
        if (lines.empty())
            continue;
        // Starts on the text line (top + offset + 3), 3 pixels a step,
        // alternately 3 pixels lower and back, red and 2 pixels wide.
        EXPECT_EQ(lines.front().a, QPoint(c.x1, 43)) << c.name;
        for (size_t i = 0; i < lines.size(); ++i) {
            const Op& l = lines[i];
            EXPECT_EQ(l.b.x() - l.a.x(), 3) << c.name;
            EXPECT_EQ(l.a.y(), i % 2 == 0 ? 43 : 46) << c.name;
            EXPECT_EQ(l.b.y(), i % 2 == 0 ? 46 : 43) << c.name;
            EXPECT_EQ(l.color, 0x0000FFu) << c.name;
            EXPECT_EQ(l.width, 2) << c.name;
            if (i > 0) {
                EXPECT_EQ(l.a, lines[i - 1].b) << c.name;
            }
        }
        // The last step before the closing one reaches x2 or just past it.
        const int beforeClosing = lines.size() > 1 ? lines[lines.size() - 2].b.x() : lines.front().a.x();
        EXPECT_GE(beforeClosing, c.x2) << c.name;
        EXPECT_LT(beforeClosing - 3, c.x2) << c.name;
    }
}

TEST(SortIndicator, NumberedForAnIndexedSort)
{
    struct Case
    {
        bool descending;
        std::vector<QPoint> triangle;
        QPoint number;
    };
    const Case cases[] = {
        {false, {{44, 28}, {56, 28}, {50, 16}}, {48, 18}},
        {true, {{43, 15}, {57, 15}, {50, 28}}, {48, 16}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        DrawSortIndexIndicator(canvas, 50, 20, 3, c.descending, clYellow);
        ASSERT_EQ(canvas.ops.size(), 2u);
        EXPECT_EQ(canvas.ops[0].kind, 'G');
        EXPECT_EQ(canvas.ops[0].points, c.triangle) << c.descending;
        EXPECT_EQ(canvas.ops[0].color, clYellow);
        EXPECT_EQ(canvas.ops[1].kind, 'A');
        EXPECT_EQ(canvas.ops[1].a, c.number) << c.descending;
        EXPECT_EQ(canvas.ops[1].text, QStringLiteral("3"));
        EXPECT_EQ(canvas.ops[1].color, clBlack);
        EXPECT_EQ(canvas.ops[1].width, 6) << "a 6-point font";
    }
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
