#pragma once
#include "le_fields.h"

#include <cstddef>
#include <QString>
#include <cstdint>

class BankBuffer;
struct GenParam;

// One SNMP trap record of the image: 48 bytes, little-endian, no padding.
struct TSNMPTrap
{
    u16le Position;
    u16le Bit;
    u16le NumBits;          // size in bits
    uint8_t Conversion;     // types 18, 19, 1018
    uint8_t Flags;          // 1 change, 2 command, 4 timer, 8 INT
    u32le Time;
    uint8_t Community[16];
    uint8_t Description[16];
    u32le IP;               // a.b.c.d as a*2^24 + b*2^16 + c*2^8 + d
};
static_assert(sizeof(TSNMPTrap) == 48);
static_assert(offsetof(TSNMPTrap, Conversion) == 6);
static_assert(offsetof(TSNMPTrap, Flags) == 7);
static_assert(offsetof(TSNMPTrap, Time) == 8);
static_assert(offsetof(TSNMPTrap, Community) == 12);
static_assert(offsetof(TSNMPTrap, Description) == 28);
static_assert(offsetof(TSNMPTrap, IP) == 44);

// The read and write tables of one build, 256 records each.
struct SnmpTrapTables
{
    static constexpr int Records = 256;
    static constexpr int ImageSize = 2 * Records * static_cast<int>(sizeof(TSNMPTrap));   // 24576

    TSNMPTrap Read[Records];
    TSNMPTrap Write[Records];
};

// Zeroes all 512 records.
void Init_SNMP_Tables(SnmpTrapTables& tables);

// Writes the 256 read and then the 256 write records at pos; returns pos + 24576.
int Write_SNMP_Tables(const SnmpTrapTables& tables, int pos, BankBuffer& buffer);

// Converter addresses of the read and write tables: where the tables come
// before the general block (types 18, 19, 1018) and where they follow it.
uint32_t SnmpReadTableAddress(int deviceType);
uint32_t SnmpWriteTableAddress(int deviceType);

// The conversion code of an attribute's UTF-8 text, trimmed and upper-cased:
// "FLOAT" 1 .. "INT * 1000" 8, anything else (or a missing attribute,
// nullptr) 0.
uint8_t SNMP_Conversion_Code(const char* raw);

// Fills the tables from SNMP_Trap.xml (sections SNMP_Trap_Read and
// SNMP_Trap_Write) and sets the counts and addresses at 416..428. Only rows
// whose Enable, upper-cased, is "Y" take a record; every attribute is
// optional and a bad value affects only its own field. The counts start at
// 0 and the addresses are set also when the file does not exist. A file that
// is not well-formed, a missing section or more than 256 enabled rows in a
// section end the build.
void Read_SNMP_Trap(SnmpTrapTables& tables, GenParam& param, int deviceType);
