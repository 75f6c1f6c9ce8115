#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

// Outcome of one ICMP echo request.
struct IcmpEchoResult
{
    enum Status {
        Answered,      // the reply came within the time-out
        NoReply,       // nothing came within the time-out
        Failed,        // bad address, or the request could not be sent
        NotPermitted,  // the system allows neither ICMP datagram nor raw sockets
    };
    Status status = NoReply;
    int bytesReceived = 0;  // data bytes of the reply (0 without one)
    QString error;          // when Failed or NotPermitted: the reason
};

// Sends one echo request carrying data to host (a dotted IPv4 address) and
// waits at most timeoutMs for its reply. Uses an ICMP datagram socket, falling
// back to a raw socket where datagram sockets are not allowed.
IcmpEchoResult IcmpEcho(const QString& host, const QByteArray& data, int timeoutMs, uint16_t sequence = 0);

namespace platform {

// Reads one datagram received on the echo socket: the number of data bytes
// when it is the echo reply to our request (sequence; on a raw socket, where
// the datagram starts with its IPv4 header, also our identifier), else -1.
// A datagram socket's system sets the identifier and passes only our replies.
int EchoReplyDataLength(const uint8_t* datagram, size_t size, bool raw, uint16_t identifier, uint16_t sequence);

} // namespace platform
