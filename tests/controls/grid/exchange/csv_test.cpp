// CSV: written fields, delimiter detection, reading with quoted line breaks,
// loading options, and round trips over the option combinations, each file
// also read by Python's csv module.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/csv.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace grid;

namespace {

const QString VT = QString(QChar(11));

void Grid(TExStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
}

void Fill(TExStringGrid& g, const std::vector<QStringList>& rows)
{
    Grid(g, int(rows.front().size()), int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            g.SetCells(c, r, rows[r][c]);
}

std::vector<QStringList> Cells(TExStringGrid& g)
{
    std::vector<QStringList> out;
    for (int r = 0; r < g.RowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < g.ColCount(); ++c)
            row << g.Cells(c, r);
        out.push_back(row);
    }
    return out;
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

struct PythonFile
{
    QString path;
    QChar delimiter;
    bool unicode;
};

// Rows of each file as Python's csv module reads it (one interpreter for all).
std::vector<std::vector<QStringList>> PythonRows(const std::vector<PythonFile>& files)
{
    const QString script = QStringLiteral(
        "import csv, json, sys\n"
        "out = []\n"
        "for path, delimiter, encoding in json.loads(sys.argv[1]):\n"
        "    with open(path, newline='', encoding=encoding) as f:\n"
        "        out.append(list(csv.reader(f, delimiter=delimiter)))\n"
        "print(json.dumps(out))\n");
    QJsonArray args;
    for (const PythonFile& f : files)
        args.append(QJsonArray{f.path, QString(f.delimiter),
                               f.unicode ? QStringLiteral("utf-8-sig") : QStringLiteral("cp1252")});
    QProcess p;
    p.start(QStringLiteral("python3"),
            {QStringLiteral("-c"), script, QString::fromUtf8(QJsonDocument(args).toJson(QJsonDocument::Compact))});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    std::vector<std::vector<QStringList>> result;
    for (const QJsonValue& file : QJsonDocument::fromJson(p.readAllStandardOutput()).array()) {
        std::vector<QStringList> rows;
        for (const QJsonValue& row : file.toArray()) {
            QStringList fields;
            for (const QJsonValue& f : row.toArray())
                fields << f.toString();
            rows.push_back(fields);
        }
        result.push_back(rows);
    }
    return result;
}

const std::vector<QStringList> kFixture = {
    {QStringLiteral("plain"), QStringLiteral("say \"hi\""), QString(), QStringLiteral("a,b;c\td")},
    {QStringLiteral("two\r\nlines"), QStringLiteral("\"quoted\"\r\nand, more"), QStringLiteral(" lead"),
     QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac")},
    {QString(), QStringLiteral("bare\nLF"), QStringLiteral("bare\rCR"), QString()},
    {QStringLiteral("q\"\nx"), QStringLiteral("|"), QStringLiteral("end "), QStringLiteral("\"\"")},
};

} // namespace

TEST(Csv, WrittenFields)
{
    struct Case
    {
        const char* name;
        QString text;
        CsvFormat format;
        QString field;
    };
    const CsvFormat def;
    CsvFormat java;
    java.JavaCSV = true;
    CsvFormat always;
    always.AlwaysQuotes = true;
    CsvFormat noEmpty;
    noEmpty.QuoteEmptyCells = false;
    const Case cases[] = {
        {"plain", QStringLiteral("a"), def, QStringLiteral("a")},
        {"quote", QStringLiteral("b\"c"), def, QStringLiteral("\"b\"\"c\"")},
        {"empty", QString(), def, QStringLiteral("\"\"")},
        {"empty bare", QString(), noEmpty, QString()},
        {"delimiter", QStringLiteral("x,y"), def, QStringLiteral("\"x,y\"")},
        {"CR LF", QStringLiteral("1\r\n2"), def, "\"1" + VT + "2\""},
        {"quote and CR LF", QStringLiteral("\"\r\n"), def, "\"\"\"" + VT + "\""},
        {"bare LF", QStringLiteral("1\n2"), def, QStringLiteral("\"1\n2\"")},
        {"leading space", QStringLiteral(" x"), def, QStringLiteral("\" x\"")},
        {"always", QStringLiteral("a"), always, QStringLiteral("\"a\"")},
        {"java empty", QString(), java, QStringLiteral("^")},
        {"java delimiter", QStringLiteral("x,y"), java, QStringLiteral("x,y")},
        {"java CR LF", QStringLiteral("1\r\n2"), java, QStringLiteral("1~2")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CsvField(c.text, c.format), c.field) << c.name;

    TExStringGrid g;
    Fill(g, {{QStringLiteral("a"), QStringLiteral("b\"c"), QString(), QStringLiteral("x,y")}});
    EXPECT_EQ(SaveToCSVText(g), QStringLiteral("a,\"b\"\"c\",\"\",\"x,y\"\r\n"));
}

TEST(Csv, DelimiterDetection)
{
    struct Case
    {
        const char* l1;
        const char* l2;
        QChar expected;
    };
    const Case cases[] = {
        {"a;b;c", "1;2;3", u';'},
        {"1,5;2,5", "3,0;4,0", u','},
        {"a,,b", "c,,d", u','},
        {"a\tb|c", "d\te|f", u'\t'},
        {"a;b;c;d", "", u';'},
        {"a|b", "c;d;e", u';'},
        {"plain", "text", QChar()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectCsvDelimiter(QString::fromLatin1(c.l1), QString::fromLatin1(c.l2)), c.expected) << c.l1;
}

TEST(Csv, ReadingFields)
{
    struct Case
    {
        const char* name;
        QString text;
        QChar delimiter;
        bool java;
        std::vector<QStringList> rows;
    };
    const Case cases[] = {
        {"quoted", QStringLiteral("a,\"b\"\"c\",\"\",\"x,y\"\r\n"), u',', false,
         {{"a", "b\"c", "", "x,y"}}},
        {"VT", "\"1" + VT + "2\"\r\n", u',', false, {{"1\r\n2"}}},
        {"line break inside quotes", QStringLiteral("\"a\r\nb\",c\nd,e"), u',', false,
         {{"a\r\nb", "c"}, {"d", "e"}}},
        {"escaped quote before a break", QStringLiteral("\"a\"\"\nb\"\r\nz"), u',', false, {{"a\"\nb"}, {"z"}}},
        {"unclosed quote keeps the line", QStringLiteral("a,\"b,c\r\nd,e"), u',', false,
         {{"a", "b,c"}, {"d", "e"}}},
        {"leading spaces", QStringLiteral("  a,   \"b\" ,c"), u',', false, {{"a", "b", "c"}}},
        {"ending delimiter", QStringLiteral("a,b,\r\n,"), u',', false, {{"a", "b"}, {""}}},
        {"empty line", QStringLiteral("a\r\n\r\nb"), u',', false, {{"a"}, {}, {"b"}}},
        {"CR alone", QStringLiteral("a\rb"), u',', false, {{"a"}, {"b"}}},
        {"java", QStringLiteral("^,1~2,x"), u',', true, {{"", "1\r\n2", "x"}}},
        {"no delimiter", QStringLiteral("a,b\r\n\"c\""), QChar(), false, {{"a,b"}, {"c"}}},
    };
    for (const Case& c : cases) {
        CsvReader reader(c.text, c.delimiter, c.java);
        std::vector<QStringList> rows;
        while (!reader.AtEnd())
            rows.push_back(reader.NextRow());
        EXPECT_EQ(rows, c.rows) << c.name;
    }
}

// Fields found on the bytes of a file land in the same cells as those of its
// decoded text, whatever the encoding, delimiter or options.
TEST(Csv, BytesLoadAsTheirDecodedText)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        QChar delimiter; // null: detected
        bool java = false;
        bool oem = false;
        bool skipFirst = false;
    };
    const QByteArray bom("\xEF\xBB\xBF");
    const Case cases[] = {
        {"Windows-1252 high bytes", QByteArray("\x80,\"\x93q\x94\",\x81\xE9\r\nx,y,z"), u','},
        {"UTF-8 after a mark", bom + "caf\xC3\xA9;\"\xE2\x82\xAC;\"\"\"\r\n\xF0\x9F\x98\x80;b", u';'},
        {"broken UTF-8 at field ends", bom + "a\xE2\x82,\xC3\r\n\xE2,\xF0\x9F\x98", u','},
        {"marks inside the text", bom + bom + "a;" + bom + "\xC3\xA9\x02\r\r\n" + bom, u';'},
        {"three marks", bom + bom + bom + "a", u';'},
        {"a mark before broken UTF-8", "c\r" + bom + "\xC3" "a,\xF0\x9F", u','},
        {"quoted line breaks and VT", QByteArray("\"a\r\nb\",\"c\x0B" "d\"\r\n\"open,x\r\nlast"), u','},
        {"detected delimiter", QByteArray("a|b|\"c|d\"\r\n1|2|3\r\n"), QChar()},
        {"detected in UTF-8", bom + "\xC3\xA9\t2\r\n3\t4", QChar()},
        {"JavaCSV", QByteArray("^,1~2,\"^\"\r\nx"), u',', true},
        {"skip the first line", QByteArray("h1,h2\r\nv1,v2\r\n"), u',', false, false, true},
        {"OEM bytes", QByteArray("\x82t\x82,\x99\r\n"), u',', false, true},
        {"UTF-16", QByteArray("\xFF\xFE" "a\0,\0b\0\r\0\n\0", 12), u','},
        {"delimiter past ASCII", QByteArray("a\xA7" "b\xA7\"c\xA7" "d\"\r\n"), QChar(u'\u00A7')},
    };
    for (const Case& c : cases) {
        TExStringGrid fromBytes;
        TExStringGrid fromText;
        for (TExStringGrid* g : {&fromBytes, &fromText}) {
            Grid(*g, 1, 1);
            g->Delimiter = c.delimiter;
            g->JavaCSV = c.java;
            g->OemConvert = c.oem;
            g->LoadFirstRow = !c.skipFirst;
        }
        LoadFromCSVBytes(fromBytes, c.bytes, 0, false);
        LoadFromCSVText(fromText, DecodeCsvBytes(c.bytes, c.oem), 0, false);
        EXPECT_EQ(Cells(fromBytes), Cells(fromText)) << c.name;
        EXPECT_EQ(fromBytes.ColCount(), fromText.ColCount()) << c.name;
    }

    // Each side checked against the texts themselves.
    TExStringGrid g;
    Grid(g, 1, 1);
    g.Delimiter = u',';
    LoadFromCSVBytes(g, cases[0].bytes, 0, false);
    EXPECT_EQ(Cells(g), (std::vector<QStringList>{{QStringLiteral("\u20AC"), QStringLiteral("\u201Cq\u201D"),
                                                    QStringLiteral("\u0081\u00E9")},
                                                   {"x", "y", "z"}}));
    g.Delimiter = u';';
    LoadFromCSVBytes(g, cases[1].bytes, 0, false);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("\u20AC;\""));
    EXPECT_EQ(g.Cells(0, 1), QString::fromUtf8("\xF0\x9F\x98\x80"));

    // Nothing but a byte-order mark is an empty file.
    for (const QByteArray& empty : {QByteArray(), bom, bom + bom, QByteArray("\xFF\xFE")})
        EXPECT_THROW(LoadFromCSVBytes(g, empty, 0, false), GridError) << empty.toHex().constData();
}

TEST(Csv, RoundTripsOverOptionsAlsoReadByPython)
{
    QTemporaryDir dir;
    int n = 0;
    std::vector<PythonFile> files;
    std::vector<std::string> names;
    std::vector<std::vector<QStringList>> expectations;
    for (QChar delimiter : {QChar(u','), QChar(u';'), QChar(u'\t')})
        for (bool always : {false, true})
            for (bool quoteEmpty : {false, true})
                for (bool unicode : {false, true}) {
                    const std::string name = QStringLiteral("delimiter %1 always %2 empty %3 unicode %4")
                                                 .arg(delimiter.unicode())
                                                 .arg(always)
                                                 .arg(quoteEmpty)
                                                 .arg(unicode)
                                                 .toStdString();
                    std::vector<QStringList> fixture = kFixture;
                    if (!unicode)
                        fixture[1][3] = QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac \xc3\xbf");
                    else
                        fixture[1][3] = QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80");
                    TExStringGrid a;
                    Fill(a, fixture);
                    a.Delimiter = delimiter;
                    a.AlwaysQuotes = always;
                    a.QuoteEmptyCells = quoteEmpty;
                    const QString file = dir.filePath(QStringLiteral("f%1.csv").arg(n++));
                    SaveToCSV(a, file, unicode);

                    TExStringGrid b;
                    Grid(b, 1, 1);
                    b.Delimiter = delimiter;
                    LoadFromCSV(b, file);
                    EXPECT_EQ(Cells(b), fixture) << name;

                    std::vector<QStringList> expected = fixture;
                    for (QStringList& row : expected)
                        for (QString& f : row)
                            f.replace(QStringLiteral("\r\n"), VT);
                    files.push_back({file, delimiter, unicode});
                    names.push_back(name);
                    expectations.push_back(expected);
                }
    std::vector<std::vector<QStringList>> python = PythonRows(files);
    ASSERT_EQ(python.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        for (QStringList& row : python[i])
            while (row.size() < 4)
                row << QString();
        EXPECT_EQ(python[i], expectations[i]) << names[i];
    }

    // JavaCSV carries no delimiter, bare LF or "~" in a text; the rest comes back.
    const std::vector<QStringList> java = {{QStringLiteral("a"), QString(), QStringLiteral("1\r\n2")},
                                           {QStringLiteral("\"q\""), QStringLiteral(" s"), QStringLiteral("x")}};
    TExStringGrid a;
    Fill(a, java);
    a.JavaCSV = true;
    const QString file = dir.filePath(QStringLiteral("java.csv"));
    SaveToCSV(a, file);
    EXPECT_EQ(ReadAll(file), QByteArray("a,^,1~2\r\n\"\"\"q\"\"\",\" s\",x\r\n"));
    TExStringGrid b;
    Grid(b, 1, 1);
    b.JavaCSV = true;
    LoadFromCSV(b, file);
    EXPECT_EQ(Cells(b), java);
}

TEST(Csv, LoadingOptionsAndFiles)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("n.csv"));
    QByteArray lines = "head;er\r\n";
    for (int i = 0; i < 20; ++i)
        lines += QByteArray::number(i) + ";x\r\n";
    Write(file, lines);

    TExStringGrid g;
    Grid(g, 1, 1);
    g.LoadFirstRow = false;
    std::vector<int> progress;
    g.OnFileProgress = [&progress](TExStringGrid*, qint16 p) { progress.push_back(p); };
    LoadFromCSV(g, file, 10);
    EXPECT_EQ(g.RowCount(), 10);
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("0"));
    EXPECT_EQ(g.Cells(0, 9), QStringLiteral("9"));
    EXPECT_EQ(progress.back(), 50);
    EXPECT_TRUE(g.Delimiter.isNull());

    // Fixed cells are left out of the target when not saved.
    TExStringGrid f;
    f.SetColCount(3);
    f.SetRowCount(2);
    f.SetFixedCols(1);
    f.SetFixedRows(1);
    f.SaveFixedCells = false;
    f.SetCells(0, 0, QStringLiteral("fixed"));
    Write(file, "a,b\r\nc,d\r\n");
    LoadFromCSV(f, file);
    EXPECT_EQ(f.Cells(0, 0), QStringLiteral("fixed"));
    EXPECT_EQ(f.Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(f.Cells(2, 2), QStringLiteral("d"));
    EXPECT_EQ(f.RowCount(), 3);

    // Inserting below a floating footer: the footer texts move to the new last row.
    TExStringGrid ins;
    Grid(ins, 2, 5);
    ins.FloatingFooter.Visible = true;
    ins.SetCells(0, 4, QStringLiteral("sum"));
    ins.SetCells(0, 3, QStringLiteral("row3"));
    InsertFromCSV(ins, file);
    EXPECT_EQ(ins.RowCount(), 7);
    EXPECT_EQ(ins.Cells(0, 3), QStringLiteral("row3"));
    EXPECT_EQ(ins.Cells(0, 4), QStringLiteral("a"));
    EXPECT_EQ(ins.Cells(1, 5), QStringLiteral("d"));
    EXPECT_EQ(ins.Cells(0, 6), QStringLiteral("sum"));

    // Appending keeps the file's lines.
    TExStringGrid ap;
    Fill(ap, {{QStringLiteral("e"), QStringLiteral("f")}});
    AppendToCSV(ap, file);
    EXPECT_EQ(ReadAll(file), QByteArray("a,b\r\nc,d\r\ne,f\r\n"));
    EXPECT_THROW(AppendToCSV(ap, dir.filePath(QStringLiteral("none.csv"))), GridError);

    // Empty file: nothing happens; empty stream: "File is empty"; missing file: an error.
    const QString empty = dir.filePath(QStringLiteral("e.csv"));
    Write(empty, QByteArray());
    TExStringGrid e;
    Fill(e, {{QStringLiteral("keep")}});
    LoadFromCSV(e, empty);
    EXPECT_EQ(e.Cells(0, 0), QStringLiteral("keep"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadOnly);
    try {
        LoadFromCSVStream(e, buffer);
        ADD_FAILURE() << "empty stream loaded";
    } catch (const GridError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("File is empty"));
    }
    EXPECT_THROW(LoadFromCSV(e, dir.filePath(QStringLiteral("none.csv"))), GridError);

    // OEM texts: bytes of the console code page both ways.
    TExStringGrid o;
    Fill(o, {{QString::fromUtf8("\xc3\xa9")}});
    o.OemConvert = true;
    SaveToCSV(o, file);
    EXPECT_EQ(ReadAll(file), QByteArray("\x82\r\n"));
    TExStringGrid o2;
    Grid(o2, 1, 1);
    o2.OemConvert = true;
    LoadFromCSV(o2, file);
    EXPECT_EQ(o2.Cells(0, 0), QString::fromUtf8("\xc3\xa9"));
}

// The file is written block by block into a temporary file: a save that fails
// midway, or cannot start, leaves the old file as it was and no other file.
TEST(Csv, AFailedSaveLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.csv"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old,file\r\n");
    }
    TExStringGrid g;
    Grid(g, 4, 20000);
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            g.SetCells(c, r, QStringLiteral("cell %1 of row %2").arg(c).arg(r));
    // Well past the first written blocks.
    g.OnSaveCell = [](TExStringGrid*, int, int row, QString&) {
        if (row == 15000)
            throw GridError(QStringLiteral("stopped"));
    };
    EXPECT_THROW(SaveToCSV(g, file), GridError);
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old,file\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("t.csv")});

    try {
        SaveToCSV(g, dir.filePath(QStringLiteral("missing/t.csv")));
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const GridError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot create the file"))) << e.Message().toStdString();
    }

    // Without the failure the whole grid replaces the old file.
    g.OnSaveCell = nullptr;
    SaveToCSV(g, file);
    kept.close();
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const QByteArray bytes = kept.readAll();
    EXPECT_TRUE(bytes.startsWith("cell 0 of row 0,")) << bytes.left(40).toStdString();
    EXPECT_TRUE(bytes.endsWith("cell 3 of row 19999\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 20000);
}
