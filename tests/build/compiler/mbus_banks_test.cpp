// The M-Bus models (10, 21): the header and parameter blocks, the node and
// variable table in bank.bin and bank2.bin, the reader's rules and errors,
// and the limits of the table format.
#include "mbus_fixture.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Three meters: the first enabled with a scaled value, a disabled value and
// a value whose unit is text; the second disabled; the third enabled under
// the earlier attribute name, with a time point.
const QByteArray kNetwork = MBusNetworkXml({
    Meter("Enable_Node=\"1\" ID_Primary=\"5\" ID_Secondary=\"12345678\" Descrizione=\"heat\" Send_SND_NKE=\"1\" "
          "Reset_App=\"0\" Node_State=\"1\" Ident_Num=\"1\" BCDtoINT_IN=\"1\" Swap_IN=\"2\" Node_ID_Type=\"1\" "
          "Var_List_Type=\"1\" Cut_After=\"3\"",
          {
              Value("Enable=\"1\" Desc=\"energy\" Type=\"3\" Fun_Field=\"1\" Dim=\"2\" Unit=\"12\" Scale=\"1\" "
                    "StoNumber=\"4294967295\" Tariff=\"70000\" VIFE=\"5\" BCDtoINT=\"1\" SWAP=\"0\" "
                    "VIF_ASCII=\"xyz\" Length=\"10\" TP_Mod_Regs=\"0\" ForceInteger32=\"0\" Position=\"2\""),
              Value("Enable=\"0\" Type=\"x\" Fun_Field=\"x\" Dim=\"abc\""),
              Value("Enable=\"1\" Type=\"21\" Fun_Field=\"2\" Dim=\"7\" Length=\"10\" VIF_ASCII=\"kWh\" "
                    "SWAP=\"1\" TP_Mod_Regs=\"1\""),
          }),
    Meter("Enable_Node=\"0\" ID_Primary=\"9\"", {Value32()}),
    Meter("Node_Enable=\"1\" ID=\"305419896\" Node_ID_Type=\"0\" Reset_App=\"1\" Ident_Num=\"1\"",
          {Value("Enable=\"1\" Type=\"20\" Fun_Field=\"3\" Dim=\"0\" TP_Mod_Regs=\"1\" Scale=\"yes\" "
                 "Position=\"4\"")}),
});

const QByteArray kParGen = MBusParGenXml({
    {"PROFINET_IP1", "10"}, {"PROFINET_IP2", "0"}, {"PROFINET_IP3", "0"}, {"PROFINET_IP4", "7"},
    {"PROFINET_SM1", "255"}, {"PROFINET_SM2", "255"}, {"PROFINET_SM3", "0"}, {"PROFINET_SM4", "0"},
    {"PROFINET_GAT1", "10"}, {"PROFINET_GAT2", "0"}, {"PROFINET_GAT3", "0"}, {"PROFINET_GAT4", "1"},
    {"PROFINET_EN_GAT", "1"}, {"PROFINET_PORT", "34964"}, {"PROFINET_NAME_STA", "mbus-gw"},
    {"PROFINET_NB_OUT", "100"}, {"PROFINET_AUTO_CALC_BYTE", "1"}, {"Working_mode", "0"},
    {"Meter_Baud", "5"}, {"Meter_Par", "1"}, {"Meter_Req_Delay", "500"}, {"Meter_NS_Error_Code", "3"},
});

