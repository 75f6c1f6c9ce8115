// The user's road through the Scan & Decode window against the converter
// simulator on 127.0.0.1: options typed, a scan by primary or secondary
// address, the result tree with one record unticked by a click and one
// meter never opened, the save, the network editor on the file and the
// build of the images.
#include "scan_window_fixture.h"

// The road: options typed, a primary scan, the tree with one record unticked
// by a click and one meter never opened, the save, the editor and the build.
TEST(ScanWindowRoad, Type10ByPrimaryAddress)
{
    ScanWindow t(10);
    TwoMeters(t.sim);
    EXPECT_FALSE(t.w->CB_ScanMethod->isVisible());
    EXPECT_EQ(Visible(*t.w), QStringList{"Btn_StartScan"});
    t.TypeAddress();
    EXPECT_EQ(QStringList({t.w->E_IP1->text(), t.w->E_IP2->text(), t.w->E_IP3->text(), t.w->E_IP4->text()}),
              (QStringList{"127", "0", "0", "1"}));
    t.Click(t.w->Btn_StartScan);
    EXPECT_EQ(t.w->State(), State::WiredRunning);
    EXPECT_EQ(Visible(*t.w), (QStringList{"Btn_StopScan", "Btn_AbortScan"}));
    EXPECT_EQ(t.w->Btn_AbortScan->x(), t.w->Btn_StopScan->x() + t.w->Btn_StopScan->width() + 8);
    ASSERT_TRUE(t.WaitState(State::WiredEnded));
    EXPECT_TRUE(t.rec.Empty()) << t.rec.Texts().join(u'|').toStdString();

    // Every address polled, the found ones without the mark.
    ASSERT_EQ(t.w->LB_AvailableDevice->count(), 251);
    EXPECT_EQ(t.w->LB_AvailableDevice->item(0)->text(), QStringLiteral("ID = 0\t[NOT FOUND]"));
    EXPECT_EQ(t.w->LB_AvailableDevice->item(2)->text(), QStringLiteral("ID = 2\t"));
    EXPECT_EQ(t.w->LB_AvailableDevice->item(77)->text(), QStringLiteral("ID = 77\t"));
    EXPECT_EQ(Visible(*t.w), (QStringList{"Btn_NewScan", "Btn_SaveConf"}));
    EXPECT_EQ(t.w->L_Num_Slave->text(), QStringLiteral("2"));

    TLazyStringTree& vst = *t.w->VST;
    ASSERT_EQ(vst.RootNodeCount(), 2u);
    PLazyNode m0 = vst.GetFirstChild(nullptr);
    PLazyNode m1 = vst.GetNextSibling(m0);
    EXPECT_TRUE(vst.Text(m0).startsWith(QStringLiteral("Primary Address = 2 - Secondary Address = 22222222 - ")))
        << vst.Text(m0).toStdString();
    const uint32_t records0 = vst.GetChildCount(m0);
    ASSERT_GE(records0, 2u);
    // Open the first meter by its button, untick its second record.
    QTest::mouseClick(vst.viewport(), Qt::LeftButton, {}, {8, RowY(0)});
    ASSERT_TRUE(vst.GetExpanded(m0));
    PLazyNode r1 = vst.GetNextSibling(vst.GetFirstChild(m0));
    EXPECT_EQ(vst.GetCheckState(r1), csCheckedNormal);
    EXPECT_EQ(vst.GetChildCount(r1), 12u);
    QTest::mouseClick(vst.viewport(), Qt::LeftButton, {}, {CheckX(1), RowY(2)});
    EXPECT_EQ(vst.GetCheckState(r1), csUncheckedNormal);
    EXPECT_FALSE(vst.GetExpanded(m1));

    t.Click(t.w->Btn_SaveConf);
    EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1230)});
    ASSERT_EQ(t.rec.Boxes()[0].first, MsgKind::Information);

    const mbus::NetworkRead r = mbus::Read_Network(File_M_Bus, 10);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    ASSERT_EQ(r.network.size(), 2u);
    EXPECT_EQ(r.network[0].Node_ID_Primary, 2);
    EXPECT_EQ(r.network[1].Node_ID_Primary, 77);
    EXPECT_TRUE(r.network[0].Enable);
    EXPECT_TRUE(r.network[1].Enable);
    ASSERT_EQ(r.network[0].Var_List.size(), size_t(records0));
    for (size_t i = 0; i < r.network[0].Var_List.size(); ++i)
        EXPECT_EQ(r.network[0].Var_List[i].Enable, i != 1) << "value " << i;
    ASSERT_FALSE(r.network[1].Var_List.empty());
    for (const auto& v : r.network[1].Var_List)
        EXPECT_TRUE(v.Enable) << "a meter never opened is saved ticked";

    // The editor opens the file with its meters and their byte count.
    t.rec.Clear();
    TFMeter_Bus editor;
    editor.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QStringList tops;
    for (int i = 0; i < editor.TW->topLevelItem(0)->childCount(); ++i)
        tops << editor.TW->topLevelItem(0)->child(i)->text(0);
    ASSERT_EQ(tops.size(), 2);
    EXPECT_TRUE(tops[0].startsWith(QStringLiteral("ID 2 - "))) << tops[0].toStdString();
    EXPECT_TRUE(tops[1].startsWith(QStringLiteral("ID 77 - "))) << tops[1].toStdString();
    EXPECT_EQ(editor.L_MBus_NumByte->text(), editor.Editor().Byte_Label());
    EXPECT_GT(editor.Editor().Byte_Count(), 1);
    editor.done(0);

    // Update Device builds the images from it.
    QList<BankFile> files;
    QString error;
    EXPECT_TRUE(Build_Banks(10, files, &error)) << error.toStdString();
    EXPECT_TRUE(t.rec.Empty()) << t.rec.Texts().join(u'|').toStdString();
}

TEST(ScanWindowRoad, Type21BySecondaryAddress)
{
    ScanWindow t(21);
    TwoMeters(t.sim);
    t.TypeAddress();
    t.w->CB_ScanBy->setFocus();
    QTest::keyClick(t.w->CB_ScanBy, Qt::Key_Down);
    ASSERT_EQ(t.w->CB_ScanBy->currentIndex(), 1);
    t.Click(t.w->Btn_StartScan);
    ASSERT_TRUE(t.WaitState(State::WiredEnded, 60000));
    QStringList lines;
    for (int i = 0; i < t.w->LB_AvailableDevice->count(); ++i)
        lines << t.w->LB_AvailableDevice->item(i)->text();
    EXPECT_EQ(lines, (QStringList{Lang(1227), "ID = 22222222", "ID = 77777777", Lang(1228)}));
    EXPECT_EQ(Visible(*t.w), (QStringList{"Btn_NewScan", "Btn_SaveConf"}));
    ASSERT_EQ(t.w->VST->RootNodeCount(), 2u);
    t.Click(t.w->Btn_SaveConf);
    EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1230)});
    const mbus::NetworkRead r = mbus::Read_Network(File_M_Bus, 21);
    ASSERT_EQ(r.network.size(), 2u);
    EXPECT_EQ(r.network[0].Node_ID_Type, 1);
    EXPECT_EQ(r.network[0].Node_ID_Secondary, 22222222);
    QList<BankFile> files;
    QString error;
    EXPECT_TRUE(Build_Banks(21, files, &error)) << error.toStdString();
}

