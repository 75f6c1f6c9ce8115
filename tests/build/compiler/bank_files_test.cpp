// Which bank files each device type writes, how they are written, and what
// happens when a reader or a file fails.
#include "compiler_fixture.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int No = -1;   // the file is not written

struct FilesCase
{
    int type;
    int sizes[4];   // bank.bin, bank1.bin, bank2.bin, bank3.bin
};

// With no project files.
const FilesCase kNoFiles[] = {
    {0, {No, 2048, 0, No}},      {1, {16384, No, No, No}},     {2, {2048, No, No, No}},
    {3, {2048, No, No, No}},     {4, {2048, No, No, No}},      {5, {2048, No, No, No}},
    {6, {No, 2048, 32768, No}},  {7, {No, 2048, 32768, No}},   {8, {No, 2560, 57344, No}},
    {9, {2048, No, No, No}},     {10, {2057, 2048, 9, 0}},     {11, {2048, 2048, 30720, No}},
    {12, {2048, No, No, No}},    {21, {2057, 2048, 9, 0}},
    {13, {2048, No, No, No}},    {14, {No, 2048, 32768, No}},  {15, {No, 26624, 0, No}},
    {16, {26624, No, No, No}},   {17, {2048, No, No, No}},     {18, {26624, No, No, No}},
    {19, {57344, 2048, 0, No}},  {20, {26624, No, No, No}},    {22, {2560, No, No, No}},
    {23, {2048, No, No, No}},    {24, {No, 2048, 57344, No}},  {25, {2048, No, No, No}},
    {26, {2048, No, No, No}},    {27, {No, 2048, 0, No}},      {28, {No, 2048, 32768, No}},
    {29, {No, 2048, 512, No}},   {1018, {26624, No, No, No}},
};

const char* const kNames[4] = {"bank.bin", "bank1.bin", "bank2.bin", "bank3.bin"};

void ExpectFiles(const CompilerProject& project, const int (&sizes)[4])
{
    for (int i = 0; i < 4; ++i) {
        const QFileInfo info(project.Bin(kNames[i]));
        if (sizes[i] == No) {
            EXPECT_FALSE(info.exists()) << kNames[i];
        } else {
            EXPECT_TRUE(info.isFile()) << kNames[i];
            EXPECT_EQ(info.size(), sizes[i]) << kNames[i];
        }
    }
}

TEST(BankFiles, FilesAndSizesByTypeWithoutProjectFiles)
{
    for (const FilesCase& c : kNoFiles) {
        SCOPED_TRACE(c.type);
        CompilerProject project(c.type);
        QString error;
        ASSERT_TRUE(Build_And_Save_Banks(&error)) << error.toStdString();
        ExpectFiles(project, c.sizes);
    }
}

// The models of this frame with their project files: the sizes do not change.
TEST(BankFiles, FilesAndSizesWithEachModelsFiles)
{
    const QByteArray parGen = ParGenXml({{"PROFINET_IP1", "10"}, {"PROFINET_NB_IN", "20"}, {"DMX_TYPE", "1"}});
    QByteArray dmx = "<DMX_Default_Values>";
    for (int i = 0; i < 600; ++i)
        dmx += "<Row Default_Value=\"7\"/>";
    dmx += "</DMX_Default_Values>";
    const QByteArray traps = "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write/></SNMP_Trap>";
    for (const FilesCase& c : kNoFiles) {
        if (!QList<int>{2, 3, 9, 12, 13, 17, 20, 22, 23, 29}.contains(c.type))
            continue;
        SCOPED_TRACE(c.type);
        CompilerProject project(c.type);
        project.WriteParGen(parGen);
        project.WriteFile(File_DMX_Default_Values, dmx);
        project.WriteFile(File_SNMP_Trap, traps);
        QString error;
        ASSERT_TRUE(Build_And_Save_Banks(&error)) << error.toStdString();
        ExpectFiles(project, c.sizes);
    }
}

TEST(BankFiles, EveryModelHasARowAndNoOtherTypeDoes)
{
    CompilerProject project(29);
    QList<BankFile> files;
    QString error;
    for (int type : {-1, 30, 31, 1017, 1019}) {
        EXPECT_FALSE(Build_Banks(type, files, &error)) << type;
        EXPECT_TRUE(error.contains(QString::number(type))) << error.toStdString();
    }
}

