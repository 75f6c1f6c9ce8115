// The CANopen EDS file: the whole file without tables, the PDO and SDO
// sections of the edge cases, the clock, the sub-index notation, the
// refusals, and every output through the strict INI and consistency check.
#include "eds_check.h"
#include "generator_fixture.h"

#include "generators/eds_writer.h"
#include "language.h"

namespace {

// Type 24 with no PDO and no SDO file, written on 1 August 2019 at 12:30.
const char* const kEdsWithoutTables = R"EDS([FileInfo]
FileName=PROFINET_CANopen.eds
FileVersion=1
FileRevision=0
EDSVersion=4.0
Description=Converter PROFINET / CANopen
CreationTime=00:30PM
CreationDate=08-01-2019
CreatedBy=Keltrona
ModificationTime=00:30PM
ModificationDate=08-01-2019
ModifiedBy=Keltrona

[DeviceInfo]
VendorName=Keltrona
VendorNumber=0x00
ProductName=Converter PROFINET / CANopen
ProductNumber=160
RevisionNumber=0x0
OrderCode=GX52160
BaudRate_10=1
BaudRate_20=1
BaudRate_50=1
BaudRate_125=1
BaudRate_250=1
BaudRate_500=1
BaudRate_800=0
BaudRate_1000=1
DynamicChannelsSupported=0
GroupMessaging=0
LSS_Supported=0
Granularity=0
SimpleBootUpSlave=1
SimpleBootUpMaster=0
NrOfRXPDO=0
NrOfTXPDO=0

[Comments]
Lines=0

[DummyUsage]
Dummy0001=0
Dummy0002=0
Dummy0003=0
Dummy0004=0
Dummy0005=0
Dummy0006=0
Dummy0007=0

[MandatoryObjects]
SupportedObjects=3
1=0x1000
2=0x1001
3=0x1018

[OptionalObjects]
SupportedObjects=8
1=0x1005
2=0x1006
3=0x1008
4=0x1014
5=0x1016
6=0x1017
7=0x1029
8=0x1280

[ManufacturerObjects]
SupportedObjects=0

[1000]
ParameterName=Device Type
ObjectType=0x07
DataType=0x0007
AccessType=const
DefaultValue=0x000101A4
PDOMapping=0

[1001]
ParameterName=Error Register
ObjectType=0x07
DataType=0x0005
AccessType=ro
DefaultValue=0x00
PDOMapping=0

[1005]
ParameterName=COB-ID SYNC
ObjectType=0x07
DataType=0x0007
AccessType=rw
DefaultValue=0x80000080
PDOMapping=0

[1006]
ParameterName=Communication Cycle Period
ObjectType=0x07
DataType=0x0007
AccessType=rw
DefaultValue=0x00000000
PDOMapping=0

[1008]
ParameterName=Manufacturer Device Name
ObjectType=0x07
DataType=0x0009
AccessType=const
DefaultValue=s1
PDOMapping=0

[1014]
ParameterName=COB-ID EMCY
ObjectType=0x07
DataType=0x0007
AccessType=ro
DefaultValue=$NODEID+0x80
PDOMapping=0

[1016]
SubNumber=3
ParameterName=Heartbeat Consumer Entries
ObjectType=0x08

[1016sub0]
ParameterName=Number of Entries
ObjectType=0x07
DataType=0x0005
AccessType=ro
DefaultValue=0x02
PDOMapping=0

[1016sub1]
ParameterName=Consumer Heartbeat Time 1
ObjectType=0x07
DataType=0x0007
AccessType=rw
DefaultValue=0x00000000
PDOMapping=0

[1016sub2]
ParameterName=Consumer Heartbeat Time 2
ObjectType=0x07
DataType=0x0007
AccessType=rw
DefaultValue=0x00000000
PDOMapping=0

[1017]
ParameterName=Producer Heartbeat Time
ObjectType=0x07
DataType=0x0006
AccessType=rw
DefaultValue=0x000003E8
PDOMapping=0

[1018]
SubNumber=5
ParameterName=Identity Object
ObjectType=0x09

[1018sub0]
ParameterName=number of entries
ObjectType=0x07
DataType=0x0005
AccessType=ro
DefaultValue=0x4
PDOMapping=0

[1018sub1]
ParameterName=Vendor Id
ObjectType=0x07
DataType=0x0007
AccessType=ro
PDOMapping=0

[1018sub2]
ParameterName=Product Code
ObjectType=0x07
DataType=0x0007
AccessType=ro
PDOMapping=0

[1018sub3]
ParameterName=Revision number
ObjectType=0x07
DataType=0x0007
AccessType=ro
PDOMapping=0

[1018sub4]
ParameterName=Serial number
ObjectType=0x07
DataType=0x0007
AccessType=ro
PDOMapping=0

[1029]
SubNumber=2
ParameterName=Error Behaviour
ObjectType=0x08

[1029sub0]
ParameterName=Number of Entries
ObjectType=0x07
DataType=0x0005
AccessType=ro
DefaultValue=1
PDOMapping=0

[1029sub1]
ParameterName=Communication Error
ObjectType=0x07
DataType=0x0005
AccessType=rw
DefaultValue=0x0
PDOMapping=0

[1280]
SubNumber=4
ParameterName=Client SDO Parameter 1
ObjectType=0x09

[1280sub0]
ParameterName=Number of Entries
ObjectType=0x07
DataType=0x0005
AccessType=ro
DefaultValue=0x03
PDOMapping=0

[1280sub1]
ParameterName=COB-ID Client -> Server
ObjectType=0x07
DataType=0x0007
AccessType=rw
PDOMapping=0

[1280sub2]
ParameterName=COB-ID Server -> Client
ObjectType=0x07
DataType=0x0007
AccessType=rw
PDOMapping=0

[1280sub3]
ParameterName=Node ID of the SDO Server
ObjectType=0x07
DataType=0x0005
AccessType=rw
PDOMapping=0

)EDS";

