// The M-Bus models (10, 21): the header block, the parameter block, the
// node table (twice: for bank.bin and for bank2.bin) and the SNMP records.
#include "bank_buffers.h"
#include "build_context.h"
#include "builders.h"
#include "gen_param.h"
#include "mbus_build.h"
#include "par_gen_reader.h"
#include "workspace.h"

#include <cstring>
#include <memory>

using device::Types;
using device::FindTypeRow;

namespace {

constexpr MBusModel kMBusModels[] = {
    // types     mode  image              output  snmp
    {Types(10), 192, mbus::Type10Image, 0, false},
    {Types(21), 224, mbus::Type21Image, 1024, true},
};

// Marks the start of a node table in bank.bin and bank2.bin.
constexpr uint8_t TableMarker = 192;
// Base positions of the two copies of the node table.
constexpr int Bank2TableBase = 1;
constexpr int BankTableBase = GenBlockSize + 1;

// bank.bin, bank1.bin, bank2.bin, bank3.bin.
enum MBusImageIndex
{
    BankImage = 0,
    Bank1Image = 1,
    Bank2Image = 2,
    Bank3Image = 3,
};

int Write_MBus_Header_Block(const MBusBuild& b, int pos, BankBuffer& buffer)
{
    return Write_Sum_Block(&b.Header, sizeof b.Header, nullptr, 0, pos, buffer);
}

int Write_MBus_Param_Block(const MBusBuild& b, int pos, BankBuffer& buffer)
{
    return Write_Sum_Block(&b.Param, sizeof b.Param, nullptr, 0, pos, buffer);
}

} // namespace

const MBusModel& Find_MBus_Model(int deviceType)
{
    const MBusModel* m = FindTypeRow(kMBusModels, deviceType);
    return m ? *m : kMBusModels[0];
}

MBusBuild::MBusBuild(int type) : deviceType(type), model(Find_MBus_Model(type))
{
    std::memset(&Header, 0, sizeof Header);
    std::memset(&Param, 0, sizeof Param);
}

void Init_MBus_Header(MBusBuild& b)
{
    MBusHeaderParam& h = b.Header;
    std::memset(&h, 0, sizeof h);
    h.BusBitRate = 125000;
    h.MBusBaud = 9600;
    h.DataBits = 8;
    const uint8_t ip[4] = {192, 168, 2, 205};
    const uint8_t mask[4] = {255, 255, 255, 0};
    std::memcpy(h.IP, ip, 4);
    std::memcpy(h.SubnetMask, mask, 4);
    std::memset(h.Gateway, 255, 4);
    h.ConfigPort = 10000;
    h.SecondPort = 10001;
    h.ThirdPort = 10001;
    h.OptionFlags = b.model.modeByte;
    h.MBusBaud2 = 2400;
    h.DataBits2 = 8;
    h.Parity2 = 2;
    h.ModeA = b.model.modeByte;
}

void Init_MBus_Param(MBusBuild& b)
{
    MBusParam& p = b.Param;
    std::memset(&p, 0, sizeof p);
    p.Rate0 = 250000;
    p.Rate4 = 250000;
    p.Baud8 = 9600;
    const uint8_t ip[4] = {192, 168, 0, 5};
    const uint8_t mask[4] = {255, 255, 255, 0};
    const uint8_t fixedIp[4] = {192, 168, 0, 10};
    std::memcpy(p.IP, ip, 4);
    std::memcpy(p.SubnetMask, mask, 4);
    std::memset(p.Gateway, 255, 4);
    std::memcpy(p.FixedIP, fixedIp, 4);
    p.ConfigPort = 10000;
    p.ModeA = b.model.modeByte;
    p.Baud60 = 9600;
    // 524..535
    const uint8_t line[12] = {0, 0, 1, 0, 0, 1, 0, 0, 8, 0, 0, 8};
    std::memcpy(p.Line524, line, sizeof line);
    p.Constant570 = 191;
    p.Constant590 = 1;
    p.Constant596 = 0x68800;
    p.Constant600 = 120000;
}

void Build_MBus(BuildContext& ctx)
{
    auto b = std::make_unique<MBusBuild>(ctx.deviceType);
    Init_MBus_Header(*b);
    Init_MBus_Param(*b);
    if (b->model.snmpAgent)
        Clear_MBus_SNMP(*b);

    // Read everything once; both copies of the table come from the same reading.
    const ParGen pg(File_ParGen);
    XmlDocument network;
    const bool hasNetwork = Load_Project_Xml(File_M_Bus, network);
    Read_MBus_Nodes(*b, hasNetwork ? network.Root() : pugi::xml_node());
    Read_MBus_ParGen(*b, pg);
    Calcola_MBus_Addrs(*b);
    if (b->model.snmpAgent)
        Read_MBus_SNMP(*b, hasNetwork ? network.Root() : pugi::xml_node());

    BankBuffers& banks = ctx.banks;

    BankBuffer& bank2 = banks.MBusImage[Bank2Image];
    bank2.Put(0, &TableMarker, 1);
    bank2.SetLength(Build_MBus_Table(*b, Bank2TableBase, bank2));

    BankBuffer& bank1 = banks.MBusImage[Bank1Image];
    bank1.SetLength(Write_MBus_Param_Block(*b, 0, bank1));

    BankBuffer& bank = banks.MBusImage[BankImage];
    Write_MBus_Header_Block(*b, 0, bank);
    bank.Put(BankTableBase - 1, &TableMarker, 1);
    bank.SetLength(Build_MBus_Table(*b, BankTableBase, bank));

    BankBuffer& bank3 = banks.MBusImage[Bank3Image];
    bank3.SetLength(b->model.snmpAgent ? Write_MBus_SNMP(*b, 0, bank3) : 0);
}
