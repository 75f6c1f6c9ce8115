#include "controls/grid/core/text_routines.h"

#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

platform::FormatSettings Settings(QChar decimal, QChar thousand)
{
    platform::FormatSettings s;
    s.DecimalSeparator = decimal;
    s.ThousandSeparator = thousand;
    s.DateSeparator = u'/';
    return s;
}

// The same cases under full stop and comma as decimal separator: each text is
// written with '.' for the decimal and ',' for the thousand separator and
// swapped for the comma settings.
QString Localise(const char* text, bool comma)
{
    QString s = QString::fromLatin1(text);
    if (comma) {
        s.replace(u'.', u'#').replace(u',', u'.').replace(u'#', u',');
    }
    return s;
}

} // namespace

TEST(TextRoutines, TextKinds)
{
    const struct
    {
        QString text;
        bool html;
        int kind;
    } cases[] = {
        {QStringLiteral("=A1"), false, 3},
        {QStringLiteral("{\\rtf1}"), false, 2},
        {QStringLiteral("<B>x</B>"), true, 1},
        {QStringLiteral("<B>x</B>"), false, 0},
        {QStringLiteral("a"), true, 0},
        {QStringLiteral("|\\") + QChar(0) + u'a', false, 5},
        {QStringLiteral("|\\") + QChar(0) + u'=' + QChar(0) + u'1', false, 3},
        {QStringLiteral("a<x>b"), true, 0},
        {QString(), true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetTextKind(c.text, c.html), c.kind) << c.text.toStdString();
}

TEST(TextRoutines, NumberKindsUnderBothDecimalSeparators)
{
    const struct
    {
        const char* text;
        int kind;
    } cases[] = {
        {"12", 0},        {"-12", 0},  {"-", 0},     {"1-2", 2}, {"12.5", 1}, {"1,234,567", 1},
        {"1,23,456", 2},  {"1e5", 5},  {"1e", 2},    {"e5", 2},  {"1.2.3", 2}, {"-1.5e-3", 5},
        {"", 2},          {"12a", 2},  {"--1", 2},   {"1,234.5", 1},
    };
    for (bool comma : {false, true}) {
        platform::ScopedFormatSettings scope(comma ? Settings(u',', u'.') : Settings(u'.', u','));
        for (const auto& c : cases)
            EXPECT_EQ(GetNumberKind(Localise(c.text, comma)), c.kind) << c.text << (comma ? " comma" : " stop");
    }
}

TEST(TextRoutines, NormalizeNumberTextUnderBothDecimalSeparators)
{
    const struct
    {
        const char* text;
        const char* normal;
    } cases[] = {
        {"(1,234.5)", "-1234.5"}, {"$ 12.50", "12.50"}, {"-7", "-7"}, {"1,000 kg", "1000"}, {"", ""},
        {"abc", ""}, {"e5", "e5"},
    };
    for (bool comma : {false, true}) {
        platform::ScopedFormatSettings scope(comma ? Settings(u',', u'.') : Settings(u'.', u','));
        for (const auto& c : cases)
            EXPECT_EQ(NormalizeNumberText(Localise(c.text, comma)), QString::fromLatin1(c.normal))
                << c.text << (comma ? " comma" : " stop");
    }
}

TEST(TextRoutines, DatesParseAndStep)
{
    EXPECT_EQ(ParseDateDMY(QStringLiteral("31/12/19")), EncodeDate(2019, 12, 31));
    EXPECT_EQ(ParseDateDMY(QStringLiteral("31/12")), 0);
    EXPECT_EQ(ParseDateMDY(QStringLiteral("12.31.99")), EncodeDate(1999, 12, 31));
    EXPECT_EQ(ParseDateDMY(QStringLiteral("1-2-2019")), EncodeDate(2019, 2, 1)); // four digits as written
    EXPECT_EQ(ParseDateDMY(QStringLiteral("1/2/150")), EncodeDate(150, 2, 1));
    EXPECT_EQ(ParseDateDMY(QStringLiteral("31/2/2020")), 0); // no such day
    EXPECT_EQ(ParseDateDMY(QStringLiteral("a/2/2020")), 0);
    EXPECT_LT(ParseDateDMY(QStringLiteral("31/12/19")), ParseDateDMY(QStringLiteral("01/01/2020")));
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);

    const double jan31 = EncodeDate(2021, 1, 31);
    EXPECT_EQ(IncDatePart(0, 1, 0, 0, jan31), EncodeDate(2021, 2, 28)); // clamped, no error
    EXPECT_EQ(IncDatePart(0, -1, 0, 0, jan31), EncodeDate(2020, 12, 31));
    EXPECT_EQ(IncDatePart(0, 13, 0, 0, jan31), EncodeDate(2022, 2, 28));
    EXPECT_EQ(IncDatePart(1, 0, 0, 0, EncodeDate(2020, 2, 29)), EncodeDate(2021, 2, 28));
    EXPECT_EQ(IncDatePart(0, 0, 3, 0, jan31), jan31 + 3);
    EXPECT_EQ(IncDatePart(1, 1, 0, 7, jan31), jan31 + 7);

    platform::ScopedFormatSettings scope(Settings(u'.', u','));
    EXPECT_TRUE(IsDateText(QStringLiteral("1/2/3")));
    EXPECT_FALSE(IsDateText(QStringLiteral("/1/2")));
    EXPECT_FALSE(IsDateText(QStringLiteral("1//2")));
}