QStringList TemplateLines(const char* text)
{
    QStringList l = QString::fromLatin1(text).split(QLatin1Char('\n'));
    l.removeLast();
    return l;
}

const QDateTime kAugust1At1230(QDate(2019, 8, 1), QTime(12, 30));

const Attrs kRxRow = {{"COB-ID", "0x201"}, {"Dimension", "2"}, {"Address_B1", "0"}, {"Address_B2", "1"},
                      {"Address_B3", ""},  {"Address_B4", ""}, {"Address_B5", ""},  {"Address_B6", ""},
                      {"Address_B7", ""},  {"Address_B8", ""}, {"TimeOut", "0"},    {"Mnemonic", "rx"}};
const Attrs kTxRow = {{"COB-ID", "0x181"}, {"Dimension", "8"}, {"Address_B1", "0"}, {"Address_B2", "1"},
                      {"Address_B3", "2"},  {"Address_B4", "3"}, {"Address_B5", "4"},  {"Address_B6", "5"},
                      {"Address_B7", "6"},  {"Address_B8", "7"}, {"Send_Time", "100"}, {"On_Change", "Y"},
                      {"Mnemonic", "tx"}};

QByteArray PdoXml(const QList<QByteArray>& rx, const QList<QByteArray>& tx)
{
    return TableXml("EtherNetIP_to_SDO_CANopen", {{"Receive_PDO", rx}, {"Transmit_PDO", tx}});
}

QByteArray SdoRow(const char* index, const char* sub, const char* nbyte)
{
    return RowXml({{"Index", index}, {"SubIndex", sub}, {"NByte", nbyte}, {"Address_B1", "0"}, {"Address_B2", "1"},
                   {"Address_B3", "2"}, {"Address_B4", "3"}, {"Mnemonic", ""}});
}

QByteArray SdoXml(const QList<QByteArray>& read, const QList<QByteArray>& write)
{
    return TableXml("EtherNetIP_to_SDO_CANopen", {{"SDO_Read", read}, {"SDO_Write", write}});
}

