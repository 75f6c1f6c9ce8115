#include "controls/grid/core/check_placement.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/text_measurer.h"

#include <algorithm>

namespace grid {

namespace {

// Right and bottom as the placement rules count them (one past the last pixel).
int RightOf(const QRect& r)
{
    return r.left() + r.width();
}

int BottomOf(const QRect& r)
{
    return r.top() + r.height();
}

} // namespace

int GraphicTop(const QRect& r, TCellVAlign va, int h)
{
    switch (va) {
    case vaBottom:
        return BottomOf(r) - 1 - h;
    case vaCenter:
        return h < r.height() ? r.top() + (r.height() - h) / 2 : r.top() + 1;
    case vaUnderText:
        return BottomOf(r) - h;
    case vaFull:
        return r.top();
    default:  // vaTop, vaAboveText
        return r.top() + 1;
    }
}

int CheckGlyphLeft(const QRect& r, TAlignment textAlign, bool kindShowsText, int t, int w)
{
    int left;
    switch (textAlign) {
    case taRightJustify:
        left = kindShowsText ? RightOf(r) - t - w - 1 : RightOf(r) - w - 1;
        break;
    case taCenter:
        left = kindShowsText && t > 0 ? std::max(0, RightOf(r) - t - r.left()) / 2 + r.left() - w
                                      : std::max(0, RightOf(r) - w - r.left()) / 2 + r.left();
        break;
    default:
        left = r.left() + 1;
        break;
    }
    return std::max(left, r.left());
}

TCellVAlign CheckGlyphVAlign(TCellVAlign graphicVa, TVAlignment cellVa, TVAlignment gridVa)
{
    if (cellVa == gridVa)
        return graphicVa;
    return cellVa == vtaTop ? vaTop : cellVa == vtaCenter ? vaCenter : vaBottom;
}

bool CheckKindShowsText(TCellType type)
{
    return type == ctCheckBox || type == ctTriStateCheckBox || type == ctRadioButton;
}

QRect CheckGlyphPlace(const QRect& r, TAlignment textAlign, TCellVAlign va, bool kindShowsText, int textWidth,
                      int size)
{
    return QRect(CheckGlyphLeft(r, textAlign, kindShowsText, textWidth, size), GraphicTop(r, va, size), size, size);
}

QRect CellContentRect(TExStringGrid& g, int col, int row)
{
    const QRect cell = g.CellRect(col, row);
    const int right = cell.left() + cell.width();
    const int bottom = cell.top() + cell.height();
    if (g.IsFixed(col, row))
        return QRect(QPoint(cell.left(), cell.top()), QPoint(right - 2, bottom - 3));
    const int w = g.GridLineWidth();
    return QRect(QPoint(cell.left() + w, cell.top() + w), QPoint(right - 1 - w, bottom - 1 - w));
}

QRect CheckBoxGlyphRect(TExStringGrid& g, int col, int row)
{
    const int realCol = g.RealColIndex(col);
    const TCellGraphic* graphic = g.GetCellGraphic(realCol, row);
    if (graphic == nullptr || (!IsCheckBoxType(graphic->CellType) && graphic->CellType != ctRadioButton))
        return {};
    const QPoint off = g.XYOffset();
    // Graphics of fixed-look cells sit one pixel lower.
    const QRect content = CellContentRect(g, col, row).adjusted(0, g.HasFixedLook(col, row) ? 1 : 0, 0, 0);
    const QRect r = content.adjusted(off.x() - 1, off.y() - 1, -(off.x() - 1), -(off.y() - 1));
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    g.GetCellTextAlignment(realCol, row, ha, va);
    const bool withText = CheckKindShowsText(graphic->CellType);
    int textWidth = 0;
    if (withText) {
        const QString text = g.GetFormattedCell(realCol, row);
        if (!text.isEmpty())
            textWidth = std::min(g.TextMeasure().TextRect(g.GetCellFont(realCol, row), text, 1 << 20, false).width(),
                                 std::max(0, r.width())) + 2 + 2;
    }
    const int size = g.GetGraphicLayout(realCol, row).Width;
    return CheckGlyphPlace(r, ha, CheckGlyphVAlign(graphic->CellVAlign, va, g.VAlignment()), withText, textWidth,
                           size);
}

} // namespace grid
