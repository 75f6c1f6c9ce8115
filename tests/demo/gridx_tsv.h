#pragma once
// The TSV form of gridx: one row a line (LF or CR LF), fields split at TAB;
// inside a field "\t", "\n", "\r" and "\\" stand for TAB, LF, CR and a
// backslash (any other backslash stays as it is).
#include "controls/grid/core/ex_string_grid.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace gridx {

inline QString Unescape(QStringView field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar next = i + 1 < field.size() ? field[i + 1] : QChar();
        if (field[i] != u'\\' || (next != u't' && next != u'n' && next != u'r' && next != u'\\')) {
            out += field[i];
            continue;
        }
        ++i;
        out += next == u't' ? QChar(u'\t') : next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next;
    }
    return out;
}

inline QString Escape(const QString& field)
{
    QString out;
    out.reserve(field.size());
    for (QChar c : field)
        out += c == u'\t'   ? QStringLiteral("\\t")
               : c == u'\n' ? QStringLiteral("\\n")
               : c == u'\r' ? QStringLiteral("\\r")
               : c == u'\\' ? QStringLiteral("\\\\")
                            : QString(c);
    return out;
}

// The rows as cells from (0, 0); a file wider or longer than a grid holds
// fails with GridError before any cell is written.
inline void FillFromTsv(grid::TExStringGrid& g, const QByteArray& bytes)
{
    QString text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    const QStringList lines = text.isEmpty() ? QStringList() : text.split(u'\n');
    qsizetype cols = 1;
    for (const QString& line : lines)
        cols = std::max(cols, line.count(u'\t') + 1);
    if (cols > grid::kMaxColumns || lines.size() >= grid::kMaxRows)
        throw grid::GridError(QStringLiteral("The TSV file holds more rows or columns than a grid"));
    g.SetColCount(std::max(int(cols), g.FixedCols() + 1));
    g.SetRowCount(std::max(int(lines.size()), g.FixedRows() + 1));
    for (int r = 0; r < lines.size(); ++r) {
        const QList<QStringView> fields = QStringView(lines[r]).split(u'\t');
        for (int c = 0; c < fields.size(); ++c)
            g.SetCells(c, r, Unescape(fields[c]));
    }
}

inline QByteArray GridAsTsv(grid::TExStringGrid& g)
{
    QString out;
    for (int r = 0; r < g.RowCount(); ++r) {
        for (int c = 0; c < g.ColCount(); ++c) {
            if (c)
                out += u'\t';
            out += Escape(g.Cells(c, r));
        }
        out += u'\n';
    }
    return out.toUtf8();
}

} // namespace gridx