// A project of the type with the two files (nullptr: no file).
struct EdsProject : GenProject
{
    EdsProject(int type, const QByteArray* pdo, const QByteArray* sdo) : GenProject(type)
    {
        if (pdo)
            WriteFile(File_PDO_CANopen, *pdo);
        if (sdo)
            WriteFile(File_SDO_Server_CANopen, *sdo);
    }
    gen::Output Make(const QDateTime& now = kAugust1At1230) const
    {
        return gen::Make_EDS_From_Project(DeviceType, File_PDO_CANopen, File_SDO_Server_CANopen, now);
    }
};

// The lines of the section [name] and its keys, up to the next section.
QStringList SectionLines(const QStringList& lines, const QString& name)
{
    const int from = lines.indexOf(QLatin1Char('[') + name + QLatin1Char(']'));
    if (from < 0)
        return {};
    int to = from + 1;
    while (to < lines.size() && !lines[to].startsWith(QLatin1Char('[')))
        ++to;
    return lines.mid(from, to - from);
}

// Generates, checks the file and returns its lines.
QStringList CheckedLines(const EdsProject& project)
{
    const gen::Output out = project.Make();
    EXPECT_TRUE(out.Ok()) << out.error.toStdString();
    EXPECT_EQ(edscheck::CheckEds(out.bytes), QString());
    return CrLfLines(out.bytes);
}

TEST(Eds, Type24WithoutTablesIsTheWholeFixedFile)
{
    EdsProject project(24, nullptr, nullptr);
    EXPECT_EQ(CheckedLines(project), TemplateLines(kEdsWithoutTables));
}

TEST(Eds, Type8HasItsOrderCode)
{
    EdsProject project(8, nullptr, nullptr);
    const QStringList lines = CheckedLines(project);
    EXPECT_TRUE(lines.contains("ProductNumber=290"));
    EXPECT_TRUE(lines.contains("OrderCode=GX52290"));
}

TEST(Eds, OneReceivePdo)
{
    const QByteArray pdo = PdoXml({RowXml(kRxRow)}, {});
    EdsProject project(24, &pdo, nullptr);
    const QStringList lines = CheckedLines(project);
    EXPECT_TRUE(lines.contains("NrOfRXPDO=1"));
    EXPECT_EQ(SectionLines(lines, "OptionalObjects").mid(1, 1), QStringList{"SupportedObjects=11"});
    EXPECT_EQ(SectionLines(lines, "OptionalObjects").mid(10),
              (QStringList{"9=0x1400", "10=0x1600", "11=0x7000", ""}));
    const QStringList expected = {
        "[1400]", "SubNumber=4", "ParameterName=Receive PDO Communication Parameter 1", "ObjectType=0x09", "",
        "[1400sub0]", "ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005", "AccessType=ro",
        "DefaultValue=0x03", "PDOMapping=0", "",
        "[1400sub1]", "ParameterName=COB-ID", "ObjectType=0x07", "DataType=0x0007", "AccessType=rw",
        "DefaultValue=0x00000201", "PDOMapping=0", "",
        "[1400sub2]", "ParameterName=Transmission Type", "ObjectType=0x07", "DataType=0x0005", "AccessType=rw",
        "DefaultValue=0xFE", "PDOMapping=0", "",
        "[1400sub3]", "ParameterName=Inhibit Time", "ObjectType=0x07", "DataType=0x0006", "AccessType=rw",
        "DefaultValue=0x0", "PDOMapping=0", "",
        "[1600]", "SubNumber=3", "ParameterName=Receive PDO Mapping Parameter", "ObjectType=0x09", "",
        "[1600sub0]", "ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005", "AccessType=ro",
        "DefaultValue=0x02", "PDOMapping=0", "",
        "[1600sub1]", "ParameterName=Mapping Entry 1", "ObjectType=0x07", "DataType=0x0007", "AccessType=ro",
        "DefaultValue=0x70000108", "PDOMapping=0", "",
        "[1600sub2]", "ParameterName=Mapping Entry 2", "ObjectType=0x07", "DataType=0x0007", "AccessType=ro",
        "DefaultValue=0x70000208", "PDOMapping=0", "",
        "[7000]", "SubNumber=3", "ParameterName=RPDO1", "ObjectType=0x08", "",
        "[7000sub0]", "ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005", "AccessType=ro",
        "DefaultValue=0x02", "PDOMapping=0", "",
        "[7000sub1]", "ParameterName=b1", "ObjectType=0x07", "DataType=0x0005", "AccessType=rww",
        "DefaultValue=0x00", "PDOMapping=1", "",
        "[7000sub2]", "ParameterName=b2", "ObjectType=0x07", "DataType=0x0005", "AccessType=rww",
        "DefaultValue=0x00", "PDOMapping=1", "",
        "[ManufacturerObjects]"};
    // The PDO sections follow [1280sub3] directly; the file ends with one more empty line.
    const int from = lines.indexOf("[1400]");
    ASSERT_GT(from, 0);
    EXPECT_EQ(lines[from - 1], "PDOMapping=0");
    EXPECT_EQ(lines.mid(from), expected.mid(0, expected.size() - 1) + QStringList{""});
}

