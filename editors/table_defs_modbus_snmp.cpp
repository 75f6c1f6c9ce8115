// The Modbus master access tables (serial and TCP) and the SNMP trap table.
#include "editors/table_def.h"

#include "workspace.h"

#include <algorithm>

namespace editors {

namespace {

constexpr const char* kReadTypes = "Coil Status|Input Status|Holding Register|Input Register";
constexpr const char* kWriteTypes = "Coil Status|Holding Register";
constexpr const char* kBits = "0|1|2|3|4|5|6|7";
constexpr const char* kFormats = "Byte|Int 1 byte|Int 2 bytes|Int 4 bytes|Octet String|Float to Int 1 byte|"
                                 "Float to Int 2 bytes|Float to Int 4 bytes";
constexpr const char* kTcpFormats = "Byte|Int 1 byte|Int 2 bytes|Int 4 bytes|Int 8 bytes|Octet String|"
                                    "Float to Int 1 byte|Float to Int 2 bytes|Float to Int 4 bytes|"
                                    "Float to Int 8 bytes";
constexpr int64_t kPollMax = 100000000;

// ---- ModbusM_SetAccess.xml ----

const std::vector<int> kSerialSnmpTypes{18, 1018};

const std::vector<ColumnDef> kSerialReadColumns{
    {"Slave_ID", 256, 60},
    {"Type", 257, 120, Edit::List, kReadTypes},
    {"Address", 258, 65},
    {"NPoint", 259, 60},
    {"PollTime", 260, 70},
    {"MaxError", 261, 70},
    {.attr = "Position", .header = 262, .width = 65, .edit = Edit::List, .positionList = true},
    {"Bit", 263, 60, Edit::List, kBits},
    {"Swap", 812, 50, Edit::Check, nullptr, "N"},
    {"Swap_Word", 951, 75, Edit::Check, nullptr, "N"},
    {.attr = "Format_SNMP", .header = 907, .width = 140, .edit = Edit::List, .items = kFormats,
     .readDefault = "Byte", .onlyTypes = kSerialSnmpTypes},
    {"Mnemonic", 264, 180},
};

const std::vector<ColumnDef> kSerialWriteColumns{
    {"Slave_ID", 266, 60},
    {"Type", 267, 120, Edit::List, kWriteTypes},
    {"Address", 268, 65},
    {"NPoint", 269, 60},
    {"PollTime", 270, 70},
    {"OnChange", 271, 70, Edit::Check},
    {"MaxError", 272, 70},
    {.attr = "Position", .header = 273, .width = 65, .edit = Edit::List, .positionList = true},
    {"Bit", 274, 60, Edit::List, kBits},
    {"Swap", 813, 50, Edit::Check, nullptr, "N"},
    {"Swap_Word", 952, 75, Edit::Check, nullptr, "N"},
    {.attr = "Format_SNMP", .header = 908, .width = 140, .edit = Edit::List, .items = kFormats,
     .readDefault = "Byte", .onlyTypes = kSerialSnmpTypes},
    {"Mnemonic", 275, 110},
};

const AccessRule kSerialRead{2, 4, 7, 8, true, 125, 2000, 284, 285};
const AccessRule kSerialWrite{2, 4, 8, 9, false, 123, 1968, 293, 294};

const std::vector<CheckDef> kSerialReadChecks{
    {Step::Range, 1, 1, 247, 277},
    {Step::NotEmpty, 2, 0, 0, 278},
    {Step::Range, 3, 0, 65535, 279},
    {.step = Step::Points, .col = 4, .lo = 1, .text = 280, .appendLimit = true, .access = &kSerialRead},
    {Step::Range, 5, 1, kPollMax, 281},
    {Step::Range, 6, 0, kPollMax, 282},
    {Step::Address, 7, 0, 0, 283, true},
    {.step = Step::LastByte, .col = 7, .access = &kSerialRead},
    {.step = Step::NotEmpty, .col = 11, .text = 909, .cond = Cond::Shown},
};

const std::vector<CheckDef> kSerialWriteChecks{
    {Step::Range, 1, 0, 247, 286},
    {Step::NotEmpty, 2, 0, 0, 287},
    {Step::Range, 3, 0, 65535, 288},
    {.step = Step::Points, .col = 4, .lo = 1, .text = 289, .appendLimit = true, .access = &kSerialWrite},
    {Step::Range, 5, 0, kPollMax, 290},
    {Step::Range, 7, 0, kPollMax, 291},
    {Step::Address, 8, 0, 0, 292, true},
    {.step = Step::LastByte, .col = 8, .access = &kSerialWrite},
    {.step = Step::NotEmpty, .col = 12, .text = 910, .cond = Cond::Shown},
};

// ---- ModbusTCPM_SetAccess.xml: texts from Ind_Lang on ----

constexpr int kIndLang = 654;
const std::vector<int> kTcpSnmpTypes{19};

const std::vector<ColumnDef> kTcpReadColumns{
    {"IP_Address", kIndLang + 9, 110},
    {"Port", kIndLang + 10, 50},
    {"Slave_ID", kIndLang + 11, 55},
    {"Type", kIndLang + 12, 115, Edit::List, kReadTypes},
    {"Address", kIndLang + 13, 60},
    {"NPoint", kIndLang + 14, 55},
    {"PollTime", kIndLang + 15, 65},
    {"MaxError", kIndLang + 16, 65},
    {.attr = "Position", .header = kIndLang + 17, .width = 60, .edit = Edit::List, .positionList = true},
    {"Bit", kIndLang + 18, 55, Edit::List, kBits},
    {"Swap", 911, 45, Edit::Check, nullptr, "N"},
    {"Swap_Word", 953, 70, Edit::Check, nullptr, "N"},
    {.attr = "Format_SNMP", .header = 913, .width = 140, .edit = Edit::List, .items = kTcpFormats,
     .readDefault = "Byte", .onlyTypes = kTcpSnmpTypes},
    {"Mnemonic", kIndLang + 19, 150},
};

const std::vector<ColumnDef> kTcpWriteColumns{
    {"IP_Address", kIndLang + 21, 110},
    {"Port", kIndLang + 22, 50},
    {"Slave_ID", kIndLang + 23, 55},
    {"Type", kIndLang + 24, 115, Edit::List, kWriteTypes},
    {"Address", kIndLang + 25, 60},
    {"NPoint", kIndLang + 26, 55},
    {"PollTime", kIndLang + 27, 65},
    {"OnChange", kIndLang + 28, 65, Edit::Check},
    {"MaxError", kIndLang + 29, 65},
    {.attr = "Position", .header = kIndLang + 30, .width = 60, .edit = Edit::List, .positionList = true},
    {"Bit", kIndLang + 31, 55, Edit::List, kBits},
    {"Swap", 912, 45, Edit::Check, nullptr, "N"},
    {"Swap_Word", 954, 70, Edit::Check, nullptr, "N"},
    {.attr = "Format_SNMP", .header = 914, .width = 140, .edit = Edit::List, .items = kTcpFormats,
     .readDefault = "Byte", .onlyTypes = kTcpSnmpTypes},
    {"Mnemonic", kIndLang + 32, 85},
};

const AccessRule kTcpRead{4, 6, 9, 10, true, 125, 2000, kIndLang + 43, kIndLang + 44};
const AccessRule kTcpWrite{4, 6, 10, 11, false, 123, 1968, kIndLang + 54, kIndLang + 55};

const std::vector<CheckDef> kTcpReadChecks{
    {Step::IpAddress, 1, 0, 0, kIndLang + 34},
    {Step::Range, 2, 0, 65535, kIndLang + 35},
    {Step::Range, 3, 0, 255, kIndLang + 36},
    {Step::NotEmpty, 4, 0, 0, kIndLang + 37},
    {Step::Range, 5, 0, 65535, kIndLang + 38},
    {.step = Step::Points, .col = 6, .lo = 1, .text = kIndLang + 39, .appendLimit = true, .access = &kTcpRead},
    {Step::Range, 7, 1, kPollMax, kIndLang + 40},
    {Step::Range, 8, 0, kPollMax, kIndLang + 41},
    {Step::Address, 9, 0, 0, kIndLang + 42, true},
    {.step = Step::LastByte, .col = 9, .access = &kTcpRead},
    {.step = Step::NotEmpty, .col = 13, .text = 915, .cond = Cond::Shown},
};

const std::vector<CheckDef> kTcpWriteChecks{
    {Step::IpAddress, 1, 0, 0, kIndLang + 45},
    {Step::Range, 2, 0, 65535, kIndLang + 46},
    {Step::Range, 3, 0, 255, kIndLang + 47},
    {Step::NotEmpty, 4, 0, 0, kIndLang + 48},
    {Step::Range, 5, 0, 65535, kIndLang + 49},
    {.step = Step::Points, .col = 6, .lo = 1, .text = kIndLang + 50, .appendLimit = true, .access = &kTcpWrite},
    {Step::Range, 7, 0, kPollMax, kIndLang + 51},
    {Step::Range, 9, 0, kPollMax, kIndLang + 52},
    {Step::Address, 10, 0, 0, kIndLang + 53, true},
    {.step = Step::LastByte, .col = 10, .access = &kTcpWrite},
    {.step = Step::NotEmpty, .col = 14, .text = 916, .cond = Cond::Shown},
};

// ---- SNMP_Trap.xml ----

constexpr const char* kCommunities = "Mirven|Tenmark";
constexpr const char* kValueTypes = "Int|String";
constexpr const char* kConversions = "None|Float|Float * 10|Float * 100|Float * 1000|Float / 10|Float / 100|"
                                     "Float / 1000|Int * 1000";
constexpr int kNameLength = 15;

const std::vector<ColumnDef> kTrapReadColumns{
    {.attr = "Enable", .header = 1017, .width = 50, .edit = Edit::Check, .readDefault = "Y", .initial = "Y",
     .hint = 1039},
    {.attr = "Community_Name", .header = 1018, .width = 130, .edit = Edit::ComboEdit, .items = kCommunities,
     .readDefault = "", .hint = 1040, .editLength = kNameLength},
    {.attr = "Type", .header = 1019, .width = 60, .edit = Edit::List, .items = kValueTypes, .readDefault = "",
     .hint = 1041},
    {.attr = "On_Change", .header = 1020, .width = 75, .edit = Edit::Check, .readDefault = "N", .hint = 1042},
    {.attr = "On_Command", .header = 1021, .width = 50, .edit = Edit::Check, .readDefault = "N", .hint = 1043},
    {.attr = "On_Timer", .header = 1022, .width = 60, .edit = Edit::Check, .readDefault = "N", .hint = 1044},
    {.attr = "Time", .header = 1023, .width = 65, .readDefault = "", .hint = 1045},
    {.attr = "Position", .header = 1024, .width = 60, .edit = Edit::List, .readDefault = "", .hint = 1046,
     .positionList = true},
    {.attr = "Bit", .header = 1025, .width = 60, .edit = Edit::List, .items = kBits, .readDefault = "",
     .hint = 1047},
    {.attr = "NumBits", .header = 1026, .width = 95, .readDefault = "", .hint = 1048},
    {.attr = "Description", .header = 1027, .width = 130, .readDefault = "", .hint = 1049,
     .editLength = kNameLength},
    {.attr = "IP_Address", .header = 1028, .width = 120, .readDefault = "", .hint = 1050},
    {.attr = "Conversion", .header = 1081, .width = 100, .edit = Edit::List, .items = kConversions,
     .readDefault = "None", .hint = 1083},
    {.attr = "Mnemonic", .header = 1029, .width = 230, .readDefault = "", .hint = 1051},
};

const std::vector<ColumnDef> kTrapWriteColumns{
    {.attr = "Enable", .header = 1031, .width = 50, .edit = Edit::Check, .readDefault = "Y", .initial = "Y",
     .hint = 1052},
    {.attr = "Community_Name", .header = 1032, .width = 130, .edit = Edit::ComboEdit, .items = kCommunities,
     .readDefault = "", .hint = 1053, .editLength = kNameLength},
    {.attr = "Type", .header = 1033, .width = 60, .edit = Edit::List, .items = kValueTypes, .readDefault = "",
     .hint = 1054},
    {.attr = "Position", .header = 1034, .width = 60, .edit = Edit::List, .readDefault = "", .hint = 1055,
     .positionList = true},
    {.attr = "Bit", .header = 1035, .width = 60, .edit = Edit::List, .items = kBits, .readDefault = "",
     .hint = 1056},
    {.attr = "NumBits", .header = 1036, .width = 95, .readDefault = "", .hint = 1057},
    {.attr = "Description", .header = 1037, .width = 130, .readDefault = "", .hint = 1058,
     .editLength = kNameLength},
    {.attr = "Conversion", .header = 1082, .width = 100, .edit = Edit::List, .items = kConversions,
     .readDefault = "None", .hint = 1084},
    {.attr = "Mnemonic", .header = 1038, .width = 600, .readDefault = "", .hint = 1059},
};

const std::vector<CheckDef> kTrapReadChecks{
    {Step::Alnum, 2, 0, 0, 1076},
    {Step::NotEmpty, 3, 0, 0, 1061},
    {.step = Step::Range, .col = 7, .lo = 1, .hi = 1000000000, .text = 1062, .cond = Cond::YesAnyCase, .condCol = 6},
    {Step::NotEmpty, 8, 0, 0, 1063},
    {Step::NotEmpty, 9, 0, 0, 1064},
    {.step = Step::ZeroText, .col = 9, .text = 1065, .cond = Cond::String, .condCol = 3},
    {.step = Step::Range, .col = 10, .lo = 1, .hi = 16, .text = 1067, .cond = Cond::String, .condCol = 3},
    {.step = Step::Range, .col = 10, .lo = 1, .hi = 64, .text = 1066, .cond = Cond::Int, .condCol = 3},
    {Step::NameForm, 11, 0, 0, 1077},
    {Step::NotReserved, 11, 0, 0, TextReservedRead},
    {Step::Unique, 11, 0, 0, 1080},
    {Step::SplitIp, 12, 0, 0, 1068},
    {.step = Step::NotEmpty, .col = 13, .text = 1085, .cond = Cond::Shown},
};

const std::vector<CheckDef> kTrapWriteChecks{
    {Step::Alnum, 2, 0, 0, 1078},
    {Step::NotEmpty, 3, 0, 0, 1069},
    {Step::NotEmpty, 4, 0, 0, 1070},
    {Step::NotEmpty, 5, 0, 0, 1071},
    {.step = Step::ZeroText, .col = 5, .text = 1072, .cond = Cond::String, .condCol = 3},
    {.step = Step::Range, .col = 6, .lo = 1, .hi = 16, .text = 1074, .cond = Cond::String, .condCol = 3},
    {.step = Step::Range, .col = 6, .lo = 1, .hi = 64, .text = 1073, .cond = Cond::Int, .condCol = 3},
    {Step::NameForm, 7, 0, 0, 1079},
    {Step::NotReserved, 7, 0, 0, TextReservedWrite},
    {Step::Unique, 7, 0, 0, 1080},
    {.step = Step::NotEmpty, .col = 8, .text = 1086, .cond = Cond::Shown},
};

// Read column 5 On CMD, 13 Conversion, 14 Mnemonic; write 8 Conversion, 9 Mnemonic.
std::vector<ColumnLook> TrapLooks(bool onCommand, bool conversion, int readMnemonic, int writeMnemonic)
{
    return {{0, 5, onCommand}, {0, 13, conversion}, {0, 14, true, readMnemonic},
            {1, 8, conversion}, {1, 9, true, writeMnemonic}};
}

} // namespace

const TableDef kSetAccess{
    .objectName = "FSetAccess", .gridName = "ACG_Modbus_Read", .path = &File_ModbusM_SetAccess,
    .root = "EtherNetIP_to_Modbus", .rowElement = "row", .types = {4, 25, 18, 1018},
    .sections = {{.name = "Modbus_Read", .page = 253, .columns = &kSerialReadColumns, .checks = &kSerialReadChecks,
                  .numberHeader = 255, .gridName = "ACG_Modbus_Read", .pageName = "TS_Modbus_Read"},
                 {.name = "Modbus_Write", .page = 254, .columns = &kSerialWriteColumns,
                  .checks = &kSerialWriteChecks, .numberHeader = 265, .gridName = "ACG_Modbus_Write",
                  .pageName = "TS_Modbus_Write"}},
    .rows = {512}, .columns = kSerialReadColumns, .numberHeader = 255, .numberWidth = 40,
    .used = Used::Trimmed, .checks = {},
    .caption = 247, .desc = 248, .ok = 249, .cancel = 250, .button3 = 251, .button4 = 252,
    .errorRow = 276, .confirmDelete = 295, .width = 927, .height = 337,
    // Crossed: the read table fills the array the master's output size gives.
    .limits = {{"MODBUS_MASTER_NB_OUT", {4, 25}}, {"MODBUS_MASTER_NB_IN", {4, 25}}},
    .mapTypeTypes = {18},
    .layouts = {{{18}, MapIs::NotOne, 1067, {{0, 11, true}, {1, 12, true}}},
                {{}, MapIs::Any, 927, {{0, 11, false}, {1, 12, false}}}},
};

const TableDef kModbusTcpSetAccess{
    .objectName = "FModbus_TCP_Master_Set_Access", .gridName = "ACG_Modbus_Read",
    .path = &File_ModbusTCPM_SetAccess, .root = "PROFINET_Master_to_Modbus_TCP_Master", .rowElement = "row",
    .types = {11, 19},
    .sections = {{.name = "Modbus_Read", .page = kIndLang + 6, .columns = &kTcpReadColumns,
                  .checks = &kTcpReadChecks, .numberHeader = kIndLang + 8, .gridName = "ACG_Modbus_Read",
                  .pageName = "TS_Modbus_Read"},
                 {.name = "Modbus_Write", .page = kIndLang + 7, .columns = &kTcpWriteColumns,
                  .checks = &kTcpWriteChecks, .numberHeader = kIndLang + 20, .gridName = "ACG_Modbus_Write",
                  .pageName = "TS_Modbus_Write"}},
    .rows = {480}, .columns = kTcpReadColumns, .numberHeader = kIndLang + 8, .numberWidth = 40,
    .used = Used::Trimmed, .checks = {},
    .caption = kIndLang, .desc = kIndLang + 1, .ok = kIndLang + 2, .cancel = kIndLang + 3,
    .button3 = kIndLang + 4, .button4 = kIndLang + 5, .errorRow = kIndLang + 33, .confirmDelete = kIndLang + 56,
    .width = 980, .height = 337,
    .limits = {{"MODBUS_TCP_MASTER_NB_OUT", {11}}, {"MODBUS_TCP_MASTER_NB_IN", {11}}},
    .mapTypeTypes = {19},
    .layouts = {{{19}, MapIs::NotOne, 1120, {{0, 13, true}, {1, 14, true}}},
                {{}, MapIs::Any, 980, {{0, 13, false}, {1, 14, false}}}},
};

const TableDef kSnmpTrapAccess{
    .objectName = "FSNMP_Trap_Access", .gridName = "ACG_SNMP_Read", .path = &File_SNMP_Trap,
    .root = "SNMP_Trap", .rowElement = "row", .types = {15, 16, 18, 19, 20, 1018},
    .sections = {{.name = "SNMP_Trap_Read", .page = 1008, .columns = &kTrapReadColumns,
                  .checks = &kTrapReadChecks, .numberHeader = 1016, .gridName = "ACG_SNMP_Read",
                  .pageName = "TS_SNMP_Read"},
                 {.name = "SNMP_Trap_Write", .page = 1009, .columns = &kTrapWriteColumns,
                  .checks = &kTrapWriteChecks, .numberHeader = 1030, .gridName = "ACG_SNMP_Write",
                  .pageName = "TS_SNMP_Write"}},
    .rows = {256}, .columns = kTrapReadColumns, .numberHeader = 1016, .numberWidth = 40,
    .numberColumnRows = false, .used = Used::Trimmed, .usedCol = 2, .checks = {},
    .caption = 1000, .desc = 1001, .ok = 1002, .cancel = 1003, .button3 = 1004, .button4 = 1005,
    .errorRow = 1060, .confirmDelete = 1075, .width = 1256, .height = 337,
    .rowButtons = RowButtons::DeleteInsertCopyPaste,
    .limits = {{nullptr, {}, 1024, 1024}, {nullptr, {}, 1024, 1024}},
    .mapTypeTypes = {18, 19},
    .layouts = {{{20}, MapIs::Any, 0, TrapLooks(false, false, 280, 600)},
                {{18, 19}, MapIs::One, 0, TrapLooks(false, true, 180, 500)},
                {{1018}, MapIs::Any, 0, TrapLooks(false, true, 180, 500)},
                {{18, 19}, MapIs::NotOne, 0, TrapLooks(false, false, 280, 600)},
                {{}, MapIs::Any, 0, TrapLooks(true, false, 230, 600)}},
    .enableCol = 1, .keepPage = true, .copyText = 1006, .pasteText = 1007,
    .buttonHints = {1010, 1011, 1012, 1013, 1014, 1015},
};

const LayoutDef* LayoutOf(const TableDef& def, int deviceType, int mapType)
{
    for (const LayoutDef& l : def.layouts) {
        const bool type = l.types.empty() || std::find(l.types.begin(), l.types.end(), deviceType) != l.types.end();
        const bool map = l.map == MapIs::Any || (l.map == MapIs::One) == (mapType == 1);
        if (type && map)
            return &l;
    }
    return nullptr;
}

TableState StateOf(const TableDef& def, int deviceType, int mapType)
{
    TableState st;
    st.mapType = mapType;
    for (size_t s = 0; s < def.sections.size(); ++s)
        st.hidden.emplace_back(ColumnsOf(def, s).size() + 1, false);
    if (const LayoutDef* l = LayoutOf(def, deviceType, mapType))
        for (const ColumnLook& look : l->looks)
            st.hidden[size_t(look.section)][size_t(look.col)] = !look.shown;
    return st;
}

bool ColumnOnType(const ColumnDef& col, int deviceType)
{
    return col.onlyTypes.empty()
           || std::find(col.onlyTypes.begin(), col.onlyTypes.end(), deviceType) != col.onlyTypes.end();
}

} // namespace editors
