// Grid text file and stream, cell copies between grids, the ASCII report,
// fixed-width files and the numeric reading of a cell.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/text_routines.h"
#include "controls/grid/exchange/text_formats.h"
#include "platform/text/format_settings.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace grid;

namespace {

void Grid(TExStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Utf16(const QString& s)
{
    QByteArray out;
    for (QChar c : s)
        out.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return out;
}

} // namespace

TEST(TextFormats, LineBreakHiding)
{
    const QString t = QStringLiteral("\t");
    struct Case
    {
        QString text;
        QString hidden;
        QString restored;
        QString restoredMulti;
    };
    const Case cases[] = {
        {"A\r\nB", "A\t\bB", "A", "A\r\nB"},
        {"a\tb", "a\tb", "a\tb", "a\tb"},
        {"x\ty\r\nz", "x\ty\t\bz", "x", "x\ry\r\nz"},
        {QStringLiteral("n") + QChar(0) + "\r\n", QStringLiteral("n") + QChar(1) + "\t\b", QStringLiteral("n") + QChar(0),
         QStringLiteral("n") + QChar(0) + "\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HideLineBreaks(c.text), c.hidden);
        EXPECT_EQ(RestoreLineBreaks(c.hidden, false), c.restored);
        EXPECT_EQ(RestoreLineBreaks(c.hidden, true), c.restoredMulti);
    }
}

TEST(TextFormats, GridTextFile)
{
    QTemporaryDir dir;
    TExStringGrid a;
    Grid(a, 3, 2);
    a.SetColWidths(1, 77);
    a.SetCells(0, 0, QStringLiteral("A\r\nB"));
    a.SetCells(2, 1, QString::fromUtf8("\xc3\xa9\xe2\x82\xac"));
    const QString file = dir.filePath(QStringLiteral("g.txt"));
    SaveToFile(a, file);
    const QByteArray bytes = ReadAll(file);
    EXPECT_TRUE(bytes.startsWith("3,2\r\ncw 0,64\r\ncw 1,77\r\ncw 2,64\r\n0,0,A\t\bB\r\n2,1,\xe9\x80\r\n"))
        << bytes.toStdString();

    for (bool multi : {false, true}) {
        TExStringGrid b;
        Grid(b, 1, 1);
        b.FMultilineCells = multi;
        LoadFromFile(b, file);
        EXPECT_EQ(b.ColCount(), 3);
        EXPECT_EQ(b.RowCount(), 2);
        EXPECT_EQ(b.ColWidths(1), 77);
        EXPECT_EQ(b.Cells(0, 0), multi ? QStringLiteral("A\r\nB") : QStringLiteral("A"));
        EXPECT_EQ(b.Cells(2, 1), a.Cells(2, 1));
    }

    SaveToFile(a, file, true);
    EXPECT_TRUE(ReadAll(file).startsWith("\xFF\xFE" + Utf16(QStringLiteral("3,2\r\n"))));
    TExStringGrid u;
    Grid(u, 1, 1);
    LoadFromFile(u, file);
    EXPECT_EQ(u.Cells(2, 1), a.Cells(2, 1));

    Write(file, "0,5\r\n0,0,x\r\n");
    try {
        LoadFromFile(u, file);
        ADD_FAILURE() << "loaded";
    } catch (const GridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("File contains no data or corrupt file ") + file);
    }
    EXPECT_THROW(LoadFromFile(u, dir.filePath(QStringLiteral("none"))), GridError);
}

TEST(TextFormats, GridTextStreamAndCopies)
{
    TExStringGrid a;
    a.SetColCount(3);
    a.SetRowCount(3);
    a.SetFixedCols(1);
    a.SetFixedRows(1);
    a.SaveFixedCells = false;
    a.SetCells(1, 1, QStringLiteral("one"));
    a.SetCells(2, 2, QStringLiteral("two"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    a.SaveToStream(buffer);
    EXPECT_TRUE(buffer.data().startsWith(Utf16(QStringLiteral("2,2\r\ncw 0,64\r\n"))));
    EXPECT_TRUE(buffer.data().contains(Utf16(QStringLiteral("\r\n0,0,one\r\n1,1,two\r\n"))));
    buffer.write(Utf16(QStringLiteral("other data\r\n")));

    TExStringGrid b;
    b.SetColCount(9);
    b.SetRowCount(9);
    b.SetFixedCols(1);
    b.SetFixedRows(2);
    b.SaveFixedCells = false;
    buffer.seek(0);
    b.LoadFromStream(buffer);
    EXPECT_EQ(b.ColCount(), 3);
    EXPECT_EQ(b.RowCount(), 4);
    EXPECT_EQ(b.Cells(1, 2), QStringLiteral("one"));
    EXPECT_EQ(b.Cells(2, 3), QStringLiteral("two"));
    // The stream stops at the other data and is left at its start.
    EXPECT_EQ(buffer.read(Utf16(QStringLiteral("other")).size()), Utf16(QStringLiteral("other")));

    // A bad number changes nothing.
    QBuffer bad;
    bad.setData(Utf16(QStringLiteral("2,2\r\n0,0,x\r\n0,z,y\r\n")));
    bad.open(QIODevice::ReadOnly);
    EXPECT_THROW(b.LoadFromStream(bad), GridError);
    EXPECT_EQ(b.ColCount(), 3);
    EXPECT_EQ(b.Cells(1, 2), QStringLiteral("one"));

    // A copy takes texts exactly, also a tab beside a line break.
    TExStringGrid src;
    Grid(src, 2, 2);
    src.SetCells(1, 1, QStringLiteral("x\ty\r\nz"));
    TExStringGrid dst;
    Grid(dst, 5, 5);
    dst.AssignCells(src);
    EXPECT_EQ(dst.ColCount(), 2);
    EXPECT_EQ(dst.RowCount(), 2);
    EXPECT_EQ(dst.Cells(1, 1), QStringLiteral("x\ty\r\nz"));
}

TEST(TextFormats, AsciiReportAndFixedWidths)
{
    QTemporaryDir dir;
    TExStringGrid g;
    Grid(g, 3, 2);
    g.SetCells(0, 0, QStringLiteral("7"));
    g.SetCells(0, 1, QStringLiteral("123"));
    g.SetAlignments(0, 0, taRightJustify);
    g.SetAlignments(0, 1, taRightJustify);
    g.SetCells(1, 0, QStringLiteral("ab"));
    g.SetAlignments(1, 1, taCenter);
    g.SetCells(1, 1, QStringLiteral("c"));
    g.SetCells(2, 0, QStringLiteral("l1\r\nline2"));
    EXPECT_EQ(ColumnMaxLineLength(g, 2), 2);
    g.FMultilineCells = true;
    EXPECT_EQ(ColumnMaxLineLength(g, 2), 5);
    EXPECT_EQ(ASCIIText(g), QStringLiteral("  7 ab l1    \r\n"
                                           "       line2 \r\n"
                                           "123  c       \r\n"));

    // No 8-bit limit on widths.
    TExStringGrid wide;
    Grid(wide, 1, 1);
    wide.SetCells(0, 0, QString(300, u'w'));
    EXPECT_EQ(ColumnMaxLineLength(wide, 0), 300);

    const QString file = dir.filePath(QStringLiteral("a.txt"));
    SaveToASCII(g, file);
    AppendToASCII(g, file);
    EXPECT_EQ(ReadAll(file).count("123  c"), 2);

    TIntList widths;
    widths.Add(2);
    g.FMultilineCells = false;
    SaveToFixed(g, file, widths);
    EXPECT_EQ(widths.StrValue(), QStringLiteral("2,3,3"));
    EXPECT_EQ(ReadAll(file), QByteArray("7 ab l1 \r\n12c     \r\n"));

    Write(file, "first     second    third\r\nabc       def       ghi\r\nnot read\r\n");
    TExStringGrid f;
    Grid(f, 1, 1);
    TIntList positions;
    for (int p : {21, 1, 11})
        positions.Add(p);
    LoadFromFixed(f, file, positions, true, 2);
    EXPECT_EQ(positions.StrValue(), QStringLiteral("1,11,21"));
    EXPECT_EQ(f.ColCount(), 2);
    EXPECT_EQ(f.RowCount(), 2);
    EXPECT_EQ(f.Cells(0, 0), QStringLiteral("first"));
    EXPECT_EQ(f.Cells(1, 1), QStringLiteral("def"));
    try {
        LoadFromFixed(f, dir.filePath(QStringLiteral("none")), positions, true);
        ADD_FAILURE();
    } catch (const GridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("File ") + dir.filePath(QStringLiteral("none")) +
                                   QStringLiteral(" not found"));
    }
}

TEST(TextFormats, CellToReal)
{
    platform::FormatSettings fs;
    fs.ThousandSeparator = u'.';
    fs.DecimalSeparator = u',';
    platform::ScopedFormatSettings scoped(fs);
    TExStringGrid g;
    Grid(g, 1, 1);
    struct Case
    {
        const char* text;
        double value;
        const char* error;
    };
    const Case cases[] = {
        {"(1.234,5)", -1234.5, nullptr},
        {"12a3", 12, nullptr},
        {"", 0, nullptr},
        {"$ -3,25", -3.25, nullptr},
        {"1,5e3", 1500, nullptr},
        {"1-2", 0, "Error at position: 2 in Cell [0, 0]."},
        {"1e", 0, "Error at position: 3 in Cell [0, 0]."},
        {"abc", 0, "Error at position: 1 in Cell [0, 0]."},
    };
    for (const Case& c : cases) {
        g.SetCells(0, 0, QString::fromLatin1(c.text));
        if (!c.error) {
            EXPECT_DOUBLE_EQ(CellToReal(g, 0, 0), c.value) << c.text;
            continue;
        }
        try {
            CellToReal(g, 0, 0);
            ADD_FAILURE() << c.text;
        } catch (const GridError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.error)) << c.text;
        }
    }
}
