#include "controls/grid/exchange/clipboard.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/filter_matcher.h"
#include "controls/grid/core/float_format.h"
#include "controls/grid/core/sort_keys.h"
#include "controls/grid/core/text_routines.h"
#include "controls/grid/exchange/cell_stream.h"
#include "controls/grid/exchange/clipboard_formats.h"
#include "controls/grid/exchange/html.h"
#include "platform/text/format_settings.h"

#include <QClipboard>
#include <QDate>
#include <QMimeData>

#include <algorithm>
#include <cmath>
#include <optional>

namespace grid {

namespace {

const QString kCRLF = QStringLiteral("\r\n");
constexpr QChar kVT = QChar(11);

bool Editable(TExStringGrid& grid, int col, int row)
{
    const int real = grid.RealColIndex(col);
    return grid.Options().Contains(goEditing) && grid.IsEditable(col, row) && !grid.ReadOnly(real, row);
}

bool MayWrite(TExStringGrid& grid, int col, int row)
{
    return grid.Navigation.AllowClipboardAlways || Editable(grid, col, row);
}

QString ClipboardField(TExStringGrid& grid, int col, int row)
{
    QString v;
    grid.SaveCell(grid.RealColIndex(col), row, v);
    if (v.startsWith(QStringLiteral("|\\")))
        v = DecodeWideText(v);
    if (v.contains(u'\r') || v.contains(u'\n')) {
        // One LF per line break: CR LF, a bare CR and a bare LF alike.
        v.replace(kCRLF, QStringLiteral("\n"));
        v.replace(u'\r', u'\n');
        v = u'"' + v + u'"';
    } else if (v.contains(QStringLiteral("</")) && !grid.Navigation.CopyHTMLTagsToClipboard) {
        v = grid.HtmlToPlainText(v);
    }
    return v;
}

// A pasted field: quotes around a multi-line field go, LF and VT become CR LF.
QString PastedField(QString f)
{
    if (f.contains(u'\n')) {
        if (f.startsWith(u'"')) {
            f.remove(0, 1);
            if (f.indexOf(u'"') == f.size() - 1)
                f.chop(1);
        }
        f.replace(QStringLiteral("\n"), kCRLF);
    }
    f.replace(kVT, kCRLF);
    return f;
}

// Lines end at CR, an LF right after it is skipped; the text ends at a NUL.
QStringList PasteLines(QString text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r')
            continue;
        lines << text.mid(start, i - start);
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines << text.mid(start);
    return lines;
}

} // namespace

void TExStringGrid::PasteCell(int col, int row, const QString& value)
{
    const int real = RealColIndex(col);
    TCellGraphic* g = GetCellGraphic(real, row);
    if (g && g->CellType == ctCheckBox && GridCells(real, row).isEmpty()) {
        g->CellBoolean = value == GetCheckTrueText(real, row);
        RepaintCell(col, row);
        return;
    }
    SetCells(real, row, value);
}

QString GetRectAsText(TExStringGrid& grid, const TGridRect& rect)
{
    QString out;
    grid.ExportNotification(0, -1);
    for (int r = rect.Top; r <= rect.Bottom; ++r) {
        grid.ExportNotification(1, r);
        for (int c = rect.Left; c <= rect.Right; ++c) {
            out += ClipboardField(grid, c, r);
            if (c < rect.Right)
                out += u'\t';
        }
        if (rect.Bottom > rect.Top)
            out += kCRLF;
    }
    grid.ExportNotification(2, -1);
    return out;
}

QString GetSelectionAsText(TExStringGrid& grid)
{
    return GetRectAsText(grid, grid.Selection());
}

void TextCellExtent(const QString& text, int& cols, int& rows)
{
    cols = 0;
    int empty = 0;
    for (const QString& line : PasteLines(text)) {
        cols = std::max(cols, int(line.count(u'\t')) + 1);
        if (line.isEmpty())
            ++empty;
    }
    rows = std::max(0, int(text.count(u'\r')) - empty);
}

int PasteTextAtCell(TExStringGrid& grid, int col, int row, int& rows, int& cols, const QString& text)
{
    rows = 0;
    cols = 0;
    if (col < 0 || row < 0)
        return 0;
    const TNavigation& nav = grid.Navigation;
    if (!grid.Options().Contains(goEditing) && !nav.AllowClipboardAlways && !grid.MouseActions.RangeSelectAndEdit)
        return 0;
    const QStringList lines = PasteLines(text);
    int result = 0;
    int r = row;
    int right = col;
    for (int li = 0; li < lines.size(); ++li) {
        const QString& line = lines[li];
        const bool more = li + 1 < lines.size();
        ++rows;
        grid.ImportNotification(1, r);
        if (!line.isEmpty() && nav.ClipboardPasteAction == paInsert && r < kMaxRows - 1)
            grid.InsertRows(r, 1);
        const QStringList fields = line.split(u'\t');
        int column = col;
        for (int fi = 0; fi < fields.size(); ++fi) {
            const bool last = fi + 1 == fields.size();
            const QString value = PastedField(fields[fi]);
            if ((!last || !value.isEmpty() || more) && column < grid.ColCount() && r < grid.RowCount() &&
                MayWrite(grid, column, r)) {
                grid.PasteCell(column, r, value);
                right = std::max(right, column);
            }
            ++result;
            if (!last) {
                ++column;
                if (column >= grid.ColCount() && nav.AllowClipboardColGrow && column < kMaxColumns)
                    grid.SetColCount(column + 1);
            }
        }
        cols = std::max(cols, int(fields.size()));
        if (more) {
            ++r;
            const int limit = grid.RowCount() - (grid.FloatingFooter.Visible ? 1 : 0);
            if (r >= limit && nav.AllowClipboardRowGrow && r < kMaxRows - 1)
                grid.SetRowCount(grid.RowCount() + 1);
        }
    }
    grid.MarkPastedRows(TGridRect{col, row, right, r});
    grid.CellsChanged(TGridRect{grid.RealColIndex(col), row, grid.RealColIndex(right), r});
    return result;
}

void SetSelectionAsText(TExStringGrid& grid, const QString& text)
{
    const TGridRect sel = grid.Selection();
    const QStringList lines = PasteLines(text);
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, int(line.count(u'\t')) + 1);
    if (sel.Left + widest > grid.ColCount() && sel.Left + widest <= kMaxColumns)
        grid.SetColCount(sel.Left + widest);
    int r = sel.Top;
    for (int li = 0; li < lines.size(); ++li) {
        const QStringList fields = lines[li].split(u'\t');
        for (int fi = 0; fi < fields.size(); ++fi) {
            const int c = sel.Left + fi;
            QString value = PastedField(fields[fi]);
            if (value.startsWith(QStringLiteral("|\\")))
                value = EncodeWideText(DecodeWideText(value));
            if (c < grid.ColCount() && r < grid.RowCount())
                grid.SetGridCell(grid.RealColIndex(c), r, value);
        }
        if (li + 1 < lines.size()) {
            ++r;
            const int limit = grid.RowCount() - (grid.FloatingFooter.Visible ? 1 : 0);
            if (r >= limit && r < kMaxRows - 1)
                grid.SetRowCount(grid.RowCount() + 1);
        }
    }
    grid.CellsChanged(TGridRect{sel.Left, sel.Top, sel.Left + widest - 1, r});
}

