// The checks OK runs: every family in its fixed order, exact messages,
// computed limits, and only values the user can see.
#include "language.h"
#include "par_gen_codec.h"
#include "par_gen_fixture.h"
#include "par_gen_validation.h"
#include "par_gen_values.h"

#include <QCheckBox>
#include <QComboBox>

using namespace pargen_test;

namespace {

// The values of a new project of the type.
ParGenValueMap NewProject(int type)
{
    ParGenValueMap values;
    for (const ParGenAssignment& a : ParGenLoadAssignments(nullptr, type))
        values.SetValue(a.control, a.value);
    return values;
}

struct Case
{
    int type;
    QList<std::pair<QString, QString>> values;
    int text;             // 0: every check passes
    QString limit = {};   // appended to the text
    int polls = 0;
};

QString Expected(const Case& c)
{
    return c.text ? Lang(c.text) + c.limit : QString();
}

} // namespace

TEST(ParGenValidation, NewProjectsOfEveryModelPass)
{
    TempProgramFolder folder(0);
    for (int type : kAllTypes)
        EXPECT_EQ(ParGenFirstError(type, NewProject(type), 0), QString()) << type;
}

TEST(ParGenValidation, FirstFailingCheck)
{
    TempProgramFolder folder(0);
    const Case cases[] = {
        // Network box addresses: an octet is 0..255, text that is no number counts as -1.
        {29, {{"E_IP1", ""}}, 152},
        {29, {{"E_IP1", "256"}}, 152},
        {29, {{"E_IP1", "255"}, {"E_IP4", "0"}}, 0},
        {29, {{"E_SM3", "x"}}, 158},
        {29, {{"E_GAT1", "999"}}, 0},
        {29, {{"CB_EN_GAT", "1"}, {"E_GAT1", "999"}}, 160},
        {29, {{"CB_EN_GAT", "1"}, {"E_GAT4", "-1"}}, 163},
        {18, {{"E_IP2", "300"}}, 866},
        {23, {{"CB_EN_GAT", "1"}, {"E_GAT4", "256"}}, 876},
        // Port.
        {29, {{"E_PORT", "1"}}, 165},
        {0, {{"E_PORT", "34964"}}, 164},
        {0, {{"E_PORT", "5001"}}, 0},
        {4, {{"E_PORT", "0"}}, 164},
        {25, {{"E_PORT", "65536"}}, 164},
        {15, {{"E_PORT", "10000"}}, 877},
        {18, {{"E_PORT", "1"}}, 0},
        // CAN, DeviceNet, PROFIBUS.
        {0, {{"E_NB_IN_PROFINET", "0"}}, 166},
        {27, {{"E_NB_OUT_PROFINET", "1440"}}, 167},
        {1, {{"E_NB_OUT_PROFINET", "100"}, {"CB_PROFINET_En_Diagnostic", "1"}, {"E_PROFINET_Diagnostic_Address", "93"}}, 712, "92"},
        {1, {{"E_NB_OUT_PROFINET", "100"}, {"CB_PROFINET_En_Diagnostic", "1"}, {"E_PROFINET_Diagnostic_Address", "92"}}, 0},
        {1, {{"E_NB_OUT_PROFINET", "5"}, {"CB_PROFINET_En_Diagnostic", "1"}, {"E_PROFINET_Diagnostic_Address", "0"}}, 712, "-3"},
        {1, {{"E_PROFINET_Diagnostic_Address", "9999"}, {"E_ID_DNET_Master", "64"}}, 168},
        {2, {{"E_ID_DNET_Slave", "64"}}, 169},
        {2, {{"E_NB_IN_DNET_Slave", "456"}}, 170},
        {2, {{"E_NB_OUT_DNET_Slave", ""}}, 171},
        {3, {{"E_ID_DEV_PROFI_Slave", "0"}}, 172},
        {23, {{"E_B_IN_PROFI_Slave", "245"}}, 173},
        {3, {{"E_B_OUT_PROFI_Slave", "-1"}}, 174},
        // Modbus master: the baud rate on RS232 comes before the time-out.
        {4, {{"CB_Baud_Modbus_Master", "9"}, {"E_TO_Modbus_Master", "abc"}}, 967},
        {4, {{"CB_Serial_Modbus_Master", "1"}, {"CB_Baud_Modbus_Master", "9"}, {"E_TO_Modbus_Master", "abc"}}, 175},
        {1018, {{"CB_Baud_Modbus_Master", "10"}}, 967},
        {18, {{"E_CD_Modbus_Master", "10001"}}, 176},
        {4, {{"E_NB_IN_PROFINET", "0"}}, 166},
        {25, {{"CB_PROFINET_En_Diagnostic", "1"}, {"E_PROFINET_Diagnostic_Address", "512"}}, 712, "511"},
        {4, {{"CB_PROFINET_En_Modbus_Poll", "1"}, {"E_PROFINET_ModPolls_Address", "511"}}, 958, "510", 2},
        {4, {{"CB_PROFINET_En_Modbus_Poll", "1"}, {"E_PROFINET_ModPolls_Address", "510"}}, 0, {}, 2},
        {4, {{"CB_Stop_Modbus_Master", "1"}, {"CB_Par_Modbus_Master", "2"}}, 960},
        {4, {{"CB_Stop_Modbus_Master", "1"}, {"CB_Par_Modbus_Master", "0"}}, 0},
        {18, {{"CB_Stop_Modbus_Master", "1"}, {"CB_Par_Modbus_Master", "2"}}, 0},
        // Modbus slave, J1939, NMEA 2000.
        {5, {{"E_ID_Modbus_Slave", "248"}}, 177},
        {26, {{"E_NB_OUT_PROFINET", "0"}}, 167},
        {16, {{"E_ID_Modbus_Slave", "0"}}, 177},
        {6, {{"E_TO_J1939", "100001"}}, 178},
        {14, {{"E_J1939_DeviceID", "256"}}, 998},
        {28, {{"E_TO_NMEA2000", "-5"}}, 179},
        // CANopen.
        {8, {{"E_NB_OUT_PROFINET", "100"}, {"CB_PROFINET_CANopen_CMD", "1"}, {"E_PROFINET_CANopen_CMD", "87"}}, 976, "86"},
        {24, {{"CB_PROFINET_CANopen_CMD", "1"}, {"E_PROFINET_CANopen_CMD", "99999"}}, 0},
        {8, {{"E_ID_CANopen", "0"}}, 180},
        {8, {{"CB_Net_Ope_CANopen", "1"}, {"E_NO_Delay_CANopen", "256"}}, 181},
        {8, {{"E_NO_Delay_CANopen", "256"}}, 0},
        {24, {{"E_SDO_TO_CANopen", "100001"}}, 182},
        {8, {{"CB_CANopen_En_Sync", "1"}, {"E_CANopen_Sync_Time", "0"}}, 905},
        {8, {{"CB_CANopen_En_TSDO", "1"}, {"E_NB_IN_PROFINET", "9"}}, 993},
        {8, {{"CB_CANopen_En_TSDO", "1"}, {"E_NB_IN_PROFINET", "20"}, {"E_CANopen_TSDO_Add_In", "10"}}, 0},
        {8, {{"CB_CANopen_En_TSDO", "1"}, {"E_NB_IN_PROFINET", "20"}, {"E_CANopen_TSDO_Add_In", "11"}}, 994, "10"},
        {24, {{"CB_CANopen_En_TSDO", "1"}, {"E_NB_OUT_PROFINET", "4"}}, 995},
        {24, {{"CB_CANopen_En_TSDO", "1"}, {"E_NB_OUT_PROFINET", "20"}, {"E_CANopen_TSDO_Add_Out", "16"}}, 996, "15"},
        // Serial, M-Bus.
        {9, {{"E_NB_IN_PROFINET", "501"}}, 183},
        {9, {{"E_NB_OUT_PROFINET", "0"}}, 184},
        {10, {{"E_NB_OUT_PROFINET", "1440"}}, 167},
        {21, {{"E_NB_OUT_PROFINET", "5000"}}, 0},
        {10, {{"E_CD_Mbus", "864001"}}, 185},
        {21, {{"E_NSE_MBus", "256"}}, 186},
        // Modbus TCP master and slave.
        {11, {{"E_TO_Modbus_TCP_Master", "100001"}}, 651},
        {19, {{"E_CD_Modbus_TCP_Master", "10001"}}, 652},
        {11, {{"E_NB_IN_PROFINET", "0"}}, 166},
        {11, {{"E_IP1_Modbus_TCP_Master", "300"}}, 719},
        {19, {{"E_SM1_Modbus_TCP_Master", "x"}}, 723},
        {11, {{"CB_En_GAT_Modbus_TCP_Master", "1"}, {"E_GAT4_Modbus_TCP_Master", "300"}}, 730},
        {12, {{"E_Port_Modbus_TCP_Slave", "34964"}}, 653, "34964"},
        {12, {{"E_Port_Modbus_TCP_Slave", "10000"}}, 653, "34964"},
        {12, {{"E_Port_Modbus_TCP_Slave", "0"}}, 0},
        {17, {{"E_Port_Modbus_TCP_Slave", "65536"}}, 653, "34964"},
        {12, {{"E_NB_OUT_PROFINET", "0"}}, 167},
        {17, {{"E_IP3_Modbus_TCP_Slave", "256"}}, 733},
        // EtherNet/IP.
        {13, {{"E_NB_IN_PROFINET", "497"}}, 885},
        {13, {{"E_NB_OUT_PROFINET", "0"}}, 886},
        {13, {{"E_EIP_IP4", "256"}}, 890},
        // SNMP box of type 20.
        {20, {{"E_NB_IN_PROFINET", "1439"}}, 922},
        {20, {{"E_NB_OUT_PROFINET", "1024"}}, 923},
        {20, {{"E_SNMP_IP1", "256"}}, 924},
        {20, {{"CB_SNMP_Secure_Lev", "2"}, {"E_SNMP_Priv_Pass", "0123456789abcdef"}}, 1803},
        {20, {{"CB_SNMP_Secure_Lev", "2"}, {"E_SNMP_Priv_Pass", "0123456789abcde"}}, 0},
        // DMX.
        {29, {{"E_DMX_Num_Channel", "512"}}, 0},
        {22, {{"E_DMX_Num_Channel", "0"}}, 939},
        {29, {{"E_DMX_Num_Channel", "513"}}, 939},
        // SNMPv3 privacy password of the network box (version 3, Auth Priv).
        {15, {{"CB_PROFI_SNMP_Secure_Lev", "2"}, {"CB_PROFI_SNMP_Priv_Pass_Hex", "1"}, {"E_PROFI_SNMP_Priv_Pass", "ABC"}}, 1801},
        {15, {{"CB_PROFI_SNMP_Secure_Lev", "2"}, {"CB_PROFI_SNMP_Priv_Pass_Hex", "1"}, {"E_PROFI_SNMP_Priv_Pass", " ab1 "}}, 1801},
        {15, {{"CB_PROFI_SNMP_Secure_Lev", "2"}, {"CB_PROFI_SNMP_Priv_Pass_Hex", "1"}, {"E_PROFI_SNMP_Priv_Pass", "ABCG"}}, 1802},
        {15, {{"CB_PROFI_SNMP_Secure_Lev", "2"}, {"CB_PROFI_SNMP_Priv_Pass_Hex", "1"}, {"E_PROFI_SNMP_Priv_Pass", "A1b2"}}, 0},
        {19, {{"CB_PROFI_SNMP_Secure_Lev", "2"}, {"E_PROFI_SNMP_Priv_Pass", "0123456789abcdef"}}, 1803},
        {19, {{"CB_PROFI_SNMP_Secure_Lev", "2"}, {"E_PROFI_SNMP_Priv_Pass", " 0123456789abcde\t"}}, 0},
        {19, {{"CB_PROFI_SNMP_Secure_Lev", "1"}, {"E_PROFI_SNMP_Priv_Pass", "0123456789abcdef"}}, 0},
        {19, {{"CB_PROFI_SNMP_Version", "1"}, {"CB_PROFI_SNMP_Secure_Lev", "2"}, {"E_PROFI_SNMP_Priv_Pass", "0123456789abcdef"}}, 0},
        // The password comes before the port.
        {15, {{"CB_PROFI_SNMP_Secure_Lev", "2"}, {"E_PROFI_SNMP_Priv_Pass", "0123456789abcdef"}, {"E_PORT", "0"}}, 1803},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", first value " << (c.values.isEmpty() ? std::string() : c.values.front().first.toStdString()));
        ParGenValueMap values = NewProject(c.type);
        for (const auto& [control, value] : c.values)
            values.SetValue(control, value);
        EXPECT_EQ(ParGenFirstError(c.type, values, c.polls), Expected(c));
    }
}

