// The window's arrangement per model: the two stacked boxes, the rows of the
// network box, collapse and expand, the change handlers and Cancel.
#include "language.h"
#include "par_edit.h"
#include "par_gen_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace pargen_test;

namespace {

QRect Geo(TFParGen& w, const char* name) { return w.Control(QLatin1String(name))->geometry(); }
bool Shown(TFParGen& w, const char* name) { return w.IsShown(QLatin1String(name)); }

// The stack rule: the protocol box 6 under the network box, OK and Cancel 13
// under it, the client area 54 under it and 312 wide.
void ExpectStack(TFParGen& w, const char* box, int networkHeight, int boxHeight)
{
    const QRect network = Geo(w, "GB_PROFINET");
    EXPECT_EQ(network, QRect(8, 70, 296, networkHeight));
    const QRect lower = Geo(w, box);
    EXPECT_EQ(lower, QRect(8, 70 + networkHeight + 6, 296, boxHeight));
    const int bottom = lower.y() + lower.height();
    EXPECT_EQ(Geo(w, "Btn_OK"), QRect(71, bottom + 13, 112, 28));
    EXPECT_EQ(Geo(w, "Btn_Cancel"), QRect(192, bottom + 13, 112, 28));
    EXPECT_EQ(w.ClientSize(), QSize(312, bottom + 54));
    int shownBoxes = 0;
    for (QGroupBox* gb : w.findChildren<QGroupBox*>())
        shownBoxes += !qobject_cast<QGroupBox*>(gb->parentWidget()) && gb->isVisibleTo(&w);
    EXPECT_EQ(shownBoxes, 2);
}

} // namespace

// Every model, new project: the network box's height follows its rows, the
// protocol box's its closing control.
TEST(ParGenLayout, StackOfEveryModel)
{
    struct Case
    {
        int type;
        int network;
        const char* box;
        int height;
    };
    const Case cases[] = {
        {0, 412, "GB_CAN", 58},           {27, 412, "GB_CAN", 58},
        {1, 380, "GB_DNET_Master", 92},   {2, 278, "GB_DNET_Slave", 159},
        {3, 278, "GB_PROFIBUS_Slave", 192}, {23, 244, "GB_PROFIBUS_Slave", 192},
        {4, 414, "GB_Modbus_Master", 260}, {25, 414, "GB_Modbus_Master", 260},
        {18, 449, "GB_Modbus_Master", 193}, {1018, 415, "GB_Modbus_Master", 193},
        {5, 346, "GB_Modbus_Slave", 192}, {26, 346, "GB_Modbus_Slave", 192},
        {16, 347, "GB_Modbus_Slave", 192}, {6, 278, "GB_J1939", 159},
        {14, 278, "GB_J1939", 159},       {7, 278, "GB_NMEA2000", 124},
        {28, 278, "GB_NMEA2000", 124},    {8, 414, "GB_CANopen", 390},
        {24, 346, "GB_CANopen", 390},     {9, 346, "GB_Serial", 126},
        {10, 437, "GB_MBus", 178},        {21, 473, "GB_MBus", 178},
        {11, 380, "GB_Modbus_TCP_Master", 258}, {19, 449, "GB_Modbus_TCP_Master", 258},
        {12, 346, "GB_Modbus_TCP_Slave", 257}, {17, 382, "GB_Modbus_TCP_Slave", 224},
        {13, 346, "GB_EtherNetIP", 224},  {15, 515, "GB_CAN", 58},
        {20, 346, "GB_SNMP", 417},        {22, 278, "GB_DMX", 91},
        {29, 278, "GB_DMX", 91},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        TFParGen w;
        RunShown(w, [&] { ExpectStack(w, c.box, c.network, c.height); });
    }
}

