#include "settings.h"

#include "program_folder.h"
#include "workspace.h"
#include "xml_document.h"

#include <gtest/gtest.h>

namespace {

struct Expected
{
    const char* project;
    const char* ip;
    const char* language;
    bool internet, update, jump, autoSize;
};

void ExpectSettings(const Expected& e)
{
    EXPECT_EQ(ProjectName, QString::fromUtf8(e.project));
    EXPECT_EQ(LastIPAddress, QString::fromUtf8(e.ip));
    EXPECT_EQ(LanguageName, QString::fromUtf8(e.language));
    EXPECT_EQ(EnableInternet, e.internet);
    EXPECT_EQ(EnableUpdate, e.update);
    EXPECT_EQ(EnableJumpFieldTables, e.jump);
    EXPECT_EQ(DoubleClickAutoSize, e.autoSize);
}

QByteArray Flags(const char* i, const char* u, const char* j, const char* d)
{
    return QByteArray("<lastinternet><enable_internet>") + i + "</enable_internet><enable_update>" + u
           + "</enable_update><enable_jump_field_tables>" + j + "</enable_jump_field_tables><Double_Click_Auto_Size>"
           + d + "</Double_Click_Auto_Size></lastinternet>";
}

TEST(Settings, ReadingCases)
{
    struct Case
    {
        const char* name;
        QByteArray file;   // empty: no file
        Expected expected;
    };
    const QByteArray full = "<lastproj><projectname>Plant 1</projectname></lastproj>"
                            "<lastipadd><ipaddress>10.0.0.9</ipaddress></lastipadd>"
                            "<lastlang><language>Italiano</language></lastlang>";
    const Case cases[] = {
        {"no file", QByteArray(), {"", "192.168.2.205", "English", false, false, false, false}},
        {"all values", "<Conf_Settings>" + full + Flags("1", "1", "1", "1") + "</Conf_Settings>",
         {"Plant 1", "10.0.0.9", "Italiano", true, true, true, true}},
        {"root under another name", "<Other>" + full + Flags("1", "0", "1", "0") + "</Other>",
         {"Plant 1", "10.0.0.9", "Italiano", true, false, true, false}},
        {"no flags section", "<Conf_Settings>" + full + "</Conf_Settings>",
         {"Plant 1", "10.0.0.9", "Italiano", false, false, false, false}},
        {"flags other than exactly 1", "<Conf_Settings>" + Flags(" 1", "true", "", "01") + "</Conf_Settings>",
         {"", "192.168.2.205", "English", false, false, false, false}},
        {"update without internet", "<Conf_Settings>" + Flags("0", "1", "0", "0") + "</Conf_Settings>",
         {"", "192.168.2.205", "English", false, true, false, false}},
        {"empty address and project",
         "<Conf_Settings><lastproj><projectname/></lastproj><lastipadd><ipaddress></ipaddress></lastipadd></Conf_Settings>",
         {"", "", "English", false, false, false, false}},
        {"missing sections", "<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
         {"", "192.168.2.205", "Deutsch", false, false, false, false}},
        {"names are case-sensitive",
         "<Conf_Settings><LastProj><projectname>X</projectname></LastProj><lastipadd><IPaddress>1.2.3.4</IPaddress></lastipadd></Conf_Settings>",
         {"", "192.168.2.205", "English", false, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempProgramFolder folder;
        ProjectName = QStringLiteral("stale");
        EnableInternet = true;
        if (!c.file.isEmpty())
            folder.Write(QStringLiteral("Orvano.xml"), c.file);
        XmlDocument xml;
        QString error;
        EXPECT_TRUE(Read_Settings(xml, &error));
        EXPECT_TRUE(error.isEmpty());
        ExpectSettings(c.expected);
        EXPECT_TRUE(ProjectPath.isEmpty());
    }
}

TEST(Settings, MalformedFileGivesDefaultsAndTheParsersMessage)
{
    TempProgramFolder folder;
    folder.Write(QStringLiteral("Orvano.xml"), "<Conf_Settings><lastproj><projectname>A</lastproj>");
    ProjectName = QStringLiteral("stale");
    XmlDocument xml;
    QString error;
    EXPECT_FALSE(Read_Settings(xml, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Orvano.xml")));
    ExpectSettings({"", "192.168.2.205", "English", false, false, false, false});
}

TEST(Settings, WritesExactlyTheFourSectionsInOrder)
{
    TempProgramFolder folder;
    folder.Write(QStringLiteral("Orvano.xml"),
                 "<?xml version=\"1.0\"?><!-- old --><Conf_Settings><extra>x</extra><lastproj><projectname>A&amp;B</projectname>"
                 "</lastproj><lastlang><language>Italiano</language></lastlang>" + Flags("1", "0", "1", "1")
                     + "</Conf_Settings>");
    XmlDocument xml;
    // The declaration comes first, so it is taken as the root: every value is a default.
    ASSERT_TRUE(Read_Settings(xml));
    ProjectName = QStringLiteral("A&B");
    LanguageName = QStringLiteral("Italiano");
    EnableInternet = true;
    DoubleClickAutoSize = true;
    ASSERT_TRUE(Save_Setting(xml));
    EXPECT_EQ(folder.Read(QStringLiteral("Orvano.xml")),
              QByteArray("<Conf_Settings><lastproj><projectname>A&amp;B</projectname></lastproj>"
                         "<lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
                         "<lastlang><language>Italiano</language></lastlang>")
                  + Flags("1", "0", "0", "1") + "</Conf_Settings>");

    // Read back and write again: nothing changes.
    ResetWorkspace();
    SetProgramFolders(folder.Path());
    ASSERT_TRUE(Read_Settings(xml));
    EXPECT_EQ(ProjectName, QStringLiteral("A&B"));
    const QByteArray first = folder.Read(QStringLiteral("Orvano.xml"));
    ASSERT_TRUE(Save_Setting(xml));
    EXPECT_EQ(folder.Read(QStringLiteral("Orvano.xml")), first);
}

TEST(Settings, EmptyProjectNameIsWrittenEmpty)
{
    TempProgramFolder folder;
    XmlDocument xml;
    ASSERT_TRUE(Read_Settings(xml));
    ASSERT_TRUE(Save_Setting(xml));
    EXPECT_TRUE(folder.Read(QStringLiteral("Orvano.xml")).startsWith("<Conf_Settings><lastproj><projectname/></lastproj>"));
    ASSERT_TRUE(Read_Settings(xml));
    EXPECT_EQ(ProjectName, QString());
}

TEST(Settings, UnwritableFileIsReported)
{
    TempProgramFolder folder;
    SetProgramFolders(folder.Path() + QStringLiteral("/missing"));
    XmlDocument xml;
    QString error;
    EXPECT_FALSE(Save_Setting(xml, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Orvano.xml")));
}

} // namespace
