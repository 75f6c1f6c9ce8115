#include "device_type.h"

int DeviceType = 29;

const char* const BrandVariantName = "TKL-VRN Desktop";

namespace {

const DeviceTypeInfo kTypes[] = {
    {0, "QS52280", "PROFINET / CAN - Converter", "PROFINET / CAN", "1.107"},
    {1, "QS52300", "PROFINET / DeviceNet Master - Converter", "PROFINET / DeviceNet m", "1.101"},
    {2, "QS52310", "PROFINET / DeviceNet Slave - Converter", "PROFINET / DeviceNet s", "1.101"},
    {3, "QS52270", "PROFINET / PROFIBUS Slave - Converter", "PROFINET / PROFIBUS s", "1.200"},
    {4, "QS52240", "PROFINET / Modbus Master - Converter", "PROFINET / Modbus m", "1.803"},
    {5, "QS52250", "PROFINET / Modbus Slave - Converter", "PROFINET / Modbus s", "1.203"},
    {6, "QS52320", "PROFINET / J1939 - Converter", "PROFINET / J1939", "1.202"},
    {7, "QS52220", "PROFINET / NMEA 2000 - Converter", "PROFINET / NMEA 2000", "1.002"},
    {8, "QS52290", "PROFINET / CANopen - Converter", "PROFINET / CANopen", "1.501"},
    {9, "QS52230", "PROFINET / Serial - Converter", "PROFINET / Serial", "1.003"},
    {10, "QS52020", "PROFINET / M-Bus - Converter", "PROFINET / M-Bus", "1.305"},
    {11, "QS52330", "PROFINET / Modbus TCP Master - Converter", "PROFINET / Modbus TCP Master", "1.107"},
    {12, "QS52340", "PROFINET / Modbus TCP Slave - Converter", "PROFINET / Modbus TCP Slave", "1.104"},
    {13, "QS52370", "PROFINET / EtherNet/IP - Converter", "PROFINET / EtherNet/IP", "1.004"},
    {14, "QS52180", "PROFINET / J1939 - Converter", "PROFINET / J1939", "1.100"},
    {15, "QS52040", "CAN / SNMP - Converter", "CAN / SNMP", "1.201"},
    {16, "QS52070", "Modbus Slave / SNMP - Converter", "Modbus Slave / SNMP", "1.100"},
    {17, "QS52090", "Modbus TCP Slave / SNMP - Converter", "Modbus TCP Slave / SNMP", "1.000"},
    {18, "QS52060", "Modbus Master / SNMP - Converter", "Modbus Master / SNMP", "1.605"},
    {19, "QS52080", "Modbus TCP Master / SNMP - Converter", "Modbus TCP Master / SNMP", "1.501"},
    {20, "QS52350", "PROFINET Slave / SNMP - Converter", "PROFINET Slave / SNMP", "1.200"},
    {21, "QS52050", "M-Bus Master / SNMP Agent - Converter", "M-Bus Master / SNMP Agent", "1.200"},
    {22, "QS52360", "DMX / PROFINET - Converter", "DMX / PROFINET", "1.002"},
    {23, "QS52100", "PROFIBUS slave / SNMP Agent - Converter", "PROFIBUS slave / SNMP Agent", "1.000"},
    {24, "QS52160", "PROFINET / CANopen - Converter", "PROFINET / CANopen", "1.000"},
    {25, "QS527-K101", "PROFINET / Modbus Master - Converter", "PROFINET / Modbus m", "1.000"},
    {26, "QS527-K102", "PROFINET / Modbus Slave - Converter", "PROFINET / Modbus s", "1.000"},
    {27, "QS52140", "PROFINET / CAN - Converter", "PROFINET / CAN", "1.000"},
    {28, "QS52190", "PROFINET / NMEA 2000 - Converter", "PROFINET / NMEA 2000", "1.000"},
    {29, "QS527-K103", "DMX / PROFINET - Converter", "DMX / PROFINET", "1.000"},
    {1018, "TKL-VRN Desktop", "Modbus Master / SNMP - Converter", "Modbus Master / SNMP", "1.605"},
};
constexpr int kTypeCount = sizeof(kTypes) / sizeof(kTypes[0]);
static_assert(kTypeCount == 31);

QString Replaced(const char* code, const char* prefix)
{
    QString s = QString::fromLatin1(code);
    if (s.startsWith(QLatin1String("QS")))
        s.replace(0, 2, QLatin1String(prefix));
    return s;
}

} // namespace

