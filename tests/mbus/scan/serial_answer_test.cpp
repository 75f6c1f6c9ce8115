#include "mbus/scan/serial_answer.h"

#include <gtest/gtest.h>

using namespace mbus;

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

// Feeds the chunks at the given ticks, then polls at the last tick + after;
// returns every answer in order.
std::vector<QByteArray> Assemble(const std::vector<std::pair<uint32_t, QByteArray>>& chunks, uint32_t after)
{
    SerialAnswerAssembler a(11);
    std::vector<QByteArray> out;
    uint32_t last = 0;
    for (const auto& [at, bytes] : chunks) {
        for (QByteArray& x : a.Feed(bytes, at))
            out.push_back(x);
        last = at;
    }
    for (QByteArray& x : a.Poll(last + after))
        out.push_back(x);
    return out;
}

} // namespace

TEST(SerialAnswer, CutsTheStreamIntoAnswers)
{
    const QByteArray telegram = Hex("680303680805727F16");   // L 3: 9 bytes
    struct Case
    {
        const char* what;
        std::vector<std::pair<uint32_t, QByteArray>> chunks;
        uint32_t after;
        std::vector<QByteArray> answers;
    };
    const Case cases[] = {
        {"E5 at once", {{100, Hex("E5")}}, 0, {Hex("E5")}},
        {"two E5 are two answers", {{100, Hex("E5E5")}}, 0, {Hex("E5"), Hex("E5")}},
        {"a long frame once L says it is whole", {{100, telegram.left(3)}, {102, telegram.mid(3)}}, 0, {telegram}},
        {"a long frame cut short waits for the gap", {{100, telegram.left(5)}}, 11, {telegram.left(5)}},
        {"not before the gap", {{100, telegram.left(5)}}, 10, {}},
        {"NO_SLAVE LF CR exactly", {{100, "NO_SLA"}, {101, "VE\n\r"}}, 0, {"NO_SLAVE\n\r"}},
        {"NO_SLAVE without CR ends by the gap", {{100, "NO_SLAVE\n"}}, 11, {"NO_SLAVE\n"}},
        {"NO_SLAVE and more", {{100, "NO_SLAVE\n\rX"}}, 11, {"NO_SLAVE\n\r", "X"}},
        {"garbage ends by the gap", {{100, Hex("FEE5")}}, 11, {Hex("FEE5")}},
        {"68 with unequal L fields is garbage", {{100, Hex("6803046808")}}, 11, {Hex("6803046808")}},
        {"a gap inside splits", {{100, Hex("FE")}, {120, Hex("E5")}}, 0, {Hex("FE"), Hex("E5")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Assemble(c.chunks, c.after), c.answers);
    }
}

TEST(SerialAnswer, OversizeAnswersAreDroppedUpToTheNextGap)
{
    SerialAnswerAssembler a(11);
    EXPECT_TRUE(a.Feed(QByteArray(SerialAnswerAssembler::MaxAnswer + 100, 'x'), 100).empty());
    EXPECT_TRUE(a.Feed(QByteArray(10, 'y'), 105).empty());
    EXPECT_TRUE(a.Poll(200).empty());
    EXPECT_EQ(a.Feed(Hex("E5"), 201), std::vector<QByteArray>{Hex("E5")});
}

TEST(SerialAnswer, GapFollowsTheLineSpeed)
{
    EXPECT_EQ(Serial_Answer_Gap_Ms(115200), 11u);
    EXPECT_EQ(Serial_Answer_Gap_Ms(2400), 24u);
    EXPECT_EQ(Serial_Answer_Gap_Ms(300), 120u);
}
