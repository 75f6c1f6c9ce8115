#include "scan_fixture.h"

using namespace mbus;

namespace {

// The suite frame every meter of these tests sends, unless said otherwise.
const QString kFrame = QStringLiteral("example_data_01");

WiredSettings Primary()
{
    WiredSettings s;
    s.ScanType = saPrimaryAddress;
    return s;
}

WiredSettings Secondary()
{
    WiredSettings s;
    s.ScanType = saSecondaryAddress;
    return s;
}

struct WiredScanTest : testing::Test, SteppedWired
{
    void Meters(std::vector<Meter> meters)
    {
        sim.With([&](mbussim::ConverterCore& c) { c.bus.meters = std::move(meters); });
    }
    // The found/not-found calls of a primary scan, as (address, found).
    std::vector<std::pair<int, int>> Polled() const
    {
        std::vector<std::pair<int, int>> out;
        for (const auto& c : CallsOfKind(2))
            out.push_back({c[1], c[2]});
        return out;
    }
    std::vector<int> Found() const
    {
        std::vector<int> out;
        for (const auto& c : CallsOfKind(2))
            if (c[2])
                out.push_back(c[1]);
        return out;
    }
};

QByteArray ReqUd2(int address, bool fcb)
{
    return Raw(Build_REQ_UD2(static_cast<uint8_t>(address), fcb ? 0 : 1, false, 0));
}

} // namespace

TEST_F(WiredScanTest, HandshakeOpensTheAnalyzerModeAndTheCloseLeavesIt)
{
    Begin(Primary());
    Step();
    EXPECT_EQ(sim.CurrentMode(), mbussim::Mode::Analyzer);
    EXPECT_EQ(flags.Result, 1);
    EXPECT_EQ(scan.Step_Scan, 1);
    Step();
    EXPECT_EQ(scan.Step_Scan, wired::PrimaryStart);
    flags.StopScan = true;
    RunToEnd();
    EXPECT_EQ(sim.CurrentMode(), mbussim::Mode::Normal);
    EXPECT_EQ(counting.closes, 1);
    EXPECT_EQ(flags.Result, 1);
    const std::vector<QByteArray> r = Requests();
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r.front(), kEnable);
    EXPECT_EQ(r.back(), kDisable);
}

