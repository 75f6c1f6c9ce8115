#pragma once
// Scans stepped by the test: a wired or wireless step machine talking UDP to
// the converter simulator on 127.0.0.1, with a fake clock. After each step
// the test waits (in real time) until the simulator has handled what was
// sent and its replies have reached the link; when no answer is there, the
// fake clock moves past the answer's time-out.
#include "fake_tick_clock.h"
#include "mbus_converter_sim.h"

#include "mbus/scan/requests.h"
#include "mbus/scan/transports.h"
#include "mbus/scan/wired_scan.h"
#include "mbus/scan/wireless_scan.h"

#include <QThread>
#include <array>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using mbussim::ConverterSim;
using mbussim::Fault;
using mbussim::FaultKind;
using mbussim::Frame;
using mbussim::Meter;

// Counts the sends on their way to another transport.
class CountingTransport : public mbus::LinkTransport
{
public:
    explicit CountingTransport(mbus::LinkTransport& inner) : m_inner(inner) {}
    void Attach(mbus::ConverterLink* link) override { m_inner.Attach(link); }
    void Send(const QByteArray& bytes, uint16_t port) override
    {
        ++sends;
        m_inner.Send(bytes, port);
    }
    void Close() override
    {
        ++closes;
        m_inner.Close();
    }
    void Poll(uint32_t now) override { m_inner.Poll(now); }
    std::atomic<int> sends{0};
    std::atomic<int> closes{0};

private:
    mbus::LinkTransport& m_inner;
};

inline mbus::DecodeContext ScanTestContext(bool wireless)
{
    mbus::DecodeContext c;
    c.date = QStringLiteral("10/12/26");
    c.time = QStringLiteral("16:00");
    c.decimalPoint = u'.';
    c.wireless = wireless;
    return c;
}

// Waits in real time, up to ms, for done().
template <typename F>
bool WaitUntil(F done, int ms = 3000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

inline QByteArray Raw(std::initializer_list<int> b)
{
    QByteArray out;
    for (int v : b)
        out.append(static_cast<char>(v));
    return out;
}

inline QByteArray Raw(const std::vector<uint8_t>& f)
{
    return mbussim::ToBytes(f);
}

struct SteppedLink
{
    ConverterSim sim;
    FakeTickClock clock;
    mbus::ConverterLink link{clock};
    mbus::UdpLinkTransport udp;
    CountingTransport counting{udp};
    mbus::ScanFlags flags;
    mbus::WiredSlaves wired;
    mbus::WirelessSlaves wireless;
    mbus::SlaveStore store{wired, wireless};
    mbus::ScanEnv env{link, clock, flags, store};
    int settledSends = 0;

    SteppedLink()
    {
        udp.Open(QHostAddress(QHostAddress::LocalHost), 0, QStringLiteral("127.0.0.1"));
        link.SetTransport(&counting);
        env.context = ScanTestContext;
    }

    // After a step: let the simulator handle what went out and its replies
    // arrive; with no answer waiting, move the clock past the time-out.
    void Settle()
    {
        const int sends = counting.sends;
        if (sends > settledSends) {
            settledSends = sends;
            EXPECT_TRUE(sim.Wait_Handled(sends)) << "the simulator did not see request " << sends;
        }
        EXPECT_TRUE(WaitUntil([&] { return link.Datagrams_Delivered() >= sim.Deliverable(); }))
            << "replies lost on loopback";
        if (!link.Answer_Arrived())
            clock.Advance(link.TimeOut_Calc + 1);
    }

    // The requests the simulator saw, as bytes.
    std::vector<QByteArray> Requests()
    {
        std::vector<QByteArray> out;
        for (const mbussim::LoggedRequest& r : sim.Log())
            out.push_back(r.bytes);
        return out;
    }
};

struct SteppedWired : SteppedLink
{
    mbus::WiredScan scan{env};
    std::vector<std::array<int, 4>> calls;   // (kind, address, found, type)

    void Begin(mbus::WiredSettings s)
    {
        s.ConverterPort = sim.Port();
        scan.Begin(s, [this](int k, int a, int f, int t) { calls.push_back({k, a, f, t}); });
        flags.InScan = true;
    }
    void Step()
    {
        scan.Scan_Decode();
        Settle();
    }
    // Steps until the scan ends; returns the steps taken.
    int RunToEnd(int maxSteps = 20000)
    {
        int n = 0;
        while (flags.InScan && n < maxSteps) {
            Step();
            ++n;
        }
        EXPECT_FALSE(flags.InScan) << "the scan did not end within " << maxSteps << " steps";
        return n;
    }
    // Steps until pred holds (or the scan ends).
    template <typename P>
    void RunUntil(P pred, int maxSteps = 20000)
    {
        for (int n = 0; flags.InScan && !pred() && n < maxSteps; ++n)
            Step();
    }
    std::vector<std::array<int, 4>> CallsOfKind(int kind) const
    {
        std::vector<std::array<int, 4>> out;
        for (const auto& c : calls)
            if (c[0] == kind)
                out.push_back(c);
        return out;
    }
};

// The analyzer commands and replies as bytes.
inline const QByteArray kEnable = QByteArrayLiteral("Keltrona_Enable_Analyzer_Mode");
inline const QByteArray kDisable = QByteArrayLiteral("Keltrona_Disable_Analyzer_Mode");
