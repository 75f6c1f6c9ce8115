// The table files: what the windows write (root, comment, sections, rows,
// attributes in column order, texts unconverted) and what they read back
// (positions, defaults, missing against empty, files not fully loaded).
#include "editors/table_codec.h"
#include "device_type.h"
#include "qt_print.h"

#include <QProcess>
#include <QTemporaryDir>
#include <pugixml.hpp>

#include <gtest/gtest.h>

using namespace editors;

namespace {

const QString kSpecial = QStringLiteral("a&b<\"c'>");

// A row whose texts show what the writer must keep: a hexadecimal number, a
// leading blank, an empty cell and the special characters.
QStringList FixtureRow(const TableDef& def, int r)
{
    QStringList row;
    for (size_t c = 0; c < def.columns.size(); ++c) {
        const ColumnDef& col = def.columns[c];
        if (col.edit == Edit::Check)
            row.append(r % 2 ? QStringLiteral("Y") : QStringLiteral("N"));
        else if (col.items)
            row.append(QString::fromUtf8(col.items).split(QLatin1Char('|')).value(r % 2));
        else if (col.emptyTakesDefault)
            row.append(QString::number(r + 1));
        else if (c + 1 == def.columns.size())
            row.append(kSpecial + QString::number(r));
        else
            row.append(c == 0 ? QStringLiteral("0x7F%1").arg(r) : r == 1 ? QStringLiteral(" 12") : QString());
    }
    if (def.usedCol > 1)
        row[def.usedCol - 1] = QStringLiteral("$%1").arg(r);
    return row;
}

TableData Fixture(const TableDef& def, int rows, int used)
{
    TableData t = EmptyTable(def, rows);
    for (int r = 0; r < used; ++r)
        t.sections[0][size_t(r)] = FixtureRow(def, r);
    return t;
}

int RowsOf(const TableDef& def)
{
    return def.rows.parGenElement ? 6 : def.rows.capacity;
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

} // namespace

// Every window's file: root first, the type's comment second, the rows with
// their attributes in column order and the texts as typed; read back equal.
TEST(TableFiles, EveryWindowWritesAndReadsItsRows)
{
    for (const TableDef* def : AllTableDefs()) {
        SCOPED_TRACE(def->objectName);
        const int type = def->types.back();
        const int rows = RowsOf(*def);
        const TableData table = Fixture(*def, rows, 3);
        const QByteArray bytes = WriteTable(*def, table, type);
        EXPECT_TRUE(bytes.startsWith(QByteArray("<") + def->root)) << bytes.left(40).constData();
        EXPECT_TRUE(XmllintAccepts(bytes));

        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_default | pugi::parse_comments));
        const pugi::xml_node root = doc.first_child();
        EXPECT_STREQ(root.name(), def->root);
        if (def->versionComment) {
            EXPECT_EQ(root.next_sibling().type(), pugi::node_comment);
            EXPECT_EQ(QString::fromUtf8(root.next_sibling().value()), QStringLiteral("SW_VERSION = ") + VersionOf(type));
        } else {
            EXPECT_FALSE(root.next_sibling()) << "a node after the root";
        }
        const pugi::xml_node parent = def->sections[0].name ? root.child(def->sections[0].name) : root;
        ASSERT_TRUE(parent);
        const int expectedRows = def->writeAllRows ? rows : 3;
        int n = 0;
        for (pugi::xml_node row = parent.first_child(); row; row = row.next_sibling(), ++n) {
            EXPECT_STREQ(row.name(), def->rowElement);
            int c = 0;
            for (pugi::xml_attribute a = row.first_attribute(); a; a = a.next_attribute(), ++c) {
                ASSERT_LT(c, int(def->columns.size()));
                EXPECT_STREQ(a.name(), def->columns[size_t(c)].attr);
                EXPECT_EQ(QString::fromUtf8(a.value()), table.sections[0][size_t(n)][c]);
            }
            EXPECT_EQ(c, int(def->columns.size()));
        }
        EXPECT_EQ(n, expectedRows);

        TableData back = EmptyTable(*def, rows);
        const LoadResult r = ReadTable(*def, bytes, QStringLiteral("f.xml"), back);
        EXPECT_TRUE(r.complete) << r.message.toStdString();
        EXPECT_EQ(back, table);
    }
}

TEST(TableFiles, NoUsedRowGivesRootCommentAndEmptySection)
{
    EXPECT_EQ(WriteTable(kCanRecFrames, EmptyTable(kCanRecFrames, 500), 15).toStdString(),
              std::string("<PROFINET_to_Receive_CAN><Receive_Frames/></PROFINET_to_Receive_CAN>"
                         "<!--SW_VERSION = 1.201-->"));
    EXPECT_EQ(WriteTable(kNodeGuard, EmptyTable(kNodeGuard, 32), 8).toStdString(),
              std::string("<Node_Guarding/><!--SW_VERSION = 1.501-->"));
}

