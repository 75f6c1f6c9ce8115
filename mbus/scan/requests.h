#pragma once
// The M-Bus link-layer requests the scans send, the converter's answers told
// apart, and the answer time-outs.
#include "mbus/core/telegram.h"

#include <array>
#include <cstdint>
#include <vector>

namespace mbus {

constexpr uint8_t SelectedAddress = 0xFD;    // the meter chosen by secondary address
constexpr uint8_t BroadcastAddress = 0xFF;
constexpr int HighestPrimaryAddress = 250;

// Requests, checksum included: SND_NKE, REQ_UD2, application reset, and the
// selection by secondary address (digits A..H, A the most significant; -1 is
// a wildcard). fixC / fixCValue are the scan's "Use Fix C Field" option.
std::vector<uint8_t> Build_SND_NKE(uint8_t address);
std::vector<uint8_t> Build_REQ_UD2(uint8_t address, int framesRead, bool fixC, uint8_t fixCValue);
std::vector<uint8_t> Build_App_Reset(uint8_t address, bool fixC, uint8_t fixCValue);
std::vector<uint8_t> Build_Select_Secondary(const std::array<int, 8>& digits, bool fixC, uint8_t fixCValue);

// What came back for a request.
enum class AnswerKind {
    Acknowledge,   // the single byte E5
    NoSlave,       // the converter's "NO_SLAVE" LF CR, exactly
    Telegram,      // a long frame that passes the telegram check
    Other,         // anything else (several meters at once, a damaged frame)
};
AnswerKind Classify_Answer(Bytes answer);

// The A field of a long frame (byte 5); -1 when the answer is shorter.
int Answer_Address(Bytes answer);

// Time-outs of Baudrate-dependent answers: K div Baudrate + 450 ms, a
// Baudrate below 1 taken as 2400.
constexpr uint32_t ShortAnswerK = 330000;     // acknowledge or nothing
constexpr uint32_t LongAnswerK = 3245000;     // a long frame
constexpr uint32_t CommandTimeoutMs = 1000;   // the converter's text commands
uint32_t Answer_TimeOut_Ms(uint32_t k, int32_t baudrate);

// True when the answer to a request sent at startSend is overdue at now: now
// beyond startSend + timeout (summed without wrapping), or now below
// startSend (the tick counter wrapped since the send).
bool Answer_Overdue(uint32_t now, uint32_t startSend, uint32_t timeout);

} // namespace mbus
