#pragma once
#include "controls/grid/core/cell_graphic.h"
#include "controls/grid/core/check_placement.h"
#include "controls/grid/core/grid_records.h"
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/look_settings.h"

#include <QPoint>
#include <QRect>

#include <array>

// Geometry of the cell graphics: where a graphic sits in its cell, the parts
// of node boxes, ratings, comment corners and expand chevrons. Plain values,
// painted by the grid painter.
namespace grid {

// The graphic rectangle (w x h) in r for its alignments; textWidth is the
// drawn text's width + 2 (0 without text), textAlign the text's alignment.
QRect PlaceCellGraphic(const QRect& r, TCellHAlign ha, TCellVAlign va, int w, int h, int textWidth,
                       TAlignment textAlign);

// Star i (from 0) of a rating of value v (taken to the nearest half).
enum class StarFill { Empty, Half, Full };
StarFill RatingStar(double value, int i);

// The comment mark in a cell's top-right corner.
std::array<QPoint, 3> CommentCorner(const QRect& cell);
// The expand button's chevron: down while collapsed, up when expanded.
std::array<QPoint, 3> ExpandChevron(const QRect& cell, bool expanded);
// The 13 x 13 expand button at the cell's top-right corner.
QRect ExpandButtonRect(const QRect& cell);

// The flat node box (left edge of the glyph area, cell height) and its
// signs: minus always, the vertical bar when contracted.
struct NodeBox
{
    QRect Box;  // the outline (right and bottom inclusive)
    QPoint MinusFrom, MinusTo;
    QPoint BarFrom, BarTo;
};
NodeBox FlatNodeBox(int left, int top, int height);

// Check and radio glyph names of the bitmap styles (checked or on, enabled);
// none for the drawn styles.
const char* CheckBitmapName(TControlStyle style, bool checked, bool enabled);
const char* RadioBitmapName(TControlStyle style, bool on, bool enabled);
// Theme state of a check box part: mixed 9/12, checked 5/8, unchecked 1/4.
int CheckThemeState(bool checked, bool grayed, bool enabled);

// Where radio item i (from 0) of a group goes: its glyph's top-left and its
// caption's top-left. captionsBefore is the width of the earlier captions.
struct RadioItemPlace
{
    QPoint Glyph;
    QPoint Caption;
};
RadioItemPlace PlaceRadioItem(TControlStyle style, const QRect& rect, int i, int textHeight, int radioSize,
                              bool horizontal, int captionsBefore, double scale = 1.0);

} // namespace grid
