// The PROFIBUS GSD file: the whole text, the modules and slots per length,
// the refusals, the path rule and the save flow.
#include "generator_fixture.h"

#include "generators/gsd_writer.h"
#include "generators/maker_data.h"
#include "language.h"

#include <QRegularExpression>

namespace {

// The file as the description gives it; the @...@ lines and fields are
// filled per model, lengths and modules.
const char* const kGsdTemplate = R"GSD(;
@TITLE@
;* ================================================================================ *
;*                                                                                  *
@VENDOR@
@STREET@
@TOWN@
@PROVINCE@
@TEL@
@FAX@
@MAIL@
;*                                                                                  *
;* ================================================================================ *
;*                                                                                  *
@FUNCTION@
;*                                                                                  *
;*                                                                                  *
@ORDER@
;*                                                                                  *
;*                                                                                  *
;************************************************************************************


#Profibus_DP


;====================================================================================
;==== Prm-Text-Def-List =============================================================
;====================================================================================

PrmText=1
Text(0)="disable"
Text(1)="enable"
EndPrmText

PrmText  = 2
Text(0)  = "clock up"
Text(1)  = "clock down"
EndPrmText

PrmText  = 3
Text(1)  = "10"
Text(2)  = "20"
Text(3)  = "30"
Text(4)  = "40"
Text(5)  = "50"
EndPrmText


;=====================================================================================
;==== Ext-User-Prm-Data-Def-List =====================================================
;=====================================================================================

ExtUserPrmData=1 "[SlotNumber]"
Unsigned8 0 0-32
EndExtUserPrmData

ExtUserPrmData=2 "Diagnostic Alarm"
Bit(0) 0 0-1
Prm_Text_Ref=1
EndExtUserPrmData

ExtUserPrmData=3 "Process Alarm"
Bit(1) 0 0-1
Prm_Text_Ref=1
EndExtUserPrmData

ExtUserPrmData=4 "Counter mode"
Unsigned8 0 0-1
Prm_Text_Ref=2
EndExtUserPrmData

ExtUserPrmData=5 "Counter timebase (ms)"
Unsigned8 1 1-5
Prm_Text_Ref=3
EndExtUserPrmData

ExtUserPrmData=6 "Counter high-limit"
Unsigned16 65535 0-65535
EndExtUserPrmData

ExtUserPrmData=7 "Counter low-limit"
Unsigned16 0 0-65535
EndExtUserPrmData


;=====================================================================================
;==== General DP Keywords ============================================================
;=====================================================================================

GSD_Revision = 5
Vendor_Name = "Keltrona"
Model_Name = "@MODEL@"
Revision = "1.00"
Ident_Number = @IDENT@
Protocol_Ident = 0
Station_Type = 0
FMS_supp = 0
Hardware_Release = "V1.00"
Software_Release = "V1.00"
Redundancy = 0
Repeater_Ctrl_Sig = 2
24V_Pins = 0


;==============================================================================
;==== Supported baudrates =====================================================
;==============================================================================

9.6_supp = 1
19.2_supp = 1
45.45_supp = 1
93.75_supp = 1
187.5_supp = 1
500_supp = 1
1.5M_supp = 1
3M_supp = 1
6M_supp = 1
12M_supp = 1

MaxTsdr_9.6=15
MaxTsdr_19.2=15
MaxTsdr_45.45=15
MaxTsdr_93.75=15
MaxTsdr_187.5=15
MaxTsdr_500=15
MaxTsdr_1.5M=20
MaxTsdr_3M=35
MaxTsdr_6M=50
MaxTsdr_12M=95


;==============================================================================
;==== Slave specific values ===================================================
;==============================================================================

OrderNumber="@MODEL@"
Slave_Family = 9@Keltrona@@MODEL@
Implementation_Type = "VPC3+"
Info_Text="Keltrona: @FUNC@"
Bitmap_Device = "DPV0_1N"
Bitmap_SF="DPV0_1S"

Freeze_Mode_supp=1
Sync_Mode_supp=1
Fail_Safe=1
Auto_Baud_supp=1
Set_Slave_Add_supp=0

Min_Slave_Intervall=6

Modular_Station=1
Max_Module=@NMOD@
Modul_Offset=1
Max_Input_Len=@IN@
Max_Output_Len=@OUT@
Max_Data_Len=@SUM@
Max_Diag_Data_Len=15

WD_Base_1ms_supp = 1
Publisher_supp = 1

;==============================================================================
;==== User-Prm-Data ===========================================================
;==============================================================================

Max_User_Prm_Data_Len = 12
Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00

;==============================================================================
;==== Modulstatus =============================================================
;==============================================================================

Unit_Diag_Area = 24 - 25
Value(1)= "Slot 1: Module error"
Value(2)= "Slot 1: Wrong module"
Value(3)= "Slot 1: No module"
Unit_Diag_Area_End
Unit_Diag_Area = 26 - 27
Value(1)= "Slot 2: Module error"
Value(2)= "Slot 2: Wrong module"
Value(3)= "Slot 2: No module"
Unit_Diag_Area_End


;==============================================================================
;==== Module-Definition-List ==================================================
;==============================================================================

@MODULES@



SlotDefinition
@SLOTS@
EndSlotDefinition



)GSD";

