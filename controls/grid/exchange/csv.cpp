#include "controls/grid/exchange/csv.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/text_routines.h"
#include "platform/text/cp1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace grid {

namespace {

constexpr QChar kVT = QChar(11);
constexpr char16_t kCandidates[] = {u',', u';', u'#', u'\t', u'|', u'@', u'*', u'-', u'+', u'&'};

int PlainCount(QStringView line, QChar c)
{
    return int(line.count(c));
}

// Runs of c of odd length.
int IsolatedCount(QStringView line, QChar c)
{
    int count = 0;
    for (qsizetype i = 0; i < line.size();) {
        if (line[i] != c) {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < line.size() && line[j] == c)
            ++j;
        if ((j - i) % 2 == 1)
            ++count;
        i = j;
    }
    return count;
}

} // namespace

void AppendCsvField(QString& out, QStringView text, const CsvFormat& format)
{
    const QChar d = format.Delimiter;
    bool hasQuote = false;
    bool hasDelimiter = false;
    bool hasBreak = false;
    for (QChar c : text) {
        hasQuote = hasQuote || c == u'"';
        hasDelimiter = hasDelimiter || c == d;
        hasBreak = hasBreak || c == u'\r' || c == u'\n';
    }
    bool quoted = format.AlwaysQuotes || (!hasDelimiter && hasQuote) || text.startsWith(u' ');
    if (text.isEmpty() && !quoted) {
        if (format.JavaCSV)
            out += u'^';
        else if (format.QuoteEmptyCells)
            out += QLatin1String("\"\"");
        return;
    }
    if ((hasDelimiter || hasBreak) && !format.JavaCSV)
        quoted = true;
    if (quoted)
        out += u'"';
    if (!hasQuote && !hasBreak) {
        out += text;
    } else {
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = text[i];
            if (c == u'"') {
                out += QLatin1String("\"\"");
            } else if (format.JavaCSV && (c == u'\r' || c == u'\n')) {
                if (c == u'\r')
                    out += u'~';
            } else if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
                out += kVT; // CR LF stands as VT
                ++i;
            } else {
                out += c;
            }
        }
    }
    if (quoted)
        out += u'"';
}

QString CsvField(const QString& text, const CsvFormat& format)
{
    QString out;
    AppendCsvField(out, text, format);
    return out;
}

QChar DetectCsvDelimiter(QStringView line1, QStringView line2)
{
    using Count = int (*)(QStringView, QChar);
    for (Count count : {Count(IsolatedCount), Count(PlainCount)}) {
        int best = 0;
        QChar winner;
        for (char16_t c : kCandidates) {
            const int a = count(line1, c);
            if (a == count(line2, c) && a > best) {
                best = a;
                winner = c;
            }
        }
        if (!winner.isNull())
            return winner;
    }
    int best = 0;
    QChar winner;
    for (char16_t c : kCandidates) {
        const int score = std::max(PlainCount(line1, c), PlainCount(line2, c));
        if (score > best) {
            best = score;
            winner = c;
        }
    }
    return winner;
}

