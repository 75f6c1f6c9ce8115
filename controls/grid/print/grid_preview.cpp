#include "controls/grid/print/grid_preview.h"

#include "controls/grid/print/painter_canvas.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace grid::print {

TGridRect WholeGrid(const TExStringGrid& grid)
{
    return {0, 0, grid.ColCount() - 1, grid.RowCount() - 1};
}

bool PrintPreviewRange(TGridPageEngine& engine, QPainter& painter, const QRect& displayRect, bool selectedOnly,
                       const TGridRect& range)
{
    const int dpi = painter.device() ? painter.device()->logicalDpiX() : 96;
    engine.FPrintRect = range;
    PainterCanvas canvas(painter, dpi, displayRect.topLeft());
    const int width = int(std::lround(displayRect.width() * 254.0 / dpi));
    const int height = int(std::lround(displayRect.height() * 254.0 / dpi));
    painter.save();
    const bool drawn = engine.Run(canvas, PassPreview, selectedOnly, width, height);
    painter.restore();
    return drawn;
}

bool PrintPreview(TGridPageEngine& engine, TExStringGrid& grid, QPainter& painter, const QRect& displayRect)
{
    return PrintPreviewRange(engine, painter, displayRect, false, WholeGrid(grid));
}

bool PrintPreviewSelection(TGridPageEngine& engine, TExStringGrid& grid, QPainter& painter, const QRect& displayRect)
{
    return PrintPreviewRange(engine, painter, displayRect, false, grid.Selection());
}

bool PrintPreviewSelectedRows(TGridPageEngine& engine, TExStringGrid& grid, QPainter& painter,
                              const QRect& displayRect)
{
    return PrintPreviewRange(engine, painter, displayRect, true, WholeGrid(grid));
}

void PrintDrawRect(TGridPageEngine& engine, QPainter& painter, const QRect& drawRect, const TGridRect& range)
{
    const int dpi = painter.device() ? painter.device()->logicalDpiX() : 96;
    engine.FPrintRect = range;
    engine.FPrintPageFrom = engine.FPrintPageTo = engine.PrintNrOfPages = 1;
    PainterCanvas canvas(painter, dpi, drawRect.topLeft());
    painter.save();
    engine.PrintDrawPages(canvas, PassPrint, false, 1, int(std::lround(drawRect.width() * 254.0 / dpi)),
                          int(std::lround(drawRect.height() * 254.0 / dpi)));
    painter.restore();
}

} // namespace grid::print