QString Box(const QString& text)
{
    return QStringLiteral(";*") + text.leftJustified(82) + QLatin1Char('*');
}

// The expected file of a model with its lengths and its module and slot lines.
QStringList ExpectedGsd(int type, int in, int out, const QStringList& modules, const QStringList& slotLines)
{
    namespace m = gen::maker;
    const bool t3 = type == 3;
    const QString func = t3 ? "PROFINET / PROFIBUS Slave - Converter" : "PROFIBUS Slave / SNMP Agent - Converter";
    const QString model = t3 ? "GX52270" : "GX52100";
    const uint16_t ident = t3 ? m::ProfibusIdentType3 : m::ProfibusIdentType23;
    const QString pad(11, QLatin1Char(' '));
    const QMap<QString, QString> lines = {
        {"@TITLE@", t3 ? ";********************* PROFINET / PROFIBUS Slave - Converter ************************"
                       : ";******************** PROFIBUS Slave / SNMP Agent - Converter ***********************"},
        {"@VENDOR@", Box(QStringLiteral(" Vendor:   ") + m::CompanyName)},
        {"@STREET@", Box(pad + m::Street)},
        {"@TOWN@", Box(pad + m::PostalCodeAndTown)},
        {"@PROVINCE@", Box(pad + m::Province + QStringLiteral(", ") + m::Country)},
        {"@TEL@", Box(pad + "Tel. : " + m::Telephone)},
        {"@FAX@", Box(pad + "FAX. : " + m::Fax)},
        {"@MAIL@", Box(pad + "eMail: " + m::Email)},
        {"@FUNCTION@", Box(" Function:       " + func)},
        {"@ORDER@", Box(" Order Number : " + model + "-A1")},
    };
    QStringList result;
    for (QString line : QString::fromLatin1(kGsdTemplate).split(QLatin1Char('\n'))) {
        if (line == "@MODULES@") {
            result += modules;
            continue;
        }
        if (line == "@SLOTS@") {
            result += slotLines;
            continue;
        }
        line = lines.value(line, line);
        line.replace("@MODEL@", model).replace("@FUNC@", func);
        line.replace("@IDENT@", QStringLiteral("0x%1").arg(ident, 4, 16, QLatin1Char('0')).toUpper().replace("0X", "0x"));
        line.replace("@NMOD@", QString::number(slotLines.size()));
        line.replace("@IN@", QString::number(in)).replace("@OUT@", QString::number(out));
        line.replace("@SUM@", QString::number(in + out));
        result << line;
    }
    return result;
}

