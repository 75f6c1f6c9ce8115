#include "loopback_udp.h"

#include "platform/udp_endpoint.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <chrono>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace {

const QHostAddress kLoopback(QHostAddress::LocalHost);

// Datagrams as a receive thread hands them over. Declared before the
// endpoints that fill it, so it outlives their threads.
struct Inbox
{
    std::mutex mutex;
    std::vector<UdpDatagram> got;
    std::vector<bool> onGui;
    UdpEndpoint::Handler Handler()
    {
        return [this](const UdpDatagram& d) {
            std::lock_guard lock(mutex);
            got.push_back(d);
            onGui.push_back(QThread::currentThread() == QCoreApplication::instance()->thread());
        };
    }
    UdpDatagram At(size_t i)
    {
        std::lock_guard lock(mutex);
        return got.at(i);
    }
    bool OnGui(size_t i)
    {
        std::lock_guard lock(mutex);
        return onGui.at(i);
    }
    size_t Count()
    {
        std::lock_guard lock(mutex);
        return got.size();
    }
    bool WaitFor(size_t n, int ms = 3000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (Count() < n) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
};

// A resolver that knows one name.
class NamedResolver : public UdpResolver
{
public:
    bool Resolve(const QString& host, QHostAddress& address, QString& error) override
    {
        ++asked;
        if (host == QLatin1String("converter")) {
            address = kLoopback;
            return true;
        }
        error = QStringLiteral("Host not found: ") + host;
        return false;
    }
    int asked = 0;
};

} // namespace

TEST(UdpEndpoint, APortAnotherSocketHoldsIsNotShared)
{
    UdpEndpoint a;
    ASSERT_TRUE(a.Open(kLoopback, 0));
    const uint16_t port = a.LocalPort();
    ASSERT_NE(port, 0);
    UdpEndpoint b;
    QString error;
    EXPECT_FALSE(b.Open(kLoopback, port, &error));
    EXPECT_FALSE(b.IsOpen());
    EXPECT_TRUE(error.startsWith(QStringLiteral("UDP port %1: ").arg(port))) << error.toStdString();
    // Nor on the wildcard address.
    EXPECT_FALSE(b.Open(QHostAddress(QHostAddress::Any), port, &error));
    a.Close();
    EXPECT_EQ(a.LocalPort(), 0);
    EXPECT_TRUE(b.Open(kLoopback, port, &error)) << error.toStdString();
}

TEST(UdpEndpoint, DatagramsBothWaysWithTheirSender)
{
    Inbox inA, inB;
    UdpEndpoint a, b;
    ASSERT_TRUE(a.Open(kLoopback, 0));
    ASSERT_TRUE(b.Open(kLoopback, 0));
    a.StartReceiving(inA.Handler());
    b.StartReceiving(inB.Handler());
    ASSERT_TRUE(a.Send(QStringLiteral("127.0.0.1"), b.LocalPort(), QByteArray("ping")));
    ASSERT_TRUE(inB.WaitFor(1));
    EXPECT_EQ(inB.At(0).data, QByteArray("ping"));
    EXPECT_EQ(inB.At(0).sender, kLoopback);
    EXPECT_EQ(inB.At(0).senderPort, a.LocalPort());
    EXPECT_FALSE(inB.OnGui(0));
    // A reply to the sender, from inside nothing but a plain send.
    ASSERT_TRUE(b.Send(inB.At(0).sender, inB.At(0).senderPort, QByteArray(3, '\0')));
    ASSERT_TRUE(inA.WaitFor(1));
    EXPECT_EQ(inA.At(0).data, QByteArray(3, '\0'));
    // An empty datagram is a datagram.
    ASSERT_TRUE(a.Send(kLoopback, b.LocalPort(), QByteArray()));
    ASSERT_TRUE(inB.WaitFor(2));
    EXPECT_TRUE(inB.At(1).data.isEmpty());
}

