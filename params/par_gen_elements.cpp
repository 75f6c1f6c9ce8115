#include "par_gen_elements.h"

#include "device_type.h"
#include "xml_document.h"

using device::TypeSet;
using device::Types;
using device::AllTypes;
using params::TunnelPortTypes;

namespace {

using F = ParForm;

constexpr TypeSet kSnmpV3 = Types(15, 16, 17, 18, 19, 21, 23, 1018);
constexpr TypeSet kModbusMaster = Types(4, 18, 25, 1018);

// clang-format off
constexpr ParGenElement kElements[] = {
    // Network head, every type.
    {"PROFINET_IP1", "E_IP1", F::Number, "192", nullptr, AllTypes},
    {"PROFINET_IP2", "E_IP2", F::Number, "168", nullptr, AllTypes},
    {"PROFINET_IP3", "E_IP3", F::Number, "0", nullptr, AllTypes},
    {"PROFINET_IP4", "E_IP4", F::Number, "5", nullptr, AllTypes},
    {"PROFINET_SM1", "E_SM1", F::Number, "255", nullptr, AllTypes},
    {"PROFINET_SM2", "E_SM2", F::Number, "255", nullptr, AllTypes},
    {"PROFINET_SM3", "E_SM3", F::Number, "255", nullptr, AllTypes},
    {"PROFINET_SM4", "E_SM4", F::Number, "0", nullptr, AllTypes},
    {"PROFINET_GAT1", "E_GAT1", F::Number, "192", nullptr, AllTypes},
    {"PROFINET_GAT2", "E_GAT2", F::Number, "168", nullptr, AllTypes},
    {"PROFINET_GAT3", "E_GAT3", F::Number, "0", nullptr, AllTypes},
    {"PROFINET_GAT4", "E_GAT4", F::Number, "1", nullptr, AllTypes},
    {"PROFINET_EN_GAT", "CB_EN_GAT", F::Flag, "0", nullptr, AllTypes},
    {"PROFINET_PORT", "E_PORT", F::Number, "2000", nullptr, TunnelPortTypes},
    {"PROFINET_PORT", "E_PORT", F::Number, "34964", nullptr, TypeSet{AllTypes.bits & ~TunnelPortTypes.bits}, ParLoad::Force},
    {"PROFINET_NAME_STA", "E_Profinet_Name_Station", F::Text, "devicename1", nullptr, AllTypes},

    // SNMPv3 block of the network box.
    {"SNMP_VERSION1", "CB_PROFI_SNMP_Version", F::Version, nullptr, nullptr, kSnmpV3, ParLoad::Read, nullptr, 0},
    {"SNMP_VERSION2", "CB_PROFI_SNMP_Version", F::Version, nullptr, nullptr, kSnmpV3, ParLoad::Read, nullptr, 1},
    {"SNMP_VERSION3", "CB_PROFI_SNMP_Version", F::Version, nullptr, nullptr, kSnmpV3, ParLoad::Read, nullptr, 2},
    {"SNMP_VER3_USER", "E_PROFI_SNMP_User", F::Text, "", nullptr, kSnmpV3},
    {"SNMP_VER3_SECURITY_LEVEL", "CB_PROFI_SNMP_Secure_Lev", F::SecurityLevel, "NoAuth NoPriv", nullptr, kSnmpV3},
    {"SNMP_VER3_AUTHORITY", "E_PROFI_SNMP_Auth_Pass", F::Text, "", nullptr, kSnmpV3},
    {"SNMP_VER3_AUTHORITY_MODE", "CB_PROFI_SNMP_Auth_Mode", F::AuthMode, "MD5", nullptr, kSnmpV3},
    {"SNMP_VER3_PRIVACY", "E_PROFI_SNMP_Priv_Pass", F::Text, "", nullptr, kSnmpV3},
    {"SNMP_VER3_PRIVACY_MODE", "CB_PROFI_SNMP_Priv_Mode", F::PrivacyMode, "DES", nullptr, kSnmpV3},
    {"SNMP_VER3_PRIVACY_HEX", "CB_PROFI_SNMP_Priv_Pass_Hex", F::Flag, "0", nullptr, kSnmpV3},

    // CAN tunnel flags.
    {"PROFINET_SEND_BACK_CAN_MESS", "CB_SendBack_CAN_Mess", F::Flag, "0", nullptr, Types(0, 15, 27)},
    {"PROFINET_SEND_REPLAY_TUNNEL_PORT", "CB_Reply_Tunnel_Port", F::Flag, "0", nullptr, Types(0, 15, 27)},

    // Byte counts under the PROFINET names.
    {"PROFINET_NB_IN", "E_NB_IN_PROFINET", F::Number, "1439", nullptr, Types(0, 1, 8, 24, 27)},
    // Type 20 reads 1439 for a missing count (above its own limit, so the
    // user must correct it), but a new project starts within the limit.
    {"PROFINET_NB_IN", "E_NB_IN_PROFINET", F::Number, "1439", "1023", Types(20)},
    {"PROFINET_NB_IN", "E_NB_IN_PROFINET", F::Number, "500", nullptr, Types(9)},
    {"PROFINET_NB_IN", "E_NB_IN_PROFINET", F::Number, "496", nullptr, Types(13)},
    {"PROFINET_NB_OUT", "E_NB_OUT_PROFINET", F::Number, "1439", nullptr, Types(0, 1, 8, 10, 24, 27)},
    {"PROFINET_NB_OUT", "E_NB_OUT_PROFINET", F::Number, "1439", "1023", Types(20)},
    {"PROFINET_NB_OUT", "E_NB_OUT_PROFINET", F::Number, "500", nullptr, Types(9)},
    {"PROFINET_NB_OUT", "E_NB_OUT_PROFINET", F::Number, "496", nullptr, Types(13)},
    {"PROFINET_NB_OUT", "E_NB_OUT_PROFINET", F::Number, "1024", nullptr, Types(21), ParLoad::Skip, "1024"},

    // DMX: both counts come from the channel count, by direction.
    {"PROFINET_NB_IN", "E_DMX_Num_Channel", F::DmxCountOut, "512", nullptr, Types(22, 29)},
    {"PROFINET_NB_OUT", "E_DMX_Num_Channel", F::DmxCountIn, "512", nullptr, Types(22, 29)},
    {"DMX_TYPE", "CB_DMX_DMX", F::DmxDirection, "1", nullptr, Types(22, 29)},

    // Byte counts under the names of the other sides.
    {"MODBUS_MASTER_NB_IN", "E_NB_IN_PROFINET", F::Number, "512", nullptr, Types(4, 25)},
    {"MODBUS_MASTER_NB_OUT", "E_NB_OUT_PROFINET", F::Number, "512", nullptr, Types(4, 25)},
    {"MODBUS_TCP_MASTER_NB_IN", "E_NB_IN_PROFINET", F::Number, "512", nullptr, Types(11)},
    {"MODBUS_TCP_MASTER_NB_OUT", "E_NB_OUT_PROFINET", F::Number, "512", nullptr, Types(11)},
    {"MODBUS_TCP_Slave_NB_IN", "E_NB_IN_PROFINET", F::Number, "512", nullptr, Types(12)},
    {"MODBUS_TCP_Slave_NB_OUT", "E_NB_OUT_PROFINET", F::Number, "512", nullptr, Types(12)},

    // Diagnostic, poll and command rows of the network box.
    {"PROFINET_ENABLE_DIAGNOSTIC", "CB_PROFINET_En_Diagnostic", F::Flag, "0", nullptr, Types(1, 4, 8, 11, 25)},
    {"PROFINET_DIAGNOSTIC_ADDRESS", "E_PROFINET_Diagnostic_Address", F::Number, "0", nullptr, Types(1, 4, 8, 11, 25)},
    {"PROFINET_ENABLE_MODBUS_POLLS", "CB_PROFINET_En_Modbus_Poll", F::Flag, "0", nullptr, Types(4, 25)},
    {"PROFINET_MODBUS_POLLS_ADDRESS", "E_PROFINET_ModPolls_Address", F::Number, "0", nullptr, Types(4, 25)},
    {"PROFINET_ENABLE_CANOPEN_CMD", "CB_PROFINET_CANopen_CMD", F::Flag, "0", nullptr, Types(8)},
    {"PROFINET_CANOPEN_CMD_INDEX", "E_PROFINET_CANopen_CMD", F::Number, "0", nullptr, Types(8)},

    // DeviceNet master and slave.
    {"DNETM_ID_DEV", "E_ID_DNET_Master", F::Number, "0", nullptr, Types(1)},
    {"DNETM_BAUDRATE", "CB_Baud_DNET_Master", F::ItemIndex, "2", nullptr, Types(1)},
    {"DNETS_ID_DEV", "E_ID_DNET_Slave", F::Number, "10", nullptr, Types(2)},
    {"DNETS_BAUDRATE", "CB_Baud_DNET_Slave", F::ItemIndex, "2", nullptr, Types(2)},
    {"DNETS_NB_IN", "E_NB_IN_DNET_Slave", F::Number, "455", nullptr, Types(2)},
    {"DNETS_NB_OUT", "E_NB_OUT_DNET_Slave", F::Number, "455", nullptr, Types(2)},

    // PROFIBUS slave. Type 23 shows the reset box too, so it stores it as well.
    {"PROFIBUS_SLAVE_ID_DEV", "E_ID_DEV_PROFI_Slave", F::Number, "10", nullptr, Types(3, 23)},
    {"PROFIBUS_SLAVE_BAUDRATE", "CB_Baud_PROFI_Slave", F::ItemIndex, "0", nullptr, Types(3, 23), ParLoad::Force},
    {"PROFIBUS_SLAVE_NB_IN", "E_B_IN_PROFI_Slave", F::Number, "244", nullptr, Types(3, 23)},
    {"PROFIBUS_SLAVE_NB_OUT", "E_B_OUT_PROFI_Slave", F::Number, "244", nullptr, Types(3, 23)},
    {"PROFIBUS_SLAVE_RESET_DATA", "CB_PROFI_Slave_Reset_Data", F::Flag, "0", nullptr, Types(3, 23)},

    // J1939 and NMEA 2000.
    {"J1939_BAUDRATE", "CB_Baud_J1939", F::ItemIndex, "5", nullptr, Types(6, 14)},
    {"J1939_TIMEOUT", "E_TO_J1939", F::Number, "0", nullptr, Types(6, 14)},
    {"J1939_PEER_TO_PEER", "CB_En_Peer_J1939", F::Flag, "0", nullptr, Types(6, 14)},
    {"J1939_ID", "E_J1939_DeviceID", F::Number, "0", nullptr, Types(6, 14)},
    {"NMEA2000_BAUDRATE", "CB_Baud_NMEA2000", F::ItemIndex, "5", nullptr, Types(7, 28)},
    {"NMEA2000_TIMEOUT", "E_TO_NMEA2000", F::Number, "0", nullptr, Types(7, 28)},
    {"NMEA2000_PEER_TO_PEER", "CB_En_Peer_NMEA2000", F::Flag, "0", nullptr, Types(7, 28)},

    // CANopen.
    {"CANopen_IDDev", "E_ID_CANopen", F::Number, "1", nullptr, Types(8, 24)},
    {"CANopen_BAUDRATE", "CB_Baud_CANopen", F::ItemIndex, "5", nullptr, Types(8, 24)},
    {"CANopen_Set_Operational", "CB_Set_Ope_CANopen", F::Flag, "0", nullptr, Types(8, 24)},
    {"CANopen_Network_Start", "CB_Net_Ope_CANopen", F::Flag, "0", nullptr, Types(8, 24)},
    {"CANopen_Delay", "E_NO_Delay_CANopen", F::Number, "0", nullptr, Types(8, 24)},
    {"CANopen_SDO_TimeOut", "E_SDO_TO_CANopen", F::Number, "10000", nullptr, Types(8, 24)},
    {"CANopen_Sync_Enable", "CB_CANopen_En_Sync", F::Flag, "0", nullptr, Types(8, 24)},
    {"CANopen_Sync_Time", "E_CANopen_Sync_Time", F::Number, "1000", nullptr, Types(8, 24)},
    {"CANopen_Enable_Restart", "CB_CANopen_En_Restart", F::Flag, "0", nullptr, Types(8)},
    {"CANopen_Enable_Reset_Data", "CB_CANopen_En_Reset_Data", F::Flag, "0", nullptr, Types(8)},
    {"CANopen_Triggered_SDO_Enable", "CB_CANopen_En_TSDO", F::Flag, "0", nullptr, Types(8, 24)},
    {"CANopen_Triggered_SDO_Address_Input", "E_CANopen_TSDO_Add_In", F::Number, "0", nullptr, Types(8, 24)},
    {"CANopen_Triggered_SDO_Address_Output", "E_CANopen_TSDO_Add_Out", F::Number, "0", nullptr, Types(8, 24)},

    // Serial line.
    {"SERIAL_SERIAL", "CB_Serial_Serial", F::ItemIndex, "0", nullptr, Types(9)},
    {"SERIAL_BAUDRATE", "CB_Baud_Serial", F::ItemIndex, "7", nullptr, Types(9)},
    {"SERIAL_PARITY", "CB_Parity_Serial", F::ItemIndex, "0", nullptr, Types(9)},

    // M-Bus.
    {"PROFINET_AUTO_CALC_BYTE", "CB_Auto_Calc_Bytes", F::Flag, "0", nullptr, Types(10)},
    {"PROFINET_AUTO_CALC_BYTE", "CB_Auto_Calc_Bytes", F::Flag, "0", nullptr, Types(21), ParLoad::Skip, "0"},
    {"Working_mode", "RB_WM_Single_Slave_Mbus", F::WorkingMode, "0", nullptr, Types(10, 21)},
    {"Meter_Baud", "CB_Baud_Mbus", F::ItemIndex, "0", nullptr, Types(10, 21)},
    {"Meter_Par", "CB_Parity_Mbus", F::ItemIndex, "2", nullptr, Types(10, 21)},
    {"Meter_Req_Delay", "E_CD_Mbus", F::Number, "100", nullptr, Types(10, 21)},
    {"Meter_NS_Error_Code", "E_NSE_MBus", F::Number, "0", nullptr, Types(10, 21)},

    // Modbus slave.
    {"MODBUS_SLAVE_NB_IN", "E_NB_IN_PROFINET", F::Number, "512", nullptr, Types(5, 26)},
    {"MODBUS_SLAVE_NB_OUT", "E_NB_OUT_PROFINET", F::Number, "512", nullptr, Types(5, 26)},
    {"MODBUS_SLAVE_SERIAL", "CB_Serial_Modbus_Slave", F::ItemIndex, "0", nullptr, Types(5, 16, 26)},
    {"MODBUS_SLAVE_BAUDRATE", "CB_Baud_Modbus_Slave", F::ItemIndex, "7", nullptr, Types(5, 16, 26)},
    {"MODBUS_SLAVE_PARITY", "CB_Par_Modbus_Slave", F::ItemIndex, "0", nullptr, Types(5, 16, 26)},
    {"MODBUS_SLAVE_IDDEVICE", "E_ID_Modbus_Slave", F::Number, "10", nullptr, Types(5, 16, 26)},
    {"MODBUS_SLAVE_READ_INPUT_REG", "CB_Read_IR", F::Flag, "0", "1", Types(5, 26)},
    {"MODBUS_SLAVE_SWAPBYTES", "CB_ModSlave_SwapBytes", F::Flag, "0", nullptr, Types(16)},

    // SNMP agent rows of the network box.
    {"SNMP_AUX_INT_DIM", "CB_Aux_Int_Dim", F::ItemIndex, "0", nullptr, Types(15, 17, 21)},
    {"SNMP_Contact", "E_SNMP_PROFINET_Contact", F::Text, "", nullptr, Types(15, 16, 18, 19, 1018)},
    {"SNMP_Location", "E_SNMP_PROFINET_Location", F::Text, "", nullptr, Types(15, 16, 18, 19, 1018)},
    {"SNMP_MapType", "CB_SNMP_PROFINET_Map_Type", F::ItemIndex, "0", nullptr, Types(16)},
    {"SNMP_MapType", "CB_SNMP_PROFINET_Map_Type", F::ItemIndex, "0", "1", Types(18, 19)},
    {"SNMP_MapType", "CB_SNMP_PROFINET_Map_Type", F::ItemIndex, "1", nullptr, Types(1018), ParLoad::Force, "1"},

    // Modbus master.
    {"MODBUS_MASTER_SERIAL", "CB_Serial_Modbus_Master", F::ItemIndex, "0", nullptr, kModbusMaster},
    {"MODBUS_MASTER_BAUDRATE", "CB_Baud_Modbus_Master", F::ItemIndex, "7", nullptr, kModbusMaster},
    {"MODBUS_MASTER_PARITY", "CB_Par_Modbus_Master", F::ItemIndex, "0", nullptr, kModbusMaster},
    {"MODBUS_MASTER_STOPBITS", "CB_Stop_Modbus_Master", F::ItemIndex, "0", nullptr, Types(4, 25)},
    {"MODBUS_MASTER_TIMEOUT", "E_TO_Modbus_Master", F::Number, "1000", nullptr, kModbusMaster},
    {"MODBUS_MASTER_CYCLICDELAY", "E_CD_Modbus_Master", F::Number, "100", nullptr, kModbusMaster},
    {"MODBUS_MASTER_ENABLE_POLL", "CB_En_Poll_PROFI_OK_Modbus_Master", F::Flag, "0", nullptr, Types(4, 25)},

    // CAN.
    {"CAN_BAUDRATE", "CAN_Baud", F::ItemIndex, "9", nullptr, Types(0, 15, 27)},

    // Modbus TCP master block.
    {"Modbus_TCP_Master_TimeOut", "E_TO_Modbus_TCP_Master", F::Number, "1000", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_Cyclic", "E_CD_Modbus_TCP_Master", F::Number, "100", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_IP1", "E_IP1_Modbus_TCP_Master", F::Number, "192", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_IP2", "E_IP2_Modbus_TCP_Master", F::Number, "168", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_IP3", "E_IP3_Modbus_TCP_Master", F::Number, "0", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_IP4", "E_IP4_Modbus_TCP_Master", F::Number, "5", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_SM1", "E_SM1_Modbus_TCP_Master", F::Number, "255", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_SM2", "E_SM2_Modbus_TCP_Master", F::Number, "255", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_SM3", "E_SM3_Modbus_TCP_Master", F::Number, "255", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_SM4", "E_SM4_Modbus_TCP_Master", F::Number, "0", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_GAT1", "E_GAT1_Modbus_TCP_Master", F::Number, "192", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_GAT2", "E_GAT2_Modbus_TCP_Master", F::Number, "168", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_GAT3", "E_GAT3_Modbus_TCP_Master", F::Number, "0", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_GAT4", "E_GAT4_Modbus_TCP_Master", F::Number, "1", nullptr, Types(11, 19)},
    {"Modbus_TCP_Master_EN_GAT", "CB_En_GAT_Modbus_TCP_Master", F::Flag, "0", nullptr, Types(11, 19)},

    // Modbus TCP slave block.
    {"Modbus_TCP_Slave_Port", "E_Port_Modbus_TCP_Slave", F::Number, "502", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_IP1", "E_IP1_Modbus_TCP_Slave", F::Number, "192", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_IP2", "E_IP2_Modbus_TCP_Slave", F::Number, "168", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_IP3", "E_IP3_Modbus_TCP_Slave", F::Number, "0", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_IP4", "E_IP4_Modbus_TCP_Slave", F::Number, "5", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_SM1", "E_SM1_Modbus_TCP_Slave", F::Number, "255", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_SM2", "E_SM2_Modbus_TCP_Slave", F::Number, "255", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_SM3", "E_SM3_Modbus_TCP_Slave", F::Number, "255", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_SM4", "E_SM4_Modbus_TCP_Slave", F::Number, "0", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_GAT1", "E_GAT1_Modbus_TCP_Slave", F::Number, "192", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_GAT2", "E_GAT2_Modbus_TCP_Slave", F::Number, "168", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_GAT3", "E_GAT3_Modbus_TCP_Slave", F::Number, "0", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_GAT4", "E_GAT4_Modbus_TCP_Slave", F::Number, "1", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_EN_GAT", "CB_En_GAT_Modbus_TCP_Slave", F::Flag, "0", nullptr, Types(12, 17)},
    {"Modbus_TCP_Slave_READ_INPUT_REG", "CB_Modbus_TCP_Slave_Read_IR", F::Flag, "0", "1", Types(12)},

    // EtherNet/IP.
    {"EtherNetIP_IP1", "E_EIP_IP1", F::Number, "192", nullptr, Types(13)},
    {"EtherNetIP_IP2", "E_EIP_IP2", F::Number, "168", nullptr, Types(13)},
    {"EtherNetIP_IP3", "E_EIP_IP3", F::Number, "0", nullptr, Types(13)},
    {"EtherNetIP_IP4", "E_EIP_IP4", F::Number, "5", "10", Types(13)},
    {"EtherNetIP_SM1", "E_EIP_SM1", F::Number, "255", nullptr, Types(13)},
    {"EtherNetIP_SM2", "E_EIP_SM2", F::Number, "255", nullptr, Types(13)},
    {"EtherNetIP_SM3", "E_EIP_SM3", F::Number, "255", nullptr, Types(13)},
    {"EtherNetIP_SM4", "E_EIP_SM4", F::Number, "0", nullptr, Types(13)},
    {"EtherNetIP_GAT1", "E_EIP_GAT1", F::Number, "192", nullptr, Types(13)},
    {"EtherNetIP_GAT2", "E_EIP_GAT2", F::Number, "168", nullptr, Types(13)},
    {"EtherNetIP_GAT3", "E_EIP_GAT3", F::Number, "0", nullptr, Types(13)},
    {"EtherNetIP_GAT4", "E_EIP_GAT4", F::Number, "1", nullptr, Types(13)},
    {"EtherNetIP_EN_GAT", "CB_EIP_EN_GAT", F::Flag, "0", nullptr, Types(13)},
    {"EtherNetIP_PORT", "E_EIP_PORT", F::Number, "44818", nullptr, Types(13), ParLoad::Force},

    // SNMP box of type 20.
    {"SNMP_IP1", "E_SNMP_IP1", F::Number, "192", nullptr, Types(20)},
    {"SNMP_IP2", "E_SNMP_IP2", F::Number, "168", nullptr, Types(20)},
    {"SNMP_IP3", "E_SNMP_IP3", F::Number, "0", nullptr, Types(20)},
    {"SNMP_IP4", "E_SNMP_IP4", F::Number, "11", nullptr, Types(20)},
    {"SNMP_SM1", "E_SNMP_SM1", F::Number, "255", nullptr, Types(20)},
    {"SNMP_SM2", "E_SNMP_SM2", F::Number, "255", nullptr, Types(20)},
    {"SNMP_SM3", "E_SNMP_SM3", F::Number, "255", nullptr, Types(20)},
    {"SNMP_SM4", "E_SNMP_SM4", F::Number, "0", nullptr, Types(20)},
    {"SNMP_GAT1", "E_SNMP_GAT1", F::Number, "192", nullptr, Types(20)},
    {"SNMP_GAT2", "E_SNMP_GAT2", F::Number, "168", nullptr, Types(20)},
    {"SNMP_GAT3", "E_SNMP_GAT3", F::Number, "0", nullptr, Types(20)},
    {"SNMP_GAT4", "E_SNMP_GAT4", F::Number, "1", nullptr, Types(20)},
    {"SNMP_EN_GAT", "CB_SNMP_En_Gat", F::Flag, "0", nullptr, Types(20)},
    {"SNMP_Name_of_Station", "E_SNMP_Name_Of_Station", F::Text, "snmpname1", nullptr, Types(20)},
    {"SNMP_Contact", "E_SNMP_Contact", F::Text, "", nullptr, Types(20)},
    {"SNMP_Location", "E_SNMP_Location", F::Text, "", nullptr, Types(20)},
    {"SNMP_VERSION1", "CB_SNMP_Version", F::Version, nullptr, nullptr, Types(20), ParLoad::Read, nullptr, 0},
    {"SNMP_VERSION2", "CB_SNMP_Version", F::Version, nullptr, nullptr, Types(20), ParLoad::Read, nullptr, 1},
    {"SNMP_VERSION3", "CB_SNMP_Version", F::Version, nullptr, nullptr, Types(20), ParLoad::Read, nullptr, 2},
    {"SNMP_VER3_USER", "E_SNMP_User", F::Text, "", nullptr, Types(20)},
    {"SNMP_VER3_SECURITY_LEVEL", "CB_SNMP_Secure_Lev", F::SecurityLevel, "NoAuth NoPriv", nullptr, Types(20)},
    {"SNMP_VER3_AUTHORITY", "E_SNMP_Auth_Pass", F::Text, "", nullptr, Types(20)},
    {"SNMP_VER3_AUTHORITY_MODE", "CB_SNMP_Auth_Mode", F::AuthMode, "MD5", nullptr, Types(20)},
    {"SNMP_VER3_PRIVACY", "E_SNMP_Priv_Pass", F::Text, "", nullptr, Types(20)},
    {"SNMP_VER3_PRIVACY_MODE", "CB_SNMP_Priv_Mode", F::PrivacyMode, "DES", nullptr, Types(20)},
};
// clang-format on

} // namespace

QList<const ParGenElement*> ParGenElementsOf(int type)
{
    QList<const ParGenElement*> rows;
    for (const ParGenElement& e : kElements) {
        if (e.types.Has(type))
            rows.append(&e);
    }
    return rows;
}

QStringList ParGenElementNames(int type)
{
    QStringList names;
    for (const ParGenElement* e : ParGenElementsOf(type))
        names.append(QString::fromLatin1(e->element));
    return names;
}

QString ParGenVersionComment(int type)
{
    return QStringLiteral("SW_VERSION = ") + VersionOf(type);
}

bool ReadParGenElement(const XmlDocument& doc, const QString& name, QString& text)
{
    return XmlChildText(doc.Root(), name, text);
}
