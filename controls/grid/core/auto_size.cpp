#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/undo_redo.h"

#include "controls/grid/core/text_routines.h"

#include <algorithm>
#include <cmath>

// Fitting column widths and row heights to their content, fitting all
// columns into the control width, numbering, and exchanging two columns or
// rows. Columns are display columns unless a comment says otherwise.
namespace grid {

namespace {

int RoundEven(double v)
{
    return static_cast<int>(std::nearbyint(v)); // halves to even
}

} // namespace

void TExStringGrid::AutoSizeColEx(int col, bool onlyGrow)
{
    if (col < 0 || col >= ColCount())
        return;
    const int rc = RealColIndex(col);
    int from = 0;
    int to = RowCount() - 1;
    if (ColumnSize.Rows == arNormal) {
        from = FixedRows();
        to = RowCount() - FixedFooters() - 1;
    } else if (ColumnSize.Rows == arFixed) {
        to = FixedRows() - 1;
    }
    int widest = 0;
    for (int r = from; r <= to; ++r) {
        if (IsXMergedCell(rc, r))
            continue;
        const TCellGraphic* g = GetCellGraphic(rc, r);
        const int graphicWidth = GetCellGraphicSize(rc, r).x();
        int need = graphicWidth + GetCellTextSize(rc, r, false, false).width();
        if (ControlLook.DropDownAlwaysVisible() && HasComboBox(rc, r))
            need += 16;
        if (FilterDropDownAuto && r == FilterDropDownRow && GetColumnFilter(rc))
            need += 12;
        if (IsSortIndicatorRow(rc, r) && rc == SortSettings.Column)
            need += 10;
        if (g && g->CellHAlign == haFull)
            need = graphicWidth - (2 * GridLineWidth() + xyOffset_.x() + 2);
        widest = std::max(widest, need);
    }
    int width = widest + GetTotalXOffset() + 2 * GridLineWidth() + 2;
    if (onlyGrow && ColWidths(col) >= width)
        return;
    UpdateAutoColumnSize(rc, width);
    SetColWidths(col, ClampToLimits(width, MinColWidth, MaxColWidth));
}

void TExStringGrid::AutoSizeCol(int col, int padding)
{
    AutoSizeColEx(col, SizeGrowOnly);
    if (padding != 0 && col >= 0 && col < ColCount())
        SetColWidths(col, ClampToLimits(ColWidths(col) + padding, MinColWidth, MaxColWidth));
}

void TExStringGrid::AutoSizeColumns(bool doFixedCols, int padding)
{
    const int from = doFixedCols ? 0 : FixedCols();
    const int to = doFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
    for (int c = from; c <= to; ++c)
        AutoSizeCol(c, padding);
}

void TExStringGrid::AutoSizeRowEx(int row, bool onlyGrow, int pictureMargin)
{
    if (row < 0 || row >= RowCount())
        return;
    int tallest = 0;
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        if (IsYMergedCell(rc, row) || IsIgnoredColumn(rc))
            continue;
        int t = GetCellTextSize(rc, row, WordWrap(), false).height();
        QPoint graphic;
        CalcCellGraphicSize(rc, row, graphic, pictureMargin);
        int g = graphic.y();
        int h = 0;
        if (const TCellGraphic* cg = GetCellGraphic(rc, row)) {
            if (cg->CellVAlign == vaFull)
                g = t > 0 ? 0 : DefaultRowHeight();
            if ((cg->CellType == ctDataCheckBox || cg->CellType == ctVirtCheckBox) && g > 0)
                t = 0;
            h = t + g;
            if (cg->CellType == ctCheckBox || cg->CellType == ctDataCheckBox || cg->CellType == ctVirtCheckBox ||
                cg->CellType == ctRadioButton)
                h = DefaultRowHeight();
        } else {
            h = t + g;
        }
        if (IsMergedNonBaseCell(rc, row))
            h = 0;
        tallest = std::max(tallest, h);
    }
    int height = GetTotalYOffset() + tallest + 2 * GridLineWidth() + (XYOffsetTopLeftOnly ? 2 : 0);
    const bool typing = VisibleRowCount() == RowCount() && EditorMode() && SizeWhileTyping.Height;
    if (!(onlyGrow && RowHeights(row) >= height))
        SetRowHeights(row, ClampToLimits(height, MinRowHeight, MaxRowHeight));
    if (typing && VisibleRowCount() + FixedRows() < RowCount())
        ShowInplaceEdit();
}

