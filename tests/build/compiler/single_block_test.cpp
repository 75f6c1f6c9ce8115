// The PROFIBUS block (3), and the models whose image is the general block:
// DeviceNet slave (2), Modbus TCP slave (12, 17), EtherNet/IP (13), PROFINET
// slave / SNMP (20, with its trap tables after the block) and PROFIBUS / SNMP (23).
#include "compiler_fixture.h"

namespace {

TEST(Profibus, Type3BlockByteForByte)
{
    CompilerProject project(3);
    project.WriteParGen(ParGenXml({
        {"PROFINET_IP1", "10"}, {"PROFINET_IP2", "2"}, {"PROFINET_IP3", "3"},
        {"PROFINET_SM3", "255"}, {"PROFINET_EN_GAT", "1"},
        {"PROFINET_NAME_STA", "pb-slave"},
        {"PROFIBUS_SLAVE_ID_DEV", "261"},   // low 8 bits: 5
        {"PROFIBUS_SLAVE_BAUDRATE", "3"},   // not read
        {"PROFIBUS_SLAVE_NB_IN", "16"},
        {"PROFIBUS_SLAVE_NB_OUT", "8"},
        {"PROFIBUS_SLAVE_RESET_DATA", "1"},
    }));
    Image expected;
    expected.U32(0, 125000).U32(4, 125000).U32(8, 9600);
    expected.Octets(40, 10, 2, 3, 5).Octets(44, 255, 255, 255, 0).Octets(48, 192, 168, 0, 1);
    expected.U16(52, 10000).U16(54, 10001).U16(56, 10001).U8(58, 5).U8(59, 192);
    expected.U32(60, 9600).U32(64, 2).U32(80, 0x60).Text(344, "pb-slave").U32(368, 16).U32(372, 8);
    expected.Sum();
    const auto files = project.Build();
    ASSERT_EQ(files.keys(), QStringList{"bank.bin"});
    EXPECT_IMAGE(files["bank.bin"], expected.Bytes());
}

TEST(Profibus, Type3WithoutParGenAndItsOptionBits)
{
    {
        CompilerProject project(3);
        Image expected;
        expected.U32(0, 125000).U32(4, 125000).U32(8, 9600).U16(52, 10000).U16(54, 10001).U16(56, 10001);
        expected.U8(59, 192).U32(60, 9600).U32(64, 2).U32(80, 0x20).Sum();
        const QByteArray bank = project.BuildFile("bank.bin");
        EXPECT_IMAGE(bank, expected.Bytes());
        EXPECT_EQ(bank.mid(376, 2044 - 376), QByteArray(2044 - 376, '\0'));
    }
    for (const char* reset : {"0", " 1", "", "yes"}) {
        CompilerProject project(3);
        project.WriteParGen(ParGenXml({{"PROFIBUS_SLAVE_RESET_DATA", reset}}));
        const QByteArray bank = project.BuildFile("bank.bin");
        EXPECT_EQ(ReadU32(bank, 80), 0x20u) << reset;
        EXPECT_EQ(ReadU8(bank, 58), 0u);
        EXPECT_EQ(ReadU32(bank, 368), 0u);
    }
}

TEST(Profibus, Type23GeneralBlockWithSwappedCountsByteForByte)
{
    CompilerProject project(23);
    project.WriteParGen(ParGenXml({
        {"PROFINET_IP4", "7"}, {"PROFINET_NAME_STA", "pb-snmp"}, {"PROFINET_PORT", "1234"},
        {"PROFIBUS_SLAVE_ID_DEV", "3"}, {"PROFIBUS_SLAVE_NB_IN", "16"}, {"PROFIBUS_SLAVE_NB_OUT", "8"},
        {"SNMP_VERSION1", "1"},   // type 23 stores no SNMP settings
    }));
    Image expected = ResetGenBlock();
    expected.Octets(40, 192, 168, 0, 7).Octets(44, 255, 255, 255, 0).Octets(48, 255, 255, 255, 255);
    expected.Text(80, "pb-snmp").U8(129, 3).U32(120, 16).U32(116, 8).Sum();
    EXPECT_IMAGE(project.BuildFile("bank.bin"), expected.Bytes());
}

TEST(SingleBlock, Type2DeviceNetSlaveByteForByte)
{
    CompilerProject project(2);
    project.WriteParGen(ParGenXml({
        {"PROFINET_IP1", "10"}, {"PROFINET_EN_GAT", "1"}, {"PROFINET_NAME_STA", "dn"},
        {"DNETS_ID_DEV", "63"}, {"DNETS_BAUDRATE", "1"}, {"DNETS_NB_IN", "20"}, {"DNETS_NB_OUT", "x"},
    }));
    Image expected = ResetGenBlock();
    expected.U16(52, 5000).U8(96, 192).U8(99, 4);
    expected.Octets(40, 10, 168, 0, 5).Octets(44, 255, 255, 255, 0).Octets(48, 192, 168, 0, 1).Text(80, "dn");
    expected.U32(28, 63).U32(0, 250000).U32(116, 20).U32(120, 455).Sum();
    EXPECT_IMAGE(project.BuildFile("bank.bin"), expected.Bytes());
}

struct Field
{
    int offset;
    int width;
    uint32_t value;
};

struct FieldCase
{
    int type;
    Elements elements;
    std::initializer_list<Field> fields;
    const char* why;
};

uint32_t ReadField(const QByteArray& b, const Field& f)
{
    return f.width == 1 ? ReadU8(b, f.offset) : f.width == 2 ? ReadU16(b, f.offset) : ReadU32(b, f.offset);
}

TEST(SingleBlock, PerTypeFields)
{
    const FieldCase cases[] = {
        {2, {{"DNETS_BAUDRATE", "0"}}, {{0, 4, 125000}}, "baud index 0"},
        {2, {{"DNETS_BAUDRATE", "2"}}, {{0, 4, 500000}}, "baud index 2"},
        {2, {{"DNETS_BAUDRATE", "9"}}, {{0, 4, 500000}}, "baud index 9"},
        {2, {}, {{0, 4, 500000}, {28, 4, 10}, {116, 4, 455}, {120, 4, 455}, {104, 2, 0}, {54, 2, 10001}},
         "defaults"},
        {2, {{"PROFINET_PORT", "5000"}}, {{104, 2, 0}}, "service port not read"},

        {12, {{"Modbus_TCP_Slave_READ_INPUT_REG", "1"}}, {{58, 2, 1}}, "read input registers"},
        {12, {{"Modbus_TCP_Slave_READ_INPUT_REG", "0"}}, {{58, 2, 0}}, "read input registers off"},
        {17, {{"Modbus_TCP_Slave_READ_INPUT_REG", "1"}}, {{58, 2, 0}}, "type 17 ignores it"},
        {12, {}, {{116, 4, 512}, {120, 4, 512}, {54, 2, 502}, {56, 2, 10001}, {96, 1, 66}}, "type 12 defaults"},
        {12, {{"MODBUS_TCP_Slave_NB_IN", "100"}, {"MODBUS_TCP_Slave_NB_OUT", "200"}, {"Modbus_TCP_Slave_Port", "1502"}},
         {{116, 4, 100}, {120, 4, 200}, {54, 2, 1502}}, "type 12 counts and port"},
        {12, {{"Modbus_TCP_Slave_IP1", "10"}, {"Modbus_TCP_Slave_IP4", "x"}, {"Modbus_TCP_Slave_SM4", "128"},
              {"Modbus_TCP_Slave_GAT2", "1"}, {"Modbus_TCP_Slave_EN_GAT", "1"}},
         {{304, 4, 0x0500A80A}, {308, 4, 0x80FFFFFF}, {312, 4, 0x010001C0}}, "second interface"},
        {17, {{"Modbus_TCP_Slave_GAT1", "10"}, {"Modbus_TCP_Slave_EN_GAT", "0"}}, {{312, 4, 0xFFFFFFFF}},
         "second gateway off"},
        {17, {{"MODBUS_TCP_Slave_NB_IN", "100"}}, {{116, 4, 1024}, {120, 4, 1024}, {300, 4, 0}, {52, 2, 10000}},
         "type 17 counts"},
        {17, {{"SNMP_AUX_INT_DIM", "1"}}, {{356, 4, 4}}, "aux 1"},
        {17, {{"SNMP_AUX_INT_DIM", "2"}}, {{356, 4, 8}}, "aux 2"},
        {17, {{"SNMP_AUX_INT_DIM", "0"}}, {{356, 4, 2}}, "aux 0"},
        {17, {}, {{356, 4, 2}, {54, 2, 502}}, "aux missing"},
        {17, {{"SNMP_AUX_INT_DIM", "-1"}}, {{356, 4, 2}}, "aux without a selection"},

        {13, {{"PROFINET_NB_IN", "100"}, {"PROFINET_NB_OUT", "200"}}, {{120, 4, 100}, {116, 4, 200}},
         "swapped counts"},
        {13, {}, {{116, 4, 496}, {120, 4, 496}, {54, 2, 44818}, {56, 2, 44818}, {104, 2, 0}}, "type 13 defaults"},
        {13, {}, {{304, 4, 0x0A00A8C0}, {308, 4, 0x00FFFFFF}, {312, 4, 0xFFFFFFFF}}, "EtherNet/IP IP4 missing: 10"},
        {13, {{"EtherNetIP_IP4", "x"}}, {{307, 1, 5}}, "EtherNet/IP IP4 not a number: 5"},
        {13, {{"EtherNetIP_IP4", "21"}, {"EtherNetIP_EN_GAT", "1"}, {"EtherNetIP_PORT", "999"}},
         {{307, 1, 21}, {312, 4, 0x0100A8C0}, {54, 2, 44818}}, "EtherNet/IP interface"},

        {23, {}, {{129, 1, 10}, {116, 4, 244}, {120, 4, 244}, {52, 2, 10000}}, "type 23 defaults"},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + ": " + c.why);
        CompilerProject project(c.type);
        project.WriteParGen(ParGenXml(c.elements));
        const QByteArray bank = project.BuildFile("bank.bin");
        for (const Field& f : c.fields)
            EXPECT_EQ(ReadField(bank, f), f.value) << "offset " << f.offset;
        EXPECT_EQ(ReadU32(bank, 2044), BlockSum(bank));
    }
}

