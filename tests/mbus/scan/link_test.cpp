#include "fake_tick_clock.h"

#include "mbus/scan/link.h"

#include <gtest/gtest.h>

using namespace mbus;

namespace {

class RecordingTransport : public LinkTransport
{
public:
    void Attach(ConverterLink* link) override { this->link = link; }
    void Send(const QByteArray& bytes, uint16_t port) override { sent.push_back({bytes, port}); }
    void Close() override { ++closes; }
    ConverterLink* link = nullptr;
    std::vector<std::pair<QByteArray, uint16_t>> sent;
    int closes = 0;
};

struct LinkTest : testing::Test
{
    FakeTickClock clock;
    RecordingTransport transport;
    ConverterLink link{clock};
    LinkTest() { link.SetTransport(&transport); }
};

} // namespace

TEST_F(LinkTest, CommandsAndRequestsGoOutAsOneDatagramEach)
{
    link.Send_Command(command::EnableAnalyzer, 10000);
    link.Req_Array = {0x10, 0x40, 0xFF, 0x3F, 0x16};
    link.Send_Command(10001);
    ASSERT_EQ(transport.sent.size(), 2u);
    EXPECT_EQ(transport.sent[0].first, QByteArray("Keltrona_Enable_Analyzer_Mode"));
    EXPECT_EQ(transport.sent[0].second, 10000);
    EXPECT_EQ(transport.sent[1].first, QByteArray::fromHex("1040FF3F16"));
    EXPECT_EQ(transport.sent[1].second, 10001);
    EXPECT_EQ(reply::AnalyzerEnabled, QByteArray("\n\rAnalyzer_Mode Enabled!\n\r"));
    EXPECT_EQ(reply::NoSlave.size(), 10);
}

TEST_F(LinkTest, OnlyWhatArrivesWhileAStepWaitsIsAnAnswer)
{
    link.Deliver("before any send");
    link.TimeOut_Calc = 587;
    link.Send_Command("A", 1);
    EXPECT_FALSE(link.Answer_Arrived());

    link.Deliver("first");
    link.Deliver("second");
    ASSERT_TRUE(link.Answer_Arrived());
    EXPECT_EQ(link.Take_Answer(), QByteArray("first"));
    // Taken: nothing waits until the step says so.
    EXPECT_FALSE(link.Answer_Arrived());
    link.Deliver("while nothing waits");
    link.Keep_Waiting();
    EXPECT_EQ(link.Take_Answer(), QByteArray("second"));
    link.Keep_Waiting();
    EXPECT_FALSE(link.Answer_Arrived());

    // A new send drops what is left; a late answer after a time-out is dropped too.
    link.Deliver("third");
    link.Send_Command("B", 1);
    EXPECT_FALSE(link.Answer_Arrived());
    clock.Advance(588);
    EXPECT_TRUE(link.Answer_TimeOut());
    link.Deliver("late");
    EXPECT_FALSE(link.Answer_Arrived());
    EXPECT_EQ(link.Datagrams_Delivered(), 6);
}

TEST_F(LinkTest, TimeOutFromTheSendOn)
{
    link.TimeOut_Calc = 1000;
    clock.Set(0xFFFFFF00u);
    link.Send_Command("A", 1);
    EXPECT_EQ(link.Start_Send(), 0xFFFFFF00u);
    clock.Set(0xFFFFFFFFu);
    EXPECT_FALSE(link.Answer_TimeOut());
    clock.Set(5);   // wrapped
    EXPECT_TRUE(link.Answer_TimeOut());
}

TEST_F(LinkTest, ListeningQueuesFramesOfTheModulesLength)
{
    link.Send_Command("A", 1);
    link.Set_Listening(true, rmTelit);
    const QByteArray telit = QByteArray(1, 4) + QByteArray(6, 'x');        // L 4 + 3
    const QByteArray radioCrafts = QByteArray(1, 4) + QByteArray(4, 'x');  // L 4 + 1
    link.Deliver(telit);
    link.Deliver(radioCrafts);
    link.Deliver(QByteArray());
    EXPECT_FALSE(link.Answer_Arrived());
    EXPECT_EQ(link.Take_Frames(), std::vector<QByteArray>{telit});
    link.Set_Listening(true, rmRadioCrafts);
    link.Deliver(telit);
    link.Deliver(radioCrafts);
    EXPECT_EQ(link.Take_Frames(), std::vector<QByteArray>{radioCrafts});
    EXPECT_TRUE(link.Take_Frames().empty());
}

TEST_F(LinkTest, CloseClosesTheTransportAndForgetsAnswers)
{
    link.Send_Command("A", 1);
    link.Deliver("x");
    link.Close();
    EXPECT_EQ(transport.closes, 1);
    EXPECT_FALSE(link.Answer_Arrived());
}
