#include "mbus/scan/requests.h"

#include <gtest/gtest.h>

using namespace mbus;
using Frame = std::vector<uint8_t>;

namespace {

// The checksum the frame should carry: the byte sum from C up to the byte before CS.
uint8_t ExpectedSum(const Frame& f)
{
    const size_t from = f[0] == 0x10 ? 1 : 4;
    uint8_t s = 0;
    for (size_t i = from; i + 2 < f.size(); ++i)
        s = static_cast<uint8_t>(s + f[i]);
    return s;
}

Bytes View(const Frame& f)
{
    return Bytes(f.data(), f.size());
}

} // namespace

TEST(Requests, FramesByOptionTable)
{
    struct Case
    {
        const char* what;
        Frame frame;
        Frame expected;
    };
    const std::array<int, 8> wild = {-1, -1, -1, -1, -1, -1, -1, -1};
    const Case cases[] = {
        {"SND_NKE broadcast", Build_SND_NKE(0xFF), {0x10, 0x40, 0xFF, 0x3F, 0x16}},
        {"SND_NKE 5", Build_SND_NKE(5), {0x10, 0x40, 0x05, 0x45, 0x16}},
        {"REQ_UD2 first telegram", Build_REQ_UD2(5, 0, false, 0), {0x10, 0x7B, 0x05, 0x80, 0x16}},
        {"REQ_UD2 second telegram", Build_REQ_UD2(5, 1, false, 0), {0x10, 0x5B, 0x05, 0x60, 0x16}},
        {"REQ_UD2 third telegram", Build_REQ_UD2(5, 2, false, 0), {0x10, 0x7B, 0x05, 0x80, 0x16}},
        {"REQ_UD2 fix C 0", Build_REQ_UD2(5, 0, true, 0), {0x10, 0x5B, 0x05, 0x60, 0x16}},
        {"REQ_UD2 fix C 1, odd count", Build_REQ_UD2(5, 1, true, 1), {0x10, 0x7B, 0x05, 0x80, 0x16}},
        {"REQ_UD2 selected", Build_REQ_UD2(0xFD, 0, false, 0), {0x10, 0x7B, 0xFD, 0x78, 0x16}},
        {"reset", Build_App_Reset(7, false, 0), {0x68, 0x03, 0x03, 0x68, 0x73, 0x07, 0x50, 0xCA, 0x16}},
        {"reset fix C 1", Build_App_Reset(7, true, 1), {0x68, 0x03, 0x03, 0x68, 0x73, 0x07, 0x50, 0xCA, 0x16}},
        {"reset fix C 0", Build_App_Reset(7, true, 0), {0x68, 0x03, 0x03, 0x68, 0x53, 0x07, 0x50, 0xAA, 0x16}},
        {"reset broadcast", Build_App_Reset(0xFF, false, 0), {0x68, 0x03, 0x03, 0x68, 0x73, 0xFF, 0x50, 0xC2, 0x16}},
        {"select all wildcards",
         Build_Select_Secondary(wild, false, 0),
         {0x68, 0x0B, 0x0B, 0x68, 0x73, 0xFD, 0x52, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xBA, 0x16}},
        {"select 3, 1, wildcards",
         Build_Select_Secondary({3, 1, -1, -1, -1, -1, -1, -1}, false, 0),
         {0x68, 0x0B, 0x0B, 0x68, 0x73, 0xFD, 0x52, 0xFF, 0xFF, 0xFF, 0x31, 0xFF, 0xFF, 0xFF, 0xFF, 0xEC, 0x16}},
        {"select 12345678 fix C 0",
         Build_Select_Secondary({1, 2, 3, 4, 5, 6, 7, 8}, true, 0),
         {0x68, 0x0B, 0x0B, 0x68, 0x53, 0xFD, 0x52, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0xB2, 0x16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.frame, c.expected);
        EXPECT_EQ(c.frame[c.frame.size() - 2], ExpectedSum(c.frame));
    }
}

TEST(Requests, AnswersTable)
{
    const Frame noSlave = {'N', 'O', '_', 'S', 'L', 'A', 'V', 'E', 0x0A, 0x0D};
    Frame noSlaveAndMore = noSlave;
    noSlaveAndMore.push_back(0x00);
    const Frame noSlaveNoCr(noSlave.begin(), noSlave.end() - 1);
    // 68 L L 68 C A CI and the 12 header bytes.
    const Frame telegram = {0x68, 0x0F, 0x0F, 0x68, 0x08, 0x05, 0x72, 0x78, 0x56, 0x34, 0x12,
                      0x42, 0x04, 0x01, 0x07, 0x10, 0x00, 0x00, 0x00};
    struct Case
    {
        const char* what;
        Frame answer;
        AnswerKind kind;
    };
    Frame withRecord = telegram;
    withRecord.insert(withRecord.end(), {0x01, 0xFD, 0x17, 0x00});   // one record
    withRecord[1] = withRecord[2] = static_cast<uint8_t>(withRecord.size() - 4);
    withRecord.push_back(0);
    withRecord.push_back(0x16);
    withRecord[withRecord.size() - 2] = ExpectedSum(withRecord);
    Frame badSum = withRecord;
    ++badSum[badSum.size() - 2];
    Frame shortHeader = {0x68, 0x03, 0x03, 0x68, 0x08, 0x05, 0x72, 0x7F, 0x16};
    shortHeader[7] = ExpectedSum(shortHeader);

    const Case cases[] = {
        {"E5", {0xE5}, AnswerKind::Acknowledge},
        {"E5 E5 (two meters)", {0xE5, 0xE5}, AnswerKind::Other},
        {"NO_SLAVE LF CR", noSlave, AnswerKind::NoSlave},
        {"NO_SLAVE LF CR and a byte", noSlaveAndMore, AnswerKind::Other},
        {"NO_SLAVE LF", noSlaveNoCr, AnswerKind::Other},
        {"telegram", withRecord, AnswerKind::Telegram},
        {"bad checksum", badSum, AnswerKind::Other},
        {"21 bytes or fewer", shortHeader, AnswerKind::Other},
        {"empty", {}, AnswerKind::Other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Classify_Answer(View(c.answer)), c.kind);
    }
    EXPECT_EQ(Answer_Address(View(withRecord)), 5);
    EXPECT_EQ(Answer_Address(View(Frame{0xE5})), -1);
}

TEST(Requests, TimeoutsOfTheScanWindowsBaudRates)
{
    struct Case
    {
        int baud;
        uint32_t shortMs;
        uint32_t longMs;
    };
    const Case cases[] = {
        {300, 1550, 11266}, {600, 1000, 5858}, {1200, 725, 3154}, {2400, 587, 1802},
        {4800, 518, 1126},  {9600, 484, 788},  {19200, 467, 619}, {38400, 458, 534},
        // A rate below 1 counts as 2400.
        {0, 587, 1802},     {-9600, 587, 1802},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.baud);
        EXPECT_EQ(Answer_TimeOut_Ms(ShortAnswerK, c.baud), c.shortMs);
        EXPECT_EQ(Answer_TimeOut_Ms(LongAnswerK, c.baud), c.longMs);
    }
}

TEST(Requests, OverdueAndTheWrapOfTheTick)
{
    struct Case
    {
        uint32_t now, start, timeout;
        bool overdue;
    };
    const Case cases[] = {
        {1587, 1000, 587, false},
        {1588, 1000, 587, true},
        {999, 1000, 587, true},                      // the tick wrapped since the send
        {0xFFFFFFFFu, 0xFFFFFF00u, 587, false},      // the sum is not wrapped...
        {5, 0xFFFFFF00u, 587, true},                 // ...and a wrapped tick is overdue at once
        {0xFFFFFFFFu, 0xFFFFFFFFu, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.now << " " << c.start << " " << c.timeout);
        EXPECT_EQ(Answer_Overdue(c.now, c.start, c.timeout), c.overdue);
    }
}
