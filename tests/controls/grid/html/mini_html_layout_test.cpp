#include "controls/grid/html/mini_html_layout.h"

#include "fake_measurer.h"
#include "qt_print.h"

#include <gtest/gtest.h>

namespace {

using namespace grid::html;

QString U(const char* s)
{
    return QString::fromUtf8(s);
}

// A layout over the fake measurer: 7 pixels per character, lines 13 high.
// Lines start at x = 1; the usable width is rect width - 1.
struct Layout
{
    HtmlLayoutInput in;
    FakeMeasurer measurer;
    FakePictures pictures;

    explicit Layout(const char* text, int width = 301, int height = 200)
    {
        in.Text = U(text);
        in.Rect = QRect(0, 0, width, height);
        in.Font.Name = QStringLiteral("Sans");
        in.Font.Size = 8;
        in.Font.Color = 0x000000;
    }
    HtmlLayout Run() { return LayoutHtmlText(in, measurer, &pictures); }
};

std::vector<const HtmlItem*> Items(const HtmlLayout& l, HtmlItemKind kind)
{
    std::vector<const HtmlItem*> found;
    for (const HtmlItem& item : l.Items) {
        if (item.Kind == kind)
            found.push_back(&item);
    }
    return found;
}

QStringList Texts(const HtmlLayout& l)
{
    QStringList texts;
    for (const HtmlItem* item : Items(l, HtmlItemKind::Text))
        texts << item->Text;
    return texts;
}

const HtmlItem* TextItem(const HtmlLayout& l, const QString& text)
{
    for (const HtmlItem* item : Items(l, HtmlItemKind::Text)) {
        if (item->Text == text)
            return item;
    }
    return nullptr;
}

TEST(MiniHtmlLayout, EmptyText)
{
    Layout t("");
    const HtmlLayout l = t.Run();
    EXPECT_EQ(l.ExtentX, 0);
    EXPECT_EQ(l.ExtentY, 13);
    EXPECT_EQ(l.LinkCount, 0);
    EXPECT_FALSE(l.Hit);
    EXPECT_TRUE(l.Items.empty());
    EXPECT_EQ(l.HitLinkIndex, -1);
}

TEST(MiniHtmlLayout, ExtentsWidthsAndPlainText)
{
    struct Case
    {
        const char* text;
        int extentX;
        int extentY;
        const char* plain;
    } cases[] = {
        {"<B>ab</B> <I>cd</I>", 35, 13, "ab cd"},
        {"<B>ab</B> <I>cd</I> ", 35, 13, "ab cd "},   // no trailing blank in the width
        {"a&amp;b", 21, 13, "a&b"},                   // one ampersand
        {"x&permil;", 14, 13, "x\u2030"},
        {"&Save", 28, 13, "Save"},                    // "&S" underlines S
        {"a&amp;lt;b", 42, 13, "a&lt;b"},              // an escaped entity stays text
        {"1&lt;2&gt;0&nbsp;x", 49, 13, "1<2>0 x"},
        {"a<BR>b", 7, 26, "a\rb"},
        {"a\r\nbc", 14, 26, "a\rbc"},
        {"<#1> x", 28, 13, "#1 x"},
        {"a<Z>hidden</Z>b", 14, 13, "ahiddenb"},       // hidden text: plain text only
        {"<FONT SIZE=\"4\">ab</FONT>", 14, 19, "ab"},  // size 4 = 14 pt
        {"<FONT SIZE=\"99999999999\">a</FONT>", 7, 205, "a"},  // clamped to 200 pt
        {"a<SUP>b</SUP>", 14, 16, "ab"},               // rise of a quarter line
        {"a<SUB>b</SUB>", 14, 16, "ab"},
        {"<Corp> x", 14, 13, " x"},                    // any <C... is a control tag
        {"a<B", 7, 13, "a"},                           // a tag without ">" ends the text
        {"a<", 7, 13, "a"},
    };
    for (const Case& c : cases) {
        Layout t(c.text);
        t.in.MeasureOnly = true;
        const HtmlLayout l = t.Run();
        EXPECT_EQ(l.ExtentX, c.extentX) << c.text;
        EXPECT_EQ(l.ExtentY, c.extentY) << c.text;
        EXPECT_EQ(l.PlainText, U(c.plain)) << c.text;
        EXPECT_TRUE(l.Items.empty()) << c.text;
    }
}

TEST(MiniHtmlLayout, RunsAreDrawnInTheirFontAndPlace)
{
    Layout t("<B>ab</B> <I>c&amp;d&x</I>");
    const HtmlLayout l = t.Run();
    EXPECT_EQ(Texts(l), (QStringList{"ab", " ", "c&dx"}));
    const HtmlItem* ab = TextItem(l, "ab");
    ASSERT_TRUE(ab);
    EXPECT_EQ(ab->Rect, QRect(1, 0, 14, 13));
    EXPECT_TRUE(ab->Font.Bold);
    EXPECT_FALSE(ab->Font.Italic);
    const HtmlItem* cd = TextItem(l, "c&dx");
    ASSERT_TRUE(cd);
    EXPECT_EQ(cd->Rect, QRect(22, 0, 28, 13));
    EXPECT_TRUE(cd->Font.Italic);
    EXPECT_FALSE(cd->Font.Bold);
    EXPECT_EQ(cd->Mnemonics, QList<int>{3});
    EXPECT_EQ(cd->Background, kNoColor);
}

TEST(MiniHtmlLayout, WordWrap)
{
    struct Case
    {
        const char* text;
        int width;  // usable width + 1
        bool wordWrap;
        QStringList lines;  // texts per line, joined
        int extentX;
    } cases[] = {
        // "aaaa " ends exactly at the limit: the next word breaks.
        {"aaaa bbbb cccc", 71, true, {"aaaa ", "bbbb cccc"}, 63},
        {"aaaa bbbb cccc", 101, true, {"aaaa bbbb cccc"}, 98},
        // A word wider than the line overflows where it is.
        {"a verylongwordhere b", 71, true, {"a verylongwordhere ", "b"}, 126},
        // No break inside a word split by a tag.
        {"aaaa bb<B>bbbb</B>", 71, true, {"aaaa bbbbbb"}, 77},
        {"aaaa <B>bbbbbbbb</B>", 71, true, {"aaaa ", "bbbbbbbb"}, 56},
        // Without word wrap lines break only at tags.
        {"aaaa bbbb cccc", 71, false, {"aaaa bbbb cccc"}, 98},
        {"ab<BR>cd", 71, false, {"ab", "cd"}, 14},
        // An overflowing run after other text ends the text.
        {"aaaa <B>bbbbbbbb</B><BR>next", 71, false, {"aaaa bbbbbbbb"}, 91},
    };
    for (const Case& c : cases) {
        Layout t(c.text, c.width);
        t.in.WordWrap = c.wordWrap;
        const HtmlLayout l = t.Run();
        QStringList lines;
        for (const HtmlLine& line : l.Lines) {
            QString joined;
            for (const HtmlItem* item : Items(l, HtmlItemKind::Text)) {
                if (item->Rect.top() >= line.Rect.top() && item->Rect.bottom() <= line.Rect.bottom())
                    joined += item->Text;
            }
            lines << joined;
        }
        EXPECT_EQ(lines, c.lines) << c.text;
        EXPECT_EQ(l.ExtentX, c.extentX) << c.text;
        for (const HtmlLine& line : l.Lines)
            EXPECT_GT(line.End, line.Start) << c.text;
    }
    // Without word wrap every run is cut with an ellipsis at the right edge.
    Layout t("aaaa bbbb cccc", 71);
    t.in.WordWrap = false;
    const HtmlLayout l = t.Run();
    ASSERT_EQ(Items(l, HtmlItemKind::Text).size(), 1u);
    EXPECT_EQ(Items(l, HtmlItemKind::Text)[0]->ElideWidth, 70);
}

TEST(MiniHtmlLayout, LineBreakingTags)
{
    {
        Layout t("a<HR>b");
        const HtmlLayout l = t.Run();
        ASSERT_EQ(l.Lines.size(), 2u);
        const auto lines = Items(l, HtmlItemKind::Line);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0]->Rect, QRect(1, 14, 300, 1));  // one pixel below the line
        EXPECT_EQ(lines[0]->Color, 0u);
    }
    {
        Layout t("<UL><LI>a<LI>b</UL><LI>c");
        const HtmlLayout l = t.Run();
        // <UL> ends its line, a second LI starts a new one.
        ASSERT_EQ(l.Lines.size(), 4u);
        EXPECT_EQ(TextItem(l, "a")->Rect.topLeft(), QPoint(13, 13));
        EXPECT_EQ(TextItem(l, "b")->Rect.topLeft(), QPoint(13, 26));
        EXPECT_EQ(TextItem(l, "c")->Rect.topLeft(), QPoint(1, 39));  // level 0: no indent, no bullet
        const QStringList texts = Texts(l);
        EXPECT_EQ(texts.count(QStringLiteral("\u2022")), 2);
        EXPECT_EQ(TextItem(l, QStringLiteral("\u2022"))->Rect.left(), 1);
    }
    {
        Layout t("<UL><UL><LI>x");
        const HtmlLayout l = t.Run();
        EXPECT_EQ(TextItem(l, "x")->Rect.left(), 25);
        EXPECT_EQ(TextItem(l, "o")->Rect.left(), 13);  // even levels: "o"
    }
    {
        Layout t("ab<IND x=\"30\">c<IND x=\"3\">d");
        const HtmlLayout l = t.Run();
        EXPECT_EQ(TextItem(l, "c")->Rect.left(), 30);
        EXPECT_EQ(TextItem(l, "d")->Rect.left(), 37);  // never moves back
        EXPECT_EQ(l.ExtentX, 43);
    }
    {
        Layout t("a</P>b</LI>c");
        EXPECT_EQ(t.Run().Lines.size(), 3u);
    }
}

