// Modbus TCP master (11; 19 with SNMP). Family tables to come: the Modbus TCP
// and SNMP fields, the 960 access records (zero here) and the SNMP trap rows.
#include "build_context.h"
#include "builders.h"
#include "pending_family.h"
#include "snmp_trap_tables.h"

void Build_ModbusTCP_Master(BuildContext& ctx)
{
    constexpr int RecordImageSize = 30720;
    const GenBlock block = Pending_Gen_Block(ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    BankBuffer& table = ctx.banks.BankImage2;
    if (ctx.deviceType == 19) {
        int pos = image.Fill(0, SnmpTrapTables::ImageSize);
        pos = Write_Gen_Block(block, pos, image);
        image.SetLength(image.Fill(pos, RecordImageSize));   // 57344
        table.SetLength(0);
    } else {
        image.SetLength(Write_Gen_Block(block, 0, image));
        table.SetLength(table.Fill(0, RecordImageSize));
    }
}
