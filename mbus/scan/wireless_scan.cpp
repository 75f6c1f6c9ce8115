#include "mbus/scan/wireless_scan.h"

#include "mbus/scan/requests.h"
#include "mbus/scan/wireless_frame.h"

#include <iterator>

namespace mbus {

namespace {

// What a sending step sends.
enum class Out : uint8_t {
    Text,          // the text (with its CR where the module wants one)
    TextMode,      // the text, then wMBusMode in decimal, CR
    TextChannel,   // the text, then wMBusRadioChannel, CR
    TextKeyHead,   // the text, then the meter's identity byte arg, CR
    TextKeyByte,   // "ATS" 470 + i "=" key byte i, CR, for i 0..15
    Config,        // the RadioCrafts configuration block
    ErasePosition, // the key-table position being emptied
    KeyPosition,   // the meter's key-table position
    EntryHead,     // address, manufacturer, version, device type of the meter
    KeyBytes,      // the 16 key bytes
};

// What the following step waits for.
enum class In : uint8_t {
    OkCr,        // exactly "OK" CR
    Prompt,      // exactly the byte 3E
    Prompt257,   // 257 bytes ending in 3E
    Any,         // any answer, or the time-out
    None,        // nothing: go on at once
};

constexpr int16_t NextRow = 0;
constexpr int16_t Listen = -1;   // start listening, then the module's listening step

} // namespace

struct WirelessScan::Row
{
    int16_t step;       // the sending step; step + 1 waits
    Out out;
    const char* text;
    uint8_t length;     // of text as bytes (0: up to its end)
    int16_t timeoutMs;
    In in;
    int16_t next;       // NextRow, Listen, or a step
    bool skippedInN;    // left out with the modes 15 and 17
    int8_t arg = 0;
};

namespace {
const char kZeros[8] = {};
} // namespace

// Telit: AT commands, each answered "OK" CR.
static const WirelessScan::Row kTelit[] = {
    {100, Out::Text, "+++", 0, 1000, In::OkCr, NextRow, false},
    {102, Out::Text, "ATR\r", 0, 1000, In::OkCr, NextRow, false},
    {104, Out::TextMode, "ATS400=", 0, 1000, In::OkCr, NextRow, false},
    {106, Out::Text, "ATS401=0\r", 0, 1000, In::OkCr, NextRow, false},
    {108, Out::Text, "ATS402=191\r", 0, 1000, In::OkCr, NextRow, false},
    {110, Out::TextChannel, "ATS420=", 0, 1000, In::OkCr, NextRow, false},
    {112, Out::Text, "ATS421=0\r", 0, 1000, In::OkCr, NextRow, true},
    {114, Out::Text, "ATS422=3\r", 0, 1000, In::OkCr, NextRow, false},
    {116, Out::Text, "ATS430=5\r", 0, 1000, In::OkCr, NextRow, false},
    {118, Out::Text, "ATS431=5\r", 0, 1000, In::OkCr, NextRow, false},
    {120, Out::Text, "ATS440=0\r", 0, 1000, In::OkCr, NextRow, false},
    {122, Out::Text, "ATS441=0\r", 0, 1000, In::OkCr, NextRow, false},
    {124, Out::Text, "ATS442=0\r", 0, 1000, In::OkCr, NextRow, true},
    {126, Out::Text, "ATS452=0\r", 0, 1000, In::OkCr, NextRow, false},
    {128, Out::Text, "ATS453=0\r", 0, 1000, In::OkCr, NextRow, false},
    {130, Out::Text, "ATS454=0\r", 0, 1000, In::OkCr, NextRow, true},
    {132, Out::Text, "ATO\r", 0, 1000, In::OkCr, Listen, false},
    // Key loading.
    {200, Out::Text, "+++", 0, 1000, In::OkCr, NextRow, false},
    {202, Out::TextKeyHead, "ATS461=", 0, 1000, In::OkCr, NextRow, false, 0},
    {204, Out::TextKeyHead, "ATS462=", 0, 1000, In::OkCr, NextRow, false, 1},
    {206, Out::TextKeyHead, "ATS463=", 0, 1000, In::OkCr, NextRow, false, 2},
    {208, Out::TextKeyHead, "ATS464=", 0, 1000, In::OkCr, NextRow, false, 3},
    {210, Out::TextKeyHead, "ATS465=", 0, 1000, In::OkCr, NextRow, false, 4},
    {212, Out::TextKeyHead, "ATS466=", 0, 1000, In::OkCr, NextRow, false, 5},
    {214, Out::TextKeyHead, "ATS467=", 0, 1000, In::OkCr, NextRow, false, 6},
    {216, Out::TextKeyHead, "ATS468=", 0, 1000, In::OkCr, NextRow, false, 7},
    {218, Out::TextKeyByte, "ATS", 0, 1000, In::OkCr, NextRow, false},
    {220, Out::Text, "ATS460=5\r", 0, 1000, In::OkCr, 132, false},
};

// RadioCrafts: command bytes, each answered by the prompt 3E.
static const WirelessScan::Row kRadioCrafts[] = {
    {300, Out::Text, "\x00", 1, 1000, In::Prompt, NextRow, false},
    {302, Out::Text, "\x30", 1, 1000, In::Prompt257, NextRow, false},
    {304, Out::Text, "\x4D", 1, 1000, In::Prompt, NextRow, false},
    {306, Out::Config, "", 0, 500, In::Any, NextRow, false},
    {308, Out::Text, "\xFF", 1, 1000, In::Prompt, NextRow, false},
    {310, Out::Text, "\x42", 1, 1000, In::Prompt, NextRow, false},
    {312, Out::ErasePosition, "", 0, 100, In::Any, NextRow, false},
    {314, Out::Text, kZeros, 8, 1000, In::Prompt, NextRow, false},
    {318, Out::Text, "\x58", 1, 1000, In::None, Listen, false},
    // Key loading.
    {400, Out::Text, "\x00", 1, 1000, In::Prompt, NextRow, false},
    {402, Out::Text, "\x42", 1, 1000, In::Prompt, NextRow, false},
    {404, Out::KeyPosition, "", 0, 100, In::Any, NextRow, false},
    {406, Out::EntryHead, "", 0, 1000, In::Prompt, NextRow, false},
    {408, Out::Text, "\x4B", 1, 1000, In::Prompt, NextRow, false},
    {410, Out::KeyPosition, "", 0, 100, In::Any, NextRow, false},
    {412, Out::KeyBytes, "", 0, 1000, In::Prompt, NextRow, false},
    {414, Out::Text, "\x41", 1, 1000, In::Prompt, NextRow, false},
    {416, Out::KeyPosition, "", 0, 100, In::Any, NextRow, false},
    {418, Out::Text, "\x00\x40", 2, 1000, In::Prompt, 318, false},
};

namespace {

const QByteArray kOkCr = QByteArrayLiteral("OK\r");
constexpr char Prompt = 0x3E;
constexpr int KeyBytesCount = 16;

bool N_Mode(int32_t mode)
{
    return mode == 15 || mode == 17;
}

// Register 03 of the configuration block by wireless mode.
uint8_t Radio_Mode_Value(int32_t mode)
{
    switch (mode) {
    case 5: return 0x01;
    case 11: return 0x0A;
    case 15: return 0x11;
    case 17: return 0x10;
    default: return 0x03;
    }
}

QByteArray Build_Radio_Config(int32_t mode)
{
    const char block[16] = {0x03, static_cast<char>(Radio_Mode_Value(mode)), 0x04, 0x00, 0x05, 0x01, 0x12, 0x01,
                            0x16, 0x17, 0x3A, 0x01, 0x3D, 0x02, 0x37, 0x01};
    return QByteArray(block, sizeof block);
}

bool Expected(In in, const QByteArray& a)
{
    switch (in) {
    case In::OkCr: return a == kOkCr;
    case In::Prompt: return a.size() == 1 && a[0] == Prompt;
    case In::Prompt257: return a.size() == 257 && a.back() == Prompt;
    default: return true;
    }
}

} // namespace

WirelessScan::WirelessScan(ScanEnv& env) : m_env(env) {}

void WirelessScan::Begin(const WirelessSettings& settings, UpdateListWirelessSlaveProc update)
{
    m_settings = settings;
    m_update = std::move(update);
    New_Frame_Wireless = false;
    Step_Scan = wireless::Start;
    m_env.link.Set_Listening(false, RadioModule);
}

QByteArray WirelessScan::Payload(const Row& row) const
{
    const QByteArray text = row.length ? QByteArray(row.text, row.length) : QByteArray(row.text);
    auto line = [&](long value) { return text + QByteArray::number(static_cast<qlonglong>(value)) + '\r'; };
    switch (row.out) {
    case Out::Text: return text;
    case Out::TextMode: return line(m_settings.wMBusMode);
    case Out::TextChannel: return line(m_settings.wMBusRadioChannel);
    case Out::TextKeyHead: return line(m_keyHead[static_cast<size_t>(row.arg)]);
    case Out::TextKeyByte:
        return text + QByteArray::number(470 + Index_Key_Send) + '=' +
               QByteArray::number(Wireless_Key[static_cast<size_t>(Index_Key_Send)]) + '\r';
    case Out::Config: return Build_Radio_Config(m_settings.wMBusMode);
    case Out::ErasePosition: return QByteArray(1, static_cast<char>(Index_RadioCrafts_Erase_Position));
    case Out::KeyPosition: return QByteArray(1, static_cast<char>(m_keyPosition));
    case Out::EntryHead: {
        // Address (lowest byte first), manufacturer (low first), version, device type.
        const std::array<uint8_t, 8>& h = m_keyHead;
        const char head[8] = {static_cast<char>(h[2]), static_cast<char>(h[3]), static_cast<char>(h[4]),
                              static_cast<char>(h[5]), static_cast<char>(h[0]), static_cast<char>(h[1]),
                              static_cast<char>(h[6]), static_cast<char>(h[7])};
        return QByteArray(head, 8);
    }
    case Out::KeyBytes:
        return QByteArray(reinterpret_cast<const char*>(Wireless_Key.data()), KeyBytesCount);
    }
    return {};
}

void WirelessScan::Fail()
{
    m_env.flags.Result = 2;
    Step_Scan = wireless::Close;
}

void WirelessScan::Take_Frames()
{
    for (const QByteArray& frame : m_env.link.Take_Frames()) {
        const DecodeContext ctx = m_env.context(true);
        TSlave_wMBus copy;
        int index;
        {
            std::lock_guard lock(m_env.slaves.mutex);
            index = Decode_Wireless_Frame(m_env.slaves.wireless, frame, RadioModule, ctx,
                                          QDateTime::currentDateTime());
            if (index >= 0)
                copy = *m_env.slaves.wireless[index];
        }
        if (index < 0)
            continue;
        New_Frame_Wireless = true;
        Guarded_Call(m_update, index, m_settings.From_DLL ? nullptr : &copy);
    }
}

void WirelessScan::Run_Row(const Row* rows, size_t count)
{
    ConverterLink& link = m_env.link;
    const Row* row = nullptr;
    size_t at = 0;
    for (; at < count; ++at)
        if (rows[at].step == Step_Scan || rows[at].step + 1 == Step_Scan) {
            row = &rows[at];
            break;
        }
    if (!row)
        return;

    if (Step_Scan == row->step) {
        if (row->step == wireless::TelitKey || row->step == wireless::RadioCraftsKey)
            link.Set_Listening(false, RadioModule);
        if (row->step == wireless::RadioCraftsSetUp) {
            Index_RadioCrafts_Position_Used = 1;
            Index_RadioCrafts_Erase_Position = 1;
        }
        link.TimeOut_Calc = static_cast<uint32_t>(row->timeoutMs);
        link.Send_Command(Payload(*row), m_settings.Port_Wireless);
        Step_Scan = row->step + 1;
        return;
    }

    bool go = row->in == In::None;
    if (!go && link.Answer_Arrived()) {
        if (!Expected(row->in, link.Take_Answer()))
            return Fail();
        go = true;
    }
    if (!go && link.Answer_TimeOut()) {
        if (row->in != In::Any)
            return Fail();
        go = true;
    }
    if (!go)
        return;

    // Loops: the 16 key bytes, the 64 key-table positions emptied.
    if (row->out == Out::TextKeyByte && ++Index_Key_Send < KeyBytesCount) {
        Step_Scan = row->step;
        return;
    }
    if (row->step == 314 && ++Index_RadioCrafts_Erase_Position <= KeyTableSize) {
        Step_Scan = 312;
        return;
    }
    if (row->next == Listen) {
        link.Set_Listening(true, RadioModule);
        Step_Scan = RadioModule == rmTelit ? TelitListening : RadioCraftsListening;
        return;
    }
    if (row->next != NextRow) {
        Step_Scan = row->next;
        return;
    }
    size_t n = at + 1;
    while (n < count && rows[n].skippedInN && N_Mode(m_settings.wMBusMode))
        ++n;
    Step_Scan = n < count ? rows[n].step : wireless::Close;
}

void WirelessScan::Scan_Decode_Wireless()
{
    ConverterLink& link = m_env.link;
    ScanFlags& flags = m_env.flags;
    Take_Frames();
    if ((flags.AbortScan || flags.StopScan) && Step_Scan < wireless::Close)
        Step_Scan = wireless::Close;
    const bool serial = m_settings.Select_Hardware == shSerial;

    switch (Step_Scan) {
    case wireless::Close:
        Count_Disable_Analyzer = 0;
        flags.AbortScan = false;
        flags.StopScan = false;
        link.Set_Listening(false, RadioModule);
        Step_Scan = 501;
        return;
    case 501:
        if (serial || Count_Disable_Analyzer > 2) {
            Close_Link();
        } else {
            ++Count_Disable_Analyzer;
            link.TimeOut_Calc = CommandTimeoutMs;
            link.Send_Command(command::DisableConfiguration, m_settings.Port_Wireless);
            Step_Scan = 502;
        }
        return;
    case 502:
        if (link.Answer_Arrived()) {
            if (link.Take_Answer() == reply::ConfigurationDisabled)
                Close_Link();
            else
                Step_Scan = 501;
        } else if (link.Answer_TimeOut()) {
            Step_Scan = 501;
        }
        return;
    case wireless::Closed:
        return;
    default:
        break;
    }
    // Over the serial port the module is never talked to.
    if (serial)
        return;

    switch (Step_Scan) {
    case wireless::Start:
        link.Set_Listening(false, RadioModule);
        flags.Result = 1;
        link.TimeOut_Calc = CommandTimeoutMs;
        link.Send_Command(command::EnableConfiguration, m_settings.Port_Wireless);
        Step_Scan = 1;
        return;
    case 1:
    case 3:
        if (link.Answer_Arrived()) {
            const QByteArray a = link.Take_Answer();
            if (Step_Scan == 1 && a == reply::ConfigurationEnabled) {
                Step_Scan = 2;
            } else if (Step_Scan == 3 && a == reply::Telit) {
                RadioModule = rmTelit;
                Step_Scan = wireless::TelitSetUp;
            } else if (Step_Scan == 3 && a == reply::RadioCrafts) {
                RadioModule = rmRadioCrafts;
                Step_Scan = wireless::RadioCraftsSetUp;
            } else {
                Fail();
            }
        } else if (link.Answer_TimeOut()) {
            Fail();
        }
        return;
    case 2:
        flags.Result = 1;
        link.TimeOut_Calc = CommandTimeoutMs;
        link.Send_Command(command::TypeRadioModule, m_settings.Port_Wireless);
        Step_Scan = 3;
        return;
    case TelitListening:
    case RadioCraftsListening:
        return;
    default:
        if (RadioModule == rmTelit)
            Run_Row(kTelit, std::size(kTelit));
        else
            Run_Row(kRadioCrafts, std::size(kRadioCrafts));
        return;
    }
}

bool WirelessScan::Insert_Wireless_Key(int32_t index, const std::array<uint8_t, 16>& key)
{
    Wireless_Key = key;
    if (Step_Scan != TelitListening && Step_Scan != RadioCraftsListening)
        return false;
    std::lock_guard lock(m_env.slaves.mutex);
    if (index < 0 || index >= m_env.slaves.wireless.size())
        return false;
    TSlave_wMBus& meter = *m_env.slaves.wireless[index];
    if (RadioModule == rmRadioCrafts && meter.RadioCrafts_Ind_Tab_Decript < 0) {
        if (Index_RadioCrafts_Position_Used > KeyTableSize)
            return false;
        meter.RadioCrafts_Ind_Tab_Decript = Index_RadioCrafts_Position_Used++;
    }
    Wireless_Key_Index = index;
    meter.Enable_Key = true;
    meter.Key = key;
    m_keyHead = {static_cast<uint8_t>(meter.ALA_Manufacturer & 0xFF),
                 static_cast<uint8_t>(meter.ALA_Manufacturer >> 8),
                 static_cast<uint8_t>(meter.ALA_Address & 0xFF),
                 static_cast<uint8_t>(meter.ALA_Address >> 8 & 0xFF),
                 static_cast<uint8_t>(meter.ALA_Address >> 16 & 0xFF),
                 static_cast<uint8_t>(meter.ALA_Address >> 24),
                 meter.ALA_Version,
                 meter.ALA_DeviceType};
    m_keyPosition = meter.RadioCrafts_Ind_Tab_Decript;
    Index_Key_Send = 0;
    Step_Scan = RadioModule == rmTelit ? wireless::TelitKey : wireless::RadioCraftsKey;
    return true;
}

void WirelessScan::Close_Link()
{
    Step_Scan = wireless::Closed;
    m_env.link.Close();
    if (!m_env.SaveXMLFile.isEmpty() && m_env.writeWirelessDump) {
        std::lock_guard lock(m_env.slaves.mutex);
        m_env.writeWirelessDump(m_env.SaveXMLFile, m_env.slaves.wireless);
    }
    m_env.flags.InScan = false;
}

} // namespace mbus