TEST(SingleBlock, WithoutParGenOnlyTheConstantsAreStored)
{
    const struct
    {
        int type;
        unsigned port52, mode96, mode99, port54;
    } cases[] = {{2, 5000, 192, 4, 10001}, {12, 5000, 66, 0, 10001}, {17, 10000, 0, 0, 10001},
                 {13, 5000, 0, 0, 44818}, {20, 5000, 0, 0, 44818}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        CompilerProject project(c.type);
        Image expected = ResetGenBlock();
        expected.U16(52, c.port52).U8(96, c.mode96).U8(99, c.mode99).U16(54, c.port54).U16(56, c.port54);
        if (c.type == 20)
            expected.U32(424, 0x68800).U32(428, 0x6B800);   // set by the trap table reader
        expected.Sum();
        EXPECT_IMAGE(project.BuildFile("bank.bin").left(2048), expected.Bytes());
    }
}

TEST(ProfinetSnmp, ImageIsTheBlockThenTheTrapTables)
{
    CompilerProject project(20);
    project.WriteParGen(ParGenXml({
        {"PROFINET_NB_IN", "100"}, {"PROFINET_NB_OUT", "200"},
        {"SNMP_IP1", "10"}, {"SNMP_GAT1", "10"}, {"SNMP_EN_GAT", "1"},
        {"SNMP_Name_of_Station", "agent"}, {"SNMP_Contact", "ops"}, {"SNMP_Location", "hall 2"},
        {"SNMP_VERSION1", "1"},
    }));
    const QByteArray bank = project.BuildFile("bank.bin");
    ASSERT_EQ(bank.size(), 26624);
    EXPECT_EQ(ReadU32(bank, 2044), BlockSum(bank));
    EXPECT_EQ(ReadU32(bank, 116), 1024u);
    EXPECT_EQ(ReadU32(bank, 120), 1024u);
    EXPECT_EQ(bank.mid(304, 12), QByteArray::fromHex("0aa8000affffff000aa80001"));
    EXPECT_EQ(bank.mid(440, 48), QByteArray("agent").append(11, '\0') + QByteArray("ops").append(13, '\0')
                                     + QByteArray("hall 2").append(10, '\0'));
    EXPECT_EQ(bank.mid(80, 11), QByteArray("devicename1"));
    EXPECT_EQ(ReadU32(bank, 432), 1u);
    EXPECT_EQ(ReadU32(bank, 356), 0u);
    EXPECT_EQ(ReadU32(bank, 416), 0u);
    EXPECT_EQ(ReadU32(bank, 420), 0u);
    EXPECT_EQ(ReadU32(bank, 424), 0x68800u);
    EXPECT_EQ(ReadU32(bank, 428), 0x6B800u);
    EXPECT_EQ(bank.mid(2048), QByteArray(24576, '\0'));
}

