#pragma once
// The converter's diagnostics commands over UDP: request datagrams and the
// decoding of replies. No sockets and no widgets.
#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <cstdint>

namespace editors {

// Polls the window shows (512 read + 512 write).
constexpr int kDiagnosticsPolls = 1024;

// The code of the last request whose reply the window waits for (Last_CMD).
enum DiagnosticsCommand : int32_t {
    CmdNone = -1,
    CmdReadStatus = 0,      // B0
    CmdReadErrors = 2,      // B2
    CmdReadTransparent = 4, // B4
    CmdSlavePolls = 5,      // B5
    CmdSinglePoll = 6,      // B6
};

// First bytes of the datagrams.
enum : uint8_t {
    kB0ReadStatus = 0xB0,
    kB1WriteStatus = 0xB1,
    kB2ReadErrors = 0xB2,
    kB3WriteTransparent = 0xB3,
    kB4ReadTransparent = 0xB4,
    kB5SlavePolls = 0xB5,
    kB6SinglePoll = 0xB6,
};

QByteArray ReadStatusRequest();           // B0
QByteArray ReadErrorsRequest();           // B2
QByteArray ReadTransparentRequest();      // B4
// B1, 128 bitmap bytes, 00: bit p mod 8 of bitmap byte p div 8 is set when
// writeStatus[p] is exactly "Disable" (missing entries count as enabled).
QByteArray WriteStatusRequest(const QStringList& writeStatus);
// B3 01 to enable, B3 00 to disable.
QByteArray WriteTransparentRequest(bool enable);
// B5 id pos and B6 number pos: pos is the list position, 00 enable, 01 disable.
QByteArray SlavePollsRequest(uint8_t slaveId, uint8_t listPosition);
QByteArray SinglePollRequest(uint8_t poll, uint8_t listPosition);

// Receives what a reply says; polls are 0-based and below kDiagnosticsPolls.
class ReplySink
{
public:
    virtual ~ReplySink() = default;
    virtual void PollStatus(int poll, bool disabled) = 0;
    virtual void PollErrors(int poll, uint32_t errors) = 0;
    virtual void TransparentMode(bool enabled) = 0;
};

// Applies the reply rule that matches the first byte and lastCmd: B0 (at
// least 2 bytes, lastCmd 0), B2 (lastCmd 2, whole 4-byte groups only), B4
// (at least 2 bytes, lastCmd 4). False when no rule matches (empty
// datagrams included). Values for polls beyond the table are dropped.
bool DecodeReply(int32_t lastCmd, QByteArrayView data, ReplySink& sink);

} // namespace editors
