// M_Bus.xml through the network model: defaults and reading rules, round
// trips, the written form, errors, and agreement with the compiler's reader.
#include "mbus/core/network_file.h"

#include "mbus_build.h"
#include "unwritable_folder.h"
#include "xml_document.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using mbus::Network;
using mbus::NetworkRead;
using mbus::Network_Bytes;
using mbus::Read_Network;
using mbus::Read_Network_Bytes;
using mbus::Write_Network;
using Node = mbus::TNodo;
using Var = mbus::TVariabile;

namespace {

QByteArray File(const QByteArray& nodes)
{
    return "<M-Bus_Network>" + nodes + "</M-Bus_Network><!--SW_VERSION = 1.305-->";
}

const QByteArray kVar = R"(Desc="v" Type="0" Fun_Field="0" Dim="2")";

NetworkRead Read(const QByteArray& bytes, int type = 10)
{
    return Read_Network_Bytes(bytes, QStringLiteral("M_Bus.xml"), type);
}

struct DefaultCase
{
    const char* name;
    QByteArray nodeAttrs;
    QByteArray varAttrs;   // empty: the node has no value
    std::function<void(const Node&)> check;
};

TEST(NetworkFile, ReadingRulesAndDefaults)
{
    const DefaultCase cases[] = {
        {"bare node", R"(Descrizione="m")", "", [](const Node& n) {
             EXPECT_TRUE(n.Enable);
             EXPECT_EQ(n.Node_ID_Primary, 1);
             EXPECT_EQ(n.Node_ID_Secondary, 1);
             EXPECT_EQ(n.Cut_After, 0);
             EXPECT_EQ(n.Send_SNK, 0);
             EXPECT_TRUE(n.Var_List.empty());
         }},
        {"Enable_Node other than 0", R"(Descrizione="m" Enable_Node="yes")", "",
         [](const Node& n) { EXPECT_TRUE(n.Enable); }},
        {"Enable_Node 0", R"(Descrizione="m" Enable_Node="0")", "", [](const Node& n) { EXPECT_FALSE(n.Enable); }},
        {"older Node_Enable", R"(Descrizione="m" Node_Enable="0")", "",
         [](const Node& n) { EXPECT_FALSE(n.Enable); }},
        {"Enable_Node wins over Node_Enable", R"(Descrizione="m" Enable_Node="1" Node_Enable="0")", "",
         [](const Node& n) { EXPECT_TRUE(n.Enable); }},
        {"ID with secondary type", R"(Descrizione="m" ID="5" Node_ID_Type="1")", "", [](const Node& n) {
             EXPECT_EQ(n.Node_ID_Primary, 1);
             EXPECT_EQ(n.Node_ID_Secondary, 5);
         }},
        {"ID with primary type replaces both", R"(Descrizione="m" ID="7" ID_Primary="3" ID_Secondary="4")", "",
         [](const Node& n) {
             EXPECT_EQ(n.Node_ID_Primary, 7);
             EXPECT_EQ(n.Node_ID_Secondary, 1);
         }},
        {"ID not an integer is ignored", R"(Descrizione="m" ID="x" ID_Primary="3")", "",
         [](const Node& n) { EXPECT_EQ(n.Node_ID_Primary, 3); }},
        {"bad integers take defaults", R"(Descrizione="m" ID_Primary="x" Cut_After="1.5" Node_State="")", "",
         [](const Node& n) {
             EXPECT_EQ(n.Node_ID_Primary, 1);
             EXPECT_EQ(n.Cut_After, 0);
             EXPECT_EQ(n.Node_State, 0);
         }},
        {"hexadecimal integer text", R"(Descrizione="m" ID_Primary="$10")", "",
         [](const Node& n) { EXPECT_EQ(n.Node_ID_Primary, 16); }},
        {"bare value", R"(Descrizione="m")", kVar, [](const Node& n) {
             const Var& v = n.Var_List.at(0);
             EXPECT_FALSE(v.Enable);
             EXPECT_FALSE(v.Scale);
             EXPECT_EQ(v.Position, 1);
             EXPECT_EQ(v.Dimension, 2);
             EXPECT_EQ(v.Storage_Number, 0u);
         }},
        {"Enable other than 1", R"(Descrizione="m")", kVar + R"( Enable="1 " Scale="yes")",
         [](const Node& n) {
             EXPECT_FALSE(n.Var_List.at(0).Enable);
             EXPECT_FALSE(n.Var_List.at(0).Scale);
         }},
        {"Enable 1", R"(Descrizione="m")", kVar + R"( Enable="1" BCDtoINT="1" ForceInteger32="1")",
         [](const Node& n) {
             EXPECT_TRUE(n.Var_List.at(0).Enable);
             EXPECT_TRUE(n.Var_List.at(0).BCDtoINT);
             EXPECT_TRUE(n.Var_List.at(0).ForceInteger32);
         }},
        {"largest storage number", R"(Descrizione="m")", kVar + R"( StoNumber="4294967295")",
         [](const Node& n) { EXPECT_EQ(n.Var_List.at(0).Storage_Number, 4294967295u); }},
        {"scanned codes outside the lists", R"(Descrizione="m")",
         R"(Desc="v" Type="65535" Fun_Field="0" Dim="255" VIFE="151" Unit="300")", [](const Node& n) {
             EXPECT_EQ(n.Var_List.at(0).Type_Of_Data, 65535);
             EXPECT_EQ(n.Var_List.at(0).Dimension, 255);
             EXPECT_EQ(n.Var_List.at(0).VIFE, 151);
             EXPECT_EQ(n.Var_List.at(0).Unita, 300);
         }},
        {"SNMP attributes unread for type 10", R"(Descrizione="m" NS_OnChange="0" NS_Desc="x")",
         kVar + R"( Var_Mnemonic="y")", [](const Node& n) {
             EXPECT_FALSE(n.NS_OnChange);
             EXPECT_TRUE(n.NS_Desc.isEmpty());
             EXPECT_TRUE(n.Var_List.at(0).Var_Mnemonic.isEmpty());
         }},
    };
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray values = c.varAttrs.isEmpty() ? QByteArray() : "<Variabile " + c.varAttrs + "/>";
        const NetworkRead r = Read(File("<Nodo " + c.nodeAttrs + ">" + values + "</Nodo>"));
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        ASSERT_EQ(r.network.size(), 1u);
        c.check(r.network[0]);
    }
}

