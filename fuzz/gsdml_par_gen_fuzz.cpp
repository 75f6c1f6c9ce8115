// Bytes as ParGen.xml into the GSDML writer of a model the first byte picks:
// a message, or a well-formed ASCII document.
#include "generator_fuzz.h"

#include "generators/gsdml_writer.h"

#include <pugixml.hpp>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const int kTypes[] = {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13, 20, 22, 24, 25, 26, 27, 29};
    if (size == 0)
        return 0;
    OpenFuzzProject();
    WriteFuzzFile(File_ParGen, data + 1, size - 1);
    const int type = kTypes[data[0] % (sizeof kTypes / sizeof kTypes[0])];
    const gen::Output out = gen::Make_GSDML_From_Project(type);
    if (!out.Ok())
        return 0;
    QByteArray bytes = out.bytes;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    RequireAsciiCrLf(bytes);
    pugi::xml_document doc;
    Require(doc.load_buffer(bytes.constData(), size_t(bytes.size())));
    return 0;
}
