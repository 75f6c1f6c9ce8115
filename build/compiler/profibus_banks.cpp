// The PROFIBUS slave models: type 3 with a parameter block of its own, type
// 23 with the general block.
#include "build_context.h"
#include "builders.h"
#include "gen_param.h"
#include "par_gen_reader.h"
#include "workspace.h"

#include <cstring>

namespace {

// The PROFIBUS parameter record of type 3: 376 bytes, little-endian, no padding.
struct ProfibusParam
{
    u32le BitRate;            // 0
    u32le BitRate2;           // 4
    u32le SerialBaud;         // 8
    u32le Reserved12[7];      // 12
    uint8_t IP[4];            // 40
    uint8_t SubnetMask[4];    // 44
    uint8_t Gateway[4];       // 48
    u16le ConfigPort;         // 52
    u16le SecondPort;         // 54
    u16le ThirdPort;          // 56
    uint8_t SlaveAddress;     // 58
    uint8_t Mode;             // 59
    u32le SerialBaud2;        // 60
    u32le Constant64;         // 64
    u32le Reserved68;         // 68
    uint8_t Reserved72[4];    // 72
    u16le Reserved76;         // 76
    uint8_t Reserved78;       // 78
    uint8_t Reserved79;       // 79
    u32le Options;            // 80: 0x20 always, 0x40 reset data
    uint8_t Reserved84[256];  // 84
    u32le Reserved340;        // 340
    uint8_t StationName[16];  // 344
    u32le Reserved360;        // 360
    u32le Reserved364;        // 364
    u32le BytesIn;            // 368
    u32le BytesOut;           // 372
};
static_assert(sizeof(ProfibusParam) == 376);
static_assert(offsetof(ProfibusParam, IP) == 40);
static_assert(offsetof(ProfibusParam, ConfigPort) == 52);
static_assert(offsetof(ProfibusParam, SlaveAddress) == 58);
static_assert(offsetof(ProfibusParam, Mode) == 59);
static_assert(offsetof(ProfibusParam, SerialBaud2) == 60);
static_assert(offsetof(ProfibusParam, Constant64) == 64);
static_assert(offsetof(ProfibusParam, Reserved72) == 72);
static_assert(offsetof(ProfibusParam, Options) == 80);
static_assert(offsetof(ProfibusParam, Reserved340) == 340);
static_assert(offsetof(ProfibusParam, StationName) == 344);
static_assert(offsetof(ProfibusParam, BytesIn) == 368);
static_assert(offsetof(ProfibusParam, BytesOut) == 372);

// The three tables after the record, zeroed and filled by nothing; in the
// block they end at the byte sum.
struct ProfibusTables
{
    uint8_t First[32];      // 732
    uint8_t Second[256];    // 764
    u32le Third[256];       // 1020
};
static_assert(sizeof(ProfibusTables) == 1312);

struct ProfibusBlock
{
    ProfibusParam Param;
    ProfibusTables Tables;
};

void Init_Profibus_Param(ProfibusBlock& b)
{
    std::memset(&b, 0, sizeof b);
    ProfibusParam& p = b.Param;
    p.BitRate = 125000;
    p.BitRate2 = 125000;
    p.SerialBaud = 9600;
    p.ConfigPort = 10000;
    p.SecondPort = 10001;
    p.ThirdPort = 10001;
    p.Mode = 192;
    p.SerialBaud2 = 9600;
    p.Constant64 = 2;
    p.Options = 0x20;
}

void Read_ParGen_Profibus(ProfibusParam& p)
{
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Interface(pg, "PROFINET_", p.IP, p.SubnetMask, p.Gateway);
    Store_Text(p.StationName, pg.TextOr("PROFINET_NAME_STA", QStringLiteral("devicename1")));
    p.SlaveAddress = static_cast<uint8_t>(pg.Int("PROFIBUS_SLAVE_ID_DEV", 0));
    p.BytesIn = static_cast<uint32_t>(pg.Int("PROFIBUS_SLAVE_NB_IN", 0));
    p.BytesOut = static_cast<uint32_t>(pg.Int("PROFIBUS_SLAVE_NB_OUT", 0));
    if (pg.Flag("PROFIBUS_SLAVE_RESET_DATA"))
        p.Options = p.Options | 0x40;
}

void Read_ParGen_Profibus_SNMP(GenParam& p, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);   // 52 = 10000
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    p.ProfibusAddress = static_cast<uint8_t>(pg.Int("PROFIBUS_SLAVE_ID_DEV", 10));
    // The input count goes to 120 and the output count to 116.
    p.BytesSecond = static_cast<uint32_t>(pg.Int("PROFIBUS_SLAVE_NB_IN", 244));
    p.BytesFirst = static_cast<uint32_t>(pg.Int("PROFIBUS_SLAVE_NB_OUT", 244));
}

} // namespace

void Build_Profibus(BuildContext& ctx)
{
    ProfibusBlock block;
    Init_Profibus_Param(block);
    Read_ParGen_Profibus(block.Param);
    Write_Sum_Block(&block.Param, sizeof block.Param, &block.Tables, sizeof block.Tables, 0,
                    ctx.banks.ProfibusImage);
}

void Build_Profibus_SNMP(BuildContext& ctx)
{
    GenBlock block;
    Init_Gen_Param(block);
    Read_ParGen_Profibus_SNMP(block.Param, ctx.deviceType);
    ctx.banks.BankImage.SetLength(Write_Gen_Block(block, 0, ctx.banks.BankImage));
}
