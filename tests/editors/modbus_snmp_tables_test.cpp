// The Modbus master access tables and the SNMP trap table without widgets:
// the checks with their exact English messages, the files per device type,
// the limits and the map type read from ParGen.xml, the columns by type,
// the enabled-row numbers, header hints and copying rows between the pages.
#include "editors/table_check.h"
#include "device_type.h"
#include "editors/table_model.h"
#include "language.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "qt_print.h"
#include "workspace.h"
#include "xml_document.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace editors;

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

bool XmllintAccepts(const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.xml"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(bytes);
    f.close();
    QProcess p;
    p.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), path});
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Both sections of a definition, rows filled from the top.
TableData Table(const TableDef& def, const std::vector<QStringList>& read, const std::vector<QStringList>& write)
{
    TableData t = EmptyTable(def, def.rows.capacity);
    for (size_t r = 0; r < read.size(); ++r)
        t.sections[0][r] = read[r];
    for (size_t r = 0; r < write.size(); ++r)
        t.sections[1][r] = write[r];
    return t;
}

struct Case
{
    const char* name;
    std::vector<QStringList> read, write;
    const char* expected;   // "ok" or the message
};

// Checks with the section limits and the columns of a type and map type.
void RunCases(const TableDef& def, int type, int mapType, std::vector<int64_t> limits, const std::vector<Case>& cases)
{
    Load_Default_Language();
    const TableState state = StateOf(def, type, mapType);
    for (const Case& c : cases) {
        const CheckResult r = CheckTable(def, Table(def, c.read, c.write), limits, &state);
        EXPECT_EQ(r.ok ? QStringLiteral("ok") : r.message, QString::fromUtf8(c.expected)) << c.name;
    }
}

// A serial read row: Slave_ID Type Address NPoint PollTime MaxError Position Bit Swap Swap_Word Format Mnemonic.
QStringList SerialRead(const QString& type, const QString& points, const QString& position, const QString& bit = {},
                       const QString& slave = "1", const QString& poll = "1000", const QString& format = "Byte")
{
    return {slave, type, "0", points, poll, "3", position, bit, "N", "N", format, "m"};
}

// A serial write row: ... PollTime OnChange MaxError Position Bit ...
QStringList SerialWrite(const QString& type, const QString& points, const QString& position, const QString& bit = {},
                        const QString& slave = "1", const QString& poll = "1000")
{
    return {slave, type, "0", points, poll, "N", "3", position, bit, "N", "N", "Byte", "w"};
}

const char* const kR = "Error row 1!! [Modbus Read] ";
const char* const kW = "Error row 1!! [Modbus Write] ";

std::string Msg(const char* prefix, const char* text)
{
    return std::string(prefix) + text;
}

} // namespace

