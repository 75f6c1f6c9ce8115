#pragma once
// The M-Bus models (10, 21): their two parameter blocks, the node and
// variable table and, for type 21, the SNMP records. One MBusBuild holds
// everything a build reads and computes; it is made anew for every build.
#include "le_fields.h"
#include "mbus/core/network.h"
#include "snmp_trap_tables.h"
#include "app/common/type_set.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <pugixml.hpp>
#include <vector>

class BankBuffer;
class ParGen;

// What differs between the two M-Bus models.
struct MBusModel
{
    device::TypeSet types;
    uint8_t modeByte;        // header 58 and 96, parameter block 59
    mbus::ImageSizes image;  // data image bytes of the items; Scale and the Options bits
    int fixedOutputBytes;    // output byte count; 0: PROFINET_NB_OUT
    bool snmpAgent;          // SNMP fields and records
};

const MBusModel& Find_MBus_Model(int deviceType);

// The M-Bus header record: the first 348 bytes of bank.bin's header block.
struct MBusHeaderParam
{
    u32le BusBitRate;          // 0
    u32le Reserved4[2];        // 4
    u32le MBusBaud;            // 12
    u16le DataBits;            // 16
    u16le Parity;              // 18
    u32le Reserved20[5];       // 20
    uint8_t IP[4];             // 40
    uint8_t SubnetMask[4];     // 44
    uint8_t Gateway[4];        // 48
    u16le ConfigPort;          // 52
    u16le SecondPort;          // 54
    u16le ThirdPort;           // 56
    u16le OptionFlags;         // 58
    u32le MBusBaud2;           // 60
    u16le DataBits2;           // 64
    u16le Parity2;             // 66
    u32le Reserved68[3];       // 68
    uint8_t StationName[16];   // 80
    uint8_t ModeA;             // 96
    uint8_t Reserved97[19];    // 97
    u32le BytesIn;             // 116
    u32le BytesOut;            // 120
    uint8_t Reserved124[200];  // 124
    u32le SnmpIntWidth;        // 324
    uint8_t Reserved328[20];   // 328
};
static_assert(sizeof(MBusHeaderParam) == 348);
static_assert(alignof(MBusHeaderParam) == 1);
static_assert(offsetof(MBusHeaderParam, MBusBaud) == 12);
static_assert(offsetof(MBusHeaderParam, Parity) == 18);
static_assert(offsetof(MBusHeaderParam, IP) == 40);
static_assert(offsetof(MBusHeaderParam, Gateway) == 48);
static_assert(offsetof(MBusHeaderParam, OptionFlags) == 58);
static_assert(offsetof(MBusHeaderParam, MBusBaud2) == 60);
static_assert(offsetof(MBusHeaderParam, Parity2) == 66);
static_assert(offsetof(MBusHeaderParam, StationName) == 80);
static_assert(offsetof(MBusHeaderParam, ModeA) == 96);
static_assert(offsetof(MBusHeaderParam, BytesIn) == 116);
static_assert(offsetof(MBusHeaderParam, BytesOut) == 120);
static_assert(offsetof(MBusHeaderParam, SnmpIntWidth) == 324);

