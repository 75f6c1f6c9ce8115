#include "shell_fixture.h"
#include "user_input.h"

#include "about_window.h"
#include "device_type.h"
#include "dmx_def_val_window.h"
#include "insert_key_wireless_window.h"
#include "language.h"
#include "scan_decode_window.h"
#include "scan_modbus_start_window.h"
#include "set_access_window.h"
#include "shape.h"
#include "step_layout.h"
#include "workspace.h"
#include "xml_document.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Steps 3 to the last per type, as the window must show them; "A+B" = two columns.
const struct
{
    QList<int> types;
    QStringList steps;
} kExpectedSteps[] = {
    {{0, 27}, {"Btn_CAN_Rec_Frame+Btn_CAN_Rec_Info", "Btn_CAN_Send_Frame+Btn_CAN_Send_Info", "Btn_PROFINET_XML",
               "Btn_CreateBin"}},
    {{1}, {"Btn_DNet_Net+Btn_DNet_Offset", "Btn_PROFINET_XML", "Btn_CreateBin"}},
    {{2, 5, 9, 12, 13, 26}, {"Btn_PROFINET_XML", "Btn_CreateBin"}},
    {{3}, {"Btn_PROFINET_XML+Btn_PROFIBUS_GSD", "Btn_CreateBin"}},
    {{4, 11, 25}, {"Btn_ModM_SetAccess", "Btn_PROFINET_XML", "Btn_CreateBin"}},
    {{6, 14}, {"Btn_J1939_Rec_Frame", "Btn_J1939_Send_Frame", "Btn_PROFINET_XML", "Btn_CreateBin"}},
    {{7, 28}, {"Btn_NMEA_Rec_Frame", "Btn_NMEA_Send_Frame", "Btn_PROFINET_XML", "Btn_CreateBin"}},
    {{8}, {"Btn_SDO_Server_CANopen", "Btn_SDO_Client_CANopen", "Btn_PDO_CANopen", "Btn_NodeGuard_CANopen",
           "Btn_ReStart_Devices_CANopen", "Btn_PROFINET_XML+Btn_CANopen_EDS", "Btn_CreateBin"}},
    {{24}, {"Btn_SDO_Server_CANopen", "Btn_SDO_Client_CANopen", "Btn_PDO_CANopen",
            "Btn_PROFINET_XML+Btn_CANopen_EDS", "Btn_CreateBin"}},
    {{10}, {"Btn_MBus", "Btn_PROFINET_XML", "Btn_CreateBin"}},
    {{15}, {"Btn_CAN_Rec_Frame+Btn_CAN_Rec_Info", "Btn_CAN_Send_Frame+Btn_CAN_Send_Info", "Btn_SNMP_Trap",
            "Btn_SNMP_MIB", "Btn_CreateBin"}},
    {{16}, {"Btn_SNMP_Trap", "Btn_SNMP_MIB", "Btn_CreateBin"}},
    {{17}, {"Btn_CreateBin"}},
    {{18, 19, 1018}, {"Btn_ModM_SetAccess", "Btn_SNMP_Trap", "Btn_SNMP_MIB", "Btn_CreateBin"}},
    {{20}, {"Btn_SNMP_Trap", "Btn_PROFINET_XML", "Btn_SNMP_MIB", "Btn_CreateBin"}},
    {{21}, {"Btn_MBus", "Btn_CreateBin"}},
    {{22, 29}, {"Btn_DMX_Default", "Btn_PROFINET_XML", "Btn_CreateBin"}},
    {{23}, {"Btn_PROFIBUS_GSD", "Btn_CreateBin"}},
};

} // namespace

