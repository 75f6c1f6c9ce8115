// The M-Bus node and variable table: the used meters and values of M_Bus.xml,
// their units as text, where their data lie in the converter's data image,
// and the parameter section from ParGen.xml.
#include "mbus_build.h"

#include "bank_buffers.h"
#include "compile_error.h"
#include "gen_param.h"
#include "int_text.h"
#include "par_gen_reader.h"
#include "workspace.h"

#include "mbus/core/network.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// A node as the table holds it (23 bytes).
struct MBusNodeRecord
{
    uint8_t ID_Type;
    uint8_t ID[4];       // big-endian
    u16le VarCount;
    u32le Add;
    uint8_t SND_NKE;
    uint8_t Reset_App;
    uint8_t Node_State;
    u16le Add_NS;
    uint8_t Ident_Num;
    u16le Add_IN;
    uint8_t BCDtoINT_IN;
    uint8_t Swap_IN;
    uint8_t Var_Type;
    uint8_t Cut_After;
};
static_assert(sizeof(MBusNodeRecord) == 23);
static_assert(offsetof(MBusNodeRecord, VarCount) == 5);
static_assert(offsetof(MBusNodeRecord, Add) == 7);
static_assert(offsetof(MBusNodeRecord, Add_NS) == 14);
static_assert(offsetof(MBusNodeRecord, Add_IN) == 17);
static_assert(offsetof(MBusNodeRecord, Cut_After) == 22);

// A value as the table holds it (26 bytes).
struct MBusVarRecord
{
    uint8_t Type_Of_Data;
    uint8_t Function_Field;
    uint8_t DataField;        // data field code from Dimension
    u16le DataPos;            // where the value lies in the data image
    uint8_t Scale;
    u16le DataEnd;            // after the value's bytes: the scale byte
    uint8_t Unita;
    u32le Storage_Num;
    u32le Tarif;
    uint8_t VIFE;
    uint8_t Options;
    uint8_t Length;
    uint8_t Len_VIF_ASCII;
    u32le Address_VIF_ASCII;
    uint8_t Position;
};
static_assert(sizeof(MBusVarRecord) == 26);
static_assert(offsetof(MBusVarRecord, DataPos) == 3);
static_assert(offsetof(MBusVarRecord, DataEnd) == 6);
static_assert(offsetof(MBusVarRecord, Unita) == 8);
static_assert(offsetof(MBusVarRecord, Storage_Num) == 9);
static_assert(offsetof(MBusVarRecord, Tarif) == 13);
static_assert(offsetof(MBusVarRecord, VIFE) == 17);
static_assert(offsetof(MBusVarRecord, Address_VIF_ASCII) == 21);
static_assert(offsetof(MBusVarRecord, Position) == 25);

constexpr int TableHeaderSize = 8;

constexpr uint8_t VariableLengthDimension = mbus::VariableLengthDim;
constexpr uint8_t UnitTextType = mbus::UnitTextType;

// Options bits.
constexpr uint8_t OptBCDtoINT = 0x1;
constexpr uint8_t OptSwap = 0x2;
constexpr uint8_t OptTPModRegs = 0x4;
constexpr uint8_t OptForceInteger32 = 0x8;

// The value's bytes in the data image, without its scale byte.
int Value_Size(const MBusModel& m, const TVariabile& v)
{
    if (m.image.fixedValue != 0)
        return m.image.fixedValue;
    return mbus::Value_Image_Bytes(v.Type_Of_Data, v.Dimension, v.Length, v.Options & OptTPModRegs,
                                   v.Options & OptForceInteger32);
}

int32_t Required_Value_Int(pugi::xml_node value, const char* name, int meter, int index)
{
    pugi::xml_attribute a = value.attribute(name);
    if (!a)
        throw CompileError(MBus_Where(meter, index)
                           + QStringLiteral(": the attribute \"%1\" is missing.").arg(QLatin1String(name)));
    int32_t v;
    if (!TryUtf8ToInt(a.value(), v))
        throw CompileError(MBus_Where(meter, index)
                           + QStringLiteral(": the attribute \"%1\" is not an integer: \"%2\".")
                                 .arg(QLatin1String(name), QString::fromUtf8(a.value())));
    return v;
}

int32_t Required_ParGen_Int(const ParGen& pg, const char* name)
{
    QString text;
    if (!pg.Text(name, text))
        throw CompileError(
            QStringLiteral("%1: the element \"%2\" is missing.").arg(File_ParGen, QLatin1String(name)));
    int32_t v;
    if (!TryStrToInt(text, v))
        throw CompileError(QStringLiteral("%1: the element \"%2\" is not an integer: \"%3\".")
                               .arg(File_ParGen, QLatin1String(name), text));
    return v;
}

