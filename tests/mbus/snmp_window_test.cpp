// The SNMP values window opened from the network editor's button for a
// type 21 project: the table's rows and hidden columns, its editors and
// header hints, OK refused with the first failure and the window kept,
// OK copying back (the hidden On Change column included), Cancel leaving
// the network as it was.
#include "meter_bus_window.h"
#include "snmp_trap_access_mbus_window.h"

#include "mbus/core/network_file.h"

#include "app/button/lb_button.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "controls/grid/core/ex_column_grid.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "user_input.h"

#include <QTest>
#include <gtest/gtest.h>

using testsupport::At;
using testsupport::UserScript;

namespace {

mbus::Network TwoNodes()
{
    mbus::Network net(2);
    net[0].Enable = true;
    net[0].Description = QStringLiteral("Heat");
    net[0].Node_ID_Primary = 4;
    net[0].Node_State = 1;
    net[0].Ident_Num = 1;
    net[0].Var_List.resize(3);
    const char* names[] = {"Energy", "Off", "Volume"};
    for (int i = 0; i < 3; ++i) {
        net[0].Var_List[i].Enable = i != 1;
        net[0].Var_List[i].Description = QString::fromLatin1(names[i]);
    }
    net[1].Description = QStringLiteral("Disabled");
    net[1].Node_ID_Primary = 5;
    return net;
}

struct EditorWithSnmp
{
    TempProgramFolder folder{21};
    MessageRecorder rec;
    std::unique_ptr<TFMeter_Bus> editor;

    EditorWithSnmp()
    {
        folder.OpenProject();
        EXPECT_TRUE(mbus::Write_Network(File_M_Bus, TwoNodes(), 21));
        FSNMP_Trap_Access_MBus = new TFSNMP_Trap_Access_MBus;
        editor = std::make_unique<TFMeter_Bus>();
        editor->Editor().SetDeviceType(21);
        editor->Btn_SNMP->setVisible(true);
        editor->open();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    }
    ~EditorWithSnmp()
    {
        editor.reset();
        delete FSNMP_Trap_Access_MBus;
        FSNMP_Trap_Access_MBus = nullptr;
    }
    TFSNMP_Trap_Access_MBus& W() { return *FSNMP_Trap_Access_MBus; }
    grid::TExColumnGrid& G() { return W().Grid(); }
    // Sets real column col of every data row.
    void Column(int col, const QString& text)
    {
        for (int r = 1; r < G().RowCount(); ++r)
            G().SetCellEx(col, r, text);
    }
};

} // namespace

