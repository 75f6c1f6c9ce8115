// The DMX models (22, 29): the DMX parameter block and the 512 channel
// default levels.
#include "build_context.h"
#include "builders.h"
#include "gen_param.h"
#include "par_gen_reader.h"
#include "int_text.h"
#include "workspace.h"

#include <cstring>
#include <memory>

namespace {

// The DMX parameter record: 492 bytes, little-endian, no padding. Its first
// 124 bytes are laid out like the general record.
struct DMXParam
{
    u32le BusBitRate;          // 0
    u32le Reserved4;           // 4
    u32le Reserved8;           // 8
    u32le SerialBaud;          // 12
    u16le SerialDataBits;      // 16
    u16le SerialParity;        // 18
    u32le Reserved20[5];       // 20
    uint8_t IP[4];             // 40
    uint8_t SubnetMask[4];     // 44
    uint8_t Gateway[4];        // 48
    u16le ConfigPort;          // 52
    u16le SecondPort;          // 54
    u16le ThirdPort;           // 56
    u16le OptionFlags;         // 58
    u32le SerialBaud2;         // 60
    u16le SerialDataBits2;     // 64
    u16le SerialParity2;       // 66
    u32le Reserved68[3];       // 68
    uint8_t StationName[16];   // 80
    uint8_t Reserved96[8];     // 96
    u16le ServicePort;         // 104
    uint8_t Reserved106[10];   // 106
    u32le BytesIn;             // 116
    u32le BytesOut;            // 120
    uint8_t Reserved124[280];  // 124
    u32le Constant404;         // 404
    uint8_t Reserved408[23];   // 408
    uint8_t Constant431;       // 431
    uint8_t Reserved432[4];    // 432
    uint8_t Constant436[8];    // 436
    uint8_t Reserved444[16];   // 444
    u16le Constant460;         // 460
    u16le Reserved462[7];      // 462
    u16le ChannelsIn;          // 476: DMX channel count, direction "IN"
    u16le ChannelsOut;         // 478: direction "OUT"
    u32le TableAddress;        // 480
    u32le Reserved484[2];      // 484
};
static_assert(sizeof(DMXParam) == 492);
static_assert(offsetof(DMXParam, IP) == 40);
static_assert(offsetof(DMXParam, ConfigPort) == 52);
static_assert(offsetof(DMXParam, SerialBaud2) == 60);
static_assert(offsetof(DMXParam, StationName) == 80);
static_assert(offsetof(DMXParam, ServicePort) == 104);
static_assert(offsetof(DMXParam, BytesIn) == 116);
static_assert(offsetof(DMXParam, BytesOut) == 120);
static_assert(offsetof(DMXParam, Constant404) == 404);
static_assert(offsetof(DMXParam, Constant431) == 431);
static_assert(offsetof(DMXParam, Constant436) == 436);
static_assert(offsetof(DMXParam, Constant460) == 460);
static_assert(offsetof(DMXParam, ChannelsIn) == 476);
static_assert(offsetof(DMXParam, ChannelsOut) == 478);
static_assert(offsetof(DMXParam, TableAddress) == 480);

constexpr int DMXChannelCount = 512;

struct DMXBuild
{
    DMXParam Param;
    GenParamTail Tail;
    uint8_t Channels[DMXChannelCount];
};

void Init_DMX_Param(DMXBuild& d)
{
    std::memset(&d.Param, 0, sizeof d.Param);
    std::memset(&d.Tail, 0, sizeof d.Tail);
    DMXParam& p = d.Param;
    p.BusBitRate = 125000;
    p.SerialBaud = 9600;
    p.SerialDataBits = 8;
    const uint8_t ip[4] = {192, 168, 2, 205};
    const uint8_t mask[4] = {255, 255, 255, 0};
    std::memcpy(p.IP, ip, 4);
    std::memcpy(p.SubnetMask, mask, 4);
    std::memset(p.Gateway, 255, 4);
    p.ConfigPort = 5000;
    p.SecondPort = 10001;
    p.ThirdPort = 10001;
    p.SerialBaud2 = 9600;
    p.SerialDataBits2 = 8;
    p.Constant404 = 38400;
    p.Constant431 = 1;
    std::memset(p.Constant436, 8, sizeof p.Constant436);
    p.Constant460 = 3671;
    p.TableAddress = 0x68800;
}

void Clear_DMX_Channels(DMXBuild& d)
{
    std::memset(d.Channels, 0, sizeof d.Channels);
}

void Read_DMX_ParGen(DMXParam& p)
{
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Interface(pg, "PROFINET_", p.IP, p.SubnetMask, p.Gateway);
    Store_Text(p.StationName, pg.TextOr("PROFINET_NAME_STA", QStringLiteral("devicename1")));
    if (pg.Int("DMX_TYPE", 1) != 0) {
        const auto n = static_cast<uint32_t>(pg.Int("PROFINET_NB_IN", 512));
        p.BytesIn = n;
        p.ChannelsOut = static_cast<uint16_t>(n);
        p.BytesOut = 1;
    } else {
        const auto n = static_cast<uint32_t>(pg.Int("PROFINET_NB_OUT", 1));
        p.BytesOut = n;
        p.ChannelsIn = static_cast<uint16_t>(n);
        p.BytesIn = 1;
    }
}

// The first 512 child nodes of the root, by position whatever their kind or
// name: the low 8 bits of Default_Value, 0 when missing or not a number.
void Read_DMX_Default_Values(uint8_t (&channels)[DMXChannelCount])
{
    XmlDocument doc;
    if (!Load_Project_Xml(File_DMX_Default_Values, doc))
        return;
    int i = 0;
    for (pugi::xml_node row : doc.Root().children()) {
        if (i >= DMXChannelCount)
            break;
        QString text;
        int32_t v = 0;
        if (!XmlAttr(row, QStringLiteral("Default_Value"), text) || !TryStrToInt(text, v))
            v = 0;
        channels[i++] = static_cast<uint8_t>(v);
    }
}

} // namespace

void Build_DMX(BuildContext& ctx)
{
    auto d = std::make_unique<DMXBuild>();
    Init_DMX_Param(*d);
    Clear_DMX_Channels(*d);
    Read_DMX_ParGen(d->Param);
    Read_DMX_Default_Values(d->Channels);
    BankBuffer& image = ctx.banks.BankImage;
    const int end = Write_Sum_Block(&d->Param, sizeof d->Param, &d->Tail, sizeof d->Tail, 0, image);
    if (ctx.deviceType == 29) {
        image.SetLength(end);
        BankBuffer& table = ctx.banks.BankImage2;
        table.SetLength(table.Put(0, d->Channels, DMXChannelCount));
    } else {
        image.SetLength(image.Put(end, d->Channels, DMXChannelCount));
    }
}
