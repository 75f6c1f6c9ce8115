// The shared reader toolkit the family readers build on: required row values
// with their messages, sections, table limits, 64-bit integer texts and the
// bank buffer's bounds.
#include "bank_buffers.h"
#include "compile_error.h"
#include "int_text.h"
#include "table_rows.h"
#include "xml_document.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QString MessageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const CompileError& e) {
        return e.Message();
    }
    return QStringLiteral("(no error)");
}

class RowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.LoadBytes("<Root><Modbus_Read>"
                                  "<row Slave_ID=\"3\" PollTime=\"abc\" Big=\"4294967296\" Hex=\"$FFFFFFFF\" Type=\"\"/>"
                                  "<row Slave_ID=\" 7\"/>"
                                  "</Modbus_Read></Root>"));
        section = doc.Root().child("Modbus_Read");
    }
    XmlDocument doc;
    pugi::xml_node section;
    const QString file = QStringLiteral("/p/ModbusM_SetAccess.xml");
};

TEST_F(RowsTest, RequiredValuesAndTheirMessages)
{
    const TableRow first(file, "Modbus_Read", 0, section.first_child());
    const TableRow second(file, "Modbus_Read", 1, section.first_child().next_sibling());
    EXPECT_EQ(first.RequiredInt("Slave_ID"), 3);
    EXPECT_EQ(second.RequiredInt("Slave_ID"), 7);
    EXPECT_EQ(first.RequiredText("Type"), QString());   // present, empty
    EXPECT_EQ(first.RequiredInt64("Big"), int64_t{4294967296});
    EXPECT_EQ(static_cast<uint32_t>(first.RequiredInt64("Hex")), 0xFFFFFFFFu);
    EXPECT_EQ(first.IntOr("PollTime", 1000), 1000);
    EXPECT_EQ(first.IntOr("Missing", 9), 9);

    EXPECT_EQ(MessageOf([&] { second.RequiredInt("PollTime"); }),
              "/p/ModbusM_SetAccess.xml, section \"Modbus_Read\", row 2: the attribute \"PollTime\" is missing.");
    EXPECT_EQ(MessageOf([&] { first.RequiredInt("PollTime"); }),
              "/p/ModbusM_SetAccess.xml, section \"Modbus_Read\", row 1: the attribute \"PollTime\" is not an "
              "integer: \"abc\".");
    EXPECT_EQ(MessageOf([&] { first.RequiredInt("Big"); }),
              "/p/ModbusM_SetAccess.xml, section \"Modbus_Read\", row 1: the attribute \"Big\" is not an integer: "
              "\"4294967296\".");
    const TableRow direct(file, QString(), 4, section.first_child());
    EXPECT_EQ(MessageOf([&] { direct.RequiredText("Missing"); }),
              "/p/ModbusM_SetAccess.xml, row 5: the attribute \"Missing\" is missing.");
}

TEST_F(RowsTest, SectionsAndLimits)
{
    EXPECT_EQ(Required_Section(file, doc.Root(), "Modbus_Read"), section);
    EXPECT_EQ(MessageOf([&] { Required_Section(file, doc.Root(), "Modbus_Write"); }),
              "/p/ModbusM_SetAccess.xml: the section \"Modbus_Write\" is missing.");
    EXPECT_EQ(MessageOf([&] { Table_Limit(file, "Modbus_Read", 512); }),
              "/p/ModbusM_SetAccess.xml, section \"Modbus_Read\": more than 512 rows; the table holds 512.");
    EXPECT_EQ(MessageOf([&] { Table_Limit(file, QString(), 64); }),
              "/p/ModbusM_SetAccess.xml: more than 64 rows; the table holds 64.");
}

TEST(Int64Text, SameRulesAsTheIntegerTextWithSixtyFourBits)
{
    const struct
    {
        const char* text;
        bool ok;
        int64_t value;
    } cases[] = {
        {"0", true, 0},
        {"  42", true, 42},
        {"-42", true, -42},
        {"+5", true, 5},
        {"4294967296", true, 4294967296LL},
        {"9223372036854775807", true, INT64_MAX},
        {"-9223372036854775808", true, INT64_MIN},
        {"9223372036854775808", false, 0},
        {"$FFFFFFFFFFFFFFFF", true, -1},
        {"0x1FFFFFFFF", true, 0x1FFFFFFFFLL},
        {"x10", true, 16},
        {"$10000000000000000", false, 0},
        {"12 ", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"0x", false, 0},
        {"1e3", false, 0},
    };
    for (const auto& c : cases) {
        int64_t v = 0;
        EXPECT_EQ(TryStrToInt64(QString::fromLatin1(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(BankBufferBounds, NothingIsWrittenPastTheCapacity)
{
    BankBuffer b("Test", 16);
    const char data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(b.Put(8, data, 8), 16);
    EXPECT_EQ(MessageOf([&] { b.Put(9, data, 8); }),
              "The image does not fit its buffer Test: 8 bytes at 9, capacity 16.");
    EXPECT_EQ(b.Head(16).mid(8), QByteArray(data, 8));
    EXPECT_NE(MessageOf([&] { b.Fill(-1, 2); }), "(no error)");
    EXPECT_NE(MessageOf([&] { b.SetLength(17); }), "(no error)");
}

} // namespace
