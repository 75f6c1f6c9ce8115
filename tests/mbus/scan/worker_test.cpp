#include "scan_fixture.h"

#include "mbus/scan/scan_worker.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace mbus;

namespace {

// Sends nothing anywhere; counts what it is given; throws when told to.
class StubTransport : public LinkTransport
{
public:
    void Attach(ConverterLink*) override {}
    void Send(const QByteArray&, uint16_t) override
    {
        ++sends;
        if (fail)
            throw std::runtime_error("Write error (Error: 5) ");
    }
    void Close() override { ++closes; }
    std::atomic<int> sends{0};
    std::atomic<int> closes{0};
    std::atomic<bool> fail{false};
};

// Time stands still: no answer is ever overdue.
class FrozenClock : public TickClock
{
public:
    uint32_t Ticks() override { return 1000; }
    void Sleep(int) override { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }
};

// Progress calls, taken on the worker thread.
struct Calls
{
    std::mutex mutex;
    std::vector<std::array<int, 4>> all;
    UpdateSlaveListProc Proc()
    {
        return [this](int k, int a, int f, int t) {
            std::lock_guard lock(mutex);
            all.push_back({k, a, f, t});
        };
    }
    std::vector<std::array<int, 4>> Get()
    {
        std::lock_guard lock(mutex);
        return all;
    }
};

WorkerOptions Fast(TickClock* clock = nullptr)
{
    WorkerOptions o;
    o.clock = clock;
    o.pauses = {1, 1, 0};
    o.localAddress = QHostAddress(QHostAddress::LocalHost);
    o.localPort = 0;
    o.context = ScanTestContext;
    return o;
}

bool StartPrimary(TMBusScanDecode& w, const QString& address, UpdateSlaveListProc proc = {})
{
    return w.Start_Scan(saPrimaryAddress, shEthernet, address, 2400, 1, false, false, 0, false, 0, std::move(proc));
}

struct WorkerTest : testing::Test
{
    WiredSlaves wired;
    WirelessSlaves wireless;
};

} // namespace

TEST(WorkerDefaults, PortsAndPauses)
{
    const WorkerOptions o;
    EXPECT_EQ(o.localPort, 10000);
    EXPECT_EQ(o.converterPort, 10000);
    EXPECT_EQ(o.wirelessLocalPort, -1);
    EXPECT_EQ(o.pauses.step, 40);
    EXPECT_EQ(o.pauses.idle, 10);
    EXPECT_EQ(o.pauses.request, 500);
}

