// The address-map export (text, file name, code page, and the compiler's
// positions) and the network import that never loses the project file.
#include "mbus/core/address_map.h"
#include "mbus/core/network_file.h"
#include "unwritable_folder.h"

#include "build/compiler/compiler.h"
#include "program_folder.h"
#include "workspace.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using mbus::Network;
using Node = mbus::TNodo;
using Var = mbus::TVariabile;

namespace {

Var Value(const char* desc, int dim, bool scale = false, bool enable = true)
{
    Var v;
    v.Enable = enable;
    v.Description = QString::fromUtf8(desc);
    v.Dimension = dim;
    v.Scale = scale;
    return v;
}

Node Meter(int primary, const char* desc, std::vector<Var> values, bool state = false, bool ident = false)
{
    Node n;
    n.Enable = true;
    n.Node_ID_Primary = primary;
    n.Node_ID_Secondary = 10000000 + primary;
    n.Description = QString::fromUtf8(desc);
    n.Node_State = state ? 1 : 0;
    n.Ident_Num = ident ? 1 : 0;
    n.Var_List = std::move(values);
    return n;
}

const QString kHeader = QStringLiteral("ID Node; Node Description; Variable Description; Position; Length;\r\n");

TEST(AddressMap, ThePartsExample)
{
    const Network net = {Meter(3, "M1", {Value("Energy", 2, true)}, true, true)};
    EXPECT_EQ(mbus::Address_Map_Text(net, 10), kHeader
                                                   + QStringLiteral("3; M1; Node State; 0; 1;\r\n"
                                                                    "3; M1; Identification Number; 1; 4;\r\n"
                                                                    "3; M1; Energy; 5; 4;\r\n"
                                                                    "3; M1; Scale - Energy; 9; 1;\r\n"));
}

TEST(AddressMap, WhatTakesNoPosition)
{
    Node off = Meter(1, "off", {Value("a", 2)}, true, true);
    off.Enable = false;
    Node noValue = Meter(2, "none", {Value("b", 2, false, false)}, true, true);
    Node secondary = Meter(4, "sec", {Value("c", 0, false, false), Value("d", 1)});
    secondary.Node_ID_Type = 1;
    EXPECT_EQ(mbus::Address_Map_Text({off, noValue, secondary}, 10),
              kHeader + QStringLiteral("10000004; sec; d; 0; 2;\r\n"));
    EXPECT_EQ(mbus::Address_Map_Text({}, 10), kHeader);
    EXPECT_EQ(mbus::Address_Map_Text({}, 21), kHeader);
}

TEST(AddressMap, FileNameRule)
{
    const struct
    {
        const char* chosen;
        const char* used;
    } cases[] = {
        {"/p/map.csv", "/p/map.csv"}, {"/p/map.CSV", "/p/map.CSV"}, {"/p/map.Csv.txt", "/p/map.Csv.txt"},
        {"/p/a.CSVx", "/p/a.CSVx"},   {"/p/map", "/p/map.csv"},     {"/p/a.txt", "/p/a.txt.csv"},
        {"/p/csv", "/p/csv.csv"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mbus::Export_File_Name(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.used)) << c.chosen;
}

TEST(AddressMap, WrittenInWindows1252)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("map.csv"));
    const Network net = {Meter(7, "Zähler €", {Value("Wärme Ж", 0)})};
    QString error;
    ASSERT_TRUE(mbus::Export_Address_Map(path, net, 10, 0, &error)) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), kHeader.toLatin1() + QByteArray("7; Z\xE4hler \x80; W\xE4rme ?; 0; 1;\r\n"));
}

// The compiler's positions in bank2.bin (table base 1) as map lines.
QString CompilerMap(const Network& net, int type, bool singleSlave)
{
    TempProgramFolder folder(type);
    folder.OpenProject();
    EXPECT_TRUE(mbus::Write_Network(File_M_Bus, net, type));
    if (singleSlave) {
        QFile p(File_ParGen);
        EXPECT_TRUE(p.open(QIODevice::WriteOnly));
        p.write("<Par_Gen><Meter_Baud>5</Meter_Baud><Meter_Par>0</Meter_Par><Meter_Req_Delay>100</Meter_Req_Delay>"
                "<Working_mode>1</Working_mode></Par_Gen><!--SW_VERSION = 1.000-->");
    }
    QList<BankFile> files;
    QString error;
    EXPECT_TRUE(Build_Banks(type, files, &error)) << error.toStdString();
    QByteArray t;
    for (const BankFile& f : files)
        if (f.name == QLatin1String("bank2.bin"))
            t = f.bytes;
    auto u8 = [&t](int at) { return static_cast<uint8_t>(t[at]); };
    auto u16 = [&](int at) { return u8(at) | (u8(at + 1) << 8); };
    // The used meters and values, in order, as the compiler holds them.
    std::vector<std::pair<const Node*, std::vector<const Var*>>> used;
    for (const Node& n : net) {
        std::vector<const Var*> values;
        for (const Var& v : n.Var_List)
            if (v.Enable)
                values.push_back(&v);
        if (n.Enable && !values.empty())
            used.emplace_back(&n, values);
    }
    const int nodes = static_cast<int>(used.size());
    const int stateSize = type == 21 ? 3 : 1;
    const int identSize = type == 21 ? 8 : 4;
    QString out = kHeader;
    int var = 0;
    for (int i = 0; i < nodes; ++i) {
        const Node& n = *used[static_cast<size_t>(i)].first;
        const int at = 9 + 23 * i;
        const QString head = QStringLiteral("%1; %2; ").arg(n.Address()).arg(n.Description);
        if (u8(at + 13) == 1)
            out += head + QStringLiteral("Node State; %1; %2;\r\n").arg(u16(at + 14)).arg(stateSize);
        if (u8(at + 16) == 1)
            out += head + QStringLiteral("Identification Number; %1; %2;\r\n").arg(u16(at + 17)).arg(identSize);
        for (const Var* v : used[static_cast<size_t>(i)].second) {
            const int r = 9 + 23 * nodes + 26 * var++;
            out += head + QStringLiteral("%1; %2; %3;\r\n").arg(v->Description).arg(u16(r + 3)).arg(u16(r + 6) - u16(r + 3));
            if (u8(r + 5) == 1)
                out += head + QStringLiteral("Scale - %1; %2; 1;\r\n").arg(v->Description).arg(u16(r + 6));
        }
    }
    return out;
}

