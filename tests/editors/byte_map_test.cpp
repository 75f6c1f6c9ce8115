// The CAN byte maps: frames from the frame lists, positions typed per byte,
// the receive double-use check, stored positions past the array, and the
// map files as written and as the compiler reads them.
#include "build/compiler/compiler.h"
#include "language.h"
#include "lb_button.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "qt_print.h"
#include "rec_info_window.h"
#include "sen_info_window.h"
#include "workspace.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace editors;

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Frames 0x100 (3 bytes) and 0x200 (8 bytes).
const QByteArray kRecFrames =
    R"x(<PROFINET_to_Receive_CAN><Receive_Frames><row Cob_Id="0x100" Type="2.0A (11 bits)" Dimension="3" TimeOut="0" Mnemonic=""/>)x"
    R"x(<row Cob_Id="0x200" Type="2.0A (11 bits)" Dimension="8" TimeOut="0" Mnemonic=""/></Receive_Frames></PROFINET_to_Receive_CAN>)x";
const QByteArray kSendFrames =
    R"x(<PROFINET_to_Send_CAN><Send_Frames><row Cob_Id="0x100" Type="2.0A (11 bits)" Dimension="3" Send_Type="On Timer" Timer_Send="10" Mnemonic=""/>)x"
    R"x(<row Cob_Id="0x200" Type="2.0A (11 bits)" Dimension="8" Send_Type="On Timer" Timer_Send="10" Mnemonic=""/></Send_Frames></PROFINET_to_Send_CAN>)x";

class ByteMapTest : public ::testing::Test
{
protected:
    explicit ByteMapTest(int type = 0) : folder(type) { folder.OpenProject(); }
    TempProgramFolder folder;
    MessageRecorder messages;
};

} // namespace

TEST_F(ByteMapTest, TypedPositions)
{
    struct Case
    {
        const char* text;
        int stored;             // -1: refused
    };
    const Case cases[] = {{" none ", kNoPosition}, {"None", kNoPosition}, {"", kNoPosition}, {"0", 0},
                          {"1438", 1438}, {"0x10", 16}, {"1439", -1}, {"-1", -1}, {"abc", -1}, {"5 ", 5}};
    for (const Case& c : cases) {
        int pos = 7;
        const QString error = EditPosition(kRecInfo, 2, QString::fromUtf8(c.text), 1439, pos);
        if (c.stored < 0) {
            EXPECT_EQ(error, QStringLiteral("Error Byte 3!! Value have to be between 0 to 1438 or none")) << c.text;
            EXPECT_EQ(pos, 7) << c.text;
        } else {
            EXPECT_EQ(error, QString()) << c.text;
            EXPECT_EQ(pos, c.stored) << c.text;
        }
    }
}

TEST_F(ByteMapTest, DoubleUseOnTheReceiveSideOnly)
{
    std::vector<FrameMap> frames(2);
    frames[0] = {"0x100", 3, {5, kNoPosition, kNoPosition, kNoPosition, kNoPosition, kNoPosition, kNoPosition, kNoPosition}};
    frames[1] = {"0x200", 8, {kNoPosition, 5, kNoPosition, kNoPosition, kNoPosition, kNoPosition, kNoPosition, kNoPosition}};
    int frame = -1;
    EXPECT_EQ(CheckMap(kRecInfo, frames, 1439, frame),
              QStringLiteral("Error!! The Byte 5 is used in COB ID 0x200 in Byte 2 and in COB ID 0x100 in Byte 1"));
    EXPECT_EQ(frame, 1);
    EXPECT_EQ(CheckMap(kSendInfo, frames, 1439, frame), QString());
    // A stored position at or above the array size fails with that byte's value error.
    frames[1].pos[1] = 1500;
    EXPECT_EQ(CheckMap(kSendInfo, frames, 1439, frame),
              QStringLiteral("Error Byte 2!! Value have to be between 0 to 1438 or none"));
    EXPECT_EQ(frame, 1);
}

TEST_F(ByteMapTest, FilesByPositionAndCutToTheDimension)
{
    WriteFile(File_CAN_Rec_Frames, kRecFrames);
    WriteFile(File_CAN_Rec_Info, R"(<Receive_Frames_Info><row B1="1" B2="2" B3="3" B4="4" B5="5" B6="6" B7="7" B8="8"/></Receive_Frames_Info>)");
    ByteMapModel m(kRecInfo);
    m.FormShow();
    EXPECT_TRUE(messages.Empty());
    ASSERT_EQ(m.Frames().size(), 2u);
    EXPECT_EQ(m.EditText(2), QStringLiteral("3"));
    EXPECT_EQ(m.EditText(3), QStringLiteral("none"));
    m.Select(1);
    EXPECT_EQ(m.EditText(0), QStringLiteral("none"));
    EXPECT_TRUE(m.LeaveEdit(7, QStringLiteral("100")));
    EXPECT_FALSE(m.LeaveEdit(0, QStringLiteral("1439")));
    EXPECT_EQ(messages.Texts(), QStringList{"Error Byte 1!! Value have to be between 0 to 1438 or none"});
    ASSERT_TRUE(m.Accept());
    EXPECT_EQ(ReadFile(File_CAN_Rec_Info).toStdString(),
              "<Receive_Frames_Info><row B1=\"1\" B2=\"2\" B3=\"3\" B4=\"65535\" B5=\"65535\" B6=\"65535\" B7=\"65535\" B8=\"65535\"/>"
              "<row B1=\"65535\" B2=\"65535\" B3=\"65535\" B4=\"65535\" B5=\"65535\" B6=\"65535\" B7=\"65535\" B8=\"100\"/>"
              "</Receive_Frames_Info><!--SW_VERSION = 1.107-->");

    // More rows than frames: said on showing, asked on OK.
    const QByteArray three = "<Receive_Frames_Info>" + QByteArray(R"(<row B1="1" B2="2" B3="3" B4="4" B5="5" B6="6" B7="7" B8="8"/>)").repeated(3)
                             + "</Receive_Frames_Info>";
    WriteFile(File_CAN_Rec_Info, three);
    messages.Clear();
    m.FormShow();
    EXPECT_EQ(messages.Texts().size(), 1);
    messages.QueueAnswer(false);
    EXPECT_FALSE(m.Accept());
    EXPECT_EQ(ReadFile(File_CAN_Rec_Info), three);
}

