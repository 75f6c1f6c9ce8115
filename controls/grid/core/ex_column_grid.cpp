#include "controls/grid/core/ex_column_grid.h"

#include "controls/grid/core/float_format.h"
#include "controls/grid/core/text_routines.h"

#include <algorithm>
#include <cmath>

namespace grid {

TExColumnGrid::TExColumnGrid()
    : columns_(std::make_unique<TGridColumnCollection>(this)),
      FSaveCol(std::make_unique<TGridColumnItem>()),
      FCellGraphic(std::make_unique<TCellGraphic>())
{
    columns_->FNoRecursiveUpdate = true;
    MatchColumnCount();
    columns_->FNoRecursiveUpdate = false;
}

TExColumnGrid::~TExColumnGrid()
{
    destroying_ = true;
}

QString TExColumnGrid::GetVersionString() const
{
    return VersionText(GetVersionNr()) + QStringLiteral(" Aug, 2012");
}

TGridColumnItem* TExColumnGrid::Item(int col) const
{
    return col >= 0 && col < columns_->Count() ? columns_->items_[size_t(col)].get() : nullptr;
}

TGridColumnItem* TExColumnGrid::ColumnByName(const QString& name) const
{
    for (const auto& item : columns_->items_)
        if (item->Name == name)
            return item.get();
    return nullptr;
}

bool TExColumnGrid::IsNormalCell(int col, int row) const
{
    return col >= FixedCols() && col < AllColCount() - FixedRightCols() && row >= FixedRows() &&
           row < TExStringGrid::RowCount() - FixedFooters();
}

bool TExColumnGrid::IsCheckBoxColumn(int col) const
{
    const TGridColumnItem* item = Item(col);
    return item && item->Editor() == edDataCheckBox;
}

// ---- Items in step with the columns ----

void TExColumnGrid::MatchColumnCount()
{
    const int wanted = AllColCount();
    const bool noRecursion = columns_->FNoRecursiveUpdate;
    columns_->FNoRecursiveUpdate = true;
    while (columns_->Count() < wanted)
        columns_->Add();
    while (columns_->Count() > wanted)
        columns_->items_.pop_back();
    columns_->FNoRecursiveUpdate = noRecursion;
}

void TExColumnGrid::SetColCount(int value)
{
    TExStringGrid::SetColCount(value);
    if (columns_ && !colShifting_) {
        const bool noRecursion = columns_->FNoRecursiveUpdate;
        columns_->FNoRecursiveUpdate = true;
        MatchColumnCount();
        columns_->FNoRecursiveUpdate = noRecursion;
    }
}

void TExColumnGrid::RemoveCols(int col, int count)
{
    const int before = AllColCount();
    colShifting_ = true;
    try {
        TExStringGrid::RemoveCols(col, count);
    } catch (...) {
        colShifting_ = false;
        throw;
    }
    colShifting_ = false;
    // The base may remove fewer columns than asked (it keeps one shown).
    const int removed = before - AllColCount();
    const bool noRecursion = columns_->FNoRecursiveUpdate;
    columns_->FNoRecursiveUpdate = true;
    for (int i = 0; i < removed && col >= 0 && col < columns_->Count(); ++i)
        columns_->items_.erase(columns_->items_.begin() + col);
    MatchColumnCount();
    columns_->FNoRecursiveUpdate = noRecursion;
    columns_->Update(nullptr);
}

void TExColumnGrid::InsertCols(int col, int count)
{
    const int before = AllColCount();
    colShifting_ = true;
    try {
        TExStringGrid::InsertCols(col, count);
    } catch (...) {
        colShifting_ = false;
        throw;
    }
    colShifting_ = false;
    const int added = AllColCount() - before;
    const bool noRecursion = columns_->FNoRecursiveUpdate;
    columns_->FNoRecursiveUpdate = true;
    const int at = std::clamp(col, 0, columns_->Count());
    for (int i = 0; i < added; ++i)
        columns_->Insert(at);
    MatchColumnCount();
    columns_->FNoRecursiveUpdate = noRecursion;
    columns_->Update(nullptr);
}

void TExColumnGrid::Group(int col)
{
    if (col < FixedCols())
        return;
    // Ungroup first, so the item of the grouped column goes back before
    // FSaveCol takes the definition of the new one.
    if (GroupColumn() != -1)
        UnGroup();
    if (col < columns_->Count())
        FSaveCol->Assign(*columns_->Items(col));
    TExStringGrid::Group(col);
}

void TExColumnGrid::UnGroup()
{
    const int col = GroupColumn();
    TExStringGrid::UnGroup();
    if (col > 0 && GroupColumn() == -1 && col < columns_->Count()) {
        columns_->Items(col)->Assign(*FSaveCol);
        RebuildColumnHeaders();
    }
}

void TExColumnGrid::Loaded()
{
    TExStringGrid::Loaded();
    MatchColumnCount();
    columns_->SetOrganization();
}

void TExColumnGrid::WriteHeaderCell(int col, const QString& text)
{
    if (col >= 0)
        TExStringGrid::SetCellEx(col, 0, text);
}

void TExColumnGrid::RebuildColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    ColumnHeaders.clear();
    for (int i = 0; i < columns_->Count(); ++i) {
        TGridColumnItem* item = columns_->items_[size_t(i)].get();
        const QString cell = TExStringGrid::GetCellEx(i, 0);
        if (item->header_.isEmpty() && !cell.isEmpty())
            item->header_ = cell;
        ColumnHeaders.append(item->header_);
    }
}

