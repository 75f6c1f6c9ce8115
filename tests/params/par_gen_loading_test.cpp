// Loading ParGen.xml into the window: the special loaders, the values of a
// project without a file, the Modbus poll blocks, and what a file that
// cannot be read does.
#include "language.h"
#include "par_gen_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace pargen_test;

TEST(ParGenLoading, PortIsReadOnlyByTheTunnelingModels)
{
    for (const auto& [type, shown] : {std::pair{2, "34964"}, {4, "9999"}, {29, "34964"}, {15, "9999"}}) {
        SCOPED_TRACE(type);
        TempProgramFolder folder(type);
        folder.OpenProject();
        WriteParGen(ParGenXml({{"PROFINET_PORT", "9999"}}));
        TFParGen w;
        RunShown(w, [&] { EXPECT_EQ(Text(w, "E_PORT"), QLatin1String(shown)); });
    }
}

TEST(ParGenLoading, EtherNetIpPortIsFixedAndItsOctetsHaveTheirOwnEdits)
{
    TempProgramFolder folder(13);
    folder.OpenProject();
    WriteParGen(ParGenXml({{"PROFINET_SM4", "128"}, {"EtherNetIP_SM4", "248"}, {"EtherNetIP_PORT", "1234"}}));
    TFParGen w;
    RunShown(w, [&] {
        EXPECT_EQ(Text(w, "E_EIP_SM4"), "248");
        EXPECT_EQ(Text(w, "E_SM4"), "128");
        EXPECT_EQ(Text(w, "E_EIP_PORT"), "44818");
        EXPECT_EQ(Text(w, "E_EIP_IP4"), "5");   // missing element, not the no-file "10"
        ClickOK(w);
    });
    EXPECT_EQ(Saved("EtherNetIP_PORT"), "44818");
}

// The version box starts at "3" and each version flag "1" picks its item;
// the last one wins.
TEST(ParGenLoading, SnmpVersionRule)
{
    struct Case
    {
        QList<std::pair<QString, QString>> elements;
        int item;
    };
    const Case cases[] = {
        {{}, 2},
        {{{"SNMP_VERSION1", "1"}, {"SNMP_VERSION2", "0"}, {"SNMP_VERSION3", "0"}}, 0},
        {{{"SNMP_VERSION1", "1"}, {"SNMP_VERSION2", "1"}}, 1},
        {{{"SNMP_VERSION1", "0"}, {"SNMP_VERSION2", "0"}, {"SNMP_VERSION3", "0"}}, 2},
        {{{"SNMP_VERSION2", " 1"}}, 2},
    };
    TempProgramFolder folder(18);
    folder.OpenProject();
    TFParGen w;
    for (const Case& c : cases) {
        WriteParGen(ParGenXml(c.elements));
        RunShown(w, [&] { EXPECT_EQ(Item(w, "CB_PROFI_SNMP_Version"), c.item); });
    }
}

TEST(ParGenLoading, Type20VersionIsBackToThreeAfterACancelledChoice)
{
    TempProgramFolder folder(20);
    folder.OpenProject();
    WriteParGen(ParGenXml({{"SNMP_IP4", "12"}}));
    MessageRecorder messages;
    TFParGen w;
    RunShown(w, [&] {
        EXPECT_EQ(Item(w, "CB_SNMP_Version"), 2);
        w.Control<QComboBox>("CB_SNMP_Version")->setCurrentIndex(0);   // as the user would
        ClickCancel(w);
    });
    RunShown(w, [&] {
        EXPECT_EQ(Item(w, "CB_SNMP_Version"), 2);
        EXPECT_EQ(Text(w, "E_SNMP_IP4"), "12");
    });
}

