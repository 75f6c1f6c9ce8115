// Any bytes as ParGen.xml, loaded for every model into the window's values:
// each control gets at most one value per element, never a crash.
#include "app/common/device_type.h"
#include "params/par_gen_codec.h"
#include "platform/xml_document.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XmlDocument doc;
    if (!doc.LoadBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;
    int count = 0;
    const DeviceTypeInfo* types = AllDeviceTypes(&count);
    for (int i = 0; i < count; ++i)
        ParGenLoadAssignments(&doc, types[i].type);
    return 0;
}
