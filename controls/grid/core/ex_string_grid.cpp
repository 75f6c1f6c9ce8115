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
    // The owner's vetoes come first: a refused move leaves the cell where it
    // is and reports nothing more.
    bool allow = true;
    CellChanging(col, row, allow);
    if (!allow)
        return false;
    // A fixed-looking cell (fixed column or row, footer, fixed right column,
    // a Fixed column item) takes the cursor only under row selection or in a
    // grid that is down to its fixed rows, whatever editor was open.
    if (!Editing().SelectCell(col, row))
        return false;
    if (IsFixed(col, row) && !Options().Contains(goRowSelect) && !(fixedRowAlways_ && RowCount() == FixedRows()))
        return false;
    if (!TBaseGrid::SelectCell(col, row))
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

void TExStringGrid::CellChanging(int col, int row, bool& allow)
{
    if (row != Row() && OnRowChanging)
        OnRowChanging(this, Row(), row, allow);
    if (col != Col() && OnColChanging)
        OnColChanging(this, Col(), col, allow);
    if ((col == Col() && row == Row()) || !OnCellChanging || disableChange_)
        return;
    OnCellChanging(this, Row(), Col(), row, col, allow);
}

void TExStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    PlaceCellControls();
}

namespace {

// A display column (row) shows at the left (top) or in the scrolled range.
bool InView(int index, int fixed, int first, int visible)
{
    return index < fixed || (index >= first && index <= first + visible);
}

} // namespace

void TExStringGrid::PlaceCellControls()
{
    if (!View())
        return;
    if (cellScrollBar_.Visible && CellScrollBarControl) {
        const TGridCoord c = cellScrollBar_.Cell;
        QRect& b = cellScrollBar_.Bounds;
        if (InView(c.X, FixedCols(), LeftCol(), VisibleColCount()) &&
            InView(c.Y, FixedRows(), TopRow(), VisibleRowCount())) {
            const QRect r = CellRect(c.X, c.Y);
            const int line = GridLineWidth();
            b = QRect(r.x() + r.width() - line - kScrollBarSize, r.y() + line, kScrollBarSize,
                      std::max(0, r.height() - 2 * line));
        } else {
            b.setHeight(0);
        }
        View()->PlaceControl(CellScrollBarControl, b, true);
    }
    for (int i = 0; i < controlList_.Count(); ++i) {
        const TControlItem* item = controlList_.GetControl(i);
        bool shown = !IsHiddenRow(item->Y) && !IsHiddenColumn(item->X);
        const int col = DisplColIndex(item->X);
        const int row = DisplRowIndex(item->Y);
        shown = shown && InView(col, FixedCols(), LeftCol(), VisibleColCount()) &&
                InView(row, FixedRows(), TopRow(), VisibleRowCount());
        const QRect r = shown ? CellRect(col, row) : QRect();
        View()->PlaceControl(item->Control, QRect(r.x() - 1, r.y() - 1, r.width() + 1, r.height() + 1),
                             shown && !r.isEmpty());
    }
}

void TExStringGrid::HoverCellScrollBar(int col, int row)
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) {
        HideCellScrollBar();
        return;
    }
    const int real = RealColIndex(col);
    const QPoint pageAndRange = HasScrollBar(real, row) ? GetScrollProp(real, row) : QPoint(-1, -1);
    if (pageAndRange.x() < 0 || pageAndRange.x() >= pageAndRange.y()) {
        HideCellScrollBar();
        return;
    }
    const TGridCoord base = BaseCell(real, row);
    const TGridCoord cell{DisplColIndex(base.X), base.Y};
    if (cellScrollBar_.Visible && cellScrollBar_.Cell == cell)
        return; // already there
    cellScrollBar_.Visible = true;
    cellScrollBar_.Cell = cell;
    cellScrollBar_.Page = pageAndRange.x();
    cellScrollBar_.Range = pageAndRange.y();
    cellScrollBar_.Position = std::clamp(GetScrollPosition(base.X, base.Y), 0, cellScrollBar_.Max());
    cellScrollBar_.Bounds = QRect();
    PlaceCellControls();
}

void TExStringGrid::HideCellScrollBar()
{
    if (!cellScrollBar_.Visible)
        return;
    cellScrollBar_ = TCellScrollBar{};
    if (View() && CellScrollBarControl)
        View()->PlaceControl(CellScrollBarControl, QRect(), false);
}

bool TExStringGrid::CellScroll(TCellScrollAction action, int pos)
{
    TCellScrollBar& bar = cellScrollBar_;
    if (!bar.Visible)
        return false;
    const int real = RealColIndex(bar.Cell.X);
    if (bar.Cell.Y >= RowCount() || !HasScrollBar(real, bar.Cell.Y)) {
        // The cell lost its bar (removed, or the rows changed under it).
        HideCellScrollBar();
        return false;
    }
    int next = bar.Position;
    switch (action) {
    case csLineUp:
        next -= kCellScrollLine;
        break;
    case csLineDown:
        next += kCellScrollLine;
        break;
    case csPageUp:
        next -= kCellScrollPage;
        break;
    case csPageDown:
        next += kCellScrollPage;
        break;
    case csThumb:
        next = pos;
        break;
    }
    next = std::clamp(next, 0, bar.Max());
    if (next == bar.Position)
        return false;
    bar.Position = next;
    SetScrollPosition(real, bar.Cell.Y, next);
    ScrollCell();
    return true;
}

void TExStringGrid::ScrollCell()
{
    const TCellScrollBar& bar = cellScrollBar_;
    if (OnScrollCell)
        OnScrollCell(this, bar.Cell.X, bar.Cell.Y, bar.Position, 0, bar.Max());
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