TEST(AddressMap, PositionsAndLengthsAreTheCompilers)
{
    Var timePoint = Value("tp", 0, true);
    timePoint.Type_Of_Data = 20;
    timePoint.TP_Mod_Regs = true;
    Var forced = Value("f", 3);
    forced.ForceInteger32 = true;
    Var variable = Value("var", 7, true);
    variable.Length = 10;
    Var text = Value("text", 7);
    text.Type_Of_Data = 21;
    text.VIF_ASCII = QStringLiteral("kWh");
    text.Length = 5;
    Var regsNotTime = Value("regs", 1, true);
    regsNotTime.TP_Mod_Regs = true;
    Node byPosition = Meter(9, "pos", {regsNotTime, Value("e", 6)}, true);
    byPosition.Var_List_Type = 1;
    Node off = Meter(2, "off", {Value("x", 2)}, true, true);
    off.Enable = false;
    const Network networks[] = {
        {Meter(3, "M1", {Value("Energy", 2, true)}, true, true)},
        {Meter(1, "a", {timePoint, forced, Value("dis", 2, true, false), variable, text}, true, false),
         Meter(4, "nothing", {Value("y", 2, false, false)}, true, true), off, byPosition,
         Meter(5, "b", {Value("b1", 4), Value("b2", 5, true), Value("b3", 200)}, false, true)},
    };
    for (int type : {10, 21})
        for (bool single : {false, true})
            for (const Network& net : networks) {
                SCOPED_TRACE(QStringLiteral("type %1, single slave %2").arg(type).arg(single).toStdString());
                EXPECT_EQ(mbus::Address_Map_Text(net, type, single ? 1 : 0), CompilerMap(net, type, single));
            }
}

class Import : public ::testing::Test
{
protected:
    QString ProjectFile() const { return m_dir.filePath(QStringLiteral("P/M_Bus.xml")); }
    QString Chosen() const { return m_dir.filePath(QStringLiteral("other.xml")); }
    void Write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir m_dir;
};

const QByteArray kOld = "<M-Bus_Network><Nodo Descrizione=\"old\"/></M-Bus_Network><!--SW_VERSION = 1.305-->";
const QByteArray kNew = "<M-Bus_Network><Nodo Descrizione=\"new\"/></M-Bus_Network><!--SW_VERSION = 1.305-->";

TEST_F(Import, ReplacesTheProjectFile)
{
    Write(ProjectFile(), kOld);
    Write(Chosen(), kNew);
    QString error;
    EXPECT_EQ(mbus::Import_Network(Chosen(), ProjectFile(), 10, &error), mbus::ImportResult::Imported);
    EXPECT_EQ(Read(ProjectFile()), kNew);
    // Without a project file too.
    QFile::remove(ProjectFile());
    EXPECT_EQ(mbus::Import_Network(Chosen(), ProjectFile(), 10, &error), mbus::ImportResult::Imported);
    EXPECT_EQ(Read(ProjectFile()), kNew);
}

TEST_F(Import, NeverLosesTheProjectFile)
{
    const struct
    {
        const char* name;
        QByteArray chosen;   // null: no such file
    } cases[] = {
        {"not well-formed", "<M-Bus_Network><Nodo></M-Bus_Network>"},
        {"a required attribute missing", "<M-Bus_Network><Nodo/></M-Bus_Network>"},
        {"missing", QByteArray()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write(ProjectFile(), kOld);
        QFile::remove(Chosen());
        if (!c.chosen.isNull())
            Write(Chosen(), c.chosen);
        QString error;
        EXPECT_EQ(mbus::Import_Network(Chosen(), ProjectFile(), 10, &error), mbus::ImportResult::Failed);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(Read(ProjectFile()), kOld);
    }
}

TEST_F(Import, TheProjectsOwnFileCopiesNothing)
{
    Write(ProjectFile(), kOld);
    EXPECT_EQ(mbus::Import_Network(ProjectFile(), ProjectFile(), 10), mbus::ImportResult::OwnFile);
    const QString sameByAnotherPath = m_dir.filePath(QStringLiteral("P/../P/M_Bus.xml"));
    EXPECT_EQ(mbus::Import_Network(sameByAnotherPath, ProjectFile(), 10), mbus::ImportResult::OwnFile);
    EXPECT_EQ(Read(ProjectFile()), kOld);
}

TEST_F(Import, AReadOnlyFolderKeepsTheProjectFile)
{
    Write(ProjectFile(), kOld);
    Write(Chosen(), kNew);
    QString error;
    {
        UnwritableFolder lock(QFileInfo(ProjectFile()).path());
        EXPECT_EQ(mbus::Import_Network(Chosen(), ProjectFile(), 10, &error), mbus::ImportResult::Failed);
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Read(ProjectFile()), kOld);
}

} // namespace
