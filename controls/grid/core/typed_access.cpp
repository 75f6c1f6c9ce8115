// Typed views of cell texts, print columns, row and column headers, bulk
// fills.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/filter_matcher.h"
#include "controls/grid/core/float_format.h"
#include "controls/grid/core/sort_keys.h"
#include "controls/grid/core/text_routines.h"
#include "platform/text/format_settings.h"

#include <QDate>
#include <QRandomGenerator>

#include <cmath>
#include <optional>

namespace grid {

namespace {


// A decimal integer with an optional sign, or "$" and hexadecimal digits
// (up to eight, their bit pattern kept).
std::optional<int> ParseIntText(const QString& text)
{
    QString s = text;
    bool negative = false;
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        negative = s[0] == u'-';
        s.remove(0, 1);
    }
    bool ok = false;
    qint64 v = 0;
    if (s.startsWith(u'$')) {
        const QString digits = s.mid(1);
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        v = static_cast<qint64>(digits.toUInt(&ok, 16));
        if (!ok)
            return std::nullopt;
        v = static_cast<qint32>(static_cast<quint32>(v));
    } else {
        if (s.isEmpty() || !std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return std::nullopt;
        v = s.toLongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

int IntOf(const QString& cellText)
{
    QString t = cellText.trimmed();
    if (t.isEmpty() || t == u"-")
        t = QStringLiteral("0");
    const std::optional<int> v = ParseIntText(t);
    if (!v)
        throw GridError(QStringLiteral("Cell does not contain integer value"));
    return *v;
}


// "%d"-style conversions for two integers (column, row); nullopt when the
// format does not take exactly them.
std::optional<QString> FormatTwoInts(const QString& format, int a, int b)
{
    QString out;
    int used = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out += format[i];
            continue;
        }
        qsizetype j = i + 1;
        if (j < format.size() && format[j] == u'%') {
            out += u'%';
            i = j;
            continue;
        }
        while (j < format.size() && (format[j] == u'-' || format[j].isDigit()))
            ++j;
        if (j >= format.size() || used >= 2)
            return std::nullopt;
        const std::optional<QString> one = FormatInteger(format.mid(i, j - i + 1), used == 0 ? a : b);
        if (!one)
            return std::nullopt;
        out += *one;
        ++used;
        i = j;
    }
    if (used != 2)
        return std::nullopt;
    return out;
}

} // namespace

// ---- Integers, floats, dates, times ----

int TExStringGrid::Ints(int col, int row) const
{
    return IntOf(StrippedCells(col, row));
}

void TExStringGrid::SetInts(int col, int row, int value)
{
    SetCells(col, row, QString::number(value));
    if (NumHiddenColumns() > 0)
        RepaintCell(DisplColIndex(col), row);
}

int TExStringGrid::AllInts(int col, int row) const
{
    return IntOf(AllCells(col, row));
}

void TExStringGrid::SetAllInts(int col, int row, int value)
{
    SetAllCells(col, row, QString::number(value));
}

QString TExStringGrid::FloatText(const QString& format, double value) const
{
    const std::optional<QString> text = FormatNumber(format, value);
    if (!text)
        throw GridError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
    return *text;
}

void TExStringGrid::SetFloats(int col, int row, double value)
{
    QString format = FloatFormat;
    GetFloatFormat(col, row, format);
    SetCells(col, row, FloatText(format, value));
}

void TExStringGrid::SetAllFloats(int col, int row, double value)
{
    SetAllCells(col, row, FloatText(FloatFormat, value));
}

double TExStringGrid::Dates(int col, int row) const
{
    const QString text = Cells(col, row);
    double v = 0;
    if (!ParseDateTimeText(text.trimmed(), v))
        throw GridError(QStringLiteral("'%1' is not a valid date").arg(text));
    return std::floor(v);
}

void TExStringGrid::SetDates(int col, int row, double value)
{
    if (value > 0 || ShowNullDates)
        SetCells(col, row, ShortDateText(value));
    else
        SetCells(col, row, QString());
}

double TExStringGrid::Times(int col, int row) const
{
    const QString text = Cells(col, row);
    double v = 0;
    if (ParseTimeText(text, v))
        return v;
    if (ParseDateTimeText(text.trimmed(), v))
        return v - std::floor(v);
    throw GridError(QStringLiteral("'%1' is not a valid time").arg(text));
}

void TExStringGrid::SetTimes(int col, int row, double value)
{
    SetCells(col, row, TimeText(value));
}

int TExStringGrid::PrintColWidth(int col) const
{
    if (col < 0 || col >= kPrintColumns)
        throw GridError(QStringLiteral("Columns is not in valid range"));
    return printColWidths_[size_t(col)];
}

int TExStringGrid::PrintColOffset(int col) const
{
    if (col < 0 || col >= kPrintColumns)
        throw GridError(QStringLiteral("Columns is not in valid range"));
    return printColOffsets_[size_t(col)];
}

void TExStringGrid::SetPrintColumn(int col, int width, int offset)
{
    if (col < 0 || col >= kPrintColumns)
        return;
    printColWidths_[size_t(col)] = width;
    printColOffsets_[size_t(col)] = offset;
}

// ---- Row headers ----

void TExStringGrid::SetRowHeaders(const QStringList& headers)
{
    RowHeaders = headers;
    ShowRowHeaders();
}

void TExStringGrid::ShowRowHeaders()
{
    if (FixedCols() < 1)
        return;
    for (int i = 0; i < RowHeaders.size() && i < RowCount(); ++i)
        SetCells(0, i, UnescapeLineBreaks(RowHeaders[i]));
}

void TExStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < RowCount(); ++r)
        SetCells(0, r, QString());
}

void TExStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < ColCount(); ++c)
        SetCells(c, 0, QString());
}


// ---- Fills ----

template <typename F>
void TExStringGrid::FillCells(bool doFixed, F&& text)
{
    const int c1 = doFixed ? 0 : FixedCols();
    const int c2 = doFixed ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
    const int r1 = doFixed ? 0 : FixedRows();
    const int r2 = doFixed ? RowCount() - 1 : RowCount() - FixedFooters() - 1;
    BeginUpdate();
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            text(c, r);
    EndUpdate();
    CalcFooter(-1);
}

void TExStringGrid::TextFill(bool doFixed, const QString& text)
{
    FillCells(doFixed, [&](int c, int r) { SetCells(RealColIndex(c), r, text); });
}

void TExStringGrid::FormatFill(bool doFixed, const QString& format)
{
    // Checked once, before anything is written.
    if (!FormatTwoInts(format, 0, 0))
        throw GridError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
    FillCells(doFixed, [&](int c, int r) { SetCells(RealColIndex(c), r, *FormatTwoInts(format, c, r)); });
}

void TExStringGrid::RandomFill(bool doFixed, int range)
{
    FillCells(doFixed, [&](int c, int r) {
        SetInts(RealColIndex(c), r, range > 0 ? static_cast<int>(QRandomGenerator::global()->bounded(range)) : 0);
    });
}

void TExStringGrid::LinearFill(bool doFixed)
{
    FillCells(doFixed, [&](int c, int r) { SetCells(RealColIndex(c), r, QStringLiteral("%1:%2").arg(c).arg(r)); });
}

} // namespace grid
