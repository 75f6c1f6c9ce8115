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
enum class Edit : uint8_t { Text, List, Check, ComboEdit };

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
    std::vector<int> onlyTypes = {};   // written only on these types (empty: all)
    int hint = 0;                      // text number of the header hint (0: none)
    int editLength = 0;                // most characters typed (0: no limit)
    bool positionList = false;         // items "0" .. the section's limit - 1
};

// One check of a row. A number that is not a number counts as bad.
enum class Step : uint8_t {
    Range,      // lo <= value(col) <= hi (hi < 0: the table's byte limit)
    NotEmpty,   // trimmed cell not empty
    CobId,      // CAN identifier by the frame type in column col + 1
    Bytes,      // start/count window of a J1939 or NMEA 2000 receive row
    Budget,     // running total of the rows' bytes against the byte limit
    Address,    // 0 <= value(col) <= the section's limit - 1 (the message takes limit - 1)
    NotBetween, // value(col) outside lo..hi
    UniquePair, // (value(col), value(col2)) not used by an earlier row of any section
    Points,     // count of a Modbus access row: 1 .. its register or bit maximum
    LastByte,   // Modbus access row: Start Bit of bit rows, last byte below the limit
    IpAddress,  // four parts, the fourth the whole rest of the text
    SplitIp,    // four dotted parts 0..255
    Alnum,      // letters and digits only
    NameForm,   // alphanumeric with a lower-case first letter
    NotReserved,// not a name the MIB file defines or imports
    Unique,     // no two checked rows of any section share the text (message alone)
    ZeroText,   // trimmed text exactly "0"
};

// A further condition of a check.
enum class Cond : uint8_t {
    Always,
    Shown,      // the checked column is shown
    String,     // the row's Type (condCol) upper-cased is not "INT"
    Int,        // the row's Type (condCol) upper-cased is "INT"
    YesAnyCase, // condCol upper-cased is "Y"
};

// The columns of a Modbus access row and its limits.
struct AccessRule
{
    int typeCol, pointsCol, positionCol, bitCol;
    bool inputStatusIsBit;   // read rows: "INPUT STATUS" is a bit type too
    int64_t maxRegisters, maxBits;
    int bitText, lastByteText;
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
    int whenCol = 0;         // checked only when value(whenCol) >= whenAtLeast (0: always)
    int64_t whenAtLeast = 0;
    int col2 = 0;            // second column of UniquePair
    Cond cond = Cond::Always;
    int condCol = 0;
    const AccessRule* access = nullptr;
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
enum class RowButtons : uint8_t { DeleteInsert, SelectClear, None, DeleteInsertCopyPaste };

struct SectionDef
{
    const char* name;        // nullptr: rows directly under the root
    int page = -1;           // text number of the page caption
    // Where a section departs from its table (nullptr or 0: the table's own).
    const std::vector<ColumnDef>* columns = nullptr;
    const std::vector<CheckDef>* checks = nullptr;
    int numberHeader = 0;
    const char* limitElement = nullptr;  // ParGen.xml element of the section's byte limit
    int limitDefault = 0;                // when the file, the element or its number is missing
    const char* gridName = nullptr;      // the section's grid (nullptr: the table's)
    const char* pageName = nullptr;      // its page
};

// A section's byte limit by device type: a ParGen.xml element on some types,
// clamped to the parameters window's range, a fixed value on the others.
struct LimitDef
{
    const char* parGenElement;
    std::vector<int> types;          // types that read the element
    int parGenDefault = 512;         // no file, no element, not a number
    int otherTypes = 1024;
    int min = 1, max = 1439;
};

// A column shown or hidden, and its width.
struct ColumnLook
{
    int section, col;
    bool shown;
    int width = 0;           // 0: the column's own
};

// The column layout by device type and SNMP map type; the first row that
// fits applies.
enum class MapIs : uint8_t { Any, One, NotOne };
struct LayoutDef
{
    std::vector<int> types;  // empty: every type
    MapIs map = MapIs::Any;
    int width = 0;           // client width (0: the table's)
    std::vector<ColumnLook> looks;
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
    bool versionComment = true;       // the "SW_VERSION = " comment after the root
    std::vector<LimitDef> limits = {};      // per section, by device type (empty: none)
    std::vector<int> mapTypeTypes = {};     // types that read SNMP_MapType
    std::vector<LayoutDef> layouts = {};
    int enableCol = 0;                      // rows checked and numbered only when "Y"
    bool keepPage = false;                  // a showing keeps the active page
    int copyText = -1, pasteText = -1;      // texts of the copy and paste buttons
    std::vector<int> buttonHints = {};      // hints of the buttons, in their order
};

// What a showing decided: the SNMP map type and the hidden columns (by
// section and real column).
struct TableState
{
    int mapType = 0;
    std::vector<std::vector<bool>> hidden;
    bool Hidden(size_t section, int col) const
    {
        return section < hidden.size() && col >= 0 && col < int(hidden[section].size()) && hidden[section][size_t(col)];
    }
};

// The layout row for a device type and map type (nullptr: none).
const LayoutDef* LayoutOf(const TableDef& def, int deviceType, int mapType);
// The hidden columns of that layout, per section and real column.
TableState StateOf(const TableDef& def, int deviceType, int mapType);
// Is the column read and written on the device type?
bool ColumnOnType(const ColumnDef& col, int deviceType);

// A section's columns, checks and column-0 header: its own or the table's.
const std::vector<ColumnDef>& ColumnsOf(const TableDef& def, size_t section);
const std::vector<CheckDef>& ChecksOf(const TableDef& def, size_t section);
int NumberHeaderOf(const TableDef& def, size_t section);

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
// CANopen (table_defs_canopen.cpp).
extern const TableDef kSdoServer;
extern const TableDef kSdoClient;
extern const TableDef kPdo;
// Modbus masters and SNMP (table_defs_modbus_snmp.cpp).
extern const TableDef kSetAccess;
extern const TableDef kModbusTcpSetAccess;
extern const TableDef kSnmpTrapAccess;

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
    TextLimitClamped = 1446,     // element + this + the limit used
    TextReservedRead = 1447,
    TextReservedWrite = 1448,
    TextPairUsedTwice = 1470,    // + the page of the first use + TextUsedInRow + its row
    TextUsedInRow = 1471,
};

} // namespace editors
