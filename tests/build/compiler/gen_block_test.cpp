// The general parameter block: layout, reset values, presets, the ParGen
// value rules, and the serial converter (type 9) byte for byte.
#include "compiler_fixture.h"

namespace {

TEST(GenBlock, SerialConverterFromParGenByteForByte)
{
    CompilerProject project(9);
    project.WriteParGen(ParGenXml({
        {"PROFINET_IP1", "10"},
        {"PROFINET_IP2", "1"},
        {"PROFINET_IP3", "abc"},      // not a number: default 0
        {"PROFINET_IP4", "300"},      // low 8 bits: 44
        {"PROFINET_SM1", "255"},
        {"PROFINET_SM2", "255"},
        {"PROFINET_SM3", "0x0F"},
        {"PROFINET_GAT1", "10"},
        {"PROFINET_GAT2", "1"},
        {"PROFINET_GAT3", "0"},
        {"PROFINET_GAT4", "254"},
        {"PROFINET_EN_GAT", "1"},
        {"PROFINET_PORT", "1234"},    // not read by this type
        {"PROFINET_NAME_STA", "Station-\xC3\xA9-Name-Long!"},
        {"PROFINET_NB_IN", "100"},
        {"PROFINET_NB_OUT", "-1"},
        {"SERIAL_SERIAL", "0"},
        {"SERIAL_BAUDRATE", "4"},
        {"SERIAL_PARITY", "2"},
    }));

    Image expected = ResetGenBlock();
    expected.U8(96, 2).U8(97, 9);
    expected.Octets(40, 10, 1, 0, 44).Octets(44, 255, 255, 15, 0).Octets(48, 10, 1, 0, 254);
    expected.Text(80, "Station-\xE9-Name-L");
    expected.U32(116, 100).U32(120, 0xFFFFFFFF);
    expected.U32(12, 19200).U32(60, 19200).U16(18, 2).U16(66, 2);
    expected.Sum();

    const auto files = project.Build();
    ASSERT_EQ(files.keys(), QStringList{"bank.bin"});
    EXPECT_IMAGE(files["bank.bin"], expected.Bytes());
}

TEST(GenBlock, WithoutParGenTheBlockHoldsResetValuesAndPresets)
{
    CompilerProject project(9);
    Image expected = ResetGenBlock();
    expected.U8(96, 2).U8(97, 8).Sum();
    EXPECT_IMAGE(project.BuildFile("bank.bin"), expected.Bytes());
}

TEST(GenBlock, ResetRecordAloneSumsTo818)
{
    // Type 23's only preset (52 = 10000) is the reset value.
    CompilerProject project(23);
    const QByteArray bank = project.BuildFile("bank.bin");
    EXPECT_IMAGE(bank, ResetGenBlock().Sum().Bytes());
    EXPECT_EQ(bank.mid(2044), QByteArray::fromHex("32030000"));
}

TEST(GenBlock, OneByteChangeMovesTheSumByTheSameAmount)
{
    CompilerProject project(9);
    project.WriteParGen(ParGenXml({{"PROFINET_IP4", "5"}}));
    const QByteArray a = project.BuildFile("bank.bin");
    project.WriteParGen(ParGenXml({{"PROFINET_IP4", "105"}}));
    const QByteArray b = project.BuildFile("bank.bin");
    EXPECT_EQ(ReadU32(b, 2044) - ReadU32(a, 2044), 100u);
    EXPECT_EQ(ReadU32(b, 2044), BlockSum(b));
}

struct OctetCase
{
    const char* element;
    const char* text;   // nullptr: element missing
    int offset;
    unsigned expected;
};

TEST(GenBlock, IntegerTextRules)
{
    const OctetCase cases[] = {
        {"PROFINET_IP3", "abc", 42, 0},          // default of the third octet
        {"PROFINET_IP4", "300", 43, 44},         // low 8 bits
        {"PROFINET_IP4", nullptr, 43, 5},        // missing: default
        {"PROFINET_IP2", " 12", 41, 12},         // leading blanks skipped
        {"PROFINET_IP2", "12 ", 41, 168},        // trailing characters: default
        {"PROFINET_IP2", "+7", 41, 7},
        {"PROFINET_IP2", "$1F", 41, 31},
        {"PROFINET_IP2", "x1f", 41, 31},
        {"PROFINET_IP2", "0X1F", 41, 31},
        {"PROFINET_IP2", "-1", 41, 255},
        {"PROFINET_IP2", "2147483648", 41, 168},  // beyond 32 bits: default
        {"PROFINET_IP2", "", 41, 168},
        {"PROFINET_IP2", "1.5", 41, 168},
        {"PROFINET_SM4", "7", 47, 7},
        {"PROFINET_SM1", nullptr, 44, 255},
    };
    for (const OctetCase& c : cases) {
        SCOPED_TRACE(std::string(c.element) + " = " + (c.text ? c.text : "(missing)"));
        CompilerProject project(9);
        project.WriteParGen(c.text ? ParGenXml({{c.element, c.text}}) : ParGenXml({}));
        EXPECT_EQ(ReadU8(project.BuildFile("bank.bin"), c.offset), c.expected);
    }
}

TEST(GenBlock, GatewayIsAllOnesUnlessEnabledExactly)
{
    const struct
    {
        const char* enGat;   // nullptr: missing
        bool kept;
    } cases[] = {{"1", true}, {"0", false}, {"", false}, {nullptr, false}, {" 1", false}, {"1 ", false}, {"01", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.enGat ? c.enGat : "(missing)");
        CompilerProject project(9);
        if (c.enGat)
            project.WriteParGen(ParGenXml({{"PROFINET_GAT4", "9"}, {"PROFINET_EN_GAT", c.enGat}}));
        else
            project.WriteParGen(ParGenXml({{"PROFINET_GAT4", "9"}}));
        const QByteArray bank = project.BuildFile("bank.bin");
        EXPECT_EQ(bank.mid(48, 4), c.kept ? QByteArray::fromHex("c0a80009") : QByteArray::fromHex("ffffffff"));
    }
}

TEST(GenBlock, StationNameIsCutToItsFieldOneBytePerCharacter)
{
    const struct
    {
        const char* xmlText;    // nullptr: element missing
        QByteArray stored;      // bytes 80..95
    } cases[] = {
        {nullptr, QByteArray("devicename1").append(5, '\0')},
        {"ABCDEFGHIJKLMNOP", QByteArray("ABCDEFGHIJKLMNOP")},        // exactly 16
        {"ABCDEFGHIJKLMNOPQRST", QByteArray("ABCDEFGHIJKLMNOP")},    // 20: cut at 16
        {"\xC3\xA9t\xC3\xA9", QByteArray("\xE9t\xE9").append(13, '\0')},   // low byte of each character
        {"\xE2\x82\xAC", QByteArray("\xAC").append(15, '\0')},              // U+20AC keeps its low byte
        {"", QByteArray(16, '\0')},                                          // empty: nothing stored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xmlText ? c.xmlText : "(missing)");
        CompilerProject project(9);
        project.WriteParGen(c.xmlText ? ParGenXml({{"PROFINET_NAME_STA", c.xmlText}}) : ParGenXml({}));
        const QByteArray bank = project.BuildFile("bank.bin");
        EXPECT_EQ(bank.mid(80, 16), c.stored);
        EXPECT_EQ(ReadU8(bank, 96), 2u);   // the next field keeps its preset
    }
}

TEST(GenBlock, SerialLineFields)
{
    const struct
    {
        const char* element;
        const char* text;
        int offset;
        int width;
        uint32_t expected;
    } cases[] = {
        {"SERIAL_SERIAL", "0", 97, 1, 9},
        {"SERIAL_SERIAL", "1", 97, 1, 8},
        {"SERIAL_SERIAL", nullptr, 97, 1, 8},
        {"SERIAL_SERIAL", " 0", 97, 1, 8},
        {"SERIAL_BAUDRATE", "0", 12, 4, 1200},
        {"SERIAL_BAUDRATE", "3", 12, 4, 9600},
        {"SERIAL_BAUDRATE", "7", 60, 4, 115200},
        {"SERIAL_BAUDRATE", "8", 12, 4, 9600},
        {"SERIAL_BAUDRATE", "-1", 60, 4, 9600},
        {"SERIAL_BAUDRATE", "x", 12, 4, 115200},
        {"SERIAL_BAUDRATE", nullptr, 60, 4, 115200},
        {"SERIAL_PARITY", "2", 18, 2, 2},
        {"SERIAL_PARITY", "1", 66, 2, 1},
        {"SERIAL_PARITY", nullptr, 66, 2, 0},
        {"PROFINET_NB_IN", nullptr, 116, 4, 500},
        {"PROFINET_NB_OUT", "x", 120, 4, 500},
        {"PROFINET_PORT", "1234", 104, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.element) + " = " + (c.text ? c.text : "(missing)"));
        CompilerProject project(9);
        project.WriteParGen(c.text ? ParGenXml({{c.element, c.text}}) : ParGenXml({}));
        const QByteArray bank = project.BuildFile("bank.bin");
        const uint32_t v = c.width == 1 ? ReadU8(bank, c.offset) : c.width == 2 ? ReadU16(bank, c.offset)
                                                                                : ReadU32(bank, c.offset);
        EXPECT_EQ(v, c.expected);
        EXPECT_EQ(ReadU32(bank, 12), ReadU32(bank, 60));
        EXPECT_EQ(ReadU16(bank, 18), ReadU16(bank, 66));
    }
}