// The node table of kNetwork and kParGen built for base position b: 161
// bytes, every file position counted from b, the data positions not.
QByteArray ExpectedTable(uint32_t b)
{
    Image t(161);
    t.U32(0, b + 8).U32(4, b + 135);
    // Meter 1: secondary address 12345678 most significant byte first.
    t.U8(8, 1).Octets(9, 0x00, 0xBC, 0x61, 0x4E).U16(13, 2).U32(15, b + 54);
    t.U8(19, 1).U8(20, 0).U8(21, 1).U16(22, 0).U8(24, 1).U16(25, 1);
    t.U8(27, 1).U8(28, 2).U8(29, 1).U8(30, 4);
    // Meter 3: the ID attribute 0x12345678.
    t.U8(31, 0).Octets(32, 0x12, 0x34, 0x56, 0x78).U16(36, 1).U32(38, b + 106);
    t.U8(42, 0).U8(43, 1).U8(44, 0).U16(45, 20).U8(47, 1).U16(48, 20);
    t.U8(50, 0).U8(51, 0).U8(52, 0).U8(53, 250);
    auto var = [&t](int at, unsigned type, unsigned fun, unsigned code, unsigned pos, unsigned scale,
                    unsigned end, unsigned unit, uint32_t sto, uint32_t tariff, unsigned vife, unsigned options,
                    unsigned length, unsigned textLen, uint32_t textAt, unsigned position) {
        t.U8(at, type).U8(at + 1, fun).U8(at + 2, code).U16(at + 3, pos).U8(at + 5, scale).U16(at + 6, end);
        t.U8(at + 8, unit).U32(at + 9, sto).U32(at + 13, tariff).U8(at + 17, vife).U8(at + 18, options);
        t.U8(at + 19, length).U8(at + 20, textLen).U32(at + 21, textAt).U8(at + 25, position);
    };
    // Data image: meter 1 state at 0, identification at 1..4, value 1 at
    // 5..8 with its scale byte at 9, value 3 at 10..19; meter 3 identification
    // at 20..23, its time point at 24..29.
    var(54, 3, 2, 4, 5, 1, 9, 12, 0xFFFFFFFF, 70000, 5, 1, 0, 0, b + 132, 2);
    var(80, 21, 1, 13, 10, 0, 20, 0, 0, 0, 0, 6, 10, 3, b + 132, 1);
    var(106, 20, 3, 1, 24, 0, 30, 0, 0, 0, 0, 4, 0, 0, b + 135, 4);
    t.Text(132, "hWk");
    // Parameter section.
    t.Octets(135, 10, 0, 0, 7).Octets(139, 255, 255, 0, 0).Octets(143, 10, 0, 0, 1).U8(147, 1);
    t.U16(148, 34964).U16(150, 100).U8(152, 5).U8(153, 1).U32(154, 500).U8(158, 2).U8(159, 0).U8(160, 3);
    return t.Bytes();
}

TEST(MBusBanks, Type10FromProjectFilesByteForByte)
{
    CompilerProject project(10);
    project.WriteParGen(kParGen);
    project.WriteFile(File_M_Bus, kNetwork);
    const auto files = project.Build();
    ASSERT_EQ(files.keys(), QStringList({"bank.bin", "bank1.bin", "bank2.bin", "bank3.bin"}));

    Image header = ResetMBusHeader(10);
    header.U32(12, 9600).U16(18, 2).U32(60, 9600).U16(66, 2);
    header.Octets(40, 10, 0, 0, 7).Octets(44, 255, 255, 0, 0).Octets(48, 10, 0, 0, 1);
    header.U16(54, 34964).U16(56, 34964).Text(80, "mbus-gw").U32(116, 4).U32(120, 100);
    header.Sum();

    Image param = ResetMBusParam(10);
    param.Octets(40, 10, 0, 0, 7).Octets(44, 255, 255, 0, 0).Octets(48, 10, 0, 0, 1);
    param.U16(54, 502).U16(56, 502).Text(344, "mbus-gw").U32(360, 4).U32(364, 100);
    param.U32(508, 9600).U8(523, 2);
    param.Sum();

    EXPECT_IMAGE(files["bank.bin"], header.Bytes() + QByteArray(1, char(0xC0)) + ExpectedTable(2049));
    EXPECT_IMAGE(files["bank1.bin"], param.Bytes());
    EXPECT_IMAGE(files["bank2.bin"], QByteArray(1, char(0xC0)) + ExpectedTable(1));
    EXPECT_TRUE(files["bank3.bin"].isEmpty());
}

TEST(MBusBanks, NoProjectFilesGiveTheResetImages)
{
    for (int type : {10, 21}) {
        SCOPED_TRACE(type);
        CompilerProject project(type);
        QString error;
        ASSERT_TRUE(Build_And_Save_Banks(&error)) << error.toStdString();

        Image table(9);
        table.U8(0, 0xC0).U32(1, 9).U32(5, 9);   // no nodes, no parameter section
        Image bankTable(9);
        bankTable.U8(0, 0xC0).U32(1, 2057).U32(5, 2057);
        EXPECT_IMAGE(project.ReadBin("bank.bin"), ResetMBusHeader(type).Sum().Bytes() + bankTable.Bytes());
        EXPECT_IMAGE(project.ReadBin("bank1.bin"), ResetMBusParam(type).Sum().Bytes());
        EXPECT_IMAGE(project.ReadBin("bank2.bin"), table.Bytes());
        EXPECT_TRUE(QFileInfo(project.Bin("bank3.bin")).isFile());
        EXPECT_EQ(QFileInfo(project.Bin("bank3.bin")).size(), 0);
    }
}

