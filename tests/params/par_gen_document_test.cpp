// ParGen.xml as the window writes and reads it: the element set and order of
// every model, the default texts of a new project, and the reading rules.
#include "device_type.h"
#include "par_gen_codec.h"
#include "par_gen_elements.h"
#include "par_gen_fixture.h"
#include "par_gen_values.h"

#include <QComboBox>
#include <QMap>

using namespace pargen_test;

namespace {

QStringList Octets(const QString& prefix)
{
    QStringList l;
    for (const char* kind : {"IP", "SM", "GAT"})
        for (int n = 1; n <= 4; ++n)
            l << prefix + QLatin1String(kind) + QString::number(n);
    return l;
}

QStringList Head()
{
    return Octets(QStringLiteral("PROFINET_"))
           + QStringList{"PROFINET_EN_GAT", "PROFINET_PORT", "PROFINET_NAME_STA"};
}

const QStringList kV3 = {"SNMP_VERSION1", "SNMP_VERSION2", "SNMP_VERSION3", "SNMP_VER3_USER",
                         "SNMP_VER3_SECURITY_LEVEL", "SNMP_VER3_AUTHORITY", "SNMP_VER3_AUTHORITY_MODE",
                         "SNMP_VER3_PRIVACY", "SNMP_VER3_PRIVACY_MODE", "SNMP_VER3_PRIVACY_HEX"};

QStringList TcpMaster()
{
    return QStringList{"Modbus_TCP_Master_TimeOut", "Modbus_TCP_Master_Cyclic"}
           + Octets(QStringLiteral("Modbus_TCP_Master_")) + QStringList{"Modbus_TCP_Master_EN_GAT"};
}

QStringList TcpSlave()
{
    return QStringList{"Modbus_TCP_Slave_Port"} + Octets(QStringLiteral("Modbus_TCP_Slave_"))
           + QStringList{"Modbus_TCP_Slave_EN_GAT"};
}

// The element names of each model, written out from the document's format.
QStringList Expected(int type)
{
    const QStringList canopen8 = {
        "PROFINET_NB_IN", "PROFINET_NB_OUT", "PROFINET_ENABLE_DIAGNOSTIC", "PROFINET_DIAGNOSTIC_ADDRESS",
        "PROFINET_ENABLE_CANOPEN_CMD", "PROFINET_CANOPEN_CMD_INDEX", "CANopen_IDDev", "CANopen_BAUDRATE",
        "CANopen_Set_Operational", "CANopen_Network_Start", "CANopen_Delay", "CANopen_SDO_TimeOut",
        "CANopen_Sync_Enable", "CANopen_Sync_Time", "CANopen_Enable_Restart", "CANopen_Enable_Reset_Data",
        "CANopen_Triggered_SDO_Enable", "CANopen_Triggered_SDO_Address_Input",
        "CANopen_Triggered_SDO_Address_Output"};
    const QStringList modbusMaster = {
        "MODBUS_MASTER_NB_IN", "MODBUS_MASTER_NB_OUT", "PROFINET_ENABLE_DIAGNOSTIC",
        "PROFINET_DIAGNOSTIC_ADDRESS", "PROFINET_ENABLE_MODBUS_POLLS", "PROFINET_MODBUS_POLLS_ADDRESS",
        "MODBUS_MASTER_SERIAL", "MODBUS_MASTER_BAUDRATE", "MODBUS_MASTER_PARITY", "MODBUS_MASTER_STOPBITS",
        "MODBUS_MASTER_TIMEOUT", "MODBUS_MASTER_CYCLICDELAY", "MODBUS_MASTER_ENABLE_POLL"};
    const QStringList snmpMaster = {"SNMP_Contact", "SNMP_Location", "SNMP_MapType", "MODBUS_MASTER_SERIAL",
                                    "MODBUS_MASTER_BAUDRATE", "MODBUS_MASTER_PARITY", "MODBUS_MASTER_TIMEOUT",
                                    "MODBUS_MASTER_CYCLICDELAY"};
    const QStringList modbusSlave = {"MODBUS_SLAVE_NB_IN", "MODBUS_SLAVE_NB_OUT", "MODBUS_SLAVE_SERIAL",
                                     "MODBUS_SLAVE_BAUDRATE", "MODBUS_SLAVE_PARITY", "MODBUS_SLAVE_IDDEVICE",
                                     "MODBUS_SLAVE_READ_INPUT_REG"};
    const QStringList can = {"PROFINET_SEND_BACK_CAN_MESS", "PROFINET_SEND_REPLAY_TUNNEL_PORT", "PROFINET_NB_IN",
                             "PROFINET_NB_OUT", "CAN_BAUDRATE"};
    const QStringList j1939 = {"J1939_BAUDRATE", "J1939_TIMEOUT", "J1939_PEER_TO_PEER", "J1939_ID"};
    const QStringList nmea = {"NMEA2000_BAUDRATE", "NMEA2000_TIMEOUT", "NMEA2000_PEER_TO_PEER"};
    const QStringList mbus = {"PROFINET_NB_OUT", "PROFINET_AUTO_CALC_BYTE", "Working_mode", "Meter_Baud",
                              "Meter_Par", "Meter_Req_Delay", "Meter_NS_Error_Code"};
    const QStringList dmx = {"PROFINET_NB_IN", "PROFINET_NB_OUT", "DMX_TYPE"};
    const QStringList profibus = {"PROFIBUS_SLAVE_ID_DEV", "PROFIBUS_SLAVE_BAUDRATE", "PROFIBUS_SLAVE_NB_IN",
                                  "PROFIBUS_SLAVE_NB_OUT", "PROFIBUS_SLAVE_RESET_DATA"};
    switch (type) {
    case 0: case 27: return Head() + can;
    case 1: return Head() + QStringList{"PROFINET_NB_IN", "PROFINET_NB_OUT", "PROFINET_ENABLE_DIAGNOSTIC",
                                        "PROFINET_DIAGNOSTIC_ADDRESS", "DNETM_ID_DEV", "DNETM_BAUDRATE"};
    case 2: return Head() + QStringList{"DNETS_ID_DEV", "DNETS_BAUDRATE", "DNETS_NB_IN", "DNETS_NB_OUT"};
    case 3: return Head() + profibus;
    // Type 23 shows the reset box, so it stores it too.
    case 23: return Head() + kV3 + profibus;
    case 4: case 25: return Head() + modbusMaster;
    case 18: case 1018: return Head() + kV3 + snmpMaster;
    case 5: case 26: return Head() + modbusSlave;
    case 16: return Head() + kV3 + QStringList{"MODBUS_SLAVE_SERIAL", "MODBUS_SLAVE_BAUDRATE",
                                               "MODBUS_SLAVE_PARITY", "MODBUS_SLAVE_IDDEVICE",
                                               "MODBUS_SLAVE_SWAPBYTES", "SNMP_Contact", "SNMP_Location",
                                               "SNMP_MapType"};
    case 6: case 14: return Head() + j1939;
    case 7: case 28: return Head() + nmea;
    case 8: return Head() + canopen8;
    case 24: {
        QStringList l = canopen8;
        for (const char* gone : {"PROFINET_ENABLE_DIAGNOSTIC", "PROFINET_DIAGNOSTIC_ADDRESS",
                                 "PROFINET_ENABLE_CANOPEN_CMD", "PROFINET_CANOPEN_CMD_INDEX",
                                 "CANopen_Enable_Restart", "CANopen_Enable_Reset_Data"})
            l.removeOne(QLatin1String(gone));
        return Head() + l;
    }
    case 9: return Head() + QStringList{"PROFINET_NB_IN", "PROFINET_NB_OUT", "SERIAL_SERIAL", "SERIAL_BAUDRATE",
                                        "SERIAL_PARITY"};
    case 10: return Head() + mbus;
    case 21: return Head() + kV3 + mbus + QStringList{"SNMP_AUX_INT_DIM"};
    case 11: return Head() + QStringList{"MODBUS_TCP_MASTER_NB_IN", "MODBUS_TCP_MASTER_NB_OUT",
                                         "PROFINET_ENABLE_DIAGNOSTIC", "PROFINET_DIAGNOSTIC_ADDRESS"}
                    + TcpMaster();
    case 19: return Head() + kV3 + QStringList{"SNMP_Contact", "SNMP_Location", "SNMP_MapType"} + TcpMaster();
    case 12: return Head() + QStringList{"MODBUS_TCP_Slave_NB_IN", "MODBUS_TCP_Slave_NB_OUT"} + TcpSlave()
                    + QStringList{"Modbus_TCP_Slave_READ_INPUT_REG"};
    // Type 17 shows the SNMPv3 rows, so it stores them too.
    case 17: return Head() + kV3 + QStringList{"SNMP_AUX_INT_DIM"} + TcpSlave();
    case 13: return Head() + QStringList{"PROFINET_NB_IN", "PROFINET_NB_OUT"} + Octets(QStringLiteral("EtherNetIP_"))
                    + QStringList{"EtherNetIP_EN_GAT", "EtherNetIP_PORT"};
    case 15: return Head() + kV3 + QStringList{"PROFINET_SEND_BACK_CAN_MESS", "PROFINET_SEND_REPLAY_TUNNEL_PORT",
                                               "SNMP_AUX_INT_DIM", "SNMP_Contact", "SNMP_Location", "CAN_BAUDRATE"};
    case 20: {
        QStringList v3 = kV3;
        v3.removeLast();   // no SNMP_VER3_PRIVACY_HEX
        return Head() + QStringList{"PROFINET_NB_IN", "PROFINET_NB_OUT"} + Octets(QStringLiteral("SNMP_"))
               + QStringList{"SNMP_EN_GAT", "SNMP_Name_of_Station", "SNMP_Contact", "SNMP_Location"} + v3;
    }
    case 22: case 29: return Head() + dmx;
    }
    return {};
}

// Default texts a new project writes; per-type differences below.
const QMap<QString, QString> kDefaultText = {
    {"PROFINET_IP1", "192"}, {"PROFINET_IP2", "168"}, {"PROFINET_IP3", "0"}, {"PROFINET_IP4", "5"},
    {"PROFINET_SM1", "255"}, {"PROFINET_SM2", "255"}, {"PROFINET_SM3", "255"}, {"PROFINET_SM4", "0"},
    {"PROFINET_GAT1", "192"}, {"PROFINET_GAT2", "168"}, {"PROFINET_GAT3", "0"}, {"PROFINET_GAT4", "1"},
    {"PROFINET_EN_GAT", "0"}, {"PROFINET_PORT", "34964"}, {"PROFINET_NAME_STA", "devicename1"},
    {"SNMP_VERSION1", "0"}, {"SNMP_VERSION2", "0"}, {"SNMP_VERSION3", "1"}, {"SNMP_VER3_USER", ""},
    {"SNMP_VER3_SECURITY_LEVEL", "NoAuth NoPriv"}, {"SNMP_VER3_AUTHORITY", ""},
    {"SNMP_VER3_AUTHORITY_MODE", "MD5"}, {"SNMP_VER3_PRIVACY", ""}, {"SNMP_VER3_PRIVACY_MODE", "DES"},
    {"SNMP_VER3_PRIVACY_HEX", "0"},
    {"PROFINET_SEND_BACK_CAN_MESS", "0"}, {"PROFINET_SEND_REPLAY_TUNNEL_PORT", "0"},
    {"PROFINET_NB_IN", "1439"}, {"PROFINET_NB_OUT", "1439"}, {"CAN_BAUDRATE", "9"},
    {"PROFINET_ENABLE_DIAGNOSTIC", "0"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "0"},
    {"PROFINET_ENABLE_MODBUS_POLLS", "0"}, {"PROFINET_MODBUS_POLLS_ADDRESS", "0"},
    {"PROFINET_ENABLE_CANOPEN_CMD", "0"}, {"PROFINET_CANOPEN_CMD_INDEX", "0"},
    {"DNETM_ID_DEV", "0"}, {"DNETM_BAUDRATE", "2"}, {"DNETS_ID_DEV", "10"}, {"DNETS_BAUDRATE", "2"},
    {"DNETS_NB_IN", "455"}, {"DNETS_NB_OUT", "455"},
    {"PROFIBUS_SLAVE_ID_DEV", "10"}, {"PROFIBUS_SLAVE_BAUDRATE", "0"}, {"PROFIBUS_SLAVE_NB_IN", "244"},
    {"PROFIBUS_SLAVE_NB_OUT", "244"}, {"PROFIBUS_SLAVE_RESET_DATA", "0"},
    {"MODBUS_MASTER_NB_IN", "512"}, {"MODBUS_MASTER_NB_OUT", "512"}, {"MODBUS_MASTER_SERIAL", "0"},
    {"MODBUS_MASTER_BAUDRATE", "7"}, {"MODBUS_MASTER_PARITY", "0"}, {"MODBUS_MASTER_STOPBITS", "0"},
    {"MODBUS_MASTER_TIMEOUT", "1000"}, {"MODBUS_MASTER_CYCLICDELAY", "100"}, {"MODBUS_MASTER_ENABLE_POLL", "0"},
    {"MODBUS_SLAVE_NB_IN", "512"}, {"MODBUS_SLAVE_NB_OUT", "512"}, {"MODBUS_SLAVE_SERIAL", "0"},
    {"MODBUS_SLAVE_BAUDRATE", "7"}, {"MODBUS_SLAVE_PARITY", "0"}, {"MODBUS_SLAVE_IDDEVICE", "10"},
    {"MODBUS_SLAVE_READ_INPUT_REG", "1"}, {"MODBUS_SLAVE_SWAPBYTES", "0"},
    {"SNMP_Contact", ""}, {"SNMP_Location", ""}, {"SNMP_MapType", "0"}, {"SNMP_AUX_INT_DIM", "0"},
    {"J1939_BAUDRATE", "5"}, {"J1939_TIMEOUT", "0"}, {"J1939_PEER_TO_PEER", "0"}, {"J1939_ID", "0"},
    {"NMEA2000_BAUDRATE", "5"}, {"NMEA2000_TIMEOUT", "0"}, {"NMEA2000_PEER_TO_PEER", "0"},
    {"CANopen_IDDev", "1"}, {"CANopen_BAUDRATE", "5"}, {"CANopen_Set_Operational", "0"},
    {"CANopen_Network_Start", "0"}, {"CANopen_Delay", "0"}, {"CANopen_SDO_TimeOut", "10000"},
    {"CANopen_Sync_Enable", "0"}, {"CANopen_Sync_Time", "1000"}, {"CANopen_Enable_Restart", "0"},
    {"CANopen_Enable_Reset_Data", "0"}, {"CANopen_Triggered_SDO_Enable", "0"},
    {"CANopen_Triggered_SDO_Address_Input", "0"}, {"CANopen_Triggered_SDO_Address_Output", "0"},
    {"SERIAL_SERIAL", "0"}, {"SERIAL_BAUDRATE", "7"}, {"SERIAL_PARITY", "0"},
    {"PROFINET_AUTO_CALC_BYTE", "0"}, {"Working_mode", "0"}, {"Meter_Baud", "0"}, {"Meter_Par", "2"},
    {"Meter_Req_Delay", "100"}, {"Meter_NS_Error_Code", "0"},
    {"MODBUS_TCP_MASTER_NB_IN", "512"}, {"MODBUS_TCP_MASTER_NB_OUT", "512"},
    {"Modbus_TCP_Master_TimeOut", "1000"}, {"Modbus_TCP_Master_Cyclic", "100"},
    {"Modbus_TCP_Master_IP1", "192"}, {"Modbus_TCP_Master_IP2", "168"}, {"Modbus_TCP_Master_IP3", "0"},
    {"Modbus_TCP_Master_IP4", "5"}, {"Modbus_TCP_Master_SM1", "255"}, {"Modbus_TCP_Master_SM2", "255"},
    {"Modbus_TCP_Master_SM3", "255"}, {"Modbus_TCP_Master_SM4", "0"}, {"Modbus_TCP_Master_GAT1", "192"},
    {"Modbus_TCP_Master_GAT2", "168"}, {"Modbus_TCP_Master_GAT3", "0"}, {"Modbus_TCP_Master_GAT4", "1"},
    {"Modbus_TCP_Master_EN_GAT", "0"},
    {"MODBUS_TCP_Slave_NB_IN", "512"}, {"MODBUS_TCP_Slave_NB_OUT", "512"}, {"Modbus_TCP_Slave_Port", "502"},
    {"Modbus_TCP_Slave_IP1", "192"}, {"Modbus_TCP_Slave_IP2", "168"}, {"Modbus_TCP_Slave_IP3", "0"},
    {"Modbus_TCP_Slave_IP4", "5"}, {"Modbus_TCP_Slave_SM1", "255"}, {"Modbus_TCP_Slave_SM2", "255"},
    {"Modbus_TCP_Slave_SM3", "255"}, {"Modbus_TCP_Slave_SM4", "0"}, {"Modbus_TCP_Slave_GAT1", "192"},
    {"Modbus_TCP_Slave_GAT2", "168"}, {"Modbus_TCP_Slave_GAT3", "0"}, {"Modbus_TCP_Slave_GAT4", "1"},
    {"Modbus_TCP_Slave_EN_GAT", "0"}, {"Modbus_TCP_Slave_READ_INPUT_REG", "1"},
    {"EtherNetIP_IP1", "192"}, {"EtherNetIP_IP2", "168"}, {"EtherNetIP_IP3", "0"}, {"EtherNetIP_IP4", "10"},
    {"EtherNetIP_SM1", "255"}, {"EtherNetIP_SM2", "255"}, {"EtherNetIP_SM3", "255"}, {"EtherNetIP_SM4", "0"},
    {"EtherNetIP_GAT1", "192"}, {"EtherNetIP_GAT2", "168"}, {"EtherNetIP_GAT3", "0"}, {"EtherNetIP_GAT4", "1"},
    {"EtherNetIP_EN_GAT", "0"}, {"EtherNetIP_PORT", "44818"},
    {"SNMP_IP1", "192"}, {"SNMP_IP2", "168"}, {"SNMP_IP3", "0"}, {"SNMP_IP4", "11"},
    {"SNMP_SM1", "255"}, {"SNMP_SM2", "255"}, {"SNMP_SM3", "255"}, {"SNMP_SM4", "0"},
    {"SNMP_GAT1", "192"}, {"SNMP_GAT2", "168"}, {"SNMP_GAT3", "0"}, {"SNMP_GAT4", "1"},
    {"SNMP_EN_GAT", "0"}, {"SNMP_Name_of_Station", "snmpname1"}, {"DMX_TYPE", "1"},
};

QString ExpectedDefault(int type, const QString& element)
{
    const QList<std::tuple<QList<int>, QString, QString>> differences = {
        {{0, 4, 8, 15, 24, 25, 27}, "PROFINET_PORT", "2000"},
        {{9}, "PROFINET_NB_IN", "500"}, {{9}, "PROFINET_NB_OUT", "500"},
        {{13}, "PROFINET_NB_IN", "496"}, {{13}, "PROFINET_NB_OUT", "496"},
        {{21}, "PROFINET_NB_OUT", "1024"},
        {{20}, "PROFINET_NB_IN", "1023"}, {{20}, "PROFINET_NB_OUT", "1023"},
        {{22, 29}, "PROFINET_NB_IN", "512"}, {{22, 29}, "PROFINET_NB_OUT", "1"},
        {{18, 19, 1018}, "SNMP_MapType", "1"},
    };
    for (const auto& [types, name, text] : differences) {
        if (types.contains(type) && name == element)
            return text;
    }
    return kDefaultText.value(element, QStringLiteral("<no default>"));
}

} // namespace