TEST(Eds, SecondTransmitPdo)
{
    const QByteArray pdo = PdoXml({}, {RowXml(kTxRow), RowXmlWith(kTxRow, "Dimension", "3")});
    EdsProject project(24, &pdo, nullptr);
    const QStringList lines = CheckedLines(project);
    EXPECT_TRUE(lines.contains("NrOfTXPDO=2"));
    EXPECT_EQ(SectionLines(lines, "1801").mid(0, 3),
              (QStringList{"[1801]", "SubNumber=4", "ParameterName=Transmit PDO Communication Parameter 2"}));
    EXPECT_EQ(SectionLines(lines, "1A01").mid(0, 3),
              (QStringList{"[1A01]", "SubNumber=4", "ParameterName=Transmit PDO Mapping Parameter 2"}));
    EXPECT_EQ(SectionLines(lines, "1A01sub3")[5], "DefaultValue=0x70510308");
    EXPECT_EQ(SectionLines(lines, "7051").mid(0, 3), (QStringList{"[7051]", "SubNumber=4", "ParameterName=TPDO2"}));
    EXPECT_EQ(SectionLines(lines, "7051sub0")[4], "AccessType=rw");
    EXPECT_EQ(SectionLines(lines, "7051sub1").mid(1, 4),
              (QStringList{"ParameterName=m1", "ObjectType=0x07", "DataType=0x0005", "AccessType=rwr"}));
    EXPECT_EQ(SectionLines(lines, "7050sub8")[1], "ParameterName=l8");
}

TEST(Eds, ManufacturerObjectsOfTheSdoServerTable)
{
    const QByteArray sdo = SdoXml({SdoRow("0x2000", "2", "2"), SdoRow("0x2100", "0", "1")}, {SdoRow("0x2000", "1", "4")});
    EdsProject project(24, nullptr, &sdo);
    const QStringList lines = CheckedLines(project);
    EXPECT_EQ(SectionLines(lines, "ManufacturerObjects"),
              (QStringList{"[ManufacturerObjects]", "SupportedObjects=2", "1=0x2000", "2=0x2100", ""}));
    const QStringList expected = {
        "[2000]", "SubNumber=3", "ParameterName=App Vars", "ObjectType=0x9", "",
        "[2000sub0]", "ParameterName=Largest Sub-Index supported", "ObjectType=0x7", "DataType=0x0005",
        "AccessType=ro", "DefaultValue=0x02", "PDOMapping=0", "",
        "[2000sub1]", "ParameterName=Application Variable", "ObjectType=0x7", "DataType=0x0007",
        "LowLimit=0x00000000", "HighLimit=0xFFFFFFFF", "DefaultValue=0x00000000", "AccessType=rw", "PDOMapping=0", "",
        "[2000sub2]", "ParameterName=Application Variable", "ObjectType=0x7", "DataType=0x0006", "LowLimit=0x0000",
        "HighLimit=0xFFFF", "DefaultValue=0x0000", "AccessType=ro", "PDOMapping=0", "",
        "[2100]", "SubNumber=1", "ParameterName=App Vars", "ObjectType=0x9", "",
        "[2100sub0]", "ParameterName=Application Variable", "ObjectType=0x7", "DataType=0x0005", "LowLimit=0x00",
        "HighLimit=0xFF", "DefaultValue=0x00", "AccessType=ro", "PDOMapping=0", "",
        ""};
    EXPECT_EQ(lines.mid(lines.indexOf("[2000]")), expected);
}

