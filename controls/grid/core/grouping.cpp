// Grouping: rows with equal values in a column gathered under node header
// rows (the column itself goes), optional summary rows, a second level
// inside the groups, and group calculations.
#include "controls/grid/core/ex_string_grid.h"

#include <algorithm>

namespace grid {

namespace {

// Starts every comparison, so that the first data row opens a group.
const QString kGroupSentinel = QStringLiteral("\u00FF\u00FE");

} // namespace

void TExStringGrid::SetGroupColumn(int col)
{
    if (col == -1)
        UnGroup();
    else if (col > 0)
        Group(col);
}

void TExStringGrid::ApplyRowColors(int row, TColor color, TColor colorTo, TColor fontColor)
{
    if (color != clNone)
        SetRowColor(row, color);
    if (colorTo != clNone)
        SetRowColorTo(row, colorTo);
    if (fontColor != clNone)
        SetRowFontColor(row, fontColor);
}

void TExStringGrid::ApplyCellColors(int col, int row, TColor color, TColor colorTo, TColor fontColor)
{
    if (color != clNone)
        SetColors(col, row, color);
    if (colorTo != clNone)
        SetColorsTo(col, row, colorTo);
    if (fontColor != clNone)
        SetFontColors(col, row, fontColor);
}

void TExStringGrid::ResetRowColors(int row)
{
    for (int c = 0; c < AllColCount(); ++c) {
        if (TCellProperties* p = GridObjects(c, row)) {
            p->SetBrushColor(clNone);
            p->SetBrushColorTo(clNone);
            p->FontColor = clNone;
        }
    }
}

void TExStringGrid::InsertSummaryRow(int row)
{
    InsertRows(row, 1, true);
    MarkSummaryRow(RealRowIndex(row));
    if (!Grouping.MergeSummary)
        ApplyRowColors(row, Grouping.SummaryColor, Grouping.SummaryColorTo, Grouping.SummaryTextColor);
}

void TExStringGrid::Group(int col)
{
    if (col < FixedCols())
        return;
    if (groupColumn_ != -1)
        UnGroup();
    if (RowCount() - FixedFooters() <= FixedRows())
        return;
    BeginUpdate();
    isGrouping_ = true;
    groupColumn_ = col;
    groupWidth_ = AllColWidths(col);
    groupCaption_ = FixedRows() > 0 ? GridCells(col, 0) : QString();
    groupFooter_ = FixedFooters() > 0 ? GridCells(col, RowCount() - 1) : QString();
    if (SortSettings.AutoSortForGrouping) {
        SortSettings.Column = col;
        QSort();
    }
    const int headerCol = col == 1 ? 2 : 1;
    const bool summary = Grouping.Summary;
    QString prev = kGroupSentinel;
    int last = -1;
    int r = FixedRows();
    while (r <= RowCount() - FixedFooters() - 1) {
        const QString value = GridCells(col, r);
        if (value != prev) {
            if (last >= 0) {
                // The summary of the group before the last one sits right
                // above the last header.
                if (last > FixedRows() && summary) {
                    InsertSummaryRow(last);
                    ++last;
                    ++r;
                }
                AddNode(RealRowIndex(last), r - last);
            }
            InsertRows(r, 1, true);
            SetGridCells(headerCol, r, value);
            if (!Grouping.MergeHeader)
                ApplyRowColors(r, Grouping.HeaderColor, Grouping.HeaderColorTo, Grouping.HeaderTextColor);
            last = r;
            ++r;
        }
        if (r < RowCount() - 1)
            prev = GridCells(col, r);
        ++r;
    }
    if (last >= 0) {
        if (last > FixedRows() && summary) {
            InsertSummaryRow(last);
            ++last;
            ++r;
        }
        AddNode(RealRowIndex(last), r - last);
        if (summary)
            InsertSummaryRow(r);
    }
    RemoveCols(col, 1);
    if (Grouping.MergeHeader || (Grouping.MergeSummary && summary)) {
        const int end = RowCount() - FixedFooters();
        for (int b = FixedRows(); b < end; ++b) {
            if (IsNode(b)) {
                if (Grouping.MergeHeader) {
                    MergeCells(1, b, ColCount() - 1, 1);
                    ApplyCellColors(1, b, Grouping.HeaderColor, Grouping.HeaderColorTo, Grouping.HeaderTextColor);
                }
            } else if (Grouping.MergeSummary && summary && IsSummary(b)) {
                MergeCells(1, b, ColCount() - 1, 1);
                ApplyCellColors(1, b, Grouping.SummaryColor, Grouping.SummaryColorTo, Grouping.SummaryTextColor);
            }
        }
    }
    if (CellNode.ExpandOne) {
        for (int b = FixedRows(); b < RowCount(); ++b)
            if (IsNode(b)) {
                ExpandNode(RealRowIndex(b));
                break;
            }
    }
    if (Col() >= ColCount() || Row() >= RowCount())
        FocusCell(FixedCols(), FixedRows(), true);
    if (FixedRows() < RowCount())
        SetRow(FixedRows());
    isGrouping_ = false;
    EndUpdate();
}

void TExStringGrid::UnGroup()
{
    if (groupColumn_ <= 0)
        return;
    BeginUpdate();
    const bool one = CellNode.ExpandOne;
    CellNode.ExpandOne = false;
    ExpandAll();
    const int col = groupColumn_;
    InsertCols(col, 1);
    const int d = DisplColIndex(col);
    if (!IsHiddenColumn(col))
        SetColWidths(d, groupWidth_);
    if (FixedRows() > 0)
        SetGridCells(col, 0, groupCaption_);
    if (FixedFooters() > 0)
        SetGridCells(col, RowCount() - 1, groupFooter_);
    isGrouping_ = true;
    const int headerCol = col == 1 ? 2 : 1;
    QString value;
    int r = FixedRows();
    while (r <= RowCount() - FixedFooters() - 1) {
        if (IsNode(r)) {
            if (Grouping.Summary) {
                const int s = r + std::max(1, GetNodeSpan(r));
                if (s < RowCount() && IsSummary(s))
                    DeleteRowList({s});
            }
            value = GridCells(headerCol, r);
            RemoveNode(RealRowIndex(r));
            DeleteRowList({r});
            continue;
        }
        if (IsSummary(r)) {
            DeleteRowList({r}); // a summary without its header
            continue;
        }
        SetGridCells(col, r, value);
        ++r;
    }
    isGrouping_ = false;
    groupColumn_ = -1;
    CellNode.ExpandOne = one;
    EndUpdate();
    Invalidate();
}

void TExStringGrid::SubGroup(int col)
{
    if (col < FixedCols())
        return;
    BeginUpdate();
    const int hdr = col + 1;
    QString prev = kGroupSentinel;
    int last = -1;
    int r = FixedRows() + 1;
    const auto closeSubGroup = [&](int end) {
        if (last >= 0 && !IsNode(last) && !IsSummary(last)) {
            AddNode(RealRowIndex(last), end - last);
            if (TCellGraphic* g = NodeGraphic(last))
                g->CellVar = col;
        }
    };
    while (r < RowCount() - FixedFooters()) {
        const bool special = IsNode(r) || IsSummary(r);
        if (special || GridCells(col, r) != prev) {
            closeSubGroup(r);
            if (!special) {
                InsertChildRow(RealRowIndex(r), 0);
                SetGridCells(hdr, r, GridCells(col, r + 1));
                if (Grouping.MergeHeader) {
                    MergeCells(hdr, r, ColCount() - hdr, 1);
                    ApplyCellColors(hdr, r, Grouping.HeaderColor, Grouping.HeaderColorTo, Grouping.HeaderTextColor);
                } else {
                    ApplyRowColors(r, Grouping.HeaderColor, Grouping.HeaderColorTo, Grouping.HeaderTextColor);
                }
            }
            last = r;
            ++r;
        }
        if (r < RowCount() && !IsNode(r - 1) && !IsSummary(r - 1)) {
            prev = GridCells(col, r);
            SetGridCells(col, r, QString());
            ++r;
        } else {
            prev = kGroupSentinel; // an outer header always starts a new subgroup
        }
    }
    closeSubGroup(r);
    if (FixedRows() < RowCount())
        SetRow(FixedRows());
    EndUpdate();
}

void TExStringGrid::SubUnGroup(int col)
{
    BeginUpdate();
    ExpandAll();
    QString value;
    int r = FixedRows();
    while (r <= RowCount() - FixedFooters() - 1) {
        if (TCellGraphic* g = NodeGraphic(r)) {
            if (g->CellVar.toInt() == col && g->CellVar.isValid()) {
                value = GridCells(col + 1, r);
                const int real = RealRowIndex(r);
                RemoveNode(real);
                RemoveChildRow(real);
                continue;
            }
            ++r;
            continue;
        }
        if (!IsSummary(r))
            SetGridCells(col, r, value);
        ++r;
    }
    EndUpdate();
}

void TExStringGrid::GroupCalc(int col, int method)
{
    int r = FixedRows();
    while (r < RowCount()) {
        const TCellGraphic* g = NodeGraphic(r);
        if (!g || g->CellBoolean) {
            ++r;
            continue;
        }
        const int span = std::max(1, g->CellIndex);
        const int from = r + 1;
        const int to = std::min(r + span - 1, RowCount() - 1);
        const int target = Grouping.Summary ? r + span : r;
        r += span;
        if (target >= RowCount())
            continue;
        TColumnCalcType footer = acNONE;
        switch (method) {
        case 1:
            SetFloats(col, target, from <= to ? ColumnSum(col, from, to) : 0);
            footer = acSUM;
            break;
        case 2:
            SetFloats(col, target, from <= to ? ColumnAvg(col, from, to) : 0);
            footer = acAVG;
            break;
        case 3:
            SetFloats(col, target, from <= to ? ColumnMin(col, from, to) : 0);
            footer = acMIN;
            break;
        case 4:
            SetFloats(col, target, from <= to ? ColumnMax(col, from, to) : 0);
            footer = acMAX;
            break;
        case 5:
            SetInts(col, target, span - 1);
            footer = acCOUNT;
            break;
        case 6: {
            double res = 0;
            if (OnGroupCalc)
                OnGroupCalc(this, col, from, to, res);
            SetFloats(col, target, res);
            break;
        }
        case 7:
            SetFloats(col, target, from <= to ? ColumnDistinct(col, from, to) : 0);
            break;
        case 8:
            SetFloats(col, target, from <= to ? ColumnStdDev(col, from, to) : 0);
            break;
        default:
            return;
        }
        if (footer != acNONE && FloatingFooter.Visible)
            if (TCellProperties* p = CellProperties(col, RowCount() - 1))
                p->CalcType = footer;
    }
}

void TExStringGrid::GroupSum(int col)
{
    GroupCalc(col, 1);
}

void TExStringGrid::GroupAvg(int col)
{
    GroupCalc(col, 2);
}

void TExStringGrid::GroupMin(int col)
{
    GroupCalc(col, 3);
}

void TExStringGrid::GroupMax(int col)
{
    GroupCalc(col, 4);
}

void TExStringGrid::GroupCount(int col)
{
    GroupCalc(col, 5);
}

void TExStringGrid::GroupCustom(int col)
{
    GroupCalc(col, 6);
}

void TExStringGrid::GroupDistinct(int col)
{
    GroupCalc(col, 7);
}

void TExStringGrid::GroupStdDev(int col)
{
    GroupCalc(col, 8);
}

} // namespace grid
