// Export of a string tree: exact HTML and RTF of an empty tree, indentation by level, escaping and
// quoting, RTF character codes, the clipboard HTML offsets, paper size and cancelling; trees with columns.

#include "controls/tree/widget/string_tree.h"
#include "controls/tree/widget/tree_export.h"
#include "controls/tree/widget/tree_header_bar.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

using namespace lazytree;

namespace {

struct TextTree {
    TLazyStringTree tree;
    std::map<PLazyNode, QString> texts;
    TextTree()
    {
        tree.setFont(QFont(QStringLiteral("Arial"), 9));
        QPalette palette = tree.palette();
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::WindowText, Qt::black);
        palette.setColor(QPalette::Base, Qt::white);
        tree.setPalette(palette);
        tree.resize(300, 200);
        tree.OnGetText = [this](TBaseLazyTree*, PLazyNode node, TColumnIndex, TVSTTextType type, QString& text) {
            text = type == ttNormal ? texts[node] : QString();
        };
    }
    PLazyNode Add(PLazyNode parent, const QString& text)
    {
        PLazyNode n = tree.AddChild(parent);
        texts[n] = text;
        return n;
    }
};

const QString kStyleBlock = QStringLiteral(
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><style type=\"text/css\">\r\n"
    ".default{font-family: 'Arial'; font-size: 9pt; font-style: normal; font-weight: normal; "
    "text-decoration: none; color: #000000;}\r\n"
    ".header{font-family: 'Arial'; font-size: 9pt; font-style: normal; font-weight: normal; "
    "text-decoration: none; color: #000000;}\r\n"
    ".noborder{border-style: none;padding-left: 4px; padding-right: 4px;}\r\n"
    ".normalborder {vertical-align: top; border-right: none; border-left:none; border-top:none; border-bottom: none;"
    "border-width: thin; border-style: dotted;padding-left: 4px; padding-right: 4px;}</style>\r\n"
    "<table class=\"default\" style=\"border-collapse: collapse;\" bgcolor=#FFFFFF  border=\"2\" frame=box "
    "cellspacing=\"0\">\r\n");

} // namespace

TEST(TreeExport, EmptyTreeGivesTheFrameOnly)
{
    TextTree t;
    EXPECT_EQ(t.tree.ContentToHTML(tstAll), kStyleBlock + QStringLiteral("</table>"));
    const QByteArray cell = QByteArray::number(PixelsToTwips(t.tree.ClientWidth(), t.tree.logicalDpiX()));
    EXPECT_EQ(t.tree.ContentToRTF(tstAll),
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl}{\\colortbl;}" + RtfPaperSize()
            + "\\margl720\\margr720\\margt720\\margb720\\uc1\\trowd\\trgaph70\\cellx" + cell + "\\pard\\par}");
    EXPECT_EQ(t.tree.ContentToText(tstAll, QStringLiteral("\t")), QString());
}

