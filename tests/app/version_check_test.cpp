#include "http_peer.h"
#include "shell_fixture.h"

#include "soft_options_window.h"
#include "version_check.h"
#include "workspace.h"

#include <QCheckBox>
#include <QLabel>
#include <QNetworkProxy>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

// Points the maker's site at a local peer and catches the links opened.
class VersionCheckTest : public ShellTest
{
protected:
    void SetUp() override
    {
        // Only the local peer is ever asked, whatever the environment's proxy.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        SetMakerSite(peer.Site());
        SetUrlOpener([this](const QUrl& url) { opened.append(url); });
    }
    void TearDown() override
    {
        ShellTest::TearDown();
        SetMakerSite(QUrl());
        SetUrlOpener(nullptr);
    }

    // Starts with internet access and update checks on.
    void StartChecking(int type)
    {
        Prepare(type);
        Folder().Write("Orvano.xml", SettingsFile("", "11"));
        Start(type);
        FSoftOptions->Query()->SetTimeout(500);
    }

    // One tick of the timer, waited for until the timer runs again.
    void Tick()
    {
        Main().Timer_UpdateTimer();
        EXPECT_FALSE(Main().Timer_Update->isActive());
        ASSERT_TRUE(WaitFor([&] { return Main().Timer_Update->isActive(); }));
    }

    HttpPeer peer;
    QList<QUrl> opened;
};

} // namespace

