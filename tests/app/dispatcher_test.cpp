#include "shell_fixture.h"

#include "compiler.h"
#include "process_runner.h"
#include "open_conf_window.h"
#include "profinet_file_name_window.h"
#include "scan_decode_window.h"
#include "step_layout.h"
#include "workspace.h"

#include <QListWidget>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <csignal>
#include <optional>
#include <unistd.h>

namespace {

QStringList FreeButtons()
{
    return {"Btn_New", "Btn_Open", "Btn_Close", "Btn_Info", "Btn_Opz"};
}

// Writes an executable shell script into the program folder.
QString Script(TempProgramFolder& folder, const QString& name, const QByteArray& body)
{
    const QString path = folder.Write(name, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

} // namespace

TEST_F(ShellTest, WithoutAProjectEveryProjectStepOnlyReportsIt)
{
    for (int type : {0, 1, 3, 4, 8, 10, 11, 15, 18, 20, 24, 29}) {
        SCOPED_TRACE(type);
        Prepare(type);
        Start(type);
        QStringList names = AllStepButtonNames();
        names.append("Btn_ScanDecode");
        for (const QString& name : names) {
            TLbButton* b = Main().Button(name);
            if (b->isHidden() || FreeButtons().contains(name))
                continue;
            messages.Clear();
            const QStringList opened = RunClosingModals([&] { b->Click(); });
            EXPECT_TRUE(opened.isEmpty()) << name.toStdString();
            EXPECT_EQ(messages.Texts(), QStringList{"Error! Project not Valid"}) << name.toStdString();
            EXPECT_EQ(messages.Boxes().value(0).first, MsgKind::Error);
        }
        DestroyProgramWindows();
    }
}

TEST_F(ShellTest, FreeStepsWorkWithoutAProject)
{
    Start(29);
    const struct
    {
        const char* button;
        const char* window;
    } cases[] = {
        {"Btn_New", "FNew_Project"}, {"Btn_Open", "FOpenConf"}, {"Btn_Info", "FAbout"}, {"Btn_Opz", "FSoftOptions"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunClosingModals([&] { Btn(c.button)->Click(); }), QStringList{c.window}) << c.button;
    EXPECT_TRUE(messages.Empty());
}

TEST_F(ShellTest, EachProjectStepOpensItsWindow)
{
    const struct
    {
        int type;
        const char* button;
        const char* window;
    } cases[] = {
        {0, "Btn_CAN_Rec_Frame", "FCAN_Rec_Frames"},
        {0, "Btn_CAN_Send_Frame", "FCAN_Send_Frame"},
        {0, "Btn_CAN_Rec_Info", "F_Rec_Info"},
        {0, "Btn_CAN_Send_Info", "F_Sen_Info"},
        {0, "Btn_PROFINET_XML", "FProfinetFileName"},
        {1, "Btn_DNet_Net", "FDNet"},
        {1, "Btn_DNet_Offset", "FDefOffset"},
        {4, "Btn_ModM_SetAccess", "FSetAccess"},
        {18, "Btn_ModM_SetAccess", "FSetAccess"},
        {11, "Btn_ModM_SetAccess", "FModbus_TCP_Master_Set_Access"},
        {19, "Btn_ModM_SetAccess", "FModbus_TCP_Master_Set_Access"},
        {6, "Btn_J1939_Rec_Frame", "FReceiveJ1939"},
        {6, "Btn_J1939_Send_Frame", "FTransmitJ1939"},
        {7, "Btn_NMEA_Rec_Frame", "FReceiveNMEA"},
        {7, "Btn_NMEA_Send_Frame", "FTransmitNMEA"},
        {8, "Btn_SDO_Server_CANopen", "FSet_SDO_Server_Access"},
        {8, "Btn_SDO_Client_CANopen", "FSet_SDO_Client_Access"},
        {8, "Btn_PDO_CANopen", "FSet_PDO_Access"},
        {8, "Btn_NodeGuard_CANopen", "FNodeGuard"},
        {8, "Btn_ReStart_Devices_CANopen", "FReStart_Devices"},
        {10, "Btn_MBus", "FMeter_Bus"},
        {21, "Btn_MBus", "FMeter_Bus"},
        {15, "Btn_SNMP_Trap", "FSNMP_Trap_Access"},
        {29, "Btn_DMX_Default", "FDMXDefVal"},
        {29, "Btn_Prm_Gen", "FParGen"},
        {29, "Btn_CreateBin", "FBootTCP"},
    };
    for (const auto& c : cases) {
        Prepare(c.type);
        Start(c.type);
        Folder().OpenProject("P");
        EXPECT_EQ(RunClosingModals([&] { Btn(c.button)->Click(); }), QStringList{c.window})
            << c.type << " " << c.button;
        EXPECT_TRUE(messages.Empty()) << messages.Texts().join("|").toStdString();
        DestroyProgramWindows();
    }
}

TEST_F(ShellTest, GeneratorStepsRunWithoutAWindowOfTheirOwn)
{
    Prepare(8);
    Start(8);
    Folder().OpenProject("P");
    // Every save dialog is cancelled; each step's dialog opens in the project folder with its filter.
    QStringList asked;
    SaveFileDialog::SetChooser([&](const SaveFileDialog& d) {
        asked.append(d.InitialDir);
        asked.append(d.QtFilter());
        return QString();
    });
    EXPECT_TRUE(RunClosingModals([&] { Main().Btn_SNMP_MIB_Click(Btn("Btn_SNMP_MIB")); }).isEmpty());
    EXPECT_TRUE(messages.Empty());
    EXPECT_EQ(asked, (QStringList{ProjectPath, "Management Information Base (*.mib)"}));

    // The GSD step needs ParGen.xml before it asks for a name.
    asked.clear();
    EXPECT_TRUE(RunClosingModals([&] { Main().Btn_SNMP_MIB_Click(Btn("Btn_PROFIBUS_GSD")); }).isEmpty());
    EXPECT_EQ(messages.Texts(), QStringList{Lang(336)});
    EXPECT_TRUE(asked.isEmpty());
    messages.Clear();

    Btn("Btn_CANopen_EDS")->Click();
    EXPECT_EQ(asked, (QStringList{ProjectPath, "Electronic Data Sheet (*.eds)"}));

    // PROFINET XML: the file-name window, then the save dialog for its name.
    asked.clear();
    EXPECT_EQ(RunClosingModals([&] { Btn("Btn_PROFINET_XML")->Click(); }, mrOk), QStringList{"FProfinetFileName"});
    EXPECT_EQ(asked.value(0), ProjectPath);
    EXPECT_TRUE(messages.Empty());
    SaveFileDialog::SetChooser(nullptr);
}

TEST_F(ShellTest, ScanAndDecodeAsksBeforeReplacingAnMBusNetwork)
{
    for (int type : {10, 21}) {
        SCOPED_TRACE(type);
        Prepare(type);
        Start(type);
        messages.Clear();
        Folder().OpenProject("P");
        File_M_Bus = ProjectPath + "/M_Bus.xml";
        // No M-Bus file yet: no question.
        EXPECT_EQ(RunClosingModals([&] { Btn("Btn_ScanDecode")->Click(); }), QStringList{"FScanDecode"});
        EXPECT_TRUE(messages.Empty());
        EXPECT_EQ(FScanDecode->XML_Code_Dev, type == 10 ? 11 : 20);
        EXPECT_EQ(FScanDecode->FileName_MBus, File_M_Bus);
        EXPECT_EQ(FScanDecode->Form_Type, 0);

        Folder().Write("PROJECTS/P/M_Bus.xml", "<M-Bus_Network/>");
        messages.QueueAnswer(false);
        EXPECT_TRUE(RunClosingModals([&] { Btn("Btn_ScanDecode")->Click(); }).isEmpty());
        ASSERT_EQ(messages.Boxes().size(), 1);
        EXPECT_EQ(messages.Boxes()[0].first, MsgKind::Warning);
        EXPECT_EQ(messages.Texts()[0], "M-Bus network configuration already exists for this configuration. "
                                       "Do you want to continue?");
        messages.QueueAnswer(true);
        EXPECT_EQ(RunClosingModals([&] { Btn("Btn_ScanDecode")->Click(); }), QStringList{"FScanDecode"});
        EXPECT_EQ(messages.Questions(), 2);
        DestroyProgramWindows();
    }
}

TEST_F(ShellTest, SelectTypeReadsTheSnmpMapType)
{
    const struct
    {
        int type;
        const char* parGen;   // nullptr: no file
        int result;
        bool enabled;
    } cases[] = {
        {18, nullptr, 1, true},
        {18, "<Par_Gen><PROFINET_IP1>1</PROFINET_IP1></Par_Gen>", 0, false},
        {18, "<Par_Gen><SNMP_MapType>1</SNMP_MapType></Par_Gen>", 1, true},
        {19, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen><!--SW_VERSION = 1.501-->", 0, false},
        {19, "<Par_Gen><SNMP_MapType>abc</SNMP_MapType></Par_Gen>", 0, false},
        {19, "<Par_Gen><SNMP_MapType>$1</SNMP_MapType></Par_Gen>", 1, true},
        {19, "<Par_Gen><SNMP_MapType>1</SNMP_MapType", 1, true},
        {1018, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.type).arg(QString::fromUtf8(c.parGen ? c.parGen : "-"))
                         .toStdString());
        Prepare(c.type);
        QDir().mkpath(Folder().Path() + "/PROJECTS/P");
        if (c.parGen)
            Folder().Write("PROJECTS/P/ParGen.xml", c.parGen);
        Folder().Write("Orvano.xml", SettingsFile("P"));
        // Showing the main window applies the map type.
        Start(c.type);
        EXPECT_EQ(Btn("Btn_SNMP_Trap")->isEnabled(), c.enabled);
        EXPECT_EQ(Btn("Btn_SNMP_MIB")->isEnabled(), c.enabled);
        EXPECT_EQ(Main().Select_Type(), c.result);
        DestroyProgramWindows();
    }
}

TEST_F(ShellTest, SnmpStepsFollowTheParametersWindowNotAProjectChange)
{
    Prepare(19);
    QDir().mkpath(Folder().Path() + "/PROJECTS/Off");
    QDir().mkpath(Folder().Path() + "/PROJECTS/On");
    Folder().Write("PROJECTS/Off/ParGen.xml", "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>");
    Folder().Write("Orvano.xml", SettingsFile("Off"));
    Start(19);
    EXPECT_FALSE(Btn("Btn_SNMP_Trap")->isEnabled());
    // Opening another project does not re-evaluate them...
    RunClosingModals([&] { Btn("Btn_Open")->Click(); }, mrCancel, [](QDialog*) {
        FOpenConf->ListBox1->setCurrentRow(1);
        FOpenConf->Btn_OK->Click();
    });
    ASSERT_EQ(ProjectName, "On");
    EXPECT_FALSE(Btn("Btn_SNMP_Trap")->isEnabled());
    // ...closing the parameters window does (no ParGen.xml: map type 1).
    EXPECT_EQ(RunClosingModals([&] { Btn("Btn_Prm_Gen")->Click(); }), QStringList{"FParGen"});
    EXPECT_TRUE(Btn("Btn_SNMP_Trap")->isEnabled());
    EXPECT_TRUE(Btn("Btn_SNMP_MIB")->isEnabled());
}

TEST_F(ShellTest, SelectTypeWithoutAProjectReadsNothing)
{
    Prepare(18);
    Start(18);
    EXPECT_TRUE(File_ParGen.isEmpty());
    EXPECT_EQ(Main().Select_Type(), 1);
    EXPECT_TRUE(Btn("Btn_SNMP_Trap")->isEnabled());
    EXPECT_TRUE(Main().XML1.Doc().empty() || QString::fromUtf8(Main().XML1.Root().name()) != "Par_Gen");
}

TEST_F(ShellTest, UpdateDeviceStopsWhenTheBuildFails)
{
    Prepare(29);
    Start(29);
    Folder().OpenProject("P");
    Folder().Write("PROJECTS/P/DMX_Default_Values.xml", "<DMX_Default_Values><Row Default_Value=\"1\"");
    QString error;
    if (Build_And_Save_Banks(&error))
        GTEST_SKIP() << "the build does not check the project's files yet";
    EXPECT_TRUE(RunClosingModals([&] { Btn("Btn_CreateBin")->Click(); }).isEmpty());
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].first, MsgKind::Error);
    EXPECT_EQ(messages.Texts()[0], error);
}

// Starts program through Start_Program and waits for its outcome; took gets
// the time from the start to the outcome.
std::optional<platform::ProgramRun> RunThroughMain(TFOrvanoeFirmWare& main, const QString& program,
                                                   const QString& parameter, bool hidden, int limitMs,
                                                   qint64* took = nullptr)
{
    std::optional<platform::ProgramRun> outcome;
    QElapsedTimer clock;
    clock.start();
    if (!main.Start_Program(program, parameter, hidden, [&](const platform::ProgramRun& r) { outcome = r; }, limitMs))
        return outcome;
    WaitFor([&] { return outcome.has_value(); }, limitMs + 5000);
    if (took)
        *took = clock.elapsed();
    return outcome;
}

TEST_F(ShellTest, StartProgramReportsTheProgramsEndWithoutWaitingForIt)
{
    Start(29);
    const QString out = Folder().Path() + "/args.txt";
    const QString quick = Script(Folder(), "quick.sh",
                                 "for a in \"$@\"; do echo \"$a\"; done > \"" + out.toUtf8() + "\"\nsleep 0.3\nexit 3\n");
    // Start_Program returns at once; the outcome comes later.
    bool reported = false;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(Main().Start_Program(quick, "-a \"b c\" d", true, [&](const platform::ProgramRun&) { reported = true; },
                                     5000));
    EXPECT_LT(clock.elapsed(), 250);
    EXPECT_FALSE(reported);
    // A second program waits for the first one's end.
    EXPECT_FALSE(Main().Start_Program(quick, "", true, {}, 5000));
    ASSERT_TRUE(WaitFor([&] { return reported; }));
    EXPECT_GE(clock.elapsed(), 300);

    qint64 took = 0;
    const auto run = RunThroughMain(Main(), quick, "-a \"b c\" d", true, 5000, &took);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->status, platform::ProgramRun::Finished);
    EXPECT_EQ(run->exitCode, 3);
    EXPECT_GE(took, 300);
    EXPECT_LT(took, 3000);
    QFile args(out);
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(args.readAll(), "-a\nb c\nd\n");
}

