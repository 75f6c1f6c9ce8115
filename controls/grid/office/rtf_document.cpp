#include "controls/grid/office/rtf_document.h"

#include "controls/grid/core/ex_string_grid.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace grid::office {

QByteArray RtfText(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += "\\line ";
        } else if (u == u'\n') {
            out += "\\line ";
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u < 32) {
            continue;
        } else if (u < 128) {
            out += char(u);
        } else {
            // A signed 16-bit value; '?' for readers without Unicode.
            out += "\\u" + QByteArray::number(int(qint16(u))) + '?';
        }
    }
    return out;
}

QByteArray RtfBody(const QString& paragraph, const RtfTable& table)
{
    QByteArray out = "\\pard\\plain " + RtfText(paragraph) + "\\par\n";
    for (size_t r = 0; r < table.Rows.size(); ++r) {
        out += "\\trowd\\trgaph108";
        int x = 0;
        for (qsizetype c = 0; c < table.Rows[r].size(); ++c) {
            x += c < qsizetype(table.Widths.size()) ? std::max(table.Widths[size_t(c)], 1) : 1440;
            out += "\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs\\cellx" + QByteArray::number(x);
        }
        out += '\n';
        for (qsizetype c = 0; c < table.Rows[r].size(); ++c) {
            CellAlign align = CellAlign::Left;
            if (r < table.Aligns.size() && c < qsizetype(table.Aligns[r].size()))
                align = table.Aligns[r][size_t(c)];
            out += "\\pard\\intbl";
            out += align == CellAlign::Right ? "\\qr " : align == CellAlign::Centre ? "\\qc " : " ";
            out += RtfText(table.Rows[r][c]) + "\\cell\n";
        }
        out += "\\row\n";
    }
    out += "\\pard\\plain\n";
    return out;
}

QByteArray RtfDocument(const QByteArray& body)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\uc1\n" + body + "}\n";
}

std::optional<RtfInsertPoint> FindRtfInsertPoint(const QByteArray& rtf, const QString& bookmark)
{
    if (!rtf.startsWith("{\\rtf"))
        return std::nullopt;
    const qsizetype n = rtf.size();
    auto isLetter = [](char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); };
    auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };

    std::optional<qsizetype> atBookmark;
    int depth = 0;
    int markDepth = -1; // depth of an open bookmark-start group
    QByteArray markName;
    for (qsizetype i = 0; i < n; ++i) {
        const char ch = rtf[i];
        if (ch == '{') {
            ++depth;
        } else if (ch == '}') {
            if (depth == markDepth) {
                markDepth = -1;
                if (!atBookmark && !bookmark.isEmpty()
                    && QString::fromLatin1(markName.trimmed()).compare(bookmark, Qt::CaseInsensitive) == 0)
                    atBookmark = i + 1;
            }
            if (--depth == 0)
                return RtfInsertPoint{atBookmark.value_or(i), atBookmark.has_value()};
        } else if (ch == '\\') {
            if (i + 1 >= n)
                return std::nullopt;
            if (!isLetter(rtf[i + 1])) {
                if (rtf[i + 1] == '\'') {
                    i += 3; // \'hh
                    if (markDepth == depth)
                        markName += '?';
                } else {
                    ++i;
                    if (markDepth == depth)
                        markName += rtf[i];
                }
                continue;
            }
            qsizetype j = i + 1;
            while (j < n && isLetter(rtf[j]))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            qsizetype p = j;
            if (p < n && rtf[p] == '-')
                ++p;
            while (p < n && isDigit(rtf[p]) && p - j < 10)
                ++p;
            const QByteArray digits = rtf.mid(j, p - j);
            if (p < n && rtf[p] == ' ')
                ++p;
            if (word == "bin") {
                bool ok = false;
                const qint64 skip = digits.toLongLong(&ok);
                if (!ok || skip < 0 || skip > n - p)
                    return std::nullopt;
                p += qsizetype(skip);
            } else if (word == "bkmkstart") {
                markDepth = depth;
                markName.clear();
            }
            i = p - 1;
        } else if (depth == markDepth && ch != '\r' && ch != '\n') {
            markName += ch;
        }
    }
    return std::nullopt;
}

RtfTable GridTable(TExStringGrid& grid)
{
    RtfTable table;
    const int cols = grid.ColCount();
    for (int c = 0; c < cols; ++c)
        table.Widths.push_back(std::max(1, grid.ColWidths(c)) * 15);
    grid.ExportNotification(0, 0);
    for (int r = 0; r < grid.RowCount(); ++r) {
        grid.ExportNotification(1, r + 1);
        QStringList line;
        std::vector<CellAlign> aligns;
        for (int c = 0; c < cols; ++c) {
            QString value;
            grid.SaveCell(grid.RealColIndex(c), r, value);
            line << value;
            TAlignment h = taLeftJustify;
            TVAlignment v = vtaTop;
            grid.GetCellTextAlignment(c, r, h, v);
            aligns.push_back(h == taRightJustify ? CellAlign::Right : h == taCenter ? CellAlign::Centre : CellAlign::Left);
        }
        table.Rows.push_back(std::move(line));
        table.Aligns.push_back(std::move(aligns));
    }
    grid.ExportNotification(2, -1);
    return table;
}

namespace {

void WriteWhole(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw GridError(QStringLiteral("Cannot create the file %1: %2").arg(fileName, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw GridError(QStringLiteral("Cannot replace the file %1: %2").arg(fileName, file.errorString()));
}

} // namespace

void SaveToDOC(TExStringGrid& grid, const QString& fileName, bool /*createNewDocument*/, const QString& gridText)
{
    WriteWhole(fileName, RtfDocument(RtfBody(gridText, GridTable(grid))));
}

void AppendToDoc(TExStringGrid& grid, const QString& fileName, const QString& bookmark, const QString& gridText)
{
    QFile in(fileName);
    if (!in.open(QIODevice::ReadOnly))
        throw GridError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, in.errorString()));
    QByteArray rtf = in.readAll();
    in.close();
    const std::optional<RtfInsertPoint> at = FindRtfInsertPoint(rtf, bookmark);
    if (!at)
        throw GridError(QStringLiteral("The file %1 is not an RTF document").arg(fileName));
    rtf.insert(at->Offset, "\\par\n" + RtfBody(gridText, GridTable(grid)));
    WriteWhole(fileName, rtf);
}

} // namespace grid::office
