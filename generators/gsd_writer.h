#pragma once
#include "generators/text_file.h"

#include <QString>
#include <cstdint>

// The PROFIBUS GSD file of the PROFIBUS slave models (types 3 and 23).

namespace gen {

// The two data lengths as the GSD sees them, from ParGen.xml: type 3 takes
// PROFIBUS_SLAVE_NB_IN as its input, every other type the crossed pair.
struct GsdLengths
{
    int32_t input = 0;
    int32_t output = 0;
};

// The file for the lengths: refused when a length is negative or the two
// need more than 255 modules of at most 64 bytes.
Output Make_GSD(int deviceType, GsdLengths lengths);

// Reads the lengths from parGenPath (text 336 when it is missing) and makes
// the file.
Output Make_GSD_From_Project(int deviceType, const QString& parGenPath);

// The chosen path with ".gsd" added unless it already ends in it (any case).
QString Gsd_Path(const QString& chosen);

} // namespace gen

// The step: reads ParGen.xml, asks for the file name and writes the file.
void Save_GSD();
