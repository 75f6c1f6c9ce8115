#pragma once
#include "app/common/type_set.h"

#include <cstdint>

// The GSDML writers of the PROFINET models as rows of constant tables: which
// device types each serves, its identity, texts and template points, and how
// each device type reads its two lengths and its station name.

namespace gen {

// Template B departs from A in the first subslot number, the number of
// application relations and the module's ident number.
enum class GsdmlTemplate { A, B };

// One writer.
struct GsdmlWriter
{
    int number;   // 1..19
    device::TypeSet types;
    GsdmlTemplate templ;
    bool utf8;             // declares UTF-8 and starts with a byte-order mark (else iso-8859-1)
    bool profibusConfig;   // IOConfigData 244 / 244 / 488 (else 1440 / 1440 / 2880)
    bool masterPoints;     // AllowedInSlots, the short reduction ratios, IDT_Input / IDT_Output, 42 texts
    // Texts of the external text list.
    const char* nameDap1;
    const char* infoDap1;
    const char* infoM1;
    const char* fapWord;
    const char* nameMPb1;
    const char* infoMPb1;
    const char* nameSPb1;
    const char* infoSPb1;
    const char* pbInput;
    const char* pbInputBit0;
};

// The writer of a device type; nullptr for the types without one
// (15..19, 21, 23, 1018 and anything else).
const GsdmlWriter* FindGsdmlWriter(int deviceType);

// A device type's identity within its writer.
struct GsdmlIdentity
{
    int type;
    const char* productFamily;
    const char* orderNumber;
};
const GsdmlIdentity* FindGsdmlIdentity(int deviceType);

// Where a device type takes its lengths from.
enum class LengthRule
{
    Elements,    // two ParGen.xml elements with a default
    Type10,      // the input element (0 becomes 1), output always 4
    J1939Sums,   // sums over the J1939 frame files
    NmeaSums,    // sums over the NMEA 2000 frame files
    Dmx,         // the DMX_TYPE rule
};

// How a device type reads its station name.
enum class StationRule
{
    Fixed,          // writes "SERIAL"
    Read,           // PROFINET_NAME_STA; blank after trimming codes 0..32 gives the fallback
    ReadUntrimmed,  // the same, but only an empty text gives the fallback
};

struct GsdmlReading
{
    device::TypeSet types;
    LengthRule rule;
    const char* inputElement;
    const char* outputElement;
    int32_t defaultLength;   // a missing element or a text that is not a number
    int32_t noFileInput;     // ParGen.xml missing
    int32_t noFileOutput;
    StationRule station;
    const char* fallback;
};
const GsdmlReading* FindGsdmlReading(int deviceType);

// The model code of the file name ("GX52160", "GX527K101"); nullptr for a
// type without a writer.
const char* GsdmlFileModelCode(int deviceType);

} // namespace gen
