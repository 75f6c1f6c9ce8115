// Serial Modbus models: master 4, 25, 18, 1018 with their access records and
// slave 5, 26, 16; the SNMP map type of 16, 18 and 1018.
#include "table_file_fixture.h"

namespace {

QByteArray ModbusFile(const QList<QByteArray>& read, const QList<QByteArray>& write)
{
    return TableXml("EtherNetIP_to_Modbus", {{"Modbus_Read", read}, {"Modbus_Write", write}});
}

// A complete read row and a complete write row.
constexpr Attrs kReadRow = {{"Slave_ID", "1"},   {"Type", "Coil Status"}, {"Address", "0"},  {"NPoint", "8"},
                            {"PollTime", "100"}, {"MaxError", "3"},       {"Position", "0"}, {"Bit", "0"},
                            {"Swap", "N"},       {"Swap_Word", "N"},      {"Mnemonic", "m"}};
constexpr Attrs kWriteRow = {{"Slave_ID", "1"}, {"Type", "Coil Status"}, {"Address", "0"},  {"NPoint", "8"},
                             {"PollTime", "0"}, {"OnChange", "N"},       {"MaxError", "3"}, {"Position", "0"},
                             {"Bit", "0"},      {"Swap", "N"},           {"Swap_Word", "N"}};

// Record k of an image whose records start at first.
QByteArray RecordAt(const QByteArray& bank, int first, int k)
{
    return bank.mid(first + 32 * k, 32);
}

TEST(ModbusMaster, Type4BlockAndRecordsByteForByte)
{
    CompilerProject project(4);
    project.WriteParGen(ParGenXml({
        {"PROFINET_IP1", "10"}, {"PROFINET_IP2", "1"}, {"PROFINET_IP3", "2"}, {"PROFINET_IP4", "3"},
        {"PROFINET_GAT1", "10"}, {"PROFINET_EN_GAT", "1"}, {"PROFINET_NAME_STA", "mb-master"},
        {"PROFINET_PORT", "34963"},   // reserved: the default 10001
        {"MODBUS_MASTER_SERIAL", "0"}, {"MODBUS_MASTER_BAUDRATE", "10"}, {"MODBUS_MASTER_PARITY", "2"},
        {"MODBUS_MASTER_STOPBITS", "1"}, {"MODBUS_MASTER_TIMEOUT", "500"}, {"MODBUS_MASTER_CYCLICDELAY", "20"},
        {"MODBUS_MASTER_NB_IN", "100"}, {"MODBUS_MASTER_NB_OUT", "200"}, {"MODBUS_MASTER_ENABLE_POLL", "1"},
        {"PROFINET_ENABLE_DIAGNOSTIC", "1"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "40"},
        {"PROFINET_ENABLE_MODBUS_POLLS", "1"}, {"PROFINET_MODBUS_POLLS_ADDRESS", "x"},
        {"SNMP_VERSION1", "1"}, {"SNMP_Contact", "c"}, {"SNMP_MapType", "0"},   // not an SNMP model
    }));
    project.WriteFile(File_ModbusM_SetAccess, ModbusFile(
        {RowXml({{"Slave_ID", "1"}, {"Type", "Holding Register"}, {"Address", "100"}, {"NPoint", "10"},
                 {"PollTime", "1000"}, {"MaxError", "3"}, {"Position", "0"}, {"Bit", "5"}, {"Swap", "Y"},
                 {"Swap_Word", "N"}, {"Format_SNMP", "Int 2 bytes"}}),
         RowXml({{"Slave_ID", "300"}, {"Type", "coil status"}, {"Address", "0x10"}, {"NPoint", "9"},
                 {"PollTime", "250"}, {"MaxError", "0"}, {"Position", "20"}, {"Bit", "7"}}),
         RowXml({{"Slave_ID", "2"}, {"Type", "Input Status"}, {"Address", "5"}, {"NPoint", "1"}, {"PollTime", "10"},
                 {"MaxError", "1"}, {"Position", "22"}, {"Bit", "0"}, {"Swap_Word", "Y"}})},
        {RowXml({{"Slave_ID", "3"}, {"Type", "Coil Status"}, {"Address", "7"}, {"NPoint", "1"}, {"PollTime", "0"},
                 {"OnChange", "Y"}, {"MaxError", "2"}, {"Position", "1"}, {"Bit", "4"}}),
         RowXml({{"Slave_ID", "4"}, {"Type", "Holding Register"}, {"Address", "65535"}, {"NPoint", "2"},
                 {"PollTime", "100"}, {"OnChange", "N"}, {"MaxError", "5"}, {"Position", "2"}, {"Bit", "3"},
                 {"Swap", "Y"}, {"Swap_Word", "Y"}})}));

    Image block = ResetGenBlock();
    block.U16(52, 5000).U16(58, 8).U8(96, 2).U8(97, 1);
    block.Octets(40, 10, 1, 2, 3).Octets(44, 255, 255, 255, 0).Octets(48, 10, 168, 0, 1);
    block.Text(80, "mb-master").U16(104, 10001);
    block.U32(12, 625000).U32(60, 625000).U16(18, 2).U16(66, 2).U32(20, 2).U32(68, 2);
    block.U32(32, 500).U32(36, 20).U32(116, 100).U32(120, 200).U32(300, 41).U32(436, 1).U32(72, 5);
    block.Sum();

    Image records(5 * 32);
    records.U16(0, 0).U16(2, 0).U32(4, 1000).U8(8, 1).U8(9, 3).U16(10, 100).U16(12, 10).U32(24, 3);
    records.U8(30, 20).U8(31, 4);
    records.U16(32, 20).U16(34, 7).U32(36, 250).U8(40, 44).U8(41, 1).U16(42, 16).U16(44, 9).U8(62, 2);
    records.U16(64, 22).U32(68, 10).U8(72, 2).U8(73, 2).U16(74, 5).U16(76, 1).U32(88, 1).U8(94, 1).U8(95, 8);
    records.U16(96, 1).U16(98, 4).U8(104, 3).U8(105, 5).U16(106, 7).U16(108, 1).U32(120, 2).U8(126, 1).U8(127, 1);
    records.U16(128, 2).U32(132, 100).U8(136, 4).U8(137, 16).U16(138, 65535).U16(140, 2).U32(152, 5);
    records.U8(158, 4).U8(159, 12);

    const auto files = project.Build();
    ASSERT_EQ(files.keys(), QStringList{"bank.bin"});
    const QByteArray bank = files["bank.bin"];
    ASSERT_EQ(bank.size(), 2208);
    EXPECT_IMAGE(bank.left(2048), block.Bytes());
    EXPECT_IMAGE(bank.mid(2048), records.Bytes());
}

// Type, NPoint, Bit, Swap, Swap_Word and OnChange -> function code, byte
// count, flags and the stored bit.
TEST(ModbusMaster, RowCases)
{
    const struct
    {
        bool write;
        const char* type;
        const char* npoint;
        const char* swap;
        const char* swapWord;
        const char* onChange;
        unsigned code, bytes, flags, bit;
    } cases[] = {
        {false, "Coil Status", "16", "N", "N", nullptr, 1, 2, 0, 6},
        {false, "INPUT STATUS", "9", "N", "N", nullptr, 2, 2, 0, 6},
        {false, " coil status ", "1", "N", "N", nullptr, 1, 1, 0, 6},
        {false, "Holding Register", "10", "N", "N", nullptr, 3, 20, 0, 0},   // no bit on register rows
        {false, "input register ", "125", "N", "N", nullptr, 4, 250, 0, 0},
        {false, "", "3", "N", "N", nullptr, 4, 6, 0, 0},
        {false, "Something", "3", "N", "N", nullptr, 4, 6, 0, 0},
        {false, "Holding Register", "200", "N", "N", nullptr, 3, 144, 0, 0},   // 400: low 8 bits
        {false, "Coil Status", "2000", "N", "N", nullptr, 1, 250, 0, 6},
        {false, "Holding Register", "1", "Y", "N", nullptr, 3, 2, 4, 0},
        {false, "Holding Register", "1", "y", "N", nullptr, 3, 2, 0, 0},       // exact "Y" only
        {false, "Holding Register", "1", " Y", "N", nullptr, 3, 2, 0, 0},
        {false, "Holding Register", "1", "N", "Y", nullptr, 3, 2, 8, 0},
        {false, "Holding Register", "1", "Y", "Y", nullptr, 3, 2, 12, 0},
        {false, "Holding Register", "1", nullptr, nullptr, nullptr, 3, 2, 0, 0},
        {true, "Coil Status", "1", "N", "N", "N", 5, 1, 0, 6},
        {true, "COIL STATUS", "12", "N", "N", "N", 15, 2, 0, 6},
        {true, "Holding Register", "1", "N", "N", "N", 6, 2, 0, 0},
        {true, "Holding Register", "10", "N", "N", "N", 16, 20, 0, 0},
        {true, "Input Register", "1", "N", "N", "N", 6, 2, 0, 0},              // any other text: registers
        {true, "Holding Register", "1", "N", "N", " y ", 6, 2, 1, 0},          // trimmed, upper-cased
        {true, "Holding Register", "1", "N", "N", "yes", 6, 2, 0, 0},
        {true, "Coil Status", "3", "Y", "Y", "Y", 15, 1, 13, 6},
    };
    QList<QByteArray> read, write;
    for (const auto& c : cases) {
        const QByteArray row = RowXml({{"Slave_ID", "1"}, {"Type", c.type}, {"Address", "0"}, {"NPoint", c.npoint},
                                       {"PollTime", "1"}, {"MaxError", "0"}, {"Position", "0"}, {"Bit", "6"},
                                       {"Swap", c.swap}, {"Swap_Word", c.swapWord}, {"OnChange", c.onChange}});
        (c.write ? write : read).append(row);
    }
    CompilerProject project(25);
    project.WriteFile(File_ModbusM_SetAccess, ModbusFile(read, write));
    const QByteArray bank = project.BuildFile("bank.bin");
    ASSERT_EQ(bank.size(), 2048 + 32 * static_cast<int>(std::size(cases)));
    EXPECT_EQ(ReadU32(bank, 72), std::size(cases));
    int readIndex = 0, writeIndex = static_cast<int>(read.size());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.write ? "write " : "read ") + c.type + " " + c.npoint);
        const QByteArray r = RecordAt(bank, 2048, c.write ? writeIndex++ : readIndex++);
        EXPECT_EQ(ReadU8(r, 9), c.code);
        EXPECT_EQ(ReadU8(r, 30), c.bytes);
        EXPECT_EQ(ReadU8(r, 31), c.flags);
        EXPECT_EQ(ReadU16(r, 2), c.bit);
    }
}