TEST(MiniHtmlLayout, ParagraphAlignmentAndIndent)
{
    struct Case
    {
        const char* text;
        int left;
    } cases[] = {
        {"<P align=\"right\">abc</P>", 80},
        {"<P ALIGN=\"CENTER\">abc</P>", 40},
        {"<P align=\"left\">abc</P>", 1},
        {"<P indent=\"10\">abc</P>", 11},
        {"<P align=\"right\" indent=\"5\">abc</P>", 85},
        {"<P align=right>abc</P>", 1},  // unquoted: not read
    };
    for (const Case& c : cases) {
        Layout t(c.text, 101);
        const HtmlLayout l = t.Run();
        ASSERT_TRUE(TextItem(l, "abc")) << c.text;
        EXPECT_EQ(TextItem(l, "abc")->Rect.left(), c.left) << c.text;
    }
    // The alignment holds for the following lines too.
    Layout t("<P align=\"right\">ab<BR>abc", 101);
    const HtmlLayout l = t.Run();
    EXPECT_EQ(TextItem(l, "ab")->Rect.left(), 87);
    EXPECT_EQ(TextItem(l, "abc")->Rect.left(), 80);
}

TEST(MiniHtmlLayout, LinksAndHits)
{
    // "x " 1..15, "one" 15..36, " " 36..43, "two" 43..64
    const char* text = "x <A href=\"h1\" title=\"T1\">one</A> <A HREF=\"Http://B\">two</A>";
    struct Case
    {
        QPoint point;
        bool hit;
        int index;
        const char* target;
        const char* title;
        QRect rect;
    } cases[] = {
        {{50, 6}, true, 2, "Http://B", "", QRect(43, 0, 21, 13)},
        {{15, 6}, true, 1, "h1", "T1", QRect(15, 0, 21, 13)},
        {{35, 12}, true, 1, "h1", "T1", QRect(15, 0, 21, 13)},
        {{38, 6}, false, -1, "", "", QRect()},   // the blank between the links
        {{5, 6}, false, -1, "", "", QRect()},
        {{50, 13}, false, 2, "Http://B", "", QRect(43, 0, 21, 13)},  // on the bottom edge: link, no hit
        {{50, 30}, false, -1, "", "", QRect()},  // below the text
    };
    for (const Case& c : cases) {
        for (const bool hitTestOnly : {false, true}) {
            Layout t(text);
            t.in.Point = c.point;
            t.in.HitTestOnly = hitTestOnly;
            const HtmlLayout l = t.Run();
            const auto at = QStringLiteral("(%1,%2)").arg(c.point.x()).arg(c.point.y()).toStdString();
            EXPECT_EQ(l.Hit, c.hit) << at;
            EXPECT_EQ(l.HitLinkIndex, c.index) << at;
            EXPECT_EQ(l.HitLinkTarget, U(c.target)) << at;
            EXPECT_EQ(l.HitLinkTitle, U(c.title)) << at;
            EXPECT_EQ(l.HitLinkRect, c.rect) << at;
            EXPECT_EQ(l.LinkCount, 2) << at;
            EXPECT_EQ(l.Items.empty(), hitTestOnly) << at;
        }
    }
    // Link text in the link colour and underlined; the entry colour after it.
    Layout t(text);
    t.in.LinkColor = 0x00FF00;
    const HtmlLayout l = t.Run();
    EXPECT_EQ(TextItem(l, "one")->Color, 0x00FF00u);
    EXPECT_TRUE(TextItem(l, "one")->Font.Underline);
    EXPECT_EQ(TextItem(l, "x ")->Color, 0u);
    EXPECT_FALSE(TextItem(l, " ")->Font.Underline);
    // Selected: the caller's colours stay.
    Layout s(text);
    s.in.Selected = true;
    s.in.Font.Color = 0xFFFFFF;
    EXPECT_EQ(TextItem(s.Run(), "one")->Color, 0xFFFFFFu);
}

