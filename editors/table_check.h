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
CheckResult CheckTable(const TableDef& def, const TableData& table);

} // namespace editors