TEST(ParGenLoading, DmxDirectionPicksTheCountElement)
{
    struct Case
    {
        QList<std::pair<QString, QString>> elements;
        int direction;
        const char* count;
    };
    const Case cases[] = {
        {{{"PROFINET_NB_IN", "1"}, {"PROFINET_NB_OUT", "100"}, {"DMX_TYPE", "0"}}, 0, "100"},
        {{{"PROFINET_NB_IN", "200"}, {"PROFINET_NB_OUT", "1"}, {"DMX_TYPE", "1"}}, 1, "200"},
        {{{"PROFINET_NB_IN", "300"}, {"PROFINET_NB_OUT", "1"}, {"DMX_TYPE", "x"}}, 1, "300"},
        {{{"PROFINET_NB_OUT", "77"}}, 1, "512"},
        {{{"PROFINET_NB_IN", "5"}, {"DMX_TYPE", "0"}}, 0, "512"},
    };
    for (int type : {22, 29}) {
        TempProgramFolder folder(type);
        folder.OpenProject();
        TFParGen w;
        for (const Case& c : cases) {
            WriteParGen(ParGenXml(c.elements));
            RunShown(w, [&] {
                EXPECT_EQ(Item(w, "CB_DMX_DMX"), c.direction);
                EXPECT_EQ(Text(w, "E_DMX_Num_Channel"), QLatin1String(c.count));
            });
        }
    }
}

TEST(ParGenLoading, FixedValuesOfTypes21And1018AndProfibusBaudrate)
{
    {
        TempProgramFolder folder(21);
        folder.OpenProject();
        WriteParGen(ParGenXml({{"PROFINET_NB_OUT", "5"}, {"PROFINET_AUTO_CALC_BYTE", "1"}, {"Working_mode", "1"}}));
        TFParGen w;
        RunShown(w, [&] {
            EXPECT_FALSE(Checked(w, "CB_Auto_Calc_Bytes"));
            EXPECT_NE(Text(w, "E_NB_OUT_PROFINET"), "5");
            EXPECT_TRUE(Checked(w, "RB_WM_Single_Slave_Mbus"));
            w.Control<QLineEdit>("E_NB_OUT_PROFINET")->setText("77");
            ClickOK(w);
        });
        EXPECT_EQ(Saved("PROFINET_NB_OUT"), "1024");
        EXPECT_EQ(Saved("PROFINET_AUTO_CALC_BYTE"), "0");
        EXPECT_EQ(Saved("Working_mode"), "1");
    }
    {
        TempProgramFolder folder(1018);
        folder.OpenProject();
        WriteParGen(ParGenXml({{"SNMP_MapType", "0"}}));
        TFParGen w;
        RunShown(w, [&] {
            EXPECT_EQ(Item(w, "CB_SNMP_PROFINET_Map_Type"), 1);
            ClickOK(w);
        });
        EXPECT_EQ(Saved("SNMP_MapType"), "1");
    }
    for (int type : {3, 23}) {
        TempProgramFolder folder(type);
        folder.OpenProject();
        WriteParGen(ParGenXml({{"PROFIBUS_SLAVE_BAUDRATE", "5"}}));
        TFParGen w;
        RunShown(w, [&] {
            EXPECT_EQ(Item(w, "CB_Baud_PROFI_Slave"), 0);
            ClickOK(w);
        });
        EXPECT_EQ(Saved("PROFIBUS_SLAVE_BAUDRATE"), "0");
    }
}

// Values of a project without ParGen.xml that differ from those of a file
// lacking the element.
TEST(ParGenLoading, NoFileDifferences)
{
    struct Case
    {
        int type;
        const char* control;
        const char* noFile;
        const char* missing;
    };
    const Case cases[] = {
        {5, "CB_Read_IR", "1", "0"},
        {26, "CB_Read_IR", "1", "0"},
        {12, "CB_Modbus_TCP_Slave_Read_IR", "1", "0"},
        {13, "E_EIP_IP4", "10", "5"},
        {18, "CB_SNMP_PROFINET_Map_Type", "1", "0"},
        {19, "CB_SNMP_PROFINET_Map_Type", "1", "0"},
        {16, "CB_SNMP_PROFINET_Map_Type", "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        TFParGen w;
        RunShown(w, [&] { EXPECT_EQ(w.Value(QLatin1String(c.control)), QLatin1String(c.noFile)); });
        WriteParGen(ParGenXml({{"PROFINET_IP1", "10"}}));
        RunShown(w, [&] { EXPECT_EQ(w.Value(QLatin1String(c.control)), QLatin1String(c.missing)); });
    }
}

TEST(ParGenLoading, ModbusMasterWithoutFile)
{
    TempProgramFolder folder(4);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        EXPECT_EQ(Item(w, "CB_Serial_Modbus_Master"), 0);
        EXPECT_EQ(Item(w, "CB_Baud_Modbus_Master"), 7);
        EXPECT_EQ(Item(w, "CB_Par_Modbus_Master"), 0);
        EXPECT_EQ(Item(w, "CB_Stop_Modbus_Master"), 0);
        EXPECT_EQ(Text(w, "E_TO_Modbus_Master"), "1000");
        EXPECT_EQ(Text(w, "E_CD_Modbus_Master"), "100");
    });
}

