// The three CANopen tables headless: their checks on OK with the exact
// English messages (index ranges and exclusions, the N Byte and Dimension
// rules for addresses, the crossed byte limits, an SDO server object given
// twice), the limits read from ParGen.xml on showing, and the files they
// write (no version comment, every address attribute, xmllint clean).
#include "editors/table_model.h"
#include "language.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "qt_print.h"
#include "workspace.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <pugixml.hpp>

#include <sstream>

#include <gtest/gtest.h>

using namespace editors;

namespace {

// Rows of the two sections, filled from the top; limits per section.
QString Check(const TableDef& def, const std::vector<QStringList>& first, const std::vector<QStringList>& second,
              std::vector<int64_t> limits = {1440, 1440})
{
    Load_Default_Language();
    TableData t = EmptyTable(def, def.rows.capacity);
    for (size_t r = 0; r < first.size(); ++r)
        t.sections[0][r] = first[r];
    for (size_t r = 0; r < second.size(); ++r)
        t.sections[1][r] = second[r];
    const CheckResult result = CheckTable(def, t, limits);
    return result.ok ? QStringLiteral("ok") : result.message;
}

struct Case
{
    const char* name;
    std::vector<QStringList> first, second;
    const char* expected;
    std::vector<int64_t> limits = {1440, 1440};
};

void RunCases(const TableDef& def, const std::vector<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(Check(def, c.first, c.second, c.limits), QString::fromUtf8(c.expected)) << c.name;
}

// A server row: index, sub, N Byte, four addresses.
QStringList Srv(const char* index, const char* sub = "0", const char* n = "1", const char* a1 = "0",
                const char* a2 = "", const char* a3 = "", const char* a4 = "")
{
    return {index, sub, n, a1, a2, a3, a4, "m"};
}

const char* const kIndexR = "Error row 1!! [SDO in Read] Index must be between 0x2000 and 0x7FFF";
const char* const kRangeR = "Error row 1!! [SDO in Read] Index must be different from 0x7000 to 0x701D and from 0x7050 to 0x706D";

} // namespace

