// Any datagram as a frame of the radio module while the scan listens: the
// length filter of each module, then the intake (a new meter, then the same
// frame again for a known one). Nothing is read outside the frame.
#include "mbus/scan/link.h"
#include "mbus/scan/wireless_frame.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 2048)
        return 0;
    static const mbus::DecodeContext ctx = [] {
        mbus::DecodeContext c;
        c.wireless = true;
        return c;
    }();
    const QByteArray frame(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (mbus::TRadioModule module : {mbus::rmTelit, mbus::rmRadioCrafts}) {
        (void)mbus::Is_Module_Frame(frame, module);
        mbus::WirelessSlaves list;
        const int first = mbus::Decode_Wireless_Frame(list, frame, module, ctx, QDateTime());
        const int again = mbus::Decode_Wireless_Frame(list, frame, module, ctx, QDateTime());
        if (first != again || list.size() != (first < 0 ? 0 : 1))
            std::abort();
        if (first >= 0 && static_cast<int>(size) < mbus::Wireless_Min_Length(frame))
            std::abort();
    }
    return 0;
}
