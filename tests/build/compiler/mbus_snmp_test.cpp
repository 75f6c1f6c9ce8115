// The SNMP records of the M-Bus / SNMP agent model (21) in bank3.bin, and
// the SNMP fields of its parameter block.
#include "mbus_fixture.h"

#include <QDir>

namespace {

// Meter 1: state, identification and two used values; meter 2 disabled;
// meter 3: state and identification but no used value; meter 4: state and
// one value whose address is empty, after records that had addresses.
const QByteArray kNetwork = MBusNetworkXml({
    Meter("Node_State=\"1\" Ident_Num=\"1\" NS_Community_Name=\"state-community\" NS_OnTimer=\"1\" "
          "NS_Timer=\"1000\" NS_Desc=\"meter state\" NS_IP_Add=\"10.0.0.1\" IN_Community_Name=\"public\" "
          "IN_OnTimer=\"0\" IN_Timer=\"7\" IN_Desc=\"ident\" NS_OnChange=\"1\"",
          {
              Value32("Var_OnTimer=\"1\" Var_Timer=\"5000\" Var_Community_Name=\"public\" "
                      "Var_Desc=\"a description of 20\" Var_IP_Add=\"192.168.1.20\" Var_OnChange=\"1\""),
              Value("Enable=\"0\""),
              Value32("Var_Community_Name=\"sixteen-chars-xx\""),
          }),
    Meter("Enable_Node=\"0\" Node_State=\"1\"", {Value32()}),
    Meter("Node_State=\"1\" Ident_Num=\"1\"", {Value("Enable=\"0\" Type=\"0\" Fun_Field=\"0\" Dim=\"0\"")}),
    Meter("Node_Enable=\"1\" Node_State=\"1\" NS_IP_Add=\"1.2.3.4\"", {Value32("Var_IP_Add=\"\"")}),
});

// A record built by offsets.
QByteArray Record(unsigned position, unsigned bits, unsigned flags, uint32_t timer, const char* community,
                  const char* description, unsigned a, unsigned b, unsigned c, unsigned d)
{
    Image r(48);
    r.U16(0, position).U16(4, bits).U8(7, flags).U32(8, timer).Text(12, community).Text(28, description);
    r.Octets(44, d, c, b, a);
    return r.Bytes();
}

TEST(MBusSnmp, RecordsByteForByte)
{
    CompilerProject project(21);
    project.WriteParGen(MBusParGenXml({{"Working_mode", "0"}}));
    project.WriteFile(File_M_Bus, kNetwork);
    const auto files = project.Build();

    const QByteArray expected = Record(0, 24, 4, 1000, "state-community", "meter state", 10, 0, 0, 1)
                                + Record(3, 64, 0, 7, "public", "ident", 0, 0, 0, 0)
                                + Record(11, 160, 4, 5000, "public", "a description o", 192, 168, 1, 20)
                                + Record(31, 160, 0, 0, "sixteen-chars-x", "", 0, 0, 0, 0)
                                + Record(51, 24, 0, 0, "", "", 1, 2, 3, 4)
                                + Record(54, 160, 0, 0, "", "", 0, 0, 0, 0);
    EXPECT_IMAGE(files["bank3.bin"], expected);

    const QByteArray p = files["bank1.bin"];
    EXPECT_EQ(ReadU32(p, 760), 6u);
    EXPECT_EQ(ReadU32(p, 764), 0u);
    EXPECT_EQ(ReadU32(p, 768), 0x80000u);
    EXPECT_EQ(ReadU32(p, 772), 0x80000u);
    EXPECT_EQ(ReadU32(p, 2044), BlockSum(p));
}

TEST(MBusSnmp, PositionsRunOnFromMeterToMeter)
{
    const QByteArray meter = Meter("Node_State=\"1\" Ident_Num=\"1\"", {Value32(), Value32()});
    const struct
    {
        const char* mode;   // nullptr: no ParGen.xml
        unsigned positions[8];
    } cases[] = {
        {"0", {0, 3, 11, 31, 51, 54, 62, 82}},
        {"1", {4, 7, 15, 35, 55, 58, 66, 86}},
        {nullptr, {0, 3, 11, 31, 51, 54, 62, 82}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode ? c.mode : "no ParGen.xml");
        CompilerProject project(21);
        if (c.mode)
            project.WriteParGen(MBusParGenXml({{"Working_mode", c.mode}}));
        project.WriteFile(File_M_Bus, MBusNetworkXml({meter, meter}));
        const QByteArray t = project.BuildFile("bank3.bin");
        ASSERT_EQ(t.size(), 8 * 48);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(ReadU16(t, 48 * i), c.positions[i]) << i;
    }
}

TEST(MBusSnmp, ParameterBlockSnmpFields)
{
    const struct
    {
        ParGenElements pg;
        uint32_t flags;
        QByteArray user, auth, privacy;
    } cases[] = {
        {{{"SNMP_VERSION1", "1"}, {"SNMP_VERSION2", "1"}, {"SNMP_VERSION3", "1"}, {"SNMP_VER3_USER", "operator"},
          {"SNMP_VER3_SECURITY_LEVEL", "AUTH PRIV"}, {"SNMP_VER3_AUTHORITY", "authpass"},
          {"SNMP_VER3_AUTHORITY_MODE", "SHA"}, {"SNMP_VER3_PRIVACY", "00112233445566778"},
          {"SNMP_VER3_PRIVACY_MODE", "AES"}, {"SNMP_VER3_PRIVACY_HEX", "1"}},
         1 + 2 + 692, "operator", "authpass", QByteArray::fromHex("0011223344556677")},
        {{{"SNMP_VERSION3", "1"}, {"SNMP_VER3_USER", "u"}, {"SNMP_VER3_SECURITY_LEVEL", "AUTH PRIV"},
          {"SNMP_VER3_AUTHORITY", "a"}, {"SNMP_VER3_PRIVACY", "0011"}, {"SNMP_VER3_PRIVACY_HEX", "1"}},
         4 + 16 + 32 + 64 + 256, "u", "a", "0011"},   // DES: the text as it is
        {{{"SNMP_VERSION1", "1"}, {"SNMP_VER3_USER", "u"}, {"SNMP_VER3_SECURITY_LEVEL", "AUTH PRIV"}}, 1, "", "",
         ""},
        {{}, 0, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        CompilerProject project(21);
        project.WriteParGen(MBusParGenXml(c.pg));
        const QByteArray p = project.BuildFile("bank1.bin");
        EXPECT_EQ(ReadU32(p, 776), c.flags);
        EXPECT_EQ(p.mid(780, 20), c.user + QByteArray(20 - c.user.size(), '\0'));
        EXPECT_EQ(p.mid(800, 16), c.auth + QByteArray(16 - c.auth.size(), '\0'));
        EXPECT_EQ(p.mid(816, 16), c.privacy + QByteArray(16 - c.privacy.size(), '\0'));
    }
    // Type 10 has no SNMP agent.
    CompilerProject project(10);
    project.WriteParGen(MBusParGenXml(cases[0].pg));
    project.WriteFile(File_M_Bus, kNetwork);
    const auto files = project.Build();
    EXPECT_EQ(files["bank1.bin"].mid(760, 108), QByteArray(108, '\0'));
    EXPECT_TRUE(files["bank3.bin"].isEmpty());
}

TEST(MBusSnmp, NetworkWithoutUsedValuesGivesAnEmptyTable)
{
    CompilerProject project(21);
    project.WriteFile(File_M_Bus, MBusNetworkXml({Meter("Node_State=\"1\" Ident_Num=\"1\"", {Value("")})}));
    const auto files = project.Build();
    EXPECT_TRUE(files["bank3.bin"].isEmpty());
    EXPECT_EQ(ReadU32(files["bank1.bin"], 760), 0u);
    EXPECT_EQ(ReadU32(files["bank1.bin"], 768), 0x80000u);
}

QByteArray Values(int n)
{
    QByteArray x = "<Nodo>";
    for (int i = 0; i < n; ++i)
        x += Value("Enable=\"1\" Type=\"0\" Fun_Field=\"0\" Dim=\"0\"");
    return x + "</Nodo>";
}

TEST(MBusSnmp, MoreRecordsThanTheTableHoldsStopTheBuild)
{
    {
        CompilerProject project(21);
        project.WriteFile(File_M_Bus, MBusNetworkXml({Values(2048)}));
        EXPECT_EQ(project.BuildFile("bank3.bin").size(), 2048 * 48);
    }
    CompilerProject project(21);
    project.WriteFile(File_M_Bus, MBusNetworkXml({Values(2000), "<Nodo Node_State=\"1\">" + Values(48).mid(6)}));
    const QString error = BuildError();
    EXPECT_TRUE(error.contains(File_M_Bus)) << error.toStdString();
    EXPECT_TRUE(error.contains("2048")) << error.toStdString();
    EXPECT_FALSE(Build_And_Save_Banks(nullptr));
    EXPECT_TRUE(QDir(ProjectPath + "/bin").entryList(QDir::Files).isEmpty());
}

} // namespace
