#include "par_gen_controls.h"

#include "language.h"

#include <QHash>

#include <deque>
#include <vector>

namespace {

using K = ParCtl;

// clang-format off
constexpr ParBoxDef kBoxes[] = {
    {"GB_PROFINET", 88, {"L_PROFINET_IP_Add", nullptr}},
    {"GB_DNET_Master", 101, {"L_DNM_IDDev", "E_ID_DNET_Master"}},
    {"GB_DNET_Slave", 104, {"L_DNS_IDDev", "E_ID_DNET_Slave"}},
    {"GB_PROFIBUS_Slave", 109, {"L_PROFIS_IDDev", "E_ID_DEV_PROFI_Slave"}},
    {"GB_Modbus_Master", 114, {"L_ModMaster_Serial", "CB_Serial_Modbus_Master"}},
    {"GB_Modbus_Slave", 120, {"L_ModSlave_Serial", "CB_Serial_Modbus_Slave"}},
    {"GB_NMEA2000", 125, {"L_NMEA_Baud", "CB_Baud_NMEA2000"}},
    {"GB_J1939", 129, {"L_J1939_Baud", "CB_Baud_J1939"}},
    {"GB_CANopen", 133, {"L_CANopen_IDDev", "E_ID_CANopen"}},
    {"GB_Serial", 139, {"L_Ser_Serial", "CB_Serial_Serial"}},
    {"GB_MBus", 143, {"L_MBus_Baud", "CB_Baud_Mbus"}},
    {"GB_Modbus_TCP_Master", 646, {"L_Modbus_TCP_Master_IP_Add", nullptr}},
    {"GB_Modbus_TCP_Slave", 649, {"L_Modbus_TCP_Slave_IP_Add", nullptr}},
    {"GB_EtherNetIP", 880, {"L_EIP_IP", nullptr}},
    {"GB_CAN", 99, {"L_CAN_Baud", "CAN_Baud"}},
    {"GB_SNMP", 917, {"L_SNMP_IP_Add", nullptr}},
    {"GB_DMX", 937, {"L_DMX_DMX", "CB_DMX_DMX"}},
};

// The IPv4 rows of a box: three labelled rows of four octet edits.
struct AddressBlock
{
    const char* box;
    const char* ipLabel;
    const char* smLabel;
    const char* gatCheck;
    int ipText;          // then +1 for the mask, +2 for the gateway
    int gatLeft;
    const char* prefix;  // edit names: prefix + IP/SM/GAT + n + suffix
    const char* suffix;
};

constexpr AddressBlock kAddressBlocks[] = {
    {"GB_PROFINET", "L_PROFINET_IP_Add", "L_PROFINET_SM_Add", "CB_EN_GAT", 89, 16, "E_", ""},
    {"GB_Modbus_TCP_Master", "L_Modbus_TCP_Master_IP_Add", "L_Modbus_TCP_Master_SM_Add",
     "CB_En_GAT_Modbus_TCP_Master", 713, 17, "E_", "_Modbus_TCP_Master"},
    {"GB_Modbus_TCP_Slave", "L_Modbus_TCP_Slave_IP_Add", "L_Modbus_TCP_Slave_SM_Add",
     "CB_En_GAT_Modbus_TCP_Slave", 716, 17, "E_", "_Modbus_TCP_Slave"},
    {"GB_EtherNetIP", "L_EIP_IP", "L_EIP_SM", "CB_EIP_EN_GAT", 881, 17, "E_EIP_", ""},
    {"GB_SNMP", "L_SNMP_IP_Add", "L_SNMP_SM_Add", "CB_SNMP_En_Gat", 918, 16, "E_SNMP_", ""},
};

constexpr const char* kNineRates = "10K|20K|50K|100K|125K|250K|500K|800K|1000K";
constexpr const char* kSerial = "RS232|RS485";
constexpr const char* kParity = "NONE|ODD|EVEN";
constexpr const char* kSlaveBauds = "1200|2400|4800|9600|19200|38400|57600|115200";

// Rows below the address rows; every other control of the window.
constexpr ParControlDef kRows[] = {
    // GB_PROFINET
    {K::Label, "L_PROFINET_Port", "GB_PROFINET", 16, 191, 0, 0, nullptr},
    {K::Edit, "E_PORT", "GB_PROFINET", 82, 188, 192, 0, nullptr, -1, 0, Disabled},
    {K::Label, "L_PROFINET_Name_Station", "GB_PROFINET", 16, 223, 0, 93, nullptr},
    {K::Edit, "E_Profinet_Name_Station", "GB_PROFINET", 16, 242, 258, 0, nullptr, -1, 15, LowerCase},
    {K::Group, "GB_Working_Mode_MBus", "GB_PROFINET", 8, 272, 280, 94, nullptr, -1, 0, 0, 0, 90},
    {K::Radio, "RB_WM_Normal_Mbus", "GB_Working_Mode_MBus", 9, 24, 153, 95, nullptr},
    {K::Radio, "RB_WM_Single_Slave_Mbus", "GB_Working_Mode_MBus", 9, 58, 153, 96, nullptr},
    {K::Label, "L_PROFINET_Byte_IN", "GB_PROFINET", 16, 370, 0, 97, nullptr},
    {K::Edit, "E_NB_IN_PROFINET", "GB_PROFINET", 148, 367, 126, 0, nullptr},
    {K::Label, "L_PROFINET_Byte_OUT", "GB_PROFINET", 16, 404, 0, 98, nullptr},
    {K::Edit, "E_NB_OUT_PROFINET", "GB_PROFINET", 148, 401, 126, 0, nullptr},
    {K::Check, "CB_PROFINET_En_Diagnostic", "GB_PROFINET", 16, 438, 128, 711, nullptr},
    {K::Edit, "E_PROFINET_Diagnostic_Address", "GB_PROFINET", 148, 435, 126, 0, nullptr},
    {K::Check, "CB_Auto_Calc_Bytes", "GB_PROFINET", 16, 472, 0, 857, nullptr},
    {K::Check, "CB_SendBack_CAN_Mess", "GB_PROFINET", 16, 506, 0, 861, nullptr},
    {K::Check, "CB_Reply_Tunnel_Port", "GB_PROFINET", 16, 540, 0, 862, nullptr},
    {K::Label, "L_Aux_Int_Dim", "GB_PROFINET", 16, 574, 0, 900, nullptr},
    {K::Combo, "CB_Aux_Int_Dim", "GB_PROFINET", 184, 571, 90, 0, "2 Bytes|4 Bytes|8 Bytes", -1, 0, 0, 901},
    {K::Check, "CB_PROFINET_En_Modbus_Poll", "GB_PROFINET", 16, 608, 128, 957, nullptr},
    {K::Edit, "E_PROFINET_ModPolls_Address", "GB_PROFINET", 148, 605, 126, 0, nullptr},
    {K::Label, "L_SNMP_PROFINET_Contact", "GB_PROFINET", 16, 642, 0, 964, nullptr},
    {K::Edit, "E_SNMP_PROFINET_Contact", "GB_PROFINET", 82, 639, 192, 0, nullptr, -1, 16},
    {K::Label, "L_SNMP_PROFINET_Location", "GB_PROFINET", 16, 676, 0, 965, nullptr},
    {K::Edit, "E_SNMP_PROFINET_Location", "GB_PROFINET", 82, 673, 192, 0, nullptr, -1, 16},
    {K::Label, "L_SNMP_PROFINET_Map_Type", "GB_PROFINET", 16, 710, 0, 0, "Map Type"},
    {K::Combo, "CB_SNMP_PROFINET_Map_Type", "GB_PROFINET", 82, 707, 192, 0, "Fixed Map|Dynamic Map (Recommended)", -1},
    {K::Check, "CB_PROFINET_CANopen_CMD", "GB_PROFINET", 16, 744, 128, 974, nullptr},
    {K::Edit, "E_PROFINET_CANopen_CMD", "GB_PROFINET", 148, 741, 126, 0, nullptr},
    {K::Label, "L_PROFI_SNMP_Version", "GB_PROFINET", 16, 778, 0, 980, nullptr},
    {K::Combo, "CB_PROFI_SNMP_Version", "GB_PROFINET", 82, 777, 192, 0, "1|2|3", 2, 0, 0, 981},
    {K::Label, "L_PROFI_SNMP_User", "GB_PROFINET", 16, 812, 0, 984, nullptr},
    {K::Edit, "E_PROFI_SNMP_User", "GB_PROFINET", 82, 809, 192, 0, nullptr, -1, 19},
    {K::Label, "L_PROFI_SNMP_Secure_Lev", "GB_PROFINET", 16, 846, 0, 985, nullptr},
    {K::Combo, "CB_PROFI_SNMP_Secure_Lev", "GB_PROFINET", 148, 843, 126, 0, "NoAuth NoPriv|Auth NoPriv|Auth Priv", 0},
    {K::Label, "L_PROFI_SNMP_Auth_Pass", "GB_PROFINET", 16, 880, 0, 986, nullptr},
    {K::Edit, "E_PROFI_SNMP_Auth_Pass", "GB_PROFINET", 82, 877, 192, 0, nullptr, -1, 15},
    {K::Label, "L_PROFI_SNMP_Auth_Mode", "GB_PROFINET", 16, 914, 0, 987, nullptr},
    {K::Combo, "CB_PROFI_SNMP_Auth_Mode", "GB_PROFINET", 148, 911, 126, 0, "MD5|SHA", 0},
    {K::Label, "L_PROFI_SNMP_Priv_Pass", "GB_PROFINET", 16, 948, 0, 988, nullptr},
    {K::Edit, "E_PROFI_SNMP_Priv_Pass", "GB_PROFINET", 82, 945, 192, 0, nullptr, -1, 15},
    {K::Check, "CB_PROFI_SNMP_Priv_Pass_Hex", "GB_PROFINET", 64, 947, 41, 1800, nullptr},
    {K::Label, "L_PROFI_SNMP_Priv_Mode", "GB_PROFINET", 16, 982, 0, 989, nullptr},
    {K::Combo, "CB_PROFI_SNMP_Priv_Mode", "GB_PROFINET", 148, 979, 126, 0, "DES|AES", 0},

    // GB_DNET_Master
    {K::Label, "L_DNM_IDDev", "GB_DNET_Master", 16, 24, 0, 102, nullptr},
    {K::Edit, "E_ID_DNET_Master", "GB_DNET_Master", 82, 21, 192, 0, nullptr},
    {K::Label, "L_DNM_Baud", "GB_DNET_Master", 16, 58, 0, 103, nullptr},
    {K::Combo, "CB_Baud_DNET_Master", "GB_DNET_Master", 82, 55, 192, 0, "125K|250K|500K", 2},

    // GB_DNET_Slave
    {K::Label, "L_DNS_IDDev", "GB_DNET_Slave", 16, 24, 0, 105, nullptr},
    {K::Edit, "E_ID_DNET_Slave", "GB_DNET_Slave", 82, 21, 192, 0, nullptr},
    {K::Label, "L_DNS_Baud", "GB_DNET_Slave", 16, 58, 0, 106, nullptr},
    {K::Combo, "CB_Baud_DNET_Slave", "GB_DNET_Slave", 82, 55, 192, 0, "125K|250K|500K", 2},
    {K::Label, "L_DNS_Byte_IN", "GB_DNET_Slave", 16, 92, 0, 107, nullptr},
    {K::Edit, "E_NB_IN_DNET_Slave", "GB_DNET_Slave", 148, 89, 126, 0, nullptr},
    {K::Label, "L_DNS_Byte_OUT", "GB_DNET_Slave", 16, 126, 0, 108, nullptr},
    {K::Edit, "E_NB_OUT_DNET_Slave", "GB_DNET_Slave", 148, 123, 126, 0, nullptr},

    // GB_PROFIBUS_Slave
    {K::Label, "L_PROFIS_IDDev", "GB_PROFIBUS_Slave", 16, 24, 0, 110, nullptr},
    {K::Edit, "E_ID_DEV_PROFI_Slave", "GB_PROFIBUS_Slave", 82, 21, 192, 0, nullptr},
    {K::Label, "L_PROFIS_Baud", "GB_PROFIBUS_Slave", 16, 58, 0, 111, nullptr},
    {K::Combo, "CB_Baud_PROFI_Slave", "GB_PROFIBUS_Slave", 82, 55, 192, 0, "Auto Baudrate", 0, 0, Disabled},
    {K::Label, "L_PROFIS_Byte_IN", "GB_PROFIBUS_Slave", 16, 92, 0, 112, nullptr},
    {K::Edit, "E_B_IN_PROFI_Slave", "GB_PROFIBUS_Slave", 148, 89, 126, 0, nullptr},
    {K::Label, "L_PROFIS_Byte_OUT", "GB_PROFIBUS_Slave", 16, 126, 0, 113, nullptr},
    {K::Edit, "E_B_OUT_PROFI_Slave", "GB_PROFIBUS_Slave", 148, 123, 126, 0, nullptr},
    {K::Check, "CB_PROFI_Slave_Reset_Data", "GB_PROFIBUS_Slave", 16, 160, 0, 970, nullptr},

    // GB_Modbus_Master
    {K::Label, "L_ModMaster_Serial", "GB_Modbus_Master", 16, 24, 0, 115, nullptr},
    {K::Combo, "CB_Serial_Modbus_Master", "GB_Modbus_Master", 82, 21, 192, 0, kSerial, 0},
    {K::Label, "L_ModMaster_Baud", "GB_Modbus_Master", 16, 58, 0, 116, nullptr},
    {K::Combo, "CB_Baud_Modbus_Master", "GB_Modbus_Master", 82, 55, 192, 0,
     "1200|2400|4800|9600|19200|38400|57600|115200|230400|500000|625000", 7},
    {K::Label, "L_ModMaster_Par", "GB_Modbus_Master", 16, 92, 0, 117, nullptr},
    {K::Combo, "CB_Par_Modbus_Master", "GB_Modbus_Master", 82, 89, 192, 0, kParity, 0},
    {K::Label, "L_ModMaster_Stop", "GB_Modbus_Master", 16, 126, 0, 959, nullptr},
    {K::Combo, "CB_Stop_Modbus_Master", "GB_Modbus_Master", 82, 123, 192, 0, "1 Stop Bit|2 Stop Bits", 0},
    {K::Label, "L_ModMaster_TO", "GB_Modbus_Master", 16, 160, 0, 118, nullptr},
    {K::Edit, "E_TO_Modbus_Master", "GB_Modbus_Master", 148, 157, 126, 0, nullptr},
    {K::Label, "L_ModMaster_Idle", "GB_Modbus_Master", 16, 194, 0, 119, nullptr},
    {K::Edit, "E_CD_Modbus_Master", "GB_Modbus_Master", 200, 191, 74, 0, nullptr},
    {K::Check, "CB_En_Poll_PROFI_OK_Modbus_Master", "GB_Modbus_Master", 16, 228, 0, 966, nullptr},

    // GB_Modbus_Slave
    {K::Label, "L_ModSlave_Serial", "GB_Modbus_Slave", 16, 24, 0, 121, nullptr},
    {K::Combo, "CB_Serial_Modbus_Slave", "GB_Modbus_Slave", 82, 21, 192, 0, kSerial, 0},
    {K::Label, "L_ModSlave_Baud", "GB_Modbus_Slave", 16, 58, 0, 122, nullptr},
    {K::Combo, "CB_Baud_Modbus_Slave", "GB_Modbus_Slave", 82, 55, 192, 0, kSlaveBauds, 7},
    {K::Label, "L_ModSlave_Par", "GB_Modbus_Slave", 16, 92, 0, 123, nullptr},
    {K::Combo, "CB_Par_Modbus_Slave", "GB_Modbus_Slave", 82, 89, 192, 0, kParity, 0},
    {K::Label, "L_ModSlave_IDDev", "GB_Modbus_Slave", 16, 126, 0, 124, nullptr},
    {K::Edit, "E_ID_Modbus_Slave", "GB_Modbus_Slave", 82, 123, 192, 0, nullptr},
    {K::Check, "CB_Read_IR", "GB_Modbus_Slave", 16, 160, 0, 968, nullptr},
    {K::Check, "CB_ModSlave_SwapBytes", "GB_Modbus_Slave", 16, 194, 0, 1804, nullptr},

    // GB_NMEA2000
    {K::Label, "L_NMEA_Baud", "GB_NMEA2000", 16, 24, 0, 126, nullptr},
    {K::Combo, "CB_Baud_NMEA2000", "GB_NMEA2000", 82, 21, 192, 0, kNineRates, 5},
    {K::Label, "L_NMEA_TO", "GB_NMEA2000", 16, 58, 0, 127, nullptr},
    {K::Edit, "E_TO_NMEA2000", "GB_NMEA2000", 148, 55, 126, 0, nullptr},
    {K::Check, "CB_En_Peer_NMEA2000", "GB_NMEA2000", 16, 92, 0, 128, nullptr},

    // GB_J1939
    {K::Label, "L_J1939_Baud", "GB_J1939", 16, 24, 0, 130, nullptr},
    {K::Combo, "CB_Baud_J1939", "GB_J1939", 82, 21, 192, 0, kNineRates, 5},
    {K::Label, "L_J1939_TO", "GB_J1939", 16, 58, 0, 131, nullptr},
    {K::Edit, "E_TO_J1939", "GB_J1939", 148, 55, 126, 0, nullptr},
    {K::Check, "CB_En_Peer_J1939", "GB_J1939", 16, 92, 0, 132, nullptr},
    {K::Label, "L_J1939_DeviceID", "GB_J1939", 16, 126, 0, 997, nullptr},
    {K::Edit, "E_J1939_DeviceID", "GB_J1939", 148, 123, 126, 0, nullptr},

    // GB_CANopen
    {K::Label, "L_CANopen_IDDev", "GB_CANopen", 16, 24, 0, 134, nullptr},
    {K::Edit, "E_ID_CANopen", "GB_CANopen", 82, 21, 192, 0, nullptr},
    {K::Label, "L_CANopen_Baud", "GB_CANopen", 16, 58, 0, 135, nullptr},
    {K::Combo, "CB_Baud_CANopen", "GB_CANopen", 82, 55, 192, 0, kNineRates, 5},
    {K::Check, "CB_Set_Ope_CANopen", "GB_CANopen", 16, 92, 0, 136, nullptr},
    {K::Check, "CB_Net_Ope_CANopen", "GB_CANopen", 16, 126, 219, 137, nullptr},
    {K::Edit, "E_NO_Delay_CANopen", "GB_CANopen", 239, 124, 35, 0, nullptr},
    {K::Label, "L_CANopen_SDOc_TO", "GB_CANopen", 16, 160, 0, 138, nullptr},
    {K::Edit, "E_SDO_TO_CANopen", "GB_CANopen", 197, 157, 77, 0, nullptr},
    {K::Check, "CB_CANopen_En_Sync", "GB_CANopen", 16, 194, 128, 904, nullptr},
    {K::Edit, "E_CANopen_Sync_Time", "GB_CANopen", 148, 192, 126, 0, nullptr},
    {K::Check, "CB_CANopen_En_Restart", "GB_CANopen", 16, 228, 0, 975, nullptr},
    {K::Check, "CB_CANopen_En_Reset_Data", "GB_CANopen", 16, 262, 0, 977, nullptr},
    {K::Check, "CB_CANopen_En_TSDO", "GB_CANopen", 16, 296, 0, 990, nullptr},
    {K::Label, "L_CANopen_TSDO_Add_In", "GB_CANopen", 16, 330, 0, 991, nullptr},
    {K::Edit, "E_CANopen_TSDO_Add_In", "GB_CANopen", 214, 327, 60, 0, nullptr},
    {K::Label, "L_CANopen_TSDO_Add_Out", "GB_CANopen", 16, 357, 0, 992, nullptr},
    {K::Edit, "E_CANopen_TSDO_Add_Out", "GB_CANopen", 214, 354, 60, 0, nullptr},

    // GB_Serial
    {K::Label, "L_Ser_Serial", "GB_Serial", 16, 24, 0, 140, nullptr},
    {K::Combo, "CB_Serial_Serial", "GB_Serial", 82, 21, 192, 0, kSerial, 0},
    {K::Label, "L_Ser_Baud", "GB_Serial", 16, 58, 0, 141, nullptr},
    {K::Combo, "CB_Baud_Serial", "GB_Serial", 82, 55, 192, 0, kSlaveBauds, 7},
    {K::Label, "L_Ser_Par", "GB_Serial", 16, 92, 0, 142, nullptr},
    {K::Combo, "CB_Parity_Serial", "GB_Serial", 82, 89, 192, 0, kParity, 0},

    // GB_MBus
    {K::Label, "L_MBus_Baud", "GB_MBus", 16, 24, 0, 144, nullptr},
    {K::Combo, "CB_Baud_Mbus", "GB_MBus", 82, 21, 192, 0, "300|600|1200|2400|4800|9600|19200|38400", 0},
    {K::Label, "L_MBus_Par", "GB_MBus", 16, 58, 0, 145, nullptr},
    {K::Combo, "CB_Parity_Mbus", "GB_MBus", 82, 55, 192, 0, "NONE|EVEN|ODD", 0},
    {K::Label, "L_MBus_CD", "GB_MBus", 16, 92, 0, 146, nullptr},
    {K::Edit, "E_CD_Mbus", "GB_MBus", 148, 89, 126, 0, nullptr},
    {K::Label, "L_MBus_NS1", "GB_MBus", 16, 126, 0, 147, nullptr},
    {K::Label, "L_MBus_NS2", "GB_MBus", 16, 145, 0, 148, nullptr},
    {K::Edit, "E_NSE_MBus", "GB_MBus", 82, 142, 192, 0, nullptr},

    // GB_Modbus_TCP_Master
    {K::Label, "L_ModbusTCPMaster_TimeOut", "GB_Modbus_TCP_Master", 16, 191, 0, 647, nullptr},
    {K::Edit, "E_TO_Modbus_TCP_Master", "GB_Modbus_TCP_Master", 148, 188, 126, 0, nullptr},
    {K::Label, "L_ModbusTCPMaster_CyclicDelay", "GB_Modbus_TCP_Master", 16, 225, 0, 648, nullptr},
    {K::Edit, "E_CD_Modbus_TCP_Master", "GB_Modbus_TCP_Master", 148, 222, 126, 0, nullptr},

    // GB_Modbus_TCP_Slave
    {K::Label, "L_ModbusTCPSlave_Port", "GB_Modbus_TCP_Slave", 16, 191, 0, 650, nullptr},
    {K::Edit, "E_Port_Modbus_TCP_Slave", "GB_Modbus_TCP_Slave", 82, 188, 192, 0, nullptr},
    {K::Check, "CB_Modbus_TCP_Slave_Read_IR", "GB_Modbus_TCP_Slave", 16, 225, 0, 969, nullptr},

    // GB_EtherNetIP
    {K::Label, "L_EIP_Port", "GB_EtherNetIP", 16, 191, 0, 884, nullptr},
    {K::Edit, "E_EIP_PORT", "GB_EtherNetIP", 82, 188, 192, 0, nullptr, -1, 0, Disabled},

    // GB_CAN
    {K::Label, "L_CAN_Baud", "GB_CAN", 16, 24, 0, 100, nullptr},
    {K::Combo, "CAN_Baud", "GB_CAN", 82, 21, 192, 0, "10K|20K|50K|62.5K|100K|125K|250K|500K|800K|1000K", 9},

    // GB_SNMP
    {K::Label, "L_SNMP_Name_Of_Station", "GB_SNMP", 16, 191, 0, 864, nullptr},
    {K::Edit, "E_SNMP_Name_Of_Station", "GB_SNMP", 16, 210, 258, 0, nullptr, -1, 15, LowerCase},
    {K::Label, "L_SNMP_Contact", "GB_SNMP", 16, 247, 0, 964, nullptr},
    {K::Edit, "E_SNMP_Contact", "GB_SNMP", 82, 244, 192, 0, nullptr, -1, 16},
    {K::Label, "L_SNMP_Location", "GB_SNMP", 16, 281, 0, 965, nullptr},
    {K::Edit, "E_SNMP_Location", "GB_SNMP", 82, 278, 192, 0, nullptr, -1, 16},
    {K::Label, "L_SNMP_Version", "GB_SNMP", 16, 315, 0, 980, nullptr},
    {K::Combo, "CB_SNMP_Version", "GB_SNMP", 82, 312, 192, 0, "1|2|3", 2, 0, 0, 981},
    {K::Label, "L_SNMP_User", "GB_SNMP", 16, 349, 0, 984, nullptr},
    {K::Edit, "E_SNMP_User", "GB_SNMP", 82, 346, 192, 0, nullptr, -1, 19},
    {K::Label, "L_SNMP_Secure_Lev", "GB_SNMP", 16, 383, 0, 985, nullptr},
    {K::Combo, "CB_SNMP_Secure_Lev", "GB_SNMP", 148, 380, 126, 0, "NoAuth NoPriv|Auth NoPriv|Auth Priv", 0},
    {K::Label, "L_SNMP_Auth_Pass", "GB_SNMP", 16, 417, 0, 986, nullptr},
    {K::Edit, "E_SNMP_Auth_Pass", "GB_SNMP", 82, 414, 192, 0, nullptr, -1, 15},
    {K::Label, "L_SNMP_Auth_Mode", "GB_SNMP", 16, 451, 0, 987, nullptr},
    {K::Combo, "CB_SNMP_Auth_Mode", "GB_SNMP", 148, 448, 126, 0, "MD5|SHA", 0},
    {K::Label, "L_SNMP_Priv_Pass", "GB_SNMP", 16, 485, 0, 988, nullptr},
    {K::Edit, "E_SNMP_Priv_Pass", "GB_SNMP", 82, 482, 192, 0, nullptr, -1, 15},
    {K::Check, "CB_SNMP_Priv_Pass_Hex", "GB_SNMP", 64, 484, 41, 1800, nullptr, -1, 0, Hidden},
    {K::Label, "L_SNMP_Priv_Mode", "GB_SNMP", 16, 519, 0, 989, nullptr},
    {K::Combo, "CB_SNMP_Priv_Mode", "GB_SNMP", 148, 516, 126, 0, "DES|AES", 0},
    {K::Label, "L_SNMP_Aux_Int_Dim", "GB_SNMP", 16, 668, 0, 921, nullptr, -1, 0, Hidden},
    {K::Combo, "CB_SNMP_Aux_Int_Dim", "GB_SNMP", 184, 665, 90, 0, "2 Bytes|4 Bytes|8 Bytes", 0, 0, Hidden},

    // GB_DMX
    {K::Label, "L_DMX_DMX", "GB_DMX", 16, 24, 0, 950, nullptr},
    {K::Combo, "CB_DMX_DMX", "GB_DMX", 82, 21, 192, 0, "IN|OUT", 1},
    {K::Label, "L_DMX_Num_Channal", "GB_DMX", 16, 58, 0, 938, nullptr},
    {K::Edit, "E_DMX_Num_Channel", "GB_DMX", 148, 55, 126, 0, nullptr},
};
// clang-format on

// Name strings of the generated address controls live as long as the program.
const char* Keep(const QString& s)
{
    static std::deque<QByteArray> names;
    names.push_back(s.toLatin1());
    return names.back().constData();
}

const char* const kOctetKinds[] = {"IP", "SM", "GAT"};

const AddressBlock* FindAddressBlock(const char* box)
{
    for (const AddressBlock& b : kAddressBlocks) {
        if (QLatin1String(b.box) == QLatin1String(box))
            return &b;
    }
    return nullptr;
}

void AppendAddressBlock(std::vector<ParControlDef>& out, const AddressBlock& b)
{
    static const int kLabelTops[] = {24, 79, 134};
    static const int kEditTops[] = {43, 98, 154};
    static const int kDotTops[] = {46, 101, 157};
    static const int kEditLefts[] = {16, 82, 148, 214};
    static const int kDotLefts[] = {77, 143, 209};
    const QString box = QString::fromLatin1(b.box).mid(3);
    const QStringList edits = AddressOctetEdits(b.box);
    out.push_back({K::Label, b.ipLabel, b.box, 16, kLabelTops[0], 0, b.ipText, nullptr});
    out.push_back({K::Label, b.smLabel, b.box, 16, kLabelTops[1], 0, b.ipText + 1, nullptr});
    out.push_back({K::Check, b.gatCheck, b.box, b.gatLeft, kLabelTops[2], 0, b.ipText + 2, nullptr});
    for (int row = 0; row < 3; ++row) {
        for (int n = 0; n < 4; ++n)
            out.push_back({K::Edit, Keep(edits.at(row * 4 + n)), b.box, kEditLefts[n], kEditTops[row], 60, 0, nullptr});
        for (int d = 0; d < 3; ++d) {
            const QString dot = QStringLiteral("L_%1_Dot_%2%3").arg(box, QLatin1String(kOctetKinds[row])).arg(d + 1);
            out.push_back({K::Label, Keep(dot), b.box, kDotLefts[d], kDotTops[row], 0, 0, "."});
        }
    }
}

std::vector<ParControlDef> BuildControls()
{
    std::vector<ParControlDef> out;
    for (const ParBoxDef& box : kBoxes) {
        const QLatin1String name(box.name);
        for (const AddressBlock& b : kAddressBlocks) {
            if (name == QLatin1String(b.box))
                AppendAddressBlock(out, b);
        }
        for (const ParControlDef& c : kRows) {
            if (name == QLatin1String(c.parent))
                out.push_back(c);
            else if (name == QLatin1String("GB_PROFINET") && QLatin1String(c.parent) == QLatin1String("GB_Working_Mode_MBus"))
                out.push_back(c);
        }
    }
    return out;
}

} // namespace

