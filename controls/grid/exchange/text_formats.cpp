#include "controls/grid/exchange/text_formats.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/text_routines.h"
#include "platform/text/atomic_file.h"
#include "platform/text/cp1252.h"
#include "platform/text/format_settings.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <vector>

namespace grid {

namespace {

const QString kCRLF = QStringLiteral("\r\n");

[[noreturn]] void Fail(const QString& text)
{
    throw GridError(text);
}

QByteArray ReadFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return file.readAll();
}

void WriteFile(const QString& fileName, const QByteArray& bytes)
{
    QString error;
    if (!WriteFileAtomically(fileName, bytes, &error))
        Fail(error);
}

QByteArray Utf16LE(const QString& text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    for (QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

QByteArray Encode(const QString& text, bool unicode)
{
    return unicode ? QByteArray("\xFF\xFE") + Utf16LE(text) : StringToCp1252(text);
}

// Lines ending at CR LF, CR or LF.
std::vector<QStringView> Lines(QStringView text)
{
    std::vector<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.push_back(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.sliced(start));
    return lines;
}

QString Exported(TExStringGrid& grid, int realCol, int row)
{
    QString value;
    grid.SaveCell(realCol, row, value);
    return value;
}

// Lines of an exported text: split at CR (a following LF skipped), or the
// text before the first CR alone.
QStringList CellLines(const QString& text, bool multiLine)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r')
            continue;
        lines << text.mid(start, i - start);
        if (!multiLine)
            return lines;
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines << text.mid(start);
    return lines;
}

int ParseInt(QStringView s)
{
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    if (!ok)
        Fail(QStringLiteral("'%1' is not a valid integer value").arg(s.toString()));
    return v;
}

// Saved storage columns (hidden ones too when SaveHiddenCells).
std::vector<int> SavedColumns(TExStringGrid& grid, int first, int last)
{
    std::vector<int> cols;
    const int end = last + (grid.SaveHiddenCells ? grid.NumHiddenColumns() : 0);
    for (int c = first; c <= end; ++c)
        cols.push_back(grid.SaveHiddenCells ? c : grid.RealColIndex(c));
    return cols;
}

void FireProgress(TExStringGrid& grid, int& last, int value)
{
    if (grid.OnFileProgress && value != last) {
        last = value;
        grid.OnFileProgress(&grid, qint16(value));
    }
}

} // namespace

QString DecodeText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE)(bytes.mid(2));
    return Cp1252ToString(bytes);
}

// ---- Grid text file ----

QString SaveToFileText(TExStringGrid& grid)
{
    const int hidden = grid.SaveHiddenCells ? grid.NumHiddenColumns() : 0;
    const int firstCol = grid.SaveStartCol();
    const int lastCol = grid.SaveEndCol() + hidden;
    QString out = QStringLiteral("%1,%2").arg(grid.SaveColCount() + hidden).arg(grid.SaveRowCount()) + kCRLF;
    for (int i = firstCol; i <= lastCol; ++i)
        out += QStringLiteral("cw %1,%2").arg(i).arg(grid.SaveHiddenCells ? grid.AllColWidths(i) : grid.ColWidths(i)) +
               kCRLF;
    grid.ExportNotification(0, grid.SaveStartRow());
    int lastProgress = -1;
    for (int r = grid.SaveStartRow(); r <= grid.SaveEndRow(); ++r) {
        grid.ExportNotification(1, r);
        for (int c = firstCol; c <= lastCol; ++c) {
            const QString text = Exported(grid, grid.SaveHiddenCells ? c : grid.RealColIndex(c), r);
            if (!text.isEmpty())
                out += QStringLiteral("%1,%2,").arg(c).arg(r) + HideLineBreaks(text) + kCRLF;
        }
        FireProgress(grid, lastProgress,
                     qRound(double(r - grid.SaveStartRow()) / std::max(1, grid.SaveRowCount() - 1) * 100));
    }
    grid.ExportNotification(2, -1);
    return out;
}

