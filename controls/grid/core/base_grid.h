#pragma once
#include "controls/grid/core/obj_string_grid.h"

#include <functional>

namespace grid {

class TUndoRedo;

// The root of the grid family: per-cell property objects, merged cells, the
// display-text hooks and the cell rectangles over merged ranges. Columns of
// the cell accessors here are real indices, rows are store (display) rows.
class TBaseGrid : public TObjStringGrid
{
public:
    TBaseGrid();
    ~TBaseGrid() override;

    // Look and behaviour fields.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor value);
    TColor GridFixedLineColor() const { return gridFixedLineColor_; }
    void SetGridFixedLineColor(TColor value);
    bool ActiveRowShow() const { return activeRowShow_; }
    void SetActiveRowShow(bool value);
    TColor ActiveRowColor() const { return activeRowColor_; }
    void SetActiveRowColor(TColor value);
    TColor ActiveRowColorTo() const { return activeRowColorTo_; }
    void SetActiveRowColorTo(TColor value);
    TColor ActiveRowMirrorColor() const { return activeRowMirrorColor_; }
    void SetActiveRowMirrorColor(TColor value);
    TColor ActiveRowMirrorColorTo() const { return activeRowMirrorColorTo_; }
    void SetActiveRowMirrorColorTo(TColor value);
    TGridSelectionStyle SelectionStyle() const { return selectionStyle_; }
    void SetSelectionStyle(TGridSelectionStyle value);
    bool HoverRow = false;
    THoverRowCells HoverRowCells{hcNormal, hcSelected};
    TColor HoverRowColor = clInfoBk;
    TColor HoverRowColorTo = clNone;
    int FHoverRowIdx = -1;
    bool WordWrap() const { return wordWrap_; }
    virtual void SetWordWrap(bool value) { wordWrap_ = value; }
    TUndoRedo* UndoRedo = nullptr;

    std::function<void(TBaseGrid* sender, int col, int row, QString& value)> OnGetDisplText;
    std::function<void(TBaseGrid* sender, int col, int row, QString& value)> OnGetDisplWideText;

    // Cells: merged-cell redirection and display hooks (reads), repaint and
    // hooks (writes).
    QString Cells(int col, int row) const { return GetCellEx(col, row); }
    void SetCells(int col, int row, const QString& value) { SetCellEx(col, row, value); }
    QString GetCellEx(int col, int row) const;
    void SetCellEx(int col, int row, const QString& value);
    // The stored text, no redirection, no hooks, no repaint.
    QString GridCells(int col, int row) const { return store_.Text(col, row); }
    void SetGridCells(int col, int row, const QString& value) { store_.SetText(col, row, value); }
    QString GetGridCell(int col, int row) const { return GridCells(col, row); }
    void SetGridCell(int col, int row, const QString& value) { SetGridCells(col, row, value); }
    // The raw object slot: the cell's property object or null.
    TCellProperties* GridObjects(int col, int row) const { return store_.Props(col, row); }
    TCellProperties* GetGridObject(int col, int row) const { return GridObjects(col, row); }

    bool HasCellProperties(int col, int row) const;
    // Creates and seeds the property object when the cell has none (null
    // outside the store limits).
    TCellProperties* CellProperties(int col, int row);
    TCellProperties* GetCellProperties(int col, int row) { return CellProperties(col, row); }
    // Frees the property object in the slot (with its graphic), stores value.
    void SetCellProperties(int col, int row, std::unique_ptr<TCellProperties> value);

    // The user object of the cell (never freed by the grid).
    quintptr Objects(int col, int row) const { return GetObjectEx(col, row); }
    void SetObjects(int col, int row, quintptr value) { SetObjectEx(col, row, value); }
    quintptr GetObjectEx(int col, int row) const;
    void SetObjectEx(int col, int row, quintptr value);
    TCellGraphic* GraphicObjects(int col, int row) const { return GetGraphicObjectEx(col, row); }
    TCellGraphic* GetGraphicObjectEx(int col, int row) const;
    // The grid takes the graphic; a graphic already there is freed.
    void SetGraphicObjectEx(int col, int row, std::unique_ptr<TCellGraphic> value);

