#pragma once
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QStringView>

// Delimited text: fields written and read by the grid's CSV options, the
// delimiter found from the first two lines, files and streams.
namespace grid {

class TExStringGrid;

struct CsvFormat
{
    QChar Delimiter = u',';
    bool AlwaysQuotes = false;
    bool QuoteEmptyCells = true;
    bool JavaCSV = false;
};

// One written field. Line breaks: CR LF becomes VT (11), and a field holding
// the delimiter, a quote, a line break or a leading space is quoted, so every
// text but one holding VT reads back the same (JavaCSV carries less).
QString CsvField(const QString& text, const CsvFormat& format);
// The same field appended to out in one pass.
void AppendCsvField(QString& out, QStringView text, const CsvFormat& format);

// The delimiter of two sample lines; a null character when none is found.
QChar DetectCsvDelimiter(QStringView line1, QStringView line2);

// Reads rows from a whole text in one pass. A quoted field runs over line
// breaks; a quote never closed keeps the rest of its line.
class CsvReader
{
public:
    CsvReader(QStringView text, QChar delimiter, bool javaCSV);
    bool AtEnd() const { return pos_ >= text_.size(); }
    // The fields of the next row (a null delimiter: the line is one field).
    // A line ending in the delimiter has no field after it.
    QStringList NextRow();
    // Skips a row without making its fields.
    void SkipRow();

private:
    QStringView text_;
    QChar delimiter_;
    bool java_;
    qsizetype pos_ = 0;
    // From here on every full run of quotes is even (no quote closes).
    qsizetype noOddRunFrom_ = -1;
};

// The text of a file or stream: a byte-order mark names the encoding, else
// Windows-1252 (OEM bytes with oem).
QString DecodeCsvBytes(const QByteArray& bytes, bool oem);

// The exported range as lines (CR LF after each).
QString SaveToCSVText(TExStringGrid& grid);
void SaveToCSV(TExStringGrid& grid, const QString& fileName, bool unicode = false);
// The file must exist; its lines stay and the grid's follow.
void AppendToCSV(TExStringGrid& grid, const QString& fileName, bool unicode = false);

// maxRows <= 0 reads all lines. An empty file changes nothing; a stream with
// no line fails with "File is empty".
void LoadFromCSV(TExStringGrid& grid, const QString& fileName, int maxRows = 0);
void InsertFromCSV(TExStringGrid& grid, const QString& fileName, int maxRows = 0);
void LoadFromCSVStream(TExStringGrid& grid, QIODevice& stream, int maxRows = 0);
void LoadFromCSVText(TExStringGrid& grid, const QString& text, int maxRows, bool insert);
// The bytes of a file or stream as DecodeCsvBytes reads them, into the same
// cells as LoadFromCSVText of their text; fields of Windows-1252 and UTF-8
// bytes are found without decoding the whole text.
void LoadFromCSVBytes(TExStringGrid& grid, const QByteArray& bytes, int maxRows, bool insert);

} // namespace grid
