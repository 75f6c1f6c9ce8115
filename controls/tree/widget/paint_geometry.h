#pragma once

// The arithmetic of painting as pure functions: where a row's expand button sits, the strips of one tree
// line level, the drop mark, the drag image's window, printed pages and the dotted line patterns.

#include "controls/tree/core/tree_types.h"

#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>

namespace lazytree {

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

// Left edge of the expand button in a row with `levels` indentation levels.
int ButtonX(int indent, int buttonWidth, int levels, bool fixedIndent);

// The strips of one indentation level's tree line: a vertical and a horizontal piece, each with inclusive
// end points. The level's cell spans x .. x + indent and y .. y + height; vAlign is the row's alignment line.
struct TLineSegment {
    bool Vertical = false;
    int VX = 0, VTop = 0, VBottom = 0;
    bool Horizontal = false;
    int HY = 0, HLeft = 0, HRight = 0;
};
TLineSegment LineSegmentFor(TVTLineType style, int x, int y, int height, int vAlign, int indent, bool reverse);

// The six corners of the drop mark above or below a row rectangle; empty for other drop modes.
struct TDropMarkPolygon {
    bool Shown = false;
    std::array<QPoint, 6> Points;
};
TDropMarkPolygon DropMarkPolygon(const TRect& row, TDropMode mode);

// The part of the tree (tree coordinates) a drag image shows around a hot spot, and where it lands in the
// drag image of dragWidth × dragHeight pixels.
struct TDragImageWindow {
    TRect Window;
    TPoint Target;
};
TDragImageWindow DragImageWindow(TPoint hotSpotTree, int dragWidth, int dragHeight);

// Pages of a tree image printed at `scale` printer pixels per screen pixel: each page shows
// pageWidth × pageHeight image pixels; an image exactly k pages wide or tall takes k pages.
struct TPrintPages {
    int PageWidth = 0;
    int PageHeight = 0;
    int Columns = 0;
    int Rows = 0;
};
TPrintPages PrintPages(int imageWidth, int imageHeight, int printerPageWidth, int printerPageHeight, double scale);

// An 8 × 8 line pattern, one byte per row, most significant bit leftmost; a 0 bit is a line pixel.
using TLinePattern = std::array<uint8_t, 8>;
constexpr TLinePattern kDottedPattern = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
constexpr TLinePattern kSolidPattern = {0, 0, 0, 0, 0, 0, 0, 0};

// Whether the pattern draws the line colour at tree coordinates (x, y).
inline bool PatternIsLine(const TLinePattern& pattern, int x, int y)
{
    const uint8_t row = pattern[static_cast<std::size_t>(((y % 8) + 8) % 8)];
    return ((row >> (7 - (((x % 8) + 8) % 8))) & 1) == 0;
}

} // namespace lazytree
