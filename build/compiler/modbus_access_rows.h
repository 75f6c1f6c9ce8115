#pragma once
#include "helpers.h"
#include "row_text.h"
#include "table_rows.h"

#include <QString>

// What the serial and the TCP Modbus master access tables share.

// The two sections of an access file, read rows first.
struct AccessSection
{
    const char* name;
    bool writeRows;
};
constexpr AccessSection kAccessSections[] = {{"Modbus_Read", false}, {"Modbus_Write", true}};

// Swap and Swap_Word compare the exact text "Y".
inline bool IsExactlyY(const char* raw)
{
    return raw && raw[0] == 'Y' && raw[1] == '\0';
}

// The swap flags (4: bytes, 8: words) and, for the SNMP models, the data
// format code of a row.
template <class Record>
void Read_Swap_And_Format(const TableRow& row, Record& r, bool withFormat)
{
    if (IsExactlyY(row.Raw("Swap")))
        r.Flags |= 0x4;
    if (IsExactlyY(row.Raw("Swap_Word")))
        r.Flags |= 0x8;
    if (withFormat)
        if (const char* format = row.Raw("Format_SNMP"))
            r.SnmpFormat = static_cast<uint8_t>(Get_Data_Type_Code(QString::fromUtf8(format)));
}
