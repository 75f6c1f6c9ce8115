#include "mbus/scan/link.h"

#include "mbus/scan/requests.h"

#include <stdexcept>

namespace mbus {

namespace command {
const QByteArray EnableAnalyzer = QByteArrayLiteral("Keltrona_Enable_Analyzer_Mode");
const QByteArray DisableAnalyzer = QByteArrayLiteral("Keltrona_Disable_Analyzer_Mode");
const QByteArray EnableConfiguration = QByteArrayLiteral("Keltrona_Enable_Configuration_Mode");
const QByteArray TypeRadioModule = QByteArrayLiteral("Keltrona_Type_Radio_Module");
const QByteArray DisableConfiguration = QByteArrayLiteral("Keltrona_Disable_Configuration_Mode");
} // namespace command

namespace reply {
const QByteArray AnalyzerEnabled = QByteArrayLiteral("\n\rAnalyzer_Mode Enabled!\n\r");
const QByteArray AnalyzerDisabled = QByteArrayLiteral("\n\rAnalyzer_Mode Disabled!\n\r");
const QByteArray ConfigurationEnabled = QByteArrayLiteral("\n\rConfiguration_Mode Enabled!\n\r");
const QByteArray ConfigurationDisabled = QByteArrayLiteral("\n\rConfiguration_Mode Disabled!\n\r");
const QByteArray Telit = QByteArrayLiteral("\n\rTELIT\n\r");
const QByteArray RadioCrafts = QByteArrayLiteral("\n\rRADIOCRAFTS\n\r");
const QByteArray NoSlave = QByteArrayLiteral("NO_SLAVE\n\r");
} // namespace reply

bool Is_Module_Frame(const QByteArray& d, TRadioModule module)
{
    if (d.isEmpty())
        return false;
    const int extra = module == rmTelit ? 3 : 1;
    return d.size() == static_cast<uint8_t>(d[0]) + extra;
}

ConverterLink::ConverterLink(TickClock& clock) : m_clock(clock) {}

void ConverterLink::SetTransport(LinkTransport* transport)
{
    m_transport = transport;
    if (transport)
        transport->Attach(this);
}

void ConverterLink::Send_Command(const QByteArray& text, uint16_t port)
{
    Send(text, port);
}

void ConverterLink::Send_Command(uint16_t port)
{
    Send(QByteArray(reinterpret_cast<const char*>(Req_Array.data()), static_cast<qsizetype>(Req_Array.size())),
         port);
}

void ConverterLink::Send(const QByteArray& bytes, uint16_t port)
{
    {
        std::lock_guard lock(m_mutex);
        m_answers.clear();
        m_waiting = true;
    }
    if (!m_transport)
        throw std::runtime_error("The link to the converter is not open");
    m_transport->Send(bytes, port);
    m_startSend = m_clock.Ticks();
}

bool ConverterLink::Answer_Arrived()
{
    if (m_transport)
        m_transport->Poll(m_clock.Ticks());
    std::lock_guard lock(m_mutex);
    return m_waiting && !m_answers.empty();
}

QByteArray ConverterLink::Take_Answer()
{
    std::lock_guard lock(m_mutex);
    if (m_answers.empty())
        return {};
    QByteArray a = std::move(m_answers.front());
    m_answers.pop_front();
    m_waiting = false;
    return a;
}

void ConverterLink::Keep_Waiting()
{
    std::lock_guard lock(m_mutex);
    m_waiting = true;
}

bool ConverterLink::Answer_TimeOut()
{
    if (!Answer_Overdue(m_clock.Ticks(), m_startSend, TimeOut_Calc))
        return false;
    std::lock_guard lock(m_mutex);
    m_waiting = false;
    m_answers.clear();
    return true;
}

void ConverterLink::Set_Listening(bool listening, TRadioModule module)
{
    std::lock_guard lock(m_mutex);
    m_listening = listening;
    m_module = module;
}

bool ConverterLink::Listening()
{
    std::lock_guard lock(m_mutex);
    return m_listening;
}

std::vector<QByteArray> ConverterLink::Take_Frames()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_frames, {});
}

void ConverterLink::Deliver(const QByteArray& datagram)
{
    std::lock_guard lock(m_mutex);
    ++m_delivered;
    if (m_listening) {
        if (Is_Module_Frame(datagram, m_module) && m_frames.size() < MaxQueuedFrames)
            m_frames.push_back(datagram);
        return;
    }
    // Nothing waits: a late answer to an earlier request is no answer to the next.
    if (m_waiting && m_answers.size() < MaxQueuedAnswers)
        m_answers.push_back(datagram);
}

void ConverterLink::Close()
{
    if (m_transport)
        m_transport->Close();
    std::lock_guard lock(m_mutex);
    m_waiting = false;
    m_listening = false;
    m_answers.clear();
    m_frames.clear();
}

} // namespace mbus
