// CAN models (0, 27; 15 with SNMP). Family tables to come: the frame records
// (bank2.bin) and, for type 15, the ParGen CAN fields and the SNMP trap rows.
#include "build_context.h"
#include "builders.h"
#include "pending_family.h"
#include "snmp_trap_tables.h"

void Build_CAN_Banks(BuildContext& ctx)
{
    const GenBlock block = Pending_Gen_Block(ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    int pos = Write_Gen_Block(block, 0, image);
    if (ctx.deviceType == 15)
        pos = image.Fill(pos, SnmpTrapTables::ImageSize);
    image.SetLength(pos);
    ctx.banks.BankImage2.SetLength(0);   // frame records to come
}
