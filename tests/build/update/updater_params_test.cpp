#include "file_size_limit.h"
#include "parameter_file.h"
#include "program_folder.h"
#include "qt_print.h"
#include "updater_params.h"
#include "workspace.h"
#include "xml_document.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kAddress = QStringLiteral("192.168.2.205");

std::vector<std::string> Composed(int type, const UpdateOptions& options, int mapType = 1)
{
    XmlDocument doc;
    Compose_Update_Parameters(doc, type, kAddress, options, mapType);
    return FlatParameterFile(doc.ToBytes());
}

// "" when the composed file is the expected one.
std::string Mismatch(int type, const UpdateOptions& options, const ExpectedFile& expected)
{
    return FirstDifference(Composed(type, options), expected.Flat());
}

struct BankRow
{
    const char* file;
    const char* start;
    const char* goToApp;
};

struct StandardCase
{
    int type;
    const char* title;
    const char* port;
    const char* protection;
    const char* image;
    std::vector<BankRow> banks;
};

TEST(UpdaterParameters, StandardVariantOfEveryType)
{
    TempProgramFolder folder(6);
    folder.OpenProject();
    const StandardCase cases[] = {
        {6, "Keltrona - QS52320 Ethernet Update", "5000", "0x7A", "Sim52320.sim",
         {{"bank1.bin", "0x68000", "0"}, {"bank2.bin", "0x58000", "1"}}},
        {8, "Keltrona - QS52290 Ethernet Update", "10000", "0x7F", "Sim52290.sim",
         {{"bank1.bin", "0x68000", "0"}, {"bank2.bin", "0x56000", "1"}}},
        {9, "Keltrona - QS52230 Ethernet Update", "10000", "0x80", "Sim52230.sim", {{"bank.bin", "0x68000", "1"}}},
        {11, "Keltrona - QS52330 Ethernet Update", "5000", "0xD5", "Sim52330.sim",
         {{"bank1.bin", "0x68000", "0"}, {"bank2.bin", "0x58000", "1"}}},
        {12, "Keltrona - QS52340 Ethernet Update", "5000", "0xD6", "Sim52340.sim", {{"bank.bin", "0x68000", "1"}}},
        {13, "Keltrona - QS52370 Ethernet Update", "5000", "0xFD", "Sim52370.sim", {{"bank.bin", "0x68000", "1"}}},
        {16, "Keltrona - QS52070 Ethernet Update", "10000", "0xFB", "Sim52070.sim", {{"bank.bin", "0x68000", "1"}}},
        {18, "Keltrona - QS52060 Ethernet Update", "10000", "0xFF", "Sim52060.sim", {{"bank.bin", "0x62000", "1"}}},
        {19, "Keltrona - QS52080 Ethernet Update", "10000", "0x100", "Sim52080.sim", {{"bank.bin", "0x62000", "1"}}},
        {20, "Keltrona - QS52350 Ethernet Update", "5000", "0xE8", "Sim52350.sim", {{"bank.bin", "0x68000", "1"}}},
        {25, "Keltrona - QS527-K101 Ethernet Update", "5000", "0x1AB", "Sim527-K101.sim",
         {{"bank.bin", "0x68000", "1"}}},
        {26, "Keltrona - QS527-K102 Ethernet Update", "5000", "0x1AC", "Sim527-K102.sim",
         {{"bank.bin", "0x68000", "1"}}},
        {27, "Keltrona - QS52140 Ethernet Update", "5000", "0x1BF", "Sim52140.sim",
         {{"bank1.bin", "0x68000", "0"}, {"bank2.bin", "0x50000", "1"}}},
        {28, "Keltrona - QS52190 Ethernet Update", "10000", "0x1E1", "Sim52190.sim",
         {{"bank1.bin", "0x68000", "0"}, {"bank2.bin", "0x58000", "1"}}},
        {1018, "Brenhart - TKL-VRN Desktop Ethernet Update", "10000", "0xFF", "Sim52060.sim",
         {{"bank.bin", "0x62000", "1"}}},
    };
    for (const StandardCase& c : cases) {
        UpdaterRoute route;
        ASSERT_TRUE(UpdaterRouteOf(c.type, route)) << c.type;
        EXPECT_EQ(route.kind, UpdaterKind::Standard) << c.type;
        EXPECT_EQ(route.program, c.type == 1018 ? QStringLiteral("Ethernet_Update_BH.exe")
                                                : QStringLiteral("Ethernet_Update.exe"));
        EXPECT_EQ(route.readsMapType, c.type == 16 || c.type == 18 || c.type == 19 || c.type == 1018) << c.type;

        ExpectedFile e{QString::fromLatin1(c.title), kAddress, QString::fromLatin1(c.port), QStringLiteral("0x78000"),
                       {QString::fromLatin1(c.protection)}, {}};
        e.operations.append(StdFirmware(c.image, false, "0"));
        for (const BankRow& b : c.banks)
            e.operations.append(StdBank(b.file, b.start, true, b.goToApp));
        EXPECT_EQ(Mismatch(c.type, Opts(true, false, true, true), e), "") << "type " << c.type;
    }
}