namespace {

template <typename Ch>
qsizetype LineEndIn(const Ch* data, qsizetype n, qsizetype from)
{
    while (from < n && data[from] != Ch('\r') && data[from] != Ch('\n'))
        ++from;
    return from;
}

template <typename Ch>
qsizetype SkipBreakIn(const Ch* data, qsizetype n, qsizetype at)
{
    if (at < n && data[at] == Ch('\r'))
        ++at;
    else if (at < n && data[at] == Ch('\n'))
        return at + 1;
    if (at < n && data[at] == Ch('\n') && at > 0 && data[at - 1] == Ch('\r'))
        ++at;
    return at;
}

// One row of data[pos, n): onField(begin, length, quoted) for each field, the
// raw characters between the quotes of a quoted one. Returns where the next
// row starts. A null delimiter makes the line one field.
template <typename Ch, typename Emit>
qsizetype ScanRow(const Ch* data, qsizetype n, qsizetype pos, char16_t delimiter, qsizetype& noOddRunFrom, Emit&& onField)
{
    const bool split = delimiter != 0;
    const Ch d = Ch(delimiter);
    qsizetype p = pos;
    auto indexOfDelimiter = [&](qsizetype from, qsizetype to) -> qsizetype {
        if (!split)
            return -1;
        for (qsizetype i = from; i < to; ++i)
            if (data[i] == d)
                return i;
        return -1;
    };
    for (;;) {
        const qsizetype eol = LineEndIn(data, n, p);
        qsizetype q = p;
        while (q < eol && data[q] == Ch(' '))
            ++q;
        if (q < eol && data[q] == Ch('"')) {
            // The closing quote ends the first run of quotes of odd length; a
            // run at the very end of the text ends it whatever its length.
            qsizetype closing = -1;
            qsizetype r = q + 1;
            if (r >= noOddRunFrom && noOddRunFrom >= 0) {
                // Every full run from here on is even: only the run we start in
                // can close.
                qsizetype e = r;
                while (e < n && data[e] == Ch('"'))
                    ++e;
                if (e > r && ((e - r) % 2 == 1 || e >= n))
                    closing = e - 1;
            } else {
                while (r < n) {
                    if (data[r] != Ch('"')) {
                        ++r;
                        continue;
                    }
                    const qsizetype start = r;
                    while (r < n && data[r] == Ch('"'))
                        ++r;
                    if ((r - start) % 2 == 1 || r >= n) {
                        closing = r - 1;
                        break;
                    }
                }
                if (closing < 0)
                    noOddRunFrom = q + 1;
            }
            if (closing < 0) {
                // Never closed: the rest of the line is the field.
                onField(data + q + 1, eol - q - 1, true);
                return SkipBreakIn(data, n, eol);
            }
            onField(data + q + 1, closing - q - 1, true);
            const qsizetype lineEnd = LineEndIn(data, n, closing + 1);
            const qsizetype at = indexOfDelimiter(closing + 1, lineEnd);
            if (at < 0 || at + 1 == lineEnd)
                return SkipBreakIn(data, n, lineEnd);
            p = at + 1;
            continue;
        }
        const qsizetype at = indexOfDelimiter(q, eol);
        if (at >= 0) {
            onField(data + q, at - q, false);
            p = at + 1;
            if (p == eol)
                return SkipBreakIn(data, n, eol);
            continue;
        }
        if (p < eol)
            onField(data + q, eol - q, false);
        return SkipBreakIn(data, n, eol);
    }
}

// A field's text once decoded: doubled quotes of a quoted field collapse, VT
// (JavaCSV: "~") stands for CR LF and JavaCSV's "^" is an empty field.
void FinishField(QString& field, bool quoted, bool java)
{
    if (quoted && field.contains(u'"'))
        field.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    if (java) {
        if (field.size() == 1 && field[0] == u'^')
            field = QString();
        else if (field.contains(u'~'))
            field.replace(u'~', QStringLiteral("\r\n"));
    } else if (field.contains(kVT)) {
        field.replace(kVT, QStringLiteral("\r\n"));
    }
}

QString FieldFromChars(const QChar* p, qsizetype len, bool quoted, bool java)
{
    QString field(p, len);
    FinishField(field, quoted, java);
    return field;
}

// Bytes of a Windows-1252 or UTF-8 file: every character the parser looks at
// is ASCII and stands as one byte in both, so fields are found on the bytes
// and only their text is decoded.
struct ByteFields
{
    bool Utf8 = false;
    bool Java = false;