TEST(MiniHtmlLayout, LinkAcrossLinesAndMissingClose)
{
    {
        // The link starts on line 1 and closes on line 2.
        Layout t("aaaa <A href=\"h\">bbbb cccc</A>", 71);
        t.in.Point = QPoint(5, 20);
        const HtmlLayout l = t.Run();
        ASSERT_EQ(l.Lines.size(), 2u);
        EXPECT_EQ(l.HitLinkIndex, 1);
        EXPECT_EQ(l.HitLinkRect, QRect(1, 13, 63, 13));  // from the line's left
    }
    {
        Layout t("<A href=\"h\">abc");
        t.in.Point = QPoint(5, 5);
        const HtmlLayout l = t.Run();
        EXPECT_EQ(l.HitLinkTarget, U("h"));
        EXPECT_EQ(l.HitLinkIndex, -1);
        EXPECT_EQ(l.HitLinkRect, QRect());
        EXPECT_EQ(l.LinkCount, 1);
    }
}

TEST(MiniHtmlLayout, FocusedAndHoveredLinks)
{
    const char* text = "<A href=\"a\">one</A> <A href=\"b\">two</A>";
    {
        Layout t(text);
        t.in.FocusedLink = 0;
        const HtmlLayout l = t.Run();
        EXPECT_EQ(l.FocusedLinkTarget, U("a"));
        const auto focus = Items(l, HtmlItemKind::FocusRect);
        ASSERT_EQ(focus.size(), 1u);
        EXPECT_EQ(focus[0]->Rect, QRect(0, -1, 23, 15));
    }
    {
        Layout t(text);
        t.in.UnderlineHoveredOnly = true;
        t.in.HoveredLink = 1;  // the first link
        t.in.HoverFontColor = 0x0000FF;
        t.in.HoverBrushColor = 0x00FFFF;
        t.in.LinkColor = 0xFF0000;
        const HtmlLayout l = t.Run();
        const HtmlItem* one = TextItem(l, "one");
        const HtmlItem* two = TextItem(l, "two");
        EXPECT_TRUE(one->Font.Underline);
        EXPECT_EQ(one->Color, 0x0000FFu);
        EXPECT_EQ(one->Background, 0x00FFFFu);
        EXPECT_FALSE(two->Font.Underline);
        EXPECT_EQ(two->Color, 0xFF0000u);
        EXPECT_EQ(two->Background, kNoColor);
        EXPECT_EQ(TextItem(l, " ")->Background, kNoColor);
    }
}