TEST(ParGenLayout, CollapseAndExpand)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        ExpectStack(w, "GB_DMX", 278, 91);
        EXPECT_EQ(w.ClientSize().height(), 499);
        Click(w.Control("Btn_PROFINET_Collapse"));
        ExpectStack(w, "GB_DMX", 26, 91);
        EXPECT_EQ(Geo(w, "Btn_OK").y(), 206);
        EXPECT_EQ(w.ClientSize().height(), 247);
        EXPECT_FALSE(Shown(w, "L_PROFINET_IP_Add"));
        EXPECT_FALSE(Shown(w, "Btn_PROFINET_Collapse"));
        EXPECT_TRUE(Shown(w, "Btn_PROFINET_Expande"));

        Click(w.Control("Btn_DMX_Collapse"));
        ExpectStack(w, "GB_DMX", 26, 26);
        EXPECT_FALSE(Shown(w, "CB_DMX_DMX"));
    });
    // The boxes stay collapsed over later showings.
    RunShown(w, [&] {
        ExpectStack(w, "GB_DMX", 26, 26);
        Click(w.Control("Btn_PROFINET_Expande"));
        Click(w.Control("Btn_DMX_Expande"));
        ExpectStack(w, "GB_DMX", 278, 91);
        EXPECT_TRUE(Shown(w, "L_PROFINET_IP_Add"));
        EXPECT_TRUE(Shown(w, "CB_DMX_DMX"));
        EXPECT_EQ(w.ClientSize().height(), 499);
    });
}

TEST(ParGenLayout, SnmpRowsOfTheNetworkBox)
{
    TempProgramFolder folder(15);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        EXPECT_EQ(Geo(w, "L_PROFI_SNMP_Version").y(), 413);
        EXPECT_EQ(Geo(w, "CB_PROFI_SNMP_Version").topLeft(), QPoint(82, 412));
        EXPECT_FALSE(Shown(w, "E_PROFI_SNMP_Auth_Pass"));
        SetItem(w, "CB_PROFI_SNMP_Secure_Lev", 2);
        SetItem(w, "CB_PROFI_SNMP_Priv_Mode", 1);
        w.Control<QCheckBox>("CB_PROFI_SNMP_Priv_Pass_Hex")->setChecked(true);
        EXPECT_EQ(Geo(w, "L_PROFI_SNMP_Priv_Pass").y(), 583);
        EXPECT_EQ(Geo(w, "CB_PROFI_SNMP_Priv_Pass_Hex").topLeft(), QPoint(64, 582));
        EXPECT_TRUE(Shown(w, "CB_PROFI_SNMP_Priv_Pass_Hex"));
        auto* password = w.Control<ParEdit>("E_PROFI_SNMP_Priv_Pass");
        EXPECT_EQ(password->geometry(), QRect(110, 580, 164, 21));
        EXPECT_EQ(password->MaxLength(), 30);
        EXPECT_EQ(Geo(w, "GB_PROFINET").height(), 651);
        w.Control<QCheckBox>("CB_PROFI_SNMP_Priv_Pass_Hex")->setChecked(false);
        EXPECT_EQ(password->MaxLength(), 15);
        SetItem(w, "CB_PROFI_SNMP_Priv_Mode", 0);
        EXPECT_FALSE(Shown(w, "CB_PROFI_SNMP_Priv_Pass_Hex"));
        EXPECT_EQ(password->geometry(), QRect(82, 580, 192, 21));
        SetItem(w, "CB_PROFI_SNMP_Secure_Lev", 1);
        EXPECT_EQ(Geo(w, "GB_PROFINET").height(), 413 + 133 + 22 + 15);
        EXPECT_FALSE(Shown(w, "E_PROFI_SNMP_Priv_Pass"));
        SetItem(w, "CB_PROFI_SNMP_Version", 0);
        EXPECT_EQ(Geo(w, "GB_PROFINET").height(), 413 - 1 + 22 + 15);
        EXPECT_FALSE(Shown(w, "E_PROFI_SNMP_User"));
    });
}

