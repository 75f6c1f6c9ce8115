#include "controls/grid/widget/cell_html_layout.h"

#include "controls/grid/core/cell_properties.h"
#include "controls/grid/core/text_routines.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QGuiApplication>

namespace grid {

QRect CellTextRect(TExStringGrid& grid, int col, int row, QRect content)
{
    return CellTextRect(grid, col, row, content, grid.HasFixedLook(col, row), grid.IsFixed(col, row),
                        grid.GetCellGraphic(grid.RealColIndex(col), row));
}

QRect CellTextRect(TExStringGrid& grid, int col, int row, QRect rect, bool fixedLook, bool fixed,
                   const TCellGraphic* graphic)
{
    const int realCol = grid.RealColIndex(col);
    if (fixedLook)
        rect.adjust(0, 1, 0, 0);
    if (fixed)
        rect.adjust(grid.GridLineWidth(), grid.GridLineWidth(), 0, 0);
    const QPoint off = grid.XYOffset();
    rect.adjust(off.x(), off.y(), grid.XYOffsetTopLeftOnly ? 0 : -off.x(), 0);
    if (graphic) {
        const GraphicLayout layout = grid.GetGraphicLayout(realCol, row);
        if (graphic->CellHAlign == haBeforeText)
            rect.setLeft(rect.left() + layout.Width);
        else if (graphic->CellHAlign == haAfterText)
            rect.setRight(rect.right() - layout.Width);
        if (graphic->CellVAlign == vaAboveText)
            rect.setTop(rect.top() + layout.Height);
        else if (graphic->CellVAlign == vaUnderText)
            rect.setBottom(rect.bottom() - layout.Height);
    }
    if (realCol == 0 && grid.HasNodes() && row >= grid.FixedRows() && !grid.IsNode(row))
        rect.setLeft(rect.left() + grid.GetNodeIndent(row));
    return rect;
}

bool IsHtmlCellText(const TExStringGrid& grid, const QString& text)
{
    return GetTextKind(text, grid.EnableHTML) == 1;
}

html::HtmlLayoutInput CellHtmlInput(TExStringGrid& grid, int col, int row, const QString& text, QRect rect,
                                    const CellLook& look, bool selected)
{
    const TSortSettings& sort = grid.SortSettings;
    if (sort.Show() && row == sort.Row() && (col >= grid.FixedCols() || sort.FixedCols))
        rect.setRight(rect.right() - 10);
    html::HtmlLayoutInput in;
    in.Text = text;
    in.Rect = rect;
    in.Font = html::ToHtmlFont(ToQFont(look.Font), look.Font.Color);
    in.BrushColor = look.Brush.Color;
    in.WordWrap = look.WordWrap;
    in.Selected = selected;
    in.LinkColor = grid.URLColor();
    if (selected && grid.ShowSelection() && grid.SelectionTextColor() != clNone)
        in.LinkColor = grid.SelectionTextColor();
    in.UnderlineHoveredOnly = grid.URLUnderlineOnHover;
    in.ControlPressed = QGuiApplication::keyboardModifiers() & Qt::ControlModifier;
    return in;
}

html::HtmlLayout CellHtmlLayout(TExStringGrid& grid, int col, int row, QPoint point, html::HtmlPictures* pictures,
                                int hoveredLink)
{
    const int realCol = grid.RealColIndex(col);
    if (col < 0 || row < 0 || col >= grid.ColCount() || row >= grid.RowCount())
        return {};
    const TGridCoord base = grid.BaseCell(realCol, row);
    col = grid.DisplColIndex(base.X);
    row = base.Y;
    const QString text = grid.GetFormattedCell(base.X, row);
    if (!IsHtmlCellText(grid, text))
        return {};
    const GraphicLayout layout = grid.GetGraphicLayout(base.X, row);
    if (!layout.DrawText)
        return {};
    TGridDrawState state;
    if (grid.IsFixed(col, row))
        state.Include(gdFixed);
    const CellLook look = grid.GetVisualProperties(col, row, state, false, false, true);
    html::HtmlLayoutInput in =
        CellHtmlInput(grid, col, row, text, CellTextRect(grid, col, row, CellContentRect(grid, col, row)), look, false);
    in.Point = point;
    in.HoveredLink = hoveredLink;
    in.HitTestOnly = true;
    html::FontMetricsMeasurer measurer;
    return html::LayoutHtmlText(in, measurer, pictures);
}

} // namespace grid
