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
