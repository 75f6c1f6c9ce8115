#include "mbus/scan/serial_answer.h"

#include "mbus/scan/link.h"

namespace mbus {

SerialAnswerAssembler::SerialAnswerAssembler(uint32_t gapMs) : m_gapMs(gapMs) {}

uint32_t Serial_Answer_Gap_Ms(int baud)
{
    constexpr uint32_t BitsPerCharacter = 11;   // start, 8 data, parity, stop
    const uint32_t b = baud > 0 ? static_cast<uint32_t>(baud) : 2400u;
    return (3 * BitsPerCharacter * 1000 + b - 1) / b + 10;
}

SerialAnswerAssembler::Form SerialAnswerAssembler::Recognise() const
{
    const auto at = [&](int i) { return static_cast<uint8_t>(m_buffer[i]); };
    const int n = static_cast<int>(m_buffer.size());
    if (n == 0)
        return Form::Unknown;
    if (at(0) == 0xE5)
        return n == 1 ? Form::Acknowledge : Form::Other;
    if (at(0) == 0x68) {
        if (n < 4)
            return Form::Unknown;
        if (at(1) != at(2) || at(3) != 0x68)
            return Form::Other;
        return n >= at(1) + 6 ? Form::LongFrame : Form::Unknown;
    }
    const QByteArray& noSlave = reply::NoSlave;
    if (n <= noSlave.size() && noSlave.startsWith(m_buffer))
        return n == noSlave.size() ? Form::NoSlave : Form::Unknown;
    return Form::Other;
}

std::vector<QByteArray> SerialAnswerAssembler::Feed(const QByteArray& bytes, uint32_t now)
{
    std::vector<QByteArray> done = Poll(now);
    m_last = now;
    for (char c : bytes) {
        if (m_overflow)
            continue;   // the rest of an oversize answer, up to the next gap
        m_buffer.append(c);
        if (m_buffer.size() > MaxAnswer) {
            m_buffer.clear();
            m_overflow = true;
            continue;
        }
        switch (Recognise()) {
        case Form::Acknowledge:
        case Form::LongFrame:
        case Form::NoSlave:
            done.push_back(std::exchange(m_buffer, {}));
            break;
        default:
            break;
        }
    }
    return done;
}

std::vector<QByteArray> SerialAnswerAssembler::Poll(uint32_t now)
{
    std::vector<QByteArray> done;
    if ((m_buffer.isEmpty() && !m_overflow) || now - m_last < m_gapMs)
        return done;
    if (!m_buffer.isEmpty())
        done.push_back(std::exchange(m_buffer, {}));
    m_overflow = false;
    return done;
}

void SerialAnswerAssembler::Reset()
{
    m_buffer.clear();
    m_overflow = false;
}

} // namespace mbus
