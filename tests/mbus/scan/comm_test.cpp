#include "pty_pair.h"

#include "mbus/scan/comm.h"
#include "mbus/scan/transports.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <future>
#include <gtest/gtest.h>
#include <termios.h>

using namespace mbus;

namespace {

// The message an ECommError carries when f() raises one ("" when none).
template <typename F>
QString Raised(F f)
{
    try {
        f();
    } catch (const ECommError& e) {
        return e.Message();
    }
    return QString();
}

termios Attributes(int fd)
{
    termios t{};
    tcgetattr(fd, &t);
    return t;
}

struct CommTest : testing::Test
{
    PtyPair pty;
    TComm comm;
    void SetUp() override
    {
        ASSERT_TRUE(pty.Ok());
        comm.SetDeviceName(pty.SlavePath());
    }
};

} // namespace

TEST(Comm, Defaults)
{
    TComm c;
    EXPECT_EQ(c.DeviceName(), QStringLiteral("Com2"));
    EXPECT_EQ(c.ReadTimeout(), 1000);
    EXPECT_EQ(c.WriteTimeout(), 1000);
    EXPECT_EQ(c.ReadBufSize(), 4096);
    EXPECT_EQ(c.WriteBufSize(), 2048);
    EXPECT_EQ(c.MonitorEvents(), AllCommEvents);
    EXPECT_EQ(c.BaudRate(), br9600);
    EXPECT_EQ(c.Parity(), paNone);
    EXPECT_EQ(c.Stopbits(), sb10);
    EXPECT_EQ(c.Databits(), da8);
    EXPECT_EQ(c.FlowControl(), fcDefault);
    EXPECT_EQ(c.Options(), 0u);
    EXPECT_EQ(c.EventChars(), (TCommEventChars{17, 19, 0, 0, 0}));
    EXPECT_FALSE(c.Enabled());
    EXPECT_EQ(c.Handle(), -1);
}

TEST(Comm, AClosedPort)
{
    TComm c;
    EXPECT_EQ(c.InQueCount(), -1);
    EXPECT_EQ(c.OutQueCount(), -1);
    EXPECT_FALSE(c.CTS());
    EXPECT_FALSE(c.DSR());
    EXPECT_FALSE(c.RING());
    EXPECT_FALSE(c.RLSD());
    EXPECT_FALSE(c.CtsHold());
    EXPECT_FALSE(c.XOffSent());
    const QString notOpen = QStringLiteral("Port not open, unable to complete operation (Error: -1) ");
    EXPECT_EQ(Raised([&] { c.SetDTRState(true); }), notOpen);
    EXPECT_EQ(Raised([&] { c.SetRTSState(true); }), notOpen);
    EXPECT_EQ(Raised([&] { c.SetBREAKState(true); }), notOpen);
    EXPECT_EQ(Raised([&] { c.SetXONState(true); }), notOpen);
    c.PurgeIn();
    c.Close();
}

TEST(Comm, OnlyAnExistingCharacterDeviceOpens)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("not-a-port"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    TComm c;
    c.SetDeviceName(file);
    EXPECT_EQ(Raised([&] { c.Open(); }), QStringLiteral("Invalid device handle, access denied (Error: -1) "));
    EXPECT_FALSE(c.Enabled());
    c.SetDeviceName(dir.filePath(QStringLiteral("missing")));
    const QString missing = Raised([&] { c.Open(); });
    EXPECT_EQ(missing, QStringLiteral("Error accessing specified device (Error: 2) "));
    EXPECT_FALSE(c.Enabled());
}

