#pragma once
// A UDP socket bound to one local port for itself alone, sending datagrams to
// a host text and port and delivering each datagram it receives, with its
// sender, through a handler: on its own receive thread, or queued to the
// thread of a QObject (the GUI thread for a window).
#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QObject;

struct UdpDatagram
{
    QByteArray data;
    QHostAddress sender;
    uint16_t senderPort = 0;
};

// Turns a host text into an IPv4 address. The program's resolver asks the
// system; tests install one that looks nothing up.
class UdpResolver
{
public:
    virtual ~UdpResolver() = default;
    // False, with error set, when host names no IPv4 address.
    virtual bool Resolve(const QString& host, QHostAddress& address, QString& error) = 0;
};

// Asked before each datagram leaves; false (with error set) stops it.
using UdpSendGuard = std::function<bool(const QHostAddress& to, uint16_t port, QString& error)>;

class UdpEndpoint
{
public:
    using Handler = std::function<void(const UdpDatagram&)>;

    UdpEndpoint();
    ~UdpEndpoint();
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    // Binds localAddress:localPort (port 0: any free port) without sharing:
    // a port another socket holds gives an error, as does a port below 1024
    // without the privilege. On failure error names the port and the reason.
    bool Open(const QHostAddress& localAddress, uint16_t localPort, QString* error = nullptr);
    bool IsOpen() const;
    // The bound port (0 while closed).
    uint16_t LocalPort() const;

    // Datagrams longer than this are dropped whole (default: no limit below
    // the largest UDP datagram). Set before StartReceiving.
    void SetMaxDatagram(int bytes);

    // Starts the receive thread; handler runs on it, one datagram at a time.
    void StartReceiving(Handler handler);
    // Starts the receive thread; each datagram is queued to context's thread
    // and handled there; the receive thread never waits for it. Nothing is
    // handled after Close; close the endpoint before context is destroyed.
    void StartReceiving(QObject* context, Handler handler);

    // One datagram to host:port from the bound socket. False, with error set
    // and nothing sent, when closed, when host does not resolve, when the
    // send guard refuses it or the system fails.
    bool Send(const QString& host, uint16_t port, const QByteArray& data, QString* error = nullptr);
    bool Send(const QHostAddress& to, uint16_t port, const QByteArray& data, QString* error = nullptr);

    // Stops the receive thread (after a handler that runs has returned) and
    // closes the socket. Call it from any thread but the receive thread.
    void Close();

    // host through the installed resolver.
    static bool Resolve(const QString& host, QHostAddress& address, QString* error = nullptr);
    // The resolver every endpoint uses (nullptr: the system's); returns the one before.
    static UdpResolver* SetResolver(UdpResolver* resolver);
    // The guard every endpoint asks before sending; returns the one before.
    static UdpSendGuard SetSendGuard(UdpSendGuard guard);

private:
    void Start(Handler deliver);
    void ReceiveLoop(Handler deliver, int fd, int wakeFd, int maxDatagram);

    mutable std::mutex m_mutex;
    int m_fd = -1;
    int m_wake[2] = {-1, -1};
    uint16_t m_port = 0;
    int m_maxDatagram = 65507;
    std::thread m_thread;
    std::shared_ptr<std::atomic<bool>> m_live;   // queued deliveries check it
};