TEST(ModbusAccessChecks, SerialRowsByteRangesAndLimits)
{
    const std::string tooMany = Msg(kR, "Too many bytes to save starting from the Position indicate");
    const std::string tooManyW = Msg(kW, "Too many bytes to read starting from the Position indicate");
    const std::string pos29 = Msg(kR, "Position must be between 0 and 29");
    const std::string readPoints = Msg(kR, "NPoint must be between 1 and 125");
    const std::string readBit = Msg(kR, "Bit must be between 0 and 7");
    RunCases(kSetAccess, 4, 0, {30, 100}, {
        {"10 registers end at 29", {SerialRead("Holding Register", "10", "10")}, {}, "ok"},
        {"one more byte", {SerialRead("Holding Register", "10", "11")}, {}, tooMany.c_str()},
        {"position past the array", {SerialRead("Holding Register", "1", "30")}, {}, pos29.c_str()},
        {"slave 0 reads", {SerialRead("Holding Register", "1", "0", {}, "0")}, {}, Msg(kR, "Slave ID must be between 1 and 247").c_str()},
        {"slave hex", {SerialRead("Holding Register", "1", "0", {}, "0xF7")}, {}, "ok"},
        {"slave trailing blank", {SerialRead("Holding Register", "1", "0", {}, "12 ")}, {}, Msg(kR, "Slave ID must be between 1 and 247").c_str()},
        {"type missing", {SerialRead("", "1", "0")}, {}, Msg(kR, "Type must be Coil Status or Input Status or Holding Register or Input Register").c_str()},
        {"125 registers", {SerialRead("Input Register", "125", "0")}, {}, tooMany.c_str()},
        {"126 registers", {SerialRead("Holding Register", "126", "0")}, {}, readPoints.c_str()},
        {"poll 0 reads", {SerialRead("Holding Register", "1", "0", {}, "1", "0")}, {}, Msg(kR, "Poll Time must be between 1 and 100000000").c_str()},
        {"9 coils from bit 7 end at byte 1", {SerialRead("Coil Status", "9", "28", "7")}, {}, "ok"},
        {"9 coils from bit 7 at 29", {SerialRead("Coil Status", "9", "29", "7")}, {}, tooMany.c_str()},
        {"input status needs its bit", {SerialRead("Input Status", "8", "0", "")}, {}, readBit.c_str()},
        {"bit not a number counts 0", {SerialRead("Coil Status", "8", "29", "x")}, {}, "ok"},
        {"blank slave ends the table", {{"  ", "", "", "", "", "", "", "", "N", "N", "", ""}, SerialRead("", "0", "99")}, {}, "ok"},
        {"format hidden on type 4", {SerialRead("Holding Register", "1", "0", {}, "1", "1000", "")}, {}, "ok"},
        {"write slave 0, poll 0", {}, {SerialWrite("Holding Register", "1", "0", {}, "0", "0")}, "ok"},
        {"write slave 248", {}, {SerialWrite("Holding Register", "1", "0", {}, "248")}, Msg(kW, "Slave ID must be between 0 and 247").c_str()},
        {"write 123 registers", {}, {SerialWrite("Holding Register", "50", "0")}, "ok"},
        {"write 124 registers", {}, {SerialWrite("Holding Register", "124", "0")}, Msg(kW, "NPoint must be between 1 and 123").c_str()},
        {"write 1968 coils", {}, {SerialWrite("Coil Status", "1968", "0", "0")}, tooManyW.c_str()},
        {"write 1969 coils", {}, {SerialWrite("Coil Status", "1969", "0", "0")}, Msg(kW, "NPoint must be between 1 and 1968").c_str()},
        {"write input status is a register row", {}, {SerialWrite("Input Status", "50", "0")}, "ok"},
        {"write coil without bit", {}, {SerialWrite("Coil Status", "1", "0")}, Msg(kW, "Bit must be between 0 and 7").c_str()},
        {"write position 100", {}, {SerialWrite("Holding Register", "1", "100")}, Msg(kW, "Position must be between 0 and 99").c_str()},
    });
    // 2000 coils fit 250 bytes; the SNMP model's 1024-byte arrays.
    RunCases(kSetAccess, 18, 0, {1024, 1024}, {
        {"2000 coils", {SerialRead("Coil Status", "2000", "0", "0")}, {}, "ok"},
        {"2001 coils", {SerialRead("Coil Status", "2001", "0", "0")}, {}, Msg(kR, "NPoint must be between 1 and 2000").c_str()},
        {"format required with map type 0", {SerialRead("Holding Register", "1", "0", {}, "1", "1000", " ")}, {},
         Msg(kR, "Select a Format SNMP from the list").c_str()},
        {"write format required", {}, {{"1", "Holding Register", "0", "1", "0", "N", "0", "0", "", "N", "N", "", ""}},
         Msg(kW, "Select a Format SNMP from the list").c_str()},
    });
    RunCases(kSetAccess, 18, 1, {1024, 1024}, {
        {"format not required with map type 1", {SerialRead("Holding Register", "1", "0", {}, "1", "1000", "")}, {}, "ok"},
    });
}