TEST(ParGenDocument, EveryModelWritesItsElementsInOrder)
{
    for (int type : kAllTypes) {
        SCOPED_TRACE(type);
        EXPECT_EQ(ParGenElementNames(type), Expected(type));
    }
    EXPECT_EQ(ParGenElementNames(19).size(), 43);
    for (int type : {7, 22, 28, 29})
        EXPECT_EQ(ParGenElementNames(type).size(), 18);
}

// A new project confirmed at once writes the defaults; showing it again
// shows the same values, and a second OK writes the same bytes.
TEST(ParGenDocument, NewProjectOkWritesDefaultsForEveryModel)
{
    for (int type : kAllTypes) {
        SCOPED_TRACE(type);
        TempProgramFolder folder(type);
        folder.OpenProject();
        MessageRecorder messages;
        TFParGen w;
        QMap<QString, QString> shown;
        ASSERT_EQ(RunShown(w, [&] {
                      for (const ParGenElement* e : ParGenElementsOf(type))
                          shown.insert(QLatin1String(e->control), w.Value(QLatin1String(e->control)));
                      ClickOK(w);
                  }),
                  QDialog::Accepted);
        EXPECT_TRUE(messages.Empty()) << messages.Texts().join(QLatin1Char('\n')).toStdString();

        XmlDocument doc;
        ASSERT_TRUE(doc.Load(File_ParGen));
        pugi::xml_node root = doc.Doc().first_child();
        EXPECT_STREQ(root.name(), "Par_Gen");
        ASSERT_EQ(root.next_sibling().type(), pugi::node_comment);
        EXPECT_EQ(QString::fromUtf8(root.next_sibling().value()), "SW_VERSION = " + VersionOf(type));
        EXPECT_FALSE(root.next_sibling().next_sibling());

        const auto saved = SavedElements();
        QStringList names;
        for (const auto& [name, text] : saved) {
            names << name;
            EXPECT_EQ(text, ExpectedDefault(type, name)) << name.toStdString();
        }
        EXPECT_EQ(names, Expected(type));

        const QByteArray first = ReadFile(File_ParGen);
        ASSERT_EQ(RunShown(w, [&] {
                      for (auto it = shown.cbegin(); it != shown.cend(); ++it)
                          EXPECT_EQ(w.Value(it.key()), it.value()) << it.key().toStdString();
                      ClickOK(w);
                  }),
                  QDialog::Accepted);
        EXPECT_EQ(ReadFile(File_ParGen), first);
    }
}

