#pragma once
#include "le_fields.h"

#include <cstddef>
#include <cstdint>

class BankBuffer;

// The general parameter record: the first 588 bytes of the 2048-byte general
// parameter block, little-endian, no padding.
struct GenParam
{
    u32le BusBitRate;              // 0
    u32le Reserved4;               // 4
    u32le Reserved8;               // 8
    u32le SerialBaud;              // 12
    u16le SerialDataBits;          // 16
    u16le SerialParity;            // 18
    u32le SerialStopBits;          // 20
    u32le ModbusSlaveAddress;      // 24
    u32le NodeAddress;             // 28
    u32le MasterTimeout;           // 32
    u32le MasterDelay;             // 36
    uint8_t IP[4];                 // 40
    uint8_t SubnetMask[4];         // 44
    uint8_t Gateway[4];            // 48
    u16le ConfigPort;              // 52
    u16le SecondPort;              // 54
    u16le ThirdPort;               // 56
    u16le OptionFlags;             // 58
    u32le SerialBaud2;             // 60
    u16le SerialDataBits2;         // 64
    u16le SerialParity2;           // 66
    u32le SerialStopBits2;         // 68
    u32le AccessRecordCount;       // 72
    u32le ModbusTcpTableAddress;   // 76
    uint8_t StationName[16];       // 80
    uint8_t Mode1;                 // 96
    uint8_t Mode2;                 // 97
    uint8_t Mode3;                 // 98
    uint8_t Mode4;                 // 99
    uint8_t Reserved100[4];        // 100
    u16le ServicePort;             // 104
    u16le Reserved106;             // 106
    u32le Reserved108;             // 108
    u32le CanFrameCount;           // 112
    u32le BytesFirst;              // 116: input bytes (13, 20, 23: output bytes)
    u32le BytesSecond;             // 120: output bytes (13, 20, 23: input bytes)
    u32le DNetNodeCount;           // 124
    uint8_t DNetMasterMac;         // 128
    uint8_t ProfibusAddress;       // 129
    uint8_t Reserved130[2];        // 130
    u32le Reserved132;             // 132
    u32le InputMapCount;           // 136
    u32le OutputMapCount;          // 140
    u32le ReceiveRowCount;         // 144
    u32le TransmitRowCount;        // 148
    u32le PeerToPeer;              // 152
    u32le CANopenNodeId;           // 156
    u32le CANopenOptions;          // 160
    u32le CANopenDelay;            // 164
    u32le CANopenSdoTimeout;       // 168
    u32le CANopenTableCounts[6];   // 172
    u32le ModbusTcpTableAddress2;  // 196
    u32le Reserved200[3];          // 200
    u32le DNetTableAddresses[3];   // 212
    u32le Reserved224[8];          // 224
    uint8_t Reserved256[4];        // 256
    u32le Reserved260[10];         // 260
    u32le DiagnosticAddress;       // 300: address + 1, 0 = off
    uint8_t IP2[4];                // 304: second Ethernet interface
    uint8_t SubnetMask2[4];        // 308
    uint8_t Gateway2[4];           // 312
    u16le Reserved316[2];          // 316
    u32le Reserved320;             // 320
    u32le Reserved324[7];          // 324
    u32le Reserved352;             // 352
    u32le SnmpIntWidth;            // 356
    u32le CANopenSyncTime;         // 360
    u32le Reserved364[13];         // 364
    u32le SnmpReadCount;           // 416
    u32le SnmpWriteCount;          // 420
    u32le SnmpReadTableAddress;    // 424
    u32le SnmpWriteTableAddress;   // 428
    u32le SnmpFlags;               // 432
    u32le CommandAddress;          // 436: address + 1, 0 = off
    uint8_t SnmpSystemName[16];    // 440
    uint8_t SnmpContact[16];       // 456
    uint8_t SnmpLocation[16];      // 472
    uint8_t SnmpUser[20];          // 488
    uint8_t SnmpAuthPass[16];      // 508
    uint8_t SnmpPrivPass[16];      // 524
    uint8_t CANopenRestartBitmap[16]; // 540
    u32le NodeGuardCount;          // 556
    u32le NodeGuardTableAddress;   // 560
    u32le Reserved564[4];          // 564
    u32le CANopenTrigSdoIn;        // 580
    u32le CANopenTrigSdoOut;       // 584
};

