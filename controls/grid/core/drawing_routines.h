#pragma once
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/look_settings.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QImage;

namespace grid {

class TextMeasurer;

// The platform's frame controls the classic glyph looks draw.
enum class FrameGlyph { ComboScroll, PushButton, ScrollUp, ScrollDown, CheckBox, RadioButton };
// Frame control states, combined.
enum FrameGlyphFlag : unsigned { fgHot = 1, fgPushed = 2, fgInactive = 4, fgFlat = 8, fgChecked = 16, fgGrayed = 32 };

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
    // Text in font centred in rect; turned to read upwards when upwards.
    virtual void FontText(const QRect& rect, const QString& text, const TFont& font, TColor color,
                          bool upwards) = 0;
    // A themed part: class name ("button", "combobox", "spin", "progress"),
    // part and state.
    virtual void ThemePart(const QRect& rect, const char* themeClass, int part, int state) = 0;
    // A classic frame control with FrameGlyphFlag flags.
    virtual void FrameControl(const QRect& rect, FrameGlyph glyph, unsigned flags) = 0;
    // The image at its own size with its top-left pixel at at.
    virtual void Image(QPoint at, const QImage& image) = 0;
    // One line of text in font, its top-left at topLeft, no background.
    virtual void TextAt(QPoint topLeft, const QString& text, const TFont& font, TColor color) = 0;
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

// Fills rect in color.
void FillRectColor(Canvas& canvas, const QRect& rect, TColor color);

// With fill and a color: solid (one pixel further down) without colorTo, a
// 128-step gradient (top to bottom when vertical) without mirrorColor, else
// two gradients, one per half. Then a frame, or only the left and right edge
// with sidesOnly, in borderColor unless it is none.
void FillCellBackground(Canvas& canvas, const QRect& rect, TColor color, TColor colorTo, TColor mirrorColor,
                        TColor mirrorColorTo, bool vertical, bool fill, TColor borderColor, bool sidesOnly);

// The look of a bar coloured by level.
struct LevelProgressStyle
{
    TColor Level0Color = 0x00FF00;
    TColor Level0ColorTo = 0xE1FFE1;
    TColor Level1Color = 0x00FFFF;
    TColor Level1ColorTo = 0xCAFFFF;
    TColor Level2Color = 0x53A9FF;
    TColor Level2ColorTo = 0xA8D3FF;
    TColor Level3Color = 0x0000FF;
    TColor Level3ColorTo = 0xCACAFF;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = 0x000000;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    TFont Font;
    TColor CompleteFontColor = 0xFF0000;
    int Steps = 11; // gradient steps
    TColor UnCompleteColor = clWindow;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    bool Vertical = false;
};
// A bar of percent (0 .. 100) growing from the left, or from the bottom when
// vertical: stacked level segments, one bar or blocks in the level's colours,
// the percentage text and the outline.
void DrawLevelProgressBar(Canvas& canvas, const QRect& rect, int percent, const LevelProgressStyle& style);

// A bar from the centre to the right (positive) or the left (negative) of
// value within -max .. max; max 0 draws nothing.
void DrawBalanceBar(Canvas& canvas, const QRect& rect, int value, int max, TColor positiveColor,
                    TColor negativeColor, bool showValue);

// Glyph states and looks of the button glyphs.
enum class GlyphState { Normal, Hot, Pressed, Disabled };
// Themed (the platform's style), classic or flat frame controls, or the
// colour tones (normal Background, hot Hover, pressed Selected, disabled
// Disabled).
enum class GlyphLook { Themed, Classic, Flat, Tones };
// A drop-down button at the right end of rect.
void DrawComboButtonGlyph(Canvas& canvas, const QRect& rect, const TColorTones& tones, GlyphState state,
                          GlyphLook look);
// A push-button face over rect.
void DrawButtonGlyph(Canvas& canvas, const QRect& rect, const TColorTones& tones, GlyphState state,
                     GlyphLook look);
// An up and a down button at the right end of rect.
void DrawSpinButtonsGlyph(Canvas& canvas, const QRect& rect, const TColorTones& tones, GlyphState state,
                          GlyphLook look);

// The bitmap at rect's top-left at its own size, the pixels of its top-left
// pixel's colour in backColor (left out when backColor is none). A null
// bitmap draws nothing.
void DrawBitmapTransparent(Canvas& canvas, const QImage& bitmap, TColor backColor, const QRect& rect);
// The grid's bitmaps are PNG files found by name on this QDir search prefix
// ("gridbitmaps:ESGLEAFOPEN.png"); the grid's resource folder
// ":/grid/bitmaps" is on it.
inline constexpr char kGridBitmapPrefix[] = "gridbitmaps";
QImage GridBitmap(const QString& name);
// DrawBitmapTransparent with the grid bitmap of that name; a missing one
// draws nothing.
void DrawBitmapResourceTransparent(Canvas& canvas, TColor backColor, const QRect& rect, const QString& name);

// The red zig-zag under characters errPos .. errPos + errLen - 1 (from 0) of
// text laid out on one line from rect's left in font.
void DrawTextErrorMarker(Canvas& canvas, const TextMeasurer& measurer, const TFont& font, const QString& text,
                         int errLen, int errPos, int yOffset, const QRect& rect);

// The coloured border drawn over a grid window of size: when the cells fit
// the client, an outline through (1, 1) and (w - 2, h - 2) in borderColor and,
// with a parent (parentColor not none), one through (0, 0) and (w - 1, h - 1)
// in the parent's colour; otherwise only the outer outline in borderColor.
struct BorderOutline
{
    QRect Rect; // outlined on its border pixels
    TColor Color = clNone;
};
struct BorderOutlines
{
    BorderOutline Lines[2];
    int Count = 0;
};
BorderOutlines WindowBorderOutlines(QSize size, bool cellsFit, TColor borderColor, TColor parentColor);

// The built-in sort indicator: an outline triangle around its centre.
void DrawSortIndicator(Canvas& canvas, int x, int y, bool descending);
// The indicator of an indexed sort: a filled triangle in indexColor with the
// entry's number (from 1) in it, pointing down when descending.
void DrawSortIndexIndicator(Canvas& canvas, int x, int y, int number, bool descending, TColor indexColor);

} // namespace grid
