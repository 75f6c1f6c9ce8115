// The Scan & Decode window against the converter simulator on 127.0.0.1:
// the save flow over an existing file, a start during a scan and the cyclic
// scan ending on Stop, a silent converter, the close during a scan, and the
// option rows of both forms.
#include "scan_window_fixture.h"

#include "modbus_start_add_sd_window.h"
#include "scan_modbus_start_window.h"

#include "controls/grid/core/ex_column_grid.h"

// Save over an existing file: Cancel leaves it byte for byte, Yes appends,
// No replaces.
TEST(ScanWindow, SaveOverAnExistingFile)
{
    ScanWindow t(10);
    TwoMeters(t.sim);
    t.TypeAddress();
    t.Click(t.w->Btn_StartScan);
    ASSERT_TRUE(t.WaitState(State::WiredEnded));
    mbus::Network old(1);
    old[0].Enable = true;
    old[0].Node_ID_Primary = 9;
    old[0].Description = QStringLiteral("Old");
    ASSERT_TRUE(mbus::Write_Network(File_M_Bus, old, 10));
    QFile f(File_M_Bus);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    struct Case
    {
        MsgAnswer answer;
        std::vector<int> primaries;   // empty: the file as it was
    };
    const Case cases[] = {
        {MsgAnswer::Cancel, {}},
        {MsgAnswer::Yes, {9, 2, 77}},
        {MsgAnswer::No, {2, 77}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.answer));
        QFile::remove(File_M_Bus);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(before);
        f.close();
        t.rec.Clear();
        t.rec.QueueAnswer(c.answer);
        t.Click(t.w->Btn_SaveConf);
        EXPECT_EQ(t.rec.Texts().value(0), Lang(1237));
        EXPECT_EQ(t.rec.Boxes().value(0).first, MsgKind::Confirmation);
        if (c.primaries.empty()) {
            EXPECT_EQ(t.rec.Texts().size(), 1);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), before);
            f.close();
            continue;
        }
        EXPECT_EQ(t.rec.Texts().value(1), Lang(1230));
        std::vector<int> primaries;
        for (const mbus::TNodo& n : mbus::Read_Network(File_M_Bus, 10).network)
            primaries.push_back(n.Node_ID_Primary);
        EXPECT_EQ(primaries, c.primaries);
    }
    // New Scan clears the results and shows the options.
    t.Click(t.w->Btn_NewScan);
    EXPECT_EQ(t.w->State(), State::Options);
    EXPECT_EQ(t.w->VST->RootNodeCount(), 0u);
    EXPECT_TRUE(WiredSlaveList.isEmpty());
}

// The Modbus device codes: per-meter start addresses from their table, the
// start register asked when adding to an existing file.
TEST(ScanWindow, ModbusCodesAskForStartAddresses)
{
    ScanWindow t(10);
    TwoMeters(t.sim);
    t.w->XML_Code_Dev = 0;
    FModbusStartAdd_SD = new TFModbusStartAdd_SD(t.w.get());
    FScanModbusStart = new TFScanModbusStart(t.w.get());
    t.TypeAddress();
    t.Click(t.w->Btn_StartScan);
    ASSERT_TRUE(t.WaitState(State::WiredEnded));
    EXPECT_EQ(Visible(*t.w), (QStringList{"Btn_NewScan", "Btn_SaveConf", "Btn_SaveConfManual"}));

    UserScript user;
    user.Click(At(t.w->Btn_SaveConfManual)).Do([&] {
        ASSERT_TRUE(FModbusStartAdd_SD->isVisible());
        grid::TExColumnGrid& g = FModbusStartAdd_SD->Grid();
        ASSERT_EQ(g.RowCount(), 3);
        EXPECT_EQ(g.Cells(0, 1), QStringLiteral("2 - 22222222"));
        EXPECT_EQ(g.Cells(0, 2), QStringLiteral("77 - 77777777"));
        g.SetCells(1, 1, QStringLiteral("300"));
        g.SetCells(1, 2, QStringLiteral("500"));
    });
    user.Click(At(FModbusStartAdd_SD->CB_En_NodeState)).Click(At(FModbusStartAdd_SD->Btn_OK));
    ASSERT_TRUE(user.Run(20000));
    EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1230)});
    QFile f(File_M_Bus);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray xml = f.readAll();
    f.close();
    EXPECT_TRUE(xml.contains("Node_State=\"300\"")) << xml.left(400).toStdString();
    EXPECT_TRUE(xml.contains("Node_State=\"500\""));

    // Adding to the file: the start register first.
    t.rec.Clear();
    t.rec.QueueAnswer(MsgAnswer::Yes);
    UserScript again;
    again.Click(At(t.w->Btn_SaveConf))
        .Click(At(FScanModbusStart->E_StartModAdd))
        .Type(QStringLiteral("4321"))
        .Click(At(FScanModbusStart->Btn_OK));
    ASSERT_TRUE(again.Run(20000));
    EXPECT_EQ(t.rec.Texts(), (QStringList{Lang(1237), Lang(1230)}));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    xml = f.readAll();
    EXPECT_TRUE(xml.contains("ModReg=\"4321\""));
    EXPECT_EQ(mbus::Read_Network(File_M_Bus, 10).network.size(), 4u);
    FModbusStartAdd_SD = nullptr;
    FScanModbusStart = nullptr;
}

