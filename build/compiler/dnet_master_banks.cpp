// DeviceNet master (type 1): the node table of DNETM_Net.xml, the input and
// output byte maps of DNETM_DefOff.xml and the general block, 16384 bytes:
//   0 nodes (64 x 16) | 1024 zeros | 2048 input map | 8192 output map | 14336 block
#include "build_context.h"
#include "builders.h"
#include "compile_error.h"
#include "gen_param.h"
#include "int_text.h"
#include "par_gen_reader.h"
#include "row_text.h"
#include "table_rows.h"
#include "workspace.h"

#include <cstring>
#include <memory>

namespace {

struct TDNet_Node
{
    uint8_t Mac;
    uint8_t Reserved1[3];
    u16le BytesIn;
    u16le BytesOut;
    u16le Reserved8;
    u16le ResetFlags;   // 1 reset on DeviceNet, 2 reset on PROFINET
    u16le InStart;      // input bytes of the slaves before this one
    u16le OutStart;
};
static_assert(sizeof(TDNet_Node) == 16);
static_assert(offsetof(TDNet_Node, BytesIn) == 4);
static_assert(offsetof(TDNet_Node, ResetFlags) == 10);
static_assert(offsetof(TDNet_Node, InStart) == 12);

struct TDNet_Map
{
    u16le Key;      // MAC id * 1024 + byte index within the slave's data
    u16le Offset;   // PROFINET byte
};
static_assert(sizeof(TDNet_Map) == 4);

struct DNetTables
{
    static constexpr int Nodes = 64;
    static constexpr int MapEntries = 1536;

