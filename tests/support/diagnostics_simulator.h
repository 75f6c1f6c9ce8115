#pragma once
// The converter's side of the diagnostics commands, for the tests: on
// 127.0.0.1 (an ephemeral port) it keeps a 1024-bit disable map, a counter
// per poll and the transparent flag, logs every datagram with its sender,
// and replies to the sender's address and port in the way the test chose.
#include "platform/udp_endpoint.h"

#include <QByteArray>
#include <QHostAddress>
#include <QString>

#include <array>
#include <bitset>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

namespace diagsim {

enum class ReplyMode {
    Normal,       // full replies: B0 + 128 map bytes, B2 + 1024 counters, B4 + flag
    Short,        // B0 and B4 alone, B2 with two counters and 3 stray bytes
    Long,         // B0 + 200 bytes, B2 + 1100 counters + 2 bytes, B4 + flag + 2 bytes
    Twice,        // the normal reply, sent twice
    Late,         // the normal reply, held until ReleaseLate
    Silent,       // no reply
    OtherAddress, // the normal reply, from 127.0.0.2
};

struct Logged
{
    QByteArray data;
    QHostAddress sender;
    uint16_t senderPort = 0;
};

constexpr int kPolls = 1024;

class DiagnosticsSimulator
{
public:
    DiagnosticsSimulator();
    ~DiagnosticsSimulator();
    DiagnosticsSimulator(const DiagnosticsSimulator&) = delete;
    DiagnosticsSimulator& operator=(const DiagnosticsSimulator&) = delete;

    // Empty when both sockets are bound.
    const QString& Error() const { return m_error; }
    uint16_t Port() const { return m_endpoint.LocalPort(); }

    void SetMode(ReplyMode mode);
    // Sends the replies held in Late mode, oldest first.
    void ReleaseLate();

    void SetDisabled(int poll, bool disabled);
    bool Disabled(int poll) const;
    void SetCounter(int poll, uint32_t value);
    void SetTransparent(bool on);
    bool Transparent() const;

    // Every datagram received, in order.
    std::vector<Logged> Log() const;
    // Waits (bounded) until the log holds at least n datagrams.
    bool WaitForLog(size_t n, std::chrono::milliseconds limit = std::chrono::seconds(3)) const;

    // A datagram nobody asked for, to 127.0.0.1:port, from the simulator's
    // port or from 127.0.0.2.
    void SendUnsolicited(uint16_t port, const QByteArray& bytes, bool fromOtherAddress = false);

    // The reply to a request in the given mode (empty: none).
    QByteArray ReplyTo(const QByteArray& request, ReplyMode mode) const;

private:
    void Receive(const UdpDatagram& d);
    void Apply(const QByteArray& request);

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_logged;
    std::bitset<kPolls> m_disabled;
    std::array<uint32_t, kPolls> m_counters{};
    bool m_transparent = false;
    ReplyMode m_mode = ReplyMode::Normal;
    std::vector<Logged> m_log;
    std::vector<Logged> m_held;   // late replies: bytes, to whom
    QString m_error;
    UdpEndpoint m_endpoint;
    UdpEndpoint m_other;
};

} // namespace diagsim