QStringList SlotLines(int n)
{
    QStringList s;
    for (int f = 1; f <= n; ++f)
        s << QStringLiteral("Slot(%1) = \"Slot %1\" %1 %1").arg(f);
    return s;
}

// The module lines of a generated file.
QStringList ModuleLines(const QStringList& lines)
{
    const int from = lines.indexOf(";==== Module-Definition-List ==================================================") + 3;
    const int to = lines.indexOf("SlotDefinition") - 3;
    return lines.mid(from, to - from);
}

QStringList GeneratedLines(int type, const QByteArray& parGen)
{
    GenProject project(type);
    project.WriteFile(File_ParGen, parGen);
    const gen::Output out = gen::Make_GSD_From_Project(type, File_ParGen);
    EXPECT_TRUE(out.Ok()) << out.error.toStdString();
    return CrLfLines(out.bytes);
}

const QByteArray kParGen100_10 = ParGenXml({{"PROFIBUS_SLAVE_NB_IN", "100"}, {"PROFIBUS_SLAVE_NB_OUT", "10"}});

TEST(Gsd, Type3IsTheWholeTextWithThreeModules)
{
    const QStringList modules = {
        "Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01", "1", "EndModule",
        "Module=\"DI  (PORT2)    \" 0x42,0x23,0x00,0x02", "2", "EndModule",
        "Module=\"DO  (PORT3)    \" 0x82,0x09,0x00,0x03", "3", "EndModule",
    };
    const QStringList got = GeneratedLines(3, kParGen100_10);
    const QStringList want = ExpectedGsd(3, 100, 10, modules, SlotLines(3));
    ASSERT_EQ(got.size(), want.size());
    for (int i = 0; i < want.size(); ++i)
        EXPECT_EQ(got[i], want[i]) << "line " << i + 1;
    EXPECT_TRUE(got.contains("Slot(2) = \"Slot 2\" 2 2"));
}

TEST(Gsd, Type23CrossesTheLengths)
{
    const QStringList modules = {
        "Module=\"DI  (PORT1)    \" 0x42,0x09,0x00,0x01", "1", "EndModule",
        "Module=\"DO  (PORT2)    \" 0x82,0x3F,0x00,0x02", "2", "EndModule",
        "Module=\"DO  (PORT3)    \" 0x82,0x23,0x00,0x03", "3", "EndModule",
    };
    EXPECT_EQ(GeneratedLines(23, kParGen100_10), ExpectedGsd(23, 10, 100, modules, SlotLines(3)));
}

TEST(Gsd, BoxAndTitleLinesAre85CharactersOfAscii)
{
    for (int type : {3, 23}) {
        GenProject project(type);
        project.WriteFile(File_ParGen, kParGen100_10);
        const gen::Output out = gen::Make_GSD_From_Project(type, File_ParGen);
        EXPECT_TRUE(std::all_of(out.bytes.begin(), out.bytes.end(), [](char c) { return c > 0; })) << "not ASCII";
        for (const QString& line : CrLfLines(out.bytes)) {
            if (line.startsWith(";*")) {
                EXPECT_EQ(line.size(), 85) << line.toStdString();
            }
        }
    }
}

TEST(Gsd, ModuleLengthBytesPerLength)
{
    struct Case
    {
        const char* in;
        const char* out;
        QStringList modules;   // the configuration of each module line
    };
    const Case cases[] = {
        {"128", "0", {"0x42,0x3F,0x00,0x01", "0x42,0x3F,0x00,0x02"}},
        {"64", "0", {"0x42,0x3F,0x00,0x01"}},
        {"65", "0", {"0x42,0x3F,0x00,0x01", "0x42,0x00,0x00,0x02"}},
        {"1", "$40", {"0x42,0x00,0x00,0x01", "0x82,0x3F,0x00,0x02"}},
        {"0", "0", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.in) + "/" + c.out);
        const QStringList lines =
            GeneratedLines(3, ParGenXml({{"PROFIBUS_SLAVE_NB_IN", c.in}, {"PROFIBUS_SLAVE_NB_OUT", c.out}}));
        QStringList configs;
        for (const QString& l : ModuleLines(lines))
            if (l.startsWith("Module="))
                configs << l.section(QLatin1Char(' '), -1);
        EXPECT_EQ(configs, c.modules);
        EXPECT_TRUE(lines.contains(QStringLiteral("Max_Module=%1").arg(c.modules.size())));
    }
}