TEST(SdoServerChecks, IndexSubIndexNByteAndAddresses)
{
    RunCases(kSdoServer, {
        {"0x1FFF", {Srv("0x1FFF")}, {}, kIndexR},
        {"0x2000", {Srv("0x2000")}, {}, "ok"},
        {"$2000", {Srv("$2000")}, {}, "ok"},
        {"8192", {Srv("8192")}, {}, "ok"},
        {"2000 is decimal", {Srv("2000")}, {}, kIndexR},
        {"0x7FFF", {Srv("0x7FFF")}, {}, "ok"},
        {"32768", {Srv("32768")}, {}, kIndexR},
        {"not a number", {Srv("x")}, {}, kIndexR},
        {"0x7000", {Srv("0x7000")}, {}, kRangeR},
        {"0x701D", {Srv("0x701D")}, {}, kRangeR},
        {"0x701E", {Srv("0x701E")}, {}, "ok"},
        {"0x704F", {Srv("0x704F")}, {}, "ok"},
        {"0x7050", {Srv("0x7050")}, {}, kRangeR},
        {"0x706D", {Srv("0x706D")}, {}, kRangeR},
        {"0x706E", {Srv("0x706E")}, {}, "ok"},
        {"sub 255", {Srv("0x2000", "0xFF")}, {}, "ok"},
        {"sub 256", {Srv("0x2000", "256")}, {}, "Error row 1!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"},
        {"sub -1", {Srv("0x2000", "-1")}, {}, "Error row 1!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"},
        {"N Byte 3", {Srv("0x2000", "0", "3")}, {}, "Error row 1!! [SDO in Read] N Byte must be 1 or 2 or 4"},
        {"N Byte 0", {Srv("0x2000", "0", "0")}, {}, "Error row 1!! [SDO in Read] N Byte must be 1 or 2 or 4"},
        {"N Byte 8", {Srv("0x2000", "0", "8")}, {}, "Error row 1!! [SDO in Read] N Byte must be 1 or 2 or 4"},
        {"N Byte 1 leaves bytes 2-4 alone", {Srv("0x2000", "0", "1", "5", "zz", "-3", "")}, {}, "ok"},
        {"N Byte 2 tests byte 2", {Srv("0x2000", "0", "2", "5", "")}, {},
         "Error row 1!! [SDO in Read] Address Byte2 must be between 0 and 1439"},
        {"N Byte 2 leaves bytes 3-4 alone", {Srv("0x2000", "0", "2", "5", "6", "x", "x")}, {}, "ok"},
        {"N Byte 4 tests byte 3", {Srv("0x2000", "0", "4", "1", "2", "1440", "4")}, {},
         "Error row 1!! [SDO in Read] Address Byte3 must be between 0 and 1439"},
        {"N Byte 4 tests byte 4", {Srv("0x2000", "0", "4", "1", "2", "3", "")}, {},
         "Error row 1!! [SDO in Read] Address Byte4 must be between 0 and 1439"},
        {"address 1439", {Srv("0x2000", "0", "1", "1439")}, {}, "ok"},
        {"address 1440", {Srv("0x2000", "0", "1", "1440")}, {},
         "Error row 1!! [SDO in Read] Address Byte1 must be between 0 and 1439"},
        {"limit 0 ends in -1", {Srv("0x2000", "0", "1", "0")}, {},
         "Error row 1!! [SDO in Read] Address Byte1 must be between 0 and -1", {0, 1440}},
        {"each page its limit", {Srv("0x2000", "0", "1", "9")}, {Srv("0x2001", "0", "1", "10")},
         "Error row 1!! [SDO in Write] Address Byte1 must be between 0 and 9", {10, 10}},
        {"write page messages", {}, {Srv("0x7050")},
         "Error row 1!! [SDO in Write] Index must be different from 0x7000 to 0x701D and from 0x7050 to 0x706D"},
        {"read page first", {Srv("0x2000"), Srv("0x2001", "0", "3")}, {Srv("1")},
         "Error row 2!! [SDO in Read] N Byte must be 1 or 2 or 4"},
        {"blank index ends the table", {Srv("0x2000"), Srv("  "), Srv("1")}, {}, "ok"},
    });
    // A fault in the last row of the write page, after 500 good read rows.
    std::vector<QStringList> full, write(500, Srv("0x3000"));
    for (int r = 0; r < 500; ++r) {
        full.push_back(Srv("0x2000"));
        full.back()[1] = QString::number(r % 256);
        full.back()[0] = QString::number(0x2000 + r / 256);
        write[size_t(r)][1] = QString::number(r % 256);
        write[size_t(r)][0] = QString::number(0x3000 + r / 256);
    }
    write.back()[3] = QStringLiteral("1440");
    EXPECT_EQ(Check(kSdoServer, full, write), "Error row 500!! [SDO in Write] Address Byte1 must be between 0 and 1439");
}

// An object of the server is named by (Index, SubIndex), compared as numbers
// across both pages; the first row that repeats one fails and names the first.
TEST(SdoServerChecks, AnObjectUsedTwiceIsRefused)
{
    RunCases(kSdoServer, {
        {"same page", {Srv("0x2000", "1"), Srv("0x2001", "1"), Srv("8192", "$1")}, {},
         "Error row 3!! This Index and SubIndex are already used in SDO in Read, row 1"},
        {"across pages", {Srv("0x2000", "2")}, {Srv("0x2001", "2"), Srv("0X2000", "0x02")},
         "Error row 2!! This Index and SubIndex are already used in SDO in Read, row 1"},
        {"within the write page", {}, {Srv("0x3000", "0"), Srv("0x3000", "0")},
         "Error row 2!! This Index and SubIndex are already used in SDO in Write, row 1"},
        {"other sub of one index", {Srv("0x2000", "1"), Srv("0x2000", "2")}, {Srv("0x2000", "3")}, "ok"},
        {"a row below the end is not compared", {Srv("0x2000", "1"), Srv(""), Srv("0x2000", "1")}, {}, "ok"},
    });
}

