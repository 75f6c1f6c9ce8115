// The network editor window driven by keys and clicks: a node and a value
// typed in and added, the tree and the byte label following, the pages
// following the selection, a node pasted through the new address dialog,
// OK writing the file, Cancel asking after edits, the type 21 layout.
#include "meter_bus_window.h"
#include "new_id_node_window.h"

#include "ex_page_control.h"
#include "mbus/core/network_file.h"

#include "app/button/lb_button.h"
#include "app/common/workspace.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "user_input.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::At;
using testsupport::UserScript;

namespace {

void Shot(QWidget* w, const char* name)
{
    const QString dir = qEnvironmentVariable("ORVANO_SHOTS");
    if (!dir.isEmpty())
        w->grab().save(QDir(dir).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

QStringList TreeTexts(QTreeWidget* tw)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(tw); *it; ++it)
        texts << (*it)->text(0);
    return texts;
}

} // namespace

TEST(MeterBusWindow, AddByKeysPasteAndSave)
{
    TempProgramFolder folder(10);
    folder.OpenProject();
    MessageRecorder rec;
    TFMeter_Bus w;
    w.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.L_MBus_NumByte->text(), QStringLiteral("Bytes Used : 1"));
    EXPECT_EQ(TreeTexts(w.TW), QStringList{QStringLiteral("M-Bus Network")});

    UserScript user;
    user.Click(At(w.E_New_Node_Desc)).Type(QStringLiteral("Heat"));
    user.Click(At(w.E_New_Node_ID_Pri)).Key(Qt::Key_End).Key(Qt::Key_Backspace).Type(QStringLiteral("3"));
    user.MoveTo(At(w.CB_Node_State), QPoint(7, 10)).MouseDown().Wait(60).MouseUp().Wait(60);
    user.Click(At(w.btn_Add_Node));
    user.Do([&] {
        EXPECT_EQ(TreeTexts(w.TW), (QStringList{"M-Bus Network", "ID 3 - Heat"}));
        EXPECT_EQ(w.L_MBus_NumByte->text(), QStringLiteral("Bytes Used : 1"));
        w.TW->setCurrentItem(w.NODE_ORIG->child(0));
    });
    user.Wait(50).Do([&] {
        EXPECT_EQ(w.btn_Add_Node->text(), QStringLiteral("MODIFY NODE"));
        EXPECT_EQ(w.ExPageControl1->State().ActivePageIndex(), 0);
        w.ExPageControl1->SetActivePage(w.ExPageControl1->Page(1));
    });
    user.Click(At(w.E_New_Var_Desc)).Type(QStringLiteral("Energy"));
    user.Click(At(w.btn_Add_Var));
    user.Do([&] {
        EXPECT_EQ(TreeTexts(w.TW), (QStringList{"M-Bus Network", "ID 3 - Heat", "VAR - Energy"}));
        EXPECT_EQ(w.L_MBus_NumByte->text(), QStringLiteral("Bytes Used : 2")) << "node state 1 and an 8-bit value";
        EXPECT_TRUE(rec.Empty()) << rec.Texts().join('|').toStdString();
        // Copy the node and paste it under a new primary address.
        w.CopyNode1->trigger();
        EXPECT_TRUE(w.PasteNode1->isEnabled());
        QTimer::singleShot(0, [&] { w.PasteNode1->trigger(); });
    });
    user.Wait(300).Do([&] {
        TFNewIDNode* d = qobject_cast<TFNewIDNode*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        EXPECT_EQ(d->E_New_Node_ID_Pri->text(), QStringLiteral("3"));
        d->E_New_Node_ID_Pri->setText(QStringLiteral("4"));
        d->Btn_OK->click();
    });
    user.Wait(100).Do([&] {
        EXPECT_EQ(TreeTexts(w.TW), (QStringList{"M-Bus Network", "ID 3 - Heat", "VAR - Energy", "ID 4 - Heat", "VAR - Energy"}));
        EXPECT_EQ(w.L_MBus_NumByte->text(), QStringLiteral("Bytes Used : 4"));
    });
    user.Click(At(w.Btn_OK));
    EXPECT_TRUE(user.Run(30000));
    EXPECT_EQ(w.result(), mrOk);
    const mbus::NetworkRead read = mbus::Read_Network(File_M_Bus, 10);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    ASSERT_EQ(read.network.size(), 2u);
    EXPECT_EQ(read.network[1].Node_ID_Primary, 4);
    EXPECT_EQ(read.network[1].Var_List.at(0).Description, QStringLiteral("Energy"));
    EXPECT_EQ(read.network[0].Node_State, 1);

    // Shown again: the file reloads, the copy is still there to paste.
    w.open();
    EXPECT_EQ(TreeTexts(w.TW).size(), 5);
    EXPECT_TRUE(w.PasteNode1->isEnabled());
    w.TW->setCurrentItem(w.NODE_ORIG->child(1)->child(0));
    EXPECT_EQ(w.ExPageControl1->State().ActivePageIndex(), 1);
    EXPECT_EQ(w.E_New_Var_Desc->text(), QStringLiteral("Energy"));
    EXPECT_EQ(w.btn_Add_Var->text(), QStringLiteral("MODIFY VARIABLE"));
    Shot(&w, "FMeter_Bus");
    rec.QueueAnswer(true);
    w.DeleteItemsClick();
    rec.QueueAnswer(false);
    w.Btn_Cancel->click();
    EXPECT_TRUE(w.isVisible()) << "No keeps the window with its edits";
    EXPECT_EQ(rec.Texts().last(), QStringLiteral("Do you want to exit without saving changes?"));
    w.Btn_Cancel->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(mbus::Read_Network(File_M_Bus, 10).network[1].Var_List.size(), 1u) << "Cancel discards";
}

TEST(MeterBusWindow, TypeTwentyOneLayout)
{
    TempProgramFolder folder(21);
    folder.OpenProject();
    MessageRecorder rec;
    TFMeter_Bus w;
    w.open();
    EXPECT_TRUE(w.Btn_SNMP->isVisible());
    EXPECT_FALSE(w.CB_Swap_IN->isVisible());
    EXPECT_FALSE(w.CB_BCDtoINT_IN->isVisible());
    EXPECT_EQ(w.CB_SND_NKE->y(), 160);
    EXPECT_EQ(w.CB_Reset_App->y(), 184);
    EXPECT_EQ(w.CB_Cut_After->y(), 227);
    EXPECT_EQ(w.btn_Add_Node->y(), 263);
    EXPECT_FALSE(w.CB_Scale->isVisibleTo(&w));
    EXPECT_TRUE(w.L_MBus_NumByte->text().endsWith(QStringLiteral(" 1")));
    Shot(&w, "FMeter_Bus_21");
    w.Btn_Cancel->click();
    EXPECT_FALSE(w.isVisible());
}
