#include "snmp_trap_tables.h"

#include "bank_buffers.h"
#include "gen_param.h"
#include "helpers.h"
#include "int_text.h"
#include "par_gen_reader.h"
#include "row_text.h"
#include "table_rows.h"
#include "app/common/type_set.h"
#include "workspace.h"

#include <cstring>

using device::TypeSet;
using device::Types;
using device::FindTypeRow;

namespace {

// How the SNMP models use their trap tables.
struct SnmpTrapModel
{
    TypeSet types;
    bool tablesFirst;   // the tables come before the general block
    bool conversion;    // records carry the conversion code
    bool onCommand;     // read records can be sent on command
};

constexpr SnmpTrapModel kTrapModels[] = {
    {Types(15, 16), false, false, true},
    {Types(18, 19, 1018), true, true, true},
    {Types(20), false, false, false},
};

constexpr SnmpTrapModel kNoTrapModel = {Types(-1), false, false, true};

const SnmpTrapModel& TrapModel(int deviceType)
{
    const SnmpTrapModel* m = FindTypeRow(kTrapModels, deviceType);
    return m ? *m : kNoTrapModel;
}

// Conversion texts; the code of a text is its index + 1, 0 for any other text.
constexpr const char* kConversions[] = {
    "FLOAT", "FLOAT * 10", "FLOAT * 100", "FLOAT / 10", "FLOAT / 100", "FLOAT * 1000", "FLOAT / 1000", "INT * 1000",
};

int32_t IntOr(const char* raw, int32_t def)
{
    int32_t v;
    return TryUtf8ToInt(raw, v) ? v : def;
}

// One enabled row into its record, attributes in the order the editor writes
// them. Write rows have no send options, time or address. Each value is read
// on its own: a missing attribute leaves its field 0; a value that is not an
// integer gives 0 (position, bit, time) or 1 (size).
void Read_Trap_Row(const TableRow& row, bool readRow, const SnmpTrapModel& model, TSNMPTrap& r)
{
    Store_Utf8_Text(r.Community, row.Raw("Community_Name"));
    if (UpperIs(row.Raw("Type"), "INT"))
        r.Flags |= 0x8;
    if (readRow) {
        if (UpperIs(row.Raw("On_Change"), "Y"))
            r.Flags |= 0x1;
        if (model.onCommand && UpperIs(row.Raw("On_Command"), "Y"))
            r.Flags |= 0x2;
        if (UpperIs(row.Raw("On_Timer"), "Y"))
            r.Flags |= 0x4;
        if (const char* time = row.Raw("Time"))
            r.Time = static_cast<uint32_t>(IntOr(time, 0));
    }
    if (const char* position = row.Raw("Position"))
        r.Position = static_cast<uint16_t>(IntOr(position, 0));
    if (const char* bit = row.Raw("Bit"))
        r.Bit = static_cast<uint16_t>(IntOr(bit, 0));
    uint16_t size = 0;
    if (const char* numBits = row.Raw("NumBits"))
        size = static_cast<uint16_t>(IntOr(numBits, 1));
    r.NumBits = (r.Flags & 0x8) ? size : static_cast<uint16_t>(size * 8);
    Store_Utf8_Text(r.Description, row.Raw("Description"));
    if (readRow) {
        // An empty or missing address is 0.0.0.0, never an earlier row's.
        uint8_t ip[4] = {0, 0, 0, 0};
        const char* address = row.Raw("IP_Address");
        if (address && !Plain_IPv4(address, ip))
            Split_IP_Address(QString::fromUtf8(address), ip[0], ip[1], ip[2], ip[3]);
        r.IP = (uint32_t{ip[0]} << 24) | (uint32_t{ip[1]} << 16) | (uint32_t{ip[2]} << 8) | ip[3];
    }
    if (model.conversion)
        r.Conversion = SNMP_Conversion_Code(row.Raw("Conversion"));
}

// The enabled rows of one section into records from 0; returns their count.
uint32_t Read_Trap_Section(pugi::xml_node root, const char* name, bool readRows, const SnmpTrapModel& model,
                           TSNMPTrap (&records)[SnmpTrapTables::Records])
{
    const pugi::xml_node section = Required_Section(File_SNMP_Trap, root, name);
    const QString sectionName = QLatin1String(name);
    int count = 0;
    int index = 0;
    for (pugi::xml_node node : section.children()) {
        const TableRow row(File_SNMP_Trap, sectionName, index++, node);
        if (!UpperIs(row.Raw("Enable"), "Y"))
            continue;
        if (count == SnmpTrapTables::Records)
            Table_Limit(File_SNMP_Trap, sectionName, SnmpTrapTables::Records);
        Read_Trap_Row(row, readRows, model, records[count++]);
    }
    return static_cast<uint32_t>(count);
}

} // namespace

void Init_SNMP_Tables(SnmpTrapTables& tables)
{
    std::memset(&tables, 0, sizeof tables);
}

int Write_SNMP_Tables(const SnmpTrapTables& tables, int pos, BankBuffer& buffer)
{
    static_assert(sizeof(SnmpTrapTables) == SnmpTrapTables::ImageSize);
    pos = buffer.Put(pos, tables.Read, sizeof tables.Read);
    return buffer.Put(pos, tables.Write, sizeof tables.Write);
}

uint32_t SnmpReadTableAddress(int deviceType)
{
    return TrapModel(deviceType).tablesFirst ? 0x62000 : 0x68800;
}

uint32_t SnmpWriteTableAddress(int deviceType)
{
    return TrapModel(deviceType).tablesFirst ? 0x65000 : 0x6B800;
}

uint8_t SNMP_Conversion_Code(const char* raw)
{
    return static_cast<uint8_t>(UpperMatch(raw, true, kConversions) + 1);
}

void Read_SNMP_Trap(SnmpTrapTables& tables, GenParam& param, int deviceType)
{
    param.SnmpReadCount = 0;
    param.SnmpWriteCount = 0;
    param.SnmpReadTableAddress = SnmpReadTableAddress(deviceType);
    param.SnmpWriteTableAddress = SnmpWriteTableAddress(deviceType);
    XmlDocument doc;
    if (!Load_Project_Xml(File_SNMP_Trap, doc))
        return;
    const SnmpTrapModel& model = TrapModel(deviceType);
    const pugi::xml_node root = doc.Root();
    param.SnmpReadCount = Read_Trap_Section(root, "SNMP_Trap_Read", true, model, tables.Read);
    param.SnmpWriteCount = Read_Trap_Section(root, "SNMP_Trap_Write", false, model, tables.Write);
}
