#pragma once
// An M-Bus converter with meters behind it, for the scan tests: over UDP on
// 127.0.0.1 (an ephemeral port), or on the master side of a pseudo-terminal.
// It switches between normal, analyzer and configuration mode on the text
// commands, relays link-layer frames to its meters in analyzer mode, answers
// for a Telit or RadioCrafts radio module in configuration mode, pushes
// wireless frames, and logs every request with its time. Fault knobs change
// chosen replies.
#include "platform/udp_endpoint.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace mbussim {

using Frame = std::vector<uint8_t>;

QByteArray ToBytes(const Frame& f);
Frame ToFrame(const QByteArray& b);

// A frame of the suite (tests/mbus/data/telegrams/frames/<name>.hex).
Frame Suite_Frame(const QString& name);
// A suite frame as a meter sends it: A field, identification number (8 BCD
// digits) and checksum rewritten; with moreFollows a DIF 1F is added at the
// end of the records (both L fields grow by one).
Frame Telegram_For(const Frame& suiteFrame, uint8_t primary, uint32_t id, bool moreFollows);

struct Meter
{
    int primary = 0;
    uint32_t id = 0;                 // 8 BCD digits, 0x12345678 is "12345678"
    std::vector<Frame> telegrams;    // as sent (see Telegram_For)
    // Link-layer state.
    int fcb = -1;                    // the FCB of the last REQ_UD2, -1 after a reset
    size_t next = 0;                 // the telegram being sent
    bool selected = false;
    int reads = 0;                   // REQ_UD2 answered

    // A meter sending the suite frame name (count telegrams; all but the last
    // announce more, or every one with alwaysMore).
    static Meter From_Suite(int primary, uint32_t id, const QString& name, int count = 1, bool alwaysMore = false);
};

// The meters of one bus segment, answering link-layer requests.
class MeterBus
{
public:
    std::vector<Meter> meters;
    // What several meters answering at once look like.
    Frame collision = {0xE5, 0xE5};

    // The reply to one request, or nothing when no meter answers.
    std::optional<Frame> Handle(const Frame& request);
};

enum class Mode { Normal, Analyzer, Configuration };
enum class Radio { Telit, RadioCrafts };

enum class FaultKind {
    Delay,            // reply after param ms
    Drop,             // no reply
    Late,             // reply only when the next request arrives, before its own reply
    WrongText,        // a command reply without its LF CR
    BadChecksum,      // a long frame with its checksum off by one
    Truncate,         // only the first param bytes
    Oversize,         // the reply padded to param bytes (over the 2048 the link takes)
    ForeignPort,      // the reply from another UDP port of the converter's address
    ForeignAddress,   // the reply from 127.0.0.2
};

struct Fault
{
    FaultKind kind;
    std::function<bool(const QByteArray& request)> match;
    int param = 0;
    int times = -1;    // how many replies it changes; -1: all

    // Requests to a primary address (the A field of a short or long frame).
    static std::function<bool(const QByteArray&)> ForAddress(int address);
    static std::function<bool(const QByteArray&)> ForText(const QByteArray& text);
    static std::function<bool(const QByteArray&)> Any();
};

struct LoggedRequest
{
    qint64 ms;             // since the simulator started
    QByteArray bytes;
    bool replied;          // a reply went out at once, to the sender, within size
};

// The converter's behaviour, apart from how bytes travel.
class ConverterCore
{
public:
    MeterBus bus;
    Mode mode = Mode::Normal;
    Radio radio = Radio::Telit;
    // Serial converters talk frames only: no command texts, no NO_SLAVE for
    // silence when false.
    bool answerNoSlave = true;

    // The reply to one request (empty: none).
    QByteArray Handle(const QByteArray& request);
};

// The converter over UDP on 127.0.0.1.
class ConverterSim
{
public:
    ConverterSim();
    ~ConverterSim();

    uint16_t Port() const { return m_endpoint.LocalPort(); }
    // Everything below may be called while the simulator runs.
    void With(const std::function<void(ConverterCore&)>& change);
    Mode CurrentMode();
    int Meter_Reads(size_t meter);
    void Add_Fault(Fault fault);

    // A wireless frame to the endpoint that last talked to the converter.
    void Push_Frame(const QByteArray& frame);

    std::vector<LoggedRequest> Log();
    int Handled();
    // Datagrams sent from the converter's own address within the 2048 bytes
    // a scan takes (replies, late and delayed ones once sent, pushed frames).
    int Deliverable();
    // Waits until count requests have been handled.
    bool Wait_Handled(int count, int timeoutMs = 3000);

private:
    void Received(const UdpDatagram& d);
    void Send(UdpEndpoint& from, const QHostAddress& to, uint16_t port, const QByteArray& bytes, bool deliverable);
    void Send_Later(QByteArray bytes, QHostAddress to, uint16_t port, int ms);
    void Timer_Loop();

    UdpEndpoint m_endpoint;
    UdpEndpoint m_foreignPort;
    UdpEndpoint m_foreignAddress;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    ConverterCore m_core;
    std::vector<Fault> m_faults;
    std::vector<LoggedRequest> m_log;
    int m_deliverable = 0;
    std::optional<std::pair<QByteArray, std::pair<QHostAddress, uint16_t>>> m_held;   // a late reply
    QHostAddress m_peer;
    uint16_t m_peerPort = 0;
    std::chrono::steady_clock::time_point m_start;

    struct Timed
    {
        std::chrono::steady_clock::time_point due;
        QByteArray bytes;
        QHostAddress to;
        uint16_t port;
    };
    std::deque<Timed> m_timed;
    bool m_stop = false;
    std::thread m_timer;
};

// The converter on the master side of a pseudo-terminal: requests are cut
// from the byte stream by frame syntax.
class SerialConverterSim
{
public:
    explicit SerialConverterSim(int masterFd);
    ~SerialConverterSim();

    void With(const std::function<void(ConverterCore&)>& change);
    std::vector<LoggedRequest> Log();

private:
    void Loop();

    int m_fd;
    int m_wake[2] = {-1, -1};
    std::mutex m_mutex;
    ConverterCore m_core;
    std::vector<LoggedRequest> m_log;
    std::chrono::steady_clock::time_point m_start;
    std::thread m_thread;
};

} // namespace mbussim