const char* const SoftwareCodeTable[31] = {
    "QS52280", "QS52300", "QS52310", "QS52270", "QS52240", "QS52250", "QS52320", "QS52220",
    "QS52290", "QS52230", "QS52020", "QS52330", "QS52340", "QS52370", "QS52180", "QS52040",
    "QS52070", "QS52090", "QS52060", "QS52080", "QS52350", "QS52050", "QS52360", "QS52100",
    "QS52160", "QS527-K101", "QS527-K102", "QS52140", "QS52190", "QS527-K103", "TKL-VRN Desktop",
};

const char* const DescriptionTable[30] = {
    "PROFINET / CAN - Converter", "PROFINET / DeviceNet Master - Converter",
    "PROFINET / DeviceNet Slave - Converter", "PROFINET / PROFIBUS Slave - Converter",
    "PROFINET / Modbus Master - Converter", "PROFINET / Modbus Slave - Converter",
    "PROFINET / J1939 - Converter", "PROFINET / NMEA 2000 - Converter",
    "PROFINET / CANopen - Converter", "PROFINET / Serial - Converter",
    "PROFINET / M-Bus - Converter", "PROFINET / Modbus TCP Master - Converter",
    "PROFINET / Modbus TCP Slave - Converter", "PROFINET / EtherNet/IP - Converter",
    "PROFINET / J1939 - Converter", "CAN / SNMP - Converter",
    "Modbus Slave / SNMP - Converter", "Modbus TCP Slave / SNMP - Converter",
    "Modbus Master / SNMP - Converter", "Modbus TCP Master / SNMP - Converter",
    "PROFINET Slave / SNMP - Converter", "M-Bus Master / SNMP Agent - Converter",
    "DMX / PROFINET - Converter", "PROFIBUS slave / SNMP Agent - Converter",
    "PROFINET / CANopen - Converter", "PROFINET / Modbus Master - Converter",
    "PROFINET / Modbus Slave - Converter", "PROFINET / CAN - Converter",
    "PROFINET / NMEA 2000 - Converter", "DMX / PROFINET - Converter",
};

const char* const VersionCheckCodeTable[30] = {
    "QS52280", "QS52300", "QS52310", "QS52270", "QS52240", "QS52250", "QS52320", "QS52220",
    "QS52290", "QS52230", "QS52020", "QS52330", "QS52340", "QS52370", "QS52180", "QS52040",
    "QS52070", "QS52090", "QS52060", "QS52080", "QS52350", "QS52050", "QS52360", "QS52100",
    "QS52160", "QS527-K101", "QS527-K102", "QS52140", "QS52190", "QS527-K103",
};

const DeviceTypeInfo* FindDeviceType(int type)
{
    for (const DeviceTypeInfo& info : kTypes)
        if (info.type == type)
            return &info;
    return nullptr;
}

const DeviceTypeInfo* AllDeviceTypes(int* count)
{
    if (count)
        *count = kTypeCount;
    return kTypes;
}

QString SoftwareCodeOf(int type)
{
    const DeviceTypeInfo* info = FindDeviceType(type);
    return info ? QString::fromLatin1(info->softwareCode) : QString();
}

QString DescriptionOf(int type)
{
    const DeviceTypeInfo* info = FindDeviceType(type);
    return info ? QString::fromLatin1(info->description) : QString();
}

QString MainCaptionOf(int type)
{
    const DeviceTypeInfo* info = FindDeviceType(type);
    if (!info)
        return QString();
    const QString brand = type == BrandVariantType ? QStringLiteral("Brenhart") : QStringLiteral("Keltrona");
    return QStringLiteral("%1 - Orvano %2 - %3 ")
        .arg(brand, QString::fromLatin1(info->softwareCode), QString::fromLatin1(info->captionText));
}

QString VersionOf(int type)
{
    const DeviceTypeInfo* info = FindDeviceType(type);
    return info ? QString::fromLatin1(info->version) : QString();
}

QString DocumentCodeOf(int type)
{
    if (type == BrandVariantType)
        return QString();
    const DeviceTypeInfo* info = FindDeviceType(type);
    return info ? Replaced(info->softwareCode, "QM") : QString();
}

QString DeviceCodeOf(int type)
{
    const DeviceTypeInfo* info = FindDeviceType(type);
    if (!info || type == BrandVariantType)
        return QStringLiteral("GX52280");
    return Replaced(info->softwareCode, "GX");
}

QString ModelNumberOf(int type)
{
    const DeviceTypeInfo* info = FindDeviceType(type);
    if (!info || type == BrandVariantType)
        return QString();
    return QString::fromLatin1(info->softwareCode).mid(2);
}

bool IsSnmpAgentType(int type)
{
    switch (type) {
    case 15: case 16: case 17: case 18: case 19: case 21: case 23: case BrandVariantType:
        return true;
    default:
        return false;
    }
}