    QString Decode(const char* p, qsizetype len) const
    {
        if (Utf8) {
            // A mark inside the text is a character.
            if (len >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) {
                QStringDecoder keep(QStringConverter::Utf8,
                                    QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
                return keep(QByteArrayView(p, len));
            }
            return QString::fromUtf8(p, len);
        }
        qsizetype i = 0;
        while (i < len && static_cast<unsigned char>(p[i]) < 0x80)
            ++i;
        return i == len ? QString::fromLatin1(p, len) : Cp1252ToString(QByteArray::fromRawData(p, len));
    }

    QString operator()(const char* p, qsizetype len, bool quoted) const
    {
        QString field = Decode(p, len);
        FinishField(field, quoted, Java);
        return field;
    }
};

} // namespace

CsvReader::CsvReader(QStringView text, QChar delimiter, bool javaCSV)
    : text_(text), delimiter_(delimiter), java_(javaCSV)
{
}

QStringList CsvReader::NextRow()
{
    QStringList fields;
    pos_ = ScanRow(text_.data(), text_.size(), pos_, delimiter_.unicode(), noOddRunFrom_,
                   [&](const QChar* p, qsizetype len, bool quoted) { fields << FieldFromChars(p, len, quoted, java_); });
    return fields;
}

void CsvReader::SkipRow()
{
    pos_ = ScanRow(text_.data(), text_.size(), pos_, delimiter_.unicode(), noOddRunFrom_,
                   [](const QChar*, qsizetype, bool) {});
}

QString DecodeCsvBytes(const QByteArray& bytes, bool oem)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                            : QStringConverter::Utf16BE);
        text = decoder(bytes.mid(2));
    } else {
        if (oem)
            text = QString::fromLatin1(bytes);
        else
            return Cp1252ToString(bytes);
    }
    if (oem)
        OemToText(text);
    return text;
}

namespace {

// The rows of the exported range one at a time: out.Field(value, format,
// first) for each cell, out.EndLine() after each row.
template <typename Out>
void WriteCsvRows(TExStringGrid& grid, Out& out)
{
    CsvFormat format;
    format.Delimiter = grid.Delimiter.isNull() ? QChar(u',') : grid.Delimiter;
    format.AlwaysQuotes = grid.AlwaysQuotes;
    format.QuoteEmptyCells = grid.QuoteEmptyCells;
    format.JavaCSV = grid.JavaCSV;
    const int firstCol = grid.SaveStartCol();
    const int lastCol = grid.SaveEndCol() + (grid.SaveHiddenCells ? grid.NumHiddenColumns() : 0);
    const int firstRow = grid.SaveStartRow();
    const int lastRow = grid.SaveEndRow();
    // The stored columns of the range, mapped once.
    std::vector<int> cols;
    for (int c = firstCol; c <= lastCol; ++c)
        cols.push_back(grid.SaveHiddenCells ? c : grid.RealColIndex(c));
    grid.ExportNotification(0, firstRow);
    int lastProgress = -1;
    QString value;
    for (int r = firstRow; r <= lastRow; ++r) {
        grid.ExportNotification(1, r);
        for (size_t i = 0; i < cols.size(); ++i) {
            // Not resized: the last value shares the cell's text.
            value.clear();
            grid.SaveCell(cols[i], r, value);
            if (grid.OemConvert)
                TextToOem(value);
            out.Field(value, format, i == 0);
        }
        out.EndLine();
        if (grid.OnFileProgress) {
            const int progress = qRound(double(r) / std::max(1, grid.RowCount() - 1) * 100);
            if (progress != lastProgress) {
                lastProgress = progress;
                grid.OnFileProgress(&grid, qint16(progress));
            }
        }
    }
    grid.ExportNotification(2, -1);
}

// The rows as one text.
struct CsvTextOut
{
    QString Text;

