// CANopen (8, 24): the general block (bank1.bin, for type 8 followed by the
// node guarding table) and the six object tables (bank2.bin). Type 8 also
// reads node guarding, the restart bitmap and the diagnostic and command
// addresses.
#include "build_context.h"
#include "builders.h"
#include "gen_param.h"
#include "par_gen_reader.h"
#include "table_rows.h"
#include "app/common/type_set.h"
#include "workspace.h"

#include <cstring>
#include <iterator>
#include <memory>

using device::TypeSet;
using device::Types;

namespace {

// One object record: 32 bytes, little-endian, no padding; the image entry is
// the record byte for byte.
struct TCANopen_Object
{
    u32le CobId;          // PDO
    u16le Index;          // SDO
    uint8_t SubIndex;     // SDO
    uint8_t Node;         // SDO client
    u32le Time;           // client poll time, PDO time-out / send time
    u16le Address[8];     // PROFINET byte of each data byte
    uint8_t Length;
    uint8_t Mode;         // 0 read / receive, 1 write / transmit, 3 on change
    u16le Reserved30;
};
static_assert(sizeof(TCANopen_Object) == 32);
static_assert(offsetof(TCANopen_Object, Index) == 4);
static_assert(offsetof(TCANopen_Object, SubIndex) == 6);
static_assert(offsetof(TCANopen_Object, Node) == 7);
static_assert(offsetof(TCANopen_Object, Time) == 8);
static_assert(offsetof(TCANopen_Object, Address) == 12);
static_assert(offsetof(TCANopen_Object, Length) == 28);
static_assert(offsetof(TCANopen_Object, Mode) == 29);

struct TNodeGuard_Entry
{
    u16le GuardTime;
    uint8_t NodeId;
    uint8_t LifeTimeFactor;
};
static_assert(sizeof(TNodeGuard_Entry) == 4);

constexpr uint16_t NoAddress = 0xFFFF;
constexpr uint8_t ModeOnChange = 3;

// What a row of an object table holds.
enum class ObjectRow
{
    SdoServer,
    SdoClient,
    Pdo,
};

// The six object tables, in image order.
struct ObjectTable
{
    ObjectRow kind;
    const char* section;
    int records;
    bool write;   // write / transmit
};

constexpr ObjectTable kObjectTables[] = {
    {ObjectRow::SdoServer, "SDO_Read", 512, false},  {ObjectRow::SdoServer, "SDO_Write", 512, true},
    {ObjectRow::SdoClient, "SDO_Read", 256, false},  {ObjectRow::SdoClient, "SDO_Write", 256, true},
    {ObjectRow::Pdo, "Receive_PDO", 128, false},     {ObjectRow::Pdo, "Transmit_PDO", 128, true},
};
constexpr int ObjectTableCount = static_cast<int>(std::size(kObjectTables));

constexpr int TotalRecords()
{
    int n = 0;
    for (const ObjectTable& t : kObjectTables)
        n += t.records;
    return n;
}
constexpr int ObjectRecordCount = TotalRecords();   // 1792
static_assert(ObjectRecordCount * sizeof(TCANopen_Object) == 57344);

// The project files of the tables: each fills two tables, in order.
struct ObjectFile
{
    QString* path;
    int firstTable;
};

constexpr ObjectFile kObjectFiles[] = {
    {&File_SDO_Server_CANopen, 0},
    {&File_SDO_Client_CANopen, 2},
    {&File_PDO_CANopen, 4},
};

constexpr int NodeGuardEntries = 128;
constexpr int RestartNodes = 128;   // bits of the 16-byte bitmap

// The model that adds node guarding, the restart bitmap and the diagnostic
// and command addresses.
constexpr TypeSet kNodeGuardModels = Types(8);

// CANopen_BAUDRATE index -> bit/s; any other index gives 250000.
constexpr uint32_t kCANopenBaud[] = {10000, 20000, 50000, 100000, 125000, 250000, 500000, 800000, 1000000};
constexpr int32_t CANopenBaudDefaultIndex = 5;

// Option bits at 160.
struct OptionSwitch
{
    const char* element;
    uint32_t bit;
    bool nodeGuardModelsOnly;
};

constexpr OptionSwitch kOptionSwitches[] = {
    {"CANopen_Set_Operational", 0x01, false},      {"CANopen_Network_Start", 0x02, false},
    {"CANopen_Sync_Enable", 0x04, false},          {"CANopen_Enable_Restart", 0x08, true},
    {"CANopen_Enable_Reset_Data", 0x10, true},     {"CANopen_Triggered_SDO_Enable", 0x20, false},
};

// Everything one CANopen build owns.
struct CANopenBuild
{
    GenBlock Gen;
    TCANopen_Object Objects[ObjectRecordCount];   // the six tables back to back
    int Counts[ObjectTableCount];
    TNodeGuard_Entry NodeGuard[NodeGuardEntries];
    int NodeGuardCount;
};

int FirstRecord(int table)
{
    int first = 0;
    for (int i = 0; i < table; ++i)
        first += kObjectTables[i].records;
    return first;
}

void Init_CANopen_Tables(CANopenBuild& b)
{
    std::memset(b.Objects, 0, sizeof b.Objects);
    for (TCANopen_Object& o : b.Objects)
        for (u16le& a : o.Address)
            a = NoAddress;
    std::memset(b.Counts, 0, sizeof b.Counts);
    std::memset(b.NodeGuard, 0, sizeof b.NodeGuard);
    b.NodeGuardCount = 0;
}

void Read_ParGen_CANopen(GenParam& p, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);   // 58, 96..99; type 8 also 560
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    const bool full = kNodeGuardModels.Has(deviceType);
    Read_Common_Fields(pg, p, deviceType);   // addresses, port, station name
    p.BytesFirst = static_cast<uint32_t>(pg.Int("PROFINET_NB_IN", 1440));
    p.BytesSecond = static_cast<uint32_t>(pg.Int("PROFINET_NB_OUT", 1440));
    if (full) {
        p.DiagnosticAddress = Switched_Address(pg, "PROFINET_ENABLE_DIAGNOSTIC", "PROFINET_DIAGNOSTIC_ADDRESS");
        p.CommandAddress = Switched_Address(pg, "PROFINET_ENABLE_CANOPEN_CMD", "PROFINET_CANOPEN_CMD_INDEX");
    }
    p.CANopenNodeId = static_cast<uint32_t>(pg.Int("CANopen_IDDev", 1));
    const int32_t index = pg.Int("CANopen_BAUDRATE", CANopenBaudDefaultIndex);
    p.BusBitRate =
        index >= 0 && index < static_cast<int32_t>(std::size(kCANopenBaud)) ? kCANopenBaud[index] : 250000;
    uint32_t options = 0;
    for (const OptionSwitch& s : kOptionSwitches)
        if ((full || !s.nodeGuardModelsOnly) && pg.Flag(s.element))
            options |= s.bit;
    p.CANopenOptions = options;
    p.CANopenDelay = static_cast<uint32_t>(pg.Int("CANopen_Delay", 0)) * 1000u;
    p.CANopenSdoTimeout = static_cast<uint32_t>(pg.Int("CANopen_SDO_TimeOut", 10000));
    p.CANopenSyncTime = static_cast<uint32_t>(pg.Int("CANopen_Sync_Time", 1000)) * 1000u;
    p.CANopenTrigSdoIn = static_cast<uint32_t>(pg.Int("CANopen_Triggered_SDO_Address_Input", 0));
    p.CANopenTrigSdoOut = static_cast<uint32_t>(pg.Int("CANopen_Triggered_SDO_Address_Output", 0));
}

