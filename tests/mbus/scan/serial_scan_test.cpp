#include "scan_fixture.h"

#include "pty_pair.h"

#include "mbus/scan/scan_worker.h"

#include <QTest>

using namespace mbus;

// The worker over a pseudo-terminal: the converter's side answers on the
// master, the worker's serial port is the slave side, and the answers come in
// through the port's events on the GUI thread (the test's).
TEST(SerialScan, APrimaryScanOverThePortFindsItsMeters)
{
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    mbussim::SerialConverterSim converter(pty.Master());
    converter.With([](mbussim::ConverterCore& c) {
        c.bus.meters = {Meter::From_Suite(3, 0x33333333, QStringLiteral("example_data_01")),
                        Meter::From_Suite(9, 0x99999999, QStringLiteral("els_falcon"), 2)};
    });
    WiredSlaves wired;
    WirelessSlaves wireless;
    WorkerOptions o;
    o.pauses = {1, 1, 0};
    o.context = ScanTestContext;
    TMBusScanDecode w(wired, wireless, o);
    std::mutex mutex;
    std::vector<int> found;
    int polled = 0;
    w.Set_Run_Event();
    ASSERT_TRUE(w.Start_Scan(saPrimaryAddress, shSerial, pty.SlavePath(), 2400, 1, false, false, 2, false, 0,
                             [&](int kind, int address, int hit, int) {
                                 std::lock_guard lock(mutex);
                                 if (kind != 2)
                                     return;
                                 ++polled;
                                 if (hit)
                                     found.push_back(address);
                             }));
    ASSERT_TRUE(w.InScan()) << w.Error_Text().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.InScan(); }, 60000));
    EXPECT_EQ(w.Result(), 1);
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(found, (std::vector<int>{3, 9}));
        EXPECT_EQ(polled, 251);
    }
    std::lock_guard lock(w.SlaveLock());
    ASSERT_EQ(wired.size(), 2);
    EXPECT_EQ(wired[1]->Secondary_Addresss, QStringLiteral("99999999"));
    for (const mbussim::LoggedRequest& r : converter.Log())
        EXPECT_FALSE(r.bytes.startsWith("Keltrona"));
}

TEST(SerialScan, AMissingPortEndsTheStartWithResult2)
{
    WiredSlaves wired;
    WirelessSlaves wireless;
    TMBusScanDecode w(wired, wireless);
    EXPECT_TRUE(w.Start_Scan(saPrimaryAddress, shSerial, QStringLiteral("/dev/no-such-port"), 2400, 1, false,
                             false, 0, false, 0, {}));
    EXPECT_FALSE(w.InScan());
    EXPECT_EQ(w.Result(), 2);
    EXPECT_EQ(w.Error_Text(), QStringLiteral("Error accessing specified device (Error: 2) "));
}
