#include "settings.h"

#include "workspace.h"
#include "xml_document.h"

#include <QFileInfo>

namespace {

void SetDefaults()
{
    ProjectName.clear();
    ProjectPath.clear();
    LastIPAddress = QString::fromLatin1(DefaultIPAddress);
    LanguageName = QStringLiteral("English");
    EnableInternet = EnableUpdate = EnableJumpFieldTables = DoubleClickAutoSize = false;
}

bool ReadLeaf(pugi::xml_node root, const char* section, const char* leaf, QString& value)
{
    return XmlElementText(root.child(section).child(leaf), value);
}

bool ReadFlag(pugi::xml_node root, const char* leaf)
{
    QString v;
    return ReadLeaf(root, "lastinternet", leaf, v) && v == QLatin1String("1");
}

} // namespace

QString SettingsFilePath()
{
    return ExeDir + QStringLiteral("/Orvano.xml");
}

bool Read_Settings(XmlDocument& xml, QString* error)
{
    SetDefaults();
    const QString path = SettingsFilePath();
    if (!QFileInfo::exists(path))
        return true;
    if (!xml.Load(path)) {
        if (error)
            *error = xml.ErrorText();
        return false;
    }
    const pugi::xml_node root = xml.Root();
    QString v;
    if (ReadLeaf(root, "lastproj", "projectname", v))
        ProjectName = v;
    if (ReadLeaf(root, "lastipadd", "ipaddress", v))
        LastIPAddress = v;
    if (ReadLeaf(root, "lastlang", "language", v))
        LanguageName = v;
    EnableInternet = ReadFlag(root, "enable_internet");
    EnableUpdate = ReadFlag(root, "enable_update");
    EnableJumpFieldTables = ReadFlag(root, "enable_jump_field_tables");
    DoubleClickAutoSize = ReadFlag(root, "Double_Click_Auto_Size");
    return true;
}

bool Save_Setting(XmlDocument& xml, QString* error)
{
    xml.Clear();
    pugi::xml_node root = xml.Doc().append_child("Conf_Settings");
    XmlAppendTextElement(root.append_child("lastproj"), QStringLiteral("projectname"), ProjectName);
    XmlAppendTextElement(root.append_child("lastipadd"), QStringLiteral("ipaddress"), LastIPAddress);
    XmlAppendTextElement(root.append_child("lastlang"), QStringLiteral("language"), LanguageName);
    pugi::xml_node flags = root.append_child("lastinternet");
    const auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    XmlAppendTextElement(flags, QStringLiteral("enable_internet"), flag(EnableInternet));
    XmlAppendTextElement(flags, QStringLiteral("enable_update"), flag(EnableUpdate));
    XmlAppendTextElement(flags, QStringLiteral("enable_jump_field_tables"), flag(EnableJumpFieldTables));
    XmlAppendTextElement(flags, QStringLiteral("Double_Click_Auto_Size"), flag(DoubleClickAutoSize));
    if (xml.Save(SettingsFilePath()))
        return true;
    if (error)
        *error = xml.ErrorText();
    return false;
}
