#pragma once
#include <QString>

class ParGen;

// The SNMP map type of the open project's build, read from ParGen.xml's
// SNMP_MapType: 1 = the SNMP values come from SNMP_Trap.xml, 0 = from the
// data formats of the access rows (any other value: neither). The compiler
// and the updater both use it, so the firmware sent always matches the
// configuration compiled.
//
// Types 16, 18 and 19 read the element (0 when it is missing or not an
// integer); without ParGen.xml type 18 has 1 and types 16 and 19 have 0.
// Type 1018 always has 1. Every other type has no map type: 0.
int Read_SNMP_Map_Type();

// The same; a ParGen.xml that cannot be loaded (not well-formed XML, not
// readable) gives 0 and, when error is given, the loader's message.
int Read_SNMP_Map_Type(QString* error);

// The map type of a build of deviceType, from the ParGen.xml its builder
// has loaded (the same rule, without reading the file again).
int SNMP_Map_Type(int deviceType, const ParGen& pg);

// Whether the type's build depends on the SNMP map type (16, 18, 19, 1018).
bool HasSnmpMapType(int deviceType);
