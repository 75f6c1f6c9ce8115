// Selection, row and column flags, and the advance after Enter.
#include "controls/grid/core/ex_string_grid.h"

#include <algorithm>

namespace grid {

void TExStringGrid::SelectRows(int row, int count)
{
    if (row < 0 || count <= 0)
        return;
    if (row + count > RowCount())
        count = RowCount() - row;
    if (count <= 0)
        return;
    if (!MouseActions.DisjunctRowSelect()) {
        SetSelection({FixedCols(), row, ColCount() - 1, row + count - 1});
        return;
    }
    for (int r = row; r < row + count; ++r) {
        const int real = MouseActions.RowSelectPersistent ? RealRowIndex(r) : r;
        if (real < RowCount())
            SetRowSelect(real, true);
    }
}

void TExStringGrid::UnSelectRows(int row, int count)
{
    if (!MouseActions.DisjunctRowSelect() || row < 0 || count <= 0)
        return;
    count = std::min(count, RowCount() - row);
    for (int r = row; r < row + count; ++r) {
        const int real = MouseActions.RowSelectPersistent ? RealRowIndex(r) : r;
        if (real < RowCount())
            SetRowSelect(real, false);
    }
}

void TExStringGrid::SelectCols(int col, int count)
{
    if (col < 0 || count <= 0)
        return;
    if (!MouseActions.DisjunctColSelect()) {
        SetSelection({col, FixedRows(), col + count - 1, RowCount() - 1});
        return;
    }
    for (int c = col; c < col + count && c < ColCount(); ++c)
        SetColSelect(c, true);
}

void TExStringGrid::UnSelectCols(int col, int count)
{
    if (!MouseActions.DisjunctColSelect() || col < 0)
        return;
    for (int c = col; c < col + count && c < ColCount(); ++c)
        SetColSelect(c, false);
}

void TExStringGrid::SelectRange(int fromCol, int toCol, int fromRow, int toRow)
{
    SetRow(toRow);
    SetCol(toCol);
    SetSelection({fromCol, fromRow, toCol, toRow});
}

void TExStringGrid::SelectCells(int fromCol, int fromRow, int toCol, int toRow)
{
    SetSelection({fromCol, fromRow, toCol, toRow});
}

void TExStringGrid::GotoCell(int col, int row)
{
    SetRow(row);
    SetCol(col);
}

void TExStringGrid::EditCell(int col, int row)
{
    SetFocus();
    GotoCell(col, row);
    ShowInplaceEdit();
}

void TExStringGrid::ClearRowSelect()
{
    for (size_t r = 0; r < rowSelect_.size(); ++r) {
        if (rowSelect_[r]) {
            rowSelect_[r] = 0;
            RepaintRow(static_cast<int>(r));
        }
    }
    selectedRows_.Clear();
}

void TExStringGrid::ClearColSelect()
{
    for (size_t c = 0; c < colSelect_.size(); ++c) {
        if (colSelect_[c]) {
            colSelect_[c] = 0;
            RepaintCol(static_cast<int>(c));
        }
    }
}

int TExStringGrid::RowSelectCount() const
{
    if (MouseActions.DisjunctRowSelect()) {
        const size_t n = std::min(static_cast<size_t>(RowCount() + NumHiddenRows()), rowSelect_.size());
        return static_cast<int>(std::count_if(rowSelect_.begin(), rowSelect_.begin() + n, [](char v) { return v; }));
    }
    const TGridRect s = Selection();
    return std::abs(s.Bottom - s.Top) + 1;
}

int TExStringGrid::ColSelectCount() const
{
    if (MouseActions.DisjunctColSelect())
        return static_cast<int>(std::count_if(colSelect_.begin(), colSelect_.end(), [](char v) { return v; }));
    const TGridRect s = Selection();
    return s.Right - s.Left + 1;
}

bool TExStringGrid::IsSelected(int col, int row) const
{
    if (row < FixedRows() || col < FixedCols())
        return false;
    if (MouseActions.DisjunctCellSelect())
        return selectedCells_.HasValue(static_cast<int>((static_cast<quint32>(row) << 16) |
                                                        (static_cast<quint32>(col) & 0xFFFF)));
    if (MouseActions.DisjunctRowSelect()) {
        const int r = MouseActions.RowSelectPersistent ? RealRowIndex(row) : row;
        return r >= 0 && r < static_cast<int>(rowSelect_.size()) && rowSelect_[size_t(r)];
    }
    if (MouseActions.DisjunctColSelect())
        return col < static_cast<int>(colSelect_.size()) && colSelect_[size_t(col)];
    const TGridRect s = Selection();
    return col >= s.Left && col <= s.Right && row >= s.Top && row <= s.Bottom;
}

QString TExStringGrid::SelectedText() const
{
    TGridRect s = Selection();
    std::vector<int> rows;
    if (MouseActions.DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            const int flag = MouseActions.RowSelectPersistent ? RealRowIndex(r) : r;
            if (flag >= 0 && flag < static_cast<int>(rowSelect_.size()) && rowSelect_[size_t(flag)])
                rows.push_back(r);
        }
    } else {
        for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
            rows.push_back(r);
    }
    QString out;
    for (int r : rows) {
        for (int x = s.Left; x <= s.Right; ++x) {
            QString text = GetCellEx(RealColIndex(x), r);
            const int lines = FMultilineCells ? static_cast<int>(text.count(u'\r')) + 1 : 1;
            if (lines > 1 && ExcelClipboardFormat)
                text = u'"' + text.replace(QStringLiteral("\r\n"), QStringLiteral("\x0b")) + u'"';
            out += text;
            if (x < s.Right)
                out += u'\t';
        }
        if (r != s.Bottom)
            out += QStringLiteral("\r\n");
    }
    return out;
}

