#include "par_gen_input_filter.h"

#include "type_set.h"

#include <QStringList>

namespace {

struct OctetChain
{
    const char* prefix;
    const char* suffix;
    TypeSet types;   // where the chain's box is shown
};

constexpr OctetChain kChains[] = {
    {"E_", "", AllTypes},
    {"E_", "_Modbus_TCP_Master", Types(11, 19)},
    {"E_", "_Modbus_TCP_Slave", Types(12, 17)},
    {"E_EIP_", "", Types(13)},
    {"E_SNMP_", "", Types(20)},
};

QStringList ChainEdits(const OctetChain& c)
{
    QStringList names;
    for (const char* kind : {"IP", "SM", "GAT"}) {
        for (int n = 1; n <= 4; ++n)
            names.append(QStringLiteral("%1%2%3%4").arg(QLatin1String(c.prefix), QLatin1String(kind)).arg(n).arg(QLatin1String(c.suffix)));
    }
    return names;
}

} // namespace

bool TakesDot(const QString& edit)
{
    if (edit == QLatin1String("E_CANopen_TSDO_Add_In") || edit == QLatin1String("E_CANopen_TSDO_Add_Out"))
        return true;
    for (const OctetChain& c : kChains) {
        if (ChainEdits(c).contains(edit))
            return true;
    }
    return false;
}

QString NextOnDot(const QString& edit, int type)
{
    for (const OctetChain& c : kChains) {
        const QStringList edits = ChainEdits(c);
        const int i = int(edits.indexOf(edit));
        if (i < 0)
            continue;
        if (!c.types.Has(type) || i + 1 >= edits.size())
            return QString();
        return edits.at(i + 1);
    }
    return QString();
}