std::unique_ptr<QMimeData> RectToMimeData(TExStringGrid& grid, const TGridRect& rect)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(GetRectAsText(grid, rect));
    const QString topLeft = grid.Cells(grid.RealColIndex(rect.Left), rect.Top);
    if (grid.Navigation.AllowRTFClipboard && topLeft.contains(QStringLiteral("{\\")))
        data->setData(kRtfFormat, topLeft.toLatin1());
    if (grid.GetAllowFmtClipboard())
        data->setData(kCellsFormat,
                      SaveRectToBinBytes(grid, {grid.RealColIndex(rect.Left), rect.Top, grid.RealColIndex(rect.Right),
                                                rect.Bottom}));
    return data;
}

int PasteMimeDataAtCell(TExStringGrid& grid, int col, int row, int& rows, int& cols, const QMimeData& data)
{
    rows = 0;
    cols = 0;
    const TNavigation& nav = grid.Navigation;
    if (grid.GetAllowFmtClipboard() && data.hasFormat(kCellsFormat)) {
        const QByteArray bytes = data.data(kCellsFormat);
        const CellStreamHeader h = ReadCellStreamHeader(bytes);
        grid.BeginPaste();
        if (nav.AllowClipboardColGrow && h.ColCount + col > grid.ColCount())
            grid.SetColCount(std::min(kMaxColumns, h.ColCount + col));
        if (nav.AllowClipboardRowGrow && h.RowCount + row > grid.RowCount())
            grid.SetRowCount(std::min(kMaxRows, h.RowCount + row));
        if (nav.ClipboardPasteAction == paInsert && h.RowCount > 0)
            grid.InsertRows(row, std::min(h.RowCount, kMaxRows - grid.RowCount()));
        LoadAtPointFromBinBytes(grid, QPoint(grid.RealColIndex(col), row), bytes);
        cols = h.ColCount;
        rows = h.RowCount;
        grid.MarkPastedRows(TGridRect{col, row, col + std::max(0, cols - 1), row + std::max(0, rows - 1)});
        grid.EndPaste();
        return h.ColCount * h.RowCount;
    }
    if (nav.AllowRTFClipboard && data.hasFormat(kRtfFormat)) {
        if (MayWrite(grid, col, row))
            grid.PasteCell(col, row, QString::fromLatin1(data.data(kRtfFormat)));
        rows = cols = 1;
        return 0;
    }
    if (data.hasText())
        return PasteTextAtCell(grid, col, row, rows, cols, data.text());
    return 0;
}

