#pragma once
#include "controls/grid/core/cell_graphic.h"
#include "controls/grid/core/grid_types.h"

namespace grid {

// What the painter needs to know about one cell's look: the resolved state,
// the background (solid, gradient and mirror colours), the font, the text
// alignments, word wrap and the gradient direction.
struct CellLook
{
    TGridDrawState State;
    TBrush Brush;
    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    TFont Font;
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    bool WordWrap = true;
    TCellGradientDirection Gradient = GradientVertical;
    friend bool operator==(const CellLook&, const CellLook&) = default;
};

// Room and placement of a cell's graphic, and whether the text is drawn too.
struct GraphicLayout
{
    int Width = 0;
    int Height = 0;
    bool DrawText = true;
    TCellHAlign HAlign = haLeft;
    TCellVAlign VAlign = vaTop;
    friend bool operator==(const GraphicLayout&, const GraphicLayout&) = default;
};

// a mixed into b by percent (per RGB channel, nearest, at most 255):
// percent >= 100 gives a, percent < 1 or a none gives b, b none gives a.
TColor MixColors(TColor a, TColor b, int percent);

// Every RGB channel changed by percent of itself (low 8 bits kept).
TColor AdjustColorPercent(TColor color, int percent);

} // namespace grid
