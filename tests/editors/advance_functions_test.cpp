// The diagnostics window: request bytes and reply rules headless, then the
// window offscreen against the converter simulator on 127.0.0.1.
#include "advance_functions_window.h"
#include "controls/grid/widget/grid_widget.h"
#include "diagnostics_simulator.h"
#include "editors/advance_functions.h"
#include "editors/advance_functions_protocol.h"
#include "lb_button.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "qt_print.h"
#include "workspace.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace editors;

namespace {

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// What a reply said, poll by poll.
struct Recorded : ReplySink
{
    std::map<int, bool> status;
    std::map<int, uint32_t> errors;
    int transparent = -1;
    void PollStatus(int poll, bool disabled) override { status[poll] = disabled; }
    void PollErrors(int poll, uint32_t n) override { errors[poll] = n; }
    void TransparentMode(bool enabled) override { transparent = enabled; }
};

} // namespace

TEST(DiagnosticsProtocol, RequestsAreExactlyTheseBytes)
{
    QStringList rows1And10(kDiagnosticsPolls, QStringLiteral("Enable"));
    rows1And10[0] = rows1And10[9] = QStringLiteral("Disable");
    QStringList rows1And1024(kDiagnosticsPolls, QString());
    rows1And1024[0] = rows1And1024[1023] = QStringLiteral("Disable");
    rows1And1024[5] = QStringLiteral("disable");   // not the list's text: enabled
    const QByteArray b1Rows1And10 = Hex("b10102") + QByteArray(126, '\0') + Hex("00");
    const QByteArray b1Rows1And1024 = Hex("b101") + QByteArray(126, '\0') + Hex("8000");
    const struct
    {
        const char* what;
        QByteArray sent;
        QByteArray expected;
    } cases[] = {
        {"B0", ReadStatusRequest(), Hex("b0")},
        {"B2", ReadErrorsRequest(), Hex("b2")},
        {"B4", ReadTransparentRequest(), Hex("b4")},
        {"B1 rows 1 and 10", WriteStatusRequest(rows1And10), b1Rows1And10},
        {"B1 rows 1 and 1024", WriteStatusRequest(rows1And1024), b1Rows1And1024},
        {"B1 nothing disabled", WriteStatusRequest({}), Hex("b1") + QByteArray(129, '\0')},
        {"B3 Enable sends 01", WriteTransparentRequest(true), Hex("b301")},
        {"B3 Disable sends 00", WriteTransparentRequest(false), Hex("b300")},
        {"B5 Enable for slave 3 sends 00", SlavePollsRequest(3, 0), Hex("b50300")},
        {"B5 Disable for slave 247", SlavePollsRequest(247, 1), Hex("b5f701")},
        {"B6 Disable of poll 0", SinglePollRequest(0, 1), Hex("b60001")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.sent.toHex(' '), c.expected.toHex(' ')) << c.what;
    EXPECT_EQ(WriteStatusRequest(rows1And10).size(), 130);
}

TEST(DiagnosticsProtocol, RepliesApplyOnlyUnderTheirOwnCommand)
{
    const QByteArray full = Hex("b0") + QByteArray(128, char(0xAA));
    const struct
    {
        const char* what;
        int32_t lastCmd;
        QByteArray reply;
        bool applied;
        size_t statuses;
        size_t counters;
        int transparent;
    } cases[] = {
        {"empty", CmdReadStatus, QByteArray(), false, 0, 0, -1},
        {"B0 alone", CmdReadStatus, Hex("b0"), false, 0, 0, -1},
        {"B0 2 bytes: rows 1 to 8", CmdReadStatus, Hex("b005"), true, 8, 0, -1},
        {"B0 129 bytes: all rows", CmdReadStatus, full, true, 1024, 0, -1},
        {"B0 longer than the table", CmdReadStatus, full + QByteArray(72, '\x01'), true, 1024, 0, -1},
        {"B0 while B2 awaited", CmdReadErrors, Hex("b005"), false, 0, 0, -1},
        {"B2 while B0 awaited", CmdReadStatus, Hex("b201000000"), false, 0, 0, -1},
        {"B2 9 bytes: two counters", CmdReadErrors, Hex("b20100008002000000"), true, 0, 2, -1},
        {"B2 short rest ignored", CmdReadErrors, Hex("b2010000800200000003"), true, 0, 2, -1},
        {"B2 alone", CmdReadErrors, Hex("b2"), true, 0, 0, -1},
        {"B2 beyond the table", CmdReadErrors, Hex("b2") + QByteArray(4 * 1100, '\0'), true, 0, 1024, -1},
        {"B4 01", CmdReadTransparent, Hex("b401"), true, 0, 0, 1},
        {"B4 other value", CmdReadTransparent, Hex("b402"), true, 0, 0, 0},
        {"B4 alone", CmdReadTransparent, Hex("b4"), false, 0, 0, -1},
        {"B4 after B5", CmdSlavePolls, Hex("b401"), false, 0, 0, -1},
        {"B0 after B6", CmdSinglePoll, Hex("b0ff"), false, 0, 0, -1},
        {"before any request", CmdNone, Hex("b0ff"), false, 0, 0, -1},
        {"a request's echo", CmdReadStatus, Hex("b1ff"), false, 0, 0, -1},
    };
    for (const auto& c : cases) {
        Recorded r;
        EXPECT_EQ(DecodeReply(c.lastCmd, c.reply, r), c.applied) << c.what;
        EXPECT_EQ(r.status.size(), c.statuses) << c.what;
        EXPECT_EQ(r.errors.size(), c.counters) << c.what;
        EXPECT_EQ(r.transparent, c.transparent) << c.what;
    }

    Recorded bits;
    DecodeReply(CmdReadStatus, Hex("b00580"), bits);
    const std::map<int, bool> expected = {{0, true},   {1, false},  {2, true},   {3, false},  {4, false},  {5, false},
                                          {6, false},  {7, false},  {8, false},  {9, false},  {10, false}, {11, false},
                                          {12, false}, {13, false}, {14, false}, {15, true}};
    EXPECT_EQ(bits.status, expected);
    Recorded counters;
    DecodeReply(CmdReadErrors, Hex("b20100008002000000"), counters);
    EXPECT_EQ(counters.errors, (std::map<int, uint32_t>{{0, 2147483649u}, {1, 2u}}));
}

TEST(DiagnosticsProtocol, PortsDefaultTo5000Both)
{
    const DiagnosticsPorts ports;
    EXPECT_EQ(ports.local, 5000);
    EXPECT_EQ(ports.converter, 5000);
    TempProgramFolder folder(4);
    TFAdvanceFunctions window;
    EXPECT_EQ(window.Model().Ports().local, 5000);
    EXPECT_EQ(window.Model().Ports().converter, 5000);
}

namespace {

const QString kStatusDescription =
    QStringLiteral("Read; Slave ID = 1; Type = Holding Register; Address = 0; NPoint = 10; Mnemonic = Tank; ");

// The window shown against a simulator, with ParGen.xml pointing at 127.0.0.1.
class DiagnosticsWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Error().isEmpty()) << sim.Error().toStdString();
        folder.OpenProject();
        WriteFile(File_ParGen, "<Par_Gen><PROFINET_IP1>127</PROFINET_IP1><PROFINET_IP2>0</PROFINET_IP2>"
                               "<PROFINET_IP3>0</PROFINET_IP3><PROFINET_IP4>1</PROFINET_IP4></Par_Gen>");
    }

    static void WriteFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void Show()
    {
        window = std::make_unique<TFAdvanceFunctions>(nullptr, DiagnosticsPorts{0, sim.Port()});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    AdvanceFunctions& Model() { return window->Model(); }

    void Click(QWidget* page, TLbButton* button)
    {
        window->PageControl1->setCurrentWidget(page);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Clicks, then waits for the datagram the click's reply brings.
    bool ClickAndHandle(QWidget* page, TLbButton* button, bool expectApplied)
    {
        QSignalSpy spy(&Model(), &AdvanceFunctions::DatagramHandled);
        Click(page, button);
        if (!spy.wait(3000))
            return false;
        return spy.at(0).at(0).toBool() == expectApplied;
    }

    // Waits for the next datagram to be handled; its verdict.
    bool NextHandled(QSignalSpy& spy, size_t n = 1)
    {
        while (size_t(spy.count()) < n)
            if (!spy.wait(3000))
                return false;
        return spy.at(int(n) - 1).at(0).toBool();
    }

    QStringList Column(grid::TExColumnGrid& g, int col, int from, int to)
    {
        QStringList out;
        for (int r = from; r <= to; ++r)
            out.append(g.Cells(col, r));
        return out;
    }

    QStringList Sent()
    {
        QStringList out;
        for (const diagsim::Logged& l : sim.Log())
            out.append(QString::fromLatin1(l.data.toHex(' ')));
        return out;
    }

    diagsim::DiagnosticsSimulator sim;
    TempProgramFolder folder{4};
    MessageRecorder boxes;
    std::unique_ptr<TFAdvanceFunctions> window;
};

} // namespace