TEST_F(CommTest, OpenTwiceAndSettersThatNeedAClosedPort)
{
    comm.Open();
    EXPECT_TRUE(comm.Enabled());
    const QString assigned = QStringLiteral("Port already assigned (open) (Error: -1) ");
    EXPECT_EQ(Raised([&] { comm.Open(); }), assigned);
    EXPECT_EQ(Raised([&] { comm.SetDeviceName(QStringLiteral("/dev/null")); }), assigned);
    EXPECT_EQ(Raised([&] { comm.SetMonitorEvents(Event(evRxChar)); }), assigned);
    EXPECT_EQ(Raised([&] { comm.SetReadBufSize(100); }), assigned);
    EXPECT_EQ(Raised([&] { comm.SetWriteBufSize(100); }), assigned);
    // The same value is no change.
    EXPECT_EQ(Raised([&] { comm.SetDeviceName(pty.SlavePath()); }), QString());
    EXPECT_EQ(Raised([&] { comm.SetReadBufSize(4096); }), QString());
    comm.Close();
    EXPECT_FALSE(comm.Enabled());
    comm.SetReadBufSize(100);
    EXPECT_EQ(comm.ReadBufSize(), 100);
}

TEST_F(CommTest, ABaudRateWhileClosedIsStoredAndWhileOpenApplied)
{
    comm.SetBaudRate(br19200);
    EXPECT_EQ(comm.BaudRate(), br19200);
    EXPECT_EQ(comm.DCBFlags(), 0u);
    comm.Open();
    termios opened = Attributes(comm.Handle());
    EXPECT_EQ(cfgetospeed(&opened), speed_t(B19200));
    comm.SetBaudRate(br115200);
    termios changed = Attributes(comm.Handle());
    EXPECT_EQ(cfgetospeed(&changed), speed_t(B115200));
    // (A pseudo-terminal keeps 8 data bits and no parity whatever is set.)
    comm.SetStopbits(sb20);
    EXPECT_TRUE(Attributes(comm.Handle()).c_cflag & CSTOPB);
    comm.SetStopbits(sb10);
    EXPECT_FALSE(Attributes(comm.Handle()).c_cflag & CSTOPB);
}

TEST_F(CommTest, NoFlowControlWithParityCheckIsBinaryAndParityOnly)
{
    comm.SetFlowControl(fcSoftware);
    comm.Open();
    EXPECT_EQ(comm.DCBFlags(), dcb::Binary | dcb::OutX | dcb::InX);
    EXPECT_TRUE(Attributes(comm.Handle()).c_iflag & IXON);
    comm.SetFlowControl(fcNone);
    comm.SetOptions(Option(coParityCheck));
    EXPECT_EQ(comm.DCBFlags(), dcb::Binary | dcb::Parity);
    const termios t = Attributes(comm.Handle());
    EXPECT_TRUE(t.c_iflag & INPCK);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF));
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    // Default flow control keeps what the port holds.
    comm.SetFlowControl(fcCTS);
    EXPECT_TRUE(Attributes(comm.Handle()).c_cflag & CRTSCTS);
    comm.SetFlowControl(fcDefault);
    EXPECT_EQ(comm.DCBFlags(), dcb::Binary | dcb::Parity | dcb::OutxCtsFlow | dcb::RtsHandshake);
}

TEST_F(CommTest, WhatTermiosCannotExpressIsRefused)
{
    const QString refused = QStringLiteral("Error updating DataControlBlock (Error: 22) ");
    struct Case
    {
        const char* what;
        std::function<void(TComm&)> set;
    };
    const Case cases[] = {
        {"4 data bits", [](TComm& c) { c.SetDatabits(da4); }},
        {"1.5 stop bits", [](TComm& c) { c.SetStopbits(sb15); }},
        {"DTR/DSR handshake", [](TComm& c) { c.SetFlowControl(fcDTR); }},
        {"DSR sensitivity", [](TComm& c) { c.SetOptions(Option(coDsrSensitivity)); }},
        {"error character", [](TComm& c) { c.SetOptions(Option(coErrorChar)); }},
        {"null stripping", [](TComm& c) { c.SetOptions(Option(coNullStrip)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PtyPair p;
        TComm open;
        open.SetDeviceName(p.SlavePath());
        open.Open();
        EXPECT_EQ(Raised([&] { c.set(open); }), refused);
        EXPECT_TRUE(open.Enabled());
        // Set while closed, the open fails and the port stays closed.
        TComm closed;
        closed.SetDeviceName(p.SlavePath());
        open.Close();
        c.set(closed);
        EXPECT_EQ(Raised([&] { closed.Open(); }), refused);
        EXPECT_FALSE(closed.Enabled());
    }
}

TEST_F(CommTest, TheWorkersLineIs115200EightNoneOneWithoutHandshake)
{
    SystemTickClock& clock = SystemTickClock::Instance();
    SerialLinkTransport serial(clock);
    serial.Open(pty.SlavePath());
    const termios t = Attributes(serial.Comm().Handle());
    EXPECT_EQ(cfgetospeed(&t), speed_t(B115200));
    EXPECT_EQ(cfgetispeed(&t), speed_t(B115200));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF));
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO));
    EXPECT_EQ(serial.Comm().ReadBufSize(), 4096);
    EXPECT_EQ(serial.Comm().WriteBufSize(), 4096);
}

