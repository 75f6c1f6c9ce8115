#include "controls/dropdown/grid_dropdown.h"

#include "controls/dropdown/color_styles.h"
#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/list_completion.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>

namespace dropdown {

using namespace grid;

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers m)
{
    TShiftState s;
    if (m & Qt::ShiftModifier)
        s.Include(ssShift);
    if (m & Qt::AltModifier)
        s.Include(ssAlt);
    if (m & Qt::ControlModifier)
        s.Include(ssCtrl);
    return s;
}

}  // namespace

namespace griddropdown {

TExColGrid::TExColGrid()
{
    SetFixedRowAlways(true);
    SetFixedRows(1);
    SetFixedCols(0);
    TGridOptions o = Options();
    o.Exclude(goRangeSelect);
    o.Include(goHorzLine);
    o.Include(goRowSelect);
    SetOptions(o);
    ScrollBars = ssVertical;
    SetBorderStyle(bsNone);
    OldRow = Row();
}

void TExColGrid::TakeSettings(TCustomExGridDropDown* dd)
{
    dropDown_ = dd;
    Columns = dd->Columns();
    if (ColCount() < int(Columns.size()))
        SetColCount(int(Columns.size()));
    if (dd->UseItems)
        SetRowCount(int(dd->Items().size()) + 1);
    TakeLook(*dd);
    bool wrap = false;
    for (const TDropDownColumn& c : Columns)
        wrap = wrap || c.Wordwrap;
    SetWordWrap(wrap);
    TGridOptions o = Options();
    const auto set = [&](TGridOption option, bool on) { on ? o.Include(option) : o.Exclude(option); };
    set(goColSizing, dd->ColumnSizing);
    set(goColMoving, dd->ColumnMoving);
    set(goRowSizing, dd->RowSizing);
    set(goRowMoving, dd->RowMoving);
    SetOptions(o);
    if (dd->AutoSizeColumns) {
        if (dd->UseItems)
            for (size_t c = 0; c < Columns.size(); ++c)
                AutoSizeItemColumn(int(c));
        else
            TExStringGrid::AutoSizeColumns(true, 4);
    }
    AutoSizeWordWrapRows();
}

void TExColGrid::LoadItems()
{
    if (!dropDown_)
        return;
    if (ColCount() != int(Columns.size()) && !Columns.empty())
        SetColCount(int(Columns.size()));
    for (size_t c = 0; c < Columns.size(); ++c) {
        SetCells(int(c), 0, Columns[c].Header);
        SetObjects(int(c), 0, quintptr(-1));
    }
    const TDropDownItems& items = dropDown_->Items();
    if (!items.empty())
        SetRowCount(FixedRows() + int(items.size()));
    const int cols = ColCount();
    for (size_t i = 0; i < items.size(); ++i) {
        const int row = int(i) + 1;
        for (int c = 0; c < cols; ++c)
            SetCells(c, row, ItemLine(items[i], c));
        SetObjects(0, row, quintptr(i));
    }
}

TExCustomDropDown* TExColGrid::Owner() const
{
    return dropDown_;
}

void TExColGrid::AutoSizeItemColumn(int index)
{
    if (index < 0 || index >= int(Columns.size()) || !Columns[size_t(index)].AutoSize || !MeasureWidth)
        return;
    TDropDownColumn& c = Columns[size_t(index)];
    const QList<QPixmap>* images = dropDown_ ? dropDown_->Images() : nullptr;
    const int imageWidth = images && !images->isEmpty() ? images->first().width() : 0;
    int w = 0;
    if (dropDown_) {
        w = AutoColumnWidth(dropDown_->Items(), index, c.ColumnType == ctImage, imageWidth,
                            [&](const QString& s) { return MeasureWidth(c.Font, s); });
    } else {
        for (int r = 1; r < RowCount(); ++r) {
            const QString s = Cells(index, r);
            w = std::max(w, s.isEmpty() ? 0 : MeasureWidth(c.Font, s) + 6);
        }
    }
    c.Width = w;
    if (dropDown_ && index < int(dropDown_->Columns().size()))
        dropDown_->Columns()[size_t(index)].Width = w;
    SetColWidths(index, w);
}

void TExColGrid::AutoSizeWordWrapRows()
{
    if (!MeasureWrapped)
        return;
    bool any = false;
    for (const TDropDownColumn& c : Columns)
        any = any || c.Wordwrap;
    if (!any)
        return;
    const QList<QPixmap>* images = dropDown_ ? dropDown_->Images() : nullptr;
    const bool hasImages = images && !images->isEmpty();
    const int imageHeight = hasImages ? images->first().height() : 0;
    for (int r = FixedRows(); r < RowCount(); ++r) {
        TDropDownItem item;
        if (dropDown_ && dropDown_->UseItems && r - 1 < int(dropDown_->Items().size()))
            item = dropDown_->Items()[size_t(r - 1)];
        else
            for (int c = 0; c < ColCount(); ++c)
                item.Text << Cells(c, r);
        SetRowHeights(r, WrappedRowHeight(item, Columns, hasImages, imageHeight, [&](int col, const QString& s) {
                          return MeasureWrapped(Columns[size_t(col)].Font, s, ColWidths(col));
                      }));
    }
}

void TExColGrid::GetEditorProp(int col, int row)
{
    if (OnGetEditorProp)
        OnGetEditorProp(this, row, col);
}

bool TExColGrid::SelectCell(int col, int row)
{
    const bool ok = TExStringGrid::SelectCell(col, row);
    if (ok && dropDown_)
        dropDown_->GridSelectCell(row);
    return ok;
}

TExColGridView::TExColGridView(QWidget* parent) : TColumnGridView(*held, parent) {}

void TExColGridView::keyReleaseEvent(QKeyEvent* event)
{
    TGridWidget::keyReleaseEvent(event);
    if (TCustomExGridDropDown* dd = held->DropDown())
        dd->ForwardKeyUp(event);  // OnGridKeyUp and the entry reset
}

void TExColGridView::mouseMoveEvent(QMouseEvent* event)
{
    TGridWidget::mouseMoveEvent(event);
    if (held->OnMouseMove) {
        const QPoint p = event->position().toPoint();
        held->OnMouseMove(held.get(), event->modifiers(), p.x(), p.y());
    }
}

void TExColGridView::mouseReleaseEvent(QMouseEvent* event)
{
    TGridWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    const TGridCoord cell = held->MouseCoord(p.x(), p.y());
    if (cell.X < 0 || cell.Y < held->FixedRows() || cell.Y >= held->RowCount())
        return;
    if (held->HasCheckBox(cell.X, cell.Y))
        return;
    held->DoSelect();
}

}  // namespace griddropdown

