// CANopen (8, 24). Family tables to come: the ParGen CANopen fields, the node
// guarding table of type 8 and the six object tables (bank2.bin, zero here).
#include "build_context.h"
#include "builders.h"
#include "pending_family.h"

void Build_CANopen_Banks(BuildContext& ctx)
{
    constexpr int NodeGuardSize = 512;
    constexpr int TablesSize = 57344;
    const GenBlock block = Pending_Gen_Block(ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    int pos = Write_Gen_Block(block, 0, image);
    if (ctx.deviceType == 8)
        pos = image.Fill(pos, NodeGuardSize);
    image.SetLength(pos);
    ctx.banks.BankImage2.SetLength(ctx.banks.BankImage2.Fill(0, TablesSize));
}