TEST_F(ShellTest, StepLayoutPerDeviceType)
{
    for (const auto& row : kExpectedSteps) {
        for (int type : row.types) {
            SCOPED_TRACE(type);
            Prepare(type);
            Start(type);
            QStringList expected = {"Btn_New@80,112", "Btn_Open@258,112", "Btn_Prm_Gen@80,156"};
            for (int i = 0; i < row.steps.size(); ++i) {
                const QStringList buttons = row.steps[i].split(QLatin1Char('+'));
                for (int c = 0; c < buttons.size(); ++c)
                    expected.append(QStringLiteral("%1@%2,%3").arg(buttons[c]).arg(c == 0 ? 80 : 258).arg(
                        112 + 44 * (i + 2)));
            }
            QStringList shown;
            for (const QString& name : AllStepButtonNames()) {
                TLbButton* b = Main().Button(name);
                if (!b->isHidden())
                    shown.append(QStringLiteral("%1@%2,%3").arg(name).arg(b->x()).arg(b->y()));
            }
            expected.sort();
            shown.sort();
            EXPECT_EQ(shown, expected);

            const int steps = int(row.steps.size()) + 2;
            const int top = 112 + 44 * (steps - 1);
            EXPECT_EQ(Btn("Btn_CreateBin")->y(), top);
            EXPECT_EQ(Main().ClientSize(), QSize(694, top + 152));
            EXPECT_EQ(Main().Shape1->geometry(), QRect(10, top + 51, 674, 1));
            for (int n = 1; n <= 9; ++n)
                EXPECT_EQ(!Main().L_Step[n - 1]->isHidden(), n <= steps) << n;
            EXPECT_EQ(Main().L_Step[steps - 1]->y(), 128 + 44 * (steps - 1));
            EXPECT_EQ(Main().L_Keltrona->isHidden(), type == 1018);
            EXPECT_EQ(Main().L_Keltrona->pos(), QPoint(565, 128 + 44 * (steps - 1)));
            EXPECT_EQ(Main().Btn_ScanDecode->isHidden(), type != 10 && type != 21);
            EXPECT_EQ(Main().windowTitle(), MainCaptionOf(type));
            EXPECT_EQ(LabelText(&Main(), "L_SW_Code"), SoftwareCodeOf(type));
            EXPECT_EQ(LabelText(&Main(), "L_SW_Desc"), DescriptionOf(type));
            DestroyProgramWindows();
        }
    }
}

TEST_F(ShellTest, SpecialLayoutsOfTypes17And8)
{
    Start(17);
    EXPECT_EQ(Btn("Btn_CreateBin")->pos(), QPoint(80, 200));
    EXPECT_EQ(Main().ClientSize().height(), 352);
    DestroyProgramWindows();
    Prepare(8);
    Start(8);
    EXPECT_EQ(Btn("Btn_CreateBin")->pos(), QPoint(80, 464));
    EXPECT_EQ(Main().ClientSize().height(), 616);
}

TEST_F(ShellTest, FixedControlsAndButtonLooks)
{
    Start(29);
    const struct
    {
        const char* name;
        QRect geometry;
    } fixed[] = {
        {"Btn_Info", QRect(516, 8, 50, 50)}, {"Btn_Opz", QRect(574, 8, 50, 50)},
        {"Btn_Close", QRect(632, 8, 50, 50)}, {"Btn_ScanDecode", QRect(516, 70, 166, 36)},
    };
    for (const auto& f : fixed)
        EXPECT_EQ(Btn(f.name)->geometry(), f.geometry) << f.name;
    EXPECT_EQ(Main().Shape2->geometry(), QRect(80, 70, 348, 36));
    EXPECT_EQ(Main().L_SW_Code->pos(), QPoint(16, 8));
    EXPECT_EQ(Main().L_SW_Desc->pos(), QPoint(16, 42));
    EXPECT_EQ(Main().L_Begin->pos(), QPoint(16, 84));
    EXPECT_EQ(Main().L_Name_Conf->pos(), QPoint(87, 75));
    EXPECT_EQ(Main().L_Name_Conf_L2->pos(), QPoint(87, 88));
    EXPECT_EQ(Btn("Btn_New")->size(), QSize(170, 36));

    for (const char* name : {"Btn_Info", "Btn_Opz", "Btn_Close", "Btn_Prm_Gen"})
        EXPECT_EQ(Btn(name)->Style(), bsNormal) << name;
    EXPECT_EQ(Btn("Btn_DMX_Default")->Style(), bsEncarta);
    for (const char* name : {"Btn_New", "Btn_Open", "Btn_CreateBin"})
        EXPECT_EQ(Btn(name)->HotTrackColor(), QColor(166, 202, 240)) << name;
    EXPECT_EQ(Btn("Btn_Prm_Gen")->HotTrackColor(), QColor(255, 255, 0));
    EXPECT_EQ(Btn("Btn_Info")->toolTip(), "Information");
    EXPECT_EQ(Btn("Btn_Close")->toolTip(), "Close Configurator");
    EXPECT_EQ(Btn("Btn_ScanDecode")->Caption(), "Scan && Decode");
    EXPECT_FALSE(Main().Timer_Update->isActive());
    EXPECT_EQ(Main().Timer_Update->interval(), 60000);
    EXPECT_TRUE(Main().LL_Update->isHidden());
}