TCustomExGridDropDown::TCustomExGridDropDown(QWidget* parent) : TColumnListDropDown(parent, 6)
{
    TCustomExGridDropDown::SetSelectionColorStyle(scOffice2007);
}

void TCustomExGridDropDown::Loaded()
{
    TColumnListDropDown::Loaded();
    if (view_)
        view_->Table().LoadItems();
}

void TCustomExGridDropDown::SetStyle(TDropDownStyle value)
{
    style_ = value;
    SetEditorEnabled(value == dsDropDown);
}

void TCustomExGridDropDown::SetItemIndex(int value)
{
    if (UseItems) {
        if (value >= int(items_.size()))
            return;
        itemIndex_ = std::max(value, -1);
        ShowText(itemIndex_ >= 0 && LookupColumn >= 0 ? ItemLine(items_[size_t(itemIndex_)], LookupColumn)
                                                      : QString());
        return;
    }
    if (!view_) {
        itemIndex_ = value;
        return;
    }
    Grid& g = view_->Table();
    if (value != itemIndex_ && value < g.RowCount()) {
        itemIndex_ = std::max(value, -1);
        ShowText(itemIndex_ < 0 ? QString() : g.Cells(LookupColumn, itemIndex_ + 1));
    }
}

int TCustomExGridDropDown::StepCount() const
{
    if (UseItems)
        return int(items_.size());
    return view_ ? view_->Table().RowCount() - view_->Table().FixedRows() : 0;
}

int TCustomExGridDropDown::ItemOfRow(int row) const
{
    if (!view_)
        return row;
    const Grid& g = view_->Table();
    if (row < 0 || row >= g.RowCount())
        return row;
    return int(qintptr(g.Objects(0, row)));
}

int TCustomExGridDropDown::RowOfItem(int item) const
{
    if (!view_ || item < 0)
        return itemIndex_;
    const Grid& g = view_->Table();
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        if (int(qintptr(g.Objects(0, r))) == item)
            return r;
    return itemIndex_;
}