void TExColumnGrid::ColumnHeadersChanged()
{
    for (int i = 0; i < columns_->Count() && i < ColumnHeaders.size(); ++i)
        columns_->items_[size_t(i)]->header_ = ColumnHeaders[i];
}

void TExColumnGrid::SetItemWidth(int col, int width)
{
    if (col < 0 || col >= AllColCount())
        return;
    if (IsHiddenColumn(col)) {
        if (col < kColTable)
            allColWidths_[size_t(col)] = static_cast<qint16>(std::clamp(width, 0, 32767));
        return;
    }
    SetColWidths(DisplColIndex(col), width);
}

void TExColumnGrid::ColWidthsChanged()
{
    TExStringGrid::ColWidthsChanged();
    if (loading_ || destroying_ || !columns_)
        return;
    for (int d = 0; d < TExStringGrid::ColCount(); ++d) {
        const int r = RealColIndex(d);
        if (r < columns_->Count())
            columns_->items_[size_t(r)]->width_ = ColWidths(d);
    }
}

void TExColumnGrid::ColumnMoved(int fromIndex, int toIndex)
{
    columns_->FNoRecursiveUpdate = true;
    const int top = TopRow();
    const int rf = RealColIndex(fromIndex);
    const int rt = RealColIndex(toIndex);
    TExStringGrid::ColumnMoved(fromIndex, toIndex);
    BeginUpdate();
    FColMoving = true;
    if (rf >= 0 && rt >= 0 && rf < columns_->Count() && rt < columns_->Count() && rf != rt) {
        // The moved definition keeps what Assign copies; its popup type and
        // print flags start again.
        auto moved = std::make_unique<TGridColumnItem>(columns_.get());
        moved->Assign(*columns_->items_[size_t(rf)]);
        columns_->items_.erase(columns_->items_.begin() + rf);
        columns_->items_.insert(columns_->items_.begin() + rt, std::move(moved));
    }
    SetTopRow(top);
    FColMoving = false;
    EndUpdate();
    columns_->FNoRecursiveUpdate = false;
    if (OnAfterColumnMoved)
        OnAfterColumnMoved(this, rf, rt);
}

void TExColumnGrid::ChangeScale(int m, int d)
{
    if (m == d || d == 0)
        return;
    const auto mulDiv = [&](int v) { return static_cast<int>(std::lround(double(v) * m / d)); };
    for (int i = 0; i < TExStringGrid::ColCount() && i < columns_->Count(); ++i) {
        TGridColumnItem* item = columns_->items_[size_t(i)].get();
        item->font_.Size = mulDiv(item->font_.Size);
        item->headerFont_.Size = mulDiv(item->headerFont_.Size);
    }
}