void CopyToClipboard(TExStringGrid& grid, QClipboard& clipboard)
{
    clipboard.setMimeData(
        RectToMimeData(grid, {grid.SaveStartCol(), grid.SaveStartRow(), grid.SaveEndCol(), grid.SaveEndRow()})
            .release());
}

void CopyToClipBoardAsHTML(TExStringGrid& grid, QClipboard& clipboard)
{
    const QString envelope = ClipboardHtml(grid);
    auto data = std::make_unique<QMimeData>();
    // The document starts where the envelope's StartHTML says.
    data->setHtml(envelope.mid(envelope.section(u'\n', 1, 1).section(u':', 1).trimmed().toInt()));
    data->setText(envelope);
    clipboard.setMimeData(data.release());
}

void CopySelectionToClipboard(TExStringGrid& grid, QClipboard& clipboard)
{
    clipboard.setMimeData(RectToMimeData(grid, grid.Selection()).release());
}

void CutSelectionToClipboard(TExStringGrid& grid, QClipboard& clipboard)
{
    const TGridRect sel = grid.Selection();
    CopySelectionToClipboard(grid, clipboard);
    for (int c = sel.Left; c <= sel.Right; ++c)
        for (int r = sel.Top; r <= sel.Bottom; ++r)
            if (MayWrite(grid, c, r)) {
                grid.SetCells(grid.RealColIndex(c), r, QString());
                if (grid.GetAllowFmtClipboard())
                    grid.FreeCellPropertiesAt(grid.RealColIndex(c), r);
            }
    grid.CellsChanged(sel);
}

void PasteFromClipboard(TExStringGrid& grid, const QClipboard& clipboard)
{
    const QMimeData* data = clipboard.mimeData();
    if (!data)
        return;
    grid.ImportNotification(0, -1);
    int rows = 0;
    int cols = 0;
    PasteMimeDataAtCell(grid, grid.SaveStartCol(), grid.SaveStartRow(), rows, cols, *data);
    grid.ImportNotification(2, -1);
}