    void Field(const QString& value, const CsvFormat& format, bool first)
    {
        if (!first)
            Text += format.Delimiter;
        AppendCsvField(Text, value, format);
    }
    void EndLine() { Text += QLatin1String("\r\n"); }
};

// True when the field is written as it stands: not empty, no leading blank,
// nothing that quotes or escapes it.
bool PlainCsvField(QStringView text, const CsvFormat& format)
{
    if (format.AlwaysQuotes || text.isEmpty() || text.front() == u' ')
        return false;
    const char16_t d = format.Delimiter.unicode();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == d || u == u'\r' || u == u'\n')
            return false;
    }
    return true;
}

// Text in the file's encoding (UTF-8, OEM bytes already one byte a character,
// or Windows-1252) written into room ahead of the used end, so a line costs
// no resize.
class EncodedBytes
{
public:
    EncodedBytes(bool unicode, bool oem) : unicode_(unicode), oem_(oem) {}

    qsizetype Used() const { return used_; }
    // Room for n more bytes.
    void Reserve(qsizetype n)
    {
        if (used_ + n > bytes_.size())
            bytes_.resize(used_ + n);
    }

    void Append(QStringView text)
    {
        if (unicode_) {
            Put(text.toUtf8());
            return;
        }
        char* p = Room(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c < 0x80) {
                p[i] = char(c);
                continue;
            }
            // Past plain ASCII the rest goes through the code page's encoder.
            used_ -= text.size() - i;
            const QString rest = text.sliced(i).toString();
            Put(oem_ ? rest.toLatin1() : StringToCp1252(rest));
            return;
        }
    }

    QByteArrayView View() const { return QByteArrayView(bytes_.constData(), used_); }
    // Empties the buffer and keeps its room.
    void Clear() { used_ = 0; }

private:
    char* Room(qsizetype n)
    {
        if (used_ + n > bytes_.size())
            bytes_.resize(std::max(used_ + n, 2 * bytes_.size() + 4096));
        char* p = bytes_.data() + used_;
        used_ += n;
        return p;
    }
    void Put(const QByteArray& b)
    {
        if (!b.isEmpty())
            std::memcpy(Room(b.size()), b.constData(), size_t(b.size()));
    }

    QByteArray bytes_;
    qsizetype used_ = 0;
    bool unicode_;
    bool oem_;
};

// The rows encoded straight into a buffer that goes to the file whenever it
// holds a block, so the same memory serves the whole file; a plain field goes
// in as it stands, without a line text between.
class CsvFileOut
{
public:
    CsvFileOut(QSaveFile& file, bool unicode, bool oem) : file_(file), bytes_(unicode, oem)
    {
        bytes_.Reserve(2 * kBlock);
    }

    EncodedBytes& Bytes() { return bytes_; }

    void Field(const QString& value, const CsvFormat& format, bool first)
    {
        if (!first)
            bytes_.Append(QStringView(&format.Delimiter, 1));
        if (PlainCsvField(value, format)) {
            bytes_.Append(value);
            return;
        }
        field_.resize(0);
        AppendCsvField(field_, value, format);
        bytes_.Append(field_);
    }

    void EndLine()
    {
        bytes_.Append(QStringView(u"\r\n"));
        if (bytes_.Used() >= kBlock)
            Flush();
    }

    void Flush()
    {
        const QByteArrayView block = bytes_.View();
        if (!block.isEmpty() && file_.write(block.data(), block.size()) != block.size())
            throw GridError(QStringLiteral("Cannot write the file %1: %2").arg(file_.fileName(), file_.errorString()));
        bytes_.Clear();
    }

private:
    static constexpr qsizetype kBlock = 64 * 1024;
    QSaveFile& file_;
    EncodedBytes bytes_;
    QString field_;
};

// Written to a temporary file beside the target that replaces it only once
// whole and flushed; a failure leaves the old file as it was.
void WriteCsv(TExStringGrid& grid, const QString& fileName, bool unicode, const QString& before)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw GridError(QStringLiteral("Cannot create the file %1: %2").arg(fileName, file.errorString()));
    CsvFileOut out(file, unicode, grid.OemConvert);
    if (unicode)
        out.Bytes().Append(QStringView(u"\uFEFF"));
    out.Bytes().Append(before);
    WriteCsvRows(grid, out);
    out.Flush();
    if (!file.commit())
        throw GridError(QStringLiteral("Cannot replace the file %1: %2").arg(fileName, file.errorString()));
}

} // namespace

