// The parameter group models: J1939 (6, 14) and NMEA 2000 (7, 28). The
// general block with the bus fields and the 512 + 512 parameter group records.
#include "table_file_fixture.h"

#include <QDir>

#include <vector>

namespace {

constexpr uint32_t None32 = 0xFFFFFFFFu;

struct Pgn
{
    uint32_t id = None32;
    uint32_t timer = None32;
    uint32_t timeout = None32;
    unsigned area = 0;
    unsigned start = 0;
    unsigned count = 0;
    unsigned multi = 0;
    unsigned flags = 0;
};

QByteArray Entry(const Pgn& p)
{
    Image e(32);
    e.U32(0, p.id).U32(4, p.timer).U32(8, p.timeout).U16(12, p.area).U16(14, p.start).U16(16, p.count);
    e.U16(28, p.multi).U8(30, p.flags);
    return e.Bytes();
}

// The whole image: the given records first in each table, the others reset.
QByteArray PgnImage(const std::vector<Pgn>& rx, const std::vector<Pgn>& tx)
{
    QByteArray image;
    for (int i = 0; i < 512; ++i)
        image += Entry(i < int(rx.size()) ? rx[i] : Pgn{});
    Pgn resetTx;
    resetTx.flags = 1;
    for (int i = 0; i < 512; ++i)
        image += Entry(i < int(tx.size()) ? tx[i] : resetTx);
    return image;
}

QByteArray J1939Rows(const QList<QByteArray>& rows)
{
    return RootXml("Receive_J1939", rows);
}
QByteArray NmeaRows(const QList<QByteArray>& rows)
{
    return RootXml("Receive_NMEA_2000", rows);
}

// The record of the first row of one table after a build.
QByteArray FirstRecord(CompilerProject& project, bool transmit)
{
    const QByteArray image = project.BuildFile("bank2.bin");
    return image.mid(transmit ? 16384 : 0, 32);
}

TEST(J1939, WorkedProjectByteForByte)
{
    CompilerProject project(6);
    project.WriteParGen(ParGenXml({
        {"PROFINET_IP1", "10"}, {"PROFINET_IP4", "9"}, {"PROFINET_EN_GAT", "1"}, {"PROFINET_NAME_STA", "j1939"},
        {"PROFINET_PORT", "1234"},   // not read by this family
        {"PROFINET_NB_IN", "7"},     // the byte counts come from the tables
        {"J1939_BAUDRATE", "6"}, {"J1939_TIMEOUT", "5"}, {"J1939_PEER_TO_PEER", "0"}, {"J1939_ID", "33"},
    }));
    project.WriteFile(File_J1939_Rec_Frames, J1939Rows({
        "<row DP=\"1\" PGN=\"65226\" SA=\"0\" TP=\"N\" TP_Start=\"1\" TP_NByte=\"4\" Delete=\"N\" Mnemonic=\"a\"/>",
        "<row DP=\"0\" PGN=\"$FEF1\" SA=\"17\" TP=\"N\" TP_Start=\"\" TP_NByte=\"\" Delete=\"Y\"/>",
        "<row DP=\"0\" PGN=\"60416\" SA=\"3\" TP=\"Y\" TP_Start=\"0\" TP_NByte=\"20\" Delete=\"Y\"/>",
    }));
    project.WriteFile(File_J1939_Send_Frames, J1939Rows({
        "<row Priority=\"6\" DP=\"0\" PGN=\"61444\" SA=\"0\" TP_NByte=\"8\" On_Request=\"N\" On_Data_Change=\"N\" "
        "On_Timer=\"Y\" SendTimer=\"100\"/>",
        "<row Priority=\"3\" DP=\"1\" PGN=\"256\" SA=\"5\" TP_NByte=\"20\" T_Type=\"On Data Change\" "
        "SendTimer=\"50\"/>",
    }));
    const auto files = project.Build();
    ASSERT_EQ(files.keys(), (QStringList{"bank1.bin", "bank2.bin"}));

    Image block = ResetGenBlock();
    block.U16(52, 5000).U8(96, 2).U8(99, 16);
    block.Octets(40, 10, 168, 0, 9).Octets(44, 255, 255, 255, 0).Octets(48, 192, 168, 0, 1).Text(80, "j1939");
    block.U32(0, 500000).U32(28, 33).U32(116, 32).U32(120, 28).U32(144, 3).U32(148, 2).Sum();
    EXPECT_IMAGE(files["bank1.bin"], block.Bytes());

    const std::vector<Pgn> rx = {
        {(1u << 24) + (65226u << 8), 0, 0, 0, 1, 4, 0, 0},
        {(0xFEF1u << 8) + 17, 0, 5000, 4, 0, 8, 0, 0},
        {(60416u << 8) + 3, 0, 5000, 12, 0, 20, 1, 0},
    };
    const std::vector<Pgn> tx = {
        {(6u << 26) + (61444u << 8), 100, None32, 0, 0, 8, 0, 1 | 16},
        {(3u << 26) + (1u << 24) + (256u << 8) + 5, 0, None32, 8, 0, 20, 1, 1 | 32},
    };
    EXPECT_IMAGE(files["bank2.bin"], PgnImage(rx, tx));
    EXPECT_EQ(files["bank2.bin"].mid(0, 4), QByteArray::fromHex("00cafe01"));
    EXPECT_EQ(files["bank2.bin"].mid(16384, 4), QByteArray::fromHex("0004f018"));
}

TEST(J1939, NoTablesGiveResetRecordsAndByteTotalsOfOne)
{
    for (int type : {6, 14, 7, 28}) {
        SCOPED_TRACE(type);
        CompilerProject project(type);
        project.WriteParGen(ParGenXml({}));
        const auto files = project.Build();
        EXPECT_IMAGE(files["bank2.bin"], PgnImage({}, {}));
        const QByteArray& block = files["bank1.bin"];
        EXPECT_EQ(ReadU32(block, 116), 1u);
        EXPECT_EQ(ReadU32(block, 120), 1u);
        EXPECT_EQ(ReadU32(block, 144), 0u);
        EXPECT_EQ(ReadU32(block, 148), 0u);
        EXPECT_EQ(ReadU32(block, 0), 250000u);
    }
}

TEST(J1939, ParGenFieldsOfBothFamilies)
{
    const struct
    {
        int type;
        Elements elements;   // nullptr-free list; {} with noFile = true: no ParGen.xml
        bool noFile;
        std::initializer_list<std::pair<int, uint32_t>> u32s;
        unsigned mode99;
    } cases[] = {
        {6, {{"J1939_BAUDRATE", "0"}}, false, {{0, 10000}}, 16},
        {14, {{"J1939_BAUDRATE", "3"}}, false, {{0, 100000}}, 16},
        {6, {{"J1939_BAUDRATE", "8"}}, false, {{0, 1000000}}, 16},
        {6, {{"J1939_BAUDRATE", "9"}}, false, {{0, 250000}}, 16},
        {6, {{"J1939_BAUDRATE", "x"}, {"J1939_ID", "$FF"}}, false, {{0, 250000}, {28, 255}}, 16},
        {6, {{"J1939_PEER_TO_PEER", "1"}}, false, {{152, 1}}, 16},
        {6, {{"J1939_PEER_TO_PEER", "Y"}}, false, {{152, 0}}, 16},
        {7, {{"NMEA2000_BAUDRATE", "4"}, {"J1939_BAUDRATE", "1"}, {"J1939_ID", "9"}}, false,
         {{0, 125000}, {28, 0}}, 48},
        {28, {{"NMEA2000_PEER_TO_PEER", "1"}, {"J1939_PEER_TO_PEER", "0"}}, false, {{152, 1}, {104, 0}}, 48},
        {6, {}, true, {{0, 125000}, {116, 1}, {120, 1}, {28, 0}}, 16},   // reset bit rate without ParGen
        {7, {}, true, {{0, 125000}}, 48},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + ParGenXml(c.elements).toStdString());
        CompilerProject project(c.type);
        if (!c.noFile)
            project.WriteParGen(ParGenXml(c.elements));
        const QByteArray block = project.BuildFile("bank1.bin");
        for (const auto& [off, v] : c.u32s)
            EXPECT_EQ(ReadU32(block, off), v) << "offset " << off;
        EXPECT_EQ(ReadU16(block, 52), 5000u);
        EXPECT_EQ(ReadU8(block, 96), 2u);
        EXPECT_EQ(ReadU8(block, 99), c.mode99);
        EXPECT_EQ(ReadU32(block, 2044), BlockSum(block));
    }
}