void TExStringGrid::AutoSizeRow(int row, int padding)
{
    AutoSizeRowEx(row, SizeGrowOnly, padding);
    if (padding != 0 && row >= 0 && row < RowCount())
        SetRowHeights(row, ClampToLimits(RowHeights(row) + padding, MinRowHeight, MaxRowHeight));
}

void TExStringGrid::AutoSizeRows(bool doFixedRows, int padding)
{
    if (RowCount() == 0)
        return;
    ExportNotification(0, -1);
    for (int r = doFixedRows ? 0 : FixedRows(); r < RowCount(); ++r) {
        ExportNotification(5, r);
        if (WordWrap())
            AutoSizeRow(r, padding);
        else
            SizeRowToLines(r, MaxLinesInRow(r), padding);
    }
    ExportNotification(2, -1);
    UpdateScrollBars();
}

void TExStringGrid::SizeRowToLines(int row, int lines, int extra)
{
    if (row < 0 || row >= RowCount())
        return;
    TBrush brush;
    TFont font = Font;
    GetCellColor(RealColIndex(FixedCols()), row, {}, brush, font);
    const int h = TextMeasure().TextHeight(font);
    SetRowHeights(row, ClampToLimits(extra + lines * (h + h / 8), MinRowHeight, MaxRowHeight));
}

void TExStringGrid::AutoSizeCells(bool doFixedCells, int paddingX, int paddingY)
{
    BeginUpdate();
    for (int c = doFixedCells ? 0 : FixedCols(); c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        int w = SizeGrowOnly ? ColWidths(c) : 0;
        for (int r = doFixedCells ? 0 : FixedRows(); r < RowCount(); ++r) {
            const QSize text = GetCellTextSize(rc, r, false, false);
            const QPoint graphic = GetCellGraphicSize(rc, r);
            const QPoint need(text.width() + graphic.x() + paddingX + xyOffset_.x(),
                              text.height() + graphic.y() + paddingY + xyOffset_.y());
            const int needW = ClampToLimits(need.x(), MinColWidth, MaxColWidth);
            if (!IsXMergedCell(rc, r) && w < need.x() && w < needW) {
                SetColWidths(c, needW);
                w = needW;
            }
            const int needH = ClampToLimits(need.y(), MinRowHeight, MaxRowHeight);
            if (!IsYMergedCell(rc, r) && RowHeights(r) < needH)
                SetRowHeights(r, needH);
        }
    }
    EndUpdate();
}

void TExStringGrid::SizeToCols()
{
    int sum = 0;
    for (int c = 0; c < ColCount(); ++c)
        sum += ColWidths(c);
    SetClientSize({sum, ClientHeight()});
    width_ = sum + (borderStyle_ == bsSingle ? 2 : 0);
}

void TExStringGrid::SizeToRows()
{
    const int sum = static_cast<int>(std::min<qint64>(RowOffset(RowCount()), 1 << 30));
    SetClientSize({ClientWidth(), sum});
    height_ = sum + (borderStyle_ == bsSingle ? 2 : 0);
}

void TExStringGrid::SizeToCells()
{
    const TScrollStyle bars = ScrollBars;
    ScrollBars = ssNone;
    SizeToCols();
    SizeToRows();
    ScrollBars = bars;
}

void TExStringGrid::AutoFitColumns(bool doFixedCells)
{
    const bool rowsOverflow = VisibleRowCount() + FixedRows() < RowCount();
    const int s = ScrollBarAlways == saVert || (ScrollBars != ssNone && rowsOverflow) ? kScrollBarSize : 0;
    const int b = borderStyle_ == bsSingle ? (Ctl3D ? 4 : 2) : 0;
    int first = 0;
    int last = ColCount() - 1;
    int w = width_;
    if (!doFixedCells) {
        first = FixedCols();
        last = ColCount() - FixedRightCols() - 1;
        for (int c = 0; c < FixedCols(); ++c)
            w -= ColWidths(c);
        for (int c = last + 1; c < ColCount(); ++c)
            w -= ColWidths(c);
    }
    int lines = Options().Contains(goVertLine) ? GridLineWidth() * (ColCount() - FixedCols() - FixedRightCols()) : 0;
    if (Options().Contains(goFixedVertLine) && doFixedCells)
        lines += FixedCols() + FixedRightCols();
    if (last < first)
        return;
    BeginUpdate();
    if (ColCount() < 2) {
        SetColWidths(0, width_ - s - 5);
    } else {
        qint64 sum = 0;
        for (int c = first; c <= last; ++c)
            sum += ColWidths(c);
        if (sum == w - s - b || sum <= 0) {
            EndUpdate();
            return;
        }
        const double f = double(w - s - b - lines) / double(sum);
        qint64 total = 0;
        for (int c = first; c <= last; ++c)
            total += RoundEven(ColWidths(c) * f);
        for (int c = first; c <= last; ++c)
            SetColWidths(c, RoundEven(double(ColWidths(c)) * double(total) / double(sum)));
    }
    int newSum = 0;
    for (int c = first; c <= last; ++c)
        newSum += ColWidths(c);
    int rest = w - s - b - newSum;
    const int count = last - first + 1;
    if (count > 1 && rest > count) {
        for (int c = first; c <= last; ++c)
            SetColWidths(c, ColWidths(c) + rest / count);
        rest %= count;
    }
    int widest = first;
    for (int c = first; c <= last; ++c)
        if (ColWidths(c) > ColWidths(widest))
            widest = c;
    SetColWidths(widest, ColWidths(widest) + rest);
    EndUpdate();
}

