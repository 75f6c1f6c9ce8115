#include "controls/grid/core/sort_keys.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/filter_matcher.h"
#include "controls/grid/core/text_routines.h"
#include "platform/text/format_settings.h"

#include <cmath>

namespace grid {

namespace {

int Sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

int CompareValues(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

// The separator at 1-based position 2 or 3, not last, between two digits.
bool SeparatorAfterDigits(const QString& s, QChar sep)
{
    const qsizetype p = s.indexOf(sep); // 0-based
    if (p < 1 || p > 2 || p + 1 >= s.size())
        return false;
    return s[p - 1].isDigit() && s[p + 1].isDigit();
}

bool IsNumberText(const QString& s)
{
    const int kind = GetNumberKind(s);
    return kind == 0 || kind == 1 || kind == 5;
}

// Letters a..z upper-cased, nothing else.
QString UpperAscii(const QString& s)
{
    QString out = s;
    for (QChar& ch : out)
        if (ch >= u'a' && ch <= u'z')
            ch = QChar(ch.unicode() - 32);
    return out;
}

bool IsAlphabetic(TSortStyle s)
{
    return s == ssAlphabetic || s == ssAlphaCase || s == ssAlphaNoCase || s == ssHTML;
}

} // namespace

bool ParseTimeText(const QString& s, double& time)
{
    const QChar sep = platform::FormatSettings::Current().TimeSeparator;
    const QString t = s.trimmed();
    const qsizetype a = t.indexOf(sep);
    if (a < 0)
        return false;
    const qsizetype b = t.indexOf(sep, a + 1);
    bool okH = false, okM = false, okS = true;
    const int h = t.left(a).toInt(&okH);
    const int m = (b < 0 ? t.mid(a + 1) : t.mid(a + 1, b - a - 1)).toInt(&okM);
    const int sec = b < 0 ? 0 : t.mid(b + 1).toInt(&okS);
    if (!okH || !okM || !okS || h < 0 || h > 23 || m < 0 || m > 59 || sec < 0 || sec > 59)
        return false;
    time = (h * 3600 + m * 60 + sec) / 86400.0;
    return true;
}

// One column's keys over the rows of the ordering.
struct RowOrder::Keys
{
    int col = 0;
    int dir = 1;
    bool ignored = false;
    bool ignoreBlanks = false;
    TSortBlankPosition blankPos = blFirst;
    TSortStyle style = ssAlphabetic;
    std::vector<QString> text;
    std::vector<double> value;
    std::vector<char> bad; // numeric styles: no number, after all numbers
    std::vector<char> blank;
    std::vector<QCollatorSortKey> collated;

    // Ascending terms.
    int Ascending(TExStringGrid& g, const std::vector<int>& rows, int i, int j) const
    {
        switch (style) {
        case ssAlphabetic:
        case ssAlphaCase:
        case ssAlphaNoCase:
        case ssHTML:
            return Sign(QString::compare(text[size_t(i)], text[size_t(j)], Qt::CaseSensitive));
        case ssAnsiAlphaCase:
        case ssAnsiAlphaNoCase:
            return Sign(collated[size_t(i)].compare(collated[size_t(j)]));
        case ssNumeric:
        case ssFinancial:
            if (bad[size_t(i)] != bad[size_t(j)])
                return bad[size_t(i)] ? 1 : -1;
            if (bad[size_t(i)])
                return Sign(QString::compare(text[size_t(i)], text[size_t(j)], Qt::CaseSensitive));
            return CompareValues(value[size_t(i)], value[size_t(j)]);
        case ssCustom: {
            int res = 0;
            if (g.OnCustomCompare)
                g.OnCustomCompare(&g, text[size_t(i)], text[size_t(j)], res);
            return Sign(res);
        }
        case ssRaw: {
            int res = 0;
            if (g.OnRawCompare)
                g.OnRawCompare(&g, col, rows[size_t(i)], rows[size_t(j)], res);
            return Sign(res);
        }
        default: // dates, times, images, check boxes
            return CompareValues(value[size_t(i)], value[size_t(j)]);
        }
    }

    int Compare(TExStringGrid& g, const std::vector<int>& rows, int i, int j) const
    {
        if (ignored)
            return 0;
        if (ignoreBlanks && blank[size_t(i)] != blank[size_t(j)]) {
            // Blanks first or last whatever the direction.
            const bool firstBlank = blank[size_t(i)] != 0;
            return (firstBlank == (blankPos == blFirst)) ? -1 : 1;
        }
        return dir * Ascending(g, rows, i, j);
    }

