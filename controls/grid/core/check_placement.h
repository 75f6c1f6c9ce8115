#pragma once
#include "controls/grid/core/cell_graphic.h"
#include "controls/grid/core/grid_types.h"

#include <QRect>

// Where a check box kind's glyph sits in its cell: one set of rules for the
// painter and for the pointer test.
namespace grid {

class TExStringGrid;

// The left edge of a check box kind's glyph: it follows the text alignment.
// textWidth is the drawn text's width + 2 (0 without text).
int CheckGlyphLeft(const QRect& r, TAlignment textAlign, bool kindShowsText, int textWidth, int w);
// The top of a graphic of height h for a vertical alignment.
int GraphicTop(const QRect& r, TCellVAlign va, int h);
// The graphic's vertical alignment of a check kind: the cell's text
// alignment wins when it differs from the grid's.
TCellVAlign CheckGlyphVAlign(TCellVAlign graphicVa, TVAlignment cellVa, TVAlignment gridVa);
// Whether a check kind shows its text beside the glyph.
bool CheckKindShowsText(TCellType type);
// The glyph (size x size) of a check kind in the graphic area r (the cell's
// content rectangle inset by XYOffset - 1); textWidth as above, the extra
// 2 px of the gap already added when not 0.
QRect CheckGlyphPlace(const QRect& r, TAlignment textAlign, TCellVAlign va, bool kindShowsText, int textWidth,
                      int size);

// The rectangle inside the cell's lines (a merged cell's whole range) that
// the painter hands its content step (fixed cells: right - 1, bottom - 2).
QRect CellContentRect(TExStringGrid& grid, int displayCol, int row);
// The check glyph of a cell as painted (empty for cells without a check
// kind); the text width comes from the grid's text measurer.
QRect CheckBoxGlyphRect(TExStringGrid& grid, int displayCol, int row);

} // namespace grid
