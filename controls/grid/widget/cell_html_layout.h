#pragma once
#include "controls/grid/core/cell_look.h"
#include "controls/grid/core/check_placement.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/html_draw/html_text_painter.h"

#include <QPoint>
#include <QRect>

namespace grid {

// Where a cell's content goes, as the painter computes it. col is a display
// column, row a display row; rectangles are in client coordinates.

// The text rectangle of that content rectangle: fixed cells one line lower
// and past the grid line, XYOffset, the room of a graphic beside, above or
// under the text, the node indent of a node grid's plain rows.
QRect CellTextRect(TExStringGrid& grid, int col, int row, QRect content);
// The same with what the painter already knows: the fixed look, a fixed
// cell, the cell's graphic (or none).
QRect CellTextRect(TExStringGrid& grid, int col, int row, QRect content, bool fixedLook, bool fixed,
                   const TCellGraphic* graphic);
// Whether the cell's shown text is mini-HTML (never with EnableHTML off).
bool IsHtmlCellText(const TExStringGrid& grid, const QString& text);

// The layout input of a cell's mini-HTML text in textRect: the right edge
// leaves room for a sort indicator, the look's font and colours, the link
// colour (the selection's text colour on a selected cell).
html::HtmlLayoutInput CellHtmlInput(TExStringGrid& grid, int col, int row, const QString& text, QRect textRect,
                                    const CellLook& look, bool selected);

// The cell's mini-HTML laid out in its text rectangle exactly as the painter
// draws it, with point hit-tested (anchors and in-text controls). Nothing is
// laid out (no lines) for a cell whose text is no mini-HTML. hoveredLink is
// the 1-based link drawn hovered.
html::HtmlLayout CellHtmlLayout(TExStringGrid& grid, int col, int row, QPoint point,
                                html::HtmlPictures* pictures = nullptr, int hoveredLink = -1);

} // namespace grid
