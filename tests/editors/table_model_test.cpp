// A table window's steps without its widgets: showing, OK with its check and
// questions, the row buttons, the rows taken from ParGen.xml, and the faults
// a file that was not fully loaded or a gap in the table could cause.
#include "editors/table_model.h"
#include "language.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "qt_print.h"
#include "workspace.h"

#include <QDir>
#include <QFile>

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

void SetRow(grid::TExColumnGrid& g, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c)
        g.SetCellEx(c + 1, row, cells[c]);
}

QStringList Row(grid::TExColumnGrid& g, int row)
{
    QStringList cells;
    for (int c = 1; c < g.AllColCount(); ++c)
        cells.append(g.GetCellEx(c, row));
    return cells;
}

const QByteArray kCanRow = R"x(<row Cob_Id="1" Type="2.0A (11 bits)" Dimension="8" TimeOut="0" Mnemonic="m"/>)x";
const QStringList kFrame{"0x10", "2.0A (11 bits)", "8", "100", "f"};

class TableModelTest : public ::testing::Test
{
protected:
    TableModelTest() : folder(0) { folder.OpenProject(); }
    TempProgramFolder folder;
    MessageRecorder messages;
};

} // namespace

TEST_F(TableModelTest, ShowingNumbersRowsAndLoadsTheFile)
{
    WriteFile(File_CAN_Rec_Frames, "<PROFINET_to_Receive_CAN><Receive_Frames>" + kCanRow + kCanRow
                                       + "</Receive_Frames></PROFINET_to_Receive_CAN>");
    TableModel m(kCanRecFrames);
    SetRow(m.Grid(), 5, kFrame);   // typed before: gone after showing
    m.FormShow();
    EXPECT_TRUE(messages.Empty());
    EXPECT_EQ(m.Grid().RowCount(), 501);
    EXPECT_EQ(m.Grid().GetCellEx(0, 500), QStringLiteral("500"));
    EXPECT_EQ(Row(m.Grid(), 2), (QStringList{"1", "2.0A (11 bits)", "8", "0", "m"}));
    EXPECT_EQ(Row(m.Grid(), 5), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(m.Grid().Columns()[1]->Header(), QStringLiteral("Cob-ID"));
}

TEST_F(TableModelTest, FailingCheckWritesNothing)
{
    TableModel m(kCanRecFrames);
    m.FormShow();
    SetRow(m.Grid(), 1, {"0x800", "2.0A (11 bits)", "8", "0", ""});
    EXPECT_FALSE(m.Accept());
    EXPECT_EQ(messages.Texts(), QStringList{"Error row 1!! CAN Cob-Id must be between 0x000 and 0x7FF"});
    EXPECT_FALSE(QFile::exists(File_CAN_Rec_Frames));
}

// F1: a file not fully loaded is never silently shrunk.
TEST_F(TableModelTest, PartlyLoadedFileAsksBeforeItIsReplaced)
{
    const QByteArray old = "<PROFINET_to_Receive_CAN><Receive_Frames>" + kCanRow + kCanRow
                           + R"(<row Cob_Id="7" Type="x"/>)" + kCanRow + "</Receive_Frames></PROFINET_to_Receive_CAN>";
    WriteFile(File_CAN_Rec_Frames, old);
    TableModel m(kCanRecFrames);
    m.FormShow();
    const QString where = File_CAN_Rec_Frames + QStringLiteral(", section \"Receive_Frames\", row 3: ");
    EXPECT_EQ(messages.Texts(), QStringList{where + "the attribute \"Dimension\" is missing."});
    EXPECT_EQ(Row(m.Grid(), 3), (QStringList{"7", "x", "", "", ""}));
    SetRow(m.Grid(), 3, {"7", "x", "8", "0", ""});
    messages.Clear();
    messages.QueueAnswer(false);
    EXPECT_FALSE(m.Accept());
    ASSERT_EQ(messages.Questions(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(File_CAN_Rec_Frames));
    EXPECT_EQ(ReadFile(File_CAN_Rec_Frames), old);
    messages.QueueAnswer(true);
    EXPECT_TRUE(m.Accept());
    EXPECT_EQ(ReadFile(File_CAN_Rec_Frames).count("<row "), 3);

    // Not well-formed: the parser's message, an empty table, and the same question.
    WriteFile(File_CAN_Rec_Frames, "<PROFINET_to_Receive_CAN><Receive_Frames>");
    messages.Clear();
    m.FormShow();
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_EQ(Row(m.Grid(), 1), (QStringList{"", "", "", "", ""}));
    messages.QueueAnswer(false);
    EXPECT_FALSE(m.Accept());
    EXPECT_EQ(ReadFile(File_CAN_Rec_Frames), QByteArray("<PROFINET_to_Receive_CAN><Receive_Frames>"));
}

// F2: rows below the first unused row are not dropped without a question.
TEST_F(TableModelTest, RowsBelowAGapAsk)
{
    TableModel m(kCanRecFrames);
    m.FormShow();
    SetRow(m.Grid(), 1, kFrame);
    SetRow(m.Grid(), 2, kFrame);
    SetRow(m.Grid(), 4, kFrame);
    messages.QueueAnswer(false);
    EXPECT_FALSE(m.Accept());
    EXPECT_EQ(messages.Questions(), 1);
    EXPECT_FALSE(QFile::exists(File_CAN_Rec_Frames));
    messages.QueueAnswer(true);
    EXPECT_TRUE(m.Accept());
    EXPECT_EQ(ReadFile(File_CAN_Rec_Frames).count("<row "), 2);
    m.FormShow();
    EXPECT_EQ(Row(m.Grid(), 4), (QStringList{"", "", "", "", ""}));
}

TEST_F(TableModelTest, DeleteAndInsertRows)
{
    TableModel m(kNodeGuard);
    m.FormShow();
    for (int r = 1; r <= 3; ++r)
        SetRow(m.Grid(), r, {QString::number(r), "10", "2", QStringLiteral("n%1").arg(r)});
    m.Grid().SetRow(2);
    messages.QueueAnswer(false);
    m.DeleteRow();
    EXPECT_EQ(messages.Texts(), QStringList{"Are you sure to delete the Row number 2"});
    EXPECT_EQ(Row(m.Grid(), 2)[0], QStringLiteral("2"));
    m.DeleteRow();   // Yes
    EXPECT_EQ(Row(m.Grid(), 2), (QStringList{"3", "10", "2", "n3"}));
    EXPECT_EQ(Row(m.Grid(), 3), (QStringList{"", "", "", ""}));
    EXPECT_EQ(m.Grid().GetCellEx(0, 2), QStringLiteral("2"));
    m.Grid().SetRow(1);
    m.InsertRow();
    EXPECT_EQ(Row(m.Grid(), 1), (QStringList{"", "", "", ""}));
    EXPECT_EQ(Row(m.Grid(), 2)[0], QStringLiteral("1"));
    EXPECT_EQ(Row(m.Grid(), 3)[0], QStringLiteral("3"));

    // F3: inserting when the last row is used asks first.
    SetRow(m.Grid(), 32, {"9", "9", "9", "last"});
    messages.Clear();
    messages.QueueAnswer(false);
    m.InsertRow();
    EXPECT_EQ(messages.Questions(), 1);
    EXPECT_EQ(Row(m.Grid(), 32)[3], QStringLiteral("last"));
    EXPECT_EQ(Row(m.Grid(), 2)[0], QStringLiteral("1"));
    // Delete and Insert on the last row only empty it.
    m.Grid().SetRow(32);
    m.InsertRow();   // Yes
    EXPECT_EQ(Row(m.Grid(), 32), (QStringList{"", "", "", ""}));
    SetRow(m.Grid(), 32, {"9", "9", "9", "last"});
    m.DeleteRow();
    EXPECT_EQ(Row(m.Grid(), 32), (QStringList{"", "", "", ""}));
    EXPECT_EQ(Row(m.Grid(), 31), (QStringList{"", "", "", ""}));
}

TEST_F(TableModelTest, RestartListWritesEveryNode)
{
    TableModel m(kRestartDevices);
    m.FormShow();
    EXPECT_TRUE(m.Accept());
    QByteArray bytes = ReadFile(File_ReStart_CANopen);
    EXPECT_EQ(bytes.count(R"(<row Enable_ReStart="N" Mnemonic=""/>)"), 127);
    m.SetAllChecks(true);
    EXPECT_TRUE(m.Accept());
    EXPECT_EQ(ReadFile(File_ReStart_CANopen).count(R"(Enable_ReStart="Y")"), 127);
}

// F8: the channel count follows PROFINET_NB_IN within 1..1439.
TEST_F(TableModelTest, DmxChannelsFromParGen)
{
    struct Case
    {
        QByteArray parGen;     // empty: no file
        int channels;
        bool warned;
    };
    const Case cases[] = {
        {"", 512, false},
        {"<Par_Gen><PROFINET_NB_IN>24</PROFINET_NB_IN></Par_Gen>", 24, false},
        {"<Par_Gen><PROFINET_NB_IN>x</PROFINET_NB_IN></Par_Gen>", 512, false},
        {"<Par_Gen><PROFINET_NB_IN>100000000</PROFINET_NB_IN></Par_Gen>", 1439, true},
        {"<Par_Gen><PROFINET_NB_IN>0</PROFINET_NB_IN></Par_Gen>", 1, true},
    };
    for (const Case& c : cases) {
        QFile::remove(File_ParGen);
        if (!c.parGen.isEmpty())
            WriteFile(File_ParGen, c.parGen);
        messages.Clear();
        TableModel m(kDmxDefaultValues);
        m.FormShow();
        EXPECT_EQ(m.Grid().RowCount(), c.channels + 1) << c.parGen.constData();
        EXPECT_EQ(m.Grid().GetCellEx(1, c.channels), QStringLiteral("0"));
        EXPECT_EQ(m.Grid().GetCellEx(1, 0), QStringLiteral("Default Value"));
        EXPECT_EQ(messages.Texts(),
                  c.warned ? QStringList{EditorText(TextChannelsClamped) + QString::number(c.channels)} : QStringList{});
    }
}

TEST_F(TableModelTest, DmxFileLongerThanTheChannelsAndBrokenParGen)
{
    WriteFile(File_ParGen, "<Par_Gen><PROFINET_NB_IN>24</PROFINET_NB_IN></Par_Gen>");
    QByteArray rows = "<DMX_Default_Values>";
    for (int i = 0; i < 30; ++i)
        rows += QStringLiteral("<Row Default_Value=\"%1\" Mnemonic=\"\"/>").arg(i).toUtf8();
    rows += "</DMX_Default_Values>";
    WriteFile(File_DMX_Default_Values, rows);
    TableModel m(kDmxDefaultValues);
    m.FormShow();
    EXPECT_EQ(m.Grid().GetCellEx(1, 24), QStringLiteral("23"));
    ASSERT_EQ(messages.Texts().size(), 1);
    messages.QueueAnswer(true);
    EXPECT_TRUE(m.Accept());
    EXPECT_EQ(ReadFile(File_DMX_Default_Values).count("<Row "), 24);

    // A broken ParGen.xml: its message, 512 channels, the window's own file still read.
    WriteFile(File_ParGen, "<Par_Gen><PROFINET_NB_IN>24");
    messages.Clear();
    m.FormShow();
    EXPECT_EQ(messages.Texts().size(), 1);
    EXPECT_EQ(m.Grid().RowCount(), 513);
    EXPECT_EQ(m.Grid().GetCellEx(1, 24), QStringLiteral("23"));
    EXPECT_EQ(m.Grid().GetCellEx(1, 25), QStringLiteral("0"));
}

TEST_F(TableModelTest, SavingFailsWithTheSystemsMessage)
{
    TableModel m(kNodeGuard);
    m.FormShow();
    SetRow(m.Grid(), 1, {"1", "1", "1", ""});
    File_NodeGuard = ProjectPath + QStringLiteral("/gone/NodeGuard.xml");
    EXPECT_FALSE(m.Accept());
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_FALSE(messages.Texts()[0].isEmpty());
    EXPECT_FALSE(QDir(ProjectPath + QStringLiteral("/gone")).exists());
}
