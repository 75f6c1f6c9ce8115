#include "controls/grid/search/grid_search.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/filter_matcher.h"

#include <algorithm>

namespace grid {

namespace {

const QString kEmptyCell = QStringLiteral("\"\"");

} // namespace

int GridSearch::Search(const QString& s) const
{
    if (grid_.RowCount() < 2)
        return -1;
    int col = grid_.FixedCols();
    const TSortSettings& sort = grid_.SortSettings;
    if (sort.Show()) {
        if (!sort.IndexShow)
            col = sort.Column;
        else if (grid_.SortIndexes.Count() > 0)
            col = grid_.SortIndexes.GetSortColumns(0);
    }
    if (col < 0)
        return -1;
    for (int r = grid_.FixedRows(); r < grid_.RowCount(); ++r)
        if (grid_.StrippedCells(grid_.RealColIndex(col), r).left(s.size()).toUpper() == s)
            return r;
    return -1;
}

bool GridSearch::MakeRange(TFindParams p, Range& r) const
{
    if (p.Contains(fnIncludeFixed))
        r = {0, 0, grid_.ColCount() - 1, grid_.RowCount() - 1};
    else
        r = {grid_.FixedCols(), grid_.FixedRows(), grid_.ColCount() - grid_.FixedRightCols() - 1,
             grid_.RowCount() - grid_.FixedFooters() - 1};
    if (p.Contains(fnSelectedCells)) {
        const TGridRect s = grid_.Selection();
        r = {s.Left, s.Top, s.Right, s.Bottom};
    }
    if (p.Contains(fnIncludeHiddenColumns))
        r.Right += grid_.NumHiddenColumns();
    if (p.Contains(fnIncludeHiddenRows))
        r.Bottom += grid_.NumHiddenRows();
    if (p.Contains(fnFindInCurrentRow))
        r.Top = r.Bottom = grid_.Row();
    else if (p.Contains(fnFindInPresetRow))
        r.Top = r.Bottom = FindRow;
    if (p.Contains(fnFindInCurrentCol))
        r.Left = r.Right = grid_.Col();
    else if (p.Contains(fnFindInPresetCol))
        r.Left = r.Right = FindCol;
    return r.Left >= 0 && r.Top >= 0 && r.Left <= r.Right && r.Top <= r.Bottom;
}

QString GridSearch::CellText(int col, int row) const
{
    const int real = FindParams.Contains(fnIncludeHiddenColumns) ? col : grid_.RealColIndex(col);
    QString text = FindParams.Contains(fnIncludeHiddenRows) ? grid_.AllCells(real, row) : grid_.Cells(real, row);
    if (FindParams.Contains(fnIgnoreHTMLTags))
        text = grid_.HtmlToPlainText(text);
    return text;
}

bool GridSearch::Matches(int col, int row) const
{
    QString text = CellText(col, row);
    const bool matchCase = FindParams.Contains(fnMatchCase);
    if (!matchCase)
        text = text.toUpper();
    if (SearchCache == kEmptyCell)
        return text.isEmpty();
    if (FindParams.Contains(fnMatchRegular))
        return MatchFilterExpression(SearchCache, text, matchCase);
    const qsizetype at = text.indexOf(SearchCache);
    const bool hit = FindParams.Contains(fnMatchStart) ? at == 0 : at >= 0;
    const bool full = !FindParams.Contains(fnMatchFull) || text == SearchCache;
    return hit && full;
}

void GridSearch::Goto(TGridCoord hit)
{
    int row = hit.Y;
    if (FindParams.Contains(fnIncludeHiddenRows)) {
        if (grid_.IsHiddenRow(row))
            return;
        row = grid_.DisplRowIndex(row);
    }
    const int col = FindParams.Contains(fnIncludeHiddenColumns) ? grid_.DisplColIndex(hit.X) : hit.X;
    if (row < 0 || col < 0)
        return;
    if (grid_.MouseActions.DisjunctRowSelect()) {
        grid_.ClearRowSelect();
        grid_.SetRowSelect(row, true);
        grid_.SetRow(row);
    } else {
        grid_.SetRow(row);
        grid_.SetCol(col);
    }
}

TGridCoord GridSearch::Find(TGridCoord start, const QString& s, TFindParams params)
{
    return Walk(start, s, params, true);
}

TGridCoord GridSearch::Walk(TGridCoord start, const QString& s, TFindParams params, bool wrap)
{
    grid_.ExportNotification(esExportStart, -1);
    TGridCoord result{-1, -1};
    FindParams = params;
    FindBusy = true;
    SearchCache = params.Contains(fnMatchCase) ? s : s.toUpper();
    Range r;
    const bool empty = grid_.ColCount() == 0 || grid_.ColCount() == grid_.FixedCols() || grid_.RowCount() == 0 ||
                       grid_.RowCount() + grid_.NumHiddenRows() == grid_.FixedRows();
    if (empty || !MakeRange(params, r)) {
        FindBusy = false;
        grid_.ExportNotification(esExportDone, -1);
        return result;
    }
    // Cells in walk order as one index: row by row, or column by column.
    const bool rowWise = params.Contains(fnDirectionLeftRight);
    const qint64 width = r.Right - r.Left + 1;
    const qint64 height = r.Bottom - r.Top + 1;
    const qint64 count = width * height;
    const auto cellAt = [&](qint64 i) {
        return rowWise ? TGridCoord{int(r.Left + i % width), int(r.Top + i / width)}
                       : TGridCoord{int(r.Left + i / height), int(r.Top + i % height)};
    };
    const bool backward = params.Contains(fnBackward);
    qint64 i = backward ? count - 1 : 0;
    if (start.X != -1 || start.Y != -1) {
        const int c = std::clamp(start.X, r.Left, r.Right);
        const int row = std::clamp(start.Y, r.Top, r.Bottom);
        const qint64 at = rowWise ? (row - r.Top) * width + (c - r.Left) : (c - r.Left) * height + (row - r.Top);
        i = at + (backward ? -1 : 1);
        if ((i < 0 || i >= count) && wrap)
            i = backward ? count - 1 : 0;
    }
    for (; i >= 0 && i < count; i += backward ? -1 : 1) {
        const TGridCoord cell = cellAt(i);
        if (rowWise && grid_.IsIgnoredColumn(cell.X))
            continue;
        grid_.ExportNotification(esExportNewRow, cell.Y);
        if (Matches(cell.X, cell.Y)) {
            result = cell;
            break;
        }
    }
    if (result.X < 0) {
        FindBusy = false;
        grid_.ExportNotification(esExportDone, -1);
        return result;
    }
    SearchCell = result;
    if (params.Contains(fnAutoGoto))
        Goto(result);
    grid_.ExportNotification(esExportFail, -1);
    return result;
}

TGridCoord GridSearch::FindFirst(const QString& s, TFindParams params)
{
    SearchCell = Find({-1, -1}, s, params);
    return SearchCell;
}

TGridCoord GridSearch::FindNext()
{
    SearchCell = Find(SearchCell, SearchCache, FindParams);
    return SearchCell;
}

void GridSearch::WriteCell(int col, int row, const QString& value)
{
    const int real = FindParams.Contains(fnIncludeHiddenColumns) ? col : grid_.RealColIndex(col);
    if (FindParams.Contains(fnIncludeHiddenRows))
        grid_.SetAllCells(real, row, value);
    else
        grid_.SetCells(real, row, value);
    if (grid_.ShowModified.Enabled) {
        const int shown = FindParams.Contains(fnIncludeHiddenRows) ? grid_.DisplRowIndex(row) : row;
        if (shown >= 0 && !(FindParams.Contains(fnIncludeHiddenRows) && grid_.IsHiddenRow(row)))
            grid_.SetRowModified(shown, true);
    }
}

int GridSearch::Replace(const QString& orig, const QString& replacement, TFindParams params)
{
    params.Exclude(fnAutoGoto);
    params.Exclude(fnBackward);
    if (orig.isEmpty())
        return 0;
    const Qt::CaseSensitivity cs = params.Contains(fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int changed = 0;
    TGridCoord at = Walk({-1, -1}, orig, params, false);
    // One walk: each next search starts after the last hit and stops at the
    // range's end, so replaced cells are never seen again.
    while (at.X >= 0) {
        const int real = params.Contains(fnIncludeHiddenColumns) ? at.X : grid_.RealColIndex(at.X);
        const QString before =
            params.Contains(fnIncludeHiddenRows) ? grid_.AllGridCells(real, at.Y) : grid_.GridCells(real, at.Y);
        QString after = before;
        after.replace(orig, replacement, cs);
        if (after != before) {
            WriteCell(at.X, at.Y, after);
            ++changed;
        }
        at = Walk(at, orig, params, false);
    }
    return changed;
}

TFindParams GridSearch::FooterParams(FooterPanel panel)
{
    const TSearchFooter& f = grid_.SearchFooter;
    TFindParams p{fnAutoGoto};
    if (panel.HighlightDown)
        p.Include(fnIgnoreHTMLTags);
    if (panel.MatchCase)
        p.Include(fnMatchCase);
    if (f.SearchActiveColumnOnly)
        p.Include(fnFindInCurrentCol);
    if (f.SearchMatchStart)
        p.Include(fnMatchStart);
    if (f.SearchColumn >= 0 && f.SearchColumn < grid_.ColCount()) {
        p.Include(fnFindInPresetCol);
        FindCol = f.SearchColumn;
    }
    return p;
}

void GridSearch::Highlight(const QString& text, bool matchCase)
{
    const TSearchFooter& f = grid_.SearchFooter;
    if (f.SearchColumn >= 0 && f.SearchColumn < grid_.ColCount())
        grid_.HilightInCol(f.SearchFixedCells, matchCase, f.SearchColumn, text);
    else
        grid_.HilightInGrid(f.SearchFixedCells, matchCase, text);
}

FooterOutcome GridSearch::FooterEditChange(const QString& text, FooterPanel panel)
{
    FooterOutcome out;
    const TSearchFooter& f = grid_.SearchFooter;
    if (!f.AutoSearch)
        return out;
    TFindParams p = FooterParams(panel);
    if (f.SearchFixedCells)
        p.Include(fnIncludeFixed);
    if (f.SearchHiddenRows)
        p.Include(fnIncludeHiddenRows);
    if (f.SearchDirection == sdLeftRight)
        p.Include(fnDirectionLeftRight);
    const bool highlight = panel.HighlightDown || f.AlwaysHighLight;
    if (highlight)
        grid_.UnHilightInGrid(f.SearchFixedCells);
    if (text.isEmpty())
        return out;
    SearchCell = Find({-1, -1}, text, p);
    out.Hit = SearchCell;
    grid_.SearchFooterAction(text, SearchCell.X, SearchCell.Y, saFindFirst);
    if (SearchCell.X < 0) {
        out.EditColor = clRed;
        return out;
    }
    grid_.ScrollInView(grid_.Col(), grid_.Row());
    if (highlight)
        Highlight(text, panel.MatchCase);
    return out;
}

FooterOutcome GridSearch::FooterFind(const QString& text, FooterPanel panel, bool previous)
{
    FooterOutcome out;
    TSearchFooter& f = grid_.SearchFooter;
    if (!f.AutoSearch && text != f.LastSearch)
        SearchCell = {-1, -1};
    f.LastSearch = text;
    TFindParams p = FooterParams(panel);
    if (previous)
        p.Include(fnBackward);
    else if (f.SearchDirection == sdLeftRight)
        p.Include(fnDirectionLeftRight);
    SearchCell = Find(SearchCell, text, p);
    out.Hit = SearchCell;
    if (SearchCell.X >= 0)
        grid_.ScrollInView(grid_.Col(), grid_.Row());
    grid_.SearchFooterAction(text, SearchCell.X, SearchCell.Y, previous ? saFindPrevious : saFindNext);
    return out;
}

} // namespace grid