TEST(MiniHtmlLayout, ColoursHighlightErrorAndShadow)
{
    Layout t("<FONT COLOR=\"#FF0000\" BGCOLOR=\"clYellow\">r</FONT>n<HI>h</HI><E>ee</E><SHAD>s</SHAD>");
    t.in.ShadowOffset = 2;
    t.in.ShadowColor = 0x808080;
    const HtmlLayout l = t.Run();
    EXPECT_EQ(TextItem(l, "r")->Color, 0x0000FFu);
    EXPECT_EQ(TextItem(l, "r")->Background, 0x00FFFFu);
    EXPECT_EQ(TextItem(l, "n")->Color, 0u);
    EXPECT_EQ(TextItem(l, "n")->Background, kNoColor);
    EXPECT_EQ(TextItem(l, "h")->Background, HtmlHighlightBrushColor());
    EXPECT_EQ(TextItem(l, "h")->Color, HtmlHighlightTextColor());
    EXPECT_TRUE(TextItem(l, "s")->Shadow);
    EXPECT_EQ(TextItem(l, "s")->ShadowOffset, 2);
    EXPECT_FALSE(TextItem(l, "ee")->Shadow);
    const auto zig = Items(l, HtmlItemKind::ZigZag);
    ASSERT_EQ(zig.size(), 1u);
    // "ee" spans 22..36: points from 22 to 36 every 2 pixels around the text bottom (13).
    ASSERT_EQ(zig[0]->Points.size(), 8u);
    EXPECT_EQ(zig[0]->Points.front(), QPoint(22, 14));
    EXPECT_EQ(zig[0]->Points[1], QPoint(24, 12));
    EXPECT_EQ(zig[0]->Points.back(), QPoint(36, 12));
    EXPECT_EQ(zig[0]->Color, 0x0000FFu);

    // Blink off: the text takes the background colour.
    Layout b("<BLINK>x</BLINK>y");
    b.in.BlinkOn = false;
    b.in.BrushColor = 0xFFFFFF;
    const HtmlLayout bl = b.Run();
    EXPECT_EQ(TextItem(bl, "x")->Color, 0xFFFFFFu);
    EXPECT_EQ(TextItem(bl, "y")->Color, 0u);

    // Paragraph and body backgrounds go under the text.
    Layout p("a<P BGCOLOR=\"#00FF00\">b</P><BODY BGCOLOR=\"clSilver\">");
    const HtmlLayout pl = p.Run();
    ASSERT_GE(pl.Items.size(), 4u);
    EXPECT_EQ(pl.Items[0].Kind, HtmlItemKind::Fill);
    EXPECT_EQ(pl.Items[0].Color, 0xC0C0C0u);
    EXPECT_EQ(pl.Items[0].Rect, QRect(0, 0, 301, 200));
    EXPECT_EQ(pl.Items[1].Kind, HtmlItemKind::Fill);
    EXPECT_EQ(pl.Items[1].Color, 0x00FF00u);
    EXPECT_EQ(pl.Items[1].Rect, QRect(0, 0, 301, 13));
}

