// The Scan & Decode window's results fed as a worker feeds them, from
// another thread: the progress lines and their colours by pixel probes, the
// wired tree's texts, the wireless grid's rows and colours, the meter's tree
// on a click, the key entered on a double click, and the real save question
// answered by keyboard.
#include "insert_key_wireless_window.h"
#include "scan_decode_window.h"

#include "app/button/lb_button.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "mbus/core/network_file.h"
#include "platform/udp_endpoint.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/tree/widget/string_tree.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "user_input.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

using namespace lazytree;
using State = mbus::ScanFormState;
using testsupport::At;
using testsupport::UserScript;

namespace {

struct ResultWindow
{
    TempProgramFolder folder{10};
    MessageRecorder rec;
    mbus::WorkerOptions options;
    TFScanDecode w;

    ResultWindow() : w(nullptr, Local())
    {
        w.XML_Code_Dev = 11;
        w.open();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    ~ResultWindow()
    {
        WiredSlaveList.clear();
        WirelessSlaveList.clear();
    }
    static mbus::WorkerOptions Local()
    {
        mbus::WorkerOptions o;
        o.localAddress = QHostAddress(QHostAddress::LocalHost);
        o.localPort = 0;
        return o;
    }
};

// Columns of a line where the colour is the pen's (anti-aliasing aside).
std::vector<int> InkColumns(const QImage& img, const QRect& line, QColor pen)
{
    std::vector<int> xs;
    for (int x = line.left(); x <= line.right(); ++x)
        for (int y = line.top(); y <= line.bottom(); ++y) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - pen.red()) < 40 && std::abs(c.green() - pen.green()) < 40 &&
                std::abs(c.blue() - pen.blue()) < 40) {
                xs.push_back(x);
                break;
            }
        }
    return xs;
}

mbus::TVariable_MBus Record()
{
    mbus::TVariable_MBus v;
    v.ValueStr = QStringLiteral("12.5");
    v.Desc_Type_Data = QStringLiteral("Volume (m^3)");
    v.device = 1;
    v.storage_number = 2;
    v.tarif = 70000;
    v.DataFieldStr = QStringLiteral("32 Bit Integer");
    v.FunctionFieldStr = QStringLiteral("Istantaneous value");
    v.DIF = QStringLiteral("$04");
    v.VIF = 0x13;
    v.DIFE = QStringLiteral("$40 ");
    v.VIFE = QString();
    v.totdati = QStringLiteral("D2040000");
    return v;
}

} // namespace

TEST(ResultDisplay, ProgressLinesFromTheWorkerThreadAndTheirColours)
{
    ResultWindow t;
    t.w.Form_Style(State::WiredRunning);
    const int calls[][4] = {{2, 2, 1, 1}, {2, 3, 0, 1}, {1, 0, 0, 2}, {2, 0x12345678, 1, 2}, {3, 0, 0, 2},
                            {1, 0, 0, 1}, {3, 0, 0, 1}};
    std::thread worker([&] {
        for (const auto& c : calls)
            emit t.w.SlaveListUpdated(c[0], c[1], c[2], c[3]);
    });
    worker.join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return t.w.LB_AvailableDevice->count() == 5; }, 3000));
    QStringList lines;
    for (int i = 0; i < 5; ++i)
        lines << t.w.LB_AvailableDevice->item(i)->text();
    EXPECT_EQ(lines, (QStringList{"ID = 2\t", "ID = 3\t[NOT FOUND]", Lang(1227), "ID = 12345678", Lang(1228)}));

    QListWidget* lb = t.w.LB_AvailableDevice;
    const QImage img = lb->viewport()->grab().toImage();
    const QRect found = lb->visualItemRect(lb->item(0));
    const QRect missing = lb->visualItemRect(lb->item(1));
    EXPECT_FALSE(InkColumns(img, found, Qt::blue).empty());
    EXPECT_TRUE(InkColumns(img, found, Qt::red).empty());
    EXPECT_TRUE(InkColumns(img, missing, Qt::blue).empty());
    const std::vector<int> red = InkColumns(img, missing, Qt::red);
    ASSERT_FALSE(red.empty());
    EXPECT_LT(red.front(), 20) << "the address part from the left";
    // Nothing between the end of the address and x 70, then the mark.
    const auto mark = std::find_if(red.begin(), red.end(), [](int x) { return x >= 50; });
    ASSERT_NE(mark, red.end());
    EXPECT_GE(*mark, 70);
    EXPECT_LE(*mark, 73);
}