TEST_F(DiagnosticsWindow, ShowingTakesTheAddressAndLabelsThePolls)
{
    WriteFile(File_ModbusM_SetAccess,
              "<EtherNetIP_to_Modbus><!--SW_VERSION = 1.803--><Modbus_Read>"
              "<row Slave_ID=\"1\" Type=\"Holding Register\" Address=\"0\" NPoint=\"10\" Mnemonic=\"Tank\"/>"
              "<row Slave_ID=\"2\" Type=\"Coil Status\" Address=\"5\" NPoint=\"1\" Mnemonic=\"Valve\"/>"
              "</Modbus_Read><Modbus_Write>"
              "<row Slave_ID=\"9\" Type=\"Coil\" Address=\"7\" NPoint=\"2\" Mnemonic=\"Pump\"/>"
              "</Modbus_Write></EtherNetIP_to_Modbus>");
    Show();
    EXPECT_EQ(window->windowTitle(), "Advance Functions");
    EXPECT_EQ(window->E_IP_Address->text(), "127.0.0.1");
    EXPECT_EQ(Model().Last_CMD, CmdNone);
    EXPECT_TRUE(Model().IsOpen());
    const QString write = QStringLiteral("Write; Slave ID = 9; Type = Coil; Address = 7; NPoint = 2; Mnemonic = Pump; ");
    const QStringList descriptions = {kStatusDescription, QStringLiteral("Read; Slave ID = 2; Type = Coil Status; "
                                                                         "Address = 5; NPoint = 1; Mnemonic = Valve; "),
                                      write, QString()};
    EXPECT_EQ(Column(Model().StatusGrid(), ColStatusDescription, 1, 4), descriptions);
    EXPECT_EQ(Column(Model().ErrorsGrid(), ColErrorsDescription, 1, 4), descriptions);
    EXPECT_EQ(Column(Model().StatusGrid(), ColWriteStatus, 1, 1024), QStringList(1024, QStringLiteral("Enable")));
    EXPECT_EQ(window->CB_B5_EnableDisable->currentText(), "Enable");
    EXPECT_TRUE(boxes.Empty()) << boxes.Texts().join(QLatin1Char('|')).toStdString();

    // Missing parts of the address take the defaults; no ParGen.xml gives the default address.
    window->hide();
    WriteFile(File_ParGen, "<Par_Gen><PROFINET_IP1>10</PROFINET_IP1><PROFINET_IP4>7</PROFINET_IP4></Par_Gen>");
    window->show();
    EXPECT_EQ(window->E_IP_Address->text(), "10.168.0.7");
    window->hide();
    QFile::remove(File_ParGen);
    QFile::remove(File_ModbusM_SetAccess);
    window->show();
    EXPECT_EQ(window->E_IP_Address->text(), "192.168.0.5");
    EXPECT_EQ(Column(Model().StatusGrid(), ColStatusDescription, 1, 4), QStringList(4, QString()));
    EXPECT_TRUE(boxes.Empty()) << boxes.Texts().join(QLatin1Char('|')).toStdString();

    // A file that is not XML: its message, no labels, the window still works.
    window->hide();
    WriteFile(File_ModbusM_SetAccess, "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\"");
    window->show();
    EXPECT_EQ(boxes.Boxes().size(), 1);
    EXPECT_EQ(Column(Model().StatusGrid(), ColStatusDescription, 1, 2), QStringList(2, QString()));
    EXPECT_TRUE(Model().IsOpen());
}