bool TCustomExGridDropDown::FindLookup(const QString& text, QString& found, int& row) const
{
    row = -1;
    found.clear();
    if (text.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (UseItems) {
        // The index answers when it is in step with the items.
        if (!CaseSensitive && lookupIndex_.Size() == int(items_.size()) && LookupColumn >= 0) {
            const int i = lookupIndex_.First(text);
            if (i >= 0 && lookup_[i] == ItemLine(items_[size_t(i)], LookupColumn)) {
                found = lookup_[i];
                row = i;
                return true;
            }
        }
        for (size_t i = 0; i < items_.size(); ++i) {
            const QString line = ItemLine(items_[i], LookupColumn);  // a missing line reads as empty
            if (line.startsWith(text, cs)) {
                found = line;
                row = int(i);
                return true;
            }
        }
        return false;
    }
    if (!view_)
        return false;
    const Grid& g = view_->Table();
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
        const QString cell = g.Cells(LookupColumn, r);
        if (cell.startsWith(text, cs)) {
            found = cell;
            row = r;
            return true;
        }
    }
    return false;
}

int TCustomExGridDropDown::LookupChar(QChar ch)
{
    if (LookupMethod == lmNone)
        return -1;
    if (ch == QChar(8)) {
        LookupBackspace();
        return -1;
    }
    if (ch != QChar(9))
        lookupEntry_ += ch;
    const QString entry = lookupEntry_.trimmed();
    if (LookupMethod == lmNarrowDown) {
        if (!view_)
            return -1;
        Grid& g = view_->Table();
        filling_ = true;
        if (!entry.isEmpty()) {
            g.SetFixedRowAlways(true);
            g.NarrowDown(entry, LookupColumn);
            if (style_ == dsDropDown && g.RowCount() > g.FixedRows()) {
                internalUpdate_ = true;
                SetTextDirect(g.Cells(LookupColumn, g.FixedRows()));
                SelectTail(int(lookupEntry_.size()));
                internalUpdate_ = false;
            }
        } else {
            g.RemoveAllFilters();
        }
        filling_ = false;
        return g.FixedRows();
    }
    QString found;
    int row = -1;
    if (FindLookup(entry, found, row)) {
        itemIndex_ = row;
        internalUpdate_ = true;
        SetTextDirect(found);
        if (style_ == dsDropDown)
            SelectTail(int(lookupEntry_.size()));
        internalUpdate_ = false;
        return row;
    }
    if (style_ == dsDropDown)
        return -1;
    if (FindLookup(QString(ch), found, row)) {
        itemIndex_ = row;
        internalUpdate_ = true;
        SetTextDirect(found);
        internalUpdate_ = false;
        lookupEntry_ = QString(ch);
        return row;
    }
    lookupEntry_.clear();
    return -1;
}

void TCustomExGridDropDown::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool alt = event->modifiers() & Qt::AltModifier;
    Grid* g = GetGrid();
    if (enter && !(event->modifiers() & Qt::ShiftModifier) && g && GridEditable && g->EditorMode()) {
        g->HideInplaceEdit();
        ShowText(g->Cells(LookupColumn, g->Row()));
        itemIndex_ = g->Row() - g->FixedRows();
        return;
    }
    if (enter && g)
        g->ConfirmSelection = true;
    const bool nav = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End ||
                     key == Qt::Key_Home || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
                     key == Qt::Key_Right;
    if (HasLookup() && (key == Qt::Key_Escape || nav))
        lookupEntry_.clear();
    LookupKeyPress(event);
    if (!isEnabled() || alt)
        return;
    if (nav)
        lookupEntry_.clear();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (StepKey(key, !shift && style_ == dsDropDownList))
        return;
    const QString typed = event->text();
    if (typed.size() == 1 && (typed[0].isPrint() || typed[0] == QChar(8)) && !(event->modifiers() & Qt::ControlModifier)) {
        LookupChar(typed[0]);
        if (AutoShowDropDown && !DroppedDown())
            ShowDropDown();
    }
}

void TCustomExGridDropDown::keyReleaseEvent(QKeyEvent* event)
{
    TExCustomDropDown::keyReleaseEvent(event);
    Grid* g = GetGrid();
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(event->modifiers() & Qt::ShiftModifier) && g &&
        GridEditable && g->EditorMode()) {
        if (g->Col() == LookupColumn)
            DoHideDropDown(false);
        else
            g->HideInplaceEdit();
    }
    TakeCompletedItem();
}