TEST(NetworkFile, SnmpDefaultsOfType21)
{
    const NetworkRead r = Read(File(R"(<Nodo Descrizione="m" IN_OnTimer="0" NS_Timer="500"><Variabile )" + kVar
                                    + R"( Var_OnChange="x"/></Nodo>)"),
                               21);
    ASSERT_TRUE(r.ok);
    const Node& n = r.network.at(0);
    EXPECT_TRUE(n.NS_OnChange);
    EXPECT_TRUE(n.NS_OnTimer);
    EXPECT_FALSE(n.IN_OnTimer);
    EXPECT_EQ(n.NS_Timer, 500);
    EXPECT_TRUE(n.Var_List.at(0).Var_OnChange);
    EXPECT_TRUE(n.Var_List.at(0).Var_OnTimer);
}

TEST(NetworkFile, RequiredAttributesEndTheReadNamingWhere)
{
    const struct
    {
        QByteArray nodes;
        const char* where;
        const char* what;
    } cases[] = {
        {R"(<Nodo Descrizione="a"/><Nodo ID_Primary="2"/>)", "M_Bus.xml, meter 2:",
         "the attribute \"Descrizione\" is missing."},
        {R"(<Nodo Descrizione="a"><Variabile )" + kVar + R"(/><Variabile Type="1" Fun_Field="0" Dim="0"/></Nodo>)",
         "M_Bus.xml, meter 1, value 2:", "the attribute \"Desc\" is missing."},
        {R"(<Nodo Descrizione="a"><Variabile Desc="v" Type="x" Fun_Field="0" Dim="0"/></Nodo>)",
         "M_Bus.xml, meter 1, value 1:", "the attribute \"Type\" is not an integer: \"x\"."},
        {R"(<Nodo Descrizione="a"><Variabile Desc="v" Type="1" Dim="0"/></Nodo>)", "M_Bus.xml, meter 1, value 1:",
         "the attribute \"Fun_Field\" is missing."},
        {R"(<Nodo Descrizione="a"><Variabile Desc="v" Type="1" Fun_Field="0" Dim=""/></Nodo>)",
         "M_Bus.xml, meter 1, value 1:", "the attribute \"Dim\" is not an integer: \"\"."},
    };
    for (const auto& c : cases) {
        const NetworkRead r = Read(File(c.nodes));
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.network.empty());
        EXPECT_EQ(r.error, QString::fromUtf8(c.where) + QLatin1Char(' ') + QString::fromUtf8(c.what));
    }
}

