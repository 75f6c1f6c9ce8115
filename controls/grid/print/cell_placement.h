#pragma once
#include "controls/grid/core/cell_graphic.h"
#include "controls/grid/core/grid_types.h"
#include "controls/grid/print/print_canvas.h"

namespace grid::print {

// Where a check box of gw by gh sits in a printed cell. Without text it
// follows the cell's text alignment; with text the graphic's own alignment.
// margin keeps a left or right box off the cell line.
PageRect PlaceCheckBox(const PageRect& cell, int gw, int gh, bool textEmpty, TAlignment cellAlign,
                       TCellHAlign graphicH, TCellVAlign graphicV, int margin);

// Item i (from 0) of a printed radio group in cell: its glyph (glyph by
// glyph units) and the top left of its caption. Items go side by side when
// horizontal (captionsBefore: the width of the earlier captions), else one
// per textHeight; onePx is one screen pixel in page units.
struct RadioPlace
{
    PageRect Glyph;
    int CaptionX = 0;
    int CaptionY = 0;
};
RadioPlace PlaceRadioItem(const PageRect& cell, int i, int textHeight, int glyph, bool horizontal,
                          int captionsBefore, double onePx);

} // namespace grid::print
