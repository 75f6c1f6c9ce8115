#include "platform/udp_endpoint.h"

#include <QMetaObject>
#include <QObject>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

QString SystemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

class SystemResolver : public UdpResolver
{
public:
    bool Resolve(const QString& host, QHostAddress& address, QString& error) override
    {
        const QByteArray name = host.trimmed().toUtf8();
        in_addr numeric{};
        if (inet_pton(AF_INET, name.constData(), &numeric) == 1) {
            address = QHostAddress(ntohl(numeric.s_addr));
            return true;
        }
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo* found = nullptr;
        const int rc = getaddrinfo(name.constData(), nullptr, &hints, &found);
        if (rc != 0 || !found) {
            error = QStringLiteral("Host not found: %1 (%2)").arg(host, QString::fromLocal8Bit(gai_strerror(rc)));
            return false;
        }
        address = QHostAddress(ntohl(reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr));
        freeaddrinfo(found);
        return true;
    }
};

std::mutex g_hooksMutex;
UdpResolver* g_resolver = nullptr;
UdpSendGuard g_guard;

SystemResolver& DefaultResolver()
{
    static SystemResolver resolver;
    return resolver;
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

UdpEndpoint::UdpEndpoint() = default;

UdpEndpoint::~UdpEndpoint()
{
    Close();
}

UdpResolver* UdpEndpoint::SetResolver(UdpResolver* resolver)
{
    std::lock_guard lock(g_hooksMutex);
    return std::exchange(g_resolver, resolver);
}

UdpSendGuard UdpEndpoint::SetSendGuard(UdpSendGuard guard)
{
    std::lock_guard lock(g_hooksMutex);
    return std::exchange(g_guard, std::move(guard));
}

bool UdpEndpoint::Open(const QHostAddress& localAddress, uint16_t localPort, QString* error)
{
    Close();
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("UDP port %1: %2").arg(localPort).arg(why);
        return false;
    };
    bool ok = false;
    const quint32 ip = localAddress.isNull() || localAddress == QHostAddress(QHostAddress::Any)
                           ? INADDR_ANY
                           : localAddress.toIPv4Address(&ok);
    if (!localAddress.isNull() && localAddress != QHostAddress(QHostAddress::Any) && !ok)
        return fail(QStringLiteral("not an IPv4 address: %1").arg(localAddress.toString()));

    // No SO_REUSEADDR: a port that another socket holds must fail.
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return fail(SystemError(errno));
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(localPort);
    addr.sin_addr.s_addr = htonl(ip);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(SystemError(code));
    }
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(SystemError(code));
    }
    std::lock_guard lock(m_mutex);
    m_fd = fd;
    m_wake[0] = wake[0];
    m_wake[1] = wake[1];
    m_port = ntohs(addr.sin_port);
    return true;
}

bool UdpEndpoint::IsOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_fd >= 0;
}

uint16_t UdpEndpoint::LocalPort() const
{
    std::lock_guard lock(m_mutex);
    return m_port;
}

void UdpEndpoint::SetMaxDatagram(int bytes)
{
    std::lock_guard lock(m_mutex);
    m_maxDatagram = bytes;
}

void UdpEndpoint::StartReceiving(Handler handler)
{
    Start(std::move(handler));
}

void UdpEndpoint::StartReceiving(QObject* context, Handler handler)
{
    auto live = std::make_shared<std::atomic<bool>>(true);
    {
        std::lock_guard lock(m_mutex);
        m_live = live;
    }
    Start([context, live, handler = std::move(handler)](const UdpDatagram& d) {
        if (!live->load())
            return;
        QMetaObject::invokeMethod(
            context, [live, handler, d] {
                if (live->load())
                    handler(d);
            },
            Qt::QueuedConnection);
    });
}

void UdpEndpoint::Start(Handler deliver)
{
    std::lock_guard lock(m_mutex);
    if (m_fd < 0 || m_thread.joinable())
        return;
    m_thread = std::thread(&UdpEndpoint::ReceiveLoop, this, std::move(deliver), m_fd, m_wake[0], m_maxDatagram);
}

void UdpEndpoint::ReceiveLoop(Handler deliver, int fd, int wakeFd, int maxDatagram)
{
    std::vector<char> buffer(65536);
    for (;;) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        sockaddr_in from{};
        socklen_t len = sizeof from;
        // MSG_TRUNC gives the datagram's whole length, so an oversize one is seen and dropped.
        const ssize_t n = ::recvfrom(fd, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr*>(&from), &len);
        if (n < 0 || n > maxDatagram || static_cast<size_t>(n) > buffer.size())
            continue;
        UdpDatagram d;
        d.data = QByteArray(buffer.data(), static_cast<qsizetype>(n));
        d.sender = QHostAddress(ntohl(from.sin_addr.s_addr));
        d.senderPort = ntohs(from.sin_port);
        deliver(d);
    }
}

bool UdpEndpoint::Resolve(const QString& host, QHostAddress& address, QString* error)
{
    QString why;
    bool resolved;
    {
        std::lock_guard lock(g_hooksMutex);
        resolved = (g_resolver ? *g_resolver : static_cast<UdpResolver&>(DefaultResolver())).Resolve(host, address, why);
    }
    if (!resolved && error)
        *error = why;
    return resolved;
}

bool UdpEndpoint::Send(const QString& host, uint16_t port, const QByteArray& data, QString* error)
{
    QHostAddress to;
    return Resolve(host, to, error) && Send(to, port, data, error);
}

bool UdpEndpoint::Send(const QHostAddress& to, uint16_t port, const QByteArray& data, QString* error)
{
    bool ok = false;
    const quint32 ip = to.toIPv4Address(&ok);
    if (!ok) {
        if (error)
            *error = QStringLiteral("Not an IPv4 address: %1").arg(to.toString());
        return false;
    }
    {
        std::lock_guard lock(g_hooksMutex);
        QString why;
        if (g_guard && !g_guard(to, port, why)) {
            if (error)
                *error = why;
            return false;
        }
    }
    std::lock_guard lock(m_mutex);
    if (m_fd < 0) {
        if (error)
            *error = QStringLiteral("UDP socket not open");
        return false;
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(ip);
    if (::sendto(m_fd, data.constData(), static_cast<size_t>(data.size()), 0, reinterpret_cast<sockaddr*>(&addr),
                 sizeof addr) < 0) {
        if (error)
            *error = QStringLiteral("UDP send to %1:%2: %3").arg(to.toString()).arg(port).arg(SystemError(errno));
        return false;
    }
    return true;
}

void UdpEndpoint::Close()
{
    std::thread thread;
    {
        std::lock_guard lock(m_mutex);
        if (m_live)
            m_live->store(false);
        m_live.reset();
        thread = std::move(m_thread);
        if (thread.joinable() && m_wake[1] >= 0) {
            const char stop = 1;
            [[maybe_unused]] const ssize_t n = ::write(m_wake[1], &stop, 1);
        }
    }
    // The handler may send while it runs: join without holding the lock.
    if (thread.joinable())
        thread.join();
    std::lock_guard lock(m_mutex);
    CloseFd(m_fd);
    CloseFd(m_wake[0]);
    CloseFd(m_wake[1]);
    m_port = 0;
}
