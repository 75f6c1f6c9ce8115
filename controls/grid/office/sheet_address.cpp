#include "controls/grid/office/sheet_address.h"

#include <QStringList>

#include <climits>

namespace grid::office {

QString ColumnLetters(int column)
{
    QString out;
    for (long n = column; n > 0; n = (n - 1) / 26)
        out.prepend(QChar(u'A' + int((n - 1) % 26)));
    return out;
}

int ColumnFromLetters(QStringView letters)
{
    if (letters.isEmpty())
        return 0;
    long long n = 0;
    for (QChar ch : letters) {
        const char16_t u = ch.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return 0;
        n = n * 26 + (u - u'A' + 1);
        if (n > INT_MAX)
            return 0;
    }
    return int(n);
}

namespace {

struct CellPart
{
    int Col = 0; // 0: no letters
    int Row = 0; // 0: no number
    bool RowOk = false;
};

CellPart ParseCell(QStringView s)
{
    CellPart part;
    qsizetype i = 0;
    while (i < s.size() && s[i].isLetter())
        ++i;
    part.Col = i > 0 ? ColumnFromLetters(s.first(i)) : 0;
    bool ok = false;
    const int row = s.sliced(i).toInt(&ok);
    part.RowOk = ok && row > 0;
    part.Row = row;
    return part;
}

} // namespace

std::optional<SheetBounds> ParseUsedRange(QStringView address)
{
    QString text = address.toString();
    const bool marked = text.contains(u'$') || text.contains(u':');
    if (!marked)
        return SheetBounds{};
    text.remove(u'$');
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0) {
        const CellPart cell = ParseCell(text);
        if (!cell.RowOk || cell.Col == 0)
            return std::nullopt;
        return SheetBounds{cell.Col, cell.Row, cell.Col, cell.Row};
    }
    const CellPart a = ParseCell(QStringView(text).first(colon));
    const CellPart b = ParseCell(QStringView(text).sliced(colon + 1));
    if (!a.RowOk || !b.RowOk)
        return std::nullopt;
    if (a.Col == 0 && b.Col == 0)
        return SheetBounds{1, a.Row, 256, b.Row};
    if (a.Col == 0 || b.Col == 0)
        return std::nullopt;
    return SheetBounds{a.Col, a.Row, b.Col, b.Row};
}

QString RangeAddress(const SheetBounds& b)
{
    const QString first = ColumnLetters(b.FirstCol) + QString::number(b.FirstRow);
    if (b.FirstCol == b.LastCol && b.FirstRow == b.LastRow)
        return first;
    return first + u':' + ColumnLetters(b.LastCol) + QString::number(b.LastRow);
}

} // namespace grid::office