TEST(UpdaterParameters, StandardVariantOptionCombinations)
{
    TempProgramFolder folder(6);
    folder.OpenProject();
    const ExpectedFile base = Header("QS52320", "5000", "0x78000", {"0x7A"});
    {
        // Nothing chosen: an empty operations list.
        EXPECT_EQ(Mismatch(6, Opts(false, false, false, false), base), "");
        // The read-back boxes alone write nothing either.
        EXPECT_EQ(Mismatch(6, Opts(false, true, false, true), base), "");
    }
    {
        ExpectedFile e = base;
        e.operations = {StdFirmware("Sim52320.sim", true, "1")};
        EXPECT_EQ(Mismatch(6, Opts(true, true, false, false), e), "") << "firmware only";
    }
    {
        ExpectedFile e = base;
        e.operations = {StdFirmware("Sim52320.sim", true, "0"), StdBank("bank1.bin", "0x68000", false, "0"),
                        StdBank("bank2.bin", "0x58000", false, "1")};
        EXPECT_EQ(Mismatch(6, Opts(true, true, true, false), e), "") << "firmware and configuration";
    }
    {
        ExpectedFile e = Header("QS52230", "10000", "0x78000", {"0x80"});
        e.operations = {StdBank("bank.bin", "0x68000", true, "1")};
        EXPECT_EQ(Mismatch(9, Opts(false, false, true, true), e), "") << "type 9 configuration only";
    }
}

TEST(UpdaterParameters, MapTypeChoosesTheFirmwareImage)
{
    TempProgramFolder folder(18);
    const struct
    {
        int type;
        int mapType;
        const char* image;
    } cases[] = {
        {18, 1, "Sim52060.sim"},  {18, 0, "Sim52060_FixMap.sim"}, {18, 2, "Sim52060_FixMap.sim"},
        {16, 1, "Sim52070.sim"},  {16, 0, "Sim52070_FixMap.sim"}, {19, 1, "Sim52080.sim"},
        {19, -1, "Sim52080_FixMap.sim"}, {1018, 1, "Sim52060.sim"}, {9, 0, "Sim52230.sim"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StandardFirmwareImage(c.type, c.mapType), Master(c.image)) << c.type << " map " << c.mapType;
}

TEST(UpdaterParameters, TwoHardwareVariant)
{
    TempProgramFolder folder(21);
    folder.OpenProject();
    const char* const a = "0x81, 0xDA, 0x127";
    const char* const b = "0x19B, 0x288";

    ExpectedFile t21 = Header("QS52050", "10000", "0x78000", {"0x127", "0x288"});
    t21.operations = {TwoHwFirmware(a, "Sim52050.sim", "0x78200", true, "0"),
                      TwoHwFirmware(b, "Sim52050_B244.sim", "0x78300", true, "0"),
                      TwoHwBank(a, "bank.bin", "0x50000", false, "1"),
                      TwoHwBank(b, "bank1.bin", "0x68000", false, "0"),
                      TwoHwBank(b, "bank2.bin", "0x50800", false, "0"),
                      TwoHwBank("0x288", "bank3.bin", "0x80000", false, "1")};
    EXPECT_EQ(Mismatch(21, Opts(true, true, true, false), t21), "") << "type 21, six operations";

    ExpectedFile t10 = Header("QS52020", "10000", "0x78000", {"0x81", "0xDA", "0x19B"});
    t10.operations = {TwoHwFirmware(a, "Sim52020.sim", "0x78200", false, "0"),
                      TwoHwFirmware(b, "Sim52020_B244.sim", "0x78300", false, "0"),
                      TwoHwBank(a, "bank.bin", "0x50000", true, "1"),
                      TwoHwBank(b, "bank1.bin", "0x68000", true, "0"),
                      TwoHwBank(b, "bank2.bin", "0x50800", true, "1")};
    EXPECT_EQ(Mismatch(10, Opts(true, false, true, true), t10), "") << "type 10, five operations";

    ExpectedFile fwOnly = t21;
    fwOnly.operations = {TwoHwFirmware(a, "Sim52050.sim", "0x78200", false, "1"),
                         TwoHwFirmware(b, "Sim52050_B244.sim", "0x78300", false, "1")};
    EXPECT_EQ(Mismatch(21, Opts(true, false, false, false), fwOnly), "") << "type 21 firmware only";

    ExpectedFile confOnly = t10;
    confOnly.operations = t10.operations.mid(2);
    EXPECT_EQ(Mismatch(10, Opts(false, false, true, true), confOnly), "") << "type 10 configuration only";
}

TEST(UpdaterParameters, NewBootVariant)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    const char* const data = "0x00, 0x00, 0x00, 0x01";
    ExpectedFile e = Header("QS527-K103", "5000", "0x07800", {"0x28A"});
    e.operations = {
        Op(QString(), Master("Sim527-K103.sim"), "0x8000", true, true, "0x07A00", "0x02", "0x07810", "0x02", data, "0"),
        Op(QString(), Bank("bank1.bin"), "0x07000", false, true, "0x07A00", "0x02", "0x07810", "0x02", data, "0"),
        Op(QString(), Bank("bank2.bin"), "0x68800", false, true, "0x07A00", "0x02", "0x07810", "0x02", data, "1"),
    };
    EXPECT_EQ(Mismatch(29, Opts(true, true, true, true), e), "");
}

