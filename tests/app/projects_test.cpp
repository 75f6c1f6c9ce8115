#include "shell_fixture.h"

#include "device_type.h"
#include "new_project_window.h"
#include "open_conf_window.h"
#include "project_files.h"
#include "workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

// The project files set per type besides ParGen.xml and SNMP_Trap.xml.
const struct
{
    QList<int> types;
    QStringList files;
} kTypeFiles[] = {
    {{0, 15, 27}, {"CAN_Rec_Frames.xml", "CAN_Send_Frames.xml", "CAN_Rec_Info.xml", "CAN_Send_Info.xml"}},
    {{1}, {"DNETM_Net.xml", "DNETM_DefOff.xml"}},
    {{4, 18, 25, 1018}, {"ModbusM_SetAccess.xml"}},
    {{6, 14}, {"J1939_Rec_Frames.xml", "J1939_Send_Frames.xml"}},
    {{7, 28}, {"NMEA_Rec_Frames.xml", "NMEA_Send_Frames.xml"}},
    {{8, 24}, {"SDO_Server_CANopen.xml", "SDO_Client_CANopen.xml", "PDO_CANopen.xml", "ReStart_CANopen.xml",
               "NodeGuard.xml"}},
    {{10, 21}, {"M_Bus.xml"}},
    {{11, 19}, {"ModbusTCPM_SetAccess.xml"}},
    {{22, 29}, {"DMX_Default_Values.xml"}},
};

QStringList SetFiles()
{
    QStringList set;
    for (const ProjectFile& f : ProjectFiles) {
        if (f.path->isEmpty())
            continue;
        EXPECT_EQ(*f.path, ProjectPath + "/" + f.fileName);
        set.append(QString::fromLatin1(f.fileName));
    }
    set.sort();
    return set;
}

// Types name into the new project window and clicks OK.
std::function<void(QDialog*)> TypeName(const QString& name)
{
    return [name](QDialog*) {
        FNew_Project->E_New_Proj->setText(name);
        FNew_Project->Btn_OK->Click();
    };
}

} // namespace

TEST(ProjectFiles, SetForTheTypeOnly)
{
    int count = 0;
    const DeviceTypeInfo* all = AllDeviceTypes(&count);
    for (int i = 0; i < count; ++i) {
        const int type = all[i].type;
        TempProgramFolder folder(type);
        ProjectPath = ProjectsDir + "/P";
        SetProjectFiles();
        QStringList expected = {"ParGen.xml", "SNMP_Trap.xml"};
        for (const auto& row : kTypeFiles)
            if (row.types.contains(type))
                expected += row.files;
        expected.sort();
        EXPECT_EQ(SetFiles(), expected) << type;

        // No project open: no path at all, so nothing can touch a file.
        ProjectPath.clear();
        SetProjectFiles();
        EXPECT_TRUE(SetFiles().isEmpty()) << type;
    }
}

TEST(ProjectFiles, NameChecks)
{
    const QStringList existing = {"Alpha", "beta"};
    const struct
    {
        const char* name;
        int text;
    } cases[] = {
        {"", 45},          {"Alpha", 44},     {"ALPHA", 44},      {"Beta", 44},      {"Gamma", 0},
        {"x/y", 43},       {"x\\y", 43},      {"a:b", 43},        {"..", 43},        {".", 43},
        {"../up", 43},     {" lead", 43},     {"trail ", 43},     {"dot.", 43},      {".hidden", 43},
        {"tab\there", 43}, {"a*b", 43},       {"q?", 43},         {"<x>", 43},       {"a|b", 43},
        {"say\"hi\"", 43}, {"CON", 43},       {"com1", 43},       {"lpt9.txt", 43},  {"COM10", 0},
        {"Plant 7.2", 0},  {"Ünïcode", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckProjectName(QString::fromUtf8(c.name), existing), c.text) << c.name;
}

TEST_F(ShellTest, NewProjectCreatesItsFolderAndOpensIt)
{
    Start(29);
    const QStringList opened = RunClosingModals([&] { Btn("Btn_New")->Click(); }, mrCancel, TypeName("A"));
    EXPECT_EQ(opened, QStringList{"FNew_Project"});
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join("|").toStdString();
    EXPECT_TRUE(QFileInfo(Folder().Path() + "/PROJECTS/A/bin").isDir());
    EXPECT_EQ(QDir(Folder().Path() + "/PROJECTS/A").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"bin"});
    EXPECT_EQ(ProjectName, "A");
    EXPECT_EQ(ProjectPath, Folder().Path() + "/PROJECTS/A");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf"), "Opened Configuration of the Converter : ");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf_L2"), "A");
    EXPECT_EQ(SetFiles(), (QStringList{"DMX_Default_Values.xml", "ParGen.xml", "SNMP_Trap.xml"}));
}

