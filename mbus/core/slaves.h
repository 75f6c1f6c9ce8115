#pragma once
// What a scan finds: wired meters (TSlave_MBus) and wireless meters
// (TSlave_wMBus), each with the data records of its telegrams
// (TVariable_MBus). WiredSlaveList and WirelessSlaveList
// (app/common/workspace.h) hold them.
#include <QDateTime>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace mbus {

// One decoded data record.
struct TVariable_MBus
{
    uint32_t dato_A = 0;          // data bytes 0..3, little-endian
    uint32_t dato_B = 0;          // data bytes 4..7
    uint8_t dimension = 0;        // data field (DIF bits 0-3)
    uint16_t function_fild = 0;   // function field (DIF bits 4-5)
    int64_t storage_number = 0;
    uint32_t tarif = 0;           // up to 20 bits from ten DIFEs
    uint16_t device = 0;          // subunit
    uint16_t type_data = 0;       // type code; 65535: none
    uint16_t scale = 0;
    bool errata = false;          // not analysable
    QString sterror;
    int32_t nbyte = 0;            // data bytes
    QString descdim;
    int32_t numdife = 0;
    int32_t numvife = 0;
    int32_t vifvalue = -1;        // the VIF, or the first VIFE after FB/FD
    int32_t PrinVIFE = 0;
    uint8_t casovif = 0;          // 0 primary, 1 FD, 2 FB, 100 manufacturer, 101 plain text
    int32_t numdato = 0;
    uint8_t VIF = 0;
    QString VIFE;                 // "$XX " per VIFE
    QString DIF;                  // "$XX"
    QString DIFE;                 // "$XX " per DIFE
    QString totdati;              // the data bytes in hexadecimal
    QString VIF_ASCII;            // plain-text unit in reading order
    QString Description;
    QString datagiorno;           // date of decoding
    QString tempo;                // time of decoding
    QString icon;
    int32_t Type_Data_Vife = 0;
    QString Desc_Type_Data;
    QString ValueStr;
    QString FunctionFieldStr;
    QString DataFieldStr;
    bool Enable = true;           // the scan window's tick
    bool Real_Wireless_Var = true;   // false only for the wireless filler marker
};

// A wired meter and the records of all its telegrams.
struct TSlave_MBus
{
    uint16_t Primary_Addresss = 0;
    QString Secondary_Addresss;   // identification number as hexadecimal text
    uint32_t Manufacture = 0;
    uint32_t Version = 0;
    uint32_t Medium = 0;
    uint32_t Status = 0;
    QString descManufacture;
    QString descmedium;
    QString description;
    std::vector<TVariable_MBus> List_Var;
    bool Enable = true;           // the scan window's tick
};

// A wireless meter and the records of its last decoded frame.
struct TSlave_wMBus
{
    uint8_t Message_Type = 0;
    uint16_t LLA_Manufacturer = 0;
    QString LLA_Manu_str;
    uint32_t LLA_Address = 0;
    uint8_t LLA_Version = 0;
    uint8_t LLA_DeviceType = 0;
    uint16_t ALA_Manufacturer = 0;
    QString ALA_Manu_str;
    uint32_t ALA_Address = 0;
    uint8_t ALA_Version = 0;
    uint8_t ALA_DeviceType = 0;
    int8_t RSSI = 0;
    QDateTime DateTime;
    bool Cripted = false;
    bool Enable = true;
    bool Enable_Key = false;
    std::array<uint8_t, 16> Key{};
    int32_t RadioCrafts_Ind_Tab_Decript = -1;
    std::vector<TVariable_MBus> List_Var;
};

// The lists of a scan. A meter lives as long as a list (or a window) holds
// it: clear() frees every meter with its records.
using WiredSlaves = QList<std::shared_ptr<TSlave_MBus>>;
using WirelessSlaves = QList<std::shared_ptr<TSlave_wMBus>>;

} // namespace mbus
