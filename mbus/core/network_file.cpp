#include "mbus/core/network_file.h"

#include "platform/int_text.h"
#include "platform/xml_document.h"

#include <QFileInfo>
#include <cstring>

namespace mbus {

namespace {

enum class Kind
{
    OnUnlessZero,   // a flag that reads false only for exactly "0"
    OnlyOne,        // a flag that reads true only for exactly "1"
    Int,            // decimal, def when absent or not an integer
    U32,            // unsigned decimal (its low 32 bits)
    Text,
};

// One attribute: its name in file order, how it reads, and its field.
template <class T>
struct AttrRow
{
    const char* name;
    Kind kind;
    int32_t def = 0;
    bool snmp = false;       // device type 21 only
    bool required = false;   // a missing (or, for Int, bad) value ends the read
    bool T::*flag = nullptr;
    int32_t T::*integer = nullptr;
    uint32_t T::*u32 = nullptr;
    QString T::*text = nullptr;
};

using NodeRow = AttrRow<TNodo>;
using VarRow = AttrRow<TVariabile>;

const NodeRow kNodeAttrs[] = {
    {.name = "Enable_Node", .kind = Kind::OnUnlessZero, .flag = &TNodo::Enable},
    {.name = "ID_Primary", .kind = Kind::Int, .def = 1, .integer = &TNodo::Node_ID_Primary},
    {.name = "ID_Secondary", .kind = Kind::Int, .def = 1, .integer = &TNodo::Node_ID_Secondary},
    {.name = "Descrizione", .kind = Kind::Text, .required = true, .text = &TNodo::Description},
    {.name = "Send_SND_NKE", .kind = Kind::Int, .integer = &TNodo::Send_SNK},
    {.name = "Reset_App", .kind = Kind::Int, .integer = &TNodo::Reset_App},
    {.name = "Node_State", .kind = Kind::Int, .integer = &TNodo::Node_State},
    {.name = "Ident_Num", .kind = Kind::Int, .integer = &TNodo::Ident_Num},
    {.name = "BCDtoINT_IN", .kind = Kind::Int, .integer = &TNodo::BCDtoINT_IN},
    {.name = "Swap_IN", .kind = Kind::Int, .integer = &TNodo::Swap_Ident},
    {.name = "Node_ID_Type", .kind = Kind::Int, .integer = &TNodo::Node_ID_Type},
    {.name = "Var_List_Type", .kind = Kind::Int, .integer = &TNodo::Var_List_Type},
    {.name = "Cut_After", .kind = Kind::Int, .integer = &TNodo::Cut_After},
    {.name = "NS_Community_Name", .kind = Kind::Text, .snmp = true, .text = &TNodo::NS_CommName},
    {.name = "NS_OnChange", .kind = Kind::OnUnlessZero, .snmp = true, .flag = &TNodo::NS_OnChange},
    {.name = "NS_OnTimer", .kind = Kind::OnUnlessZero, .snmp = true, .flag = &TNodo::NS_OnTimer},
    {.name = "NS_Timer", .kind = Kind::Int, .snmp = true, .integer = &TNodo::NS_Timer},
    {.name = "NS_Desc", .kind = Kind::Text, .snmp = true, .text = &TNodo::NS_Desc},
    {.name = "NS_IP_Add", .kind = Kind::Text, .snmp = true, .text = &TNodo::NS_IP_Add},
    {.name = "NS_Mnemonic", .kind = Kind::Text, .snmp = true, .text = &TNodo::NS_Mnemonic},
    {.name = "IN_Community_Name", .kind = Kind::Text, .snmp = true, .text = &TNodo::IN_CommName},
    {.name = "IN_OnChange", .kind = Kind::OnUnlessZero, .snmp = true, .flag = &TNodo::IN_OnChange},
    {.name = "IN_OnTimer", .kind = Kind::OnUnlessZero, .snmp = true, .flag = &TNodo::IN_OnTimer},
    {.name = "IN_Timer", .kind = Kind::Int, .snmp = true, .integer = &TNodo::IN_Timer},
    {.name = "IN_Desc", .kind = Kind::Text, .snmp = true, .text = &TNodo::IN_Desc},
    {.name = "IN_IP_Add", .kind = Kind::Text, .snmp = true, .text = &TNodo::IN_IP_Add},
    {.name = "IN_Mnemonic", .kind = Kind::Text, .snmp = true, .text = &TNodo::IN_Mnemonic},
};

const VarRow kVarAttrs[] = {
    {.name = "Enable", .kind = Kind::OnlyOne, .flag = &TVariabile::Enable},
    {.name = "Desc", .kind = Kind::Text, .required = true, .text = &TVariabile::Description},
    {.name = "Type", .kind = Kind::Int, .required = true, .integer = &TVariabile::Type_Of_Data},
    {.name = "Fun_Field", .kind = Kind::Int, .required = true, .integer = &TVariabile::Function_Field},
    {.name = "Dim", .kind = Kind::Int, .required = true, .integer = &TVariabile::Dimension},
    {.name = "Unit", .kind = Kind::Int, .integer = &TVariabile::Unita},
    {.name = "Scale", .kind = Kind::OnlyOne, .flag = &TVariabile::Scale},
    {.name = "StoNumber", .kind = Kind::U32, .u32 = &TVariabile::Storage_Number},
    {.name = "Tariff", .kind = Kind::Int, .integer = &TVariabile::Tariff},
    {.name = "VIFE", .kind = Kind::Int, .integer = &TVariabile::VIFE},
    {.name = "BCDtoINT", .kind = Kind::OnlyOne, .flag = &TVariabile::BCDtoINT},
    {.name = "SWAP", .kind = Kind::Int, .integer = &TVariabile::SWAP},
    {.name = "VIF_ASCII", .kind = Kind::Text, .text = &TVariabile::VIF_ASCII},
    {.name = "Length", .kind = Kind::Int, .integer = &TVariabile::Length},
    {.name = "TP_Mod_Regs", .kind = Kind::OnlyOne, .flag = &TVariabile::TP_Mod_Regs},
    {.name = "ForceInteger32", .kind = Kind::OnlyOne, .flag = &TVariabile::ForceInteger32},
    {.name = "Position", .kind = Kind::Int, .def = 1, .integer = &TVariabile::Position},
    {.name = "Post_Operation", .kind = Kind::Int, .integer = &TVariabile::Post_Operation},
    {.name = "Var_Community_Name", .kind = Kind::Text, .snmp = true, .text = &TVariabile::Var_CommName},
    {.name = "Var_OnChange", .kind = Kind::OnUnlessZero, .snmp = true, .flag = &TVariabile::Var_OnChange},
    {.name = "Var_OnTimer", .kind = Kind::OnUnlessZero, .snmp = true, .flag = &TVariabile::Var_OnTimer},
    {.name = "Var_Timer", .kind = Kind::Int, .snmp = true, .integer = &TVariabile::Var_Timer},
    {.name = "Var_Desc", .kind = Kind::Text, .snmp = true, .text = &TVariabile::Var_Desc},
    {.name = "Var_IP_Add", .kind = Kind::Text, .snmp = true, .text = &TVariabile::Var_IP_Add},
    {.name = "Var_Mnemonic", .kind = Kind::Text, .snmp = true, .text = &TVariabile::Var_Mnemonic},
};

constexpr int SnmpDeviceType = 21;

bool Is(const char* value, const char* text)
{
    return std::strcmp(value, text) == 0;
}

// Where a read stopped: file, meter and value (from 1).
QString Where(const QString& file, int meter, int value)
{
    QString w = QStringLiteral("%1, meter %2").arg(file).arg(meter);
    if (value > 0)
        w += QStringLiteral(", value %1").arg(value);
    return w;
}

// Reads the rows of one element into item; false with error for a missing
// or bad required attribute.
template <class T, size_t N>
bool Read_Attrs(const AttrRow<T> (&rows)[N], pugi::xml_node e, bool snmp, T& item, const QString& where,
                QString& error)
{
    for (const AttrRow<T>& r : rows) {
        if (r.snmp && !snmp)
            continue;
        pugi::xml_attribute a = e.attribute(r.name);
        if (!a && r.required) {
            error = QStringLiteral("%1: the attribute \"%2\" is missing.").arg(where, QLatin1String(r.name));
            return false;
        }
        const char* v = a.value();   // "" when absent
        switch (r.kind) {
        case Kind::OnUnlessZero:
            item.*r.flag = !(a && Is(v, "0"));
            break;
        case Kind::OnlyOne:
            item.*r.flag = a && Is(v, "1");
            break;
        case Kind::Int: {
            int32_t n;
            if (a && TryUtf8ToInt(v, n)) {
                item.*r.integer = n;
            } else if (r.required) {
                error = QStringLiteral("%1: the attribute \"%2\" is not an integer: \"%3\".")
                            .arg(where, QLatin1String(r.name), QString::fromUtf8(v));
                return false;
            } else {
                item.*r.integer = r.def;
            }
            break;
        }
        case Kind::U32: {
            int64_t n;
            item.*r.u32 = a && TryUtf8ToInt64(v, n) ? static_cast<uint32_t>(n) : static_cast<uint32_t>(r.def);
            break;
        }
        case Kind::Text:
            item.*r.text = QString::fromUtf8(v);
            break;
        }
    }
    return true;
}

template <class T, size_t N>
void Write_Attrs(const AttrRow<T> (&rows)[N], pugi::xml_node e, bool snmp, const T& item)
{
    for (const AttrRow<T>& r : rows) {
        if (r.snmp && !snmp)
            continue;
        pugi::xml_attribute a = e.append_attribute(r.name);
        switch (r.kind) {
        case Kind::OnUnlessZero:
        case Kind::OnlyOne:
            a.set_value(item.*r.flag ? "1" : "0");
            break;
        case Kind::Int:
            a.set_value(item.*r.integer);
            break;
        case Kind::U32:
            a.set_value(item.*r.u32);
            break;
        case Kind::Text:
            a.set_value((item.*r.text).toUtf8().constData());
            break;
        }
    }
}

bool Read_Node(pugi::xml_node e, bool snmp, const QString& file, int meter, TNodo& n, QString& error)
{
    if (!Read_Attrs(kNodeAttrs, e, snmp, n, Where(file, meter, 0), error))
        return false;
    // The name an earlier writer used.
    if (!e.attribute("Enable_Node"))
        if (pugi::xml_attribute a = e.attribute("Node_Enable"))
            n.Enable = !Is(a.value(), "0");
    // The older one-address form.
    int64_t id;
    if (pugi::xml_attribute a = e.attribute("ID"); a && TryUtf8ToInt64(a.value(), id)) {
        const auto v = static_cast<int32_t>(static_cast<uint32_t>(id));
        n.Node_ID_Primary = n.Node_ID_Type == 0 ? v : 1;
        n.Node_ID_Secondary = n.Node_ID_Type == 0 ? 1 : v;
    }
    int value = 0;
    for (pugi::xml_node ve = e.first_child(); ve; ve = ve.next_sibling()) {
        if (ve.type() != pugi::node_element)
            continue;
        ++value;
        TVariabile v;
        if (!Read_Attrs(kVarAttrs, ve, snmp, v, Where(file, meter, value), error))
            return false;
        n.Var_List.push_back(std::move(v));
    }
    return true;
}

NetworkRead Read_Document(const XmlDocument& doc, const QString& file, int deviceType)
{
    NetworkRead r;
    const pugi::xml_node root = doc.Root();
    if (root.type() != pugi::node_element) {
        // Taken as the root, a declaration or comment has no nodes.
        for (pugi::xml_node n = root; n; n = n.next_sibling())
            if (n.type() == pugi::node_element)
                r.elementsIgnored = true;
        return r;
    }
    const bool snmp = deviceType == SnmpDeviceType;
    int meter = 0;
    for (pugi::xml_node e = root.first_child(); e; e = e.next_sibling()) {
        if (e.type() != pugi::node_element)   // comments and text between the nodes
            continue;
        TNodo n;
        if (!Read_Node(e, snmp, file, ++meter, n, r.error)) {
            r.ok = false;
            r.network.clear();
            return r;
        }
        r.network.push_back(std::move(n));
    }
    return r;
}

} // namespace

NetworkRead Read_Network(const QString& path, int deviceType)
{
    if (!QFileInfo(path).exists())
        return {};
    XmlDocument doc;
    if (!doc.Load(path)) {
        NetworkRead r;
        r.ok = false;
        r.error = doc.ErrorText();
        return r;
    }
    return Read_Document(doc, path, deviceType);
}

NetworkRead Read_Network_Bytes(const QByteArray& bytes, const QString& name, int deviceType)
{
    XmlDocument doc;
    if (!doc.LoadBytes(bytes, name)) {
        NetworkRead r;
        r.ok = false;
        r.error = doc.ErrorText();
        return r;
    }
    return Read_Document(doc, name, deviceType);
}

namespace {

void Build_Document(XmlDocument& doc, const Network& network, int deviceType)
{
    const bool snmp = deviceType == SnmpDeviceType;
    pugi::xml_node root = doc.Doc().append_child(NetworkRoot);
    doc.Doc().append_child(pugi::node_comment).set_value(NetworkComment);
    for (const TNodo& n : network) {
        pugi::xml_node ne = root.append_child("Nodo");
        Write_Attrs(kNodeAttrs, ne, snmp, n);
        for (const TVariabile& v : n.Var_List)
            Write_Attrs(kVarAttrs, ne.append_child("Variabile"), snmp, v);
    }
}

} // namespace

QByteArray Network_Bytes(const Network& network, int deviceType)
{
    XmlDocument doc;
    Build_Document(doc, network, deviceType);
    return doc.ToBytes();
}

bool Write_Network(const QString& path, const Network& network, int deviceType, QString* error)
{
    XmlDocument doc;
    Build_Document(doc, network, deviceType);
    if (doc.Save(path))
        return true;
    if (error)
        *error = doc.ErrorText();
    return false;
}

} // namespace mbus
