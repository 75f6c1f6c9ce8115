// Modbus TCP master models: 11, and 19 with SNMP. One 32-byte record per row
// of ModbusTCPM_SetAccess.xml, always 960 records (30720 bytes). Type 11
// keeps them in the table image; type 19 puts the trap tables, the general
// block and the records one after the other in the main image.
#include "build_context.h"
#include "builders.h"
#include "compile_error.h"
#include "gen_param.h"
#include "helpers.h"
#include "modbus_access_rows.h"
#include "int_text.h"
#include "par_gen_reader.h"
#include "row_text.h"
#include "snmp_map_type.h"
#include "snmp_trap_tables.h"
#include "table_rows.h"
#include "app/common/type_set.h"
#include "workspace.h"

#include <memory>

using device::TypeSet;
using device::Types;
using device::FindTypeRow;

namespace {

// One Modbus TCP access record of the image: 32 bytes, little-endian.
struct TModbusTCP_Access
{
    u16le Position;
    u16le Bit;
    u32le PollTime;
    uint8_t SlaveId;
    uint8_t FunctionCode;
    u16le Address;
    u16le NPoint;
    u16le Port;
    u32le IP;               // a.b.c.d as a*2^24 + b*2^16 + c*2^8 + d
    u32le Reserved20;
    u32le MaxError;
    uint8_t SnmpFormat;     // type 19 with map type 0
    uint8_t Reserved29;
    uint8_t ByteCount;
    uint8_t Flags;          // 1 on change, 4 swap bytes, 8 swap words
};
static_assert(sizeof(TModbusTCP_Access) == 32);
static_assert(offsetof(TModbusTCP_Access, SlaveId) == 8);
static_assert(offsetof(TModbusTCP_Access, Address) == 10);
static_assert(offsetof(TModbusTCP_Access, Port) == 14);
static_assert(offsetof(TModbusTCP_Access, IP) == 16);
static_assert(offsetof(TModbusTCP_Access, MaxError) == 24);
static_assert(offsetof(TModbusTCP_Access, SnmpFormat) == 28);
static_assert(offsetof(TModbusTCP_Access, ByteCount) == 30);
static_assert(offsetof(TModbusTCP_Access, Flags) == 31);

struct ModbusTCPTable
{
    static constexpr int Records = 960;
    static constexpr int ImageSize = Records * static_cast<int>(sizeof(TModbusTCP_Access));   // 30720

