#include "par_gen_input_filter.h"

#include "par_gen_controls.h"
#include "type_set.h"

namespace {

// The address boxes and the models that show them.
struct OctetChain
{
    const char* box;
    TypeSet types;
};

constexpr OctetChain kChains[] = {
    {"GB_PROFINET", AllTypes},
    {"GB_Modbus_TCP_Master", Types(11, 19)},
    {"GB_Modbus_TCP_Slave", Types(12, 17)},
    {"GB_EtherNetIP", Types(13)},
    {"GB_SNMP", Types(20)},
};

} // namespace

bool TakesDot(const QString& edit)
{
    if (edit == QLatin1String("E_CANopen_TSDO_Add_In") || edit == QLatin1String("E_CANopen_TSDO_Add_Out"))
        return true;
    for (const OctetChain& c : kChains) {
        if (AddressOctetEdits(c.box).contains(edit))
            return true;
    }
    return false;
}

QString NextOnDot(const QString& edit, int type)
{
    for (const OctetChain& c : kChains) {
        const QStringList edits = AddressOctetEdits(c.box);
        const int i = int(edits.indexOf(edit));
        if (i < 0)
            continue;
        if (!c.types.Has(type) || i + 1 >= edits.size())
            return QString();
        return edits.at(i + 1);
    }
    return QString();
}