TEST(BankFiles, AFileTheTypeDoesNotWriteIsLeftAlone)
{
    CompilerProject project(29);
    project.WriteFile(project.Bin("bank.bin"), "older");
    project.WriteFile(project.Bin("bank3.bin"), "older3");
    ASSERT_TRUE(Build_And_Save_Banks(nullptr));
    EXPECT_EQ(project.ReadBin("bank.bin"), QByteArray("older"));
    EXPECT_EQ(project.ReadBin("bank3.bin"), QByteArray("older3"));
    EXPECT_EQ(project.ReadBin("bank1.bin").size(), 2048);
}

TEST(BankFiles, MissingBinFolderIsCreated)
{
    CompilerProject project(9);
    ASSERT_TRUE(QDir(ProjectPath + "/bin").removeRecursively());
    QString error;
    ASSERT_TRUE(Build_And_Save_Banks(&error)) << error.toStdString();
    EXPECT_EQ(project.ReadBin("bank.bin").size(), 2048);
}

TEST(BankFiles, AFileThatCannotBeWrittenIsReportedByName)
{
    CompilerProject project(29);
    ASSERT_TRUE(QDir().mkpath(project.Bin("bank2.bin")));   // a folder in the file's place
    QString error;
    EXPECT_FALSE(Build_And_Save_Banks(&error));
    EXPECT_TRUE(error.contains(project.Bin("bank2.bin"))) << error.toStdString();
}

TEST(BankFiles, ABinThatIsNotAFolderIsReported)
{
    CompilerProject project(9);
    ASSERT_TRUE(QDir(ProjectPath + "/bin").removeRecursively());
    project.WriteFile(ProjectPath + "/bin", "not a folder");
    QString error;
    EXPECT_FALSE(Build_And_Save_Banks(&error));
    EXPECT_TRUE(error.contains("bin")) << error.toStdString();
}

TEST(BankFiles, NoProjectIsAnError)
{
    CompilerProject project(9);
    ProjectPath.clear();
    QString error;
    EXPECT_FALSE(Build_And_Save_Banks(&error));
    EXPECT_FALSE(error.isEmpty());
}

// A reader error: the message names the file, earlier bank files keep their
// bytes, and no new file appears.
TEST(BankFiles, MalformedProjectFileStopsTheBuildBeforeAnyFileIsWritten)
{
    const struct
    {
        int type;
        QString* file;
        const char* existing;   // a bank file present before the build
        const char* absent;     // a bank file the build would have created
    } cases[] = {
        {29, &File_ParGen, "bank1.bin", "bank2.bin"},
        {22, &File_ParGen, "bank.bin", nullptr},
        {9, &File_ParGen, "bank.bin", nullptr},
        {3, &File_ParGen, "bank.bin", nullptr},
        {2, &File_ParGen, nullptr, "bank.bin"},
        {12, &File_ParGen, nullptr, "bank.bin"},
        {13, &File_ParGen, nullptr, "bank.bin"},
        {17, &File_ParGen, nullptr, "bank.bin"},
        {23, &File_ParGen, nullptr, "bank.bin"},
        {20, &File_ParGen, nullptr, "bank.bin"},
        {29, &File_DMX_Default_Values, "bank1.bin", "bank2.bin"},
        {22, &File_DMX_Default_Values, nullptr, "bank.bin"},
        {20, &File_SNMP_Trap, "bank.bin", nullptr},
        {4, &File_ParGen, nullptr, "bank.bin"},   // a family whose tables are to come
    };
    for (const auto& c : cases) {
        CompilerProject project(c.type);
        SCOPED_TRACE(std::to_string(c.type) + " " + c.file->toStdString());
        project.WriteFile(*c.file, "<Par_Gen><PROFINET_IP1>1</PROFINET_IP2></Par_Gen>");
        if (c.existing)
            project.WriteFile(project.Bin(c.existing), "earlier bytes");
        QString error;
        EXPECT_FALSE(Build_And_Save_Banks(&error));
        EXPECT_TRUE(error.contains(*c.file)) << error.toStdString();
        if (c.existing) {
            EXPECT_EQ(project.ReadBin(c.existing), QByteArray("earlier bytes"));
        }
        if (c.absent) {
            EXPECT_FALSE(QFileInfo::exists(project.Bin(c.absent)));
        }
        EXPECT_EQ(QDir(ProjectPath + "/bin").entryList(QDir::Files).size(), c.existing ? 1 : 0);
    }
}

