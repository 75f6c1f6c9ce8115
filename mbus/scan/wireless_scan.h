#pragma once
// The wireless scan as a flat step machine: steps 0 to 3 enter the
// converter's configuration mode and identify the radio module; 100 to 133
// (Telit) or 300 to 319 (RadioCrafts) set the module up; 134 or 320 listen;
// 200 to 221 or 400 to 419 load a meter's key and return to listening; 500 to
// 503 leave configuration mode and close the link. Frames heard while
// listening queue in the link and are taken in by the next step.
#include "mbus/scan/scan_env.h"

#include <array>

namespace mbus {

struct WirelessSettings
{
    TSelectHard Select_Hardware = shEthernet;
    uint16_t Port_Wireless = 502;
    int32_t wMBusMode = 1;
    int32_t wMBusRadioChannel = 0;
    bool From_DLL = false;
};

class WirelessScan
{
public:
    explicit WirelessScan(ScanEnv& env);

    void Begin(const WirelessSettings& settings, UpdateListWirelessSlaveProc update);
    // One step.
    void Scan_Decode_Wireless();
    // Loads key for the meter at index when the module listens (true);
    // false, and nothing loaded, otherwise or when the module's key table is full.
    bool Insert_Wireless_Key(int32_t index, const std::array<uint8_t, 16>& key);

    int32_t Step_Scan = 0;
    TRadioModule RadioModule = rmTelit;
    std::atomic<bool> New_Frame_Wireless{false};   // read by the GUI thread
    std::array<uint8_t, 16> Wireless_Key{};
    int32_t Wireless_Key_Index = -1;
    int32_t Index_Key_Send = 0;
    int32_t Index_RadioCrafts_Erase_Position = 0;
    int32_t Index_RadioCrafts_Position_Used = 1;
    int32_t Count_Disable_Analyzer = 0;

    static constexpr int32_t TelitListening = 134;
    static constexpr int32_t RadioCraftsListening = 320;
    static constexpr int32_t KeyTableSize = 64;

    struct Row;   // one command of a module's set-up or key loading

private:
    void Take_Frames();
    void Run_Row(const Row* rows, size_t count);
    QByteArray Payload(const Row& row) const;
    void Fail();
    void Close_Link();

    ScanEnv& m_env;
    WirelessSettings m_settings;
    UpdateListWirelessSlaveProc m_update;
    std::array<uint8_t, 8> m_keyHead{};   // the meter's identity fields for the key table
    int32_t m_keyPosition = 0;
};

namespace wireless {
constexpr int32_t Start = 0;
constexpr int32_t TelitSetUp = 100;
constexpr int32_t TelitKey = 200;
constexpr int32_t RadioCraftsSetUp = 300;
constexpr int32_t RadioCraftsKey = 400;
constexpr int32_t Close = 500;
constexpr int32_t Closed = 503;
} // namespace wireless

} // namespace mbus
