#include "controls/grid/html/mini_html_markup.h"

#include "qt_print.h"

#include <gtest/gtest.h>

namespace {

using namespace grid::html;

struct TextCase
{
    const char* in;
    const char* out;
};

QString U(const char* s)
{
    return QString::fromUtf8(s);
}

TEST(MiniHtmlMarkup, PlainTextAndStrip)
{
    const TextCase plain[] = {
        {"", ""},
        {"abc", "abc"},
        {"<B>bold</B> text", "bold text"},
        {"a<BR>b<br>c<Hr>d", "a\r\nb\r\nc\r\nd"},
        {"a<br/>b", "ab"},            // only the exact tags break
        {"x<B>y<z", "xy<z"},          // a "<" without ">" and what follows stay
        {"a > b", "a > b"},
        {"<A HREF=\"x\">link</A>", "link"},
    };
    for (const TextCase& c : plain)
        EXPECT_EQ(HtmlToPlainText(U(c.in)), U(c.out)) << c.in;

    const TextCase strip[] = {
        {"a<BR>b", "ab"},
        {"<I>x</I><U>y", "xy"},
        {"a<b", "a<b"},
        {"<B>a</B><c", "a<c"},
        {"<>", ""},
    };
    for (const TextCase& c : strip)
        EXPECT_EQ(StripHtmlTags(U(c.in)), U(c.out)) << c.in;
}

TEST(MiniHtmlMarkup, EscapeAndUnescape)
{
    const TextCase named[] = {
        {"<&\xC3\xA9", "&lt;&amp;&eacute;"},
        {"\"a\" > b", "&quot;a&quot; &gt; b"},
        {"*amp;", "*amp;"},           // no intermediate form to collide with
        {"\xE2\x82\xAC 5 \xC2\xA9", "&euro; 5 &copy;"},
        {"&eacute;", "&amp;eacute;"},
    };
    for (const TextCase& c : named) {
        EXPECT_EQ(EscapeHtmlText(U(c.in), true), U(c.out)) << c.in;
        EXPECT_EQ(UnescapeHtmlText(U(c.out), true), U(c.in)) << c.out;
    }
    EXPECT_EQ(EscapeHtmlText(U("\xC3\xA9<"), false), U("\xC3\xA9&lt;"));
    // Unescaping goes left to right once: an escaped entity name stays a name.
    const TextCase unescape[] = {
        {"&amp;lt;", "&lt;"},
        {"&amp;quot;", "&quot;"},
        {"&amp;amp;", "&amp;"},
        {"&lt", "&lt"},
        {"a & b", "a & b"},
        {"&Eacute;&eacute;", "\xC3\x89\xC3\xA9"},
    };
    for (const TextCase& c : unescape)
        EXPECT_EQ(UnescapeHtmlText(U(c.in), true), U(c.out)) << c.in;
    EXPECT_EQ(UnescapeHtmlText(U("&eacute;&lt;"), false), U("&eacute;<"));
}

TEST(MiniHtmlMarkup, EveryEntityRoundTrips)
{
    const auto& table = NamedEntityTable();
    ASSERT_EQ(table.size(), 51u);
    QString all;
    for (const NamedEntity& e : table) {
        const QString one(e.Char);
        EXPECT_EQ(EscapeHtmlText(one, true), QLatin1String(e.Entity));
        EXPECT_EQ(UnescapeHtmlText(QLatin1String(e.Entity), true), one);
        // The entity written literally survives a round trip as text.
        const QString literal = QLatin1String(e.Entity);
        EXPECT_EQ(UnescapeHtmlText(EscapeHtmlText(literal, true), true), literal);
        all += one + QLatin1String(e.Entity) + QStringLiteral("<&\">");
    }
    EXPECT_EQ(UnescapeHtmlText(EscapeHtmlText(all, true), true), all);
    EXPECT_EQ(UnescapeHtmlText(EscapeHtmlText(all, false), false), all);
}

TEST(MiniHtmlMarkup, SmallConversions)
{
    EXPECT_EQ(SpacesToNbsp(U("a b  c")), U("a&nbsp;b&nbsp;&nbsp;c"));
    EXPECT_EQ(LineBreaksToBrTags(U("a\r\nb\nc\rd")), U("a<BR>bc<BR>d"));
    EXPECT_TRUE(HasHtmlControl(U("x<control type=\"EDIT\">")));
    EXPECT_FALSE(HasHtmlControl(U("x<Corp>")));
}

TEST(MiniHtmlMarkup, TagAttributes)
{
    const TagAttributes a(u"A HREF=\"http://x/Y\" title=\"Go There\" WIDTH=12 ALT=\"\"");
    EXPECT_EQ(a.Value(u"HREF"), U("http://x/Y"));
    EXPECT_EQ(a.Value(u"title"), U("Go There"));
    EXPECT_FALSE(a.Has(u"WIDTH"));  // unquoted values are not found
    EXPECT_TRUE(a.Has(u"ALT"));
    EXPECT_EQ(a.Value(u"ALT"), QString());
    EXPECT_FALSE(a.Has(u"A"));
    // BGCOLOR is not COLOR; a name inside a value is no attribute.
    const TagAttributes f(u"FONT BGCOLOR=\"#FF0000\" FACE=\"COLOR=x\"");
    EXPECT_FALSE(f.Has(u"COLOR"));
    EXPECT_EQ(f.Value(u"BGCOLOR"), U("#FF0000"));
    // An open quote ends the attributes.
    const TagAttributes open(u"IMG SRC=\"a.png WIDTH=\"3\"");
    EXPECT_EQ(open.Value(u"SRC"), U("a.png WIDTH="));
    EXPECT_FALSE(open.Has(u"WIDTH"));
}

TEST(MiniHtmlMarkup, TagNumbersAreClamped)
{
    struct Case
    {
        const char16_t* text;
        std::optional<int> value;
    } cases[] = {
        {u"12", 12},
        {u"12px", 12},
        {u" 7", 7},
        {u"-5", 0},
        {u"", std::nullopt},
        {u"x1", std::nullopt},
        {u"-", std::nullopt},
        {u"99999999999999999999999", 1000},
        {u"1001", 1000},
        {u"\u0663", std::nullopt},  // only ASCII digits count
    };
    for (const Case& c : cases)
        EXPECT_EQ(TagNumber(QStringView(c.text), 0, 1000), c.value) << QString::fromUtf16(c.text).toStdString();
}

TEST(MiniHtmlMarkup, ControlValuesAndRewrite)
{
    QString s = U("x<CONTROL TYPE=\"check\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\">y");
    QString v;
    ASSERT_TRUE(GetHtmlControlValue(s, U("c1"), v));
    EXPECT_EQ(v, U("TRUE"));
    EXPECT_FALSE(GetHtmlControlValue(s, U("C1"), v));  // IDs compare exactly
    ASSERT_TRUE(SetHtmlControlValue(s, U("c1"), U("FALSE")));
    EXPECT_EQ(s, U("x<CONTROL ID=\"c1\" VALUE=\"FALSE\" WIDTH=\"16\" TYPE=\"CHECK\">y"));
    QString unchanged = s;
    EXPECT_FALSE(SetHtmlControlValue(unchanged, U("zz"), U("1")));
    EXPECT_EQ(unchanged, s);

    // Escaped value, PROP, MAXLEN and HEIGHT are carried over.
    QString e = U("<control id=\"e\" type=\"COMBO\" width=\"80\" height=\"30\" value=\"a&amp;b\" "
                  "prop=\"&eacute;t&eacute;,hiver\" maxlen=\"12\">");
    ASSERT_TRUE(GetHtmlControlValue(e, U("e"), v));
    EXPECT_EQ(v, U("a&b"));
    EXPECT_EQ(GetHtmlControlProp(e, U("e")), U("\xC3\xA9t\xC3\xA9,hiver"));
    EXPECT_EQ(GetHtmlControlMaxLen(e, U("e")), 12);
    ASSERT_TRUE(SetHtmlControlValue(e, U("e"), U("<\xC3\xA9>")));
    EXPECT_EQ(e, U("<CONTROL ID=\"e\" VALUE=\"&lt;&eacute;&gt;\" WIDTH=\"80\" TYPE=\"COMBO\" HEIGHT=\"30\" "
                   "PROP=\"&eacute;t&eacute;,hiver\" MAXLEN=\"12\">"));
    ASSERT_TRUE(GetHtmlControlValue(e, U("e"), v));
    EXPECT_EQ(v, U("<\xC3\xA9>"));
    EXPECT_EQ(GetHtmlControlProp(e, U("none")), QString());
    EXPECT_EQ(GetHtmlControlMaxLen(e, U("none")), 0);
    EXPECT_EQ(GetHtmlControlMaxLen(U("<CONTROL ID=\"m\" MAXLEN=\"99999999999999\">"), U("m")), 1 << 20);
}

TEST(MiniHtmlMarkup, NextEditableControlAndRadios)
{
    const QString s = U("<CONTROL ID=\"b\" TYPE=\"BUTTON\" WIDTH=\"9\"><CONTROL ID=\"e1\" TYPE=\"EDIT\" WIDTH=\"9\">"
                        "<CONTROL ID=\"c\" TYPE=\"CHECK\" WIDTH=\"9\"><CONTROL ID=\"r\" TYPE=\"RADIO\" WIDTH=\"9\">"
                        "<CONTROL ID=\"e2\" TYPE=\"combo\" WIDTH=\"9\">");
    EXPECT_EQ(NextEditableHtmlControlID(s, QString()), U("e1"));
    EXPECT_EQ(NextEditableHtmlControlID(s, U("b")), U("e1"));
    EXPECT_EQ(NextEditableHtmlControlID(s, U("e1")), U("e2"));
    EXPECT_EQ(NextEditableHtmlControlID(s, U("e2")), QString());
    EXPECT_EQ(NextEditableHtmlControlID(s, U("missing")), QString());

    const QString radios = U("a<CONTROL ID=\"r1\" TYPE=\"RADIO\" VALUE=\"TRUE\" WIDTH=\"16\">b"
                             "<CONTROL ID=\"c1\" TYPE=\"CHECK\" VALUE=\"TRUE\" WIDTH=\"16\">c"
                             "<CONTROL ID=\"r2\" TYPE=\"radio\" VALUE=\"FALSE\" WIDTH=\"16\">");
    EXPECT_EQ(ClearHtmlRadioControls(radios),
              U("a<CONTROL ID=\"r1\" VALUE=\"FALSE\" WIDTH=\"16\" TYPE=\"RADIO\">b"
                "<CONTROL ID=\"c1\" TYPE=\"CHECK\" VALUE=\"TRUE\" WIDTH=\"16\">c"
                "<CONTROL ID=\"r2\" VALUE=\"FALSE\" WIDTH=\"16\" TYPE=\"RADIO\">"));
    // An unterminated tag is left alone.
    EXPECT_EQ(ClearHtmlRadioControls(U("<CONTROL TYPE=\"RADIO\"")), U("<CONTROL TYPE=\"RADIO\""));
}

TEST(MiniHtmlMarkup, HighlightAndUnhighlight)
{
    struct Case
    {
        const char* text;
        const char* pattern;
        bool caseSensitive;
        const char* out;
    } cases[] = {
        {"abcabc", "b", true, "a<hi>b</hi>ca<hi>b</hi>c"},
        {"abcabc", "B", true, "abcabc"},
        {"abcabc", "B", false, "a<hi>b</hi>ca<hi>b</hi>c"},
        {"bb", "b", true, "<hi>b</hi><hi>b</hi>"},
        {"abc", "c", true, "ab<hi>c</hi>"},
        {"abc", "abc", true, "<hi>abc</hi>"},
        {"x<B>yz</B>", "y", true, "x<B><hi>y</hi>z</B>"},
        {"<B>ab</B>", "a", true, "<hi><B>a</hi>b</B>"},  // the first position is visible character 1
        {"a<b", "a", true, "<hi>a</hi>&lt;b"},             // a stray "<" is escaped, tags go
        {"1 > 0", "> 0", true, "1 <hi>&gt; 0</hi>"},
        {"abc", "", true, "abc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HighlightHtmlText(U(c.text), U(c.pattern), U("hi"), c.caseSensitive), U(c.out))
            << c.text << " / " << c.pattern;
    }
    EXPECT_EQ(UnhighlightHtmlText(HighlightHtmlText(U("abcabc"), U("b"), U("hi"), true), U("hi")), U("abcabc"));
    EXPECT_EQ(UnhighlightHtmlText(U("<E>a</e> &lt;b&gt; <hi>c</hi>"), U("e")), U("a <b> <hi>c</hi>"));
}

TEST(MiniHtmlMarkup, ColorValues)
{
    struct Case
    {
        const char16_t* text;
        TColor value;
    } cases[] = {
        {u"#FF0000", 0x0000FF},
        {u"#00ff80", 0x80FF00},
        {u"#123456", 0x563412},
        {u"#12", 0x000012},      // missing digits are 0, nothing read past the value
        {u"#", 0},
        {u"#GG0000", 0},
        {u"clRed", 0x0000FF},
        {u"CLNAVY", 0x800000},
        {u"clHighlight", 0xFF00000D},
        {u"clInfoBk", 0xFF000018},
        {u"red", 0},
        {u"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HtmlColorValue(QStringView(c.text)), c.value) << QString::fromUtf16(c.text).toStdString();
}

TEST(MiniHtmlMarkup, HighlightColorsAreShared)
{
    EXPECT_EQ(HtmlHighlightBrushColor(), 0xFF00000Du);
    EXPECT_EQ(HtmlHighlightTextColor(), 0xFF00000Eu);
    SetHtmlHighlightColors(0x00FFFF, 0x000080);
    EXPECT_EQ(HtmlHighlightBrushColor(), 0x00FFFFu);
    EXPECT_EQ(HtmlHighlightTextColor(), 0x000080u);
    SetHtmlHighlightColors(0xFF00000D, 0xFF00000E);
}

}  // namespace