// No control keeps a previous project's value: with no file every control
// of the model gets a defined value.
TEST(ParGenLoading, NewProjectDoesNotInheritThePreviousProject)
{
    for (int type : {8, 24}) {
        SCOPED_TRACE(type);
        TempProgramFolder folder(type);
        folder.OpenProject("A");
        WriteParGen(ParGenXml({{"CANopen_Sync_Enable", "1"}, {"CANopen_Sync_Time", "5"}}));
        TFParGen w;
        RunShown(w, [&] { EXPECT_TRUE(Checked(w, "CB_CANopen_En_Sync")); });
        folder.OpenProject("B");
        RunShown(w, [&] {
            EXPECT_FALSE(Checked(w, "CB_CANopen_En_Sync"));
            EXPECT_EQ(Text(w, "E_CANopen_Sync_Time"), "1000");
        });
    }
    TempProgramFolder folder(19);
    folder.OpenProject("A");
    WriteParGen(ParGenXml({{"SNMP_Contact", "old"}, {"SNMP_Location", "here"}, {"SNMP_MapType", "0"}}));
    TFParGen w;
    RunShown(w, [&] { EXPECT_EQ(Text(w, "E_SNMP_PROFINET_Contact"), "old"); });
    folder.OpenProject("B");
    RunShown(w, [&] {
        EXPECT_EQ(Text(w, "E_SNMP_PROFINET_Contact"), "");
        EXPECT_EQ(Text(w, "E_SNMP_PROFINET_Location"), "");
        EXPECT_EQ(Item(w, "CB_SNMP_PROFINET_Map_Type"), 1);
        ClickOK(w);
    });
    EXPECT_EQ(Saved("SNMP_MapType"), "1");
}

namespace {

void WriteAccessTable(int readRows, int writeRows, bool withWrite = true)
{
    QByteArray xml = "<PROFINET_Master_to_Modbus_Master><Modbus_Read>";
    for (int i = 0; i < readRows; ++i)
        xml += "<row Slave_ID=\"1\"/>";
    xml += "</Modbus_Read>";
    if (withWrite) {
        xml += "<Modbus_Write>";
        for (int i = 0; i < writeRows; ++i)
            xml += "<row Slave_ID=\"1\"/>";
        xml += "</Modbus_Write>";
    }
    xml += "</PROFINET_Master_to_Modbus_Master><!--SW_VERSION = 1.803-->";
    QFile f(File_ModbusM_SetAccess);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(xml);
}

} // namespace

TEST(ParGenLoading, ModbusPollBlocks)
{
    struct Case
    {
        int type;
        int read;
        int write;
        bool withWrite;
        int blocks;
    };
    const Case cases[] = {
        {4, 3, 6, true, 2}, {4, 5, 3, true, 1}, {4, 0, 0, true, 0}, {4, 9, 0, false, 2}, {25, 3, 6, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << ": " << c.read << "+" << c.write);
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        WriteAccessTable(c.read, c.write, c.withWrite);
        TFParGen w;
        ASSERT_NE(RunShown(w), -1);
        EXPECT_EQ(w.Num_Modbus_Polls, c.blocks);
    }
    TempProgramFolder folder(4);
    folder.OpenProject();
    TFParGen w;
    ASSERT_NE(RunShown(w), -1);
    EXPECT_EQ(w.Num_Modbus_Polls, 0);
}