// The general record by type: (offset, width, value) after a build with the
// given ParGen.xml (nullptr: no file).
struct Field
{
    int offset, width;
    uint32_t value;
};

uint32_t ReadField(const QByteArray& b, const Field& f)
{
    return f.width == 1 ? ReadU8(b, f.offset) : f.width == 2 ? ReadU16(b, f.offset) : ReadU32(b, f.offset);
}

TEST(ModbusSerial, GeneralRecordByType)
{
    const struct
    {
        int type;
        bool parGen;
        Elements elements;
        std::initializer_list<Field> fields;
        const char* what;
    } cases[] = {
        {4, false, {}, {{97, 1, 16}, {96, 1, 2}, {52, 2, 5000}, {104, 2, 0}, {116, 4, 0}, {12, 4, 9600}, {40, 4, 0}},
         "type 4 without ParGen"},
        {4, true, {}, {{97, 1, 0}, {12, 4, 115200}, {60, 4, 115200}, {32, 4, 1000}, {36, 4, 100}, {116, 4, 512},
                       {120, 4, 512}, {104, 2, 10001}, {300, 4, 0}, {436, 4, 0}, {58, 2, 0}, {20, 4, 0}},
         "type 4 defaults"},
        {4, true, {{"MODBUS_MASTER_BAUDRATE", "11"}, {"MODBUS_MASTER_STOPBITS", "0"}, {"MODBUS_MASTER_SERIAL", "1"}},
         {{12, 4, 9600}, {60, 4, 9600}, {20, 4, 0}, {68, 4, 0}, {97, 1, 0}}, "type 4 baud 11, stop bits 0"},
        {4, true, {{"MODBUS_MASTER_BAUDRATE", "8"}, {"MODBUS_MASTER_STOPBITS", "3"}, {"PROFINET_PORT", "1234"}},
         {{12, 4, 230400}, {20, 4, 3}, {68, 4, 3}, {104, 2, 1234}}, "type 4 baud 8, stop bits 3"},
        {4, true, {{"PROFINET_ENABLE_DIAGNOSTIC", "1"}, {"PROFINET_ENABLE_MODBUS_POLLS", "1"},
                   {"PROFINET_MODBUS_POLLS_ADDRESS", "9"}},
         {{300, 4, 0}, {436, 4, 10}}, "diagnostic address missing: 0"},
        {4, true, {{"PROFINET_ENABLE_DIAGNOSTIC", "0"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "9"},
                   {"PROFINET_ENABLE_MODBUS_POLLS", " 1"}, {"PROFINET_MODBUS_POLLS_ADDRESS", "9"}},
         {{300, 4, 0}, {436, 4, 0}}, "switches off"},
        {25, true, {{"MODBUS_MASTER_ENABLE_POLL", "1"}, {"PROFINET_NAME_STA", "m25"}},
         {{58, 2, 8}, {80, 1, 'm'}, {440, 1, 0}, {97, 1, 0}}, "type 25"},
        {18, true, {{"MODBUS_MASTER_BAUDRATE", "10"}, {"MODBUS_MASTER_STOPBITS", "1"}, {"MODBUS_MASTER_NB_IN", "7"},
                    {"PROFINET_PORT", "1234"}, {"PROFINET_NAME_STA", "m18"}, {"MODBUS_MASTER_ENABLE_POLL", "1"},
                    {"PROFINET_ENABLE_DIAGNOSTIC", "1"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "9"}},
         {{12, 4, 625000}, {20, 4, 0}, {68, 4, 0}, {116, 4, 1024}, {120, 4, 1024}, {104, 2, 0}, {356, 4, 2},
          {300, 4, 0}, {58, 2, 0}, {80, 1, 0}, {440, 1, 'm'}, {52, 2, 10000}, {96, 1, 0}, {97, 1, 0}},
         "type 18"},
        {18, false, {}, {{116, 4, 0}, {356, 4, 0}, {52, 2, 10000}, {424, 4, 0x62000}, {428, 4, 0x65000}},
         "type 18 without ParGen: map type 1"},
        {1018, true, {{"SNMP_Contact", "ops"}, {"SNMP_Location", "hall"}},
         {{356, 4, 2}, {456, 1, 'o'}, {472, 1, 'h'}, {440, 1, 'd'}}, "type 1018"},
        {5, false, {}, {{97, 1, 64}, {96, 1, 2}, {52, 2, 5000}, {24, 4, 0}}, "type 5 without ParGen"},
        {5, true, {}, {{97, 1, 64}, {12, 4, 115200}, {24, 4, 1}, {116, 4, 512}, {120, 4, 512}, {58, 2, 0},
                       {104, 2, 0}, {80, 1, 'd'}},
         "type 5 defaults"},
        {26, true, {{"MODBUS_SLAVE_SERIAL", "0"}, {"MODBUS_SLAVE_BAUDRATE", "10"}, {"MODBUS_SLAVE_PARITY", "1"},
                    {"MODBUS_SLAVE_IDDEVICE", "247"}, {"MODBUS_SLAVE_READ_INPUT_REG", "1"},
                    {"MODBUS_SLAVE_SWAPBYTES", "1"}, {"MODBUS_SLAVE_NB_IN", "10"}, {"PROFINET_PORT", "1234"}},
         {{97, 1, 65}, {12, 4, 9600}, {60, 4, 9600}, {18, 2, 1}, {66, 2, 1}, {24, 4, 247}, {58, 2, 1},
          {116, 4, 10}, {104, 2, 0}},
         "type 26"},
        {16, true, {{"MODBUS_SLAVE_SWAPBYTES", "1"}, {"MODBUS_SLAVE_READ_INPUT_REG", "1"},
                    {"MODBUS_SLAVE_NB_IN", "10"}, {"MODBUS_SLAVE_BAUDRATE", "6"}, {"PROFINET_NAME_STA", "s16"}},
         {{97, 1, 72}, {58, 2, 0}, {116, 4, 1024}, {120, 4, 1024}, {356, 4, 0}, {12, 4, 57600}, {80, 1, 0},
          {440, 1, 's'}, {52, 2, 10000}, {96, 1, 0}},
         "type 16"},
        {16, true, {{"MODBUS_SLAVE_SERIAL", "0"}}, {{97, 1, 65}}, "type 16 serial 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CompilerProject project(c.type);
        if (c.parGen)
            project.WriteParGen(ParGenXml(c.elements));
        const QByteArray bank = project.BuildFile("bank.bin");
        const int block = c.type == 18 || c.type == 1018 ? 24576 : 0;
        const QByteArray b = bank.mid(block, 2048);
        for (const Field& f : c.fields)
            EXPECT_EQ(ReadField(b, f), f.value) << "offset " << f.offset;
        EXPECT_EQ(ReadU32(b, 2044), BlockSum(b));
    }
}

// Type 18 follows SNMP_MapType: 1 reads the trap tables, 0 stores each row's
// data format instead, any other value does neither. Type 1018 always reads
// the tables.
TEST(ModbusMaster, SnmpMapType)
{
    const QByteArray access = ModbusFile({RowXmlWith(kReadRow, "Format_SNMP", "float to int 2 BYTES")},
                                         {RowXmlWith(kWriteRow, "Format_SNMP", "Octet String")});
    const QByteArray traps =
        TableXml("SNMP_Trap", {{"SNMP_Trap_Read", {RowXml({{"Enable", "Y"}, {"Position", "3"}, {"Type", "Int"},
                                                           {"NumBits", "16"}})}},
                               {"SNMP_Trap_Write", {RowXml({{"Enable", "Y"}, {"Position", "4"}, {"NumBits", "1"}})}}});
    const struct
    {
        int type;
        const char* mapType;   // nullptr: element missing; "-": no ParGen.xml
        bool tables;
        unsigned format0, format1;
    } cases[] = {
        {18, "1", true, 0, 0},  {18, "0", false, 7, 5},  {18, nullptr, false, 7, 5}, {18, "x", false, 7, 5},
        {18, "-", true, 0, 0},  {18, "2", false, 0, 0},  {1018, "0", true, 0, 0},    {1018, "2", true, 0, 0},
        {1018, "-", true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + (c.mapType ? c.mapType : "(missing)"));
        CompilerProject project(c.type);
        if (!c.mapType)
            project.WriteParGen(ParGenXml({{"PROFINET_IP1", "10"}}));
        else if (QByteArray(c.mapType) != "-")
            project.WriteParGen(ParGenXml({{"SNMP_MapType", c.mapType}}));
        project.WriteFile(File_ModbusM_SetAccess, access);
        project.WriteFile(File_SNMP_Trap, traps);
        const QByteArray bank = project.BuildFile("bank.bin");
        ASSERT_EQ(bank.size(), 26624 + 64);
        const QByteArray block = bank.mid(24576, 2048);
        EXPECT_EQ(ReadU32(block, 2044), BlockSum(block));
        EXPECT_EQ(ReadU32(block, 72), 2u);
        EXPECT_EQ(ReadU8(RecordAt(bank, 26624, 0), 28), c.format0);
        EXPECT_EQ(ReadU8(RecordAt(bank, 26624, 1), 28), c.format1);
        EXPECT_EQ(ReadU32(block, 416), c.tables ? 1u : 0u);
        EXPECT_EQ(ReadU32(block, 420), c.tables ? 1u : 0u);
        EXPECT_EQ(ReadU32(block, 424), c.tables ? 0x62000u : 0u);
        EXPECT_EQ(ReadU32(block, 428), c.tables ? 0x65000u : 0u);
        EXPECT_EQ(ReadU16(bank, 0), c.tables ? 3u : 0u);          // read record 0
        EXPECT_EQ(ReadU16(bank, 4), c.tables ? 16u : 0u);
        EXPECT_EQ(ReadU16(bank, 12288), c.tables ? 4u : 0u);      // write record 0
        EXPECT_EQ(ReadU16(bank, 12288 + 4), c.tables ? 8u : 0u);  // one byte: 8 bits
    }
}

// Build_Banks follows the map type of the type it builds, whatever model the
// program was started for.
TEST(ModbusSerial, MapTypeIsThatOfTheBuiltType)
{
    const QByteArray traps = TableXml("SNMP_Trap", {{"SNMP_Trap_Read", {RowXml({{"Enable", "Y"}})}},
                                                    {"SNMP_Trap_Write", {}}});
    const struct
    {
        int type;
        bool parGen;   // with SNMP_MapType 1
        int block;
    } cases[] = {{18, true, 24576}, {1018, false, 24576}, {16, true, 0}, {19, true, 24576}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        CompilerProject project(c.type);
        if (c.parGen)
            project.WriteParGen(ParGenXml({{"SNMP_MapType", "1"}}));
        project.WriteFile(File_SNMP_Trap, traps);
        DeviceType = 9;
        QList<BankFile> files;
        QString error;
        ASSERT_TRUE(Build_Banks(c.type, files, &error)) << error.toStdString();
        ASSERT_FALSE(files.isEmpty());
        EXPECT_EQ(files[0].name, QStringLiteral("bank.bin"));
        EXPECT_EQ(ReadU32(files[0].bytes, c.block + 416), 1u);
    }
}

TEST(ModbusMaster, TypesWithoutSnmpIgnoreFormatsAndTrapFiles)
{
    for (int type : {4, 25}) {
        CompilerProject project(type);
        project.WriteParGen(ParGenXml({{"SNMP_MapType", "0"}}));
        project.WriteFile(File_ModbusM_SetAccess, ModbusFile({RowXmlWith(kReadRow, "Format_SNMP", "Int 4 bytes")}, {}));
        project.WriteFile(File_SNMP_Trap, "not even XML");
        const QByteArray bank = project.BuildFile("bank.bin");
        ASSERT_EQ(bank.size(), 2048 + 32);
        EXPECT_EQ(ReadU8(bank, 2048 + 28), 0u);
        EXPECT_EQ(ReadU32(bank, 416), 0u);
    }
}

TEST(ModbusSlave, Type16TrapTablesFollowTheBlock)
{
    const QByteArray traps = TableXml(
        "SNMP_Trap", {{"SNMP_Trap_Read", {RowXml({{"Enable", "Y"}, {"Position", "9"}, {"Conversion", "Float"}})}},
                      {"SNMP_Trap_Write", {}}});
    for (const char* mapType : {"1", "0"}) {
        SCOPED_TRACE(mapType);
        CompilerProject project(16);
        project.WriteParGen(ParGenXml({{"SNMP_MapType", mapType}}));
        project.WriteFile(File_SNMP_Trap, traps);
        const auto files = project.Build();
        ASSERT_EQ(files.keys(), QStringList{"bank.bin"});
        const QByteArray bank = files["bank.bin"];
        ASSERT_EQ(bank.size(), 26624);
        EXPECT_EQ(ReadU32(bank, 2044), BlockSum(bank));
        const bool tables = QByteArray(mapType) == "1";
        EXPECT_EQ(ReadU32(bank, 416), tables ? 1u : 0u);
        EXPECT_EQ(ReadU32(bank, 424), tables ? 0x68800u : 0u);
        EXPECT_EQ(ReadU32(bank, 428), tables ? 0x6B800u : 0u);
        EXPECT_EQ(ReadU16(bank, 2048), tables ? 9u : 0u);
        EXPECT_EQ(ReadU8(bank, 2048 + 6), 0u);   // no conversion codes for type 16
    }
    CompilerProject project(16);   // without ParGen.xml: map type 0
    project.WriteFile(File_SNMP_Trap, traps);
    EXPECT_EQ(ReadU32(project.BuildFile("bank.bin"), 416), 0u);
}

TEST(ModbusSlave, Types5And26AreTheBlockAlone)
{
    for (int type : {5, 26}) {
        CompilerProject project(type);
        project.WriteParGen(ParGenXml({{"SNMP_MapType", "1"}}));
        project.WriteFile(File_ModbusM_SetAccess, ModbusFile({RowXml(kReadRow)}, {}));
        EXPECT_EQ(project.BuildFile("bank.bin").size(), 2048);
    }
}

// Every required attribute: missing, or not an integer, stops the build with
// a message naming the file, section, row and attribute, and writes nothing.
TEST(ModbusMaster, RequiredAttributes)
{
    const RequiredAttributeCase cases[] = {
        {false, "Slave_ID", nullptr, "section \"Modbus_Read\", row 2: the attribute \"Slave_ID\" is missing."},
        {false, "Slave_ID", "one", "row 2: the attribute \"Slave_ID\" is not an integer: \"one\"."},
        {false, "Address", nullptr, "the attribute \"Address\" is missing."},
        {false, "Address", "1 ", "the attribute \"Address\" is not an integer: \"1 \"."},
        {false, "NPoint", "", "the attribute \"NPoint\" is not an integer: \"\"."},
        {false, "PollTime", nullptr, "the attribute \"PollTime\" is missing."},
        {false, "PollTime", "4294967295", "the attribute \"PollTime\" is not an integer: \"4294967295\"."},
        {false, "MaxError", "x", "the attribute \"MaxError\" is not an integer: \"x\"."},
        {false, "Position", nullptr, "the attribute \"Position\" is missing."},
        {false, "Type", nullptr, "the attribute \"Type\" is missing."},
        {false, "Bit", nullptr, "the attribute \"Bit\" is missing."},   // a coil row
        {false, "Bit", "b", "the attribute \"Bit\" is not an integer: \"b\"."},
        {true, "OnChange", nullptr, "section \"Modbus_Write\", row 2: the attribute \"OnChange\" is missing."},
        {true, "Bit", nullptr, "section \"Modbus_Write\", row 2: the attribute \"Bit\" is missing."},
        {true, "Type", nullptr, "section \"Modbus_Write\", row 2: the attribute \"Type\" is missing."},
    };
    ExpectRequiredAttributes(18, &File_ModbusM_SetAccess, ModbusFile, kReadRow, kWriteRow, cases);
}

TEST(ModbusMaster, BitIsNotReadOnRegisterRows)
{
    CompilerProject project(4);
    const Attrs holding = {{"Slave_ID", "1"}, {"Type", "Holding Register"}, {"Address", "0"}, {"NPoint", "2"},
                           {"PollTime", "1"}, {"MaxError", "0"}, {"Position", "0"}, {"OnChange", "N"}};
    project.WriteFile(File_ModbusM_SetAccess, ModbusFile({RowXml(holding)}, {RowXmlWith(holding, "Bit", "x")}));
    const QByteArray bank = project.BuildFile("bank.bin");
    ASSERT_EQ(bank.size(), 2048 + 64);
    EXPECT_EQ(ReadU8(bank, 2048 + 9), 3u);
    EXPECT_EQ(ReadU8(bank, 2048 + 32 + 9), 16u);
}

TEST(ModbusMaster, SectionsAndMalformedFiles)
{
    const struct
    {
        QByteArray file;
        const char* message;
    } cases[] = {
        {"<EtherNetIP_to_Modbus><Modbus_Read/></EtherNetIP_to_Modbus>", "the section \"Modbus_Write\" is missing."},
        {"<EtherNetIP_to_Modbus><Modbus_Write/></EtherNetIP_to_Modbus>", "the section \"Modbus_Read\" is missing."},
        {"<!--c--><EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write/></EtherNetIP_to_Modbus>",
         "the section \"Modbus_Read\" is missing."},   // the root is the first node
        {"<EtherNetIP_to_Modbus><Modbus_Read>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        CompilerProject project(4);
        project.WriteFile(File_ModbusM_SetAccess, c.file);
        ExpectBuildStops(project, {File_ModbusM_SetAccess, c.message});
    }
    CompilerProject project(4);   // empty sections: no records
    project.WriteFile(File_ModbusM_SetAccess, ModbusFile({}, {}));
    const QByteArray bank = project.BuildFile("bank.bin");
    EXPECT_EQ(bank.size(), 2048);
    EXPECT_EQ(ReadU32(bank, 72), 0u);
}

// The table holds 1024 records: a full table makes the largest image, one
// row more stops the build with a message naming the table and its limit.
TEST(ModbusMaster, TableLimit)
{
    CompilerProject project(18);
    project.WriteFile(File_ModbusM_SetAccess, ModbusFile(Rows(512, RowXml(kReadRow)), Rows(512, RowXml(kWriteRow))));
    const QByteArray bank = project.BuildFile("bank.bin");
    EXPECT_EQ(bank.size(), 59392);
    EXPECT_EQ(ReadU32(bank, 24576 + 72), 1024u);
    EXPECT_EQ(ReadU8(bank, 59392 - 32 + 9), 15u);   // the last write row

    for (int type : {18, 4}) {
        CompilerProject over(type);
        over.WriteFile(File_ModbusM_SetAccess, ModbusFile(Rows(1, RowXml(kReadRow)), Rows(1024, RowXml(kWriteRow))));
        ExpectBuildStops(over, {File_ModbusM_SetAccess, "more than 1024 rows; the table holds 1024."});
    }
}

TEST(ModbusMaster, BuildAfterRemovingTheTablesEqualsAFreshBuild)
{
    const QByteArray parGen = ParGenXml({{"SNMP_MapType", "0"}, {"PROFINET_NAME_STA", "again"}});
    QByteArray fresh;
    {
        CompilerProject project(18);
        project.WriteParGen(parGen);
        fresh = project.BuildFile("bank.bin");
    }
    CompilerProject project(18);
    project.WriteParGen(parGen);
    project.WriteFile(File_ModbusM_SetAccess, ModbusFile({RowXmlWith(kReadRow, "Format_SNMP", "Int 1 byte")}, {}));
    project.WriteFile(File_SNMP_Trap, TableXml("SNMP_Trap", {{"SNMP_Trap_Read", {RowXml({{"Enable", "Y"}})}},
                                                             {"SNMP_Trap_Write", {}}}));
    EXPECT_EQ(project.BuildFile("bank.bin").size(), 26624 + 32);
    ASSERT_TRUE(QFile::remove(File_ModbusM_SetAccess));
    ASSERT_TRUE(QFile::remove(File_SNMP_Trap));
    EXPECT_IMAGE(project.BuildFile("bank.bin"), fresh);
}

} // namespace
