#pragma once
#include "editors/table_codec.h"

namespace editors {

struct CheckResult
{
    bool ok = true;
    int section = 0;
    int row = 0;             // the failing row from 1; 0 when the message names none
    QString message;         // the error box's text
};

// Applies the table's checks to its used rows, in row then column order, and
// stops at the first failure: error-row text + row + the field's message
// (+ the limit where the message takes one). The byte budget's message names
// no row.
// sectionLimits: each section's byte limit for Step::Address.
// state: the hidden columns for Cond::Shown (nullptr: every column shown).
CheckResult CheckTable(const TableDef& def, const TableData& table, const std::vector<int64_t>& sectionLimits = {},
                       const TableState* state = nullptr);

// A text that is not a valid address for a Modbus TCP row: four parts, the
// fourth the whole rest of the text.
bool Check_IP_Address(const QString& text);
// A name the SNMP MIB file defines or imports.
bool IsReservedMibName(const QString& text);

} // namespace editors