bool TExColumnGrid::ColumnPopupClick(int col, int row, bool rightButton)
{
    if (col < 0 || row < 0)
        return false;
    const TGridColumnItem* item = Item(col);
    if (item == nullptr || item->ColumnPopup == nullptr)
        return false;
    const TColumnPopupType fixedKind = rightButton ? cpFixedCellsRClick : cpFixedCellsLClick;
    const TColumnPopupType normalKind = rightButton ? cpNormalCellsRClick : cpNormalCellsLClick;
    const TColumnPopupType allKind = rightButton ? cpAllCellsRClick : cpAllCellsLClick;
    const TColumnPopupType type = item->ColumnPopupType;
    if (type != fixedKind && type != normalKind && type != allKind)
        return false;
    if (OnColumnPopup)
        OnColumnPopup(this, col, row, item->ColumnPopup);
    const bool fixedRow = row < FixedRows();
    return (fixedRow && (type == fixedKind || type == allKind)) || (!fixedRow && (type == normalKind || type == allKind));
}

// ---- Hooks answered from the columns ----

void TExColumnGrid::GetCellDefaults(int col, int row, TFont& font, TColor& brush, TColor& colorTo,
                                    TColor& mirrorColor, TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va,
                                    bool& ww, TCellGradientDirection& gd)
{
    const TGridColumnItem* item = Item(col);
    if (item == nullptr) {
        TExStringGrid::GetCellDefaults(col, row, font, brush, colorTo, mirrorColor, mirrorColorTo, ha, va, ww, gd);
        return;
    }
    font = item->Font();
    brush = item->Color();
    colorTo = clNone;
    ha = row < FixedRows() ? item->HeaderAlignment() : item->Alignment();
    va = VAlignment();
    ww = WordWrap();
    gd = GradientVertical;
    if (IsFixed(DisplColIndex(col), row)) {
        brush = clNone;
        colorTo = clNone;
    }
    if (Bands.Active() && item->ShowBands()) {
        brush = clNone;
        colorTo = clNone;
    }
}

void TExColumnGrid::GetCellColor(int col, int row, TGridDrawState state, TBrush& brush, TFont& font)
{
    const TGridColumnItem* item = Item(col);
    if (item && col >= FixedCols() && col < AllColCount() - FixedRightCols() &&
        row < TExStringGrid::RowCount() - FixedFooters()) {
        if (item->Fixed())
            brush.Color = FixedColor;
        else if ((!item->ShowBands() || !Bands.Active()) && row >= FixedRows())
            brush.Color = item->Color();
        font = row < FixedRows() ? item->HeaderFont() : item->Font();
        if (const TCellProperties* p = GridObjects(col, row)) {
            if (p->BrushColor() != clNone)
                brush.Color = p->BrushColor();
            if (p->FontColor != clNone)
                font.Color = p->FontColor;
        }
    }
    TExStringGrid::GetCellColor(col, row, state, brush, font);
}

void TExColumnGrid::GetCellPrintColor(int col, int row, TGridDrawState state, TBrush& brush, TFont& font)
{
    if (const TGridColumnItem* item = Item(col)) {
        const bool fixedOrFooter = col < FixedCols() || row < FixedRows() || col >= AllColCount() - FixedRightCols() ||
                                   row >= TExStringGrid::RowCount() - FixedFooters();
        if (fixedOrFooter) {
            font = PrintSettings.FixedFont;
        } else {
            const TCellProperties* p = GridObjects(col, row);
            if (item->Fixed())
                brush.Color = FixedColor;
            else if (!(item->ShowBands() && Bands.Active() && Bands.Print))
                brush.Color = item->PrintColor;
            if (p && p->BrushColor() != clNone)
                brush.Color = p->BrushColor();
            if (item->PrintFontCustom) {
                font = item->PrintFont;
                if (p) {
                    if (p->FontColor != clNone)
                        font.Color = p->FontColor;
                    if (p->FontStyle != 0)
                        font.Style = p->FontStyle;
                    if (p->FontSize != 0)
                        font.Size = p->FontSize;
                    if (!p->FontName.isEmpty())
                        font.Name = p->FontName;
                }
            } else {
                font = PrintSettings.Font;
            }
        }
    }
    TExStringGrid::GetCellPrintColor(col, row, state, brush, font);
}

