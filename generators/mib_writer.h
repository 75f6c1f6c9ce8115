#pragma once
#include "generators/text_file.h"

#include <QString>
#include <vector>

class SaveFileDialog;

// The SNMP MIB file (module GATEWAY) of the SNMP models.

namespace gen {

// An enabled row of the SNMP trap table: its Description and whether its
// Type is "INT" (any case).
struct MibEntry
{
    QString description;
    bool isInt = false;
};
struct MibEntries
{
    std::vector<MibEntry> read;    // enabled rows of SNMP_Trap_Read, in file order
    std::vector<MibEntry> write;   // enabled rows of SNMP_Trap_Write
};

// SNMP_Trap.xml's enabled rows (Enable "Y" in any case; a row without Enable
// is not enabled). A missing file gives no rows; a file that is not
// well-formed or lacks a section throws CompileError.
MibEntries Read_SNMP_Trap_MIB(const QString& path);

// The module. Refused when a Description is not a name (a lower-case letter,
// then letters and digits, at most 64 in all) or when two definitions would
// get one name (equal Descriptions, or one equal to a name the module gives
// itself, such as "countin" or "bufferinval2").
Output Make_MIB(const MibEntries& entries);

// Reads the file and makes the module.
Output Make_MIB_From_Project(const QString& snmpTrapPath);

} // namespace gen

// The step: asks for the file through the main window's dialog (question
// 1103 before replacing a file), then reads SNMP_Trap.xml and writes the MIB.
void Save_MIB(SaveFileDialog& dialog);
