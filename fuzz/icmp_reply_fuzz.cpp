// Any bytes as a datagram on the echo socket: byte 0 picks a raw or a datagram
// socket, bytes 1 to 4 our identifier and sequence, the rest is the datagram.
// An answer is a reply of ours whose data lies within the datagram.
#include "platform/icmp_echo.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 5)
        return 0;
    const bool raw = data[0] & 1;
    const auto identifier = uint16_t(data[1] << 8 | data[2]);
    const auto sequence = uint16_t(data[3] << 8 | data[4]);
    // A copy of exactly the datagram's size, so a read beyond it is caught.
    const std::vector<uint8_t> datagram(data + 5, data + size);
    const int length = platform::EchoReplyDataLength(datagram.data(), datagram.size(), raw, identifier, sequence);
    if (length < -1 || (length >= 0 && size_t(length) + 8 > datagram.size()))
        std::abort();
    if (length >= 0) {
        const size_t at = datagram.size() - size_t(length) - 8;
        const uint8_t* icmp = datagram.data() + at;
        if (icmp[0] != 0 || uint16_t(icmp[6] << 8 | icmp[7]) != sequence)
            std::abort();
        if (raw && (at < 20 || uint16_t(icmp[4] << 8 | icmp[5]) != identifier))
            std::abort();
        if (!raw && at != 0)
            std::abort();
    }
    return 0;
}