// A file that cannot be read keeps the window closed, so OK can never write
// what the controls still hold from before over it.
TEST(ParGenLoading, UnreadableFileKeepsTheWindowClosed)
{
    TempProgramFolder folder(4);
    folder.OpenProject("A");
    WriteParGen(ParGenXml({{"PROFINET_IP1", "10"}}));
    TFParGen w;
    ASSERT_EQ(RunShown(w), QDialog::Rejected);

    folder.OpenProject("B");
    const QByteArray broken = "<Par_Gen><PROFINET_IP1>11</Par_Gen>";
    WriteParGen(broken);
    MessageRecorder messages;
    EXPECT_EQ(RunShown(w, [&] { ClickOK(w); }), -1);
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes().front().first, MsgKind::Error);
    EXPECT_TRUE(messages.Texts().front().contains("ParGen.xml"));
    EXPECT_EQ(ReadFile(File_ParGen), broken);

    // The same for a Modbus access table that is not well-formed.
    WriteParGen(ParGenXml({{"PROFINET_IP1", "12"}}));
    QFile access(File_ModbusM_SetAccess);
    ASSERT_TRUE(access.open(QIODevice::WriteOnly));
    access.write("<Root><Modbus_Read>");
    access.close();
    messages.Clear();
    EXPECT_EQ(RunShown(w), -1);
    EXPECT_EQ(messages.Boxes().size(), 1);
}

// Type 10: the working mode of a previous showing does not change what is
// loaded; a file that asks for both Auto Calculation and Single Slave Mode
// ends in Normal Mode with the refusal shown.
TEST(ParGenLoading, MBusWorkingModeAndAutoCalculation)
{
    TempProgramFolder folder(10);
    folder.OpenProject();
    folder.Write("PROJECTS/P/M_Bus.xml",
                 "<M-Bus_Network><Nodo Enable_Node=\"1\" Node_State=\"1\" Var_List_Type=\"0\">"
                 "<Variabile Enable=\"1\" Type=\"1\" Dim=\"2\"/></Nodo></M-Bus_Network><!--SW_VERSION = 1.305-->");
    MessageRecorder messages;
    TFParGen w;
    WriteParGen(ParGenXml({{"PROFINET_NB_OUT", "100"}, {"PROFINET_AUTO_CALC_BYTE", "0"}, {"Working_mode", "1"}}));
    RunShown(w, [&] { EXPECT_TRUE(Checked(w, "RB_WM_Single_Slave_Mbus")); });

    WriteParGen(ParGenXml({{"PROFINET_NB_OUT", "100"}, {"PROFINET_AUTO_CALC_BYTE", "1"}, {"Working_mode", "0"}}));
    RunShown(w, [&] {
        EXPECT_TRUE(Checked(w, "CB_Auto_Calc_Bytes"));
        EXPECT_TRUE(Checked(w, "RB_WM_Normal_Mbus"));
        EXPECT_EQ(Text(w, "E_NB_OUT_PROFINET"), "5");
        EXPECT_FALSE(w.Control("E_NB_OUT_PROFINET")->isEnabled());
        EXPECT_FALSE(w.Is_Change);
    });
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join('\n').toStdString();

    // Shown again with Auto Calculation still ticked from before: the count
    // follows the network as it is now, not the file's older count.
    folder.Write("PROJECTS/P/M_Bus.xml",
                 "<M-Bus_Network><Nodo Enable_Node=\"1\" Node_State=\"1\" Var_List_Type=\"0\">"
                 "<Variabile Enable=\"1\" Type=\"1\" Dim=\"3\"/></Nodo></M-Bus_Network><!--SW_VERSION = 1.305-->");
    WriteParGen(ParGenXml({{"PROFINET_NB_OUT", "5"}, {"PROFINET_AUTO_CALC_BYTE", "1"}, {"Working_mode", "0"}}));
    RunShown(w, [&] {
        EXPECT_TRUE(Checked(w, "CB_Auto_Calc_Bytes"));
        EXPECT_EQ(Text(w, "E_NB_OUT_PROFINET"), "9");
        EXPECT_FALSE(w.Control("E_NB_OUT_PROFINET")->isEnabled());
    });
    // A file without Auto Calculation opens the edit again with its own count.
    WriteParGen(ParGenXml({{"PROFINET_NB_OUT", "100"}, {"PROFINET_AUTO_CALC_BYTE", "0"}}));
    RunShown(w, [&] {
        EXPECT_FALSE(Checked(w, "CB_Auto_Calc_Bytes"));
        EXPECT_EQ(Text(w, "E_NB_OUT_PROFINET"), "100");
        EXPECT_TRUE(w.Control("E_NB_OUT_PROFINET")->isEnabled());
    });
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join('\n').toStdString();

    TFParGen fresh;
    WriteParGen(ParGenXml({{"PROFINET_AUTO_CALC_BYTE", "1"}, {"Working_mode", "1"}}));
    RunShown(fresh, [&] {
        EXPECT_TRUE(Checked(fresh, "CB_Auto_Calc_Bytes"));
        EXPECT_TRUE(Checked(fresh, "RB_WM_Normal_Mbus"));
    });
    EXPECT_EQ(messages.Texts(), QStringList{Lang(858)});
}

