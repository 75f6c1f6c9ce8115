// The DMX models: the DMX parameter block and the 512 channel bytes; type 22
// puts both in bank.bin, type 29 (the default build) in bank1.bin and bank2.bin.
#include "table_file_fixture.h"

namespace {

// The DMX block with its fixed fields, the reset addresses and no counts.
Image ResetDmxBlock()
{
    Image b;
    b.U32(0, 125000).U32(12, 9600).U16(16, 8);
    b.Octets(40, 192, 168, 2, 205).Octets(44, 255, 255, 255, 0).Octets(48, 255, 255, 255, 255);
    b.U16(52, 5000).U16(54, 10001).U16(56, 10001).U32(60, 9600).U16(64, 8);
    b.U32(404, 38400).U8(431, 1).Fill(436, 8, 8).U16(460, 3671).U32(480, 0x68800);
    return b;
}

QByteArray DmxRows(const QList<QByteArray>& rows)
{
    return RootXml("DMX_Default_Values", rows);
}

const QByteArray kParGen = ParGenXml({
    {"PROFINET_IP1", "10"}, {"PROFINET_IP2", "0"}, {"PROFINET_IP3", "0"}, {"PROFINET_IP4", "300"},
    {"PROFINET_SM1", "255"}, {"PROFINET_SM2", "0"}, {"PROFINET_SM3", "0"}, {"PROFINET_SM4", "0"},
    {"PROFINET_GAT1", "10"}, {"PROFINET_GAT2", "0"}, {"PROFINET_GAT3", "0"}, {"PROFINET_GAT4", "1"},
    {"PROFINET_EN_GAT", "1"}, {"PROFINET_PORT", "34964"}, {"PROFINET_NAME_STA", "dmx-node"},
    {"PROFINET_NB_IN", "1"}, {"PROFINET_NB_OUT", "24"}, {"DMX_TYPE", "0"},
});

const QByteArray kChannels = DmxRows({
    "<Row Default_Value=\"255\" Mnemonic=\"a\"/>",
    "<Row Default_Value=\"256\"/>",     // low 8 bits: 0
    "<Row Default_Value=\"-1\"/>",      // 255
    "<Row Default_Value=\"abc\"/>",     // not a number: 0
    "<Row/>",                           // missing: 0
    "<!--a comment-->",                 // a child node like any other: 0
    "<Other Default_Value=\"17\"/>",    // read by position whatever its name
    "<Row Default_Value=\"$10\"/>",
});

Image ExpectedBlock()
{
    Image b = ResetDmxBlock();
    b.Octets(40, 10, 0, 0, 44).Octets(44, 255, 0, 0, 0).Octets(48, 10, 0, 0, 1);
    b.Text(80, "dmx-node");
    b.U32(116, 1).U32(120, 24).U16(476, 24);
    return b.Sum();
}

QByteArray ExpectedChannels()
{
    QByteArray c(512, '\0');
    c[0] = char(255);
    c[2] = char(255);
    c[6] = 17;
    c[7] = 16;
    return c;
}

TEST(Dmx, Type22BankHoldsBlockAndChannelsByteForByte)
{
    CompilerProject project(22);
    project.WriteParGen(kParGen);
    project.WriteFile(File_DMX_Default_Values, kChannels);
    const auto files = project.Build();
    ASSERT_EQ(files.keys(), QStringList{"bank.bin"});
    EXPECT_IMAGE(files["bank.bin"], ExpectedBlock().Bytes() + ExpectedChannels());
}

TEST(Dmx, Type29SplitsBlockAndChannels)
{
    CompilerProject project(29);
    project.WriteParGen(kParGen);
    project.WriteFile(File_DMX_Default_Values, kChannels);
    const auto files = project.Build();
    ASSERT_EQ(files.keys(), (QStringList{"bank1.bin", "bank2.bin"}));
    EXPECT_IMAGE(files["bank1.bin"], ExpectedBlock().Bytes());
    EXPECT_IMAGE(files["bank2.bin"], ExpectedChannels());
}

TEST(Dmx, WithoutProjectFilesTheBlockKeepsItsResetValues)
{
    CompilerProject project(22);
    EXPECT_IMAGE(project.BuildFile("bank.bin"), ResetDmxBlock().Sum().Bytes() + QByteArray(512, '\0'));
}

TEST(Dmx, DirectionAndByteCounts)
{
    const struct
    {
        Elements elements;
        uint32_t at116, at120;
        unsigned at476, at478;
    } cases[] = {
        {{}, 512, 1, 0, 512},                                              // no DMX_TYPE: OUT
        {{{"DMX_TYPE", "1"}, {"PROFINET_NB_IN", "100"}}, 100, 1, 0, 100},
        {{{"DMX_TYPE", "x"}, {"PROFINET_NB_IN", "100"}}, 100, 1, 0, 100},    // not a number: 1
        {{{"DMX_TYPE", "2"}, {"PROFINET_NB_IN", "bad"}}, 512, 1, 0, 512},
        {{{"DMX_TYPE", "1"}, {"PROFINET_NB_IN", "70000"}}, 70000, 1, 0, 70000 & 0xFFFF},
        {{{"DMX_TYPE", "0"}, {"PROFINET_NB_OUT", "24"}, {"PROFINET_NB_IN", "99"}}, 1, 24, 24, 0},
        {{{"DMX_TYPE", "0"}}, 1, 1, 1, 0},
        {{{"DMX_TYPE", " 0"}, {"PROFINET_NB_OUT", "-1"}}, 1, 0xFFFFFFFF, 0xFFFF, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ParGenXml(c.elements).toStdString());
        CompilerProject project(29);
        project.WriteParGen(ParGenXml(c.elements));
        const QByteArray block = project.BuildFile("bank1.bin");
        EXPECT_EQ(ReadU32(block, 116), c.at116);
        EXPECT_EQ(ReadU32(block, 120), c.at120);
        EXPECT_EQ(ReadU16(block, 476), c.at476);
        EXPECT_EQ(ReadU16(block, 478), c.at478);
        EXPECT_EQ(ReadU32(block, 2044), BlockSum(block));
    }
}

TEST(Dmx, AddressesAndNameFollowTheCommonRules)
{
    CompilerProject project(29);
    project.WriteParGen(ParGenXml({{"PROFINET_GAT1", "10"}, {"PROFINET_EN_GAT", "0"}, {"PROFINET_SM4", "abc"}}));
    const QByteArray block = project.BuildFile("bank1.bin");
    EXPECT_EQ(block.mid(40, 12), QByteArray::fromHex("c0a80005ffffff00ffffffff"));
    EXPECT_EQ(block.mid(80, 16), QByteArray("devicename1").append(5, '\0'));
    EXPECT_EQ(ReadU16(block, 104), 0u);
}

TEST(Dmx, OnlyTheFirst512RowsAreRead)
{
    QByteArray rows = "<DMX_Default_Values>";
    for (int i = 0; i < 600; ++i)
        rows += "<Row Default_Value=\"" + QByteArray::number(i % 200 + 1) + "\"/>";
    rows += "</DMX_Default_Values>";
    CompilerProject project(22);
    project.WriteFile(File_DMX_Default_Values, rows);
    const QByteArray bank = project.BuildFile("bank.bin");
    ASSERT_EQ(bank.size(), 2560);
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(ReadU8(bank, 2048 + i), unsigned(i % 200 + 1)) << i;
}

TEST(Dmx, FewerRowsLeaveTheOtherChannelsZero)
{
    QByteArray rows = "<DMX_Default_Values>";
    for (int i = 0; i < 10; ++i)
        rows += "<Row Default_Value=\"9\"/>";
    rows += "</DMX_Default_Values>";
    CompilerProject project(29);
    project.WriteFile(File_DMX_Default_Values, rows);
    EXPECT_EQ(project.BuildFile("bank2.bin"), QByteArray(10, 9) + QByteArray(502, '\0'));
}

} // namespace