TEST_F(ShellTest, EveryWindowIsCreatedInStartUpOrderWithTheCode)
{
    Start(4);
    const QStringList expected = {
        "FOrvanoeFirmWare", "FNew_Project", "FOpenConf", "FAbout", "FParGen", "FBootTCP", "F_Rec_Info",
        "F_Sen_Info", "FCAN_Rec_Frames", "FCAN_Send_Frame", "FDefOffset", "FDNet", "FProfinetFileName",
        "FSetAccess", "FReceiveNMEA", "FTransmitNMEA", "FReceiveJ1939", "FTransmitJ1939", "FSet_PDO_Access",
        "FSet_SDO_Client_Access", "FSet_SDO_Server_Access", "FMeter_Bus", "FNewIDNode", "FSoftOptions",
        "FModbus_TCP_Master_Set_Access", "FAdvanceFunctions", "FDMXDefVal", "FSNMP_Trap_Access",
        "FInsertKeyWireless", "FModbusStartAdd_SD", "FScanDecode", "FScanModbusStart", "FReStart_Devices",
        "FNodeGuard", "FSNMP_Trap_Access_MBus",
    };
    QStringList names;
    for (OrvanoForm* w : ProgramWindows()) {
        names.append(w->objectName());
        if (w == FAbout || w == FInsertKeyWireless)
            continue;   // the About and key windows have no code label
        if (w == FScanModbusStart || w == FScanDecode) {
            EXPECT_EQ(LabelText(w, "L_SW_Code"), "SCAN & DECODE");   // a fixed title of their own
            continue;
        }
        EXPECT_EQ(LabelText(w, "L_SW_Code"), "QS52240") << w->objectName().toStdString();
    }
    EXPECT_EQ(names, expected);
}

TEST_F(ShellTest, FirstStartInAnEmptyProgramFolder)
{
    Prepare(29);
    for (const char* dir : {"MASTER", "PROJECTS", "LANGUAGE"})
        QDir(Folder().Path() + "/" + dir).removeRecursively();
    Start(29);
    for (const char* dir : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(QFileInfo(Folder().Path() + "/" + dir).isDir()) << dir;
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf"), "None Configuration Opened ");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf_L2"), "Use Step1 to open or create new configuration");
    EXPECT_EQ(LabelText(&Main(), "L_Begin"), "Begin");
    EXPECT_EQ(LabelText(&Main(), "L_Step_5"), "Step 5");
    EXPECT_EQ(LangTable.size(), LangTableSize);
    EXPECT_TRUE(ProjectPath.isEmpty());
    for (const ProjectFile& f : ProjectFiles)
        EXPECT_TRUE(f.path->isEmpty()) << f.fileName;
    EXPECT_FALSE(QFileInfo::exists(Folder().Path() + "/Orvano.xml"));

    int closed = 0;
    QObject::connect(&Main(), &TFOrvanoeFirmWare::Closed, [&closed] { ++closed; });
    Btn("Btn_Close")->Click();
    EXPECT_EQ(closed, 1);
    XmlDocument xml;
    ASSERT_TRUE(xml.Load(Folder().Path() + "/Orvano.xml"));
    EXPECT_STREQ(xml.Root().name(), "Conf_Settings");
    EXPECT_STREQ(xml.Root().child("lastipadd").child_value("ipaddress"), "192.168.2.205");
    EXPECT_STREQ(xml.Root().child("lastlang").child_value("language"), "English");
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join("|").toStdString();
}

