// The SNMP records of the M-Bus / SNMP agent model (21): one 48-byte record
// per meter state, identification number and used value, in bank3.bin.
#include "mbus_build.h"

#include "bank_buffers.h"
#include "compile_error.h"
#include "helpers.h"
#include "par_gen_reader.h"
#include "workspace.h"

#include <cstring>

namespace {

constexpr uint32_t SnmpTableAddress = 0x80000;
constexpr uint8_t SendOnTimer = 0x4;
constexpr int SnmpTextChars = 15;
constexpr int SingleSlaveStart = 4;

// With at most 2048 records of at most 20 bytes each, every position fits
// its 16-bit field.
static_assert(SingleSlaveStart + MBusSnmpRecords * 20 <= 65535);

// What an item of a meter carries besides its position and size: the
// attributes <prefix>OnTimer, Timer, Community_Name, Desc and IP_Add.
struct SnmpItem
{
    bool onTimer = false;
    uint32_t timer = 0;
    QString community;
    QString description;
    QString address;
};

SnmpItem Read_Item(pugi::xml_node node, const char* prefix)
{
    auto name = [prefix](const char* what) { return QByteArray(prefix) + what; };
    SnmpItem item;
    item.onTimer = std::strcmp(node.attribute(name("OnTimer").constData()).value(), "1") == 0;
    item.timer = MBus_Attr_U32(node, name("Timer").constData(), 0);
    item.community = MBus_Attr_Text(node, name("Community_Name").constData());
    item.description = MBus_Attr_Text(node, name("Desc").constData());
    item.address = MBus_Attr_Text(node, name("IP_Add").constData());
    return item;
}

void Append_Record(MBusBuild& b, int64_t& position, int size, const SnmpItem& item)
{
    if (static_cast<int>(b.SnmpRecords.size()) == MBusSnmpRecords)
        throw CompileError(QStringLiteral("%1: more than %2 SNMP items (meter states, identification numbers "
                                          "and values); the SNMP table holds %2.")
                               .arg(File_M_Bus)
                               .arg(MBusSnmpRecords));
    TSNMPTrap r;
    std::memset(&r, 0, sizeof r);
    r.Position = static_cast<uint16_t>(position);
    r.NumBits = static_cast<uint16_t>(size * 8);
    r.Flags = item.onTimer ? SendOnTimer : 0;
    r.Time = item.timer;
    Store_Text(r.Community, SnmpTextChars, item.community);
    Store_Text(r.Description, SnmpTextChars, item.description);
    // An empty or missing address stores 0.0.0.0.
    uint8_t a = 0, c = 0, d = 0, e = 0;
    Split_IP_Address(item.address, a, c, d, e);
    r.IP = (uint32_t{a} << 24) | (uint32_t{c} << 16) | (uint32_t{d} << 8) | e;
    b.SnmpRecords.push_back(r);
    position += size;
}

} // namespace

void Clear_MBus_SNMP(MBusBuild& b)
{
    b.SnmpRecords.clear();
    b.Param.SnmpRecordCount = 0;
}

void Read_MBus_SNMP(MBusBuild& b, pugi::xml_node root)
{
    const MBusModel& m = b.model;
    b.SnmpRecords.clear();
    b.Param.Snmp764 = 0;
    b.Param.SnmpTableAddress = SnmpTableAddress;
    b.Param.SnmpTableAddress2 = SnmpTableAddress;
    int64_t p = b.MBusWorkingMode == 1 ? SingleSlaveStart : 0;
    for (pugi::xml_node node : root.children()) {
        if (!MBus_Node_Enabled(node))
            continue;
        const bool wantState = static_cast<uint8_t>(MBus_Attr_Int(node, "Node_State", 0)) == 1;
        const bool wantIdent = static_cast<uint8_t>(MBus_Attr_Int(node, "Ident_Num", 0)) == 1;
        const SnmpItem state = wantState ? Read_Item(node, "NS_") : SnmpItem();
        const SnmpItem ident = wantIdent ? Read_Item(node, "IN_") : SnmpItem();
        bool first = true;
        for (pugi::xml_node value : node.children()) {
            if (!MBus_Value_Used(value))
                continue;
            if (first) {
                if (wantState)
                    Append_Record(b, p, m.image.nodeState, state);
                if (wantIdent)
                    Append_Record(b, p, m.image.identNum, ident);
                first = false;
            }
            Append_Record(b, p, m.image.fixedValue, Read_Item(value, "Var_"));
        }
    }
    b.Param.SnmpRecordCount = static_cast<uint32_t>(b.SnmpRecords.size());
}

int Write_MBus_SNMP(const MBusBuild& b, int pos, BankBuffer& buffer)
{
    const int n = static_cast<int>(b.SnmpRecords.size() * sizeof(TSNMPTrap));
    return n == 0 ? pos : buffer.Put(pos, b.SnmpRecords.data(), n);
}
