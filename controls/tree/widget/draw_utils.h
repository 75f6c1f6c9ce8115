#pragma once

// The tree's stateless drawing routines: text shortening and wrapping with an injected width measure, and
// software alpha blending on 32-bit image rows (pixels in memory order blue, green, red, alpha).

#include "controls/tree/core/tree_types.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>

class QPainter;

namespace lazytree {

// The width of a text in pixels, as the painting font measures it.
using TextWidthMeasure = std::function<int(const QString&)>;

// The text shortened to fit `width` with "..." appended; an ellipsis width of 0 is measured. Empty when even
// the ellipsis does not fit; the text itself when it fits whole.
QString EllipsizeText(const QString& text, int width, int ellipsisWidth, const TextWidthMeasure& measure);

// The text broken into lines of at most `width` pixels at single spaces, lines separated by one line feed;
// a word wider than a line is cut. Right-to-left text fills its lines from the last word.
QString WrapTextToWidth(const QString& text, int width, bool rightToLeft, const TextWidthMeasure& measure);

enum TAlphaBlendKind { bkConstantAlpha, bkPerPixelAlpha, bkMasterAlpha, bkConstantAlphaAndColor };

// Blends `count` pixels: every byte becomes ((256 - a) × d + a × s) / 256 plus bias, clamped to 0 .. 255.
// The weight a is the constant alpha (0 .. 256), the source pixel's alpha, or both multiplied / 256.
void AlphaBlendPixels(const uint32_t* source, uint32_t* destination, int count, TAlphaBlendKind kind,
    int constantAlpha, int bias);
// Tints `count` destination pixels with a colour given as 0x00BBGGRR; no bias.
void AlphaTintPixels(uint32_t* destination, int count, int constantAlpha, uint32_t bgrColor);

// Blends the rectangle r of source onto destination at target (32-bit images); with bkConstantAlphaAndColor
// only the destination's rectangle r is tinted with the colour passed as bias. Parts outside the images are
// left out.
void AlphaBlendRect(const QImage* source, QImage& destination, const QRect& r, const QPoint& target,
    TAlphaBlendKind kind, int constantAlpha, int bias);

// clNone gives CLR_NONE (all bits set), clDefault CLR_DEFAULT; others their RGB value.
uint32_t ColorToImageListColor(uint32_t color);

// Draws the image stretched into the rectangle (printing).
void StretchDrawBitmap(QPainter& painter, const QRect& r, const QImage& image);

// Areas of a small drag-image move by (dx, dy) (last position minus new point) of a W × H image.
struct TDragRectangles {
    QRect Uncovered[2]; // bands of the old area the move uncovers (empty when none)
    QRect Covered[2];   // bands of the new area it newly covers
    QRect Scroll;       // the part of the saved background that is kept, moved
    QRect Clip;         // (0, 0, W, H)
};
TDragRectangles DragRectangles(int width, int height, int dx, int dy);

} // namespace lazytree