// Two meters, each with its state, its identification number and one 32-bit value.
TEST(MBusBanks, DataPositionsByWorkingMode)
{
    const QByteArray network = MBusNetworkXml({
        Meter("Node_State=\"1\" Ident_Num=\"1\"", {Value32()}),
        Meter("Node_State=\"1\" Ident_Num=\"1\"", {Value32()}),
    });
    const struct
    {
        int type;
        const char* mode;
        unsigned ns[2], in[2], value[2], end[2];
    } cases[] = {
        {10, "0", {0, 9}, {1, 10}, {5, 14}, {9, 18}},
        {10, "1", {4, 4}, {5, 5}, {9, 9}, {13, 13}},
        {10, "2", {0, 9}, {1, 10}, {5, 14}, {9, 18}},    // only 1 is the single slave mode
        {21, "0", {0, 31}, {3, 34}, {11, 42}, {31, 62}},
        {21, "1", {4, 4}, {7, 7}, {15, 15}, {35, 35}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " mode " + c.mode);
        CompilerProject project(c.type);
        project.WriteParGen(MBusParGenXml({{"Working_mode", c.mode}}));
        project.WriteFile(File_M_Bus, network);
        const QByteArray t = project.BuildFile("bank2.bin");
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(ReadU16(t, Bank2Node(i) + 14), c.ns[i]) << i;
            EXPECT_EQ(ReadU16(t, Bank2Node(i) + 17), c.in[i]) << i;
            EXPECT_EQ(ReadU16(t, Bank2Var(2, i) + 3), c.value[i]) << i;
            EXPECT_EQ(ReadU16(t, Bank2Var(2, i) + 6), c.end[i]) << i;
        }
        // The section keeps the working mode's low 8 bits.
        EXPECT_EQ(ReadU8(t, t.size() - 2), static_cast<unsigned>(std::atoi(c.mode)));
    }
}

// One meter with one used value; its variable record in bank2.bin.
QByteArray VarRecord(int type, const QByteArray& valueAttrs)
{
    CompilerProject project(type);
    project.WriteFile(File_M_Bus, MBusNetworkXml({Meter("", {Value(valueAttrs)})}));
    return project.BuildFile("bank2.bin").mid(Bank2Var(1, 0), 26);
}