TEST_F(CommTest, ReceivedCharactersReachTheGuiThreadWithTheirCount)
{
    std::vector<int> counts;
    std::vector<bool> onGui;
    QByteArray read;
    comm.OnRxChar = [&](TComm& sender, int count) {
        counts.push_back(count);
        onGui.push_back(QThread::currentThread() == QCoreApplication::instance()->thread());
        QByteArray b(count, '\0');
        const int n = sender.Read(b.data(), count);
        read += b.left(n);
    };
    // Opened on another thread: the handler still runs on the GUI thread.
    std::thread([&] { comm.Open(); }).join();
    pty.Write("hello");
    ASSERT_TRUE(QTest::qWaitFor([&] { return read.size() == 5; }, 3000));
    EXPECT_EQ(counts, std::vector<int>{5});
    EXPECT_EQ(onGui, std::vector<bool>{true});
    EXPECT_EQ(read, QByteArray("hello"));
}

TEST_F(CommTest, WritesReachThePeerAndTheTransmitEmptyEventFollows)
{
    int txEmpty = 0;
    comm.OnTxEmpty = [&](TComm&) { ++txEmpty; };
    comm.Open();
    EXPECT_EQ(comm.Write("\x10\x40\xFF\x3F\x16", 5), 5);
    EXPECT_EQ(pty.Read(1000), QByteArray("\x10\x40\xFF\x3F\x16", 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return txEmpty > 0; }, 3000));
}

TEST_F(CommTest, AReadWithNothingThereGivesMinusOneAfterTheReadTimeout)
{
    comm.SetReadTimeout(200);
    comm.Open();
    char buffer[8];
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), -1);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ms, 190);
    EXPECT_LT(ms, 700);
    pty.Write("ab");
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 2);
    EXPECT_EQ(comm.InQueCount(), 0);
}

TEST_F(CommTest, CloseDoesNotWaitForTheGuiThreadAndNothingIsHandledAfterIt)
{
    int handled = 0;
    comm.OnRxChar = [&](TComm&, int) { ++handled; };
    comm.Open();
    pty.Write("x");
    // Let the event thread post its hand-over; the GUI thread does not run it yet.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    auto closed = std::async(std::launch::async, [&] { comm.Close(); });
    ASSERT_EQ(closed.wait_for(std::chrono::seconds(3)), std::future_status::ready);
    QCoreApplication::processEvents();
    QTest::qWait(20);
    EXPECT_EQ(handled, 0);
    EXPECT_FALSE(comm.Enabled());
    // Opened again, the port works as before.
    comm.Open();
    pty.Write("y");
    EXPECT_TRUE(QTest::qWaitFor([&] { return handled == 1; }, 3000));
}

TEST_F(CommTest, ModemLinesOfAPseudoTerminalReadFalse)
{
    comm.Open();
    // Accepted, or refused by the driver with its error.
    const QString dtr = Raised([&] { comm.SetDTRState(true); });
    EXPECT_TRUE(dtr.isEmpty() || dtr.startsWith(QStringLiteral("EscapeCommFunction failure (Error: "))) << dtr.toStdString();
    EXPECT_FALSE(comm.CTS());
    EXPECT_FALSE(comm.RING());
    EXPECT_EQ(comm.OutQueCount(), 0);
}