namespace {

// Loads xml through the codec into a plain value map.
ParGenValueMap LoadValues(const QByteArray& xml, int type)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadBytes(xml)) << doc.ErrorText().toStdString();
    ParGenValueMap values;
    for (const ParGenAssignment& a : ParGenLoadAssignments(&doc, type))
        values.SetValue(a.control, a.value);
    return values;
}

} // namespace

TEST(ParGenDocument, ReadingRules)
{
    struct Case
    {
        const char* what;
        QByteArray xml;
        const char* control;
        const char* expected;
    };
    const QByteArray decl = "<?xml version=\"1.0\"?>";
    const Case cases[] = {
        {"declaration before the root: every default", ParGenXml({{"PROFINET_IP1", "10"}}, decl), "E_IP1", "192"},
        {"comment before the root: every default", ParGenXml({{"PROFINET_IP1", "10"}}, "<!--x-->"), "E_IP1", "192"},
        {"first duplicate wins", ParGenXml({{"PROFINET_IP1", "10"}, {"PROFINET_IP1", "20"}}), "E_IP1", "10"},
        {"names are case-sensitive", ParGenXml({{"profinet_ip1", "10"}}), "E_IP1", "192"},
        {"\" 1\" is not a set flag", ParGenXml({{"PROFINET_EN_GAT", " 1"}}), "CB_EN_GAT", "0"},
        {"empty flag is clear", ParGenXml({{"PROFINET_EN_GAT", ""}}), "CB_EN_GAT", "0"},
        {"\"1\" is a set flag", ParGenXml({{"PROFINET_EN_GAT", "1"}}), "CB_EN_GAT", "1"},
        {"CDATA text is read", ParGenXml({{"PROFINET_NAME_STA", "<![CDATA[abc<d]]>"}}), "E_Profinet_Name_Station", "abc<d"},
        {"empty name stays empty", ParGenXml({{"PROFINET_NAME_STA", ""}}), "E_Profinet_Name_Station", ""},
        {"element holding an element: default", ParGenXml({{"PROFINET_IP2", "<x>1</x>"}}), "E_IP2", "168"},
        {"number text kept verbatim", ParGenXml({{"PROFINET_IP3", "007"}}), "E_IP3", "007"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LoadValues(c.xml, 4).Value(QLatin1String(c.control)), QLatin1String(c.expected));
    }
}