QString SaveToCSVText(TExStringGrid& grid)
{
    CsvTextOut out;
    WriteCsvRows(grid, out);
    return out.Text;
}

namespace {

QByteArray ReadFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw GridError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return file.readAll();
}

} // namespace

void SaveToCSV(TExStringGrid& grid, const QString& fileName, bool unicode)
{
    WriteCsv(grid, fileName, unicode, QString());
}

void AppendToCSV(TExStringGrid& grid, const QString& fileName, bool unicode)
{
    QString before = DecodeCsvBytes(ReadFile(fileName), grid.OemConvert);
    if (!before.isEmpty() && !before.endsWith(u'\n') && !before.endsWith(u'\r'))
        before += QStringLiteral("\r\n");
    WriteCsv(grid, fileName, unicode, before);
}

namespace {

// The first two lines of data as they stand, decoded by line(begin, length).
template <typename Ch, typename Line>
QChar DetectIn(const Ch* data, qsizetype n, Line&& line)
{
    const qsizetype e1 = LineEndIn(data, n, 0);
    qsizetype next = e1;
    if (next < n && data[next] == Ch('\r'))
        ++next;
    if (next < n && data[next] == Ch('\n'))
        ++next;
    const QString l1 = line(data, e1);
    const QString l2 = next < n ? line(data + next, LineEndIn(data, n, next) - next) : QString();
    return DetectCsvDelimiter(l1, l2);
}

// The rows of data[0, n) into the grid; field(begin, length, quoted) makes a
// field's text.
template <typename Ch, typename Field>
void LoadRows(TExStringGrid& grid, const Ch* data, qsizetype n, QChar delimiter, Field&& field, int maxRows,
              bool insert)
{
    const int footers = grid.FixedFooters();
    int row = grid.SaveStartRow();
    const int firstCol = grid.SaveStartCol();
    QStringList footer;
    const bool floatingFooter = insert && grid.FloatingFooter.Visible && grid.RowCount() > 0;
    if (insert) {
        row = grid.RowCount();
        if (floatingFooter) {
            row = grid.RowCount() - 1;
            for (int c = 0; c < grid.AllColCount(); ++c) {
                footer << grid.GridCells(c, row);
                grid.SetGridCells(c, row, QString());
            }
        }
    }

    const int hidden = grid.SaveHiddenCells ? grid.NumHiddenColumns() : 0;
    const char16_t d = delimiter.unicode();
    qsizetype pos = 0;
    qsizetype noOddRunFrom = -1;
    auto skip = [](const Ch*, qsizetype, bool) {};
    int dataLines = 0;
    if (grid.OnFileProgress) {
        qsizetype at = 0;
        qsizetype lineOdd = -1;
        int lines = 0;
        while (at < n) {
            at = ScanRow(data, n, at, 0, lineOdd, skip);
            ++lines;
        }
        dataLines = grid.LoadFirstRow ? lines : lines - 1;
        if (insert)
            grid.SetRowCount(grid.RowCount() + lines);
        else
            grid.SetRowCount(std::min(kMaxRows, grid.SaveStartRow() + lines + footers));
    }
    if (!grid.LoadFirstRow && pos < n)
        pos = ScanRow(data, n, pos, d, noOddRunFrom, skip);

    int done = 0;
    int lastProgress = -1;
    grid.BeginUpdate();
    while (pos < n && (maxRows <= 0 || done < maxRows)) {
        if (row >= kMaxRows - footers - 1)
            break;
        if (row >= grid.RowCount() - footers)
            grid.SetRowCount(std::min(kMaxRows, row + 1000));
        // Each field goes to its cell as it is found.
        int col = firstCol;
        pos = ScanRow(data, n, pos, d, noOddRunFrom, [&](const Ch* p, qsizetype len, bool quoted) {
            if (col >= kMaxColumns)
                return;
            grid.LoadCell(col, row, field(p, len, quoted));
            if (col + 1 >= grid.ColCount() + hidden)
                grid.SetColCount(col + 1 - hidden);
            ++col;
        });
        ++row;
        ++done;
        if (grid.OnFileProgress && dataLines > 0) {
            const int progress = qRound(double(done) / dataLines * 100);
            if (progress != lastProgress) {
                lastProgress = progress;
                grid.OnFileProgress(&grid, qint16(progress));
            }
        }
    }
    // The footer texts get a row of their own after the data.
    grid.SetRowCount(row + std::max(footers, floatingFooter ? 1 : 0));
    if (floatingFooter)
        for (int c = 0; c < footer.size(); ++c)
            grid.SetGridCells(c, grid.RowCount() - 1, footer[c]);
    grid.EndUpdate();
    grid.CellsChanged(TGridRect{0, 0, grid.ColCount(), grid.RowCount()});
}

} // namespace