TEST(MBusBanks, ValueFieldsByKindAndSize)
{
    const struct
    {
        const char* attrs;
        unsigned fun, code, size, scale, options, length;
    } cases[] = {
        {"Fun_Field=\"0\" Dim=\"0\"", 0, 1, 1, 0, 0, 0},
        {"Fun_Field=\"1\" Dim=\"1\"", 2, 2, 2, 0, 0, 0},
        {"Fun_Field=\"2\" Dim=\"2\"", 1, 4, 4, 0, 0, 0},
        {"Fun_Field=\"3\" Dim=\"3\"", 3, 7, 8, 0, 0, 0},
        {"Fun_Field=\"0\" Dim=\"4\"", 0, 3, 3, 0, 0, 0},
        {"Fun_Field=\"0\" Dim=\"5\"", 0, 6, 6, 0, 0, 0},
        {"Fun_Field=\"0\" Dim=\"6\"", 0, 5, 4, 0, 0, 0},
        {"Fun_Field=\"0\" Dim=\"7\" Length=\"10\"", 0, 13, 10, 0, 0, 10},
        {"Fun_Field=\"0\" Dim=\"2\" Length=\"10\"", 0, 4, 4, 0, 0, 0},
        {"Fun_Field=\"0\" Dim=\"7\"", 0, 13, 0, 0, 0, 0},
        {"Fun_Field=\"0\" Dim=\"9\"", 0, 2, 2, 0, 0, 0},
        {"Fun_Field=\"0\" Dim=\"3\" ForceInteger32=\"1\"", 0, 7, 4, 0, 8, 0},
        {"Fun_Field=\"0\" Dim=\"0\" TP_Mod_Regs=\"1\"", 0, 1, 1, 0, 4, 0},   // 6 only for a time point
        {"Fun_Field=\"0\" Dim=\"1\" Scale=\"1\" BCDtoINT=\"1\" SWAP=\"1\"", 0, 2, 2, 1, 3, 0},
        {"Fun_Field=\"0\" Dim=\"1\" Scale=\" 1\" BCDtoINT=\"Y\" SWAP=\"true\"", 0, 2, 2, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attrs);
        const QByteArray r = VarRecord(10, QByteArray("Enable=\"1\" Type=\"0\" ") + c.attrs);
        ASSERT_EQ(r.size(), 26);
        EXPECT_EQ(ReadU8(r, 1), c.fun);
        EXPECT_EQ(ReadU8(r, 2), c.code);
        EXPECT_EQ(ReadU16(r, 6) - ReadU16(r, 3), c.size);
        EXPECT_EQ(ReadU8(r, 5), c.scale);
        EXPECT_EQ(ReadU8(r, 18), c.options);
        EXPECT_EQ(ReadU8(r, 19), c.length);
    }
    // A time point with TP_Mod_Regs takes 6 bytes whatever its size; ForceInteger32 does not change it.
    const QByteArray tp = VarRecord(10, "Enable=\"1\" Type=\"20\" Fun_Field=\"0\" Dim=\"3\" TP_Mod_Regs=\"1\" "
                                        "ForceInteger32=\"1\"");
    EXPECT_EQ(ReadU16(tp, 6) - ReadU16(tp, 3), 6u);
    // Type 21: every value takes 20 bytes; no scale byte and no options.
    const QByteArray snmp = VarRecord(21, "Enable=\"1\" Type=\"0\" Fun_Field=\"1\" Dim=\"0\" Scale=\"1\" "
                                          "BCDtoINT=\"1\" ForceInteger32=\"1\"");
    EXPECT_EQ(ReadU16(snmp, 6) - ReadU16(snmp, 3), 20u);
    EXPECT_EQ(ReadU8(snmp, 1), 2u);
    EXPECT_EQ(ReadU8(snmp, 5), 0u);
    EXPECT_EQ(ReadU8(snmp, 18), 0u);
}

TEST(MBusBanks, ValueDefaultsAndUnitText)
{
    const QByteArray bare = VarRecord(10, "Enable=\"1\" Type=\"0\" Fun_Field=\"0\" Dim=\"0\"");
    EXPECT_EQ(ReadU8(bare, 8), 0u);     // Unit
    EXPECT_EQ(ReadU32(bare, 9), 0u);    // StoNumber
    EXPECT_EQ(ReadU32(bare, 13), 0u);   // Tariff
    EXPECT_EQ(ReadU8(bare, 17), 0u);    // VIFE
    EXPECT_EQ(ReadU8(bare, 25), 1u);    // Position
    const QByteArray bad = VarRecord(10, "Enable=\"1\" Type=\"0\" Fun_Field=\"0\" Dim=\"0\" Unit=\"u\" "
                                         "StoNumber=\"-\" Tariff=\"\" VIFE=\"300\" Position=\"p\"");
    EXPECT_EQ(ReadU8(bad, 8), 0u);
    EXPECT_EQ(ReadU8(bad, 17), 44u);    // low 8 bits
    EXPECT_EQ(ReadU8(bad, 25), 1u);

    // The unit text is kept only for a value whose unit is text.
    for (const char* type : {"21", "0"}) {
        CompilerProject project(10);
        project.WriteFile(File_M_Bus,
                          MBusNetworkXml({Meter("", {Value(QByteArray("Enable=\"1\" Fun_Field=\"0\" Dim=\"0\" "
                                                                      "VIF_ASCII=\"kWh\" Type=\"")
                                                           + type + "\"")})}));
        const QByteArray t = project.BuildFile("bank2.bin");
        const bool text = QByteArray(type) == "21";
        EXPECT_EQ(ReadU8(t, Bank2Var(1, 0) + 20), text ? 3u : 0u);
        EXPECT_EQ(t.size(), 1 + 8 + 23 + 26 + (text ? 3 : 0));
        if (text) {
            EXPECT_EQ(t.right(3), QByteArray("hWk"));
        }
    }
}