TEST(ModbusAccessChecks, TcpAddressesPortsAndSlaveIds)
{
    struct IpCase { const char* text; bool bad; };
    for (const IpCase& c : std::vector<IpCase>{{"192.168.1.1", false}, {" 192.168.1.1", false}, {"0.0.0.0", false},
                                               {"192.168.1", true}, {"192.168.1.1.1", true}, {"1.2.3.256", true},
                                               {"", true}, {"1.2.3.4 ", true}, {"1..3.4", true}, {"0x10.1.1.1", false}})
        EXPECT_EQ(Check_IP_Address(QString::fromUtf8(c.text)), c.bad) << c.text;

    auto read = [](const QString& ip, const QString& port, const QString& slave, const QString& type,
                   const QString& bit = {}, const QString& format = "Byte") {
        return QStringList{ip, port, slave, type, "0", "8", "100", "0", "0", bit, "N", "N", format, "m"};
    };
    const char* const r = "Error row 1!! [Modbus Read] ";
    RunCases(kModbusTcpSetAccess, 11, 0, {64, 64}, {
        {"register row without start bit", {read("192.168.1.1", "502", "0", "Holding Register")}, {}, "ok"},
        {"slave 255", {read("192.168.1.1", "502", "255", "Input Register")}, {}, "ok"},
        {"slave 256", {read("192.168.1.1", "502", "256", "Input Register")}, {}, Msg(r, "Slave ID must be between 0 and 255").c_str()},
        {"port 65536", {read("192.168.1.1", "65536", "1", "Input Register")}, {}, Msg(r, "Port must be between 0 and 65535").c_str()},
        {"five parts", {read("1.2.3.4.5", "502", "1", "Input Register")}, {},
         Msg(r, "Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)").c_str()},
        {"coil without start bit", {read("192.168.1.1", "502", "1", "Coil Status")}, {}, Msg(r, "Bit must be between 0 and 7").c_str()},
        {"blank address ends the table", {{" ", "x"}, read("", "", "", "")}, {}, "ok"},
        {"write slave 256", {}, {{"10.0.0.1", "502", "256", "Coil Status", "0", "1", "0", "N", "0", "0", "0", "N", "N", "", ""}},
         "Error row 1!! [Modbus Write] Slave ID must be between 0 and 255"},
        {"write 124 registers", {}, {{"10.0.0.1", "502", "1", "Holding Register", "0", "124", "0", "N", "0", "0", "", "N", "N", "", ""}},
         "Error row 1!! [Modbus Write] NPoint must be between 1 and 123"},
    });
    RunCases(kModbusTcpSetAccess, 19, 0, {1024, 1024}, {
        {"format required on type 19", {read("192.168.1.1", "502", "1", "Holding Register", {}, "")}, {},
         Msg(r, "Select a Format SNMP from the list").c_str()},
    });
}

namespace {

// A read trap row: Enable Community Type OnChange OnCmd OnTimer Time Position Bit NumBits Description IP Conversion Mnemonic.
QStringList TrapRead(const QString& type, const QString& bit, const QString& bits, const QString& desc,
                     const QString& ip = "192.168.1.10", const QString& enable = "Y")
{
    return {enable, "public", type, "N", "N", "N", "", "0", bit, bits, desc, ip, "None", "m"};
}

// A write trap row: Enable Community Type Position Bit NumBits Description Conversion Mnemonic.
QStringList TrapWrite(const QString& type, const QString& bit, const QString& bits, const QString& desc)
{
    return {"Y", "public", type, "0", bit, bits, desc, "None", "w"};
}

} // namespace