TEST(MiniHtmlLayout, ControlsTakeTheirSize)
{
    struct Case
    {
        const char* tag;
        int extentX;
        int extentY;
    } cases[] = {
        {"<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\">", 16, 16},
        {"<CONTROL TYPE=\"RADIO\" ID=\"r\" WIDTH=\"40\">", 16, 16},
        {"<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"50\">", 50, 23},
        {"<CONTROL TYPE=\"COMBO\" ID=\"e\" WIDTH=\"60\">", 60, 25},
        {"<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"70\" HEIGHT=\"40\">", 70, 38},
        {"<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"50\" HEIGHT=\"x\">", 50, 23},
        {"<CONTROL TYPE=\"EDIT\" ID=\"e\">", 0, 13},              // no WIDTH: no space
        {"<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"wide\">", 0, 13},  // WIDTH no number: skipped
        {"<CONTROL TYPE=\"EDIT\" WIDTH=\"99999999999\">", 10000, 23},
    };
    for (const Case& c : cases) {
        Layout t(c.tag);
        const HtmlLayout l = t.Run();
        EXPECT_EQ(l.ExtentX, c.extentX) << c.tag;
        EXPECT_EQ(l.ExtentY, c.extentY) << c.tag;
    }
}

TEST(MiniHtmlLayout, ControlItemsAndHits)
{
    Layout t("<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\"> "
             "<CONTROL TYPE=\"edit\" ID=\"e1\" VALUE=\"a&amp;b\" WIDTH=\"50\">"
             "<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"abc\" WIDTH=\"30\">");
    t.in.Point = QPoint(40, 10);
    const HtmlLayout l = t.Run();
    const auto controls = Items(l, HtmlItemKind::Control);
    ASSERT_EQ(controls.size(), 3u);
    // Line height 23 (the edit), text bottom 23.
    EXPECT_EQ(controls[0]->Control.Type, U("CHECK"));
    EXPECT_TRUE(controls[0]->Control.Checked);
    EXPECT_EQ(controls[0]->Control.Box, QRect(3, 8, 13, 15));
    EXPECT_EQ(controls[1]->Control.Type, U("EDIT"));
    EXPECT_EQ(controls[1]->Text, U("a&b"));
    EXPECT_EQ(controls[1]->Control.Box, QRect(24, 4, 50, 21));
    EXPECT_EQ(controls[2]->Text, U("***"));
    EXPECT_EQ(l.HitLinkTarget, U("ctrl"));
    EXPECT_EQ(l.ControlID, U("e1"));
    EXPECT_EQ(l.ControlType, U("EDIT"));
    EXPECT_EQ(l.ControlValue, U("a&b"));
    EXPECT_EQ(l.HitControlRect, QRect(24, 0, 50, 23));
    EXPECT_TRUE(l.Hit);

    // HitTestOnly finds a control by its ID wherever the point is.
    Layout h(t.in.Text.toUtf8().constData());
    h.in.HitTestOnly = true;
    h.in.ControlID = U("p");
    const HtmlLayout hl = h.Run();
    EXPECT_TRUE(hl.Items.empty());
    EXPECT_EQ(hl.ControlID, U("p"));
    EXPECT_EQ(hl.ControlValue, U("abc"));
    EXPECT_EQ(hl.HitControlRect, QRect(74, 0, 30, 23));
}

