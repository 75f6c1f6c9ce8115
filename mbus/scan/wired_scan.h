#pragma once
// The wired scan as a flat step machine: one call of Scan_Decode does one
// step and at most one send; waiting is returning and looking again at the
// next step. Steps 0 and 1 switch the converter to its analyzer mode, 2 to
// 10 poll the primary addresses 0..250, 100 to 125 search the secondary
// addresses digit by digit, 200 to 203 leave analyzer mode and close the link.
//
// Progress through the callback (kind, address, found, scan type):
//   1, 0, 0, 1|2          polling starts (primary | secondary)
//   2, a, 1|0, 1          primary address a polled: found | not found
//   2, id, 1, 2           a meter read by secondary address (8 BCD digits as hexadecimal)
//   3, 0, 0, 1|2          the scan has ended and the link is closed (after
//                         the last address, or a stopped primary scan)
#include "mbus/scan/scan_env.h"

#include <array>

namespace mbus {

struct WiredSettings
{
    TScanType ScanType = saPrimaryAddress;
    TSelectHard Select_Hardware = shEthernet;
    int32_t Baudrate = 2400;    // the M-Bus line speed; only for answer time-outs
    int32_t Parity = 1;         // stored only
    bool App_Reset = false;
    bool SND_NKE = false;
    int32_t Cut_After = 0;      // most telegrams read from one meter (0 and 1: one)
    bool Fix_C_Field = false;
    uint8_t Fix_C_Field_Value = 0;
    uint16_t ConverterPort = 10000;
};

class WiredScan
{
public:
    explicit WiredScan(ScanEnv& env);

    // Enters step 0 with these settings and callback.
    void Begin(const WiredSettings& settings, UpdateSlaveListProc update);
    // One step.
    void Scan_Decode();

    int32_t Step_Scan = 0;
    const WiredSettings& Settings() const { return m_settings; }

    // The search state (for the tests).
    int32_t ID_Dev_Primary = -1;
    bool ID_Dev_Found = false;
    int32_t Num_Frame_Read = 0;
    int32_t Index_Device = -1;
    std::array<int, 8> Index{};   // Index_A .. Index_H; -1 is a wildcard
    int32_t Sec_Add_Next_Step = 0;
    int32_t Phase_Scan_Sec_Add = 0;
    int32_t Count_Disable_Analyzer = 0;
    bool Enable_Send_In_Last_Step = false;
    uint32_t Type_To_Send_In_Last_Step = 0;

private:
    void Send(std::vector<uint8_t> request, uint32_t k);
    void Short_TimeOut();
    void Long_TimeOut();
    // Decodes a valid telegram into the meter being read; true when it was the last.
    bool Read_Telegram(const QByteArray& answer);
    void Level_First_Step(int level);
    void Level_Second_Step(int level);
    void Close_Link();
    void Notify(int32_t kind, int32_t address, int32_t found, int32_t type);

    ScanEnv& m_env;
    WiredSettings m_settings;
    UpdateSlaveListProc m_update;
};

// Step numbers.
namespace wired {
constexpr int32_t Start = 0;
constexpr int32_t Handshake = 1;
constexpr int32_t PrimaryStart = 2;
constexpr int32_t NextAddress = 4;
constexpr int32_t SecondaryStart = 100;
constexpr int32_t FirstLevelStep = 108;   // level n (1..8): 106 + 2n and 107 + 2n
constexpr int32_t ReadSelected = 124;
constexpr int32_t Close = 200;
constexpr int32_t Closed = 203;
} // namespace wired

} // namespace mbus
