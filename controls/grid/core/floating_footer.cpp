// The floating footer's side of the grid: what Visible and FooterStyle do to
// the grid, column calculations into the last row, the template and the
// column under a point of the strip.
#include "controls/grid/core/ex_string_grid.h"

namespace grid {

namespace {

bool ShowsLastRow(const TFloatingFooter& f)
{
    return f.Visible && f.FooterStyle == fsFixedLastRow;
}

} // namespace

void TExStringGrid::SetFloatingFooterVisible(bool visible)
{
    FloatingFooter.Visible = visible;
    SetFixedFooters(ShowsLastRow(FloatingFooter) ? 1 : 0);
    FHideLastRow = ShowsLastRow(FloatingFooter);
    Invalidate();
    UpdateFooter();
}

void TExStringGrid::SetFloatingFooterStyle(TFooterStyle style)
{
    FloatingFooter.FooterStyle = style;
    SetFixedFooters(ShowsLastRow(FloatingFooter) ? 1 : 0);
    FHideLastRow = ShowsLastRow(FloatingFooter);
    Invalidate();
    UpdateFooter();
}

TColumnCalcType TExStringGrid::ColumnCalc(int col) const
{
    const TCellProperties* p = RowCount() > 0 ? GridObjects(col, RowCount() - 1) : nullptr;
    return p ? p->CalcType : acNONE;
}

void TExStringGrid::SetColumnCalc(int col, TColumnCalcType type)
{
    if (RowCount() <= 0 || col < 0 || col >= kMaxColumns)
        return;
    if (TCellProperties* p = CellProperties(col, RowCount() - 1))
        p->CalcType = type;
    CalcFloatingFooter(col);
}

void TExStringGrid::CalcFooter(int col)
{
    CalcFloatingFooter(col);
}

void TExStringGrid::CalcFloatingFooter(int col)
{
    if (!ShowsLastRow(FloatingFooter) || !FloatingFooter.EnableCalculation || RowCount() <= 0)
        return;
    const int last = RowCount() - 1;
    const int hidden = FloatingFooter.CalculateHiddenRows ? NumHiddenRows() : 0;
    const int from = FixedRows();
    const int to = hidden + RowCount() - 2;
    const int firstCol = col == -1 ? 0 : col;
    const int lastCol = col == -1 ? AllColCount() - 1 : col;
    for (int c = firstCol; c <= lastCol; ++c) {
        const TCellProperties* p = GridObjects(c, last);
        if (!p)
            continue;
        switch (p->CalcType) {
        case acSUM:
            SetFloats(c, last, ColumnSum(c, from, to));
            break;
        case acAVG:
            SetFloats(c, last, ColumnAvg(c, from, to));
            break;
        case acMIN:
            SetFloats(c, last, ColumnMin(c, from, to));
            break;
        case acMAX:
            SetFloats(c, last, ColumnMax(c, from, to));
            break;
        case acDISTINCT:
            SetFloats(c, last, ColumnDistinct(c, from, to));
            break;
        case acSTDDEV:
            SetFloats(c, last, ColumnStdDev(c, from, to));
            break;
        case acCOUNT:
            SetInts(c, last, hidden + RowCount() - FixedRows() - 1);
            break;
        case acCUSTOM: {
            QString value;
            if (OnFooterCalc)
                OnFooterCalc(this, c, hidden + RowCount() - 1, value);
            else if (OnCalcFooter)
                OnCalcFooter(this, c, hidden + RowCount() - 1, value);
            SetCells(c, last, value);
            break;
        }
        case acNONE:
        case acSPREAD:
            break;
        }
    }
    UpdateFooter();
}

QString TExStringGrid::FooterTemplateText() const
{
    const QString& t = FloatingFooter.CustomTemplate;
    QString out;
    qsizetype pos = 0;
    while (pos < t.size()) {
        const qsizetype open = t.indexOf(QLatin1String("<#"), pos);
        const qsizetype close = open < 0 ? -1 : t.indexOf(u'>', open + 2);
        if (close < 0) {
            out += QStringView(t).sliced(pos);
            break;
        }
        out += QStringView(t).sliced(pos, open - pos);
        bool ok = false;
        const int column = QStringView(t).sliced(open + 2, close - open - 2).toInt(&ok);
        if (ok && column >= 0 && column < kMaxColumns)
            out += Cells(column, Row());
        pos = close + 1;
    }
    return out;
}

int TExStringGrid::FooterColumnAt(int x) const
{
    if (x < 0)
        return -1;
    qint64 right = 0;
    for (int c = 0; c < FixedCols() && c < ColCount(); ++c) {
        right += ColWidths(c);
        if (x < right)
            return c;
    }
    for (int c = std::max(LeftCol(), FixedCols()); c < ColCount(); ++c) {
        right += ColWidths(c);
        if (x < right)
            return c;
    }
    return -1;
}

void TExStringGrid::UpdateFooter()
{
    if (OnFooterChanged)
        OnFooterChanged();
}

} // namespace grid
