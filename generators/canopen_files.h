#pragma once
#include <QString>
#include <cstdint>
#include <vector>

// Headless readers of the CANopen table files as the EDS needs them. Both
// take the document's first node as the root and every child node of a
// section as a row; a missing file gives empty tables. A file that is not
// well-formed, a missing section, a required attribute that is missing or
// not an integer, and the refusals below throw CompileError with a message
// naming the file, section and row.

namespace gen {

// PDO_CANopen.xml: the receive and the transmit PDOs.
struct PdoEntry
{
    uint32_t cobId = 0;    // "COB-ID"; 0 when not an integer
    int32_t dimension = 8; // "Dimension"; 8 when not an integer
};
struct PdoTables
{
    std::vector<PdoEntry> receive;    // section Receive_PDO
    std::vector<PdoEntry> transmit;   // section Transmit_PDO
};

// The PDO editor's capacity per section; more rows are refused, and so is a
// Dimension outside 1..8.
constexpr int MaxPdoRows = 30;
PdoTables Read_PDO_CANopen(const QString& path);

// SDO_Server_CANopen.xml: one row per object the converter serves.
struct SdoServerRow
{
    int32_t index = 0;      // "Index"
    int32_t subIndex = 0;   // "SubIndex"
    int32_t nByte = 0;      // "NByte"
    bool readOnly = true;   // from SDO_Read (true) or SDO_Write (false)
};

// The rows of SDO_Read, then of SDO_Write, in file order. A row whose Index
// is outside 0x2000..0x7FFF or inside the PDO application ranges
// 0x7000..0x701D and 0x7050..0x706D, or whose SubIndex is outside 0..255,
// is refused (the SDO server editor's own limits).
std::vector<SdoServerRow> Read_SDO_Server_CANopen(const QString& path);

// Is the index one the SDO server may serve?
bool IsSdoServerIndex(int32_t index);

// The first row (position in rows) whose (Index, SubIndex) pair, compared as
// numbers, an earlier row already has; -1 when every pair is unique.
int FindDuplicateSdoObject(const std::vector<SdoServerRow>& rows);

} // namespace gen
