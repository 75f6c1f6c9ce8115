// RTF documents: escaped text, the paragraph and the table with its
// alignments, insertion at a bookmark or at the end, files that are not RTF
// left as they were, and (with the office suite) a document read back as text.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/office/rtf_document.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace grid;
using namespace grid::office;

namespace {

void Fill(TExStringGrid& g, const std::vector<QStringList>& rows)
{
    g.SetColCount(int(rows.front().size()));
    g.SetRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            g.SetCells(c, r, rows[r][c]);
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// True when every needle occurs, each after the one before.
bool InOrder(const QByteArray& hay, const std::vector<QByteArray>& needles)
{
    qsizetype at = 0;
    for (const QByteArray& n : needles) {
        at = hay.indexOf(n, at);
        if (at < 0)
            return false;
        at += n.size();
    }
    return true;
}

} // namespace

TEST(RtfDocument, TextIsEscapedIntoEightBits)
{
    EXPECT_EQ(RtfText(QString::fromUtf8("a{b}\\c\td\r\ne\nf\x01")), "a\\{b\\}\\\\c\\tab d\\line e\\line f");
    EXPECT_EQ(RtfText(QString::fromUtf8("\xc3\xa4\xe2\x82\xac")), "\\u228?\\u8364?");
    EXPECT_EQ(RtfText(QString(QChar(0xFFFD))), "\\u-3?");
}

TEST(RtfDocument, SavedDocumentHoldsParagraphThenCellsInOrder)
{
    QTemporaryDir dir;
    TExStringGrid g;
    Fill(g, {{"Head", "Right", "Mid"}, {"x{1}", "2", "three"}});
    g.SetAlignments(1, 1, taRightJustify);
    g.SetAlignments(2, 1, taCenter);
    std::vector<std::pair<int, int>> notes;
    g.OnSaveCell = [&](TExStringGrid*, int c, int r, QString&) { notes.emplace_back(c, r); };
    const QString path = dir.filePath("table.doc");
    SaveToDOC(g, path, true, "Grid text");
    const QByteArray rtf = Read(path);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(InOrder(rtf, {"Grid text\\par", "\\trowd", "Head\\cell", "Right\\cell", "Mid\\cell", "\\row",
                              "\\trowd", "x\\{1\\}\\cell", "\\qr 2\\cell", "\\qc three\\cell", "\\row"}));
    EXPECT_EQ(notes.size(), 6u);
    EXPECT_EQ(rtf.count('{') - rtf.count("\\{"), rtf.count('}') - rtf.count("\\}"));
    ASSERT_TRUE(FindRtfInsertPoint(rtf, QString()));
}

TEST(RtfDocument, InsertPointFinder)
{
    struct Case
    {
        const char* rtf;
        const char* bookmark;
        qsizetype offset; // -1: not RTF
        bool atBookmark;
    };
    const std::vector<Case> cases = {
        {"{\\rtf1 text}", "", 11, false},
        {"{\\rtf1 a\\}b\\{c}", "", 14, false},
        {"{\\rtf1 {\\*\\bkmkstart Here}x}", "here", 26, true},
        {"{\\rtf1 {\\*\\bkmkstart Here}x}", "There", 27, false},
        {"{\\rtf1 {\\*\\bkmkstart a}{\\*\\bkmkstart b}x}", "b", 39, true},
        {"{\\rtf1 {\\bin3 }}}x}}", "", 19, false}, // binary bytes hold braces
        {"{\\rtf1 {\\bin99 ab}}", "", -1, false},
        {"{\\rtf1 open", "", -1, false},
        {"{\\rtf1 {x}", "", -1, false},
        {"plain text}", "", -1, false},
        {"{\\rtf1 \\'7d}", "", 11, false},
        {"{\\rtf1 \\", "", -1, false},
    };
    for (const Case& c : cases) {
        const auto at = FindRtfInsertPoint(QByteArray(c.rtf), QString::fromLatin1(c.bookmark));
        if (c.offset < 0) {
            EXPECT_FALSE(at) << c.rtf;
            continue;
        }
        ASSERT_TRUE(at) << c.rtf;
        EXPECT_EQ(at->Offset, c.offset) << c.rtf;
        EXPECT_EQ(at->AtBookmark, c.atBookmark) << c.rtf;
    }
}

TEST(RtfDocument, AppendGoesToBookmarkOrEnd)
{
    QTemporaryDir dir;
    TExStringGrid g;
    Fill(g, {{"c1", "c2"}});
    const QByteArray original = "{\\rtf1\\ansi Before {\\*\\bkmkstart Table}{\\*\\bkmkend Table}After\\par}";
    const QString path = dir.filePath("doc.rtf");

    Write(path, original);
    AppendToDoc(g, path, "TABLE", "Caption");
    QByteArray rtf = Read(path);
    EXPECT_TRUE(InOrder(rtf, {"Before", "\\bkmkstart Table}", "Caption\\par", "c1\\cell", "c2\\cell", "\\row",
                              "\\bkmkend Table", "After"}));
    EXPECT_TRUE(FindRtfInsertPoint(rtf, QString()));

    Write(path, original);
    AppendToDoc(g, path, "Missing");
    rtf = Read(path);
    EXPECT_TRUE(InOrder(rtf, {"Before", "After\\par", "c1\\cell", "c2\\cell", "\\row"}));
    EXPECT_TRUE(rtf.trimmed().endsWith('}'));
}

TEST(RtfDocument, NonRtfOrMissingFileIsReportedAndUntouched)
{
    QTemporaryDir dir;
    TExStringGrid g;
    Fill(g, {{"a"}});
    const QString path = dir.filePath("notes.txt");
    Write(path, "plain notes {not rtf}");
    try {
        AppendToDoc(g, path, QString());
        FAIL();
    } catch (const GridError& e) {
        EXPECT_EQ(e.Message(), QString("The file %1 is not an RTF document").arg(path));
    }
    EXPECT_EQ(Read(path), QByteArray("plain notes {not rtf}"));
    const QString absent = dir.filePath("absent.rtf");
    EXPECT_THROW(AppendToDoc(g, absent, QString()), GridError);
    EXPECT_FALSE(QFile::exists(absent));
    EXPECT_THROW(SaveToDOC(g, dir.filePath("no/such/dir.rtf")), GridError);
}

TEST(RtfDocumentOffice, ConvertedToTextHoldsParagraphThenCellsInOrder)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is absent (installed by tools/setup only with ORVANO_OFFICE=1)";
    QTemporaryDir dir;
    TExStringGrid g;
    Fill(g, {{"Head", "Right", "Mid"}, {"x{1}", "2", QString::fromUtf8("thr\xc3\xa9\x65 \xe2\x82\xac")}});
    g.SetAlignments(1, 1, taRightJustify);
    g.SetAlignments(2, 1, taCenter);
    const QString path = dir.filePath("table.rtf");
    SaveToDOC(g, path, true, "Grid text");
    // Appended at the end of the document just written.
    Fill(g, {{"later"}});
    AppendToDoc(g, path, QString(), "Second");

    const QTemporaryDir profile;
    QProcess p;
    p.start(soffice, {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(), "--headless",
                      "--convert-to", "txt:Text (encoded):UTF8", "--outdir", dir.filePath("txt"), path});
    ASSERT_TRUE(p.waitForFinished(120000));
    const QByteArray text = Read(dir.filePath("txt/table.txt"));
    EXPECT_TRUE(InOrder(text, {"Grid text", "Head", "Right", "Mid", "x{1}", "2", "thr\xc3\xa9\x65 \xe2\x82\xac",
                               "Second", "later"}))
        << text.constData();
}