static_assert(sizeof(GenParam) == 588);
static_assert(alignof(GenParam) == 1);
static_assert(offsetof(GenParam, SerialBaud) == 12);
static_assert(offsetof(GenParam, SerialDataBits) == 16);
static_assert(offsetof(GenParam, SerialParity) == 18);
static_assert(offsetof(GenParam, NodeAddress) == 28);
static_assert(offsetof(GenParam, IP) == 40);
static_assert(offsetof(GenParam, Gateway) == 48);
static_assert(offsetof(GenParam, ConfigPort) == 52);
static_assert(offsetof(GenParam, OptionFlags) == 58);
static_assert(offsetof(GenParam, SerialBaud2) == 60);
static_assert(offsetof(GenParam, SerialParity2) == 66);
static_assert(offsetof(GenParam, AccessRecordCount) == 72);
static_assert(offsetof(GenParam, StationName) == 80);
static_assert(offsetof(GenParam, Mode1) == 96);
static_assert(offsetof(GenParam, Mode4) == 99);
static_assert(offsetof(GenParam, ServicePort) == 104);
static_assert(offsetof(GenParam, CanFrameCount) == 112);
static_assert(offsetof(GenParam, BytesFirst) == 116);
static_assert(offsetof(GenParam, BytesSecond) == 120);
static_assert(offsetof(GenParam, DNetMasterMac) == 128);
static_assert(offsetof(GenParam, ProfibusAddress) == 129);
static_assert(offsetof(GenParam, InputMapCount) == 136);
static_assert(offsetof(GenParam, ReceiveRowCount) == 144);
static_assert(offsetof(GenParam, CANopenNodeId) == 156);
static_assert(offsetof(GenParam, CANopenTableCounts) == 172);
static_assert(offsetof(GenParam, ModbusTcpTableAddress2) == 196);
static_assert(offsetof(GenParam, DNetTableAddresses) == 212);
static_assert(offsetof(GenParam, Reserved224) == 224);
static_assert(offsetof(GenParam, Reserved256) == 256);
static_assert(offsetof(GenParam, Reserved260) == 260);
static_assert(offsetof(GenParam, DiagnosticAddress) == 300);
static_assert(offsetof(GenParam, IP2) == 304);
static_assert(offsetof(GenParam, Gateway2) == 312);
static_assert(offsetof(GenParam, Reserved316) == 316);
static_assert(offsetof(GenParam, Reserved324) == 324);
static_assert(offsetof(GenParam, SnmpIntWidth) == 356);
static_assert(offsetof(GenParam, CANopenSyncTime) == 360);
static_assert(offsetof(GenParam, SnmpReadCount) == 416);
static_assert(offsetof(GenParam, SnmpReadTableAddress) == 424);
static_assert(offsetof(GenParam, SnmpFlags) == 432);
static_assert(offsetof(GenParam, CommandAddress) == 436);
static_assert(offsetof(GenParam, SnmpSystemName) == 440);
static_assert(offsetof(GenParam, SnmpContact) == 456);
static_assert(offsetof(GenParam, SnmpLocation) == 472);
static_assert(offsetof(GenParam, SnmpUser) == 488);
static_assert(offsetof(GenParam, SnmpAuthPass) == 508);
static_assert(offsetof(GenParam, SnmpPrivPass) == 524);
static_assert(offsetof(GenParam, CANopenRestartBitmap) == 540);
static_assert(offsetof(GenParam, NodeGuardCount) == 556);
static_assert(offsetof(GenParam, NodeGuardTableAddress) == 560);
static_assert(offsetof(GenParam, CANopenTrigSdoIn) == 580);
static_assert(offsetof(GenParam, CANopenTrigSdoOut) == 584);

// The block's tail: a 128-byte field and a u32, always zero.
struct GenParamTail
{
    uint8_t Field[128];
    u32le Word;
};
static_assert(sizeof(GenParamTail) == 132);

// Block layout.
constexpr int GenBlockSize = 2048;
constexpr int GenBlockTailOffset = 1912;
constexpr int GenBlockSumOffset = 2044;

// The record and tail of one build.
struct GenBlock
{
    GenParam Param;
    GenParamTail Tail;
};

// Every field to its reset value, the tail to zero.
void Init_Gen_Param(GenBlock& block);

// Writes the 2048-byte block at pos (record, zero fill, tail, byte sum of
// 0..2043) and returns pos + 2048.
int Write_Gen_Block(const GenBlock& block, int pos, BankBuffer& buffer);

// Writes a 2048-byte block whose first recordSize bytes are record, zero
// fill up to the tail, the tail and the byte sum. The shape the DMX, PROFIBUS
// and M-Bus blocks share.
int Write_Sum_Block(const void* record, int recordSize, const void* tail, int tailSize, int pos,
                    BankBuffer& buffer);

// The presets of the type, stored before ParGen.xml is looked for. A type
// without a row keeps the reset values.
void Apply_Gen_Presets(GenParam& param, int deviceType);

// Default of the service port at 104 for the types that read
// PROFINET_PORT; 0 for the others, which store 0.
int ServicePortDefault(int deviceType);

// Do the type's readers put the station name at 440 instead of 80?
bool StationNameAt440(int deviceType);
