#pragma once
#include "ping_loop.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A clock that moves only when told to.
class FakePingClock : public PingClock
{
public:
    explicit FakePingClock(uint32_t start = 5000) : now(start) {}
    uint32_t Ticks() override { return now; }
    void Pause(int ms) override { now += uint32_t(ms); ++pauses; }
    uint32_t now;
    int pauses = 0;
};

// One scripted echo: what it reports and how long it takes.
struct EchoStep
{
    enum Kind { Answer, Silent, Fail, Refused };
    Kind kind;
    int ms;
};

inline EchoStep Answer(int ms = 1) { return {EchoStep::Answer, ms}; }
inline EchoStep Silent() { return {EchoStep::Silent, EchoTimeoutMs}; }
inline EchoStep Fail() { return {EchoStep::Fail, 0}; }
inline EchoStep Refused() { return {EchoStep::Refused, 0}; }

// Plays its script; the last step repeats. Records what it was asked (read
// it once the ping has finished: the echoes run on the ping's worker thread).
class ScriptedEcho : public EchoClient
{
public:
    ScriptedEcho(FakePingClock& clock, std::vector<EchoStep> script) : m_clock(clock), m_script(std::move(script)) {}

    EchoReply Echo(const QString& host, const QByteArray& data, int timeoutMs) override
    {
        hosts.append(host);
        payloads.append(data);
        timeouts.push_back(timeoutMs);
        if (realMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(realMs));
        {
            // Held echoes wait for Release (at most 10 s, so a failed test ends).
            std::unique_lock lock(m_gate);
            m_released.wait_for(lock, std::chrono::seconds(10), [this] { return !m_held; });
        }
        const EchoStep step = m_script[std::min<size_t>(m_next++, m_script.size() - 1)];
        m_clock.now += uint32_t(step.ms);
        EchoReply r;
        switch (step.kind) {
        case EchoStep::Answer: r.bytesReceived = int(data.size()); break;
        case EchoStep::Silent: break;
        case EchoStep::Fail: r.status = EchoReply::Failed; r.error = QStringLiteral("cannot send"); break;
        case EchoStep::Refused: r.status = EchoReply::NotPermitted; r.error = QStringLiteral("refused"); break;
        }
        return r;
    }

    int Calls() const { return int(hosts.size()); }

    // Every echo from now on waits until Release, so the ping runs as long as a test needs.
    void Hold()
    {
        std::lock_guard lock(m_gate);
        m_held = true;
    }
    void Release()
    {
        {
            std::lock_guard lock(m_gate);
            m_held = false;
        }
        m_released.notify_all();
    }

    QStringList hosts;
    QList<QByteArray> payloads;
    std::vector<int> timeouts;
    int realMs = 0;   // real time every echo takes (it runs on the ping's worker thread)

private:
    FakePingClock& m_clock;
    std::vector<EchoStep> m_script;
    size_t m_next = 0;
    std::mutex m_gate;
    std::condition_variable m_released;
    bool m_held = false;
};
