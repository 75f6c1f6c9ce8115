// DeviceNet master (type 1). Family tables to come: the node table and the
// input and output maps, laid out here as zero bytes before the general block.
#include "build_context.h"
#include "builders.h"
#include "pending_family.h"

void Build_DNet_Master(BuildContext& ctx)
{
    constexpr int BlockOffset = 14336;   // node table, zeros, input map, output map
    const GenBlock block = Pending_Gen_Block(ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    image.Fill(0, BlockOffset);
    image.SetLength(Write_Gen_Block(block, BlockOffset, image));   // 16384
}
