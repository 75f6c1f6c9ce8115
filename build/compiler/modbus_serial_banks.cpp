// Serial Modbus models: master (4, 25; 18, 1018 with SNMP) and slave (5, 26;
// 16 with SNMP). Family tables to come: the serial and Modbus fields, the
// access records and the SNMP trap rows.
#include "build_context.h"
#include "builders.h"
#include "pending_family.h"
#include "snmp_trap_tables.h"

void Build_Modbus_Master(BuildContext& ctx)
{
    const GenBlock block = Pending_Gen_Block(ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    int pos = 0;
    if (ctx.deviceType == 18 || ctx.deviceType == 1018)
        pos = image.Fill(pos, SnmpTrapTables::ImageSize);   // trap tables first
    pos = Write_Gen_Block(block, pos, image);
    image.SetLength(pos);   // access records to come
}

void Build_Modbus_Slave(BuildContext& ctx)
{
    const GenBlock block = Pending_Gen_Block(ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    int pos = Write_Gen_Block(block, 0, image);
    if (ctx.deviceType == 16)
        pos = image.Fill(pos, SnmpTrapTables::ImageSize);
    image.SetLength(pos);
}
