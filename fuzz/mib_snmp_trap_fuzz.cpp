// Bytes as SNMP_Trap.xml into the MIB: a message, or an ASCII module whose
// definitions have unique names and whose notifications name defined objects.
#include "generator_fuzz.h"

#include "generators/mib_writer.h"

#include <QSet>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    OpenFuzzProject();
    WriteFuzzFile(File_SNMP_Trap, data, size);
    const gen::Output out = gen::Make_MIB_From_Project(File_SNMP_Trap);
    if (!out.Ok())
        return 0;
    RequireAsciiCrLf(out.bytes);
    QSet<QString> names;
    QStringList referenced;
    for (const QString& line : QString::fromLatin1(out.bytes).split(QStringLiteral("\r\n"))) {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() < 2 || (words[1] != QLatin1String("OBJECT-TYPE") && words[1] != QLatin1String("OBJECT")
                                 && words[1] != QLatin1String("NOTIFICATION-TYPE") && words[1] != QLatin1String("MODULE-IDENTITY")))
            continue;
        Require(!names.contains(words[0]));
        names.insert(words[0]);
        if (words[1] == QLatin1String("NOTIFICATION-TYPE"))
            referenced << words.value(4);
    }
    for (const QString& r : referenced)
        Require(names.contains(r));
    return 0;
}
