// Any bytes up to 2048 as a meter's answer: the telegram check and the wired
// decoder, and the same bytes as a bare record area (wired and wireless), so
// the record loop sees every form without a valid checksum.
#include "mbus/core/telegram.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 2048)
        return 0;
    static const mbus::DecodeContext wired = mbus::DecodeContext::Now(false);
    static const mbus::DecodeContext wireless = mbus::DecodeContext::Now(true);
    const mbus::Bytes bytes(data, size);

    mbus::WiredSlaves list;
    bool more = false;
    const int index = mbus::Add_Wired_Slave(list, -1, bytes, more, wired);
    if ((index >= 0) != mbus::Is_Valid_Telegram(bytes) || list.size() != (index >= 0 ? 1 : 0))
        std::abort();
    if (index >= 0 && mbus::Add_Wired_Slave(list, index, bytes, more, wired) != index)
        std::abort();

    for (const mbus::DecodeContext* ctx : {&wired, &wireless}) {
        std::vector<mbus::TVariable_MBus> records;
        mbus::Decode_Data_Records(records, bytes, *ctx);
        for (const mbus::TVariable_MBus& r : records)
            if (r.nbyte < 0 || static_cast<size_t>(r.nbyte) > size || r.totdati.size() != 2 * r.nbyte)
                std::abort();
    }
    return 0;
}