void TExStringGrid::SelectionToRowSelect(bool all)
{
    TGridRect s = Selection();
    s.Bottom = std::min(s.Bottom, RowCount() - fixedFooters_ - 1);
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= s.Top && r <= s.Bottom;
        if (!inside && !all)
            continue;
        const int real = MouseActions.RowSelectPersistent ? RealRowIndex(r) : r;
        SetRowSelect(real, inside);
    }
    if (NumHiddenRows() > 0)
        Invalidate();
}

void TExStringGrid::SelectionToColSelect(bool all)
{
    const TGridRect s = Selection();
    for (int c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (inside || all)
            SetColSelect(c, inside);
    }
}

void TExStringGrid::RepaintRow(int row)
{
    if (!HasView() || row < 0)
        return;
    const QRect first = CellRect(0, row);
    const QRect last = CellRect(std::min(ColCount() - 1, LeftCol() + VisibleColCount()), row);
    if (first.isEmpty() && last.isEmpty())
        return;
    InvalidateRect(QRect(0, first.isEmpty() ? last.y() : first.y(), ClientWidth(),
                         first.isEmpty() ? last.height() : first.height()));
}

void TExStringGrid::RepaintCol(int col)
{
    if (!HasView() || col < 0)
        return;
    const QRect r = CellRect(col, 0);
    if (r.isEmpty())
        return;
    InvalidateRect(QRect(r.x(), 0, r.width(), ClientHeight()));
}

void TExStringGrid::RepaintRect(const TGridRect& r)
{
    if (!HasView() || r.Left < 0 || r.Top < 0 || r.Right < 0 || r.Bottom < 0)
        return;
    const int right = std::min(r.Right, LeftCol() + VisibleColCount());
    const QRect a = CellRect(r.Left, r.Top);
    const QRect b = CellRect(right, r.Bottom);
    if (a.isEmpty() || b.isEmpty()) {
        Invalidate();
        return;
    }
    InvalidateRect(a.united(b));
}

bool TExStringGrid::RowSelect(int row)
{
    if (!MouseActions.RowSelectPersistent && (row < 0 || row >= RowCount() + NumHiddenRows()))
        throw GridError(QStringLiteral("Invalid row %1 accessed").arg(row));
    if (MouseActions.DisjunctRowSelect()) {
        if (row < 0 || row >= kMaxRows)
            return false;
        if (row >= static_cast<int>(rowSelect_.size()))
            rowSelect_.resize(size_t(row) + 1, 0);
        return rowSelect_[size_t(row)] != 0;
    }
    const TGridRect s = Selection();
    return row >= std::min(s.Top, s.Bottom) && row <= std::max(s.Top, s.Bottom);
}

