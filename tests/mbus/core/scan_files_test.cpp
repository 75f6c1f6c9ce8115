// The scan result writers: M_Bus.xml from wired and wireless scans, the Dim
// and register table, the scan dumps, and files from the suite's frames that
// read back in the model and compile.
#include "mbus/core/network_file.h"
#include "mbus/core/scan_files.h"
#include "telegram_fixture.h"
#include "unwritable_folder.h"

#include "build/compiler/compiler.h"
#include "device_type.h"
#include "program_folder.h"
#include "workspace.h"
#include "xml_document.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mbus;

namespace {

TVariable_MBus Record(uint8_t dataField, int nbyte = 0, bool enable = true)
{
    TVariable_MBus r;
    r.dimension = dataField;
    r.nbyte = nbyte;
    r.Enable = enable;
    r.type_data = 2;
    r.Desc_Type_Data = QStringLiteral("Volume m3");
    return r;
}

std::shared_ptr<TSlave_MBus> Slave(uint16_t primary, std::vector<TVariable_MBus> records)
{
    auto s = std::make_shared<TSlave_MBus>();
    s->Primary_Addresss = primary;
    s->Secondary_Addresss = QStringLiteral("1234567%1").arg(primary);
    s->descManufacture = QStringLiteral("ABB");
    s->Manufacture = 0x0442;
    s->List_Var = std::move(records);
    return s;
}

class ScanFiles : public ::testing::Test
{
protected:
    QString Path() const { return m_dir.filePath(QStringLiteral("M_Bus.xml")); }
    TSaveConfXML Conf(int code) const
    {
        TSaveConfXML c;
        c.XML_Code_Dev = code;
        c.Mod_Start = 1;
        c.File_Name = Path();
        return c;
    }
    // The saved document; its root.
    pugi::xml_node Load()
    {
        EXPECT_TRUE(m_doc.Load(Path())) << m_doc.ErrorText().toStdString();
        return m_doc.Root();
    }
    static QString Attr(pugi::xml_node n, const char* name) { return QString::fromUtf8(n.attribute(name).value()); }
    static QStringList Names(pugi::xml_node n)
    {
        QStringList names;
        for (pugi::xml_attribute a : n.attributes())
            names << QString::fromUtf8(a.name());
        return names;
    }
    void WriteFile(const QByteArray& bytes)
    {
        QFile f(Path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray FileBytes() const
    {
        QFile f(Path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    XmlDocument m_doc;
};

TEST(ScanDimTable, DimAndRegistersByDataField)
{
    const struct
    {
        uint8_t field;
        int nbyte;
        int dim, registers;
    } cases[] = {
        {1, 1, 0, 1}, {2, 2, 1, 1}, {3, 3, 4, 2}, {4, 4, 2, 2}, {5, 4, 6, 2}, {6, 6, 5, 3}, {7, 8, 3, 4},
        {9, 1, 0, 1}, {10, 2, 1, 1}, {11, 3, 4, 2}, {12, 4, 2, 2}, {14, 6, 5, 3}, {0, 0, 255, 0}, {8, 0, 255, 0},
        {15, 0, 255, 0}, {13, 0, 7, 0}, {13, 1, 7, 1}, {13, 2, 7, 2}, {13, 3, 7, 2}, {13, 4, 7, 2}, {13, 6, 7, 4},
    };
    for (const auto& c : cases) {
        const ScanDim d = Scan_Dim(c.field, c.nbyte);
        EXPECT_EQ(d.dim, c.dim) << int(c.field) << " " << c.nbyte;
        EXPECT_EQ(d.registers, c.registers) << int(c.field) << " " << c.nbyte;
    }
}

TEST_F(ScanFiles, AnEmptyListWritesNothing)
{
    WriteFile("old");
    QString error = QStringLiteral("x");
    EXPECT_FALSE(Save_XML_Conf_Wired(Conf(11), {}, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(Save_XML_Conf_Wireless(Conf(11), {}, &error));
    EXPECT_EQ(FileBytes(), QByteArray("old"));
}

TEST_F(ScanFiles, WiredNodeAndRecordsOfCode11)
{
    TSaveConfXML c = Conf(11);
    c.Cut_After = 300;
    c.SND_NKE = 1;
    c.Node_ID_Type = 1;
    TVariable_MBus text = Record(2, 2);
    text.type_data = 21;
    text.VIF_ASCII = QStringLiteral("kWh");
    text.function_fild = 1;
    text.device = 1;
    text.storage_number = 8;
    text.tarif = 0x12345;
    text.Type_Data_Vife = 95;
    TVariable_MBus hca = Record(2, 2);
    hca.type_data = 22;
    hca.VIF_ASCII = QStringLiteral("lost");
    hca.function_fild = 2;
    TVariable_MBus none = Record(15);
    none.type_data = 65535;
    WiredSlaves list = {Slave(5, {Record(4, 4), Record(2, 2), Record(13, 2), text, hca, none}), Slave(6, {Record(1, 1)})};
    list[1]->Enable = false;
    QString error;
    ASSERT_TRUE(Save_XML_Conf_Wired(c, list, &error)) << error.toStdString();
    EXPECT_FALSE(FileBytes().contains("<!--"));

    const pugi::xml_node root = Load();
    EXPECT_STREQ(root.name(), "M-Bus_Network");
    const pugi::xml_node n = root.first_child();
    EXPECT_EQ(Names(n), QStringList({"Enable_Node", "ID_Primary", "ID_Secondary", "Node_ID_Type", "Descrizione",
                                     "Send_SND_NKE", "Reset_App", "Cut_After"}));
    EXPECT_EQ(Attr(n, "ID_Secondary"), QStringLiteral("12345675"));
    EXPECT_EQ(Attr(n, "Node_ID_Type"), QStringLiteral("1"));
    EXPECT_EQ(Attr(n, "Descrizione"), QStringLiteral("ABB"));
    EXPECT_EQ(Attr(n, "Send_SND_NKE"), QStringLiteral("1"));
    EXPECT_EQ(Attr(n, "Reset_App"), QStringLiteral("0"));
    EXPECT_EQ(Attr(n, "Cut_After"), QStringLiteral("249"));
    EXPECT_EQ(Attr(n.next_sibling(), "Enable_Node"), QStringLiteral("0"));

    pugi::xml_node v = n.first_child();
    EXPECT_EQ(Names(v), QStringList({"Enable", "Position", "Desc", "Type", "VIF_ASCII", "Fun_Field", "Length",
                                     "ModReg", "Dim", "Unit", "StoNumber", "Tariff", "VIFE", "ModScale",
                                     "BCDtoINT", "SWAP"}));
    // Registers from 1: 32 bit, 16 bit, variable length of 2 bytes...
    const char* modRegs[] = {"1", "3", "4", "6", "7", "8"};
    const char* dims[] = {"2", "1", "7", "1", "1", "255"};
    for (int i = 0; i < 6; ++i, v = v.next_sibling()) {
        EXPECT_EQ(Attr(v, "Position"), QString::number(i + 1));
        EXPECT_EQ(Attr(v, "ModReg"), QLatin1String(modRegs[i])) << i;
        EXPECT_EQ(Attr(v, "Dim"), QLatin1String(dims[i])) << i;
    }
    v = n.child("Variabile").next_sibling().next_sibling();
    EXPECT_EQ(Attr(v, "Length"), QStringLiteral("2"));
    v = v.next_sibling();
    EXPECT_EQ(Attr(v, "Desc"), QStringLiteral("Volume m3 (U1S8T74565)"));
    EXPECT_EQ(Attr(v, "Type"), QStringLiteral("21"));
    EXPECT_EQ(Attr(v, "VIF_ASCII"), QStringLiteral("kWh"));
    EXPECT_EQ(Attr(v, "Fun_Field"), QStringLiteral("2"));
    EXPECT_EQ(Attr(v, "Unit"), QStringLiteral("1"));
    EXPECT_EQ(Attr(v, "StoNumber"), QStringLiteral("8"));
    EXPECT_EQ(Attr(v, "Tariff"), QStringLiteral("74565"));
    EXPECT_EQ(Attr(v, "VIFE"), QStringLiteral("95"));
    v = v.next_sibling();
    EXPECT_EQ(Attr(v, "Type"), QStringLiteral("22"));
    EXPECT_EQ(Attr(v, "VIF_ASCII"), QString());
    EXPECT_EQ(Attr(v, "Fun_Field"), QStringLiteral("1"));
    EXPECT_EQ(Attr(v.next_sibling(), "Type"), QStringLiteral("65535"));
    // The second meter continues with the next free register.
    EXPECT_EQ(Attr(n.next_sibling().first_child(), "ModReg"), QStringLiteral("8"));
}

TEST_F(ScanFiles, TheExampleRegisters)
{
    WiredSlaves list = {Slave(1, {Record(4, 4), Record(2, 2), Record(13, 2)}), Slave(2, {Record(1, 1)})};
    ASSERT_TRUE(Save_XML_Conf_Wired(Conf(11), list));
    const pugi::xml_node n = Load().first_child();
    QStringList regs;
    for (pugi::xml_node v : n.children())
        regs << Attr(v, "ModReg");
    EXPECT_EQ(regs, QStringList({"1", "3", "4"}));
    EXPECT_EQ(Attr(n.next_sibling().first_child(), "ModReg"), QStringLiteral("6"));
}

TEST_F(ScanFiles, CutAfterStaysInTheFilesRange)
{
    for (auto [given, written] : {std::pair{0, "0"}, {3, "3"}, {249, "249"}, {250, "249"}, {300, "249"}, {-1, "0"}}) {
        TSaveConfXML c = Conf(20);
        c.Cut_After = given;
        ASSERT_TRUE(Save_XML_Conf_Wired(c, {Slave(1, {Record(4, 4)})}));
        EXPECT_EQ(Attr(Load().first_child(), "Cut_After"), QLatin1String(written)) << given;
    }
}

TEST_F(ScanFiles, Code4GroupsTheNodes)
{
    TSaveConfXML c = Conf(4);
    c.Index_Baud = 3;
    c.Index_Par = 1;
    ASSERT_TRUE(Save_XML_Conf_Wired(c, {Slave(1, {}), Slave(2, {})}));
    const pugi::xml_node root = Load();
    const pugi::xml_node group = root.first_child();
    EXPECT_STREQ(group.name(), "Group");
    EXPECT_FALSE(group.next_sibling());
    EXPECT_EQ(Attr(group, "Baudrate"), QStringLiteral("3"));
    EXPECT_EQ(Attr(group, "Parity"), QStringLiteral("1"));
    int nodes = 0;
    for (pugi::xml_node n : group.children("Nodo")) {
        ++nodes;
        EXPECT_EQ(Names(n).mid(0, 4), QStringList({"Enable_Node", "ID", "Secondary_address", "ID_Primary"}));
        EXPECT_EQ(Attr(n, "ID"), Attr(n, "ID_Primary"));
    }
    EXPECT_EQ(nodes, 2);
}

TEST_F(ScanFiles, Code12AndRegistersOfTheModbusCodes)
{
    ASSERT_TRUE(Save_XML_Conf_Wired(Conf(12), {Slave(1, {Record(4, 4)})}));
    pugi::xml_node n = Load().first_child();
    EXPECT_EQ(Names(n).mid(8), QStringList({"MBus_Type", "Node_State", "Ident_Num", "BCDtoINT_IN", "Swap_IN",
                                            "Var_List_Type", "NS_VarType", "IN_VarType"}));
    EXPECT_EQ(Names(n.first_child()),
              QStringList({"Enable", "Position", "Desc", "Type", "VIF_ASCII", "Fun_Field", "Length", "Dim", "Unit",
                           "StoNumber", "Tariff", "VIFE", "BACnet_EngUnits", "BACnet_DataType", "Post_Operation",
                           "BCDtoINT", "SWAP"}));

    TSaveConfXML c = Conf(13);
    c.StartModnode = 1;
    c.SMN_Array = {100, 200};
    c.En_NodeState = true;
    c.En_IdeNum = true;
    ASSERT_TRUE(Save_XML_Conf_Wired(c, {Slave(1, {Record(4, 4)}), Slave(2, {Record(4, 4)})}));
    n = Load().first_child();
    EXPECT_EQ(Attr(n, "MBus_Type"), QStringLiteral("1"));
    EXPECT_EQ(Attr(n, "Node_State"), QStringLiteral("100"));
    EXPECT_EQ(Attr(n, "Ident_Num"), QStringLiteral("102"));
    EXPECT_EQ(Attr(n.first_child(), "ModReg"), QStringLiteral("103"));
    EXPECT_EQ(Attr(n.next_sibling(), "Node_State"), QStringLiteral("200"));
}

TEST_F(ScanFiles, AnUntickedRecordTakesNoRegisterWithStartModnode)
{
    TSaveConfXML c = Conf(0);
    c.StartModnode = 1;
    c.SMN_Array = {10};
    ASSERT_TRUE(Save_XML_Conf_Wired(c, {Slave(1, {Record(1, 1, false), Record(4, 4), Record(7, 8, false), Record(2, 2)})}));
    pugi::xml_node v = Load().first_child().first_child();
    const char* enables[] = {"0", "1", "0", "1"};
    const char* regs[] = {"10", "10", "12", "12"};
    const char* dims[] = {"0", "2", "2", "1"};
    for (int i = 0; i < 4; ++i, v = v.next_sibling()) {
        EXPECT_EQ(Attr(v, "Enable"), QLatin1String(enables[i])) << i;
        EXPECT_EQ(Attr(v, "ModReg"), QLatin1String(regs[i])) << i;
        EXPECT_EQ(Attr(v, "Dim"), QLatin1String(dims[i])) << i;
    }
}

TEST_F(ScanFiles, AppendKeepsTheFileAndAddsAfterIt)
{
    WriteFile("<M-Bus_Network><Nodo Descrizione=\"old\"/></M-Bus_Network><!--SW_VERSION = 1.305-->");
    TSaveConfXML c = Conf(11);
    c.Append = 1;
    ASSERT_TRUE(Save_XML_Conf_Wired(c, {Slave(1, {Record(4, 4)})}));
    const QByteArray bytes = FileBytes();
    EXPECT_TRUE(bytes.startsWith("<M-Bus_Network><Nodo Descrizione=\"old\"/><Nodo Enable_Node")) << bytes.toStdString();
    EXPECT_TRUE(bytes.endsWith("</M-Bus_Network><!--SW_VERSION = 1.305-->"));
}

TEST_F(ScanFiles, AppendingToABadFileReportsAndKeepsIt)
{
    for (const QByteArray& bad : {QByteArray("<M-Bus_Network><Nodo></M-Bus_Network>"),
                                  QByteArray("<!--x--><M-Bus_Network/>"), QByteArray("")}) {
        WriteFile(bad);
        TSaveConfXML c = Conf(11);
        c.Append = 1;
        QString error;
        EXPECT_FALSE(Save_XML_Conf_Wired(c, {Slave(1, {Record(4, 4)})}, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(FileBytes(), bad);
    }
}

TEST_F(ScanFiles, AFailedSaveKeepsTheFile)
{
    WriteFile("old");
    QString error;
    {
        UnwritableFolder lock(m_dir.path());
        EXPECT_FALSE(Save_XML_Conf_Wired(Conf(11), {Slave(1, {Record(4, 4)})}, &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(FileBytes(), QByteArray("old"));
}

TEST_F(ScanFiles, Wireless)
{
    auto s = std::make_shared<TSlave_wMBus>();
    s->ALA_Manu_str = QStringLiteral("KAM");
    s->ALA_Manufacturer = 0x2C2D;
    s->ALA_Address = 0x12345678;
    s->ALA_Version = 27;
    s->ALA_DeviceType = 7;
    s->Enable_Key = true;
    for (int i = 0; i < 16; ++i)
        s->Key[static_cast<size_t>(i)] = static_cast<uint8_t>(0xF0 + i);
    TVariable_MBus filler;
    filler.Real_Wireless_Var = false;
    s->List_Var = {filler, Record(4, 4), Record(2, 2, false), filler, Record(2, 2)};
    TSaveConfXML c = Conf(13);
    c.StartModnode = 1;
    c.SMN_Array = {5};
    ASSERT_TRUE(Save_XML_Conf_Wireless(c, {s}));
    const pugi::xml_node n = Load().first_child();
    QStringList expected = {"Enable_Node", "ID_Primary", "ID_Secondary", "Node_ID_Type", "Descrizione",
                            "Send_SND_NKE", "Reset_App", "Cut_After", "MBus_Type", "Node_State", "Ident_Num",
                            "wMBus_ManID", "wMBus_Add", "wMBus_Ver", "wMBus_DevType", "wMBus_En_Key"};
    for (int k = 1; k <= 16; ++k)
        expected << QStringLiteral("wMBus_Key_%1").arg(k);
    EXPECT_EQ(Names(n), expected);
    EXPECT_EQ(Attr(n, "MBus_Type"), QStringLiteral("0"));
    EXPECT_EQ(Attr(n, "Descrizione"), QStringLiteral("KAM"));
    EXPECT_EQ(Attr(n, "Cut_After"), QStringLiteral("3"));
    EXPECT_EQ(Attr(n, "wMBus_ManID"), QStringLiteral("11309"));
    EXPECT_EQ(Attr(n, "wMBus_Add"), QStringLiteral("305419896"));
    EXPECT_EQ(Attr(n, "wMBus_En_Key"), QStringLiteral("1"));
    EXPECT_EQ(Attr(n, "wMBus_Key_1"), QStringLiteral("240"));
    EXPECT_EQ(Attr(n, "wMBus_Key_16"), QStringLiteral("255"));
    QStringList regs, positions;
    for (pugi::xml_node v : n.children()) {
        regs << Attr(v, "ModReg");
        positions << Attr(v, "Position");
    }
    EXPECT_EQ(regs, QStringList({"5", "7", "7"}));
    EXPECT_EQ(positions, QStringList({"1", "2", "3"}));
}

TEST_F(ScanFiles, Dumps)
{
    const ByteVec f = Frame({0x84, 0x10, 0x13, 0x39, 0x30, 0x00, 0x00});
    WiredSlaves wired;
    bool more = false;
    ASSERT_EQ(Add_Wired_Slave(wired, -1, Bytes(f.data(), f.size()), more, FixedContext()), 0);
    ASSERT_TRUE(Save_XML_File_DLL(Path(), wired));
    pugi::xml_node root = Load();
    EXPECT_STREQ(root.name(), "SCAN_M-Bus_Wired");
    pugi::xml_node n = root.first_child();
    EXPECT_EQ(Names(n), QStringList({"Primary_Address", "Secondary_Address", "Manufacturer", "Version", "Type"}));
    EXPECT_EQ(Attr(n, "Manufacturer"), QStringLiteral("ABB (1090)"));
    EXPECT_EQ(Attr(n, "Secondary_Address"), QStringLiteral("12345678"));
    EXPECT_EQ(Attr(n, "Type"), QStringLiteral("7"));
    const pugi::xml_node v = n.first_child();
    EXPECT_EQ(Attr(v, "Value"), QStringLiteral("12.345"));
    EXPECT_EQ(Attr(v, "Type"), QStringLiteral("Volume m3"));
    EXPECT_EQ(Attr(v, "UST"), QStringLiteral("(U0S0T1)"));
    QStringList children;
    for (pugi::xml_node c : v.children())
        children << QString::fromUtf8(c.name()) + QLatin1Char('=') + QString::fromUtf8(c.text().get());
    EXPECT_EQ(children, QStringList({"Storage_Number=0", "Tariff=1", "Unit=0", "Data_Field=32 Bit Integer",
                                     "Function_Field=Istantaneous value", "Type=Volume m3", "Value=12.345",
                                     "DIF=$84", "VIF=$13", "DIFE=$10 ", "VIFE=", "DATA=$39300000"}));

    auto w = std::make_shared<TSlave_wMBus>();
    w->ALA_Manu_str = QStringLiteral("KAM");
    w->ALA_Address = 0xABC;
    w->ALA_Version = 1;
    w->ALA_DeviceType = 7;
    w->Cripted = true;
    w->List_Var = wired[0]->List_Var;
    ASSERT_TRUE(Save_Wireless_XML_File_DLL(Path(), {w}));
    root = Load();
    EXPECT_STREQ(root.name(), "SCAN_M-Bus_Wireless");
    n = root.first_child();
    EXPECT_EQ(Names(n), QStringList({"Manufacturer", "Address", "Version", "Device_Type", "Cripted"}));
    EXPECT_EQ(Attr(n, "Address"), QStringLiteral("00000ABC"));
    EXPECT_EQ(Attr(n, "Cripted"), QStringLiteral("True"));
    EXPECT_EQ(Attr(n.first_child(), "UST"), QStringLiteral("(U0S0T1)"));
}

// Every frame of the suite, scanned as one line and saved for both M-Bus
// models, reads back in the model and compiles.
TEST(ScanFilesFromFrames, ReadBackAndCompile)
{
    WiredSlaves list;
    for (const QString& name : HexFrames(TelegramDir("frames"))) {
        const ByteVec f = ReadHexFile(TelegramDir("frames/") + name + QStringLiteral(".hex"));
        bool more = false;
        ASSERT_GE(Add_Wired_Slave(list, -1, Bytes(f.data(), f.size()), more, FixedContext()), 0);
    }
    size_t records = 0;
    for (const auto& s : list)
        records += s->List_Var.size();
    for (auto [type, code] : {std::pair{10, 11}, {21, 20}}) {
        SCOPED_TRACE(type);
        TempProgramFolder folder(type);
        DeviceType = type;
        folder.OpenProject();
        TSaveConfXML c;
        c.XML_Code_Dev = code;
        c.Mod_Start = 1;
        c.Cut_After = 3;
        c.File_Name = File_M_Bus;
        QString error;
        ASSERT_TRUE(Save_XML_Conf_Wired(c, list, &error)) << error.toStdString();
        const NetworkRead r = Read_Network(File_M_Bus, type);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        ASSERT_EQ(r.network.size(), static_cast<size_t>(list.size()));
        size_t values = 0;
        for (const TNodo& n : r.network) {
            values += n.Var_List.size();
            EXPECT_EQ(n.Cut_After, 3);
        }
        EXPECT_EQ(values, records);
        QList<BankFile> files;
        EXPECT_TRUE(Build_Banks(type, files, &error)) << error.toStdString();
    }
}

} // namespace