TEST(SnmpTrapChecks, RowsInTheirOrderThenDescriptionsAcrossTables)
{
    const char* const r = "Error row 1!! [SNMP Read] ";
    QStringList timer = TrapRead("Int", "0", "8", "temp1");
    timer[5] = "y";
    QStringList noTimer = TrapRead("Int", "0", "8", "temp1");
    QStringList community = TrapRead("Int", "0", "8", "temp1");
    community[1] = "pub lic";
    QStringList noConversion = TrapRead("Int", "0", "8", "temp1");
    noConversion[12] = "";
    RunCases(kSnmpTrapAccess, 15, 0, {1024, 1024}, {
        {"string from bit 3", {TrapRead("String", "3", "4", "temp1")}, {}, Msg(r, "Start Bit must be 0 if Type is String").c_str()},
        {"string of 16 bytes", {TrapRead("String", "0", "16", "temp1")}, {}, "ok"},
        {"string of 17 bytes", {TrapRead("String", "0", "17", "temp1")}, {}, Msg(r, "Num Bits/Bytes must be between 1 and 16 bytes").c_str()},
        {"int of 64 bits", {TrapRead("Int", "5", "64", "temp1")}, {}, "ok"},
        {"int of 65 bits", {TrapRead("int", "5", "65", "temp1")}, {}, Msg(r, "Num Bits/Bytes must be between 1 and 64 bits").c_str()},
        {"timer in lower case needs a time", {timer}, {}, Msg(r, "Time must be between 1 and 1000000000 ms").c_str()},
        {"no timer, no time", {noTimer}, {}, "ok"},
        {"community with a blank", {community}, {},
         Msg(r, "Community Name is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")").c_str()},
        {"description upper-case first", {TrapRead("Int", "0", "8", "Temp1")}, {},
         Msg(r, "Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\"). First character must be a letter and must be lowercase").c_str()},
        {"address 256", {TrapRead("Int", "0", "8", "temp1", "192.168.1.256")}, {},
         Msg(r, "IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)").c_str()},
        {"address empty", {TrapRead("Int", "0", "8", "temp1", "")}, {},
         Msg(r, "IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)").c_str()},
        {"disabled row with no type", {TrapRead("", "", "", "", "", "N")}, {}, "ok"},
        {"blank community ends the table", {{"Y", "  "}, TrapRead("", "", "", "")}, {}, "ok"},
        {"conversion hidden on type 15", {noConversion}, {}, "ok"},
        {"same description in both tables", {TrapRead("Int", "0", "8", "temp1")}, {TrapWrite("Int", "0", "8", "temp1")},
         "Error!! The Descriptions must be all differents"},
        {"two empty descriptions", {TrapRead("Int", "0", "8", "")}, {TrapWrite("Int", "0", "8", "")},
         "Error!! The Descriptions must be all differents"},
        {"case differs: name form first", {TrapRead("Int", "0", "8", "temp1")}, {TrapWrite("Int", "0", "8", "Temp1")},
         "Error row 1!! [SNMP Write] Descrtiption is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {"write string from bit 1", {}, {TrapWrite("String", "1", "2", "a")}, "Error row 1!! [SNMP Write] Start Bit must be 0 if Type is String"},
        {"write position missing", {}, {{"Y", "x", "Int", " ", "0", "8", "a", "None", ""}}, "Error row 1!! [SNMP Write] Position must be selected"},
    });
    RunCases(kSnmpTrapAccess, 18, 1, {1024, 1024}, {
        {"conversion shown and required", {noConversion}, {}, Msg(r, "Conversion must be selected").c_str()},
    });
}

// Descriptions that name something the MIB file defines or imports are refused.
TEST(SnmpTrapChecks, ReservedMibNamesRefused)
{
    for (const char* name : {"data", "traps", "countin", "gateway", "enterprises", "bufferinval", "bufferinval2",
                             "bufferoutblk8", "trapval1", "trapval12"})
        EXPECT_TRUE(IsReservedMibName(QString::fromLatin1(name))) << name;
    for (const char* name : {"", "temp1", "datax", "trapvalx", "trapval1a", "mydata"})
        EXPECT_FALSE(IsReservedMibName(QString::fromLatin1(name))) << name;
    RunCases(kSnmpTrapAccess, 20, 0, {1024, 1024}, {
        {"read trapval1", {TrapRead("Int", "0", "8", "trapval1")}, {},
         "Error row 1!! [SNMP Read] Description must not be a name of the MIB file (such as data, traps, bufferinval1 or trapval1)"},
        {"write data", {}, {TrapWrite("Int", "0", "8", "data")},
         "Error row 1!! [SNMP Write] Description must not be a name of the MIB file (such as data, traps, bufferoutval1 or trapval1)"},
    });
}

namespace {

struct FileCase
{
    const TableDef* def;
    int type;
    const char* comment;
    const char* readAttrs;
    const char* writeAttrs;
};

// The attribute names of the first row of a section, in order.
QStringList Attributes(const QByteArray& bytes, const char* section)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadBytes(bytes, QStringLiteral("t.xml")));
    QStringList names;
    for (pugi::xml_attribute a : doc.Root().child(section).first_child().attributes())
        names.append(QString::fromUtf8(a.name()));
    return names;
}

} // namespace

