// The allocation-free readers of row values agree with the QString rules they
// stand for: integer texts, upper-cased and trimmed compares, text fields,
// IPv4 texts, and attribute lookups in any order.
#include "bank_buffers.h"
#include "helpers.h"
#include "int_text.h"
#include "par_gen_reader.h"
#include "row_text.h"
#include "table_rows.h"
#include "xml_document.h"

#include <gtest/gtest.h>

namespace {

const char* const kIntegerTexts[] = {
    "0", "7", " 12", "12 ", "+5", "-5", "--5", "2147483647", "2147483648", "-2147483648", "-2147483649",
    "$7FFFFFFF", "$FFFFFFFF", "0xFFFFFFFF", "0X1f", "x10", "X10", "$100000000", "$0000000001", "-$10", "$",
    "0x", "", " ", "-", "1e3", "１２", "12\xc2\xa0", "9223372036854775807", "9223372036854775808",
    "-9223372036854775808", "$FFFFFFFFFFFFFFFF", "$10000000000000000", "0x00000000000000001", "$1000000000000000",
    "18446744073709551616", "99999999999999999999999",
};

TEST(RowValues, IntegerTextsAgreeWithTheQStringRules)
{
    for (const char* text : kIntegerTexts) {
        SCOPED_TRACE(text);
        const QString q = QString::fromUtf8(text);
        int32_t a = 0, b = 0;
        const bool okA = TryUtf8ToInt(text, a);
        EXPECT_EQ(okA, TryStrToInt(q, b));
        if (okA) {
            EXPECT_EQ(a, b);
        }
        int64_t c = 0, d = 0;
        const bool okC = TryUtf8ToInt64(text, c);
        EXPECT_EQ(okC, TryStrToInt64(q, d));
        if (okC) {
            EXPECT_EQ(c, d);
        }
    }
    int64_t v = 0;
    ASSERT_TRUE(TryUtf8ToInt64("$1000000000000000", v));
    EXPECT_EQ(static_cast<uint64_t>(v), 0x1000000000000000ULL);
    EXPECT_FALSE(TryUtf8ToInt64("$10000000000000000", v));   // 17 digits, whatever the low bits
}

TEST(RowValues, ComparesAgreeWithToUpperAndTrimmed)
{
    const struct
    {
        const char* text;
        const char* upper;
    } cases[] = {
        {"Y", "Y"},           {"y", "Y"},          {" y ", "Y"},         {"\ty\r\n", "Y"},       {"yes", "Y"},
        {"", "Y"},            {"int", "INT"},      {"\xc4\xb1nt", "INT"},   // dotless i upper-cases to I
        {"Coil Status", "COIL STATUS"}, {" coil  status", "COIL STATUS"}, {"\xc2\xa0Y", "Y"},   // no-break space
        {"\xc3\xbf", "Y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString q = QString::fromUtf8(c.text);
        EXPECT_EQ(UpperIs(c.text, c.upper), q.toUpper() == QLatin1String(c.upper));
        EXPECT_EQ(TrimmedUpperIs(c.text, c.upper), q.trimmed().toUpper() == QLatin1String(c.upper));
    }
    EXPECT_FALSE(UpperIs(nullptr, "Y"));
    const char* const kinds[] = {"COIL STATUS", "INPUT STATUS", "HOLDING REGISTER"};
    EXPECT_EQ(UpperMatch(" holding register", true, kinds), 2);
    EXPECT_EQ(UpperMatch(" holding register", false, kinds), -1);
    EXPECT_EQ(UpperMatch("Input Register", true, kinds), -1);
    EXPECT_EQ(UpperMatch(nullptr, true, kinds), -1);
}

TEST(RowValues, TextFieldsAgreeWithStoreText)
{
    for (const char* text : {"public", "", "abcdefghijklmnopqrst", "\xc3\xa9t\xc3\xa9", "\xe2\x82\xac" "5", "\xf0\x9f\x98\x80x"}) {
        SCOPED_TRACE(text);
        uint8_t a[16], b[16];
        std::fill(a, a + 16, 0xAA);
        std::fill(b, b + 16, 0xAA);
        Store_Utf8_Text(a, text);
        Store_Text(b, QString::fromUtf8(text));
        EXPECT_EQ(QByteArray(reinterpret_cast<char*>(a), 16), QByteArray(reinterpret_cast<char*>(b), 16));
    }
    uint8_t untouched[4] = {1, 2, 3, 4};
    Store_Utf8_Text(untouched, nullptr);
    EXPECT_EQ(untouched[0], 1);
}

// The plain form gives what Split_IP_Address gives; every other text is left
// to the general rule.
TEST(RowValues, PlainAddresses)
{
    const struct
    {
        const char* text;
        bool plain;
    } cases[] = {
        {"192.168.0.20", true}, {"0.0.0.0", true},      {"255.255.255.255", true}, {"010.001.000.009", true},
        {"256.1.1.1", false},   {"1.2.3", false},       {"1.2.3.4.5", false},     {" 1.2.3.4", false},
        {"1.2.3.4 ", false},    {"1..2.3", false},      {"1.2.3.0004", false},    {"", false},
        {"a.b.c.d", false},     {"-1.2.3.4", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        uint8_t fast[4] = {9, 9, 9, 9};
        EXPECT_EQ(Plain_IPv4(c.text, fast), c.plain);
        if (c.plain) {
            uint8_t slow[4] = {};
            EXPECT_FALSE(Split_IP_Address(QString::fromLatin1(c.text), slow[0], slow[1], slow[2], slow[3]));
            EXPECT_EQ(QByteArray(reinterpret_cast<char*>(fast), 4), QByteArray(reinterpret_cast<char*>(slow), 4));
        } else {
            EXPECT_EQ(fast[0], 9);
        }
    }
}

TEST(RowValues, AttributesInAnyOrder)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadBytes("<R><row A=\"1\" B=\"2\" C=\"3\" D=\"4\"/></R>"));
    const TableRow row(QStringLiteral("f.xml"), QString(), 0, doc.Root().first_child());
    const char* order[] = {"A", "B", "C", "D", "B", "A", "D", "C", "X", "C", "A", "D", "B"};
    const char* expected[] = {"1", "2", "3", "4", "2", "1", "4", "3", nullptr, "3", "1", "4", "2"};
    for (int i = 0; i < static_cast<int>(std::size(order)); ++i) {
        SCOPED_TRACE(order[i]);
        const char* raw = row.Raw(order[i]);
        if (!expected[i])
            EXPECT_EQ(raw, nullptr);
        else
            EXPECT_STREQ(raw, expected[i]);
    }
    EXPECT_EQ(row.IntOr("C", 0), 3);
    EXPECT_EQ(row.RequiredInt("A"), 1);
}

TEST(RowValues, BankBufferIsZeroUntilWritten)
{
    BankBuffer b("Test", 64);
    EXPECT_EQ(b.Capacity(), 64);
    EXPECT_EQ(b.Head(64), QByteArray(64, '\0'));
    b.Fill(60, 4, 0xFF);
    EXPECT_EQ(b.Head(64), QByteArray(60, '\0') + QByteArray(4, '\xff'));
    EXPECT_EQ(b.Data()[63], 0xFF);
    BankBuffer untouched("Other", 8);
    EXPECT_EQ(untouched.Data()[7], 0);
}

} // namespace
