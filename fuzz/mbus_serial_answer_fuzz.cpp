// Any byte stream from the serial line: the bytes come in chunks (each
// chunk: a tick step, a length, the bytes) and are cut into answers. Every
// answer is within the 2048 bytes, an acknowledge is the byte E5 alone, and
// nothing comes out that did not go in.
#include "mbus/scan/serial_answer.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    mbus::SerialAnswerAssembler assembler(11);
    uint32_t now = 0xFFFFFF00u;   // across the wrap of the tick
    size_t in = 0;
    size_t out = 0;
    auto take = [&](const std::vector<QByteArray>& answers) {
        for (const QByteArray& a : answers) {
            if (a.isEmpty() || a.size() > mbus::SerialAnswerAssembler::MaxAnswer)
                std::abort();
            if (static_cast<uint8_t>(a[0]) == 0xE5 && a.size() != 1)
                std::abort();
            out += static_cast<size_t>(a.size());
        }
    };
    size_t p = 0;
    while (p + 2 <= size) {
        now += data[p];
        const size_t n = std::min<size_t>(data[p + 1], size - p - 2);
        const QByteArray chunk(reinterpret_cast<const char*>(data + p + 2), static_cast<qsizetype>(n));
        in += n;
        take(assembler.Feed(chunk, now));
        take(assembler.Poll(now + (data[p] & 0x0F)));
        p += 2 + n;
    }
    take(assembler.Poll(now + 1000));
    if (out > in || assembler.Pending())
        std::abort();
    return 0;
}