void TExStringGrid::SetRowSelect(int row, bool value)
{
    if (row < 0 || row >= kMaxRows || (row >= RowCount() + NumHiddenRows() && RowCount() > FixedRows()))
        throw GridError(QStringLiteral("Invalid row accessed"));
    const bool current = row < static_cast<int>(rowSelect_.size()) && rowSelect_[size_t(row)];
    bool allow = true;
    if (current != value && OnRowDisjunctSelect)
        OnRowDisjunctSelect(this, row, value, allow);
    if (!allow)
        return;
    if (row >= static_cast<int>(rowSelect_.size()))
        rowSelect_.resize(size_t(row) + 1, 0);
    if (value) {
        if (rowSelect_[size_t(row)] != 1)
            RepaintRow(row);
        rowSelect_[size_t(row)] = 1;
        if (!selectedRows_.HasValue(row) && row >= FixedRows())
            selectedRows_.Add(row);
    } else {
        if (rowSelect_[size_t(row)])
            RepaintRow(row);
        rowSelect_[size_t(row)] = 0;
        selectedRows_.DeleteValue(row);
    }
    if (OnRowDisjunctSelected)
        OnRowDisjunctSelected(this, row);
}

bool TExStringGrid::ColSelect(int col)
{
    if (col < 0 || col >= ColCount())
        throw GridError(QStringLiteral("Invalid column accessed"));
    if (col >= static_cast<int>(colSelect_.size()))
        colSelect_.resize(size_t(col) + 1, 0);
    return colSelect_[size_t(col)] != 0;
}

void TExStringGrid::SetColSelect(int col, bool value)
{
    if (col < 0 || col >= ColCount())
        throw GridError(QStringLiteral("Invalid column accessed"));
    if (col >= static_cast<int>(colSelect_.size()))
        colSelect_.resize(size_t(col) + 1, 0);
    const char was = colSelect_[size_t(col)];
    colSelect_[size_t(col)] = value ? 1 : 0;
    if ((value && was != 1) || (!value && was))
        RepaintCol(col);
}

bool TExStringGrid::RowModified(int row) const
{
    return row >= 0 && row < static_cast<int>(modifiedRows_.size()) && modifiedRows_[size_t(row)] == 1;
}

void TExStringGrid::SetRowModified(int row, bool value)
{
    if (row < 0 || row >= kMaxRows)
        return;
    if (row >= static_cast<int>(modifiedRows_.size()))
        modifiedRows_.resize(size_t(row) + 1, 0);
    modifiedRows_[size_t(row)] = value ? 1 : 0;
    RepaintCell(0, row);
}

int TExStringGrid::ModifiedRowCount() const
{
    return static_cast<int>(std::count(modifiedRows_.begin(), modifiedRows_.end(), 1));
}

bool TExStringGrid::RowEnabled(int row) const
{
    return !(row >= 0 && row < static_cast<int>(enabledRows_.size()) && enabledRows_[size_t(row)] != 0);
}

void TExStringGrid::SetRowEnabled(int row, bool value)
{
    if (row < 0 || row >= kMaxRows)
        return;
    if (row == Row()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (r != row && RowEnabled(r)) {
                SetRow(r);
                break;
            }
        }
    }
    useEnabledRows_ = true;
    if (row >= static_cast<int>(enabledRows_.size()))
        enabledRows_.resize(size_t(row) + 1, 0);
    enabledRows_[size_t(row)] = value ? 0 : 1;
    RepaintRow(row);
}

int TExStringGrid::GetFirstNavCol() const
{
    if (FixedCols() == 0 && HasNodes())
        return 1;
    return FixedCols();
}

