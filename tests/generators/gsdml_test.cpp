// The GSDML documents: the whole document of one model, the lengths, points
// and identities of all 23 models with and without ParGen.xml, station
// names, the frame sums, xmllint on every document, the file name window
// and the save flow.
#include "generator_fixture.h"

#include "generators/gsdml_file_name.h"
#include "generators/gsdml_models.h"
#include "generators/gsdml_writer.h"
#include "generators/maker_data.h"
#include "generators/profinet_file_name_window.h"
#include "language.h"
#include "lb_button.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <pugixml.hpp>

namespace {

// Type 24 with PROFINET_NB_IN 100, PROFINET_NB_OUT 20 and station gw-1; the
// DeviceID comes from the maker's table.
const char* const kType24 = R"GSDML(
<?xml version="1.0" encoding="iso-8859-1"?>
<!-- A fieldbus integration example. -->
<ISO15745Profile xmlns="http://www.profibus.com/GSDML/2003/11/DeviceProfile" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:schemaLocation="http://www.profibus.com/GSDML/2003/11/DeviceProfile ..\xsd\GSDML-DeviceProfile-v2.31.xsd">
  <ProfileHeader>
    <ProfileIdentification>PROFINET Device Profile</ProfileIdentification>
    <ProfileRevision>1.00</ProfileRevision>
    <ProfileName>Device Profile for PROFINET Devices</ProfileName>
    <ProfileSource>PROFIBUS Nutzerorganisation e. V. (PNO)</ProfileSource>
    <ProfileClassID>Device</ProfileClassID>
    <ISO15745Reference>
      <ISO15745Part>4</ISO15745Part>
      <ISO15745Edition>1</ISO15745Edition>
      <ProfileTechnology>GSDML</ProfileTechnology>
    </ISO15745Reference>
  </ProfileHeader>
  <ProfileBody>
    <DeviceIdentity VendorID="@VENDORID@" DeviceID="@DEVICEID@">
      <InfoText TextId="IDT_INFO_Device"/>
      <VendorName Value="Keltrona"/>
    </DeviceIdentity>
    <DeviceFunction>
      <Family MainFamily="Gateway" ProductFamily="GX52160"/>
    </DeviceFunction>
    <ApplicationProcess>
      <DeviceAccessPointList>
        <DeviceAccessPointItem PNIO_Version="V2.3" RequiredSchemaVersion="V2.25" ID="IDD_1" PhysicalSlots="0..4" ModuleIdentNumber="0x00000001" MinDeviceInterval="64" ImplementationType="gw-1" DNS_CompatibleName="gw-1" FixedInSlots="0" ObjectUUID_LocalIndex="1" MultipleWriteSupported="true" MaxSupportedRecordSize="8192" ParameterizationSpeedupSupported="true" PowerOnToCommReady="350" DeviceAccessSupported="true" SharedDeviceSupported="true" CheckDeviceID_Allowed="false" NameOfStationNotTransferable="true">
          <ModuleInfo>
            <Name TextId="IDT_NAME_DAP1"/>
            <InfoText TextId="IDT_INFO_DAP1"/>
            <VendorName Value="Keltrona"/>
            <OrderNumber Value="GX52160"/>
          </ModuleInfo>
          <SubslotList>
            <SubslotItem SubslotNumber="1" TextId="IDT_SUBSLOT_1"/>
            <SubslotItem SubslotNumber="32768" TextId="IDT_SUBSLOT_Interface"/>
            <SubslotItem SubslotNumber="32769" TextId="IDT_SUBSLOT_Port1"/>
            <SubslotItem SubslotNumber="32770" TextId="IDT_SUBSLOT_Port2"/>
          </SubslotList>
          <IOConfigData MaxInputLength="1440" MaxOutputLength="1440" MaxDataLength="2880"/>
          <UseableModules>
            <ModuleItemRef ModuleItemTarget="IDM_1" FixedInSlots="1"/>
          </UseableModules>
          <VirtualSubmoduleList>
            <VirtualSubmoduleItem ID="IDS_V1" SubmoduleIdentNumber="0x00000000">
              <IOData IOPS_Length="1" IOCS_Length="1"/>
              <ModuleInfo>
                <Name TextId="IDT_NAME_VS1"/>
                <InfoText TextId="IDT_INFO_VS1"/>
              </ModuleInfo>
            </VirtualSubmoduleItem>
          </VirtualSubmoduleList>
          <SystemDefinedSubmoduleList>
            <InterfaceSubmoduleItem ID="IDS_I" SubmoduleIdentNumber="0x00000001" SubslotNumber="32768" TextId="IDT_NAME_IS" SupportedRT_Classes="RT_CLASS_1" SupportedProtocols="SNMP;LLDP" SupportedMibs="MIB2">
              <ApplicationRelations NumberOfAR="2">
                <TimingProperties SendClock="32" ReductionRatio="1 2 4 8 16 32 64 128 256 512"/>
              </ApplicationRelations>
            </InterfaceSubmoduleItem>
            <PortSubmoduleItem ID="IDS_P1" SubmoduleIdentNumber="0x00000002" SubslotNumber="32769" TextId="IDT_NAME_PS1" MaxPortRxDelay="350" MaxPortTxDelay="160"/>
            <PortSubmoduleItem ID="IDS_P2" SubmoduleIdentNumber="0x00000002" SubslotNumber="32770" TextId="IDT_NAME_PS2" MaxPortRxDelay="350" MaxPortTxDelay="160"/>
          </SystemDefinedSubmoduleList>
          <!-- This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). -->
          <!-- FieldbusIntegrationSlots MaxSupported="127" Range="100..9999"/-->
        </DeviceAccessPointItem>
      </DeviceAccessPointList>
      <ModuleList>
        <!-- The "normal" module carrying the FAP. -->
        <ModuleItem ID="IDM_1" ModuleIdentNumber="0x00000002">
          <ModuleInfo>
            <Name TextId="IDT_NAME_M1"/>
            <InfoText TextId="IDT_INFO_M1"/>
            <OrderNumber Value="12345-0040-M"/>
          </ModuleInfo>
          <VirtualSubmoduleList>
            <VirtualSubmoduleItem ID="IDM_1" SubmoduleIdentNumber="0x00000001">
              <IOData IOPS_Length="1" IOCS_Length="1">
                <Input><DataItem DataType="OctetString" Length="20" TextId="IDT_Input_1"/></Input>
                <Output><DataItem DataType="OctetString" Length="100" TextId="IDT_Output_1"/></Output>
              </IOData>
              <RecordDataList>
                <ParameterRecordDataItem Index="128" Length="2">
                  <Name TextId="IDT_NAME_M1_IDT_REF_channel"/>
                  <Const ByteOffset="0" Data="0x00,0x00"/>
                  <Ref TextId="IDT_REF_reaction_to_cpu_stop" Visible="true" DataType="BitArea" ByteOffset="0" BitOffset="0" BitLength="2" DefaultValue="2" AllowedValues="0..2" ValueItemTarget="IDV_reaction_to_cpu_stop" ID="IDT_REF_reaction_to_cpu_stop"/>
                  <MenuList>
                    <MenuItem ID="IDT_NAME_M1_IDT_REF_channel">
                      <Name TextId="IDT_NAME_M1_IDT_REF_channel"/>
                      <MenuRef MenuTarget="IDT_NAME_M1_Base_Parameters"/>
                    </MenuItem>
                    <MenuItem ID="IDT_NAME_M1_Base_Parameters">
                      <Name TextId="IDT_NAME_M1_Base_Parameters"/>
                      <ParameterRef ParameterTarget="IDT_REF_reaction_to_cpu_stop"/>
                    </MenuItem>
                  </MenuList>
                </ParameterRecordDataItem>
              </RecordDataList>
              <ModuleInfo>
                <Name TextId="IDT_NAME_M1"/>
                <InfoText TextId="IDT_INFO_M1"/>
              </ModuleInfo>
            </VirtualSubmoduleItem>
          </VirtualSubmoduleList>
        </ModuleItem>
      </ModuleList>
      <ValueList>
        <ValueItem ID="IDV_reaction_to_cpu_stop">
          <Assignments>
            <Assign TextId="IDT_ASSIGN_do_set_substitude_values" Content="0"/>
            <Assign TextId="IDT_ASSIGN_do_values_will_hold" Content="1"/>
            <Assign TextId="IDT_ASSIGN_do_continue_counting" Content="2"/>
          </Assignments>
        </ValueItem>
      </ValueList>
      <CategoryList>
        <CategoryItem ID="IDC_DI" TextId="IDT_CATEGORY_DI">
          <InfoText TextId="IDT_INFO_DI"/>
        </CategoryItem>
        <CategoryItem ID="IDC_DO" TextId="IDT_CATEGORY_DO">
          <InfoText TextId="IDT_INFO_DO"/>
        </CategoryItem>
      </CategoryList>
      <ExternalTextList>
        <PrimaryLanguage>
          <Text TextId="IDT_INFO_Device" Value="Keltrona Gateways"/>
          <Text TextId="IDT_NAME_DAP1" Value="CANOPEN"/>
          <Text TextId="IDT_INFO_DAP1" Value="Profinet CANOPEN Adapter"/>
          <Text TextId="IDT_SUBSLOT_1" Value="Subslot 1"/>
          <Text TextId="IDT_SUBSLOT_Interface" Value="Interface"/>
          <Text TextId="IDT_SUBSLOT_Port1" Value="Port 1"/>
          <Text TextId="IDT_SUBSLOT_Port2" Value="Port 2"/>
          <Text TextId="IDT_RECORD_NAME_Head" Value="Parameters of head module"/>
          <Text TextId="IDT_REF_Power" Value="Percent power"/>
          <Text TextId="IDT_NAME_VS1" Value="Submodule V1"/>
          <Text TextId="IDT_INFO_VS1" Value="Description of submodule V1"/>
          <Text TextId="IDT_NAME_IS" Value="I"/>
          <Text TextId="IDT_NAME_PS1" Value="P1"/>
          <Text TextId="IDT_NAME_PS2" Value="P2"/>
          <Text TextId="IDT_NAME_M1" Value="Module"/>
          <Text TextId="IDT_INFO_M1" Value="CANOPEN Device"/>
          <Text TextId="IDT_NAME_FAP" Value="FAP for CANOPEN"/>
          <Text TextId="IDT_INFO_FAP" Value="Description of FAP for CANOPEN"/>
          <Text TextId="IDT_RECORD_NAME_SlotCluster" Value="Parameters of the FAP"/>
          <Text TextId="IDT_REF_SlotClusterBegin" Value="Beginning of slot cluster"/>
          <Text TextId="IDT_NAME_M_PB1" Value="CANOPEN Master "/>
          <Text TextId="IDT_INFO_M_PB1" Value="Description of CANOPEN"/>
          <Text TextId="IDT_NAME_S_PB1" Value="Module of a CANOPEN"/>
          <Text TextId="IDT_INFO_S_PB1" Value="Description of module of a CANOPEN module"/>
          <Text TextId="IDT_PB_Input" Value="Digital input CANOPEN module"/>
          <Text TextId="IDT_PB_InputBit0" Value="Digital input bit CANOPEN module"/>
          <Text TextId="IDT_NAME_S1" Value="Submodule 1"/>
          <Text TextId="IDT_INFO_S1" Value="Description of submodule 1"/>
          <Text TextId="IDT_Input_1" Value="Input byte"/>
          <Text TextId="IDT_Output_1" Value="Output word"/>
          <Text TextId="IDT_CATEGORY_DI" Value="Digital Input"/>
          <Text TextId="IDT_INFO_DI" Value="Description of digital input"/>
          <Text TextId="IDT_CATEGORY_DO" Value="Digital output"/>
          <Text TextId="IDT_INFO_DO" Value="Description of digital output"/>
          <Text TextId="IDT_NAME_M1_IDT_REF_channel" Value="Canale x"/>
          <Text TextId="IDT_REF_reaction_to_cpu_stop" Value="Reaction to CPU STOP"/>
          <Text TextId="IDT_NAME_M1_Base_Parameters" Value="Base Parameters"/>
          <Text Value="Output substitute value" TextId="IDT_ASSIGN_do_set_substitude_values"/>
          <Text Value="Keep last value" TextId="IDT_ASSIGN_do_values_will_hold"/>
          <Text Value="Continue operation" TextId="IDT_ASSIGN_do_continue_counting"/>
        </PrimaryLanguage>
      </ExternalTextList>
    </ApplicationProcess>
  </ProfileBody>
