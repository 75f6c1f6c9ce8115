#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/html/mini_html_markup.h"

#include <algorithm>
#include <atomic>

namespace grid {

int TExStringGrid::NextExchangeID()
{
    static std::atomic<int> next{1};
    return next++;
}

TExStringGrid::TExStringGrid()
{
    visibleCol_.fill(true);
    allColWidths_.fill(0);
    RebuildColumnMap();
    Navigation.OnChange = [this](void*) { NavigationChanged(); };
    MouseActions.OnChange = [this](void*) { MouseActionsChanged(); };
    MouseActions.OnInvalidate = [this](void*) { Invalidate(); };
    Bands.OnChange = [this](void*) { Invalidate(); };
    ShowModified.OnChange = [this](void*) { Invalidate(); };
    TObjStringGrid::SetDefaultRowHeight(22);
    SetRowCount(10);
    maxColCount_ = ColCount();
    InitLook();
    ColumnSize.OnStretch = [this](int column) { StretchColumn(column); };
}

TExStringGrid::~TExStringGrid()
{
    destroying_ = true;
    if (TThemeNotifier* notifier = ThemeNotifierIfAny())
        notifier->UnRegisterWindow(this);
}

void TExStringGrid::SetRowCount(int value)
{
    if (RowCount() == TObjStringGrid::FixedRows() && fixedRowAlways_ && selHidden_)
        UnHideSelection();
    // Shown and hidden rows together stay within the store's limit.
    TObjStringGrid::SetRowCount(std::min(value, kMaxRows - NumHiddenRows()));
    if (fixedRowsMin_ < RowCount() && fixedRowAlways_)
        SetFixedRows(fixedRowsMin_);
    maxRowCount_ = std::max(maxRowCount_, RowCount());
    FNormalRowCount = RowCount();
}

void TExStringGrid::SetColCount(int value)
{
    TObjStringGrid::SetColCount(value);
    if (fixedColsMin_ < ColCount() && fixedColAlways_)
        SetFixedCols(fixedColsMin_);
    maxColCount_ = std::max(maxColCount_, ColCount());
}

int TExStringGrid::FixedRows() const
{
    const int stored = TObjStringGrid::FixedRows();
    return stored == 0 && fixedRowAlways_ ? 1 : stored;
}

void TExStringGrid::SetFixedRows(int value)
{
    int v = value;
    if (value >= RowCount() && fixedRowAlways_)
        v = RowCount() - 1;
    TObjStringGrid::SetFixedRows(v);
    if (!loading_)
        fixedRowsMin_ = value;
}

int TExStringGrid::FixedCols() const
{
    const int stored = TObjStringGrid::FixedCols();
    return stored == 0 && fixedColAlways_ ? 1 : stored;
}

void TExStringGrid::SetFixedCols(int value)
{
    int v = value;
    if (value >= ColCount() && fixedColAlways_)
        v = ColCount() - 1;
    TObjStringGrid::SetFixedCols(v);
    if (!loading_)
        fixedColsMin_ = value;
}

void TExStringGrid::SetFixedRightCols(int value)
{
    fixedRightCols_ = std::max(0, value);
    Invalidate();
}

void TExStringGrid::SetFixedFooters(int value)
{
    fixedFooters_ = std::max(0, value);
    Invalidate();
}

void TExStringGrid::SetFixedColWidth(int value)
{
    if (loading_ || value == DefaultColWidth())
        return;
    for (int c = 0; c < TObjStringGrid::FixedCols(); ++c)
        SetColWidths(c, value);
}

void TExStringGrid::SetFixedRowHeight(int value)
{
    fixedRowHeight_ = value;
    if (loading_)
        return;
    if (value == DefaultRowHeight()) {
        SetDefaultRowHeight(value);
        return;
    }
    for (int r = 0; r < TObjStringGrid::FixedRows(); ++r)
        SetRowHeights(r, value);
}

void TExStringGrid::SetDefaultRowHeight(int value)
{
    TObjStringGrid::SetDefaultRowHeight(value);
}

void TExStringGrid::SetDefaultAlignment(TAlignment value)
{
    if (value == defaultAlignment_)
        return;
    defaultAlignment_ = value;
    Invalidate();
}

void TExStringGrid::SetWordWrap(bool value)
{
    TBaseGrid::SetWordWrap(value);
    if (updateCount_ == 0)
        Invalidate();
}

void TExStringGrid::SetCol(int value)
{
    TObjStringGrid::SetCol(value);
    if (SyncGrid.Grid() && SyncGrid.SelectionColumn)
        SyncGrid.Grid()->SetCol(Col());
}

void TExStringGrid::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Invalidate();
}

bool TExStringGrid::SelectCell(int col, int row)
{
    if (!Editing().SelectCell(col, row) || !TBaseGrid::SelectCell(col, row))
        return false;
    // A move onto another row is reported however it came (keys, clicks,
    // the setter); a refused move reports nothing.
    if (!loading_ && row != Row() && row != oldRowSel_ && OnRowChanged) {
        const int old = oldRowSel_;
        oldRowSel_ = row;
        OnRowChanged(this, old, row);
    }
    return true;
}

GridEditing& TExStringGrid::Editing()
{
    if (!editing_)
        editing_ = std::make_unique<GridEditing>(*this);
    return *editing_;
}

void TExStringGrid::ShowInplaceEdit()
{
    Editing().ShowInplaceEdit();
}

void TExStringGrid::HideInplaceEdit()
{
    Editing().HideInplaceEdit();
}

void TExStringGrid::ShowEditor()
{
    Editing().ShowInplaceEdit();
}

void TExStringGrid::HideEditor()
{
    Editing().HideInplaceEdit();
}

bool TExStringGrid::EditorMode() const
{
    return editing_ && editing_->EditMode();
}

void TExStringGrid::CanAddRow(bool& canAdd)
{
    if (OnCanAddRow)
        OnCanAddRow(this, canAdd);
}

void TExStringGrid::CanInsertRow(int row, bool& canInsert)
{
    if (OnCanInsertRow)
        OnCanInsertRow(this, row, canInsert);
}

void TExStringGrid::CanEditCell(int col, int row, bool& canEdit)
{
    const TGridCoord b = BaseCell(col, row);
    if (HasCellProperties(b.X, b.Y) && canEdit) {
        canEdit = !store_.Props(b.X, b.Y)->ReadOnly;
        if (!Options().Contains(goEditing) && !MouseActions.RangeSelectAndEdit)
            canEdit = false;
    }
    if (b.X < ColCount() + NumHiddenColumns())
        DoCanEditCell(b.X, b.Y, canEdit);
    else
        canEdit = true;
}

void TExStringGrid::DoCanEditCell(int col, int row, bool& canEdit)
{
    if (OnCanEditCell)
        OnCanEditCell(this, row, col, canEdit);
}

bool TExStringGrid::IsEditable(int col, int row)
{
    bool canEdit = true;
    CanEditCell(col, row, canEdit);
    return canEdit;
}

bool TExStringGrid::IsControlCell(int col, int row)
{
    if (col < 0 || row < 0)
        return false;
    const TGridCoord b = BaseCell(col, row);
    switch (GetCellType(b.X, b.Y)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctTriStateCheckBox:
        return true;
    default:
        return false;
    }
}

QString TExStringGrid::HtmlToPlainText(const QString& text) const
{
    return html::HtmlToPlainText(text);
}

} // namespace grid