// A start while a scan runs is refused; Stop ends the scan and the cyclic
// repetition with it.
TEST(ScanWindow, AStartDuringAScanAndTheCyclicScanEndingOnStop)
{
    ScanWindow t(10, 15);
    TwoMeters(t.sim);
    t.TypeAddress();
    t.w->ScanCyclic1->trigger();
    EXPECT_TRUE(t.w->Cyclic_Scan);
    EXPECT_EQ(t.w->State(), State::WiredRunning);
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.w->LB_AvailableDevice->count() >= 2; }, 10000));
    t.w->ScanCyclic1->trigger();
    EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1226)});
    EXPECT_EQ(t.w->State(), State::WiredRunning);
    t.Click(t.w->Btn_StopScan);
    EXPECT_FALSE(t.w->Cyclic_Scan);
    ASSERT_TRUE(t.WaitState(State::WiredEnded));
    const int handled = t.sim.Handled();
    QTest::qWait(150);
    EXPECT_EQ(t.w->State(), State::WiredEnded) << "no new scan after Stop";
    EXPECT_EQ(t.sim.Handled(), handled);
    EXPECT_EQ(t.sim.CurrentMode(), mbussim::Mode::Normal);
}

// A converter that never answers: 1229 and the options again.
TEST(ScanWindow, ASilentConverterGives1229)
{
    FastClock clock;
    ScanWindow t(10, 0, &clock);
    t.sim.Add_Fault({FaultKind::Drop, Fault::Any(), 0, -1});
    t.TypeAddress();
    t.Click(t.w->Btn_StartScan);
    ASSERT_TRUE(t.WaitState(State::Options, 20000));
    EXPECT_EQ(t.rec.Texts(), QStringList{Lang(1229)});
    EXPECT_EQ(t.rec.Boxes()[0].first, MsgKind::Error);
    EXPECT_EQ(Visible(*t.w), QStringList{"Btn_StartScan"});
}

// Closing during a scan: the worker leaves analyzer mode and parks before
// the window goes; opened again, a start is taken.
TEST(ScanWindow, CloseDuringAScanReopenAndStartAgain)
{
    ScanWindow t(10, 15);
    TwoMeters(t.sim);
    t.TypeAddress();
    t.Click(t.w->Btn_StartScan);
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.sim.CurrentMode() == mbussim::Mode::Analyzer; }, 5000));
    t.w->close();
    EXPECT_TRUE(t.w->Closing());
    EXPECT_TRUE(t.w->isVisible()) << "the window waits for the worker's close steps";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !t.w->isVisible(); }, 8000));
    EXPECT_FALSE(t.w->Worker().InScan());
    EXPECT_TRUE(t.w->Worker().Parked());
    EXPECT_EQ(t.sim.CurrentMode(), mbussim::Mode::Normal);
    EXPECT_TRUE(t.rec.Empty());

    t.w->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(t.w.get()));
    EXPECT_EQ(t.w->State(), State::Options);
    t.Click(t.w->Btn_StartScan);
    EXPECT_TRUE(t.rec.Empty()) << t.rec.Texts().join(u'|').toStdString();
    EXPECT_EQ(t.w->State(), State::WiredRunning);
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.sim.CurrentMode() == mbussim::Mode::Analyzer; }, 5000));
    t.Click(t.w->Btn_AbortScan);
    EXPECT_TRUE(t.WaitState(State::WiredEnded));
    EXPECT_EQ(t.sim.CurrentMode(), mbussim::Mode::Normal);
}