    // Merged cells.
    TGridCoord BaseCell(int col, int row) const;
    bool IsBaseCell(int col, int row) const;
    bool FindBaseCell(int col, int row, int& baseCol, int& baseRow) const;
    bool IsMergedCell(int col, int row) const;
    bool IsMergedNonBaseCell(int col, int row) const;
    bool IsXMergedCell(int col, int row) const;
    bool IsYMergedCell(int col, int row) const;
    QPoint CellSpan(int col, int row) const;
    QPoint CellExt(int col, int row) const;
    TGridRect FullCell(int col, int row) const;
    int MinRowSpan(int row) const;
    int MaxRowSpan(int row) const;
    bool RowSpanIdentical(int row1, int row2) const;
    bool ColSpanIdentical(int col1, int col2) const;
    virtual void MergeCells(int col, int row, int spanX, int spanY);
    virtual void SplitCells(int col, int row);
    int MergeCount() const { return FMergeCount; }

    // Geometry over merged ranges (client pixels; col is a display column).
    QRect CellRect(int col, int row) const;
    QRect UnclippedCellRect(int col, int row) const;
    QPoint CellSize(int col, int row) const;
    void RepaintCell(int col, int row);

    // Clearing and freeing.
    void ClearRowCells(int row);
    void ClearColCells(int col);
    void ClearCellData(int col, int row);
    void FreeCellProperties(int col1, int row1, int col2, int row2);
    void FreeCellPropertiesAt(int col, int row);
    void FreeAllCellProperties();

    // Merged-cell steps of the key handling, around the one-step move of the
    // input side: MergedKeyStep before it, SnapToBaseCell after it.
    void MergedKeyStep(int key);
    void SnapToBaseCell();
    // After the wheel moved the selection down / up.
    void AfterMouseWheelDown();
    void AfterMouseWheelUp();

    // Hooks of the family.
    virtual bool IsFixed(int col, int row) { return false; }
    virtual int GetNodeIndent(int row) { return 0; }
    virtual bool HasNodes() const { return false; }
    virtual void UpdateFooterRow() {}
    virtual void GetDisplText(int col, int row, QString& value) const;
    virtual void GetDisplWideText(int col, int row, QString& value) const;
    virtual void GetCellDefaults(int col, int row, TFont& font, TColor& brush, TColor& colorTo, TColor& mirrorColor,
                                 TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                                 TCellGradientDirection& gd);
    virtual void CellTextChanged(int col, int row) {}
    virtual bool HasCellBorders() const { return false; }
    virtual int DisplColIndex(int col) const { return col; }
    virtual int RealColIndex(int col) const { return col; }
    virtual int TotalColCount() const { return ColCount(); }

    // The grid's font and colour, the seed of new property objects.
    TFont Font;
    TColor Color = clWindow;

    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    bool FHasCellProps = false;
    int FMergeCount = 0;
    int FPaintID = 1;
    bool FCustomSelect = true;
    bool FShowSel = true;

protected:
    bool SelectCell(int col, int row) override;
    void TopLeftChanged() override;
    // Creates and seeds a property object for the cell (step shared by
    // CellProperties and the graphic setter).
    TCellProperties* CreateCellProperties(int col, int row, bool setCalcType);
    // A seeded property object for the cell, not yet stored.
    std::unique_ptr<TCellProperties> NewCellProperties(int col, int row, bool setCalcType);
    void RepaintMergedFixedCols();
    void RepaintMergedFixedRows();

private:
    bool defaultDrawing_ = false;
    int gridLineWidth_ = 1;
    TColor gridLineColor_ = clSilver;
    TColor gridFixedLineColor_ = clGray;
    bool activeRowShow_ = false;
    TColor activeRowColor_ = clInfoBk;
    TColor activeRowColorTo_ = clNone;
    TColor activeRowMirrorColor_ = clNone;
    TColor activeRowMirrorColorTo_ = clNone;
    TGridSelectionStyle selectionStyle_ = ssDefault;
    bool wordWrap_ = true;
};

// "|\" followed by two characters (high and low byte) per UTF-16 unit.
QString EncodeWideText(const QString& wide);
QString DecodeWideText(const QString& text);

} // namespace grid