    TDNet_Node Node[Nodes];
    TDNet_Map MapIn[MapEntries];
    TDNet_Map MapOut[MapEntries];
    int nodeCount = 0;
    int inCount = 0;
    int outCount = 0;
};

constexpr int NodeTableSize = DNetTables::Nodes * static_cast<int>(sizeof(TDNet_Node));        // 1024
constexpr int MapSize = DNetTables::MapEntries * static_cast<int>(sizeof(TDNet_Map));           // 6144
constexpr int BlockOffset = 2 * NodeTableSize + 2 * MapSize;                                    // 14336
static_assert(BlockOffset == 14336);

// Unused map entries are FFFF, FFFF.
void Init_DNet_Tables(DNetTables& t)
{
    std::memset(t.Node, 0, sizeof t.Node);
    std::memset(t.MapIn, 0xFF, sizeof t.MapIn);
    std::memset(t.MapOut, 0xFF, sizeof t.MapOut);
    t.nodeCount = t.inCount = t.outCount = 0;
}

bool IsYes(const TableRow& row, const char* attr)
{
    return TrimmedUpperIs(row.Raw(attr), "Y");
}

// A start position of the node table: the sum of the earlier slaves' byte
// counts, which must fit its 16 bits.
uint16_t Start_Position(const TableRow& row, int64_t sum, const char* what)
{
    if (sum > 0xFFFF)
        row.Fail(QStringLiteral("the %1 data of the slaves before this one take %2 bytes; the node table "
                                "holds start positions up to 65535.")
                     .arg(QLatin1String(what))
                     .arg(sum));
    return static_cast<uint16_t>(sum);
}

void Read_DNet_Net(DNetTables& t)
{
    XmlDocument doc;
    if (!Load_Project_Xml(File_DNETM_Net, doc))
        return;
    int64_t in = 0;
    int64_t out = 0;
    int index = 0;
    for (pugi::xml_node node : doc.Root().children()) {
        if (t.nodeCount == DNetTables::Nodes)
            Table_Limit(File_DNETM_Net, QString(), DNetTables::Nodes);
        const TableRow row(File_DNETM_Net, QString(), index++, node);
        TDNet_Node& n = t.Node[t.nodeCount];
        n.Mac = static_cast<uint8_t>(row.RequiredInt("ID"));
        n.BytesIn = static_cast<uint16_t>(row.RequiredInt("NB_IN"));
        n.BytesOut = static_cast<uint16_t>(row.RequiredInt("NB_OUT"));
        n.ResetFlags = static_cast<uint16_t>((IsYes(row, "Reset_DeviceNet") ? 0x1 : 0)
                                             | (IsYes(row, "Reset_PROFINET") ? 0x2 : 0));
        n.OutStart = Start_Position(row, out, "output");
        n.InStart = Start_Position(row, in, "input");
        in += n.BytesIn;
        out += n.BytesOut;
        ++t.nodeCount;
    }
}

// The offset rows of one slave's ByteIN or ByteOUT element: byte j (below
// the slave's byte count) with an offset of 0 or more takes the next map entry.
void Read_Offsets(pugi::xml_node bytes, const QString& section, const TDNet_Node& node, int byteCount,
                  TDNet_Map (&map)[DNetTables::MapEntries], int& count, const char* mapName)
{
    int j = 0;
    for (pugi::xml_node child : bytes.children()) {
        if (j >= byteCount)
            break;
        const TableRow row(File_DNETM_DefOff, section, j, child);
        int32_t offset;
        if (!TryUtf8ToInt(row.RequiredRaw("Offset"), offset))
            offset = -1;   // the editor's word for no offset
        if (offset >= 0) {
            const int key = node.Mac * 1024 + j;
            if (key > 0xFFFF)
                row.Fail(QStringLiteral("the byte key %1 (MAC id %2 x 1024 + byte %3) does not fit 16 bits.")
                             .arg(key)
                             .arg(node.Mac)
                             .arg(j));
            if (count == DNetTables::MapEntries)
                throw CompileError(QStringLiteral("%1: more than %2 mapped bytes in the %3 map; the map holds %2.")
                                       .arg(File_DNETM_DefOff)
                                       .arg(DNetTables::MapEntries)
                                       .arg(QLatin1String(mapName)));
            map[count].Key = static_cast<uint16_t>(key);
            map[count].Offset = static_cast<uint16_t>(offset);
            ++count;
        }
        ++j;
    }
}

void Read_DNet_DefOff(DNetTables& t)
{
    XmlDocument doc;
    if (!Load_Project_Xml(File_DNETM_DefOff, doc))
        return;
    int i = 0;
    for (pugi::xml_node slave : doc.Root().children()) {
        if (i >= t.nodeCount)
            break;   // offset nodes beyond the slaves are ignored
        const TDNet_Node& node = t.Node[i];
        ++i;
        // A slave without a ByteIN or ByteOUT element has no offsets there.
        Read_Offsets(slave.child("ByteIN"), QStringLiteral("Nodo_DNET %1 / ByteIN").arg(i), node, node.BytesIn,
                     t.MapIn, t.inCount, "input");
        Read_Offsets(slave.child("ByteOUT"), QStringLiteral("Nodo_DNET %1 / ByteOUT").arg(i), node, node.BytesOut,
                     t.MapOut, t.outCount, "output");
    }
}

void Read_DNet_Tables(DNetTables& t, GenParam& p)
{
    Read_DNet_Net(t);
    Read_DNet_DefOff(t);
    p.DNetNodeCount = static_cast<uint32_t>(t.nodeCount);
    p.InputMapCount = static_cast<uint32_t>(t.inCount);
    p.OutputMapCount = static_cast<uint32_t>(t.outCount);
}

void Read_ParGen_DNet_Master(GenParam& p, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);   // 52, 58, 96..99, 212, 216, 220
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);
    p.BytesFirst = static_cast<uint32_t>(pg.Int("PROFINET_NB_IN", 1438));
    p.BytesSecond = static_cast<uint32_t>(pg.Int("PROFINET_NB_OUT", 1438));
    p.DiagnosticAddress = Switched_Address(pg, "PROFINET_ENABLE_DIAGNOSTIC", "PROFINET_DIAGNOSTIC_ADDRESS");
    p.DNetMasterMac = static_cast<uint8_t>(pg.Int("DNETM_ID_DEV", 0));
    const int32_t baud = pg.Int("DNETM_BAUDRATE", 2);
    p.BusBitRate = baud == 0 ? 125000 : baud == 1 ? 250000 : 500000;
}

int Write_DNet_Tables(const DNetTables& t, BankBuffer& buffer)
{
    int pos = buffer.Put(0, t.Node, sizeof t.Node);
    pos = buffer.Fill(pos, NodeTableSize);
    pos = buffer.Put(pos, t.MapIn, sizeof t.MapIn);
    return buffer.Put(pos, t.MapOut, sizeof t.MapOut);
}

} // namespace

void Build_DNet_Master(BuildContext& ctx)
{
    GenBlock block;
    Init_Gen_Param(block);
    auto tables = std::make_unique<DNetTables>();
    Init_DNet_Tables(*tables);
    Read_DNet_Tables(*tables, block.Param);
    Read_ParGen_DNet_Master(block.Param, ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    const int pos = Write_DNet_Tables(*tables, image);
    image.SetLength(Write_Gen_Block(block, pos, image));   // 16384
}
