#include "icmp_echo.h"
#include "ping_loop.h"

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray Payload()
{
    return PingPayload(QStringLiteral("127.0.0.1"));
}

TEST(IcmpEcho, LoopbackAnswers)
{
    const IcmpEchoResult r = IcmpEcho(QStringLiteral("127.0.0.1"), Payload(), 400);
    if (r.status == IcmpEchoResult::NotPermitted)
        GTEST_SKIP() << r.error.toStdString();
    ASSERT_EQ(r.status, IcmpEchoResult::Answered) << r.error.toStdString();
    EXPECT_EQ(r.bytesReceived, 1024);
}

TEST(IcmpEcho, PingLoopFindsLoopback)
{
    IcmpEchoClient echo;
    SteadyPingClock clock;
    const PingOutcome out = Run_Ping(QStringLiteral("127.0.0.1"), echo, clock);
    if (out.result == PingOutcome::NotPermitted)
        GTEST_SKIP() << out.error.toStdString();
    EXPECT_EQ(out.result, PingOutcome::Found) << out.error.toStdString();
    EXPECT_EQ(out.attempts, 2);
}

TEST(IcmpEcho, NotAnAddressFails)
{
    for (const char* host : {"", "localhost", "10.0.0", "10.0.0.256", "1.2.3.4 "}) {
        const IcmpEchoResult r = IcmpEcho(QString::fromLatin1(host), Payload(), 400);
        EXPECT_EQ(r.status, IcmpEchoResult::Failed) << host;
        EXPECT_FALSE(r.error.isEmpty()) << host;
    }
}

// Without the right to raw sockets (and where datagram ICMP sockets are not
// allowed) the echo says so instead of reporting silence.
TEST(IcmpEcho, RefusedSocketsSayNotPermitted)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) != 0)
            _exit(10);
        data[CAP_NET_RAW / 32].effective &= ~(1u << (CAP_NET_RAW % 32));
        if (syscall(SYS_capset, &header, data) != 0)
            _exit(10);
        const IcmpEchoResult r = IcmpEcho(QStringLiteral("127.0.0.1"), Payload(), 400);
        _exit(r.status == IcmpEchoResult::NotPermitted ? 0 : r.status == IcmpEchoResult::Answered ? 11 : 12);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 10)
        GTEST_SKIP() << "cannot drop the raw-socket right here";
    if (WEXITSTATUS(status) == 11)
        GTEST_SKIP() << "this system allows ICMP datagram sockets";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
