// DeviceNet master (type 1): node table, input and output maps and the
// general block in one 16384-byte bank.bin.
#include "table_file_fixture.h"

namespace {

QByteArray NetFile(const QList<QByteArray>& slaves)
{
    return RootXml("DNET_Net", slaves);
}

QByteArray Slave(const char* id, const char* in, const char* out, const char* resetDNet = "N",
                 const char* resetPN = "N")
{
    return RowXml({{"ID", id}, {"NB_IN", in}, {"NB_OUT", out}, {"Reset_DeviceNet", resetDNet},
                   {"Reset_PROFINET", resetPN}, {"Mnemonic", "s"}});
}

// One Nodo_DNET element: its input and output offsets (nullptr: the element
// is left out).
QByteArray OffsetNode(const QList<const char*>* in, const QList<const char*>* out)
{
    QByteArray x = "<Nodo_DNET>";
    const QList<const char*>* lists[2] = {in, out};
    const char* names[2] = {"ByteIN", "ByteOUT"};
    for (int i = 0; i < 2; ++i) {
        if (!lists[i])
            continue;
        x += QByteArray("<") + names[i] + ">";
        for (const char* offset : *lists[i])
            x += RowXml({{"Offset", offset}, {"Mnemonic", "b"}});
        x += QByteArray("</") + names[i] + ">";
    }
    return x + "</Nodo_DNET>";
}

QByteArray DefOffFile(const QList<QByteArray>& nodes)
{
    return RootXml("Define_Offset", nodes);
}

// The image with no slaves: 1024 node bytes and 1024 zeros, the maps unused.
Image EmptyTables()
{
    Image image(16384);
    image.Fill(2048, 12288, 0xFF);
    return image;
}

// The general block of type 1 as reset, with its constants.
Image ConstantBlock()
{
    Image block = ResetGenBlock();
    block.U16(52, 5000).U32(212, 0x65000).U32(216, 0x66800).U32(220, 0x64800);
    return block;
}

void PutBlock(Image& image, const Image& block)
{
    for (int i = 0; i < 2048; ++i)
        image.U8(14336 + i, static_cast<unsigned char>(block.Bytes()[i]));
}

TEST(DNetMaster, NoProjectFiles)
{
    CompilerProject project(1);
    Image expected = EmptyTables();
    PutBlock(expected, ConstantBlock().Sum());
    const auto files = project.Build();
    ASSERT_EQ(files.keys(), QStringList{"bank.bin"});
    EXPECT_IMAGE(files["bank.bin"], expected.Bytes());
}

// Two slaves, MAC 5 (4 in, 2 out) and MAC 9 (8 in, 0 out), with their offsets:
// rows beyond a slave's byte count and offset nodes beyond the slaves are ignored.
TEST(DNetMaster, NodesAndMapsByteForByte)
{
    CompilerProject project(1);
    project.WriteFile(File_DNETM_Net, NetFile({Slave("5", "4", "2", " y "), Slave("9", "8", "0", "N", "Y")}));
    const QList<const char*> in5 = {"10", "None", "11", "12", "13", "14", "15"};
    const QList<const char*> out5 = {"20", "21"};
    const QList<const char*> in9 = {"30", "", "-1", "33"};
    const QList<const char*> out9 = {"40"};
    const QList<const char*> in3 = {"50"};
    project.WriteFile(File_DNETM_DefOff, DefOffFile({OffsetNode(&in5, &out5), OffsetNode(&in9, &out9),
                                                     OffsetNode(&in3, nullptr)}));
    Image expected = EmptyTables();
    expected.U8(0, 5).U16(4, 4).U16(6, 2).U16(10, 1).U16(12, 0).U16(14, 0);
    expected.U8(16, 9).U16(20, 8).U16(22, 0).U16(26, 2).U16(28, 4).U16(30, 2);
    const unsigned mapIn[][2] = {{5120, 10}, {5122, 11}, {5123, 12}, {9216, 30}, {9219, 33}};
    for (int k = 0; k < 5; ++k)
        expected.U16(2048 + 4 * k, mapIn[k][0]).U16(2048 + 4 * k + 2, mapIn[k][1]);
    expected.U16(8192, 5120).U16(8194, 20).U16(8196, 5121).U16(8198, 21);
    PutBlock(expected, ConstantBlock().U32(124, 2).U32(136, 5).U32(140, 2).Sum());
    EXPECT_IMAGE(project.BuildFile("bank.bin"), expected.Bytes());
}

TEST(DNetMaster, SlavesWithoutOffsetElements)
{
    CompilerProject project(1);
    project.WriteFile(File_DNETM_Net, NetFile({Slave("1", "2", "2"), Slave("2", "2", "2")}));
    const QList<const char*> offsets = {"7", "8"};
    project.WriteFile(File_DNETM_DefOff, DefOffFile({OffsetNode(nullptr, &offsets), OffsetNode(&offsets, nullptr)}));
    const QByteArray bank = project.BuildFile("bank.bin");
    EXPECT_EQ(ReadU32(bank, 14336 + 136), 2u);
    EXPECT_EQ(ReadU32(bank, 14336 + 140), 2u);
    EXPECT_EQ(ReadU16(bank, 2048), 2048u);   // MAC 2, byte 0
    EXPECT_EQ(ReadU16(bank, 8192), 1024u);   // MAC 1, byte 0
}

TEST(DNetMaster, GeneralBlockByteForByte)
{
    CompilerProject project(1);
    project.WriteParGen(ParGenXml({
        {"PROFINET_IP1", "10"}, {"PROFINET_IP4", "300"}, {"PROFINET_SM4", "128"}, {"PROFINET_EN_GAT", "1"},
        {"PROFINET_NAME_STA", "dnet-master"}, {"PROFINET_PORT", "1234"}, {"PROFINET_NB_IN", "200"},
        {"PROFINET_ENABLE_DIAGNOSTIC", "1"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "99"}, {"DNETM_ID_DEV", "63"},
        {"DNETM_BAUDRATE", "1"},
    }));
    Image block = ConstantBlock();
    block.Octets(40, 10, 168, 0, 44).Octets(44, 255, 255, 255, 128).Octets(48, 192, 168, 0, 1);
    block.Text(80, "dnet-master").U32(116, 200).U32(120, 1438).U32(300, 100).U8(128, 63).U32(0, 250000).Sum();
    EXPECT_IMAGE(project.BuildFile("bank.bin").mid(14336), block.Bytes());
}

TEST(DNetMaster, ParGenValues)
{
    const struct
    {
        Elements elements;
        int offset, width;
        uint32_t value;
    } cases[] = {
        {{{"DNETM_BAUDRATE", "0"}}, 0, 4, 125000},
        {{{"DNETM_BAUDRATE", "2"}}, 0, 4, 500000},
        {{{"DNETM_BAUDRATE", "7"}}, 0, 4, 500000},
        {{}, 0, 4, 500000},
        {{}, 128, 1, 0},
        {{{"DNETM_ID_DEV", "x"}}, 128, 1, 0},
        {{}, 116, 4, 1438},
        {{{"PROFINET_ENABLE_DIAGNOSTIC", "1"}}, 300, 4, 0},
        {{{"PROFINET_ENABLE_DIAGNOSTIC", "1"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "x"}}, 300, 4, 1},
        {{{"PROFINET_ENABLE_DIAGNOSTIC", "0"}, {"PROFINET_DIAGNOSTIC_ADDRESS", "5"}}, 300, 4, 0},
        {{{"PROFINET_PORT", "1234"}}, 104, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ParGenXml(c.elements).toStdString() + " @" + std::to_string(c.offset));
        CompilerProject project(1);
        project.WriteParGen(ParGenXml(c.elements));
        const QByteArray block = project.BuildFile("bank.bin").mid(14336);
        const uint32_t actual = c.width == 1 ? ReadU8(block, c.offset) : c.width == 2 ? ReadU16(block, c.offset)
                                                                                      : ReadU32(block, c.offset);
        EXPECT_EQ(actual, c.value);
    }
}

TEST(DNetMaster, RequiredAttributes)
{
    const QList<const char*> offsets = {"1", "2", "3"};
    const struct
    {
        QByteArray net;
        QByteArray defOff;
        QString* file;
        const char* message;
    } cases[] = {
        {NetFile({Slave("1", "1", "1"), RowXml({{"NB_IN", "1"}, {"NB_OUT", "1"}})}), {}, &File_DNETM_Net,
         ", row 2: the attribute \"ID\" is missing."},
        {NetFile({Slave("1", "x", "1")}), {}, &File_DNETM_Net, ", row 1: the attribute \"NB_IN\" is not an integer: \"x\"."},
        {NetFile({RowXml({{"ID", "1"}, {"NB_IN", "1"}})}), {}, &File_DNETM_Net,
         ", row 1: the attribute \"NB_OUT\" is missing."},
        {NetFile({Slave("1", "3", "0")}),
         DefOffFile({"<Nodo_DNET><ByteIN><row Offset=\"1\"/><row Offset=\"2\"/><row/></ByteIN></Nodo_DNET>"}),
         &File_DNETM_DefOff, ", section \"Nodo_DNET 1 / ByteIN\", row 3: the attribute \"Offset\" is missing."},
        {NetFile({Slave("1", "0", "3"), Slave("2", "0", "3")}),
         DefOffFile({OffsetNode(nullptr, &offsets), "<Nodo_DNET><ByteOUT><row/></ByteOUT></Nodo_DNET>"}),
         &File_DNETM_DefOff, ", section \"Nodo_DNET 2 / ByteOUT\", row 1: the attribute \"Offset\" is missing."},
        {"<DNET_Net><row", {}, &File_DNETM_Net, ""},
        {NetFile({}), "<Define_Offset>", &File_DNETM_DefOff, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        CompilerProject project(1);
        project.WriteFile(File_DNETM_Net, c.net);
        if (!c.defOff.isEmpty())
            project.WriteFile(File_DNETM_DefOff, c.defOff);
        ExpectBuildStops(project, {*c.file + c.message});
    }
}

// The tables hold 64 slaves and 1536 entries per map; start positions and map
// keys are 16 bits. Anything beyond stops the build, naming the file and the
// limit.
TEST(DNetMaster, Limits)
{
    {
        CompilerProject project(1);
        project.WriteFile(File_DNETM_Net, NetFile(Rows(64, Slave("1", "0", "0"))));
        EXPECT_EQ(ReadU32(project.BuildFile("bank.bin"), 14336 + 124), 64u);
    }
    {
        CompilerProject project(1);
        project.WriteFile(File_DNETM_Net, NetFile(Rows(65, Slave("1", "0", "0"))));
        ExpectBuildStops(project, {File_DNETM_Net + ": more than 64 rows; the table holds 64."});
    }
    for (int n : {536, 537}) {
        SCOPED_TRACE(n);
        CompilerProject project(1);
        project.WriteFile(File_DNETM_Net, NetFile({Slave("0", "1000", "0"), Slave("1", QByteArray::number(n).constData(), "0")}));
        QByteArray node1 = "<Nodo_DNET><ByteIN>", node2 = node1;
        for (int i = 0; i < 1000; ++i)
            node1 += RowXml({{"Offset", "5"}});
        for (int i = 0; i < n; ++i)
            node2 += RowXml({{"Offset", "6"}});
        node1 += "</ByteIN></Nodo_DNET>";
        node2 += "</ByteIN></Nodo_DNET>";
        project.WriteFile(File_DNETM_DefOff, DefOffFile({node1, node2}));
        if (n == 536) {
            const QByteArray bank = project.BuildFile("bank.bin");
            EXPECT_EQ(ReadU32(bank, 14336 + 136), 1536u);
            EXPECT_EQ(ReadU16(bank, 8192 - 4), 1024u + 535u);   // the last input entry
        } else {
            ExpectBuildStops(project, {File_DNETM_DefOff + ": more than 1536 mapped bytes in the input map; the map "
                                                           "holds 1536."});
        }
    }
    {
        CompilerProject project(1);
        project.WriteFile(File_DNETM_Net,
                          NetFile({Slave("1", "65535", "0"), Slave("2", "1", "0"), Slave("3", "1", "0")}));
        ExpectBuildStops(project, {File_DNETM_Net + ", row 3: the input data of the slaves before this one take 65536 "
                                                    "bytes; the node table holds start positions up to 65535."});
    }
    {
        CompilerProject project(1);
        project.WriteFile(File_DNETM_Net, NetFile({Slave("1", "65535", "0"), Slave("2", "1", "0")}));
        EXPECT_EQ(ReadU16(project.BuildFile("bank.bin"), 16 + 12), 65535u);
    }
    {
        CompilerProject project(1);
        project.WriteFile(File_DNETM_Net, NetFile({Slave("63", "1024", "0"), Slave("64", "1", "0")}));
        QByteArray node1 = "<Nodo_DNET><ByteIN>";
        for (int i = 0; i < 1024; ++i)
            node1 += RowXml({{"Offset", i == 1023 ? "9" : "None"}});
        node1 += "</ByteIN></Nodo_DNET>";
        project.WriteFile(File_DNETM_DefOff, DefOffFile({node1}));
        EXPECT_EQ(ReadU16(project.BuildFile("bank.bin"), 2048), 65535u);   // MAC 63, byte 1023
        project.WriteFile(File_DNETM_DefOff,
                          DefOffFile({node1, "<Nodo_DNET><ByteIN><row Offset=\"0\"/></ByteIN></Nodo_DNET>"}));
        ExpectBuildStops(project, {File_DNETM_DefOff, "row 1: the byte key 65536 (MAC id 64 x 1024 + byte 0) does not "
                                                      "fit 16 bits."});
    }
}

TEST(DNetMaster, BuildAfterRemovingTheTablesEqualsAFreshBuild)
{
    QByteArray fresh;
    {
        CompilerProject project(1);
        fresh = project.BuildFile("bank.bin");
    }
    CompilerProject project(1);
    const QList<const char*> offsets = {"3"};
    project.WriteFile(File_DNETM_Net, NetFile({Slave("7", "1", "1", "Y", "Y")}));
    project.WriteFile(File_DNETM_DefOff, DefOffFile({OffsetNode(&offsets, &offsets)}));
    EXPECT_NE(project.BuildFile("bank.bin"), fresh);
    ASSERT_TRUE(QFile::remove(File_DNETM_Net));
    ASSERT_TRUE(QFile::remove(File_DNETM_DefOff));
    EXPECT_IMAGE(project.BuildFile("bank.bin"), fresh);
}

} // namespace