void SaveToFile(TExStringGrid& grid, const QString& fileName, bool unicode)
{
    WriteFile(fileName, Encode(SaveToFileText(grid), unicode));
}

void LoadFromFileText(TExStringGrid& grid, const QString& text, const QString& fileName)
{
    const std::vector<QStringView> lines = Lines(text);
    const bool allCols = grid.SaveFixedCells || grid.SaveFixedCols;
    const bool allRows = grid.SaveFixedCells || grid.SaveFixedRows;
    const int colOffset = allCols ? 0 : grid.FixedCols();
    const int rowOffset = allRows ? 0 : grid.FixedRows();
    const QString corrupt = QStringLiteral("File contains no data or corrupt file ") + fileName;
    if (lines.empty() || lines[0].isEmpty())
        Fail(corrupt);
    const qsizetype comma = lines[0].indexOf(u',');
    bool okCols = false;
    bool okRows = false;
    const qint64 cols = comma < 0 ? 0 : lines[0].left(comma).trimmed().toLongLong(&okCols) + colOffset;
    const qint64 rows = comma < 0 ? 0 : lines[0].sliced(comma + 1).trimmed().toLongLong(&okRows) + rowOffset;
    if (!okCols || !okRows || cols <= 0 || rows <= 0 || cols > kMaxColumns || rows > kMaxRows)
        Fail(corrupt);
    grid.BeginUpdate();
    grid.SetColCount(int(cols));
    grid.SetRowCount(int(rows));
    int lastProgress = -1;
    for (size_t i = 1; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        const qsizetype c1 = line.indexOf(u',');
        if (c1 < 0)
            continue;
        bool ok1 = false;
        bool ok2 = false;
        if (line.startsWith(u"cw")) {
            const int index = line.sliced(3, std::max<qsizetype>(0, c1 - 3)).trimmed().toInt(&ok1);
            const int width = line.sliced(c1 + 1).trimmed().toInt(&ok2);
            if (ok1 && ok2 && index >= 0 && index < grid.ColCount())
                grid.SetColWidths(index, std::max(0, width));
            continue;
        }
        const qsizetype c2 = line.indexOf(u',', c1 + 1);
        if (c2 < 0)
            continue;
        const int col = line.left(c1).trimmed().toInt(&ok1);
        const int row = line.sliced(c1 + 1, c2 - c1 - 1).trimmed().toInt(&ok2);
        if (!ok1 || !ok2 || col < 0 || row < 0 || col >= grid.ColCount() || row >= grid.RowCount())
            continue;
        grid.LoadCell(col, row, RestoreLineBreaks(line.sliced(c2 + 1).toString(), grid.FMultilineCells));
        FireProgress(grid, lastProgress, qRound(double(row) / std::max(1, grid.RowCount() - 1) * 100));
    }
    grid.EndUpdate();
    grid.CellsChanged(TGridRect{0, 0, grid.ColCount(), grid.RowCount()});
}

void LoadFromFile(TExStringGrid& grid, const QString& fileName)
{
    LoadFromFileText(grid, DecodeText(ReadFile(fileName)), fileName);
}

// ---- Grid text stream ----

void TExStringGrid::SaveToStream(QIODevice& stream)
{
    QString out = QStringLiteral("%1,%2\r\n").arg(SaveColCount()).arg(SaveRowCount());
    for (int i = 0; i < ColCount(); ++i)
        out += QStringLiteral("cw %1,%2\r\n").arg(i).arg(ColWidths(i));
    ExportNotification(0, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(1, r);
        for (int c = SaveStartCol(); c <= SaveEndCol(); ++c) {
            const QString text = Exported(*this, RealColIndex(c), r);
            if (!text.isEmpty())
                out += QStringLiteral("%1,%2,").arg(c - SaveStartCol()).arg(r - SaveStartRow()) +
                       HideLineBreaks(text) + kCRLF;
        }
    }
    ExportNotification(2, -1);
    const QByteArray bytes = Utf16LE(out);
    if (stream.write(bytes) != bytes.size())
        Fail(QStringLiteral("Stream write error"));
}