// Type 17 shows the SNMPv3 rows and type 23 the reset box: what the user
// enters there is stored and comes back.
TEST(ParGenLoading, ShownValuesOfTypes17And23AreKept)
{
    MessageRecorder messages;   // Cancel after an edit asks
    {
        TempProgramFolder folder(17);
        folder.OpenProject();
        TFParGen w;
        RunShown(w, [&] {
            w.Control<QComboBox>("CB_PROFI_SNMP_Secure_Lev")->setCurrentIndex(2);
            w.Control<QLineEdit>("E_PROFI_SNMP_User")->setText("admin");
            w.Control<QLineEdit>("E_PROFI_SNMP_Priv_Pass")->setText("secret");
            ClickOK(w);
        });
        EXPECT_EQ(Saved("SNMP_VER3_USER"), "admin");
        EXPECT_EQ(Saved("SNMP_VER3_SECURITY_LEVEL"), "Auth Priv");
        RunShown(w, [&] {
            w.Control<QLineEdit>("E_PROFI_SNMP_User")->setText("x");
            ClickCancel(w);
        });
        RunShown(w, [&] {
            EXPECT_EQ(Text(w, "E_PROFI_SNMP_User"), "admin");
            EXPECT_EQ(Text(w, "E_PROFI_SNMP_Priv_Pass"), "secret");
            EXPECT_EQ(Item(w, "CB_PROFI_SNMP_Secure_Lev"), 2);
        });
    }
    TempProgramFolder folder(23);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        w.Control<QCheckBox>("CB_PROFI_Slave_Reset_Data")->setChecked(true);
        ClickOK(w);
    });
    EXPECT_EQ(Saved("PROFIBUS_SLAVE_RESET_DATA"), "1");
    w.Control<QCheckBox>("CB_PROFI_Slave_Reset_Data")->setChecked(false);
    RunShown(w, [&] { EXPECT_TRUE(Checked(w, "CB_PROFI_Slave_Reset_Data")); });
}

TEST(ParGenLoading, FreshShowingCountsAsUnchanged)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    WriteParGen(ParGenXml({{"PROFINET_IP1", "10"}}));
    MessageRecorder messages;
    TFParGen w;
    EXPECT_EQ(RunShown(w, [&] {
                  EXPECT_FALSE(w.Is_Change);
                  ClickCancel(w);
              }),
              QDialog::Rejected);
    EXPECT_EQ(messages.Questions(), 0);
}

// A window dragged above the screen comes back to top 0 when activated.
TEST(ParGenLoading, ActivationBringsTheTopBackOnScreen)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        w.move(40, -30);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&w, &activate);
        EXPECT_EQ(w.pos(), QPoint(40, 0));
    });
}