TEST(ResultDisplay, WiredTreeTexts)
{
    ResultWindow t;
    auto a = std::make_shared<mbus::TSlave_MBus>();
    a->Primary_Addresss = 5;
    a->Secondary_Addresss = QStringLiteral("12345678");
    a->descManufacture = QStringLiteral("ABB");
    a->Manufacture = 1090;
    a->Version = 1;
    a->Medium = 7;
    a->List_Var = {Record(), Record()};
    auto b = std::make_shared<mbus::TSlave_MBus>();
    b->Primary_Addresss = 6;
    WiredSlaveList = {a, b};
    t.w.Form_Style(State::WiredEnded);
    t.w.Fill_Wired_Tree();
    TLazyStringTree& vst = *t.w.VST;
    EXPECT_EQ(t.w.L_Num_Slave->text(), QStringLiteral("2"));
    ASSERT_EQ(vst.RootNodeCount(), 2u);
    PLazyNode s = vst.GetFirstChild(nullptr);
    EXPECT_EQ(vst.Text(s), QStringLiteral("Primary Address = 5 - Secondary Address = 12345678 - Manufacturer = "
                                          "ABB(1090) - Version = 1 - Type = 7"));
    EXPECT_EQ(vst.GetCheckState(s), csCheckedNormal);
    ASSERT_EQ(vst.GetChildCount(s), 2u);
    PLazyNode r = vst.GetFirstChild(s);
    EXPECT_EQ(vst.Text(r), QStringLiteral("Value = 12.5 - Type = Volume (m^3) (U1S2T70000)"));
    EXPECT_EQ(vst.GetCheckState(r), csCheckedNormal);
    QStringList details;
    for (PLazyNode d = vst.GetFirstChild(r); d; d = vst.GetNextSibling(d)) {
        details << vst.Text(d);
        EXPECT_EQ(vst.GetCheckType(d), ctNone);
    }
    EXPECT_EQ(details, (QStringList{"Storage Number = 2", "Tariff = 70000", "Unit = 1", "Data Field = 32 Bit Integer",
                                    "Function Field = Istantaneous value", "Type = Volume (m^3)", "Value = 12.5",
                                    "DIF = $04", "VIF = $13", "DIFE = $40 ", "VIFE = ", "DATA = $D2040000"}));
    EXPECT_EQ(vst.GetChildCount(vst.GetNextSibling(s)), 0u) << "a meter without records has its top node only";
}