// The M-Bus parameter record: the first 868 bytes of bank1.bin.
struct MBusParam
{
    u32le Rate0;                 // 0
    u32le Rate4;                 // 4
    u32le Baud8;                 // 8
    uint8_t Reserved12[28];      // 12
    uint8_t IP[4];               // 40
    uint8_t SubnetMask[4];       // 44
    uint8_t Gateway[4];          // 48
    u16le ConfigPort;            // 52
    u16le SecondPort;            // 54
    u16le ThirdPort;             // 56
    uint8_t Reserved58;          // 58
    uint8_t ModeA;               // 59
    u32le Baud60;                // 60
    uint8_t Reserved64[8];       // 64
    uint8_t FixedIP[4];          // 72
    uint8_t Reserved76[268];     // 76
    uint8_t StationName[16];     // 344
    u32le BytesIn;               // 360
    u32le BytesOut;              // 364
    uint8_t Reserved368[140];    // 368
    u32le MBusBaud;              // 508
    uint8_t Reserved512[11];     // 512
    uint8_t MBusParity;          // 523
    uint8_t Line524[12];         // 524
    uint8_t Reserved536[34];     // 536
    uint8_t Constant570;         // 570
    uint8_t Reserved571[19];     // 571
    uint8_t Constant590;         // 590
    uint8_t Reserved591[5];      // 591
    u32le Constant596;           // 596
    u32le Constant600;           // 600
    uint8_t Reserved604[156];    // 604
    u32le SnmpRecordCount;       // 760
    u32le Snmp764;               // 764
    u32le SnmpTableAddress;      // 768
    u32le SnmpTableAddress2;     // 772
    u32le SnmpFlags;             // 776
    uint8_t SnmpUser[20];        // 780
    uint8_t SnmpAuthPass[16];    // 800
    uint8_t SnmpPrivPass[16];    // 816
    uint8_t Reserved832[36];     // 832
};
static_assert(sizeof(MBusParam) == 868);
static_assert(alignof(MBusParam) == 1);
static_assert(offsetof(MBusParam, IP) == 40);
static_assert(offsetof(MBusParam, ConfigPort) == 52);
static_assert(offsetof(MBusParam, ModeA) == 59);
static_assert(offsetof(MBusParam, Baud60) == 60);
static_assert(offsetof(MBusParam, FixedIP) == 72);
static_assert(offsetof(MBusParam, StationName) == 344);
static_assert(offsetof(MBusParam, BytesIn) == 360);
static_assert(offsetof(MBusParam, MBusBaud) == 508);
static_assert(offsetof(MBusParam, MBusParity) == 523);
static_assert(offsetof(MBusParam, Line524) == 524);
static_assert(offsetof(MBusParam, Constant570) == 570);
static_assert(offsetof(MBusParam, Constant590) == 590);
static_assert(offsetof(MBusParam, Constant596) == 596);
static_assert(offsetof(MBusParam, SnmpRecordCount) == 760);
static_assert(offsetof(MBusParam, SnmpFlags) == 776);
static_assert(offsetof(MBusParam, SnmpUser) == 780);
static_assert(offsetof(MBusParam, SnmpAuthPass) == 800);
static_assert(offsetof(MBusParam, SnmpPrivPass) == 816);

// A value of a meter as the table holds it.
struct TVariabile
{
    uint8_t Type_Of_Data = 0;
    uint8_t Function_Field = 0;
    uint8_t Dimension = 0;
    uint8_t Unita = 0;
    uint8_t Scale = 0;
    uint32_t Storage_Num = 0;
    uint32_t Tarif = 0;
    uint8_t VIFE = 0;
    uint8_t Options = 0;
    uint8_t Length = 0;
    uint8_t Len_VIF_ASCII = 0;
    uint32_t Address_VIF_ASCII = 0;
    QString VIF_ASCII;
    uint8_t Position = 0;
    int valueIndex = 0;   // its child position in the meter (from 1), for messages
};

// A meter with at least one used value.
struct TNodo
{
    uint32_t ID = 0;
    uint8_t SND_NKE = 0;
    uint8_t Reset_App = 0;
    uint32_t Add = 0;
    uint8_t Node_State = 0;
    uint8_t Ident_Num = 0;
    uint8_t BCDtoINT_IN = 0;
    uint8_t Swap_IN = 0;
    uint8_t ID_Type = 0;
    uint8_t Var_Type = 0;
    uint8_t Cut_After = 0;
    std::vector<TVariabile> Vars;
    int meterIndex = 0;   // its child position in the network (from 1), for messages
};

// Where a meter's items lie in the converter's data image.
struct TAdd_Nodo
{
    int64_t Add_NS = 0;
    int64_t Add_IN = 0;
    int64_t Add_Start_Var = 0;
};

