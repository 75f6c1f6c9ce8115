#include "icmp_echo.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr uint8_t kEchoRequest = 8;
constexpr uint8_t kEchoReply = 0;
constexpr int kIcmpHeader = 8;
// Raw-socket receive filter (Linux): a bit set drops that ICMP type.
constexpr int kIcmpFilterOption = 1;

struct Socket
{
    int fd = -1;
    bool raw = false;
    ~Socket()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

QString ErrnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

bool IsPermissionError(int err)
{
    return err == EACCES || err == EPERM;
}

uint16_t Checksum(const QByteArray& bytes)
{
    uint32_t sum = 0;
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.constData());
    qsizetype n = bytes.size();
    for (; n > 1; p += 2, n -= 2)
        sum += uint32_t(p[0]) << 8 | p[1];
    if (n == 1)
        sum += uint32_t(p[0]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint16_t>(~sum);
}

QByteArray EchoPacket(uint16_t identifier, uint16_t sequence, const QByteArray& data)
{
    QByteArray packet(kIcmpHeader, '\0');
    packet[0] = char(kEchoRequest);
    packet[4] = char(identifier >> 8);
    packet[5] = char(identifier & 0xFF);
    packet[6] = char(sequence >> 8);
    packet[7] = char(sequence & 0xFF);
    packet.append(data);
    const uint16_t sum = Checksum(packet);
    packet[2] = char(sum >> 8);
    packet[3] = char(sum & 0xFF);
    return packet;
}

// Opens an ICMP datagram socket, else a raw one. On failure error says why
// and notPermitted tells whether the system refused both.
bool OpenSocket(Socket& s, QString& error, bool& notPermitted)
{
    notPermitted = false;
    s.fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (s.fd >= 0)
        return true;
    const int datagramErr = errno;
    s.fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (s.fd >= 0) {
        s.raw = true;
        const uint32_t dropAllButReplies = ~(1u << kEchoReply);
        ::setsockopt(s.fd, SOL_RAW, kIcmpFilterOption, &dropAllButReplies, sizeof dropAllButReplies);
        return true;
    }
    const int rawErr = errno;
    notPermitted = IsPermissionError(rawErr)
                   && (IsPermissionError(datagramErr) || datagramErr == EPROTONOSUPPORT
                       || datagramErr == ESOCKTNOSUPPORT);
    error = notPermitted
                ? QStringLiteral("ICMP echo is not permitted on this system (datagram socket: %1; raw socket: %2)")
                      .arg(ErrnoText(datagramErr), ErrnoText(rawErr))
                : QStringLiteral("No ICMP socket: %1").arg(ErrnoText(rawErr));
    return false;
}

uint16_t NextIdentifier()
{
    static uint16_t counter = 0;
    return static_cast<uint16_t>((uint32_t(::getpid()) * 31u + ++counter) & 0xFFFF);
}

} // namespace

namespace platform {

int EchoReplyDataLength(const uint8_t* datagram, size_t size, bool raw, uint16_t identifier, uint16_t sequence)
{
    size_t at = 0;
    if (raw) {
        // An IPv4 header of at least 20 bytes comes first.
        if (size < 1 || datagram[0] >> 4 != 4 || (datagram[0] & 0x0F) < 5)
            return -1;
        at = size_t(datagram[0] & 0x0F) * 4;
    }
    if (size < at + kIcmpHeader)
        return -1;
    const uint8_t* icmp = datagram + at;
    const uint16_t id = uint16_t(icmp[4] << 8 | icmp[5]);
    const uint16_t seq = uint16_t(icmp[6] << 8 | icmp[7]);
    if (icmp[0] != kEchoReply || seq != sequence || (raw && id != identifier))
        return -1;
    return int(size - at - kIcmpHeader);
}

} // namespace platform

IcmpEchoResult IcmpEcho(const QString& host, const QByteArray& data, int timeoutMs, uint16_t sequence)
{
    IcmpEchoResult result;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    if (::inet_pton(AF_INET, host.toLatin1().constData(), &target.sin_addr) != 1) {
        result.status = IcmpEchoResult::Failed;
        result.error = QStringLiteral("Not an IPv4 address: %1").arg(host);
        return result;
    }

    Socket s;
    bool notPermitted = false;
    if (!OpenSocket(s, result.error, notPermitted)) {
        result.status = notPermitted ? IcmpEchoResult::NotPermitted : IcmpEchoResult::Failed;
        return result;
    }

    // A datagram socket gets its identifier from the system and only sees
    // its own replies; a raw socket sees every reply, told apart by ours.
    const uint16_t identifier = s.raw ? NextIdentifier() : 0;
    const QByteArray packet = EchoPacket(identifier, sequence, data);
    if (::sendto(s.fd, packet.constData(), size_t(packet.size()), 0, reinterpret_cast<sockaddr*>(&target),
                 sizeof target) < 0) {
        result.status = IcmpEchoResult::Failed;
        result.error = QStringLiteral("Cannot send the echo request to %1: %2").arg(host, ErrnoText(errno));
        return result;
    }

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    QByteArray buffer(65536, '\0');
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{s.fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = ::recvfrom(s.fd, buffer.data(), size_t(buffer.size()), 0,
                                     reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 0)
            continue;
        if (from.sin_addr.s_addr != target.sin_addr.s_addr)
            continue;
        const int length =
            platform::EchoReplyDataLength(reinterpret_cast<const uint8_t*>(buffer.constData()), size_t(n), s.raw,
                                          identifier, sequence);
        if (length < 0)
            continue;
        result.status = IcmpEchoResult::Answered;
        result.bytesReceived = length;
        return result;
    }
    result.status = IcmpEchoResult::NoReply;
    return result;
}
