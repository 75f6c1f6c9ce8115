#pragma once
#include "helpers.h"
#include "par_gen_reader.h"
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

// Calls read(row, writeRow, k) for the rows of Modbus_Read and then
// Modbus_Write, k counting from 0 over both, and returns their number; 0
// when the file does not exist. A missing section or more than limit rows
// end the build.
template <typename ReadRow>
int Read_Access_File(const QString& file, int limit, ReadRow read)
{
    XmlDocument doc;
    if (!Load_Project_Xml(file, doc))
        return 0;
    int k = 0;
    for (const AccessSection& s : kAccessSections) {
        const pugi::xml_node section = Required_Section(file, doc.Root(), s.name);
        const QString sectionName = QLatin1String(s.name);
        int index = 0;
        for (pugi::xml_node node : section.children()) {
            if (k == limit)
                Table_Limit(file, QString(), limit);
            read(TableRow(file, sectionName, index++, node), s.writeRows, k++);
        }
    }
    return k;
}

// The function codes of bit access.
inline bool IsBitFunction(uint8_t code)
{
    return code == 1 || code == 2 || code == 5 || code == 15;
}

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
