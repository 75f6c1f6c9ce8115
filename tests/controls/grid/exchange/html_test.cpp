// HTML and XHTML export: the document of a small grid, the settings as a
// table of fragments, files (encodings, header and footer files, appending,
// failures), image files, the preview launcher and the HTML copy; XHTML is
// checked by xmllint.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/core/int_list.h"
#include "controls/grid/exchange/clipboard.h"
#include "controls/grid/exchange/html.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace grid;

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;

// Fonts and colours pinned, so fixed and normal cells look alike.
void Grid(TExStringGrid& g, int cols, int rows, int fixedRows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    g.SetFixedCols(0);
    g.SetFixedRows(fixedRows);
    g.Font = TFont{QStringLiteral("Tahoma"), 8, 0, kBlack};
    g.FixedFont = g.Font;
    g.Color = kWhite;
    g.FixedColor = kWhite;
    g.SetWordWrap(true);
}

QByteArray Read(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// xmllint's complaints and exit code; empty when the file passes.
std::string Lint(const QStringList& options, const QString& file)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("xmllint"), options + QStringList{file});
    p.waitForFinished(30000);
    return (QString::fromUtf8(p.readAll()) + (p.exitCode() ? QStringLiteral("exit %1").arg(p.exitCode()) : QString()))
        .toStdString();
}

bool HaveXmllint()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
}

// Records the files the export asks to open, instead of opening them.
class OpenerRecorder
{
public:
    OpenerRecorder()
    {
        previous_ = SetHtmlOpener([this](const QString& file) { Opened << file; });
    }
    ~OpenerRecorder() { SetHtmlOpener(std::move(previous_)); }
    QStringList Opened;

private:
    HtmlOpener previous_;
};

const char* const kStyle0 =
    ".c0 {background-color: #FFFFFF;color: #000000;font-size:8pt;font-family: Tahoma;vertical-align: top}\r\n";

} // namespace

TEST(Html, SmallGridDocument)
{
    TExStringGrid g;
    Grid(g, 2, 2, 1);
    g.SetCells(0, 0, QStringLiteral("A"));
    g.SetCells(1, 0, QStringLiteral("B"));
    g.SetCells(0, 1, QStringLiteral("1"));
    const QString expected =
        QStringLiteral("<style>\r\n") + QLatin1String(kStyle0) +
        QStringLiteral("</style>\r\n"
                       "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\"  WIDTH=\"100%\">\r\n"
                       "<TR>\r\n<TD class=\"c0\">A</td>\r\n<TD class=\"c0\">B</td>\r\n</TR>\r\n"
                       "<TR>\r\n<TD class=\"c0\">1</td>\r\n<TD class=\"c0\">&nbsp;</td>\r\n</TR>\r\n"
                       "</TABLE>\r\n");
    EXPECT_EQ(SaveToHTMLString(g, QString()), expected);

    // Without saved fixed rows there is no header row and no fixed row.
    g.SaveFixedCells = false;
    const QString data = SaveToHTMLString(g, QString());
    EXPECT_FALSE(data.contains(QStringLiteral(">A<")));
    EXPECT_EQ(data.count(QStringLiteral("<TR>")), 1);
}