// An item index that is not a number, or names no item, selects the
// element's default item; it never leaves the list without a selection.
TEST(ParGenDocument, ItemIndexOutsideTheListSelectsTheDefault)
{
    const std::pair<const char*, const char*> cases[] = {
        {"3", "3"}, {"10", "10"}, {"x", "7"}, {"", "7"}, {"12", "7"}, {"-1", "7"}, {"$A", "10"}};
    for (const auto& [text, item] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(LoadValues(ParGenXml({{"MODBUS_MASTER_BAUDRATE", text}}), 4).Value("CB_Baud_Modbus_Master"),
                  QLatin1String(item));
    }
    // The same through the window: 12 in a ten-item list saves the default.
    TempProgramFolder folder(0);
    folder.OpenProject();
    MessageRecorder messages;
    WriteParGen(ParGenXml({{"CAN_BAUDRATE", "12"}}));
    TFParGen w;
    RunShown(w, [&] {
        EXPECT_EQ(w.Control<QComboBox>("CAN_Baud")->currentIndex(), 9);
        ClickOK(w);
    });
    EXPECT_EQ(Saved("CAN_BAUDRATE"), "9");
}

TEST(ParGenDocument, SnmpItemTextsReadTrimmedAndWithoutCase)
{
    const auto v = LoadValues(ParGenXml({{"SNMP_VER3_SECURITY_LEVEL", " auth priv "},
                                         {"SNMP_VER3_AUTHORITY_MODE", "sha"},
                                         {"SNMP_VER3_PRIVACY_MODE", "Aes"}}),
                              18);
    EXPECT_EQ(v.Value("CB_PROFI_SNMP_Secure_Lev"), "2");
    EXPECT_EQ(v.Value("CB_PROFI_SNMP_Auth_Mode"), "1");
    EXPECT_EQ(v.Value("CB_PROFI_SNMP_Priv_Mode"), "1");
    const auto other = LoadValues(ParGenXml({{"SNMP_VER3_SECURITY_LEVEL", "Auth NoPriv"},
                                             {"SNMP_VER3_AUTHORITY_MODE", "xyz"}}),
                                  18);
    EXPECT_EQ(other.Value("CB_PROFI_SNMP_Secure_Lev"), "1");
    EXPECT_EQ(other.Value("CB_PROFI_SNMP_Auth_Mode"), "0");
}

TEST(ParGenDocument, ReadOneElementForOtherReaders)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadBytes(ParGenXml({{"PROFINET_NB_OUT", "100"}, {"PROFINET_NB_OUT", "200"}})));
    QString text;
    EXPECT_TRUE(ReadParGenElement(doc, "PROFINET_NB_OUT", text));
    EXPECT_EQ(text, "100");
    EXPECT_FALSE(ReadParGenElement(doc, "PROFINET_NB_IN", text));
    EXPECT_EQ(ParGenVersionComment(29), "SW_VERSION = 1.000");
    EXPECT_EQ(ParGenVersionComment(1018), "SW_VERSION = 1.605");
}