    void Build(TExStringGrid& g, const std::vector<int>& rows);
};

void RowOrder::Keys::Build(TExStringGrid& g, const std::vector<int>& rows)
{
    const TSortSettings& ss = g.SortSettings;
    ignoreBlanks = ss.IgnoreBlanks;
    blankPos = ss.BlankPos;
    ignored = g.IsIgnoredColumn(col);
    if (ignored)
        return;
    const size_t n = rows.size();
    int resolved = ss.AutoFormat ? ssAutomatic : (ss.IgnoreCase ? ssAlphaNoCase : ssAlphabetic);
    QString prefix, suffix;
    g.GetFormat(col, resolved, prefix, suffix);
    style = static_cast<TSortStyle>(resolved);

    std::vector<QString> cells(n);
    for (size_t k = 0; k < n; ++k)
        cells[k] = ss.SortOnVirtualCells ? g.Cells(col, rows[k]) : g.GridCells(col, rows[k]);
    blank.resize(n);
    for (size_t k = 0; k < n; ++k)
        blank[k] = cells[k].isEmpty();

    // Thousand separators go when the style was chosen because every text
    // reads as a number, as they do for financial columns.
    bool groupedNumbers = style == ssFinancial;
    if (style == ssAutomatic || style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        const bool automatic = style == ssAutomatic;
        const bool noCase = automatic ? ss.IgnoreCase : style == ssAlphaNumericNoCase;
        bool checkBoxes = false;
        if (automatic) {
            for (size_t k = 0; k < n && !checkBoxes; ++k) {
                const TCellType t = g.GetCellType(col, rows[k]);
                checkBoxes = t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
            }
        }
        const auto& fs = platform::FormatSettings::Current();
        bool any = false, numbers = true, dates = true, times = true, withTime = false;
        for (const QString& s : cells) {
            if (s.isEmpty())
                continue;
            any = true;
            numbers = numbers && IsNumberText(s);
            if (automatic) {
                dates = dates && SeparatorAfterDigits(s, fs.DateSeparator);
                withTime = withTime || s.contains(fs.TimeSeparator);
                times = times && SeparatorAfterDigits(s, fs.TimeSeparator);
            }
            if (!numbers && (!automatic || (!dates && !times)))
                break;
        }
        if (checkBoxes)
            style = ssCheckBox;
        else if (any && numbers)
            style = ssNumeric, groupedNumbers = true;
        else if (automatic && any && dates)
            style = withTime ? ssDateTime : ssDate;
        else if (automatic && any && times)
            style = ssTime;
        else
            style = noCase ? ssAlphaNoCase : ssAlphabetic;
    }

    switch (style) {
    case ssAlphabetic:
    case ssAlphaCase:
    case ssCustom:
        text = std::move(cells);
        break;
    case ssAlphaNoCase:
        text.resize(n);
        for (size_t k = 0; k < n; ++k)
            text[k] = UpperAscii(cells[k]);
        break;
    case ssHTML:
        text.resize(n);
        for (size_t k = 0; k < n; ++k)
            text[k] = g.StrippedCells(col, rows[k]);
        break;
    case ssAnsiAlphaCase:
    case ssAnsiAlphaNoCase: {
        QCollator collator;
        collator.setCaseSensitivity(style == ssAnsiAlphaCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
        collated.reserve(n);
        for (const QString& s : cells)
            collated.push_back(collator.sortKey(s));
        break;
    }
    case ssNumeric:
    case ssFinancial: {
        const auto& fs = platform::FormatSettings::Current();
        value.assign(n, 0);
        bad.assign(n, 0);
        for (size_t k = 0; k < n; ++k) {
            QString t = cells[k];
            if (!suffix.isEmpty()) {
                const qsizetype at = t.indexOf(suffix);
                if (at >= 0)
                    t.remove(at, suffix.size());
            }
            if (!prefix.isEmpty()) {
                const qsizetype at = t.indexOf(prefix);
                if (at >= 0)
                    t.remove(at, prefix.size());
            }
            if (groupedNumbers)
                t.remove(fs.ThousandSeparator);
            if (fs.DecimalSeparator != u'.') {
                const qsizetype at = t.indexOf(fs.DecimalSeparator);
                if (at >= 0)
                    t[at] = u'.';
            }
            bool ok = false;
            const double v = t.trimmed().toDouble(&ok);
            if (ok && std::isfinite(v))
                value[k] = v;
            else if (!(cells[k].isEmpty() || (ss.SortOnVirtualCells ? false : g.Cells(col, rows[k]).isEmpty())))
                bad[k] = 1;
        }
        text = std::move(cells); // bad numbers among themselves in text order
        break;
    }
    case ssDate:
    case ssDateTime:
        value.assign(n, 0);
        for (size_t k = 0; k < n; ++k)
            if (!ParseDateTimeText(cells[k], value[k]) && !ParseTimeText(cells[k], value[k]))
                value[k] = 0;
        break;
    case ssTime:
        value.assign(n, 0);
        for (size_t k = 0; k < n; ++k)
            if (!ParseTimeText(cells[k], value[k]))
                value[k] = 0;
        break;
    case ssShortDateEU:
    case ssShortDateUS:
        value.resize(n);
        for (size_t k = 0; k < n; ++k)
            value[k] = style == ssShortDateEU ? ParseDateDMY(cells[k]) : ParseDateMDY(cells[k]);
        break;
    case ssImages:
        value.resize(n);
        for (size_t k = 0; k < n; ++k)
            value[k] = static_cast<double>(g.GetCellImageValue(col, rows[k]));
        break;
    case ssCheckBox:
        value.assign(n, 0);
        for (size_t k = 0; k < n; ++k) {
            bool state = false;
            if (g.GetCheckBoxState(col, g.RealRowIndex(rows[k]), state))
                value[k] = state ? 1 : 0;
        }
        break;
    case ssRaw:
        break;
    default:
        text = std::move(cells);
        style = ssAlphabetic;
        break;
    }
    Q_ASSERT(!IsAlphabetic(style) || text.size() == n);
}

RowOrder::RowOrder(TExStringGrid& grid, std::vector<int> rows, std::vector<SortColumn> columns)
    : grid_(grid), rows_(std::move(rows)), columns_(std::move(columns))
{
    keys_.resize(columns_.size());
}

RowOrder::~RowOrder() = default;

RowOrder::Keys& RowOrder::KeysOf(int column)
{
    std::unique_ptr<Keys>& k = keys_[size_t(column)];
    if (!k) {
        auto made = std::make_unique<Keys>();
        made->col = columns_[size_t(column)].Col;
        made->dir = columns_[size_t(column)].Descending ? -1 : 1;
        made->Build(grid_, rows_);
        k = std::move(made);
    }
    return *k;
}

TSortStyle RowOrder::ResolvedStyle(int column)
{
    return KeysOf(column).style;
}

int RowOrder::Compare(int i, int j)
{
    ++comparisons_;
    for (size_t c = 0; c < columns_.size(); ++c) {
        const int r = KeysOf(static_cast<int>(c)).Compare(grid_, rows_, i, j);
        if (r != 0)
            return r;
    }
    return 0;
}

std::vector<int> RowOrder::StableOrder()
{
    const int n = static_cast<int>(rows_.size());
    std::vector<int> a(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        a[size_t(i)] = i;
    if (n < 2)
        return a;
    // Bottom-up merge sort: runs of 16 by insertion, then merges. Every index
    // stays in bounds whatever the comparisons answer.
    constexpr int kRun = 16;
    for (int lo = 0; lo < n; lo += kRun) {
        const int hi = std::min(n, lo + kRun);
        for (int i = lo + 1; i < hi; ++i) {
            const int v = a[size_t(i)];
            int j = i;
            while (j > lo && Compare(v, a[size_t(j - 1)]) < 0) {
                a[size_t(j)] = a[size_t(j - 1)];
                --j;
            }
            a[size_t(j)] = v;
        }
    }
    std::vector<int> b(static_cast<size_t>(n));
    for (int width = kRun; width < n; width *= 2) {
        for (int lo = 0; lo < n; lo += 2 * width) {
            const int mid = std::min(n, lo + width);
            const int hi = std::min(n, lo + 2 * width);
            int i = lo, j = mid, k = lo;
            // Already in order: the run is copied as it is.
            if (mid < hi && Compare(a[size_t(mid)], a[size_t(mid - 1)]) >= 0) {
                std::copy(a.begin() + lo, a.begin() + hi, b.begin() + lo);
                continue;
            }
            while (i < mid && j < hi) {
                if (Compare(a[size_t(j)], a[size_t(i)]) < 0)
                    b[size_t(k++)] = a[size_t(j++)];
                else
                    b[size_t(k++)] = a[size_t(i++)];
            }
            while (i < mid)
                b[size_t(k++)] = a[size_t(i++)];
            while (j < hi)
                b[size_t(k++)] = a[size_t(j++)];
        }
        a.swap(b);
    }
    return a;
}

} // namespace grid