TEST_F(DiagnosticsWindow, EachButtonSendsItsDatagram)
{
    sim.SetMode(diagsim::ReplyMode::Silent);
    Show();
    grid::TExColumnGrid& g = Model().StatusGrid();
    g.SetCellEx(ColWriteStatus, 1, QStringLiteral("Disable"));
    g.SetCellEx(ColWriteStatus, 1024, QStringLiteral("Disable"));

    struct Step
    {
        QWidget* page;
        TLbButton* button;
        std::function<void()> before;
        const char* sent;
        int32_t lastCmd;
    };
    TFAdvanceFunctions& w = *window;
    const QString b1 = QStringLiteral("b1 01 ") + QStringLiteral("00 ").repeated(126) + QStringLiteral("80 00");
    const std::vector<Step> steps = {
        {w.TS_B0B1, w.Btn_Read_Status, {}, "b0", CmdReadStatus},
        {w.TS_B0B1, w.Btn_Write_Status, {}, nullptr, CmdReadStatus},
        {w.TS_B2, w.Btn_Read_Errors, {}, "b2", CmdReadErrors},
        {w.TS_B3B4, w.Btn_Write_Status_Transparent_Mode, {}, "b3 01", CmdReadErrors},
        {w.TS_B3B4, w.Btn_Write_Status_Transparent_Mode, [&] { w.CB_WS_TransparentMode->setCurrentIndex(1); },
         "b3 00", CmdReadErrors},
        {w.TS_B3B4, w.Btn_Read_Status_Transparent_Mode, {}, "b4", CmdReadTransparent},
        {w.TS_B5B6, w.Btn_B5_Write, [&] { w.E_B5_IDSlave->setText("3"); }, "b5 03 00", CmdSlavePolls},
        {w.TS_B5B6, w.Btn_B5_Write, [&] { w.CB_B5_EnableDisable->setCurrentIndex(1); w.E_B5_IDSlave->setText("247"); },
         "b5 f7 01", CmdSlavePolls},
        {w.TS_B5B6, w.Btn_B6_Write, [&] { w.E_B6_NumPoll->setText("0"); w.CB_B6_EnableDisable->setCurrentIndex(1); },
         "b6 00 01", CmdSinglePoll},
        {w.TS_B5B6, w.Btn_B6_Write, [&] { w.E_B6_NumPoll->setText("255"); w.CB_B6_EnableDisable->setCurrentIndex(0); },
         "b6 ff 00", CmdSinglePoll},
    };
    QStringList expected;
    for (const Step& s : steps) {
        if (s.before)
            s.before();
        Click(s.page, s.button);
        expected.append(s.sent ? QString::fromLatin1(s.sent) : b1);
        ASSERT_TRUE(sim.WaitForLog(size_t(expected.size()))) << expected.last().toStdString();
        EXPECT_EQ(Model().Last_CMD, s.lastCmd) << expected.last().toStdString();
    }
    EXPECT_EQ(Sent(), expected);
    for (const diagsim::Logged& l : sim.Log()) {
        EXPECT_EQ(l.sender, QHostAddress(QHostAddress::LocalHost));
        EXPECT_EQ(l.senderPort, Model().LocalPort());
    }
    EXPECT_TRUE(sim.Disabled(0) && sim.Disabled(1023) && !sim.Disabled(1));
    EXPECT_EQ(window->L_Status_TransparenMode->text(), "--");
    EXPECT_TRUE(boxes.Empty()) << boxes.Texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(DiagnosticsWindow, RepliesFillTheReadColumnsAndCopyStatusTakesThem)
{
    for (int p : {0, 2, 1023})
        sim.SetDisabled(p, true);
    sim.SetCounter(0, 5);
    sim.SetCounter(1, 0x80000001u);
    sim.SetTransparent(true);
    Show();
    grid::TExColumnGrid& g = Model().StatusGrid();

    // Copy Status before any read leaves Write Status as it is.
    g.SetCellEx(ColWriteStatus, 5, QStringLiteral("Disable"));
    Click(window->TS_B0B1, window->Btn_Copy);
    EXPECT_EQ(g.Cells(ColWriteStatus, 5), "Disable");

    ASSERT_TRUE(ClickAndHandle(window->TS_B0B1, window->Btn_Read_Status, true));
    EXPECT_EQ(Column(g, ColReadStatus, 1, 4), QStringList({"Disable", "Enable", "Disable", "Enable"}));
    EXPECT_EQ(g.Cells(ColReadStatus, 1023), "Enable");
    EXPECT_EQ(g.Cells(ColReadStatus, 1024), "Disable");
    g.SetCellEx(ColReadStatus, 6, QStringLiteral("?"));
    g.SetCellEx(ColWriteStatus, 6, QStringLiteral("Disable"));
    Click(window->TS_B0B1, window->Btn_Copy);
    EXPECT_EQ(Column(g, ColWriteStatus, 1, 6), QStringList({"Disable", "Enable", "Disable", "Enable", "Enable", "Disable"}));
    EXPECT_EQ(g.Cells(ColWriteStatus, 1024), "Disable");

    ASSERT_TRUE(ClickAndHandle(window->TS_B2, window->Btn_Read_Errors, true));
    EXPECT_EQ(Column(Model().ErrorsGrid(), ColReadErrors, 1, 3), QStringList({"5", "2147483649", "0"}));

    QSignalSpy spy(&Model(), &AdvanceFunctions::DatagramHandled);
    Click(window->TS_B3B4, window->Btn_Read_Status_Transparent_Mode);
    EXPECT_EQ(window->L_Status_TransparenMode->text(), "--");
    ASSERT_TRUE(NextHandled(spy));
    EXPECT_EQ(window->L_Status_TransparenMode->text(), "Transparent Mode Enable");
}

TEST_F(DiagnosticsWindow, OddRepliesChangeOnlyWhatTheRulesAllow)
{
    for (int p = 0; p < 1024; p += 3)
        sim.SetDisabled(p, true);
    sim.SetCounter(0, 11);
    sim.SetCounter(1, 12);
    sim.SetCounter(2, 13);
    Show();
    grid::TExColumnGrid& g = Model().StatusGrid();
    grid::TExColumnGrid& e = Model().ErrorsGrid();

    // Short: B0 and B4 alone are ignored; B2 takes its two whole counters.
    sim.SetMode(diagsim::ReplyMode::Short);
    ASSERT_TRUE(ClickAndHandle(window->TS_B0B1, window->Btn_Read_Status, false));
    EXPECT_EQ(g.Cells(ColReadStatus, 1), "");
    ASSERT_TRUE(ClickAndHandle(window->TS_B2, window->Btn_Read_Errors, true));
    EXPECT_EQ(Column(e, ColReadErrors, 1, 3), QStringList({"11", "12", ""}));
    ASSERT_TRUE(ClickAndHandle(window->TS_B3B4, window->Btn_Read_Status_Transparent_Mode, false));
    EXPECT_EQ(window->L_Status_TransparenMode->text(), "--");

    // Long: what lies beyond the 1024 rows is dropped.
    sim.SetMode(diagsim::ReplyMode::Long);
    ASSERT_TRUE(ClickAndHandle(window->TS_B0B1, window->Btn_Read_Status, true));
    EXPECT_EQ(Column(g, ColReadStatus, 1022, 1024), QStringList({"Enable", "Enable", "Disable"}));
    ASSERT_TRUE(ClickAndHandle(window->TS_B2, window->Btn_Read_Errors, true));
    EXPECT_EQ(Column(e, ColReadErrors, 1, 3), QStringList({"11", "12", "13"}));
    EXPECT_EQ(e.RowCount(), 1025);
    ASSERT_TRUE(ClickAndHandle(window->TS_B3B4, window->Btn_Read_Status_Transparent_Mode, true));
    EXPECT_EQ(window->L_Status_TransparenMode->text(), "Transparent Mode Disable");

    // Twice: both copies are handled, with the same result.
    sim.SetMode(diagsim::ReplyMode::Twice);
    sim.SetCounter(0, 99);
    QSignalSpy twice(&Model(), &AdvanceFunctions::DatagramHandled);
    Click(window->TS_B2, window->Btn_Read_Errors);
    ASSERT_TRUE(NextHandled(twice, 1));
    ASSERT_TRUE(NextHandled(twice, 2));
    EXPECT_EQ(e.Cells(ColReadErrors, 1), "99");

    // Late: a B0 reply that comes after B2 was asked is ignored; the B2 reply counts.
    sim.SetMode(diagsim::ReplyMode::Late);
    sim.SetDisabled(0, false);
    sim.SetCounter(0, 100);
    const size_t before = sim.Log().size();
    Click(window->TS_B0B1, window->Btn_Read_Status);
    Click(window->TS_B2, window->Btn_Read_Errors);
    ASSERT_TRUE(sim.WaitForLog(before + 2));
    QSignalSpy late(&Model(), &AdvanceFunctions::DatagramHandled);
    sim.ReleaseLate();
    EXPECT_FALSE(NextHandled(late, 1));
    EXPECT_TRUE(NextHandled(late, 2));
    EXPECT_EQ(g.Cells(ColReadStatus, 1), "Disable");
    EXPECT_EQ(e.Cells(ColReadErrors, 1), "100");
}

TEST_F(DiagnosticsWindow, OnlyTheConverterAddressIsHeard)
{
    sim.SetDisabled(0, true);
    Show();
    grid::TExColumnGrid& g = Model().StatusGrid();
    const uint16_t port = Model().LocalPort();
    QSignalSpy spy(&Model(), &AdvanceFunctions::DatagramHandled);

    // Before any request nothing is awaited.
    sim.SendUnsolicited(port, Hex("b0ff"));
    EXPECT_FALSE(NextHandled(spy, 1));

    // A reply from 127.0.0.2 while B0 is awaited from 127.0.0.1: ignored.
    sim.SetMode(diagsim::ReplyMode::OtherAddress);
    Click(window->TS_B0B1, window->Btn_Read_Status);
    EXPECT_FALSE(NextHandled(spy, 2));
    sim.SendUnsolicited(port, Hex("b0ff"), true);
    EXPECT_FALSE(NextHandled(spy, 3));
    EXPECT_EQ(g.Cells(ColReadStatus, 1), "");

    // From the converter's address: an empty datagram and a mismatched B2 are
    // ignored; an unrequested B0 counts while B0 is awaited.
    sim.SendUnsolicited(port, QByteArray());
    EXPECT_FALSE(NextHandled(spy, 4));
    sim.SendUnsolicited(port, Hex("b201000000"));
    EXPECT_FALSE(NextHandled(spy, 5));
    EXPECT_EQ(Model().ErrorsGrid().Cells(ColReadErrors, 1), "");
    sim.SendUnsolicited(port, Hex("b003"));
    EXPECT_TRUE(NextHandled(spy, 6));
    EXPECT_EQ(Column(g, ColReadStatus, 1, 9), QStringList({"Disable", "Disable", "Enable", "Enable", "Enable",
                                                           "Enable", "Enable", "Enable", ""}));
}

TEST_F(DiagnosticsWindow, ReadColumnsClearedOnShowingAndOnANewAddress)
{
    sim.SetDisabled(0, true);
    sim.SetCounter(0, 4);
    sim.SetTransparent(true);
    Show();
    grid::TExColumnGrid& g = Model().StatusGrid();
    auto readAll = [&] {
        ASSERT_TRUE(ClickAndHandle(window->TS_B0B1, window->Btn_Read_Status, true));
        ASSERT_TRUE(ClickAndHandle(window->TS_B2, window->Btn_Read_Errors, true));
        ASSERT_TRUE(ClickAndHandle(window->TS_B3B4, window->Btn_Read_Status_Transparent_Mode, true));
        ASSERT_EQ(g.Cells(ColReadStatus, 1), "Disable");
    };
    auto cleared = [&] {
        EXPECT_EQ(Column(g, ColReadStatus, 1, 1024), QStringList(1024, QString()));
        EXPECT_EQ(Column(Model().ErrorsGrid(), ColReadErrors, 1, 1024), QStringList(1024, QString()));
        EXPECT_EQ(window->L_Status_TransparenMode->text(), "");
    };
    readAll();
    window->hide();
    window->show();
    cleared();
    EXPECT_EQ(Model().Last_CMD, CmdNone);

    // Typing another address forgets what was read; replies of the old one no longer count.
    readAll();
    window->E_IP_Address->setFocus();
    window->E_IP_Address->selectAll();
    QTest::keyClicks(window->E_IP_Address, "127.0.0.3");
    cleared();
    QSignalSpy spy(&Model(), &AdvanceFunctions::DatagramHandled);
    sim.SendUnsolicited(Model().LocalPort(), Hex("b0ff"));
    EXPECT_FALSE(NextHandled(spy));
    EXPECT_EQ(g.Cells(ColReadStatus, 1), "");
}

TEST_F(DiagnosticsWindow, ASilentConverterNeverHoldsTheWindow)
{
    sim.SetMode(diagsim::ReplyMode::Silent);
    Show();
    QElapsedTimer clock;
    clock.start();
    Click(window->TS_B0B1, window->Btn_Read_Status);
    Click(window->TS_B2, window->Btn_Read_Errors);
    EXPECT_LT(clock.elapsed(), 1000);
    ASSERT_TRUE(sim.WaitForLog(2));
    EXPECT_EQ(Sent(), QStringList({"b0", "b2"}));
    EXPECT_EQ(Model().Last_CMD, CmdReadErrors);
    EXPECT_EQ(Model().StatusGrid().Cells(ColReadStatus, 1), "");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(boxes.Empty()) << boxes.Texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(DiagnosticsWindow, OutOfRangeSlaveOrPollSendsNothing)
{
    Show();
    const struct
    {
        TLbButton* button;
        QLineEdit* edit;
        const char* text;
        const char* error;
    } cases[] = {
        {window->Btn_B5_Write, window->E_B5_IDSlave, "0", "Error !! Command B5 - Slave ID must be between 1 and 247"},
        {window->Btn_B5_Write, window->E_B5_IDSlave, "248", "Error !! Command B5 - Slave ID must be between 1 and 247"},
        {window->Btn_B5_Write, window->E_B5_IDSlave, "abc", "Error !! Command B5 - Slave ID must be between 1 and 247"},
        {window->Btn_B5_Write, window->E_B5_IDSlave, "", "Error !! Command B5 - Slave ID must be between 1 and 247"},
        {window->Btn_B6_Write, window->E_B6_NumPoll, "256", "Error !! Command B6 - Number Poll must be between 0 and 255"},
        {window->Btn_B6_Write, window->E_B6_NumPoll, "-1", "Error !! Command B6 - Number Poll must be between 0 and 255"},
    };
    for (const auto& c : cases) {
        boxes.Clear();
        c.edit->setText(QString::fromLatin1(c.text));
        Click(window->TS_B5B6, c.button);
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromLatin1(c.error)}) << c.text;
        EXPECT_EQ(Model().Last_CMD, CmdNone) << c.text;
    }
    // The first datagram the simulator sees is the valid one sent after them.
    window->E_B6_NumPoll->setText("0x10");
    Click(window->TS_B5B6, window->Btn_B6_Write);
    ASSERT_TRUE(sim.WaitForLog(1));
    EXPECT_EQ(Sent(), QStringList{"b6 10 00"});
}

