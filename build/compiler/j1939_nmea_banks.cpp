// J1939 (6, 14) and NMEA 2000 (7, 28): the general block (bank1.bin) and the
// 512 receive and 512 transmit parameter group records (bank2.bin).
#include "build_context.h"
#include "builders.h"
#include "compile_error.h"
#include "gen_param.h"
#include "par_gen_reader.h"
#include "table_rows.h"
#include "app/common/type_set.h"
#include "int_text.h"
#include "workspace.h"

#include <cstring>
#include <iterator>
#include <memory>

using device::TypeSet;
using device::Types;
using device::FindTypeRow;

namespace {

// One parameter group record: 32 bytes, little-endian, no padding; the image
// entry is the record byte for byte.
struct TPGN_Frame
{
    u32le Identifier;    // 29-bit CAN identifier
    u32le SendTimer;     // transmit on timer: ms
    u32le DataTimeOut;   // receive rows marked Delete
    u16le AreaOffset;    // first byte in the PROFINET input / output area
    u16le StartByte;     // receive: first byte taken from the group's data
    u16le ByteCount;
    u16le Reserved18[5];
    u16le MultiPacket;   // 1: transport protocol, fast packet or more than 8 bytes
    uint8_t Flags;
    uint8_t Reserved31;
};
static_assert(sizeof(TPGN_Frame) == 32);
static_assert(offsetof(TPGN_Frame, AreaOffset) == 12);
static_assert(offsetof(TPGN_Frame, StartByte) == 14);
static_assert(offsetof(TPGN_Frame, ByteCount) == 16);
static_assert(offsetof(TPGN_Frame, MultiPacket) == 28);
static_assert(offsetof(TPGN_Frame, Flags) == 30);

// Flags.
constexpr uint8_t TransmitRecord = 0x01;
constexpr uint8_t TransportProtocol = 0x02;
constexpr uint8_t FastPacket = 0x04;
constexpr uint8_t SendOnTimer = 0x10;
constexpr uint8_t SendOnDataChange = 0x20;
constexpr uint8_t SendOnRequest = 0x40;

constexpr int PGNTableCapacity = 512;
constexpr int PGNImageSize = 2 * PGNTableCapacity * static_cast<int>(sizeof(TPGN_Frame));   // 32768

// Above this many bytes a fast-packet group also uses the transport protocol.
constexpr int32_t FastPacketMaxBytes = 233;

struct PGNTables
{
    TPGN_Frame Rx[PGNTableCapacity];
    TPGN_Frame Tx[PGNTableCapacity];
    uint32_t PGNTimeout;   // ms
    int RxCount;
    int TxCount;
};

// The family of a model: its ParGen elements, its files and how it forms
// identifiers.
struct PGNFamily
{
    TypeSet types;
    bool nmea;                 // no DP, fast packet and transport protocol flags
    const char* baudRate;
    const char* timeOut;
    const char* peerToPeer;
    const char* deviceId;      // nullptr: not read
    QString* rxFile;
    QString* txFile;
};

constexpr PGNFamily kFamilies[] = {
    {Types(6, 14), false, "J1939_BAUDRATE", "J1939_TIMEOUT", "J1939_PEER_TO_PEER", "J1939_ID",
     &File_J1939_Rec_Frames, &File_J1939_Send_Frames},
    {Types(7, 28), true, "NMEA2000_BAUDRATE", "NMEA2000_TIMEOUT", "NMEA2000_PEER_TO_PEER", nullptr,
     &File_NMEA_Rec_Frames, &File_NMEA_Send_Frames},
};

// Bit rate index -> bit/s; any other index gives 250000.
constexpr uint32_t kPGNBaud[] = {10000, 20000, 50000, 100000, 125000, 250000, 500000, 800000, 1000000};
constexpr int32_t PGNBaudDefaultIndex = 5;

void Init_PGN_Tables(PGNTables& t)
{
    std::memset(&t, 0, sizeof t);
    for (int i = 0; i < PGNTableCapacity; ++i) {
        for (TPGN_Frame* f : {&t.Rx[i], &t.Tx[i]}) {
            f->Identifier = 0xFFFFFFFFu;
            f->SendTimer = 0xFFFFFFFFu;
            f->DataTimeOut = 0xFFFFFFFFu;
        }
        t.Tx[i].Flags = TransmitRecord;
    }
}

void Read_ParGen_PGN(const PGNFamily& family, GenParam& p, PGNTables& t, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);   // 52, 58, 96..99
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);   // addresses, station name
    p.BytesFirst = 0;
    p.BytesSecond = 0;
    const int32_t index = pg.Int(family.baudRate, PGNBaudDefaultIndex);
    p.BusBitRate = index >= 0 && index < static_cast<int32_t>(std::size(kPGNBaud)) ? kPGNBaud[index] : 250000;
    t.PGNTimeout = static_cast<uint32_t>(pg.Int(family.timeOut, 0)) * 1000u;
    p.PeerToPeer = pg.Flag(family.peerToPeer) ? 1 : 0;
    if (family.deviceId)
        p.NodeAddress = static_cast<uint32_t>(pg.Int(family.deviceId, 0));
}