TEST(NetworkFile, MissingFileIsEmptyAndBadXmlGivesTheParserMessage)
{
    QTemporaryDir dir;
    const NetworkRead missing = Read_Network(dir.filePath(QStringLiteral("M_Bus.xml")), 10);
    EXPECT_TRUE(missing.ok);
    EXPECT_TRUE(missing.network.empty());

    const NetworkRead bad = Read("<M-Bus_Network><Nodo Descrizione=\"a\"></M-Bus_Network>");
    EXPECT_FALSE(bad.ok);
    EXPECT_TRUE(bad.error.startsWith(QStringLiteral("M_Bus.xml: "))) << bad.error.toStdString();
}

TEST(NetworkFile, ADeclarationOrCommentFirstReadsEmptyAndTellsElementsFollowed)
{
    const QByteArray node = R"(<Nodo Descrizione="m"/>)";
    for (const QByteArray& head : {QByteArray("<?xml version=\"1.0\"?>"), QByteArray("<!--SW_VERSION = 1.305-->")}) {
        const NetworkRead r = Read(head + "<M-Bus_Network>" + node + "</M-Bus_Network>");
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(r.network.empty());
        EXPECT_TRUE(r.elementsIgnored);
    }
    const NetworkRead own = Read(File(node));
    EXPECT_FALSE(own.elementsIgnored);
    EXPECT_EQ(own.network.size(), 1u);
}

