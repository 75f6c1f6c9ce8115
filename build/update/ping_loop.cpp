#include "ping_loop.h"

#include "icmp_echo.h"
#include "int_text.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

// Takes the part before the first "." of s (trimmed) into part and leaves
// the rest (trimmed) in s; false when s holds no ".".
bool TakePart(QString& s, QString& part)
{
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    part = s.left(dot).trimmed();
    s = s.mid(dot + 1).trimmed();
    return true;
}

int OctetValue(const QString& part)
{
    int32_t v = 0;
    return TryStrToInt(part, v) ? v : 1000;
}

} // namespace

bool Valid_IP(const QString& ip, QString& ip1, QString& ip2, QString& ip3, QString& ip4)
{
    QString s = ip.trimmed();
    if (!TakePart(s, ip1) || !TakePart(s, ip2) || !TakePart(s, ip3))
        return false;
    ip4 = s;
    for (const QString* part : {&ip1, &ip2, &ip3, &ip4}) {
        const int v = OctetValue(*part);
        if (v < 0 || v > 255)
            return false;
    }
    return true;
}

QString CanonicalIP(const QString& ip)
{
    QString p[4];
    if (!Valid_IP(ip, p[0], p[1], p[2], p[3]))
        return QString();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(OctetValue(p[0])).arg(OctetValue(p[1])).arg(OctetValue(p[2])).arg(OctetValue(p[3]));
}

EchoReply IcmpEchoClient::Echo(const QString& host, const QByteArray& data, int timeoutMs)
{
    const IcmpEchoResult r = IcmpEcho(host, data, timeoutMs, 0);
    EchoReply reply;
    switch (r.status) {
    case IcmpEchoResult::Answered:
        reply.bytesReceived = r.bytesReceived;
        break;
    case IcmpEchoResult::NoReply:
        break;
    case IcmpEchoResult::Failed:
        reply.status = EchoReply::Failed;
        break;
    case IcmpEchoResult::NotPermitted:
        reply.status = EchoReply::NotPermitted;
        break;
    }
    reply.error = r.error;
    return reply;
}

uint32_t SteadyPingClock::Ticks()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<uint32_t>(timer.elapsed());
}

void SteadyPingClock::Pause(int ms)
{
    QThread::msleep(ms);
}

QByteArray PingPayload(const QString& address)
{
    QByteArray data = address.toLatin1().left(EchoDataSize);
    data.append(EchoDataSize - data.size(), '\0');
    return data;
}

PingOutcome Run_Ping(const QString& address, EchoClient& echo, PingClock& clock, const std::function<bool()>& stop)
{
    PingOutcome outcome;
    const QByteArray data = PingPayload(address);
    const uint32_t t0 = clock.Ticks();
    int ping_ = 0;   // latest echo: 0 none yet, 1 answered, 2 not answered
    do {
        const EchoReply reply = echo.Echo(address, data, EchoTimeoutMs);
        ++outcome.attempts;
        if (reply.status != EchoReply::Replied) {
            outcome.result = reply.status == EchoReply::NotPermitted ? PingOutcome::NotPermitted
                                                                      : PingOutcome::Error;
            outcome.error = reply.error;
            return outcome;
        }
        ping_ = reply.bytesReceived > 0 ? 1 : 2;
        // The reply is known once Echo returns: every attempt pauses once.
        clock.Pause(10);
        if (ping_ == 1)
            ++outcome.answered;
        if (stop && stop()) {
            outcome.result = PingOutcome::Stopped;
            return outcome;
        }
    } while (outcome.answered < PingAnswersWanted && uint32_t(clock.Ticks() - t0) <= uint32_t(PingLimitMs));
    outcome.result = ping_ == 1 ? PingOutcome::Found : PingOutcome::NotFound;
    return outcome;
}

PingRun::PingRun(QObject* parent)
    : QObject(parent)
{
}

PingRun::~PingRun()
{
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
}

bool PingRun::Start(const QString& address, EchoClient& echo, PingClock& clock)
{
    if (m_running)
        return false;
    if (m_worker.joinable())
        m_worker.join();   // the previous procedure's thread, already done
    m_running = true;
    m_stop = false;
    m_worker = std::thread([this, address, &echo, &clock] {
        const PingOutcome outcome = Run_Ping(address, echo, clock, [this] { return m_stop.load(); });
        // Handed to this object's thread; dropped with the object.
        QMetaObject::invokeMethod(
            this,
            [this, outcome] {
                m_running = false;
                emit Finished(outcome);
            },
            Qt::QueuedConnection);
    });
    return true;
}