TEST(UpdaterParameters, CommandLineOfEveryCommandLineType)
{
    TempProgramFolder folder(0);
    folder.OpenProject();
    const struct
    {
        int type;
        const char* program;
        const char* image;
        const char* banks;
    } cases[] = {
        {0, "TCP_52280_Update.exe", "sim52280.sim", "bin"},
        {1, "TCP_52300_Update.exe", "sim52300.sim", "bin/bank.bin"},
        {2, "TCP_52310_Update.exe", "sim52310.sim", "bin/bank.bin"},
        {3, "TCP_52270_Update.exe", "sim52270.sim", "bin/bank.bin"},
        {4, "TCP_52240_Update.exe", "sim52240.sim", "bin/bank.bin"},
        {5, "TCP_52250_Update.exe", "sim52250.sim", "bin/bank.bin"},
        {7, "TCP_52220_Update.exe", "sim52220.sim", "bin"},
        {14, "TCP_52180_Update.exe", "sim52180.sim", "bin"},
        {15, "TCP_52040_Update.exe", "sim52040.sim", "bin"},
        {17, "TCP_52090_Update.exe", "sim52090.sim", "bin/bank.bin"},
        {22, "TCP_52360_Update.exe", "sim52360.sim", "bin/bank.bin"},
        {23, "TCP_52100_Update.exe", "sim52100.sim", "bin/bank.bin"},
        {24, "TCP_52160_Update.exe", "sim52160.sim", "bin"},
    };
    for (const auto& c : cases) {
        UpdaterRoute route;
        ASSERT_TRUE(UpdaterRouteOf(c.type, route));
        EXPECT_EQ(route.kind, UpdaterKind::CommandLine) << c.type;
        EXPECT_EQ(route.program, QString::fromLatin1(c.program));
        const QStringList expected = {kAddress, QStringLiteral("2007"), QStringLiteral("FW"), QStringLiteral("NO"),
                                      QStringLiteral("PW"), QStringLiteral("NO"), Master(c.image),
                                      ProjectPath + QLatin1Char('/') + QString::fromLatin1(c.banks)};
        EXPECT_EQ(UpdaterArguments(c.type, kAddress, Opts(true, false, true, false)), expected) << c.type;
    }
    const QStringList none = UpdaterArguments(0, kAddress, Opts(false, false, false, false));
    EXPECT_EQ(none.mid(2, 4), QStringList({"NO", "NO", "NO", "NO"}));
    const QStringList all = UpdaterArguments(1, kAddress, Opts(true, true, true, true));
    EXPECT_EQ(all.mid(2, 4), QStringList({"FW", "FR", "PW", "PR"}));
}

TEST(UpdaterParameters, EveryModelHasOneRoute)
{
    for (int type = 0; type <= 29; ++type) {
        UpdaterRoute route;
        EXPECT_TRUE(UpdaterRouteOf(type, route)) << type;
    }
    UpdaterRoute route;
    EXPECT_TRUE(UpdaterRouteOf(1018, route));
    EXPECT_FALSE(UpdaterRouteOf(30, route));
    EXPECT_FALSE(UpdaterRouteOf(-1, route));
}