TEST(MBusBanks, MeterAddressAndReadingLimit)
{
    const struct
    {
        const char* attrs;
        uint8_t id[4];
        unsigned idType, cut;
    } cases[] = {
        {"ID=\"12345678\"", {0x00, 0xBC, 0x61, 0x4E}, 0, 250},
        {"ID=\"$FFFFFFFF\" Node_ID_Type=\"1\" ID_Secondary=\"5\"", {0xFF, 0xFF, 0xFF, 0xFF}, 1, 250},
        {"ID=\"4294967295\"", {0xFF, 0xFF, 0xFF, 0xFF}, 0, 250},
        {"ID=\"abc\" ID_Primary=\"250\" ID_Secondary=\"99\"", {0, 0, 0, 250}, 0, 250},
        {"Node_ID_Type=\"1\" ID_Primary=\"250\" ID_Secondary=\"87654321\"", {0x05, 0x39, 0x7F, 0xB1}, 1, 250},
        {"Node_ID_Type=\"2\" ID_Primary=\"3\"", {0, 0, 0, 1}, 2, 250},
        {"ID_Primary=\"x\" Cut_After=\"3\"", {0, 0, 0, 1}, 0, 4},
        {"Cut_After=\"abc\"", {0, 0, 0, 1}, 0, 250},
        {"Cut_After=\"0\"", {0, 0, 0, 1}, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attrs);
        CompilerProject project(10);
        project.WriteFile(File_M_Bus, MBusNetworkXml({Meter(c.attrs, {Value32()})}));
        const QByteArray t = project.BuildFile("bank2.bin");
        const int n = Bank2Node(0);
        EXPECT_EQ(ReadU8(t, n), c.idType);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(ReadU8(t, n + 1 + k), c.id[k]) << k;
        EXPECT_EQ(ReadU8(t, n + 22), c.cut);
    }
}

