// Bytes as one of the J1939 or NMEA 2000 frame files (the first byte picks
// which) into the GSDML writer: a message, or a well-formed ASCII document.
#include "generator_fuzz.h"

#include "generators/gsdml_writer.h"

#include <QFile>
#include <pugixml.hpp>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    OpenFuzzProject();
    const struct
    {
        int type;
        QString* path;
    } kFiles[] = {{6, &File_J1939_Rec_Frames}, {14, &File_J1939_Send_Frames}, {7, &File_NMEA_Rec_Frames},
                  {28, &File_NMEA_Send_Frames}};
    const auto& f = kFiles[data[0] % 4];
    for (const auto& other : kFiles)
        QFile::remove(*other.path);
    WriteFuzzFile(*f.path, data + 1, size - 1);
    const gen::Output out = gen::Make_GSDML_From_Project(f.type);
    if (!out.Ok())
        return 0;
    RequireAsciiCrLf(out.bytes);
    pugi::xml_document doc;
    Require(doc.load_buffer(out.bytes.constData(), size_t(out.bytes.size())));
    return 0;
}