TEST(UpdaterParameters, PrepareWritesTheFileFromEmptyEachTime)
{
    TempProgramFolder folder(21);
    folder.OpenProject();
    XmlDocument doc;
    UpdaterRun run;
    QString error;
    ASSERT_TRUE(Prepare_Updater_Run(doc, kAddress, Opts(true, true, true, true), run, &error));
    EXPECT_TRUE(run.wroteParameterFile);
    EXPECT_EQ(run.program, ExeDir + QStringLiteral("/Ethernet_Update.exe"));
    EXPECT_TRUE(run.arguments.isEmpty());
    EXPECT_EQ(FlatParameterFile(folder.Read(QStringLiteral("Ethernet_Update.xml"))).size(), 7u + 2u + 6u * 20u);

    // A smaller second file keeps nothing of the first, and the document
    // it was built in holds nothing of a ParGen read through it.
    doc.LoadBytes("<Par_Gen><SNMP_MapType>1</SNMP_MapType></Par_Gen>");
    ASSERT_TRUE(Prepare_Updater_Run(doc, QStringLiteral("10.0.0.9"), Opts(false, false, false, false), run, &error));
    ExpectedFile e = Header("QS52050", "10000", "0x78000", {"0x127", "0x288"});
    e.address = QStringLiteral("10.0.0.9");
    EXPECT_EQ(FirstDifference(FlatParameterFile(folder.Read(QStringLiteral("Ethernet_Update.xml"))), e.Flat()), "");
}

TEST(UpdaterParameters, CommandLineTypesWriteNoFile)
{
    TempProgramFolder folder(0);
    folder.OpenProject();
    XmlDocument doc;
    UpdaterRun run;
    ASSERT_TRUE(Prepare_Updater_Run(doc, kAddress, UpdateOptions(), run, nullptr));
    EXPECT_FALSE(run.wroteParameterFile);
    EXPECT_EQ(run.program, ExeDir + QStringLiteral("/TCP_52280_Update.exe"));
    EXPECT_FALSE(QFile::exists(UpdateParameterFile()));
}

TEST(UpdaterParameters, UnreadableParGenOrUnwritableFileStopsThePreparation)
{
    {
        TempProgramFolder folder(19);
        folder.OpenProject();
        folder.Write(QStringLiteral("PROJECTS/P/ParGen.xml"), "<Par_Gen><SNMP_MapType>");
        XmlDocument doc;
        UpdaterRun run;
        QString error;
        EXPECT_FALSE(Prepare_Updater_Run(doc, kAddress, UpdateOptions(), run, &error));
        EXPECT_TRUE(error.contains(QStringLiteral("ParGen.xml"))) << error.toStdString();
        EXPECT_FALSE(QFile::exists(UpdateParameterFile()));
    }
    {
        TempProgramFolder folder(6);
        folder.OpenProject();
        const QByteArray before = "<old/>";
        folder.Write(QStringLiteral("Ethernet_Update.xml"), before);
        XmlDocument doc;
        UpdaterRun run;
        QString error;
        {
            FileSizeLimit limit(100);
            EXPECT_FALSE(Prepare_Updater_Run(doc, kAddress, UpdateOptions(), run, &error));
        }
        EXPECT_TRUE(error.contains(QStringLiteral("Ethernet_Update.xml"))) << error.toStdString();
        EXPECT_EQ(folder.Read(QStringLiteral("Ethernet_Update.xml")), before);
    }
}

TEST(UpdaterParameters, MapTypeReadForTheFirmwareFollowsTheCompilerRule)
{
    const struct
    {
        int type;
        const char* parGen;   // nullptr: no ParGen.xml
        int mapType;
        const char* image;
    } cases[] = {
        {18, nullptr, 1, "Sim52060.sim"},
        {18, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", 0, "Sim52060_FixMap.sim"},
        {18, "<Par_Gen></Par_Gen>", 0, "Sim52060_FixMap.sim"},
        // Without ParGen.xml types 16 and 19 compile with map type 0.
        {16, nullptr, 0, "Sim52070_FixMap.sim"},
        {19, nullptr, 0, "Sim52080_FixMap.sim"},
        {19, "<Par_Gen><SNMP_MapType>1</SNMP_MapType></Par_Gen>", 1, "Sim52080.sim"},
        {1018, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", 1, "Sim52060.sim"},
    };
    for (const auto& c : cases) {
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        if (c.parGen)
            folder.Write(QStringLiteral("PROJECTS/P/ParGen.xml"), c.parGen);
        XmlDocument doc;
        UpdaterRun run;
        int mapType = -5;
        ASSERT_TRUE(Prepare_Updater_Run(doc, kAddress, Opts(true, false, false, false), run, nullptr, &mapType));
        EXPECT_EQ(mapType, c.mapType) << c.type;
        const std::vector<std::string> flat = FlatParameterFile(folder.Read(QStringLiteral("Ethernet_Update.xml")));
        const std::string want =
            "Ethernet_Update/Operations/Operation/Ope_FileName=" + Master(c.image).toStdString();
        EXPECT_NE(std::find(flat.begin(), flat.end(), want), flat.end()) << c.type << " " << want;
    }
}

} // namespace