TEST(Eds, SubIndexesAfterSubAreHexadecimal)
{
    const QByteArray sdo = SdoXml({SdoRow("0x2000", "255", "1"), SdoRow("0x2000", "10", "1"), SdoRow("0x2000", "9", "2")}, {});
    EdsProject project(24, nullptr, &sdo);
    const QStringList lines = CheckedLines(project);
    QStringList sections;
    for (const QString& l : lines)
        if (l.startsWith("[2000"))
            sections << l;
    EXPECT_EQ(sections, (QStringList{"[2000]", "[2000sub0]", "[2000sub9]", "[2000subA]", "[2000subFF]"}));
    EXPECT_EQ(SectionLines(lines, "2000sub0")[5], "DefaultValue=0xFF");
    EXPECT_EQ(SectionLines(lines, "2000")[1], "SubNumber=4");
}

TEST(Eds, DateAndTimeFromTheClock)
{
    struct Case
    {
        QDateTime at;
        const char* time;
        const char* date;
    };
    const Case cases[] = {
        {QDateTime(QDate(2019, 8, 1), QTime(12, 0)), "12:00AM", "08-01-2019"},
        {QDateTime(QDate(2019, 8, 1), QTime(12, 30)), "00:30PM", "08-01-2019"},
        {QDateTime(QDate(2019, 8, 1), QTime(0, 5)), "00:05AM", "08-01-2019"},
        {QDateTime(QDate(2019, 8, 1), QTime(13, 5)), "01:05PM", "08-01-2019"},
        {QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)), "11:59PM", "12-31-2024"},
        {QDateTime(QDate(999, 1, 2), QTime(11, 59)), "11:59AM", "01-02-999"},
    };
    for (const Case& c : cases) {
        EdsProject project(24, nullptr, nullptr);
        ClockAt clock(c.at);
        MessageRecorder messages;
        const QString path = project.Folder() + "/x.eds";
        Write_EDS(path);
        EXPECT_TRUE(messages.Empty());
        const QStringList lines = CrLfLines(ReadBytes(path));
        for (const char* key : {"CreationTime=", "ModificationTime="})
            EXPECT_TRUE(lines.contains(QLatin1String(key) + c.time)) << key << c.time;
        for (const char* key : {"CreationDate=", "ModificationDate="})
            EXPECT_TRUE(lines.contains(QLatin1String(key) + c.date)) << key << c.date;
    }
}

TEST(Eds, FullTablesFromEditorFilesPassTheChecks)
{
    QList<QByteArray> rx, tx, read, write;
    for (int i = 0; i < 30; ++i) {
        rx << RowXmlWith(kRxRow, "Dimension", QByteArray::number(i % 8 + 1).constData());
        tx << RowXmlWith(kTxRow, "COB-ID", QByteArray::number(0x180 + i).constData());
    }
    for (int i = 0; i < 500; ++i) {
        read << SdoRow(QByteArray("0x") + QByteArray::number(0x2000 + i / 256, 16), QByteArray::number(i % 256), "1");
        write << SdoRow(QByteArray("0x") + QByteArray::number(0x3000 + i / 100, 16), QByteArray::number(i % 100), "4");
    }
    const QByteArray pdo = PdoXml(rx, tx);
    const QByteArray sdo = SdoXml(read, write);
    EdsProject project(8, &pdo, &sdo);
    const QStringList lines = CheckedLines(project);
    EXPECT_TRUE(lines.contains("NrOfRXPDO=30"));
    EXPECT_TRUE(lines.contains("[701D]"));
    EXPECT_TRUE(lines.contains("[706D]"));
    EXPECT_EQ(SectionLines(lines, "ManufacturerObjects")[1], "SupportedObjects=7");
    EXPECT_EQ(SectionLines(lines, "701Dsub1")[1], "ParameterName=av1");
    EXPECT_EQ(SectionLines(lines, "706Dsub1")[1], "ParameterName=cv1");
}