TEST(TableFiles, RowsAfterTheFirstUnusedRowAreNotWritten)
{
    TableData t = Fixture(kCanRecFrames, 500, 5);
    t.sections[0][2][0].clear();
    const QByteArray bytes = WriteTable(kCanRecFrames, t, 0);
    EXPECT_EQ(bytes.count("<row "), 2);
    EXPECT_TRUE(DataBelowUsedRows(kCanRecFrames, t));
    t.sections[0][2] = t.sections[0][3] = t.sections[0][4] = EmptyTable(kCanRecFrames, 1).sections[0][0];
    EXPECT_FALSE(DataBelowUsedRows(kCanRecFrames, t));
    // Node guarding trims: a blank Device ID ends the table.
    TableData g = EmptyTable(kNodeGuard, 32);
    g.sections[0][0] = QStringList{"1", "1", "1", ""};
    g.sections[0][1] = QStringList{"  ", "1", "1", ""};
    EXPECT_EQ(WriteTable(kNodeGuard, g, 8).count("<row "), 1);
}

TEST(TableFiles, ReadingFaults)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        int filledRows;
        const char* message;   // nullptr: the parser's, not compared
    };
    const QByteArray row = R"x(<row Cob_Id="1" Type="2.0A (11 bits)" Dimension="8" TimeOut="0" Mnemonic="m"/>)x";
    const Case cases[] = {
        {"required attribute missing in row 3",
         "<PROFINET_to_Receive_CAN><Receive_Frames>" + row + row
             + R"(<row Cob_Id="7" Type="x" TimeOut="0" Mnemonic=""/>)" + row + "</Receive_Frames></PROFINET_to_Receive_CAN>",
         2, "f.xml, section \"Receive_Frames\", row 3: the attribute \"Dimension\" is missing."},
        {"missing section", "<PROFINET_to_Receive_CAN><Frames/></PROFINET_to_Receive_CAN>", 0,
         "f.xml: the section \"Receive_Frames\" is missing."},
        {"wrong root", "<PROFINET_to_Send_CAN><Receive_Frames/></PROFINET_to_Send_CAN>", 0,
         "f.xml: the first element is not \"PROFINET_to_Receive_CAN\"."},
        {"not well-formed", "<PROFINET_to_Receive_CAN><Receive_Frames>" + row, 0, nullptr},
    };
    for (const Case& c : cases) {
        TableData t = EmptyTable(kCanRecFrames, 500);
        const LoadResult r = ReadTable(kCanRecFrames, c.bytes, QStringLiteral("f.xml"), t);
        EXPECT_FALSE(r.complete) << c.name;
        EXPECT_FALSE(r.message.isEmpty()) << c.name;
        if (c.message) {
            EXPECT_EQ(r.message, QString::fromUtf8(c.message)) << c.name;
        }
        for (int i = 0; i < c.filledRows; ++i)
            EXPECT_FALSE(t.sections[0][size_t(i)][0].isEmpty()) << c.name << " row " << i;
        EXPECT_TRUE(t.sections[0][3][0].isEmpty()) << c.name;
    }
    // The row being read keeps what was read before the missing attribute.
    TableData t = EmptyTable(kCanRecFrames, 500);
    ReadTable(kCanRecFrames, cases[0].bytes, QStringLiteral("f.xml"), t);
    EXPECT_EQ(t.sections[0][2][0], QStringLiteral("7"));
    EXPECT_EQ(t.sections[0][2][1], QStringLiteral("x"));

    // More rows than the table: the table is full and the file not fully loaded.
    QByteArray big = "<Node_Guarding>";
    for (int i = 0; i < 33; ++i)
        big += R"(<row NodeID="1" GuardTime="1" LifeTimeFactor="1" Mnemonic=""/>)";
    big += "</Node_Guarding>";
    TableData g = EmptyTable(kNodeGuard, 32);
    const LoadResult r = ReadTable(kNodeGuard, big, QStringLiteral("n.xml"), g);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.message, QStringLiteral("n.xml: more than 32 rows; the table holds 32."));
    EXPECT_EQ(g.sections[0][31][0], QStringLiteral("1"));
}