TEST_F(ShellTest, RemembersADeletedProjectWithoutOpeningIt)
{
    Prepare(29);
    Folder().Write("Orvano.xml", SettingsFile("Gone"));
    Start(29);
    EXPECT_TRUE(ProjectPath.isEmpty());
    EXPECT_EQ(ProjectName, "Gone");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf"), "None Configuration Opened ");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf_L2"), "Use Step1 to open or create new configuration");
    EXPECT_TRUE(File_ParGen.isEmpty());
    Main().close();
    XmlDocument xml;
    ASSERT_TRUE(xml.Load(Folder().Path() + "/Orvano.xml"));
    EXPECT_STREQ(xml.Root().child("lastproj").child_value("projectname"), "Gone");
    EXPECT_STREQ(xml.Root().child("lastipadd").child_value("ipaddress"), "10.0.0.7");
}

TEST_F(ShellTest, ReopensTheLastProjectButNoFolderOutsidePROJECTS)
{
    Prepare(29);
    QDir().mkpath(Folder().Path() + "/PROJECTS/Plant");
    Folder().Write("Orvano.xml", SettingsFile("Plant"));
    Start(29);
    EXPECT_EQ(ProjectPath, Folder().Path() + "/PROJECTS/Plant");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf"), "Opened Configuration of the Converter : ");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf_L2"), "Plant");
    EXPECT_EQ(File_DMX_Default_Values, ProjectPath + "/DMX_Default_Values.xml");
    DestroyProgramWindows();

    // ".." names a folder that exists (the program folder) but is no project.
    Folder().Write("Orvano.xml", SettingsFile(".."));
    Start(29);
    EXPECT_TRUE(ProjectPath.isEmpty());
    EXPECT_EQ(ProjectName, "..");
}

TEST_F(ShellTest, VersionCheckTimerFollowsBothFlags)
{
    for (const char* flags : {"11", "01", "10"}) {
        Prepare(29);
        Folder().Write("Orvano.xml", SettingsFile("", QString::fromLatin1(flags)));
        Start(29);
        EXPECT_EQ(Main().Timer_Update->isActive(), QLatin1String(flags) == QLatin1String("11")) << flags;
        EXPECT_EQ(Main().Timer_Update->interval(), 60000);
        DestroyProgramWindows();
    }
}

TEST_F(ShellTest, MalformedSettingsAreReportedAndStartUpCompletes)
{
    Prepare(29);
    QDir().mkpath(Folder().Path() + "/PROJECTS/Plant");
    Folder().Write("Orvano.xml", "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj");
    Start(29);
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].first, MsgKind::Error);
    EXPECT_FALSE(messages.Texts()[0].isEmpty());
    // Defaults, the full language table, the labels and every window.
    EXPECT_TRUE(ProjectPath.isEmpty());
    EXPECT_EQ(LastIPAddress, "192.168.2.205");
    EXPECT_EQ(LanguageName, "English");
    EXPECT_EQ(LangTable.size(), LangTableSize);
    EXPECT_EQ(Btn("Btn_New")->Caption(), "New Configuration");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf"), "None Configuration Opened ");
    EXPECT_EQ(ProgramWindows().size(), 35);
}

TEST_F(ShellTest, UnreadableLanguageFileIsReportedAndEnglishStays)
{
    Prepare(29);
    const QString lng = Folder().Path() + "/LANGUAGE/Italiano.lng";
    if (geteuid() != 0) {
        Folder().Write("LANGUAGE/Italiano.lng", "STR17 = Nuova\n");
        QFile::setPermissions(lng, QFileDevice::Permissions());
    } else {
        // The superuser reads every ordinary file; a write-only kernel
        // attribute is a file that cannot be opened for reading all the same.
        const QString writeOnly = "/sys/bus/pci/rescan";
        if (!QFileInfo(writeOnly).isFile() || QFile(writeOnly).open(QIODevice::ReadOnly))
            GTEST_SKIP() << "no unreadable file for the superuser";
        ASSERT_TRUE(QFile::link(writeOnly, lng));
    }
    Folder().Write("Orvano.xml", QString::fromUtf8(SettingsFile("")).replace("English", "Italiano").toUtf8());
    Start(29);
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].first, MsgKind::Error);
    EXPECT_EQ(Btn("Btn_New")->Caption(), "New Configuration");
    EXPECT_EQ(ProgramWindows().size(), 35);
}

