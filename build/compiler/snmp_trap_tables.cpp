#include "snmp_trap_tables.h"

#include "bank_buffers.h"
#include "gen_param.h"
#include "helpers.h"
#include "int_text.h"
#include "par_gen_reader.h"
#include "table_rows.h"
#include "type_set.h"
#include "workspace.h"

#include <cstring>

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

struct ConversionRow
{
    const char* text;
    uint8_t code;
};

constexpr ConversionRow kConversions[] = {
    {"FLOAT", 1},        {"FLOAT * 10", 2},   {"FLOAT * 100", 3},  {"FLOAT / 10", 4},
    {"FLOAT / 100", 5},  {"FLOAT * 1000", 6}, {"FLOAT / 1000", 7}, {"INT * 1000", 8},
};

bool UpperIs(const TableRow& row, const char* attr, const char* value)
{
    QString t;
    return row.Text(attr, t) && t.toUpper() == QLatin1String(value);
}

// The fields read and write records share: texts, type, position, bit, size
// and conversion.
void Read_Common_Trap_Fields(const TableRow& row, const SnmpTrapModel& model, TSNMPTrap& r)
{
    QString text;
    if (row.Text("Community_Name", text))
        Store_Text(r.Community, text);
    if (UpperIs(row, "Type", "INT"))
        r.Flags |= 0x8;
    // A missing attribute leaves 0; a value that is not an integer gives 0
    // (position, bit) or 1 (size).
    if (row.Text("Position", text))
        r.Position = static_cast<uint16_t>(StrToIntDef(text, 0));
    if (row.Text("Bit", text))
        r.Bit = static_cast<uint16_t>(StrToIntDef(text, 0));
    uint16_t size = 0;
    if (row.Text("NumBits", text))
        size = static_cast<uint16_t>(StrToIntDef(text, 1));
    r.NumBits = (r.Flags & 0x8) ? size : static_cast<uint16_t>(size * 8);
    if (row.Text("Description", text))
        Store_Text(r.Description, text);
    if (model.conversion && row.Text("Conversion", text))
        r.Conversion = SNMP_Conversion_Code(text.trimmed().toUpper());
}

void Read_Trap_Row(const TableRow& row, const SnmpTrapModel& model, TSNMPTrap& r)
{
    Read_Common_Trap_Fields(row, model, r);
    if (UpperIs(row, "On_Change", "Y"))
        r.Flags |= 0x1;
    if (model.onCommand && UpperIs(row, "On_Command", "Y"))
        r.Flags |= 0x2;
    if (UpperIs(row, "On_Timer", "Y"))
        r.Flags |= 0x4;
    r.Time = static_cast<uint32_t>(row.IntOr("Time", 0));
    // An empty or missing address is 0.0.0.0, never an earlier row's.
    uint8_t ip[4] = {0, 0, 0, 0};
    Split_IP_Address(row.TextOr("IP_Address"), ip[0], ip[1], ip[2], ip[3]);
    r.IP = (uint32_t{ip[0]} << 24) | (uint32_t{ip[1]} << 16) | (uint32_t{ip[2]} << 8) | ip[3];
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
        if (!UpperIs(row, "Enable", "Y"))
            continue;
        if (count == SnmpTrapTables::Records)
            Table_Limit(File_SNMP_Trap, sectionName, SnmpTrapTables::Records);
        TSNMPTrap& r = records[count++];
        if (readRows)
            Read_Trap_Row(row, model, r);
        else
            Read_Common_Trap_Fields(row, model, r);
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

uint8_t SNMP_Conversion_Code(const QString& text)
{
    for (const ConversionRow& c : kConversions)
        if (text == QLatin1String(c.text))
            return c.code;
    return 0;
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