void TExStringGrid::AdvanceEdit(int col, int row, bool force, bool autoEdit, bool forward, bool recursed,
                                bool showEdit)
{
    if (!Navigation.AdvanceOnEnter && !force)
        return;
    if (MouseActions.RangeSelectAndEdit) {
        TGridOptions o = Options();
        o.Include(goEditing);
        SetOptions(o);
    }
    if (!recursed) {
        aeCol_ = col;
        aeRow_ = row;
    }
    const int oldCol = col;
    const int oldRow = row;
    startEditChar_ = QChar();
    const TAdvanceDirection dir = Navigation.AdvanceDirection();
    const int firstNav = GetFirstNavCol();
    // Read-only cells are passed over in a loop that ends where it started
    // or where a step no longer moves, so a grid without editable cells
    // cannot spin forever.
    const long long maxSteps = static_cast<long long>(ColCount()) * RowCount() + 1;
    for (long long step = 0;; ++step) {
        const int fromCol = col;
        const int fromRow = row;
        const QPoint span = CellSpan(RealColIndex(col), row);
        if (forward) {
            if (dir == adLeftRight || dir == adLeftRightInRow) {
                if (col + span.x() < ColCount() - fixedRightCols_ - 1) {
                    col += span.x() + 1;
                } else if (dir == adLeftRight) {
                    if (row + 1 == RowCount() - fixedFooters_) {
                        if (Navigation.AdvanceInsert()) {
                            bool canAdd = true;
                            CanAddRow(canAdd);
                            col = firstNav;
                            if (canAdd) {
                                AddRow();
                                ++row;
                                if (OnAutoAddRow)
                                    OnAutoAddRow(this, RowCount() - fixedFooters_ - 1);
                                bool anyEditable = false;
                                for (int x = FixedCols(); x < ColCount() && !anyEditable; ++x)
                                    anyEditable = IsEditable(RealColIndex(x), row);
                                if (!anyEditable)
                                    return;
                            }
                        } else if (Navigation.AdvanceOnEnterLoop) {
                            row = FixedRows();
                            col = firstNav;
                        }
                    } else {
                        ++row;
                        col = firstNav;
                    }
                } else if (Navigation.AdvanceOnEnterLoop) {
                    col = firstNav;
                }
            } else {
                if (row + 1 != RowCount() - fixedFooters_) {
                    ++row;
                } else if (dir == adTopBottomInCol) {
                    row = FixedRows();
                } else {
                    if (col + 1 != ColCount() - fixedRightCols_) {
                        row = FixedRows();
                        ++col;
                        if (col >= ColCount())
                            col = firstNav;
                    } else if (Navigation.AdvanceInsert()) {
                        SetColCount(ColCount() + 1);
                        col += span.x() + 1;
                        row = FixedRows();
                        if (OnAutoInsertCol)
                            OnAutoInsertCol(this, ColCount() - fixedRightCols_ - 1);
                    } else {
                        row = FixedRows();
                        col = firstNav;
                    }
                    Invalidate();
                }
            }
        } else if (dir == adLeftRight) {
            if (col > firstNav) {
                --col;
            } else {
                row = row <= FixedRows() ? RowCount() - fixedFooters_ - 1 : row - 1;
                col = ColCount() - fixedRightCols_ - 1;
            }
        } else if (dir == adTopBottom) {
            if (row > FixedRows()) {
                --row;
            } else {
                col = col <= firstNav ? ColCount() - fixedRightCols_ - 1 : col - 1;
                row = RowCount() - fixedFooters_ - 1;
            }
        }

        const int rc = RealColIndex(col);
        bool canEdit = true;
        CanEditCell(rc, row, canEdit);
        if (canEdit) {
            bool allow = true;
            if (OnAutoAdvance)
                OnAutoAdvance(this, aeRow_, aeCol_, row, col, allow);
            if (allow) {
                if (OnCellChanging)
                    OnCellChanging(this, aeRow_, aeCol_, row, col, allow);
                disableChange_ = true;
                if (allow) {
                    SetCol(col);
                    SetRow(row);
                } else {
                    SelectCell(oldCol, oldRow);
                }
            } else {
                SelectCell(oldCol, oldRow);
            }
            disableChange_ = false;
            break;
        }
        const bool stuck = (col == fromCol && row == fromRow) || (col == aeCol_ && row == aeRow_) ||
                           step >= maxSteps;
        if (!Navigation.AdvanceSkipReadOnlyCells || stuck) {
            SetCol(col);
            SetRow(row);
            break;
        }
    }

    if (!showEdit)
        return;
    const int rc = RealColIndex(col);
    const bool controlCell = IsControlCell(rc, row);
    if ((autoEdit && Navigation.AdvanceAutoEdit) || controlCell) {
        if (!IsEditable(rc, row))
            return;
        ShowEditor();
        if (controlCell) {
            const bool oldWasControl = IsControlCell(RealColIndex(oldCol), oldRow);
            if (!oldWasControl) {
                ClickControlCell(Col(), Row());
                if (Navigation.AdvanceDirection() != adLeftRight)
                    HideEditor();
            }
            bool allow = true;
            if (OnCellChanging)
                OnCellChanging(this, oldRow, oldCol, Row(), Col(), allow);
            TEditorType editor = DefaultEditor;
            GetEditorType(RealColIndex(oldCol), oldRow, editor);
            switch (editor) {
            case edNormal:
            case edNumeric:
            case edPositiveNumeric:
            case edFloat:
            case edCapital:
            case edMixedCase:
            case edPassword:
            case edLowerCase:
            case edUpperCase:
            case edPositiveFloat:
                break;
            default:
                HideEditor();
            }
        }
    }
    if (MouseActions.DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
}

} // namespace grid