TEST(ParGenLayout, MapTypeDecidesTheSnmpRows)
{
    TempProgramFolder folder(16);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        EXPECT_EQ(w.Control<QComboBox>("CB_SNMP_PROFINET_Map_Type")->currentIndex(), 0);
        EXPECT_EQ(Geo(w, "GB_PROFINET").height(), 347);
        EXPECT_FALSE(Shown(w, "CB_PROFI_SNMP_Version"));
        SetItem(w, "CB_SNMP_PROFINET_Map_Type", 1);
        EXPECT_TRUE(Shown(w, "CB_PROFI_SNMP_Version"));
        EXPECT_EQ(Geo(w, "L_PROFI_SNMP_Version").y(), 347);
        EXPECT_EQ(Geo(w, "GB_PROFINET").height(), 347 + 87 + 15);
        EXPECT_TRUE(Shown(w, "CB_ModSlave_SwapBytes"));
        EXPECT_EQ(Geo(w, "CB_ModSlave_SwapBytes").topLeft(), QPoint(16, 160));
        EXPECT_FALSE(Shown(w, "CB_Read_IR"));
    });

    TempProgramFolder brand(1018);
    brand.OpenProject();
    TFParGen b;
    RunShown(b, [&] {
        EXPECT_FALSE(Shown(b, "CB_SNMP_PROFINET_Map_Type"));
        EXPECT_EQ(b.Control<QComboBox>("CB_SNMP_PROFINET_Map_Type")->currentIndex(), 1);
        EXPECT_EQ(Geo(b, "L_PROFI_SNMP_Version").y(), 313);
        EXPECT_FALSE(Shown(b, "L_PROFINET_Port"));
    });
}

TEST(ParGenLayout, SnmpBoxOfType20)
{
    TempProgramFolder folder(20);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        const std::tuple<int, int, int> cases[] = {{0, 0, 349}, {2, 0, 417}, {2, 1, 485}, {2, 2, 553}};
        for (const auto& [version, level, height] : cases) {
            SCOPED_TRACE(testing::Message() << version << "/" << level);
            SetItem(w, "CB_SNMP_Secure_Lev", level);
            SetItem(w, "CB_SNMP_Version", version);
            ExpectStack(w, "GB_SNMP", 346, height);
            EXPECT_EQ(Shown(w, "E_SNMP_User"), version == 2);
            EXPECT_EQ(Shown(w, "CB_SNMP_Secure_Lev"), version == 2);
            EXPECT_EQ(Shown(w, "E_SNMP_Priv_Pass"), version == 2 && level == 2);
            EXPECT_FALSE(Shown(w, "CB_SNMP_Priv_Pass_Hex"));
        }
        EXPECT_EQ(Geo(w, "CB_SNMP_Version").topLeft(), QPoint(82, 312));
        EXPECT_EQ(Geo(w, "CB_SNMP_Priv_Mode").topLeft(), QPoint(148, 516));
    });
}

TEST(ParGenLayout, PortRowByModel)
{
    struct Case
    {
        int type;
        bool shown;
        bool enabled;
        QRect edit;
        int caption;
    };
    const Case cases[] = {
        {0, true, true, {148, 188, 128, 21}, 151},
        {29, true, false, {82, 188, 192, 21}, 92},
        {18, false, false, {82, 188, 192, 21}, 92},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        TFParGen w;
        RunShown(w, [&] {
            EXPECT_EQ(Shown(w, "E_PORT"), c.shown);
            EXPECT_EQ(w.Control("E_PORT")->isEnabled(), c.enabled);
            EXPECT_EQ(Geo(w, "E_PORT"), c.edit);
            EXPECT_EQ(w.Control<QLabel>("L_PROFINET_Port")->text(), Lang(c.caption));
        });
    }
}