void TExColumnGrid::GetCellBorder(int col, int row, TPen& pen, TCellBorders& borders)
{
    if (const TGridColumnItem* item = Item(col); item && col >= FixedCols() && row >= FixedRows()) {
        borders = item->Borders();
        pen = item->BorderPen();
    }
    TExStringGrid::GetCellBorder(col, row, pen, borders);
}

void TExColumnGrid::GetCellPrintBorder(int col, int row, TPen& pen, TCellBorders& borders)
{
    if (const TGridColumnItem* item = Item(col);
        item && col >= FixedCols() && row >= FixedRows() && item->PrintBorderCustom) {
        borders = item->PrintBorders;
        pen = item->PrintBorderPen;
    }
    TExStringGrid::GetCellPrintBorder(col, row, pen, borders);
}

void TExColumnGrid::GetCellAlignment(int col, int row, TAlignment& hAlign, TVAlignment& vAlign)
{
    if (const TGridColumnItem* item = Item(col)) {
        hAlign = row < FixedRows() ? item->HeaderAlignment() : item->Alignment();
        if (const TCellProperties* p = GridObjects(col, row))
            hAlign = p->Alignment;
    }
    TExStringGrid::GetCellAlignment(col, row, hAlign, vAlign);
}

void TExColumnGrid::GetFormat(int col, int& style, QString& prefix, QString& suffix)
{
    if (const TGridColumnItem* item = Item(col)) {
        style = item->SortStyle;
        prefix = item->SortPrefix;
        suffix = item->SortSuffix;
    }
    TExStringGrid::GetFormat(col, style, prefix, suffix);
}

void TExColumnGrid::GetFloatFormat(int col, int row, QString& format)
{
    format = FloatFormat;
    if (const TGridColumnItem* item = Item(col); item && !item->FloatFormat().isEmpty())
        format = item->FloatFormat();
}

void TExColumnGrid::GetEditorType(int col, int row, TEditorType& editor)
{
    if (const TGridColumnItem* item = Item(col)) {
        if (col >= FixedCols() && row >= FixedRows()) {
            editor = item->Editor();
            ComboItems = item->ComboItems;
            editorSettings_ = {item->DropDownCount, item->SpinMin, item->SpinMax, item->SpinStep, item->EditLink};
            ControlLook.DropDownCount = item->DropDownCount;
        }
        // Kept as the Parts have it: the column's format stays the grid's.
        if (!item->FloatFormat().isEmpty())
            FloatFormat = item->FloatFormat();
    }
    TExStringGrid::GetEditorType(col, row, editor);
}

void TExColumnGrid::IsFixedCell(int col, int row, bool& isFixed)
{
    const int real = RealColIndex(col);
    if (const TGridColumnItem* item = Item(real); item && col >= FixedCols() && row >= FixedRows())
        isFixed = item->Fixed();
    TExStringGrid::IsFixedCell(col, row, isFixed);
}

void TExColumnGrid::CanEditCell(int col, int row, bool& canEdit)
{
    canEdit = false;
    const TGridColumnItem* item = Item(col);
    if (!loading_ && item && col >= FixedCols() && row >= FixedRows()) {
        canEdit = !(item->ReadOnly || item->Fixed());
        if (const TCellProperties* p = GridObjects(col, row); p && canEdit)
            canEdit = !p->ReadOnly;
    }
    if (OnCanEditCell) {
        const TGridCoord b = BaseCell(col, row);
        OnCanEditCell(this, b.Y, b.X, canEdit);
    }
}

void TExColumnGrid::IsPasswordCell(int col, int row, bool& isPassword)
{
    if (const TGridColumnItem* item = Item(col))
        isPassword = item->Password();
    TExStringGrid::IsPasswordCell(col, row, isPassword);
}

bool TExColumnGrid::HasComboBox(int col, int row)
{
    bool combo = false;
    if (const TGridColumnItem* item = Item(col); item && col >= FixedCols() && row >= FixedRows())
        combo = item->Editor() == edComboEdit || item->Editor() == edComboList;
    if (OnHasComboBox)
        OnHasComboBox(this, col, row, combo);
    return combo;
}

