#include "program_folder.h"
#include "qt_print.h"
#include "snmp_map_type.h"
#include "workspace.h"

#include <gtest/gtest.h>

namespace {

QByteArray ParGen(const char* element)
{
    return QByteArray("<Par_Gen><PROFINET_IP1>192</PROFINET_IP1>") + element + "</Par_Gen><!--SW_VERSION = 1.605-->";
}

TEST(SnmpMapType, OneRuleForCompilerAndUpdater)
{
    const QByteArray one = ParGen("<SNMP_MapType>1</SNMP_MapType>");
    const QByteArray zero = ParGen("<SNMP_MapType>0</SNMP_MapType>");
    const QByteArray two = ParGen("<SNMP_MapType>2</SNMP_MapType>");
    const QByteArray missing = ParGen("");
    const QByteArray bad = ParGen("<SNMP_MapType>x</SNMP_MapType>");
    const QByteArray hex = ParGen("<SNMP_MapType>$1</SNMP_MapType>");
    const QByteArray nested = ParGen("<SNMP_MapType><v>1</v></SNMP_MapType>");
    const QByteArray commentFirst = "<!--c--><Par_Gen><SNMP_MapType>1</SNMP_MapType></Par_Gen>";
    const struct
    {
        int type;
        const QByteArray* parGen;
        int expected;
    } cases[] = {
        {18, nullptr, 1},        {18, &one, 1},   {18, &zero, 0},    {18, &two, 2},
        {18, &missing, 0},       {18, &bad, 0},   {18, &hex, 1},     {18, &nested, 0},
        {18, &commentFirst, 0},  // the root is the first node, here a comment
        {16, nullptr, 0},        {16, &one, 1},   {16, &missing, 0},
        {19, nullptr, 0},        {19, &one, 1},   {19, &zero, 0},
        {1018, nullptr, 1},      {1018, &zero, 1}, {1018, &missing, 1},
        {11, &one, 0},           {20, &one, 0},   {29, nullptr, 0},
    };
    for (const auto& c : cases) {
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        if (c.parGen)
            folder.Write(QStringLiteral("PROJECTS/P/ParGen.xml"), *c.parGen);
        QString error;
        EXPECT_EQ(Read_SNMP_Map_Type(&error), c.expected)
            << "type " << c.type << " file " << (c.parGen ? c.parGen->constData() : "(none)");
        EXPECT_TRUE(error.isEmpty());
        EXPECT_EQ(Read_SNMP_Map_Type(), c.expected);
    }
}

TEST(SnmpMapType, MalformedParGenIsReported)
{
    for (int type : {16, 18, 19}) {
        TempProgramFolder folder(type);
        folder.OpenProject();
        folder.Write(QStringLiteral("PROJECTS/P/ParGen.xml"), "<Par_Gen><SNMP_MapType>1</Par_Gen>");
        QString error;
        Read_SNMP_Map_Type(&error);
        EXPECT_TRUE(error.contains(QStringLiteral("ParGen.xml"))) << error.toStdString();
    }
    // Type 1018 does not read the file at all.
    TempProgramFolder folder(1018);
    folder.OpenProject();
    folder.Write(QStringLiteral("PROJECTS/P/ParGen.xml"), "<Par_Gen>");
    QString error;
    EXPECT_EQ(Read_SNMP_Map_Type(&error), 1);
    EXPECT_TRUE(error.isEmpty());
}

TEST(SnmpMapType, NoProjectCountsAsNoParGen)
{
    TempProgramFolder folder(18);
    EXPECT_TRUE(File_ParGen.isEmpty());
    EXPECT_EQ(Read_SNMP_Map_Type(), 1);
}

} // namespace
