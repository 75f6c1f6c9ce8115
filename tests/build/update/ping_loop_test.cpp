#include "fakes.h"
#include "ping_loop.h"

#include <gtest/gtest.h>

namespace {

struct ValidIpCase
{
    const char* text;
    bool valid;
    const char* parts[4];
};

TEST(ValidIp, AcceptsFourOctetsAndRejectsTheRest)
{
    const ValidIpCase cases[] = {
        {"192.168.2.205", true, {"192", "168", "2", "205"}},
        {"  10 . 0 .0. 1 ", true, {"10", "0", "0", "1"}},
        {"0.0.0.0", true, {"0", "0", "0", "0"}},
        {"255.255.255.255", true, {"255", "255", "255", "255"}},
        {"10.0.0.256", false, {}},
        {"10.0.0", false, {}},
        {"10.0.0.1.5", false, {}},
        {"10.0.0.-1", false, {}},
        {"10..0.1", false, {}},
        {"a.b.c.d", false, {}},
        {"", false, {}},
    };
    for (const ValidIpCase& c : cases) {
        QString p[4];
        EXPECT_EQ(Valid_IP(QString::fromLatin1(c.text), p[0], p[1], p[2], p[3]), c.valid) << c.text;
        if (c.valid) {
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(p[i], QString::fromLatin1(c.parts[i])) << c.text;
        }
    }
}

TEST(ValidIp, CanonicalFormIsPlainDecimal)
{
    EXPECT_EQ(CanonicalIP(QStringLiteral("192.168.2.205")), QStringLiteral("192.168.2.205"));
    // A leading zero would read as octal to an address parser; the decimal
    // value that was checked is what gets used.
    EXPECT_EQ(CanonicalIP(QStringLiteral("010.0.0.07")), QStringLiteral("10.0.0.7"));
    EXPECT_EQ(CanonicalIP(QStringLiteral(" 1 .2.3.4")), QStringLiteral("1.2.3.4"));
    EXPECT_TRUE(CanonicalIP(QStringLiteral("10.0.0.1.5")).isEmpty());
}

struct PingCase
{
    const char* name;
    std::vector<EchoStep> script;
    PingOutcome::Result result;
    int attempts;
    int answered;
};

TEST(PingLoop, ScriptedReplies)
{
    std::vector<EchoStep> silentThenLateAnswer(24, Silent());
    silentThenLateAnswer.push_back(Answer(400));
    const PingCase cases[] = {
        {"every echo answered: found after two", {Answer()}, PingOutcome::Found, 2, 2},
        {"answers after two silent", {Silent(), Silent(), Answer(), Answer()}, PingOutcome::Found, 4, 2},
        {"one answer then silence: not found after 10 s", {Answer(), Silent()}, PingOutcome::NotFound, 26, 1},
        {"no device: about 25 echoes", {Silent()}, PingOutcome::NotFound, 25, 0},
        {"last echo answered past the limit counts", silentThenLateAnswer, PingOutcome::Found, 25, 1},
        {"echo error", {Fail()}, PingOutcome::Error, 1, 0},
        {"error after an answer", {Answer(), Fail()}, PingOutcome::Error, 2, 1},
        {"system refuses ICMP", {Refused()}, PingOutcome::NotPermitted, 1, 0},
    };
    for (const PingCase& c : cases) {
        FakePingClock clock;
        ScriptedEcho echo(clock, c.script);
        int stopAsked = 0;
        const PingOutcome out = Run_Ping(QStringLiteral("192.168.2.205"), echo, clock, [&] {
            ++stopAsked;
            return false;
        });
        EXPECT_EQ(out.result, c.result) << c.name;
        EXPECT_EQ(out.attempts, c.attempts) << c.name;
        EXPECT_EQ(out.answered, c.answered) << c.name;
        EXPECT_EQ(echo.Calls(), c.attempts) << c.name;
        if (c.result == PingOutcome::NotFound) {
            EXPECT_GT(clock.now - 5000, uint32_t(PingLimitMs)) << c.name;
        }
        if (c.result == PingOutcome::Error || c.result == PingOutcome::NotPermitted) {
            EXPECT_FALSE(out.error.isEmpty()) << c.name;
        }
        // Each completed attempt pauses once, then may be stopped.
        const int completed = c.result == PingOutcome::Found || c.result == PingOutcome::NotFound ? c.attempts
                                                                                                   : c.attempts - 1;
        EXPECT_EQ(clock.pauses, completed) << c.name;
        EXPECT_EQ(stopAsked, completed) << c.name;
    }
}

TEST(PingLoop, SilentDeviceFailsJustAfterTenSeconds)
{
    FakePingClock clock(0);
    ScriptedEcho echo(clock, {Silent()});
    Run_Ping(QStringLiteral("10.1.2.3"), echo, clock);
    // 25 attempts of 400 ms wait and a 10 ms pause.
    EXPECT_EQ(clock.now, 25u * 410u);
}

TEST(PingLoop, TickCounterWrapDoesNotEndTheLoopEarly)
{
    FakePingClock clock(0xFFFFFFFFu - 1000u);
    ScriptedEcho echo(clock, {Silent()});
    const PingOutcome out = Run_Ping(QStringLiteral("10.1.2.3"), echo, clock);
    EXPECT_EQ(out.result, PingOutcome::NotFound);
    EXPECT_EQ(out.attempts, 25);
}

TEST(PingLoop, EachEchoCarriesTheAddressTextPaddedTo1024BytesAndWaits400ms)
{
    FakePingClock clock;
    ScriptedEcho echo(clock, {Answer()});
    Run_Ping(QStringLiteral("192.168.2.205"), echo, clock);
    ASSERT_EQ(echo.Calls(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(echo.hosts[i], QStringLiteral("192.168.2.205"));
        EXPECT_EQ(echo.timeouts[size_t(i)], 400);
        const QByteArray& data = echo.payloads[i];
        ASSERT_EQ(data.size(), 1024);
        EXPECT_EQ(data.left(13), QByteArray("192.168.2.205"));
        EXPECT_EQ(data.mid(13), QByteArray(1024 - 13, '\0'));
    }
}

TEST(PingLoop, StopEndsTheProcedureAfterTheEchoUnderWay)
{
    FakePingClock clock;
    ScriptedEcho echo(clock, {Silent()});
    const PingOutcome out = Run_Ping(QStringLiteral("10.1.2.3"), echo, clock, [] { return true; });
    EXPECT_EQ(out.result, PingOutcome::Stopped);
    EXPECT_EQ(out.attempts, 1);
}

TEST(PingRun, RunsOnAWorkerAndReportsThroughTheEventLoop)
{
    FakePingClock clock;
    ScriptedEcho echo(clock, {Silent(), Answer(), Answer()});
    echo.realMs = 60;
    PingRun run;
    std::optional<PingOutcome> outcome;
    QObject::connect(&run, &PingRun::Finished, [&](const PingOutcome& o) { outcome = o; });
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(10);
    ASSERT_TRUE(run.Start(QStringLiteral("10.1.2.3"), echo, clock));
    EXPECT_TRUE(run.IsRunning());
    EXPECT_FALSE(run.Start(QStringLiteral("10.1.2.3"), echo, clock));
    QElapsedTimer wait;
    wait.start();
    while (!outcome && wait.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(run.IsRunning());
    EXPECT_EQ(outcome->result, PingOutcome::Found);
    EXPECT_EQ(outcome->attempts, 3);
    EXPECT_EQ(echo.Calls(), 3);
    EXPECT_GE(ticks, 5);   // the caller's loop went on meanwhile

    // Ended early by its owner's end: waits for the echo under way only.
    ScriptedEcho silent(clock, {Silent()});
    silent.realMs = 100;
    wait.restart();
    {
        PingRun early;
        ASSERT_TRUE(early.Start(QStringLiteral("10.1.2.3"), silent, clock));
    }
    EXPECT_LT(wait.elapsed(), 1000);
    EXPECT_LE(silent.Calls(), 2);
}

} // namespace