// The time-out goes to receive rows marked Delete; without ParGen.xml it is 0.
TEST(J1939, DataTimeOutOfReceiveRows)
{
    const struct
    {
        const char* timeout;   // nullptr: no ParGen.xml
        const char* del;
        uint32_t expected;
    } cases[] = {
        {"7", "Y", 7000}, {"7", "y", 0}, {"7", "N", 0}, {"x", "Y", 0}, {nullptr, "Y", 0}, {"100000", "Y", 100000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.timeout ? c.timeout : "(no file)") + " " + c.del);
        CompilerProject project(6);
        if (c.timeout)
            project.WriteParGen(ParGenXml({{"J1939_TIMEOUT", c.timeout}}));
        project.WriteFile(File_J1939_Rec_Frames,
                          J1939Rows({(QByteArray("<row PGN=\"1\" Delete=\"") + c.del + "\"/>").constData()}));
        EXPECT_EQ(ReadU32(FirstRecord(project, false), 8), c.expected);
    }
}

TEST(J1939, PeerToPeerDropsTheSourceAddressOfReceiveRowsOnly)
{
    for (int type : {6, 7}) {
        SCOPED_TRACE(type);
        const bool nmea = type == 7;
        CompilerProject project(type);
        project.WriteParGen(ParGenXml({{nmea ? "NMEA2000_PEER_TO_PEER" : "J1939_PEER_TO_PEER", "1"}}));
        const char* rx = "<row DP=\"1\" PGN=\"65226\" SA=\"3\"/>";
        const char* tx = "<row Priority=\"0\" DP=\"0\" PGN=\"1\" SA=\"3\"/>";
        project.WriteFile(nmea ? File_NMEA_Rec_Frames : File_J1939_Rec_Frames, RootXml("r", {rx}));
        project.WriteFile(nmea ? File_NMEA_Send_Frames : File_J1939_Send_Frames, RootXml("r", {tx}));
        const QByteArray image = project.BuildFile("bank2.bin");
        EXPECT_EQ(ReadU32(image, 0), (nmea ? 0u : 1u << 24) + (65226u << 8));   // NMEA 2000 has no DP
        EXPECT_EQ(ReadU32(image, 16384), (1u << 8) + 3);
    }
}

