#include "generators/gsdml_models.h"

namespace gen {

namespace {

using device::Types;

// clang-format off
constexpr GsdmlWriter kWriters[] = {
    {1, Types(0, 27), GsdmlTemplate::A, false, false, false,
     "CAN", "Profinet CAN Adapter", "device CAN", "CAN",
     "CAN", "Description of CAN", "Module of a CAN", "Description of module of a CAN", "Digital input CAN",
     "Digital input bit CAN"},
    {2, Types(1), GsdmlTemplate::A, false, false, false,
     "DEVICENET", "Profinet DEVICENET Master Adapter", "device DEVICENET", "DEVICENET",
     "DEVICENET ", "Description of DEVICENET", "Module of a DEVICENET", "Description of module of a DEVICENET",
     "Digital input DEVICENET", "Digital input bit DEVICENET"},
    {3, Types(2), GsdmlTemplate::A, false, false, false,
     "DEVICENET", "Profinet DEVICENET Slave Adapter", "device DEVICENET", "DEVICENET",
     "DEVICENET ", "Description of DEVICENET", "Module of a DEVICENET", "Description of module of a DEVICENET",
     "Digital input DEVICENET", "Digital input bit DEVICENET"},
    {4, Types(3), GsdmlTemplate::A, false, true, false,
     "PROFIBUSslave", "PROFIBUS Adapter", "device PROFIBUSSlave", "PROFIBUSSlave",
     "PROFIBUSSlave ", "Description of PROFIBUSSlave", "Module of a PROFIBUSSlave",
     "Description of module of a PROFIBUSSlave", "Digital input PROFIBUSSlave", "Digital input bit PROFIBUSSlave"},
    {5, Types(4, 25), GsdmlTemplate::A, false, false, true,
     "Serial", "Profinet MODBUS Master Adapter", "dispositivo MODBUS", "MODBUS",
     "PROFIBUS slave", "Description of MODBUS master", "Module of a MODBUS master",
     "Description of module of a MODBUS master", "Digital input MODBUS master", "Digital input bit MODBUS master"},
    {6, Types(5, 26), GsdmlTemplate::A, false, false, false,
     "ModbusSlave", "Profinet Modbus Slave Adapter", "device MODBUS", "MODBUS",
     "MODBUS Slave ", "Description of MODBUS Slave", "Module of a MODBUS Slave",
     "Description of module of a MODBUS Slave", "Digital input MODBUS Slave", "Digital input bit ModBusSlave"},
    {7, Types(6), GsdmlTemplate::B, false, false, false,
     "J1939Device", "Profinet J1939 Adapter", "device J1939", "J1939",
     "J1939 Slave ", "Description of J1939", "Module of a J1939", "Description of module of a J1939",
     "Digital input J1939", "Digital input bit J1939"},
    {8, Types(7), GsdmlTemplate::B, false, false, false,
     "NMEA2000Device", "Profinet NMEA2000 Adapter", "device NMEA2000", "NMEA2000",
     "NMEA2000 Slave ", "Description of NMEA2000", "Module of a NMEA2000", "Description of module of a NMEA2000",
     "Digital input NMEA2000", "Digital input bit NMEA2000"},
    {9, Types(8), GsdmlTemplate::A, false, false, false,
     "CANOPEN", "Profinet CANOPEN Adapter", "CANOPEN Device", "CANOPEN",
     "CANOPEN Master ", "Description of CANOPEN", "Module of a CANOPEN", "Description of module of a CANOPEN module",
     "Digital input CANOPEN module", "Digital input bit CANOPEN module"},
    {10, Types(9), GsdmlTemplate::B, true, false, false,
     "Serial", "Profinet SerialPort  Adapter", "device SerialPort ", "SerialPort ",
     "SerialPort  Slave ", "Description of SerialPort ", "Module of a SerialPort ",
     "Description of module of a SerialPort ", "Digital input SerialPort ", "Digital input bit SerialPort "},
    {11, Types(10), GsdmlTemplate::A, false, false, false,
     "MBmaster", "Profinet MBUS master Adapter", "dispositivo MBUS", "MBUS",
     "MBUS master ", "Description of MBUS master", "Module of a MBUS master",
     "Description of module of a MBUS master", "Digital input MBUS master", "Digital input bit MBUS master"},
    {12, Types(11), GsdmlTemplate::A, false, false, false,
     "TCPmaster", "Modbus TCP Master Adapter", "Modbus TCP Device", "Modbus TCP",
     "Modbus TCP Master ", "Description of Modbus TCP", "Module of a Modbus TCP",
     "Description of module of a Modbus TCP Master", "Digital input Modbus TCP Master",
     "Digital input bit Modbus TCP Master"},
    {13, Types(12), GsdmlTemplate::A, false, false, false,
     "TCPSlave", "Modbus TCP Slave Adapter", "device ModBusTCPSlave", "ModBusTCPSlave",
     "ModBusTCPSlave ", "Description of ModBusTCPSlave", "Module of a ModBusTCPSlave",
     "Description of module of a ModBusTCPSlave", "Digital input ModBusTCPSlave", "Digital input bit ModBusTCPSlave"},
    {14, Types(13), GsdmlTemplate::A, false, false, false,
     "EtherNet/IP", "Profinet EtherNet/IP Adapter", "device EtherNet/IP", "EtherNet/IP",
     "EtherNet/IP", "Description of EtherNet/IP", "Module of a EtherNet/IP", "Description of module of a EtherNet/IP",
     "Digital input EtherNet/IP", "Digital input bit EtherNet/IP"},
    {15, Types(14), GsdmlTemplate::A, false, false, false,
     "J1939Device", "Profinet J1939 Adapter", "device J1939", "J1939",
     "J1939 Slave ", "Description of J1939", "Module of a J1939", "Description of module of a J1939",
     "Digital input J1939", "Digital input bit J1939"},
    {16, Types(20), GsdmlTemplate::A, false, false, false,
     "SNMPAgent", "SNMP Agent Adapter", "device SNMPAgent", "SNMPAgent",
     "SNMPAgent ", "Description of SNMPAgent", "Module of a SNMPAgent", "Description of module of a SNMPAgent",
     "Digital input SNMPAgent", "Digital input bit SNMPAgent"},
    {17, Types(22, 29), GsdmlTemplate::A, false, false, false,
     "DMXSlave", "DMX Adapter", "device DMXSlave", "DMXSlave",
     "DMXSlave ", "Description of DMXSlave", "Module of a DMXSlave", "Description of module of a DMXSlave",
     "Digital input DMXSlave", "Digital input bit DMXSlave"},
    {18, Types(24), GsdmlTemplate::A, false, false, false,
     "CANOPEN", "Profinet CANOPEN Adapter", "CANOPEN Device", "CANOPEN",
     "CANOPEN Master ", "Description of CANOPEN", "Module of a CANOPEN", "Description of module of a CANOPEN module",
     "Digital input CANOPEN module", "Digital input bit CANOPEN module"},
    {19, Types(28), GsdmlTemplate::B, false, false, false,
     "NMEA2000Device", "Profinet NMEA 2000 Adapter", "device NMEA 2000", "NMEA 2000",
     "NMEA 2000 Slave ", "Description of NMEA 2000", "Module of a NMEA 2000", "Description of module of a NMEA 2000",
     "Digital input NMEA 2000", "Digital input bit NMEA 2000"},
};

constexpr GsdmlIdentity kIdentities[] = {
    {0, "GX52280", "GX52280-A1"},   {27, "GX52140", "GX52140"},       {1, "GX52300", "GX52300-A1"},
    {2, "GX52310", "GX52310-A1"},   {3, "GX52270", "GX52270-A1"},     {4, "GX52240", "GX52240-A1"},
    {25, "GX527-K101", "GX527-K101"}, {5, "GX52250", "GX52250-A1"},   {26, "GX527-K102", "GX527-K102"},
    {6, "GX52320", "GX52320"},      {7, "GX52220", "GX52220"},        {8, "GX52290", "GX52290"},
    {9, "GX52230", "GX52230"},      {10, "GX52020", "GX52020-B2"},    {11, "GX52330", "GX52330"},
    {12, "GX52340", "GX52340-A1"},  {13, "GX52370", "GX52370-A1"},    {14, "GX52180", "GX52180"},
    {20, "GX52350", "GX52350-A1"},  {22, "GX52360", "GX52360-A1"},    {29, "GX527-K103", "GX527-K103"},
    {24, "GX52160", "GX52160"},     {28, "GX52190", "GX52190"},
};

constexpr GsdmlReading kReadings[] = {
    {Types(0, 27), LengthRule::Elements, "PROFINET_NB_OUT", "PROFINET_NB_IN", 1438, 1438, 1438, StationRule::Read, "SERIAL"},
    {Types(1), LengthRule::Elements, "PROFINET_NB_IN", "PROFINET_NB_OUT", 1438, 1438, 1438, StationRule::Fixed, nullptr},
    {Types(2), LengthRule::Elements, "DNETS_NB_OUT", "DNETS_NB_IN", 455, 455, 455, StationRule::Fixed, nullptr},
    {Types(3), LengthRule::Elements, "PROFIBUS_SLAVE_NB_OUT", "PROFIBUS_SLAVE_NB_IN", 0, 0, 0, StationRule::Fixed, nullptr},
    {Types(4, 25), LengthRule::Elements, "MODBUS_MASTER_NB_OUT", "MODBUS_MASTER_NB_IN", 512, 512, 512, StationRule::Read, "SERIAL"},
    {Types(5, 26), LengthRule::Elements, "MODBUS_SLAVE_NB_OUT", "MODBUS_SLAVE_NB_IN", 512, 512, 512, StationRule::ReadUntrimmed, "gx52250"},
    {Types(6), LengthRule::J1939Sums, nullptr, nullptr, 0, 0, 0, StationRule::Read, "SERIAL"},
    {Types(14), LengthRule::J1939Sums, nullptr, nullptr, 0, 0, 0, StationRule::Fixed, nullptr},
    {Types(7, 28), LengthRule::NmeaSums, nullptr, nullptr, 0, 0, 0, StationRule::Read, "SERIAL"},
    {Types(8), LengthRule::Elements, "PROFINET_NB_OUT", "PROFINET_NB_IN", 1440, 1440, 1440, StationRule::Fixed, nullptr},
    {Types(24), LengthRule::Elements, "PROFINET_NB_OUT", "PROFINET_NB_IN", 1440, 1440, 1440, StationRule::Read, "SERIAL"},
    {Types(9), LengthRule::Elements, "PROFINET_NB_IN", "PROFINET_NB_OUT", 500, 500, 500, StationRule::Read, "SERIAL"},
    {Types(10), LengthRule::Type10, "PROFINET_NB_OUT", nullptr, 1439, 1, 4, StationRule::Read, "devicefl"},
    {Types(11), LengthRule::Elements, "MODBUS_TCP_MASTER_NB_OUT", "MODBUS_TCP_MASTER_NB_IN", 512, 512, 512, StationRule::Fixed, nullptr},
    {Types(12), LengthRule::Elements, "MODBUS_TCP_Slave_NB_OUT", "MODBUS_TCP_Slave_NB_IN", 512, 512, 512, StationRule::Read, "SERIAL"},
    {Types(13), LengthRule::Elements, "PROFINET_NB_OUT", "PROFINET_NB_IN", 496, 496, 496, StationRule::Fixed, nullptr},
    {Types(20), LengthRule::Elements, "PROFINET_NB_IN", "PROFINET_NB_OUT", 1024, 1024, 1024, StationRule::Read, "SERIAL"},
    {Types(22, 29), LengthRule::Dmx, "PROFINET_NB_OUT", "PROFINET_NB_IN", 512, 1, 512, StationRule::Fixed, nullptr},
};

struct FileModelCode
{
    int type;
    const char* code;
};
constexpr FileModelCode kFileModelCodes[] = {
    {0, "GX52280"},  {1, "GX52300"},  {2, "GX52310"},  {3, "GX52270"},  {4, "GX52240"},   {5, "GX52250"},
    {6, "GX52320"},  {7, "GX52220"},  {8, "GX52290"},  {9, "GX52230"},  {10, "GX52020"},  {11, "GX52330"},
    {12, "GX52340"}, {13, "GX52370"}, {14, "GX52180"}, {20, "GX52350"}, {22, "GX52360"},  {24, "GX52160"},
    {25, "GX527K101"}, {26, "GX527K102"}, {27, "GX52140"}, {28, "GX52190"}, {29, "GX527K103"},
};
// clang-format on

} // namespace

const GsdmlWriter* FindGsdmlWriter(int deviceType)
{
    return device::FindTypeRow(kWriters, deviceType);
}

const GsdmlIdentity* FindGsdmlIdentity(int deviceType)
{
    for (const GsdmlIdentity& i : kIdentities)
        if (i.type == deviceType)
            return &i;
    return nullptr;
}

const GsdmlReading* FindGsdmlReading(int deviceType)
{
    return device::FindTypeRow(kReadings, deviceType);
}

const char* GsdmlFileModelCode(int deviceType)
{
    for (const FileModelCode& c : kFileModelCodes)
        if (c.type == deviceType)
            return c.code;
    return nullptr;
}

} // namespace gen