bool Attr_Is_One(pugi::xml_node node, const char* name)
{
    return std::strcmp(node.attribute(name).value(), "1") == 0;
}

uint8_t U8(int32_t v)
{
    return static_cast<uint8_t>(v);
}

TVariabile Read_Variabile(const MBusModel& m, pugi::xml_node value, int meter, int index)
{
    TVariabile v;
    v.valueIndex = index;
    v.Type_Of_Data = U8(Required_Value_Int(value, "Type", meter, index));
    v.Function_Field = U8(mbus::Function_Field_Swap(U8(Required_Value_Int(value, "Fun_Field", meter, index))));
    v.Dimension = U8(Required_Value_Int(value, "Dim", meter, index));
    v.Scale = m.image.valueOptions && Attr_Is_One(value, "Scale") ? 1 : 0;
    v.Unita = U8(MBus_Attr_Int(value, "Unit", 0));
    v.Storage_Num = MBus_Attr_U32(value, "StoNumber", 0);
    v.Tarif = MBus_Attr_U32(value, "Tariff", 0);
    v.VIFE = U8(MBus_Attr_Int(value, "VIFE", 0));
    v.Options = 0;
    if (m.image.valueOptions) {
        if (Attr_Is_One(value, "BCDtoINT"))
            v.Options |= OptBCDtoINT;
        if (Attr_Is_One(value, "SWAP"))
            v.Options |= OptSwap;
        if (Attr_Is_One(value, "TP_Mod_Regs"))
            v.Options |= OptTPModRegs;
        if (Attr_Is_One(value, "ForceInteger32"))
            v.Options |= OptForceInteger32;
    }
    if (v.Type_Of_Data == UnitTextType) {
        v.VIF_ASCII = MBus_Attr_Text(value, "VIF_ASCII");
        if (v.VIF_ASCII.size() > MBusMaxUnitText)
            throw CompileError(MBus_Where(meter, index)
                               + QStringLiteral(": the unit text has %1 characters; the node table holds at most %2.")
                                     .arg(v.VIF_ASCII.size())
                                     .arg(MBusMaxUnitText));
        v.Len_VIF_ASCII = static_cast<uint8_t>(v.VIF_ASCII.size());
    }
    v.Length = v.Dimension == VariableLengthDimension ? U8(MBus_Attr_Int(value, "Length", 0)) : 0;
    v.Position = U8(MBus_Attr_Int(value, "Position", 1));
    return v;
}

TNodo Read_Nodo(pugi::xml_node node, int meter)
{
    TNodo n;
    n.meterIndex = meter;
    const int32_t idType = MBus_Attr_Int(node, "Node_ID_Type", 0);
    n.ID_Type = U8(idType);
    int64_t id;
    if (pugi::xml_attribute a = node.attribute("ID"); a && TryUtf8ToInt64(a.value(), id))
        n.ID = static_cast<uint32_t>(id);
    else
        n.ID = MBus_Attr_U32(node, idType == 0 ? "ID_Primary" : "ID_Secondary", 1);
    n.SND_NKE = U8(MBus_Attr_Int(node, "Send_SND_NKE", 0));
    n.Reset_App = U8(MBus_Attr_Int(node, "Reset_App", 0));
    n.Node_State = U8(MBus_Attr_Int(node, "Node_State", 0));
    n.Ident_Num = U8(MBus_Attr_Int(node, "Ident_Num", 0));
    n.BCDtoINT_IN = U8(MBus_Attr_Int(node, "BCDtoINT_IN", 0));
    n.Swap_IN = U8(MBus_Attr_Int(node, "Swap_IN", 0));
    n.Var_Type = U8(MBus_Attr_Int(node, "Var_List_Type", 0));
    int32_t cut;
    pugi::xml_attribute c = node.attribute("Cut_After");
    n.Cut_After = c && TryUtf8ToInt(c.value(), cut) ? U8(cut + 1) : 250;
    return n;
}

void Check_Data_Position(int64_t pos, int meter, int value = 0)
{
    if (pos <= MBusMaxDataPosition)
        return;
    throw CompileError(MBus_Where(meter, value)
                       + QStringLiteral(": the data reach position %1 of the data image; the node table holds "
                                        "positions up to %2.")
                             .arg(pos)
                             .arg(MBusMaxDataPosition));
}

} // namespace

