#pragma once
#include "controls/grid/core/grid_types.h"

#include <QPoint>
#include <QRect>
#include <QString>

namespace grid {

// What the drawing routines draw on. Colours are grid colours (system colours
// resolved by the backend). Lines run from `from` to `to` without the end
// pixel, rectangles are filled without an outline unless a pen is given.
class Canvas
{
public:
    virtual ~Canvas() = default;
    virtual void FillRect(const QRect& rect, TColor color) = 0;
    virtual void Line(QPoint from, QPoint to, TColor color, int width = 1) = 0;
    virtual void Pixel(QPoint at, TColor color) = 0;
    // Outline of rect's border pixels (right and bottom inclusive of rect).
    virtual void FrameRect(const QRect& rect, TColor color) = 0;
    virtual void Polygon(const QPoint* points, int count, TColor brush, TColor pen) = 0;
    virtual void Ellipse(const QRect& rect, TColor brush, TColor pen) = 0;
    // A pie sector from 3 o'clock counter-clockwise over spanDegrees.
    virtual void Pie(const QRect& rect, int spanDegrees, TColor brush, TColor pen) = 0;
    // Text centred in rect, drawn only inside clip.
    virtual void CenteredText(const QRect& rect, const QRect& clip, const QString& text, TColor color) = 0;
};

// Grid colours as 0x00BBGGRR with system colours resolved.
TColor ResolveColor(TColor color);
// Each channel halved.
TColor HalfColor(TColor color);
// color moved toward colorTo by pos of (min .. max); colorTo none gives color.
TColor BlendColor(TColor color, TColor colorTo, int min, int max, int pos);

// A linear gradient in at most steps + 1 bands; a solid fill when either
// colour is none (from, or to when from is none). Zero height draws nothing.
void DrawGradientRect(Canvas& canvas, TColor from, TColor to, bool horizontal, QRect rect, int steps);

// The rounded selection box; openSides 0 closed, 1 open right, 2 open left,
// 3 both open.
void DrawSelectionFrame(Canvas& canvas, const QRect& rect, int openSides, TColor borderColor,
                        TColor innerTopColor, TColor innerBottomColor, TColor cornerColor,
                        TColor edgePixelColor, TColor color, TColor colorTo, TColor mirrorColor,
                        TColor mirrorColorTo);

// What a progress bar shows: the filled and the rest part, the percentage
// (0 .. 100) and the value text.
struct ProgressBarLayout
{
    QRect Filled;
    QRect Rest;
    int Percent = 0;
    QString Text;
};
// Equal limits give 0 % instead of dividing by zero.
ProgressBarLayout LayoutProgressBar(const QRect& rect, const QString& format, double max, double min,
                                    int marginY, int marginX, double position);
void DrawProgressBar(Canvas& canvas, const QRect& rect, TColor fillColor, TColor borderColor,
                     const QString& format, double max, double min, int marginY, int marginX, double position,
                     TColor restTextColor, TColor restColor, TColor fillTextColor, TColor background);
// Percent of (min .. max) within 0 .. 100; equal limits give 0.
int RangePercent(double position, double min, double max);

// The share of an XP progress cell: |value - from| of (to - from) in percent,
// within 0 .. 100; equal limits give 0.
int LevelPercent(int value, int from, int to);

// A pie gauge: grey ring and the sector of percent in color.
void DrawProgressPie(Canvas& canvas, const QRect& rect, TColor color, int percent, TColor background);

enum TCellShape {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
    csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp,
    csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};
void DrawCellShape(Canvas& canvas, int x, int y, int width, int height, TCellShape shape, TColor brush,
                   TColor pen);

// Filled triangle (x-3, y), (x+3, y), (x, y+3).
void DrawDropTriangle(Canvas& canvas, int x, int y, TColor color);

// The built-in sort indicator: an outline triangle around its centre.
void DrawSortIndicator(Canvas& canvas, int x, int y, bool descending);

} // namespace grid