std::span<const ParBoxDef> ParGenBoxes()
{
    return kBoxes;
}

std::span<const ParControlDef> ParGenControls()
{
    static const std::vector<ParControlDef> controls = BuildControls();
    return controls;
}

const ParControlDef* FindParControl(const QString& name)
{
    static const QHash<QString, const ParControlDef*> byName = [] {
        QHash<QString, const ParControlDef*> h;
        for (const ParControlDef& c : ParGenControls())
            h.insert(QString::fromLatin1(c.name), &c);
        return h;
    }();
    return byName.value(name, nullptr);
}

QStringList AddressOctetEdits(const char* box)
{
    QStringList names;
    const AddressBlock* b = FindAddressBlock(box);
    for (const char* kind : kOctetKinds) {
        for (int n = 1; b && n <= 4; ++n)
            names.append(QStringLiteral("%1%2%3%4")
                             .arg(QLatin1String(b->prefix), QLatin1String(kind))
                             .arg(n)
                             .arg(QLatin1String(b->suffix)));
    }
    return names;
}

const char* GatewayCheck(const char* box)
{
    const AddressBlock* b = FindAddressBlock(box);
    return b ? b->gatCheck : nullptr;
}

QStringList ParComboItems(const ParControlDef& def)
{
    if (def.itemsText != 0) {
        QStringList items;
        for (int i = 0; i < 3; ++i)
            items.append(Lang(def.itemsText + i));
        if (!items.contains(QString()))
            return items;
    }
    return def.fixed ? QString::fromLatin1(def.fixed).split(QLatin1Char('|')) : QStringList();
}

QString CollapseButtonName(const char* box)
{
    return QStringLiteral("Btn_") + QString::fromLatin1(box).mid(3) + QStringLiteral("_Collapse");
}

QString ExpandButtonName(const char* box)
{
    return QStringLiteral("Btn_") + QString::fromLatin1(box).mid(3) + QStringLiteral("_Expande");
}