// Receive rows: area offsets run over the rows of the file, multi-packet rows
// take their counts as they are, other rows 8 bytes unless both are given.
TEST(J1939, ReceiveRowCountsAndAreaOffsets)
{
    CompilerProject project(14);
    project.WriteFile(File_J1939_Rec_Frames, J1939Rows({
        "<row PGN=\"1\" TP=\"Y\"/>",                                  // count 0
        "<row PGN=\"2\" TP_Start=\"2\"/>",                            // count missing: 8
        "<row PGN=\"3\" TP_Start=\"x\" TP_NByte=\"3\"/>",             // start bad: 8
        "<row PGN=\"4\" TP=\"y\" TP_Start=\"3\" TP_NByte=\"5\"/>",    // TP compared exactly
        "<row PGN=\"5\" TP=\"Y\" TP_Start=\"100\" TP_NByte=\"x\"/>",  // count bad: 0
        "<row/>",                                                     // every value defaults
        "<!--a comment is a row as well-->",
    }));
    const QByteArray image = project.BuildFile("bank2.bin");
    const struct
    {
        unsigned area, start, count, multi;
    } expected[] = {{0, 0, 0, 1}, {0, 0, 8, 0}, {8, 0, 8, 0}, {16, 3, 5, 0}, {21, 100, 0, 1}, {21, 0, 8, 0},
                    {29, 0, 8, 0}};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ReadU16(image, 32 * i + 12), expected[i].area);
        EXPECT_EQ(ReadU16(image, 32 * i + 14), expected[i].start);
        EXPECT_EQ(ReadU16(image, 32 * i + 16), expected[i].count);
        EXPECT_EQ(ReadU16(image, 32 * i + 28), expected[i].multi);
    }
    const QByteArray block = project.BuildFile("bank1.bin");
    EXPECT_EQ(ReadU32(block, 116), 37u);
    EXPECT_EQ(ReadU32(block, 144), 7u);
}

