#pragma once
#include <QString>

// Asks for the SNMP MIB file's name, then writes it.
// Placeholder: does nothing yet.
void Save_MIB();