TEST(ResultDisplay, WirelessRowsTheirColoursTheMeterTreeAndTheKey)
{
    ResultWindow t;
    FInsertKeyWireless = new TFInsertKeyWireless(&t.w);
    struct Given
    {
        int meter = -1;
        std::array<uint8_t, 16> key{};
    } given;
    t.w.Insert_Key = [&](int meter, const std::array<uint8_t, 16>& key) {
        given = {meter, key};
        return true;
    };
    auto plain = std::make_shared<mbus::TSlave_wMBus>();
    plain->Message_Type = 0x44;
    plain->LLA_Manu_str = QStringLiteral("KAM");
    plain->LLA_Manufacturer = 0x2C2D;
    plain->LLA_Address = 0x12345678;
    plain->LLA_Version = 27;
    plain->LLA_DeviceType = 22;
    plain->ALA_Manu_str = QStringLiteral("KAM");
    plain->ALA_Manufacturer = 0x2C2D;
    plain->ALA_Address = 0x12345678;
    plain->ALA_Version = 27;
    plain->ALA_DeviceType = 22;
    plain->RSSI = -71;
    plain->DateTime = QDateTime(QDate(2026, 12, 10), QTime(16, 0, 5));
    plain->List_Var = {Record()};
    plain->List_Var[0].Real_Wireless_Var = false;
    auto cripted = std::make_shared<mbus::TSlave_wMBus>(*plain);
    cripted->Cripted = true;
    cripted->ALA_Address = 0x87654321;
    cripted->List_Var = {Record()};
    WirelessSlaveList = {plain, cripted};
    t.w.Form_Style(State::WirelessEnded);

    std::thread worker([&] {
        emit t.w.WirelessSlaveUpdated(0, std::make_shared<mbus::TSlave_wMBus>(*plain));
        emit t.w.WirelessSlaveUpdated(1, std::make_shared<mbus::TSlave_wMBus>(*cripted));
    });
    worker.join();
    grid::TExStringGrid& g = t.w.Wireless_Grid();
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.RowCount() == 3 && !g.Cells(0, 2).isEmpty(); }, 3000));
    QStringList row1;
    for (int c = 0; c < 12; ++c)
        row1 << g.Cells(c, 1);
    EXPECT_EQ(row1, (QStringList{"1", "10/12/2026 16:00:05", "0x44", "KAM(2C2D)", "12345678", "27 (1B)", "22 (16)",
                                 "KAM(2C2D)", "12345678", "27 (1B)", "22 (16)", "-71"}));
    EXPECT_EQ(g.Cells(8, 2), QStringLiteral("87654321"));
    for (int c = 1; c < 13; ++c) {
        EXPECT_EQ(g.Colors(c, 1), grid::TColor(11075496)) << c;
        EXPECT_EQ(g.Colors(c, 2), grid::TColor(12172287)) << c;
    }
    EXPECT_NE(g.Colors(0, 2), grid::TColor(12172287));

    // A click on the encrypted meter's row shows its tree.
    QWidget* vp = t.w.ESG_Wireless->viewport();
    const QPoint onRow2 = g.CellRect(3, 2).center();
    QTest::mouseClick(vp, Qt::LeftButton, {}, onRow2);
    TLazyStringTree& tree = *t.w.VST_Wireless;
    ASSERT_EQ(tree.RootNodeCount(), 1u);
    PLazyNode top = tree.GetFirstChild(nullptr);
    EXPECT_EQ(tree.Text(top), QStringLiteral("Manufacturer = KAM - Address = 87654321 - Version = 27 - "
                                             "Device Type = 22 - CRIPTED!!"));
    EXPECT_EQ(tree.Text(tree.GetFirstChild(top)), QStringLiteral("Value = 12.5 - Type = Volume (m^3) (U1S2T70000)"));
    EXPECT_EQ(tree.GetChildCount(tree.GetFirstChild(top)), 12u);
    // Unticking the meter writes its flag back.
    tree.SetCheckState(top, csUncheckedNormal);
    if (tree.OnChecked)
        tree.OnChecked(&tree, top);
    EXPECT_FALSE(WirelessSlaveList[1]->Enable);

    QTest::mouseClick(vp, Qt::LeftButton, {}, g.CellRect(3, 1).center());
    top = tree.GetFirstChild(nullptr);
    EXPECT_TRUE(tree.Text(top).endsWith(QStringLiteral("Device Type = 22 - ")));
    EXPECT_EQ(tree.Text(tree.GetFirstChild(top)), QStringLiteral("Idle Filler"));

    // A double click on a plain meter asks nothing; on the encrypted one the
    // key's 32 digits become 16 bytes from the left.
    QTest::mouseDClick(vp, Qt::LeftButton, {}, g.CellRect(3, 1).center());
    EXPECT_EQ(given.meter, -1);
    EXPECT_FALSE(FInsertKeyWireless->isVisible());
    UserScript user;
    user.DoubleClick([&] { return vp->mapToGlobal(onRow2); })
        .Click(At(FInsertKeyWireless->E_Key))
        .Type(QStringLiteral("00112233445566778899aabbccddeeff"))
        .Click(At(FInsertKeyWireless->Btn_OK));
    EXPECT_TRUE(user.Run(20000));
    EXPECT_EQ(given.meter, 1);
    const std::array<uint8_t, 16> expected = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                                              0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
    EXPECT_EQ(given.key, expected);
    EXPECT_TRUE(t.rec.Empty());
    delete FInsertKeyWireless;
    FInsertKeyWireless = nullptr;
}