void LoadFromCSVText(TExStringGrid& grid, const QString& text, int maxRows, bool insert)
{
    if (text.isEmpty())
        throw GridError(QStringLiteral("File is empty"));
    const QChar* data = text.constData();
    QChar delimiter = grid.Delimiter;
    if (delimiter.isNull())
        delimiter = DetectIn(data, text.size(), [](const QChar* p, qsizetype len) { return QString(p, len); });
    const bool java = grid.JavaCSV;
    LoadRows(grid, data, text.size(), delimiter,
             [java](const QChar* p, qsizetype len, bool quoted) { return FieldFromChars(p, len, quoted, java); },
             maxRows, insert);
}

void LoadFromCSVBytes(TExStringGrid& grid, const QByteArray& bytes, int maxRows, bool insert)
{
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    QChar delimiter = grid.Delimiter;
    // Text the bytes cannot be split on: decoded whole first.
    if (utf16 || grid.OemConvert || delimiter.unicode() >= 0x80) {
        LoadFromCSVText(grid, DecodeCsvBytes(bytes, grid.OemConvert), maxRows, insert);
        return;
    }
    // Decoding the whole text drops a second mark right after the first too.
    const qsizetype skip = !utf8 ? 0 : bytes.startsWith("\xEF\xBB\xBF\xEF\xBB\xBF") ? 6 : 3;
    const char* data = bytes.constData() + skip;
    const qsizetype n = bytes.size() - skip;
    if (n <= 0)
        throw GridError(QStringLiteral("File is empty"));
    const ByteFields field{utf8, grid.JavaCSV};
    if (delimiter.isNull())
        delimiter = DetectIn(data, n, [&field](const char* p, qsizetype len) { return field.Decode(p, len); });
    LoadRows(grid, data, n, delimiter, field, maxRows, insert);
}

void LoadFromCSVStream(TExStringGrid& grid, QIODevice& stream, int maxRows)
{
    LoadFromCSVBytes(grid, stream.readAll(), maxRows, false);
}

namespace {

void LoadFile(TExStringGrid& grid, const QString& fileName, int maxRows, bool insert)
{
    const QByteArray bytes = ReadFile(fileName);
    if (bytes.isEmpty())
        return;
    LoadFromCSVBytes(grid, bytes, maxRows, insert);
}

} // namespace

void LoadFromCSV(TExStringGrid& grid, const QString& fileName, int maxRows)
{
    LoadFile(grid, fileName, maxRows, false);
}

void InsertFromCSV(TExStringGrid& grid, const QString& fileName, int maxRows)
{
    LoadFile(grid, fileName, maxRows, true);
}

} // namespace grid
