// Models whose configuration is the general block alone: DeviceNet slave (2),
// Modbus TCP slave (12, 17), EtherNet/IP (13), and PROFINET slave / SNMP (20),
// which adds the SNMP trap tables after the block.
#include "build_context.h"
#include "builders.h"
#include "gen_param.h"
#include "par_gen_reader.h"
#include "snmp_trap_tables.h"
#include "workspace.h"

#include <memory>

namespace {

void Read_ParGen_DNet_Slave(GenParam& p, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    p.NodeAddress = static_cast<uint32_t>(pg.Int("DNETS_ID_DEV", 10));
    const int32_t baud = pg.Int("DNETS_BAUDRATE", 2);
    p.BusBitRate = baud == 0 ? 125000 : baud == 1 ? 250000 : 500000;
    p.BytesFirst = static_cast<uint32_t>(pg.Int("DNETS_NB_IN", 455));
    p.BytesSecond = static_cast<uint32_t>(pg.Int("DNETS_NB_OUT", 455));
}

void Read_ParGen_ModbusTCP_Slave(GenParam& p, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    if (deviceType == 17) {
        p.BytesFirst = 1024;
        p.BytesSecond = 1024;
        p.DiagnosticAddress = 0;
        const int32_t dim = pg.Int("SNMP_AUX_INT_DIM", 0);
        p.SnmpIntWidth = dim == 1 ? 4 : dim == 2 ? 8 : 2;
    } else {
        p.BytesFirst = static_cast<uint32_t>(pg.Int("MODBUS_TCP_Slave_NB_IN", 512));
        p.BytesSecond = static_cast<uint32_t>(pg.Int("MODBUS_TCP_Slave_NB_OUT", 512));
    }
    Read_Interface(pg, "Modbus_TCP_Slave_", p.IP2, p.SubnetMask2, p.Gateway2);
    p.SecondPort = static_cast<uint16_t>(pg.Int("Modbus_TCP_Slave_Port", 502));
    if (deviceType == 12 && pg.Flag("Modbus_TCP_Slave_READ_INPUT_REG"))
        p.OptionFlags = p.OptionFlags | 0x1;
}

void Read_ParGen_EtherNetIP(GenParam& p, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    // The input count goes to 120 and the output count to 116.
    p.BytesSecond = static_cast<uint32_t>(pg.Int("PROFINET_NB_IN", 496));
    p.BytesFirst = static_cast<uint32_t>(pg.Int("PROFINET_NB_OUT", 496));
    Read_Interface(pg, "EtherNetIP_", p.IP2, p.SubnetMask2, p.Gateway2, 10, 5);
}

void Read_ParGen_PROFINET_SNMP(GenParam& p, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    Read_Interface(pg, "SNMP_", p.IP2, p.SubnetMask2, p.Gateway2, 10, 5);
    p.SnmpIntWidth = 0;
    Store_Text(p.SnmpSystemName, pg.TextOr("SNMP_Name_of_Station", QStringLiteral("snmpname1")));
    Read_Snmp_Agent(pg, p);
    // Stored after every element, whatever the PROFINET sizes say.
    p.BytesFirst = 1024;
    p.BytesSecond = 1024;
}

void Build_Single_Block(BuildContext& ctx, void (*read)(GenParam&, int))
{
    GenBlock block;
    Init_Gen_Param(block);
    read(block.Param, ctx.deviceType);
    ctx.banks.BankImage.SetLength(Write_Gen_Block(block, 0, ctx.banks.BankImage));
}

} // namespace

void Build_DNet_Slave(BuildContext& ctx)
{
    Build_Single_Block(ctx, Read_ParGen_DNet_Slave);
}

void Build_ModbusTCP_Slave(BuildContext& ctx)
{
    Build_Single_Block(ctx, Read_ParGen_ModbusTCP_Slave);
}

void Build_EtherNetIP(BuildContext& ctx)
{
    Build_Single_Block(ctx, Read_ParGen_EtherNetIP);
}

void Build_PROFINET_SNMP(BuildContext& ctx)
{
    GenBlock block;
    Init_Gen_Param(block);
    auto tables = std::make_unique<SnmpTrapTables>();
    Init_SNMP_Tables(*tables);
    Read_ParGen_PROFINET_SNMP(block.Param, ctx.deviceType);
    Read_SNMP_Trap(*tables, block.Param, ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    const int pos = Write_Gen_Block(block, 0, image);
    image.SetLength(Write_SNMP_Tables(*tables, pos, image));
}
