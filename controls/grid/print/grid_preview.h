#pragma once
#include "controls/grid/print/page_engine.h"

#include <QRect>

class QPainter;

namespace grid::print {

// Draws page engine.FPrintPageFrom (set by SetPreviewPage) of the range as a
// preview into displayRect of any painter. The page is displayRect measured
// in 0.1 mm at the painter device's resolution. False when OnPrintStart
// cancelled.
bool PrintPreviewRange(TGridPageEngine& engine, QPainter& painter, const QRect& displayRect, bool selectedOnly,
                       const TGridRect& range);
// The whole grid.
bool PrintPreview(TGridPageEngine& engine, TExStringGrid& grid, QPainter& painter, const QRect& displayRect);
// The current selection as the range.
bool PrintPreviewSelection(TGridPageEngine& engine, TExStringGrid& grid, QPainter& painter, const QRect& displayRect);
// The whole grid, only its selected rows and columns (both alike).
bool PrintPreviewSelectedRows(TGridPageEngine& engine, TExStringGrid& grid, QPainter& painter,
                              const QRect& displayRect);
inline bool PrintPreviewSelectedCols(TGridPageEngine& engine, TExStringGrid& grid, QPainter& painter,
                                     const QRect& displayRect)
{
    return PrintPreviewSelectedRows(engine, grid, painter, displayRect);
}
// Page 1 of a range on any painter, page size from the rectangle.
void PrintDrawRect(TGridPageEngine& engine, QPainter& painter, const QRect& drawRect, const TGridRect& range);

// The page a preview draws: both ends of the drawn range.
inline void SetPreviewPage(TGridPageEngine& engine, int page)
{
    engine.FPrintPageFrom = page;
    engine.FPrintPageTo = page;
}

// The whole grid as a print range.
TGridRect WholeGrid(const TExStringGrid& grid);

} // namespace grid::print
