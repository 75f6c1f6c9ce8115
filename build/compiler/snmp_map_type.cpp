#include "snmp_map_type.h"

#include "device_type.h"
#include "int_text.h"
#include "par_gen_reader.h"
#include "workspace.h"
#include "xml_document.h"

#include <QFileInfo>

namespace {

struct MapTypeRule
{
    int type;
    bool readsElement;   // false: the value is fixed
    int value;           // the value without ParGen.xml (or the fixed value)
};

constexpr MapTypeRule kMapTypeRules[] = {
    {16, true, 0},
    {18, true, 1},
    {19, true, 0},
    {BrandVariantType, false, 1},
};

const MapTypeRule* RuleOf(int type)
{
    for (const MapTypeRule& rule : kMapTypeRules)
        if (rule.type == type)
            return &rule;
    return nullptr;
}

} // namespace

bool HasSnmpMapType(int deviceType)
{
    return RuleOf(deviceType) != nullptr;
}

int Read_SNMP_Map_Type()
{
    return Read_SNMP_Map_Type(nullptr);
}

int Read_SNMP_Map_Type(QString* error)
{
    const MapTypeRule* rule = RuleOf(DeviceType);
    if (!rule)
        return 0;
    if (!rule->readsElement || File_ParGen.isEmpty() || !QFileInfo::exists(File_ParGen))
        return rule->value;
    XmlDocument doc;
    if (!doc.Load(File_ParGen)) {
        if (error)
            *error = doc.ErrorText();
        return 0;
    }
    QString text;
    if (!XmlChildText(doc.Root(), QStringLiteral("SNMP_MapType"), text))
        return 0;
    return StrToIntDef(text, 0);
}

int SNMP_Map_Type(int deviceType, const ParGen& pg)
{
    const MapTypeRule* rule = RuleOf(deviceType);
    if (!rule)
        return 0;
    if (!rule->readsElement || !pg.Exists())
        return rule->value;
    return pg.Int("SNMP_MapType", 0);
}
