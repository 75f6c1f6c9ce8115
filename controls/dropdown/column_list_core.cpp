#include "controls/dropdown/column_list_core.h"

#include "controls/dropdown/color_styles.h"

#include <algorithm>
#include <cmath>

namespace dropdown {

using namespace grid;

QString ItemLine(const TDropDownItem& item, int column)
{
    return column >= 0 && column < item.Text.size() ? item.Text[column] : QString();
}

int IndexInColumn(const TDropDownItems& items, int column, const QString& value)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (column >= 0 && column < items[i].Text.size() && items[i].Text[column] == value)
            return int(i);
    return -1;
}

QStringList LookupList(const TDropDownItems& items, int column)
{
    QStringList list;
    list.reserve(qsizetype(items.size()));
    for (const TDropDownItem& item : items)
        list << ItemLine(item, column);
    return list;
}

int FindPrefix(const QStringList& lookup, const QString& prefix, bool caseSensitive)
{
    if (prefix.isEmpty())
        return -1;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype i = 0; i < lookup.size(); ++i)
        if (lookup[i].startsWith(prefix, cs))
            return int(i);
    return -1;
}

int IndexOfText(const QStringList& lookup, const QString& text)
{
    for (qsizetype i = 0; i < lookup.size(); ++i)
        if (lookup[i].compare(text, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

std::vector<int> ScaleColumnWidths(const std::vector<int>& widths, int avail)
{
    std::vector<int> out;
    out.reserve(widths.size());
    double total = 1;
    for (int w : widths)
        total += w;
    const double factor = avail / total;
    double err = 0;
    for (int w : widths) {
        const double x = factor * w;
        const int r = int(std::nearbyint(x));  // half to even
        err += x - r;
        if (err > 1) {
            err -= 1;
            out.push_back(r + 1);
        } else {
            out.push_back(r);
        }
    }
    return out;
}

int SnapPopupHeight(int height, int bars, int headerHeight, int rowHeight, int extra)
{
    rowHeight = std::max(rowHeight, 1);
    const int free = height - bars - headerHeight - 2;
    return bars + headerHeight + (free / rowHeight) * rowHeight + extra;
}

int StepIndex(int index, int count, TListStep step)
{
    if (count <= 0)
        return -1;
    const int last = count - 1;
    switch (step) {
    case lsFirst:
        return 0;
    case lsLast:
        return last;
    case lsNext:
        return index < 0 ? 0 : std::min(index + 1, last);
    case lsPrevious:
        return index < 0 ? 0 : std::max(index - 1, 0);
    case lsNextPage:
        return index < 0 ? 0 : std::min(index + 10, last);
    case lsPreviousPage:
        return index < 0 ? 0 : std::max(index - 10, 0);
    }
    return index;
}

namespace {
constexpr TSelectionColorStyle S0 = scCustom, S1 = scOffice2007, S2 = scWindowsVista, S3 = scWindows7;
constexpr TColor HT = clHighlightText, HL = clHighlight, BF = clBtnFace, K = kKeep;
}  // namespace

const std::array<ColumnStyleColors, 15> kMultiColumnStyles{{
    {tsOffice2003Blue, 0xD68759, 0x933803, clWhite, S1, clBlack, 0x962D00, 0x962D00, K, K},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, K, S1, clBlack, 0x947C7C, 0x947C7C, K, K},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, K, S1, clBlack, 0x588060, 0x588060, K, K},
    {tsOffice2003Classic, 0x808080, 0x808080, K, S1, clBlack, 0x808080, 0x808080, K, K},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, S1, clBlack, 0xFFD2AF, 0xFFD2AF, K, K},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, S1, clBlack, 0x5C534C, 0x5C534C, K, K},
    {tsWindowsXP, BF, BF, clBlack, S0, HT, 0xC0C0C0, clBlack, HL, HL},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, clWhite, S1, clBlack, 0x962D00, 0x962D00, K, K},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, S1, clBlack, 0x74706F, 0x74706F, K, K},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clBlack, S2, clBlack, 0xFCF2DA, 0xFCF2DA, K, K},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, clBlack, S3, clBlack, 0xFBD6B8, 0xFBD6B8, K, K},
    {tsTerminal, BF, BF, clBlack, S0, HT, 0x808080, 0x808080, HL, HL},
    {tsOffice2010Blue, 0xEDDBCD, clNone, 0x5B391E, S0, clBlack, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF},
    {tsOffice2010Silver, 0xEDE9E5, clNone, 0x5B391E, S0, clBlack, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF},
    {tsOffice2010Black, 0x828282, clNone, 0xD7D7D6, S0, clBlack, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF},
}};

