// Serial Modbus models: master (4, 25; 18, 1018 with SNMP) and slave (5, 26;
// 16 with SNMP). The master appends one 32-byte access record per row of
// ModbusM_SetAccess.xml to the general block.
#include "build_context.h"
#include "builders.h"
#include "compile_error.h"
#include "gen_param.h"
#include "helpers.h"
#include "modbus_access_rows.h"
#include "par_gen_reader.h"
#include "row_text.h"
#include "snmp_map_type.h"
#include "snmp_trap_tables.h"
#include "table_rows.h"
#include "app/common/type_set.h"
#include "workspace.h"

#include <memory>
#include <vector>

using device::TypeSet;
using device::Types;
using device::FindTypeRow;

namespace {

// One access record of the image: 32 bytes, little-endian, no padding.
struct TModbusAccess
{
    u16le Position;
    u16le Bit;              // bit rows only
    u32le PollTime;
    uint8_t SlaveId;
    uint8_t FunctionCode;
    u16le Address;
    u16le NPoint;
    uint8_t Reserved14[10];
    u32le MaxError;
    uint8_t SnmpFormat;     // type 18 with map type 0
    uint8_t Reserved29;
    uint8_t ByteCount;
    uint8_t Flags;          // 1 on change, 4 swap bytes, 8 swap words
};
static_assert(sizeof(TModbusAccess) == 32);
static_assert(offsetof(TModbusAccess, PollTime) == 4);
static_assert(offsetof(TModbusAccess, SlaveId) == 8);
static_assert(offsetof(TModbusAccess, Address) == 10);
static_assert(offsetof(TModbusAccess, NPoint) == 12);
static_assert(offsetof(TModbusAccess, MaxError) == 24);
static_assert(offsetof(TModbusAccess, SnmpFormat) == 28);
static_assert(offsetof(TModbusAccess, ByteCount) == 30);
static_assert(offsetof(TModbusAccess, Flags) == 31);

constexpr int ModbusAccessRecords = 1024;

// The serial Modbus models. The SNMP ones keep the station name at 440,
// read the SNMP agent settings and follow the SNMP map type; their byte
// counts are fixed.
struct SerialModbusModel
{
    TypeSet types;
    bool snmp;
    uint32_t snmpIntWidth;   // 356, SNMP models
};

constexpr SerialModbusModel kMasterModels[] = {
    {Types(4, 25), false, 0},
    {Types(18, 1018), true, 2},
};

constexpr SerialModbusModel kSlaveModels[] = {
    {Types(5, 26), false, 0},
    {Types(16), true, 0},
};

template <int N>
const SerialModbusModel& ModelOf(const SerialModbusModel (&models)[N], int deviceType)
{
    const SerialModbusModel* m = FindTypeRow(models, deviceType);
    if (!m)
        throw CompileError(QStringLiteral("Device type %1 is not a serial Modbus model.").arg(deviceType));
    return *m;
}

// Baud rate index -> bit/s; any other index gives 9600.
constexpr uint32_t kMasterBaud[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 500000, 625000};
constexpr uint32_t kSlaveBaud[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

template <int N>
uint32_t BaudOf(const uint32_t (&table)[N], int32_t index)
{
    return index >= 0 && index < N ? table[index] : 9600;
}

void Set_Serial_Line(GenParam& p, uint32_t baud, uint16_t parity)
{
    p.SerialBaud = baud;
    p.SerialBaud2 = baud;
    p.SerialParity = parity;
    p.SerialParity2 = parity;
}

void Read_ParGen_Modbus_Master(const ParGen& pg, GenParam& p, int deviceType, const SerialModbusModel& model)
{
    Apply_Gen_Presets(p, deviceType);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    if (model.snmp)
        Read_Snmp_Agent(pg, p);
    p.Mode2 = pg.TextOr("MODBUS_MASTER_SERIAL", QString()) == QLatin1String("0") ? 1 : 0;
    Set_Serial_Line(p, BaudOf(kMasterBaud, pg.Int("MODBUS_MASTER_BAUDRATE", 7)),
                    static_cast<uint16_t>(pg.Int("MODBUS_MASTER_PARITY", 0)));
    if (!model.snmp) {
        const int32_t stop = pg.Int("MODBUS_MASTER_STOPBITS", 0);
        p.SerialStopBits = static_cast<uint32_t>(stop == 1 ? 2 : stop);
        p.SerialStopBits2 = p.SerialStopBits;
    }
    p.MasterTimeout = static_cast<uint32_t>(pg.Int("MODBUS_MASTER_TIMEOUT", 1000));
    p.MasterDelay = static_cast<uint32_t>(pg.Int("MODBUS_MASTER_CYCLICDELAY", 100));
    if (model.snmp) {
        p.BytesFirst = 1024;
        p.BytesSecond = 1024;
        p.DiagnosticAddress = 0;
        p.SnmpIntWidth = model.snmpIntWidth;
    } else {
        p.BytesFirst = static_cast<uint32_t>(pg.Int("MODBUS_MASTER_NB_IN", 512));
        p.BytesSecond = static_cast<uint32_t>(pg.Int("MODBUS_MASTER_NB_OUT", 512));
        if (pg.Flag("MODBUS_MASTER_ENABLE_POLL"))
            p.OptionFlags = p.OptionFlags | 0x8;
        p.DiagnosticAddress = Switched_Address(pg, "PROFINET_ENABLE_DIAGNOSTIC", "PROFINET_DIAGNOSTIC_ADDRESS");
        p.CommandAddress = Switched_Address(pg, "PROFINET_ENABLE_MODBUS_POLLS", "PROFINET_MODBUS_POLLS_ADDRESS");
    }
}

void Read_ParGen_Modbus_Slave(const ParGen& pg, GenParam& p, int deviceType, const SerialModbusModel& model)
{
    Apply_Gen_Presets(p, deviceType);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    if (model.snmp)
        Read_Snmp_Agent(pg, p);
    p.Mode2 = pg.TextOr("MODBUS_SLAVE_SERIAL", QString()) == QLatin1String("0") ? 65 : 64;
    Set_Serial_Line(p, BaudOf(kSlaveBaud, pg.Int("MODBUS_SLAVE_BAUDRATE", 7)),
                    static_cast<uint16_t>(pg.Int("MODBUS_SLAVE_PARITY", 0)));
    p.ModbusSlaveAddress = static_cast<uint32_t>(pg.Int("MODBUS_SLAVE_IDDEVICE", 1));
    if (model.snmp) {
        if (pg.Flag("MODBUS_SLAVE_SWAPBYTES"))
            p.Mode2 = p.Mode2 | 0x8;
        p.BytesFirst = 1024;
        p.BytesSecond = 1024;
        p.DiagnosticAddress = 0;
        p.SnmpIntWidth = model.snmpIntWidth;
    } else {
        if (pg.Flag("MODBUS_SLAVE_READ_INPUT_REG"))
            p.OptionFlags = p.OptionFlags | 0x1;
        p.BytesFirst = static_cast<uint32_t>(pg.Int("MODBUS_SLAVE_NB_IN", 512));
        p.BytesSecond = static_cast<uint32_t>(pg.Int("MODBUS_SLAVE_NB_OUT", 512));
    }
}

// Function codes by the trimmed, upper-cased Type of a row: read rows
// COIL STATUS 1, INPUT STATUS 2, HOLDING REGISTER 3, anything else 4; write
// rows COIL STATUS 5 or 15, anything else 6 or 16, by NPoint == 1.
constexpr const char* kTypes[] = {"COIL STATUS", "INPUT STATUS", "HOLDING REGISTER"};

uint8_t Function_Code(const char* type, bool writeRow, uint16_t npoint)
{
    const int kind = UpperMatch(type, true, kTypes);
    if (writeRow)
        return kind == 0 ? (npoint == 1 ? 5 : 15) : (npoint == 1 ? 6 : 16);
    return kind < 0 ? 4 : static_cast<uint8_t>(kind + 1);
}

// One row, attributes in the order the editor writes them.
TModbusAccess Read_Access_Row(const TableRow& row, bool writeRow, bool withFormat)
{
    TModbusAccess r{};
    r.SlaveId = static_cast<uint8_t>(row.RequiredInt("Slave_ID"));
    const char* type = row.RequiredRaw("Type");
    r.Address = static_cast<uint16_t>(row.RequiredInt("Address"));
    r.NPoint = static_cast<uint16_t>(row.RequiredInt("NPoint"));
    r.PollTime = static_cast<uint32_t>(row.RequiredInt("PollTime"));
    if (writeRow && TrimmedUpperIs(row.RequiredRaw("OnChange"), "Y"))
        r.Flags = 0x1;
    r.MaxError = static_cast<uint32_t>(row.RequiredInt("MaxError"));
    r.Position = static_cast<uint16_t>(row.RequiredInt("Position"));
    const uint16_t npoint = r.NPoint;
    r.FunctionCode = Function_Code(type, writeRow, npoint);
    if (IsBitFunction(r.FunctionCode)) {
        r.Bit = static_cast<uint16_t>(row.RequiredInt("Bit"));
        r.ByteCount = static_cast<uint8_t>((npoint + 7) / 8);
    } else {
        r.ByteCount = static_cast<uint8_t>(2 * npoint);
    }
    Read_Swap_And_Format(row, r, withFormat);
    return r;
}

// The rows of Modbus_Read and then Modbus_Write, one record each; stores the
// count at 72. More rows than the table holds end the build.
void Read_Modbus_Access(std::vector<TModbusAccess>& table, GenParam& p, bool withFormat)
{
    table.clear();
    const int n = Read_Access_File(File_ModbusM_SetAccess, ModbusAccessRecords,
                                   [&](const TableRow& row, bool writeRow, int) {
                                       table.push_back(Read_Access_Row(row, writeRow, withFormat));
                                   });
    p.AccessRecordCount = static_cast<uint32_t>(n);
}

int Write_Modbus_Access(const std::vector<TModbusAccess>& table, int pos, BankBuffer& buffer)
{
    return buffer.Put(pos, table.data(), static_cast<int>(table.size() * sizeof(TModbusAccess)));
}

} // namespace

void Build_Modbus_Master(BuildContext& ctx)
{
    const SerialModbusModel& model = ModelOf(kMasterModels, ctx.deviceType);
    GenBlock block;
    Init_Gen_Param(block);
    std::vector<TModbusAccess> table;
    table.reserve(ModbusAccessRecords);
    auto traps = std::make_unique<SnmpTrapTables>();
    Init_SNMP_Tables(*traps);

    const ParGen pg(File_ParGen);
    Read_ParGen_Modbus_Master(pg, block.Param, ctx.deviceType, model);
    const int mapType = model.snmp ? SNMP_Map_Type(ctx.deviceType, pg) : 0;
    Read_Modbus_Access(table, block.Param, model.snmp && mapType == 0);
    if (model.snmp && mapType == 1)
        Read_SNMP_Trap(*traps, block.Param, ctx.deviceType);   // else empty tables, counts 0

    BankBuffer& image = ctx.banks.BankImage;
    int pos = 0;
    if (model.snmp)
        pos = Write_SNMP_Tables(*traps, pos, image);   // trap tables first
    pos = Write_Gen_Block(block, pos, image);
    image.SetLength(Write_Modbus_Access(table, pos, image));
}

void Build_Modbus_Slave(BuildContext& ctx)
{
    const SerialModbusModel& model = ModelOf(kSlaveModels, ctx.deviceType);
    GenBlock block;
    Init_Gen_Param(block);
    auto traps = std::make_unique<SnmpTrapTables>();
    Init_SNMP_Tables(*traps);

    const ParGen pg(File_ParGen);
    Read_ParGen_Modbus_Slave(pg, block.Param, ctx.deviceType, model);
    if (model.snmp && SNMP_Map_Type(ctx.deviceType, pg) == 1)
        Read_SNMP_Trap(*traps, block.Param, ctx.deviceType);   // else empty tables, counts 0

    BankBuffer& image = ctx.banks.BankImage;
    int pos = Write_Gen_Block(block, 0, image);
    if (model.snmp)
        pos = Write_SNMP_Tables(*traps, pos, image);   // trap tables after the block
    image.SetLength(pos);
}