</ISO15745Profile>
)GSDML";

const int kAllTypes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 20, 22, 24, 25, 26, 27, 28, 29};

QString Hex4(uint16_t v)
{
    return QStringLiteral("0x%1").arg(QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toUpper());
}

// A parsed document (its byte-order mark, if any, removed).
struct Doc
{
    pugi::xml_document doc;
    bool ok = false;

    explicit Doc(QByteArray bytes)
    {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        ok = doc.load_buffer(bytes.constData(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    }
    // The value of an attribute found by an XPath expression ("" when none).
    QString At(const char* xpath) const
    {
        return QString::fromUtf8(doc.select_node(xpath).attribute().value());
    }
    int Count(const char* xpath) const { return int(doc.select_nodes(xpath).size()); }
};

QString InputLength(const Doc& d)
{
    return d.At("//*[local-name()='Input']/*[local-name()='DataItem']/@Length");
}

QString OutputLength(const Doc& d)
{
    return d.At("//*[local-name()='Output']/*[local-name()='DataItem']/@Length");
}

QString Station(const Doc& d)
{
    EXPECT_EQ(d.At("//*[local-name()='DeviceAccessPointItem']/@ImplementationType"),
              d.At("//*[local-name()='DeviceAccessPointItem']/@DNS_CompatibleName"));
    return d.At("//*[local-name()='DeviceAccessPointItem']/@ImplementationType");
}

gen::Output Generate(int type, const QByteArray* parGen, const QList<std::pair<QString*, QByteArray>>& files = {})
{
    GenProject project(type);
    if (parGen)
        project.WriteFile(File_ParGen, *parGen);
    for (const auto& [path, bytes] : files)
        project.WriteFile(*path, bytes);
    return gen::Make_GSDML_From_Project(type);
}

// Runs xmllint --noout over the documents; its report, empty when all are well-formed.
QString XmlLint(const QList<QByteArray>& documents)
{
    QTemporaryDir dir;
    QStringList args = {"--noout"};
    for (int i = 0; i < documents.size(); ++i) {
        const QString path = dir.path() + QStringLiteral("/d%1.xml").arg(i);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(documents[i]);
        args << path;
    }
    const ToolRun r = RunTool(Tool("xmllint"), args);
    return r.exitCode == 0 ? r.output : QStringLiteral("exit %1: %2").arg(r.exitCode).arg(r.output);
}

TEST(Gsdml, Type24IsTheWholeDocument)
{
    const QByteArray parGen =
        ParGenXml({{"PROFINET_NB_IN", "100"}, {"PROFINET_NB_OUT", "20"}, {"PROFINET_NAME_STA", "gw-1"}});
    const gen::Output out = Generate(24, &parGen);
    ASSERT_TRUE(out.Ok());
    QString expected = QString::fromLatin1(kType24).mid(1);
    expected.replace("@VENDORID@", Hex4(gen::maker::ProfinetVendorId));
    expected.replace("@DEVICEID@", Hex4(gen::maker::ProfinetDeviceId(24)));
    QStringList lines = expected.split('\n');
    lines.removeLast();
    EXPECT_EQ(CrLfLines(out.bytes), lines);
    EXPECT_TRUE(out.bytes.startsWith("<?xml"));
}

// Every model with a full ParGen.xml, without one and with one lacking every
// element: lengths per rule, identity, template points, declaration, texts.
TEST(Gsdml, EveryModel)
{
    struct Lengths
    {
        int in, out;
    };
    struct Model
    {
        int type;
        const char* family;
        const char* order;
        bool b;            // template B
        Lengths full;      // with the full ParGen.xml below
        Lengths none;      // without ParGen.xml
        Lengths missing;   // ParGen.xml without the elements
        const char* station;   // with station "st" in ParGen.xml
    };
    const QByteArray full = ParGenXml({{"PROFINET_NB_IN", "11"},          {"PROFINET_NB_OUT", "12"},
                                       {"DNETS_NB_IN", "21"},             {"DNETS_NB_OUT", "22"},
                                       {"PROFIBUS_SLAVE_NB_IN", "31"},    {"PROFIBUS_SLAVE_NB_OUT", "32"},
                                       {"MODBUS_MASTER_NB_IN", "41"},     {"MODBUS_MASTER_NB_OUT", "42"},
                                       {"MODBUS_SLAVE_NB_IN", "51"},      {"MODBUS_SLAVE_NB_OUT", "52"},
                                       {"MODBUS_TCP_MASTER_NB_IN", "61"}, {"MODBUS_TCP_MASTER_NB_OUT", "62"},
                                       {"MODBUS_TCP_Slave_NB_IN", "71"},  {"MODBUS_TCP_Slave_NB_OUT", "72"},
                                       {"DMX_TYPE", "0"},                 {"PROFINET_NAME_STA", "st"}});
    const QByteArray empty = ParGenXml({{"PROFINET_NB_IN", "x"}, {"PROFINET_NB_OUT", ""}});
    const Model models[] = {
        {0, "GX52280", "GX52280-A1", false, {12, 11}, {1438, 1438}, {1438, 1438}, "st"},
        {1, "GX52300", "GX52300-A1", false, {11, 12}, {1438, 1438}, {1438, 1438}, "SERIAL"},
        {2, "GX52310", "GX52310-A1", false, {22, 21}, {455, 455}, {455, 455}, "SERIAL"},
        {3, "GX52270", "GX52270-A1", false, {32, 31}, {0, 0}, {0, 0}, "SERIAL"},
        {4, "GX52240", "GX52240-A1", false, {42, 41}, {512, 512}, {512, 512}, "st"},
        {5, "GX52250", "GX52250-A1", false, {52, 51}, {512, 512}, {512, 512}, "st"},
        {6, "GX52320", "GX52320", true, {1, 1}, {1, 1}, {1, 1}, "st"},
        {7, "GX52220", "GX52220", true, {1, 1}, {1, 1}, {1, 1}, "st"},
        {8, "GX52290", "GX52290", false, {12, 11}, {1440, 1440}, {1440, 1440}, "SERIAL"},
        {9, "GX52230", "GX52230", true, {11, 12}, {500, 500}, {500, 500}, "st"},
        {10, "GX52020", "GX52020-B2", false, {12, 4}, {1, 4}, {1439, 4}, "st"},
        {11, "GX52330", "GX52330", false, {62, 61}, {512, 512}, {512, 512}, "SERIAL"},
        {12, "GX52340", "GX52340-A1", false, {72, 71}, {512, 512}, {512, 512}, "st"},
        {13, "GX52370", "GX52370-A1", false, {12, 11}, {496, 496}, {496, 496}, "SERIAL"},
        {14, "GX52180", "GX52180", false, {1, 1}, {1, 1}, {1, 1}, "SERIAL"},
        {20, "GX52350", "GX52350-A1", false, {11, 12}, {1024, 1024}, {1024, 1024}, "st"},
        {22, "GX52360", "GX52360-A1", false, {12, 1}, {1, 512}, {1, 512}, "SERIAL"},
        {24, "GX52160", "GX52160", false, {12, 11}, {1440, 1440}, {1440, 1440}, "st"},
        {25, "GX527-K101", "GX527-K101", false, {42, 41}, {512, 512}, {512, 512}, "st"},
        {26, "GX527-K102", "GX527-K102", false, {52, 51}, {512, 512}, {512, 512}, "st"},
        {27, "GX52140", "GX52140", false, {12, 11}, {1438, 1438}, {1438, 1438}, "st"},
        {28, "GX52190", "GX52190", true, {1, 1}, {1, 1}, {1, 1}, "st"},
        {29, "GX527-K103", "GX527-K103", false, {12, 1}, {1, 512}, {1, 512}, "SERIAL"},
    };
    QList<QByteArray> all;
    QSet<QString> deviceIds;
    for (const Model& m : models) {
        SCOPED_TRACE(m.type);
        const std::pair<const QByteArray*, Lengths> cases[] = {{&full, m.full}, {nullptr, m.none}, {&empty, m.missing}};
        for (const auto& [parGen, lengths] : cases) {
            const gen::Output out = Generate(m.type, parGen);
            ASSERT_TRUE(out.Ok()) << out.error.toStdString();
            all << out.bytes;
            const Doc d(out.bytes);
            ASSERT_TRUE(d.ok);
            EXPECT_EQ(InputLength(d), QString::number(lengths.in));
            EXPECT_EQ(OutputLength(d), QString::number(lengths.out));
        }
        const Doc d(all[all.size() - 3]);
        EXPECT_EQ(Station(d), m.station);
        EXPECT_EQ(d.At("//*[local-name()='Family']/@ProductFamily"), m.family);
        EXPECT_EQ(d.At("//*[local-name()='DeviceAccessPointItem']/*[local-name()='ModuleInfo']/*[local-name()='OrderNumber']/@Value"), m.order);
        EXPECT_EQ(d.At("//*[local-name()='DeviceIdentity']/@VendorID"), Hex4(gen::maker::ProfinetVendorId));
        const QString deviceId = d.At("//*[local-name()='DeviceIdentity']/@DeviceID");
        EXPECT_TRUE(QRegularExpression("^0x[0-9A-F]{4}$").match(deviceId).hasMatch()) << deviceId.toStdString();
        if (m.type != 13) {
            EXPECT_FALSE(deviceIds.contains(deviceId));
        }
        deviceIds.insert(deviceId);
        // Template points.
        EXPECT_EQ(d.At("//*[local-name()='SubslotItem'][1]/@SubslotNumber"), m.b ? "0" : "1");
        EXPECT_EQ(d.Count("//*[local-name()='ApplicationRelations']/@NumberOfAR"), m.b ? 0 : 1);
        EXPECT_EQ(d.At("//*[local-name()='ModuleItem']/@ModuleIdentNumber"), m.b ? "0x00000001" : "0x00000002");
        const bool master = m.type == 4 || m.type == 25;
        EXPECT_EQ(d.Count("//*[local-name()='ModuleItemRef']/@AllowedInSlots"), master ? 1 : 0);
        EXPECT_EQ(d.Count("//*[local-name()='ModuleItemRef']/@FixedInSlots"), master ? 0 : 1);
        EXPECT_EQ(d.At("//*[local-name()='TimingProperties']/@ReductionRatio"),
                  master ? "1 2 4 8 16 32" : "1 2 4 8 16 32 64 128 256 512");
        EXPECT_EQ(d.At("//*[local-name()='Input']/*[local-name()='DataItem']/@TextId"), master ? "IDT_Input" : "IDT_Input_1");
        // Four texts in place of the two data item texts: 42 (the description's count of 43 does not add up).
        EXPECT_EQ(d.Count("//*[local-name()='PrimaryLanguage']/*[local-name()='Text']"), master ? 42 : 40);
        EXPECT_EQ(d.At("//*[local-name()='IOConfigData']/@MaxInputLength"), m.type == 3 ? "244" : "1440");
        EXPECT_EQ(d.At("//*[local-name()='IOConfigData']/@MaxDataLength"), m.type == 3 ? "488" : "2880");
        // Declaration and byte-order mark.
        const QByteArray& bytes = all[all.size() - 3];
        if (m.type == 9)
            EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
        else
            EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"));
    }
    EXPECT_EQ(gen::maker::ProfinetDeviceId(1), gen::maker::ProfinetDeviceId(13));
    EXPECT_EQ(XmlLint(all), QString());
}

TEST(Gsdml, TextsOfTheMasterModels)
{
    // Type 4 has the same list as 25: the 40 texts with the two data item
    // texts replaced by four, 42 in all.
    const gen::Output four = Generate(4, nullptr);
    EXPECT_EQ(Doc(four.bytes).doc.select_nodes("//*[local-name()='PrimaryLanguage']/*").size(), 42u);
    const gen::Output out = Generate(25, nullptr);
    const Doc d(out.bytes);
    QStringList ids;
    for (const pugi::xpath_node& n : d.doc.select_nodes("//*[local-name()='PrimaryLanguage']/*"))
        ids << n.node().attribute("TextId").value();
    EXPECT_EQ(ids.size(), 42);
    EXPECT_EQ(ids.removeDuplicates(), 0);
    EXPECT_EQ(ids.mid(28, 6), (QStringList{"IDT_Input", "IDT_NAME_S2", "IDT_INFO_S2", "IDT_Output", "IDT_CATEGORY_DI",
                                           "IDT_INFO_DI"}));
    EXPECT_EQ(d.At("//*[@TextId='IDT_Output']/@Value"), "Output byte");
    EXPECT_EQ(d.At("//*[@TextId='IDT_NAME_M_PB1']/@Value"), "PROFIBUS slave");
    EXPECT_EQ(d.At("//*[@TextId='IDT_INFO_M1']/@Value"), "dispositivo MODBUS");
}

TEST(Gsdml, WriterTextsPerModel)
{
    const std::tuple<int, const char*, const char*> cases[] = {
        {27, "IDT_NAME_DAP1", "CAN"},
        {9, "IDT_INFO_DAP1", "Profinet SerialPort  Adapter"},
        {9, "IDT_NAME_FAP", "FAP for SerialPort "},
        {13, "IDT_INFO_FAP", "Description of FAP for EtherNet/IP"},
        {28, "IDT_NAME_M_PB1", "NMEA 2000 Slave "},
        {5, "IDT_PB_InputBit0", "Digital input bit ModBusSlave"},
        {11, "IDT_INFO_S_PB1", "Description of module of a Modbus TCP Master"},
        {12, "IDT_INFO_S_PB1", "Description of module of a ModBusTCPSlave"},
        {22, "IDT_NAME_DAP1", "DMXSlave"},
    };
    for (const auto& [type, id, value] : cases) {
        const Doc d(Generate(type, nullptr).bytes);
        EXPECT_EQ(d.At(QStringLiteral("//*[@TextId='%1']/@Value").arg(id).toUtf8().constData()), QString(value))
            << type << id;
    }
}

TEST(Gsdml, StationNames)
{
    struct Case
    {
        int type;
        const char* parGen;   // nullptr: no file
        QString written;
    };
    const Case cases[] = {
        {24, "<Par_Gen><PROFINET_NAME_STA>   </PROFINET_NAME_STA></Par_Gen>", "SERIAL"},
        {24, "<Par_Gen><PROFINET_NAME_STA> gw-1 </PROFINET_NAME_STA></Par_Gen>", " gw-1 "},
        {24, "<Par_Gen><PROFINET_NAME_STA>\t\x01</PROFINET_NAME_STA></Par_Gen>", "SERIAL"},
        {24, nullptr, "SERIAL"},
        {5, "<Par_Gen><PROFINET_NAME_STA></PROFINET_NAME_STA></Par_Gen>", "gx52250"},
        {5, "<Par_Gen><PROFINET_NAME_STA>  </PROFINET_NAME_STA></Par_Gen>", "  "},
        {26, "<Par_Gen/>", "gx52250"},
        {10, "<Par_Gen><PROFINET_NAME_STA/></Par_Gen>", "devicefl"},
        {8, "<Par_Gen><PROFINET_NAME_STA>x</PROFINET_NAME_STA></Par_Gen>", "SERIAL"},
        {14, "<Par_Gen><PROFINET_NAME_STA>x</PROFINET_NAME_STA></Par_Gen>", "SERIAL"},
        // Escaped, and non-ASCII as character references.
        {24, "<Par_Gen><PROFINET_NAME_STA>a&amp;b&lt;c\"d'e&gt;</PROFINET_NAME_STA></Par_Gen>", "a&b<c\"d'e>"},
        {9, "<Par_Gen><PROFINET_NAME_STA>gw-\xC3\xA4\xF0\x9F\x98\x80</PROFINET_NAME_STA></Par_Gen>",
         QString::fromUtf8("gw-\xC3\xA4\xF0\x9F\x98\x80")},
        {0, "<Par_Gen><PROFINET_NAME_STA>gw-\xC3\xA4</PROFINET_NAME_STA></Par_Gen>", QString::fromUtf8("gw-\xC3\xA4")},
        {0, "<Par_Gen><PROFINET_NAME_STA>a\tb</PROFINET_NAME_STA></Par_Gen>", "a\tb"},
    };
    QList<QByteArray> all;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parGen ? c.parGen : "no ParGen.xml");
        const QByteArray parGen = c.parGen;
        const gen::Output out = Generate(c.type, c.parGen ? &parGen : nullptr);
        ASSERT_TRUE(out.Ok());
        const QByteArray text = out.bytes.startsWith("\xEF\xBB\xBF") ? out.bytes.mid(3) : out.bytes;
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char ch) { return !(ch & 0x80); })) << "above ASCII";
        all << out.bytes;
        EXPECT_EQ(Station(Doc(out.bytes)), c.written);
    }
    EXPECT_TRUE(all[10].contains("ImplementationType=\"a&amp;b&lt;c&quot;d&apos;e&gt;\""));
    EXPECT_TRUE(all[12].contains("ImplementationType=\"gw-&#228;\""));
    EXPECT_EQ(XmlLint(all), QString());
}

