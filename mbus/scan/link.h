#pragma once
// The link to the converter: its text commands and replies, one request at a
// time with its answer time-out, and the answers handed over from the
// receiving thread. A transport (UDP or the serial port) carries the bytes.
#include "platform/tick_clock.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace mbus {

// The converter's commands and the replies they expect (LF CR around the text).
namespace command {
extern const QByteArray EnableAnalyzer;
extern const QByteArray DisableAnalyzer;
extern const QByteArray EnableConfiguration;
extern const QByteArray TypeRadioModule;
extern const QByteArray DisableConfiguration;
} // namespace command
namespace reply {
extern const QByteArray AnalyzerEnabled;
extern const QByteArray AnalyzerDisabled;
extern const QByteArray ConfigurationEnabled;
extern const QByteArray ConfigurationDisabled;
extern const QByteArray Telit;
extern const QByteArray RadioCrafts;
extern const QByteArray NoSlave;
} // namespace reply

enum TRadioModule { rmTelit, rmRadioCrafts };

// A wireless frame as the radio module passes it on: its length must be the
// first byte + 3 (Telit) or + 1 (RadioCrafts).
bool Is_Module_Frame(const QByteArray& datagram, TRadioModule module);

class ConverterLink;

// Carries the bytes. Send and Open report failure by throwing (a step that
// fails ends the scan).
class LinkTransport
{
public:
    virtual ~LinkTransport() = default;
    // Delivers what arrives to link.Deliver, from any thread.
    virtual void Attach(ConverterLink* link) = 0;
    virtual void Send(const QByteArray& bytes, uint16_t port) = 0;
    virtual void Close() = 0;
    // Called before the link looks for an answer (the serial line ends an
    // answer after a pause).
    virtual void Poll(uint32_t now) { (void)now; }
};

class ConverterLink
{
public:
    explicit ConverterLink(TickClock& clock);

    void SetTransport(LinkTransport* transport);
    LinkTransport* Transport() const { return m_transport; }

    // The request being sent (Send_Command without text sends it).
    std::vector<uint8_t> Req_Array;
    // Milliseconds the answer to the last send may take; set before sending.
    uint32_t TimeOut_Calc = 0;

    // Sends a text command, or Req_Array, to port. Answers that arrived
    // before are dropped; the first answers after it are kept for the step.
    void Send_Command(const QByteArray& text, uint16_t port);
    void Send_Command(uint16_t port);
    uint32_t Start_Send() const { return m_startSend; }

    // An answer to the last send has arrived.
    bool Answer_Arrived();
    // Takes the first answer; later datagrams are dropped from then on
    // unless the step goes on waiting.
    QByteArray Take_Answer();
    // After a taken answer the step did not accept: wait for the next one.
    void Keep_Waiting();
    // True when the answer is overdue; from then on nothing waits.
    bool Answer_TimeOut();

    // Wireless listening: datagrams are frames of the module, not answers;
    // those of the right length queue for the worker.
    void Set_Listening(bool listening, TRadioModule module);
    bool Listening();
    std::vector<QByteArray> Take_Frames();

    // From the receiving thread: one datagram, or one assembled serial answer.
    void Deliver(const QByteArray& datagram);

    // The transport's close; the link stays usable for the next scan.
    void Close();

    // Datagrams (or serial answers) delivered so far, taken or not.
    int Datagrams_Delivered() const { return m_delivered; }

    static constexpr size_t MaxQueuedAnswers = 16;
    static constexpr size_t MaxQueuedFrames = 256;

private:
    void Send(const QByteArray& bytes, uint16_t port);

    TickClock& m_clock;
    LinkTransport* m_transport = nullptr;
    uint32_t m_startSend = 0;

    std::mutex m_mutex;   // what the receiving thread hands over
    bool m_waiting = false;
    std::deque<QByteArray> m_answers;
    bool m_listening = false;
    TRadioModule m_module = rmTelit;
    std::vector<QByteArray> m_frames;
    std::atomic<int> m_delivered{0};
};

} // namespace mbus