// Merged cells, a hidden column, cell colours, fonts and alignments, in HTML
// and as XHTML that xmllint reads as well-formed XML.
TEST(Html, MergedHiddenAndStyledCells)
{
    TExStringGrid g;
    Grid(g, 4, 3, 1);
    g.SetCells(0, 0, QStringLiteral("Name"));
    g.SetCells(1, 0, QStringLiteral("Secret"));
    g.SetCells(2, 0, QStringLiteral("City"));
    g.SetCells(3, 0, QStringLiteral("Zip"));
    g.SetCells(0, 1, QStringLiteral("wide"));
    g.SetCells(3, 1, QStringLiteral("z1"));
    g.SetCells(0, 2, QStringLiteral("a & b"));
    g.SetCells(1, 2, QStringLiteral("hidden"));
    g.SetCells(2, 2, QStringLiteral("x"));
    g.SetCells(3, 2, QStringLiteral("1"));
    g.MergeCells(0, 1, 3, 1);
    g.SetColors(3, 2, 0x0000FF);      // red
    g.SetFontColors(3, 2, 0xFF0000);  // blue
    g.SetFontStyles(3, 2, fsBold | fsItalic);
    g.SetFontSizes(3, 2, 10);
    g.SetFontNames(3, 2, QStringLiteral("Arial"));
    g.SetAlignments(3, 2, taRightJustify);
    g.SetWordWraps(2, 2, false);
    g.HideColumn(1);
    ASSERT_EQ(g.ColCount(), 3);

    const QString html = SaveToHTMLString(g, QString());
    const QString expected =
        QStringLiteral("<style>\r\n") + QLatin1String(kStyle0) +
        QStringLiteral(".c1 {background-color: #FF0000;color: #0000FF;font-size:10pt;font-style: italic;"
                       "font-weight: bold;font-family: Arial;text-align: right;vertical-align: top}\r\n"
                       "</style>\r\n"
                       "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\"  WIDTH=\"100%\">\r\n"
                       "<TR>\r\n<TD class=\"c0\">Name</td>\r\n<TD class=\"c0\">City</td>\r\n"
                       "<TD class=\"c0\">Zip</td>\r\n</TR>\r\n"
                       "<TR>\r\n<TD class=\"c0\" COLSPAN=\"2\">wide</td>\r\n<TD class=\"c0\">z1</td>\r\n</TR>\r\n"
                       "<TR>\r\n<TD class=\"c0\">a & b</td>\r\n<TD class=\"c0\" nowrap>x</td>\r\n"
                       "<TD class=\"c1\">1</td>\r\n</TR>\r\n"
                       "</TABLE>\r\n");
    EXPECT_EQ(html, expected);

    g.HTMLSettings.XHTML = true;
    g.HTMLSettings.SuffixTag = QStringLiteral("<p>end</p>");
    const QString xhtml = SaveToHTMLString(g, QString());
    EXPECT_TRUE(xhtml.startsWith(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n<style>\r\n")))
        << xhtml.toStdString();
    EXPECT_TRUE(xhtml.endsWith(QStringLiteral("</table>\r\n<p>end</p>\r\n</html>\r\n"))) << xhtml.toStdString();
    EXPECT_TRUE(xhtml.contains(QStringLiteral("<td class=\"c0\" colspan=\"2\">wide</td>")));
    EXPECT_TRUE(xhtml.contains(QStringLiteral("<td class=\"c0\" nowrap=\"nowrap\">x</td>")));
    EXPECT_TRUE(xhtml.contains(QStringLiteral(">a &amp; b</td>")));

    if (!HaveXmllint())
        GTEST_SKIP() << "xmllint is not installed";
    QTemporaryDir dir;
    g.SetCells(2, 2, QString::fromUtf8("caf\xc3\xa9 <\xe6\x97\xa5>"));
    g.SetCells(0, 2, QStringLiteral("http://host/a?b=1&c=\"2\""));
    g.SetCells(0, 0, QStringLiteral("two\r\nlines"));
    g.SetURLShow(true);
    for (const bool unicode : {false, true}) {
        const QString file = dir.filePath(QStringLiteral("g.xhtml"));
        SaveToHTML(g, file, false, unicode);
        EXPECT_EQ(Lint({QStringLiteral("--noout")}, file), "") << unicode;
    }
    g.HTMLSettings.XHTML = false;
    g.HTMLSettings.SuffixTag.clear();
    g.HTMLSettings.ConvertSpecialChars = true;
    const QString file = dir.filePath(QStringLiteral("g.html"));
    SaveToHTML(g, file, false, false);
    EXPECT_EQ(Lint({QStringLiteral("--html"), QStringLiteral("--noout")}, file), "");
}

TEST(Html, SettingsShapeTheFragments)
{
    struct Case
    {
        const char* name;
        QString text;  // the data cell (1, 1)
        std::function<void(TExStringGrid&)> set;
        QStringList present;
        QStringList absent;
    };
    const auto none = [](TExStringGrid&) {};
    const std::vector<Case> cases = {
        {"markup kept by default", QStringLiteral("a<b"), none, {QStringLiteral(">a<b</td>")}, {}},
        {"special chars escaped", QStringLiteral("a<b \"&\" \xe9"),
         [](TExStringGrid& g) { g.HTMLSettings.ConvertSpecialChars = true; },
         {QStringLiteral(">a&lt;b &quot;&amp;&quot; &eacute;</td>")},
         {}},
        {"header not escaped", QStringLiteral("x"),
         [](TExStringGrid& g) {
             g.HTMLSettings.ConvertSpecialChars = true;
             g.SetCells(0, 0, QStringLiteral("h<"));
         },
         {QStringLiteral(">h<</td>")},
         {}},
        {"line break", QStringLiteral("x\r\ny"), none, {QStringLiteral(">x<br>\ny</td>")}, {}},
        {"non-breaking", QStringLiteral("a b"), [](TExStringGrid& g) { g.HTMLSettings.NonBreakingText = true; },
         {QStringLiteral(">a&nbsp;b</td>")},
         {}},
        {"blank data cell", QStringLiteral("  "), none, {QStringLiteral("<TD class=\"c0\">&nbsp;</td>")}, {}},
        {"url labelled after ://", QStringLiteral("http://host/p"), [](TExStringGrid& g) { g.SetURLShow(true); },
         {QStringLiteral("><a href=\"http://host/p\">host/p</a></td>")},
         {}},
        {"url full", QStringLiteral("http://host/p"),
         [](TExStringGrid& g) {
             g.SetURLShow(true);
             g.SetURLFull(true);
         },
         {QStringLiteral("<a href=\"http://host/p\">http://host/p</a>")},
         {}},
        {"url address quoted and escaped", QStringLiteral("http://h/a b\"c>d"),
         [](TExStringGrid& g) { g.SetURLShow(true); },
         {QStringLiteral("<a href=\"http://h/a b&quot;c&gt;d\">h/a b\"c>d</a>")},
         {}},
        {"mail link", QStringLiteral("mailto:me@host"), [](TExStringGrid& g) { g.SetURLShow(true); },
         {QStringLiteral("<a href=\"mailto:me@host\">me@host</a>")},
         {}},
        {"no link without URLShow", QStringLiteral("http://host/p"), none, {QStringLiteral(">http://host/p</td>")},
         {QStringLiteral("<a ")}},
        {"table attributes", QStringLiteral("x"),
         [](TExStringGrid& g) {
             g.HTMLSettings.BorderSize = 2;
             g.HTMLSettings.CellSpacing = 1;
             g.HTMLSettings.CellPadding = 3;
             g.HTMLSettings.Width = 50;
             g.HTMLSettings.Summary = QStringLiteral("s\"");
             g.HTMLSettings.TableStyle = QStringLiteral("id=t");
         },
         {QStringLiteral("<TABLE BORDER=\"2\" CELLSPACING=\"1\" CELLPADDING=\"3\" SUMMARY=\"s&quot;\"  id=t  "
                         "WIDTH=\"50%\">\r\n")},
         {}},
        {"prefix and suffix", QStringLiteral("x"),
         [](TExStringGrid& g) {
             g.HTMLSettings.PrefixTag = QStringLiteral("<h1>P</h1>");
             g.HTMLSettings.SuffixTag = QStringLiteral("<p>S</p>");
         },
         {QStringLiteral("<h1>P</h1><style>"), QStringLiteral("</TABLE>\r\n<p>S</p>\r\n")},
         {QStringLiteral("</HTML>")}},
        {"header widths", QStringLiteral("x"),
         [](TExStringGrid& g) {
             g.HTMLSettings.ColWidths.Add(40);
             g.HTMLSettings.ColWidths.Add(60);
         },
         {QStringLiteral("<TD class=\"c0\" WIDTH=40>h0</td>"), QStringLiteral("<TD class=\"c0\" WIDTH=60>h1</td>")},
         {QStringLiteral(" width=")}},
        {"data widths without a header", QStringLiteral("x"),
         [](TExStringGrid& g) {
             g.SaveFixedCells = false;
             g.HTMLSettings.ColWidths.Add(40);
         },
         {QStringLiteral("<TD class=\"c0\" width=40>d0</td>"), QStringLiteral("<TD class=\"c0\">x</td>")},
         {QStringLiteral("WIDTH=40")}},
        {"colours left out", QStringLiteral("x"), [](TExStringGrid& g) { g.HTMLSettings.SaveColor = false; },
         {QStringLiteral(".c0 {font-size:8pt;font-family: Tahoma;vertical-align: top}")},
         {QStringLiteral("color")}},
        {"header takes the fixed colour", QStringLiteral("x"),
         [](TExStringGrid& g) { g.FixedColor = 0x00FF00; },
         {QStringLiteral(".c0 {background-color: #00FF00;"), QStringLiteral(".c1 {background-color: #FFFFFF;"),
          QStringLiteral("<TD class=\"c0\">h0</td>"), QStringLiteral("<TD class=\"c1\">x</td>")},
         {}},
        {"xhtml closes empty elements", QStringLiteral("a b\r\nc"),
         [](TExStringGrid& g) {
             g.HTMLSettings.XHTML = true;
             g.HTMLSettings.NonBreakingText = true;
         },
         {QStringLiteral(">a&#160;b<br />\nc</td>"), QStringLiteral("<td class=\"c0\">&#160;</td>")},
         {QStringLiteral("<TD"), QStringLiteral("&nbsp;")}},
        {"xhtml escapes plain text", QStringLiteral("a<b"), [](TExStringGrid& g) { g.HTMLSettings.XHTML = true; },
         {QStringLiteral(">a&lt;b</td>")},
         {}},
        {"xhtml keeps a cell's own markup", QStringLiteral("<b>bold</b>"),
         [](TExStringGrid& g) { g.HTMLSettings.XHTML = true; },
         {QStringLiteral("><b>bold</b></td>")},
         {}},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        Grid(g, 3, 2, 1);
        g.SetCells(0, 0, QStringLiteral("h0"));
        g.SetCells(1, 0, QStringLiteral("h1"));
        g.SetCells(0, 1, QStringLiteral("d0"));
        g.SetCells(1, 1, c.text);
        c.set(g);
        const QString html = SaveToHTMLString(g, QString());
        for (const QString& p : c.present)
            EXPECT_TRUE(html.contains(p)) << c.name << ": " << p.toStdString() << "\n" << html.toStdString();
        for (const QString& a : c.absent)
            EXPECT_FALSE(html.contains(a)) << c.name << ": " << a.toStdString() << "\n" << html.toStdString();
    }
}

TEST(Html, FilesAndTheirEncodings)
{
    QTemporaryDir dir;
    TExStringGrid g;
    Grid(g, 1, 1, 0);
    g.SetCells(0, 0, QString::fromUtf8("caf\xc3\xa9 \xf0\x9f\x98\x80"));
    const QString file = dir.filePath(QStringLiteral("t.html"));
    const QString body = SaveToHTMLString(g, QString());

    // ASCII bytes; what ASCII lacks as a character reference, never "?".
    SaveToHTML(g, file, false, false);
    QByteArray bytes = Read(file);
    EXPECT_TRUE(bytes.contains(">caf&#233; &#128512;</td>")) << bytes.toStdString();
    EXPECT_EQ(bytes, body.toLatin1().replace(QByteArray("caf\xe9 "), "caf&#233; ").replace("??", "&#128512;") +
                         "\r\n");

    // UTF-16LE after a byte-order mark.
    SaveToHTML(g, file, false, true);
    bytes = Read(file);
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2),
              body + QStringLiteral("\r\n"));

    // Header and footer file lines around the string; appending keeps the
    // old lines, and appending to a missing file makes a new one.
    const QString header = dir.filePath(QStringLiteral("head.txt"));
    const QString footer = dir.filePath(QStringLiteral("foot.txt"));
    Write(header, "<html>\n<body>\n");
    Write(footer, "</body>\r\n</html>");
    g.HTMLSettings.HeaderFile = header;
    g.HTMLSettings.FooterFile = footer;
    const QByteArray framed = "<html>\r\n<body>\r\n" + body.toLatin1().replace("caf\xe9 ??", "caf&#233; &#128512;") +
                              "\r\n</body>\r\n</html>\r\n";
    const QString fresh = dir.filePath(QStringLiteral("new.html"));
    AppendToHTML(g, fresh, false, false);
    EXPECT_EQ(Read(fresh), framed);
    AppendToHTML(g, fresh, false, false);
    EXPECT_EQ(Read(fresh), framed + framed);

    // An unreadable header file raises the file error.
    g.HTMLSettings.HeaderFile = dir.filePath(QStringLiteral("missing.txt"));
    EXPECT_THROW(SaveToHTML(g, fresh, false, false), GridError);
    EXPECT_EQ(Read(fresh), framed + framed);
}