TEST(Gsdml, RefusesAStationNameXmlCannotHold)
{
    const QByteArray parGen = "<Par_Gen><PROFINET_NAME_STA>a\x01z</PROFINET_NAME_STA></Par_Gen>";
    const gen::Output out = Generate(24, &parGen);
    EXPECT_EQ(out.error, Lang(1161));
    EXPECT_TRUE(out.bytes.isEmpty());
    QString escaped;
    EXPECT_FALSE(gen::XmlAttributeText(QString(QChar(0xFFFE)), escaped));
    EXPECT_FALSE(gen::XmlAttributeText(QString(QChar(0xD800)), escaped));
    EXPECT_TRUE(gen::XmlAttributeText(QStringLiteral("gw-1"), escaped));
    EXPECT_EQ(escaped, "gw-1");
}

TEST(Gsdml, NoStateBetweenGenerations)
{
    const QByteArray named = "<Par_Gen><PROFINET_NAME_STA>a</PROFINET_NAME_STA></Par_Gen>";
    const QByteArray unnamed = "<Par_Gen><PROFINET_NB_IN>7</PROFINET_NB_IN></Par_Gen>";
    EXPECT_EQ(Station(Doc(Generate(9, &named).bytes)), "a");
    EXPECT_EQ(Station(Doc(Generate(9, &unnamed).bytes)), "SERIAL");
}