TEST(J1939, TransmitSendModes)
{
    const struct
    {
        const char* attrs;
        uint32_t timer;
        unsigned flags;   // besides the transmit bit
    } cases[] = {
        {"T_Type=\"On Data Change\" SendTimer=\"50\"", 0, 32},
        {"T_Type=\"on data change\" On_Timer=\"Y\" SendTimer=\"50\"", 0, 32},
        {"T_Type=\"On Timer\" SendTimer=\"50\"", 50, 16},
        {"T_Type=\"On Timer\" SendTimer=\"x\" On_Request=\"Y\"", 0, 64},   // falls back to the check boxes
        {"T_Type=\"On Timer\" On_Data_Change=\"Y\"", 0, 32},
        {"On_Request=\"y\" On_Data_Change=\"Y\" On_Timer=\"Y\" SendTimer=\"70\"", 70, 64 | 32 | 16},
        {"On_Data_Change=\"y\" On_Timer=\"y\" SendTimer=\"70\"", 0, 0},
        {"On_Timer=\"Y\" SendTimer=\"bad\"", 0, 16},
        {"On_Timer=\"N\" SendTimer=\"70\"", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attrs);
        CompilerProject project(6);
        const QByteArray row = QByteArray("<row Priority=\"1\" DP=\"0\" PGN=\"2\" SA=\"3\" ") + c.attrs + "/>";
        project.WriteFile(File_J1939_Send_Frames, J1939Rows({row.constData()}));
        const QByteArray rec = FirstRecord(project, true);
        EXPECT_EQ(ReadU32(rec, 4), c.timer);
        EXPECT_EQ(ReadU8(rec, 30), 1 | c.flags);
        EXPECT_EQ(ReadU32(rec, 8), None32);   // transmit records keep the reset time-out
    }
}

// NMEA 2000 ignores T_Type: its rows always use the check boxes.
TEST(Nmea2000, TransmitIgnoresTheOlderSendTypeAttribute)
{
    CompilerProject project(28);
    project.WriteFile(File_NMEA_Send_Frames,
                      NmeaRows({"<row Priority=\"2\" PGN=\"127250\" SA=\"4\" T_Type=\"On Data Change\" "
                                "On_Timer=\"Y\" SendTimer=\"30\"/>"}));
    const QByteArray rec = FirstRecord(project, true);
    EXPECT_EQ(ReadU32(rec, 0), (2u << 26) + (127250u << 8) + 4);
    EXPECT_EQ(ReadU32(rec, 4), 30u);
    EXPECT_EQ(ReadU8(rec, 30), 1u | 16u);
}

TEST(Nmea2000, ReceiveFlagsForTransportProtocolAndFastPacket)
{
    CompilerProject project(7);
    project.WriteParGen(ParGenXml({{"NMEA2000_TIMEOUT", "2"}}));
    project.WriteFile(File_NMEA_Rec_Frames, NmeaRows({
        "<row PGN=\"129029\" SA=\"1\" TP=\"N\" FP=\"Y\" TP_Start=\"0\" TP_NByte=\"43\" Delete=\"Y\"/>",
        "<row PGN=\"126464\" SA=\"2\" TP=\"Y\" FP=\"N\" TP_Start=\"0\" TP_NByte=\"300\"/>",
        "<row PGN=\"127488\" SA=\"3\" TP=\"Y\" FP=\"Y\" TP_Start=\"5\" TP_NByte=\"10\"/>",
        "<row DP=\"1\" PGN=\"127489\" SA=\"4\" TP=\"N\" FP=\"N\" TP_Start=\"1\" TP_NByte=\"2\"/>",
    }));
    const std::vector<Pgn> rx = {
        {(129029u << 8) + 1, 0, 2000, 0, 0, 43, 1, 4},
        {(126464u << 8) + 2, 0, 0, 43, 0, 300, 1, 2},
        {(127488u << 8) + 3, 0, 0, 343, 5, 10, 1, 6},
        {(127489u << 8) + 4, 0, 0, 353, 1, 2, 0, 0},
    };
    const auto files = project.Build();
    EXPECT_IMAGE(files["bank2.bin"], PgnImage(rx, {}));
    EXPECT_EQ(ReadU32(files["bank1.bin"], 116), 355u);
    EXPECT_EQ(ReadU32(files["bank1.bin"], 120), 1u);
}

