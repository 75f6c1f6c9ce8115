#include "mbus/models/par_gen_link.h"

#include "platform/int_text.h"
#include "platform/xml_document.h"

#include <QFileInfo>

namespace mbus {

namespace {

bool ChildInt(pugi::xml_node root, const char* name, int& out)
{
    QString text;
    int32_t v;
    if (!XmlChildText(root, QString::fromLatin1(name), text) || !TryStrToInt(text, v))
        return false;
    out = v;
    return true;
}

} // namespace

namespace {

ParGenBudget BudgetOf(const XmlDocument& doc)
{
    ParGenBudget b;
    const pugi::xml_node root = doc.Root();
    QString text;
    b.autoCalc = XmlChildText(root, QStringLiteral("PROFINET_AUTO_CALC_BYTE"), text) && text == QLatin1String("1");
    ChildInt(root, "Working_mode", b.workingMode);
    ChildInt(root, "PROFINET_NB_OUT", b.nbOut);
    return b;
}

void IpOf(const XmlDocument& doc, int deviceCode, std::array<QString, 4>& octets)
{
    const auto names = Ip_Element_Names(deviceCode);
    for (int i = 0; i < 4; ++i) {
        QString text;
        if (XmlChildText(doc.Root(), names[i], text))
            octets[i] = text;
    }
}

} // namespace

ParGenBudget Read_Par_Gen_Budget(const QString& path)
{
    XmlDocument doc;
    if (path.isEmpty() || !QFileInfo(path).isFile() || !doc.Load(path))
        return ParGenBudget{};
    return BudgetOf(doc);
}

ParGenBudget Read_Par_Gen_Budget_Bytes(const QByteArray& bytes)
{
    XmlDocument doc;
    return doc.LoadBytes(bytes) ? BudgetOf(doc) : ParGenBudget{};
}

bool Write_Par_Gen_Nb_Out(const QString& path, int n, QString* error)
{
    XmlDocument doc;
    doc.KeepBlankText(true);
    if (!doc.Load(path)) {
        if (error)
            *error = doc.ErrorText();
        return false;
    }
    pugi::xml_node root = doc.Root();
    if (root.type() != pugi::node_element) {
        if (error)
            *error = QStringLiteral("the file's first node is not an element");
        return false;
    }
    pugi::xml_node element = XmlChild(root, QStringLiteral("PROFINET_NB_OUT"));
    if (!element)
        element = XmlAppendElement(root, QStringLiteral("PROFINET_NB_OUT"));
    // Only the element's own text changes.
    while (element.first_child())
        element.remove_child(element.first_child());
    element.append_child(pugi::node_pcdata).set_value(QByteArray::number(n).constData());
    if (!doc.Save(path)) {
        if (error)
            *error = doc.ErrorText();
        return false;
    }
    return true;
}

std::array<QString, 4> Ip_Element_Names(int deviceCode)
{
    const char* stem = "IP_";
    switch (deviceCode) {
    case 15: stem = "Modbus_TCP_Slave_IP"; break;
    case 11: case 17: case 20: stem = "PROFINET_IP"; break;
    case 10: case 16: case 19: stem = "Eth_IP"; break;
    case 6: stem = "BACnet_IP"; break;
    case 18: stem = "Ethernet_IP"; break;
    default: break;
    }
    std::array<QString, 4> names;
    for (int i = 0; i < 4; ++i)
        names[i] = QString::fromLatin1(stem) + QString::number(i + 1);
    return names;
}

void Read_Par_Gen_Ip(const QString& path, int deviceCode, std::array<QString, 4>& octets)
{
    XmlDocument doc;
    if (!path.isEmpty() && QFileInfo(path).isFile() && doc.Load(path))
        IpOf(doc, deviceCode, octets);
}

void Read_Par_Gen_Ip_Bytes(const QByteArray& bytes, int deviceCode, std::array<QString, 4>& octets)
{
    XmlDocument doc;
    if (doc.LoadBytes(bytes))
        IpOf(doc, deviceCode, octets);
}

} // namespace mbus