TEST(ProfinetSnmp, SnmpInterfaceFourthOctetDefaults)
{
    const struct
    {
        const char* ip4;   // nullptr: missing
        unsigned expected;
    } cases[] = {{nullptr, 10}, {"x", 5}, {"33", 33}};
    for (const auto& c : cases) {
        CompilerProject project(20);
        project.WriteParGen(c.ip4 ? ParGenXml({{"SNMP_IP4", c.ip4}}) : ParGenXml({}));
        const QByteArray bank = project.BuildFile("bank.bin");
        EXPECT_EQ(ReadU8(bank, 307), c.expected) << (c.ip4 ? c.ip4 : "(missing)");
        EXPECT_EQ(bank.mid(440, 10), QByteArray("snmpname1").append('\0'));
    }
}

TEST(ProfinetSnmp, AgentSettings)
{
    const struct
    {
        Elements elements;
        uint32_t flags;
        QByteArray user, auth, privacy;   // 488..507, 508..523, 524..539 (trailing zeros implied)
    } cases[] = {
        {{{"SNMP_VERSION3", "1"}, {"SNMP_VER3_SECURITY_LEVEL", "Auth Priv"}, {"SNMP_VER3_AUTHORITY_MODE", "SHA"},
          {"SNMP_VER3_PRIVACY_MODE", "AES"}, {"SNMP_VER3_PRIVACY_HEX", "1"}, {"SNMP_VER3_PRIVACY", "0aFf10"},
          {"SNMP_VER3_USER", "admin"}, {"SNMP_VER3_AUTHORITY", "authpass"}},
         0x2B4, "admin", "authpass", QByteArray::fromHex("0aff10")},
        {{{"SNMP_VERSION3", "1"}, {"SNMP_VER3_SECURITY_LEVEL", "AUTH PRIV"}, {"SNMP_VER3_AUTHORITY_MODE", "sha"},
          {"SNMP_VER3_PRIVACY_MODE", "aes"}, {"SNMP_VER3_PRIVACY_HEX", "1"}, {"SNMP_VER3_PRIVACY", "0aFf10c"}},
         0x2B4, "", "", QByteArray::fromHex("0aff10")},                                   // odd last digit dropped
        {{{"SNMP_VERSION3", "1"}, {"SNMP_VER3_SECURITY_LEVEL", "Auth Priv"}, {"SNMP_VER3_PRIVACY_MODE", "AES"},
          {"SNMP_VER3_PRIVACY_HEX", "1"}, {"SNMP_VER3_PRIVACY", "zz41"}},
         0x274, "", "", QByteArray::fromHex("0041")},                                     // a bad pair gives 0
        {{{"SNMP_VERSION3", "1"}, {"SNMP_VER3_SECURITY_LEVEL", "Auth Priv"}, {"SNMP_VER3_PRIVACY_MODE", "DES"},
          {"SNMP_VER3_PRIVACY_HEX", "1"}, {"SNMP_VER3_PRIVACY", "0aff"}},
         0x174, "", "", "0aff"},                                                          // DES: characters
        {{{"SNMP_VERSION3", "1"}, {"SNMP_VER3_SECURITY_LEVEL", "Auth NoPriv"}, {"SNMP_VER3_AUTHORITY", "a"},
          {"SNMP_VER3_PRIVACY", "p"}},
         0x54, "", "a", ""},                                                              // MD5, no privacy
        {{{"SNMP_VERSION3", "1"}, {"SNMP_VER3_USER", "u"}, {"SNMP_VER3_AUTHORITY", "a"}}, 0x4, "u", "", ""},
        {{{"SNMP_VERSION2", "1"}, {"SNMP_VER3_USER", "u"}, {"SNMP_VER3_SECURITY_LEVEL", "Auth Priv"}}, 0x2, "", "",
         ""},
        {{{"SNMP_VERSION1", "1"}, {"SNMP_VERSION2", "1"}, {"SNMP_VERSION3", " 1"}}, 0x3, "", "", ""},
        {{{"SNMP_VERSION3", "1"}, {"SNMP_VER3_USER", "abcdefghijklmnopqrstuvwxyz"}}, 0x4, "abcdefghijklmnopqrst", "",
         ""},                                                                             // cut at 20
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ParGenXml(c.elements).toStdString());
        CompilerProject project(20);
        project.WriteParGen(ParGenXml(c.elements));
        const QByteArray bank = project.BuildFile("bank.bin");
        EXPECT_EQ(ReadU32(bank, 432), c.flags);
        EXPECT_EQ(bank.mid(488, 20), QByteArray(c.user).append(20 - c.user.size(), '\0'));
        EXPECT_EQ(bank.mid(508, 16), QByteArray(c.auth).append(16 - c.auth.size(), '\0'));
        EXPECT_EQ(bank.mid(524, 16), QByteArray(c.privacy).append(16 - c.privacy.size(), '\0'));
    }
}

} // namespace
