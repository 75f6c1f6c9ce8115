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

} // namespace grid::print