// Which meters and values count.
TEST(MBusBanks, EnabledMetersAndUsedValues)
{
    const struct
    {
        const char* meter;
        const char* value;
        bool counted;
    } cases[] = {
        {"Enable_Node=\"1\"", "Enable=\"1\"", true},
        {"", "Enable=\"1\"", true},                      // no flag: enabled
        {"Enable_Node=\"0\"", "Enable=\"1\"", false},
        {"Enable_Node=\"abc\"", "Enable=\"1\"", false},
        {"Enable_Node=\"2\"", "Enable=\"1\"", false},
        {"Node_Enable=\"0\"", "Enable=\"1\"", false},    // the earlier writer's name
        {"Node_Enable=\"1\"", "Enable=\"1\"", true},
        {"Enable_Node=\"1\" Node_Enable=\"0\"", "Enable=\"1\"", true},
        {"Enable_Node=\"1\"", "Enable=\"0\"", false},    // a meter without used values is left out
        {"Enable_Node=\"1\"", "", false},
        {"Enable_Node=\"1\"", "Enable=\"Y\"", false},
        {"Enable_Node=\"1\"", "Enable=\" 1\"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.meter) + " / " + c.value);
        CompilerProject project(10);
        project.WriteParGen(MBusParGenXml());
        project.WriteFile(File_M_Bus,
                          MBusNetworkXml({Meter(c.meter, {Value(QByteArray(c.value)
                                                                + " Type=\"0\" Fun_Field=\"0\" Dim=\"2\"")}),
                                          Meter("", {Value32()})}));
        const QByteArray t = project.BuildFile("bank2.bin");
        const int nodes = c.counted ? 2 : 1;
        EXPECT_EQ(t.size(), 1 + 8 + 23 * nodes + 26 * nodes + 26);
        EXPECT_EQ(ReadU8(t, t.size() - 3), static_cast<unsigned>(nodes));   // node count in the section
    }

    // Child nodes count by position whatever they are: a comment among the
    // meters is an enabled meter without values.
    CompilerProject project(10);
    project.WriteFile(File_M_Bus, MBusNetworkXml({"<!--x-->", Meter("", {"<!--y-->", Value32()}),
                                                  "<Other Enable_Node=\"1\">" + Value32() + "</Other>"}));
    EXPECT_EQ(project.BuildFile("bank2.bin").size(), 1 + 8 + 2 * 23 + 2 * 26);
}

TEST(MBusBanks, ParGenFieldsOfBothBlocksAndTheSection)
{
    const struct
    {
        int type;
        ParGenElements pg;
        uint32_t rate;
        unsigned parity, outCount, auxWidth;
        bool gateway;
    } cases[] = {
        {10, {{"Meter_Baud", "0"}, {"Meter_Par", "0"}}, 300, 0, 1439, 0, false},
        {10, {{"Meter_Baud", "5"}, {"Meter_Par", "1"}, {"PROFINET_EN_GAT", "1"}}, 9600, 2, 1439, 0, true},
        {10, {{"Meter_Baud", "7"}, {"Meter_Par", "2"}, {"PROFINET_EN_GAT", "2"}}, 38400, 3, 1439, 0, true},
        {10, {{"Meter_Baud", "8"}, {"PROFINET_EN_GAT", "0"}, {"PROFINET_NB_OUT", "0"}}, 2400, 0, 1, 0, false},
        {10, {{"Meter_Baud", "261"}, {"PROFINET_EN_GAT", "abc"}, {"PROFINET_NB_OUT", "5000"}}, 9600, 0, 1439, 0,
         false},
        {10, {{"Meter_Baud", "-1"}, {"PROFINET_NB_OUT", "65537"}}, 2400, 0, 1, 0, false},
        {10, {{"PROFINET_NB_OUT", "1439"}, {"SNMP_AUX_INT_DIM", "1"}}, 9600, 0, 1439, 0, false},
        {10, {{"PROFINET_NB_OUT", "x"}}, 9600, 0, 1439, 0, false},
        {21, {{"PROFINET_NB_OUT", "100"}, {"SNMP_AUX_INT_DIM", "1"}}, 9600, 0, 1024, 4, false},
        {21, {{"SNMP_AUX_INT_DIM", "2"}}, 9600, 0, 1024, 8, false},
        {21, {{"SNMP_AUX_INT_DIM", "0"}}, 9600, 0, 1024, 2, false},
        {21, {}, 9600, 0, 1024, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        CompilerProject project(c.type);
        project.WriteParGen(MBusParGenXml(c.pg));
        const auto files = project.Build();
        const QByteArray h = files["bank.bin"];
        const QByteArray p = files["bank1.bin"];
        const QByteArray t = files["bank2.bin"];
        EXPECT_EQ(ReadU32(h, 12), c.rate);
        EXPECT_EQ(ReadU32(h, 60), c.rate);
        EXPECT_EQ(ReadU32(p, 508), c.rate);
        EXPECT_EQ(ReadU16(h, 18), c.parity);
        EXPECT_EQ(ReadU16(h, 66), c.parity);
        EXPECT_EQ(ReadU8(p, 523), c.parity);
        EXPECT_EQ(ReadU32(h, 120), c.outCount);
        EXPECT_EQ(ReadU32(p, 364), c.outCount);
        EXPECT_EQ(ReadU32(h, 116), 4u);
        EXPECT_EQ(ReadU32(p, 360), 4u);
        EXPECT_EQ(ReadU32(h, 324), c.auxWidth);
        // The blocks' gateway follows PROFINET_EN_GAT; the section's is the one read.
        const unsigned g = c.gateway ? 192 : 255;
        EXPECT_EQ(ReadU8(h, 48), g);
        EXPECT_EQ(ReadU8(p, 48), g);
        EXPECT_EQ(ReadU32(h, 48) == ReadU32(p, 48), true);
        const int s = t.size() - 26;
        EXPECT_EQ(ReadU32(t, s + 8), 0x0100A8C0u);
        EXPECT_EQ(ReadU16(t, s + 13), 34964u);
        EXPECT_EQ(ReadU16(t, s + 15), c.outCount);
        EXPECT_EQ(ReadU32(h, 2044), BlockSum(h));
        EXPECT_EQ(ReadU32(p, 2044), BlockSum(p));
        // Defaults of what the ParGen.xml does not hold.
        EXPECT_EQ(QByteArray(h.constData() + 80, 12), QByteArray("devicename1\0", 12));
        EXPECT_EQ(QByteArray(p.constData() + 344, 12), QByteArray("devicename1\0", 12));
        EXPECT_EQ(ReadU32(h, 40), 0x0500A8C0u);
        EXPECT_EQ(ReadU32(p, 40), 0x0500A8C0u);
    }
}

// A required value that is missing or not a number stops the build; no
// bank file is written and earlier ones keep their bytes.
TEST(MBusBanks, RequiredValuesStopTheBuild)
{
    const QByteArray goodMeter = Meter("", {Value32()});
    const struct
    {
        QByteArray network;      // empty: no M_Bus.xml
        QByteArray parGen;       // empty: no ParGen.xml
        QString* file;
        const char* name;
    } cases[] = {
        {MBusNetworkXml({goodMeter, Meter("", {Value("Enable=\"1\" Type=\"0\" Fun_Field=\"0\"")})}), {},
         &File_M_Bus, "\"Dim\" is missing"},
        {MBusNetworkXml({Meter("", {Value("Enable=\"1\" Type=\"0\" Fun_Field=\"0\" Dim=\"abc\"")})}), {},
         &File_M_Bus, "\"Dim\" is not an integer: \"abc\""},
        {MBusNetworkXml({Meter("", {Value("Enable=\"1\" Fun_Field=\"0\" Dim=\"1\"")})}), {}, &File_M_Bus,
         "\"Type\" is missing"},
        {MBusNetworkXml({Meter("", {Value("Enable=\"1\" Type=\"0\" Fun_Field=\"\" Dim=\"1\"")})}), {},
         &File_M_Bus, "\"Fun_Field\" is not an integer"},
        {{}, MBusParGenXml({{"Meter_Baud", nullptr}}), &File_ParGen, "\"Meter_Baud\" is missing"},
        {{}, MBusParGenXml({{"Meter_Baud", "fast"}}), &File_ParGen, "\"Meter_Baud\" is not an integer"},
        {{}, MBusParGenXml({{"Meter_Par", nullptr}}), &File_ParGen, "\"Meter_Par\" is missing"},
        {{}, MBusParGenXml({{"Meter_Req_Delay", "1.5"}}), &File_ParGen, "\"Meter_Req_Delay\" is not an integer"},
        {"<M-Bus_Network><Nodo></M-Bus_Network>", {}, &File_M_Bus, ""},
    };
    for (int type : {10, 21})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(type) + " " + c.name);
            CompilerProject project(type);
            if (!c.network.isEmpty())
                project.WriteFile(File_M_Bus, c.network);
            if (!c.parGen.isEmpty())
                project.WriteParGen(c.parGen);
            project.WriteFile(project.Bin("bank1.bin"), "earlier bytes");
            QString error;
            EXPECT_FALSE(Build_And_Save_Banks(&error));
            EXPECT_TRUE(error.contains(*c.file)) << error.toStdString();
            EXPECT_TRUE(error.contains(c.name)) << error.toStdString();
            EXPECT_EQ(project.ReadBin("bank1.bin"), QByteArray("earlier bytes"));
            EXPECT_EQ(QDir(ProjectPath + "/bin").entryList(QDir::Files), QStringList{"bank1.bin"});
        }
    // The message names the meter and the value by their place in the file.
    CompilerProject project(10);
    project.WriteFile(File_M_Bus, MBusNetworkXml({goodMeter, Meter("", {Value32(), Value("Enable=\"1\"")})}));
    EXPECT_TRUE(BuildError().contains(File_M_Bus + ", meter 2, value 2: the attribute \"Type\" is missing."));
}