void TExColumnGrid::GetCheckTrue(int col, int row, QString& value)
{
    TExStringGrid::GetCheckTrue(col, row, value);
    if (const TGridColumnItem* item = Item(col); item && IsNormalCell(col, row))
        value = item->CheckTrue;
}

void TExColumnGrid::GetCheckFalse(int col, int row, QString& value)
{
    TExStringGrid::GetCheckFalse(col, row, value);
    if (const TGridColumnItem* item = Item(col); item && IsNormalCell(col, row))
        value = item->CheckFalse;
}

TCellType TExColumnGrid::GetCellType(int col, int row)
{
    const TCellType type = TExStringGrid::GetCellType(col, row);
    if (type != ctEmpty || destroying_)
        return type;
    if (const TGridColumnItem* item = Item(col);
        item && IsNormalCell(col, row) && item->Editor() == edDataCheckBox)
        return ctDataCheckBox;
    return type;
}

TCellGraphic* TExColumnGrid::GetCellGraphic(int col, int row)
{
    TCellGraphic* graphic = TExStringGrid::GetCellGraphic(col, row);
    if (graphic != nullptr || destroying_)
        return graphic;
    if (const TGridColumnItem* item = Item(col);
        item && IsNormalCell(col, row) && item->Editor() == edDataCheckBox) {
        FCellGraphic->CellType = ctVirtCheckBox;
        FCellGraphic->CellTransparent = ControlLook.ControlStyle() == csFlat;
        return FCellGraphic.get();
    }
    return nullptr;
}

QString TExColumnGrid::GetFormattedCell(int col, int row)
{
    const TGridColumnItem* item = Item(col);
    if (item == nullptr)
        return TExStringGrid::GetFormattedCell(col, row);
    QString format = item->FloatFormat();
    const QString text = TExStringGrid::GetCellEx(col, row);
    const int kind = GetNumberKind(text);
    bool isFloat = kind == 0 || kind == 1;
    if (OnGetFloatFormat)
        OnGetFloatFormat(this, col, row, isFloat, format);
    if (format.isEmpty() || !isFloat)
        return text;
    // A format that does not take a fraction leaves the text as it is.
    double value = 0;
    if (!TryFloat(col, row, value))
        return text;
    return FormatNumber(format, value).value_or(text);
}

void TExColumnGrid::UpdateColumnSize(int col, int& width)
{
    if (const TGridColumnItem* item = Item(col)) {
        if (item->MinSize > 0 && width < item->MinSize)
            width = item->MinSize;
        if (item->MaxSize > 0 && width > item->MaxSize)
            width = item->MaxSize;
    }
    TExStringGrid::UpdateColumnSize(col, width);
}

void TExColumnGrid::UpdateAutoColumnSize(int col, int& width)
{
    if (const TGridColumnItem* item = Item(col)) {
        if (item->AutoMinSize > 0 && width < item->AutoMinSize)
            width = item->AutoMinSize;
        if (item->AutoMaxSize > 0 && width > item->AutoMaxSize)
            width = item->AutoMaxSize;
    }
    TExStringGrid::UpdateAutoColumnSize(col, width);
}

bool TExColumnGrid::GetColumnFilter(int col)
{
    TExStringGrid::GetColumnFilter(col);
    const TGridColumnItem* item = Item(col);
    if (item == nullptr || item->Filter().isEmpty())
        return false;
    FilterList.clear();
    for (const QString& line : item->Filter()) {
        const qsizetype eq = line.indexOf(u'=');
        FilterList.append(eq < 0 ? line : line.left(eq));
    }
    return true;
}

int TExColumnGrid::GetEditLimit()
{
    int limit = TExStringGrid::GetEditLimit();
    if (Col() < columns_->Count() && Col() >= FixedCols())
        if (const TGridColumnItem* item = Item(RealColIndex(Col())))
            limit = item->EditLength;
    return limit;
}

QString TExColumnGrid::GetEditMask(int col, int row)
{
    QString mask;
    if (col < columns_->Count() && col >= FixedCols())
        if (const TGridColumnItem* item = Item(RealColIndex(col)))
            mask = item->EditMask;
    const QString inherited = TExStringGrid::GetEditMask(col, row);
    return inherited.isEmpty() ? mask : inherited;
}

} // namespace grid
