#include "boot_tcp_window.h"
#include "fakes.h"
#include "lb_button.h"
#include "message_recorder.h"
#include "parameter_file.h"
#include "process_runner.h"
#include "program_folder.h"
#include "qt_print.h"
#include "stand_in.h"
#include "user_input.h"
#include "workspace.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <functional>
#include <gtest/gtest.h>
#include <csignal>

namespace {

void Click(QWidget* w)
{
    ASSERT_NE(w, nullptr);
    const QPointF at = QRectF(w->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        const int key = c == QLatin1Char('.') ? int(Qt::Key_Period) : int(c.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// The window as the program shows it, with a scripted echo and clock.
class WindowFixture
{
public:
    explicit WindowFixture(std::vector<EchoStep> script = {Answer()})
        : echo(clock, std::move(script))
    {
        w.SetEchoClient(&echo);
        w.SetPingClock(&clock);
        w.show();
    }
    ~WindowFixture() { echo.Release(); }

    template <class T>
    T* Get(const char* name)
    {
        T* child = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QLineEdit* Edit(int i) { return Get<QLineEdit>(QStringLiteral("E_IP%1").arg(i).toLatin1().constData()); }
    QString Octets()
    {
        return QStringList{Edit(1)->text(), Edit(2)->text(), Edit(3)->text(), Edit(4)->text()}.join('.');
    }
    void SetAddress(const QString& a)
    {
        // The fourth edit takes whatever follows the third dot.
        const QStringList p = a.split(QLatin1Char('.'));
        for (int i = 0; i < 3; ++i)
            Edit(i + 1)->setText(p.value(i));
        Edit(4)->setText(p.mid(3).join(QLatin1Char('.')));
    }
    // The ping and the updater run without blocking: these wait for their end.
    void Ping()
    {
        Click(Get<QWidget>("Btn_Ping"));
        WaitUntilIdle();
    }
    void Next() { Click(Get<QWidget>("Btn_Next")); }
    void Update()
    {
        Click(Get<QWidget>("Btn_Update"));
        WaitUntilIdle();
    }
    void WaitUntilIdle()
    {
        QElapsedTimer clock;
        clock.start();
        while (w.Busy() && clock.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_FALSE(w.Busy());
    }
    void SetOptions(const UpdateOptions& o)
    {
        Get<QCheckBox>("CB_Firmware")->setChecked(o.firmware);
        Get<QCheckBox>("CB_Read_Firm")->setChecked(o.readFirmware);
        Get<QCheckBox>("CB_Conf")->setChecked(o.configuration);
        Get<QCheckBox>("CB_Read_Conf")->setChecked(o.readConfiguration);
    }
    // Ping (answered), Next, options, Update.
    void RunUpdate(const UpdateOptions& o)
    {
        Ping();
        Next();
        SetOptions(o);
        Update();
    }
    bool OnOptionsPage() { return Get<QWidget>("CB_Firmware")->isVisible() && !Edit(1)->isVisible(); }

    FakePingClock clock;
    ScriptedEcho echo;
    TFBootTCP w;
};

TEST(BootTcpWindow, LayoutAndTexts)
{
    TempProgramFolder folder(0);
    WindowFixture f;
    EXPECT_EQ(f.w.size(), QSize(350, 233));
    EXPECT_EQ(f.w.windowTitle(), QStringLiteral("Update Firmware from Etherner (UDP)"));
    const struct
    {
        const char* name;
        QPoint at;
    } places[] = {
        {"E_IP1", {35, 97}}, {"E_IP2", {91, 97}}, {"E_IP3", {147, 97}}, {"E_IP4", {203, 97}},
        {"Label2", {83, 105}}, {"Label3", {139, 105}}, {"Label4", {195, 105}}, {"L_IP_Address", {16, 75}},
        {"L_Ping", {16, 136}}, {"Btn_Ping", {35, 155}}, {"LPing", {151, 163}}, {"L_Options", {16, 75}},
        {"CB_Firmware", {36, 96}}, {"CB_Read_Firm", {56, 119}}, {"CB_Conf", {36, 142}}, {"CB_Read_Conf", {56, 165}},
        {"Btn_Cancel", {16, 8}}, {"Btn_Next", {134, 8}}, {"Btn_Update", {16, 8}},
    };
    for (const auto& p : places)
        EXPECT_EQ(f.Get<QWidget>(p.name)->pos(), p.at) << p.name;
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(f.Edit(i)->width(), 41);
    EXPECT_EQ(f.Get<QLabel>("L_SW_Code")->text(), QStringLiteral("QS52280"));
    EXPECT_EQ(f.Get<QLabel>("L_SW_Desc")->text(), QStringLiteral("Update Firmware from Etherner (UDP)"));
    EXPECT_EQ(f.Get<QLabel>("L_Ping")->text(), QStringLiteral("Check the Connection the device"));
    EXPECT_EQ(f.Get<TLbButton>("Btn_Ping")->Caption(), QStringLiteral("Ping"));
    EXPECT_EQ(f.Get<TLbButton>("Btn_Cancel")->Caption(), QStringLiteral("Cancel"));
    EXPECT_EQ(f.Get<TLbButton>("Btn_Next")->Caption(), QStringLiteral("Next"));
    EXPECT_EQ(f.Get<TLbButton>("Btn_Update")->Caption(), QStringLiteral("Execute update firmware"));
    EXPECT_EQ(f.Get<QLabel>("L_Options")->text(), QStringLiteral("Update Device Options"));
    const struct
    {
        const char* name;
        const char* text;
    } boxes[] = {{"CB_Firmware", "Firmware"},
                 {"CB_Read_Firm", "Read Firmware when finish"},
                 {"CB_Conf", "Project"},
                 {"CB_Read_Conf", "Read Project when finish"}};
    for (const auto& b : boxes) {
        EXPECT_EQ(f.Get<QCheckBox>(b.name)->text(), QString::fromLatin1(b.text));
        EXPECT_TRUE(f.Get<QCheckBox>(b.name)->isChecked()) << b.name;
        EXPECT_FALSE(f.Get<QCheckBox>(b.name)->isVisible()) << b.name;
    }
    EXPECT_TRUE(f.Edit(1)->isVisible());
    EXPECT_FALSE(f.Get<QWidget>("Btn_Update")->isVisible());
}

TEST(BootTcpWindow, PromptNamesTheDeviceCode)
{
    const struct
    {
        int type;
        const char* prompt;
    } cases[] = {{0, "Insert the IP Address of GX52280"},
                 {29, "Insert the IP Address of GX527-K103"},
                 {1018, "Insert the IP Address of TKL-VRN Desktop"}};
    for (const auto& c : cases) {
        TempProgramFolder folder(c.type);
        WindowFixture f;
        EXPECT_EQ(f.Get<QLabel>("L_IP_Address")->text(), QString::fromLatin1(c.prompt));
    }
}

TEST(BootTcpWindow, ShowingFillsTheLastAddressWhenValid)
{
    TempProgramFolder folder(29);
    WindowFixture f;
    EXPECT_EQ(f.Octets(), QStringLiteral("192.168.2.205"));
    for (const char* bad : {"10.0.0.256", "10.0.0", "10.0.0.1.5", ""}) {
        f.w.hide();
        LastIPAddress = QString::fromLatin1(bad);
        f.w.show();
        EXPECT_EQ(f.Octets(), QStringLiteral("192.168.2.205")) << bad;
    }
    f.w.hide();
    LastIPAddress = QStringLiteral(" 10 . 1.2. 3 ");
    f.w.show();
    EXPECT_EQ(f.Octets(), QStringLiteral("10.1.2.3"));
}

TEST(BootTcpWindow, DotMovesToTheNextOctet)
{
    TempProgramFolder folder(29);
    LastIPAddress.clear();
    WindowFixture f;
    for (int i = 1; i <= 4; ++i)
        f.Edit(i)->clear();
    f.Edit(1)->setFocus();
    Type(f.Edit(1), QStringLiteral("10."));
    EXPECT_EQ(f.Edit(1)->text(), QStringLiteral("10"));
    EXPECT_EQ(f.w.focusWidget(), f.Edit(2));
    Type(f.Edit(2), QStringLiteral("1."));
    EXPECT_EQ(f.w.focusWidget(), f.Edit(3));
    Type(f.Edit(3), QStringLiteral("2."));
    EXPECT_EQ(f.w.focusWidget(), f.Edit(4));
    EXPECT_EQ(f.Edit(3)->text(), QStringLiteral("2"));
    Type(f.Edit(4), QStringLiteral("3.4"));
    EXPECT_EQ(f.Edit(4)->text(), QStringLiteral("3.4"));
}

QString TextColor(QLabel* l)
{
    return l->palette().color(QPalette::WindowText).name();
}

TEST(BootTcpWindow, PingResults)
{
    const QString green = QStringLiteral("#008000"), red = QStringLiteral("#ff0000");
    const struct
    {
        const char* name;
        std::vector<EchoStep> script;
        const char* address;
        const char* shown;
        bool found;
        int echoes;
    } cases[] = {
        {"answering device", {Answer()}, "192.168.2.205", "Device Found!", true, 2},
        {"silent device", {Silent()}, "192.168.2.205", "Device Not Found!", false, 25},
        {"echo error", {Fail()}, "192.168.2.205", "Error!!! Check the Ip Address", false, 1},
        {"bad address: no echo", {Answer()}, "192.168.2.256", "Error!!! Check the Ip Address", false, 0},
        {"dotted fourth octet: no echo", {Answer()}, "192.168.2.5.1", "Error!!! Check the Ip Address", false, 0},
        {"ICMP refused", {Refused()}, "192.168.2.205", "Ping not permitted on this system", false, 1},
    };
    for (const auto& c : cases) {
        TempProgramFolder folder(29);
        WindowFixture f(c.script);
        f.SetAddress(QString::fromLatin1(c.address));
        f.Ping();
        QLabel* result = f.Get<QLabel>("LPing");
        EXPECT_EQ(result->text(), QString::fromLatin1(c.shown)) << c.name;
        EXPECT_EQ(TextColor(result), c.found ? green : red) << c.name;
        EXPECT_EQ(f.w.Esegui_Ping, c.found) << c.name;
        EXPECT_EQ(f.echo.Calls(), c.echoes) << c.name;
        for (const QString& host : f.echo.hosts)
            EXPECT_EQ(host, QString::fromLatin1(c.address)) << c.name;
    }
}

TEST(BootTcpWindow, RealPingOfLoopback)
{
    TempProgramFolder folder(29);
    TFBootTCP w;
    w.show();
    const QStringList octets = {"127", "0", "0", "1"};
    for (int i = 0; i < 4; ++i)
        w.findChild<QLineEdit*>(QStringLiteral("E_IP%1").arg(i + 1))->setText(octets[i]);
    Click(w.findChild<QWidget*>(QStringLiteral("Btn_Ping")));
    QElapsedTimer clock;
    clock.start();
    while (w.Busy() && clock.elapsed() < 15000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const QString shown = w.findChild<QLabel*>(QStringLiteral("LPing"))->text();
    if (shown == QStringLiteral("Ping not permitted on this system"))
        GTEST_SKIP() << "this system refuses ICMP sockets";
    EXPECT_EQ(shown, QStringLiteral("Device Found!"));
    EXPECT_TRUE(w.Esegui_Ping);
}

TEST(BootTcpWindow, NextNeedsASuccessfulPing)
{
    TempProgramFolder folder(29);
    MessageRecorder messages;
    // One ping of silence (25 echoes), then answers.
    std::vector<EchoStep> script(25, Silent());
    script.push_back(Answer());
    WindowFixture f(script);
    f.SetAddress(QStringLiteral("10.0.0.7"));
    f.Next();
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].first, MsgKind::Error);
    EXPECT_EQ(messages.Boxes()[0].second, QStringLiteral("Device not found in network"));
    EXPECT_FALSE(f.OnOptionsPage());

    f.Ping();   // silent: not found
    f.Next();
    EXPECT_EQ(messages.Boxes().size(), 2);
    EXPECT_FALSE(f.OnOptionsPage());
    EXPECT_EQ(LastIPAddress, QStringLiteral("192.168.2.205"));

    f.Ping();   // answers from now on
    EXPECT_TRUE(f.w.Esegui_Ping);
    f.Next();
    EXPECT_EQ(messages.Boxes().size(), 2);
    EXPECT_TRUE(f.OnOptionsPage());
    EXPECT_TRUE(f.Get<QWidget>("Btn_Update")->isVisible());
    EXPECT_FALSE(f.Get<QWidget>("Btn_Next")->isVisible());
    EXPECT_FALSE(f.Get<QWidget>("Btn_Cancel")->isVisible());
    EXPECT_EQ(LastIPAddress, QStringLiteral("10.0.0.7"));

    // Showing again starts over on the address page.
    f.w.hide();
    f.w.show();
    EXPECT_FALSE(f.OnOptionsPage());
    EXPECT_FALSE(f.w.Esegui_Ping);
    EXPECT_TRUE(f.Get<QLabel>("LPing")->text().isEmpty());
    EXPECT_EQ(f.Octets(), QStringLiteral("10.0.0.7"));
}

TEST(BootTcpWindow, EditingTheAddressAfterAPingAsksForANewPing)
{
    // Found at 192.168.2.205; a 6 typed at the end makes it 192.168.2.2056.
    TempProgramFolder folder(29);
    MessageRecorder messages;
    WindowFixture f;
    f.Ping();
    ASSERT_TRUE(f.w.Esegui_Ping);
    f.w.activateWindow();
    testsupport::UserScript user;
    user.Click(testsupport::At(f.Edit(4))).Key(Qt::Key_End).Type(QStringLiteral("6"));
    user.Click(testsupport::At(f.Get<QWidget>("Btn_Next"))).Wait(100);
    ASSERT_TRUE(user.Run());
    EXPECT_EQ(f.Edit(4)->text(), QStringLiteral("2056"));
    EXPECT_FALSE(f.w.Esegui_Ping);
    EXPECT_TRUE(f.Get<QLabel>("LPing")->text().isEmpty());
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Device not found in network")});
    EXPECT_FALSE(f.OnOptionsPage());
}

TEST(BootTcpWindow, InputDuringAPingIsRefusedNotReplayed)
{
    // Two quick clicks on Ping, Escape, Cancel and the close box while the
    // echoes run: one ping, the window stays open, and nothing happens after.
    TempProgramFolder folder(29);
    WindowFixture f({Silent(), Answer(), Answer()});
    f.echo.Hold();
    f.w.activateWindow();
    testsupport::UserScript user;
    user.DoubleClick(testsupport::At(f.Get<QWidget>("Btn_Ping"))).Wait(20);
    user.Do([&] {
        EXPECT_TRUE(f.w.Busy());
        for (const char* name : {"Btn_Ping", "Btn_Next", "Btn_Cancel", "E_IP1", "E_IP4"})
            EXPECT_FALSE(f.Get<QWidget>(name)->isEnabled()) << name;
    });
    user.Key(Qt::Key_Escape).Click(testsupport::At(f.Get<QWidget>("Btn_Cancel")));
    user.CloseBox(testsupport::At(&f.w)).Type(QStringLiteral("9")).Wait(50);
    user.Do([&] {
        EXPECT_TRUE(f.w.Busy());
        f.echo.Release();
    });
    ASSERT_TRUE(user.Run());
    f.WaitUntilIdle();
    EXPECT_EQ(f.echo.Calls(), 3);
    EXPECT_TRUE(f.w.Esegui_Ping);
    EXPECT_EQ(f.Get<QLabel>("LPing")->text(), QStringLiteral("Device Found!"));
    EXPECT_EQ(f.Octets(), QStringLiteral("192.168.2.205"));
    // Nothing kept for after the ping.
    testsupport::UserScript after;
    after.Wait(200);
    ASSERT_TRUE(after.Run());
    EXPECT_TRUE(f.w.isVisible());
    EXPECT_FALSE(f.w.Busy());
    EXPECT_EQ(f.echo.Calls(), 3);
    for (const char* name : {"Btn_Ping", "Btn_Next", "Btn_Cancel", "E_IP1"})
        EXPECT_TRUE(f.Get<QWidget>(name)->isEnabled()) << name;
}

TEST(BootTcpWindow, ADoubleClickOnNextDoesNotRunTheUpdater)
{
    // The second press lands on Update, which the first click put under the mouse.
    TempProgramFolder folder(6);
    folder.OpenProject();
    const QString program = QStringLiteral("Ethernet_Update.exe");
    WriteStandIn(folder, program, StandInKind::Record);
    MessageRecorder messages;
    WindowFixture f;
    f.w.activateWindow();
    QWidget* next = f.Get<QWidget>("Btn_Next");
    QWidget* update = f.Get<QWidget>("Btn_Update");
    ASSERT_TRUE(update->geometry().contains(next->geometry().center()));
    testsupport::UserScript user;
    user.Click(testsupport::At(f.Get<QWidget>("Btn_Ping"))).Wait(100).DoubleClick(testsupport::At(next)).Wait(300);
    ASSERT_TRUE(user.Run());
    EXPECT_TRUE(f.OnOptionsPage());
    EXPECT_EQ(StandInRuns(folder, program), 0);
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join(" | ").toStdString();
}

TEST(BootTcpWindow, OneClickOneUpdaterRunAndNoInputReplayedAfterIt)
{
    // The stand-in updater logs its runs and runs until released. A double
    // click on Update, Escape, the close box and Space while it runs: one
    // run, and the window is still open after it.
    TempProgramFolder folder(6);
    folder.OpenProject();
    const QString program = QStringLiteral("Ethernet_Update.exe");
    WriteStandIn(folder, program, StandInKind::Held);
    MessageRecorder messages;
    WindowFixture f;
    f.Ping();
    f.Next();
    ASSERT_TRUE(f.OnOptionsPage());
    f.w.activateWindow();
    testsupport::UserScript user;
    user.DoubleClick(testsupport::At(f.Get<QWidget>("Btn_Update"))).Wait(20);
    user.Do([&] {
        EXPECT_TRUE(f.w.Busy());
        EXPECT_FALSE(f.Get<QWidget>("Btn_Update")->isEnabled());
        EXPECT_FALSE(f.Get<QWidget>("CB_Firmware")->isEnabled());
    });
    user.Key(Qt::Key_Escape).CloseBox(testsupport::At(&f.w)).Key(Qt::Key_Space).Wait(50);
    user.Do([&] {
        EXPECT_TRUE(f.w.Busy());
        ReleaseStandIn(folder, program);
    });
    ASSERT_TRUE(user.Run());
    f.WaitUntilIdle();
    testsupport::UserScript after;
    after.Wait(200);
    ASSERT_TRUE(after.Run());
    EXPECT_EQ(StandInRuns(folder, program), 1);
    EXPECT_TRUE(f.w.isVisible());
    EXPECT_TRUE(f.OnOptionsPage());
    EXPECT_TRUE(f.Get<QWidget>("Btn_Update")->isEnabled());
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join(" | ").toStdString();
}

TEST(BootTcpWindow, CancelClosesTheWindow)
{
    TempProgramFolder folder(29);
    WindowFixture f;
    Click(f.Get<QWidget>("Btn_Cancel"));
    EXPECT_FALSE(f.w.isVisible());
    EXPECT_EQ(f.w.result(), 2);
}

// One run through the window: the stand-in under the updater's name receives
// exactly these arguments, or finds exactly this parameter file.
struct UpdateCase
{
    const char* name;
    int type;
    const char* program;
    UpdateOptions options;
    const char* parGen;   // nullptr: no ParGen.xml
    std::function<QStringList()> arguments;   // command-line types
    std::function<ExpectedFile()> file;       // parameter-file types
};

std::vector<UpdateCase> UpdateCases()
{
    const QString addr = QStringLiteral("192.168.2.205");
    const char* const a = "0x81, 0xDA, 0x127";
    const char* const b = "0x19B, 0x288";
    const char* const nb = "0x00, 0x00, 0x00, 0x01";
    return {
        {"type 0, everything: bank folder", 0, "TCP_52280_Update.exe", Opts(true, true, true, true), nullptr,
         [=] {
             return QStringList{addr, "2007", "FW", "FR", "PW", "PR", Master("sim52280.sim"), ProjectPath + "/bin"};
         },
         nullptr},
        {"type 1, nothing: bank file", 1, "TCP_52300_Update.exe", Opts(false, false, false, false), nullptr,
         [=] {
             return QStringList{addr, "2007", "NO", "NO", "NO", "NO", Master("sim52300.sim"),
                                ProjectPath + "/bin/bank.bin"};
         },
         nullptr},
        {"type 6, firmware and configuration", 6, "Ethernet_Update.exe", Opts(true, false, true, false), nullptr,
         nullptr,
         [] {
             ExpectedFile e = Header("QS52320", "5000", "0x78000", {"0x7A"});
             e.operations = {StdFirmware("Sim52320.sim", false, "0"), StdBank("bank1.bin", "0x68000", false, "0"),
                             StdBank("bank2.bin", "0x58000", false, "1")};
             return e;
         }},
        {"type 6, nothing chosen", 6, "Ethernet_Update.exe", Opts(false, false, false, false), nullptr, nullptr,
         [] { return Header("QS52320", "5000", "0x78000", {"0x7A"}); }},
        {"type 9, configuration only", 9, "Ethernet_Update.exe", Opts(false, false, true, true), nullptr, nullptr,
         [] {
             ExpectedFile e = Header("QS52230", "10000", "0x78000", {"0x80"});
             e.operations = {StdBank("bank.bin", "0x68000", true, "1")};
             return e;
         }},
        {"type 10, everything: five operations", 10, "Ethernet_Update.exe", Opts(true, true, true, true), nullptr,
         nullptr,
         [=] {
             ExpectedFile e = Header("QS52020", "10000", "0x78000", {"0x81", "0xDA", "0x19B"});
             e.operations = {TwoHwFirmware(a, "Sim52020.sim", "0x78200", true, "0"),
                             TwoHwFirmware(b, "Sim52020_B244.sim", "0x78300", true, "0"),
                             TwoHwBank(a, "bank.bin", "0x50000", true, "1"),
                             TwoHwBank(b, "bank1.bin", "0x68000", true, "0"),
                             TwoHwBank(b, "bank2.bin", "0x50800", true, "1")};
             return e;
         }},
        {"type 21, everything: six operations", 21, "Ethernet_Update.exe", Opts(true, true, true, true), nullptr,
         nullptr,
         [=] {
             ExpectedFile e = Header("QS52050", "10000", "0x78000", {"0x127", "0x288"});
             e.operations = {TwoHwFirmware(a, "Sim52050.sim", "0x78200", true, "0"),
                             TwoHwFirmware(b, "Sim52050_B244.sim", "0x78300", true, "0"),
                             TwoHwBank(a, "bank.bin", "0x50000", true, "1"),
                             TwoHwBank(b, "bank1.bin", "0x68000", true, "0"),
                             TwoHwBank(b, "bank2.bin", "0x50800", true, "0"),
                             TwoHwBank("0x288", "bank3.bin", "0x80000", true, "1")};
             return e;
         }},
        {"type 29, firmware only", 29, "Ethernet_Update.exe", Opts(true, false, false, false), nullptr, nullptr,
         [=] {
             ExpectedFile e = Header("QS527-K103", "5000", "0x07800", {"0x28A"});
             e.operations = {Op(QString(), Master("Sim527-K103.sim"), "0x8000", true, false, "0x07A00", "0x02",
                                "0x07810", "0x02", nb, "1")};
             return e;
         }},
        {"type 29, everything", 29, "Ethernet_Update.exe", Opts(true, true, true, true), nullptr, nullptr,
         [=] {
             ExpectedFile e = Header("QS527-K103", "5000", "0x07800", {"0x28A"});
             e.operations = {Op(QString(), Master("Sim527-K103.sim"), "0x8000", true, true, "0x07A00", "0x02",
                                "0x07810", "0x02", nb, "0"),
                             Op(QString(), Bank("bank1.bin"), "0x07000", false, true, "0x07A00", "0x02", "0x07810",
                                "0x02", nb, "0"),
                             Op(QString(), Bank("bank2.bin"), "0x68800", false, true, "0x07A00", "0x02", "0x07810",
                                "0x02", nb, "1")};
             return e;
         }},
        {"type 18, fixed map", 18, "Ethernet_Update.exe", Opts(true, false, true, false),
         "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", nullptr,
         [] {
             ExpectedFile e = Header("QS52060", "10000", "0x78000", {"0xFF"});
             e.operations = {StdFirmware("Sim52060_FixMap.sim", false, "0"),
                             StdBank("bank.bin", "0x62000", false, "1")};
             return e;
         }},
        {"type 1018: its own updater, dynamic map", 1018, "Ethernet_Update_BH.exe", Opts(true, false, false, false),
         "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", nullptr,
         [] {
             ExpectedFile e = Header("QS52060", "10000", "0x78000", {"0xFF"});
             e.title = QStringLiteral("Brenhart - TKL-VRN Desktop Ethernet Update");
             e.operations = {StdFirmware("Sim52060.sim", false, "1")};
             return e;
         }},
    };
}

TEST(BootTcpWindow, UpdateHandsTheUpdaterExactlyWhatItNeeds)
{
    for (const UpdateCase& c : UpdateCases()) {
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        if (c.parGen)
            folder.Write(QStringLiteral("PROJECTS/P/ParGen.xml"), c.parGen);
        for (const char* image : {"sim52280.sim", "Sim52320.sim", "Sim52020.sim", "Sim52020_B244.sim"})
            folder.Write(QStringLiteral("MASTER/") + QString::fromLatin1(image), "image");
        const QString program = QString::fromLatin1(c.program);
        WriteStandIn(folder, program, StandInKind::Record);
        MessageRecorder messages;
        WindowFixture f;
        f.RunUpdate(c.options);
        EXPECT_TRUE(messages.Empty()) << c.name << ": " << messages.Texts().join(" | ").toStdString();
        ASSERT_EQ(StandInRuns(folder, program), 1) << c.name;
        if (c.arguments) {
            EXPECT_EQ(StandInArguments(folder, program), c.arguments()) << c.name;
            EXPECT_TRUE(folder.Read(program + QStringLiteral(".xml")).isEmpty()) << c.name;
        } else {
            EXPECT_TRUE(StandInArguments(folder, program).isEmpty()) << c.name;
            EXPECT_EQ(FirstDifference(FlatParameterFile(folder.Read(program + QStringLiteral(".xml"))),
                                      c.file().Flat()),
                      "")
                << c.name;
        }
        EXPECT_TRUE(f.OnOptionsPage()) << c.name;
    }
}

TEST(BootTcpWindow, AddressTextCannotInjectArguments)
{
    TempProgramFolder folder(0);
    folder.OpenProject();
    WriteStandIn(folder, QStringLiteral("TCP_52280_Update.exe"), StandInKind::Record);
    MessageRecorder messages;
    WindowFixture f;
    f.SetAddress(QStringLiteral("10.0.0.1 --erase"));
    f.Ping();
    EXPECT_EQ(f.echo.Calls(), 0);
    f.Next();
    EXPECT_FALSE(f.OnOptionsPage());
    // Blanks around an octet are not part of it.
    f.SetAddress(QStringLiteral("10.0.0. 1 "));
    f.RunUpdate(Opts(true, false, false, false));
    const QStringList args = StandInArguments(folder, QStringLiteral("TCP_52280_Update.exe"));
    ASSERT_EQ(args.size(), 8);
    EXPECT_EQ(args[0], QStringLiteral("10.0.0.1"));
}

TEST(BootTcpWindow, UpdaterFailuresAreReported)
{
    {
        TempProgramFolder folder(6);
        folder.OpenProject();
        MessageRecorder messages;
        WindowFixture f;
        f.RunUpdate(UpdateOptions());
        ASSERT_EQ(messages.Boxes().size(), 1);
        EXPECT_EQ(messages.Boxes()[0].first, MsgKind::Error);
        EXPECT_TRUE(messages.Texts()[0].contains(QStringLiteral("could not be started"))) << "missing";
        EXPECT_TRUE(messages.Texts()[0].contains(ExeDir + QStringLiteral("/Ethernet_Update.exe")));
    }
    {
        TempProgramFolder folder(1);
        folder.OpenProject();
        WriteStandIn(folder, QStringLiteral("TCP_52300_Update.exe"), StandInKind::Fail);
        MessageRecorder messages;
        WindowFixture f;
        f.RunUpdate(UpdateOptions());
        EXPECT_EQ(StandInRuns(folder, QStringLiteral("TCP_52300_Update.exe")), 1);
        ASSERT_EQ(messages.Boxes().size(), 1);
        EXPECT_EQ(messages.Boxes()[0].first, MsgKind::Error);
        EXPECT_TRUE(messages.Texts()[0].contains(QStringLiteral("exit code 3"))) << "failing";
        EXPECT_EQ(f.w.RunningUpdater(), 0);
    }
}

TEST(BootTcpWindow, UpdaterOutlivingTheLimitIsReportedAndBlocksASecondUpdate)
{
    TempProgramFolder folder(6);
    folder.OpenProject();
    const QString program = QStringLiteral("Ethernet_Update.exe");
    WriteStandIn(folder, program, StandInKind::Hang);
    MessageRecorder messages;
    WindowFixture f;
    f.w.SetUpdaterLimitMs(300);
    QElapsedTimer timer;
    timer.start();
    f.RunUpdate(UpdateOptions());
    EXPECT_LT(timer.elapsed(), 5000);
    const qint64 pid = f.w.RunningUpdater();
    ASSERT_GT(pid, 0);
    struct EndStandIn
    {
        qint64 pid;
        ~EndStandIn()
        {
            if (platform::IsProgramRunning(pid))
                ::kill(pid_t(pid), SIGTERM);
        }
    } endStandIn{pid};
    ASSERT_TRUE(platform::IsProgramRunning(pid));
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(QStringLiteral("still running after 0.3 s")))
        << messages.Texts()[0].toStdString();

    f.Update();
    EXPECT_EQ(messages.Boxes().size(), 2);
    EXPECT_TRUE(messages.Texts()[1].contains(QStringLiteral("still running")));
    // On a busy machine the stand-in may log its run only after the limit.
    timer.restart();
    while (StandInRuns(folder, program) < 1 && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(StandInRuns(folder, program), 1);

    // Once it has ended, Update runs the updater again.
    ::kill(pid_t(pid), SIGTERM);
    timer.restart();
    while (platform::IsProgramRunning(pid) && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_FALSE(platform::IsProgramRunning(pid));
    WriteStandIn(folder, program, StandInKind::Record);
    f.w.SetUpdaterLimitMs(15000);   // this run ends by itself, however slowly
    f.Update();
    EXPECT_EQ(messages.Boxes().size(), 2) << messages.Texts().join(" | ").toStdString();
    EXPECT_EQ(StandInRuns(folder, program), 2);
    EXPECT_EQ(f.w.RunningUpdater(), 0);
}

TEST(BootTcpWindow, UnreadableParGenStopsTheUpdate)
{
    TempProgramFolder folder(18);
    folder.OpenProject();
    folder.Write(QStringLiteral("PROJECTS/P/ParGen.xml"), "<Par_Gen><SNMP_MapType>1</SNMP_MapType>");
    WriteStandIn(folder, QStringLiteral("Ethernet_Update.exe"), StandInKind::Record);
    MessageRecorder messages;
    WindowFixture f;
    f.RunUpdate(UpdateOptions());
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(QStringLiteral("ParGen.xml"))) << messages.Texts()[0].toStdString();
    EXPECT_EQ(StandInRuns(folder, QStringLiteral("Ethernet_Update.exe")), 0);
    EXPECT_FALSE(QFile::exists(ExeDir + QStringLiteral("/Ethernet_Update.xml")));
}

} // namespace