TEST(TextRoutines, LineBreakAndQuoteCodecs)
{
    const QString multi = QStringLiteral("a\r\nb") + QChar(0) + u'c';
    const QString hidden = HideLineBreaks(multi);
    EXPECT_FALSE(hidden.contains(u'\r'));
    EXPECT_EQ(RestoreLineBreaks(hidden, true), multi);
    EXPECT_EQ(RestoreLineBreaks(hidden, false), QStringLiteral("a"));
    EXPECT_EQ(HideLineBreaks(QStringLiteral("a\nb")), QStringLiteral("a\nb"));

    QString s = QStringLiteral("^");
    TildeToCRLF(s);
    EXPECT_EQ(s, QString());
    s = QStringLiteral("a~b");
    TildeToCRLF(s);
    EXPECT_EQ(s, QStringLiteral("a\r\nb"));
    CRLFToTilde(s);
    EXPECT_EQ(s, QStringLiteral("a~b"));
    s = QStringLiteral("x\r\ny");
    CRLFToVTQuoted(s);
    EXPECT_EQ(s, QStringLiteral("\"x\x0By\""));
    VTToCRLF(s);
    EXPECT_EQ(s, QStringLiteral("\"x\r\ny\""));
    EXPECT_EQ(EscapeLineBreaks(QStringLiteral("a\r\nb")), QStringLiteral("a\\nb"));
    EXPECT_EQ(UnescapeLineBreaks(QStringLiteral("a\\nb")), QStringLiteral("a\rb"));
    EXPECT_EQ(CRToBreakTags(QStringLiteral("a\r\nb")), QStringLiteral("a<br>\nb"));
    EXPECT_EQ(DoubleQuoteChars(QStringLiteral("a\"b")), QStringLiteral("a\"\"b"));
    EXPECT_EQ(UndoubleChar(u'"', QStringLiteral("a\"\"b")), QStringLiteral("a\"b"));

    QString rest = QStringLiteral("one\r\ntwo\rthree");
    QString line;
    CutFirstLine(rest, true, line);
    EXPECT_EQ(line, QStringLiteral("one"));
    EXPECT_EQ(rest, QStringLiteral("two\rthree"));
    CutFirstLine(rest, false, line);
    EXPECT_EQ(rest, QString());
    EXPECT_EQ(CountLines(QStringLiteral("a\rb\rc"), true), 3);
    EXPECT_EQ(CountLines(QStringLiteral("a\rb"), false), 1);

    int pos = -1;
    EXPECT_EQ(FindClosingQuote(u'"', QStringLiteral("a\"\"b\",x"), pos), 5); // the doubled pair is skipped
    EXPECT_EQ(pos, 5);
    EXPECT_EQ(FindClosingQuote(u'"', QStringLiteral("ab\"\""), pos), 4); // a last quote counts
    EXPECT_EQ(FindClosingQuote(u'"', QStringLiteral("abc"), pos), 0);
    EXPECT_EQ(CountClosingQuotes(u'"', QStringLiteral("a\",b\",c")), 2);
}