QString MBus_Where(int meterIndex, int valueIndex)
{
    QString w = QStringLiteral("%1, meter %2").arg(File_M_Bus).arg(meterIndex);
    if (valueIndex > 0)
        w += QStringLiteral(", value %1").arg(valueIndex);
    return w;
}

QString MBus_Attr_Text(pugi::xml_node node, const char* name)
{
    return QString::fromUtf8(node.attribute(name).value());
}

int32_t MBus_Attr_Int(pugi::xml_node node, const char* name, int32_t def)
{
    pugi::xml_attribute a = node.attribute(name);
    int32_t v;
    return a && TryUtf8ToInt(a.value(), v) ? v : def;
}

uint32_t MBus_Attr_U32(pugi::xml_node node, const char* name, uint32_t def)
{
    pugi::xml_attribute a = node.attribute(name);
    int64_t v;
    return a && TryUtf8ToInt64(a.value(), v) ? static_cast<uint32_t>(v) : def;
}

bool MBus_Node_Enabled(pugi::xml_node node)
{
    // Enable_Node; Node_Enable is the name an earlier writer used.
    pugi::xml_attribute a = node.attribute("Enable_Node");
    if (!a)
        a = node.attribute("Node_Enable");
    if (!a)
        return true;
    int32_t v;
    return TryUtf8ToInt(a.value(), v) && v == 1;
}

bool MBus_Value_Used(pugi::xml_node value)
{
    return Attr_Is_One(value, "Enable");
}

void Read_MBus_Nodes(MBusBuild& b, pugi::xml_node root)
{
    b.MBusNodes.clear();
    int meter = 0;
    for (pugi::xml_node node : root.children()) {
        ++meter;
        if (!MBus_Node_Enabled(node))
            continue;
        TNodo n = Read_Nodo(node, meter);
        int index = 0;
        for (pugi::xml_node value : node.children()) {
            ++index;
            if (!MBus_Value_Used(value))
                continue;
            if (static_cast<int>(n.Vars.size()) == MBusMaxVarsPerNode)
                throw CompileError(MBus_Where(meter)
                                   + QStringLiteral(": more than %1 values; a meter holds at most %1.")
                                         .arg(MBusMaxVarsPerNode));
            n.Vars.push_back(Read_Variabile(b.model, value, meter, index));
        }
        if (n.Vars.empty())
            continue;
        if (static_cast<int>(b.MBusNodes.size()) == MBusMaxNodes)
            throw CompileError(QStringLiteral("%1: more than %2 meters with values; the node table holds at most %2.")
                                   .arg(File_M_Bus)
                                   .arg(MBusMaxNodes));
        b.MBusNodes.push_back(std::move(n));
    }
}