TEST(TreeExport, IndentationFollowsTheLevel)
{
    TextTree t;
    PLazyNode a = t.Add(nullptr, QStringLiteral("A"));
    PLazyNode b = t.Add(a, QStringLiteral("B"));
    PLazyNode c = t.Add(b, QStringLiteral("C"));
    t.Add(c, QStringLiteral("D"));
    EXPECT_EQ(t.tree.ContentToText(tstAll, QStringLiteral("\t")), QStringLiteral("A\r\n\tB\r\n\t\tC\r\n\t\t\tD\r\n"));
    EXPECT_EQ(t.tree.ContentToText(tstAll, QStringLiteral(";;")), QStringLiteral("A\r\n;;B\r\n;;;;C\r\n;;;;;;D\r\n"));

    // C (level 2 of 3): two indentation cells and a colspan of 2.
    const QString html = t.tree.ContentToHTML(tstAll);
    const QString rowC = QStringLiteral(
        " <tr class=\"default\">\r\n"
        " <td height=\"18px\" class=\"normalborder\">&nbsp;</td> <td>&nbsp;</td>"
        " <td class=\"normalborder\"  height=\"18px\" align=left colspan=\"2\">C</td> </tr>\r\n");
    EXPECT_TRUE(html.contains(rowC)) << html.toStdString();
    EXPECT_TRUE(html.startsWith(kStyleBlock));
    EXPECT_TRUE(html.endsWith(QStringLiteral("align=left>D</td> </tr>\r\n</table>")));

    // RTF: "\tab" per level and a space before the text run.
    const QByteArray rtf = t.tree.ContentToRTF(tstAll);
    EXPECT_TRUE(rtf.contains("\\pard\\intbl\\tab\\tab  \\u67\\'3f\\cell\\row\r\n")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"));
    // The first run names font, colour and size; later runs repeat none of them.
    EXPECT_TRUE(rtf.contains("\\pard\\intbl\\f0\\cf1\\fs18 \\u65\\'3f\\cell\\row\r\n"));
}

TEST(TreeExport, EscapingQuotingAndCharacterCodes)
{
    TextTree t;
    t.Add(nullptr, QStringLiteral("a<b>&\"c"));
    t.Add(nullptr, QStringLiteral("x,y\"z"));
    t.Add(nullptr, QStringLiteral("two\nlines"));
    t.Add(nullptr, QString::fromUtf16(u"\u20AC\uFFFD"));
    const QString html = t.tree.ContentToHTML(tstAll, QStringLiteral("<cap>"));
    EXPECT_TRUE(html.contains(QStringLiteral(">a&lt;b&gt;&amp;&quot;c</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("caption=\"&lt;cap&gt;\"")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>")));

    struct Case {
        QString separator;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral(","),
            QStringLiteral("\"a<b>&\"\"c\"\r\n\"x,y\"\"z\"\r\n\"two\nlines\"\r\n") + QString::fromUtf16(u"\u20AC\uFFFD\r\n")},
        {QStringLiteral("\t"),
            QStringLiteral("\"a<b>&\"\"c\"\r\n\"x,y\"\"z\"\r\n\"two\nlines\"\r\n") + QString::fromUtf16(u"\u20AC\uFFFD\r\n")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.tree.ContentToText(tstAll, c.separator), c.expected);

    const QByteArray rtf = t.tree.ContentToRTF(tstAll);
    EXPECT_TRUE(rtf.contains(" \\u8364\\'3f\\u-3\\'3f\\cell")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\u116\\'3f\\u119\\'3f\\u111\\'3f{\\par}\\u108\\'3f")); // "two" LF "l"
}

TEST(TreeExport, ClipboardHtmlOffsetsPaperAndTwips)
{
    const QByteArray block = AddClipboardHtmlHeader("0123456789");
    EXPECT_TRUE(block.startsWith("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000311\r\n"
                                 "StartFragment:00000269\r\nEndFragment:00000279\r\n<!DOCTYPE"));
    EXPECT_EQ(block.size(), 311);
    EXPECT_EQ(block.mid(269, 10), "0123456789");
    EXPECT_EQ(block.mid(97, 9), "<!DOCTYPE");

    EXPECT_EQ(RtfPaperSize(QLocale(QLocale::German, QLocale::Germany)), "\\paperw16840\\paperh11907");
    EXPECT_EQ(RtfPaperSize(QLocale(QLocale::English, QLocale::UnitedStates)), "\\paperw15840\\paperh12240");
    EXPECT_EQ(CsvSeparator(QLocale(QLocale::German, QLocale::Germany)), QStringLiteral(";"));
    EXPECT_EQ(CsvSeparator(QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral(","));

    struct Twips {
        int pixels, dpi, twips;
    };
    for (const Twips& c : {Twips{1, 96, 15}, Twips{200, 96, 3000}, Twips{1, 2880, 0}, Twips{3, 2880, 2},
             Twips{5, 2880, 2}})
        EXPECT_EQ(PixelsToTwips(c.pixels, c.dpi), c.twips) << c.pixels << "@" << c.dpi;
}

TEST(TreeExport, SourcesModesCsvLinesAndCancelling)
{
    TextTree t;
    PLazyNode a = t.Add(nullptr, QStringLiteral("a"));
    PLazyNode b = t.Add(nullptr, QStringLiteral(""));
    t.Add(a, QStringLiteral("a1"));
    t.tree.AddToSelection(b);
    EXPECT_EQ(t.tree.ContentToText(tstSelected, QStringLiteral("\t")), QStringLiteral("\r\n"));
    EXPECT_EQ(t.tree.ContentToText(tstVisible, QStringLiteral("\t")), QStringLiteral("a\r\n\r\n"));
    // The export mode filters HTML, not text.
    t.tree.TreeOptions().SetExportMode(emSelected);
    EXPECT_FALSE(t.tree.ContentToHTML(tstAll).contains(QStringLiteral(">a</td>")));
    EXPECT_EQ(t.tree.ContentToText(tstAll, QStringLiteral("\t")), QStringLiteral("a\r\n\ta1\r\n\r\n"));

    // One line per top-level node; the empty text stays a single space.
    EXPECT_EQ(t.tree.BuildCSVLines(false), QStringList({"\"a\"", " "}));

    // Cancelled while the first node is written: the output stops after it.
    t.tree.OnGetText = [&](TBaseLazyTree* tree, PLazyNode node, TColumnIndex, TVSTTextType, QString& text) {
        text = t.texts[node];
        if (node == a)
            tree->CancelOperation();
    };
    EXPECT_EQ(t.tree.ContentToText(tstAll, QStringLiteral("\t")), QStringLiteral("a\r\n"));
}

TEST(TreeExport, ExportEventsInTheirOrderAndSkippedNodes)
{
    TextTree t;
    PLazyNode a = t.Add(nullptr, QStringLiteral("a"));
    PLazyNode b = t.Add(nullptr, QStringLiteral("b"));
    QStringList log;
    const auto name = [&](PLazyNode n) { return n == a ? QStringLiteral("a") : QStringLiteral("b"); };
    t.tree.OnBeforeTreeExport = [&](TBaseLazyTree*, TVTExportType type) { log << QStringLiteral("tree%1").arg(type); };
    t.tree.OnAfterTreeExport = [&](TBaseLazyTree*, TVTExportType) { log << QStringLiteral("/tree"); };
    t.tree.OnBeforeNodeExport = [&](TBaseLazyTree*, TVTExportType, PLazyNode n) {
        log << QStringLiteral("before ") + name(n);
        return n != b;
    };
    t.tree.OnNodeExport = [&](TBaseLazyTree*, TVTExportType, PLazyNode n) {
        log << QStringLiteral("node ") + name(n);
        return true;
    };
    t.tree.OnAfterNodeExport = [&](TBaseLazyTree*, TVTExportType, PLazyNode n) {
        log << QStringLiteral("after ") + name(n);
        return true;
    };
    t.tree.ContentToCustom(tstAll);
    EXPECT_EQ(log, QStringList({"tree3", "before a", "node a", "after a", "before b", "node b", "after b", "/tree"}));

    // HTML and RTF: a refused node is skipped; no tree events, no node event.
    log.clear();
    const QString html = t.tree.ContentToHTML(tstAll);
    EXPECT_EQ(log, QStringList({"before a", "after a", "before b"}));
    EXPECT_TRUE(html.contains(QStringLiteral(">a</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral(">b</td>")));
    log.clear();
    EXPECT_FALSE(t.tree.ContentToRTF(tstAll).contains("\\u98\\'3f"));
    EXPECT_EQ(log, QStringList({"before a", "after a", "before b"}));
}

// ---- Trees with columns ------------------------------------------------------------------------------------

namespace {

// Three columns "Name" (main), "Value" and "Unit", 100 pixels each; a cell's text is the node's text, the
// node's text with "v", or "u".
struct ColumnTree : TextTree {
    std::vector<TVTExportType> asked;
    ColumnTree()
    {
        QPalette palette = tree.palette();
        palette.setColor(QPalette::Button, QColor(0xC0, 0xC0, 0xC0));
        tree.setPalette(palette);
        TLazyTreeColumns& columns = tree.ColumnHeader().Columns();
        for (const char16_t* name : {u"Name", u"Value", u"Unit"}) {
            TLazyTreeColumn& c = columns.Add();
            c.SetText(name);
            c.SetWidth(100);
        }
        tree.ColumnHeader().SetMainColumn(0);
        tree.OnGetText = nullptr;
        tree.OnGetCellText = [this](TCustomLazyStringTree*, TVSTGetCellTextEventArgs& e) {
            asked.push_back(e.ExportType);
            e.CellText = e.Column == 0 ? texts[e.Node] : e.Column == 1 ? texts[e.Node] + QLatin1Char('v') : "u";
        };
    }
    TLazyTreeColumn& Column(TColumnIndex i) { return tree.ColumnHeader().Columns()[i]; }
    // A (level 0) holding B holding C, then a top-level "x,y".
    void AddChain()
    {
        PLazyNode a = Add(nullptr, QStringLiteral("A"));
        PLazyNode b = Add(a, QStringLiteral("B"));
        Add(b, QStringLiteral("C"));
        Add(nullptr, QStringLiteral("x,y"));
    }
};

} // namespace

TEST(TreeExportColumns, TextHasAHeaderLineAndOneFieldPerVisibleColumn)
{
    ColumnTree t;
    t.AddChain();
    // Level fillers stay outside the quotes; the main column's trailing filler keeps the columns aligned.
    EXPECT_EQ(t.tree.ContentToText(tstAll, QStringLiteral("\t")),
        QStringLiteral("Name\t\t\tValue\tUnit\r\nA\t\t\tAv\tu\r\n\tB\t\tBv\tu\r\n\t\tC\tCv\tu\r\nx,y\t\t\tx,yv\tu\r\n"));
    EXPECT_EQ(t.tree.ContentToText(tstAll, QStringLiteral(",")),
        QStringLiteral("Name,,,Value,Unit\r\nA,,,Av,u\r\n,B,,Bv,u\r\n,,C,Cv,u\r\n\"x,y\",,,\"x,yv\",u\r\n"));
    EXPECT_TRUE(std::all_of(t.asked.begin(), t.asked.end(), [](TVTExportType e) { return e == etText; }));

    // Display order Unit, Name, Value with Value hidden: the main column is last and gets no header filler.
    t.Column(2).SetPosition(0);
    t.Column(1).SetOptions(t.Column(1).Options() - TVTColumnOptions{coVisible});
    EXPECT_EQ(t.tree.ContentToText(tstAll, QStringLiteral("\t")),
        QStringLiteral("Unit\tName\r\nu\tA\t\t\r\nu\t\tB\t\r\nu\t\t\tC\r\nu\tx,y\t\t\r\n"));
}

TEST(TreeExportColumns, HtmlHeaderRowCellsAndColumnColours)
{
    ColumnTree t;
    t.AddChain();
    t.Column(1).SetOptions(t.Column(1).Options() - TVTColumnOptions{coParentColor});
    const QString h = QString::number(t.tree.ColumnHeader().Height());
    const QString html = t.tree.ContentToHTML(tstAll);
    EXPECT_TRUE(html.contains(QStringLiteral("<tr class=\"header\" style=\"padding-left: 4px; padding-right: 4px;\">\r\n"
                                             "<th height=\"%1px\" align=left colspan=\"3\" bgcolor=#C0C0C0 width=\"100px\">"
                                             "Name</th><th height=\"%1px\" align=left bgcolor=#C0C0C0 width=\"100px\">"
                                             "Value</th><th height=\"%1px\" align=left bgcolor=#C0C0C0 width=\"100px\">"
                                             "Unit</th></tr>\r\n")
                                  .arg(h)))
        << html.toStdString();
    // B: one indentation cell, colspan 2, then the coloured "Value" cell.
    EXPECT_TRUE(html.contains(QStringLiteral(
        " <tr class=\"default\">\r\n <td height=\"18px\" class=\"normalborder\">&nbsp;</td>"
        " <td class=\"normalborder\"  height=\"18px\" align=left colspan=\"2\">B</td>"
        " <td class=\"normalborder\"  height=\"18px\" align=left bgcolor=#FFFFFF>Bv</td>"
        " <td class=\"normalborder\"  height=\"18px\" align=left>u</td> </tr>\r\n")))
        << html.toStdString();

    // A main column with its own colour indents with coloured cells of the tree's indent; right-to-left
    // columns mirror their alignment.
    t.Column(0).SetOptions(t.Column(0).Options() - TVTColumnOptions{coParentColor});
    t.Column(2).SetBiDiMode(bdRightToLeft);
    const QString coloured = t.tree.ContentToHTML(tstAll);
    EXPECT_TRUE(coloured.contains(QStringLiteral("<td class=\"noborder\" width=\"%1\" height=\"18px\" bgcolor=#FFFFFF>"
                                                 "&nbsp;</td><td class=\"noborder\" width=\"%1\" height=\"18px\" "
                                                 "bgcolor=#FFFFFF>&nbsp;</td> <td class=\"normalborder\"  height=\"18px\" "
                                                 "align=left bgcolor=#FFFFFF>C</td>")
                                      .arg(t.tree.Indent())))
        << coloured.toStdString();
    EXPECT_TRUE(coloured.contains(QStringLiteral(" dir=\"rtl\" align=right>u</td>")));
    EXPECT_TRUE(coloured.contains(QStringLiteral(" dir=\"rtl\" align=right bgcolor=#C0C0C0 width=\"100px\">Unit</th>")));
}

TEST(TreeExportColumns, RtfCellEdgesHeaderRowAndCells)
{
    ColumnTree t;
    t.AddChain();
    t.Column(1).SetAlignment(taRightJustify);
    const int dpi = t.tree.logicalDpiX();
    const QByteArray rtf = t.tree.ContentToRTF(tstAll);
    const QByteArray edges = "\\uc1\\trowd\\trgaph70\\cellx" + QByteArray::number(PixelsToTwips(100, dpi)) + "\\cellx"
        + QByteArray::number(PixelsToTwips(200, dpi)) + "\\cellx" + QByteArray::number(PixelsToTwips(300, dpi));
    EXPECT_TRUE(rtf.contains(edges + "\\pard\\intbl\\ql\\f0\\cf1\\fs18 \\u78\\'3f\\u97\\'3f\\u109\\'3f\\u101\\'3f\\cell"
                                     "\\qr \\u86\\'3f"))
        << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\u116\\'3f\\cell\\row\\pard\\intbl \\u65\\'3f\\cell")) << rtf.toStdString();
    // B: "\tab" once in the main column only; "Value" right-aligned.
    EXPECT_TRUE(rtf.contains("\\pard\\intbl\\tab  \\u66\\'3f\\cell\\pard\\intbl\\qr \\u66\\'3f\\u118\\'3f\\cell"
                             "\\pard\\intbl \\u117\\'3f\\cell\\row\r\n"))
        << rtf.toStdString();
    EXPECT_TRUE(rtf.endsWith("\\pard\\par}"));
}

TEST(TreeExportColumns, HeaderAndColumnEvents)
{
    ColumnTree t;
    t.Add(nullptr, QStringLiteral("a"));
    t.Column(1).SetOptions(t.Column(1).Options() - TVTColumnOptions{coVisible});
    QStringList log;
    t.tree.OnBeforeTreeExport = [&](TBaseLazyTree*, TVTExportType) { log << "tree"; };
    t.tree.OnAfterTreeExport = [&](TBaseLazyTree*, TVTExportType) { log << "/tree"; };
    t.tree.OnBeforeHeaderExport = [&](TBaseLazyTree*, TVTExportType) { log << "header"; };
    t.tree.OnAfterHeaderExport = [&](TBaseLazyTree*, TVTExportType) { log << "/header"; };
    t.tree.OnBeforeColumnExport = [&](TBaseLazyTree*, TVTExportType, TColumnIndex c) { log << QStringLiteral("<%1").arg(c); };
    t.tree.OnColumnExport = [&](TBaseLazyTree*, TVTExportType, TColumnIndex c) { log << QStringLiteral("=%1").arg(c); };
    t.tree.OnAfterColumnExport = [&](TBaseLazyTree*, TVTExportType, TColumnIndex c) { log << QStringLiteral(">%1").arg(c); };
    t.tree.OnNodeExport = [&](TBaseLazyTree*, TVTExportType, PLazyNode) {
        log << "node";
        return true;
    };

    struct Case {
        const char* name;
        std::function<void()> run;
        QStringList expected;
    };
    const Case cases[] = {
        {"hidden header", [&] { t.tree.ContentToCustom(tstAll); }, {"tree", "node", "/tree"}},
        {"custom",
            [&] {
                t.tree.ColumnHeader().SetOptions(t.tree.ColumnHeader().Options() + TVTHeaderOptions{hoVisible});
                t.tree.ContentToCustom(tstAll);
            },
            {"tree", "header", "<0", "=0", ">0", "<2", "=2", ">2", "/header", "node", "/tree"}},
        {"html", [&] { t.tree.ContentToHTML(tstAll); }, {"header", "<0", ">0", "<2", ">2", "/header"}},
        {"rtf", [&] { t.tree.ContentToRTF(tstAll); }, {"header", "<0", ">0", "<2", ">2", "/header"}},
        {"text", [&] { t.tree.ContentToText(tstAll, QStringLiteral("\t")); }, {}},
    };
    for (const Case& c : cases) {
        log.clear();
        c.run();
        EXPECT_EQ(log, c.expected) << c.name;
    }
}