TEST(TextRoutines, StringsLimitsReferencesAndNames)
{
    const struct
    {
        int value, min, max, result;
    } clamps[] = {{5, 10, 0, 10}, {50, 10, 0, 50}, {50, 10, 20, 20}, {5, 7, 7, 5}, {-5, 0, 10, -5}};
    for (const auto& c : clamps)
        EXPECT_EQ(ClampToLimits(c.value, c.min, c.max), c.result);
    EXPECT_EQ(CapitalizeName(QStringLiteral("henry ii")), QStringLiteral("Henry II"));
    EXPECT_EQ(CapitalizeName(QStringLiteral("henry iii")), QStringLiteral("Henry III"));
    EXPECT_EQ(CapitalizeName(QStringLiteral("o'neil-smith")), QStringLiteral("O'Neil-Smith"));
    EXPECT_EQ(CapitalizeName(QStringLiteral("mcdonald")), QStringLiteral("McDonald"));
    QPoint cell;
    EXPECT_TRUE(ParseRCReference(QStringLiteral("r12c3"), cell));
    EXPECT_EQ(cell, QPoint(3, 12));
    EXPECT_FALSE(ParseRCReference(QStringLiteral("R1C"), cell));
    EXPECT_FALSE(ParseRCReference(QStringLiteral("RxC1"), cell));
    EXPECT_EQ(PosInUpperCase(QStringLiteral("BC"), QStringLiteral("abcd")), 2);
    EXPECT_EQ(FirstCharPos(u'z', QStringLiteral("abc")), 0);
    QString s = QStringLiteral("key=value");
    QString field;
    EXPECT_TRUE(CutField(s, QStringLiteral("="), field));
    EXPECT_EQ(field, QStringLiteral("key"));
    EXPECT_EQ(s, QStringLiteral("value"));
    EXPECT_FALSE(CutField(s, QStringLiteral("="), field));
    EXPECT_EQ(s, QStringLiteral("value"));
    FillWithChar(s, u'*');
    EXPECT_EQ(s, QStringLiteral("*****"));
    EXPECT_TRUE(CellInGridRect({1, 1, 3, 3}, 3, 1));
    EXPECT_FALSE(CellInGridRect({1, 1, 3, 3}, 4, 1));
}

TEST(TextRoutines, UrlsAndClipboardHtml)
{
    QString out;
    EXPECT_TRUE(LinkifyFirstUrl(QStringLiteral("see www.x.org now"), out));
    EXPECT_EQ(out, QStringLiteral("see <a href=\"www.x.org\">www.x.org</a> now"));
    EXPECT_TRUE(LinkifyFirstUrl(QStringLiteral("mailto:a@b.c or WWW.d.e"), out));
    EXPECT_TRUE(out.contains(QStringLiteral("<a href=\"WWW.d.e\">"))); // WWW. comes before MAILTO:
    EXPECT_FALSE(out.contains(QStringLiteral("href=\"mailto")));
    EXPECT_TRUE(LinkifyUrl(QStringLiteral("<http://a.b>"), QStringLiteral("HTTP://"), out));
    EXPECT_EQ(out, QStringLiteral("&lt;<a href=\"http://a.b\">http://a.b</a>&gt;"));
    QString url = QStringLiteral("https://host/x");
    StripUrlPrefix(url);
    EXPECT_EQ(url, QStringLiteral("host/x"));
    EXPECT_TRUE(IsUrlText(QStringLiteral("mailto:x")));
    EXPECT_EQ(ColorToHtmlHex(0x00336699), QStringLiteral("996633"));

    for (const QString& fragment : {QString(), QStringLiteral("<b>x</b>")}) {
        QString html = fragment;
        MakeClipboardHtml(html);
        EXPECT_TRUE(html.contains(QStringLiteral("EndHTML:%1").arg(fragment.size() + 306, 8, 10, QChar(u'0'))));
        EXPECT_EQ(html.indexOf(QStringLiteral("<!DOCTYPE")), 97);
        EXPECT_EQ(html.indexOf(QStringLiteral("<!--StartFragment-->")) + 20, 274);
        EXPECT_EQ(html.size(), fragment.size() + 306);
    }
}

TEST(TextRoutines, OemTextRoundTrip)
{
    QString s = QStringLiteral("Grüße");
    TextToOem(s);
    EXPECT_EQ(s.at(2).unicode(), 0x81); // ü in code page 850
    OemToText(s);
    EXPECT_EQ(s, QStringLiteral("Grüße"));
}

TEST(TextRoutines, SeriesStepsStayInTheCalendar)
{
    const double farAway = ParseDateDMY(QStringLiteral("1/1/466446646"));
    EXPECT_EQ(IncDatePart(0, 5, 0, 0, farAway), farAway); // outside 1 .. 9999: unchanged
    EXPECT_EQ(IncDatePart(3, 0, 0, 0, 1e300), 1e300);
    EXPECT_EQ(IncDatePart(0, 1, 0, 0, EncodeDate(9999, 12, 1)), EncodeDate(9999, 12, 1));
}
