#include "mbus_byte_budget.h"

#include "int_text.h"
#include "xml_document.h"

#include "mbus/core/network.h"

#include <QFileInfo>

namespace {

// Bytes of a value by its size code.
int SizeOfDim(int dim, int length)
{
    const mbus::DataSize& s = mbus::Data_Size(dim);
    return s.bytes < 0 ? length : s.bytes;
}

int IntAttrOr0(pugi::xml_node node, const char* name)
{
    return StrToIntDef(XmlAttrOr(node, QString::fromLatin1(name)), 0);
}

bool AttrIs(pugi::xml_node node, const char* name, const char* value)
{
    QString v;
    return XmlAttr(node, QString::fromLatin1(name), v) && v == QLatin1String(value);
}

// A whole-number attribute that must be there.
bool RequiredInt(pugi::xml_node node, const char* name, int nodeNo, int valueNo, int& out, QString& error)
{
    QString text;
    const bool present = XmlAttr(node, QString::fromLatin1(name), text);
    int32_t v;
    if (present && TryStrToInt(text, v)) {
        out = v;
        return true;
    }
    error = present ? QStringLiteral("M-Bus network, meter %1, value %2: %3 \"%4\" is not a whole number")
                          .arg(nodeNo).arg(valueNo).arg(QLatin1String(name), text)
                    : QStringLiteral("M-Bus network, meter %1, value %2: %3 is missing")
                          .arg(nodeNo).arg(valueNo).arg(QLatin1String(name));
    return false;
}

} // namespace

MBusByteCount CountMBusBytes(const QString& path)
{
    MBusByteCount result;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return result;
    XmlDocument doc;
    if (!doc.Load(path)) {
        result.ok = false;
        result.error = doc.ErrorText();
        return result;
    }
    int total = 0;
    int nodeNo = 0;
    for (pugi::xml_node node = doc.Root().first_child(); node; node = node.next_sibling()) {
        ++nodeNo;
        if (AttrIs(node, "Enable_Node", "0"))
            continue;
        if (IntAttrOr0(node, "Node_State") == 1)
            total += 1;
        if (IntAttrOr0(node, "Ident_Num") == 1)
            total += 4;
        const int listType = IntAttrOr0(node, "Var_List_Type");
        int valueNo = 0;
        for (pugi::xml_node var = node.first_child(); var; var = var.next_sibling()) {
            ++valueNo;
            if (!AttrIs(var, "Enable", "1"))
                continue;
            int dim = 0;
            if (!RequiredInt(var, "Dim", nodeNo, valueNo, dim, result.error)) {
                result.ok = false;
                return result;
            }
            const int size = SizeOfDim(dim, IntAttrOr0(var, "Length"));
            const bool regs = AttrIs(var, "TP_Mod_Regs", "1");
            if (listType != 0) {
                total += regs ? 5 : size;
            } else {
                int type = 0;
                if (!RequiredInt(var, "Type", nodeNo, valueNo, type, result.error)) {
                    result.ok = false;
                    return result;
                }
                total += type == 20 && regs ? 5 : size;
            }
            if (AttrIs(var, "Scale", "1"))
                total += 1;
        }
    }
    result.bytes = total == 0 ? 1 : total;
    return result;
}
