#include "par_gen_input_filter.h"

#include "par_gen_controls.h"
#include "par_gen_layout.h"

namespace {

// Whether the device type shows the box: the network box, and its protocol box.
bool ShowsBox(int type, const char* box)
{
    const ParModelLayout* model = FindModelLayout(type);
    return model
           && (QLatin1String(box) == QLatin1String("GB_PROFINET") || QLatin1String(box) == QLatin1String(model->box));
}

} // namespace

bool TakesDot(const QString& edit)
{
    if (edit == QLatin1String("E_CANopen_TSDO_Add_In") || edit == QLatin1String("E_CANopen_TSDO_Add_Out"))
        return true;
    for (const ParBoxDef& box : ParGenBoxes()) {
        if (AddressOctetEdits(box.name).contains(edit))
            return true;
    }
    return false;
}

QString NextOnDot(const QString& edit, int type)
{
    for (const ParBoxDef& box : ParGenBoxes()) {
        const QStringList edits = AddressOctetEdits(box.name);
        const int i = int(edits.indexOf(edit));
        if (i < 0)
            continue;
        if (!ShowsBox(type, box.name) || i + 1 >= edits.size())
            return QString();
        return edits.at(i + 1);
    }
    return QString();
}
