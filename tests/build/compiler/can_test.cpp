// The CAN models (0, 27; 15 with SNMP traps): the general block with the CAN
// fields and the frame records of the four CAN files.
#include "table_file_fixture.h"

#include <QDir>

#include <tuple>

namespace {

QByteArray RecFrames(const QList<QByteArray>& rows)
{
    return TableXml("PROFINET_to_Receive_CAN", {{"Receive_Frames", rows}});
}
QByteArray SendFrames(const QList<QByteArray>& rows)
{
    return TableXml("PROFINET_to_Send_CAN", {{"Send_Frames", rows}});
}
QByteArray RecInfo(const QList<QByteArray>& rows)
{
    return RootXml("Receive_Frames_Info", rows);
}
QByteArray SendInfo(const QList<QByteArray>& rows)
{
    return RootXml("Send_Frames_Info", rows);
}

constexpr unsigned U = 0xFFFF;   // byte not mapped

// One 32-byte frame entry, built by offsets.
QByteArray Frame(uint32_t cobId, uint32_t timer, uint32_t timeout, unsigned direction, unsigned length,
                 std::initializer_list<unsigned> map)
{
    Image e(32);
    e.U32(0, cobId).U32(4, timer).U32(8, timeout).U8(13, direction).U8(14, length);
    int j = 0;
    for (unsigned m : map)
        e.U16(16 + 2 * j++, m);
    return e.Bytes();
}

const QByteArray kParGen = ParGenXml({
    {"PROFINET_IP1", "10"}, {"PROFINET_IP2", "1"}, {"PROFINET_IP3", "2"}, {"PROFINET_IP4", "3"},
    {"PROFINET_SM1", "255"}, {"PROFINET_SM2", "255"}, {"PROFINET_SM3", "0"}, {"PROFINET_SM4", "0"},
    {"PROFINET_GAT1", "10"}, {"PROFINET_GAT2", "1"}, {"PROFINET_GAT3", "0"}, {"PROFINET_GAT4", "1"},
    {"PROFINET_EN_GAT", "1"}, {"PROFINET_PORT", "34963"}, {"PROFINET_NAME_STA", "can-gw"},
    {"PROFINET_SEND_BACK_CAN_MESS", "1"}, {"PROFINET_SEND_REPLAY_TUNNEL_PORT", "0"},
    {"PROFINET_NB_IN", "100"}, {"PROFINET_NB_OUT", "x"}, {"CAN_BAUDRATE", "3"},
});

// The four CAN files of the worked project.
void WriteWorkedFrames(CompilerProject& project)
{
    project.WriteFile(File_CAN_Rec_Frames,
                      RecFrames({"<row Cob_Id=\"256\" Type=\"2.0B (29 bits)\" Dimension=\"3\" TimeOut=\"1000\" "
                                 "Mnemonic=\"m\"/>",
                                 "<row Cob_Id=\"$181\" Type=\"2.0A (11 bits)\" Dimension=\"8\" TimeOut=\"0\"/>"}));
    project.WriteFile(File_CAN_Rec_Info,
                      RecInfo({"<row B1=\"0\" B2=\"1\" B3=\"2\" B4=\"3\" B5=\"4\" B6=\"5\" B7=\"6\" B8=\"7\"/>",
                               "<row B1=\"10\" B2=\"11\" B3=\"12\" B4=\"13\" B5=\"14\" B6=\"15\" B7=\"16\" "
                               "B8=\"65535\"/>"}));
    project.WriteFile(File_CAN_Send_Frames,
                      SendFrames({"<row Cob_Id=\"512\" Type=\"2.0A (11 bits)\" Dimension=\"2\" "
                                  "Send_Type=\"On Data Change\" Timer_Send=\"500\"/>",
                                  "<row Cob_Id=\"513\" Dimension=\"4\" Send_Type=\"On Timer\" Timer_Send=\"250\"/>"}));
    // One info row for two send frames; B3 lies beyond the length 2.
    project.WriteFile(File_CAN_Send_Info, SendInfo({"<row B1=\"20\" B2=\"21\" B3=\"x\"/>"}));
}

TEST(CanFrames, Type0WorkedProjectByteForByte)
{
    CompilerProject project(0);
    project.WriteParGen(kParGen);
    WriteWorkedFrames(project);
    const auto files = project.Build();
    ASSERT_EQ(files.keys(), (QStringList{"bank1.bin", "bank2.bin"}));

    Image block = ResetGenBlock();
    block.U16(52, 5000).U8(96, 2).U8(99, 1);
    block.Octets(40, 10, 1, 2, 3).Octets(44, 255, 255, 0, 0).Octets(48, 10, 1, 0, 1);
    block.U16(104, 2000).Text(80, "can-gw").U32(116, 100).U32(120, 1440).U32(0, 62500).U32(112, 4).Sum();
    EXPECT_IMAGE(files["bank1.bin"], block.Bytes());

    const QByteArray frames = Frame(0x80000100u, 0, 1000, 0, 3, {0, 1, 2, U, U, U, U, U})
                              + Frame(0x181, 0, 0, 0, 8, {10, 11, 12, 13, 14, 15, 16, 65535})
                              + Frame(512, 0, 0, 1, 2, {20, 21, U, U, U, U, U, U})
                              + Frame(513, 250, 0, 1, 4, {U, U, U, U, U, U, U, U});
    EXPECT_IMAGE(files["bank2.bin"], frames);
}

TEST(CanFrames, SendOnlyProjectStartsAtRecordZero)
{
    CompilerProject project(27);
    project.WriteFile(File_CAN_Send_Frames,
                      SendFrames({"<row Cob_Id=\"1\" Dimension=\"1\" Send_Type=\"on data change\" Timer_Send=\"9\"/>",
                                  "<row Cob_Id=\"2\" Dimension=\"2\" Send_Type=\"On Timer\" Timer_Send=\"9\"/>"}));
    project.WriteFile(File_CAN_Send_Info, SendInfo({"<row B1=\"5\"/>", "<row B1=\"6\" B2=\"7\"/>"}));
    // A receive info file without its frame file is not read.
    project.WriteFile(File_CAN_Rec_Info, RecInfo({"<row B1=\"bad\"/>"}));
    const auto files = project.Build();
    EXPECT_IMAGE(files["bank2.bin"], Frame(1, 0, 0, 1, 1, {5, U, U, U, U, U, U, U})
                                         + Frame(2, 9, 0, 1, 2, {6, 7, U, U, U, U, U, U}));
    EXPECT_EQ(ReadU32(files["bank1.bin"], 112), 2u);
}

TEST(CanFrames, NoCanFilesGiveAnEmptyFrameImage)
{
    for (int type : {0, 27}) {
        CompilerProject project(type);
        project.WriteParGen(ParGenXml({}));
        const auto files = project.Build();
        EXPECT_EQ(files["bank2.bin"], QByteArray());
        ASSERT_EQ(files["bank1.bin"].size(), 2048);
        EXPECT_EQ(ReadU32(files["bank1.bin"], 112), 0u);
        EXPECT_EQ(ReadU32(files["bank1.bin"], 2044), BlockSum(files["bank1.bin"]));
    }
}

TEST(CanFrames, InfoRowsBeyondTheFramesAreIgnoredAndMissingRowsLeaveTheMapUnmapped)
{
    CompilerProject project(0);
    project.WriteFile(File_CAN_Rec_Frames,
                      RecFrames({"<row Cob_Id=\"1\" Dimension=\"2\" TimeOut=\"5\"/>",
                                 "<row Cob_Id=\"2\" Dimension=\"1\" TimeOut=\"5\"/>"}));
    project.WriteFile(File_CAN_Rec_Info, RecInfo({"<row B1=\"1\" B2=\"2\"/>"}));
    project.WriteFile(File_CAN_Send_Frames,
                      SendFrames({"<row Cob_Id=\"3\" Dimension=\"1\" Send_Type=\"On Timer\" Timer_Send=\"7\"/>"}));
    project.WriteFile(File_CAN_Send_Info, SendInfo({"<row B1=\"9\"/>", "<row/>", "<row B1=\"bad\"/>"}));
    EXPECT_IMAGE(project.BuildFile("bank2.bin"), Frame(1, 0, 5, 0, 2, {1, 2, U, U, U, U, U, U})
                                                     + Frame(2, 0, 5, 0, 1, {U, U, U, U, U, U, U, U})
                                                     + Frame(3, 7, 0, 1, 1, {9, U, U, U, U, U, U, U}));
}

TEST(CanFrames, FrameTypeAndSendType)
{
    const struct
    {
        const char* type;   // nullptr: missing
        const char* sendType;
        uint32_t cobId;
        uint32_t timer;
    } cases[] = {
        {"2.0B (29 bits)", "On Timer", 0x80000100u, 40},
        {"2.0A (11 bits)", "On Timer", 0x100, 40},
        {nullptr, "ON DATA CHANGE", 0x100, 0},
        {"2.0b (29 bits)", "On data change", 0x100, 0},   // the type is compared exactly
        {"2.0B (29 bits) ", "On Data Change ", 0x100, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type ? c.type : "(missing)") + " / " + c.sendType);
        CompilerProject project(0);
        QByteArray row = "<row Cob_Id=\"256\" Dimension=\"1\" Timer_Send=\"40\" Send_Type=\"";
        row += c.sendType;
        row += "\"";
        if (c.type)
            row += QByteArray(" Type=\"") + c.type + "\"";
        row += "/>";
        project.WriteFile(File_CAN_Send_Frames, SendFrames({row.constData()}));
        const QByteArray frames = project.BuildFile("bank2.bin");
        ASSERT_EQ(frames.size(), 32);
        EXPECT_EQ(ReadU32(frames, 0), c.cobId);
        EXPECT_EQ(ReadU32(frames, 4), c.timer);
    }
}