TEST(Html, FailuresLeaveTheOldFile)
{
    QTemporaryDir dir;
    auto bitmap = std::make_unique<TBitmap>();
    TExStringGrid g;
    Grid(g, 1, 1, 0);
    bitmap->Image = QImage(4, 4, QImage::Format_ARGB32);
    bitmap->Image.fill(Qt::red);
    g.AddBitmap(0, 0, bitmap.get(), false, haLeft, vaTop);
    const QString file = dir.filePath(QStringLiteral("t.html"));
    Write(file, "old");

    // The images folder cannot be made: a file of its name is in the way.
    Write(dir.filePath(QStringLiteral("images")), "");
    try {
        SaveToHTML(g, file, false, false);
        ADD_FAILURE() << "no error";
    } catch (const GridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot create ") + QDir(dir.path()).absolutePath() +
                                   QStringLiteral("/images"));
    }
    EXPECT_EQ(Read(file), "old");

    // A target that cannot be written is reported; what is there stays.
    g.RemoveBitmap(0, 0);
    const QString folder = dir.filePath(QStringLiteral("folder.html"));
    ASSERT_TRUE(QDir().mkdir(folder));
    Write(folder + QStringLiteral("/keep"), "k");
    EXPECT_THROW(SaveToHTML(g, folder, false, false), GridError);
    EXPECT_EQ(Read(folder + QStringLiteral("/keep")), "k");
    EXPECT_THROW(SaveToHTML(g, dir.filePath(QStringLiteral("no/such/t.html")), false, false), GridError);
}

