#pragma once
#include "controls/grid/core/grid_types.h"

#include <QRect>
#include <QSize>

namespace grid {

class TBaseGrid;
class TGridWidget;
class TNoActiveForm;

// Where the picture of a cell range is taken from in the painted grid: the
// range with the grid lines around it (those before it and its own last
// ones), and the size of the picture. Lines are drawn
// down the left edge (range from column 0 of a grid with fixed columns and
// fixed vertical lines) and along the top (row 0, fixed rows, fixed
// horizontal lines).
struct SelectionImageGeometry
{
    QRect source;
    QSize size;
    bool leftLine = false;
    bool topLine = false;
};
SelectionImageGeometry SelectionImageRects(const TBaseGrid& grid, const TGridRect& cells);

// The picture of a cell range as it shows now on a non-activating window
// over the others (alpha 192), owned by the grid widget, not yet shown.
TNoActiveForm* SelectionToForm(TGridWidget& widget, const TGridRect& cells);

} // namespace grid