TEST(CanFrames, ParGenFieldsOfTheCanModels)
{
    const struct
    {
        int type;
        Elements elements;
        std::initializer_list<std::pair<int, uint32_t>> u32s;
        std::initializer_list<std::pair<int, unsigned>> u8s;
    } cases[] = {
        {0, {{"CAN_BAUDRATE", "0"}}, {{0, 10000}}, {}},
        {0, {{"CAN_BAUDRATE", "9"}}, {{0, 1000000}}, {}},
        {0, {{"CAN_BAUDRATE", "12"}}, {{0, 1000000}}, {}},
        {0, {{"CAN_BAUDRATE", "-1"}}, {{0, 1000000}}, {}},
        {0, {{"CAN_BAUDRATE", "x"}}, {{0, 1000000}}, {}},
        {0, {}, {{0, 1000000}, {116, 1440}, {120, 1440}}, {{99, 0}}},
        {27, {{"PROFINET_SEND_REPLAY_TUNNEL_PORT", "1"}}, {}, {{99, 2}}},
        {27, {{"PROFINET_SEND_BACK_CAN_MESS", "1"}, {"PROFINET_SEND_REPLAY_TUNNEL_PORT", "1"}}, {}, {{99, 3}}},
        {0, {{"PROFINET_SEND_BACK_CAN_MESS", "Y"}}, {}, {{99, 0}}},
        {15, {{"PROFINET_NB_IN", "5"}, {"PROFINET_NB_OUT", "6"}, {"SNMP_AUX_INT_DIM", "4"}},
         {{116, 1024}, {120, 1024}, {356, 0}}, {{96, 0}}},
        {15, {{"CAN_BAUDRATE", "5"}, {"PROFINET_SEND_BACK_CAN_MESS", "1"}}, {{0, 125000}}, {{99, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + ParGenXml(c.elements).toStdString());
        CompilerProject project(c.type);
        project.WriteParGen(ParGenXml(c.elements));
        const QByteArray block = project.BuildFile("bank1.bin").left(2048);
        for (const auto& [off, v] : c.u32s)
            EXPECT_EQ(ReadU32(block, off), v) << "offset " << off;
        for (const auto& [off, v] : c.u8s)
            EXPECT_EQ(ReadU8(block, off), v) << "offset " << off;
        EXPECT_EQ(ReadU32(block, 2044), BlockSum(block));
    }
}

TEST(CanFrames, WithoutParGenOnlyThePresetsAreSet)
{
    for (int type : {0, 15}) {
        CompilerProject project(type);
        Image expected = ResetGenBlock();
        if (type == 0)
            expected.U16(52, 5000).U8(96, 2);
        else
            expected.U32(424, 0x68800).U32(428, 0x6B800);   // the trap table addresses
        const QByteArray bank1 = project.BuildFile("bank1.bin");
        EXPECT_IMAGE(bank1.left(2048), expected.Sum().Bytes());
    }
}

TEST(CanFrames, Type15KeepsTheNameAt440AndAddsContactLocationAndTraps)
{
    CompilerProject project(15);
    project.WriteParGen(ParGenXml({{"PROFINET_NAME_STA", "snmp-can"}, {"SNMP_Contact", "ops"},
                                   {"PROFINET_PORT", "502"}, {"SNMP_VERSION1", "1"}}));
    project.WriteFile(File_CAN_Rec_Frames, RecFrames({"<row Cob_Id=\"7\" Dimension=\"1\" TimeOut=\"1\"/>"}));
    project.WriteFile(File_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write/></SNMP_Trap>");
    const auto files = project.Build();
    const QByteArray bank1 = files["bank1.bin"];
    ASSERT_EQ(bank1.size(), 26624);
    EXPECT_EQ(bank1.mid(80, 16), QByteArray(16, '\0'));
    EXPECT_EQ(bank1.mid(440, 16), QByteArray("snmp-can").append(8, '\0'));
    EXPECT_EQ(bank1.mid(456, 16), QByteArray("ops").append(13, '\0'));
    EXPECT_EQ(bank1.mid(472, 16), QByteArray(16, '\0'));   // location missing
    EXPECT_EQ(ReadU32(bank1, 432), 0u);                    // no agent settings on this model
    EXPECT_EQ(ReadU16(bank1, 104), 502u);
    EXPECT_EQ(ReadU32(bank1, 112), 1u);
    EXPECT_EQ(ReadU32(bank1, 424), 0x68800u);
    EXPECT_EQ(ReadU32(bank1, 428), 0x6B800u);
    EXPECT_EQ(files["bank2.bin"].size(), 32);
}

// The frame table holds 1024 frames, receive and send together.
TEST(CanFrames, MoreFramesThanTheTableHoldsStopTheBuild)
{
    const auto rows = [](int n, bool send) {
        QByteArray x;
        for (int i = 0; i < n; ++i)
            x += send ? "<row Cob_Id=\"1\" Dimension=\"1\" Send_Type=\"On Timer\" Timer_Send=\"1\"/>"
                      : "<row Cob_Id=\"1\" Dimension=\"1\" TimeOut=\"1\"/>";
        return x;
    };
    const auto write = [&](CompilerProject& project, int received, int sent) {
        project.WriteFile(File_CAN_Rec_Frames, RecFrames({rows(received, false).constData()}));
        project.WriteFile(File_CAN_Send_Frames, SendFrames({rows(sent, true).constData()}));
    };
    {
        CompilerProject project(0);
        write(project, 524, 500);
        const auto files = project.Build();
        EXPECT_EQ(files["bank2.bin"].size(), 1024 * 32);
        EXPECT_EQ(ReadU32(files["bank1.bin"], 112), 1024u);
    }
    for (const auto& [received, sent, where] : {std::tuple{524, 501, "Send_Frames\", row 501"},
                                                 std::tuple{1025, 0, "Receive_Frames\", row 1025"}}) {
        CompilerProject project(0);
        write(project, received, sent);
        QString error;
        EXPECT_FALSE(Build_And_Save_Banks(&error));
        EXPECT_TRUE(error.contains(where)) << error.toStdString();
        EXPECT_TRUE(error.contains("CAN frame table") && error.contains("1024")) << error.toStdString();
        EXPECT_TRUE(QDir(ProjectPath + "/bin").isEmpty());
    }
}

// A missing section or a required attribute missing or not a number stops
// the build: the message names the file, the row and the attribute, and no
// bank file is written.
TEST(CanFrames, RequiredValuesStopTheBuild)
{
    const char* const okRec = "<row Cob_Id=\"1\" Dimension=\"3\" TimeOut=\"1\"/>";
    const char* const okSend = "<row Cob_Id=\"1\" Dimension=\"2\" Send_Type=\"On Timer\" Timer_Send=\"1\"/>";
    const struct
    {
        QString* file;
        QByteArray xml;
        const char* expected;   // in the message after the file name
    } cases[] = {
        {&File_CAN_Rec_Frames, "<PROFINET_to_Receive_CAN/>", "the section \"Receive_Frames\" is missing"},
        {&File_CAN_Send_Frames, "<PROFINET_to_Send_CAN><Receive_Frames/></PROFINET_to_Send_CAN>",
         "the section \"Send_Frames\" is missing"},
        {&File_CAN_Rec_Frames, RecFrames({okRec, "<row Dimension=\"1\" TimeOut=\"1\"/>"}),
         "row 2: the attribute \"Cob_Id\" is missing"},
        {&File_CAN_Rec_Frames, RecFrames({"<row Cob_Id=\"0x1G\" Dimension=\"1\" TimeOut=\"1\"/>"}),
         "row 1: the attribute \"Cob_Id\" is not an integer: \"0x1G\""},
        {&File_CAN_Rec_Frames, RecFrames({"<row Cob_Id=\"1\" TimeOut=\"1\"/>"}), "\"Dimension\" is missing"},
        {&File_CAN_Rec_Frames, RecFrames({"<row Cob_Id=\"1\" Dimension=\"\" TimeOut=\"1\"/>"}),
         "\"Dimension\" is not an integer"},
        {&File_CAN_Rec_Frames, RecFrames({"<row Cob_Id=\"1\" Dimension=\"1\"/>"}), "\"TimeOut\" is missing"},
        {&File_CAN_Rec_Frames, RecFrames({"<row Cob_Id=\"1\" Dimension=\"1\" TimeOut=\"1s\"/>"}),
         "\"TimeOut\" is not an integer"},
        {&File_CAN_Send_Frames, SendFrames({"<row Cob_Id=\"1\" Dimension=\"1\" Send_Type=\"On Timer\"/>"}),
         "\"Timer_Send\" is missing"},
        {&File_CAN_Send_Frames,
         SendFrames({"<row Cob_Id=\"1\" Dimension=\"1\" Send_Type=\"On Data Change\" Timer_Send=\"-\"/>"}),
         "\"Timer_Send\" is not an integer"},
        {&File_CAN_Send_Frames, SendFrames({"<row Cob_Id=\"1\" Dimension=\"1\" Timer_Send=\"1\"/>"}),
         "\"Send_Type\" is missing"},
        {&File_CAN_Rec_Info, RecInfo({"<row B1=\"1\" B3=\"3\"/>"}), "row 1: the attribute \"B2\" is missing"},
        {&File_CAN_Rec_Info, RecInfo({"<row B1=\"1\" B2=\"2\" B3=\"three\"/>"}), "\"B3\" is not an integer"},
        {&File_CAN_Send_Info, SendInfo({"<row B1=\"1\"/>", "<row/>"}),
         "row 1: the attribute \"B2\" is missing"},
        {&File_CAN_Rec_Frames, "<PROFINET_to_Receive_CAN><Receive_Frames></PROFINET_to_Receive_CAN>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml.toStdString());
        CompilerProject project(0);
        project.WriteFile(File_CAN_Rec_Frames, RecFrames({okRec}));
        project.WriteFile(File_CAN_Send_Frames, SendFrames({okSend}));
        project.WriteFile(*c.file, c.xml);
        QString error;
        EXPECT_FALSE(Build_And_Save_Banks(&error));
        EXPECT_TRUE(error.startsWith(*c.file)) << error.toStdString();
        EXPECT_TRUE(error.contains(c.expected)) << error.toStdString();
        EXPECT_TRUE(QDir(ProjectPath + "/bin").isEmpty());
    }
}

TEST(CanFrames, BuildingAgainWithoutTheFramesEqualsAFreshBuild)
{
    CompilerProject project(0);
    project.WriteParGen(kParGen);
    WriteWorkedFrames(project);
    ASSERT_EQ(project.Build()["bank2.bin"].size(), 4 * 32);
    for (QString* f : {&File_CAN_Rec_Frames, &File_CAN_Rec_Info, &File_CAN_Send_Frames, &File_CAN_Send_Info})
        ASSERT_TRUE(QFile::remove(*f));
    const auto files = project.Build();
    EXPECT_EQ(files["bank2.bin"], QByteArray());
    EXPECT_EQ(ReadU32(files["bank1.bin"], 112), 0u);
}

} // namespace
