// The PROFINET / serial line converter (type 9): the general block alone.
#include "build_context.h"
#include "builders.h"
#include "gen_param.h"
#include "par_gen_reader.h"
#include "workspace.h"

namespace {

// SERIAL_BAUDRATE index -> bit/s; any other index gives 9600.
constexpr uint32_t kSerialBaud[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

void Read_ParGen_Serial(GenParam& p, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);   // 58 = 0, 96 = 2, 97 = 8, 98 = 0, 99 = 0
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    p.BytesFirst = static_cast<uint32_t>(pg.Int("PROFINET_NB_IN", 500));
    p.BytesSecond = static_cast<uint32_t>(pg.Int("PROFINET_NB_OUT", 500));
    p.Mode2 = pg.TextOr("SERIAL_SERIAL", QString()) == QLatin1String("0") ? 9 : 8;
    const int32_t index = pg.Int("SERIAL_BAUDRATE", 7);
    const uint32_t baud = index >= 0 && index < 8 ? kSerialBaud[index] : 9600;
    p.SerialBaud = baud;
    p.SerialBaud2 = baud;
    const auto parity = static_cast<uint16_t>(pg.Int("SERIAL_PARITY", 0));
    p.SerialParity = parity;
    p.SerialParity2 = parity;
}

} // namespace

void Build_Serial_Banks(BuildContext& ctx)
{
    GenBlock block;
    Init_Gen_Param(block);
    Read_ParGen_Serial(block.Param, ctx.deviceType);
    ctx.banks.BankImage.SetLength(Write_Gen_Block(block, 0, ctx.banks.BankImage));
}