// Per type: the root first, the type's comment second, both sections, the
// attributes in column order (Format_SNMP only on the SNMP models), hidden
// columns written too; every file passes xmllint.
TEST(ModbusSnmpFiles, OrderPerDeviceType)
{
    const char* serialR = "Slave_ID Type Address NPoint PollTime MaxError Position Bit Swap Swap_Word Mnemonic";
    const char* serialW = "Slave_ID Type Address NPoint PollTime OnChange MaxError Position Bit Swap Swap_Word Mnemonic";
    const char* serialRF = "Slave_ID Type Address NPoint PollTime MaxError Position Bit Swap Swap_Word Format_SNMP Mnemonic";
    const char* serialWF = "Slave_ID Type Address NPoint PollTime OnChange MaxError Position Bit Swap Swap_Word Format_SNMP Mnemonic";
    const char* tcpR = "IP_Address Port Slave_ID Type Address NPoint PollTime MaxError Position Bit Swap Swap_Word Mnemonic";
    const char* tcpW = "IP_Address Port Slave_ID Type Address NPoint PollTime OnChange MaxError Position Bit Swap Swap_Word Mnemonic";
    const char* tcpRF = "IP_Address Port Slave_ID Type Address NPoint PollTime MaxError Position Bit Swap Swap_Word Format_SNMP Mnemonic";
    const char* tcpWF = "IP_Address Port Slave_ID Type Address NPoint PollTime OnChange MaxError Position Bit Swap Swap_Word Format_SNMP Mnemonic";
    const char* trapR = "Enable Community_Name Type On_Change On_Command On_Timer Time Position Bit NumBits Description IP_Address Conversion Mnemonic";
    const char* trapW = "Enable Community_Name Type Position Bit NumBits Description Conversion Mnemonic";
    const FileCase cases[] = {
        {&kSetAccess, 4, "SW_VERSION = 1.803", serialR, serialW},
        {&kSetAccess, 25, "SW_VERSION = 1.000", serialR, serialW},
        {&kSetAccess, 18, "SW_VERSION = 1.605", serialRF, serialWF},
        {&kSetAccess, 1018, "SW_VERSION = 1.605", serialRF, serialWF},
        {&kModbusTcpSetAccess, 11, "SW_VERSION = 1.107", tcpR, tcpW},
        {&kModbusTcpSetAccess, 19, "SW_VERSION = 1.501", tcpRF, tcpWF},
        {&kSnmpTrapAccess, 15, "SW_VERSION = 1.201", trapR, trapW},
        {&kSnmpTrapAccess, 16, "SW_VERSION = 1.100", trapR, trapW},
        {&kSnmpTrapAccess, 18, "SW_VERSION = 1.605", trapR, trapW},
        {&kSnmpTrapAccess, 19, "SW_VERSION = 1.501", trapR, trapW},
        {&kSnmpTrapAccess, 20, "SW_VERSION = 1.200", trapR, trapW},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.type);
        const TableDef& def = *c.def;
        TableData t = EmptyTable(def, def.rows.capacity);
        for (size_t s = 0; s < 2; ++s)
            for (qsizetype k = 0; k < t.sections[s][0].size(); ++k)
                t.sections[s][0][k] = k == 0 ? QStringLiteral("Y") : QStringLiteral("a&b<\"c'>");
        const QByteArray bytes = WriteTable(def, t, c.type);
        EXPECT_TRUE(bytes.startsWith(QByteArray("<") + def.root + ">")) << bytes.left(60).toStdString();
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadBytes(bytes, QStringLiteral("t.xml")));
        const pugi::xml_node comment = doc.Doc().first_child().next_sibling();
        EXPECT_EQ(comment.type(), pugi::node_comment);
        EXPECT_STREQ(comment.value(), c.comment);
        const pugi::xml_node first = doc.Root().first_child();
        EXPECT_STREQ(first.name(), def.sections[0].name);
        EXPECT_STREQ(first.next_sibling().name(), def.sections[1].name);
        EXPECT_EQ(Attributes(bytes, def.sections[0].name).join(' '), QString::fromLatin1(c.readAttrs));
        EXPECT_EQ(Attributes(bytes, def.sections[1].name).join(' '), QString::fromLatin1(c.writeAttrs));
        EXPECT_TRUE(XmllintAccepts(bytes));
    }
}

namespace {

class ModbusSnmpModelTest : public ::testing::Test
{
protected:
    ModbusSnmpModelTest() : folder(4) { folder.OpenProject(); }
    TempProgramFolder folder;
    MessageRecorder messages;
};

QStringList Items(grid::TExColumnGrid& g, int col)
{
    return g.Columns()[col]->ComboItems;
}

} // namespace