// The 26-byte parameter section that ends the node table.
struct MBusParSection
{
    uint8_t IP[4];
    uint8_t SubnetMask[4];
    uint8_t Gateway[4];
    uint8_t EnGat;
    u16le Port;
    u16le BytesOut;
    uint8_t MeterBaud;
    uint8_t MeterPar;
    u32le ReqDelay;
    uint8_t NodeCount;
    uint8_t WorkingMode;
    uint8_t NSErrorCode;
};
static_assert(sizeof(MBusParSection) == 26);
static_assert(offsetof(MBusParSection, EnGat) == 12);
static_assert(offsetof(MBusParSection, Port) == 13);
static_assert(offsetof(MBusParSection, BytesOut) == 15);
static_assert(offsetof(MBusParSection, MeterBaud) == 17);
static_assert(offsetof(MBusParSection, ReqDelay) == 19);
static_assert(offsetof(MBusParSection, NodeCount) == 23);
static_assert(offsetof(MBusParSection, NSErrorCode) == 25);

// Everything of one M-Bus build.
struct MBusBuild
{
    explicit MBusBuild(int type);

    const int deviceType;
    const MBusModel& model;

    MBusHeaderParam Header;
    MBusParam Param;

    std::vector<TNodo> MBusNodes;
    std::vector<TAdd_Nodo> MBusNodeAddrs;
    int MBusWorkingMode = 0;        // 0 without ParGen.xml
    bool hasParSection = false;     // ParGen.xml exists
    MBusParSection ParSection{};

    std::vector<TSNMPTrap> SnmpRecords;   // the used records
};

// Limits of the table format and of the SNMP record table.
constexpr int MBusMaxNodes = 255;              // the node count is one byte
constexpr int64_t MBusMaxDataPosition = 65535; // data image positions are u16
constexpr int MBusMaxVarsPerNode = 65535;      // u16
constexpr int MBusMaxUnitText = 255;           // its length is one byte
constexpr int MBusSnmpRecords = 2048;

// Both records to their reset values.
void Init_MBus_Header(MBusBuild& b);
void Init_MBus_Param(MBusBuild& b);

// Reads the meters and their used values from the network's root (a null
// root: no network); a used value without a numeric Type, Fun_Field or Dim
// ends the build.
void Read_MBus_Nodes(MBusBuild& b, pugi::xml_node root);

// Reads the table's parameter section and the records' fields from
// ParGen.xml; without the file nothing changes. A missing or non-numeric
// Meter_Baud, Meter_Par or Meter_Req_Delay ends the build.
void Read_MBus_ParGen(MBusBuild& b, const ParGen& pg);

// Where every meter's items lie in the data image (MBusNodeAddrs). A
// position beyond its 16-bit field ends the build.
void Calcola_MBus_Addrs(MBusBuild& b);

// Writes the node table for base position base into buffer and returns the
// position after it (after the parameter section when there is one). A
// table that does not fit the buffer ends the build before anything is
// written.
int Build_MBus_Table(MBusBuild& b, int base, BankBuffer& buffer);

// The SNMP records of type 21 (the record count and addresses of the
// parameter record included). More than 2048 records end the build.
void Clear_MBus_SNMP(MBusBuild& b);
void Read_MBus_SNMP(MBusBuild& b, pugi::xml_node root);
int Write_MBus_SNMP(const MBusBuild& b, int pos, BankBuffer& buffer);

// Enabled meters and used values, as every M-Bus reader counts them.
bool MBus_Node_Enabled(pugi::xml_node node);
bool MBus_Value_Used(pugi::xml_node value);

// Attribute readers with defaults: the integer text rule (TryStrToInt), and
// its 64-bit twin whose low 32 bits are kept.
int32_t MBus_Attr_Int(pugi::xml_node node, const char* name, int32_t def);
uint32_t MBus_Attr_U32(pugi::xml_node node, const char* name, uint32_t def);
QString MBus_Attr_Text(pugi::xml_node node, const char* name);

// "<M_Bus.xml path>, meter <m>" and ", value <v>" for messages.
QString MBus_Where(int meterIndex, int valueIndex = 0);
