#include "int_text.h"

#include <gtest/gtest.h>

namespace {

struct IntCase
{
    const char* text;
    bool ok;
    int32_t value;
};

TEST(IntText, ParsesTheProjectFilesIntegerForms)
{
    const IntCase cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"007", true, 7},
        {"  12", true, 12},          // leading blanks are skipped
        {"12 ", false, 0},           // trailing ones are not
        {" 1", true, 1},
        {"-5", true, -5},
        {"+5", true, 5},
        {"$FF", true, 255},
        {"0x1F", true, 31},
        {"0X1f", true, 31},
        {"x10", true, 16},
        {"X10", true, 16},
        {"-$10", true, -16},
        {"$FFFFFFFF", true, -1},     // hexadecimal keeps the bit pattern
        {"$100000000", false, 0},
        {"$00000000FF", true, 255},  // leading zeros do not count
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"99999999999", false, 0},
        {"", false, 0},
        {" ", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"abc", false, 0},
        {"1.5", false, 0},
        {"1e3", false, 0},
        {"12a", false, 0},
        {"$G1", false, 0},
        {"\t1", false, 0},
    };
    for (const IntCase& c : cases) {
        int32_t v = 12345;
        const bool ok = TryStrToInt(QString::fromLatin1(c.text), v);
        EXPECT_EQ(ok, c.ok) << '"' << c.text << '"';
        if (c.ok && ok) {
            EXPECT_EQ(v, c.value) << '"' << c.text << '"';
        }
    }
}

TEST(IntText, DefaultOnlyForTextsThatAreNotIntegers)
{
    EXPECT_EQ(StrToIntDef(QStringLiteral("x"), 7), 7);
    EXPECT_EQ(StrToIntDef(QStringLiteral("-1"), 7), -1);
    EXPECT_EQ(StrToIntDef(QString(), -3), -3);
}

} // namespace