TEST(Gsd, TenModulesAndMoreThan244BytesAsWritten)
{
    const QStringList lines =
        GeneratedLines(3, ParGenXml({{"PROFIBUS_SLAVE_NB_IN", "320"}, {"PROFIBUS_SLAVE_NB_OUT", "320"}}));
    const QStringList modules = ModuleLines(lines);
    ASSERT_EQ(modules.size(), 30);
    EXPECT_EQ(modules[27], "Module=\"DO  (PORT10)    \" 0x82,0x3F,0x00,0x0A");
    EXPECT_EQ(modules[28], "10");
    for (const char* l : {"Max_Module=10", "Max_Input_Len=320", "Max_Output_Len=320", "Max_Data_Len=640",
                          "Slot(10) = \"Slot 10\" 10 10"})
        EXPECT_TRUE(lines.contains(l)) << l;
}

TEST(Gsd, MissingOrBadLengthsGiveNoModules)
{
    for (const QByteArray& parGen :
         {ParGenXml({}), ParGenXml({{"PROFIBUS_SLAVE_NB_IN", "abc"}, {"PROFIBUS_SLAVE_NB_OUT", "12 "}})}) {
        EXPECT_EQ(GeneratedLines(3, parGen), ExpectedGsd(3, 0, 0, {}, {}));
    }
}

TEST(Gsd, RefusesNegativeLengthsAndMoreThan255Modules)
{
    struct Case
    {
        const char* in;
        const char* out;
        int text;   // 0: written
    };
    const Case cases[] = {
        {"-5", "10", 1162},  {"10", "-1", 1162},        {"16320", "0", 0},   {"16256", "64", 0},
        {"16321", "0", 1163}, {"16320", "1", 1163},      {"2147483647", "0", 1163},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.in) + "/" + c.out);
        GenProject project(3);
        project.WriteFile(File_ParGen, ParGenXml({{"PROFIBUS_SLAVE_NB_IN", c.in}, {"PROFIBUS_SLAVE_NB_OUT", c.out}}));
        const gen::Output out = gen::Make_GSD_From_Project(3, File_ParGen);
        if (c.text) {
            EXPECT_EQ(out.error, Lang(c.text));
            EXPECT_TRUE(out.bytes.isEmpty());
            continue;
        }
        ASSERT_TRUE(out.Ok());
        const QStringList lines = CrLfLines(out.bytes);
        EXPECT_TRUE(lines.contains("Max_Module=255"));
        EXPECT_TRUE(lines.contains(QRegularExpression("^Module=\"D[IO]  \\(PORT255\\)    \" 0x[48]2,0x3F,0x00,0xFF$")));
    }
}

TEST(Gsd, IdentNumbersAreFourUpperHexDigits)
{
    for (int type : {3, 23}) {
        const QStringList lines = GeneratedLines(type, kParGen100_10);
        EXPECT_EQ(lines.filter(QRegularExpression("^Ident_Number = 0x[0-9A-F]{4}$")).size(), 1);
    }
    EXPECT_NE(gen::maker::ProfibusIdentType3, gen::maker::ProfibusIdentType23);
}

