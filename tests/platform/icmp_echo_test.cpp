// Which received datagrams count as the reply to our echo request.
#include "platform/icmp_echo.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Icmp(uint8_t type, uint16_t id, uint16_t seq, int dataBytes)
{
    Bytes b = {type, 0, 0, 0, uint8_t(id >> 8), uint8_t(id), uint8_t(seq >> 8), uint8_t(seq)};
    b.resize(b.size() + size_t(dataBytes), 0x55);
    return b;
}

// An IPv4 header of words 32-bit words (the first byte 0x40 | words) before icmp.
Bytes Ip(uint8_t first, const Bytes& icmp)
{
    Bytes b(size_t(first & 0x0F) * 4, 0);
    if (b.empty())
        b.resize(1);
    b[0] = first;
    b.insert(b.end(), icmp.begin(), icmp.end());
    return b;
}

TEST(IcmpEcho, ReplyDatagrams)
{
    const uint16_t id = 0x1234, seq = 7;
    const struct
    {
        const char* name;
        bool raw;
        Bytes datagram;
        int length;
    } cases[] = {
        {"a reply", false, Icmp(0, 0, seq, 1024), 1024},
        {"a reply without data", false, Icmp(0, 0, seq, 0), 0},
        {"the system's identifier is not ours to check", false, Icmp(0, 0xBEEF, seq, 3), 3},
        {"another sequence", false, Icmp(0, 0, seq + 1, 3), -1},
        {"our own request", false, Icmp(8, 0, seq, 3), -1},
        {"shorter than a header", false, Bytes{0, 0, 0, 0, 0, 0, 0}, -1},
        {"nothing", false, Bytes{}, -1},
        {"raw: a reply after the IPv4 header", true, Ip(0x45, Icmp(0, id, seq, 24)), 24},
        {"raw: after a header with options", true, Ip(0x47, Icmp(0, id, seq, 5)), 5},
        {"raw: someone else's reply", true, Ip(0x45, Icmp(0, id + 1, seq, 5)), -1},
        {"raw: a header length below 20 bytes", true, Ip(0x44, Icmp(0, id, seq, 5)), -1},
        {"raw: no IPv4 header", true, Ip(0x65, Icmp(0, id, seq, 5)), -1},
        {"raw: the header alone", true, Ip(0x45, {}), -1},
        {"raw: a header longer than the datagram", true, Ip(0x4F, {}), -1},
        {"raw: nothing", true, Bytes{}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::EchoReplyDataLength(c.datagram.data(), c.datagram.size(), c.raw, id, seq), c.length)
            << c.name;
}

} // namespace