// The option rows of both forms, the converter's address from ParGen.xml.
TEST(ScanWindow, OptionRowsOfBothFormsAndTheAddressFromParGen)
{
    TempProgramFolder folder(21);
    folder.OpenProject();
    QFile pg(File_ParGen);
    ASSERT_TRUE(pg.open(QIODevice::WriteOnly));
    pg.write("<ParGen><PROFINET_IP1>10</PROFINET_IP1><PROFINET_IP2>1</PROFINET_IP2>"
             "<PROFINET_IP4>7</PROFINET_IP4></ParGen>");
    pg.close();
    ConverterSim sim;
    TFScanDecode w(nullptr, ToSim(sim));
    w.XML_Code_Dev = 20;
    w.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(QStringList({w.E_IP1->text(), w.E_IP2->text(), w.E_IP3->text(), w.E_IP4->text()}),
              (QStringList{"10", "1", "2", "7"}));
    EXPECT_EQ(w.ClientSize().height(), 523);
    EXPECT_FALSE(w.CB_HardwareType->isEnabled());
    struct Row
    {
        QWidget* box;
        int y;
    };
    for (const Row& r : {Row{w.CB_ScanBy, 11}, Row{w.CB_HardwareType, 59}, Row{w.E_IP1, 91}, Row{w.E_IP4, 91},
                         Row{w.CB_MBus_Baud, 171}, Row{w.CB_Opt_Use_Fix_C_Field_Value, 379}}) {
        EXPECT_EQ(r.box->y(), r.y) << r.box->objectName().toStdString();
        EXPECT_TRUE(r.box->isVisible()) << r.box->objectName().toStdString();
    }
    EXPECT_EQ(w.E_IP4->x(), w.E_IP1->x() + 3 * 66);
    EXPECT_FALSE(w.E_Port->isVisible());
    w.close();

    w.Form_Type = 1;
    w.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.ClientSize().height(), 571);
    EXPECT_TRUE(w.CB_ScanMethod->isVisible());
    EXPECT_EQ(w.CB_ScanBy->y(), 59);
    EXPECT_EQ(w.CB_MBus_Baud->y(), 219);
    w.CB_ScanMethod->setCurrentIndex(1);
    for (const Row& r : {Row{w.CB_HardwareType, 59}, Row{w.E_IP1, 91}, Row{w.E_Port, 123}, Row{w.CB_wMBus_Mode, 203},
                         Row{w.CB_wMBus_Radio_Channel, 235}}) {
        EXPECT_EQ(r.box->y(), r.y) << r.box->objectName().toStdString();
        EXPECT_TRUE(r.box->isVisible()) << r.box->objectName().toStdString();
    }
    for (QWidget* hidden : std::initializer_list<QWidget*>{w.CB_ScanBy, w.CB_MBus_Baud, w.CB_MBus_Parity,
                                                            w.CB_Opt_App_Reset, w.E_Opt_Cut_After})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_TRUE(w.E_Port->isEnabled());
    EXPECT_EQ(w.E_Port->text(), QStringLiteral("502"));

    // A port outside 0..65535 starts nothing.
    MessageRecorder rec;
    w.E_Port->setText(QStringLiteral("65536"));
    QTest::mouseClick(w.Btn_StartScan, Qt::LeftButton);
    EXPECT_EQ(rec.Texts(), QStringList{Lang(1238)});
    EXPECT_EQ(w.State(), State::Options);
    w.close();
}