void TExStringGrid::AutoNumberCol(int col)
{
    if (RowCount() <= 0)
        return;
    const int last = RowCount() - FixedFooters() - 1;
    for (int a = FixedRows() + AutoNumberStart; a <= last; ++a) {
        const int value = a + AutoNumberOffset - FixedRows() + 1;
        const int row = AutoNumberDirection == sdAscending ? a : FixedRows() + RowCount() - FixedFooters() - a - 1;
        if (row >= 0 && row < RowCount())
            SetCellEx(col, row, QString::number(value));
    }
    if (NumHiddenColumns() > 0)
        RepaintCol(DisplColIndex(col));
}

void TExStringGrid::AutoNumberRow(int row)
{
    if (ColCount() <= 0)
        return;
    const int last = ColCount() - FixedRightCols() - 1;
    for (int a = FixedCols() + AutoNumberStart; a <= last; ++a) {
        const int value = a + AutoNumberOffset - FixedCols() + 1;
        const int col =
            AutoNumberDirection == sdAscending ? a : ColCount() + FixedCols() - FixedRightCols() - a - 1;
        if (col >= 0 && col < ColCount())
            SetCellEx(col, row, QString::number(value));
    }
}

void TExStringGrid::SwapRows(int row1, int row2)
{
    if (row1 == row2 || row1 < 0 || row2 < 0 || row1 >= RowCount() || row2 >= RowCount())
        return;
    const int lo = std::min(row1, row2);
    const int hi = std::max(row1, row2);
    // Handles move, texts and objects with them.
    CarryUndoRows(
        [&] {
            store_.MoveRow(lo, hi);
            store_.MoveRow(hi - 1, lo);
        },
        [&](int r) { return r == row1 ? row2 : r == row2 ? row1 : r; });
    const int h1 = RowHeights(row1);
    const int h2 = RowHeights(row2);
    rowHeights_.SetSize(row1, h2);
    rowHeights_.SetSize(row2, h1);
    for (int i = 0; i < controlList_.Count(); ++i) {
        TControlItem* item = controlList_.GetControl(i);
        if (item->Y == row1)
            item->Y = row2;
        else if (item->Y == row2)
            item->Y = row1;
    }
    CellControlsUpdate();
    Invalidate();
}

void TExStringGrid::SwapColumns(int col1, int col2)
{
    if (col1 == col2 || col1 < 0 || col2 < 0 || col1 >= AllColCount() || col2 >= AllColCount())
        return;
    store_.ForEachRow([&](int r, RowRecord&) { store_.SwapCells(col1, r, col2, r); });
    // Only the shown rows swap their cells.
    if (UndoRedo)
        UndoRedo->ColsMoved([&](int c, int r) {
            if (IsHiddenRow(r))
                return c;
            return c == col1 ? col2 : c == col2 ? col1 : c;
        });
    const int d1 = DisplColIndex(col1);
    const int d2 = DisplColIndex(col2);
    if (d1 < ColCount() && d2 < ColCount() && !IsHiddenColumn(col1) && !IsHiddenColumn(col2)) {
        const int w1 = ColWidths(d1);
        const int w2 = ColWidths(d2);
        colWidths_.SetSize(d1, w2);
        colWidths_.SetSize(d2, w1);
    }
    if (SortSettings.Column == col1)
        SortSettings.Column = col2;
    else if (SortSettings.Column == col2)
        SortSettings.Column = col1;
    for (int i = 0; i < controlList_.Count(); ++i) {
        TControlItem* item = controlList_.GetControl(i);
        if (item->X == col1)
            item->X = col2;
        else if (item->X == col2)
            item->X = col1;
    }
    CellControlsUpdate();
    Invalidate();
}

} // namespace grid
