// Any bytes as M_Bus.xml for both M-Bus models: a network that reads is
// written, and what is written reads back and writes the same bytes.
#include "mbus/core/network_file.h"

#include <QByteArray>
#include <QString>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (int type : {10, 21}) {
        const mbus::NetworkRead r = mbus::Read_Network_Bytes(bytes, QStringLiteral("M_Bus.xml"), type);
        if (!r.ok) {
            if (r.error.isEmpty() || !r.network.empty())
                std::abort();
            continue;
        }
        const QByteArray written = mbus::Network_Bytes(r.network, type);
        const mbus::NetworkRead again = mbus::Read_Network_Bytes(written, QStringLiteral("M_Bus.xml"), type);
        if (!again.ok || again.elementsIgnored || again.network.size() != r.network.size())
            std::abort();
        if (mbus::Network_Bytes(again.network, type) != written)
            std::abort();
    }
    return 0;
}
