#include "editors/table_def.h"

#include "workspace.h"

// The CANopen tables of the PROFINET / CANopen converters: SDO server, SDO
// client and PDO. Their three files share one root and carry no version
// comment; a row is used when its first cell is not blank.

namespace editors {

namespace {

constexpr const char* kRoot = "EtherNetIP_to_SDO_CANopen";
constexpr int kDefaultLimit = 1440;
constexpr int64_t kMaxTime = 100000000;
constexpr int kWidth = 798;
constexpr int kHeight = 337;

using Checks = std::vector<CheckDef>;

Checks operator+(Checks a, const Checks& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// N Byte must be 1, 2 or 4.
Checks NByte(int col, int text)
{
    return {{Step::Range, col, 1, 4, text}, {Step::NotBetween, col, 3, 3, text}};
}

// SDO addresses from column first: byte 1 always, byte 2 when N Byte is 2
// or 4, bytes 3 and 4 when it is 4 (N Byte has passed its check before).
Checks SdoAddresses(int nbyteCol, int first, int text)
{
    constexpr int kFrom[] = {0, 2, 3, 3};
    Checks c;
    for (int k = 0; k < 4; ++k)
        c.push_back({Step::Address, first + k, 0, 0, text + k, true, 0, -1, kFrom[k] ? nbyteCol : 0, kFrom[k]});
    return c;
}

// PDO address k (columns 3 to 10) when Dimension (column 2) is at least k.
Checks PdoAddresses(int text)
{
    Checks c;
    for (int k = 1; k <= 8; ++k)
        c.push_back({Step::Address, 2 + k, 0, 0, text + k - 1, true, 0, -1, 2, k});
    return c;
}

// SDO server: the same columns on both pages, headers from first + 1.
std::vector<ColumnDef> ServerColumns(int first)
{
    return {{"Index", first + 1, 65},      {"SubIndex", first + 2, 61},   {"NByte", first + 3, 55},
            {"Address_B1", first + 4, 80}, {"Address_B2", first + 5, 80}, {"Address_B3", first + 6, 80},
            {"Address_B4", first + 7, 80}, {"Mnemonic", first + 8, 170}};
}

// Index 0x2000..0x7FFF without the EDS's own PDO application objects; a
// pair (Index, SubIndex) names one object of the server across both pages.
Checks ServerChecks(int first)
{
    return Checks{{Step::Range, 1, 0x2000, 0x7FFF, first},
                  {Step::NotBetween, 1, 0x7000, 0x701D, first + 1},
                  {Step::NotBetween, 1, 0x7050, 0x706D, first + 1},
                  {Step::Range, 2, 0, 255, first + 2}}
           + NByte(3, first + 3) + SdoAddresses(3, 4, first + 4)
           + Checks{{Step::UniquePair, 1, 0, 0, TextPairUsedTwice, false, 0, -1, 0, 0, 2}};
}

const std::vector<ColumnDef> kServerReadColumns = ServerColumns(510);
const std::vector<ColumnDef> kServerWriteColumns = ServerColumns(519);
const std::vector<CheckDef> kServerReadChecks = ServerChecks(529);
const std::vector<CheckDef> kServerWriteChecks = ServerChecks(537);

const std::vector<ColumnDef> kClientReadColumns{
    {"Device_ID", 460, 60},  {"Index", 461, 55},      {"SubIndex", 462, 60},   {"NByte", 463, 45},
    {"Poll_Time", 464, 60},  {"Address_B1", 465, 70}, {"Address_B2", 466, 70}, {"Address_B3", 467, 70},
    {"Address_B4", 468, 70}, {"Mnemonic", 469, 163}};
const std::vector<ColumnDef> kClientWriteColumns{
    {"Device_ID", 471, 60},  {"Index", 472, 55},      {"SubIndex", 473, 60},
    {"NByte", 474, 45},      {"Poll_Time", 475, 60},  {"On_Change", 476, 68, Edit::Check},
    {"Address_B1", 477, 70}, {"Address_B2", 478, 70}, {"Address_B3", 479, 70},
    {"Address_B4", 480, 70}, {"Mnemonic", 481, 95}};

Checks ClientChecks(int first, int64_t minPoll, int firstAddressCol)
{
    return Checks{{Step::Range, 1, 1, 127, first},
                  {Step::Range, 2, 0x1000, 0xFFFF, first + 1},
                  {Step::Range, 3, 0, 255, first + 2}}
           + NByte(4, first + 3) + Checks{{Step::Range, 5, minPoll, kMaxTime, first + 4}}
           + SdoAddresses(4, firstAddressCol, first + 5);
}

const std::vector<CheckDef> kClientReadChecks = ClientChecks(483, 1, 6);
const std::vector<CheckDef> kClientWriteChecks = ClientChecks(492, 0, 7);

std::vector<ColumnDef> PdoColumns(int first, bool transmit)
{
    std::vector<ColumnDef> c{{"COB-ID", first + 1, 65}, {"Dimension", first + 2, 65}};
    for (int k = 1; k <= 8; ++k) {
        static const char* const kAttrs[] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4",
                                             "Address_B5", "Address_B6", "Address_B7", "Address_B8"};
        c.push_back({kAttrs[k - 1], first + 2 + k, 45});
    }
    if (transmit) {
        c.push_back({"Send_Time", first + 11, 65});
        c.push_back({"On_Change", first + 12, 68, Edit::Check});
        c.push_back({"Mnemonic", first + 13, 105});
    } else {
        c.push_back({"TimeOut", first + 11, 65});
        c.push_back({"Mnemonic", first + 12, 168});
    }
    return c;
}

Checks PdoChecks(int first)
{
    return Checks{{Step::Range, 1, 0, 0x7FF, first}, {Step::Range, 2, 1, 8, first + 1}} + PdoAddresses(first + 2)
           + Checks{{Step::Range, 11, 0, kMaxTime, first + 10}};
}

const std::vector<ColumnDef> kPdoReceiveColumns = PdoColumns(400, false);
const std::vector<ColumnDef> kPdoTransmitColumns = PdoColumns(413, true);
const std::vector<CheckDef> kPdoReceiveChecks = PdoChecks(428);
const std::vector<CheckDef> kPdoTransmitChecks = PdoChecks(439);

} // namespace

const TableDef kSdoServer{
    .objectName = "FSet_SDO_Server_Access", .gridName = "sga", .path = &File_SDO_Server_CANopen,
    .root = kRoot, .rowElement = "row", .types = {8, 24},
    .sections = {{"SDO_Read", 508, &kServerReadColumns, &kServerReadChecks, 510, "PROFINET_NB_IN", kDefaultLimit,
                  "sga", "TS_SDO_Read"},
                 {"SDO_Write", 509, &kServerWriteColumns, &kServerWriteChecks, 519, "PROFINET_NB_OUT", kDefaultLimit,
                  "sgb", "TS_SDO_Write"}},
    .rows = {500},
    .columns = kServerReadColumns,
    .numberHeader = 510, .numberWidth = 40, .used = Used::Trimmed,
    .checks = {},
    .caption = 502, .desc = 503, .ok = 504, .cancel = 505, .button3 = 506, .button4 = 507,
    .errorRow = 528, .confirmDelete = 545, .width = kWidth, .height = kHeight,
    .versionComment = false,
};

// Crossed: read data go to the bytes sent to PROFINET.
const TableDef kSdoClient{
    .objectName = "FSet_SDO_Client_Access", .gridName = "sga", .path = &File_SDO_Client_CANopen,
    .root = kRoot, .rowElement = "row", .types = {8, 24},
    .sections = {{"SDO_Read", 457, &kClientReadColumns, &kClientReadChecks, 459, "PROFINET_NB_OUT", kDefaultLimit,
                  "sga", "TS_SDO_Read"},
                 {"SDO_Write", 458, &kClientWriteColumns, &kClientWriteChecks, 470, "PROFINET_NB_IN", kDefaultLimit,
                  "sgb", "TS_SDO_Write"}},
    .rows = {256},
    .columns = kClientReadColumns,
    .numberHeader = 459, .numberWidth = 40, .used = Used::Trimmed,
    .checks = {},
    .caption = 451, .desc = 452, .ok = 453, .cancel = 454, .button3 = 455, .button4 = 456,
    .errorRow = 482, .confirmDelete = 501, .width = kWidth, .height = kHeight,
    .versionComment = false,
};

// Crossed as the client: a receive PDO fills bytes sent to PROFINET.
const TableDef kPdo{
    .objectName = "FSet_PDO_Access", .gridName = "sga", .path = &File_PDO_CANopen,
    .root = kRoot, .rowElement = "row", .types = {8, 24},
    .sections = {{"Receive_PDO", 398, &kPdoReceiveColumns, &kPdoReceiveChecks, 400, "PROFINET_NB_OUT", kDefaultLimit,
                  "sga", "TS_Receive_PDO"},
                 {"Transmit_PDO", 399, &kPdoTransmitColumns, &kPdoTransmitChecks, 413, "PROFINET_NB_IN",
                  kDefaultLimit, "sgb", "TS_Transmit_PDO"}},
    .rows = {30},
    .columns = kPdoReceiveColumns,
    .numberHeader = 400, .numberWidth = 40, .used = Used::Trimmed,
    .checks = {},
    .caption = 392, .desc = 393, .ok = 394, .cancel = 395, .button3 = 396, .button4 = 397,
    .errorRow = 427, .confirmDelete = 450, .width = kWidth, .height = kHeight,
    .versionComment = false,
};

} // namespace editors
