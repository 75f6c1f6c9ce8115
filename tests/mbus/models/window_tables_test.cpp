// The SNMP values table (rows, checks, copy back) and the checks of the scan
// option dialogs, as tables of cases.
#include "mbus/models/scan_checks.h"
#include "mbus/models/snmp_values.h"

#include "program_folder.h"

#include <gtest/gtest.h>

using namespace mbus;

namespace {

TNodo TwoValueNode()
{
    TNodo n;
    n.Enable = true;
    n.Description = QStringLiteral("Heat");
    n.Node_ID_Primary = 4;
    n.Node_ID_Secondary = 12345678;
    n.Node_ID_Type = 1;
    n.Node_State = n.Ident_Num = 1;
    n.NS_Desc = QStringLiteral("given");
    n.IN_OnTimer = true;
    n.IN_Timer = 500;
    for (const char* d : {"Energy", "Off", "Volume"}) {
        TVariabile v;
        v.Enable = QLatin1String(d) != QLatin1String("Off");
        v.Description = QString::fromLatin1(d);
        n.Var_List.push_back(v);
    }
    n.Var_List[2].Var_IP_Add = QStringLiteral("10.0.0.1");
    return n;
}

SnmpRow GoodRow(const QString& desc)
{
    return {"1", "0", "0", "n", "v", "Comm1", "String", "N", "N", "0", "20", desc, "192.168.1.125", ""};
}

} // namespace

TEST(SnmpValues, RowsOfEnabledNodesAndValuesInOrder)
{
    TNodo off = TwoValueNode();
    off.Enable = false;
    TNodo primary = TwoValueNode();
    primary.Node_ID_Type = 0;
    primary.Node_State = primary.Ident_Num = 0;
    const auto rows = Populate_SNMP_Table({TwoValueNode(), off, primary});
    const QStringList expected = {
        "1|0|-1|ID Sec : 12345678 - Heat|Node State||String|N|N|0|3|given||",
        "2|0|-2|ID Sec : 12345678 - Heat|Identification Number||String|N|Y|500|8|HeatIdentNum||",
        "3|0|0|ID Sec : 12345678 - Heat|Energy||String|N|N|0|20|HeatEnergy||",
        "4|0|2|ID Sec : 12345678 - Heat|Volume||String|N|N|0|20|HeatVolume|10.0.0.1|",
        "5|2|0|ID Pri : 4 - Heat|Energy||String|N|N|0|20|HeatEnergy||",
        "6|2|2|ID Pri : 4 - Heat|Volume||String|N|N|0|20|HeatVolume|10.0.0.1|",
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].join('|'), expected[i]);

    const auto none = Populate_SNMP_Table({off});
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].join(QString()), QString());
}

TEST(SnmpValues, ChecksStopAtTheFirstBadRow)
{
    TempProgramFolder folder(21);
    struct Case
    {
        const char* what;
        int column;
        const char* value;
        const char* message;
    } cases[] = {
        {"good", 5, "Comm1", ""},
        {"empty community passes", 5, "", ""},
        {"community with a blank", 5, "a b", "Error row 2!! Community Name is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")"},
        {"timer unticked is not checked", 9, "x", ""},
        {"description upper-case first", 11, "Abc", "Error row 2!! Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")"},
        {"description digit first", 11, "1abc", "Error row 2!! Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")"},
        {"empty description passes", 11, "", ""},
        {"empty address", 12, "", "Error row 2!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"octet over 255", 12, "1.2.3.256", "Error row 2!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"duplicate description", 11, "first", "Error!! The Descriptions must be all differents"},
    };
    for (const Case& c : cases) {
        std::vector<SnmpRow> rows = {GoodRow("first"), GoodRow("second"), GoodRow("third")};
        rows[1][c.column] = QString::fromLatin1(c.value);
        EXPECT_EQ(Controllo_dati(rows), QString::fromUtf8(c.message)) << c.what;
    }
    struct Timer
    {
        const char* ticked;
        const char* time;
        bool ok;
    } timers[] = {{"Y", "1", true}, {"y", "1000000000", true}, {"Y", "0", false},
                  {"Y", "1000000001", false}, {"y", "", false}, {"N", "", true}};
    for (const Timer& t : timers) {
        std::vector<SnmpRow> rows = {GoodRow("a")};
        rows[0][8] = QString::fromLatin1(t.ticked);
        rows[0][9] = QString::fromLatin1(t.time);
        EXPECT_EQ(Controllo_dati(rows).isEmpty(), t.ok) << t.ticked << " " << t.time;
    }
    // The one blank row of an empty table fails on its address.
    EXPECT_TRUE(Controllo_dati(Populate_SNMP_Table({})).endsWith("(Ex. 192.168.1.125)"));
}