namespace {

bool IsInteger(const QString& s, qint64& v)
{
    bool ok = false;
    v = s.trimmed().toLongLong(&ok);
    return ok;
}

bool IsNumber(const QString& s, double& v)
{
    QString t = s.trimmed();
    t.replace(platform::FormatSettings::Current().DecimalSeparator, u'.');
    bool ok = false;
    v = t.toDouble(&ok);
    return ok;
}

// Date and time series: day numbers from 30 December 1899, the time as the
// fraction of a day.
const QDate kDateBase(1899, 12, 30);

bool IsDateOrTime(const QString& s)
{
    return IsDateText(s) || s.contains(platform::FormatSettings::Current().TimeSeparator);
}

bool ParseDateOrTime(const QString& s, double& v)
{
    if (s.contains(platform::FormatSettings::Current().DateSeparator))
        return ParseDateTimeText(s.trimmed(), v);
    return ParseTimeText(s, v);
}

// The next date of a series whose first two dates differ by years, months
// and days (calendar parts) and by step (days); nullopt for an impossible
// date, which ends the series.
std::optional<double> NextDate(double d, int years, int months, int days, double step)
{
    const bool onlyDays = days != 0 && years == 0 && months == 0;
    const bool onlyYears = years != 0 && months == 0 && days == 0;
    const bool onlyMonths = months != 0 && years == 0 && days == 0;
    double next = onlyDays ? d + days : d + step;
    if (onlyYears || onlyMonths) {
        const double day = std::floor(d);
        const QDate date = kDateBase.addDays(static_cast<qint64>(day));
        int y = date.year() + (onlyYears ? years : 0);
        int m = date.month() + (onlyMonths ? months : 0);
        if (m == 0) {
            m = 12;
            --y;
        } else if (m > 12 && m <= 24) {
            m -= 12;
            ++y;
        }
        if (m < 1 || m > 12 || y < 1 || y > 9999 || !QDate::isValid(y, m, date.day()))
            return std::nullopt;
        next = static_cast<double>(kDateBase.daysTo(QDate(y, m, date.day()))) + (d - day);
    }
    if (!std::isfinite(next) || next < kDateBase.daysTo(QDate(1, 1, 1)) || next >= kDateBase.daysTo(QDate(10000, 1, 1)))
        return std::nullopt;
    return next;
}

bool PastedCells(TExStringGrid& grid, const QMimeData& data)
{
    return (grid.GetAllowFmtClipboard() && data.hasFormat(kCellsFormat)) ||
           (grid.Navigation.AllowRTFClipboard && data.hasFormat(kRtfFormat));
}

bool EndsWithBreak(QString text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text.endsWith(u'\r') || text.endsWith(QStringLiteral("\r\n"));
}

} // namespace

