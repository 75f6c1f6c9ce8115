// Any bytes as an integer text, in both character widths: the forms agree
// (hexadecimal keeps its bit pattern, so the 32-bit value is the low half).
#include "platform/int_text.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string utf8(reinterpret_cast<const char*>(data), size);
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));

    int32_t wide = 0;
    int64_t wide64 = 0;
    const bool ok = TryStrToInt(text, wide);
    const bool ok64 = TryStrToInt64(text, wide64);
    if (ok && (!ok64 || int32_t(uint32_t(uint64_t(wide64))) != wide))
        std::abort();
    StrToIntDef(text, -1);

    if (utf8.find('\0') == std::string::npos) {
        int32_t narrow = 0;
        int64_t narrow64 = 0;
        if (TryUtf8ToInt(utf8.c_str(), narrow) != ok || (ok && narrow != wide))
            std::abort();
        if (TryUtf8ToInt64(utf8.c_str(), narrow64) != ok64 || (ok64 && narrow64 != wide64))
            std::abort();
    }
    return 0;
}
