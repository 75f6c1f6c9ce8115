// The window's controls as designed and the texts Set_Lang puts on them.
#include "language.h"
#include "par_gen_controls.h"
#include "par_gen_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace pargen_test;

TEST(ParGenControls, EveryControlExistsWithItsNameAndPlace)
{
    TempProgramFolder folder(4);   // keeps the Modbus master rows where they are designed
    TFParGen w;
    int count = 0;
    for (const ParControlDef& def : ParGenControls()) {
        SCOPED_TRACE(def.name);
        QWidget* c = w.findChild<QWidget*>(QLatin1String(def.name));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->parentWidget()->objectName(), QLatin1String(def.parent));
        EXPECT_EQ(c, w.Control(QLatin1String(def.name)));
        ++count;
    }
    EXPECT_GT(count, 250);
    for (const ParBoxDef& box : ParGenBoxes()) {
        SCOPED_TRACE(box.name);
        auto* gb = w.findChild<QGroupBox*>(QLatin1String(box.name));
        ASSERT_NE(gb, nullptr);
        EXPECT_EQ(gb->width(), 296);
        EXPECT_NE(gb->findChild<QWidget*>(CollapseButtonName(box.name)), nullptr);
        EXPECT_NE(gb->findChild<QWidget*>(ExpandButtonName(box.name)), nullptr);
    }

    // A sample of the design: octets, rows, kinds, items and limits.
    struct Geometry
    {
        const char* name;
        QRect rect;
    };
    const Geometry places[] = {
        {"E_IP1", {16, 43, 60, 21}},           {"E_SM4", {214, 98, 60, 21}},
        {"E_GAT2", {82, 154, 60, 21}},         {"E_EIP_GAT4", {214, 154, 60, 21}},
        {"E_IP3_Modbus_TCP_Slave", {148, 43, 60, 21}},
        {"CAN_Baud", {82, 21, 192, 22}},       {"E_CD_Modbus_Master", {200, 191, 74, 21}},
        {"E_NO_Delay_CANopen", {239, 124, 35, 21}}, {"E_SDO_TO_CANopen", {197, 157, 77, 21}},
        {"E_CANopen_TSDO_Add_Out", {214, 354, 60, 21}}, {"E_NSE_MBus", {82, 142, 192, 21}},
        {"CB_PROFI_SNMP_Priv_Pass_Hex", {64, 947, 41, 17}}, {"E_SNMP_Name_Of_Station", {16, 210, 258, 21}},
        {"CB_SNMP_Priv_Mode", {148, 516, 126, 22}}, {"E_DMX_Num_Channel", {148, 55, 126, 21}},
    };
    for (const Geometry& g : places)
        EXPECT_EQ(w.Control(QLatin1String(g.name))->geometry(), g.rect) << g.name;

    auto* baud = w.Control<QComboBox>("CB_Baud_Modbus_Master");
    EXPECT_EQ(baud->count(), 11);
    EXPECT_EQ(baud->itemText(10), "625000");
    auto* mbusParity = w.Control<QComboBox>("CB_Parity_Mbus");
    EXPECT_EQ(mbusParity->itemText(1), "EVEN");
    EXPECT_EQ(w.Control<QComboBox>("CB_SNMP_PROFINET_Map_Type")->itemText(1), "Dynamic Map (Recommended)");
    EXPECT_FALSE(w.Control("CB_Baud_PROFI_Slave")->isEnabled());
    EXPECT_FALSE(w.Control("E_EIP_PORT")->isEnabled());
    EXPECT_TRUE(w.Control("E_PORT")->isEnabled());   // the tunneling port of type 4
    EXPECT_NE(qobject_cast<QRadioButton*>(w.Control("RB_WM_Single_Slave_Mbus")), nullptr);
    EXPECT_EQ(w.Control("RB_WM_Single_Slave_Mbus")->parentWidget()->objectName(), "GB_Working_Mode_MBus");
}

TEST(ParGenControls, TextsComeFromTheLanguageTable)
{
    for (int type : {29, 1018}) {
        TempProgramFolder folder(type);
        TFParGen w;
        EXPECT_EQ(w.windowTitle(), "Set Communication");
        EXPECT_EQ(w.Control<QLabel>("L_SW_Code")->text(), SoftwareCode);
        EXPECT_EQ(w.Control<QLabel>("L_SW_Desc")->text(), "Set Communication Setting");
        EXPECT_EQ(w.Control<QGroupBox>("GB_PROFINET")->title(), type == 29 ? " PROFINET " : " SNMP ");
        EXPECT_EQ(w.Control<QLabel>("L_PROFINET_Name_Station")->text(),
                  type == 29 ? "PROFINET Name of Station" : "SNMP Name of Station");
        EXPECT_EQ(w.Control<QGroupBox>("GB_DMX")->title(), " DMX ");
        EXPECT_EQ(w.Control<QCheckBox>("CB_EN_GAT")->text(), "GATEWAY");
        EXPECT_EQ(w.Control<QLabel>("L_SNMP_PROFINET_Map_Type")->text(), "Map Type");
        EXPECT_EQ(w.Control("Btn_CAN_Collapse")->toolTip(), "Collapse");
        EXPECT_EQ(w.Control("Btn_CAN_Expande")->toolTip(), "Expand");
    }
}

// A language change refills the version boxes (back at "3") and the
// auxiliary size box (no item until the next showing restores it).
TEST(ParGenControls, LanguageChangeRefillsTheTranslatedLists)
{
    TempProgramFolder folder(15);
    folder.OpenProject();
    WriteParGen(ParGenXml({{"SNMP_VERSION1", "1"}, {"SNMP_AUX_INT_DIM", "2"}}));
    TFParGen w;
    RunShown(w, [&] {
        EXPECT_EQ(w.Control<QComboBox>("CB_PROFI_SNMP_Version")->currentIndex(), 0);
        EXPECT_EQ(w.Control<QComboBox>("CB_Aux_Int_Dim")->currentIndex(), 2);
    });
    LangTable[983] = QStringLiteral("Drei");
    LangTable[903] = QStringLiteral("8 Octets");
    w.Set_Lang();
    for (const char* name : {"CB_PROFI_SNMP_Version", "CB_SNMP_Version"}) {
        auto* version = w.Control<QComboBox>(QLatin1String(name));
        EXPECT_EQ(version->itemText(2), "Drei");
        EXPECT_EQ(version->currentIndex(), 2);
    }
    auto* aux = w.Control<QComboBox>("CB_Aux_Int_Dim");
    EXPECT_EQ(aux->currentIndex(), -1);
    EXPECT_EQ(aux->itemText(2), "8 Octets");
    RunShown(w, [&] { EXPECT_EQ(aux->currentIndex(), 2); });
}