TEST(SnmpValues, CopyBackUsesRowsThatNameANodeAndValue)
{
    Network net = {TwoValueNode()};
    auto rows = Populate_SNMP_Table(net);
    rows[0][5] = QStringLiteral("ns");
    rows[0][7] = QStringLiteral("Y");      // hidden "On Change"
    rows[1][8] = QStringLiteral("y");      // only "Y" exactly ticks
    rows[1][9] = QStringLiteral("x");
    rows[2][11] = QStringLiteral("energy");
    rows[2][6] = QStringLiteral("Int");    // not copied
    rows[3][13] = QStringLiteral("mn");
    SnmpRow stray = rows[3];
    stray[1] = QStringLiteral("1");        // no such node
    stray[13] = QStringLiteral("lost");
    SnmpRow badVar = rows[3];
    badVar[2] = QStringLiteral("1");       // the disabled value is valid too
    badVar[13] = QStringLiteral("off");
    SnmpRow text = rows[3];
    text[2] = QStringLiteral("x");
    text[13] = QStringLiteral("lost");
    rows.push_back(stray);
    rows.push_back(badVar);
    rows.push_back(text);
    Copy_SNMP_Values(rows, net);
    const TNodo& n = net[0];
    EXPECT_EQ(n.NS_CommName, QStringLiteral("ns"));
    EXPECT_TRUE(n.NS_OnChange);
    EXPECT_EQ(n.NS_Desc, QStringLiteral("given"));
    EXPECT_FALSE(n.IN_OnTimer);
    EXPECT_EQ(n.IN_Timer, 0);
    EXPECT_EQ(n.IN_Desc, QStringLiteral("HeatIdentNum"));
    EXPECT_EQ(n.Var_List[0].Var_Desc, QStringLiteral("energy"));
    EXPECT_EQ(n.Var_List[1].Var_Mnemonic, QStringLiteral("off"));
    EXPECT_EQ(n.Var_List[2].Var_Mnemonic, QStringLiteral("mn"));
}

TEST(ScanDialogs, KeyChecksAndBytes)
{
    TempProgramFolder folder(10);
    const QString k32 = QStringLiteral("00112233445566778899AABBCCDDEEFF");
    struct Case
    {
        QString key;
        const char* message;
    } cases[] = {
        {k32, ""},
        {k32.left(31), "Error!! The Key must contain 16 bytes (32 characters in HEX)"},
        {k32 + "0", "Error!! The Key must contain 16 bytes (32 characters in HEX)"},
        {QString(), "Error!! The Key must contain 16 bytes (32 characters in HEX)"},
        {k32.left(31) + "G", "Error!! Acceptable characters are from 0 to 9 and from A to F"},
        {k32.left(31) + "f", "Error!! Acceptable characters are from 0 to 9 and from A to F"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check_Key(c.key), QString::fromLatin1(c.message)) << c.key.toStdString();
    const auto bytes = Key_Bytes(k32);
    EXPECT_EQ(bytes[0], 0x00);
    EXPECT_EQ(bytes[1], 0x11);
    EXPECT_EQ(bytes[15], 0xFF);
}

TEST(ScanDialogs, StartRegisterAndAddressRanges)
{
    TempProgramFolder folder(10);
    const QString reg = QStringLiteral("Error!! The Star Modbus Address must be between 1 and 65535");
    struct Case
    {
        const char* text;
        bool ok;
    } cases[] = {{"0", false}, {"1", true}, {"65535", true}, {"65536", false}, {"", false}, {"a", false}};
    for (const Case& c : cases) {
        int32_t v = -7;
        const QString m = Check_Start_Register(QString::fromLatin1(c.text), v);
        EXPECT_EQ(m.isEmpty(), c.ok) << c.text;
        EXPECT_EQ(v, c.ok ? QString::fromLatin1(c.text).toInt() : -7) << c.text;
        if (!c.ok) {
            EXPECT_EQ(m, reg);
        }
    }
    EXPECT_EQ(Check_Start_Addresses({}), QString());
    EXPECT_EQ(Check_Start_Addresses({"1", "59999"}), QString());
    EXPECT_EQ(Check_Start_Addresses({"1", "2", "60000"}),
              QStringLiteral("Error row 3!! Modbus Start Address must be between 1 and 59999"));
    EXPECT_EQ(Check_Start_Addresses({"0", ""}), QStringLiteral("Error row 1!! Modbus Start Address must be between 1 and 59999"));
    EXPECT_EQ(Check_Start_Addresses({"5", ""}), QStringLiteral("Error row 2!! Modbus Start Address cannot be empty"));
    EXPECT_EQ(Start_Address_Row_Wired(3, QStringLiteral("12345678")), QStringLiteral("3 - 12345678"));
}
