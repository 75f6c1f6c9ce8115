// Modbus TCP master models: type 11 (block, and the records in bank2.bin)
// and type 19 (trap tables, block and records in one image).
#include "table_file_fixture.h"

namespace {

QByteArray TcpFile(const QList<QByteArray>& read, const QList<QByteArray>& write)
{
    return TableXml("PROFINET_Master_to_Modbus_TCP_Master", {{"Modbus_Read", read}, {"Modbus_Write", write}});
}

constexpr Attrs kReadRow = {{"IP_Address", "10.0.0.1"}, {"Port", "502"},   {"Slave_ID", "1"},
                            {"Type", "Holding Register"}, {"Address", "0"}, {"NPoint", "1"},
                            {"PollTime", "100"},          {"MaxError", "3"}, {"Position", "0"},
                            {"Bit", "0"},                 {"Swap", "N"},     {"Swap_Word", "N"}};
constexpr Attrs kWriteRow = {{"IP_Address", "10.0.0.1"}, {"Port", "502"},   {"Slave_ID", "1"},
                             {"Type", "Holding Register"}, {"Address", "0"}, {"NPoint", "1"},
                             {"PollTime", "100"},          {"OnChange", "N"}, {"MaxError", "3"},
                             {"Position", "0"},            {"Bit", "0"},      {"Swap", "N"},
                             {"Swap_Word", "N"}};

TEST(ModbusTcpMaster, Type11FilesByteForByte)
{
    CompilerProject project(11);
    project.WriteParGen(ParGenXml({
        {"PROFINET_IP4", "20"}, {"PROFINET_NAME_STA", "tcp-m"}, {"PROFINET_PORT", "1234"},
        {"Modbus_TCP_Master_TimeOut", "2000"}, {"Modbus_TCP_Master_Cyclic", "50"},
        {"MODBUS_TCP_MASTER_NB_IN", "64"}, {"MODBUS_TCP_MASTER_NB_OUT", "32"},
        {"Modbus_TCP_Master_IP1", "172"}, {"Modbus_TCP_Master_IP2", "16"}, {"Modbus_TCP_Master_IP3", "1"},
        {"Modbus_TCP_Master_IP4", "9"}, {"Modbus_TCP_Master_SM3", "0"}, {"Modbus_TCP_Master_GAT1", "172"},
        {"Modbus_TCP_Master_GAT2", "16"}, {"Modbus_TCP_Master_GAT3", "1"}, {"Modbus_TCP_Master_GAT4", "254"},
        {"Modbus_TCP_Master_EN_GAT", "1"}, {"PROFINET_ENABLE_DIAGNOSTIC", "1"},
        {"PROFINET_DIAGNOSTIC_ADDRESS", "x"}, {"SNMP_VERSION2", "1"}, {"SNMP_MapType", "0"},
    }));
    project.WriteFile(File_ModbusTCPM_SetAccess, TcpFile(
        {RowXml({{"IP_Address", "192.168.0.20"}, {"Slave_ID", "7"}, {"Type", "Holding Register"},
                 {"Address", "40001"}, {"NPoint", "10"}, {"PollTime", "500"}, {"MaxError", "3"}, {"Position", "4"},
                 {"Bit", "0"}, {"Swap", "Y"}, {"Swap_Word", "N"}, {"Format_SNMP", "Int 2 bytes"},
                 {"Mnemonic", "m"}})},
        {RowXml({{"IP_Address", "10.0.0.1"}, {"Port", "1502"}, {"Slave_ID", "1"}, {"Type", "Coil Status"},
                 {"Address", "3"}, {"NPoint", "1"}, {"PollTime", "0"}, {"OnChange", "Y"}, {"MaxError", "1"},
                 {"Position", "2"}, {"Bit", "5"}, {"Swap", "N"}, {"Swap_Word", "Y"}})}));

    Image block = ResetGenBlock();
    block.U16(52, 5000).U32(76, 0x58000).U32(196, 0x58000);
    block.Octets(40, 192, 168, 0, 20).Octets(44, 255, 255, 255, 0).Octets(48, 255, 255, 255, 255);
    block.Text(80, "tcp-m").U32(32, 2000).U32(36, 50).U32(116, 64).U32(120, 32).U32(300, 1).U32(72, 2);
    block.Octets(304, 172, 16, 1, 9).Octets(308, 255, 255, 0, 0).Octets(312, 172, 16, 1, 254);
    block.Sum();

    Image records(30720);
    records.U16(0, 4).U32(4, 500).U8(8, 7).U8(9, 3).U16(10, 40001).U16(12, 10).U16(14, 502);
    records.Octets(16, 20, 0, 168, 192).U32(24, 3).U8(30, 20).U8(31, 4);
    records.U16(32, 2).U16(34, 5).U8(40, 1).U8(41, 5).U16(42, 3).U16(44, 1).U16(46, 1502);
    records.Octets(48, 1, 0, 0, 10).U32(56, 1).U8(62, 1).U8(63, 9);

    const auto files = project.Build();
    ASSERT_EQ(files.keys(), (QStringList{"bank.bin", "bank1.bin", "bank2.bin"}));
    EXPECT_IMAGE(files["bank.bin"], block.Bytes());
    EXPECT_EQ(files["bank1.bin"], files["bank.bin"]);
    EXPECT_IMAGE(files["bank2.bin"], records.Bytes());
}

TEST(ModbusTcpMaster, Type11WithoutProjectFiles)
{
    CompilerProject project(11);
    Image block = ResetGenBlock();
    block.U16(52, 5000).U32(76, 0x58000).U32(196, 0x58000).Sum();
    const auto files = project.Build();
    EXPECT_IMAGE(files["bank.bin"], block.Bytes());
    EXPECT_EQ(files["bank1.bin"], files["bank.bin"]);
    EXPECT_EQ(files["bank2.bin"], QByteArray(30720, '\0'));

    project.WriteParGen(ParGenXml({}));   // defaults, including the second interface
    const QByteArray bank = project.BuildFile("bank.bin");
    EXPECT_EQ(bank.mid(304, 12), QByteArray::fromHex("c0a80005ffffff00ffffffff"));
    EXPECT_EQ(ReadU32(bank, 32), 1000u);
    EXPECT_EQ(ReadU32(bank, 36), 100u);
    EXPECT_EQ(ReadU32(bank, 116), 512u);
    EXPECT_EQ(ReadU32(bank, 300), 0u);
}

// Type, NPoint, OnChange, Swap and Swap_Word -> function code, byte count
// and flags; the bit is stored on every row.
TEST(ModbusTcpMaster, RowCases)
{
    const struct
    {
        bool write;
        const char* type;
        const char* npoint;
        const char* onChange;
        const char* swap;
        unsigned code, bytes, flags;
    } cases[] = {
        {false, "Coil Status", "16", nullptr, "N", 1, 2, 0},
        {false, "INPUT STATUS", "9", nullptr, "N", 2, 2, 0},
        {false, "holding register", "3", nullptr, "N", 3, 6, 0},
        {false, " Holding Register", "3", nullptr, "N", 0, 6, 0},   // not trimmed: unknown
        {false, "Input Register", "125", nullptr, "N", 4, 250, 0},
        {false, "Input Register", "300", nullptr, "N", 4, 88, 0},   // twice the low 8 bits
        {false, "", "2", nullptr, "N", 0, 4, 0},
        {false, "Coil Status", "1", nullptr, "Y", 1, 1, 4},
        {false, "Coil Status", "1", nullptr, "y", 1, 1, 0},
        {true, "Coil Status", "1", "N", "N", 5, 1, 0},
        {true, "Coil Status", "10", "N", "N", 15, 2, 0},
        {true, "Holding Register", "1", "N", "N", 6, 2, 0},
        {true, "Holding Register", "10", "N", "N", 16, 20, 0},
        {true, "Input Register", "1", "N", "N", 0, 2, 0},
        {true, "Input Status", "8", "N", "N", 0, 16, 0},
        {true, "Holding Register", "1", "y", "N", 6, 2, 1},
        {true, "Holding Register", "1", " Y", "N", 6, 2, 0},   // not trimmed
        {true, "Coil Status", "9", "Y", "Y", 15, 2, 5},
    };
    QList<QByteArray> read, write;
    for (const auto& c : cases) {
        const QByteArray row = RowXml({{"IP_Address", "1.2.3.4"}, {"Slave_ID", "1"}, {"Type", c.type},
                                       {"Address", "0"}, {"NPoint", c.npoint}, {"PollTime", "1"}, {"MaxError", "0"},
                                       {"Position", "0"}, {"Bit", "6"}, {"Swap", c.swap}, {"OnChange", c.onChange}});
        (c.write ? write : read).append(row);
    }
    CompilerProject project(11);
    project.WriteFile(File_ModbusTCPM_SetAccess, TcpFile(read, write));
    const auto files = project.Build();
    const QByteArray table = files["bank2.bin"];
    ASSERT_EQ(table.size(), 30720);
    EXPECT_EQ(ReadU32(files["bank.bin"], 72), std::size(cases));
    int readIndex = 0, writeIndex = static_cast<int>(read.size());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.write ? "write " : "read ") + c.type + " " + c.npoint);
        const QByteArray r = table.mid(32 * (c.write ? writeIndex++ : readIndex++), 32);
        EXPECT_EQ(ReadU8(r, 9), c.code);
        EXPECT_EQ(ReadU8(r, 30), c.bytes);
        EXPECT_EQ(ReadU8(r, 31), c.flags);
        EXPECT_EQ(ReadU16(r, 2), 6u);
    }
    EXPECT_EQ(table.mid(32 * static_cast<int>(std::size(cases))),
              QByteArray(30720 - 32 * static_cast<int>(std::size(cases)), '\0'));
}