uint16_t Address(const TableRow& row, int byte)   // byte from 1
{
    static const char* const kNames[8] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4",
                                          "Address_B5", "Address_B6", "Address_B7", "Address_B8"};
    return static_cast<uint16_t>(row.RequiredInt(kNames[byte - 1]));
}

uint32_t Low32(int64_t v)
{
    return static_cast<uint32_t>(static_cast<uint64_t>(v));
}

// SDO rows: addresses 1 to 4 are 0, 5 to 8 hold the bytes the length needs
// (byte 2 from a length of 2, bytes 3 and 4 from a length of 4).
void Read_SDO_Row(const TableRow& row, const ObjectTable& table, TCANopen_Object& o)
{
    o.CobId = 0;
    if (table.kind == ObjectRow::SdoClient)
        o.Node = static_cast<uint8_t>(row.RequiredInt("Device_ID"));
    o.Index = static_cast<uint16_t>(row.RequiredInt("Index"));
    o.SubIndex = static_cast<uint8_t>(row.RequiredInt("SubIndex"));
    o.Length = static_cast<uint8_t>(row.RequiredInt("NByte"));
    o.Time = table.kind == ObjectRow::SdoClient ? Low32(row.RequiredInt64("Poll_Time")) : 0;
    for (int i = 0; i < 4; ++i)
        o.Address[i] = 0;
    o.Address[4] = Address(row, 1);
    o.Address[5] = o.Length >= 2 ? Address(row, 2) : 0;
    o.Address[6] = o.Length >= 4 ? Address(row, 3) : 0;
    o.Address[7] = o.Length >= 4 ? Address(row, 4) : 0;
    o.Mode = 0;
    if (table.write)
        o.Mode = table.kind == ObjectRow::SdoClient && row.TextOr("On_Change") == QLatin1String("Y") ? ModeOnChange
                                                                                                        : 1;
}