QByteArray Repeat(const QByteArray& part, int n)
{
    QByteArray x;
    x.reserve(part.size() * n);
    for (int i = 0; i < n; ++i)
        x += part;
    return x;
}

QByteArray OneMeter(const QByteArray& value, int count)
{
    return MBusNetworkXml({"<Nodo>" + Repeat(value, count) + "</Nodo>"});
}

// Nothing wraps and nothing is written outside a buffer: the build stops.
TEST(MBusBanks, TablesBeyondTheirFieldsOrBufferStopTheBuild)
{
    const QByteArray byte = Value("Enable=\"1\" Type=\"0\" Fun_Field=\"0\" Dim=\"0\"");
    const QByteArray long255 = Value("Enable=\"1\" Type=\"0\" Fun_Field=\"0\" Dim=\"7\" Length=\"255\"");
    const QByteArray unit255 = Value("Enable=\"1\" Type=\"21\" Fun_Field=\"0\" Dim=\"0\" VIF_ASCII=\""
                                     + QByteArray(255, 'u') + "\"");
    const QByteArray unit256 = Value("Enable=\"1\" Type=\"21\" Fun_Field=\"0\" Dim=\"0\" VIF_ASCII=\""
                                     + QByteArray(256, 'u') + "\"");
    const struct
    {
        const char* what;
        int type;
        QByteArray network;
        const char* error;   // nullptr: the build succeeds
        int bankSize;
    } cases[] = {
        {"255 meters", 10, MBusNetworkXml({Repeat(Meter("", {byte}), 255)}), nullptr,
         2049 + 8 + 255 * (23 + 26) + 26},
        {"256 meters", 10, MBusNetworkXml({Repeat(Meter("", {byte}), 256)}), "255", 0},
        {"256 meters, one disabled", 10,
         MBusNetworkXml({Meter("Enable_Node=\"0\"", {byte}), Repeat(Meter("", {byte}), 255)}), nullptr,
         2049 + 8 + 255 * (23 + 26) + 26},
        {"data up to 65535", 10, OneMeter(long255, 257), nullptr, 2049 + 8 + 23 + 257 * 26 + 26},
        {"data beyond 65535", 10, OneMeter(long255, 258), "65535", 0},
        {"type 21 data beyond 65535", 21, OneMeter(byte, 3277), "65535", 0},
        {"unit of 255 characters", 10, OneMeter(unit255, 1), nullptr, 2049 + 8 + 23 + 26 + 255 + 26},
        {"unit of 256 characters", 10, OneMeter(unit256, 1), "255", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CompilerProject project(c.type);
        project.WriteParGen(MBusParGenXml());
        project.WriteFile(File_M_Bus, c.network);
        QString error;
        const bool ok = Build_And_Save_Banks(&error);
        if (!c.error) {
            ASSERT_TRUE(ok) << error.toStdString();
            EXPECT_EQ(project.ReadBin("bank.bin").size(), c.bankSize);
            EXPECT_EQ(project.ReadBin("bank2.bin").size(), c.bankSize - 2048);
            continue;
        }
        EXPECT_FALSE(ok);
        EXPECT_TRUE(error.contains(File_M_Bus)) << error.toStdString();
        EXPECT_TRUE(error.contains(c.error)) << error.toStdString();
        EXPECT_TRUE(QDir(ProjectPath + "/bin").entryList(QDir::Files).isEmpty());
    }
}

// bank.bin holds the table from 2049 on, up to 200004 bytes; a table that
// fits bank2.bin but not bank.bin stops the build.
TEST(MBusBanks, TableFillingTheImage)
{
    const QByteArray byte = Value("Enable=\"1\" Type=\"0\" Fun_Field=\"0\" Dim=\"0\"");
    {
        CompilerProject project(10);
        project.WriteFile(File_M_Bus, OneMeter(byte, 7612));
        QString error;
        ASSERT_TRUE(Build_And_Save_Banks(&error)) << error.toStdString();
        EXPECT_EQ(project.ReadBin("bank.bin").size(), 2049 + 8 + 23 + 7612 * 26);   // 199992
    }
    CompilerProject project(10);
    project.WriteFile(File_M_Bus, OneMeter(byte, 7613));
    const QString error = BuildError();
    EXPECT_TRUE(error.contains(File_M_Bus)) << error.toStdString();
    EXPECT_TRUE(error.contains("200004")) << error.toStdString();
}

// Every build starts from the same state: after ParGen.xml is removed the
// working mode is 0 again, as in a project that never had the file.
TEST(MBusBanks, BuildAfterRemovingParGenEqualsAFreshBuild)
{
    const QByteArray network = MBusNetworkXml({
        Meter("Node_State=\"1\" Ident_Num=\"1\"", {Value32("Var_IP_Add=\"1.2.3.4\"")}),
        Meter("Node_State=\"1\"", {Value32()}),
    });
    for (int type : {10, 21}) {
        SCOPED_TRACE(type);
        QList<BankFile> fresh;
        {
            CompilerProject project(type);
            project.WriteFile(File_M_Bus, network);
            ASSERT_TRUE(Build_Banks(type, fresh, nullptr));
        }
        CompilerProject project(type);
        project.WriteFile(File_M_Bus, network);
        project.WriteParGen(MBusParGenXml({{"Working_mode", "1"}, {"PROFINET_NB_OUT", "20"}}));
        QList<BankFile> withParGen;
        ASSERT_TRUE(Build_Banks(type, withParGen, nullptr));
        ASSERT_TRUE(QFile::remove(File_ParGen));
        QList<BankFile> after;
        ASSERT_TRUE(Build_Banks(type, after, nullptr));
        ASSERT_EQ(after.size(), fresh.size());
        for (int i = 0; i < after.size(); ++i) {
            EXPECT_EQ(after[i].name, fresh[i].name);
            EXPECT_EQ(FirstDifference(after[i].bytes, fresh[i].bytes).toStdString(), std::string()) << i;
            if (!after[i].bytes.isEmpty()) {
                EXPECT_NE(after[i].bytes, withParGen[i].bytes) << i;
            }
        }
    }
}

} // namespace
