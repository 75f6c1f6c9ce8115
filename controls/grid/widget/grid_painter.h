#pragma once
#include "controls/grid/core/ex_string_grid.h"

#include <QFont>
#include <QPixmap>
#include <QRect>

class QPainter;

namespace grid {

// Paints a grid's client area: only the cells the clip shows (fixed rows and
// columns plus the scrolled range from TopRow/LeftCol), then the area past
// the cells. The frame pass (background, hover and active rows, selection
// boxes, grid lines) runs per cell and hands the inner rectangle to
// DrawCellContent (text, check glyphs, fixed-cell edges, sort indicator,
// focus rectangle).
class GridPainter
{
public:
    explicit GridPainter(TExStringGrid& grid) : grid_(grid) {}
    virtual ~GridPainter() = default;

    void Paint(QPainter& painter, const QRect& clip, bool focused);
    // One cell with (PaintCell) or without (PaintCellExt) its content.
    void PaintCell(QPainter& painter, int col, int row, QRect rect, TGridDrawState state);
    void PaintCellExt(QPainter& painter, int col, int row, QRect rect, TGridDrawState state);

    // Draws a cell's content inside its lines; col is a display column.
    virtual void DrawCellContent(QPainter& painter, int col, int row, QRect rect, TGridDrawState state);
    // The selection box of a cell (a seam for tests).
    virtual void DrawSelectionBox(QPainter& painter, const QRect& box, int part, TGridSelectionStyle style,
                                  bool active);

    // The check glyph's rectangle in a cell's content rectangle (the placement
    // of check box kinds, text width 0).
    QRect CheckGlyphRect(int col, int row, const QRect& rect, TAlignment textAlign);
    // Whether a check cell shows checked; false for other cells.
    bool CheckShown(int realCol, int row, const TCellGraphic& graphic);

    // The built-in check pictures (checked or not, enabled or not), made once
    // per size.
    static const QPixmap& CheckPicture(int size, bool checked, bool enabled);

private:
    void PaintCellFrame(QPainter& painter, int col, int row, QRect rect, TGridDrawState state,
                        bool withContent);
    void DrawText(QPainter& painter, int col, int realCol, int row, QRect rect, const CellLook& look,
                  bool fixedLook, int graphicWidth);
    void DrawFixedEdges(QPainter& painter, QRect rect);
    // Whether the cell is the sort column's header that the sort header
    // gradient fills.
    bool SortHeaderColored(int col, int realCol, int row);
    const QFont& FontOf(const TFont& font);

    TExStringGrid& grid_;
    bool focused_ = false;
    TFont lastFont_;
    QFont lastQFont_;
    bool hasFont_ = false;
};

} // namespace grid