TEST_F(DiagnosticsWindow, AHeldLocalPortIsReported)
{
    UdpEndpoint holder;
    ASSERT_TRUE(holder.Open(QHostAddress(QHostAddress::LocalHost), 0));
    window = std::make_unique<TFAdvanceFunctions>(nullptr, DiagnosticsPorts{holder.LocalPort(), sim.Port()});
    window->show();
    ASSERT_EQ(boxes.Boxes().size(), 1);
    EXPECT_EQ(boxes.Boxes()[0].first, MsgKind::Error);
    EXPECT_TRUE(boxes.Texts()[0].startsWith(QStringLiteral("UDP port %1: ").arg(holder.LocalPort())))
        << boxes.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(Model().IsOpen());
    // Nothing leaves a window that holds no port.
    boxes.Clear();
    window->E_IP_Address->setText("127.0.0.1");
    Click(window->TS_B0B1, window->Btn_Read_Status);
    EXPECT_EQ(boxes.Texts(), QStringList{"UDP socket not open"});
}

TEST_F(DiagnosticsWindow, AnUnresolvableAddressIsReportedAndNothingSent)
{
    Show();
    window->E_IP_Address->setText("converter.invalid");
    Click(window->TS_B0B1, window->Btn_Read_Status);
    Click(window->TS_B3B4, window->Btn_Write_Status_Transparent_Mode);
    EXPECT_EQ(boxes.Texts(), QStringList({"Host not found: converter.invalid", "Host not found: converter.invalid"}));
    window->E_IP_Address->setText("localhost");
    Click(window->TS_B2, window->Btn_Read_Errors);
    ASSERT_TRUE(sim.WaitForLog(1));
    EXPECT_EQ(Sent(), QStringList{"b2"});
}

// A click with an address outside 127.0.0.0/8 fails the test and sends nothing.
static TFAdvanceFunctions* g_window = nullptr;
TEST_F(DiagnosticsWindow, TestsNeverSendOutsideLoopback)
{
    Show();
    window->E_IP_Address->setText("192.168.0.5");
    window->PageControl1->setCurrentWidget(window->TS_B0B1);
    g_window = window.get();
    EXPECT_NONFATAL_FAILURE(QTest::mouseClick(g_window->Btn_Read_Status, Qt::LeftButton), "outside 127.0.0.0/8");
    g_window = nullptr;
    EXPECT_EQ(boxes.Texts().size(), 1);
}
