#include "controls/grid/core/cell_properties.h"

#include "controls/grid/core/base_grid.h"

namespace grid {

TCellProperties::TCellProperties(TBaseGrid* owner, int col, int row) : FOwnerGrid(owner), OwnerCol(col), OwnerRow(row)
{
    if (owner)
        wordWrap_ = owner->WordWrap();
}

TCellProperties::~TCellProperties() = default;

void TCellProperties::RepaintOwner()
{
    if (FOwnerGrid)
        FOwnerGrid->RepaintCell(FOwnerGrid->DisplColIndex(OwnerCol), OwnerRow);
}

void TCellProperties::SetBrushColor(TColor value)
{
    brushColor_ = value;
    RepaintOwner();
}

void TCellProperties::SetBrushColorTo(TColor value)
{
    brushColorTo_ = value;
    RepaintOwner();
}

void TCellProperties::SetVAlignment(TVAlignment value)
{
    vAlignment_ = value;
    RepaintOwner();
}

void TCellProperties::SetWordWrap(bool value)
{
    wordWrap_ = value;
    RepaintOwner();
}

TGridCoord TCellProperties::GetBaseCell(int col, int row) const
{
    if (!IsBaseCell && CellSpanX != -1 && CellSpanY != -1)
        return {col - CellSpanX, row - CellSpanY};
    return {col, row};
}

void TCellProperties::Assign(const TCellProperties& source)
{
    IsBaseCell = source.IsBaseCell;
    CellSpanX = source.CellSpanX;
    CellSpanY = source.CellSpanY;
    OwnerRow = source.OwnerRow;
    OwnerCol = source.OwnerCol;
    CellObject = source.CellObject;
    Alignment = source.Alignment;
    BorderColor = source.BorderColor;
    BorderWidth = source.BorderWidth;
    brushColor_ = source.brushColor_;
    BrushStyle = source.BrushStyle;
    FontColor = source.FontColor;
    FontStyle = source.FontStyle;
    FontName = source.FontName;
    FontSize = source.FontSize;
    ReadOnly = source.ReadOnly;
    Editor = source.Editor;
    vAlignment_ = source.vAlignment_;
    wordWrap_ = source.wordWrap_;
    NodeLevel = source.NodeLevel;
    Control = source.Control;
}

} // namespace grid
