#pragma once
#include "generators/text_file.h"

#include <QString>
#include <cstdint>

// The PROFINET GSDML documents of the PROFINET models: one template, filled
// by the writer of the device type (gsdml_models.h) with the values read
// from the project. Nothing is kept from one generation to the next.

namespace gen {

struct GsdmlValues
{
    int64_t inputLength = 0;
    int64_t outputLength = 0;
    QString stationName;   // as written into ImplementationType and DNS_CompatibleName
};

// Reads the values of the device type from ParGen.xml and, for the J1939 and
// NMEA 2000 models, their frame files (paths of the open project).
GsdmlValues Read_GSDML_Values(int deviceType);

// The document; refused when the station name holds a character that XML
// cannot carry. Empty output for a type without a writer.
Output Make_GSDML(int deviceType, const GsdmlValues& values);

// Reads and makes.
Output Make_GSDML_From_Project(int deviceType);

// The station name as an attribute value: XML's reserved characters and
// tab, line feed and carriage return as references, every character above
// ASCII as a character reference. False for a character XML cannot carry.
bool XmlAttributeText(const QString& text, QString& escaped);

} // namespace gen

// The step after the file-name window: asks for the folder (the dialog
// proposes name), asks before replacing a file, and writes the document of
// the device type as the folder + name. A type without a writer writes nothing.
void Save_GSDML(const QString& name);