// The crossed limits of types 4 and 25, the defaults and the clamp to the
// parameters window's range; 1024 on the SNMP model.
TEST_F(ModbusSnmpModelTest, PositionListsFromParGen)
{
    struct LimitCase
    {
        int type;
        const char* parGen;   // nullptr: no file
        int readItems, writeItems;
        const char* warning;  // nullptr: none
    };
    const LimitCase cases[] = {
        {4, "<Par_Gen><MODBUS_MASTER_NB_IN>100</MODBUS_MASTER_NB_IN><MODBUS_MASTER_NB_OUT>20</MODBUS_MASTER_NB_OUT></Par_Gen>", 20, 100, nullptr},
        {25, "<Par_Gen><MODBUS_MASTER_NB_IN>100</MODBUS_MASTER_NB_IN></Par_Gen>", 512, 100, nullptr},
        {4, nullptr, 512, 512, nullptr},
        {4, "<Par_Gen><MODBUS_MASTER_NB_IN>x</MODBUS_MASTER_NB_IN></Par_Gen>", 512, 512, nullptr},
        {4, "<Par_Gen><MODBUS_MASTER_NB_IN>0</MODBUS_MASTER_NB_IN></Par_Gen>", 512, 1,
         "MODBUS_MASTER_NB_IN of ParGen.xml is outside 1 to 1439; the number of bytes used is 1"},
        {4, "<Par_Gen><MODBUS_MASTER_NB_OUT>100000000</MODBUS_MASTER_NB_OUT></Par_Gen>", 1439, 512,
         "MODBUS_MASTER_NB_OUT of ParGen.xml is outside 1 to 1439; the number of bytes used is 1439"},
        {18, "<Par_Gen><MODBUS_MASTER_NB_IN>20</MODBUS_MASTER_NB_IN></Par_Gen>", 1024, 1024, nullptr},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.parGen ? c.parGen : "no ParGen.xml");
        DeviceType = c.type;
        QFile::remove(File_ParGen);
        if (c.parGen)
            WriteFile(File_ParGen, c.parGen);
        messages.Clear();
        TableModel m(kSetAccess);
        m.FormShow();
        const QStringList read = Items(m.Grid(0), 7);
        const QStringList write = Items(m.Grid(1), 8);
        ASSERT_EQ(read.size(), c.readItems);
        ASSERT_EQ(write.size(), c.writeItems);
        EXPECT_EQ(read.front(), QStringLiteral("0"));
        EXPECT_EQ(read.back(), QString::number(c.readItems - 1));
        EXPECT_EQ(messages.Texts(), c.warning ? QStringList{QString::fromUtf8(c.warning)} : QStringList{});
    }
    // TCP type 11: the read list from the master's output size.
    DeviceType = 11;
    WriteFile(File_ParGen, "<Par_Gen><MODBUS_TCP_MASTER_NB_OUT>64</MODBUS_TCP_MASTER_NB_OUT></Par_Gen>");
    TableModel tcp(kModbusTcpSetAccess);
    tcp.FormShow();
    EXPECT_EQ(Items(tcp.Grid(0), 9).size(), 64);
    EXPECT_EQ(Items(tcp.Grid(1), 10).size(), 512);
}