TEST(NetworkFile, CommentsBetweenNodesAreNoNodes)
{
    const NetworkRead r = Read(File(R"(<!--a--><Nodo Descrizione="m"><!--b--><Variabile )" + kVar
                                    + R"(/></Nodo>)"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    ASSERT_EQ(r.network.size(), 1u);
    EXPECT_EQ(r.network[0].Var_List.size(), 1u);
}

// A node and a value with every field off its default.
Node FullNode(int seed)
{
    Node n;
    n.Enable = seed % 2 == 0;
    n.Description = QStringLiteral("Zähler <%1> & \"x\"").arg(seed);
    n.Node_ID_Primary = 250 - seed;
    n.Node_ID_Secondary = 99999999 - seed;
    n.Send_SNK = 1;
    n.Reset_App = 1;
    n.Node_State = 1;
    n.Ident_Num = 1;
    n.BCDtoINT_IN = 1;
    n.Swap_Ident = 1;
    n.Node_ID_Type = 1;
    n.Var_List_Type = 1;
    n.Cut_After = 249;
    n.NS_CommName = QStringLiteral("public");
    n.NS_OnChange = false;
    n.NS_OnTimer = true;
    n.NS_Timer = 1000;
    n.NS_Desc = QStringLiteral("nodeState");
    n.NS_IP_Add = QStringLiteral("10.0.0.1");
    n.NS_Mnemonic = QStringLiteral("ns");
    n.IN_CommName = QStringLiteral("private");
    n.IN_OnChange = true;
    n.IN_OnTimer = false;
    n.IN_Timer = 2000;
    n.IN_Desc = QStringLiteral("identNum");
    n.IN_IP_Add = QStringLiteral("10.0.0.2");
    n.IN_Mnemonic = QStringLiteral("in");
    for (int i = 0; i < 2; ++i) {
        Var v;
        v.Enable = i == 0;
        v.Description = QStringLiteral("m³ %1").arg(i);
        v.Type_Of_Data = i == 0 ? 21 : 65535;
        v.Function_Field = 3;
        v.Dimension = i == 0 ? 7 : 255;
        v.Unita = 10;
        v.Scale = true;
        v.Storage_Number = 4294967295u;
        v.Tariff = 0xFFFFF;
        v.VIFE = 125;
        v.BCDtoINT = true;
        v.SWAP = 1;
        v.Length = 191;
        v.VIF_ASCII = QStringLiteral("kWh");
        v.TP_Mod_Regs = true;
        v.Position = 100;
        v.ForceInteger32 = true;
        v.Post_Operation = 12;
        v.Var_CommName = QStringLiteral("c");
        v.Var_OnChange = false;
        v.Var_OnTimer = false;
        v.Var_Timer = 5;
        v.Var_Desc = QStringLiteral("d");
        v.Var_IP_Add = QStringLiteral("1.2.3.4");
        v.Var_Mnemonic = QStringLiteral("m");
        n.Var_List.push_back(v);
    }
    return n;
}

void ExpectSame(const Var& a, const Var& b, bool snmp)
{
    EXPECT_EQ(a.Enable, b.Enable);
    EXPECT_EQ(a.Description, b.Description);
    EXPECT_EQ(a.Type_Of_Data, b.Type_Of_Data);
    EXPECT_EQ(a.Function_Field, b.Function_Field);
    EXPECT_EQ(a.Dimension, b.Dimension);
    EXPECT_EQ(a.Unita, b.Unita);
    EXPECT_EQ(a.Scale, b.Scale);
    EXPECT_EQ(a.Storage_Number, b.Storage_Number);
    EXPECT_EQ(a.Tariff, b.Tariff);
    EXPECT_EQ(a.VIFE, b.VIFE);
    EXPECT_EQ(a.BCDtoINT, b.BCDtoINT);
    EXPECT_EQ(a.SWAP, b.SWAP);
    EXPECT_EQ(a.Length, b.Length);
    EXPECT_EQ(a.VIF_ASCII, b.VIF_ASCII);
    EXPECT_EQ(a.TP_Mod_Regs, b.TP_Mod_Regs);
    EXPECT_EQ(a.Position, b.Position);
    EXPECT_EQ(a.ForceInteger32, b.ForceInteger32);
    EXPECT_EQ(a.Post_Operation, b.Post_Operation);
    if (!snmp)
        return;
    EXPECT_EQ(a.Var_CommName, b.Var_CommName);
    EXPECT_EQ(a.Var_OnChange, b.Var_OnChange);
    EXPECT_EQ(a.Var_OnTimer, b.Var_OnTimer);
    EXPECT_EQ(a.Var_Timer, b.Var_Timer);
    EXPECT_EQ(a.Var_Desc, b.Var_Desc);
    EXPECT_EQ(a.Var_IP_Add, b.Var_IP_Add);
    EXPECT_EQ(a.Var_Mnemonic, b.Var_Mnemonic);
}

void ExpectSame(const Node& a, const Node& b, bool snmp)
{
    EXPECT_EQ(a.Enable, b.Enable);
    EXPECT_EQ(a.Description, b.Description);
    EXPECT_EQ(a.Node_ID_Primary, b.Node_ID_Primary);
    EXPECT_EQ(a.Node_ID_Secondary, b.Node_ID_Secondary);
    EXPECT_EQ(a.Send_SNK, b.Send_SNK);
    EXPECT_EQ(a.Reset_App, b.Reset_App);
    EXPECT_EQ(a.Node_State, b.Node_State);
    EXPECT_EQ(a.Ident_Num, b.Ident_Num);
    EXPECT_EQ(a.BCDtoINT_IN, b.BCDtoINT_IN);
    EXPECT_EQ(a.Swap_Ident, b.Swap_Ident);
    EXPECT_EQ(a.Node_ID_Type, b.Node_ID_Type);
    EXPECT_EQ(a.Var_List_Type, b.Var_List_Type);
    EXPECT_EQ(a.Cut_After, b.Cut_After);
    if (snmp) {
        EXPECT_EQ(a.NS_CommName, b.NS_CommName);
        EXPECT_EQ(a.NS_OnChange, b.NS_OnChange);
        EXPECT_EQ(a.NS_OnTimer, b.NS_OnTimer);
        EXPECT_EQ(a.NS_Timer, b.NS_Timer);
        EXPECT_EQ(a.NS_Desc, b.NS_Desc);
        EXPECT_EQ(a.NS_IP_Add, b.NS_IP_Add);
        EXPECT_EQ(a.NS_Mnemonic, b.NS_Mnemonic);
        EXPECT_EQ(a.IN_CommName, b.IN_CommName);
        EXPECT_EQ(a.IN_OnChange, b.IN_OnChange);
        EXPECT_EQ(a.IN_OnTimer, b.IN_OnTimer);
        EXPECT_EQ(a.IN_Timer, b.IN_Timer);
        EXPECT_EQ(a.IN_Desc, b.IN_Desc);
        EXPECT_EQ(a.IN_IP_Add, b.IN_IP_Add);
        EXPECT_EQ(a.IN_Mnemonic, b.IN_Mnemonic);
    }
    ASSERT_EQ(a.Var_List.size(), b.Var_List.size());
    for (size_t i = 0; i < a.Var_List.size(); ++i)
        ExpectSame(a.Var_List[i], b.Var_List[i], snmp);
}

TEST(NetworkFile, RoundTripsForTypes10And21)
{
    const Network net = {FullNode(0), FullNode(1)};
    for (int type : {10, 21}) {
        SCOPED_TRACE(type);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("M_Bus.xml"));
        QString error;
        ASSERT_TRUE(Write_Network(path, net, type, &error)) << error.toStdString();
        const NetworkRead r = Read_Network(path, type);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        ASSERT_EQ(r.network.size(), 2u);
        for (size_t i = 0; i < net.size(); ++i)
            ExpectSame(r.network[i], net[i], type == 21);
        // Written again, the file is the same.
        EXPECT_EQ(Network_Bytes(r.network, type), Network_Bytes(net, type));
    }
}

TEST(NetworkFile, WrittenFormRootFirstCommentSecondAttributesInOrder)
{
    const QByteArray empty = Network_Bytes({}, 10);
    EXPECT_EQ(empty, QByteArray("<M-Bus_Network/><!--SW_VERSION = 1.305-->")) << empty.toStdString();

    Node n;
    n.Enable = true;
    n.Description = QStringLiteral("M1");
    Var v;
    v.Description = QStringLiteral("E");
    n.Var_List.push_back(v);
    const QByteArray x = Network_Bytes({n}, 10);
    EXPECT_TRUE(x.startsWith("<M-Bus_Network><Nodo Enable_Node=\"1\" ID_Primary=\"0\" ID_Secondary=\"0\" "
                             "Descrizione=\"M1\" Send_SND_NKE=\"0\" Reset_App=\"0\" Node_State=\"0\" "
                             "Ident_Num=\"0\" BCDtoINT_IN=\"0\" Swap_IN=\"0\" Node_ID_Type=\"0\" "
                             "Var_List_Type=\"0\" Cut_After=\"0\"><Variabile Enable=\"0\" Desc=\"E\" Type=\"0\" "
                             "Fun_Field=\"0\" Dim=\"0\" Unit=\"0\" Scale=\"0\" StoNumber=\"0\" Tariff=\"0\" "
                             "VIFE=\"0\" BCDtoINT=\"0\" SWAP=\"0\" VIF_ASCII=\"\" Length=\"0\" "
                             "TP_Mod_Regs=\"0\" ForceInteger32=\"0\" Position=\"0\" Post_Operation=\"0\"/>"))
        << x.toStdString();
    EXPECT_TRUE(x.endsWith("</Nodo></M-Bus_Network><!--SW_VERSION = 1.305-->"));

    const QByteArray x21 = Network_Bytes({n}, 21);
    EXPECT_TRUE(x21.contains("Cut_After=\"0\" NS_Community_Name=\"\" NS_OnChange=\"0\""));
    EXPECT_TRUE(x21.contains("IN_IP_Add=\"\" IN_Mnemonic=\"\"><Variabile"));
    EXPECT_TRUE(x21.contains("Post_Operation=\"0\" Var_Community_Name=\"\""));
}

TEST(NetworkFile, Type10DropsTheSnmpAttributesOfAFileOnSave)
{
    const NetworkRead r = Read(File(R"(<Nodo Descrizione="m" NS_Desc="x"><Variabile )" + kVar
                                    + R"( Var_Desc="y"/></Nodo>)"));
    ASSERT_TRUE(r.ok);
    const QByteArray x = Network_Bytes(r.network, 10);
    EXPECT_FALSE(x.contains("NS_"));
    EXPECT_FALSE(x.contains("Var_Desc"));
}

TEST(NetworkFile, AFailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("M_Bus.xml"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    QString error;
    {
        UnwritableFolder lock(dir.path());
        EXPECT_FALSE(Write_Network(path, {FullNode(0)}, 10, &error));
    }
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
}

// What the compiler takes from a network the model writes.
struct CompiledMeter
{
    uint32_t id;
    uint8_t cutAfter;
    std::vector<std::tuple<int, int, int, uint32_t, uint32_t, int>> values;   // type, fun, dim, sto, tariff, pos
};

std::vector<CompiledMeter> Compile(const Network& net, int type)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadBytes(Network_Bytes(net, type)));
    MBusBuild b(type);
    Read_MBus_Nodes(b, doc.Root());
    std::vector<CompiledMeter> out;
    for (const ::TNodo& n : b.MBusNodes) {
        CompiledMeter m{n.ID, n.Cut_After, {}};
        for (const auto& v : n.Vars)
            m.values.emplace_back(v.Type_Of_Data, v.Function_Field, v.Dimension, v.Storage_Num, v.Tarif,
                                  v.Position);
        out.push_back(m);
    }
    return out;
}