void TCustomExGridDropDown::focusInEvent(QFocusEvent* event)
{
    TExCustomDropDown::focusInEvent(event);
    if (view_)
        view_->Table().RemoveAllFilters();
    lookupEntry_.clear();
}

void TCustomExGridDropDown::Wire(Grid& g)
{
    for (const GridForwarder& f : kGridForwarders)
        if (f.Connected)
            f.Attach(*this, g);
    // Custom cell drawing only when asked for at this opening.
    if (!OnGridCustomCellDraw)
        g.OnCustomCellDraw = nullptr;
    if (!OnGridCustomCellBkgDraw)
        g.OnCustomCellBkgDraw = nullptr;
    g.OnCanSort = [this](TExStringGrid*, int col, bool& doSort) { GridCanSort(col, doSort); };
    g.OnClickSort = [this](TExStringGrid*, int col) { GridClickSort(col); };
    g.OnCheckBoxClick = [this](TExStringGrid* s, int col, int row, bool state) {
        if (OnGridCheckBoxClick)
            OnGridCheckBoxClick(s, col, row, state);
    };
    g.OnSelect = [this] { GridSelect(); };
}

void TCustomExGridDropDown::DoBeforeDropDown()
{
    form_->CancelOnDeActivate = false;
    if (!view_) {
        view_ = new griddropdown::TExColGridView(form_);
        view_->move(0, 0);
        view_->resize(width(), 180);
        view_->Table().SetDropDown(this);
    }
    Grid& g = view_->Table();
    filling_ = true;
    g.BeginUpdate();
    g.TakeSettings(this);
    g.Color = DropDownColor();
    g.SortSettings.SetShow(Sorting != gsNone);
    g.SortSettings.IndexShow = Sorting == gsMultiColumn;
    Wire(g);
    TGridOptions o = g.Options();
    o.Include(goThumbTracking);
    RowSelect ? o.Include(goRowSelect) : o.Exclude(goRowSelect);
    GridEditable ? o.Include(goEditing) : o.Exclude(goEditing);
    g.SetOptions(o);
    if (UseItems) {
        TExCustomDropDown::DoBeforeDropDown();
        g.RemoveAllFilters();
        g.SetRowCount(int(items_.size()) + 1);
        g.SetFixedRows(1);
        g.LoadItems();
        const int row = RowOfItem(itemIndex_);
        if (row >= g.FixedRows() && row < g.RowCount())
            g.MoveColRow(0, row, true, false);
    } else {
        QString found;
        int row = -1;
        if (!FindLookup(Text(), found, row))
            row = g.FixedRows();
        if (row < g.RowCount())
            g.MoveColRow(0, row, true, false);
    }
    if (g.SortSettings.Column >= 0 && g.SortSettings.Show()) {
        const int item = itemIndex_;
        g.QSort();
        if (UseItems && item >= 0) {
            const int row = RowOfItem(item);
            if (row >= g.FixedRows() && row < g.RowCount())
                g.MoveColRow(0, row, true, false);
        }
    }
    g.SetLeftCol(g.FixedCols());
    g.EndUpdate();
    filling_ = false;
    g.ConfirmSelection = false;
    SetControl(view_);
    oldItemIndex_ = itemIndex_;
    if (!UseItems)
        TExCustomDropDown::DoBeforeDropDown();
}

void TCustomExGridDropDown::ScaleColumnsToDropDown()
{
    if (!ColumnSizeWithDropDown || !view_ || !form_ || columns_.empty())
        return;
    Grid& g = view_->Table();
    std::vector<int> widths;
    for (int c = 0; c < g.ColCount() && c < int(g.Columns.size()); ++c)
        widths.push_back(g.Columns[size_t(c)].Width);
    ScaleColumnsToPopup(widths);
}

void TCustomExGridDropDown::DoShowDropDown()
{
    TExCustomDropDown::DoShowDropDown();
    if (!view_ || !DroppedDown())
        return;
    Grid& g = view_->Table();
    if (!UseItems)
        while (int(columns_.size()) < g.ColCount())
            columns_.emplace_back();
    ScaleColumnsToDropDown();
    if (!g.AllRowsVisible()) {
        if (g.Row() >= g.TopRow() + g.VisibleRowCount() || g.Row() < g.TopRow())
            g.SetTopRow(std::min(g.Row(), g.MaxTopRow()));
    }
    selRow_ = g.Row();  // the row shown as chosen
    view_->setFocus(Qt::PopupFocusReason);
}

