#include "diagnostics_simulator.h"

namespace diagsim {

namespace {

void AppendCounter(QByteArray& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

DiagnosticsSimulator::DiagnosticsSimulator()
{
    QString error;
    if (!m_endpoint.Open(QHostAddress(QHostAddress::LocalHost), 0, &error))
        m_error = error;
    else if (!m_other.Open(QHostAddress(QStringLiteral("127.0.0.2")), 0, &error))
        m_error = error;
    m_endpoint.StartReceiving([this](const UdpDatagram& d) { Receive(d); });
}

DiagnosticsSimulator::~DiagnosticsSimulator()
{
    m_endpoint.Close();
    m_other.Close();
}

void DiagnosticsSimulator::SetMode(ReplyMode mode)
{
    std::lock_guard lock(m_mutex);
    m_mode = mode;
}

void DiagnosticsSimulator::ReleaseLate()
{
    std::vector<Logged> held;
    {
        std::lock_guard lock(m_mutex);
        held.swap(m_held);
    }
    for (const Logged& h : held)
        m_endpoint.Send(h.sender, h.senderPort, h.data);
}

void DiagnosticsSimulator::SetDisabled(int poll, bool disabled)
{
    std::lock_guard lock(m_mutex);
    m_disabled[size_t(poll)] = disabled;
}

bool DiagnosticsSimulator::Disabled(int poll) const
{
    std::lock_guard lock(m_mutex);
    return m_disabled[size_t(poll)];
}

void DiagnosticsSimulator::SetCounter(int poll, uint32_t value)
{
    std::lock_guard lock(m_mutex);
    m_counters[size_t(poll)] = value;
}

void DiagnosticsSimulator::SetTransparent(bool on)
{
    std::lock_guard lock(m_mutex);
    m_transparent = on;
}

bool DiagnosticsSimulator::Transparent() const
{
    std::lock_guard lock(m_mutex);
    return m_transparent;
}

std::vector<Logged> DiagnosticsSimulator::Log() const
{
    std::lock_guard lock(m_mutex);
    return m_log;
}

bool DiagnosticsSimulator::WaitForLog(size_t n, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(m_mutex);
    return m_logged.wait_for(lock, limit, [&] { return m_log.size() >= n; });
}

void DiagnosticsSimulator::SendUnsolicited(uint16_t port, const QByteArray& bytes, bool fromOtherAddress)
{
    (fromOtherAddress ? m_other : m_endpoint).Send(QHostAddress(QHostAddress::LocalHost), port, bytes);
}

QByteArray DiagnosticsSimulator::ReplyTo(const QByteArray& request, ReplyMode mode) const
{
    if (request.isEmpty() || mode == ReplyMode::Silent)
        return {};
    const bool shortReply = mode == ReplyMode::Short;
    const bool longReply = mode == ReplyMode::Long;
    QByteArray out(1, request[0]);
    switch (uint8_t(request[0])) {
    case 0xB0:
        if (shortReply)
            return out;
        for (int a = 0; a < kPolls / 8; ++a) {
            uint8_t b = 0;
            for (int j = 0; j < 8; ++j)
                b |= uint8_t(m_disabled[size_t(a * 8 + j)]) << j;
            out.append(char(b));
        }
        if (longReply)
            out.append(QByteArray(72, char(0xFF)));
        return out;
    case 0xB2:
        for (int c = 0; c < (shortReply ? 2 : kPolls); ++c)
            AppendCounter(out, m_counters[size_t(c)]);
        if (shortReply)
            out.append("\x07\x07\x07", 3);
        if (longReply) {
            for (int c = kPolls; c < 1100; ++c)
                AppendCounter(out, 7);
            out.append("\x07\x07", 2);
        }
        return out;
    case 0xB4:
        if (shortReply)
            return out;
        out.append(char(m_transparent ? 1 : 0));
        if (longReply)
            out.append("\x01\x01", 2);
        return out;
    default:
        return {};
    }
}

void DiagnosticsSimulator::Apply(const QByteArray& request)
{
    const auto at = [&](int i) { return uint8_t(request[i]); };
    switch (at(0)) {
    case 0xB1:
        if (request.size() == 2 + kPolls / 8)
            for (int p = 0; p < kPolls; ++p)
                m_disabled[size_t(p)] = (at(1 + p / 8) >> (p % 8)) & 1;
        break;
    case 0xB3:
        if (request.size() >= 2)
            m_transparent = at(1) == 1;
        break;
    case 0xB6:
        if (request.size() >= 3)
            m_disabled[at(1)] = at(2) != 0;
        break;
    default:
        break;
    }
}

void DiagnosticsSimulator::Receive(const UdpDatagram& d)
{
    QByteArray reply;
    ReplyMode mode;
    {
        std::lock_guard lock(m_mutex);
        m_log.push_back({d.data, d.sender, d.senderPort});
        if (!d.data.isEmpty())
            Apply(d.data);
        mode = m_mode;
        reply = ReplyTo(d.data, mode);
        // Held before the log says it arrived, so a release after that finds it.
        if (mode == ReplyMode::Late && !reply.isEmpty())
            m_held.push_back({reply, d.sender, d.senderPort});
    }
    m_logged.notify_all();
    if (reply.isEmpty())
        return;
    switch (mode) {
    case ReplyMode::Twice:
        m_endpoint.Send(d.sender, d.senderPort, reply);
        m_endpoint.Send(d.sender, d.senderPort, reply);
        break;
    case ReplyMode::OtherAddress:
        m_other.Send(d.sender, d.senderPort, reply);
        break;
    case ReplyMode::Late:
        break;
    default:
        m_endpoint.Send(d.sender, d.senderPort, reply);
        break;
    }
}

} // namespace diagsim
