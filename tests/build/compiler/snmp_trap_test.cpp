// SNMP trap tables (SNMP_Trap.xml -> 2 x 256 records of 48 bytes) and the
// SNMP agent settings of the SNMP models.
#include "table_file_fixture.h"

namespace {

QByteArray TrapFile(const QList<QByteArray>& read, const QList<QByteArray>& write)
{
    return TableXml("SNMP_Trap", {{"SNMP_Trap_Read", read}, {"SNMP_Trap_Write", write}});
}

// Where a type puts its trap tables and its general block.
struct Layout
{
    int tables, block;
};

Layout LayoutOf(int type)
{
    return type == 18 || type == 19 || type == 1018 ? Layout{0, 24576} : Layout{2048, 0};
}

// Builds type with the trap file; the type's map type is set to 1.
QByteArray BuildWithTraps(int type, const QByteArray& traps)
{
    CompilerProject project(type);
    project.WriteParGen(ParGenXml({{"SNMP_MapType", "1"}}));
    project.WriteFile(File_SNMP_Trap, traps);
    return project.BuildFile("bank.bin");
}

QByteArray ReadRecord(const QByteArray& bank, int type, int k)
{
    return bank.mid(LayoutOf(type).tables + 48 * k, 48);
}

QByteArray WriteRecord(const QByteArray& bank, int type, int k)
{
    return bank.mid(LayoutOf(type).tables + 12288 + 48 * k, 48);
}

uint32_t BlockU32(const QByteArray& bank, int type, int offset)
{
    return ReadU32(bank, LayoutOf(type).block + offset);
}

TEST(SnmpTrap, ReadAndWriteRecordsByteForByte)
{
    const QByteArray traps = TrapFile(
        {RowXml({{"Enable", "Y"}, {"Community_Name", "public"}, {"Type", "Int"}, {"On_Change", "Y"},
                 {"On_Command", "Y"}, {"On_Timer", "Y"}, {"Time", "5000"}, {"Position", "12"}, {"Bit", "3"},
                 {"NumBits", "16"}, {"Description", "temp"}, {"IP_Address", "192.168.0.20"},
                 {"Conversion", " float * 10 "}, {"Mnemonic", "x"}})},
        {RowXml({{"Enable", "Y"}, {"Community_Name", "private"}, {"Type", "String"}, {"On_Change", "Y"},
                 {"On_Timer", "Y"}, {"Time", "7"}, {"Position", "40"}, {"Bit", "1"}, {"NumBits", "4"},
                 {"Description", "setpoint"}, {"IP_Address", "10.0.0.1"}, {"Conversion", "Int * 1000"}})});
    Image read(48), write(48);
    read.U16(0, 12).U16(2, 3).U16(4, 16).U8(6, 2).U8(7, 15).U32(8, 5000).Text(12, "public").Text(28, "temp");
    read.Octets(44, 20, 0, 168, 192);
    write.U16(0, 40).U16(2, 1).U16(4, 32).U8(6, 8).Text(12, "private").Text(28, "setpoint");   // no time, no IP

    for (int type : {18, 19, 1018}) {
        SCOPED_TRACE(type);
        const QByteArray bank = BuildWithTraps(type, traps);
        EXPECT_IMAGE(ReadRecord(bank, type, 0), read.Bytes());
        EXPECT_IMAGE(WriteRecord(bank, type, 0), write.Bytes());
        EXPECT_EQ(ReadRecord(bank, type, 1), QByteArray(48, '\0'));
        EXPECT_EQ(BlockU32(bank, type, 416), 1u);
        EXPECT_EQ(BlockU32(bank, type, 420), 1u);
        EXPECT_EQ(BlockU32(bank, type, 424), 0x62000u);
        EXPECT_EQ(BlockU32(bank, type, 428), 0x65000u);
    }
}

// Types without conversion codes, and type 20 without "send on command".
TEST(SnmpTrap, ConversionAndCommandByType)
{
    const QByteArray traps =
        TrapFile({RowXml({{"Enable", "Y"}, {"On_Command", "y"}, {"Conversion", "FLOAT / 100"}})},
                 {RowXml({{"Enable", "Y"}, {"Conversion", "Float"}})});
    const struct
    {
        int type;
        unsigned flags, conversion, writeConversion;
        uint32_t readAddress, writeAddress;
    } cases[] = {
        {16, 2, 0, 0, 0x68800, 0x6B800},
        {20, 0, 0, 0, 0x68800, 0x6B800},
        {18, 2, 5, 1, 0x62000, 0x65000},
        {19, 2, 5, 1, 0x62000, 0x65000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        const QByteArray bank = BuildWithTraps(c.type, traps);
        EXPECT_EQ(ReadU8(ReadRecord(bank, c.type, 0), 7), c.flags);
        EXPECT_EQ(ReadU8(ReadRecord(bank, c.type, 0), 6), c.conversion);
        EXPECT_EQ(ReadU8(WriteRecord(bank, c.type, 0), 6), c.writeConversion);
        EXPECT_EQ(BlockU32(bank, c.type, 424), c.readAddress);
        EXPECT_EQ(BlockU32(bank, c.type, 428), c.writeAddress);
    }
}

TEST(SnmpTrap, ConversionCodes)
{
    const struct
    {
        const char* text;
        unsigned code;
    } cases[] = {
        {"None", 0},         {"Float", 1},        {"Float * 10", 2},  {"Float * 100", 3},   {"Float / 10", 4},
        {"Float / 100", 5},  {"Float * 1000", 6}, {"Float / 1000", 7}, {"Int * 1000", 8},   {" int * 1000 ", 8},
        {"Float*10", 0},     {"", 0},             {nullptr, 0},
    };
    QList<QByteArray> rows;
    for (const auto& c : cases)
        rows.append(RowXml({{"Enable", "Y"}, {"Conversion", c.text}}));
    const QByteArray bank = BuildWithTraps(1018, TrapFile(rows, {}));
    for (int k = 0; k < static_cast<int>(std::size(cases)); ++k)
        EXPECT_EQ(ReadU8(ReadRecord(bank, 1018, k), 6), cases[k].code) << (cases[k].text ? cases[k].text : "(missing)");
}

// Only rows whose Enable, upper-cased, is "Y" take a record, in order.
TEST(SnmpTrap, EnabledRows)
{
    const char* enables[] = {"Y", "y", " Y", "N", nullptr, "yes", "Y"};
    QList<QByteArray> rows;
    for (int i = 0; i < static_cast<int>(std::size(enables)); ++i)
        rows.append(RowXml({{"Enable", enables[i]}, {"Position", QByteArray::number(i + 1).constData()}}));
    const QByteArray bank = BuildWithTraps(20, TrapFile(rows, rows));
    EXPECT_EQ(BlockU32(bank, 20, 416), 3u);
    EXPECT_EQ(BlockU32(bank, 20, 420), 3u);
    for (const auto& record : {ReadRecord, WriteRecord}) {
        EXPECT_EQ(ReadU16(record(bank, 20, 0), 0), 1u);
        EXPECT_EQ(ReadU16(record(bank, 20, 1), 0), 2u);
        EXPECT_EQ(ReadU16(record(bank, 20, 2), 0), 7u);
        EXPECT_EQ(record(bank, 20, 3), QByteArray(48, '\0'));
    }
    EXPECT_EQ(bank.size(), 26624);
}

// Each attribute is read on its own: a missing or bad value affects only its
// own field.
TEST(SnmpTrap, FieldValues)
{
    const struct
    {
        Attrs attrs;
        int offset, width;
        uint32_t value;
        const char* what;
    } cases[] = {
        {{{"Type", "String"}, {"NumBits", "4"}}, 4, 2, 32, "string: bytes"},
        {{{"Type", "Int"}, {"NumBits", "16"}}, 4, 2, 16, "int: bits"},
        {{{"Type", "Int"}, {"NumBits", "16"}}, 7, 1, 8, "int flag"},
        {{{"Type", "int "}, {"NumBits", "2"}}, 4, 2, 16, "\"int \" is not INT"},
        {{{"Type", "Int"}, {"NumBits", "x"}}, 4, 2, 1, "int, bad size: 1"},
        {{{"Type", "String"}, {"NumBits", "x"}}, 4, 2, 8, "string, bad size: 1 byte"},
        {{{"Type", "String"}}, 4, 2, 0, "missing size: 0"},
        {{{"NumBits", "8192"}}, 4, 2, 0, "size x 8 keeps 16 bits"},
        {{{"Position", "x"}, {"Bit", "7"}}, 0, 4, 0x70000, "bad position"},
        {{{"Position", "70000"}}, 0, 2, 4464, "position low 16 bits"},
        {{{"Time", "x"}}, 8, 4, 0, "bad time"},
        {{{"Time", "-1"}}, 8, 4, 0xFFFFFFFF, "negative time"},
        {{{"On_Change", "y"}, {"On_Timer", "Y "}}, 7, 1, 1, "exact after upper-casing"},
        {{{"IP_Address", "10.0.0.256"}}, 44, 4, 0x0A000000, "bad octet: 0"},
        {{{"IP_Address", "192.168.1"}}, 44, 4, 0xC0A80001, "short address"},
        {{{"Community_Name", "abcdefghijklmnopqrst"}}, 12, 4, 0x64636261, "community"},
        {{{"Community_Name", "abcdefghijklmnopqrst"}}, 28, 4, 0, "cut at 16, description untouched"},
        {{{"Description", "\xc3\xa9t\xc3\xa9"}}, 28, 4, 0x00E974E9, "one byte per character"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray row = RowXml(c.attrs).insert(4, " Enable=\"Y\"");
        const QByteArray r = ReadRecord(BuildWithTraps(20, TrapFile({row}, {})), 20, 0);
        const uint32_t actual = c.width == 1 ? ReadU8(r, c.offset) : c.width == 2 ? ReadU16(r, c.offset)
                                                                                  : ReadU32(r, c.offset);
        EXPECT_EQ(actual, c.value);
    }
}

// An empty or missing address is 0.0.0.0, never the previous row's address.
TEST(SnmpTrap, EmptyAddressIsZero)
{
    const QByteArray bank = BuildWithTraps(
        19, TrapFile({RowXml({{"Enable", "Y"}, {"IP_Address", "192.168.0.20"}}),
                      RowXml({{"Enable", "Y"}, {"IP_Address", ""}}), RowXml({{"Enable", "N"}, {"IP_Address", "1.1.1.1"}}),
                      RowXml({{"Enable", "Y"}}), RowXml({{"Enable", "Y"}, {"IP_Address", "x"}})},
                     {}));
    EXPECT_EQ(ReadRecord(bank, 19, 0).mid(44, 4), QByteArray::fromHex("1400a8c0"));
    EXPECT_EQ(ReadRecord(bank, 19, 1).mid(44, 4), QByteArray(4, '\0'));
    EXPECT_EQ(ReadRecord(bank, 19, 2).mid(44, 4), QByteArray(4, '\0'));
    EXPECT_EQ(ReadRecord(bank, 19, 3).mid(44, 4), QByteArray(4, '\0'));
}

// 256 enabled rows per section fill the table; disabled rows take none; one
// enabled row more stops the build naming the section and the limit.
TEST(SnmpTrap, TableLimit)
{
    const QByteArray on = RowXml({{"Enable", "Y"}, {"Position", "9"}});
    const QByteArray off = RowXml({{"Enable", "N"}});
    {
        QList<QByteArray> rows = Rows(256, on);
        rows.append(Rows(20, off));
        const QByteArray bank = BuildWithTraps(18, TrapFile(rows, rows));
        EXPECT_EQ(bank.size(), 26624);
        EXPECT_EQ(BlockU32(bank, 18, 416), 256u);
        EXPECT_EQ(BlockU32(bank, 18, 420), 256u);
        EXPECT_EQ(ReadU16(WriteRecord(bank, 18, 255), 0), 9u);
    }
    CompilerProject project(20);
    project.WriteFile(File_SNMP_Trap, TrapFile(Rows(3, on), Rows(257, on)));
    ExpectBuildStops(project, {File_SNMP_Trap, "section \"SNMP_Trap_Write\": more than 256 rows; the table holds 256."});
}

TEST(SnmpTrap, SectionsAndMalformedFiles)
{
    const struct
    {
        QByteArray file;
        const char* message;
    } cases[] = {
        {"<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>", "the section \"SNMP_Trap_Write\" is missing."},
        {"<SNMP_Trap><SNMP_Trap_Write/></SNMP_Trap>", "the section \"SNMP_Trap_Read\" is missing."},
        {"<SNMP_Trap><SNMP_Trap_Read>", ""},
    };
    for (int type : {20, 16, 19}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(type) + " " + c.file.toStdString());
            CompilerProject project(type);
            project.WriteParGen(ParGenXml({{"SNMP_MapType", "1"}}));
            project.WriteFile(File_SNMP_Trap, c.file);
            ExpectBuildStops(project, {File_SNMP_Trap, c.message});
        }
    }
}

// The SNMP agent settings of every SNMP model with an access table.
TEST(SnmpAgent, FlagsAndPrivacyKeyByType)
{
    const struct
    {
        const char* key;
        QByteArray bytes;
    } keys[] = {{"0aFf10", QByteArray::fromHex("0aff10")}, {"0aFf10c", QByteArray::fromHex("0aff10")}};
    for (int type : {16, 18, 19, 1018}) {
        for (const auto& k : keys) {
            SCOPED_TRACE(std::to_string(type) + " " + k.key);
            CompilerProject project(type);
            project.WriteParGen(ParGenXml({{"SNMP_VERSION3", "1"}, {"SNMP_VER3_SECURITY_LEVEL", "Auth Priv"},
                                           {"SNMP_VER3_AUTHORITY_MODE", "SHA"}, {"SNMP_VER3_PRIVACY_MODE", "AES"},
                                           {"SNMP_VER3_PRIVACY_HEX", "1"}, {"SNMP_VER3_PRIVACY", k.key},
                                           {"SNMP_VER3_USER", "admin"}, {"SNMP_VER3_AUTHORITY", "secret"}}));
            const QByteArray block = project.BuildFile("bank.bin").mid(LayoutOf(type).block, 2048);
            EXPECT_EQ(ReadU32(block, 432), 0x2B4u);
            EXPECT_EQ(block.mid(488, 6), QByteArray("admin").append('\0'));
            EXPECT_EQ(block.mid(508, 7), QByteArray("secret").append('\0'));
            EXPECT_EQ(block.mid(524, 16), QByteArray(k.bytes).append(13, '\0'));
            EXPECT_EQ(ReadU32(block, 2044), BlockSum(block));
        }
    }
}

} // namespace