TEST(ModbusTcpMaster, AddressPortAndTimes)
{
    const struct
    {
        Attrs changes;
        int offset, width;
        uint32_t value;
    } cases[] = {
        {{{"IP_Address", "192.168.0.20"}}, 16, 4, 0xC0A80014},
        {{{"IP_Address", " 10 . 1 . 2 . 3 "}}, 16, 4, 0x0A010203},
        {{{"IP_Address", "300.1.1.1"}}, 16, 4, 0x2C010101},   // low 8 bits
        {{{"Port", nullptr}}, 14, 2, 502},
        {{{"Port", "x"}}, 14, 2, 502},
        {{{"Port", "70000"}}, 14, 2, 4464},
        {{{"Port", "0"}}, 14, 2, 0},
        {{{"PollTime", "4294967295"}}, 4, 4, 0xFFFFFFFF},
        {{{"PollTime", "99999999999"}}, 4, 4, 1215752191},   // low 32 bits
        {{{"MaxError", "-1"}}, 24, 4, 0xFFFFFFFF},
        {{{"Slave_ID", "256"}}, 8, 1, 0},
        {{{"Address", "65537"}}, 10, 2, 1},
    };
    for (const auto& c : cases) {
        const auto& [name, value] = *c.changes.begin();
        SCOPED_TRACE(std::string(name) + " " + (value ? value : "(missing)"));
        CompilerProject project(11);
        project.WriteFile(File_ModbusTCPM_SetAccess, TcpFile({RowXmlWith(kReadRow, name, value)}, {}));
        const QByteArray r = project.BuildFile("bank2.bin").left(32);
        const uint32_t actual = c.width == 1 ? ReadU8(r, c.offset) : c.width == 2 ? ReadU16(r, c.offset)
                                                                                  : ReadU32(r, c.offset);
        EXPECT_EQ(actual, c.value);
    }
}