TEST(Html, ImageFilesAndTags)
{
    QTemporaryDir dir;
    const QString base = dir.path() + u'/';
    TCustomImageList list;
    list.Count = 2;
    list.Width = 5;
    list.Height = 6;
    auto bitmap = std::make_unique<TBitmap>();
    TExStringGrid g;
    Grid(g, 3, 3, 1);
    g.GridImages = &list;
    bitmap->Image = QImage(7, 3, QImage::Format_ARGB32);
    bitmap->Image.fill(Qt::transparent);
    g.SetCells(0, 0, QStringLiteral("h"));
    g.AddBitmap(0, 0, bitmap.get(), false, haLeft, vaTop);
    g.SetCells(0, 1, QStringLiteral("t"));
    g.AddBitmap(0, 1, bitmap.get(), false, haLeft, vaTop);
    g.SetCells(1, 1, QStringLiteral("i"));
    g.AddImageIdx(1, 1, 1, haLeft, vaTop);
    g.SetCells(2, 1, QStringLiteral("1"));
    g.AddDataImage(2, 1, 0, haLeft, vaTop);
    g.SetCells(0, 2, QStringLiteral("no picture"));
    g.AddImageIdx(0, 2, 5, haLeft, vaTop);
    g.SetCells(1, 2, QStringLiteral("9"));
    g.AddDataImage(1, 2, 0, haLeft, vaTop);
    g.SetCells(2, 2, QStringLiteral("m"));
    TIntList* indices = g.AddMultiImage(2, 2, 0, haLeft, vaTop);
    indices->Add(0);
    indices->Add(1);

    const auto tag = [&](int n) {
        return QStringLiteral("<img src= \"file://%1images/img%2.jpg\">").arg(base).arg(n);
    };
    const QString html = SaveToHTMLString(g, base);
    // The header's image is 0, the data rows go on from 1.
    EXPECT_TRUE(html.contains(QStringLiteral(">h") + tag(0) + QStringLiteral("</td>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral(">t") + tag(1) + QStringLiteral("</td>")));
    EXPECT_TRUE(html.contains(u'>' + tag(2) + QStringLiteral("i</td>")));
    EXPECT_TRUE(html.contains(u'>' + tag(3) + QStringLiteral("</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral(">no picture</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<TD class=\"c0\"></td>")));  // index 9: an empty cell
    EXPECT_TRUE(html.contains(u'>' + tag(4) + tag(5) + QStringLiteral("m</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("img6")));
    for (int n = 0; n < 6; ++n) {
        const QString file = base + QStringLiteral("images/img%1.jpg").arg(n);
        EXPECT_TRUE(Read(file).startsWith("\xFF\xD8\xFF")) << n;
        const QImage image(file);
        EXPECT_EQ(image.size(), n < 2 ? QSize(7, 3) : QSize(5, 6)) << n;
    }
    EXPECT_FALSE(QFile::exists(base + QStringLiteral("images/img6.jpg")));

    // Without a header image the data rows still start at 1; no images when
    // they are not exported.
    g.SaveFixedCells = false;
    EXPECT_TRUE(SaveToHTMLString(g, base).contains(QStringLiteral(">t") + tag(1)));
    g.HTMLSettings.ExportImages = false;
    EXPECT_FALSE(SaveToHTMLString(g, base).contains(QStringLiteral("<img")));

    // XHTML image tags are closed; xmllint reads the document.
    g.HTMLSettings.ExportImages = true;
    g.HTMLSettings.XHTML = true;
    const QString file = base + QStringLiteral("x.html");
    SaveToHTML(g, file, false, false);
    EXPECT_TRUE(
        Read(file).contains(QStringLiteral("<img src=\"file://%1images/img1.jpg\" alt=\"\" />").arg(base).toUtf8()));
    if (HaveXmllint()) {
        EXPECT_EQ(Lint({QStringLiteral("--noout")}, file), "");
    }
}

// A list that holds pictures: entry i is 4 + i pixels wide, red or blue.
class PictureList : public TCustomImageList
{
public:
    QImage Picture(int index) const override
    {
        QImage image(4 + index, 4, QImage::Format_RGB32);
        image.fill(index % 2 ? Qt::blue : Qt::red);
        return image;
    }
};

TEST(Html, ImageListEntriesAreTheirOwnPictures)
{
    QTemporaryDir dir;
    const QString base = dir.path() + u'/';
    PictureList list;
    list.Count = 3;
    TExStringGrid g;
    Grid(g, 3, 2, 1);
    g.GridImages = &list;
    g.AddImageIdx(0, 1, 2, haLeft, vaTop);
    g.SetCells(1, 1, QStringLiteral("1"));
    g.AddDataImage(1, 1, 0, haLeft, vaTop);
    TIntList* indices = g.AddMultiImage(2, 1, 0, haLeft, vaTop);
    indices->Add(1);
    indices->Add(0);
    SaveToHTMLString(g, base);
    const struct
    {
        int width;
        QRgb colour;
    } expected[] = {{6, qRgb(255, 0, 0)}, {5, qRgb(0, 0, 255)}, {5, qRgb(0, 0, 255)}, {4, qRgb(255, 0, 0)}};
    // The data rows' pictures are numbered from 1.
    for (int n = 0; n < 4; ++n) {
        const QImage image(base + QStringLiteral("images/img%1.jpg").arg(n + 1));
        ASSERT_FALSE(image.isNull()) << n;
        EXPECT_EQ(image.width(), expected[n].width) << n;
        const QRgb got = image.pixel(1, 1);
        EXPECT_NEAR(qRed(got), qRed(expected[n].colour), 40) << n;
        EXPECT_NEAR(qBlue(got), qBlue(expected[n].colour), 40) << n;
    }
}

TEST(Html, ShowAndAutoPreviewOpenTheFile)
{
    QTemporaryDir dir;
    OpenerRecorder opener;
    TExStringGrid g;
    Grid(g, 1, 1, 0);
    const QString file = dir.filePath(QStringLiteral("t.html"));
    SaveToHTML(g, file, false, false);
    EXPECT_TRUE(opener.Opened.isEmpty());
    SaveToHTML(g, file, true, false);
    g.HTMLSettings.AutoPreview = true;
    AppendToHTML(g, file, false, false);
    EXPECT_EQ(opener.Opened, QStringList({file, file}));
}

TEST(Html, CopyAsHtmlWritesNoFiles)
{
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Image = QImage(4, 4, QImage::Format_RGB32);
    TExStringGrid g;
    Grid(g, 2, 1, 0);
    g.SetCells(0, 0, QString::fromUtf8("caf\xc3\xa9"));
    g.AddBitmap(1, 0, bitmap.get(), false, haLeft, vaTop);
    QClipboard* clipboard = QGuiApplication::clipboard();
    CopyToClipBoardAsHTML(g, *clipboard);
    QDir::setCurrent(before);
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_TRUE(g.HTMLSettings.ExportImages);

    // The offsets of the header lines point into the envelope itself.
    const QMimeData* data = clipboard->mimeData();
    ASSERT_NE(data, nullptr);
    const QString envelope = data->text();
    const QStringList head = envelope.split(QStringLiteral("\r\n")).mid(0, 5);
    ASSERT_EQ(head.size(), 5);
    EXPECT_EQ(head[0], QStringLiteral("Version:1.0"));
    const auto offset = [&](int line) { return head[line].section(u':', 1).toInt(); };
    EXPECT_EQ(head[1], QStringLiteral("StartHTML:00000097"));
    EXPECT_EQ(offset(2), envelope.size());
    EXPECT_EQ(data->html(), envelope.mid(offset(1)));
    EXPECT_TRUE(data->html().startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC")));
    const QString fragment = envelope.mid(offset(3), offset(4) - offset(3));
    EXPECT_TRUE(envelope.mid(0, offset(3)).endsWith(QStringLiteral("<!--StartFragment-->")));
    EXPECT_TRUE(envelope.mid(offset(4)).startsWith(QStringLiteral("<!--EndFragment-->")));
    EXPECT_TRUE(fragment.startsWith(QStringLiteral("<style>"))) << fragment.toStdString();
    EXPECT_TRUE(fragment.contains(QStringLiteral(">caf&#233;</td>"))) << fragment.toStdString();
    EXPECT_FALSE(fragment.contains(QStringLiteral("<img")));
}
