// The filter condition language: grammar, numbers and dates under two
// locales, patterns, quoting, and the nesting limit.
#include "controls/grid/core/filter_matcher.h"

#include "platform/text/format_settings.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace grid;

namespace {

platform::FormatSettings Locale(bool comma)
{
    platform::FormatSettings s;
    s.DecimalSeparator = comma ? u',' : u'.';
    s.ThousandSeparator = comma ? u'.' : u',';
    s.DateSeparator = comma ? u'.' : u'/';
    s.TimeSeparator = u':';
    s.ShortDateFormat = comma ? QStringLiteral("dd.mm.yyyy") : QStringLiteral("mm/dd/yyyy");
    return s;
}

// Texts are written for the full-stop locale ("." decimal, "," thousands,
// "/" dates month first) and rewritten for the comma locale ("," decimal,
// "." thousands, "." dates day first) when a case is marked localised.
QString Localise(const char* text, bool comma)
{
    QString s = QString::fromUtf8(text);
    if (!comma)
        return s;
    // Dates: mm/dd/yyyy becomes dd.mm.yyyy.
    static const QRegularExpression date(QStringLiteral("(\\d+)/(\\d+)/(\\d+)"));
    s.replace(date, QStringLiteral("\\2#\\1#\\3"));
    s.replace(u'.', u'%').replace(u',', u'.').replace(u'%', u',').replace(u'#', u'.');
    return s;
}

} // namespace

TEST(FilterMatcher, GrammarUnderBothLocales)
{
    const struct
    {
        const char* condition;
        const char* value;
        bool match;
    } cases[] = {
        // Limits, combined left to right.
        {">10&<20", "15", true},
        {">10&<20", "25", false},
        {">=10", "10", true},
        {">10", "10", false},
        {"<=10", "10", true},
        {"<10", "9.5", true},
        {">1.5", "2", true},
        {">1.5", "1", false},
        {">1000", "1,234.5", true}, // thousands in the value
        {"<1,000", "999", true},
        {"> 10 & < 20", "12", true}, // blanks outside quotes go
        {"=>10", "11", true},        // a leading "=" goes
        // Dates compare as dates, not as text.
        {">12/31/2018", "01/01/2019", true},
        {"<12/31/2018", "01/01/2019", false},
        {">\"12/31/2018 10:00\"", "12/31/2018 10:30", true},
        {">12/31/2018 10:00", "12/31/2018 10:30", false}, // the blank goes: no date
        // Text comparison when either side is no number.
        {">b", "c", true},
        {">b", "a", false},
        {">10", "abc", true}, // "abc" above "10" as text
        // Patterns.
        {"A*C", "ABC", true},
        {"A*C", "AC", true},
        {"A*C", "ABCD", false},
        {"A*A", "A", false},
        {"A?C", "ABC", true},
        {"A?C", "AC", false},
        {"!A*", "BCD", true},
        {"!A*", "ABC", false},
        {"a**c", "abbc", true},
        {"*", "", true},
        {"", "", true},
        {"", "x", false},
        // Or in three spellings, and without precedence.
        {"A|B", "B", true},
        {"A;B", "B", true},
        {"A^B", "B", true},
        {"A|B&C", "C", false}, // (A or B) and C
        {"A|B&C*", "B", false},
        {"(A|B)&C*", "C", false},
        {"(A|B)&B*", "B", true},
        {"C*&(A|B)", "B", false},
        {"X|(B|C)", "C", true},
        {"((A))", "A", true},
        {"(A", "A", true}, // an unclosed group runs to the end
        // Quotes keep separators and blanks.
        {"\"a&b\"", "a&b", true},
        {"\"a b\"", "a b", true},
        {"a b", "ab", true},
        {"\"a|b\"", "a", false},
    };
    for (bool comma : {false, true}) {
        platform::ScopedFormatSettings scope(Locale(comma));
        for (const auto& c : cases) {
            const QString cond = Localise(c.condition, comma);
            const QString value = Localise(c.value, comma);
            EXPECT_EQ(MatchFilterExpression(cond, value, true), c.match)
                << (comma ? "comma " : "point ") << cond.toStdString() << " ~ " << value.toStdString();
        }
    }
}