TEST_F(WiredScanTest, AWrongOrMissingHandshakeEndsWithResult2)
{
    struct Case
    {
        const char* what;
        std::optional<Fault> fault;
    };
    const Case cases[] = {
        {"reply without its LF CR", Fault{FaultKind::WrongText, Fault::ForText(kEnable)}},
        {"silence", Fault{FaultKind::Drop, Fault::ForText(kEnable)}},
        {"reply too late", Fault{FaultKind::Delay, Fault::ForText(kEnable), 5000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SteppedWired t;
        t.sim.Add_Fault(*c.fault);
        t.Begin(Primary());
        t.RunToEnd();
        EXPECT_EQ(t.flags.Result, 2);
        EXPECT_TRUE(t.calls.empty());
        // The close steps still try to leave analyzer mode.
        const std::vector<QByteArray> r = t.Requests();
        ASSERT_GE(r.size(), 2u);
        EXPECT_EQ(r[0], kEnable);
        EXPECT_EQ(r[1], kDisable);
    }
}

TEST_F(WiredScanTest, PrimaryScanFindsTheSuitesMetersWithTheExactRequests)
{
    Meters({Meter::From_Suite(1, 0x11111111, QStringLiteral("example_data_01")),
            Meter::From_Suite(3, 0x33333333, QStringLiteral("els_falcon")),
            Meter::From_Suite(250, 0x25025025, QStringLiteral("kamstrup_382_005"))});
    WiredSettings s = Primary();
    s.SND_NKE = true;
    Begin(s);
    RunToEnd();

    EXPECT_EQ(flags.Result, 1);
    EXPECT_EQ(Found(), (std::vector<int>{1, 3, 250}));
    const auto polled = Polled();
    ASSERT_EQ(polled.size(), 251u);
    for (int a = 0; a <= 250; ++a)
        EXPECT_EQ(polled[static_cast<size_t>(a)].first, a);
    EXPECT_EQ(calls.front(), (std::array<int, 4>{1, 0, 0, 1}));
    EXPECT_EQ(calls.back(), (std::array<int, 4>{3, 0, 0, 1}));

    // Enable, broadcast SND_NKE, then per address SND_NKE and REQ_UD2, then disable.
    std::vector<QByteArray> expected = {kEnable, Raw(Build_SND_NKE(0xFF))};
    for (int a = 0; a <= 250; ++a) {
        expected.push_back(Raw(Build_SND_NKE(static_cast<uint8_t>(a))));
        expected.push_back(ReqUd2(a, true));
    }
    expected.push_back(kDisable);
    EXPECT_EQ(Requests(), expected);

    ASSERT_EQ(wired.size(), 3);
    EXPECT_EQ(wired[0]->Primary_Addresss, 1);
    EXPECT_EQ(wired[0]->Secondary_Addresss, QStringLiteral("11111111"));
    EXPECT_EQ(wired[1]->Secondary_Addresss, QStringLiteral("33333333"));
    EXPECT_EQ(wired[2]->Primary_Addresss, 250);
    EXPECT_FALSE(wired[0]->List_Var.empty());
    // Each request was preceded by the fixed pause.
    EXPECT_EQ(clock.Slept() >= 502 * 500, true);
}

TEST_F(WiredScanTest, CutAfterThreeReadsThreeTelegramsWithAlternatingFcb)
{
    Meters({Meter::From_Suite(7, 0x77777777, kFrame, 5, true)});
    WiredSettings s = Primary();
    s.Cut_After = 3;
    Begin(s);
    RunUntil([&] { return scan.ID_Dev_Primary > 7; });

    std::vector<QByteArray> toSeven;
    for (const QByteArray& r : Requests())
        if (r.size() == 5 && static_cast<uint8_t>(r[2]) == 7)
            toSeven.push_back(r);
    EXPECT_EQ(toSeven, (std::vector<QByteArray>{ReqUd2(7, true), ReqUd2(7, false), ReqUd2(7, true)}));
    EXPECT_EQ(sim.Meter_Reads(0), 3);
    ASSERT_EQ(wired.size(), 1);
    // The three telegrams' records all belong to the one meter.
    WiredSlaves one;
    bool more = false;
    const Frame t = Meter::From_Suite(7, 0x77777777, kFrame, 1, true).telegrams[0];
    Add_Wired_Slave(one, -1, mbus::Bytes(t.data(), t.size()), more, ScanTestContext(false));
    ASSERT_EQ(one.size(), 1);
    EXPECT_TRUE(more);
    EXPECT_EQ(wired[0]->List_Var.size(), 3 * one[0]->List_Var.size());
    EXPECT_EQ(Found(), std::vector<int>{7});
}

TEST_F(WiredScanTest, CutAfterZeroOrOneReadsOneTelegram)
{
    for (int cut : {0, 1}) {
        SCOPED_TRACE(cut);
        SteppedWired t;
        t.sim.With([](mbussim::ConverterCore& c) { c.bus.meters = {Meter::From_Suite(2, 0x2, kFrame, 4, true)}; });
        WiredSettings s = Primary();
        s.Cut_After = cut;
        t.Begin(s);
        t.RunUntil([&] { return t.scan.ID_Dev_Primary > 2; });
        EXPECT_EQ(t.sim.Meter_Reads(0), 1);
    }
}

TEST_F(WiredScanTest, FixCFieldPutsItsCOnEveryRequest)
{
    Meters({Meter::From_Suite(0, 0x1, kFrame, 2)});
    WiredSettings s = Primary();
    s.App_Reset = true;
    s.Fix_C_Field = true;
    s.Fix_C_Field_Value = 0;
    s.Cut_After = 2;
    Begin(s);
    RunUntil([&] { return scan.ID_Dev_Primary > 0; });
    const std::vector<QByteArray> r = Requests();
    // enable, broadcast, reset to 0, REQ_UD2 to 0 twice (two telegrams)
    ASSERT_GE(r.size(), 5u);
    EXPECT_EQ(r[2], Raw({0x68, 0x03, 0x03, 0x68, 0x53, 0x00, 0x50, 0xA3, 0x16}));
    EXPECT_EQ(r[3], Raw({0x10, 0x5B, 0x00, 0x5B, 0x16}));
    EXPECT_EQ(r[4], Raw({0x10, 0x5B, 0x00, 0x5B, 0x16}));
}

TEST_F(WiredScanTest, StopEndsAPrimaryScanWithTheEndCallback)
{
    Meters({});
    Begin(Primary());
    RunUntil([&] { return scan.ID_Dev_Primary >= 3; });
    flags.StopScan = true;
    RunToEnd();
    EXPECT_EQ(calls.back(), (std::array<int, 4>{3, 0, 0, 1}));
    EXPECT_LE(Polled().size(), 4u);
    EXPECT_EQ(flags.Result, 1);
}

TEST_F(WiredScanTest, StopEndsASecondaryScanWithoutIt)
{
    Meters({});
    Begin(Secondary());
    RunUntil([&] { return scan.Step_Scan == wired::FirstLevelStep + 1; });
    flags.StopScan = true;
    RunToEnd();
    EXPECT_TRUE(CallsOfKind(3).empty());
    EXPECT_EQ(calls, (std::vector<std::array<int, 4>>{{1, 0, 0, 2}}));
}

TEST_F(WiredScanTest, AbortMakesUpToThreeDisableAttempts)
{
    struct Case
    {
        const char* what;
        int failures;       // disable replies that go wrong
        int expectedAttempts;
        bool abortAgain;    // a second abort while the close steps wait (the window's close)
    };
    const Case cases[] = {{"answered at once", 0, 1, false},
                          {"answered at the third", 2, 3, false},
                          {"never answered", 99, 3, false},
                          {"never answered, aborted again", 99, 3, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SteppedWired t;
        t.sim.Add_Fault({FaultKind::Drop, Fault::ForText(kDisable), 0, c.failures});
        t.Begin(Primary());
        t.RunUntil([&] { return t.scan.ID_Dev_Primary >= 1; });
        t.flags.AbortScan = true;
        if (c.abortAgain) {
            t.RunUntil([&] { return t.scan.Count_Disable_Analyzer == 2; });
            t.flags.AbortScan = true;
        }
        t.RunToEnd();
        int attempts = 0;
        for (const QByteArray& r : t.Requests())
            attempts += r == kDisable;
        EXPECT_EQ(attempts, c.expectedAttempts);
        EXPECT_TRUE(t.CallsOfKind(3).empty());
        EXPECT_FALSE(t.flags.AbortScan);
        EXPECT_EQ(t.counting.closes, 1);
    }
}

TEST_F(WiredScanTest, SecondarySearchSplitsACollisionByTheNextDigit)
{
    // Two meters differing only in the last digit, one far away.
    Meters({Meter::From_Suite(1, 0x12345670, kFrame), Meter::From_Suite(2, 0x12345671, kFrame),
            Meter::From_Suite(3, 0x87654321, kFrame)});
    Begin(Secondary());
    RunToEnd();

    EXPECT_EQ(flags.Result, 1);
    std::vector<int> ids;
    for (const auto& c : CallsOfKind(2))
        ids.push_back(c[1]);
    EXPECT_EQ(ids, (std::vector<int>{0x12345670, 0x12345671, int(0x87654321)}));
    EXPECT_EQ(calls.back(), (std::array<int, 4>{3, 0, 0, 2}));
    ASSERT_EQ(wired.size(), 3);
    EXPECT_EQ(wired[2]->Secondary_Addresss, QStringLiteral("87654321"));

    // The selections made, depth first: 0..9 at level 1; at 1 the collision
    // goes down a level on every digit until 12345670 and 12345671 stand apart.
    std::vector<QByteArray> selections;
    for (const QByteArray& r : Requests())
        if (r.size() == 17)
            selections.push_back(r);
    auto select = [](std::array<int, 8> d) { return Raw(Build_Select_Secondary(d, false, 0)); };
    ASSERT_GE(selections.size(), 3u);
    EXPECT_EQ(selections[0], select({0, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(selections[1], select({1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(selections[2], select({1, 0, -1, -1, -1, -1, -1, -1}));
    const auto at = [&](std::array<int, 8> d) {
        return std::find(selections.begin(), selections.end(), select(d)) - selections.begin();
    };
    EXPECT_LT(at({1, 2, 3, 4, 5, 6, 7, 0}), at({1, 2, 3, 4, 5, 6, 7, 1}));
    EXPECT_LT(at({1, 2, 3, 4, 5, 6, 7, 1}), at({8, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(selections.back(), select({9, -1, -1, -1, -1, -1, -1, -1}));
    // 10 at level 1, and 10 at each level from 2 to 8 under the collision at
    // 1; 8 answers alone at level 1.
    EXPECT_EQ(selections.size(), 10u + 7 * 10);
}

TEST_F(WiredScanTest, ACollisionAtTheLastDigitMovesOnToTheNextDigit)
{
    // Two meters of one number: the last digit cannot tell them apart.
    Meters({Meter::From_Suite(1, 0x00000005, kFrame), Meter::From_Suite(2, 0x00000005, kFrame)});
    Begin(Secondary());
    RunToEnd();
    std::vector<QByteArray> lastLevel;
    for (const QByteArray& r : Requests())
        if (r.size() == 17 && static_cast<uint8_t>(r[10]) == 0x00 && static_cast<uint8_t>(r[9]) == 0x00 &&
            static_cast<uint8_t>(r[8]) == 0x00 && (static_cast<uint8_t>(r[7]) & 0xF0) == 0x00 &&
            (static_cast<uint8_t>(r[7]) & 0x0F) != 0x0F)
            lastLevel.push_back(r);
    // Level 8 under 0000000: H tried 0..9, the collision at 5 just moves on.
    ASSERT_EQ(lastLevel.size(), 10u);
    EXPECT_EQ(static_cast<uint8_t>(lastLevel[5][7]), 0x05);
    EXPECT_TRUE(CallsOfKind(2).empty());
    EXPECT_TRUE(wired.isEmpty());
}

TEST_F(WiredScanTest, ALateReplyIsNotCreditedToTheNextAddress)
{
    Meters({Meter::From_Suite(4, 0x44444444, kFrame), Meter::From_Suite(5, 0x55555555, kFrame)});
    // Meter 4's telegram comes only after the REQ_UD2 to 5.
    sim.Add_Fault({FaultKind::Late, Fault::ForAddress(4), 0, 1});
    Begin(Primary());
    RunUntil([&] { return scan.ID_Dev_Primary > 6; });
    const auto polled = Polled();
    ASSERT_GE(polled.size(), 6u);
    EXPECT_EQ(polled[4], std::make_pair(4, 0));
    EXPECT_EQ(polled[5], std::make_pair(5, 1));
    ASSERT_EQ(wired.size(), 1);
    EXPECT_EQ(wired[0]->Primary_Addresss, 5);
    EXPECT_EQ(wired[0]->Secondary_Addresss, QStringLiteral("55555555"));
}

TEST_F(WiredScanTest, DamagedAnswersCountAsNotFound)
{
    struct Case
    {
        const char* what;
        Fault fault;
        int found;
    };
    const Case cases[] = {
        {"bad checksum", {FaultKind::BadChecksum, Fault::ForAddress(1)}, 0},
        {"cut short", {FaultKind::Truncate, Fault::ForAddress(1), 20}, 0},
        {"over 2048 bytes", {FaultKind::Oversize, Fault::ForAddress(1), 3000}, 0},
        {"delayed past the time-out", {FaultKind::Delay, Fault::ForAddress(1), 3000}, 0},
        {"from 127.0.0.2", {FaultKind::ForeignAddress, Fault::ForAddress(1)}, 0},
        {"from another port of the converter", {FaultKind::ForeignPort, Fault::ForAddress(1)}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SteppedWired t;
        t.sim.With([](mbussim::ConverterCore& core) { core.bus.meters = {Meter::From_Suite(1, 0x1, kFrame)}; });
        t.sim.Add_Fault(c.fault);
        t.Begin(Primary());
        t.RunUntil([&] { return t.scan.ID_Dev_Primary > 1; });
        const auto calls2 = t.CallsOfKind(2);
        ASSERT_GE(calls2.size(), 2u);
        EXPECT_EQ(calls2[1], (std::array<int, 4>{2, 1, c.found, 1}));
        EXPECT_EQ(t.wired.size(), c.found);
    }
}

TEST_F(WiredScanTest, AnAnswerWinsOverATimeOutPassedMeanwhile)
{
    Meters({Meter::From_Suite(0, 0x1, kFrame)});
    Begin(Primary());
    RunUntil([&] { return scan.Step_Scan == 10; });
    ASSERT_EQ(scan.Step_Scan, 10);
    // The telegram is there, and by now the time-out has passed too.
    ASSERT_TRUE(link.Answer_Arrived());
    clock.Advance(10000);
    scan.Scan_Decode();
    EXPECT_EQ(calls.back(), (std::array<int, 4>{2, 0, 1, 1}));
    EXPECT_EQ(CallsOfKind(2).size(), 1u);
    EXPECT_EQ(wired.size(), 1);

    // The same at the handshake: the reply counts.
    SteppedWired t;
    t.Begin(Primary());
    t.scan.Scan_Decode();
    ASSERT_TRUE(t.sim.Wait_Handled(1));
    ASSERT_TRUE(WaitUntil([&] { return t.link.Answer_Arrived(); }));
    t.clock.Advance(5000);
    t.scan.Scan_Decode();
    EXPECT_EQ(t.flags.Result, 1);
    EXPECT_EQ(t.scan.Step_Scan, wired::PrimaryStart);
}

TEST_F(WiredScanTest, SerialScansSendNoCommands)
{
    Meters({});
    WiredSettings s = Primary();
    s.Select_Hardware = shSerial;
    Begin(s);
    Step();
    EXPECT_EQ(scan.Step_Scan, wired::PrimaryStart);
    flags.StopScan = true;
    RunToEnd();
    for (const QByteArray& r : Requests())
        EXPECT_FALSE(r.startsWith("Keltrona")) << r.toStdString();
    EXPECT_EQ(calls.back(), (std::array<int, 4>{3, 0, 0, 1}));
}

TEST_F(WiredScanTest, ACallbackThatThrowsIsSwallowed)
{
    Meters({});
    WiredSettings s = Primary();
    s.ConverterPort = sim.Port();
    int seen = 0;
    scan.Begin(s, [&](int, int, int, int) {
        ++seen;
        throw std::runtime_error("window gone");
    });
    flags.InScan = true;
    RunUntil([&] { return scan.ID_Dev_Primary >= 2; });
    EXPECT_GE(seen, 3);
    EXPECT_TRUE(flags.InScan);
}

TEST_F(WiredScanTest, NoSlaveAnswersAtOnce)
{
    Meters({});
    Begin(Primary());
    RunUntil([&] { return scan.ID_Dev_Primary >= 0 && scan.Step_Scan == 10; });
    ASSERT_FALSE(link.Answer_TimeOut());
    scan.Scan_Decode();   // NO_SLAVE is there: not found without waiting for the time-out
    EXPECT_EQ(Polled(), (std::vector<std::pair<int, int>>{{0, 0}}));
    EXPECT_EQ(scan.Step_Scan, wired::NextAddress);
}