TEST_F(ShellTest, SettingsThatCannotBeWrittenAreReportedAndTheProgramStaysOpen)
{
    Start(29);
    Main().activateWindow();
    // A folder in the file's place makes the write fail.
    QDir().mkpath(Folder().Path() + "/Orvano.xml/keep");
    int closed = 0;
    QObject::connect(&Main(), &TFOrvanoeFirmWare::Closed, [&closed] { ++closed; });
    testsupport::RealMessageBoxes real;
    QStringList boxes;
    // Close, then the close box; each time the report is answered with Enter.
    testsupport::UserScript user;
    user.Click(testsupport::At(Btn("Btn_Close"))).Wait(100).Do([&] { boxes.append(testsupport::OpenMessageBoxText()); });
    user.Key(Qt::Key_Return).Wait(200).Do([&] { EXPECT_TRUE(testsupport::OpenMessageBoxText().isEmpty()); });
    user.CloseBox(testsupport::At(&Main())).Wait(100).Do([&] { boxes.append(testsupport::OpenMessageBoxText()); });
    user.Key(Qt::Key_Return).Wait(200);
    ASSERT_TRUE(user.Run());
    EXPECT_EQ(closed, 0);
    EXPECT_TRUE(Main().isVisible());
    ASSERT_EQ(boxes.size(), 2);
    for (const QString& box : boxes)
        EXPECT_TRUE(box.endsWith(Lang(1105))) << box.toStdString();

    // Once the file can be written, Close ends the program.
    QDir(Folder().Path() + "/Orvano.xml").removeRecursively();
    testsupport::UserScript again;
    again.Click(testsupport::At(Btn("Btn_Close"))).Wait(100);
    ASSERT_TRUE(again.Run());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(Main().isVisible());
    EXPECT_TRUE(QFileInfo(Folder().Path() + "/Orvano.xml").isFile());
}

TEST_F(ShellTest, LanguageChangeRenamesEveryStepButAThreeFixedTexts)
{
    Start(8);
    const QString dmxTitle = FDMXDefVal->windowTitle();
    const QString scanTitle = FScanDecode->windowTitle();

    ASSERT_TRUE(ChangeToMarkedLanguage());

    QStringList names = AllStepButtonNames();
    names.append("Btn_ScanDecode");
    for (const QString& name : names) {
        const QString caption = Main().Button(name)->Caption();
        if (name == "Btn_NodeGuard_CANopen")
            EXPECT_EQ(caption, "Set Node Guarding");
        else if (name == "Btn_ReStart_Devices_CANopen")
            EXPECT_EQ(caption, "ReStart Devices");
        else
            EXPECT_TRUE(caption.startsWith('X')) << name.toStdString() << " " << caption.toStdString();
    }
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(Main().L_Step[n - 1]->text(), QStringLiteral("X%1").arg(n));
    EXPECT_EQ(Main().L_Step[8]->text(), "Step 9");
    EXPECT_EQ(LabelText(&Main(), "L_Begin"), "X0");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf"), "X9");
    EXPECT_EQ(Btn("Btn_Opz")->toolTip(), "X13");
    // Windows in the change list follow; the others keep the start-up texts.
    EXPECT_EQ(FSetAccess->windowTitle(), "X247");
    EXPECT_EQ(FDMXDefVal->windowTitle(), dmxTitle);
    EXPECT_EQ(FScanDecode->windowTitle(), scanTitle);
}

TEST_F(ShellTest, EscapeDoesNotCloseTheMainWindow)
{
    Start(29);
    int closed = 0;
    QObject::connect(&Main(), &TFOrvanoeFirmWare::Closed, [&closed] { ++closed; });
    SendKey(&Main(), Qt::Key_Escape);
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(closed, 0);
}
