#include "generators/mib_writer.h"

#include "app/common/language.h"
#include "app/common/workspace.h"
#include "app/forms/save_dialog.h"
#include "build/compiler/par_gen_reader.h"
#include "build/compiler/row_text.h"
#include "build/compiler/table_rows.h"
#include "generators/maker_data.h"
#include "platform/messages.h"

#include <QApplication>
#include <QFileInfo>
#include <QSet>

namespace gen {

namespace {

constexpr int TextOverwrite = 1103;
constexpr int TextNameTwice = 1167;
constexpr int TextNotAName = 1168;
constexpr int MaxNameLength = 64;

// The names the module defines or imports whatever the tables hold.
QStringList FixedNames()
{
    QStringList names = {"identity", "keltrona",  "gateway", "application", "data",     "hellostring",
                         "countin",  "countout",  "bufferin", "bufferinval", "bufferout", "bufferoutval",
                         "traps",    "trapsval",  "enterprises"};
    for (int n = 1; n <= 8; ++n)
        names << QStringLiteral("bufferinblk%1").arg(n) << QStringLiteral("bufferoutblk%1").arg(n);
    return names;
}

bool IsName(const QString& s)
{
    if (s.isEmpty() || s.size() > MaxNameLength || s[0] < QLatin1Char('a') || s[0] > QLatin1Char('z'))
        return false;
    for (QChar c : s)
        if (!(c >= QLatin1Char('a') && c <= QLatin1Char('z')) && !(c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return false;
    return true;
}

QString ObjectName(const MibEntry& e, const QString& fallback, size_t position)
{
    return e.description.isEmpty() ? fallback + QString::number(position + 1) : e.description;
}

const char* Syntax(const MibEntry& e)
{
    return e.isInt ? "INTEGER" : "OCTET STRING";
}

void ReadSection(const QString& path, pugi::xml_node root, const char* name, std::vector<MibEntry>& entries)
{
    const pugi::xml_node section = Required_Section(path, root, name);
    int i = 0;
    for (pugi::xml_node node : section.children()) {
        const TableRow row(path, QLatin1String(name), i++, node);
        if (!UpperIs(row.Raw("Enable"), "Y"))
            continue;
        MibEntry e;
        e.isInt = UpperIs(row.Raw("Type"), "INT");
        e.description = row.TextOr("Description");
        entries.push_back(e);
    }
}

} // namespace

MibEntries Read_SNMP_Trap_MIB(const QString& path)
{
    MibEntries entries;
    XmlDocument doc;
    if (!Load_Project_Xml(path, doc))
        return entries;
    ReadSection(path, doc.Root(), "SNMP_Trap_Read", entries.read);
    ReadSection(path, doc.Root(), "SNMP_Trap_Write", entries.write);
    return entries;
}

Output Make_MIB(const MibEntries& entries)
{
    QSet<QString> names;
    for (const QString& n : FixedNames())
        names.insert(n);
    const auto claim = [&](const QString& name) {
        if (names.contains(name))
            return false;
        names.insert(name);
        return true;
    };
    for (const auto* list : {&entries.read, &entries.write}) {
        const QString fallback = QLatin1String(list == &entries.read ? "bufferinval" : "bufferoutval");
        for (size_t i = 0; i < list->size(); ++i) {
            const MibEntry& e = (*list)[i];
            if (!e.description.isEmpty() && !IsName(e.description))
                return Output::Refused(Lang(TextNotAName) + e.description);
            if (!claim(ObjectName(e, fallback, i)))
                return Output::Refused(Lang(TextNameTwice) + ObjectName(e, fallback, i));
        }
    }
    for (size_t k = 0; k < entries.read.size(); ++k)
        if (!claim(QStringLiteral("trapval%1").arg(k + 1)))
            return Output::Refused(Lang(TextNameTwice) + QStringLiteral("trapval%1").arg(k + 1));

    QStringList out;
    out << QStringLiteral("GATEWAY DEFINITIONS ::= BEGIN") << QStringLiteral("IMPORTS")
        << QStringLiteral("       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE") << QStringLiteral("         FROM SNMPv2-SMI")
        << QStringLiteral("         DisplayString, TimeStamp") << QStringLiteral("         FROM SNMPv2-TC")
        << QStringLiteral("         enterprises") << QStringLiteral("         FROM RFC1155-SMI;") << QString()
        << QStringLiteral("identity MODULE-IDENTITY") << QStringLiteral("    LAST-UPDATED \"201701310000Z\"")
        << QStringLiteral("    ORGANIZATION \"%1\"").arg(QLatin1String(maker::WebAddress))
        << QStringLiteral("    CONTACT-INFO")
        << QStringLiteral("\t \"%1").arg(QLatin1String(maker::Street))
        << QStringLiteral("    %1, %2").arg(QLatin1String(maker::PostalCodeAndTown), QLatin1String(maker::Province))
        << QStringLiteral("    %1").arg(QLatin1String(maker::Country))
        << QStringLiteral("    email:    %1\"").arg(QLatin1String(maker::Email)) << QStringLiteral("    DESCRIPTION")
        << QStringLiteral("\t\"MIB objects for agent module \"") << QStringLiteral("    REVISION     \"201701310000Z\"")
        << QStringLiteral("    DESCRIPTION") << QStringLiteral("\t\"Corrected notification \"")
        << QStringLiteral("    REVISION     \"200202060000Z\"") << QStringLiteral("    DESCRIPTION")
        << QStringLiteral("\t\"First draft\"") << QStringLiteral("    ::= { keltrona 2 }")
        << QStringLiteral("keltrona").leftJustified(16) + QStringLiteral("OBJECT IDENTIFIER ::= { enterprises %1 }")
                                                             .arg(maker::EnterpriseNumber)
        << QStringLiteral("gateway OBJECT IDENTIFIER::= { keltrona 1 }")
        << QStringLiteral("application OBJECT IDENTIFIER::= { gateway 1 }")
        << QStringLiteral("data OBJECT IDENTIFIER::= { application 1 }")
        << QStringLiteral("hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  "
                          "DESCRIPTION \"\" ::= { data 1}")
        << QStringLiteral("countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  "
                          "DESCRIPTION \"\" ::= { data 2}")
        << QStringLiteral("countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  "
                          "DESCRIPTION \"\" ::= { data 3}");

    const auto buffer = [&](const char* dir, int number, const char* access, const std::vector<MibEntry>& list) {
        const QString d = QLatin1String(dir);
        out << QStringLiteral("buffer%1 OBJECT IDENTIFIER::= { data %2 }").arg(d).arg(number);
        for (int n = 1; n <= 8; ++n)
            out << QStringLiteral("buffer%1blk%2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS %3 STATUS current "
                                  "DESCRIPTION \"data block n.%2\" ::= { buffer%1 %2 }")
                       .arg(d)
                       .arg(n)
                       .arg(QLatin1String(access));
        out << QStringLiteral(" buffer%1val OBJECT IDENTIFIER::= { buffer%1 9 }").arg(d);
        const QString fallback = QStringLiteral("buffer%1val").arg(d);
        for (size_t i = 0; i < list.size(); ++i)
            out << QStringLiteral("%1 OBJECT-TYPE SYNTAX %2 MAX-ACCESS %3 STATUS current DESCRIPTION \"%4\" ::= "
                                  "{ buffer%5val %6 }")
                       .arg(ObjectName(list[i], fallback, i), QLatin1String(Syntax(list[i])),
                            QLatin1String(access), list[i].description, d)
                       .arg(i + 1);
    };
    buffer("in", 4, "read-only", entries.read);
    buffer("out", 5, "read-write", entries.write);

    out << QStringLiteral("traps OBJECT IDENTIFIER::= { application 2 }")
        << QStringLiteral(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
    for (size_t k = 0; k < entries.read.size(); ++k)
        out << QStringLiteral("trapval%1 NOTIFICATION-TYPE OBJECTS { %2 } STATUS current DESCRIPTION \"%3\" ::= "
                              "{ trapsval %1 }")
                   .arg(k + 1)
                   .arg(ObjectName(entries.read[k], QStringLiteral("bufferinval"), k), entries.read[k].description);
    out << QStringLiteral("END");
    return Output{Latin1Lines(out), QString()};
}

Output Make_MIB_From_Project(const QString& snmpTrapPath)
{
    return Guarded([&] { return Make_MIB(Read_SNMP_Trap_MIB(snmpTrapPath)); });
}

} // namespace gen

void Save_MIB(SaveFileDialog& dialog)
{
    dialog.InitialDir = ProjectPath;
    if (!dialog.Execute(QApplication::activeWindow()))
        return;
    const QString path = dialog.FileName;
    if (QFileInfo::exists(path) && !Messages::Ask(Lang(gen::TextOverwrite)))
        return;
    gen::Output output;
    try {
        const gen::MibEntries entries = gen::Read_SNMP_Trap_MIB(File_SNMP_Trap);
        SNMPReadDescList.clear();
        SNMPWriteDescList.clear();
        for (const gen::MibEntry& e : entries.read)
            SNMPReadDescList << e.description;
        for (const gen::MibEntry& e : entries.write)
            SNMPWriteDescList << e.description;
        output = gen::Make_MIB(entries);
    } catch (const CompileError& e) {
        output = gen::Output::Refused(e.Message());
    }
    gen::Save_Output(path, output);
}
