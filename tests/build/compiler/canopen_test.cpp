// The CANopen models (8, 24): the general block with the CANopen fields, type
// 8's node guarding table and restart bitmap, and the six object tables.
#include "table_file_fixture.h"

#include <QDir>

#include <algorithm>
#include <tuple>

namespace {

constexpr unsigned U = 0xFFFF;   // reset address

// Image offsets of the six tables.
constexpr int ServerRead = 0, ServerWrite = 16384, ClientRead = 32768, ClientWrite = 40960, RxPdo = 49152,
              TxPdo = 53248, TablesSize = 57344;

struct Obj
{
    uint32_t cobId;
    unsigned index, subIndex, node;
    uint32_t time;
    unsigned addr[8];
    unsigned length, mode;
};

QByteArray Entry(const Obj& o)
{
    Image e(32);
    e.U32(0, o.cobId).U16(4, o.index).U8(6, o.subIndex).U8(7, o.node).U32(8, o.time);
    for (int j = 0; j < 8; ++j)
        e.U16(12 + 2 * j, o.addr[j]);
    e.U8(28, o.length).U8(29, o.mode);
    return e.Bytes();
}

const Obj kReset = {0, 0, 0, 0, 0, {U, U, U, U, U, U, U, U}, 0, 0};

// The six tables with every record reset.
QByteArray ResetTables()
{
    QByteArray image;
    for (int i = 0; i < TablesSize / 32; ++i)
        image += Entry(kReset);
    return image;
}

void Place(QByteArray& image, int offset, const Obj& o)
{
    image.replace(offset, 32, Entry(o));
}

QByteArray ServerXml(const QList<QByteArray>& read, const QList<QByteArray>& write)
{
    return TableXml("EtherNetIP_to_SDO_CANopen", {{"SDO_Read", read}, {"SDO_Write", write}});
}
QByteArray PdoXml(const QList<QByteArray>& receive, const QList<QByteArray>& transmit)
{
    return TableXml("EtherNetIP_to_SDO_CANopen", {{"Receive_PDO", receive}, {"Transmit_PDO", transmit}});
}
// Rows directly under the root.
QByteArray RootRows(const char* root, std::initializer_list<const char*> rows)
{
    QByteArray x = QByteArray("<") + root + ">";
    for (const char* r : rows)
        x += r;
    return x + "</" + root + ">";
}

// 127 restart rows with the given rows enabled.
QByteArray RestartXml(std::initializer_list<int> enabled, int rows = 127)
{
    QByteArray x = "<Enable_ReStart_CANopen>";
    for (int i = 0; i < rows; ++i)
        x += QByteArray("<row Enable_ReStart=\"") + (std::find(enabled.begin(), enabled.end(), i) != enabled.end()
                                                         ? "Y"
                                                         : "N") +
             "\" Mnemonic=\"node\"/>";
    return x + "</Enable_ReStart_CANopen>";
}

const QByteArray kParGen = ParGenXml({
    {"PROFINET_IP1", "10"}, {"PROFINET_IP2", "0"}, {"PROFINET_IP3", "0"}, {"PROFINET_IP4", "8"},
    {"PROFINET_EN_GAT", "0"}, {"PROFINET_NAME_STA", "canopen"}, {"PROFINET_PORT", "34962"},
    {"PROFINET_NB_IN", "64"}, {"PROFINET_NB_OUT", "32"},
    {"PROFINET_ENABLE_DIAGNOSTIC", "1"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "20"},
    {"PROFINET_ENABLE_CANOPEN_CMD", "1"}, {"PROFINET_CANOPEN_CMD_INDEX", "x"},
    {"CANopen_IDDev", "5"}, {"CANopen_BAUDRATE", "3"}, {"CANopen_Set_Operational", "1"},
    {"CANopen_Network_Start", "0"}, {"CANopen_Delay", "5"}, {"CANopen_SDO_TimeOut", "2000"},
    {"CANopen_Sync_Enable", "1"}, {"CANopen_Sync_Time", "20"}, {"CANopen_Enable_Restart", "1"},
    {"CANopen_Enable_Reset_Data", "1"}, {"CANopen_Triggered_SDO_Enable", "1"},
    {"CANopen_Triggered_SDO_Address_Input", "3"}, {"CANopen_Triggered_SDO_Address_Output", "4"},
});

void WriteWorkedTables(CompilerProject& project)
{
    project.WriteFile(File_SDO_Server_CANopen,
                      ServerXml({"<row Index=\"$6000\" SubIndex=\"1\" NByte=\"3\" Address_B1=\"0\" Address_B2=\"1\" "
                                 "Address_B3=\"x\" Mnemonic=\"m\"/>",
                                 "<row Index=\"8192\" SubIndex=\"2\" NByte=\"1\" Address_B1=\"5\"/>"},
                                {"<row Index=\"$6200\" SubIndex=\"3\" NByte=\"4\" Address_B1=\"10\" Address_B2=\"11\" "
                                 "Address_B3=\"12\" Address_B4=\"13\"/>"}));
    project.WriteFile(File_SDO_Client_CANopen,
                      TableXml("EtherNetIP_to_SDO_CANopen",
                          {{"SDO_Read", {"<row Device_ID=\"7\" Index=\"$1018\" SubIndex=\"1\" NByte=\"4\" "
                                         "Poll_Time=\"1000\" Address_B1=\"20\" Address_B2=\"21\" Address_B3=\"22\" "
                                         "Address_B4=\"23\"/>"}},
                           {"SDO_Write", {"<row Device_ID=\"8\" Index=\"$2000\" SubIndex=\"0\" NByte=\"2\" "
                                          "Poll_Time=\"500\" Address_B1=\"24\" Address_B2=\"25\" On_Change=\"Y\"/>",
                                          "<row Device_ID=\"9\" Index=\"$2001\" SubIndex=\"0\" NByte=\"1\" "
                                          "Poll_Time=\"500\" Address_B1=\"26\"/>"}}}));
    project.WriteFile(File_PDO_CANopen,
                      PdoXml({"<row COB-ID=\"$181\" Dimension=\"3\" Address_B1=\"30\" Address_B2=\"31\" "
                              "Address_B3=\"32\" Address_B4=\"x\" TimeOut=\"100\"/>"},
                             {}));
    project.WriteFile(File_NodeGuard, RootRows("Node_Guarding",
                                               {"<row NodeID=\"7\" GuardTime=\"300\" LifeTimeFactor=\"3\"/>",
                                                "<row NodeID=\"8\" GuardTime=\"bad\"/>"}));
    project.WriteFile(File_ReStart_CANopen, RestartXml({0, 9}));
}

QByteArray ExpectedWorkedTables()
{
    QByteArray t = ResetTables();
    Place(t, ServerRead, {0, 0x6000, 1, 0, 0, {0, 0, 0, 0, 0, 1, 0, 0}, 3, 0});
    Place(t, ServerRead + 32, {0, 8192, 2, 0, 0, {0, 0, 0, 0, 5, 0, 0, 0}, 1, 0});
    Place(t, ServerWrite, {0, 0x6200, 3, 0, 0, {0, 0, 0, 0, 10, 11, 12, 13}, 4, 1});
    Place(t, ClientRead, {0, 0x1018, 1, 7, 1000, {0, 0, 0, 0, 20, 21, 22, 23}, 4, 0});
    Place(t, ClientWrite, {0, 0x2000, 0, 8, 500, {0, 0, 0, 0, 24, 25, 0, 0}, 2, 3});
    Place(t, ClientWrite + 32, {0, 0x2001, 0, 9, 500, {0, 0, 0, 0, 26, 0, 0, 0}, 1, 1});
    Place(t, RxPdo, {0x181, 0, 0, 0, 100, {30, 31, 32, 0, 0, 0, 0, 0}, 3, 0});
    return t;
}

TEST(CANopen, Type8WorkedProjectByteForByte)
{
    CompilerProject project(8);
    project.WriteParGen(kParGen);
    WriteWorkedTables(project);
    const auto files = project.Build();
    ASSERT_EQ(files.keys(), (QStringList{"bank1.bin", "bank2.bin"}));

    Image bank1(2560);
    bank1.U32(0, 125000).U32(12, 9600).U16(16, 8).U16(52, 10000).U16(54, 10001).U16(56, 10001);
    bank1.U32(60, 9600).U16(64, 8).U8(96, 2).U8(99, 2).U32(560, 0x68800);
    bank1.Octets(40, 10, 0, 0, 8).Octets(44, 255, 255, 255, 0).Octets(48, 255, 255, 255, 255);
    bank1.U16(104, 10002).Text(80, "canopen").U32(116, 64).U32(120, 32);
    bank1.U32(300, 21).U32(436, 1).U32(156, 5).U32(0, 100000).U32(160, 0x01 | 0x04 | 0x08 | 0x10 | 0x20);
    bank1.U32(164, 5000).U32(168, 2000).U32(360, 20000).U32(580, 3).U32(584, 4);
    bank1.U32(172, 2).U32(176, 1).U32(180, 1).U32(184, 2).U32(188, 1).U32(192, 0);
    bank1.U8(540, 1).U8(541, 2).U32(556, 2);
    bank1.Sum();
    bank1.U16(2048, 300).U8(2050, 7).U8(2051, 3).U16(2052, 0).U8(2054, 8).U8(2055, 0);   // node guarding
    EXPECT_IMAGE(files["bank1.bin"], bank1.Bytes());
    EXPECT_IMAGE(files["bank2.bin"], ExpectedWorkedTables());
}

TEST(CANopen, Type24LeavesOutNodeGuardingRestartAndTheType8Switches)
{
    CompilerProject project(24);
    project.WriteParGen(kParGen);
    WriteWorkedTables(project);
    const auto files = project.Build();
    const QByteArray bank1 = files["bank1.bin"];
    ASSERT_EQ(bank1.size(), 2048);
    EXPECT_EQ(ReadU32(bank1, 300), 0u);
    EXPECT_EQ(ReadU32(bank1, 436), 0u);
    EXPECT_EQ(ReadU32(bank1, 560), 0u);
    EXPECT_EQ(ReadU32(bank1, 556), 0u);
    EXPECT_EQ(bank1.mid(540, 16), QByteArray(16, '\0'));
    EXPECT_EQ(ReadU32(bank1, 160), 0x01u | 0x04u | 0x20u);
    EXPECT_EQ(ReadU32(bank1, 172), 2u);
    EXPECT_EQ(ReadU32(bank1, 2044), BlockSum(bank1));
    EXPECT_IMAGE(files["bank2.bin"], ExpectedWorkedTables());
}

TEST(CANopen, WithoutProjectFilesOnlyPresetsAndResetTables)
{
    for (int type : {8, 24}) {
        SCOPED_TRACE(type);
        CompilerProject project(type);
        const auto files = project.Build();
        Image block(type == 8 ? 2560 : 2048);
        block.U32(0, 125000).U32(12, 9600).U16(16, 8).U16(52, 10000).U16(54, 10001).U16(56, 10001);
        block.U32(60, 9600).U16(64, 8).U8(96, 2).U8(99, 2);
        if (type == 8)
            block.U32(560, 0x68800);
        EXPECT_IMAGE(files["bank1.bin"], block.Sum().Bytes());
        EXPECT_IMAGE(files["bank2.bin"], ResetTables());
    }
}

TEST(CANopen, ParGenFields)
{
    const struct
    {
        int type;
        Elements elements;
        std::initializer_list<std::pair<int, uint32_t>> u32s;
    } cases[] = {
        {8, {}, {{0, 250000}, {104, 10002}, {116, 1440}, {120, 1440}, {156, 1}, {160, 0}, {164, 0}, {168, 10000},
                 {360, 1000000}, {580, 0}, {584, 0}, {300, 0}, {436, 0}}},
        {8, {{"CANopen_BAUDRATE", "0"}}, {{0, 10000}}},
        {24, {{"CANopen_BAUDRATE", "8"}}, {{0, 1000000}}},
        {8, {{"CANopen_BAUDRATE", "9"}}, {{0, 250000}}},
        {8, {{"CANopen_BAUDRATE", "-3"}}, {{0, 250000}}},
        {8, {{"CANopen_Delay", "5"}, {"CANopen_Sync_Time", "x"}}, {{164, 5000}, {360, 1000000}}},
        {24, {{"PROFINET_PORT", "10000"}, {"CANopen_IDDev", "127"}}, {{104, 10002}, {156, 127}}},
        {8, {{"PROFINET_ENABLE_DIAGNOSTIC", "1"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "0"}}, {{300, 1}}},
        {8, {{"PROFINET_ENABLE_DIAGNOSTIC", "1"}}, {{300, 0}}},
        {8, {{"PROFINET_ENABLE_DIAGNOSTIC", "1"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "?"}}, {{300, 1}}},
        {8, {{"PROFINET_ENABLE_DIAGNOSTIC", "Y"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "9"}}, {{300, 0}}},
        {8, {{"PROFINET_ENABLE_CANOPEN_CMD", "1"}, {"PROFINET_CANOPEN_CMD_INDEX", "17"}}, {{436, 18}, {300, 0}}},
        {24, {{"PROFINET_ENABLE_CANOPEN_CMD", "1"}, {"PROFINET_CANOPEN_CMD_INDEX", "17"}}, {{436, 0}}},
        {8, {{"CANopen_Network_Start", "1"}, {"CANopen_Sync_Enable", " 1"}}, {{160, 0x02}}},
        {8, {{"CANopen_Enable_Restart", "1"}}, {{160, 0x08}}},
        {24, {{"CANopen_Enable_Restart", "1"}, {"CANopen_Enable_Reset_Data", "1"}}, {{160, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + ParGenXml(c.elements).toStdString());
        CompilerProject project(c.type);
        project.WriteParGen(ParGenXml(c.elements));
        const QByteArray block = project.BuildFile("bank1.bin").left(2048);
        for (const auto& [off, v] : c.u32s)
            EXPECT_EQ(ReadU32(block, off), v) << "offset " << off;
        EXPECT_EQ(ReadU16(block, 52), 10000u);
        EXPECT_EQ(ReadU32(block, 2044), BlockSum(block));
    }
}

// The addresses an object's length needs are read, the others are 0 and not
// read at all ("x" would stop the build).
TEST(CANopen, AddressesFollowTheLength)
{
    const struct
    {
        int length;
        unsigned sdo[4];   // entries 5 to 8
    } sdoCases[] = {
        {0, {1, 0, 0, 0}}, {1, {1, 0, 0, 0}}, {2, {1, 2, 0, 0}}, {3, {1, 2, 0, 0}}, {4, {1, 2, 3, 4}},
        {8, {1, 2, 3, 4}},
    };
    for (const auto& c : sdoCases) {
        SCOPED_TRACE(c.length);
        CompilerProject project(24);
        QByteArray row = "<row Index=\"1\" SubIndex=\"0\" NByte=\"" + QByteArray::number(c.length) + "\"";
        for (int j = 1; j <= 4; ++j)
            row += " Address_B" + QByteArray::number(j) + "=\"" +
                   (c.sdo[j - 1] || j == 1 ? QByteArray::number(j) : QByteArray("x")) + "\"";
        row += "/>";
        project.WriteFile(File_SDO_Server_CANopen, ServerXml({row.constData()}, {}));
        const QByteArray rec = project.BuildFile("bank2.bin").mid(ServerRead, 32);
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(ReadU16(rec, 12 + 2 * j), 0u);
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(ReadU16(rec, 20 + 2 * j), c.sdo[j]) << "address " << j + 5;
    }
    for (int length : {0, 1, 3, 8, 9}) {
        SCOPED_TRACE(length);
        CompilerProject project(24);
        QByteArray row = "<row COB-ID=\"1\" Dimension=\"" + QByteArray::number(length) + "\" Send_Time=\"1\"";
        for (int j = 1; j <= 8; ++j)
            row += " Address_B" + QByteArray::number(j) + "=\"" +
                   (j == 1 || j <= length ? QByteArray::number(10 + j) : QByteArray("x")) + "\"";
        row += "/>";
        project.WriteFile(File_PDO_CANopen, PdoXml({}, {row.constData()}));
        const QByteArray rec = project.BuildFile("bank2.bin").mid(TxPdo, 32);
        for (int j = 1; j <= 8; ++j)
            EXPECT_EQ(ReadU16(rec, 12 + 2 * (j - 1)), j == 1 || j <= length ? 10u + j : 0u) << "address " << j;
        EXPECT_EQ(ReadU8(rec, 29), 1u);
    }
}

TEST(CANopen, ModesAndWideValues)
{
    CompilerProject project(8);
    project.WriteFile(File_SDO_Client_CANopen,
                      TableXml("EtherNetIP_to_SDO_CANopen",
                          {{"SDO_Read", {"<row Device_ID=\"263\" Index=\"$12345\" SubIndex=\"257\" NByte=\"1\" "
                                         "Poll_Time=\"-1\" Address_B1=\"70000\" On_Change=\"Y\"/>"}},
                           {"SDO_Write", {"<row Device_ID=\"1\" Index=\"1\" SubIndex=\"1\" NByte=\"1\" "
                                          "Poll_Time=\"4294967297\" Address_B1=\"1\" On_Change=\"y\"/>",
                                          "<row Device_ID=\"1\" Index=\"1\" SubIndex=\"1\" NByte=\"1\" "
                                          "Poll_Time=\"0x1FFFFFFFF\" Address_B1=\"1\" On_Change=\"N\"/>"}}}));
    project.WriteFile(File_PDO_CANopen,
                      PdoXml({"<row COB-ID=\"4294967298\" Dimension=\"1\" Address_B1=\"1\" TimeOut=\"100000000\"/>"},
                             {"<row COB-ID=\"$201\" Dimension=\"1\" Address_B1=\"1\" Send_Time=\"5\" On_Change=\"Y\"/>",
                              "<row COB-ID=\"$202\" Dimension=\"1\" Address_B1=\"1\" Send_Time=\"5\"/>"}));
    project.WriteFile(File_SDO_Server_CANopen,
                      ServerXml({"<row Index=\"1\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"1\" On_Change=\"Y\"/>"},
                                {"<row Index=\"1\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"1\" On_Change=\"Y\"/>"}));
    const QByteArray t = project.BuildFile("bank2.bin");
    // Client read: every value truncated to its field, mode 0 whatever On_Change says.
    EXPECT_IMAGE(t.mid(ClientRead, 32), Entry({0, 0x2345, 1, 7, 0xFFFFFFFFu, {0, 0, 0, 0, 70000 & 0xFFFF, 0, 0, 0},
                                               1, 0}));
    EXPECT_EQ(ReadU32(t, ClientWrite + 8), 1u);   // low 32 bits of a 64-bit value
    EXPECT_EQ(ReadU8(t, ClientWrite + 29), 1u);   // "y" is not "Y"
    EXPECT_EQ(ReadU32(t, ClientWrite + 32 + 8), 0xFFFFFFFFu);
    EXPECT_EQ(ReadU8(t, ClientWrite + 32 + 29), 1u);
    EXPECT_EQ(ReadU32(t, RxPdo), 2u);
    EXPECT_EQ(ReadU32(t, RxPdo + 8), 100000000u);
    EXPECT_EQ(ReadU8(t, RxPdo + 29), 0u);
    EXPECT_EQ(ReadU8(t, TxPdo + 29), 3u);
    EXPECT_EQ(ReadU8(t, TxPdo + 32 + 29), 1u);
    EXPECT_EQ(ReadU8(t, ServerRead + 29), 0u);
    EXPECT_EQ(ReadU8(t, ServerWrite + 29), 1u);   // server rows have no on-change mode
}

TEST(CANopen, EmptyTransmitSectionKeepsItsResetRecords)
{
    CompilerProject project(8);
    project.WriteFile(File_PDO_CANopen,
                      PdoXml({"<row COB-ID=\"1\" Dimension=\"1\" Address_B1=\"1\" TimeOut=\"1\"/>",
                              "<row COB-ID=\"2\" Dimension=\"1\" Address_B1=\"1\" TimeOut=\"1\"/>"},
                             {}));
    const auto files = project.Build();
    EXPECT_EQ(ReadU32(files["bank1.bin"], 188), 2u);
    EXPECT_EQ(ReadU32(files["bank1.bin"], 192), 0u);
    EXPECT_EQ(files["bank2.bin"].size(), TablesSize);
    EXPECT_EQ(files["bank2.bin"].mid(TxPdo), ResetTables().mid(TxPdo));
}

TEST(CANopen, NodeGuardingAndRestartRowsNeverStopTheBuild)
{
    CompilerProject project(8);
    project.WriteFile(File_NodeGuard,
                      RootRows("Node_Guarding", {"<row NodeID=\"x\" GuardTime=\"70000\" LifeTimeFactor=\"2\"/>",
                                                 "<row/>", "<!--c-->", "<row NodeID=\"127\"/>"}));
    project.WriteFile(File_ReStart_CANopen,
                      RootRows("Enable_ReStart_CANopen", {"<row Enable_ReStart=\"y\"/>", "<row/>",
                                                          "<row Enable_ReStart=\"Y\"/>"}));
    const QByteArray bank1 = project.BuildFile("bank1.bin");
    ASSERT_EQ(bank1.size(), 2560);
    EXPECT_EQ(ReadU32(bank1, 556), 4u);
    EXPECT_EQ(bank1.mid(2048, 16), QByteArray::fromHex("7011000200000000000000000000" "7f00"));
    EXPECT_EQ(bank1.mid(2064, 496), QByteArray(496, '\0'));
    EXPECT_EQ(bank1.mid(540, 16), QByteArray::fromHex("04") + QByteArray(15, '\0'));
}

TEST(CANopen, RestartBitmapCoversNodes1To128)
{
    CompilerProject project(8);
    project.WriteFile(File_ReStart_CANopen, RestartXml({0, 9, 126, 127}, 128));
    const QByteArray bank1 = project.BuildFile("bank1.bin");
    EXPECT_EQ(bank1.mid(540, 16), QByteArray::fromHex("0102") + QByteArray(13, '\0') + QByteArray::fromHex("c0"));
}

// A missing section or a required value missing or not a number stops the
// build, naming file, section, row and attribute, and writes nothing.
TEST(CANopen, RequiredValuesStopTheBuild)
{
    const char* sdo = "<row Index=\"1\" SubIndex=\"0\" NByte=\"1\" Address_B1=\"0\"/>";
    const char* client = "<row Device_ID=\"1\" Index=\"1\" SubIndex=\"0\" NByte=\"1\" Poll_Time=\"1\" Address_B1=\"0\"/>";
    const struct
    {
        QString* file;
        QByteArray xml;
        const char* expected;
    } cases[] = {
        {&File_SDO_Server_CANopen, TableXml("R", {{"SDO_Read", {sdo}}}), ": the section \"SDO_Write\" is missing."},
        {&File_SDO_Server_CANopen, TableXml("R", {{"SDO_Write", {sdo}}}), ": the section \"SDO_Read\" is missing."},
        {&File_SDO_Client_CANopen, TableXml("R", {{"SDO_Read", {client}}}), "the section \"SDO_Write\" is missing"},
        {&File_PDO_CANopen, TableXml("R", {{"Receive_PDO", {}}}), "the section \"Transmit_PDO\" is missing"},
        {&File_PDO_CANopen, TableXml("R", {{"Transmit_PDO", {}}}), "the section \"Receive_PDO\" is missing"},
        {&File_SDO_Server_CANopen, ServerXml({sdo}, {"<row SubIndex=\"0\" NByte=\"1\" Address_B1=\"0\"/>"}),
         ", section \"SDO_Write\", row 1: the attribute \"Index\" is missing."},
        {&File_SDO_Server_CANopen, ServerXml({"<row Index=\"1\" NByte=\"1\" Address_B1=\"0\"/>"}, {}),
         "\"SubIndex\" is missing"},
        {&File_SDO_Server_CANopen, ServerXml({"<row Index=\"1\" SubIndex=\"0\" NByte=\"two\" Address_B1=\"0\"/>"}, {}),
         "\"NByte\" is not an integer: \"two\""},
        {&File_SDO_Server_CANopen, ServerXml({sdo, "<row Index=\"1\" SubIndex=\"0\" NByte=\"1\"/>"}, {}),
         "section \"SDO_Read\", row 2: the attribute \"Address_B1\" is missing."},
        {&File_SDO_Server_CANopen,
         ServerXml({"<row Index=\"1\" SubIndex=\"0\" NByte=\"2\" Address_B1=\"0\" Address_B3=\"0\"/>"}, {}),
         "\"Address_B2\" is missing"},
        {&File_SDO_Server_CANopen,
         ServerXml({"<row Index=\"1\" SubIndex=\"0\" NByte=\"4\" Address_B1=\"0\" Address_B2=\"0\" "
                    "Address_B3=\"0\" Address_B4=\"-\"/>"},
                   {}),
         "\"Address_B4\" is not an integer"},
        {&File_SDO_Client_CANopen,
         TableXml("R", {{"SDO_Read", {"<row Index=\"1\" SubIndex=\"0\" NByte=\"1\" Poll_Time=\"1\" Address_B1=\"0\"/>"}},
                   {"SDO_Write", {}}}),
         "\"Device_ID\" is missing"},
        {&File_SDO_Client_CANopen,
         TableXml("R", {{"SDO_Read", {}},
                   {"SDO_Write", {"<row Device_ID=\"1\" Index=\"1\" SubIndex=\"0\" NByte=\"1\" Address_B1=\"0\"/>"}}}),
         "section \"SDO_Write\", row 1: the attribute \"Poll_Time\" is missing."},
        {&File_SDO_Client_CANopen,
         TableXml("R", {{"SDO_Read", {"<row Device_ID=\"1\" Index=\"1\" SubIndex=\"0\" NByte=\"1\" Poll_Time=\"1.5\" "
                                 "Address_B1=\"0\"/>"}},
                   {"SDO_Write", {}}}),
         "\"Poll_Time\" is not an integer"},
        {&File_PDO_CANopen, PdoXml({"<row Dimension=\"1\" Address_B1=\"0\" TimeOut=\"1\"/>"}, {}),
         "\"COB-ID\" is missing"},
        {&File_PDO_CANopen, PdoXml({"<row COB-ID=\"1\" Address_B1=\"0\" TimeOut=\"1\"/>"}, {}),
         "\"Dimension\" is missing"},
        {&File_PDO_CANopen, PdoXml({"<row COB-ID=\"1\" Dimension=\"1\" Address_B1=\"0\"/>"}, {}),
         "section \"Receive_PDO\", row 1: the attribute \"TimeOut\" is missing."},
        {&File_PDO_CANopen, PdoXml({}, {"<row COB-ID=\"1\" Dimension=\"1\" Address_B1=\"0\" TimeOut=\"1\"/>"}),
         "section \"Transmit_PDO\", row 1: the attribute \"Send_Time\" is missing."},
        {&File_PDO_CANopen,
         PdoXml({}, {"<row COB-ID=\"99999999999999999999\" Dimension=\"1\" Address_B1=\"0\" Send_Time=\"1\"/>"}),
         "\"COB-ID\" is not an integer"},
        {&File_PDO_CANopen,
         PdoXml({"<row COB-ID=\"1\" Dimension=\"5\" Address_B1=\"0\" Address_B2=\"0\" Address_B3=\"0\" "
                 "Address_B4=\"0\" TimeOut=\"1\"/>"},
                {}),
         "\"Address_B5\" is missing"},
        {&File_PDO_CANopen, "<R><Receive_PDO></R>", ""},   // not well-formed
        {&File_NodeGuard, "<Node_Guarding><row NodeID=\"1\"></Node_Guarding>", ""},
        {&File_ReStart_CANopen, "<Enable_ReStart_CANopen", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml.toStdString());
        CompilerProject project(8);
        project.WriteFile(*c.file, c.xml);
        QString error;
        EXPECT_FALSE(Build_And_Save_Banks(&error));
        EXPECT_TRUE(error.startsWith(*c.file)) << error.toStdString();
        EXPECT_TRUE(error.contains(c.expected)) << error.toStdString();
        EXPECT_TRUE(QDir(ProjectPath + "/bin").isEmpty());
    }
}

// Each table stops the build one row past its capacity, naming the file and
// the capacity; at the capacity it builds.
TEST(CANopen, MoreRowsThanATableHoldsStopTheBuild)
{
    const char* sdo = "<row Index=\"1\" SubIndex=\"0\" NByte=\"1\" Address_B1=\"0\"/>";
    const char* client = "<row Device_ID=\"1\" Index=\"1\" SubIndex=\"0\" NByte=\"1\" Poll_Time=\"1\" Address_B1=\"0\"/>";
    const char* pdo = "<row COB-ID=\"1\" Dimension=\"1\" Address_B1=\"0\" TimeOut=\"1\" Send_Time=\"1\"/>";
    const auto rows = [](const char* row, int n) {
        QByteArray x;
        for (int i = 0; i < n; ++i)
            x += row;
        return x;
    };
    const auto sections = [&](const char* first, const char* second, const char* row, int n, bool inSecond) {
        const QByteArray r = rows(row, n);
        return QByteArray("<R><") + first + ">" + (inSecond ? QByteArray() : r) + "</" + first + "><" + second +
               ">" + (inSecond ? r : QByteArray()) + "</" + second + "></R>";
    };
    const struct
    {
        QString* file;
        const char* first;
        const char* second;
        const char* row;
        int capacity;
        bool inSecond;
        int countOffset;
    } cases[] = {
        {&File_SDO_Server_CANopen, "SDO_Read", "SDO_Write", sdo, 512, false, 172},
        {&File_SDO_Server_CANopen, "SDO_Read", "SDO_Write", sdo, 512, true, 176},
        {&File_SDO_Client_CANopen, "SDO_Read", "SDO_Write", client, 256, false, 180},
        {&File_SDO_Client_CANopen, "SDO_Read", "SDO_Write", client, 256, true, 184},
        {&File_PDO_CANopen, "Receive_PDO", "Transmit_PDO", pdo, 128, false, 188},
        {&File_PDO_CANopen, "Receive_PDO", "Transmit_PDO", pdo, 128, true, 192},
    };
    for (const auto& c : cases) {
        const char* section = c.inSecond ? c.second : c.first;
        SCOPED_TRACE(c.file->toStdString() + " " + section);
        {
            CompilerProject project(24);
            project.WriteFile(*c.file, sections(c.first, c.second, c.row, c.capacity, c.inSecond));
            EXPECT_EQ(ReadU32(project.BuildFile("bank1.bin"), c.countOffset), unsigned(c.capacity));
        }
        CompilerProject project(24);
        project.WriteFile(*c.file, sections(c.first, c.second, c.row, c.capacity + 1, c.inSecond));
        QString error;
        EXPECT_FALSE(Build_And_Save_Banks(&error));
        EXPECT_TRUE(error.startsWith(*c.file + ", section \"" + section + "\"")) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::number(c.capacity))) << error.toStdString();
        EXPECT_TRUE(QDir(ProjectPath + "/bin").isEmpty());
    }
    for (const auto& [file, xml, capacity] :
         {std::tuple{&File_NodeGuard, RootRows("Node_Guarding", {rows("<row NodeID=\"1\"/>", 129).constData()}), 128},
          std::tuple{&File_ReStart_CANopen, RestartXml({}, 129), 128}}) {
        SCOPED_TRACE(file->toStdString());
        CompilerProject project(8);
        project.WriteFile(*file, xml);
        QString error;
        EXPECT_FALSE(Build_And_Save_Banks(&error));
        EXPECT_TRUE(error.startsWith(*file)) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::number(capacity))) << error.toStdString();
        EXPECT_TRUE(QDir(ProjectPath + "/bin").isEmpty());
    }
    CompilerProject project(8);
    project.WriteFile(File_NodeGuard, RootRows("Node_Guarding", {rows("<row NodeID=\"1\"/>", 128).constData()}));
    EXPECT_EQ(ReadU32(project.BuildFile("bank1.bin"), 556), 128u);
}

TEST(CANopen, BuildingAgainWithoutTheFilesEqualsAFreshBuild)
{
    CompilerProject project(8);
    project.WriteParGen(kParGen);
    WriteWorkedTables(project);
    ASSERT_EQ(project.Build()["bank2.bin"], ExpectedWorkedTables());
    for (QString* f : {&File_SDO_Server_CANopen, &File_SDO_Client_CANopen, &File_PDO_CANopen, &File_NodeGuard,
                       &File_ReStart_CANopen})
        ASSERT_TRUE(QFile::remove(*f));
    const auto files = project.Build();
    EXPECT_IMAGE(files["bank2.bin"], ResetTables());
    EXPECT_EQ(files["bank1.bin"].mid(2048), QByteArray(512, '\0'));
    EXPECT_EQ(files["bank1.bin"].mid(540, 20), QByteArray(20, '\0'));
    EXPECT_EQ(files["bank1.bin"].mid(172, 24), QByteArray(24, '\0'));
}

} // namespace
