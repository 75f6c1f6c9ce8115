#include "device_type.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct TypeRow
{
    int type;
    const char* code;
    const char* description;
    const char* caption;
    const char* version;
    const char* deviceCode;
    const char* documentCode;
};

// Every model as the user sees it: code, description, caption (with its
// trailing blank), version, and the derived download and document codes.
const TypeRow kRows[] = {
    {0, "QS52280", "PROFINET / CAN - Converter", "Keltrona - Orvano QS52280 - PROFINET / CAN ", "1.107", "GX52280", "QM52280"},
    {1, "QS52300", "PROFINET / DeviceNet Master - Converter", "Keltrona - Orvano QS52300 - PROFINET / DeviceNet m ", "1.101", "GX52300", "QM52300"},
    {2, "QS52310", "PROFINET / DeviceNet Slave - Converter", "Keltrona - Orvano QS52310 - PROFINET / DeviceNet s ", "1.101", "GX52310", "QM52310"},
    {3, "QS52270", "PROFINET / PROFIBUS Slave - Converter", "Keltrona - Orvano QS52270 - PROFINET / PROFIBUS s ", "1.200", "GX52270", "QM52270"},
    {4, "QS52240", "PROFINET / Modbus Master - Converter", "Keltrona - Orvano QS52240 - PROFINET / Modbus m ", "1.803", "GX52240", "QM52240"},
    {5, "QS52250", "PROFINET / Modbus Slave - Converter", "Keltrona - Orvano QS52250 - PROFINET / Modbus s ", "1.203", "GX52250", "QM52250"},
    {6, "QS52320", "PROFINET / J1939 - Converter", "Keltrona - Orvano QS52320 - PROFINET / J1939 ", "1.202", "GX52320", "QM52320"},
    {7, "QS52220", "PROFINET / NMEA 2000 - Converter", "Keltrona - Orvano QS52220 - PROFINET / NMEA 2000 ", "1.002", "GX52220", "QM52220"},
    {8, "QS52290", "PROFINET / CANopen - Converter", "Keltrona - Orvano QS52290 - PROFINET / CANopen ", "1.501", "GX52290", "QM52290"},
    {9, "QS52230", "PROFINET / Serial - Converter", "Keltrona - Orvano QS52230 - PROFINET / Serial ", "1.003", "GX52230", "QM52230"},
    {10, "QS52020", "PROFINET / M-Bus - Converter", "Keltrona - Orvano QS52020 - PROFINET / M-Bus ", "1.305", "GX52020", "QM52020"},
    {11, "QS52330", "PROFINET / Modbus TCP Master - Converter", "Keltrona - Orvano QS52330 - PROFINET / Modbus TCP Master ", "1.107", "GX52330", "QM52330"},
    {12, "QS52340", "PROFINET / Modbus TCP Slave - Converter", "Keltrona - Orvano QS52340 - PROFINET / Modbus TCP Slave ", "1.104", "GX52340", "QM52340"},
    {13, "QS52370", "PROFINET / EtherNet/IP - Converter", "Keltrona - Orvano QS52370 - PROFINET / EtherNet/IP ", "1.004", "GX52370", "QM52370"},
    {14, "QS52180", "PROFINET / J1939 - Converter", "Keltrona - Orvano QS52180 - PROFINET / J1939 ", "1.100", "GX52180", "QM52180"},
    {15, "QS52040", "CAN / SNMP - Converter", "Keltrona - Orvano QS52040 - CAN / SNMP ", "1.201", "GX52040", "QM52040"},
    {16, "QS52070", "Modbus Slave / SNMP - Converter", "Keltrona - Orvano QS52070 - Modbus Slave / SNMP ", "1.100", "GX52070", "QM52070"},
    {17, "QS52090", "Modbus TCP Slave / SNMP - Converter", "Keltrona - Orvano QS52090 - Modbus TCP Slave / SNMP ", "1.000", "GX52090", "QM52090"},
    {18, "QS52060", "Modbus Master / SNMP - Converter", "Keltrona - Orvano QS52060 - Modbus Master / SNMP ", "1.605", "GX52060", "QM52060"},
    {19, "QS52080", "Modbus TCP Master / SNMP - Converter", "Keltrona - Orvano QS52080 - Modbus TCP Master / SNMP ", "1.501", "GX52080", "QM52080"},
    {20, "QS52350", "PROFINET Slave / SNMP - Converter", "Keltrona - Orvano QS52350 - PROFINET Slave / SNMP ", "1.200", "GX52350", "QM52350"},
    {21, "QS52050", "M-Bus Master / SNMP Agent - Converter", "Keltrona - Orvano QS52050 - M-Bus Master / SNMP Agent ", "1.200", "GX52050", "QM52050"},
    {22, "QS52360", "DMX / PROFINET - Converter", "Keltrona - Orvano QS52360 - DMX / PROFINET ", "1.002", "GX52360", "QM52360"},
    {23, "QS52100", "PROFIBUS slave / SNMP Agent - Converter", "Keltrona - Orvano QS52100 - PROFIBUS slave / SNMP Agent ", "1.000", "GX52100", "QM52100"},
    {24, "QS52160", "PROFINET / CANopen - Converter", "Keltrona - Orvano QS52160 - PROFINET / CANopen ", "1.000", "GX52160", "QM52160"},
    {25, "QS527-K101", "PROFINET / Modbus Master - Converter", "Keltrona - Orvano QS527-K101 - PROFINET / Modbus m ", "1.000", "GX527-K101", "QM527-K101"},
    {26, "QS527-K102", "PROFINET / Modbus Slave - Converter", "Keltrona - Orvano QS527-K102 - PROFINET / Modbus s ", "1.000", "GX527-K102", "QM527-K102"},
    {27, "QS52140", "PROFINET / CAN - Converter", "Keltrona - Orvano QS52140 - PROFINET / CAN ", "1.000", "GX52140", "QM52140"},
    {28, "QS52190", "PROFINET / NMEA 2000 - Converter", "Keltrona - Orvano QS52190 - PROFINET / NMEA 2000 ", "1.000", "GX52190", "QM52190"},
    {29, "QS527-K103", "DMX / PROFINET - Converter", "Keltrona - Orvano QS527-K103 - DMX / PROFINET ", "1.000", "GX527-K103", "QM527-K103"},
    {1018, "TKL-VRN Desktop", "Modbus Master / SNMP - Converter", "Brenhart - Orvano TKL-VRN Desktop - Modbus Master / SNMP ", "1.605", "GX52280", ""},
};