TEST(ParGenValidation, HexPassword)
{
    EXPECT_TRUE(check_Hex_Privacy_Pass(""));
    EXPECT_TRUE(check_Hex_Privacy_Pass("09AFaf"));
    EXPECT_FALSE(check_Hex_Privacy_Pass("0g"));
    EXPECT_FALSE(check_Hex_Privacy_Pass(" 1"));
}

// Through the window: the first failure's message, nothing written, the
// window stays open; a password the user cannot see does not block OK.
TEST(ParGenValidation, WindowChecksWhatTheUserSees)
{
    {
        TempProgramFolder folder(4);
        folder.OpenProject();
        WriteParGen(ParGenXml({{"MODBUS_MASTER_BAUDRATE", "9"}, {"MODBUS_MASTER_TIMEOUT", "abc"}}));
        const QByteArray before = ReadFile(File_ParGen);
        MessageRecorder messages;
        TFParGen w;
        EXPECT_EQ(RunShown(w, [&] {
                      ClickOK(w);
                      EXPECT_TRUE(w.isVisible());
                      ClickOK(w);
                  }),
                  QDialog::Rejected);
        EXPECT_EQ(messages.Texts(), QStringList({Lang(967), Lang(967)}));
        EXPECT_EQ(ReadFile(File_ParGen), before);
    }
    const QList<std::pair<QString, QString>> longPassword = {
        {"SNMP_VERSION3", "1"}, {"SNMP_VER3_SECURITY_LEVEL", "Auth Priv"}, {"SNMP_VER3_PRIVACY", "0123456789abcdefXYZ"}};
    struct Case
    {
        int type;
        QList<std::pair<QString, QString>> more;
        bool blocked;
    };
    const Case cases[] = {
        {16, {{"SNMP_MapType", "0"}}, false},   // Fixed Map hides the SNMP rows
        {16, {{"SNMP_MapType", "1"}}, true},
        {23, {}, false},                        // type 23 never shows them
        {15, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        WriteParGen(ParGenXml(longPassword + c.more));
        MessageRecorder messages;
        TFParGen w;
        const int result = RunShown(w, [&] { ClickOK(w); });
        if (c.blocked) {
            EXPECT_EQ(result, QDialog::Rejected);
            EXPECT_EQ(messages.Texts(), QStringList{Lang(1803)});
        } else {
            EXPECT_EQ(result, QDialog::Accepted);
            EXPECT_TRUE(messages.Empty());
            EXPECT_EQ(Saved("SNMP_VER3_PRIVACY"), "0123456789abcdefXYZ");
        }
    }
}
