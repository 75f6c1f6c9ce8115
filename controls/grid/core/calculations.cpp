#include "controls/grid/core/ex_string_grid.h"

#include "controls/grid/core/text_routines.h"

#include <QSet>

#include <cmath>
#include <limits>

// Sums, averages, extremes, deviation and distinct counts over a column or a
// row of numeric cells.
namespace grid {

namespace {

enum ExportState { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow };

bool ParseFloat(const QString& text, double& value)
{
    QString t = NormalizeNumberText(text.trimmed());
    if (t.isEmpty() || t == u"-") {
        value = 0;
        return true;
    }
    bool ok = false;
    value = t.toDouble(&ok);
    return ok && std::isfinite(value);
}

const QString kFloatError = QStringLiteral("Cell does not contain a float value");

} // namespace

bool TExStringGrid::TryFloat(int col, int row, double& value) const
{
    return ParseFloat(StrippedCells(col, row), value);
}

double TExStringGrid::Floats(int col, int row) const
{
    double value = 0;
    if (!TryFloat(col, row, value))
        throw GridError(kFloatError);
    return value;
}

double TExStringGrid::AllFloats(int col, int row) const
{
    double value = 0;
    if (!ParseFloat(AllCells(col, row), value))
        throw GridError(kFloatError);
    return value;
}

void TExStringGrid::ResolveRowRange(int& fromRow, int& toRow) const
{
    if (fromRow == -1 || toRow == -1) {
        fromRow = FixedRows();
        toRow = RowCount() - FixedFooters() - 1;
    }
}

template <typename F>
void TExStringGrid::ForEachCalcRow(int col, int fromRow, int toRow, F&& f)
{
    // Rows past the last shown data row (the footer row is none) are real
    // rows, hidden ones included.
    const int lastData = RowCount() - 1 - (FloatingFooter.Visible ? 1 : 0);
    const bool realRows = toRow > lastData;
    ExportNotification(esExportStart, fromRow);
    for (int r = fromRow; r <= toRow; ++r) {
        const int displ = realRows ? DisplRowIndex(r) : r;
        const bool hidden = realRows && IsHiddenRow(r);
        const bool takesPart = (!IsNode(displ) && !IsSummary(displ)) || hidden || groupColumn_ == -1;
        if (!takesPart || !IsBaseCell(col, displ))
            continue;
        ExportNotification(esExportNextRow, r);
        double value = 0;
        const bool numeric = realRows ? ParseFloat(AllCells(col, r), value) : TryFloat(col, r, value);
        f(numeric, value);
    }
    ExportNotification(esExportDone, -1);
}

double TExStringGrid::ColumnSum(int col, int fromRow, int toRow)
{
    ResolveRowRange(fromRow, toRow);
    double sum = 0;
    ForEachCalcRow(col, fromRow, toRow, [&](bool numeric, double value) {
        if (numeric)
            sum += value;
    });
    return sum;
}

double TExStringGrid::ColumnAvg(int col, int fromRow, int toRow)
{
    ResolveRowRange(fromRow, toRow);
    if (toRow < fromRow)
        return 0;
    // Every row of the range counts, taking part or not.
    return ColumnSum(col, fromRow, toRow) / (toRow - fromRow + 1);
}

double TExStringGrid::ColumnMin(int col, int fromRow, int toRow)
{
    ResolveRowRange(fromRow, toRow);
    double result = Floats(col, fromRow);
    ForEachCalcRow(col, fromRow, toRow, [&](bool numeric, double value) {
        if (numeric && value < result)
            result = value;
    });
    return result;
}

double TExStringGrid::ColumnMax(int col, int fromRow, int toRow)
{
    ResolveRowRange(fromRow, toRow);
    double result = Floats(col, fromRow);
    ForEachCalcRow(col, fromRow, toRow, [&](bool numeric, double value) {
        if (numeric && value > result)
            result = value;
    });
    return result;
}

double TExStringGrid::ColumnStdDev(int col, int fromRow, int toRow)
{
    ResolveRowRange(fromRow, toRow);
    // An empty range has no deviation (rather than zero divided by zero).
    if (toRow < fromRow)
        return 0;
    const double avg = ColumnAvg(col, fromRow, toRow);
    ExportNotification(esExportStart, fromRow);
    double squares = 0;
    for (int r = fromRow; r <= toRow; ++r) {
        const double d = Floats(col, r) - avg;
        squares += d * d;
    }
    ExportNotification(esExportDone, -1);
    return std::sqrt(squares / (toRow - fromRow + 1));
}

double TExStringGrid::ColumnDistinct(int col, int fromRow, int toRow)
{
    ResolveRowRange(fromRow, toRow);
    QSet<QString> seen;
    for (int r = fromRow; r <= toRow; ++r)
        seen.insert(GetCellEx(col, r).toLower());
    return seen.size();
}

double TExStringGrid::ColumnCustomCalc(int col, int fromRow, int toRow)
{
    double result = 0;
    if (OnColumnCalc)
        OnColumnCalc(this, col, fromRow, toRow, result);
    return result;
}

double TExStringGrid::GroupCustomCalc(int col, int fromRow, int toRow)
{
    double result = 0;
    if (OnGroupCalc)
        OnGroupCalc(this, col, fromRow, toRow, result);
    return result;
}

double TExStringGrid::RowSum(int row, int fromCol, int toCol)
{
    double sum = 0;
    for (int c = fromCol; c <= toCol; ++c) {
        double value = 0;
        if (IsBaseCell(c, row) && TryFloat(c, row, value))
            sum += value;
    }
    return sum;
}

double TExStringGrid::RowAvg(int row, int fromCol, int toCol)
{
    // An empty range averages to 0 (rather than zero divided by zero).
    if (toCol < fromCol)
        return 0;
    return RowSum(row, fromCol, toCol) / (toCol - fromCol + 1);
}

double TExStringGrid::RowMin(int row, int fromCol, int toCol)
{
    double result = Floats(fromCol, row);
    for (int c = fromCol; c <= toCol; ++c) {
        double value = 0;
        if (IsBaseCell(c, row) && TryFloat(c, row, value) && value < result)
            result = value;
    }
    return result;
}

double TExStringGrid::RowMax(int row, int fromCol, int toCol)
{
    double result = Floats(fromCol, row);
    for (int c = fromCol; c <= toCol; ++c) {
        double value = 0;
        if (IsBaseCell(c, row) && TryFloat(c, row, value) && value > result)
            result = value;
    }
    return result;
}

} // namespace grid
