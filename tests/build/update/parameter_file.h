#pragma once
#include "updater_params.h"
#include "workspace.h"
#include "xml_document.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
#include <QStringList>
#include <string>
#include <vector>

// Ethernet_Update.xml as expected, and the file as found, flattened to
// "path=text" lines so a mismatch shows exactly which element differs.

// The update window's four check boxes.
inline UpdateOptions Opts(bool fw, bool fr, bool pw, bool pr)
{
    UpdateOptions o;
    o.firmware = fw;
    o.readFirmware = fr;
    o.configuration = pw;
    o.readConfiguration = pr;
    return o;
}

// The 20 texts of one operation, in element order.
inline QStringList Op(const QString& protectionEnabled, const QString& file, const char* start, bool firmware,
                      bool readBack, const char* addressCss, const char* commandCss, const char* widAddress,
                      const char* widCommand, const char* widData, const char* goToAppAfter)
{
    const auto s = [](const char* t) { return QString::fromLatin1(t); };
    return {protectionEnabled, s("0"), s("0"), QString(), s("2008"), s("2007"), s("0"), file, s(start), s("0"),
            s(firmware ? "1" : "2"), s(readBack ? "1" : "0"), s(firmware ? "1" : "0"), s(addressCss),
            s(commandCss), s("0"), s(widAddress), s(widCommand), s(widData), s(goToAppAfter)};
}

struct ExpectedFile
{
    QString title;
    QString address;
    QString applicationPort;
    QString addressProtection;
    QStringList protections;
    QList<QStringList> operations;

    std::vector<std::string> Flat() const
    {
        static const char* const opNames[20] = {
            "Ope_Protection_Enabled", "Ope_GoToBoot_Before", "Ope_GoToApp_Before", "Ope_IP_Address",
            "Ope_Port", "Ope_Port_Sec", "Ope_Erase_Memory", "Ope_FileName", "Ope_Start_Address",
            "Ope_Memory_Type", "Ope_Bank_Type", "Ope_Read_Back", "Ope_Write_CSS", "Ope_Address_CSS",
            "Ope_Command_CSS", "Ope_Write_Internal_Data", "Ope_WID_Address", "Ope_WID_Command", "Ope_WID_Data",
            "Ope_GoToApp_After"};
        std::vector<std::string> out;
        const auto line = [&out](const std::string& path, const QString& text) {
            out.push_back(path + "=" + text.toStdString());
        };
        line("Ethernet_Update/Version", QStringLiteral("1000"));
        line("Ethernet_Update/Title", title);
        line("Ethernet_Update/IP_Address_Dev", address);
        line("Ethernet_Update/Application_Port", applicationPort);
        line("Ethernet_Update/Boot_Port", QStringLiteral("2008"));
        line("Ethernet_Update/Boot_Port_Sec", QStringLiteral("2007"));
        line("Ethernet_Update/Address_Protection", addressProtection);
        for (const QString& p : protections)
            line("Ethernet_Update/Protections/Protection", p);
        if (operations.isEmpty())
            line("Ethernet_Update/Operations", QString());
        for (const QStringList& op : operations)
            for (int i = 0; i < 20; ++i)
                line(std::string("Ethernet_Update/Operations/Operation/") + opNames[i], op.value(i));
        return out;
    }
};

// The header of a file for the address 192.168.2.205 (no operations yet).
inline ExpectedFile Header(const char* code, const char* port, const char* addressProtection,
                           QStringList protections)
{
    return {QStringLiteral("Keltrona - %1 Ethernet Update").arg(QString::fromLatin1(code)),
            QStringLiteral("192.168.2.205"), QString::fromLatin1(port), QString::fromLatin1(addressProtection),
            protections, {}};
}

namespace parameter_file_detail {
inline void Flatten(pugi::xml_node node, const std::string& path, std::vector<std::string>& out)
{
    bool hasElements = false;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        hasElements = hasElements || c.type() == pugi::node_element;
    if (!hasElements) {
        QString text;
        if (!XmlElementText(node, text))
            text = QStringLiteral("<not text only>");
        out.push_back(path + "=" + text.toStdString());
        return;
    }
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element)
            Flatten(c, path + "/" + c.name(), out);
        else
            out.push_back(path + "/<stray node>");
    }
}
} // namespace parameter_file_detail

// The file's lines; a parse error, a second top-level node or a root of
// another name shows up as a line of its own.
inline std::vector<std::string> FlatParameterFile(const QByteArray& bytes)
{
    XmlDocument doc;
    if (!doc.LoadBytes(bytes))
        return {"parse error: " + doc.ErrorText().toStdString()};
    std::vector<std::string> out;
    for (pugi::xml_node n = doc.Doc().first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element)
            parameter_file_detail::Flatten(n, n.name(), out);
        else if (n.type() != pugi::node_declaration)
            out.push_back("<stray top-level node>");
    }
    return out;
}

// "" when the two agree, else the first line that differs.
inline std::string FirstDifference(const std::vector<std::string>& actual, const std::vector<std::string>& expected)
{
    const size_t n = std::max(actual.size(), expected.size());
    for (size_t i = 0; i < n; ++i) {
        const std::string a = i < actual.size() ? actual[i] : "(nothing)";
        const std::string e = i < expected.size() ? expected[i] : "(nothing)";
        if (a != e)
            return "line " + std::to_string(i + 1) + ": found \"" + a + "\", expected \"" + e + "\"";
    }
    return {};
}

// Paths the parameter file names.
inline QString Master(const char* name)
{
    return MasterDir + QLatin1Char('/') + QString::fromLatin1(name);
}

inline QString Bank(const char* name)
{
    return ProjectPath + QStringLiteral("/bin/") + QString::fromLatin1(name);
}

// Standard variant operations.
inline QStringList StdFirmware(const char* image, bool readBack, const char* goToApp)
{
    return Op(QString(), Master(image), "0x8000", true, readBack, "0x78100", "0x0B", "0x78300", "0x0B", "", goToApp);
}

inline QStringList StdBank(const char* file, const char* start, bool readBack, const char* goToApp)
{
    return Op(QString(), Bank(file), start, false, readBack, "0x50100", "0x0B", "0x78300", "0x0B", "", goToApp);
}

inline QStringList TwoHwFirmware(const char* prot, const char* image, const char* widAddress, bool readBack,
                                 const char* goToApp)
{
    return Op(QString::fromLatin1(prot), Master(image), "0x8000", true, readBack, "0x78100", "0x0B", widAddress,
              "0x0B", "", goToApp);
}

inline QStringList TwoHwBank(const char* prot, const char* file, const char* start, bool readBack,
                             const char* goToApp)
{
    return Op(QString::fromLatin1(prot), Bank(file), start, false, readBack, "0x50100", "0x0B", "0x78300", "0x0B",
              "", goToApp);
}