TEST(ModbusTcpMaster, RequiredAttributes)
{
    const RequiredAttributeCase cases[] = {
        {false, "IP_Address", nullptr, "section \"Modbus_Read\", row 2: the attribute \"IP_Address\" is missing."},
        {false, "IP_Address", "1.2.3.4.5", "row 2: the attribute \"IP_Address\" is not an IPv4 address: \"1.2.3.4.5\"."},
        {false, "IP_Address", "1.2.3", "the attribute \"IP_Address\" is not an IPv4 address: \"1.2.3\"."},
        {false, "IP_Address", "", "the attribute \"IP_Address\" is not an IPv4 address: \"\"."},
        {false, "IP_Address", "a.b.c.d", "is not an IPv4 address"},
        {false, "IP_Address", "1..2.3", "is not an IPv4 address"},
        {false, "Slave_ID", "x", "the attribute \"Slave_ID\" is not an integer: \"x\"."},
        {false, "NPoint", nullptr, "the attribute \"NPoint\" is missing."},
        {false, "Address", nullptr, "the attribute \"Address\" is missing."},
        {false, "PollTime", "1e3", "the attribute \"PollTime\" is not an integer: \"1e3\"."},
        {false, "MaxError", nullptr, "the attribute \"MaxError\" is missing."},
        {false, "Position", "", "the attribute \"Position\" is not an integer: \"\"."},
        {false, "Bit", nullptr, "the attribute \"Bit\" is missing."},   // a register row
        {false, "Type", nullptr, "the attribute \"Type\" is missing."},
        {true, "OnChange", nullptr, "section \"Modbus_Write\", row 2: the attribute \"OnChange\" is missing."},
        {true, "Type", nullptr, "section \"Modbus_Write\", row 2: the attribute \"Type\" is missing."},
    };
    ExpectRequiredAttributes(19, &File_ModbusTCPM_SetAccess, TcpFile, kReadRow, kWriteRow, cases);
    for (const QByteArray& file : {QByteArray("<R><Modbus_Read/></R>"), QByteArray("<R><Modbus_Write/></R>"),
                                   QByteArray("<R><Modbus_Read>")}) {
        CompilerProject project(11);
        project.WriteFile(File_ModbusTCPM_SetAccess, file);
        ExpectBuildStops(project, {File_ModbusTCPM_SetAccess});
    }
}

