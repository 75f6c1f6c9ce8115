#include "bank_table.h"

#include "bank_buffers.h"
#include "builders.h"

using device::Types;
using device::FindTypeRow;

const char* const BankFileNames[BankFileCount] = {"bank.bin", "bank1.bin", "bank2.bin", "bank3.bin"};

namespace {

// Builders by device type. A family's builder lives in its own file.
constexpr BuilderRow kBuilders[] = {
    {Types(0, 15, 27), Build_CAN_Banks},
    {Types(1), Build_DNet_Master},
    {Types(2), Build_DNet_Slave},
    {Types(3), Build_Profibus},
    {Types(4, 18, 25, 1018), Build_Modbus_Master},
    {Types(5, 16, 26), Build_Modbus_Slave},
    {Types(6, 14), Build_J1939_Banks},
    {Types(7, 28), Build_NMEA_Banks},
    {Types(8, 24), Build_CANopen_Banks},
    {Types(9), Build_Serial_Banks},
    {Types(10, 21), Build_MBus},
    {Types(11, 19), Build_ModbusTCP_Master},
    {Types(12, 17), Build_ModbusTCP_Slave},
    {Types(13), Build_EtherNetIP},
    {Types(20), Build_PROFINET_SNMP},
    {Types(22, 29), Build_DMX},
    {Types(23), Build_Profibus_SNMP},
};

using S = BankSource;

// Files written by device type, in the order bank.bin, bank1.bin, bank2.bin, bank3.bin.
constexpr BankFileRow kBankFiles[] = {
    {Types(0, 27), {S::None, S::First2048, S::TableImage, S::None}},
    {Types(15), {S::None, S::MainImage, S::TableImage, S::None}},
    {Types(1), {S::MainImage, S::None, S::None, S::None}},
    {Types(2, 9, 12, 13, 17), {S::First2048, S::None, S::None, S::None}},
    {Types(3), {S::ProfibusImage, S::None, S::None, S::None}},
    {Types(4, 25), {S::MainImage, S::None, S::None, S::None}},
    {Types(18, 1018), {S::MainImage, S::None, S::None, S::None}},
    {Types(5, 26), {S::MainImage, S::None, S::None, S::None}},
    {Types(16, 20), {S::MainImage, S::None, S::None, S::None}},
    {Types(23), {S::MainImage, S::None, S::None, S::None}},
    {Types(6, 14, 7, 28), {S::None, S::First2048, S::TableImage, S::None}},
    {Types(8, 24), {S::None, S::MainImage, S::TableImage, S::None}},
    {Types(10, 21), {S::MBus1, S::MBus2, S::MBus3, S::MBus4}},
    {Types(11, 19), {S::MainImage, S::First2048, S::TableImage, S::None}},
    {Types(22), {S::MainImage, S::None, S::None, S::None}},
    {Types(29), {S::None, S::MainImage, S::TableImage, S::None}},
};

} // namespace

const BuilderRow* Find_Builder(int deviceType)
{
    return FindTypeRow(kBuilders, deviceType);
}

const BankFileRow* Find_Bank_Files(int deviceType)
{
    return FindTypeRow(kBankFiles, deviceType);
}

QByteArray Bank_Source_Bytes(const BankBuffers& banks, BankSource source)
{
    switch (source) {
    case S::None:
        return {};
    case S::MainImage:
        return banks.BankImage.Head(banks.BankImage.Length());
    case S::TableImage:
        return banks.BankImage2.Head(banks.BankImage2.Length());
    case S::First2048:
        return banks.BankImage.Head(2048);
    case S::ProfibusImage:
        return banks.ProfibusImage.Head(BankBuffers::ProfibusImageSize);
    case S::MBus1:
    case S::MBus2:
    case S::MBus3:
    case S::MBus4: {
        const BankBuffer& b = banks.MBusImage[static_cast<int>(source) - static_cast<int>(S::MBus1)];
        return b.Head(b.Length());
    }
    }
    return {};
}
