#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace pugi {
class xml_node;
}

namespace editors {

// How a data column is edited in place.
enum class Edit : uint8_t { Text, List, Check };

struct ColumnDef
{
    const char* attr;        // attribute of the row element
    int header;              // text number of the header
    int width;
    Edit edit = Edit::Text;
    const char* items = nullptr;       // list items, "|" between them
    const char* readDefault = nullptr; // text of a missing attribute; nullptr: required
    const char* initial = "";          // cell text when the table is prepared
    bool emptyTakesDefault = false;    // an empty attribute reads as readDefault too
};

// One check of a row. A number that is not a number counts as bad.
enum class Step : uint8_t {
    Range,      // lo <= value(col) <= hi (hi < 0: the table's byte limit)
    NotEmpty,   // trimmed cell not empty
    CobId,      // CAN identifier by the frame type in column col + 1
    Bytes,      // start/count window of a J1939 or NMEA 2000 receive row
    Budget,     // running total of the rows' bytes against the byte limit
};

struct CheckDef
{
    Step step;
    int col = 0;             // data column (1 = first)
    int64_t lo = 0;
    int64_t hi = 0;
    int text = 0;            // message text number
    bool appendLimit = false;
    int onlyIfYes = 0;       // column that must hold exactly "Y" (0: always)
    int64_t bad = -1;        // value of a non-number
};

// The start/count rules of Step::Bytes. Columns 0 when the table has none.
struct BytesRule
{
    int tpCol, fpCol, startCol, countCol;
    int tpTexts[2];          // start, start + count (limit 1785)
    int fpTexts[2];          // the same for fast packets (limit 223)
    int singleTexts[4];      // both filled, start 1..8, count 1..8, sum below 9
};

// Which rows are used: the run from row 1 to before the first row whose cell
// in usedCol is empty (trimmed or not), or every row.
enum class Used : uint8_t { Untrimmed, Trimmed, All };

// Buttons under the table besides OK and Cancel.
enum class RowButtons : uint8_t { DeleteInsert, SelectClear, None };

struct SectionDef
{
    const char* name;        // nullptr: rows directly under the root
    int page = -1;           // text number of the page caption
};

// The row count: fixed, or the integer of a ParGen.xml element clamped.
struct RowsDef
{
    int capacity;
    const char* parGenElement = nullptr;
    int parGenDefault = 0;
    int min = 1, max = 0;
};

struct TableDef
{
    const char* objectName;  // the window's object name ("FDNet")
    const char* gridName;    // "sga", "ESG", ...
    QString* path;           // the project file's path global
    const char* root;
    const char* rowElement;  // "row" or "Row"
    std::vector<int> types;  // device types served
    std::vector<SectionDef> sections;
    RowsDef rows;
    std::vector<ColumnDef> columns;   // data columns, column 1 first
    int numberHeader;                 // text number of the header of column 0
    int numberWidth;
    bool numberColumnRows = true;     // column 0 shows the row numbers
    Used used = Used::Untrimmed;
    int usedCol = 1;
    bool writeAllRows = false;        // every row written, used or not
    int byteLimit = 0;                // the tables' byte budget (0: none)
    std::vector<CheckDef> checks;
    const BytesRule* bytes = nullptr;
    // Texts: caption, description, buttons (OK, Cancel, the two row
    // buttons), error row, delete confirmation.
    int caption, desc, ok, cancel, button3 = -1, button4 = -1, errorRow = -1, confirmDelete = -1;
    int width, height;
    bool headersInCells = false;      // headers go into row 0, not the items
    RowButtons rowButtons = RowButtons::DeleteInsert;
    bool testRowBeforeDelete = false;
    // A departure on reading a row (after the columns were read).
    void (*readRow)(const pugi::xml_node& row, QStringList& cells) = nullptr;
};

// The windows' definitions.
extern const TableDef kCanRecFrames;
extern const TableDef kCanSendFrames;
extern const TableDef kDNetNet;
extern const TableDef kReceiveJ1939;
extern const TableDef kTransmitJ1939;
extern const TableDef kReceiveNmea;
extern const TableDef kTransmitNmea;
extern const TableDef kRestartDevices;
extern const TableDef kNodeGuard;
extern const TableDef kDmxDefaultValues;

// Every definition, for tests and the fuzz target.
const std::vector<const TableDef*>& AllTableDefs();

// "SW_VERSION = " + the type's version (1018 as 18).
QString VersionComment(int deviceType);

// A text of the language table; texts new to the editors fall back to their
// English text when the table has none.
QString EditorText(int n);

// Texts the editors add to the language table.
enum NewText {
    TextNotFullyLoaded = 1441,   // + file name + TextOverwriteAnyway
    TextOverwriteAnyway = 1442,
    TextRowsBelowGap = 1443,
    TextInsertDropsLast = 1444,
    TextChannelsClamped = 1445,  // + the number of channels used
};

} // namespace editors