TEST(SdoClientChecks, DeviceIndexPollAndCrossedAddresses)
{
    auto rd = [](const char* id, const char* index, const char* poll, const char* a1, const char* n = "1",
                 const char* a2 = "") { return QStringList{id, index, "0", n, poll, a1, a2, "", "", "m"}; };
    auto wr = [](const char* id, const char* poll, const char* a1, const char* change = "") {
        return QStringList{id, "0x1000", "0", "1", poll, change, a1, "", "", "", "m"};
    };
    RunCases(kSdoClient, {
        {"id 0", {rd("0", "0x1000", "1", "0")}, {}, "Error row 1!! [SDO Read] Device ID must be between 1 and 127"},
        {"id 128", {rd("128", "0x1000", "1", "0")}, {}, "Error row 1!! [SDO Read] Device ID must be between 1 and 127"},
        {"id 127", {rd("127", "0x1000", "1", "0")}, {}, "ok"},
        {"index 0x0FFF", {rd("1", "0x0FFF", "1", "0")}, {}, "Error row 1!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
        {"index 0xFFFF", {rd("1", "0xFFFF", "1", "0")}, {}, "ok"},
        {"index 0x10000", {rd("1", "0x10000", "1", "0")}, {}, "Error row 1!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
        {"N Byte 3", {rd("1", "0x1000", "1", "0", "3")}, {}, "Error row 1!! [SDO Read] N Byte must be 1 or 2 or 4"},
        {"read poll 0", {rd("1", "0x1000", "0", "0")}, {}, "Error row 1!! [SDO Read] Poll Time must be between 1 and 100000000"},
        {"read poll over", {rd("1", "0x1000", "100000001", "0")}, {},
         "Error row 1!! [SDO Read] Poll Time must be between 1 and 100000000"},
        {"write poll 0", {}, {wr("1", "0", "0")}, "ok"},
        {"write poll -1", {}, {wr("1", "-1", "0")}, "Error row 1!! [SDO Write] Poll Time must be between 0 and 100000000"},
        {"read address 3 of 4", {rd("1", "0x1000", "1", "3")}, {}, "ok", {4, 10}},
        {"read address 4 of 4", {rd("1", "0x1000", "1", "4")}, {},
         "Error row 1!! [SDO Read] Address Byte1 must be between 0 and 3", {4, 10}},
        {"read byte 2 with N Byte 2", {rd("1", "0x1000", "1", "0", "2", "")}, {},
         "Error row 1!! [SDO Read] Address Byte2 must be between 0 and 3", {4, 10}},
        {"write address 9 of 10", {}, {wr("1", "0", "9")}, "ok", {4, 10}},
        {"write address 10 of 10", {}, {wr("1", "0", "10")},
         "Error row 1!! [SDO Write] Address Byte1 must be between 0 and 9", {4, 10}},
        {"On Change holds any text", {}, {wr("1", "0", "0", "maybe")}, "ok"},
        {"the same object twice is allowed", {rd("1", "0x1000", "1", "0"), rd("1", "0x1000", "1", "0")}, {}, "ok"},
        {"blank id ends the table", {rd(" ", "0", "0", "x")}, {}, "ok"},
    });
}

TEST(PdoChecks, CobIdDimensionAddressesAndTimes)
{
    auto rx = [](const char* cob, const char* dim, std::vector<const char*> addrs, const char* time = "0") {
        QStringList r{cob, dim};
        for (int k = 0; k < 8; ++k)
            r << (k < int(addrs.size()) ? addrs[size_t(k)] : "bad");
        return r << time << "m";
    };
    auto tx = [&](const char* cob, const char* dim, std::vector<const char*> addrs, const char* time = "0") {
        QStringList r = rx(cob, dim, addrs, time);
        r.insert(11, QStringLiteral("Y"));
        return r;
    };
    RunCases(kPdo, {
        {"0x7FF", {rx("0x7FF", "1", {"0"})}, {}, "ok"},
        {"2047", {rx("2047", "1", {"0"})}, {}, "ok"},
        {"0", {rx("0", "1", {"0"})}, {}, "ok"},
        {"0x800", {rx("0x800", "1", {"0"})}, {}, "Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
        {"dimension 9", {rx("1", "9", {"0"})}, {}, "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
        {"dimension not a number", {rx("1", "x", {"0"})}, {}, "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
        {"dimension 2 ignores bytes 3-8", {rx("1", "2", {"0", "1"})}, {}, "ok"},
        {"dimension 8 tests byte 8", {rx("1", "8", {"0", "1", "2", "3", "4", "5", "6"})}, {},
         "Error row 1!! [Receive PDO] Address Byte8 must be between 0 and 1439"},
        {"receive 19 of 20", {rx("1", "1", {"19"})}, {}, "ok", {20, 100}},
        {"receive 20 of 20", {rx("1", "1", {"20"})}, {},
         "Error row 1!! [Receive PDO] Address Byte1 must be between 0 and 19", {20, 100}},
        {"transmit 99 of 100", {}, {tx("1", "1", {"99"})}, "ok", {20, 100}},
        {"transmit 100 of 100", {}, {tx("1", "1", {"100"})},
         "Error row 1!! [Transmit PDO] Address Byte1 must be between 0 and 99", {20, 100}},
        {"time out over", {rx("1", "1", {"0"}, "100000001")}, {},
         "Error row 1!! [Receive PDO] TimeOut must be between 0 and 100000000"},
        {"send time over", {}, {tx("1", "1", {"0"}, "100000001")},
         "Error row 1!! [Transmit PDO] Send Time must be between 0 and 100000000"},
        {"send time 0", {}, {tx("1", "1", {"0"}, "0")}, "ok"},
        {"a shared COB-ID is allowed", {rx("1", "1", {"0"}), rx("1", "1", {"0"})}, {tx("1", "1", {"0"})}, "ok"},
        {"blank COB-ID ends the table", {rx("  ", "0", {})}, {}, "ok"},
    });
}

// The limits come from ParGen.xml on every showing: the server's straight,
// the client's and the PDO's crossed, 1440 for what is missing or broken.
TEST(CanopenTables, LimitsFromParGen)
{
    struct Case
    {
        const char* parGen;   // nullptr: no file
        std::vector<int64_t> server, client, pdo;
        int messages;
    };
    const Case cases[] = {
        {nullptr, {1440, 1440}, {1440, 1440}, {1440, 1440}, 0},
        {"<Par_Gen><PROFINET_NB_IN>10</PROFINET_NB_IN><PROFINET_NB_OUT>4</PROFINET_NB_OUT></Par_Gen>", {10, 4},
         {4, 10}, {4, 10}, 0},
        {"<Par_Gen><PROFINET_NB_IN>0</PROFINET_NB_IN></Par_Gen>", {0, 1440}, {1440, 0}, {1440, 0}, 0},
        {"<Par_Gen><PROFINET_NB_IN>x</PROFINET_NB_IN><PROFINET_NB_OUT>0x14</PROFINET_NB_OUT></Par_Gen>", {1440, 20},
         {20, 1440}, {20, 1440}, 0},
        {"<Par_Gen><PROFINET_NB_IN>10", {1440, 1440}, {1440, 1440}, {1440, 1440}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parGen ? c.parGen : "no ParGen.xml");
        TempProgramFolder folder(8);
        folder.OpenProject();
        if (c.parGen) {
            QFile f(File_ParGen);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.parGen);
        }
        for (const auto& [def, expected] : {std::pair{&kSdoServer, c.server}, {&kSdoClient, c.client}, {&kPdo, c.pdo}}) {
            MessageRecorder messages;
            TableModel m(*def);
            m.FormShow();
            EXPECT_EQ(m.SectionLimits(), expected) << def->objectName;
            EXPECT_EQ(messages.Texts().size(), c.messages);
        }
    }
}

// The files: the root first and no comment, a section per page, every
// attribute of a used row written as typed (unused addresses too), the rows
// up to the first blank first cell; xmllint finds them well-formed.
TEST(CanopenTables, FilesHaveNoCommentAndEveryAttribute)
{
    TempProgramFolder folder(24);
    folder.OpenProject();
    MessageRecorder messages;
    struct Case
    {
        const TableDef* def;
        QStringList first, second;
        const char* expected;
    };
    const Case cases[] = {
        {&kSdoServer, {"0x2000", "1", "1", "0", "", "x", "", "a&b<\"c'>"}, {" 0x3000", "0", "2", "1", "2", "", "", ""},
         "<EtherNetIP_to_SDO_CANopen><SDO_Read><row Index=\"0x2000\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"0\" "
         "Address_B2=\"\" Address_B3=\"x\" Address_B4=\"\" Mnemonic=\"a&amp;b&lt;&quot;c'>\"/></SDO_Read><SDO_Write>"
         "<row Index=\" 0x3000\" SubIndex=\"0\" NByte=\"2\" Address_B1=\"1\" Address_B2=\"2\" Address_B3=\"\" "
         "Address_B4=\"\" Mnemonic=\"\"/></SDO_Write></EtherNetIP_to_SDO_CANopen>"},
        {&kSdoClient, {"1", "0x1000", "0", "1", "10", "0", "", "", "", ""},
         {"2", "0x1001", "1", "4", "0", "Y", "0", "1", "2", "3", "w"},
         "<EtherNetIP_to_SDO_CANopen><SDO_Read><row Device_ID=\"1\" Index=\"0x1000\" SubIndex=\"0\" NByte=\"1\" "
         "Poll_Time=\"10\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/></SDO_Read>"
         "<SDO_Write><row Device_ID=\"2\" Index=\"0x1001\" SubIndex=\"1\" NByte=\"4\" Poll_Time=\"0\" On_Change=\"Y\" "
         "Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"3\" Mnemonic=\"w\"/></SDO_Write>"
         "</EtherNetIP_to_SDO_CANopen>"},
        {&kPdo, {"0x201", "2", "0", "1", "", "", "", "", "", "", "100", "r"},
         {"0x181", "1", "5", "", "", "", "", "", "", "", "50", "", "t"},
         "<EtherNetIP_to_SDO_CANopen><Receive_PDO><row COB-ID=\"0x201\" Dimension=\"2\" Address_B1=\"0\" "
         "Address_B2=\"1\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" "
         "Address_B8=\"\" TimeOut=\"100\" Mnemonic=\"r\"/></Receive_PDO><Transmit_PDO><row COB-ID=\"0x181\" "
         "Dimension=\"1\" Address_B1=\"5\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" "
         "Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" Send_Time=\"50\" On_Change=\"\" Mnemonic=\"t\"/>"
         "</Transmit_PDO></EtherNetIP_to_SDO_CANopen>"},
    };
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    ASSERT_FALSE(xmllint.isEmpty()) << "xmllint is not installed (tools/setup)";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.def->objectName);
        TableModel m(*c.def);
        m.FormShow();
        for (int s = 0; s < 2; ++s) {
            const QStringList& cells = s == 0 ? c.first : c.second;
            for (int col = 0; col < cells.size(); ++col)
                m.Grid(s).SetCellEx(col + 1, 1, cells[col]);
        }
        // A blank first cell ends the table: row 3 is not written.
        m.Grid(0).SetCellEx(1, 2, QStringLiteral(" "));
        ASSERT_TRUE(m.Accept()) << messages.Texts().join('|').toStdString();
        QFile f(*c.def->path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_default | pugi::parse_comments));
        EXPECT_EQ(doc.first_child(), doc.last_child()) << "a node besides the root";
        std::ostringstream flat;
        doc.save(flat, "", pugi::format_raw | pugi::format_no_declaration);
        EXPECT_EQ(QString::fromStdString(flat.str()), QString::fromUtf8(c.expected));
        QProcess lint;
        lint.start(xmllint, {QStringLiteral("--noout"), *c.def->path});
        ASSERT_TRUE(lint.waitForFinished(30000));
        EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
        // Reopened, the rows are back as typed.
        TableModel again(*c.def);
        again.FormShow();
        TableData expected = m.Data();
        expected.sections[0][1] = expected.sections[0][2];   // the blank row was not written
        EXPECT_EQ(again.Data(), expected);
    }
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join('|').toStdString();
}

// OK with an SDO server object on both pages: the message, and the file
// stays as it was.
TEST(CanopenTables, ObjectUsedTwiceWritesNothing)
{
    TempProgramFolder folder(8);
    folder.OpenProject();
    const QByteArray old = "<EtherNetIP_to_SDO_CANopen><SDO_Read/><SDO_Write/></EtherNetIP_to_SDO_CANopen>";
    {
        QFile f(File_SDO_Server_CANopen);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    MessageRecorder messages;
    TableModel m(kSdoServer);
    m.FormShow();
    const QStringList row{"0x2000", "1", "1", "0", "", "", "", ""};
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < row.size(); ++c)
            m.Grid(s).SetCellEx(c + 1, 1, row[c]);
    EXPECT_FALSE(m.Accept());
    EXPECT_EQ(messages.Texts(),
              QStringList{"Error row 1!! This Index and SubIndex are already used in SDO in Read, row 1"});
    QFile f(File_SDO_Server_CANopen);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
}
