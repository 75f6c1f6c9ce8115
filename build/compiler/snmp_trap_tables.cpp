#include "snmp_trap_tables.h"

#include "bank_buffers.h"
#include "gen_param.h"
#include "par_gen_reader.h"
#include "type_set.h"
#include "workspace.h"

#include <cstring>

namespace {

constexpr TypeSet kTablesFirst = Types(18, 19, 1018);

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
    return kTablesFirst.Has(deviceType) ? 0x62000 : 0x68800;
}

uint32_t SnmpWriteTableAddress(int deviceType)
{
    return kTablesFirst.Has(deviceType) ? 0x65000 : 0x6B800;
}

void Read_SNMP_Trap(SnmpTrapTables& tables, GenParam& param, int deviceType)
{
    (void)tables;
    param.SnmpReadCount = 0;
    param.SnmpWriteCount = 0;
    param.SnmpReadTableAddress = SnmpReadTableAddress(deviceType);
    param.SnmpWriteTableAddress = SnmpWriteTableAddress(deviceType);
    XmlDocument doc;
    if (!Load_Project_Xml(File_SNMP_Trap, doc))
        return;
    // The rows of SNMP_Trap_Read and SNMP_Trap_Write come with the SNMP trap
    // table family.
}