void TCustomExGridDropDown::DoHideDropDown(bool cancelled)
{
    if (!form_ || !form_->isVisible())
        return;
    Grid* g = GetGrid();
    if (cancelled) {
        SetItemIndex(oldItemIndex_);
    } else if (g && g->ConfirmSelection) {
        SetItemIndex(UseItems ? ItemOfRow(selRow_) : selRow_ - g->FixedRows());
        oldItemIndex_ = itemIndex_;
        g->ConfirmSelection = false;
    }
    TExCustomDropDown::DoHideDropDown(cancelled);
}

void TCustomExGridDropDown::GridSelectCell(int row)
{
    if (filling_)
        return;
    selRow_ = row;
    Grid* g = GetGrid();
    if (!g || g->MouseWheelSelection)
        return;
    if (UseItems) {
        SetItemIndex(ItemOfRow(row));
    } else {
        ShowText(g->Cells(LookupColumn, row));
        itemIndex_ = row - g->FixedRows();
    }
}

void TCustomExGridDropDown::GridSelect()
{
    Grid* g = GetGrid();
    if (g && g->ConfirmSelection) {
        SetItemIndex(UseItems ? ItemOfRow(g->Row()) : g->Row() - 1);
        selRow_ = g->Row();
    }
    if (!GridEditable)
        DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

void TCustomExGridDropDown::GridCanSort(int, bool&)
{
    tempItemIndex_ = itemIndex_;
}

void TCustomExGridDropDown::GridClickSort(int)
{
    Grid* g = GetGrid();
    if (!g || tempItemIndex_ < 0)
        return;
    const int row = RowOfItem(tempItemIndex_);
    if (row >= g->FixedRows() && row < g->RowCount())
        g->MoveColRow(g->Col(), row, true, true);
}

bool TCustomExGridDropDown::ForwardKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (OnGridKeyDown && GetGrid()) {
        int k = key;
        OnGridKeyDown(GetGrid(), k, ShiftOf(event->modifiers()));
    }
    const bool stays = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End ||
                       key == Qt::Key_Home || key == Qt::Key_Up || key == Qt::Key_Down;
    if (stays && !alt) {
        lookupEntry_.clear();
        return false;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;  // the grid chooses, or does nothing
    if (TExCustomDropDown::ForwardKeyDown(event))
        return true;
    // A character typed in the grid.
    const QString t = event->text();
    if (t.size() != 1 || alt)
        return false;
    QChar ch = t[0];
    if (OnGridKeyPress && GetGrid())
        OnGridKeyPress(GetGrid(), ch);
    if (ch.unicode() < 32 && ch != QChar(8))
        return false;
    Grid& g = view_->Table();
    if (GridEditable) {
        lookupEntry_.clear();
        return false;
    }
    int r = LookupChar(ch);
    if (r >= 0 && UseItems && LookupMethod == lmLookup)
        r = RowOfItem(r);
    if (r >= g.FixedRows() && r < g.RowCount()) {
        KeepingEditText([&] {
            filling_ = true;  // the edit keeps the looked-up text and selection
            if (!g.AllRowsVisible())
                g.SetTopRow(std::min(r, g.MaxTopRow()));
            g.MoveColRow(0, r, true, true);
            filling_ = false;
            selRow_ = r;
        });
        g.RepaintRow(r);
    } else {
        lookupEntry_.clear();
    }
    return true;
}

bool TCustomExGridDropDown::ForwardKeyUp(QKeyEvent* event)
{
    const int key = event->key();
    if (OnGridKeyUp && GetGrid()) {
        int k = key;
        OnGridKeyUp(GetGrid(), k, ShiftOf(event->modifiers()));
    }
    const bool stays = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End ||
                       key == Qt::Key_Home || key == Qt::Key_Up || key == Qt::Key_Down;
    if (stays && !(event->modifiers() & Qt::AltModifier))
        lookupEntry_.clear();
    return false;
}

void TCustomExGridDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TColumnListDropDown::SetSelectionColorStyle(value);
    if (value == scOffice2007)
        SelectionColor = 0x5EC1F1;
    else if (value == scWindowsVista || value == scWindows7)
        SelectionColor = 0xEACAB6;
}

void TCustomExGridDropDown::SetComponentStyle(TSkinStyle style)
{
    TExCustomDropDown::SetComponentStyle(style);
    TakeStyleColors(GridDropDownStyleOf(style));
}

}  // namespace dropdown