// Type 19: trap tables at 0, the block at 24576 (sum at 26620), the records
// at 26624; bank1.bin is the image's first 2048 bytes and bank2.bin is empty.
TEST(ModbusTcpMaster, Type19Image)
{
    const QByteArray access = TcpFile({RowXmlWith(kReadRow, "Format_SNMP", "Int 4 bytes")},
                                      {RowXmlWith(kWriteRow, "Format_SNMP", "Float to Int 1 byte")});
    const QByteArray traps = TableXml(
        "SNMP_Trap", {{"SNMP_Trap_Read", {RowXml({{"Enable", "Y"}, {"Position", "5"}, {"Conversion", "Float / 100"}})}},
                      {"SNMP_Trap_Write", {}}});
    for (const char* mapType : {"1", "0"}) {
        SCOPED_TRACE(mapType);
        const bool tables = QByteArray(mapType) == "1";
        CompilerProject project(19);
        project.WriteParGen(ParGenXml({{"SNMP_MapType", mapType}, {"PROFINET_NAME_STA", "s19"},
                                       {"MODBUS_TCP_MASTER_NB_IN", "5"}, {"PROFINET_ENABLE_DIAGNOSTIC", "1"},
                                       {"PROFINET_DIAGNOSTIC_ADDRESS", "5"}, {"SNMP_Contact", "ops"}}));
        project.WriteFile(File_ModbusTCPM_SetAccess, access);
        project.WriteFile(File_SNMP_Trap, traps);
        const auto files = project.Build();
        ASSERT_EQ(files.keys(), (QStringList{"bank.bin", "bank1.bin", "bank2.bin"}));
        const QByteArray bank = files["bank.bin"];
        ASSERT_EQ(bank.size(), 57344);
        EXPECT_EQ(files["bank1.bin"], bank.left(2048));
        EXPECT_EQ(files["bank2.bin"], QByteArray());
        const QByteArray block = bank.mid(24576, 2048);
        EXPECT_EQ(ReadU32(bank, 26620), BlockSum(block));
        EXPECT_EQ(ReadU32(block, 72), 2u);
        EXPECT_EQ(ReadU32(block, 76), 0x68800u);
        EXPECT_EQ(ReadU32(block, 196), 0x68800u);
        EXPECT_EQ(ReadU8(block, 96), 3u);
        EXPECT_EQ(ReadU16(block, 52), 10000u);
        EXPECT_EQ(ReadU32(block, 116), 1024u);
        EXPECT_EQ(ReadU32(block, 120), 1024u);
        EXPECT_EQ(ReadU32(block, 300), 0u);
        EXPECT_EQ(block.mid(80, 16), QByteArray(16, '\0'));
        EXPECT_EQ(block.mid(440, 4), QByteArray("s19").append('\0'));
        EXPECT_EQ(block.mid(456, 3), QByteArray("ops"));
        EXPECT_EQ(ReadU8(bank, 26624 + 28), tables ? 0u : 3u);
        EXPECT_EQ(ReadU8(bank, 26624 + 32 + 28), tables ? 0u : 6u);
        EXPECT_EQ(ReadU16(bank, 26624 + 14), 502u);
        EXPECT_EQ(ReadU32(block, 416), tables ? 1u : 0u);
        EXPECT_EQ(ReadU32(block, 424), tables ? 0x62000u : 0u);
        EXPECT_EQ(ReadU16(bank, 0), tables ? 5u : 0u);
        EXPECT_EQ(ReadU8(bank, 6), tables ? 5u : 0u);   // "Float / 100"
    }
    CompilerProject project(19);   // without ParGen.xml: map type 0, reset counts
    project.WriteFile(File_SNMP_Trap, traps);
    const QByteArray bank = project.BuildFile("bank.bin");
    EXPECT_EQ(ReadU32(bank, 24576 + 416), 0u);
    EXPECT_EQ(ReadU32(bank, 24576 + 116), 0u);
    EXPECT_EQ(ReadU32(bank, 24576 + 76), 0x68800u);
}

// 960 records: a full table fits, one row more stops the build.
TEST(ModbusTcpMaster, TableLimit)
{
    CompilerProject project(19);
    project.WriteFile(File_ModbusTCPM_SetAccess, TcpFile(Rows(480, RowXml(kReadRow)), Rows(480, RowXml(kWriteRow))));
    const QByteArray bank = project.BuildFile("bank.bin");
    ASSERT_EQ(bank.size(), 57344);
    EXPECT_EQ(ReadU32(bank, 24576 + 72), 960u);
    EXPECT_EQ(ReadU8(bank, 57344 - 32 + 9), 6u);

    for (int type : {19, 11}) {
        CompilerProject over(type);
        over.WriteFile(File_ModbusTCPM_SetAccess, TcpFile(Rows(481, RowXml(kReadRow)), Rows(480, RowXml(kWriteRow))));
        ExpectBuildStops(over, {File_ModbusTCPM_SetAccess, "more than 960 rows; the table holds 960."});
    }
}

} // namespace