TEST(Gsd, PathGetsTheExtensionUnlessItEndsInIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"plant", "plant.gsd"},
        {"plant.GSD", "plant.GSD"},
        {"plant.Gsd", "plant.Gsd"},
        {"plant.gsd.bak", "plant.gsd.bak.gsd"},
        {"plant.gsd.gsd", "plant.gsd.gsd"},
        {"my.gsdx", "my.gsdx.gsd"},
    };
    for (const auto& [chosen, written] : cases)
        EXPECT_EQ(gen::Gsd_Path(chosen), QString(written)) << chosen;
}

TEST(Gsd, SaveFlowWritesTheChosenFile)
{
    GenProject project(23);
    project.WriteFile(File_ParGen, kParGen100_10);
    MessageRecorder messages;
    ChooserAnswer chooser(project.Folder() + "/out/plant.gsd.bak");
    QDir().mkpath(project.Folder() + "/out");
    Save_GSD();
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join("|").toStdString();
    EXPECT_EQ(chooser.filter, "Generic Station Description (*.gsd)|*.gsd");
    EXPECT_EQ(chooser.initialDir, ProjectPath);
    EXPECT_EQ(ReadBytes(project.Folder() + "/out/plant.gsd.bak.gsd"),
              gen::Make_GSD_From_Project(23, File_ParGen).bytes);
}

TEST(Gsd, SaveFlowAsksBeforeReplacingAndStopsOnNoOrCancel)
{
    GenProject project(3);
    project.WriteFile(File_ParGen, kParGen100_10);
    const QString target = project.Folder() + "/plant.gsd";
    project.WriteFile(target, "old");
    {
        MessageRecorder messages;
        messages.QueueAnswer(false);
        ChooserAnswer chooser(target);
        Save_GSD();
        EXPECT_EQ(messages.Texts(), QStringList{Lang(335)});
        EXPECT_EQ(ReadBytes(target), "old");
    }
    {
        MessageRecorder messages;
        ChooserAnswer chooser{QString()};
        Save_GSD();
        EXPECT_TRUE(messages.Empty());
        EXPECT_EQ(ReadBytes(target), "old");
    }
    {
        MessageRecorder messages;   // Yes
        ChooserAnswer chooser(project.Folder() + "/plant");
        Save_GSD();
        EXPECT_EQ(messages.Texts(), QStringList{Lang(335)});
        EXPECT_TRUE(ReadBytes(target).startsWith(";\r\n;****"));
    }
}

TEST(Gsd, SaveFlowRefusesBeforeTheDialog)
{
    struct Case
    {
        const char* parGen;   // nullptr: no file
        QString message;
    };
    const Case cases[] = {
        {nullptr, "Error! Please set the Set Communication Parameter before to create the GSD file"},
        {"<Par_Gen><PROFIBUS_SLAVE_NB_IN>-5</PROFIBUS_SLAVE_NB_IN></Par_Gen>", Lang(1162)},
        {"<Par_Gen><PROFIBUS_SLAVE_NB_IN>5</Par_Gen>", "ParGen.xml"},
    };
    for (const Case& c : cases) {
        GenProject project(3);
        if (c.parGen)
            project.WriteFile(File_ParGen, c.parGen);
        MessageRecorder messages;
        ChooserAnswer chooser(project.Folder() + "/x.gsd");
        Save_GSD();
        EXPECT_EQ(chooser.calls, 0);
        ASSERT_EQ(messages.Texts().size(), 1);
        EXPECT_TRUE(messages.Texts()[0].contains(c.message)) << messages.Texts()[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(project.Folder() + "/x.gsd"));
    }
}

TEST(Gsd, AFileThatCannotBeWrittenShowsTheFileSystemMessage)
{
    GenProject project(3);
    project.WriteFile(File_ParGen, kParGen100_10);
    MessageRecorder messages;
    ChooserAnswer chooser(project.Folder() + "/missing/folder/x.gsd");
    Save_GSD();
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains("missing/folder/x.gsd")) << messages.Texts()[0].toStdString();
}

} // namespace
