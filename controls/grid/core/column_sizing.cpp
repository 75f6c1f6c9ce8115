#include "controls/grid/core/ex_string_grid.h"

#include "controls/grid/core/text_routines.h"

#include <algorithm>
#include <cmath>

// Reacting to sized columns and rows, stretching a column to the client
// width, the listeners, the combo editor's item list and the small hooks of
// editing, filtering and file exchange.
namespace grid {

void TExStringGrid::StretchColumn(int index)
{
    if (loading_ || destroying_)
        return;
    if (index == -1)
        index = ColCount() - 1;
    if (index >= ColCount())
        throw GridError(QStringLiteral("Stretch column index out of range"));
    if (ColCount() == 0 || index < 0 || !ColumnSize.Stretch() || stretching_)
        return;
    stretching_ = true;
    if (ColCount() == 1) {
        SetColWidths(index, ClientWidth());
    } else {
        int others = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != index)
                others += ColWidths(c);
        if (others < ClientWidth())
            SetColWidths(index, ClientWidth() - others - 1);
        else if (LeftCol() == FixedCols())
            SetColWidths(index, DefaultColWidth());
    }
    stretching_ = false;
}

void TExStringGrid::SizeChanged(int oldColCount, int oldRowCount)
{
    TBaseGrid::SizeChanged(oldColCount, oldRowCount);
    if (ColumnSize.Stretch() && ColCount() > 0)
        StretchColumn(ColumnSize.StretchColumn);
}

void TExStringGrid::BeginUserColSizing(int col)
{
    sizingCol_ = col;
    sizingColWidth_ = col >= 0 && col < ColCount() ? ColWidths(col) : 0;
}

void TExStringGrid::BeginUserRowSizing(int row)
{
    sizingRow_ = row;
    sizingRowHeight_ = row >= 0 && row < RowCount() ? RowHeights(row) : 0;
}

void TExStringGrid::ColWidthsChanged()
{
    if (inSizeChange_)
        return;
    inSizeChange_ = true;
    if (ColumnSize.Stretch() && !stretching_ && ColCount() > 0) {
        const int stretch = ColumnSize.StretchColumn == -1 ? ColCount() - 1 : ColumnSize.StretchColumn;
        if (stretch < ColCount() && stretch != sizingCol_)
            StretchColumn(stretch);
    }
    const int col = sizingCol_;
    if (col >= 0 && col < ColCount()) {
        if (MouseActions.AllColumnSize && sizingColWidth_ > 0) {
            const double factor = double(ColWidths(col)) / sizingColWidth_;
            for (int c = FixedCols(); c < ColCount(); ++c)
                if (c != col)
                    SetColWidths(c, static_cast<int>(std::lround(ColWidths(c) * factor)));
        }
        if (OnEndColumnSize)
            OnEndColumnSize(this, col);
        int width = ColWidths(col);
        UpdateColumnSize(RealColIndex(col), width);
        if (width != ColWidths(col))
            SetColWidths(col, width);
        sizingCol_ = -1;
        sizingColWidth_ = 0;
    }
    CellControlsUpdate();
    inSizeChange_ = false;
}

void TExStringGrid::RowHeightsChanged()
{
    if (inSizeChange_)
        return;
    inSizeChange_ = true;
    const int row = sizingRow_;
    if (row >= 0 && row < RowCount()) {
        if (MouseActions.AllRowSize && sizingRowHeight_ > 0) {
            const double factor = double(RowHeights(row)) / sizingRowHeight_;
            for (int r = FixedRows(); r < RowCount(); ++r)
                if (r != row)
                    SetRowHeights(r, static_cast<int>(std::lround(RowHeights(r) * factor)));
        }
        if (OnEndRowSize)
            OnEndRowSize(this, row);
        sizingRow_ = -1;
        sizingRowHeight_ = 0;
    }
    CellControlsUpdate();
    inSizeChange_ = false;
}

void TExStringGrid::UpdateColumnSize(int col, int& width)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, col, width);
}

void TExStringGrid::UpdateAutoColumnSize(int col, int& width)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, col, width);
}

void TExStringGrid::SetColumnHeaders(const QStringList& headers)
{
    ColumnHeaders = headers;
    ShowColumnHeaders();
}

void TExStringGrid::ShowColumnHeaders()
{
    if (FixedRows() > 0)
        for (qsizetype i = 0; i < ColumnHeaders.size() && i < AllColCount(); ++i)
            SetCellEx(static_cast<int>(i), 0, UnescapeLineBreaks(ColumnHeaders[i]));
    ColumnHeadersChanged();
}

void TExStringGrid::RegisterNotifier(TGridChangeNotifier* notifier)
{
    if (notifier && std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end())
        notifiers_.push_back(notifier);
}

void TExStringGrid::UnRegisterNotifier(TGridChangeNotifier* notifier)
{
    std::erase(notifiers_, notifier);
}

