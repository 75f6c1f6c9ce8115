// Bytes as ParGen.xml into the GSD file of type 3 or 23: a message, or an
// ASCII file whose modules, slots and Max_Module agree.
#include "generator_fuzz.h"

#include "generators/gsd_writer.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    OpenFuzzProject();
    WriteFuzzFile(File_ParGen, data + 1, size - 1);
    const gen::Output out = gen::Make_GSD_From_Project(data[0] & 1 ? 3 : 23, File_ParGen);
    if (!out.Ok())
        return 0;
    RequireAsciiCrLf(out.bytes);
    const QStringList lines = QString::fromLatin1(out.bytes).split(QStringLiteral("\r\n"));
    int modules = 0, slotLines = 0, maxModule = -1;
    for (const QString& l : lines) {
        modules += l.startsWith(QLatin1String("Module=\""));
        slotLines += l.startsWith(QLatin1String("Slot("));
        if (l.startsWith(QLatin1String("Max_Module=")))
            maxModule = l.mid(11).toInt();
    }
    Require(modules == maxModule && slotLines == maxModule && maxModule <= 255);
    return 0;
}