TEST_F(WorkerTest, WithTheGateClosedNoStepRuns)
{
    StubTransport stub;
    FrozenClock clock;
    WorkerOptions o = Fast(&clock);
    o.transport = &stub;
    TMBusScanDecode w(wired, wireless, o);
    ASSERT_TRUE(w.Wait_Parked(3000));
    EXPECT_EQ(w.Result(), -1);
    ASSERT_TRUE(StartPrimary(w, QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(w.InScan());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(stub.sends, 0);
    EXPECT_EQ(w.Step_Scan(), wired::Start);
    EXPECT_EQ(w.Result(), -1);

    w.Set_Run_Event();
    EXPECT_TRUE(WaitUntil([&] { return stub.sends > 0; }));
    EXPECT_EQ(w.Result(), 1);
}

TEST_F(WorkerTest, AStartWhileScanningReturnsFalseAndChangesNothing)
{
    StubTransport stub;
    FakeTickClock clock;
    WorkerOptions o = Fast(&clock);
    o.transport = &stub;
    TMBusScanDecode w(wired, wireless, o);
    ASSERT_TRUE(StartPrimary(w, QStringLiteral("127.0.0.1")));
    EXPECT_FALSE(w.Start_Scan(saSecondaryAddress, shSerial, QStringLiteral("/dev/null"), 300, 2, true, true, 5,
                              true, 1, {}));
    EXPECT_FALSE(w.Start_Scan_Wireless(shEthernet, QStringLiteral("127.0.0.1"), 5000, 5, 1, {}, true));
    EXPECT_EQ(w.MBusType(), mtWired);
    EXPECT_TRUE(w.InScan());
    w.Set_Run_Event();
    // Still the primary scan over the stub: the handshake went out.
    EXPECT_TRUE(WaitUntil([&] { return stub.sends > 0; }));
    EXPECT_EQ(w.MBusType(), mtWired);
}

TEST_F(WorkerTest, AThrowingTransportEndsTheScanWithResult2AndTheWorkerRunsOn)
{
    StubTransport stub;
    stub.fail = true;
    FakeTickClock clock;
    WorkerOptions o = Fast(&clock);
    o.transport = &stub;
    TMBusScanDecode w(wired, wireless, o);
    w.Set_Run_Event();
    ASSERT_TRUE(StartPrimary(w, QStringLiteral("127.0.0.1")));
    ASSERT_TRUE(WaitUntil([&] { return !w.InScan(); }));
    EXPECT_EQ(w.Result(), 2);
    EXPECT_EQ(w.Error_Text(), QStringLiteral("Write error (Error: 5) "));
    EXPECT_GE(stub.closes, 1);

    // The next start is taken and runs.
    stub.fail = false;
    const int before = stub.sends;
    ASSERT_TRUE(StartPrimary(w, QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(WaitUntil([&] { return stub.sends > before; }));
    EXPECT_TRUE(w.Error_Text().isEmpty());
}

TEST_F(WorkerTest, DestroyingTheWorkerJoinsItsThreadMidScan)
{
    StubTransport stub;
    FakeTickClock clock;
    WorkerOptions o = Fast(&clock);
    o.transport = &stub;
    {
        TMBusScanDecode w(wired, wireless, o);
        w.Set_Run_Event();
        ASSERT_TRUE(StartPrimary(w, QStringLiteral("127.0.0.1")));
        ASSERT_TRUE(WaitUntil([&] { return stub.sends > 0; }));
    }
    const int sends = stub.sends;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(stub.sends, sends);
    EXPECT_GE(stub.closes, 1);
}

TEST_F(WorkerTest, ARealThreadScansAll251AddressesInSeconds)
{
    ConverterSim sim;
    sim.With([](mbussim::ConverterCore& c) {
        c.bus.meters = {Meter::From_Suite(2, 0x22222222, QStringLiteral("example_data_01")),
                        Meter::From_Suite(77, 0x77777777, QStringLiteral("els_falcon"), 2)};
    });
    WorkerOptions o = Fast();
    o.converterPort = sim.Port();
    TMBusScanDecode w(wired, wireless, o);
    Calls calls;
    w.Set_Run_Event();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(StartPrimary(w, QStringLiteral("127.0.0.1"), calls.Proc()));
    EXPECT_NE(w.LocalPort(), 0);
    ASSERT_TRUE(WaitUntil([&] { return !w.InScan(); }, 30000));
    const auto seconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count() / 1000.0;
    EXPECT_LT(seconds, 20.0);
    EXPECT_EQ(w.Result(), 1);
    std::vector<int> found;
    int polled = 0;
    for (const auto& c : calls.Get())
        if (c[0] == 2) {
            ++polled;
            if (c[2])
                found.push_back(c[1]);
        }
    EXPECT_EQ(polled, 251);
    EXPECT_EQ(found, (std::vector<int>{2, 77}));
    EXPECT_EQ(calls.Get().back(), (std::array<int, 4>{3, 0, 0, 1}));
    std::lock_guard lock(w.SlaveLock());
    EXPECT_EQ(wired.size(), 2);
    EXPECT_EQ(sim.CurrentMode(), mbussim::Mode::Normal);
}

TEST_F(WorkerTest, AHeldLocalPortEndsTheStartWithResult2NamingThePort)
{
    UdpEndpoint holder;
    ASSERT_TRUE(holder.Open(QHostAddress(QHostAddress::LocalHost), 0));
    WorkerOptions o = Fast();
    o.localPort = holder.LocalPort();
    TMBusScanDecode w(wired, wireless, o);
    w.Set_Run_Event();
    EXPECT_TRUE(StartPrimary(w, QStringLiteral("127.0.0.1")));
    EXPECT_FALSE(w.InScan());
    EXPECT_EQ(w.Result(), 2);
    EXPECT_TRUE(w.Error_Text().contains(QString::number(holder.LocalPort()))) << w.Error_Text().toStdString();

    // The wireless start binds its own port: the same.
    WorkerOptions wo = Fast();
    wo.wirelessLocalPort = holder.LocalPort();
    TMBusScanDecode w2(wired, wireless, wo);
    EXPECT_TRUE(w2.Start_Scan_Wireless(shEthernet, QStringLiteral("127.0.0.1"), 5000, 1, 0, {}, false));
    EXPECT_FALSE(w2.InScan());
    EXPECT_EQ(w2.Result(), 2);
    EXPECT_TRUE(w2.Error_Text().contains(QString::number(holder.LocalPort())));
}

TEST_F(WorkerTest, APrivilegedWirelessPortFailsWithoutThePrivilege)
{
    // Port 502, the window's default, from a thread without the privilege to
    // bind ports below 1024 (capabilities are per thread).
    bool privileged = true;
    int32_t result = 0;
    QString error;
    std::thread unprivileged([&] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct caps[2]{};
        if (syscall(SYS_capget, &header, caps) == 0) {
            caps[0].effective &= ~(1u << CAP_NET_BIND_SERVICE);
            syscall(SYS_capset, &header, caps);
        }
        UdpEndpoint probe;
        privileged = probe.Open(QHostAddress(QHostAddress::LocalHost), 502);
        probe.Close();
        if (privileged)
            return;
        WorkerOptions o = Fast();
        TMBusScanDecode w(wired, wireless, o);
        w.Start_Scan_Wireless(shEthernet, QStringLiteral("127.0.0.1"), 502, 1, 0, {}, false);
        result = w.InScan() ? -1 : w.Result();
        error = w.Error_Text();
    });
    unprivileged.join();
    if (privileged)
        GTEST_SKIP() << "this thread may still bind port 502";
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(error.contains(QStringLiteral("502"))) << error.toStdString();
}

TEST_F(WorkerTest, ParkAbortsTheScanRunsItsCloseStepsAndTellsWhenParked)
{
    ConverterSim sim;
    WorkerOptions o = Fast();
    o.converterPort = sim.Port();
    o.pauses.request = 20;   // the scan is still running when the park comes
    std::atomic<int> parkedCalls{0};
    o.onParked = [&] { ++parkedCalls; };
    TMBusScanDecode w(wired, wireless, o);
    ASSERT_TRUE(w.Wait_Parked(3000));
    EXPECT_EQ(parkedCalls, 1);
    Calls calls;
    w.Set_Run_Event();
    ASSERT_TRUE(StartPrimary(w, QStringLiteral("127.0.0.1"), calls.Proc()));
    ASSERT_TRUE(WaitUntil([&] { return sim.CurrentMode() == mbussim::Mode::Analyzer && sim.Handled() > 4; }));

    w.Park();
    ASSERT_TRUE(w.Wait_Parked(5000));
    EXPECT_FALSE(w.InScan());
    EXPECT_TRUE(w.Parked());
    EXPECT_EQ(parkedCalls, 2);
    EXPECT_EQ(sim.CurrentMode(), mbussim::Mode::Normal);
    EXPECT_EQ(sim.Log().back().bytes, kDisable);
    for (const auto& c : calls.Get())
        EXPECT_NE(c[0], 3);

    // Opened again, the next scan is taken.
    w.Set_Run_Event();
    ASSERT_TRUE(StartPrimary(w, QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(WaitUntil([&] { return sim.CurrentMode() == mbussim::Mode::Analyzer; }));
    w.Park();
    EXPECT_TRUE(w.Wait_Parked(5000));
}

TEST_F(WorkerTest, AScanDumpIsWrittenWhenAsked)
{
    ConverterSim sim;
    sim.With([](mbussim::ConverterCore& c) {
        c.bus.meters = {Meter::From_Suite(0, 0x10, QStringLiteral("example_data_01"))};
    });
    WorkerOptions o = Fast();
    o.converterPort = sim.Port();
    TMBusScanDecode w(wired, wireless, o);
    w.Set_Run_Event();
    QTemporaryDir dir;
    const QString dump = dir.filePath(QStringLiteral("dump.xml"));
    w.SetSaveXMLFile(dump);
    ASSERT_TRUE(w.Start_Scan(saPrimaryAddress, shEthernet, QStringLiteral("127.0.0.1"), 2400, 1, false, false, 0,
                             false, 0, {}));
    ASSERT_TRUE(WaitUntil([&] { return !w.InScan(); }, 30000));
    QFile f(dump);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("SCAN_M-Bus_Wired"));
}