TEST(MiniHtmlLayout, Pictures)
{
    Layout t("a<IMG SRC=\"logo\">b<IMG src=\"IDX:1\"><IMG SRC=\"IDX:7\"><IMG SRC=\"logo\" WIDTH=\"40\">"
             "<IMG SRC=\"nothing\"><IMG SRC=\"file://x.png\" WIDTH=\"5\" HEIGHT=\"6\">");
    t.pictures.Add(HtmlPictureKind::Container, "logo", QSize(20, 10));
    t.pictures.Add(HtmlPictureKind::ImageList, "1", QSize(16, 16));
    t.pictures.Add(HtmlPictureKind::Cache, "file://x.png", QSize(50, 50));
    const HtmlLayout l = t.Run();
    // a(7) logo(20) b(7) idx1(16) logo 40x20 url 5x6
    EXPECT_EQ(l.ExtentX, 7 + 20 + 7 + 16 + 40 + 5);
    EXPECT_EQ(l.ExtentY, 20);
    const auto pics = Items(l, HtmlItemKind::Picture);
    ASSERT_EQ(pics.size(), 4u);
    EXPECT_EQ(pics[0]->Text, U("logo"));
    EXPECT_EQ(pics[0]->Rect, QRect(8, 0, 20, 10));
    EXPECT_FALSE(pics[0]->Stretch);
    EXPECT_EQ(pics[1]->Picture, HtmlPictureKind::ImageList);
    EXPECT_EQ(pics[1]->Rect, QRect(35, 0, 16, 16));
    EXPECT_EQ(pics[2]->Rect, QRect(51, 0, 40, 20));
    EXPECT_TRUE(pics[2]->Stretch);
    EXPECT_EQ(pics[3]->Picture, HtmlPictureKind::Cache);
    EXPECT_EQ(pics[3]->Rect, QRect(91, 0, 5, 6));
    // Text sits on the line's bottom.
    EXPECT_EQ(TextItem(l, "a")->Rect, QRect(1, 7, 7, 13));
}