// A document with a second element beside its root is not well-formed
// either, though the parser takes it: it stops the build too.
TEST(BankFiles, ASecondElementBesideTheRootStopsTheBuild)
{
    const struct
    {
        int type;
        QString* file;
        const char* root;
    } files[] = {
        {9, &File_ParGen, "Par_Gen"},
        {29, &File_DMX_Default_Values, "DMX_Default_Values"},
        {4, &File_ModbusM_SetAccess, "EtherNetIP_to_Modbus"},
        {10, &File_M_Bus, "M-Bus_Network"},
    };
    const char* const shapes[] = {"<%1/><%1/>", "<%1/><!--SW_VERSION = 1.000--><x/>", "<!--a--><x/><%1></%1>"};
    for (const auto& f : files)
        for (const char* shape : shapes) {
            SCOPED_TRACE(std::to_string(f.type) + " " + shape);
            CompilerProject project(f.type);
            project.WriteFile(*f.file, QString::fromLatin1(shape).arg(QLatin1String(f.root)).toUtf8());
            QString error;
            EXPECT_FALSE(Build_And_Save_Banks(&error));
            EXPECT_TRUE(error.contains(*f.file)) << error.toStdString();
            EXPECT_TRUE(QDir(ProjectPath + "/bin").entryList(QDir::Files).isEmpty());
        }
    // Comments, a declaration and blanks beside the root are allowed.
    CompilerProject project(9);
    project.WriteParGen("<?xml version=\"1.0\"?>\n<!--a--> <Par_Gen/>\n<!--SW_VERSION = 1.000-->\n");
    QString error;
    EXPECT_TRUE(Build_And_Save_Banks(&error)) << error.toStdString();
}

QMap<QString, QByteArray> BinFiles(const CompilerProject& project)
{
    QMap<QString, QByteArray> out;
    for (const char* name : kNames)
        if (QFileInfo::exists(project.Bin(name)))
            out.insert(name, project.ReadBin(name));
    return out;
}

TEST(BankFiles, BuildingTwiceGivesIdenticalFiles)
{
    for (int type : {29, 22, 20, 9, 3}) {
        SCOPED_TRACE(type);
        CompilerProject project(type);
        project.WriteParGen(ParGenXml({{"PROFINET_IP1", "10"}, {"PROFINET_NAME_STA", "abc"}, {"DMX_TYPE", "0"},
                                       {"SNMP_VERSION3", "1"}, {"SNMP_VER3_USER", "user"}}));
        project.WriteFile(File_DMX_Default_Values, "<DMX_Default_Values><Row Default_Value=\"9\"/></DMX_Default_Values>");
        ASSERT_TRUE(Build_And_Save_Banks(nullptr));
        const auto first = BinFiles(project);
        ASSERT_TRUE(Build_And_Save_Banks(nullptr));
        EXPECT_EQ(BinFiles(project), first);
    }
}

// Nothing of an earlier build reaches the next: after a project file is
// removed, the build equals a fresh build of a project without it.
TEST(BankFiles, BuildAfterRemovingAFileEqualsAFreshBuild)
{
    const struct
    {
        int type;
        QString* removed;
    } cases[] = {
        {29, &File_DMX_Default_Values}, {22, &File_DMX_Default_Values}, {29, &File_ParGen},
        {9, &File_ParGen},              {3, &File_ParGen},              {20, &File_ParGen},
        {13, &File_ParGen},
    };
    const QByteArray parGen = ParGenXml({{"PROFINET_NAME_STA", "a-long-station-name"},
                                         {"PROFINET_NB_IN", "77"},
                                         {"SNMP_VERSION3", "1"},
                                         {"SNMP_VER3_SECURITY_LEVEL", "Auth Priv"},
                                         {"SNMP_VER3_PRIVACY", "secret"},
                                         {"PROFIBUS_SLAVE_RESET_DATA", "1"},
                                         {"EtherNetIP_IP4", "77"}});
    const QByteArray dmx = "<DMX_Default_Values><Row Default_Value=\"200\"/><Row Default_Value=\"100\"/></DMX_Default_Values>";
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.removed->toStdString());
        QMap<QString, QByteArray> fresh;
        {
            CompilerProject project(c.type);
            if (c.removed != &File_ParGen)
                project.WriteParGen(parGen);
            if (c.removed != &File_DMX_Default_Values)
                project.WriteFile(File_DMX_Default_Values, dmx);
            ASSERT_TRUE(Build_And_Save_Banks(nullptr));
            fresh = BinFiles(project);
        }
        CompilerProject project(c.type);
        project.WriteParGen(parGen);
        project.WriteFile(File_DMX_Default_Values, dmx);
        ASSERT_TRUE(Build_And_Save_Banks(nullptr));
        const auto before = BinFiles(project);
        ASSERT_TRUE(QFile::remove(*c.removed));
        ASSERT_TRUE(Build_And_Save_Banks(nullptr));
        EXPECT_EQ(BinFiles(project), fresh);
        EXPECT_NE(BinFiles(project), before);
    }
}

} // namespace
