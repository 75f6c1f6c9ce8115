// Any bytes as ParGen.xml for what the M-Bus windows read from it: the byte
// budget and the converter's address of every device code.
#include "mbus/models/par_gen_link.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const mbus::ParGenBudget b = mbus::Read_Par_Gen_Budget_Bytes(bytes);
    if (b.autoCalc && !bytes.contains("PROFINET_AUTO_CALC_BYTE"))
        std::abort();
    for (int code : {0, 6, 10, 11, 15, 18}) {
        std::array<QString, 4> ip;
        mbus::Read_Par_Gen_Ip_Bytes(bytes, code, ip);
    }
    return 0;
}
