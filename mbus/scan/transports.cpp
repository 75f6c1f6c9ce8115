#include "mbus/scan/transports.h"

#include <cerrno>
#include <stdexcept>

namespace mbus {

void UdpLinkTransport::Open(const QHostAddress& localAddress, uint16_t localPort, const QString& converter)
{
    Close();
    QString error;
    if (!m_endpoint.Open(localAddress, localPort, &error))
        throw std::runtime_error(error.toStdString());
    {
        std::lock_guard lock(m_mutex);
        m_converter = converter;
        m_peer.clear();
    }
    m_endpoint.SetMaxDatagram(MaxDatagram);
    m_endpoint.StartReceiving([this](const UdpDatagram& d) {
        std::lock_guard lock(m_mutex);
        if (!m_peer.isNull() && d.sender == m_peer && m_link)
            m_link->Deliver(d.data);
    });
}

void UdpLinkTransport::Attach(ConverterLink* link)
{
    std::lock_guard lock(m_mutex);
    m_link = link;
}

void UdpLinkTransport::Send(const QByteArray& bytes, uint16_t port)
{
    QString host;
    {
        std::lock_guard lock(m_mutex);
        host = m_converter;
    }
    QHostAddress to;
    QString error;
    if (!UdpEndpoint::Resolve(host, to, &error))
        throw std::runtime_error(error.toStdString());
    {
        std::lock_guard lock(m_mutex);
        m_peer = to;
    }
    if (!m_endpoint.Send(to, port, bytes, &error))
        throw std::runtime_error(error.toStdString());
}

void UdpLinkTransport::Close()
{
    m_endpoint.Close();
}

SerialLinkTransport::SerialLinkTransport(TickClock& clock)
    : m_clock(clock), m_assembler(Serial_Answer_Gap_Ms(115200))
{
    m_comm.SetBaudRate(br115200);
    m_comm.SetDatabits(da8);
    m_comm.SetFlowControl(fcNone);
    m_comm.SetParity(paNone);
    m_comm.SetStopbits(sb10);
    m_comm.SetReadBufSize(4096);
    m_comm.SetWriteBufSize(4096);
    m_comm.OnRxChar = [this](TComm&, int count) { Received(count); };
}

SerialLinkTransport::~SerialLinkTransport()
{
    m_comm.Close();
}

void SerialLinkTransport::Open(const QString& device)
{
    m_comm.Close();
    m_comm.SetDeviceName(device);
    {
        std::lock_guard lock(m_mutex);
        m_assembler.Reset();
    }
    m_comm.Open();
}

void SerialLinkTransport::Send(const QByteArray& bytes, uint16_t)
{
    if (m_comm.Write(bytes.constData(), static_cast<int>(bytes.size())) < 0)
        throw ECommError(QStringLiteral("Write error"), ETIMEDOUT);
}

void SerialLinkTransport::Close()
{
    m_comm.Close();
    std::lock_guard lock(m_mutex);
    m_assembler.Reset();
}

void SerialLinkTransport::Received(int count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    int n = -1;
    try {
        n = m_comm.Read(bytes.data(), count);
    } catch (const ECommError&) {
        return;   // the port closed under the hand-over
    }
    if (n <= 0)
        return;
    bytes.truncate(n);
    std::lock_guard lock(m_mutex);
    Deliver(m_assembler.Feed(bytes, m_clock.Ticks()));
}

void SerialLinkTransport::Attach(ConverterLink* link)
{
    std::lock_guard lock(m_mutex);
    m_link = link;
}

void SerialLinkTransport::Deliver(const std::vector<QByteArray>& answers)
{
    if (m_link)
        for (const QByteArray& a : answers)
            m_link->Deliver(a);
}

void SerialLinkTransport::Poll(uint32_t now)
{
    // Bytes received but not yet handed over: the line is not quiet.
    if (m_comm.InQueCount() > 0)
        return;
    std::lock_guard lock(m_mutex);
    Deliver(m_assembler.Poll(now));
}

} // namespace mbus
