// The draw tree: content margin, width and painting of a cell come from the application's events.

#include "controls/tree/widget/draw_tree.h"

namespace lazytree {

TCustomLazyDrawTree::TCustomLazyDrawTree(QWidget* parent, OptionsFactory optionsFactory)
    : TLazyTreeControl(parent, optionsFactory)
{
}

TPoint TCustomLazyDrawTree::ComputeCellContentMargin(
    PLazyNode node, TColumnIndex column, TVTCellContentMarginType marginType)
{
    TPoint result{};
    if (OnGetCellContentMargin)
        OnGetCellContentMargin(this, Measurer() ? Measurer()->Canvas() : nullptr, node, column, marginType, result);
    return result;
}

int TCustomLazyDrawTree::NodeContentWidth(PLazyNode node, TColumnIndex column)
{
    int result = 2 * TextMargin();
    if (OnGetNodeWidth)
        OnGetNodeWidth(this, Measurer() ? Measurer()->Canvas() : nullptr, node, column, result);
    return result;
}

void TCustomLazyDrawTree::PaintNodeContent(TVTPaintInfo& info)
{
    if (OnDrawNode)
        OnDrawNode(this, info);
}

TLazyDrawTree::TLazyDrawTree(QWidget* parent) : TCustomLazyDrawTree(parent) {}

} // namespace lazytree