void TExStringGrid::LoadFromStream(QIODevice& stream)
{
    const qint64 start = stream.pos();
    const QByteArray bytes = stream.readAll();
    const qsizetype units = bytes.size() / 2;
    auto unitAt = [&bytes](qsizetype i) {
        return QChar(quint16(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
    };
    // A line: units up to a CR; the unit after the CR is skipped.
    qsizetype pos = 0;
    auto readLine = [&]() {
        QString line;
        while (pos < units) {
            const QChar c = unitAt(pos++);
            if (c == u'\r') {
                if (pos < units)
                    ++pos;
                break;
            }
            line += c;
        }
        return line;
    };

    // Everything is read and checked first; then the grid changes.
    struct CellLine
    {
        int Col, Row;
        QString Text;
    };
    std::vector<CellLine> cells;
    std::vector<std::pair<int, int>> widths;
    qint64 cols = -1;
    qint64 rows = -1;
    qsizetype stop = units;
    if (pos < units) {
        const QString first = readLine();
        if (!first.isEmpty()) {
            const qsizetype comma = first.indexOf(u',');
            if (comma < 0)
                Fail(QStringLiteral("'%1' is not a valid integer value").arg(first));
            cols = qint64(ParseInt(QStringView(first).left(comma))) + SaveStartCol();
            rows = qint64(ParseInt(QStringView(first).sliced(comma + 1))) + SaveStartRow();
            if (cols < 0 || rows < 0 || cols > kMaxColumns || rows > kMaxRows)
                Fail(QStringLiteral("Grid size %1 x %2 out of range").arg(cols).arg(rows));
        }
    }
    while (pos < units) {
        const qsizetype mark = pos;
        const QString line = readLine();
        if (line.startsWith(u"cw")) {
            const QStringView rest = QStringView(line).sliced(std::min<qsizetype>(3, line.size()));
            const qsizetype comma = rest.indexOf(u',');
            if (comma < 0)
                Fail(QStringLiteral("'%1' is not a valid integer value").arg(rest.toString()));
            widths.emplace_back(ParseInt(rest.left(comma)), ParseInt(rest.sliced(comma + 1)));
            continue;
        }
        const qsizetype c1 = line.indexOf(u',');
        const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(u',', c1 + 1);
        if (c2 < 0) {
            stop = mark;
            break;
        }
        const int col = ParseInt(QStringView(line).left(c1));
        const int row = ParseInt(QStringView(line).sliced(c1 + 1, c2 - c1 - 1));
        cells.push_back({col, row, RestoreLineBreaks(line.mid(c2 + 1), FMultilineCells)});
    }

    BeginUpdate();
    if (cols >= 0) {
        SetColCount(int(cols));
        SetRowCount(int(rows));
    }
    for (const auto& [index, width] : widths)
        if (index >= 0 && index < ColCount())
            SetColWidths(index, std::max(0, width));
    for (const CellLine& cell : cells) {
        const qint64 col = qint64(cell.Col) + SaveStartCol();
        const qint64 row = qint64(cell.Row) + SaveStartRow();
        if (col >= 0 && row >= 0 && col < AllColCount() && row < RowCount())
            LoadCell(int(col), int(row), cell.Text);
    }
    EndUpdate();
    if (stop < units && !stream.isSequential())
        stream.seek(start + 2 * stop);
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
}

void TExStringGrid::AssignCells(TExStringGrid& source)
{
    // Cell by cell: texts arrive exactly as the source exports them.
    const int srcCol = source.SaveStartCol();
    const int srcRow = source.SaveStartRow();
    BeginUpdate();
    SetColCount(std::min(kMaxColumns, source.SaveColCount() + SaveStartCol()));
    SetRowCount(std::min(kMaxRows, source.SaveRowCount() + SaveStartRow()));
    for (int i = 0; i < source.ColCount() && i < ColCount(); ++i)
        SetColWidths(i, source.ColWidths(i));
    const int dstCol = SaveStartCol();
    const int dstRow = SaveStartRow();
    for (int r = srcRow; r <= source.SaveEndRow(); ++r)
        for (int c = srcCol; c <= source.SaveEndCol(); ++c) {
            const QString text = Exported(source, source.RealColIndex(c), r);
            if (!text.isEmpty())
                LoadCell(c - srcCol + dstCol, r - srcRow + dstRow, text);
        }
    EndUpdate();
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
}

// ---- ASCII report and fixed widths ----

int ColumnMaxLineLength(TExStringGrid& grid, int col)
{
    int longest = 0;
    for (int r = 0; r < grid.RowCount(); ++r)
        for (const QString& line : CellLines(Exported(grid, col, r), grid.FMultilineCells))
            longest = std::max(longest, int(line.size()));
    return longest;
}

namespace {

QString Layout(QString text, TAlignment align, int width)
{
    if (align == taRightJustify && text.size() < width)
        text = QString(width - text.size(), u' ') + text;
    else if (align == taCenter)
        while (text.size() < width)
            text = u' ' + text + u' ';
    if (text.size() < width + 1)
        text += QString(width + 1 - text.size(), u' ');
    return text;
}

} // namespace

QString ASCIIText(TExStringGrid& grid)
{
    const int firstCol = grid.SaveFixedCells || grid.SaveFixedCols ? 0 : grid.FixedCols();
    const int firstRow = grid.SaveFixedCells || grid.SaveFixedRows ? 0 : grid.FixedRows();
    const std::vector<int> cols = SavedColumns(grid, firstCol, grid.ColCount() - 1);
    std::vector<int> widths;
    widths.reserve(cols.size());
    for (int c : cols)
        widths.push_back(ColumnMaxLineLength(grid, c));
    QString out;
    grid.ExportNotification(0, firstRow);
    for (int r = firstRow; r < grid.RowCount(); ++r) {
        grid.ExportNotification(1, r);
        std::vector<QStringList> lines;
        std::vector<TAlignment> aligns;
        size_t depth = 1;
        for (int c : cols) {
            lines.push_back(CellLines(Exported(grid, c, r), grid.FMultilineCells));
            TAlignment h = taLeftJustify;
            TVAlignment v = vtaTop;
            grid.GetCellTextAlignment(c, r, h, v);
            aligns.push_back(h);
            depth = std::max(depth, size_t(lines.back().size()));
        }
        for (size_t k = 0; k < depth; ++k) {
            QString line;
            for (size_t i = 0; i < cols.size(); ++i)
                line += Layout(k < size_t(lines[i].size()) ? lines[i][k] : QString(), aligns[i], widths[i]);
            out += line + kCRLF;
        }
    }
    grid.ExportNotification(2, -1);
    return out;
}

void SaveToASCII(TExStringGrid& grid, const QString& fileName, bool unicode)
{
    WriteFile(fileName, Encode(ASCIIText(grid), unicode));
}

void AppendToASCII(TExStringGrid& grid, const QString& fileName, bool unicode)
{
    QString before;
    if (QFile::exists(fileName)) {
        before = DecodeText(ReadFile(fileName));
        if (!before.isEmpty() && !before.endsWith(u'\n') && !before.endsWith(u'\r'))
            before += kCRLF;
    }
    WriteFile(fileName, Encode(before + ASCIIText(grid), unicode));
}

void SaveToFixed(TExStringGrid& grid, const QString& fileName, TIntList& widths)
{
    const std::vector<int> cols = SavedColumns(grid, grid.SaveStartCol(), grid.SaveEndCol());
    for (size_t k = size_t(widths.Count()); k < cols.size(); ++k)
        widths.Add(ColumnMaxLineLength(grid, cols[k]) + 1);
    QString out;
    for (int r = grid.SaveStartRow(); r <= grid.SaveEndRow(); ++r) {
        for (size_t k = 0; k < cols.size(); ++k) {
            const int w = std::max(0, widths.GetInteger(int(k)));
            // One line per row: a multi-line text gives its first line.
            QString text = CellLines(Exported(grid, cols[k], r), false).front().left(w);
            text += QString(w - text.size(), u' ');
            out += text;
        }
        out += kCRLF;
    }
    QString error;
    if (!WriteFileAtomically(fileName, StringToCp1252(out), &error))
        Fail(QStringLiteral("Cannot Create file ") + fileName);
}

void LoadFromFixed(TExStringGrid& grid, const QString& fileName, TIntList& positions, bool doTrim, int maxRows)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("File ") + fileName + QStringLiteral(" not found"));
    const QString text = DecodeText(file.readAll());
    std::vector<int> sorted = positions.Items();
    std::sort(sorted.begin(), sorted.end());
    positions.Clear();
    for (int p : sorted)
        positions.Add(p);
    const int fields = std::max(0, int(sorted.size()) - 1);
    grid.BeginUpdate();
    grid.SetColCount(std::min(kMaxColumns, std::max(1, grid.FixedCols() + fields)));
    const std::vector<QStringView> lines = Lines(text);
    int row = grid.SaveStartRow();
    int counter = 1;
    for (size_t i = 0; i < lines.size(); ++i) {
        for (int k = 1; k <= fields; ++k) {
            const int from = std::max(1, sorted[k - 1]) - 1;
            const int length = std::max(0, sorted[k] - std::max(1, sorted[k - 1]));
            QString field = from < lines[i].size() ? lines[i].mid(from, length).toString() : QString();
            if (doTrim)
                field = field.trimmed();
            grid.LoadCell(grid.SaveStartCol() + k - 1, row, field);
        }
        ++counter;
        if (maxRows != -1 && counter > maxRows)
            break;
        if (row + 1 >= grid.RowCount() && i + 1 < lines.size())
            grid.SetRowCount(std::min(kMaxRows, row + 2));
        ++row;
    }
    grid.EndUpdate();
    grid.CellsChanged(TGridRect{0, 0, grid.ColCount(), grid.RowCount()});
}