TEST(MiniHtmlLayout, HoverPictureFromAlt)
{
    const char* text = "<A href=\"go\"><IMG SRC=\"one\" ALT=\"two\"></A>";
    for (const bool over : {false, true}) {
        Layout t(text);
        t.pictures.Add(HtmlPictureKind::Container, "one", QSize(20, 10));
        t.pictures.Add(HtmlPictureKind::Container, "two", QSize(20, 10));
        t.in.Point = over ? QPoint(10, 5) : QPoint(100, 5);
        const HtmlLayout l = t.Run();
        const auto pics = Items(l, HtmlItemKind::Picture);
        ASSERT_EQ(pics.size(), 1u);
        EXPECT_EQ(pics[0]->Text, over ? U("two") : U("one"));
        EXPECT_EQ(l.Hit, over);
        EXPECT_EQ(l.HitPicture, over ? 1 : -1);
        EXPECT_EQ(l.HitLinkTarget, over ? U("go") : QString());
    }
}

TEST(MiniHtmlLayout, PictureClassification)
{
    struct Case
    {
        const char* src;
        std::optional<HtmlPictureKind> kind;
        const char* name;
    } cases[] = {
        {"IDX:3", HtmlPictureKind::ImageList, "3"},
        {"idx:x", std::nullopt, ""},
        {"SSYS:/tmp/a.txt", HtmlPictureKind::SmallSystemIcon, "/tmp/a.txt"},
        {"LSYS:.txt", HtmlPictureKind::LargeSystemIcon, ".txt"},
        {"SSYS:12", std::nullopt, ""},  // a system image list index draws nothing
        {"Logo", HtmlPictureKind::Container, "Logo"},
        {"RES://pic", HtmlPictureKind::Cache, "RES://pic"},
        {"c:\\pic.bmp", std::nullopt, ""},
        {"", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const auto where = ClassifyPictureSource(U(c.src));
        ASSERT_EQ(where.has_value(), c.kind.has_value()) << c.src;
        if (where) {
            EXPECT_EQ(where->first, *c.kind) << c.src;
            EXPECT_EQ(where->second, U(c.name)) << c.src;
        }
    }
}

TEST(MiniHtmlLayout, NoPartialLastLine)
{
    Layout t("a<BR>b<BR>c", 100, 30);
    const HtmlLayout l = t.Run();
    EXPECT_EQ(Texts(l), (QStringList{"a", "b"}));
    EXPECT_EQ(l.ExtentY, 26);
    // Measuring alone sizes every line.
    Layout m("a<BR>b<BR>c", 100, 30);
    m.in.MeasureOnly = true;
    EXPECT_EQ(m.Run().ExtentY, 39);
    // The first line is laid out even when it does not fit.
    Layout one("a<BR>b", 100, 5);
    EXPECT_EQ(Texts(one.Run()), QStringList{"a"});
}

TEST(MiniHtmlLayout, SuperscriptSubscriptAndRotation)
{
    Layout t("a<SUP>b</SUP><SUB>c</SUB><R a=\"90\">d</R>e");
    const HtmlLayout l = t.Run();
    // Rise 3 and drop 3: line bottom 19, text bottom 16.
    EXPECT_EQ(l.ExtentY, 19);
    EXPECT_EQ(TextItem(l, "a")->Rect.bottom() + 1, 16);
    EXPECT_EQ(TextItem(l, "b")->Rect.bottom() + 1, 13);
    EXPECT_EQ(TextItem(l, "c")->Rect.bottom() + 1, 19);
    EXPECT_EQ(TextItem(l, "d")->Font.Escapement, 900);
    EXPECT_EQ(TextItem(l, "e")->Font.Escapement, 0);
}

TEST(MiniHtmlLayout, RightToLeftMirrorsPlaces)
{
    Layout t("ab<A href=\"x\">cd</A>", 101);
    t.in.RightToLeftLocale = true;
    t.in.BiDiMode = 1;
    t.in.Point = QPoint(101 - 1 - 20, 5);  // mirror of x = 20, inside "cd" (15..29)
    const HtmlLayout l = t.Run();
    EXPECT_EQ(TextItem(l, "ab")->Rect, QRect(101 - 15, 0, 14, 13));
    EXPECT_EQ(l.HitLinkTarget, U("x"));
    EXPECT_EQ(l.HitLinkRect, QRect(101 - 29, 0, 14, 13));
    // Without a right-to-left locale the mode changes nothing.
    Layout ltr("ab", 101);
    ltr.in.BiDiMode = 1;
    EXPECT_EQ(TextItem(ltr.Run(), "ab")->Rect.left(), 1);
}

}  // namespace
