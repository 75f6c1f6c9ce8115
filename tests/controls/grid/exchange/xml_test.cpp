// XML: the written document (escaping, empty cells, tag names, encodings,
// well-formed for xmllint) and the layout of read documents.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/xml.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <pugixml.hpp>

#include <gtest/gtest.h>

using namespace grid;

namespace {

void Grid(TExStringGrid& g, int cols, int rows, int fixedRows = 0)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    g.SetFixedCols(0);
    g.SetFixedRows(fixedRows);
}

QString Lint(const QString& file)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), file});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAll()) + (p.exitCode() ? QStringLiteral("exit %1").arg(p.exitCode()) : QString());
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

} // namespace

TEST(Xml, WrittenDocumentReadsBack)
{
    QTemporaryDir dir;
    TExStringGrid a;
    Grid(a, 3, 2);
    a.SetCells(0, 0, QStringLiteral("a&b"));
    a.SetCells(1, 0, QStringLiteral("x<y"));
    a.SetCells(0, 1, QString::fromUtf8("caf\xc3\xa9 \xe6\x97\xa5"));
    a.SetCells(1, 1, QStringLiteral("two\r\nlines \"q\""));
    a.SetCells(2, 1, QStringLiteral("tag>"));

    const QByteArray bytes = SaveToXMLBytes(a, QStringLiteral("list"), QStringLiteral("rec"), nullptr, true);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<list>\r\n<rec>\r\n"
                                 "<FIELD0>a$amp;b</FIELD0>\r\n<FIELD1>x&lt;y</FIELD1>\r\n"
                                 "<FIELD2>&quot;&quot;</FIELD2>\r\n</rec>\r\n"))
        << bytes.toStdString();
    // Latin-1 bytes as named; what it lacks as a reference.
    EXPECT_TRUE(bytes.contains("caf\xe9 &#26085;"));
    EXPECT_FALSE(SaveToXMLBytes(a, QStringLiteral("list"), QStringLiteral("rec"), nullptr, false).contains("FIELD2>&quot"));

    for (const char* encoding : {"ISO-8859-1", "UTF-8", "windows-1252", "US-ASCII"}) {
        a.XMLEncoding = QString::fromLatin1(encoding);
        const QString file = dir.filePath(QStringLiteral("g.xml"));
        const QStringList names{QStringLiteral("name"), QStringLiteral("city")};
        SaveToXML(a, file, QStringLiteral("list"), QStringLiteral("rec"), &names, true);
        EXPECT_EQ(Lint(file), QString()) << encoding;
        TExStringGrid b;
        Grid(b, 1, 1);
        LoadFromXML(b, file, false, false);
        EXPECT_EQ(Cells(b), Cells(a)) << encoding;
    }

    // A tag name that is no XML name makes no file.
    const QString bad = dir.filePath(QStringLiteral("bad.xml"));
    const QStringList names{QStringLiteral("ok"), QStringLiteral("no good")};
    EXPECT_THROW(SaveToXML(a, bad, QStringLiteral("list"), QStringLiteral("rec"), &names, true), GridError);
    EXPECT_THROW(SaveToXML(a, bad, QStringLiteral("1list"), QStringLiteral("rec"), nullptr, true), GridError);
    EXPECT_FALSE(QFile::exists(bad));
}

TEST(Xml, ReadLayouts)
{
    const QByteArray list = "<list><rec><name>Ann</name><city>Rome</city></rec>"
                            "<rec><name>Bob</name><city>Oslo</city></rec></list>";
    struct Case
    {
        const char* name;
        QByteArray doc;
        bool levelToRow;
        bool fieldDescr;
        int fixedRows;
        std::vector<QStringList> cells;
    };
    const Case cases[] = {
        {"records", list, false, false, 0, {{"Ann", "Rome"}, {"Bob", "Oslo"}}},
        {"field names", list, false, true, 1, {{"name", "city"}, {"Ann", "Rome"}, {"Bob", "Oslo"}}},
        {"attributes and text", "<l><e id=\"7\" type=\"t\">text</e></l>", false, false, 0, {{"7", "t", "text"}}},
        {"empty element", "<l><r><a/><b>x</b></r></l>", false, false, 0, {{"", "x"}}},
        {"entities", "<l><r><a>a$amp;b &amp; &lt;c&gt;</a><b>&quot;&quot;</b></r></l>", false, false, 0,
         {{"a&b & <c>", ""}}},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        Grid(g, 5, 5, c.fixedRows);
        LoadFromXMLBytes(g, c.doc, c.levelToRow, c.fieldDescr);
        EXPECT_EQ(Cells(g), c.cells) << c.name;
    }

    // Cells outside the read area keep their texts.
    TExStringGrid k;
    Grid(k, 5, 5);
    k.SetCells(4, 4, QStringLiteral("kept"));
    LoadFromXMLBytes(k, list, false, false);
    EXPECT_EQ(k.ColCount(), 2);
    EXPECT_EQ(k.GridCells(4, 4), QStringLiteral("kept"));

    // A syntax error on line 3: the parser's status and the line; nothing changes.
    TExStringGrid e;
    Grid(e, 2, 2);
    e.SetCells(0, 0, QStringLiteral("before"));
    try {
        LoadFromXMLBytes(e, "<l>\n<r>\n<a>x</b>\n</r></l>", false, false);
        ADD_FAILURE() << "parsed";
    } catch (const GridError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("XMLDOM Parsing error %1 on line 3").arg(int(pugi::status_end_element_mismatch)));
    }
    EXPECT_EQ(e.Cells(0, 0), QStringLiteral("before"));
    EXPECT_EQ(e.ColCount(), 2);
    try {
        LoadFromXML(e, QStringLiteral("/nonexistent/x.xml"), false, false);
        ADD_FAILURE();
    } catch (const GridError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("XML file not found"));
    }
}