TEST(Eds, ValuesThatAreNotNumbers)
{
    const QByteArray pdo = PdoXml({"<row COB-ID=\"x\" Dimension=\"abc\"/>"}, {RowXmlWith(kTxRow, "COB-ID", "12 ")});
    EdsProject project(24, &pdo, nullptr);
    const QStringList lines = CheckedLines(project);
    EXPECT_EQ(SectionLines(lines, "1400sub1")[5], "DefaultValue=0x00000000");
    EXPECT_EQ(SectionLines(lines, "1600")[1], "SubNumber=9");
    EXPECT_EQ(SectionLines(lines, "1800sub1")[5], "DefaultValue=0x00000000");
}

TEST(Eds, RefusesWhatWouldBreakTheFile)
{
    struct Case
    {
        const char* what;
        QByteArray pdo;   // empty: no file
        QByteArray sdo;
        QStringList message;   // parts of the message
    };
    const QList<QByteArray> rows31 = Rows(31, RowXml(kRxRow));
    const Case cases[] = {
        {"same pair in read and write", {}, SdoXml({SdoRow("0x2000", "1", "2")}, {SdoRow("$2000", "0x01", "4")}),
         {Lang(1164) + "0x2000 / 0x01"}},
        {"same pair twice in read", {}, SdoXml({SdoRow("8192", "7", "2"), SdoRow("0x2000", "7", "1")}, {}),
         {Lang(1164) + "0x2000 / 0x07"}},
        {"31 receive rows", PdoXml(rows31, {}), {}, {Lang(1165), "PDO_CANopen.xml", "Receive_PDO"}},
        {"31 transmit rows", PdoXml({}, Rows(31, RowXml(kTxRow))), {}, {Lang(1165), "Transmit_PDO"}},
        {"dimension 0", PdoXml({RowXmlWith(kRxRow, "Dimension", "0")}, {}), {}, {Lang(1166), "row 1"}},
        {"dimension 9", PdoXml({}, {RowXml(kTxRow), RowXmlWith(kTxRow, "Dimension", "9")}), {}, {Lang(1166), "row 2"}},
        {"dimension -1", PdoXml({RowXmlWith(kRxRow, "Dimension", "-1")}, {}), {}, {Lang(1166)}},
        {"no COB-ID", PdoXml({RowXmlWith(kRxRow, "COB-ID", nullptr)}, {}), {}, {"\"COB-ID\" is missing"}},
        {"no Dimension", PdoXml({}, {RowXmlWith(kTxRow, "Dimension", nullptr)}), {}, {"\"Dimension\" is missing"}},
        {"no transmit section", TableXml("EtherNetIP_to_SDO_CANopen", {{"Receive_PDO", {}}}), {}, {"Transmit_PDO"}},
        {"not well-formed", "<EtherNetIP_to_SDO_CANopen><Receive_PDO>", {}, {"PDO_CANopen.xml"}},
        {"no SubIndex", {}, SdoXml({}, {"<row Index=\"0x2000\" NByte=\"1\"/>"}), {"\"SubIndex\" is missing", "SDO_Write"}},
        {"NByte not a number", {}, SdoXml({SdoRow("0x2000", "1", "two")}, {}), {"\"NByte\" is not an integer"}},
        {"index 0x1FFF", {}, SdoXml({SdoRow("0x1FFF", "1", "1")}, {}), {Lang(529)}},
        {"index 0x8000", {}, SdoXml({}, {SdoRow("0x8000", "1", "1")}), {Lang(537)}},
        {"index of a PDO object", {}, SdoXml({SdoRow("0x7000", "1", "1")}, {}), {Lang(530)}},
        {"index of a PDO object", {}, SdoXml({}, {SdoRow("0x706D", "1", "1")}), {Lang(538)}},
        {"sub-index 256", {}, SdoXml({SdoRow("0x2000", "256", "1")}, {}), {Lang(531)}},
        {"no SDO_Read", {}, TableXml("EtherNetIP_to_SDO_CANopen", {{"SDO_Write", {}}}), {"SDO_Read"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EdsProject project(24, c.pdo.isEmpty() ? nullptr : &c.pdo, c.sdo.isEmpty() ? nullptr : &c.sdo);
        MessageRecorder messages;
        const QString path = project.Folder() + "/x.eds";
        project.WriteFile(path, "old");
        Write_EDS(path);
        ASSERT_EQ(messages.Texts().size(), 1);
        for (const QString& part : c.message)
            EXPECT_TRUE(messages.Texts()[0].contains(part)) << messages.Texts()[0].toStdString();
        EXPECT_EQ(ReadBytes(path), "old");
    }
}

TEST(Eds, IndexesAtTheEdgesOfTheServerRangesAreWritten)
{
    const QByteArray sdo = SdoXml({SdoRow("$2000", "0", "1"), SdoRow("0x701E", "0", "1"), SdoRow("0x704F", "0", "1")},
                                  {SdoRow("0x706E", "255", "2"), SdoRow("32767", "0", "4")});
    EdsProject project(24, nullptr, &sdo);
    EXPECT_EQ(SectionLines(CheckedLines(project), "ManufacturerObjects").mid(1, 6),
              (QStringList{"SupportedObjects=5", "1=0x2000", "2=0x701E", "3=0x704F", "4=0x706E", "5=0x7FFF"}));
}

TEST(Eds, ReplacesAnExistingFileWithoutAskingAndReportsAWriteFailure)
{
    EdsProject project(24, nullptr, nullptr);
    const QString path = project.Folder() + "/x.eds";
    project.WriteFile(path, "old");
    {
        MessageRecorder messages;
        Write_EDS(path);
        EXPECT_TRUE(messages.Empty());
        EXPECT_TRUE(ReadBytes(path).startsWith("[FileInfo]\r\nFileName=PROFINET_CANopen.eds\r\n"));
    }
    MessageRecorder messages;
    Write_EDS(project.Folder() + "/no/such/x.eds");
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains("no/such/x.eds"));
}

TEST(EdsCheck, FindsBrokenFiles)
{
    EdsProject project(24, nullptr, nullptr);
    const QByteArray good = project.Make().bytes;
    ASSERT_EQ(edscheck::CheckEds(good), QString());
    struct Case
    {
        const char* what;
        QByteArray from, to;
    };
    const Case cases[] = {
        {"duplicate section", "[1001]\r\n", "[1000]\r\n"},
        {"duplicate key", "FileVersion=1\r\n", "FileVersion=1\r\nfileversion=2\r\n"},
        {"other line form", "[Comments]\r\n", "[Comments]\r\nLines\r\n"},
        {"bare LF", "Lines=0\r\n", "Lines=0\n"},
        {"SubNumber off", "SubNumber=3\r\nParameterName=Heartbeat", "SubNumber=4\r\nParameterName=Heartbeat"},
        {"unlisted object", "[1001]\r\n", "[1002]\r\nParameterName=x\r\n\r\n[1001]\r\n"},
        {"object without section", "3=0x1018", "3=0x1019"},
        {"PDO count", "NrOfRXPDO=0", "NrOfRXPDO=1"},
    };
    for (const Case& c : cases) {
        QByteArray bad = good;
        bad.replace(c.from, c.to);
        ASSERT_NE(bad, good) << c.what;
        EXPECT_NE(edscheck::CheckEds(bad), QString()) << c.what;
    }
}

} // namespace