const Attrs kJ1939Rec = {{"DP", "0"}, {"PGN", "0xFEF1"}, {"SA", "0"}, {"TP", "N"}, {"TP_Start", ""},
                         {"TP_NByte", ""}, {"Delete", "N"}, {"Mnemonic", ""}};
const Attrs kNmeaRec = {{"PGN", "127488"}, {"SA", "0"}, {"TP", "N"}, {"FP", "N"}, {"TP_Start", ""},
                        {"TP_NByte", ""}, {"Delete", "N"}, {"Mnemonic", ""}};

TEST(Gsdml, FrameSums)
{
    struct Case
    {
        const char* what;
        int type;
        QList<std::pair<QString*, QByteArray>> files;
        int in, out;   // -1: refused with a message holding text
        const char* text;
    };
    const auto j1939 = [](const Attrs& a, const char* attr, const char* v) { return RowXmlWith(a, attr, v); };
    const Case cases[] = {
        {"J1939 example", 6,
         {{&File_J1939_Rec_Frames,
           RootXml("Receive_J1939", {RowXml(kJ1939Rec), RowXmlWith({{"TP", "y"}, {"TP_NByte", "20"}}, "DP", "0")})}},
         28, 1, nullptr},
        {"J1939 TP trimmed", 14,
         {{&File_J1939_Rec_Frames, RootXml("Receive_J1939", {j1939(kJ1939Rec, "TP", " Y\t")})}}, -1, 0,
         "\"TP_NByte\" is not an integer"},
        {"J1939 send", 6,
         {{&File_J1939_Send_Frames, RootXml("Receive_J1939", {"<row TP_NByte=\"abc\"/>", "<row TP_NByte=\"100\"/>", "<row/>"})}},
         1, 116, nullptr},
        {"J1939 receive without TP", 6, {{&File_J1939_Rec_Frames, RootXml("Receive_J1939", {j1939(kJ1939Rec, "TP", nullptr)})}},
         -1, 0, "\"TP\" is missing"},
        {"NMEA FP without bytes", 7, {{&File_NMEA_Rec_Frames, RootXml("Receive_NMEA_2000", {RowXmlWith(kNmeaRec, "FP", "Y")})}},
         -1, 0, "\"TP_NByte\" is not an integer"},
        {"NMEA plain frame", 7, {{&File_NMEA_Rec_Frames, RootXml("Receive_NMEA_2000", {RowXml(kNmeaRec)})}}, 8, 1, nullptr},
        {"NMEA TP wins", 28,
         {{&File_NMEA_Rec_Frames, RootXml("Receive_NMEA_2000", {"<row TP=\"Y\" TP_NByte=\"300\"/>"})}}, 300, 1, nullptr},
        {"NMEA without FP", 28, {{&File_NMEA_Rec_Frames, RootXml("Receive_NMEA_2000", {"<row TP=\"N\" TP_NByte=\"3\"/>"})}},
         -1, 0, "\"FP\" is missing"},
        {"NMEA send", 7,
         {{&File_NMEA_Send_Frames, RootXml("Receive_NMEA_2000", {"<row TP_NByte=\"0\"/>", "<row TP_NByte=\"$10\"/>"})}},
         1, 16, nullptr},
        {"NMEA send empty bytes", 7, {{&File_NMEA_Send_Frames, RootXml("Receive_NMEA_2000", {"<row TP_NByte=\"\"/>"})}},
         -1, 0, "NMEA_Send_Frames.xml"},
        {"not well-formed", 6, {{&File_J1939_Send_Frames, "<Receive_J1939><row>"}}, -1, 0, "J1939_Send_Frames.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const gen::Output out = Generate(c.type, nullptr, c.files);
        if (c.in < 0) {
            EXPECT_TRUE(out.error.contains(c.text)) << out.error.toStdString();
            EXPECT_TRUE(out.bytes.isEmpty());
            continue;
        }
        ASSERT_TRUE(out.Ok()) << out.error.toStdString();
        const Doc d(out.bytes);
        EXPECT_EQ(InputLength(d), QString::number(c.in));
        EXPECT_EQ(OutputLength(d), QString::number(c.out));
    }
}

TEST(Gsdml, DmxAndType10Rules)
{
    const std::tuple<int, QByteArray, int, int> cases[] = {
        {22, ParGenXml({{"DMX_TYPE", "0"}, {"PROFINET_NB_OUT", "300"}, {"PROFINET_NB_IN", "7"}}), 300, 1},
        {22, ParGenXml({{"DMX_TYPE", "1"}, {"PROFINET_NB_IN", "40"}}), 1, 40},
        {29, ParGenXml({{"DMX_TYPE", " 0"}, {"PROFINET_NB_IN", "40"}, {"PROFINET_NB_OUT", "300"}}), 1, 40},
        {29, ParGenXml({{"PROFINET_NB_IN", "abc"}}), 1, 512},
        {22, ParGenXml({{"DMX_TYPE", "0"}}), 512, 1},
        {10, ParGenXml({{"PROFINET_NB_OUT", "0"}, {"PROFINET_NB_IN", "9"}}), 1, 4},
        {10, ParGenXml({{"PROFINET_NB_OUT", "77"}}), 77, 4},
    };
    for (const auto& [type, parGen, in, out] : cases) {
        const Doc d(Generate(type, &parGen).bytes);
        EXPECT_EQ(InputLength(d), QString::number(in)) << type << parGen.toStdString();
        EXPECT_EQ(OutputLength(d), QString::number(out)) << type << parGen.toStdString();
    }
}

TEST(Gsdml, ParGenNotWellFormedIsRefused)
{
    const QByteArray parGen = "<Par_Gen><PROFINET_NB_IN>1</Par_Gen>";
    const gen::Output out = Generate(24, &parGen);
    EXPECT_TRUE(out.error.contains("ParGen.xml")) << out.error.toStdString();
    EXPECT_TRUE(out.bytes.isEmpty());
}

TEST(GsdmlFileName, NameCases)
{
    const QString f1 = gen::Gsdml_First_Part(24);
    const QString f2 = gen::Gsdml_Second_Part(QDate(2019, 8, 1));
    EXPECT_EQ(f1 + f2, "GSDML-V2.31-Keltrona-GX52160-20190801.xml");
    const std::pair<const char*, const char*> cases[] = {
        {"", "GSDML-V2.31-Keltrona-GX52160-20190801.xml"},
        {"abc", "GSDML-V2.31-Keltrona-GX52160_abc-20190801.xml"},
        {"_abc", "GSDML-V2.31-Keltrona-GX52160_abc-20190801.xml"},
        {" abc ", "GSDML-V2.31-Keltrona-GX52160_ abc -20190801.xml"},
        {"   ", "GSDML-V2.31-Keltrona-GX52160-20190801.xml"},
        {"\t\x01 ", "GSDML-V2.31-Keltrona-GX52160-20190801.xml"},
    };
    for (const auto& [user, name] : cases)
        EXPECT_EQ(gen::Compose_Gsdml_Name(f1, user, f2), QString(name)) << user;
    EXPECT_EQ(gen::Gsdml_First_Part(25), "GSDML-V2.31-Keltrona-GX527K101");
    EXPECT_EQ(gen::Gsdml_First_Part(29), "GSDML-V2.31-Keltrona-GX527K103");
    EXPECT_EQ(gen::Gsdml_First_Part(15), "GSDML-V2.25-Keltrona-");
    EXPECT_FALSE(gen::Gsdml_User_Part_Allowed("a/b"));
    EXPECT_FALSE(gen::Gsdml_User_Part_Allowed(QString("a") + QChar(0)));
    EXPECT_TRUE(gen::Gsdml_User_Part_Allowed("a\\b c"));
}

// The window of a type, created at a given local time.
struct NameWindow
{
    TempProgramFolder folder;
    ClockAt clock;
    TFProfinetFileName window;
    NameWindow(int type, const QDateTime& at) : folder(type), clock(at), window() {}
};

TEST(GsdmlFileName, WindowComposesTheNameAndKeepsTheStartDate)
{
    NameWindow w(24, QDateTime(QDate(2019, 8, 1), QTime(23, 59)));
    EXPECT_EQ(w.window.width(), 540);
    EXPECT_EQ(w.window.height(), 205);
    EXPECT_EQ(w.window.windowTitle(), "PROFINET XML File Name");
    EXPECT_EQ(w.window.E_XML_User->x(), 179);
    EXPECT_EQ(w.window.L_XML_Fix2->x(), 447);
    EXPECT_EQ(w.window.L_XML_Fix1->text(), "GSDML-V2.31-Keltrona-GX52160");
    EXPECT_EQ(w.window.L_XML_Fix2->text(), "-20190801.xml");
    EXPECT_LT(w.window.L_XML_Fix1->geometry().right(), 179);
    w.clock.Set(QDateTime(QDate(2019, 8, 2), QTime(0, 1)));
    w.window.show();
    QTest::keyClicks(w.window.E_XML_User, "abc");
    QTest::mouseClick(w.window.Btn_OK, Qt::LeftButton);
    EXPECT_EQ(w.window.result(), mrOk);
    EXPECT_EQ(w.window.Name_File_XML, "GSDML-V2.31-Keltrona-GX52160_abc-20190801.xml");
    // The user part is still there at the next showing.
    w.window.show();
    EXPECT_EQ(w.window.E_XML_User->text(), "abc");
    if (const QByteArray dir = qgetenv("ORVANO_SCREENSHOT_DIR"); !dir.isEmpty())
        w.window.grab().save(QString::fromLocal8Bit(dir) + "/profinet_file_name.png");
    w.window.close();
}

TEST(GsdmlFileName, WindowRefusesASlashAndStaysOpen)
{
    NameWindow w(25, QDateTime(QDate(2019, 8, 1), QTime(12, 0)));
    EXPECT_EQ(w.window.width(), 550);
    EXPECT_EQ(w.window.E_XML_User->x(), 189);
    EXPECT_EQ(w.window.L_XML_Fix2->x(), 457);
    EXPECT_EQ(w.window.L_XML_Fix1->text(), "GSDML-V2.31-Keltrona-GX527K101");
    EXPECT_LT(w.window.L_XML_Fix1->geometry().right(), 189);
    MessageRecorder messages;
    w.window.show();
    w.window.E_XML_User->setText("sub/dir");
    w.window.Name_File_XML.clear();
    w.window.Btn_OK_Click();
    EXPECT_EQ(messages.Texts(), QStringList{Lang(1160)});
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_TRUE(w.window.Name_File_XML.isEmpty());
    w.window.close();
}

TEST(GsdmlSave, WritesTheComposedNameInTheChosenFolder)
{
    GenProject project(24);
    const QString name = "GSDML-V2.31-Keltrona-GX52160-20190801.xml";
    const QString out = project.Folder() + "/Out";
    QDir().mkpath(out);
    MessageRecorder messages;
    for (const QString& chosen : {out + "/other.xml", out + "/"}) {
        QFile::remove(out + "/" + name);
        ChooserAnswer chooser(chosen);
        Save_GSDML(name);
        EXPECT_EQ(chooser.proposed, name);
        EXPECT_EQ(chooser.initialDir, ProjectPath);
        EXPECT_EQ(chooser.filter, "PROFINET XML (*.xml)|" + name);
        EXPECT_FALSE(QFileInfo::exists(out + "/other.xml"));
        EXPECT_EQ(ReadBytes(out + "/" + name), gen::Make_GSDML_From_Project(24).bytes) << chosen.toStdString();
    }
    EXPECT_TRUE(messages.Empty());
}

TEST(GsdmlSave, AsksBeforeReplacingAndStops)
{
    GenProject project(24);
    const QString path = project.Folder() + "/g.xml";
    project.WriteFile(path, "old");
    {
        MessageRecorder messages;
        messages.QueueAnswer(false);
        ChooserAnswer chooser(path);
        Save_GSDML("g.xml");
        EXPECT_EQ(messages.Texts(), QStringList{Lang(196)});
        EXPECT_EQ(ReadBytes(path), "old");
    }
    {
        MessageRecorder messages;
        ChooserAnswer chooser{QString()};
        Save_GSDML("g.xml");
        EXPECT_TRUE(messages.Empty());
        EXPECT_EQ(ReadBytes(path), "old");
    }
    {
        MessageRecorder messages;
        ChooserAnswer chooser(path);
        Save_GSDML("g.xml");
        EXPECT_EQ(messages.Texts(), QStringList{Lang(196)});
        EXPECT_TRUE(ReadBytes(path).startsWith("<?xml"));
    }
}

TEST(GsdmlSave, NothingForATypeWithoutWriterAndMessagesOnFailure)
{
    {
        GenProject project(15);
        MessageRecorder messages;
        ChooserAnswer chooser(project.Folder() + "/x.xml");
        Save_GSDML("x.xml");
        EXPECT_TRUE(messages.Empty());
        EXPECT_FALSE(QFileInfo::exists(project.Folder() + "/x.xml"));
    }
    GenProject project(24);
    project.WriteFile(File_ParGen, "<Par_Gen>");
    MessageRecorder messages;
    ChooserAnswer chooser(project.Folder() + "/x.xml");
    Save_GSDML("x.xml");
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains("ParGen.xml"));
    EXPECT_FALSE(QFileInfo::exists(project.Folder() + "/x.xml"));
}

} // namespace