// PDO rows: address j holds byte j when j is 1 or within the length, else 0.
void Read_PDO_Row(const TableRow& row, const ObjectTable& table, TCANopen_Object& o)
{
    o.CobId = Low32(row.RequiredInt64("COB-ID"));
    o.Length = static_cast<uint8_t>(row.RequiredInt("Dimension"));
    o.Time = Low32(row.RequiredInt64(table.write ? "Send_Time" : "TimeOut"));
    for (int j = 1; j <= 8; ++j)
        o.Address[j - 1] = j == 1 || j <= o.Length ? Address(row, j) : 0;
    o.Mode = 0;
    if (table.write)
        o.Mode = row.TextOr("On_Change") == QLatin1String("Y") ? ModeOnChange : 1;
}

void Read_Object_Table(const QString& file, pugi::xml_node root, int table, CANopenBuild& b)
{
    const ObjectTable& t = kObjectTables[table];
    const pugi::xml_node rows = Required_Section(file, root, t.section);
    TCANopen_Object* records = b.Objects + FirstRecord(table);
    int n = 0;
    for (pugi::xml_node node : rows.children()) {
        if (n == t.records)
            Table_Limit(file, QString::fromLatin1(t.section), t.records);
        const TableRow row(file, QString::fromLatin1(t.section), n, node);
        if (t.kind == ObjectRow::Pdo)
            Read_PDO_Row(row, t, records[n]);
        else
            Read_SDO_Row(row, t, records[n]);
        ++n;
    }
    b.Counts[table] = n;
}

// Node guarding rows: every value on its own, a missing or bad one stays 0.
void Read_NodeGuard(CANopenBuild& b)
{
    XmlDocument doc;
    if (!Load_Project_Xml(File_NodeGuard, doc))
        return;
    for (pugi::xml_node node : doc.Root().children()) {
        if (b.NodeGuardCount == NodeGuardEntries)
            Table_Limit(File_NodeGuard, QString(), NodeGuardEntries);
        const TableRow row(File_NodeGuard, QString(), b.NodeGuardCount, node);
        TNodeGuard_Entry& e = b.NodeGuard[b.NodeGuardCount];
        e.NodeId = static_cast<uint8_t>(row.IntOr("NodeID", 0));
        e.GuardTime = static_cast<uint16_t>(row.IntOr("GuardTime", 0));
        e.LifeTimeFactor = static_cast<uint8_t>(row.IntOr("LifeTimeFactor", 0));
        ++b.NodeGuardCount;
    }
}

// Row i (node id i + 1) sets bit i mod 8 of bitmap byte i div 8 when enabled.
void Read_Restart(uint8_t (&bitmap)[16])
{
    static_assert(sizeof bitmap * 8 == RestartNodes);
    XmlDocument doc;
    if (!Load_Project_Xml(File_ReStart_CANopen, doc))
        return;
    int i = 0;
    for (pugi::xml_node node : doc.Root().children()) {
        if (i == RestartNodes)
            Table_Limit(File_ReStart_CANopen, QString(), RestartNodes);
        const TableRow row(File_ReStart_CANopen, QString(), i, node);
        if (row.TextOr("Enable_ReStart") == QLatin1String("Y"))
            bitmap[i / 8] |= static_cast<uint8_t>(1u << (i % 8));
        ++i;
    }
}

void Read_CANopen_Tables(CANopenBuild& b, int deviceType)
{
    for (const ObjectFile& f : kObjectFiles) {
        XmlDocument doc;
        if (!Load_Project_Xml(*f.path, doc))
            continue;
        for (int table = f.firstTable; table < f.firstTable + 2; ++table)
            Read_Object_Table(*f.path, doc.Root(), table, b);
    }
    GenParam& p = b.Gen.Param;
    for (int table = 0; table < ObjectTableCount; ++table)
        p.CANopenTableCounts[table] = static_cast<uint32_t>(b.Counts[table]);
    if (!kNodeGuardModels.Has(deviceType))
        return;
    Read_NodeGuard(b);
    p.NodeGuardCount = static_cast<uint32_t>(b.NodeGuardCount);
    Read_Restart(p.CANopenRestartBitmap);
}

int Write_NodeGuard(const CANopenBuild& b, int pos, BankBuffer& image)
{
    return image.Put(pos, b.NodeGuard, sizeof b.NodeGuard);
}

int Write_CANopen_Tables(const CANopenBuild& b, BankBuffer& image)
{
    return image.Put(0, b.Objects, sizeof b.Objects);
}

} // namespace

void Build_CANopen_Banks(BuildContext& ctx)
{
    auto b = std::make_unique<CANopenBuild>();
    Init_Gen_Param(b->Gen);
    Init_CANopen_Tables(*b);
    Read_ParGen_CANopen(b->Gen.Param, ctx.deviceType);
    Read_CANopen_Tables(*b, ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    int pos = Write_Gen_Block(b->Gen, 0, image);
    if (kNodeGuardModels.Has(ctx.deviceType))
        pos = Write_NodeGuard(*b, pos, image);
    image.SetLength(pos);
    ctx.banks.BankImage2.SetLength(Write_CANopen_Tables(*b, ctx.banks.BankImage2));
}