uint32_t U32(int32_t v)
{
    return static_cast<uint32_t>(v);
}

// Calls read(row, index) for every row of a PGN file (the root's child
// nodes) and returns the number of rows; 0 when the file does not exist.
template <typename ReadRow>
int Read_PGN_File(const QString& file, ReadRow read)
{
    XmlDocument doc;
    if (!Load_Project_Xml(file, doc))
        return 0;
    int n = 0;
    for (pugi::xml_node node : doc.Root().children()) {
        if (n == PGNTableCapacity)
            Table_Limit(file, QString(), PGNTableCapacity);
        read(TableRow(file, QString(), n, node), n);
        ++n;
    }
    return n;
}

void Read_Rx_Row(const PGNFamily& family, const TableRow& row, bool peerToPeer, uint32_t timeout, uint32_t& offset,
                 TPGN_Frame& f)
{
    const uint32_t dp = family.nmea ? 0 : U32(row.IntOr("DP", 0));
    const uint32_t pgn = U32(row.IntOr("PGN", 0));
    const uint32_t sa = peerToPeer ? 0 : U32(row.IntOr("SA", 0));
    f.Identifier = dp * (1u << 24) + pgn * (1u << 8) + sa;
    f.SendTimer = 0;
    f.DataTimeOut = row.TextOr("Delete") == QLatin1String("Y") ? timeout : 0;
    bool multi = row.TextOr("TP") == QLatin1String("Y");
    if (family.nmea) {
        uint8_t flags = 0;
        if (multi)
            flags |= TransportProtocol;
        if (row.TextOr("FP") == QLatin1String("Y"))
            flags |= FastPacket;
        f.Flags = flags;
        multi = flags != 0;
    }
    f.AreaOffset = static_cast<uint16_t>(offset);
    if (multi) {
        const int32_t count = row.IntOr("TP_NByte", 0);
        f.MultiPacket = 1;
        f.StartByte = static_cast<uint16_t>(row.IntOr("TP_Start", 0));
        f.ByteCount = static_cast<uint16_t>(count);
        offset += U32(count);
        return;
    }
    f.MultiPacket = 0;
    const int32_t start = row.IntOr("TP_Start", -1);
    const int32_t count = row.IntOr("TP_NByte", -1);
    if (start == -1 || count == -1) {
        f.StartByte = 0;
        f.ByteCount = 8;
        offset += 8;
    } else {
        f.StartByte = static_cast<uint16_t>(start);
        f.ByteCount = static_cast<uint16_t>(count);
        offset += U32(count);
    }
}

// The send mode: send timer and flag bits 4 to 6.
void Read_Tx_Mode(const PGNFamily& family, const TableRow& row, TPGN_Frame& f)
{
    f.SendTimer = 0;
    QString text;
    if (!family.nmea && row.Text("T_Type", text)) {
        // The older form of the file; a T_Type row without a usable SendTimer
        // falls back to the check boxes.
        if (text.toUpper() == QLatin1String("ON DATA CHANGE")) {
            f.Flags |= SendOnDataChange;
            return;
        }
        int32_t timer;
        if (row.Text("SendTimer", text) && TryStrToInt(text, timer)) {
            f.SendTimer = U32(timer);
            f.Flags |= SendOnTimer;
            return;
        }
    }
    if (row.TextOr("On_Request").toUpper() == QLatin1String("Y"))
        f.Flags |= SendOnRequest;
    if (row.TextOr("On_Data_Change") == QLatin1String("Y"))
        f.Flags |= SendOnDataChange;
    if (row.TextOr("On_Timer") == QLatin1String("Y")) {
        f.Flags |= SendOnTimer;
        f.SendTimer = U32(row.IntOr("SendTimer", 0));
    }
}

