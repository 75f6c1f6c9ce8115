#include "editors/table_def.h"

#include "device_type.h"
#include "language.h"
#include "workspace.h"

#include <pugixml.hpp>

namespace editors {

namespace {

constexpr const char* kCanTypes = "2.0A (11 bits)|2.0B (29 bits)";
constexpr const char* kDataPages = "0|1";
constexpr int64_t kFromLimit = -1;   // Range: the table's byte limit as upper bound

// The older transmit row form: T_Type in place of the three event flags.
void ReadJ1939TransmitRow(const pugi::xml_node& row, QStringList& cells)
{
    // Columns: Priority, DP, PGN, SA, TP_NByte, On_Request, On_Data_Change, On_Timer, ...
    const pugi::xml_attribute type = row.attribute("T_Type");
    if (!type)
        return;
    const QString t = QString::fromUtf8(type.value()).toUpper();
    cells[5] = QStringLiteral("N");
    cells[6] = t == QLatin1String("ON DATA CHANGE") ? QStringLiteral("Y") : QStringLiteral("N");
    cells[7] = t == QLatin1String("ON TIMER") ? QStringLiteral("Y") : QStringLiteral("N");
}

const BytesRule kJ1939Bytes{4, 0, 5, 6, {602, 603}, {0, 0}, {633, 634, 635, 636}};
const BytesRule kNmeaBytes{3, 4, 5, 6, {215, 216}, {217, 218}, {637, 638, 639, 640}};

} // namespace

const TableDef kCanRecFrames{
    .objectName = "FCAN_Rec_Frames", .gridName = "sga", .path = &File_CAN_Rec_Frames,
    .root = "PROFINET_to_Receive_CAN", .rowElement = "row", .types = {0, 15, 27},
    .sections = {{"Receive_Frames"}}, .rows = {500},
    .columns = {{"Cob_Id", 303, 90},
                {"Type", 304, 120, Edit::List, kCanTypes},
                {"Dimension", 305, 80},
                {"TimeOut", 306, 90},
                {"Mnemonic", 307, 300}},
    .numberHeader = 302, .numberWidth = 40,
    .checks = {{Step::CobId, 1, 0, 0, 309},
               {Step::Range, 3, 1, 8, 312},
               {Step::Range, 4, 0, 10000000, 313}},
    .caption = 296, .desc = 297, .ok = 298, .cancel = 299, .button3 = 300, .button4 = 301,
    .errorRow = 308, .confirmDelete = 314, .width = 759, .height = 337,
};

const TableDef kCanSendFrames{
    .objectName = "FCAN_Send_Frame", .gridName = "sga", .path = &File_CAN_Send_Frames,
    .root = "PROFINET_to_Send_CAN", .rowElement = "row", .types = {0, 15, 27},
    .sections = {{"Send_Frames"}}, .rows = {500},
    .columns = {{"Cob_Id", 322, 90},
                {"Type", 323, 120, Edit::List, kCanTypes},
                {"Dimension", 324, 80},
                {"Send_Type", 325, 130, Edit::List, "On Data Change|On Timer"},
                {"Timer_Send", 326, 90},
                {"Mnemonic", 327, 200}},
    .numberHeader = 321, .numberWidth = 40,
    .checks = {{Step::CobId, 1, 0, 0, 329},
               {Step::Range, 3, 1, 8, 332},
               {Step::Range, 5, 0, 10000000, 333}},
    .caption = 315, .desc = 316, .ok = 317, .cancel = 318, .button3 = 319, .button4 = 320,
    .errorRow = 328, .confirmDelete = 334, .width = 759, .height = 337,
};

const TableDef kDNetNet{
    .objectName = "FDNet", .gridName = "ESG", .path = &File_DNETM_Net,
    .root = "DNET_Net", .rowElement = "row", .types = {1},
    .sections = {{nullptr}}, .rows = {64},
    .columns = {{"ID", 553, 60},
                {"NB_IN", 554, 90},
                {"NB_OUT", 555, 90},
                {"Reset_DeviceNet", 955, 130, Edit::Check, nullptr, "N"},
                {"Reset_PROFINET", 956, 130, Edit::Check, nullptr, "N"},
                {"Mnemonic", 556, 250}},
    .numberHeader = 552, .numberWidth = 40,
    .checks = {{Step::Range, 1, 0, 63, 558},
               {Step::Range, 2, 0, 65535, 559},
               {Step::Range, 3, 0, 65535, 560}},
    .caption = 546, .desc = 547, .ok = 548, .cancel = 549, .button3 = 550, .button4 = 551,
    .errorRow = 557, .confirmDelete = 561, .width = 784, .height = 337,
};

const TableDef kReceiveJ1939{
    .objectName = "FReceiveJ1939", .gridName = "sga", .path = &File_J1939_Rec_Frames,
    .root = "Receive_J1939", .rowElement = "row", .types = {6, 14},
    .sections = {{nullptr}}, .rows = {62},
    .columns = {{"DP", 590, 65, Edit::List, kDataPages, ""},
                {"PGN", 591, 85, Edit::Text, nullptr, ""},
                {"SA", 592, 95, Edit::Text, nullptr, ""},
                {"TP", 593, 113, Edit::Check, nullptr, "N"},
                {"TP_Start", 594, 65, Edit::Text, nullptr, ""},
                {"TP_NByte", 595, 55, Edit::Text, nullptr, ""},
                {"Delete", 596, 75, Edit::Check, nullptr, "N"},
                {"Mnemonic", 597, 180, Edit::Text, nullptr, ""}},
    .numberHeader = 589, .numberWidth = 40, .usedCol = 2, .byteLimit = 1438,
    .checks = {{Step::NotEmpty, 1, 0, 0, 599},
               {Step::Range, 2, 0, 0xFFFF, 600},
               {Step::Range, 3, 0, 255, 601},
               {Step::Bytes},
               {Step::Budget, 0, 0, 0, 604, true}},
    .bytes = &kJ1939Bytes,
    .caption = 583, .desc = 584, .ok = 585, .cancel = 586, .button3 = 587, .button4 = 588,
    .errorRow = 598, .confirmDelete = 605, .width = 800, .height = 337, .testRowBeforeDelete = true,
};

const TableDef kTransmitJ1939{
    .objectName = "FTransmitJ1939", .gridName = "sga", .path = &File_J1939_Send_Frames,
    .root = "Receive_J1939", .rowElement = "row", .types = {6, 14},
    .sections = {{nullptr}}, .rows = {62},
    .columns = {{"Priority", 613, 50, Edit::Text, nullptr, ""},
                {"DP", 614, 65, Edit::List, kDataPages, ""},
                {"PGN", 615, 85, Edit::Text, nullptr, ""},
                {"SA", 616, 95, Edit::Text, nullptr, ""},
                {"TP_NByte", 618, 60, Edit::Text, nullptr, "8", "", true},
                {"On_Request", 619, 55, Edit::Check, nullptr, "N"},
                {"On_Data_Change", 617, 80, Edit::Check, nullptr, "N"},
                {"On_Timer", 632, 60, Edit::Check, nullptr, "N"},
                {"SendTimer", 620, 70, Edit::Text, nullptr, ""},
                {"Mnemonic", 621, 115, Edit::Text, nullptr, ""}},
    .numberHeader = 612, .numberWidth = 40, .usedCol = 3, .byteLimit = 1438,
    .checks = {{Step::Range, 1, 0, 7, 623},
               {Step::NotEmpty, 2, 0, 0, 624},
               {Step::Range, 3, 0, 0x1FFFF, 625},
               {Step::Range, 4, 0, 255, 626},
               {Step::Range, 5, 1, kFromLimit, 627, true},
               {Step::Budget, 5, 0, 0, 628, true},
               {Step::Range, 9, 1, 65535, 630, false, 8}},
    .caption = 606, .desc = 607, .ok = 608, .cancel = 609, .button3 = 610, .button4 = 611,
    .errorRow = 622, .confirmDelete = 631, .width = 800, .height = 337, .testRowBeforeDelete = true,
    .readRow = ReadJ1939TransmitRow,
};

const TableDef kReceiveNmea{
    .objectName = "FReceiveNMEA", .gridName = "sga", .path = &File_NMEA_Rec_Frames,
    .root = "Receive_NMEA_2000", .rowElement = "row", .types = {7, 28},
    .sections = {{nullptr}}, .rows = {62},
    .columns = {{"PGN", 204, 80, Edit::Text, nullptr, ""},
                {"SA", 205, 95, Edit::Text, nullptr, ""},
                {"TP", 206, 113, Edit::Check, nullptr, "N"},
                {"FP", 207, 73, Edit::Check, nullptr, "N"},
                {"TP_Start", 208, 65, Edit::Text, nullptr, ""},
                {"TP_NByte", 209, 50, Edit::Text, nullptr, ""},
                {"Delete", 210, 74, Edit::Check, nullptr, "N"},
                {"Mnemonic", 211, 195, Edit::Text, nullptr, ""}},
    .numberHeader = 203, .numberWidth = 40, .usedCol = 1, .byteLimit = 512,
    .checks = {{Step::Range, 1, 0, 0x1FFFF, 213},
               {Step::Range, 2, 0, 239, 214},
               {Step::Bytes},
               {Step::Budget, 0, 0, 0, 219, true}},
    .bytes = &kNmeaBytes,
    .caption = 197, .desc = 198, .ok = 199, .cancel = 200, .button3 = 201, .button4 = 202,
    .errorRow = 212, .confirmDelete = 220, .width = 810, .height = 337, .testRowBeforeDelete = true,
};

const TableDef kTransmitNmea{
    .objectName = "FTransmitNMEA", .gridName = "sga", .path = &File_NMEA_Send_Frames,
    .root = "Receive_NMEA_2000", .rowElement = "row", .types = {7, 28},
    .sections = {{nullptr}}, .rows = {62},
    .columns = {{"Priority", 228, 50, Edit::Text, nullptr, ""},
                {"PGN", 229, 75, Edit::Text, nullptr, ""},
                {"SA", 230, 95, Edit::Text, nullptr, ""},
                {"FP", 232, 75, Edit::Check, nullptr, "N"},
                {"TP_NByte", 233, 60, Edit::Text, nullptr, ""},
                {"On_Request", 231, 55, Edit::Check, nullptr, "N"},
                {"On_Data_Change", 234, 80, Edit::Check, nullptr, "N"},
                {"On_Timer", 641, 64, Edit::Check, nullptr, "N"},
                {"SendTimer", 235, 75, Edit::Text, nullptr, ""},
                {"Mnemonic", 236, 116, Edit::Text, nullptr, ""}},
    .numberHeader = 227, .numberWidth = 40, .usedCol = 2, .byteLimit = 512,
    .checks = {{Step::Range, 1, 0, 7, 238},
               {Step::Range, 2, 0, 0x1FFFF, 239},
               {Step::Range, 3, 0, 239, 240},
               {Step::Range, 5, 0, kFromLimit, 241, true},
               {Step::Budget, 5, 0, 0, 243, true},
               {Step::Range, 9, 1, 65535, 245, false, 8}},
    .caption = 221, .desc = 222, .ok = 223, .cancel = 224, .button3 = 225, .button4 = 226,
    .errorRow = 237, .confirmDelete = 246, .width = 810, .height = 337, .testRowBeforeDelete = true,
};

const TableDef kRestartDevices{
    .objectName = "FReStart_Devices", .gridName = "sga", .path = &File_ReStart_CANopen,
    .root = "Enable_ReStart_CANopen", .rowElement = "row", .types = {8},
    .sections = {{nullptr}}, .rows = {127},
    .columns = {{"Enable_ReStart", 1607, 90, Edit::Check, nullptr, "N", "N"},
                {"Mnemonic", 1608, 440, Edit::Text, nullptr, ""}},
    .numberHeader = 1606, .numberWidth = 80, .used = Used::All, .writeAllRows = true, .checks = {},
    .caption = 1600, .desc = 1601, .ok = 1602, .cancel = 1603, .button3 = 1604, .button4 = 1605,
    .width = 798, .height = 337, .rowButtons = RowButtons::SelectClear,
};

const TableDef kNodeGuard{
    .objectName = "FNodeGuard", .gridName = "ESG", .path = &File_NodeGuard,
    .root = "Node_Guarding", .rowElement = "row", .types = {8},
    .sections = {{nullptr}}, .rows = {32},
    .columns = {{"NodeID", 1707, 120, Edit::Text, nullptr, ""},
                {"GuardTime", 1708, 120, Edit::Text, nullptr, ""},
                {"LifeTimeFactor", 1709, 120, Edit::Text, nullptr, ""},
                {"Mnemonic", 1710, 275, Edit::Text, nullptr, ""}},
    .numberHeader = 1706, .numberWidth = 40, .used = Used::Trimmed,
    .checks = {{Step::Range, 1, 1, 127, 1712},
               {Step::Range, 2, 1, 65535, 1713},
               {Step::Range, 3, 1, 255, 1714}},
    .caption = 1700, .desc = 1701, .ok = 1702, .cancel = 1703, .button3 = 1704, .button4 = 1705,
    .errorRow = 1711, .confirmDelete = 1715, .width = 700, .height = 337,
};

const TableDef kDmxDefaultValues{
    .objectName = "FDMXDefVal", .gridName = "ACG_DMX_Def_Val", .path = &File_DMX_Default_Values,
    .root = "DMX_Default_Values", .rowElement = "Row", .types = {22, 29},
    .sections = {{nullptr}}, .rows = {512, "PROFINET_NB_IN", 512, 1, 1439},
    .columns = {{"Default_Value", 946, 100, Edit::Text, nullptr, "0", "0"},
                {"Mnemonic", 947, 250, Edit::Text, nullptr, ""}},
    .numberHeader = 945, .numberWidth = 100, .used = Used::All, .writeAllRows = true,
    .checks = {{Step::Range, 1, 0, 255, 949}},
    .caption = 941, .desc = 942, .ok = 943, .cancel = 944,
    .errorRow = 948, .width = 475, .height = 337, .headersInCells = true,
    .rowButtons = RowButtons::None,
};

const std::vector<const TableDef*>& AllTableDefs()
{
    static const std::vector<const TableDef*> all{
        &kCanRecFrames, &kCanSendFrames, &kDNetNet, &kReceiveJ1939, &kTransmitJ1939,
        &kReceiveNmea, &kTransmitNmea, &kRestartDevices, &kNodeGuard, &kDmxDefaultValues,
        &kSdoServer, &kSdoClient, &kPdo, &kSetAccess, &kModbusTcpSetAccess, &kSnmpTrapAccess};
    return all;
}

const std::vector<ColumnDef>& ColumnsOf(const TableDef& def, size_t section)
{
    const auto* own = section < def.sections.size() ? def.sections[section].columns : nullptr;
    return own ? *own : def.columns;
}

const std::vector<CheckDef>& ChecksOf(const TableDef& def, size_t section)
{
    const auto* own = section < def.sections.size() ? def.sections[section].checks : nullptr;
    return own ? *own : def.checks;
}

int NumberHeaderOf(const TableDef& def, size_t section)
{
    const int own = section < def.sections.size() ? def.sections[section].numberHeader : 0;
    return own ? own : def.numberHeader;
}

QString VersionComment(int deviceType)
{
    return QStringLiteral("SW_VERSION = ") + VersionOf(deviceType == 1018 ? 18 : deviceType);
}

QString EditorText(int n)
{
    static const struct { int n; const char* english; } kNew[] = {
        {TextNotFullyLoaded, "The file was not fully loaded: "},
        {TextOverwriteAnyway, "\nSaving now replaces it with the table shown and drops what was not loaded. Save anyway?"},
        {TextRowsBelowGap, "Rows below the first empty row hold data; they are not saved. Save anyway?"},
        {TextInsertDropsLast, "The last row of the table is used; inserting a row drops it. Insert anyway?"},
        {TextChannelsClamped, "PROFINET_NB_IN of ParGen.xml is outside 1 to 1439; the number of channels is "},
        {TextLimitClamped, " of ParGen.xml is outside 1 to 1439; the number of bytes used is "},
        {TextReservedRead, "!! [SNMP Read] Description must not be a name of the MIB file (such as data, traps, bufferinval1 or trapval1)"},
        {TextReservedWrite, "!! [SNMP Write] Description must not be a name of the MIB file (such as data, traps, bufferoutval1 or trapval1)"},
        {TextPairUsedTwice, "!! This Index and SubIndex are already used in "},
        {TextUsedInRow, ", row "},
    };
    const QString text = Lang(n);
    if (!text.trimmed().isEmpty())
        return text;
    for (const auto& t : kNew)
        if (t.n == n)
            return QString::fromUtf8(t.english);
    return text;
}

} // namespace editors