// The map type chooses the Format SNMP columns and the width; with map type
// 1 a loaded row keeps its format, a row without one gets "Byte" and a new
// row an empty one.
TEST_F(ModbusSnmpModelTest, MapTypeShowsOrHidesTheFormatColumns)
{
    struct MapCase
    {
        int type;
        const char* parGen;
        bool shown;
        int width;
    };
    const MapCase cases[] = {
        {18, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", true, 1067},
        {18, "<Par_Gen><SNMP_MapType>1</SNMP_MapType></Par_Gen>", false, 927},
        {18, "<Par_Gen/>", true, 1067},
        {18, "<Par_Gen><SNMP_MapType>one</SNMP_MapType></Par_Gen>", true, 1067},
        {18, nullptr, false, 927},
        {1018, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", false, 927},
        {4, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", false, 927},
    };
    for (const MapCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + (c.parGen ? c.parGen : " no ParGen.xml"));
        DeviceType = c.type;
        QFile::remove(File_ParGen);
        if (c.parGen)
            WriteFile(File_ParGen, c.parGen);
        TableModel m(kSetAccess);
        m.FormShow();
        EXPECT_EQ(!m.Grid(0).IsHiddenColumn(11), c.shown);
        EXPECT_EQ(!m.Grid(1).IsHiddenColumn(12), c.shown);
        EXPECT_EQ(m.ClientWidth(), c.width);
    }

    DeviceType = 18;
    WriteFile(File_ParGen, "<Par_Gen><SNMP_MapType>1</SNMP_MapType></Par_Gen>");
    WriteFile(File_ModbusM_SetAccess,
              R"(<EtherNetIP_to_Modbus><Modbus_Read>)"
              R"(<row Slave_ID="1" Type="Holding Register" Address="0" NPoint="1" PollTime="10" MaxError="0" Position="0" Bit="" Swap="N" Swap_Word="N" Format_SNMP="Int 2 bytes" Mnemonic="a"/>)"
              R"(<row Slave_ID="2" Type="Holding Register" Address="0" NPoint="1" PollTime="10" MaxError="0" Position="2" Bit="" Mnemonic="b"/>)"
              R"(</Modbus_Read><Modbus_Write/></EtherNetIP_to_Modbus>)");
    TableModel m(kSetAccess);
    m.FormShow();
    EXPECT_TRUE(m.Grid(0).IsHiddenColumn(11));
    const QStringList added{"3", "Input Register", "0", "1", "10", "0", "4", "", "N", "N", "", "c"};
    for (int c = 0; c < added.size(); ++c)
        m.Grid(0).SetCellEx(c + 1, 3, added[c]);
    // Deleting row 1 while the column is hidden moves the whole rows up.
    m.Grid(0).SetRow(1);
    messages.QueueAnswer(true);
    m.DeleteRow(0);
    EXPECT_EQ(m.Grid(0).GetCellEx(12, 1), QStringLiteral("b"));
    EXPECT_EQ(m.Grid(0).GetCellEx(11, 1), QStringLiteral("Byte"));
    m.Grid(0).SetRow(1);
    m.InsertRow(0);
    for (int c = 0; c < added.size(); ++c)
        m.Grid(0).SetCellEx(c + 1, 1, c == 10 ? QStringLiteral("Int 2 bytes") : added[c]);
    ASSERT_TRUE(m.Accept()) << messages.Texts().join('|').toStdString();
    const QByteArray saved = ReadFile(File_ModbusM_SetAccess);
    EXPECT_TRUE(saved.contains(R"(Slave_ID="3" Type="Input Register" Address="0" NPoint="1" PollTime="10" MaxError="0" Position="4" Bit="" Swap="N" Swap_Word="N" Format_SNMP="Int 2 bytes" Mnemonic="c")"));
    EXPECT_TRUE(saved.contains(R"(Format_SNMP="Byte" Mnemonic="b")"));
    EXPECT_TRUE(saved.contains(R"(Format_SNMP="" Mnemonic="c")"));

    // A broken ParGen.xml: its message, the layout of a missing file, and the
    // window's own file still read.
    messages.Clear();
    WriteFile(File_ParGen, "<Par_Gen><SNMP_MapType>0");
    TableModel broken(kSetAccess);
    broken.FormShow();
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(QStringLiteral("ParGen.xml"))) << messages.Texts()[0].toStdString();
    EXPECT_TRUE(broken.Grid(0).IsHiddenColumn(11));
    EXPECT_EQ(broken.Grid(0).GetCellEx(12, 1), QStringLiteral("c"));
    EXPECT_TRUE(broken.Loaded().complete);

    // Types 4 and 25 keep a Format_SNMP of the file hidden and write none.
    DeviceType = 4;
    TableModel serial(kSetAccess);
    serial.FormShow();
    EXPECT_TRUE(serial.Grid(0).IsHiddenColumn(11));
    ASSERT_TRUE(serial.Accept()) << messages.Texts().join('|').toStdString();
    EXPECT_FALSE(ReadFile(File_ModbusM_SetAccess).contains("Format_SNMP"));
}

// Columns and widths by type and map type, and the header hints that follow
// the shown columns.
TEST_F(ModbusSnmpModelTest, TrapColumnsAndHintsByType)
{
    struct LayoutCase
    {
        int type;
        const char* parGen;
        bool onCommand, conversion;
        int readMnemonic, writeMnemonic;
    };
    const LayoutCase cases[] = {
        {15, nullptr, true, false, 230, 600},
        {16, nullptr, true, false, 230, 600},
        {20, nullptr, false, false, 280, 600},
        {18, nullptr, false, true, 180, 500},
        {19, "<Par_Gen><SNMP_MapType>1</SNMP_MapType></Par_Gen>", false, true, 180, 500},
        {19, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", false, false, 280, 600},
        {18, "<Par_Gen/>", false, false, 280, 600},
        {1018, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", false, true, 180, 500},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.type);
        DeviceType = c.type;
        QFile::remove(File_ParGen);
        if (c.parGen)
            WriteFile(File_ParGen, c.parGen);
        TableModel m(kSnmpTrapAccess);
        m.FormShow();
        EXPECT_EQ(!m.Grid(0).IsHiddenColumn(5), c.onCommand);
        EXPECT_EQ(!m.Grid(0).IsHiddenColumn(13), c.conversion);
        EXPECT_EQ(!m.Grid(1).IsHiddenColumn(8), c.conversion);
        EXPECT_EQ(m.Grid(0).Columns()[14]->Width(), c.readMnemonic);
        EXPECT_EQ(m.Grid(1).Columns()[9]->Width(), c.writeMnemonic);
        EXPECT_EQ(m.ClientWidth(), 1256);
        // Display column 5: On CMD where shown, else On Timer.
        EXPECT_EQ(m.HeaderHint(0, 5), Lang(c.onCommand ? 1043 : 1044));
        EXPECT_EQ(m.HeaderHint(1, 8), Lang(c.conversion ? 1084 : 1059));
        EXPECT_EQ(m.HeaderHint(0, 0), QString());
        QString hint = QStringLiteral("x");
        m.Grid(0).OnGridHint(&m.Grid(0), 1, 2, hint);
        EXPECT_EQ(hint, QString());
        m.Grid(0).OnGridHint(&m.Grid(0), 0, 2, hint);
        EXPECT_EQ(hint, QStringLiteral("Insert the Community Name for the SNMP Trap (Max 15 characters)"));
    }
}

// Enabled rows are numbered; a fresh table writes both sections empty.
TEST_F(ModbusSnmpModelTest, TrapRowNumbersFollowEnable)
{
    DeviceType = 15;
    TableModel m(kSnmpTrapAccess);
    m.FormShow();
    grid::TExColumnGrid& g = m.Grid(0);
    EXPECT_EQ(g.GetCellEx(1, 256), QStringLiteral("Y"));
    EXPECT_EQ(g.GetCellEx(0, 256), QStringLiteral("256"));
    ASSERT_TRUE(m.Accept()) << messages.Texts().join('|').toStdString();
    EXPECT_EQ(ReadFile(File_SNMP_Trap).toStdString(),
              "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write/></SNMP_Trap><!--SW_VERSION = 1.201-->");

    g.SetCellEx(1, 2, QStringLiteral("N"));
    g.OnCheckBoxClick(&g, 1, 2, false);
    EXPECT_EQ(g.GetCellEx(0, 1), QStringLiteral("1"));
    EXPECT_EQ(g.GetCellEx(0, 2), QString());
    EXPECT_EQ(g.GetCellEx(0, 3), QStringLiteral("2"));
    EXPECT_EQ(g.GetCellEx(0, 4), QStringLiteral("3"));
}

// Copy on one page and paste on the other is refused (1102); a clipboard of
// another size (1101); a used row asks first (1100). Hidden cells travel.
TEST_F(ModbusSnmpModelTest, TrapCopyAndPasteRows)
{
    DeviceType = 20;
    TableModel m(kSnmpTrapAccess);
    m.FormShow();
    grid::TExColumnGrid& read = m.Grid(0);
    grid::TExColumnGrid& write = m.Grid(1);
    const QStringList row = TrapRead("Int", "0", "8", "temp1");
    for (int c = 0; c < row.size(); ++c)
        read.SetCellEx(c + 1, 1, row[c]);
    read.SetCellEx(13, 1, QStringLiteral("Float * 10"));   // hidden on type 20
    read.SetRow(1);
    m.CopyRow(0);
    write.SetRow(1);
    m.PasteRow(1);
    EXPECT_EQ(messages.Texts(), QStringList{"Error!!! Copy a valid row before Paste it"});
    EXPECT_EQ(write.GetCellEx(2, 1), QString());

    messages.Clear();
    read.SetRow(3);
    m.PasteRow(0);
    EXPECT_TRUE(messages.Empty());
    EXPECT_EQ(read.GetCellEx(11, 3), QStringLiteral("temp1"));
    EXPECT_EQ(read.GetCellEx(13, 3), QStringLiteral("Float * 10"));

    read.SetCellEx(14, 3, QStringLiteral("other"));
    messages.QueueAnswer(false);
    m.PasteRow(0);
    EXPECT_EQ(messages.Texts(), QStringList{"Row Already used. Do you want to overwrite the values?"});
    EXPECT_EQ(read.GetCellEx(14, 3), QStringLiteral("other"));
    messages.QueueAnswer(true);
    m.PasteRow(0);
    EXPECT_EQ(read.GetCellEx(14, 3), QStringLiteral("m"));

    messages.Clear();
    RowClipboard.removeLast();
    m.PasteRow(0);
    EXPECT_EQ(messages.Texts(), QStringList{"Error in the Copy values!!! Copy a valid row before Paste it"});

    // The copy flags are cleared on showing; the clipboard stays.
    const QStringList clip = RowClipboard;
    m.FormShow();
    EXPECT_FALSE(m.Copied(0));
    EXPECT_EQ(RowClipboard, clip);
}