void Read_Tx_Row(const PGNFamily& family, const TableRow& row, uint32_t& offset, TPGN_Frame& f)
{
    const uint32_t priority = U32(row.RequiredInt("Priority"));
    const uint32_t dp = family.nmea ? 0 : U32(row.RequiredInt("DP"));
    const uint32_t pgn = U32(row.RequiredInt("PGN"));
    const uint32_t sa = U32(row.RequiredInt("SA"));
    f.Identifier = priority * (1u << 26) + dp * (1u << 24) + pgn * (1u << 8) + sa;
    Read_Tx_Mode(family, row, f);
    int32_t count;
    if (family.nmea && row.TextOr("FP") == QLatin1String("Y")) {
        count = StrToIntDef(row.RequiredText("TP_NByte"), 8);
        f.Flags |= FastPacket;
        f.MultiPacket = 1;
        if (count > FastPacketMaxBytes)
            f.Flags |= TransportProtocol;
    } else {
        count = row.IntOr("TP_NByte", 8);
        if (count > 8) {
            f.MultiPacket = 1;
            if (family.nmea)
                f.Flags |= TransportProtocol;
        } else {
            f.MultiPacket = 0;
        }
    }
    f.ByteCount = static_cast<uint16_t>(count);
    f.AreaOffset = static_cast<uint16_t>(offset);
    f.StartByte = 0;
    offset += U32(count);
}

void Read_PGN_Frames(const PGNFamily& family, GenParam& p, PGNTables& t)
{
    const bool peerToPeer = (p.PeerToPeer & 1u) != 0;
    uint32_t offset = 0;
    t.RxCount = Read_PGN_File(*family.rxFile, [&](const TableRow& row, int i) {
        Read_Rx_Row(family, row, peerToPeer, t.PGNTimeout, offset, t.Rx[i]);
    });
    p.BytesFirst = offset != 0 ? offset : 1;
    offset = 0;
    t.TxCount = Read_PGN_File(*family.txFile, [&](const TableRow& row, int i) {
        Read_Tx_Row(family, row, offset, t.Tx[i]);
    });
    p.BytesSecond = offset != 0 ? offset : 1;
    p.ReceiveRowCount = static_cast<uint32_t>(t.RxCount);
    p.TransmitRowCount = static_cast<uint32_t>(t.TxCount);
}

int Write_PGN_Tables(const PGNTables& t, BankBuffer& image)
{
    const int pos = image.Put(0, t.Rx, sizeof t.Rx);
    return image.Put(pos, t.Tx, sizeof t.Tx);
}

void Build_PGN_Banks(BuildContext& ctx)
{
    const PGNFamily* family = FindTypeRow(kFamilies, ctx.deviceType);
    if (!family)
        throw CompileError(QStringLiteral("No parameter group tables are defined for device type %1.")
                               .arg(ctx.deviceType));
    auto gen = std::make_unique<GenBlock>();
    auto tables = std::make_unique<PGNTables>();
    Init_Gen_Param(*gen);
    Init_PGN_Tables(*tables);
    Read_ParGen_PGN(*family, gen->Param, *tables, ctx.deviceType);
    Read_PGN_Frames(*family, gen->Param, *tables);
    ctx.banks.BankImage.SetLength(Write_Gen_Block(*gen, 0, ctx.banks.BankImage));
    ctx.banks.BankImage2.SetLength(Write_PGN_Tables(*tables, ctx.banks.BankImage2));
}

static_assert(sizeof(PGNTables::Rx) + sizeof(PGNTables::Tx) == PGNImageSize);

} // namespace

void Build_J1939_Banks(BuildContext& ctx)
{
    Build_PGN_Banks(ctx);
}

void Build_NMEA_Banks(BuildContext& ctx)
{
    Build_PGN_Banks(ctx);
}
