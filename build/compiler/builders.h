#pragma once

struct BuildContext;

// The builders of the dispatch table, one per model family. Each fills the
// bank buffers of the context and their lengths; a reader error throws
// CompileError.
void Build_CAN_Banks(BuildContext& ctx);          // 0, 15, 27
void Build_DNet_Master(BuildContext& ctx);        // 1
void Build_DNet_Slave(BuildContext& ctx);         // 2
void Build_Profibus(BuildContext& ctx);           // 3
void Build_Modbus_Master(BuildContext& ctx);      // 4, 18, 25, 1018
void Build_Modbus_Slave(BuildContext& ctx);       // 5, 16, 26
void Build_J1939_Banks(BuildContext& ctx);        // 6, 14
void Build_NMEA_Banks(BuildContext& ctx);         // 7, 28
void Build_CANopen_Banks(BuildContext& ctx);      // 8, 24
void Build_Serial_Banks(BuildContext& ctx);       // 9
void Build_MBus(BuildContext& ctx);               // 10, 21
void Build_ModbusTCP_Master(BuildContext& ctx);   // 11, 19
void Build_ModbusTCP_Slave(BuildContext& ctx);    // 12, 17
void Build_EtherNetIP(BuildContext& ctx);         // 13
void Build_PROFINET_SNMP(BuildContext& ctx);      // 20
void Build_DMX(BuildContext& ctx);                // 22, 29
void Build_Profibus_SNMP(BuildContext& ctx);      // 23
