// The DeviceNet offset window: slaves from DNETM_Net.xml, offsets matched by
// position, the output double-use check and DNETM_DefOff.xml as written.
#include "controls/grid/widget/grid_widget.h"
#include "def_offset_window.h"
#include "language.h"
#include "lb_button.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "qt_print.h"
#include "workspace.h"

#include <QFile>
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

// Slaves 3 (2 in, 1 out) and 7 (0 in, 2 out).
const QByteArray kNet = R"(<DNET_Net><row ID="3" NB_IN="2" NB_OUT="1" Reset_DeviceNet="N" Reset_PROFINET="N" Mnemonic="a"/>)"
                        R"(<row ID="7" NB_IN="0" NB_OUT="2" Reset_DeviceNet="N" Reset_PROFINET="N" Mnemonic="b"/></DNET_Net>)";

class DefOffsetTest : public ::testing::Test
{
protected:
    DefOffsetTest() : folder(1) { folder.OpenProject(); }
    TempProgramFolder folder;
    MessageRecorder messages;
};

} // namespace

TEST_F(DefOffsetTest, WritesOneNodePerSlaveWithEveryByte)
{
    WriteFile(File_DNETM_Net, kNet);
    DefOffsetModel m;
    m.FormShow();
    EXPECT_EQ(m.SlaveGrid().RowCount(), 3);
    EXPECT_EQ(m.ByteInGrid().RowCount(), 3);
    m.ByteInGrid().SetCellEx(1, 2, QStringLiteral("5"));
    m.ByteInGrid().SetCellEx(2, 2, QStringLiteral("a&b<\"c'>"));
    ASSERT_TRUE(m.Accept());
    EXPECT_EQ(ReadFile(File_DNETM_DefOff).toStdString(),
              "<Define_Offset><Nodo_DNET><ByteIN><row Offset=\"None\" Mnemonic=\"\"/>"
              "<row Offset=\"5\" Mnemonic=\"a&amp;b&lt;&quot;c'>\"/></ByteIN>"
              "<ByteOUT><row Offset=\"None\" Mnemonic=\"\"/></ByteOUT></Nodo_DNET>"
              "<Nodo_DNET><ByteIN/><ByteOUT><row Offset=\"None\" Mnemonic=\"\"/><row Offset=\"None\" Mnemonic=\"\"/>"
              "</ByteOUT></Nodo_DNET></Define_Offset><!--SW_VERSION = 1.101-->");
    EXPECT_TRUE(messages.Empty());

    // No DNETM_Net.xml: root and comment only.
    QFile::remove(File_DNETM_Net);
    m.FormShow();
    ASSERT_TRUE(m.Accept());
    EXPECT_EQ(ReadFile(File_DNETM_DefOff), QByteArray("<Define_Offset/><!--SW_VERSION = 1.101-->"));
}

TEST_F(DefOffsetTest, OutputPositionUsedTwice)
{
    std::vector<SlaveDN> slaves(2);
    slaves[0].id = 3;
    slaves[0].outOffset = {"10"};
    slaves[0].inOffset = {"4"};
    slaves[1].id = 7;
    slaves[1].outOffset = {"10", "None"};
    slaves[1].inOffset = {"4"};
    Load_Default_Language();
    EXPECT_EQ(CheckOutputOffsets(slaves).toStdString(),
              "Error in ByteOUT! The same byte of EtherNet/IP is used in two bytes DeviceNet\n\r"
              "(First ID = 3 Byte = 0, Second ID = 7 Byte = 0)");
    // Inputs take no part; positions past 500 are covered too.
    slaves[1].outOffset = {"None", "1200"};
    EXPECT_EQ(CheckOutputOffsets(slaves), QString());
    slaves[0].outOffset = {"1200"};
    EXPECT_TRUE(CheckOutputOffsets(slaves).endsWith(QStringLiteral("(First ID = 3 Byte = 0, Second ID = 7 Byte = 1)")));
}

TEST_F(DefOffsetTest, OffsetsByPositionAndNodesWithoutASide)
{
    WriteFile(File_DNETM_Net, kNet);
    WriteFile(File_DNETM_DefOff, R"(<Define_Offset><Nodo_DNET><ByteOUT><row Offset="9" Mnemonic="o"/></ByteOUT></Nodo_DNET>)"
                                 R"(<x><ByteIN/><ByteOUT><row Offset="1"/><row Offset="2" Mnemonic="q"/><row Offset="3"/></ByteOUT></x>)"
                                 R"(<Nodo_DNET/></Define_Offset>)");
    DefOffsetModel m;
    m.FormShow();
    EXPECT_TRUE(messages.Empty());
    const auto& s = m.Slaves();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].inOffset, (QStringList{"None", "None"}));
    EXPECT_EQ(s[0].outOffset, QStringList{"9"});
    EXPECT_EQ(s[1].outOffset, (QStringList{"1", "2"}));
    EXPECT_EQ(s[1].outMnemonic, (QStringList{"", "q"}));
}