// The M-Bus handlers: Auto Calculation only in Normal Mode, Single Slave
// Mode only without Auto Calculation; the working mode alone is no change.
TEST(ParGenLayout, MBusHandlers)
{
    TempProgramFolder folder(10);
    folder.OpenProject();
    MessageRecorder messages;
    TFParGen w;
    RunShown(w, [&] {
        auto* autoCalc = w.Control<QCheckBox>("CB_Auto_Calc_Bytes");
        auto* single = w.Control<QRadioButton>("RB_WM_Single_Slave_Mbus");
        auto* normal = w.Control<QRadioButton>("RB_WM_Normal_Mbus");
        single->click();
        EXPECT_TRUE(single->isChecked());
        EXPECT_FALSE(w.Is_Change);
        autoCalc->click();
        EXPECT_EQ(messages.Texts(), QStringList{Lang(859)});
        EXPECT_FALSE(autoCalc->isChecked());
        EXPECT_TRUE(w.Control("E_NB_OUT_PROFINET")->isEnabled());

        messages.Clear();
        normal->click();
        autoCalc->click();
        EXPECT_TRUE(autoCalc->isChecked());
        EXPECT_FALSE(w.Control("E_NB_OUT_PROFINET")->isEnabled());
        EXPECT_EQ(w.Value("E_NB_OUT_PROFINET"), "1");   // no M-Bus network yet
        single->click();
        EXPECT_EQ(messages.Texts(), QStringList{Lang(858)});
        EXPECT_TRUE(normal->isChecked());
        autoCalc->click();
        EXPECT_TRUE(w.Control("E_NB_OUT_PROFINET")->isEnabled());
        EXPECT_EQ(w.Value("E_NB_OUT_PROFINET"), "1");
    });
}

// A count that fails leaves Auto Calculation off and the edit open, so no
// stale count is saved as computed.
TEST(ParGenLayout, FailedByteCountTurnsAutoCalculationOff)
{
    TempProgramFolder folder(10);
    folder.OpenProject();
    folder.Write("PROJECTS/P/M_Bus.xml",
                 "<M-Bus_Network><Nodo><Variabile Enable=\"1\" Type=\"1\" Dim=\"x\"/></Nodo></M-Bus_Network>");
    WriteParGen(ParGenXml({{"PROFINET_NB_OUT", "300"}, {"PROFINET_AUTO_CALC_BYTE", "1"}}));
    MessageRecorder messages;
    TFParGen w;
    RunShown(w, [&] {
        EXPECT_FALSE(w.Control<QCheckBox>("CB_Auto_Calc_Bytes")->isChecked());
        EXPECT_TRUE(w.Control("E_NB_OUT_PROFINET")->isEnabled());
        EXPECT_EQ(w.Value("E_NB_OUT_PROFINET"), "300");
        ClickOK(w);
    });
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes().front().first, MsgKind::Error);
    EXPECT_TRUE(messages.Texts().front().contains("Dim"));
    EXPECT_EQ(Saved("PROFINET_AUTO_CALC_BYTE"), "0");
    EXPECT_EQ(Saved("PROFINET_NB_OUT"), "300");
}

TEST(ParGenLayout, CancelAsksOnlyAfterAChange)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    WriteParGen(ParGenXml({{"PROFINET_IP1", "10"}}));
    const QByteArray before = ReadFile(File_ParGen);
    MessageRecorder messages;
    TFParGen w;
    EXPECT_EQ(RunShown(w, [&] { ClickCancel(w); }), QDialog::Rejected);
    EXPECT_EQ(messages.Questions(), 0);

    messages.QueueAnswer(false);
    messages.QueueAnswer(true);
    EXPECT_EQ(RunShown(w, [&] {
                  w.Control<QLineEdit>("E_IP1")->setText("11");
                  ClickCancel(w);
                  EXPECT_TRUE(w.isVisible());
                  EXPECT_EQ(w.Value("E_IP1"), "11");
                  ClickCancel(w);
                  EXPECT_FALSE(w.isVisible());
              }),
              QDialog::Rejected);
    EXPECT_EQ(messages.Texts(), QStringList({Lang(187), Lang(187)}));
    EXPECT_EQ(ReadFile(File_ParGen), before);
    RunShown(w, [&] { EXPECT_EQ(w.Value("E_IP1"), "10"); });
}
