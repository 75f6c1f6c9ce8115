#pragma once
#include "controls/grid/core/cell_graphic.h"
#include "controls/grid/core/grid_types.h"

#include <QObject>

#include <memory>

namespace grid {

class TBaseGrid;

// The editors a cell can have; the ordinal is the stored value.
enum TEditorType {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit,
    edNone,
    edDateTimeEdit,
    edValidChars,
    edTrackbarDropDown,
    edMemoDropDown,
    edCalculatorDropDown,
    edTimePickerDropDown,
    edDetailDropDown,
    edGridDropDown,
    edColorPickerDropDown,
    edImagePickerDropDown,
    edExGridDropDown,
    edPositiveFloat,
    edNumericUnitEditBtn,
    edFloatUnitEditBtn,
    edMaskEditBtn
};

// A cell's own look, merge data and objects; created on first use and owned
// by the grid. Its graphic is owned with it.
class TCellProperties
{
public:
    TCellProperties(TBaseGrid* owner, int col, int row);
    ~TCellProperties();
    TCellProperties(const TCellProperties&) = delete;
    TCellProperties& operator=(const TCellProperties&) = delete;

    TBaseGrid* FOwnerGrid;
    int OwnerCol;
    int OwnerRow;
    // The user's object or integer tag; never freed by the grid.
    quintptr CellObject = 0;
    std::unique_ptr<TCellGraphic> FGraphicObject;
    TBrushStyle BrushStyle = bsSolid;
    int FontSize = 0;
    TColor FontColor = clNone;
    TFontStyles FontStyle = 0;
    int CellSpanY = -1;
    int CellSpanX = -1;
    int BorderWidth = 0;
    TColor BorderColor = 0;
    TAlignment Alignment = taLeftJustify;
    int FPaintID = 0;
    bool IsBaseCell = true;
    TColumnCalcType CalcType = acNONE;
    QObject* CalcObject = nullptr;
    int NodeLevel = 0;
    TEditorType Editor = edNormal;
    QString FontName;
    bool ReadOnly = false;
    TCellGradientDirection GradientDirection = GradientVertical;
    // A control placed in the cell; the view's, never freed here.
    QObject* Control = nullptr;

    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor value);
    TColor BrushColorTo() const { return brushColorTo_; }
    void SetBrushColorTo(TColor value);
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    // The base cell of the merged range this cell lies in, given the cell's
    // own position.
    TGridCoord GetBaseCell(int col, int row) const;

    // Copies look, merge data, owner indices, the user object and the control.
    void Assign(const TCellProperties& source);

private:
    friend class TBaseGrid;
    void RepaintOwner();

    TColor brushColor_ = clNone;
    TColor brushColorTo_ = clNone;
    TVAlignment vAlignment_ = vtaTop;
    bool wordWrap_ = true;
};

} // namespace grid
