#pragma once
// The two ways to the converter: UDP datagrams, and the serial port.
#include "mbus/scan/comm.h"
#include "mbus/scan/link.h"
#include "mbus/scan/serial_answer.h"
#include "platform/udp_endpoint.h"

#include <QHostAddress>
#include <memory>
#include <mutex>

namespace mbus {

// Datagrams to the converter's address; only datagrams from that address
// (any port) count as its answers; those over 2048 bytes are dropped.
class UdpLinkTransport : public LinkTransport
{
public:
    static constexpr int MaxDatagram = 2048;

    // Binds localAddress:localPort for the scan and remembers the converter's
    // address text. Throws, naming the port, when the bind fails.
    void Open(const QHostAddress& localAddress, uint16_t localPort, const QString& converter);
    uint16_t LocalPort() const { return m_endpoint.LocalPort(); }

    void Attach(ConverterLink* link) override;
    void Send(const QByteArray& bytes, uint16_t port) override;
    void Close() override;

private:
    UdpEndpoint m_endpoint;
    std::mutex m_mutex;   // what the receive thread reads
    ConverterLink* m_link = nullptr;
    QString m_converter;
    QHostAddress m_peer;   // resolved at the first send
};

// Requests written to the serial port; what the port receives is cut into
// answers (SerialAnswerAssembler). The port's received-characters event runs
// on the GUI thread.
class SerialLinkTransport : public LinkTransport
{
public:
    explicit SerialLinkTransport(TickClock& clock);
    ~SerialLinkTransport() override;

    TComm& Comm() { return m_comm; }
    // Opens device at the worker's line settings (115200 8N1, no flow control,
    // buffers 4096). Throws ECommError when it cannot.
    void Open(const QString& device);

    void Attach(ConverterLink* link) override;
    void Send(const QByteArray& bytes, uint16_t port) override;
    void Close() override;
    void Poll(uint32_t now) override;

private:
    void Received(int count);
    void Deliver(const std::vector<QByteArray>& answers);

    TickClock& m_clock;
    TComm m_comm;
    std::mutex m_mutex;   // the assembler and the link: fed on the GUI thread, polled by the worker
    ConverterLink* m_link = nullptr;
    SerialAnswerAssembler m_assembler;
};

} // namespace mbus