// The same, from the model: used meters with used values.
std::vector<CompiledMeter> Expected(const Network& net)
{
    std::vector<CompiledMeter> out;
    for (const Node& n : net) {
        if (!n.Enable)
            continue;
        CompiledMeter m{static_cast<uint32_t>(n.Address()), static_cast<uint8_t>(n.Cut_After + 1), {}};
        for (const Var& v : n.Var_List) {
            if (!v.Enable)
                continue;
            const int fun = v.Function_Field == 1 ? 2 : v.Function_Field == 2 ? 1 : v.Function_Field;
            m.values.emplace_back(v.Type_Of_Data, fun, v.Dimension, v.Storage_Number,
                                  static_cast<uint32_t>(v.Tariff), v.Position);
        }
        if (!m.values.empty())
            out.push_back(m);
    }
    return out;
}

TEST(NetworkFile, TheCompilerReadsWhatTheModelWrites)
{
    Node a;
    a.Enable = true;
    a.Description = QStringLiteral("a");
    a.Node_ID_Primary = 5;
    a.Node_ID_Secondary = 12345678;
    a.Cut_After = 249;
    Var v;
    v.Enable = true;
    v.Description = QStringLiteral("v");
    v.Function_Field = 1;
    v.Dimension = 2;
    v.Storage_Number = 4294967295u;
    v.Tariff = 0xFFFFF;
    v.Position = 3;
    a.Var_List = {v};
    Node b = a;
    b.Node_ID_Type = 1;
    b.Cut_After = 0;
    b.Var_List[0].Function_Field = 2;
    b.Var_List[0].Dimension = 7;
    b.Var_List.push_back(v);
    b.Var_List[1].Enable = false;
    Node off = a;
    off.Enable = false;
    Node noValue = a;
    noValue.Var_List[0].Enable = false;
    Node types = a;
    types.Var_List[0].Type_Of_Data = 20;
    types.Var_List[0].Function_Field = 3;

    const Network networks[] = {{}, {a}, {a, b}, {off, a, noValue, b}, {types, b, a}};
    for (int type : {10, 21})
        for (const Network& net : networks) {
            const auto got = Compile(net, type);
            const auto want = Expected(net);
            ASSERT_EQ(got.size(), want.size());
            for (size_t i = 0; i < got.size(); ++i) {
                EXPECT_EQ(got[i].id, want[i].id);
                EXPECT_EQ(got[i].cutAfter, want[i].cutAfter);
                EXPECT_EQ(got[i].values, want[i].values);
            }
        }
}

} // namespace