TEST(TableFiles, RowsByPositionAndDefaults)
{
    // Any element name is a row; missing attributes take their defaults,
    // and an empty one stays empty unless the column says otherwise.
    const QByteArray j1939 = R"(<Receive_J1939><!--SW_VERSION = 1.202-->)"
                             R"(<x PGN="1"/>)"
                             R"(<row Priority="3" PGN="2" TP_NByte="" On_Timer=""/>)"
                             R"(<row PGN="3" T_Type="On Timer" On_Request="Y" On_Data_Change="Y"/>)"
                             R"(<row PGN="4" T_Type="ON DATA CHANGE"/>)"
                             R"(<row PGN="5" T_Type="cyclic" TP_NByte="12"/>)"
                             "</Receive_J1939>";
    TableData t = EmptyTable(kTransmitJ1939, 62);
    ASSERT_TRUE(ReadTable(kTransmitJ1939, j1939, QStringLiteral("j.xml"), t).complete);
    const auto& rows = t.sections[0];
    EXPECT_EQ(rows[0], (QStringList{"", "", "1", "", "8", "N", "N", "N", "", ""}));
    EXPECT_EQ(rows[1], (QStringList{"3", "", "2", "", "8", "N", "N", "", "", ""}));
    EXPECT_EQ(rows[2], (QStringList{"", "", "3", "", "8", "N", "N", "Y", "", ""}));
    EXPECT_EQ(rows[3], (QStringList{"", "", "4", "", "8", "N", "Y", "N", "", ""}));
    EXPECT_EQ(rows[4], (QStringList{"", "", "5", "", "12", "N", "N", "N", "", ""}));
    // Written back with the three event attributes and without T_Type.
    const QByteArray out = WriteTable(kTransmitJ1939, t, 6);
    EXPECT_FALSE(out.contains("T_Type"));
    EXPECT_TRUE(out.contains(R"(<row Priority="" DP="" PGN="3" SA="" TP_NByte="8" On_Request="N" On_Data_Change="N" On_Timer="Y" SendTimer="" Mnemonic=""/>)"))
        << out.constData();

    // The NMEA 2000 transmit window leaves a missing Num Byte empty.
    TableData n = EmptyTable(kTransmitNmea, 62);
    ReadTable(kTransmitNmea, R"(<Receive_NMEA_2000><row PGN="1"/></Receive_NMEA_2000>)", QStringLiteral("n.xml"), n);
    EXPECT_EQ(n.sections[0][0], (QStringList{"", "1", "", "N", "", "N", "N", "N", "", ""}));

    // Restart list: missing Enable_ReStart reads "N"; every node is written.
    TableData s = EmptyTable(kRestartDevices, 127);
    QByteArray ten = "<Enable_ReStart_CANopen>";
    for (int i = 0; i < 10; ++i)
        ten += i == 4 ? QByteArray(R"(<row Mnemonic="five"/>)") : QByteArray(R"(<row Enable_ReStart="Y"/>)");
    ten += "</Enable_ReStart_CANopen>";
    ASSERT_TRUE(ReadTable(kRestartDevices, ten, QStringLiteral("r.xml"), s).complete);
    EXPECT_EQ(s.sections[0][4], (QStringList{"N", "five"}));
    EXPECT_EQ(s.sections[0][9], (QStringList{"Y", ""}));
    EXPECT_EQ(s.sections[0][10], (QStringList{"N", ""}));
    const QByteArray restart = WriteTable(kRestartDevices, s, 8);
    EXPECT_EQ(restart.count("<row "), 127);
    EXPECT_EQ(restart.count(R"(Enable_ReStart="N" Mnemonic=""/>)"), 117);

    // DMX: a Row without Default_Value shows "0".
    TableData d = EmptyTable(kDmxDefaultValues, 4);
    ReadTable(kDmxDefaultValues, R"(<DMX_Default_Values><Row Mnemonic="m"/><Row Default_Value=""/></DMX_Default_Values>)",
              QStringLiteral("d.xml"), d);
    EXPECT_EQ(d.sections[0][0], (QStringList{"0", "m"}));
    EXPECT_EQ(d.sections[0][1], (QStringList{"", ""}));
    EXPECT_EQ(d.sections[0][2], (QStringList{"0", ""}));
    EXPECT_TRUE(WriteTable(kDmxDefaultValues, d, 22).startsWith(
        R"(<DMX_Default_Values><Row Default_Value="0" Mnemonic="m"/><Row Default_Value="" Mnemonic=""/>)"));
}

TEST(TableFiles, MissingAgainstEmptyRequiredAttribute)
{
    TableData t = EmptyTable(kDNetNet, 64);
    const LoadResult ok = ReadTable(
        kDNetNet, R"(<DNET_Net><row ID="" NB_IN="" NB_OUT="" Mnemonic=""/></DNET_Net>)", QStringLiteral("d.xml"), t);
    EXPECT_TRUE(ok.complete);
    EXPECT_EQ(t.sections[0][0], (QStringList{"", "", "", "N", "N", ""}));
    const LoadResult bad = ReadTable(kDNetNet, R"(<DNET_Net><row ID="" NB_IN="" NB_OUT=""/></DNET_Net>)",
                                     QStringLiteral("d.xml"), t);
    EXPECT_EQ(bad.message, QStringLiteral("d.xml, row 1: the attribute \"Mnemonic\" is missing."));
}