TEST(UdpEndpoint, DatagramsOverTheLimitAreDroppedWhole)
{
    Inbox in;
    UdpEndpoint a, b;
    ASSERT_TRUE(a.Open(kLoopback, 0));
    ASSERT_TRUE(b.Open(kLoopback, 0));
    b.SetMaxDatagram(2048);
    b.StartReceiving(in.Handler());
    a.Send(kLoopback, b.LocalPort(), QByteArray(2049, 'x'));
    a.Send(kLoopback, b.LocalPort(), QByteArray(2048, 'y'));
    a.Send(kLoopback, b.LocalPort(), QByteArray(60000, 'z'));
    a.Send(kLoopback, b.LocalPort(), QByteArray("end"));
    ASSERT_TRUE(in.WaitFor(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(in.Count(), 2u);
    EXPECT_EQ(in.At(0).data, QByteArray(2048, 'y'));
    EXPECT_EQ(in.At(1).data, QByteArray("end"));
}

TEST(UdpEndpoint, DeliveryToTheGuiThreadStopsAtClose)
{
    Inbox in;
    QObject context;
    UdpEndpoint a, b;
    ASSERT_TRUE(a.Open(kLoopback, 0));
    ASSERT_TRUE(b.Open(kLoopback, 0));
    b.StartReceiving(&context, in.Handler());
    a.Send(kLoopback, b.LocalPort(), QByteArray("one"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return in.Count() == 1; }, 3000));
    EXPECT_TRUE(in.OnGui(0));
    EXPECT_EQ(in.At(0).data, QByteArray("one"));

    // Received but not yet handed over when the endpoint closes: never handled.
    a.Send(kLoopback, b.LocalPort(), QByteArray("two"));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    b.Close();
    QTest::qWait(20);
    EXPECT_EQ(in.Count(), 1u);
}

TEST(UdpEndpoint, NamesGoThroughTheResolver)
{
    NamedResolver resolver;
    UdpResolver* before = UdpEndpoint::SetResolver(&resolver);
    Inbox in;
    UdpEndpoint a, b;
    ASSERT_TRUE(a.Open(kLoopback, 0));
    ASSERT_TRUE(b.Open(kLoopback, 0));
    b.StartReceiving(in.Handler());
    QString error;
    EXPECT_TRUE(a.Send(QStringLiteral("converter"), b.LocalPort(), "hi", &error)) << error.toStdString();
    EXPECT_FALSE(a.Send(QStringLiteral("nowhere.example"), b.LocalPort(), "lost", &error));
    EXPECT_EQ(error, QStringLiteral("Host not found: nowhere.example"));
    EXPECT_EQ(resolver.asked, 2);
    ASSERT_TRUE(in.WaitFor(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(in.Count(), 1u);
    UdpEndpoint::SetResolver(before);

    // The tests' own resolver looks nothing up.
    EXPECT_FALSE(a.Send(QStringLiteral("example.com"), b.LocalPort(), "x", &error));
    EXPECT_TRUE(a.Send(QStringLiteral("localhost"), b.LocalPort(), "x", &error));
}

TEST(UdpEndpoint, TheSendGuardStopsADatagram)
{
    std::vector<QString> asked;
    UdpSendGuard before = UdpEndpoint::SetSendGuard([&](const QHostAddress& to, uint16_t port, QString& error) {
        asked.push_back(QStringLiteral("%1:%2").arg(to.toString()).arg(port));
        error = QStringLiteral("refused");
        return false;
    });
    UdpEndpoint a;
    ASSERT_TRUE(a.Open(kLoopback, 0));
    QString error;
    EXPECT_FALSE(a.Send(QStringLiteral("127.0.0.1"), 9, "x", &error));
    EXPECT_EQ(error, QStringLiteral("refused"));
    EXPECT_EQ(asked, std::vector<QString>{QStringLiteral("127.0.0.1:9")});
    UdpEndpoint::SetSendGuard(before);
}

// In tests, a datagram to an address outside 127.0.0.0/8 fails the test and is not sent.
static UdpEndpoint* g_outside = nullptr;
TEST(UdpEndpoint, TestsMayNotSendOutsideLoopback)
{
    UdpEndpoint a;
    ASSERT_TRUE(a.Open(kLoopback, 0));
    g_outside = &a;
    EXPECT_NONFATAL_FAILURE(g_outside->Send(QStringLiteral("192.0.2.1"), 10000, "x"), "outside 127.0.0.0/8");
    EXPECT_NONFATAL_FAILURE(g_outside->Send(QHostAddress(QStringLiteral("10.0.0.1")), 5000, "x"),
                            "outside 127.0.0.0/8");
    g_outside = nullptr;
}

TEST(UdpEndpoint, ClosedEndpointsSendNothing)
{
    UdpEndpoint a;
    QString error;
    EXPECT_FALSE(a.Send(kLoopback, 9, "x", &error));
    EXPECT_EQ(error, QStringLiteral("UDP socket not open"));
    a.StartReceiving([](const UdpDatagram&) {});
    a.Close();
    a.Close();
}