void Read_MBus_ParGen(MBusBuild& b, const ParGen& pg)
{
    b.MBusWorkingMode = 0;
    b.hasParSection = false;
    std::memset(&b.ParSection, 0, sizeof b.ParSection);
    if (!pg.Exists())
        return;
    const MBusModel& m = b.model;
    MBusHeaderParam& h = b.Header;
    MBusParam& p = b.Param;
    MBusParSection& s = b.ParSection;

    b.MBusWorkingMode = pg.Int("Working_mode", 0);

    static constexpr int kIP[4] = {192, 168, 0, 5};
    static constexpr int kMask[4] = {255, 255, 255, 0};
    static constexpr int kGateway[4] = {192, 168, 0, 1};
    for (int i = 0; i < 4; ++i) {
        const QByteArray k = QByteArray::number(i + 1);
        s.IP[i] = U8(pg.Int(("PROFINET_IP" + k).constData(), kIP[i]));
        s.SubnetMask[i] = U8(pg.Int(("PROFINET_SM" + k).constData(), kMask[i]));
        s.Gateway[i] = U8(pg.Int(("PROFINET_GAT" + k).constData(), kGateway[i]));
    }
    std::memcpy(h.IP, s.IP, 4);
    std::memcpy(p.IP, s.IP, 4);
    std::memcpy(h.SubnetMask, s.SubnetMask, 4);
    std::memcpy(p.SubnetMask, s.SubnetMask, 4);
    std::memcpy(h.Gateway, s.Gateway, 4);
    std::memcpy(p.Gateway, s.Gateway, 4);

    s.EnGat = U8(pg.Int("PROFINET_EN_GAT", 0));
    if (s.EnGat == 0) {
        std::memset(h.Gateway, 255, 4);
        std::memset(p.Gateway, 255, 4);
    }

    s.Port = 34964;
    h.SecondPort = 34964;
    h.ThirdPort = 34964;
    p.SecondPort = 502;
    p.ThirdPort = 502;

    uint16_t bytesOut;
    if (m.fixedOutputBytes != 0) {
        bytesOut = static_cast<uint16_t>(m.fixedOutputBytes);
    } else {
        bytesOut = static_cast<uint16_t>(pg.Int("PROFINET_NB_OUT", 1439));
        bytesOut = bytesOut == 0 ? 1 : std::min<uint16_t>(bytesOut, 1439);
    }
    s.BytesOut = bytesOut;
    h.BytesIn = 4;
    h.BytesOut = bytesOut;
    p.BytesIn = 4;
    p.BytesOut = bytesOut;

    const QString name = pg.TextOr("PROFINET_NAME_STA", QStringLiteral("devicename1"));
    Store_Text(h.StationName, name);
    Store_Text(p.StationName, name);

    if (m.snmpAgent) {
        const int32_t dim = pg.Int("SNMP_AUX_INT_DIM", 0);
        h.SnmpIntWidth = dim == 1 ? 4 : dim == 2 ? 8 : 2;
        // The agent settings are those of the general record, in fields of their own.
        GenParam agent;
        std::memset(&agent, 0, sizeof agent);
        Read_Snmp_Agent(pg, agent);
        p.SnmpFlags = static_cast<uint32_t>(agent.SnmpFlags);
        static_assert(sizeof p.SnmpUser == sizeof agent.SnmpUser);
        static_assert(sizeof p.SnmpAuthPass == sizeof agent.SnmpAuthPass);
        static_assert(sizeof p.SnmpPrivPass == sizeof agent.SnmpPrivPass);
        std::memcpy(p.SnmpUser, agent.SnmpUser, sizeof p.SnmpUser);
        std::memcpy(p.SnmpAuthPass, agent.SnmpAuthPass, sizeof p.SnmpAuthPass);
        std::memcpy(p.SnmpPrivPass, agent.SnmpPrivPass, sizeof p.SnmpPrivPass);
    }

    // Meter_Baud index -> M-Bus bit rate; any other index gives 2400.
    static constexpr uint32_t kMeterBaud[] = {300, 600, 1200, 2400, 4800, 9600, 19200, 38400};
    s.MeterBaud = U8(Required_ParGen_Int(pg, "Meter_Baud"));
    const uint32_t rate = s.MeterBaud < std::size(kMeterBaud) ? kMeterBaud[s.MeterBaud] : 2400;
    h.MBusBaud = rate;
    h.MBusBaud2 = rate;
    p.MBusBaud = rate;

    s.MeterPar = U8(Required_ParGen_Int(pg, "Meter_Par"));
    const uint16_t parity = s.MeterPar >= 1 ? s.MeterPar + 1 : 0;
    h.Parity = parity;
    h.Parity2 = parity;
    p.MBusParity = static_cast<uint8_t>(parity);

    s.ReqDelay = static_cast<uint32_t>(Required_ParGen_Int(pg, "Meter_Req_Delay"));
    s.WorkingMode = U8(b.MBusWorkingMode);
    s.NSErrorCode = U8(pg.Int("Meter_NS_Error_Code", 0));
    b.hasParSection = true;
}

void Calcola_MBus_Addrs(MBusBuild& b)
{
    const MBusModel& m = b.model;
    const bool singleSlave = b.MBusWorkingMode == 1;
    b.MBusNodeAddrs.clear();
    int64_t v = singleSlave ? 4 : 0;
    for (const TNodo& n : b.MBusNodes) {
        if (singleSlave)
            v = 4;
        TAdd_Nodo a;
        a.Add_NS = v;
        if (n.Node_State == 1)
            v += m.image.nodeState;
        a.Add_IN = v;
        if (n.Ident_Num == 1)
            v += m.image.identNum;
        a.Add_Start_Var = v;
        Check_Data_Position(a.Add_IN, n.meterIndex);
        for (const TVariabile& var : n.Vars) {
            const int size = Value_Size(m, var);
            // The value's position and the position after it are stored.
            Check_Data_Position(v + size, n.meterIndex, var.valueIndex);
            v += size + var.Scale;
        }
        b.MBusNodeAddrs.push_back(a);
    }
}