TEST(GenBlock, RootIsTheFirstNodeSoALeadingDeclarationGivesEveryDefault)
{
    CompilerProject project(9);
    project.WriteParGen("<?xml version=\"1.0\"?><Par_Gen><PROFINET_IP1>10</PROFINET_IP1></Par_Gen>");
    const QByteArray bank = project.BuildFile("bank.bin");
    EXPECT_EQ(bank.mid(40, 12), QByteArray::fromHex("c0a80005ffffff00ffffffff"));
    EXPECT_EQ(bank.mid(80, 11), QByteArray("devicename1"));
}

// Where each general-block type puts its block, and the presets it stores
// without ParGen.xml.
TEST(GenBlock, PresetsAndBlockPositionByType)
{
    const struct
    {
        int type;
        const char* file;
        int block;
        unsigned port52, mode96, mode97, mode99;
        std::initializer_list<std::pair<int, uint32_t>> u32s;   // other presets
    } cases[] = {
        {0, "bank1.bin", 0, 5000, 2, 0, 0, {}},
        {27, "bank1.bin", 0, 5000, 2, 0, 0, {}},
        {15, "bank1.bin", 0, 10000, 0, 0, 0, {}},
        {1, "bank.bin", 14336, 5000, 0, 0, 0, {{212, 0x65000}, {216, 0x66800}, {220, 0x64800}}},
        {2, "bank.bin", 0, 5000, 192, 0, 4, {}},
        {4, "bank.bin", 0, 5000, 2, 16, 0, {}},
        {25, "bank.bin", 0, 5000, 2, 16, 0, {}},
        {18, "bank.bin", 24576, 10000, 0, 0, 0, {}},
        {1018, "bank.bin", 24576, 10000, 0, 0, 0, {}},
        {5, "bank.bin", 0, 5000, 2, 64, 0, {}},
        {26, "bank.bin", 0, 5000, 2, 64, 0, {}},
        {16, "bank.bin", 0, 10000, 0, 0, 0, {}},
        {6, "bank1.bin", 0, 5000, 2, 0, 16, {}},
        {14, "bank1.bin", 0, 5000, 2, 0, 16, {}},
        {7, "bank1.bin", 0, 5000, 2, 0, 48, {}},
        {28, "bank1.bin", 0, 5000, 2, 0, 48, {}},
        {8, "bank1.bin", 0, 10000, 2, 0, 2, {{560, 0x68800}}},
        {24, "bank1.bin", 0, 10000, 2, 0, 2, {{560, 0}}},
        {9, "bank.bin", 0, 10000, 2, 8, 0, {}},
        {11, "bank.bin", 0, 5000, 0, 0, 0, {{76, 0x58000}, {196, 0x58000}}},
        {19, "bank.bin", 24576, 10000, 3, 0, 0, {{76, 0x68800}, {196, 0x68800}}},
        {12, "bank.bin", 0, 5000, 66, 0, 0, {}},
        {17, "bank.bin", 0, 10000, 0, 0, 0, {}},
        {13, "bank.bin", 0, 5000, 0, 0, 0, {}},
        {20, "bank.bin", 0, 5000, 0, 0, 0, {}},
        {23, "bank.bin", 0, 10000, 0, 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        CompilerProject project(c.type);
        const QByteArray bank = project.BuildFile(QString::fromLatin1(c.file));
        ASSERT_GE(bank.size(), c.block + 2048);
        const QByteArray block = bank.mid(c.block, 2048);
        EXPECT_EQ(ReadU32(block, 2044), BlockSum(block));
        EXPECT_EQ(ReadU16(block, 52), c.port52);
        EXPECT_EQ(ReadU8(block, 96), c.mode96);
        EXPECT_EQ(ReadU8(block, 97), c.mode97);
        EXPECT_EQ(ReadU8(block, 98), 0u);
        EXPECT_EQ(ReadU8(block, 99), c.mode99);
        for (const auto& [off, v] : c.u32s)
            EXPECT_EQ(ReadU32(block, off), v) << "offset " << off;
        const bool ethernetIP = c.type == 13 || c.type == 20;
        EXPECT_EQ(ReadU16(block, 54), ethernetIP ? 44818u : 10001u);
        EXPECT_EQ(ReadU16(block, 56), ethernetIP ? 44818u : 10001u);
        EXPECT_EQ(block.mid(40, 12), QByteArray(12, '\0'));   // no file: no defaults
    }
}

TEST(GenBlock, ServicePortRuleByFamily)
{
    const struct
    {
        int type;
        const char* text;   // nullptr: missing
        unsigned expected;
    } cases[] = {
        {4, "34963", 10001}, {4, "10000", 10001}, {4, "1234", 1234}, {4, nullptr, 10001}, {25, "x", 10001},
        {0, "34963", 2000},  {0, "34962", 2000},  {27, "34964", 2000}, {15, "502", 502},  {0, nullptr, 2000},
        {8, "10000", 10002}, {24, "7000", 7000},  {8, nullptr, 10002},
        {9, "1234", 0},      {2, "1234", 0},      {23, "1234", 0},    {11, "1234", 0},   {18, "1234", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + (c.text ? c.text : "(missing)"));
        CompilerProject project(c.type);
        project.WriteParGen(c.text ? ParGenXml({{"PROFINET_PORT", c.text}}) : ParGenXml({}));
        const auto files = project.Build();
        const QByteArray image = files.contains("bank.bin") ? files["bank.bin"] : files["bank1.bin"];
        const int block = c.type == 18 ? 24576 : 0;
        EXPECT_EQ(ReadU16(image, block + 104), c.expected);
    }
}

TEST(GenBlock, StationNameGoesTo440ForTheSnmpTablesModels)
{
    for (int type : {15, 16, 18, 19, 1018, 0, 4, 9, 12}) {
        SCOPED_TRACE(type);
        CompilerProject project(type);
        project.WriteParGen(ParGenXml({{"PROFINET_NAME_STA", "abc"}}));
        const auto files = project.Build();
        const QByteArray image = files.contains("bank.bin") ? files["bank.bin"] : files["bank1.bin"];
        const int block = type == 18 || type == 19 || type == 1018 ? 24576 : 0;
        const bool at440 = type == 15 || type == 16 || type == 18 || type == 19 || type == 1018;
        EXPECT_EQ(image.mid(block + 80, 16), at440 ? QByteArray(16, '\0') : QByteArray("abc").append(13, '\0'));
        EXPECT_EQ(image.mid(block + 440, 16), at440 ? QByteArray("abc").append(13, '\0') : QByteArray(16, '\0'));
    }
}

} // namespace
