// The Scan & Decode window's model: buttons by state and device code, the
// option rows of both form types, the list codes and the save plan.
#include "mbus/models/par_gen_link.h"
#include "mbus/models/scan_form.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace mbus;

namespace {

std::string Shown(const std::vector<ScanButton>& buttons)
{
    std::string s;
    for (const ScanButton& b : buttons)
        if (b.visible)
            s += std::string(b.name) + "@" + std::to_string(b.x) + " ";
    return s;
}

std::string Rows(const std::vector<PageRow>& rows)
{
    std::string s;
    for (const PageRow& r : rows)
        if (r.visible)
            s += std::string(r.name) + "@" + std::to_string(r.y) + " ";
    return s;
}

} // namespace

TEST(ScanForm, ButtonsByStateAndDeviceCode)
{
    struct Case
    {
        ScanFormState state;
        int code;
        const char* shown;
    } cases[] = {
        {ScanFormState::Options, 11, "Btn_StartScan@10 "},
        {ScanFormState::WiredRunning, 11, "Btn_StopScan@10 Btn_AbortScan@118 "},
        {ScanFormState::WirelessRunning, 0, "Btn_StopScan@10 Btn_AbortScan@118 "},
        {ScanFormState::WiredEnded, 0, "Btn_NewScan@10 Btn_SaveConf@118 Btn_SaveConfManual@226 "},
        {ScanFormState::WiredEnded, 11, "Btn_NewScan@10 Btn_SaveConf@118 "},
        {ScanFormState::WiredEnded, 20, "Btn_NewScan@10 Btn_SaveConf@118 "},
        {ScanFormState::WiredEnded, 6, "Btn_NewScan@10 Btn_SaveConf@118 "},
        {ScanFormState::WirelessEnded, 6, "Btn_NewScan@10 Btn_SaveConf@118 Btn_SaveConfManual@226 "},
        {ScanFormState::WirelessEnded, 15, "Btn_NewScan@10 Btn_SaveConf@118 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shown(Form_Style_Buttons(c.state, c.code, 10, 100)), c.shown) << int(c.state) << " " << c.code;
}

TEST(ScanForm, OptionRowsOfBothFormTypes)
{
    EXPECT_EQ(Rows(Move_Object_Type_Form(0, true, false, 11)),
              "CB_ScanBy@11 CB_HardwareType@59 E_IP1@91 L_MBus_Param@139 CB_MBus_Baud@171 CB_MBus_Parity@203 "
              "L_Option_Scan@251 CB_Opt_App_Reset@283 CB_Opt_SND_NKE@315 E_Opt_Cut_After@347 CB_Opt_Use_Fix_C_Field@379 ")
        << "form type 0 scans wired whatever the method";
    EXPECT_EQ(Rows(Move_Object_Type_Form(1, false, true, 11)),
              "CB_ScanMethod@11 CB_ScanBy@59 CB_HardwareType@107 CB_ComPort@139 L_MBus_Param@187 CB_MBus_Baud@219 "
              "CB_MBus_Parity@251 L_Option_Scan@299 CB_Opt_App_Reset@331 CB_Opt_SND_NKE@363 E_Opt_Cut_After@395 "
              "CB_Opt_Use_Fix_C_Field@427 ");
    EXPECT_EQ(Rows(Move_Object_Type_Form(1, true, false, 12)),
              "CB_ScanMethod@11 CB_HardwareType@59 E_IP1@91 E_Port@123 L_MBus_Param@171 CB_wMBus_Mode@203 "
              "CB_wMBus_Radio_Channel@235 ");
    EXPECT_EQ(Scan_Form_Height(0), 523);
    EXPECT_EQ(Scan_Form_Height(1), 571);
}

TEST(ScanForm, ListCodes)
{
    const int modes[] = {1, 5, 15, 17, 11};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Wireless_Mode_Code(i), modes[i]);
    for (int code = 0; code <= 20; ++code) {
        EXPECT_EQ(Wireless_Port_Fixed(code), code == 12 || code == 15) << code;
        EXPECT_EQ(Asks_Modbus_Start(code), code == 0 || code == 1 || code == 9 || code == 13 || code == 14) << code;
    }
    EXPECT_EQ(Int_Or(QStringLiteral("x"), 3), 3);
    EXPECT_EQ(Int_Or(QStringLiteral("2400"), 3), 2400);
}

TEST(ScanForm, SavePlans)
{
    struct Case
    {
        bool exists;
        ExistingAnswer answer;
        bool perNode;
        int code;
        bool go, append, reg, addresses;
    } cases[] = {
        {true, ExistingAnswer::Cancel, false, 0, false, false, false, false},
        {true, ExistingAnswer::Cancel, true, 0, false, false, false, false},
        {true, ExistingAnswer::Yes, false, 0, true, true, true, false},
        {true, ExistingAnswer::Yes, false, 11, true, true, false, false},
        {true, ExistingAnswer::No, false, 0, true, false, false, false},
        {true, ExistingAnswer::Yes, true, 13, true, true, false, true},
        {true, ExistingAnswer::No, true, 11, true, false, false, false},
        {false, ExistingAnswer::Yes, false, 0, true, false, false, false},
        {false, ExistingAnswer::Yes, true, 14, true, false, false, true},
    };
    for (const Case& c : cases) {
        const SavePlan p = Plan_Save(c.exists, c.answer, c.perNode, c.code);
        EXPECT_EQ(p.go, c.go);
        EXPECT_EQ(p.append, c.append);
        EXPECT_EQ(p.askStartRegister, c.reg);
        EXPECT_EQ(p.askStartAddresses, c.addresses);
    }
}

TEST(ScanForm, AddressPrefillByDeviceCode)
{
    const QByteArray file =
        "<ParGen><IP_1>10</IP_1><IP_2>1</IP_2><IP_3>2</IP_3><IP_4>3</IP_4>"
        "<PROFINET_IP1>11</PROFINET_IP1><PROFINET_IP2>0</PROFINET_IP2><PROFINET_IP3>0</PROFINET_IP3>"
        "<Eth_IP1>12</Eth_IP1><BACnet_IP1>13</BACnet_IP1><Ethernet_IP1>14</Ethernet_IP1>"
        "<Modbus_TCP_Slave_IP1>15</Modbus_TCP_Slave_IP1><Modbus_TCP_Slave_IP4>99</Modbus_TCP_Slave_IP4></ParGen>";
    struct Case
    {
        int code;
        const char* octets;   // joined with "."; missing elements keep the defaults
    } cases[] = {
        {0, "10.1.2.3"},     {7, "10.1.2.3"},      {12, "10.1.2.3"},  {11, "11.0.0.205"}, {20, "11.0.0.205"},
        {17, "11.0.0.205"},  {10, "12.168.2.205"}, {16, "12.168.2.205"}, {19, "12.168.2.205"}, {6, "13.168.2.205"},
        {18, "14.168.2.205"}, {15, "15.168.2.99"},
    };
    for (const Case& c : cases) {
        std::array<QString, 4> ip = {"192", "168", "2", "205"};
        Read_Par_Gen_Ip_Bytes(file, c.code, ip);
        EXPECT_EQ(QStringList(ip.begin(), ip.end()).join('.'), QString::fromLatin1(c.octets)) << c.code;
    }
    std::array<QString, 4> ip = {"192", "168", "2", "205"};
    Read_Par_Gen_Ip_Bytes("<ParGen><IP_1>", 0, ip);
    EXPECT_EQ(ip[0], QStringLiteral("192")) << "a file that does not parse leaves the edits";
    const ParGenBudget b = Read_Par_Gen_Budget_Bytes(
        "<ParGen><PROFINET_AUTO_CALC_BYTE>1</PROFINET_AUTO_CALC_BYTE><Working_mode>x</Working_mode></ParGen>");
    EXPECT_TRUE(b.autoCalc);
    EXPECT_EQ(b.workingMode, 0);
    EXPECT_EQ(b.nbOut, 1439);
}