int Build_MBus_Table(MBusBuild& b, int base, BankBuffer& buffer)
{
    const MBusModel& m = b.model;
    std::vector<TNodo>& nodes = b.MBusNodes;
    const int64_t nodeCount = static_cast<int64_t>(nodes.size());
    int64_t varCount = 0;
    int64_t textBytes = 0;
    for (const TNodo& n : nodes) {
        varCount += static_cast<int64_t>(n.Vars.size());
        for (const TVariabile& v : n.Vars)
            textBytes += v.Len_VIF_ASCII;
    }
    const int64_t size = TableHeaderSize + static_cast<int64_t>(sizeof(MBusNodeRecord)) * nodeCount
                         + static_cast<int64_t>(sizeof(MBusVarRecord)) * varCount + textBytes
                         + (b.hasParSection ? static_cast<int64_t>(sizeof(MBusParSection)) : 0);
    if (base + size > buffer.Capacity())
        throw CompileError(QStringLiteral("%1: the M-Bus node table needs %2 bytes from position %3 of its "
                                          "image, which holds %4 bytes.")
                               .arg(File_M_Bus)
                               .arg(size)
                               .arg(base)
                               .arg(buffer.Capacity()));

    // File positions: node records, variable records, text area.
    const int r = base + TableHeaderSize;
    auto w = static_cast<uint32_t>(r + static_cast<int64_t>(sizeof(MBusNodeRecord)) * nodeCount);
    for (TNodo& n : nodes) {
        n.Add = w;
        w += static_cast<uint32_t>(sizeof(MBusVarRecord) * n.Vars.size());
    }
    for (TNodo& n : nodes)
        for (TVariabile& v : n.Vars) {
            v.Address_VIF_ASCII = w;
            w += v.Len_VIF_ASCII;
        }

    int pos = r;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const TNodo& n = nodes[i];
        const TAdd_Nodo& a = b.MBusNodeAddrs[i];
        MBusNodeRecord rec{};
        rec.ID_Type = n.ID_Type;
        for (int k = 0; k < 4; ++k)
            rec.ID[k] = static_cast<uint8_t>(n.ID >> (8 * (3 - k)));
        rec.VarCount = static_cast<uint16_t>(n.Vars.size());
        rec.Add = n.Add;
        rec.SND_NKE = n.SND_NKE;
        rec.Reset_App = n.Reset_App;
        rec.Node_State = n.Node_State;
        rec.Add_NS = static_cast<uint16_t>(a.Add_NS);
        rec.Ident_Num = n.Ident_Num;
        rec.Add_IN = static_cast<uint16_t>(a.Add_IN);
        rec.BCDtoINT_IN = n.BCDtoINT_IN;
        rec.Swap_IN = n.Swap_IN;
        rec.Var_Type = n.Var_Type;
        rec.Cut_After = n.Cut_After;
        pos = buffer.Put(pos, &rec, sizeof rec);
    }

    for (size_t i = 0; i < nodes.size(); ++i) {
        int64_t v = b.MBusNodeAddrs[i].Add_Start_Var;
        for (const TVariabile& var : nodes[i].Vars) {
            const int size = Value_Size(m, var);
            MBusVarRecord rec{};
            rec.Type_Of_Data = var.Type_Of_Data;
            rec.Function_Field = var.Function_Field;
            rec.DataField = mbus::Data_Size(var.Dimension).dataField;
            rec.DataPos = static_cast<uint16_t>(v);
            rec.Scale = var.Scale;
            rec.DataEnd = static_cast<uint16_t>(v + size);
            rec.Unita = var.Unita;
            rec.Storage_Num = var.Storage_Num;
            rec.Tarif = var.Tarif;
            rec.VIFE = var.VIFE;
            rec.Options = var.Options;
            rec.Length = var.Length;
            rec.Len_VIF_ASCII = var.Len_VIF_ASCII;
            rec.Address_VIF_ASCII = var.Address_VIF_ASCII;
            rec.Position = var.Position;
            pos = buffer.Put(pos, &rec, sizeof rec);
            v += size + var.Scale;
        }
    }

    // Each unit text last character first.
    for (const TNodo& n : nodes)
        for (const TVariabile& var : n.Vars)
            for (int k = var.Len_VIF_ASCII - 1; k >= 0; --k) {
                const auto c = static_cast<uint8_t>(var.VIF_ASCII[k].unicode() & 0xFF);
                pos = buffer.Put(pos, &c, 1);
            }

    u32le head[2];
    head[0] = static_cast<uint32_t>(r);
    head[1] = static_cast<uint32_t>(pos);
    buffer.Put(base, head, sizeof head);

    if (b.hasParSection) {
        b.ParSection.NodeCount = static_cast<uint8_t>(nodes.size());
        pos = buffer.Put(pos, &b.ParSection, sizeof b.ParSection);
    }
    return pos;
}