TEST(FilterMatcher, CaseSensitivity)
{
    EXPECT_TRUE(MatchFilterExpression(QStringLiteral("abc"), QStringLiteral("ABC"), false));
    EXPECT_FALSE(MatchFilterExpression(QStringLiteral("abc"), QStringLiteral("ABC"), true));
    EXPECT_TRUE(MatchFilterExpression(QStringLiteral("a*"), QStringLiteral("Äpfel a"), false) == false);
    EXPECT_TRUE(MatchFilterExpression(QStringLiteral("ä*"), QStringLiteral("Äpfel"), false));
    EXPECT_TRUE(MatchFilterCondition(QStringLiteral(">b"), QStringLiteral("C"), false));
}

TEST(FilterMatcher, DateTimeTexts)
{
    platform::FormatSettings dmy = Locale(false);
    dmy.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    platform::ScopedFormatSettings scope(dmy);
    double v = 0;
    ASSERT_TRUE(ParseDateTimeText(QStringLiteral("02/01/1900"), v));
    EXPECT_DOUBLE_EQ(v, 3); // 2 January 1900, days from 30 December 1899
    ASSERT_TRUE(ParseDateTimeText(QStringLiteral("02/01/1900 10:30"), v));
    EXPECT_DOUBLE_EQ(v, 3 + 10.5 / 24);
    ASSERT_TRUE(ParseDateTimeText(QStringLiteral("02/01/1900 10:30:30"), v));
    EXPECT_DOUBLE_EQ(v, 3 + (10 * 3600 + 30 * 60 + 30) / 86400.0);

    const char* refused[] = {"02/01/1900 24:00", "02/01/1900 10", "02/01/1900 10:60", "32/01/2000",
                             "01/13/2000",       "30/02/2000",    "1/2",              "a/b/c",
                             "01/01/0",          ""};
    for (const char* text : refused)
        EXPECT_FALSE(ParseDateTimeText(QString::fromLatin1(text), v)) << text;
    // The year is taken as written: 19 is the year 19, before 2018.
    EXPECT_TRUE(MatchFilterExpression(QStringLiteral("<31/12/2018"), QStringLiteral("01/01/19"), true));
    EXPECT_TRUE(MatchFilterExpression(QStringLiteral(">31/12/2018"), QStringLiteral("01/01/2019"), true));
}

TEST(FilterMatcher, NumberTexts)
{
    platform::ScopedFormatSettings scope(Locale(true));
    EXPECT_EQ(NumberTextToDot(QStringLiteral("1.234,5 kg")), QStringLiteral("1234.5 kg"));
    EXPECT_TRUE(MatchFilterExpression(QStringLiteral(">1,5"), QStringLiteral("2"), true));
    EXPECT_FALSE(MatchFilterExpression(QStringLiteral(">1,5"), QStringLiteral("1"), true));
    // Not-a-number texts never count as numbers.
    EXPECT_TRUE(MatchFilterExpression(QStringLiteral("<5"), QStringLiteral("inf"), true) == false);
}

TEST(FilterMatcher, NestingPastTheLimitIsAFailedMatch)
{
    const auto nested = [](int depth) {
        return QString(depth, u'(') + QStringLiteral("A") + QString(depth, u')');
    };
    EXPECT_TRUE(MatchFilterExpression(nested(kMaxFilterDepth), QStringLiteral("A"), true));
    EXPECT_FALSE(MatchFilterExpression(nested(kMaxFilterDepth + 1), QStringLiteral("A"), true));
    FilterExpression deep(nested(100000), true);
    EXPECT_TRUE(deep.TooDeep());
    EXPECT_FALSE(deep.Match(QStringLiteral("A")));
    // Many groups side by side are no nesting.
    QString wide;
    for (int i = 0; i < 1000; ++i)
        wide += QStringLiteral("(B)|");
    wide += QStringLiteral("(A)");
    EXPECT_TRUE(MatchFilterExpression(wide, QStringLiteral("A"), true));
}

TEST(FilterMatcher, CompiledOnceMatchesLikeTheFreeRoutine)
{
    const FilterExpression e(QStringLiteral(">10&<20|=5"), true);
    for (const char* v : {"5", "15", "25", "x"})
        EXPECT_EQ(e.Match(QString::fromLatin1(v)),
                  MatchFilterExpression(QStringLiteral(">10&<20|=5"), QString::fromLatin1(v), true))
            << v;
}