TEST(DeviceType, EveryModelsCodesTextsAndVersion)
{
    int count = 0;
    AllDeviceTypes(&count);
    ASSERT_EQ(count, 31);
    for (const TypeRow& r : kRows) {
        SCOPED_TRACE(r.type);
        EXPECT_EQ(SoftwareCodeOf(r.type), QString::fromLatin1(r.code));
        EXPECT_EQ(DescriptionOf(r.type), QString::fromLatin1(r.description));
        EXPECT_EQ(MainCaptionOf(r.type), QString::fromLatin1(r.caption));
        EXPECT_EQ(VersionOf(r.type), QString::fromLatin1(r.version));
        EXPECT_EQ(DeviceCodeOf(r.type), QString::fromLatin1(r.deviceCode));
        EXPECT_EQ(DocumentCodeOf(r.type), QString::fromLatin1(r.documentCode));
        if (r.type < 30) {
            EXPECT_STREQ(SoftwareCodeTable[r.type], r.code);
            EXPECT_STREQ(DescriptionTable[r.type], r.description);
            EXPECT_STREQ(VersionCheckCodeTable[r.type], r.code);
        }
    }
    EXPECT_STREQ(SoftwareCodeTable[30], BrandVariantName);
    EXPECT_STREQ(BrandVariantName, "TKL-VRN Desktop");
}

// The built versions grouped by version, the way the version check and the
// project files' version comment list them: a second reading of the same
// facts, so a slip in one row of the table above does not go unnoticed.
TEST(DeviceType, BuiltVersionsByGroup)
{
    const struct
    {
        const char* version;
        std::vector<int> types;
    } groups[] = {
        {"1.000", {17, 23, 24, 25, 26, 27, 28, 29}}, {"1.002", {7, 22}}, {"1.003", {9}}, {"1.004", {13}},
        {"1.100", {14, 16}}, {"1.101", {1, 2}}, {"1.104", {12}}, {"1.107", {0, 11}}, {"1.200", {3, 20, 21}},
        {"1.201", {15}}, {"1.202", {6}}, {"1.203", {5}}, {"1.305", {10}}, {"1.501", {8, 19}},
        {"1.605", {18, 1018}}, {"1.803", {4}},
    };
    int listed = 0;
    for (const auto& g : groups)
        for (int type : g.types) {
            EXPECT_EQ(VersionOf(type), QString::fromLatin1(g.version)) << "type " << type;
            ++listed;
        }
    EXPECT_EQ(listed, 31);
}

TEST(DeviceType, UnknownTypesHaveNoRow)
{
    for (int t : {-1, 30, 31, 100, 1017, 1019})
        EXPECT_EQ(FindDeviceType(t), nullptr) << t;
}

TEST(DeviceType, SnmpAgentModels)
{
    for (const TypeRow& r : kRows) {
        const bool agent = r.type == 15 || r.type == 16 || r.type == 17 || r.type == 18 || r.type == 19
                           || r.type == 21 || r.type == 23 || r.type == 1018;
        EXPECT_EQ(IsSnmpAgentType(r.type), agent) << r.type;
    }
}

} // namespace