TEST(Nmea2000, TransmitByteCountsFastPacketAndTransportProtocol)
{
    const struct
    {
        const char* attrs;
        unsigned count, multi, flags;   // flags besides the transmit bit
    } cases[] = {
        {"FP=\"Y\" TP_NByte=\"223\"", 223, 1, 4},
        {"FP=\"Y\" TP_NByte=\"233\"", 233, 1, 4},
        {"FP=\"Y\" TP_NByte=\"240\"", 240, 1, 4 | 2},
        {"FP=\"Y\" TP_NByte=\"lots\"", 8, 1, 4},
        {"FP=\"Y\" TP_NByte=\"3\" On_Request=\"Y\"", 3, 1, 4 | 64},
        {"FP=\"N\" TP_NByte=\"8\"", 8, 0, 0},
        {"FP=\"N\" TP_NByte=\"9\"", 9, 1, 2},
        {"FP=\"y\"", 8, 0, 0},
        {"TP_NByte=\"x\"", 8, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attrs);
        CompilerProject project(7);
        const QByteArray row = QByteArray("<row Priority=\"3\" PGN=\"130306\" SA=\"0\" ") + c.attrs + "/>";
        project.WriteFile(File_NMEA_Send_Frames, NmeaRows({row.constData(), row.constData()}));
        const auto files = project.Build();
        const QByteArray rec = files["bank2.bin"].mid(16384, 64);
        EXPECT_EQ(ReadU16(rec, 16), c.count);
        EXPECT_EQ(ReadU16(rec, 28), c.multi);
        EXPECT_EQ(ReadU8(rec, 30), 1 | c.flags);
        EXPECT_EQ(ReadU16(rec, 32 + 12), c.count);   // the second row's area offset
        EXPECT_EQ(ReadU32(files["bank1.bin"], 120), 2 * c.count);
        EXPECT_EQ(ReadU32(files["bank1.bin"], 148), 2u);
    }
}

TEST(J1939, TransmitByteCountWithoutFlagBits)
{
    for (const auto& [nbyte, count, multi] : {std::tuple{"9", 9u, 1u}, std::tuple{"8", 8u, 0u},
                                              std::tuple{"x", 8u, 0u}, std::tuple{"1785", 1785u, 1u}}) {
        SCOPED_TRACE(nbyte);
        CompilerProject project(6);
        const QByteArray row =
            QByteArray("<row Priority=\"3\" DP=\"0\" PGN=\"1\" SA=\"0\" FP=\"Y\" TP_NByte=\"") + nbyte + "\"/>";
        project.WriteFile(File_J1939_Send_Frames, J1939Rows({row.constData()}));
        const QByteArray rec = FirstRecord(project, true);
        EXPECT_EQ(ReadU16(rec, 16), count);
        EXPECT_EQ(ReadU16(rec, 28), multi);
        EXPECT_EQ(ReadU8(rec, 30), 1u);   // no fast-packet or transport bits on J1939
    }
}

