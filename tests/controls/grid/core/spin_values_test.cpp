// Spin editor values apart from any widget: reading and writing texts of the
// four kinds, the character filter, steps by caret field, clamps on leave,
// time wrap, and the unit split of unit editors.
#include "controls/grid/core/edit_text_rules.h"
#include "controls/grid/core/spin_values.h"
#include "controls/grid/core/text_routines.h"
#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

platform::FormatSettings Settings(const char* dateFormat, QChar ds = u'.', QChar ts = u',')
{
    platform::FormatSettings f;
    f.DecimalSeparator = ds;
    f.ThousandSeparator = ts;
    f.DateSeparator = u'/';
    f.TimeSeparator = u':';
    f.ShortDateFormat = QString::fromLatin1(dateFormat);
    return f;
}

SpinSettings Kind(TEsgSpinType type)
{
    SpinSettings s;
    s.type = type;
    return s;
}

constexpr double kNow = 45000.5;

TEST(SpinValues, HalvesRoundToEven)
{
    const struct
    {
        double in, out;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(SpinValues, UnreadableTextsFallBackWithoutThrowing)
{
    const platform::ScopedFormatSettings fs(Settings("dd/mm/yyyy"));
    SpinSettings s;
    s.minValue = 7;
    s.minFloatValue = 2.5;
    s.minDateValue = 100;
    EXPECT_EQ(SpinIntValue(s, ""), 0);
    EXPECT_EQ(SpinIntValue(s, "  "), 0);
    EXPECT_EQ(SpinIntValue(s, "12x"), 7);
    EXPECT_EQ(SpinIntValue(s, "99999999999"), 7);
    EXPECT_EQ(SpinIntValue(s, " -12 "), -12);
    // The float fallback is the float minimum, not the whole-number one.
    EXPECT_EQ(SpinFloatValue(s, "abc"), 2.5);
    EXPECT_EQ(SpinFloatValue(s, "1,5"), 2.5);
    EXPECT_EQ(SpinFloatValue(s, "nan"), 2.5);
    EXPECT_EQ(SpinFloatValue(s, "1.25"), 1.25);
    EXPECT_EQ(SpinDateValue(s, "", kNow), kNow);
    EXPECT_EQ(SpinDateValue(s, "0", kNow), kNow);
    EXPECT_EQ(SpinDateValue(s, "31/02/2024", kNow), 100);
    EXPECT_EQ(SpinDateValue(s, "29/02/2024", kNow), EncodeDate(2024, 2, 29));
    EXPECT_EQ(SpinTimeValue("25:00"), 0);
    EXPECT_EQ(SpinTimeValue("x"), 0);
    EXPECT_DOUBLE_EQ(SpinTimeValue("6:30"), 6.5 / 24);
}

TEST(SpinValues, FloatTextsFollowTheLocaleAndPrecision)
{
    const platform::ScopedFormatSettings fs(Settings("dd/mm/yyyy", u',', u'.'));
    SpinSettings s = Kind(sptFloat);
    EXPECT_EQ(SpinFloatValue(s, "1,5"), 1.5);
    EXPECT_EQ(SpinFloatValue(s, "1.5"), 0); // the thousand separator is no decimal point
    EXPECT_EQ(SpinFloatText(s, 0.1 + 0.2), "0,3");
    s.precision = 2;
    EXPECT_EQ(SpinFloatText(s, 3.14159), "3,14");
    EXPECT_EQ(SpinFloatText(s, 250), "100,00");
}

TEST(SpinValues, StepsAndClampsOfNumbers)
{
    const platform::ScopedFormatSettings fs(Settings("dd/mm/yyyy"));
    SpinSettings n = Kind(sptNormal);
    EXPECT_EQ(SpinStep(n, "5", 0, true, false, kNow), "6");
    EXPECT_EQ(SpinStep(n, "100", 0, true, false, kNow), "100");
    EXPECT_EQ(SpinStep(n, "0", 0, false, false, kNow), "0");
    EXPECT_EQ(SpinLeaveText(n, "250", kNow), "100");
    EXPECT_EQ(SpinLeaveText(n, "-3", kNow), "0");
    EXPECT_EQ(SpinLeaveText(n, "42", kNow), "42");
    n.minValue = n.maxValue = 5; // equal limits: no clamping at all
    EXPECT_EQ(SpinLeaveText(n, "250", kNow), "250");
    EXPECT_EQ(SpinStep(n, "250", 0, true, false, kNow), "251");
    n.minValue = std::numeric_limits<int>::min();
    n.maxValue = std::numeric_limits<int>::max();
    EXPECT_EQ(SpinStep(n, "2147483647", 0, true, false, kNow), "2147483647");

    SpinSettings f = Kind(sptFloat);
    QString t = "0";
    for (const char* want : {"0.1", "0.2", "0.3"}) {
        t = SpinStep(f, t, 0, true, false, kNow);
        EXPECT_EQ(t, want);
    }
    EXPECT_EQ(SpinStep(f, "0.3", 0, true, true, kNow), "1.3");
    EXPECT_EQ(SpinStep(f, "0.05", 0, false, false, kNow), "0");
    EXPECT_EQ(SpinLeaveText(f, "100.5", kNow), "100");
}

struct DateCase
{
    const char* format;
    const char* text;
    int caret;
    bool up;
    const char* want;
};

TEST(SpinValues, DatesStepByTheCaretFieldAndClampMonthEnds)
{
    const DateCase cases[] = {
        {"dd/mm/yyyy", "15/03/2024", 0, true, "16/03/2024"},
        {"dd/mm/yyyy", "15/03/2024", 2, true, "16/03/2024"},
        {"dd/mm/yyyy", "15/03/2024", 3, true, "15/04/2024"},
        {"dd/mm/yyyy", "15/03/2024", 6, false, "15/03/2023"},
        {"mm/dd/yyyy", "03/15/2024", 0, true, "04/15/2024"},
        {"mm/dd/yyyy", "03/15/2024", 4, true, "03/16/2024"},
        {"mm/dd/yyyy", "03/15/2024", 10, true, "03/15/2025"},
        // Month ends and 29 February keep a real date.
        {"dd/mm/yyyy", "31/01/2024", 3, true, "29/02/2024"},
        {"dd/mm/yyyy", "31/03/2023", 3, false, "28/02/2023"},
        {"dd/mm/yyyy", "29/02/2024", 6, true, "28/02/2025"},
        {"mm/dd/yyyy", "02/29/2024", 7, false, "02/28/2023"},
        {"dd/mm/yyyy", "31/12/2024", 0, true, "01/01/2025"},
        {"dd/mm/yyyy", "01/01/2024", 3, false, "01/12/2023"},
    };
    for (const DateCase& c : cases) {
        const platform::ScopedFormatSettings fs(Settings(c.format));
        EXPECT_EQ(SpinStep(Kind(sptDate), c.text, c.caret, c.up, false, kNow), c.want)
            << c.format << " " << c.text << " caret " << c.caret;
    }
}

TEST(SpinValues, DatesClampToTheirLimits)
{
    const platform::ScopedFormatSettings fs(Settings("dd/mm/yyyy"));
    SpinSettings s = Kind(sptDate);
    s.minDateValue = EncodeDate(2024, 1, 1);
    s.maxDateValue = EncodeDate(2024, 12, 31);
    EXPECT_EQ(SpinStep(s, "31/12/2024", 0, true, false, kNow), "31/12/2024");
    EXPECT_EQ(SpinLeaveText(s, "05/05/2020", kNow), "01/01/2024");
    EXPECT_EQ(SpinLeaveText(s, "05/05/2024", kNow), "05/05/2024");
}

TEST(SpinValues, TimesStepByFieldAndWrapAtMidnight)
{
    const platform::ScopedFormatSettings fs(Settings("dd/mm/yyyy"));
    SpinSettings s = Kind(sptTime);
    const struct
    {
        bool seconds;
        const char* text;
        int caret;
        bool up;
        const char* want;
    } cases[] = {
        {false, "0:00", 0, false, "23:00"},
        {false, "23:30", 1, true, "0:30"},
        {false, "10:59", 3, true, "11:00"},
        {false, "0:00", 3, false, "23:59"},
        {true, "10:20:30", 0, true, "11:20:30"},
        {true, "10:20:30", 4, true, "10:21:30"},
        {true, "10:20:59", 7, true, "10:21:00"},
        {true, "0:00:00", 8, false, "23:59:59"},
    };
    for (const auto& c : cases) {
        s.showSeconds = c.seconds;
        EXPECT_EQ(SpinStep(s, c.text, c.caret, c.up, false, kNow), c.want) << c.text << " caret " << c.caret;
    }
    // An increment no clock has leaves the text.
    s.showSeconds = false;
    s.incrementHours = 24;
    EXPECT_EQ(SpinStep(s, "5:00", 0, true, false, kNow), "5:00");
    s.incrementMinutes = 60;
    EXPECT_EQ(SpinStep(s, "5:00", 3, true, false, kNow), "5:00");
}

struct CharCase
{
    const char* name;
    TEsgSpinType type;
    int precision;
    const char* text;
    int selStart;
    int selLength;
    char16_t ch;
    bool accepted;
};

TEST(SpinValues, TypedCharactersPassTheKindsFilter)
{
    const platform::ScopedFormatSettings fs(Settings("dd/mm/yyyy"));
    const CharCase cases[] = {
        {"digit", sptNormal, 0, "12", 2, 0, u'3', true},
        {"letter", sptNormal, 0, "12", 2, 0, u'a', false},
        {"minus at the start", sptNormal, 0, "12", 0, 0, u'-', true},
        {"minus in the middle", sptNormal, 0, "12", 1, 0, u'-', false},
        {"second minus", sptNormal, 0, "-12", 0, 0, u'-', false},
        {"minus over the selected minus", sptNormal, 0, "-12", 0, 1, u'-', true},
        {"decimal point in whole numbers", sptNormal, 0, "12", 2, 0, u'.', false},
        {"decimal point", sptFloat, 0, "12", 2, 0, u'.', true},
        {"second decimal point", sptFloat, 0, "1.2", 3, 0, u'.', false},
        {"decimal point over the selected one", sptFloat, 0, "1.2", 1, 1, u'.', true},
        {"thousand separator", sptFloat, 0, "1", 1, 0, u',', false},
        {"precision full", sptFloat, 2, "1.25", 4, 0, u'3', false},
        {"precision room", sptFloat, 2, "1.2", 3, 0, u'5', true},
        {"before the point with precision full", sptFloat, 2, "1.25", 0, 0, u'3', true},
        {"time separator", sptTime, 0, "10", 2, 0, u':', true},
        {"third time separator", sptTime, 0, "1:2:3", 5, 0, u':', false},
        {"date separator in times", sptTime, 0, "10", 2, 0, u'/', false},
        {"date separator", sptDate, 0, "10", 2, 0, u'/', true},
        {"time separator in dates", sptDate, 0, "10", 2, 0, u':', false},
        {"backspace", sptNormal, 0, "10", 2, 0, u'\b', true},
        {"enter", sptNormal, 0, "10", 2, 0, u'\r', false},
    };
    for (const CharCase& c : cases) {
        SpinSettings s = Kind(c.type);
        s.precision = c.precision;
        EXPECT_EQ(SpinAcceptsChar(s, c.text, c.selStart, c.selLength, QChar(c.ch)), c.accepted) << c.name;
    }
    SpinSettings off = Kind(sptNormal);
    off.editorEnabled = false;
    EXPECT_FALSE(SpinAcceptsChar(off, "1", 1, 0, u'2'));
    EXPECT_FALSE(SpinAcceptsChar(off, "1", 1, 0, u'\b'));
}

TEST(UnitValues, TheFirstUnitEndingTheValueWinsAndNothingIsLost)
{
    const struct
    {
        const char* value;
        QStringList units;
        const char* text;
        const char* unit;
    } cases[] = {
        {"12cm", {"cm", "m"}, "12", "cm"},
        {"12cm", {"m", "cm"}, "12c", "m"},
        {"5mm", {"m"}, "5mm", ""},
        {"7 kg", {"g", "kg"}, "7 k", "g"},
        {"", {"m"}, "", ""},
        {"42", {}, "42", ""},
    };
    for (const auto& c : cases) {
        QString text = "old", unit = "old";
        SplitUnitValue(c.value, c.units, text, unit);
        EXPECT_EQ(text, c.text) << c.value;
        EXPECT_EQ(unit, c.unit) << c.value;
        EXPECT_EQ(text + unit, QString::fromUtf8(c.value));
    }
}

} // namespace

namespace {

TEST(PickerFormats, CellLettersBecomeThePickersLetters)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"dd/mm/yyyy", "dd/MM/yyyy"},
        {"m/d/yy", "M/d/yy"},
        {"d mmm yyyy", "d MMM yyyy"},
        {"hh:nn:ss", "hh:mm:ss"},
        {"h:mm", "h:mm"},
        {"h:nn ampm", "h:mm AP"},
        {"yyyy-mm-dd hh:mm", "yyyy-MM-dd hh:mm"},
        {"dd\"T\"hh", "dd'T'hh"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PickerFormat(c.in), c.out) << c.in;
}

} // namespace