const std::array<ColumnStyleColors, 12> kGridDropDownStyles{{
    {tsOffice2003Blue, 0xD68759, 0x933803, clWhite, S1, clBlack, 0x962D00, 0x962D00, K, K},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, K, S1, clBlack, 0x947C7C, 0x947C7C, K, K},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, K, S1, clBlack, 0x588060, 0x588060, K, K},
    {tsOffice2003Classic, 0x808080, 0x808080, K, S1, clBlack, 0x808080, 0x808080, K, K},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, S1, clBlack, 0xFFD2AF, 0xFFD2AF, K, K},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, S1, clBlack, 0x5C534C, 0x5C534C, K, K},
    {tsWindowsXP, BF, BF, clBlack, S0, HT, clSilver, clBlack, HL, HL},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, clWhite, S1, clBlack, 0x962D00, 0x962D00, K, K},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, S1, clBlack, 0x74706F, 0x74706F, K, K},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clBlack, S2, clBlack, 0xFCF2DA, 0xFCF2DA, K, K},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, clBlack, S3, clBlack, 0xFBD6B8, 0xFBD6B8, K, K},
    {tsTerminal, BF, BF, clBlack, S0, HT, clGray, clGray, HL, HL},
}};

template <size_t N>
static const ColumnStyleColors* Find(const std::array<ColumnStyleColors, N>& table, TSkinStyle style)
{
    for (const ColumnStyleColors& row : table)
        if (row.Style == style)
            return &row;
    return nullptr;
}

const ColumnStyleColors* MultiColumnStyleOf(TSkinStyle style)
{
    return Find(kMultiColumnStyles, style);
}

const ColumnStyleColors* GridDropDownStyleOf(TSkinStyle style)
{
    return Find(kGridDropDownStyles, style);
}

bool SelectionLinesOf(TSelectionColorStyle style, SelectionLines& lines)
{
    if (style == scOffice2007)
        lines = {0xF1EDEB, 0xD1BBA4};
    else if (style == scWindowsVista || style == scWindows7)
        lines = {0xECECF0, 0xD4D2D1};
    else
        return false;
    return true;
}

int AutoColumnWidth(const TDropDownItems& items, int column, bool imageColumn, int imageWidth,
                    const TextWidth& width)
{
    int widest = 0;
    for (const TDropDownItem& item : items) {
        const QString text = ItemLine(item, column);
        int w = text.isEmpty() ? 0 : 6 + width(text);
        if (imageColumn && imageWidth > 0 && item.ImageIndex >= 0)
            w += imageWidth + 4;
        widest = std::max(widest, w);
    }
    return widest;
}

int WrappedRowHeight(const TDropDownItem& item, const TDropDownColumns& columns, bool hasImages, int imageHeight,
                     const std::function<int(int column, const QString&)>& wrapped)
{
    int h = 24;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (!columns[c].Wordwrap)
            continue;
        int b = columns[c].ColumnType == ctImage && hasImages && item.ImageIndex >= 0 ? imageHeight + 6 : 0;
        const QString text = ItemLine(item, int(c));
        if (!text.isEmpty())
            b = std::max(b, wrapped(int(c), text) + 6);
        h = std::max(h, b);
    }
    return h;
}

}  // namespace dropdown