// Transmit rows need their identifier parts, an NMEA 2000 fast-packet row its
// byte count: otherwise the build stops, naming file, row and attribute, and
// writes nothing. Receive rows never stop it.
TEST(J1939, RequiredTransmitValuesStopTheBuild)
{
    const struct
    {
        int type;
        const char* row;
        const char* expected;
    } cases[] = {
        {6, "<row DP=\"0\" PGN=\"1\" SA=\"0\"/>", "row 2: the attribute \"Priority\" is missing."},
        {6, "<row Priority=\"1\" PGN=\"1\" SA=\"0\"/>", "\"DP\" is missing"},
        {6, "<row Priority=\"1\" DP=\"0\" SA=\"0\"/>", "\"PGN\" is missing"},
        {6, "<row Priority=\"1\" DP=\"0\" PGN=\"1\"/>", "\"SA\" is missing"},
        {14, "<row Priority=\"high\" DP=\"0\" PGN=\"1\" SA=\"0\"/>", "\"Priority\" is not an integer: \"high\""},
        {6, "<row Priority=\"1\" DP=\"\" PGN=\"1\" SA=\"0\"/>", "\"DP\" is not an integer"},
        {7, "<row Priority=\"1\" SA=\"0\"/>", "\"PGN\" is missing"},
        {28, "<row Priority=\"1\" PGN=\"1\" SA=\"z\"/>", "\"SA\" is not an integer"},
        {7, "<row Priority=\"1\" PGN=\"1\" SA=\"0\" FP=\"Y\"/>", "row 2: the attribute \"TP_NByte\" is missing."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        CompilerProject project(c.type);
        const bool nmea = c.type == 7 || c.type == 28;
        const QString& file = nmea ? File_NMEA_Send_Frames : File_J1939_Send_Frames;
        project.WriteFile(file, RootXml("r", {"<row Priority=\"1\" DP=\"0\" PGN=\"1\" SA=\"0\"/>", c.row}));
        QString error;
        EXPECT_FALSE(Build_And_Save_Banks(&error));
        EXPECT_EQ(error.left(file.size()), file);
        EXPECT_TRUE(error.contains(c.expected)) << error.toStdString();
        EXPECT_TRUE(QDir(ProjectPath + "/bin").isEmpty());
    }
    for (QString* file : {&File_J1939_Rec_Frames, &File_J1939_Send_Frames}) {
        CompilerProject project(14);
        project.WriteFile(*file, "<Receive_J1939><row PGN=\"1\"></Receive_J1939>");
        QString error;
        EXPECT_FALSE(Build_And_Save_Banks(&error));
        EXPECT_TRUE(error.startsWith(*file)) << error.toStdString();
        EXPECT_TRUE(QDir(ProjectPath + "/bin").isEmpty());
    }
    // An NMEA 2000 row without DP, and receive rows full of bad values, build.
    CompilerProject project(7);
    project.WriteFile(File_NMEA_Send_Frames, NmeaRows({"<row Priority=\"1\" PGN=\"1\" SA=\"0\" FP=\"N\"/>"}));
    project.WriteFile(File_NMEA_Rec_Frames, NmeaRows({"<row PGN=\"x\" SA=\"\" TP=\"Y\" TP_NByte=\"?\"/>", "<row/>"}));
    QString error;
    EXPECT_TRUE(Build_And_Save_Banks(&error)) << error.toStdString();
}

TEST(J1939, MoreRowsThanATableHoldsStopTheBuild)
{
    for (const auto& [rows, ok] : {std::pair{512, true}, std::pair{513, false}}) {
        SCOPED_TRACE(rows);
        QByteArray x = "<Receive_J1939>";
        for (int i = 0; i < rows; ++i)
            x += "<row Priority=\"1\" DP=\"0\" PGN=\"" + QByteArray::number(i) + "\" SA=\"0\" TP_NByte=\"1\"/>";
        x += "</Receive_J1939>";
        CompilerProject project(6);
        project.WriteFile(File_J1939_Send_Frames, x);
        QString error;
        EXPECT_EQ(Build_And_Save_Banks(&error), ok);
        if (ok) {
            EXPECT_EQ(ReadU32(project.ReadBin("bank1.bin"), 148), 512u);
            EXPECT_EQ(ReadU32(project.ReadBin("bank1.bin"), 120), 512u);
            EXPECT_EQ(ReadU32(project.ReadBin("bank2.bin"), 16384 + 511 * 32), (1u << 26) + (511u << 8));
        } else {
            EXPECT_TRUE(error.startsWith(File_J1939_Send_Frames)) << error.toStdString();
            EXPECT_TRUE(error.contains("512")) << error.toStdString();
            EXPECT_TRUE(QDir(ProjectPath + "/bin").isEmpty());
        }
    }
}

TEST(J1939, BuildingAgainWithoutTheTablesEqualsAFreshBuild)
{
    CompilerProject project(6);
    project.WriteParGen(ParGenXml({{"J1939_TIMEOUT", "3"}}));
    project.WriteFile(File_J1939_Rec_Frames, J1939Rows({"<row PGN=\"1\" TP=\"Y\" TP_NByte=\"30\" Delete=\"Y\"/>"}));
    project.WriteFile(File_J1939_Send_Frames, J1939Rows({"<row Priority=\"1\" DP=\"0\" PGN=\"1\" SA=\"0\"/>"}));
    const auto first = project.Build();
    ASSERT_NE(first["bank2.bin"], PgnImage({}, {}));
    ASSERT_TRUE(QFile::remove(File_J1939_Rec_Frames));
    ASSERT_TRUE(QFile::remove(File_J1939_Send_Frames));
    const auto again = project.Build();
    EXPECT_IMAGE(again["bank2.bin"], PgnImage({}, {}));
    EXPECT_EQ(ReadU32(again["bank1.bin"], 116), 1u);
    EXPECT_EQ(ReadU32(again["bank1.bin"], 144), 0u);
}

} // namespace
