// J1939 (6, 14) and NMEA 2000 (7, 28). Family tables to come: the ParGen bus
// fields and the 2 x 512 parameter group records (bank2.bin, zero here).
#include "build_context.h"
#include "builders.h"
#include "pending_family.h"

namespace {

constexpr int PgnImageSize = 32768;

void Build_PGN_Banks(BuildContext& ctx)
{
    const GenBlock block = Pending_Gen_Block(ctx.deviceType);
    ctx.banks.BankImage.SetLength(Write_Gen_Block(block, 0, ctx.banks.BankImage));
    ctx.banks.BankImage2.SetLength(ctx.banks.BankImage2.Fill(0, PgnImageSize));
}

} // namespace

void Build_J1939_Banks(BuildContext& ctx)
{
    Build_PGN_Banks(ctx);
}

void Build_NMEA_Banks(BuildContext& ctx)
{
    Build_PGN_Banks(ctx);
}