TEST_F(ShellTest, NewProjectRefusesBadNamesAndStaysOpen)
{
    Prepare(29);
    QDir().mkpath(Folder().Path() + "/PROJECTS/Alpha");
    Start(29);
    const struct
    {
        const char* name;
        const char* message;
    } cases[] = {
        {"", "Error! Name Project is not valid"},
        {"Alpha", "Error! Name project is not valid because directory already exists"},
        {"aLPHA", "Error! Name project is not valid because directory already exists"},
        {"../Outside", "Error! Name project is not valid"},
        {"a/b", "Error! Name project is not valid"},
        {"name ", "Error! Name project is not valid"},
        {"a:b", "Error! Name project is not valid"},
    };
    for (const auto& c : cases) {
        messages.Clear();
        FNew_Project->setResult(0);
        FNew_Project->E_New_Proj->setText(QString::fromUtf8(c.name));
        FNew_Project->Btn_OKClick();
        EXPECT_EQ(messages.Texts(), QStringList{c.message}) << c.name;
        EXPECT_EQ(messages.Boxes().value(0).first, MsgKind::Error);
        EXPECT_EQ(FNew_Project->result(), 0) << c.name;
    }
    EXPECT_FALSE(QFileInfo::exists(Folder().Path() + "/Outside"));
    EXPECT_EQ(QDir(Folder().Path() + "/PROJECTS").entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{"Alpha"});
    EXPECT_TRUE(ProjectPath.isEmpty());

    // PROJECTS gone: the folder cannot be made.
    QDir(Folder().Path() + "/PROJECTS").removeRecursively();
    messages.Clear();
    FNew_Project->E_New_Proj->setText("Fine");
    FNew_Project->Btn_OKClick();
    EXPECT_EQ(messages.Texts(), QStringList{"Error! Name project is not valid"});
    EXPECT_TRUE(ProjectPath.isEmpty());
}

TEST_F(ShellTest, NewProjectWindowEmptiesTheBoxAndTakesEnterAsOK)
{
    Start(29);
    const QStringList opened = RunClosingModals([&] { Btn("Btn_New")->Click(); }, mrCancel, [](QDialog*) {
        EXPECT_TRUE(FNew_Project->E_New_Proj->text().isEmpty());
        FNew_Project->E_New_Proj->setText("ByEnter");
        SendKey(FNew_Project->E_New_Proj, Qt::Key_Return);
    });
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(ProjectName, "ByEnter");
    EXPECT_TRUE(QFileInfo(Folder().Path() + "/PROJECTS/ByEnter/bin").isDir());
    // Shown again: the box is empty once more.
    RunClosingModals([&] { Btn("Btn_New")->Click(); }, mrCancel,
                     [](QDialog*) { EXPECT_TRUE(FNew_Project->E_New_Proj->text().isEmpty()); });
}

TEST_F(ShellTest, CancelInEitherWindowChangesNothing)
{
    Prepare(29);
    QDir().mkpath(Folder().Path() + "/PROJECTS/Other");
    Start(29);
    RunClosingModals([&] { Btn("Btn_New")->Click(); }, mrCancel, [](QDialog*) {
        FNew_Project->E_New_Proj->setText("Never");
        FNew_Project->Btn_Cancel->Click();
    });
    RunClosingModals([&] { Btn("Btn_Open")->Click(); }, mrCancel, [](QDialog*) { FOpenConf->Btn_Cancel->Click(); });
    EXPECT_FALSE(QFileInfo::exists(Folder().Path() + "/PROJECTS/Never"));
    EXPECT_TRUE(ProjectPath.isEmpty());
    EXPECT_TRUE(File_ParGen.isEmpty());
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf"), "None Configuration Opened ");
}

TEST_F(ShellTest, OpenListsProjectsSortedAndPreselectsTheOpenOneWhateverItsCase)
{
    Prepare(0);
    for (const char* name : {"c", "A", "b", "_z"})
        QDir().mkpath(Folder().Path() + "/PROJECTS/" + name);
    Folder().Write("PROJECTS/not_a_folder.txt", "x");
    Start(0);
    ProjectName = "B";
    ProjectPath = ProjectsDir + "/B";

    QStringList listed;
    int selected = -1;
    RunClosingModals([&] { Btn("Btn_Open")->Click(); }, mrCancel, [&](QDialog*) {
        for (int i = 0; i < FOpenConf->ListBox1->count(); ++i)
            listed.append(FOpenConf->ListBox1->item(i)->text());
        selected = FOpenConf->ListBox1->currentRow();
        FOpenConf->ListBox1->setCurrentRow(3);
        FOpenConf->Btn_OK->Click();
    });
    EXPECT_EQ(listed, (QStringList{"_z", "A", "b", "c"}));
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(ProjectName, "c");
    EXPECT_EQ(ProjectPath, Folder().Path() + "/PROJECTS/c");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf"), "Opened Configuration of the Converter : ");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf_L2"), "c");
    EXPECT_EQ(File_CAN_Rec_Info, ProjectPath + "/CAN_Rec_Info.xml");
    EXPECT_TRUE(File_DMX_Default_Values.isEmpty());
}

TEST_F(ShellTest, OpenWithAnEmptyListLeavesNoProjectOpen)
{
    Start(29);
    RunClosingModals([&] { Btn("Btn_Open")->Click(); }, mrCancel, [](QDialog*) {
        EXPECT_EQ(FOpenConf->ListBox1->count(), 0);
        FOpenConf->Btn_OK->Click();
    });
    EXPECT_TRUE(ProjectName.isEmpty());
    EXPECT_TRUE(ProjectPath.isEmpty());
    EXPECT_TRUE(File_ParGen.isEmpty());
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf"), "None Configuration Opened ");
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf_L2"), "Use Step1 to open or create new configuration");
}

TEST_F(ShellTest, ACreatedProjectIsListedAndPreselected)
{
    Prepare(29);
    QDir().mkpath(Folder().Path() + "/PROJECTS/Zeta");
    Start(29);
    RunClosingModals([&] { Btn("Btn_New")->Click(); }, mrCancel, TypeName("Beta"));
    QString current;
    RunClosingModals([&] { Btn("Btn_Open")->Click(); }, mrCancel,
                     [&](QDialog*) { current = FOpenConf->ListBox1->currentItem()->text(); });
    EXPECT_EQ(current, "Beta");
    EXPECT_EQ(FOpenConf->Name_Conf, "Beta");
    EXPECT_EQ(ProjectName, "Beta");
}