TEST(SnmpValuesWindow, RowsColumnsChecksAndCopyBack)
{
    EditorWithSnmp t;
    UserScript user;
    user.Click(At(t.editor->Btn_SNMP)).Do([&] {
        ASSERT_TRUE(t.W().isVisible());
        grid::TExColumnGrid& g = t.G();
        EXPECT_EQ(g.ColCount(), 11) << "columns 1, 2 and 7 hidden";
        EXPECT_EQ(g.AllColCount(), 14);
        EXPECT_FALSE(g.EnableHTML);
        // Node state, identification number, then the enabled values.
        ASSERT_EQ(g.RowCount(), 5);
        const std::vector<mbus::SnmpRow> rows = t.W().Rows();
        QStringList what, ids, bits, descs;
        for (const auto& r : rows) {
            what << r[4];
            ids << r[1] + QLatin1Char('/') + r[2];
            bits << r[10];
            descs << r[11];
        }
        EXPECT_EQ(what, (QStringList{"Node State", "Identification Number", "Energy", "Volume"}));
        EXPECT_EQ(ids, (QStringList{"0/-1", "0/-2", "0/0", "0/2"}));
        EXPECT_EQ(bits, (QStringList{"3", "8", "20", "20"}));
        EXPECT_EQ(descs, (QStringList{"HeatNodeState", "HeatIdentNum", "HeatEnergy", "HeatVolume"}));
        EXPECT_EQ(rows[0][3], QStringLiteral("ID Pri : 4 - Heat"));

        // Editors by real column; edit limits wherever the column is shown.
        struct Editor
        {
            int col;
            grid::TEditorType editor;
            int limit;
        };
        for (const Editor& e : {Editor{5, grid::edComboEdit, 15}, Editor{11, grid::edNormal, 15},
                                Editor{8, grid::edDataCheckBox, 0}, Editor{9, grid::edNormal, 0}}) {
            EXPECT_EQ(g.Columns()[e.col]->Editor(), e.editor) << e.col;
            g.SetCol(g.DisplColIndex(e.col));
            g.SetRow(1);
            EXPECT_EQ(g.GetEditLimit(), e.limit) << e.col;
        }
        EXPECT_TRUE(g.Columns()[6]->ReadOnly);
        EXPECT_EQ(g.Columns()[7]->Editor(), grid::edDataCheckBox);
        EXPECT_EQ(g.Columns()[5]->ComboItems, (QStringList{"Mirven", "Tenmark"}));
        QString hint;
        g.OnGridHint(&g, 0, g.DisplColIndex(3), hint);
        EXPECT_EQ(hint, Lang(1922));
        g.OnGridHint(&g, 1, g.DisplColIndex(3), hint);
        EXPECT_TRUE(hint.isEmpty());

        // Free text with angle brackets stays as typed, and fails the
        // community check.
        g.SetCellEx(5, 2, QStringLiteral("<Corp>"));
        EXPECT_EQ(g.GetEditText(g.DisplColIndex(5), 2), QStringLiteral("<Corp>"));
    });
    auto descriptions = [&] {
        const char* descs[] = {"ns", "ident", "energy1", "volume2"};
        for (int r = 1; r <= 4; ++r)
            t.G().SetCellEx(11, r, QString::fromLatin1(descs[r - 1]));
    };
    user.Click(At(t.W().Btn_OK)).Do([&] {
        EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1933) + "1" + Lang(1936)}) << "the description comes first";
        EXPECT_TRUE(t.W().isVisible());
        t.rec.Clear();
        descriptions();
    });
    user.Click(At(t.W().Btn_OK)).Do([&] {
        EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1933) + "1" + Lang(1937)});
        t.rec.Clear();
        t.Column(12, QStringLiteral("192.168.1.125"));
    });
    user.Click(At(t.W().Btn_OK)).Do([&] {
        EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1933) + "2" + Lang(1934)});
        t.rec.Clear();
        t.Column(5, QStringLiteral("Corp1"));
        t.Column(11, QStringLiteral("same"));
    });
    user.Click(At(t.W().Btn_OK)).Do([&] {
        EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1938)});
        t.rec.Clear();
        descriptions();
        t.G().SetCellEx(8, 3, QStringLiteral("Y"));
        t.G().SetCellEx(9, 3, QStringLiteral("0"));
    });
    user.Click(At(t.W().Btn_OK)).Do([&] {
        EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1933) + "3" + Lang(1935)});
        t.rec.Clear();
        t.G().SetCellEx(9, 3, QStringLiteral("1000000000"));
        t.G().SetCellEx(7, 1, QStringLiteral("Y"));   // the hidden On Change
    });
    user.Click(At(t.W().Btn_OK));
    ASSERT_TRUE(user.Run(30000));
    EXPECT_FALSE(t.W().isVisible());
    EXPECT_TRUE(t.rec.Empty()) << t.rec.Texts().join(u'|').toStdString();

    const mbus::Network& net = t.editor->Editor().Nodes();
    EXPECT_EQ(net[0].NS_CommName, QStringLiteral("Corp1"));
    EXPECT_TRUE(net[0].NS_OnChange);
    EXPECT_EQ(net[0].NS_Desc, QStringLiteral("ns"));
    EXPECT_EQ(net[0].IN_Desc, QStringLiteral("ident"));
    EXPECT_EQ(net[0].IN_IP_Add, QStringLiteral("192.168.1.125"));
    EXPECT_TRUE(net[0].Var_List[0].Var_OnTimer);
    EXPECT_EQ(net[0].Var_List[0].Var_Timer, 1000000000);
    EXPECT_EQ(net[0].Var_List[2].Var_Desc, QStringLiteral("volume2"));
    EXPECT_TRUE(net[0].Var_List[1].Var_Desc.isEmpty()) << "a disabled value has no row";
    EXPECT_TRUE(t.editor->Editor().Is_Change());
}

TEST(SnmpValuesWindow, CancelLeavesTheNetworkAndAnEmptyTableKeepsOneRow)
{
    EditorWithSnmp t;
    UserScript user;
    user.Click(At(t.editor->Btn_SNMP)).Do([&] { t.Column(5, QStringLiteral("Changed")); });
    user.Click(At(t.W().Btn_Cancel));
    ASSERT_TRUE(user.Run(20000));
    EXPECT_TRUE(t.editor->Editor().Nodes()[0].NS_CommName.isEmpty());
    EXPECT_FALSE(t.editor->Editor().Is_Change());

    // Nothing published: one blank row, which fails the address check.
    mbus::Network none;
    t.W().Populate_SNMP_Table(none);
    ASSERT_EQ(t.G().RowCount(), 2);
    for (int c = 0; c < 14; ++c)
        EXPECT_TRUE(t.G().GetCellEx(c, 1).isEmpty()) << c;
    t.W().Btn_OKClick();
    EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1933) + "1" + Lang(1937)});
}
