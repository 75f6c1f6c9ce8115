#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <atomic>
#include <functional>
#include <thread>

// Splits a dotted IPv4 address into its four parts (blanks trimmed). True
// only when there are three dots before the last part and all four parts are
// integers 0..255; the parts are set as far as the text reaches.
bool Valid_IP(const QString& ip, QString& ip1, QString& ip2, QString& ip3, QString& ip4);

// The address as four decimal numbers joined with "." (empty when not valid).
QString CanonicalIP(const QString& ip);

// One echo request: the reply's count of received bytes (0 when no reply
// came within timeoutMs).
struct EchoReply
{
    enum Status { Replied, Failed, NotPermitted };
    Status status = Replied;
    int bytesReceived = 0;
    QString error;
};

class EchoClient
{
public:
    virtual ~EchoClient() = default;
    virtual EchoReply Echo(const QString& host, const QByteArray& data, int timeoutMs) = 0;
};

// The system's ICMP echo.
class IcmpEchoClient : public EchoClient
{
public:
    EchoReply Echo(const QString& host, const QByteArray& data, int timeoutMs) override;
};

// Millisecond ticks and the short pause between echoes.
class PingClock
{
public:
    virtual ~PingClock() = default;
    virtual uint32_t Ticks() = 0;
    virtual void Pause(int ms) = 0;
};

class SteadyPingClock : public PingClock
{
public:
    uint32_t Ticks() override;
    void Pause(int ms) override;
};

constexpr int EchoTimeoutMs = 400;
constexpr int EchoDataSize = 1024;
constexpr int PingLimitMs = 10000;
constexpr int PingAnswersWanted = 2;

// The echo data: the address text padded with zero bytes to EchoDataSize.
QByteArray PingPayload(const QString& address);

struct PingOutcome
{
    enum Result { Found, NotFound, Error, NotPermitted, Stopped };
    Result result = NotFound;
    int attempts = 0;
    int answered = 0;
    QString error;   // Error and NotPermitted: the reason
};

// Sends echoes to address until two were answered or more than 10 s have
// passed; found when the last one was answered. Between echoes it pauses
// 10 ms; then stop, when given, may end the procedure early (Stopped).
PingOutcome Run_Ping(const QString& address, EchoClient& echo, PingClock& clock,
                     const std::function<bool()>& stop = {});

// The ping procedure on a worker thread, so the thread that starts it keeps
// its event loop and nothing waits there: Finished comes on that thread.
// The echo client and the clock belong to the worker while it runs.
class PingRun : public QObject
{
    Q_OBJECT
public:
    explicit PingRun(QObject* parent = nullptr);
    // Ends a running procedure (after the echo under way) and waits for it.
    ~PingRun() override;

    // False (and nothing started) while a procedure runs.
    bool Start(const QString& address, EchoClient& echo, PingClock& clock);
    bool IsRunning() const { return m_running; }

signals:
    void Finished(const PingOutcome& outcome);

private:
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    bool m_running = false;
};