TEST_F(ShellTest, StartProgramReportsAProgramThatCannotStart)
{
    Start(29);
    qint64 took = 0;
    const auto run = RunThroughMain(Main(), Folder().Path() + "/missing_updater", "", true, 5000, &took);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->status, platform::ProgramRun::NotStarted);
    EXPECT_FALSE(run->error.isEmpty());
    EXPECT_LT(took, 3000);
    // A file that is no program either.
    const QString text = Folder().Write("notes.txt", "not a program");
    const auto notProgram = RunThroughMain(Main(), text, "", false, 5000);
    ASSERT_TRUE(notProgram.has_value());
    EXPECT_EQ(notProgram->status, platform::ProgramRun::NotStarted);
}

TEST_F(ShellTest, StartProgramStopsWaitingAtTheLimitAndLeavesTheProgramRunning)
{
    Start(29);
    const QString sleeper = Script(Folder(), "sleeper.sh", "exec sleep 30\n");
    qint64 took = 0;
    const auto run = RunThroughMain(Main(), sleeper, "", true, 500, &took);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->status, platform::ProgramRun::TimedOut);
    EXPECT_GE(took, 500);
    EXPECT_LT(took, 3000);
    ASSERT_GT(run->pid, 0);
    EXPECT_TRUE(platform::IsProgramRunning(run->pid));
    ::kill(pid_t(run->pid), SIGKILL);
    EXPECT_TRUE(WaitFor([&] { return !platform::IsProgramRunning(run->pid); }));
}