// The real three-answer box of the save: Escape is Cancel and writes
// nothing, Enter is Yes (the default) and appends.
TEST(ResultDisplay, TheRealSaveQuestionByKeyboard)
{
    ResultWindow t;
    t.folder.OpenProject();
    t.w.FileName_MBus = File_M_Bus;
    auto s = std::make_shared<mbus::TSlave_MBus>();
    s->Primary_Addresss = 5;
    s->Secondary_Addresss = QStringLiteral("5");
    s->List_Var = {Record()};
    WiredSlaveList = {s};
    t.w.Form_Style(State::WiredEnded);
    t.w.Fill_Wired_Tree();
    mbus::Network old(1);
    old[0].Enable = true;
    old[0].Node_ID_Primary = 9;
    ASSERT_TRUE(mbus::Write_Network(File_M_Bus, old, 10));
    QFile f(File_M_Bus);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    testsupport::RealMessageBoxes real;
    QStringList boxes;
    t.w.activateWindow();
    UserScript user;
    user.Click(At(t.w.Btn_SaveConf)).Wait(100).Do([&] { boxes << testsupport::OpenMessageBoxText(); });
    user.Key(Qt::Key_Escape).Wait(200).Do([&] {
        boxes << testsupport::OpenMessageBoxText();
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before);
        f.close();
    });
    user.Click(At(t.w.Btn_SaveConf)).Wait(100).Key(Qt::Key_Return).Wait(200).Do([&] {
        boxes << testsupport::OpenMessageBoxText();
    });
    user.Key(Qt::Key_Return).Wait(200);
    ASSERT_TRUE(user.Run(20000));
    testsupport::CloseModalWindows();
    EXPECT_EQ(boxes, (QStringList{Lang(1237), QString(), Lang(1230)}));
    std::vector<int> primaries;
    for (const mbus::TNodo& n : mbus::Read_Network(File_M_Bus, 10).network)
        primaries.push_back(n.Node_ID_Primary);
    EXPECT_EQ(primaries, (std::vector<int>{9, 5}));
}

// A local port another program holds: the scan ends at once, and 1229 names
// the port.
TEST(ResultDisplay, AHeldLocalPortIsNamed)
{
    UdpEndpoint holder;
    ASSERT_TRUE(holder.Open(QHostAddress(QHostAddress::LocalHost), 0));
    TempProgramFolder folder(10);
    MessageRecorder rec;
    mbus::WorkerOptions o = ResultWindow::Local();
    o.localPort = holder.LocalPort();
    TFScanDecode w(nullptr, o);
    w.XML_Code_Dev = 11;
    w.PollInterval = 20;
    w.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.Btn_StartScan, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec.Empty(); }, 5000));
    EXPECT_EQ(w.State(), State::Options);
    ASSERT_EQ(rec.Texts().size(), 1);
    EXPECT_TRUE(rec.Texts()[0].startsWith(Lang(1229) + QLatin1Char('\n')));
    EXPECT_TRUE(rec.Texts()[0].contains(QString::number(holder.LocalPort()))) << rec.Texts()[0].toStdString();
}