TEST_F(DefOffsetTest, TypedOffsetKeptAcrossSlavesAndLostOnShowingAgain)
{
    WriteFile(File_DNETM_Net, kNet);
    WriteFile(File_ParGen, "<Par_Gen><PROFINET_NB_IN>5000</PROFINET_NB_IN><PROFINET_NB_OUT>32</PROFINET_NB_OUT></Par_Gen>");
    DefOffsetModel m;
    m.FormShow();
    EXPECT_EQ(m.MaxByteIn(), 1439);
    EXPECT_EQ(m.ByteOutGrid().Columns()[1]->ComboItems.size(), 33);
    EXPECT_EQ(m.ByteOutGrid().Columns()[1]->ComboItems.last(), QStringLiteral("31"));
    m.ByteOutGrid().SetCellEx(1, 1, QStringLiteral("31"));
    m.SelectSlave(1);
    EXPECT_EQ(m.ByteOutGrid().RowCount(), 3);
    EXPECT_EQ(m.ByteInGrid().RowCount(), 1);
    m.SelectSlave(0);
    EXPECT_EQ(m.ByteOutGrid().GetCellEx(1, 1), QStringLiteral("31"));
    m.FormShow();
    EXPECT_EQ(m.ByteOutGrid().GetCellEx(1, 1), QStringLiteral("None"));
}

TEST_F(DefOffsetTest, SlaveThatIsNotANumberStopsLoadingAndOkAsks)
{
    WriteFile(File_DNETM_Net, R"(<DNET_Net><row ID="3" NB_IN="1" NB_OUT="1" Mnemonic=""/><row ID="4" NB_IN="x" NB_OUT="1"/></DNET_Net>)");
    const QByteArray old = "<Define_Offset><Nodo_DNET/><Nodo_DNET/></Define_Offset>";
    WriteFile(File_DNETM_DefOff, old);
    DefOffsetModel m;
    m.FormShow();
    EXPECT_EQ(messages.Texts(), QStringList{File_DNETM_Net + ", row 2: the attribute \"NB_IN\" is not an integer: \"x\"."});
    EXPECT_EQ(m.Slaves().size(), 1u);
    messages.QueueAnswer(false);
    EXPECT_FALSE(m.Accept());
    EXPECT_EQ(ReadFile(File_DNETM_DefOff), old);
}

TEST_F(DefOffsetTest, WindowChoosesSlavesWithKeysAndSavesOnOk)
{
    WriteFile(File_DNETM_Net, kNet);
    TFDefOffset w;
    w.show();
    grid::TGridWidget* slaves = w.findChild<grid::TGridWidget*>(QStringLiteral("ACG_DN_Slaves"));
    ASSERT_NE(slaves, nullptr);
    EXPECT_EQ(w.Model().SelectedSlave(), 0);
    QTest::keyClick(slaves, Qt::Key_Down);
    EXPECT_EQ(w.Model().SelectedSlave(), 1);
    w.Model().ByteOutGrid().SetCellEx(1, 2, QStringLiteral("7"));
    QTest::keyClick(slaves, Qt::Key_Up);
    EXPECT_EQ(w.Model().SelectedSlave(), 0);
    // A click on the second slave's row shows its bytes, with the typed offset.
    QTest::mouseClick(slaves->viewport(), Qt::LeftButton, {}, w.Model().SlaveGrid().CellRect(1, 2).center());
    EXPECT_EQ(w.Model().SelectedSlave(), 1);
    EXPECT_EQ(w.Model().ByteOutGrid().GetCellEx(1, 2), QStringLiteral("7"));
    QTest::mouseClick(w.findChild<TLbButton*>(QStringLiteral("Btn_OK")), Qt::LeftButton);
    EXPECT_EQ(w.result(), int(mrOk));
    EXPECT_TRUE(ReadFile(File_DNETM_DefOff).contains(R"(<row Offset="7" Mnemonic=""/></ByteOUT>)"));
}
