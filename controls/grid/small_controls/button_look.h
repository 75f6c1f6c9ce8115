#pragma once
#include "controls/grid/core/grid_types.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <vector>

class QPainter;

// Pure pieces of the themed flat button: colour looks, gradient bands and the
// grey and shaded copies of a glyph.
namespace grid {

struct ButtonLookColors
{
    TColor Color, ColorTo;
    TColor ColorHot, ColorHotTo;
    TColor ColorDown, ColorDownTo;
    TColor ColorChecked, ColorCheckedTo;
    TColor BorderDown, BorderHot;
    bool Rounded;
};
// Looks 0..6; nothing for other values.
const ButtonLookColors* ButtonLook(int look);

struct GradientBand
{
    QRect Rect;
    QColor Color;
};
// Rect divided into Steps bands (0 counts as 1) along its width (horizontal)
// or height; band n: from + n * (to - from) / steps per channel, rounded;
// each band one pixel longer, within the rectangle.
std::vector<GradientBand> ButtonGradientBands(QColor from, QColor to, bool horizontal, const QRect& rect,
                                              int steps);
void DrawButtonGradient(QPainter& painter, TColor from, TColor to, bool horizontal, const QRect& rect, int steps,
                        TColor borderColor);

// The disabled glyph: every pixel grey m = round((R + G + B) / 3) div 2 + 96.
QImage GreyGlyph(const QImage& glyph);
// The glyph with its transparent colour (the bottom-left pixel) see-through.
QImage TransparentGlyph(const QImage& glyph);
// A silhouette in clGray of the glyph's opaque pixels.
QImage ShadeGlyph(const QImage& glyph);

}  // namespace grid