// ---- Numbers ----

double CellToReal(TExStringGrid& grid, int col, int row)
{
    const QString text = grid.Cells(col, row);
    if (text.isEmpty())
        return 0;
    const platform::FormatSettings& fs = platform::FormatSettings::Current();
    bool negative = text.startsWith(u'(') && text.endsWith(u')');
    QStringView s = text;
    auto keeps = [&fs](QChar c) {
        return c.isDigit() || c == fs.ThousandSeparator || c == fs.DecimalSeparator || c == u'e' || c == u'E';
    };
    while (s.size() >= 2 && !keeps(s[0])) {
        if (s[0] == u'-')
            negative = true;
        s = s.sliced(1);
    }
    QString n;
    for (QChar c : s) {
        if (c == fs.ThousandSeparator)
            continue;
        if (c == fs.DecimalSeparator)
            n += u'.';
        else if (c.isDigit() || c == u'-' || c == u'.' || c == u'e' || c == u'E' || c == u'+')
            n += c;
        else
            break;
    }
    if (negative)
        n.prepend(u'-');
    // Sign, digits, fraction, exponent; the first character that breaks the
    // form is the error position.
    qsizetype i = 0;
    if (i < n.size() && (n[i] == u'-' || n[i] == u'+'))
        ++i;
    qsizetype digits = 0;
    while (i < n.size() && n[i].isDigit())
        ++i, ++digits;
    if (i < n.size() && n[i] == u'.') {
        ++i;
        while (i < n.size() && n[i].isDigit())
            ++i, ++digits;
    }
    auto fail = [&](qsizetype at) {
        Fail(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(at + 1).arg(col).arg(row));
    };
    if (digits > 0 && i < n.size() && (n[i] == u'e' || n[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n.size() && (n[j] == u'-' || n[j] == u'+'))
            ++j;
        const qsizetype expStart = j;
        while (j < n.size() && n[j].isDigit())
            ++j;
        if (j == expStart)
            fail(j);
        i = j;
    }
    if (digits == 0 || i < n.size())
        fail(i);
    return n.toDouble();
}

} // namespace grid
