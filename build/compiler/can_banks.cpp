// CAN models (0, 27; 15 with the SNMP trap tables): the general block
// (bank1.bin, for type 15 followed by the trap tables) and one 32-byte record
// per receive and send frame (bank2.bin).
#include "build_context.h"
#include "builders.h"
#include "compile_error.h"
#include "gen_param.h"
#include "par_gen_reader.h"
#include "snmp_trap_tables.h"
#include "table_rows.h"
#include "app/common/type_set.h"
#include "workspace.h"

#include <cstring>
#include <iterator>
#include <memory>

using device::TypeSet;
using device::Types;

namespace {

// One CAN frame record: 32 bytes, little-endian, no padding; the image entry
// is the record byte for byte.
struct TCAN_Frame
{
    u32le CobId;         // bit 31: 2.0B (29-bit) frame
    u32le SendTimer;     // send frames: ms, 0 on data change
    u32le TimeOut;       // receive frames: ms
    uint8_t Reserved12;
    uint8_t Direction;   // 0 receive, 1 send
    uint8_t Length;      // 1..8
    uint8_t Reserved15;
    u16le Map[8];        // PROFINET byte of CAN data byte 1..8, 0xFFFF = not mapped
};
static_assert(sizeof(TCAN_Frame) == 32);
static_assert(offsetof(TCAN_Frame, Direction) == 13);
static_assert(offsetof(TCAN_Frame, Length) == 14);
static_assert(offsetof(TCAN_Frame, Map) == 16);

constexpr int CANFrameCapacity = 1024;
constexpr uint16_t Unmapped = 0xFFFF;
constexpr uint32_t ExtendedFrame = 0x80000000u;

// Receive frames first, then send frames.
struct CANFrames
{
    TCAN_Frame Frames[CANFrameCapacity];
    int Count;
};

// Everything one CAN build owns.
struct CANBuild
{
    GenBlock Gen;
    CANFrames Frames;
    SnmpTrapTables Traps;
};

// The models that add the SNMP trap tables to bank1.bin.
constexpr TypeSet kSnmpModels = Types(15);

// CAN_BAUDRATE index -> bit/s; any other index gives 1000000.
constexpr uint32_t kCANBaud[] = {10000, 20000, 50000, 62500, 100000, 125000, 250000, 500000, 800000, 1000000};
constexpr int32_t CANBaudDefaultIndex = 9;

void Init_CAN_Frames(CANFrames& t)
{
    std::memset(&t, 0, sizeof t);
    for (TCAN_Frame& f : t.Frames)
        for (u16le& m : f.Map)
            m = Unmapped;
}

void Read_ParGen_CAN(GenParam& p, int deviceType)
{
    Apply_Gen_Presets(p, deviceType);   // 52, 58, 96..99
    const ParGen pg(File_ParGen);
    if (!pg.Exists())
        return;
    Read_Common_Fields(pg, p, deviceType);   // addresses, port, station name
    uint8_t options = 0;
    if (pg.Flag("PROFINET_SEND_BACK_CAN_MESS"))
        options |= 0x1;
    if (pg.Flag("PROFINET_SEND_REPLAY_TUNNEL_PORT"))
        options |= 0x2;
    p.Mode4 = options;
    if (kSnmpModels.Has(deviceType)) {
        p.SnmpIntWidth = 0;
        QString text;
        if (pg.Text("SNMP_Contact", text))
            Store_Text(p.SnmpContact, text);
        if (pg.Text("SNMP_Location", text))
            Store_Text(p.SnmpLocation, text);
        p.BytesFirst = 1024;
        p.BytesSecond = 1024;
    } else {
        p.BytesFirst = static_cast<uint32_t>(pg.Int("PROFINET_NB_IN", 1440));
        p.BytesSecond = static_cast<uint32_t>(pg.Int("PROFINET_NB_OUT", 1440));
    }
    const int32_t index = pg.Int("CAN_BAUDRATE", CANBaudDefaultIndex);
    p.BusBitRate = index >= 0 && index < static_cast<int32_t>(std::size(kCANBaud)) ? kCANBaud[index] : 1000000;
}

// Appends the frames of one frame file to the table; returns the number of
// frames read, -1 when the file does not exist.
int Read_Frame_File(const QString& file, const char* section, bool send, CANFrames& t)
{
    XmlDocument doc;
    if (!Load_Project_Xml(file, doc))
        return -1;
    const pugi::xml_node rows = Required_Section(file, doc.Root(), section);
    int n = 0;
    for (pugi::xml_node node : rows.children()) {
        const TableRow row(file, QString::fromLatin1(section), n, node);
        if (t.Count == CANFrameCapacity)
            row.Fail(QStringLiteral("the CAN frame table is full: it holds %1 frames, receive and send frames "
                                    "together.")
                         .arg(CANFrameCapacity));
        TCAN_Frame& f = t.Frames[t.Count];
        uint32_t cobId = static_cast<uint32_t>(row.RequiredInt("Cob_Id"));
        if (row.TextOr("Type") == QLatin1String("2.0B (29 bits)"))
            cobId += ExtendedFrame;
        f.CobId = cobId;
        f.Length = static_cast<uint8_t>(row.RequiredInt("Dimension"));
        if (send) {
            uint32_t timer = static_cast<uint32_t>(row.RequiredInt("Timer_Send"));
            if (row.RequiredText("Send_Type").toUpper() == QLatin1String("ON DATA CHANGE"))
                timer = 0;
            f.SendTimer = timer;
            f.Direction = 1;
        } else {
            f.TimeOut = static_cast<uint32_t>(row.RequiredInt("TimeOut"));
        }
        ++t.Count;
        ++n;
    }
    return n;
}

// Byte maps of frames first .. first + frames - 1 from the rows of an info
// file, one row per frame in order; rows beyond the frames are not read.
void Read_Info_File(const QString& file, int first, int frames, CANFrames& t)
{
    XmlDocument doc;
    if (!Load_Project_Xml(file, doc))
        return;
    static const char* const kByte[8] = {"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8"};
    int i = 0;
    for (pugi::xml_node node : doc.Root().children()) {
        if (i == frames)
            break;
        const TableRow row(file, QString(), i, node);
        TCAN_Frame& f = t.Frames[first + i];
        for (int j = 0; j < 8; ++j)
            f.Map[j] = j < f.Length ? static_cast<uint16_t>(row.RequiredInt(kByte[j])) : Unmapped;
        ++i;
    }
}

void Read_CAN_Frames(CANFrames& t, GenParam& p)
{
    const int received = Read_Frame_File(File_CAN_Rec_Frames, "Receive_Frames", false, t);
    if (received >= 0)
        Read_Info_File(File_CAN_Rec_Info, 0, received, t);
    const int first = t.Count;
    const int sent = Read_Frame_File(File_CAN_Send_Frames, "Send_Frames", true, t);
    if (sent >= 0)
        Read_Info_File(File_CAN_Send_Info, first, sent, t);
    p.CanFrameCount = static_cast<uint32_t>(t.Count);
}

void Write_CAN_Frames(const CANFrames& t, BankBuffer& image)
{
    image.SetLength(image.Put(0, t.Frames, t.Count * static_cast<int>(sizeof(TCAN_Frame))));
}

} // namespace

void Build_CAN_Banks(BuildContext& ctx)
{
    const bool snmp = kSnmpModels.Has(ctx.deviceType);
    auto b = std::make_unique<CANBuild>();
    Init_Gen_Param(b->Gen);
    Init_CAN_Frames(b->Frames);
    Init_SNMP_Tables(b->Traps);
    Read_ParGen_CAN(b->Gen.Param, ctx.deviceType);
    Read_CAN_Frames(b->Frames, b->Gen.Param);
    if (snmp)
        Read_SNMP_Trap(b->Traps, b->Gen.Param, ctx.deviceType);
    BankBuffer& image = ctx.banks.BankImage;
    int pos = Write_Gen_Block(b->Gen, 0, image);
    Write_CAN_Frames(b->Frames, ctx.banks.BankImage2);
    if (snmp)
        pos = Write_SNMP_Tables(b->Traps, pos, image);
    image.SetLength(pos);
}