void PasteSelection(TExStringGrid& grid, const QMimeData& data)
{
    const TGridRect sel = grid.Selection();
    grid.ImportNotification(0, -1);
    const int left = grid.Options().Contains(goRowSelect) ? grid.FixedCols() : sel.Left;
    int rows = 0;
    int cols = 0;
    const int pasted = PasteMimeDataAtCell(grid, left, sel.Top, rows, cols, data);
    // The values written: a text ending in a line break counts an empty last
    // field it does not store.
    const bool trailingBreak = pasted > 0 && !PastedCells(grid, data) && EndsWithBreak(data.text());
    const int n = pasted - (trailingBreak ? 1 : 0);
    const int lines = rows - (trailingBreak ? 1 : 0);
    const int cells = (sel.Right - sel.Left + 1) * (sel.Bottom - sel.Top + 1);
    auto text = [&grid](int c, int r) { return grid.Cells(grid.RealColIndex(c), r); };
    // A block that fills the selection (or more) is left as pasted.
    if (grid.Navigation.AllowSmartClipboard && n < cells) {
        const bool singleCol = sel.Left == sel.Right;
        const bool singleRow = sel.Top == sel.Bottom;
        if (n == 1 && cells > 1) {
            grid.BeginPaste();
            const QString v = text(sel.Left, sel.Top);
            for (int c = sel.Left; c <= sel.Right; ++c)
                for (int r = sel.Top; r <= sel.Bottom; ++r)
                    if ((c != sel.Left || r != sel.Top) && MayWrite(grid, c, r))
                        grid.PasteCell(c, r, v);
            grid.MarkPastedRows(sel);
            grid.EndPaste();
        } else if (n > 1 && (singleCol || singleRow)) {
            const QString v1 = text(sel.Left, sel.Top);
            const QString v2 = singleRow ? text(sel.Left + 1, sel.Top) : text(sel.Left, sel.Top + 1);
            std::vector<std::pair<int, int>> order;
            for (int c = sel.Left; c <= sel.Right; ++c)
                for (int r = sel.Top; r <= sel.Bottom; ++r)
                    order.emplace_back(c, r);
            const QChar dec = platform::FormatSettings::Current().DecimalSeparator;
            qint64 i1 = 0;
            qint64 i2 = 0;
            double f1 = 0;
            double f2 = 0;
            double d1 = 0;
            double d2 = 0;
            if (IsDateOrTime(v1) && IsDateOrTime(v2)) {
                if (ParseDateOrTime(v1, d1) && ParseDateOrTime(v2, d2)) {
                    const bool asDate = v1.contains(platform::FormatSettings::Current().DateSeparator);
                    const QDate a = kDateBase.addDays(static_cast<qint64>(std::floor(d1)));
                    const QDate b = kDateBase.addDays(static_cast<qint64>(std::floor(d2)));
                    const int years = b.year() - a.year();
                    const int months = b.month() - a.month();
                    const int days = b.day() - a.day();
                    std::optional<double> d = d1;
                    for (const auto& [c, r] : order) {
                        if (MayWrite(grid, c, r))
                            grid.PasteCell(c, r, asDate ? ShortDateText(*d) : TimeText(*d));
                        d = NextDate(*d, years, months, days, d2 - d1);
                        if (!d)
                            break;
                    }
                }
            } else if ((v1.contains(dec) || v2.contains(dec)) && IsNumber(v1, f1) && IsNumber(v2, f2)) {
                double f = f1;
                for (const auto& [c, r] : order) {
                    const std::optional<QString> s = FormatNumber(grid.FloatFormat, f);
                    if (!s)
                        break;
                    if (MayWrite(grid, c, r))
                        grid.PasteCell(c, r, *s);
                    f += f2 - f1;
                }
            } else if (IsInteger(v1, i1) && IsInteger(v2, i2)) {
                qint64 v = i1;
                for (const auto& [c, r] : order) {
                    if (MayWrite(grid, c, r))
                        grid.PasteCell(c, r, QString::number(v));
                    v += i2 - i1;
                }
            } else if (singleCol) {
                // The pasted block of n values repeats.
                for (int r = sel.Top + n; r <= sel.Bottom; ++r)
                    if (MayWrite(grid, sel.Left, r))
                        grid.PasteCell(sel.Left, r, text(sel.Left, r - n));
            } else {
                for (int c = sel.Left + n; c <= sel.Right; ++c)
                    if (MayWrite(grid, c, sel.Top))
                        grid.PasteCell(c, sel.Top, text(c - n, sel.Top));
            }
            grid.MarkPastedRows(sel);
        } else if (n > 1 && (lines == 1 || cols == 1)) {
            // One pasted line fills every row of the selection, one pasted
            // column every column.
            if (lines == 1)
                for (int r = sel.Top + 1; r <= sel.Bottom; ++r)
                    PasteMimeDataAtCell(grid, left, r, rows, cols, data);
            else
                for (int c = sel.Left + 1; c <= sel.Right; ++c)
                    PasteMimeDataAtCell(grid, c, sel.Top, rows, cols, data);
            grid.SetSelection(sel);
        }
    }
    grid.ImportNotification(2, -1);
    grid.CellsChanged(sel);
}

void PasteSelectionFromClipboard(TExStringGrid& grid, const QClipboard& clipboard)
{
    if (const QMimeData* data = clipboard.mimeData())
        PasteSelection(grid, *data);
}

} // namespace grid