TEST(VersionCheck, ConvVersion)
{
    const struct
    {
        const char* text;
        int value;
    } cases[] = {
        {"VER. 1.107", 1107}, {"1.107", 1107},   {"ver. 1.200", 1200}, {"VER. 0.000", 0},
        {"VER. 2.5", -1},     {"VER.", -1},      {"", -1},             {"VER. 1,234", 1234},
        {"VER.   1.108  ", 1108}, {"VER. 1.10x", -1}, {"<html><body>Not found</body></html>", -1},
        {"x 9.999 trailing", 9999}, {"VER. 9.9999", 9999},
        // Decimal only: what would read as hexadecimal elsewhere is no version here.
        {"VER. $.1AB", -1}, {"VER. 0.x1A", -1}, {"VER. x.FFF", -1}, {"VER. 0.X12", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Conv_Version(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(VersionCheck, NewerVersionAgainstTheBuiltOne)
{
    const struct
    {
        int type;
        const char* answer;
        bool newer;
    } cases[] = {
        {0, "VER. 1.108", true},  {0, "VER. 1.107", false}, {0, "VER. 0.000", false}, {0, "ver. 1.200", true},
        {0, "1.200", true},       {0, "VER. 2.5", false},   {0, "<html>error</html>", false},
        {0, "", false},           {0, "  VER. 1.108\r\n", true}, {4, "VER. 1.803", false},
        {4, "VER. 1.804", true},  {1018, "VER. 1.200", true}, {1018, "VER. 1.606", true},
        {1018, "VER. 1.100", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewerVersion(QString::fromLatin1(c.answer), c.type), c.newer) << c.type << " " << c.answer;
}

TEST(VersionCheck, AddressesOnTheMakersSite)
{
    SetMakerSite(QUrl("http://127.0.0.1:8080"));
    EXPECT_EQ(VersionServiceUrl(0).toString(), "http://127.0.0.1:8080/home/download/GetversionSW.asp?nomesw=QS52280");
    EXPECT_EQ(VersionServiceUrl(25).toString(),
              "http://127.0.0.1:8080/home/download/GetversionSW.asp?nomesw=QS527-K101");
    EXPECT_EQ(VersionServiceUrl(1018).toString(),
              "http://127.0.0.1:8080/home/download/GetversionSW.asp?nomesw=QS52280");
    EXPECT_EQ(DownloadPageUrl(0).toString(), "http://127.0.0.1:8080/Home/download/download.asp#GX52280");
    EXPECT_EQ(DownloadPageUrl(1018).toString(), "http://127.0.0.1:8080/Home/download/download.asp#GX52280");
    EXPECT_EQ(DownloadPageUrl(29).toString(), "http://127.0.0.1:8080/Home/download/download.asp#GX527-K103");
    EXPECT_EQ(HomePageUrl(4).toString(), "http://127.0.0.1:8080/HOME/default.asp?frompg=QS52240");
    EXPECT_TRUE(HomePageUrl(1018).isEmpty());
    SetMakerSite(QUrl());
}

TEST_F(VersionCheckTest, RequestPathPerType)
{
    const struct
    {
        int type;
        const char* path;
    } cases[] = {
        {0, "/home/download/GetversionSW.asp?nomesw=QS52280"},
        {25, "/home/download/GetversionSW.asp?nomesw=QS527-K101"},
        {1018, "/home/download/GetversionSW.asp?nomesw=QS52280"},
    };
    for (const auto& c : cases) {
        const qsizetype before = peer.Requests().size();
        peer.Answer(200, "VER. 0.000");
        StartChecking(c.type);
        Tick();
        ASSERT_EQ(peer.Requests().size(), before + 1);
        EXPECT_EQ(peer.Requests().last(), QStringLiteral("GET %1 HTTP/1.1").arg(QString::fromLatin1(c.path)));
        DestroyProgramWindows();
    }
}

TEST_F(VersionCheckTest, NewerVersionShowsTheDownloadLink)
{
    peer.Answer(200, "VER. 1.108");
    StartChecking(0);
    Tick();
    EXPECT_FALSE(Main().LL_Update->isHidden());
    EXPECT_TRUE(Main().LL_Update->text().contains("New Version Available. Click Here for more Details"));
    EXPECT_TRUE(Main().LL_Update->text().contains(peer.Site().toString() + "/Home/download/download.asp#GX52280"));
    // On one line, beside the glyph buttons and within the window.
    const QLabel* link = Main().LL_Update;
    const QString shown = QStringLiteral("New Version Available. Click Here for more Details");
    EXPECT_GE(link->width(), link->fontMetrics().horizontalAdvance(shown));
    EXPECT_LT(link->height(), 2 * link->fontMetrics().lineSpacing());
    EXPECT_LT(link->geometry().right(), Main().Btn_Info->x());
    EXPECT_GE(link->x(), 0);
    emit Main().LL_Update->linkActivated(DownloadPageUrl(0).toString());
    EXPECT_EQ(opened, QList<QUrl>{DownloadPageUrl(0)});
    EXPECT_EQ(Main().Timer_Update->interval(), 7200000);
    EXPECT_TRUE(messages.Empty());

    // The next answer has nothing newer: the link goes away again.
    peer.Answer(200, "VER. 1.107");
    Tick();
    EXPECT_TRUE(Main().LL_Update->isHidden());
}

TEST_F(VersionCheckTest, FailuresMeanNoNewerVersionAndTheTimerGoesOn)
{
    StartChecking(0);
    const struct
    {
        HttpPeer::Mode mode;
        int status;
    } failures[] = {{HttpPeer::Reply, 500}, {HttpPeer::Reply, 404}, {HttpPeer::Close, 0}, {HttpPeer::Silent, 0}};
    for (const auto& f : failures) {
        // A newer version in the body of an error reply does not count.
        peer.Answer(f.status, "VER. 9.999");
        peer.SetMode(f.mode);
        QElapsedTimer clock;
        clock.start();
        Tick();
        EXPECT_LT(clock.elapsed(), 4000);
        EXPECT_TRUE(Main().LL_Update->isHidden()) << f.mode << " " << f.status;
        EXPECT_TRUE(Main().Timer_Update->isActive());
        EXPECT_EQ(Main().Timer_Update->interval(), 7200000);
    }
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join("|").toStdString();
    EXPECT_GE(peer.Requests().size(), 4);
}

TEST_F(VersionCheckTest, TheQueryDoesNotHoldUpTheProgram)
{
    peer.SetMode(HttpPeer::Silent);
    StartChecking(0);
    QElapsedTimer clock;
    clock.start();
    Main().Timer_UpdateTimer();
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_EQ(FSoftOptions->Query()->Pending(), 1);
    ASSERT_TRUE(WaitFor([&] { return FSoftOptions->Query()->Pending() == 0; }));
    EXPECT_GE(clock.elapsed(), 400);
}

TEST_F(VersionCheckTest, TheTimerNeverRunsWithoutBothOptions)
{
    Prepare(0);
    Folder().Write("Orvano.xml", SettingsFile("", "10"));
    Start(0);
    EXPECT_FALSE(Main().Timer_Update->isActive());
    // A tick that ends after the checks were turned off does not start it again.
    EnableInternet = EnableUpdate = true;
    peer.Answer(200, "VER. 0.000");
    Main().Timer_UpdateTimer();
    EnableUpdate = false;
    ASSERT_TRUE(WaitFor([&] { return FSoftOptions->Query()->Pending() == 0; }));
    EXPECT_FALSE(Main().Timer_Update->isActive());
}

TEST_F(VersionCheckTest, ConfirmingOptionsDoesNotPostponeAPendingCheck)
{
    peer.Answer(200, "VER. 0.000");
    StartChecking(0);
    ASSERT_TRUE(Main().Timer_Update->isActive());
    // A short first wait, so the test need not wait a minute.
    Main().Timer_Update->start(600);
    QElapsedTimer clock;
    clock.start();
    WaitFor([] { return false; }, 300);
    // Options closed with OK and both checks still on: the check stays due.
    RunClosingModals([&] { Btn("Btn_Opz")->Click(); }, mrCancel, [](QDialog*) { FSoftOptions->Btn_OK->Click(); });
    EXPECT_TRUE(Main().Timer_Update->isActive());
    ASSERT_TRUE(WaitFor([&] { return !peer.Requests().isEmpty(); }));
    // Restarted by OK it would have come 600 ms after the OK, at 900 ms or later.
    EXPECT_LT(clock.elapsed(), 850);
}

TEST_F(VersionCheckTest, ManualCheckFromOptions)
{
    StartChecking(0);
    peer.Answer(200, "VER. 1.200");
    QString shown;
    RunClosingModals([&] { Btn("Btn_Opz")->Click(); }, mrCancel, [&](QDialog*) {
        EXPECT_TRUE(FSoftOptions->LL_Check_Update->isHidden());
        FSoftOptions->PC_Options->setCurrentWidget(FSoftOptions->TS_Con_Options);
        FSoftOptions->Btn_Check_Update->Click();
        WaitFor([&] { return !FSoftOptions->LL_Check_Update->isHidden(); });
        shown = FSoftOptions->LL_Check_Update->text();
    });
    EXPECT_TRUE(shown.contains("New Version Available. Click Here for more Details"));
    EXPECT_TRUE(shown.contains("download.asp#GX52280"));

    peer.Answer(500, "");
    RunClosingModals([&] { Btn("Btn_Opz")->Click(); }, mrCancel, [&](QDialog*) {
        // Hidden again on each showing.
        EXPECT_TRUE(FSoftOptions->LL_Check_Update->isHidden());
        FSoftOptions->PC_Options->setCurrentWidget(FSoftOptions->TS_Con_Options);
        FSoftOptions->Btn_Check_Update->Click();
        WaitFor([&] { return !FSoftOptions->LL_Check_Update->isHidden(); });
        shown = FSoftOptions->LL_Check_Update->text();
        EXPECT_TRUE(FSoftOptions->Btn_Check_Update->isEnabled());
    });
    EXPECT_EQ(shown, "No Update Available");
    EXPECT_TRUE(messages.Empty());
}

TEST_F(VersionCheckTest, MakerLinks)
{
    Start(29);
    Main().L_KeltronaClick();
    SendMouse(Main().L_Keltrona, QEvent::MouseButtonRelease, QPoint(2, 2));
    EXPECT_EQ(opened, (QList<QUrl>{HomePageUrl(29), HomePageUrl(29)}));
    EXPECT_EQ(opened.value(0).toString(), peer.Site().toString() + "/HOME/default.asp?frompg=QS527-K103");
    DestroyProgramWindows();

    opened.clear();
    Prepare(1018);
    Start(1018);
    Main().L_KeltronaClick();
    EXPECT_TRUE(opened.isEmpty());
}