bool TExStringGrid::RemoveComboString(const QString& s)
{
    return ComboItems.removeOne(s);
}

bool TExStringGrid::SetComboSelectionString(const QString& s)
{
    ComboSelection = static_cast<int>(ComboItems.indexOf(s));
    return ComboSelection >= 0;
}

void TExStringGrid::SetComboIndex(int col, int row, int value)
{
    GetEditorProp(col, row);
    if (value >= 0 && value < ComboItems.size())
        SetCellEx(col, row, ComboItems[value]);
}

int TExStringGrid::GetComboIndex(int col, int row)
{
    GetEditorProp(col, row);
    return static_cast<int>(ComboItems.indexOf(GetCellEx(col, row)));
}

void TExStringGrid::InvalidateSelection(int left, int top, int right, int bottom)
{
    if (look_ == glVista || look_ == glWin7 || look_ == glOffice2007)
        RepaintRect({left, top, right, bottom});
    selectionChanged_ = true;
    if (OnSelectionChanged)
        OnSelectionChanged(this, left, top, right, bottom);
}

void TExStringGrid::FilterDone()
{
    if (OnFilterDone)
        OnFilterDone(this);
}

void TExStringGrid::FixedEdit(int col, int row, TGridFixedCellEditor& editor, QStringList& values)
{
    if (OnFixedEdit)
        OnFixedEdit(this, col, row, editor, values);
}

void TExStringGrid::AutoInsertRow(int row)
{
    InsertRows(row, 1);
}

void TExStringGrid::AutoDeleteRow(int row)
{
    if (RowCount() - FixedRows() - FixedFooters() == 1 && !fixedRowAlways_) {
        // The only data row is cleared rather than removed.
        for (int c = 0; c < AllColCount(); ++c)
            SetCellEx(c, row, QString());
    } else {
        DeleteRows(row, 1);
    }
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, row);
}

void TExStringGrid::MarkPastedRows(const TGridRect& rect)
{
    if (!ShowModified.Enabled)
        return;
    for (int r = std::max(0, rect.Top); r <= rect.Bottom && r < RowCount(); ++r)
        SetRowModified(r, true);
}

void TExStringGrid::LoadCell(int col, int row, const QString& value)
{
    QString v = value;
    if (OnLoadCell)
        OnLoadCell(this, col, row, v);
    SetGridCell(col, row, v);
}

void TExStringGrid::SaveCell(int col, int row, QString& value)
{
    value = SaveVirtCells ? GetFormattedCell(col, row) : GetCellEx(col, row);
    if (value.isEmpty()) {
        const TCellGraphic* g = GetCellGraphic(col, row);
        if (g && g->CellType == ctCheckBox) {
            bool state = false;
            GetCheckBoxState(col, RealRowIndex(row), state);
            value = state ? GetCheckTrueText(col, row) : GetCheckFalseText(col, row);
        } else if (g && g->CellType == ctTriStateCheckBox) {
            value = g->CellCheckBoxState == cbChecked ? GetCheckTrueText(col, row) : GetCheckFalseText(col, row);
        }
    }
    const int kind = GetTextKind(value, EnableHTML);
    if (kind == 1 && !SaveWithHTML)
        value = HtmlToPlainText(value);
    else if (kind == 2 && SaveWithRTF)
        value = RemoveCR(value).remove(u'\n');
    if (OnSaveCell)
        OnSaveCell(this, col, row, value);
}

TExStringGrid::BalloonText TExStringGrid::CellBalloon(int col, int row)
{
    const TGridCoord b = BaseCell(col, row);
    BalloonText balloon;
    QString text = GetCellEx(b.X, b.Y);
    switch (GetTextKind(text, EnableHTML)) {
    case 1:
        text = HtmlToPlainText(text);
        break;
    case 5:
        text = DecodeWideText(text);
        break;
    default:
        break;
    }
    // Tabs become blanks; leading tabs and line breaks go.
    while (!text.isEmpty() && (text[0] == u'\t' || text[0] == u'\r' || text[0] == u'\n'))
        text.remove(0, 1);
    text.replace(u'\t', u' ');
    if (text.size() > 2048)
        text = text.left(2045) + QStringLiteral("...");
    balloon.Title = QStringLiteral(" ");
    balloon.Text = text;
    QString title, own;
    TBalloonIcon icon = biNone;
    if (IsBalloon(b.X, b.Y, title, own, icon)) {
        balloon.Title = title;
        balloon.Text = own;
        balloon.Icon = icon;
    }
    if (OnCellBalloon)
        OnCellBalloon(this, b.X, b.Y, balloon.Title, balloon.Text, balloon.Icon);
    if (balloon.Title.size() > 100)
        balloon.Title = balloon.Title.left(97) + QStringLiteral("...");
    return balloon;
}

} // namespace grid