    TModbusTCP_Access Record[Records];
};

// The Modbus TCP master models. The SNMP one keeps the station name at 440,
// reads the SNMP agent settings, follows the SNMP map type and has fixed
// byte counts.
struct ModbusTCPModel
{
    TypeSet types;
    bool snmp;
};

constexpr ModbusTCPModel kModels[] = {
    {Types(11), false},
    {Types(19), true},
};

const ModbusTCPModel& ModelOf(int deviceType)
{
    const ModbusTCPModel* m = FindTypeRow(kModels, deviceType);
    if (!m)
        throw CompileError(QStringLiteral("Device type %1 is not a Modbus TCP master model.").arg(deviceType));
    return *m;
}

void Read_ParGen_ModbusTCP_Master(const ParGen& pg, GenParam& p, int deviceType, const ModbusTCPModel& model)
{
    Apply_Gen_Presets(p, deviceType);   // 52, 58, 76, 96..99, 196
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    p.MasterTimeout = static_cast<uint32_t>(pg.Int("Modbus_TCP_Master_TimeOut", 1000));
    p.MasterDelay = static_cast<uint32_t>(pg.Int("Modbus_TCP_Master_Cyclic", 100));
    Read_Interface(pg, "Modbus_TCP_Master_", p.IP2, p.SubnetMask2, p.Gateway2);
    if (model.snmp) {
        p.BytesFirst = 1024;
        p.BytesSecond = 1024;
        p.DiagnosticAddress = 0;
        p.SnmpIntWidth = 0;
        Read_Snmp_Agent(pg, p);
    } else {
        p.BytesFirst = static_cast<uint32_t>(pg.Int("MODBUS_TCP_MASTER_NB_IN", 512));
        p.BytesSecond = static_cast<uint32_t>(pg.Int("MODBUS_TCP_MASTER_NB_OUT", 512));
        p.DiagnosticAddress = Switched_Address(pg, "PROFINET_ENABLE_DIAGNOSTIC", "PROFINET_DIAGNOSTIC_ADDRESS");
    }
}

// The slave's address: four parts cut at the first three dots, each trimmed
// and an integer; every octet keeps its low 8 bits.
uint32_t Read_Slave_Address(const TableRow& row)
{
    const char* raw = row.RequiredRaw("IP_Address");
    uint8_t plain[4];
    if (Plain_IPv4(raw, plain))
        return (uint32_t{plain[0]} << 24) | (uint32_t{plain[1]} << 16) | (uint32_t{plain[2]} << 8) | plain[3];
    const QString text = QString::fromUtf8(raw);
    uint32_t value = 0;
    int from = 0;
    for (int i = 0; i < 4; ++i) {
        const int dot = i < 3 ? static_cast<int>(text.indexOf(QLatin1Char('.'), from)) : static_cast<int>(text.size());
        int32_t octet = 0;
        if (dot < 0 || !TryStrToInt(text.mid(from, dot - from).trimmed(), octet))
            row.Fail(QStringLiteral("the attribute \"IP_Address\" is not an IPv4 address: \"%1\".").arg(text));
        value = (value << 8) | static_cast<uint8_t>(octet);
        from = dot + 1;
    }
    return value;
}

// Function codes by the upper-cased Type: read rows COIL STATUS 1, INPUT
// STATUS 2, HOLDING REGISTER 3, INPUT REGISTER 4; write rows COIL STATUS 5 or
// 15, HOLDING REGISTER 6 or 16, by NPoint == 1; any other text 0.
constexpr const char* kTypes[] = {"COIL STATUS", "INPUT STATUS", "HOLDING REGISTER", "INPUT REGISTER"};

uint8_t Function_Code(const char* type, bool writeRow, uint16_t npoint)
{
    const int kind = UpperMatch(type, false, kTypes);
    if (!writeRow)
        return kind < 0 ? 0 : static_cast<uint8_t>(kind + 1);
    if (kind == 0)
        return npoint == 1 ? 5 : 15;
    if (kind == 2)
        return npoint == 1 ? 6 : 16;
    return 0;
}

// One row, attributes in the order the editor writes them.
TModbusTCP_Access Read_TCP_Row(const TableRow& row, bool writeRow, bool withFormat)
{
    TModbusTCP_Access r{};
    r.IP = Read_Slave_Address(row);
    r.Port = static_cast<uint16_t>(row.IntOr("Port", 502));
    r.SlaveId = static_cast<uint8_t>(row.RequiredInt("Slave_ID"));
    const char* type = row.RequiredRaw("Type");
    r.Address = static_cast<uint16_t>(row.RequiredInt("Address"));
    r.NPoint = static_cast<uint16_t>(row.RequiredInt("NPoint"));
    const uint16_t npoint = r.NPoint;
    r.FunctionCode = Function_Code(type, writeRow, npoint);
    r.ByteCount = static_cast<uint8_t>(IsBitFunction(r.FunctionCode) ? (npoint + 7) / 8 : 2 * (npoint & 0xFF));
    r.PollTime = static_cast<uint32_t>(row.RequiredInt64("PollTime"));
    if (writeRow && UpperIs(row.RequiredRaw("OnChange"), "Y"))
        r.Flags = 0x1;
    r.MaxError = static_cast<uint32_t>(row.RequiredInt64("MaxError"));
    r.Position = static_cast<uint16_t>(row.RequiredInt("Position"));
    // The editor asks a Start Bit of bit rows only: a register row's empty
    // Bit is 0.
    const char* bit = row.Raw("Bit");
    const bool noBit = bit && QString::fromUtf8(bit).trimmed().isEmpty();
    r.Bit = noBit && !IsBitFunction(r.FunctionCode) ? 0 : static_cast<uint16_t>(row.RequiredInt("Bit"));
    Read_Swap_And_Format(row, r, withFormat);
    return r;
}

// The rows of Modbus_Read and then Modbus_Write into records from 0; stores
// the count at 72. More rows than the table holds end the build.
void Read_ModbusTCP_Access(ModbusTCPTable& table, GenParam& p, bool withFormat)
{
    const int n = Read_Access_File(File_ModbusTCPM_SetAccess, ModbusTCPTable::Records,
                                   [&](const TableRow& row, bool writeRow, int k) {
                                       table.Record[k] = Read_TCP_Row(row, writeRow, withFormat);
                                   });
    p.AccessRecordCount = static_cast<uint32_t>(n);
}

int Write_ModbusTCP_Table(const ModbusTCPTable& table, int pos, BankBuffer& buffer)
{
    static_assert(sizeof(ModbusTCPTable) == ModbusTCPTable::ImageSize);
    return buffer.Put(pos, table.Record, ModbusTCPTable::ImageSize);
}

} // namespace

void Build_ModbusTCP_Master(BuildContext& ctx)
{
    const ModbusTCPModel& model = ModelOf(ctx.deviceType);
    GenBlock block;
    Init_Gen_Param(block);
    auto table = std::make_unique<ModbusTCPTable>();   // all records zero
    auto traps = std::make_unique<SnmpTrapTables>();
    Init_SNMP_Tables(*traps);

    const ParGen pg(File_ParGen);
    Read_ParGen_ModbusTCP_Master(pg, block.Param, ctx.deviceType, model);
    const int mapType = model.snmp ? SNMP_Map_Type(ctx.deviceType, pg) : 0;
    Read_ModbusTCP_Access(*table, block.Param, model.snmp && mapType == 0);
    if (model.snmp && mapType == 1)
        Read_SNMP_Trap(*traps, block.Param, ctx.deviceType);   // else empty tables, counts 0

    BankBuffer& image = ctx.banks.BankImage;
    BankBuffer& tableImage = ctx.banks.BankImage2;
    if (model.snmp) {
        int pos = Write_SNMP_Tables(*traps, 0, image);
        pos = Write_Gen_Block(block, pos, image);
        image.SetLength(Write_ModbusTCP_Table(*table, pos, image));   // 57344
        tableImage.SetLength(0);
    } else {
        image.SetLength(Write_Gen_Block(block, 0, image));
        tableImage.SetLength(Write_ModbusTCP_Table(*table, 0, tableImage));
    }
}
