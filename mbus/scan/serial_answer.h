#pragma once
// Cuts the byte stream of the serial line into answers: an acknowledge (E5)
// at once, a long frame once its L says it is whole, exactly "NO_SLAVE" LF CR,
// and anything else when the line has been quiet for a gap.
#include <QByteArray>
#include <cstdint>
#include <vector>

namespace mbus {

class SerialAnswerAssembler
{
public:
    // gapMs: the pause that ends an answer of no known form.
    explicit SerialAnswerAssembler(uint32_t gapMs);

    // Bytes received at tick now; returns the answers they complete.
    std::vector<QByteArray> Feed(const QByteArray& bytes, uint32_t now);
    // The answer in progress when the line has been quiet for the gap.
    std::vector<QByteArray> Poll(uint32_t now);
    void Reset();
    bool Pending() const { return !m_buffer.isEmpty(); }

    // An answer longer than this is dropped (the answer buffer's size).
    static constexpr int MaxAnswer = 2048;

private:
    enum class Form { Unknown, Acknowledge, LongFrame, NoSlave, Other };
    Form Recognise() const;

    uint32_t m_gapMs;
    uint32_t m_last = 0;
    QByteArray m_buffer;
    bool m_overflow = false;
};

// The gap for a line speed: about three character times plus 10 ms.
uint32_t Serial_Answer_Gap_Ms(int baud);

} // namespace mbus