// F4: the array size stays within 1..1439 and a stored position past it is
// kept as stored but refused on OK, its frame selected.
TEST_F(ByteMapTest, StoredPositionPastTheArray)
{
    WriteFile(File_ParGen, "<Par_Gen><PROFINET_NB_OUT>100000</PROFINET_NB_OUT><PROFINET_NB_IN>10</PROFINET_NB_IN></Par_Gen>");
    WriteFile(File_CAN_Rec_Frames, kRecFrames);
    WriteFile(File_CAN_Rec_Info, R"(<Receive_Frames_Info><row B1="1" B2="2" B3="3" B4="4" B5="5" B6="6" B7="7" B8="8"/>)"
                                 R"(<row B1="21" B2="2000" B3="23" B4="24" B5="25" B6="26" B7="27" B8="28"/></Receive_Frames_Info>)");
    const QByteArray before = ReadFile(File_CAN_Rec_Info);
    ByteMapModel m(kRecInfo);
    m.FormShow();
    EXPECT_EQ(m.NumByteMax(), 1439);
    m.Select(1);
    EXPECT_EQ(m.EditText(1), QStringLiteral("2000"));
    m.Select(0);
    EXPECT_FALSE(m.Accept());
    EXPECT_EQ(m.Selected(), 1);
    EXPECT_EQ(messages.Texts(), QStringList{"Error Byte 2!! Value have to be between 0 to 1438 or none"});
    EXPECT_EQ(ReadFile(File_CAN_Rec_Info), before);
    ByteMapModel send(kSendInfo);
    send.FormShow();
    EXPECT_EQ(send.NumByteMax(), 10);
}

class SnmpByteMapTest : public ByteMapTest
{
protected:
    SnmpByteMapTest() : ByteMapTest(15) {}
};

TEST_F(SnmpByteMapTest, ArrayOfSnmp)
{
    WriteFile(File_CAN_Send_Frames, kSendFrames);
    TF_Sen_Info w;
    w.show();
    EXPECT_EQ(w.Model().NumByteMax(), 1024);
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("Panel8"))->findChildren<QLabel*>()[1]->text(), QStringLiteral("of SNMP"));
    w.hide();
}

TEST_F(ByteMapTest, WindowTypedWithKeysSavedAndCompiled)
{
    WriteFile(File_CAN_Rec_Frames, kRecFrames);
    TF_Rec_Info w;
    w.show();
    auto* list = w.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("0x200"));
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("Panel4"))->isEnabled());
    EXPECT_TRUE(w.findChild<QLabel*>(QStringLiteral("Label22"))->isVisibleTo(&w));

    auto* edit1 = w.findChild<QLineEdit*>(QStringLiteral("Edit1"));
    edit1->setFocus();
    edit1->selectAll();
    QTest::keyClicks(edit1, QStringLiteral("12"));
    QTest::keyClick(edit1, Qt::Key_Return);
    // Frame 0x200 chosen with the keys; its byte 8 typed.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(w.Model().Selected(), 1);
    auto* edit8 = w.findChild<QLineEdit*>(QStringLiteral("Edit8"));
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("Panel8"))->isEnabled());
    edit8->setFocus();
    edit8->selectAll();
    QTest::keyClicks(edit8, QStringLiteral("13"));
    QTest::keyClick(edit8, Qt::Key_Return);
    QTest::mouseClick(w.findChild<TLbButton*>(QStringLiteral("Btn_OK")), Qt::LeftButton);
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join('|').toStdString();
    EXPECT_EQ(w.result(), int(mrOk));

    QList<BankFile> typed;
    QString error;
    ASSERT_TRUE(Build_Banks(0, typed, &error)) << error.toStdString();
    WriteFile(File_CAN_Rec_Info, "<Receive_Frames_Info>\n"
                                 "  <row B1=\"12\" B2=\"65535\" B3=\"65535\" B4=\"65535\" B5=\"65535\" B6=\"65535\" B7=\"65535\" B8=\"65535\"/>\n"
                                 "  <row B1=\"65535\" B2=\"65535\" B3=\"65535\" B4=\"65535\" B5=\"65535\" B6=\"65535\" B7=\"65535\" B8=\"13\"/>\n"
                                 "</Receive_Frames_Info>\n");
    QList<BankFile> hand;
    ASSERT_TRUE(Build_Banks(0, hand, &error)) << error.toStdString();
    ASSERT_EQ(hand.size(), typed.size());
    for (qsizetype i = 0; i < hand.size(); ++i)
        EXPECT_EQ(hand[i].bytes, typed[i].bytes) << i;
}
