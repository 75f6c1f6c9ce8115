// The shell's windows under keys and clicks as a person gives them, with the
// real message boxes: presses and releases are separate events with time
// between, so a key that closes a window on its way down is released over
// the window beneath.
#include "shell_fixture.h"
#include "boot_tcp_window.h"
#include "new_project_window.h"
#include "open_conf_window.h"
#include "par_gen_window.h"
#include "user_input.h"

#include <QCheckBox>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>

#include <gtest/gtest.h>

using testsupport::At;
using testsupport::Named;
using testsupport::OpenMessageBoxText;
using testsupport::RealMessageBoxes;
using testsupport::UserScript;

namespace {

QStringList VisibleWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            names.append(w->objectName());
    return names;
}

QString FocusName()
{
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<none>");
}

class ShellInputTest : public ShellTest
{
protected:
    // The program for a type with project P open.
    void StartWithProject(int type = 29)
    {
        Prepare(type);
        Folder().Write("Orvano.xml", SettingsFile("P"));
        Folder().Write("PROJECTS/P/bin/.keep", "");
        Start(type);
        ASSERT_EQ(ProjectName, QStringLiteral("P"));
        Main().activateWindow();
    }
};

TEST_F(ShellInputTest, NewNameAndEnterLeaveOnlyTheMainWindowWithTheProjectOpen)
{
    // New by the mouse, and by Enter and by Space on the focused button.
    const struct
    {
        const char* name;
        const char* project;
        int key;   // 0: the mouse
    } cases[] = {{"mouse", "Alpha", 0}, {"Enter", "Beta", Qt::Key_Return}, {"Space", "Gamma", Qt::Key_Space}};
    Start(29);
    Main().activateWindow();
    RealMessageBoxes real;
    for (const auto& c : cases) {
        UserScript user;
        if (c.key == 0) {
            user.Click(At(Btn("Btn_New")));
        } else {
            user.Do([&] { Btn("Btn_New")->setFocus(); });
            user.Key(c.key);
        }
        user.Wait(100).Do([&] { EXPECT_TRUE(FNew_Project->isVisible()) << c.name; });
        user.Type(QString::fromLatin1(c.project)).Key(Qt::Key_Return, 100).Wait(300);
        EXPECT_TRUE(user.Run(8000)) << c.name;
        EXPECT_EQ(VisibleWindows(), QStringList{QStringLiteral("FOrvanoeFirmWare")}) << c.name;
        EXPECT_EQ(ProjectName, QString::fromLatin1(c.project)) << c.name;
        EXPECT_EQ(LabelText(&Main(), "L_Name_Conf_L2"), QString::fromLatin1(c.project)) << c.name;
        EXPECT_TRUE(QFileInfo(ProjectPath + QStringLiteral("/bin")).isDir()) << c.name;
    }
}

TEST_F(ShellInputTest, AnErrorBoxAnsweredWithEnterStaysClosed)
{
    StartWithProject();
    RealMessageBoxes real;
    QStringList boxes;
    UserScript user;
    user.Click(At(Btn("Btn_Prm_Gen"))).Wait(100);
    user.Click(Named("E_IP1")).Key(Qt::Key_A, 80, Qt::ControlModifier).Type(QStringLiteral("300"));
    user.Click(Named("Btn_OK")).Wait(100);
    user.Do([&] { boxes.append(OpenMessageBoxText()); });
    user.Key(Qt::Key_Return, 120).Wait(300);
    user.Do([&] {
        boxes.append(OpenMessageBoxText());
        EXPECT_TRUE(FParGen->isVisible());
        testsupport::CloseModalWindows();
    });
    ASSERT_TRUE(user.Run());
    EXPECT_EQ(boxes, (QStringList{Lang(152), QString()}));
    EXPECT_EQ(VisibleWindows(), QStringList{QStringLiteral("FOrvanoeFirmWare")});
}

TEST_F(ShellInputTest, LeavingSetCommunicationWithEnterDoesNotOpenItAgain)
{
    StartWithProject();
    RealMessageBoxes real;
    int shown = 0;
    QStringList boxes;
    UserScript user;
    user.Click(At(Btn("Btn_Prm_Gen"))).Wait(100).Do([&] { shown += FParGen->isVisible(); });
    user.Click(Named("E_IP4")).Type(QStringLiteral("7"));
    user.Click(Named("Btn_Cancel")).Wait(100);
    user.Do([&] { boxes.append(OpenMessageBoxText()); });
    user.Key(Qt::Key_Return, 120).Wait(300);
    user.Do([&] {
        boxes.append(OpenMessageBoxText());
        EXPECT_FALSE(FParGen->isVisible());
        testsupport::CloseModalWindows();
    });
    ASSERT_TRUE(user.Run());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(boxes, (QStringList{Lang(187), QString()}));
    EXPECT_EQ(VisibleWindows(), QStringList{QStringLiteral("FOrvanoeFirmWare")});
}

TEST_F(ShellInputTest, UpdateDeviceOnAProjectWhoseFolderHasGoneWritesNothing)
{
    StartWithProject();
    RealMessageBoxes real;
    const QString project = ProjectPath;
    ASSERT_TRUE(QDir(project).removeRecursively());
    QStringList boxes;
    bool updateWindowShown = false;
    UserScript user;
    user.Click(At(Btn("Btn_CreateBin"))).Wait(100).Do([&] {
        boxes.append(OpenMessageBoxText());
        updateWindowShown |= FBootTCP->isVisible();
    });
    user.Key(Qt::Key_Return).Wait(200).Do([&] {
        updateWindowShown |= FBootTCP->isVisible();
        testsupport::CloseModalWindows();
    });
    ASSERT_TRUE(user.Run());
    EXPECT_EQ(boxes, QStringList{Lang(1104) + QLatin1Char('\n') + QDir::toNativeSeparators(project)});
    EXPECT_FALSE(updateWindowShown);
    EXPECT_FALSE(QFileInfo::exists(project));
    EXPECT_EQ(VisibleWindows(), QStringList{QStringLiteral("FOrvanoeFirmWare")});

    // A missing bin folder alone is made again, and the update window opens.
    ASSERT_TRUE(QDir().mkpath(project));
    UserScript again;
    again.Click(At(Btn("Btn_CreateBin"))).Wait(150).Do([&] {
        updateWindowShown = FBootTCP->isVisible();
        testsupport::CloseModalWindows();
    });
    ASSERT_TRUE(again.Run());
    EXPECT_TRUE(updateWindowShown);
    EXPECT_TRUE(QFileInfo(project + QStringLiteral("/bin/bank1.bin")).isFile());
}

TEST_F(ShellInputTest, OpenConfigurationOpensAProjectOnDoubleClickOrEnter)
{
    Prepare(29);
    for (const char* name : {"Alpha", "Beta", "Gamma"})
        Folder().Write(QStringLiteral("PROJECTS/%1/bin/.keep").arg(QLatin1String(name)), "");
    Start(29);
    Main().activateWindow();
    const testsupport::Spot beta = [] {
        QListWidget* list = FOpenConf->ListBox1;
        const QRect rect = list->visualItemRect(list->findItems(QStringLiteral("Beta"), Qt::MatchExactly).value(0));
        return list->viewport()->mapToGlobal(rect.center());
    };
    UserScript user;
    user.Click(At(Btn("Btn_Open"))).Wait(150).DoubleClick(beta).Wait(200);
    ASSERT_TRUE(user.Run());
    EXPECT_EQ(VisibleWindows(), QStringList{QStringLiteral("FOrvanoeFirmWare")});
    EXPECT_EQ(ProjectName, QStringLiteral("Beta"));
    EXPECT_EQ(LabelText(&Main(), "L_Name_Conf_L2"), QStringLiteral("Beta"));

    // Enter on the project chosen with the arrow keys (Beta is preselected).
    UserScript keys;
    keys.Click(At(Btn("Btn_Open"))).Wait(150).Key(Qt::Key_Down).Key(Qt::Key_Return).Wait(200);
    ASSERT_TRUE(keys.Run());
    EXPECT_EQ(VisibleWindows(), QStringList{QStringLiteral("FOrvanoeFirmWare")});
    EXPECT_EQ(ProjectName, QStringLiteral("Gamma"));
}

TEST_F(ShellInputTest, TabFollowsTheScreen)
{
    // The main window: the steps row by row, left to right, then the glyph buttons.
    StartWithProject();
    QStringList mainOrder;
    UserScript user;
    user.Do([&] { mainOrder.append(FocusName()); });
    for (int i = 0; i < 9; ++i)
        user.Key(Qt::Key_Tab, 30).Do([&] { mainOrder.append(FocusName()); });
    ASSERT_TRUE(user.Run());
    EXPECT_EQ(mainOrder, (QStringList{"Btn_New", "Btn_Open", "Btn_Prm_Gen", "Btn_DMX_Default", "Btn_PROFINET_XML",
                                      "Btn_CreateBin", "Btn_Info", "Btn_Opz", "Btn_Close", "Btn_New"}));

    // Set Communication: the first field has the focus, not a collapse
    // button; the address octets, the mask, the gateway check box (ticked
    // with Space) and the gateway octets; backwards from the first field come
    // Cancel, OK and the last box's collapse button.
    QStringList order;
    QStringList backwards;
    UserScript comm;
    comm.Click(At(Btn("Btn_Prm_Gen"))).Wait(150).Do([&] { order.append(FocusName()); });
    for (int i = 0; i < 12; ++i) {
        comm.Key(Qt::Key_Tab, 30).Do([&] { order.append(FocusName()); });
        if (i == 7)
            comm.Key(Qt::Key_Space, 30);
    }
    comm.Click(Named("E_IP1"));
    for (int i = 0; i < 3; ++i)
        comm.Key(Qt::Key_Backtab, 30, Qt::ShiftModifier).Do([&] { backwards.append(FocusName()); });
    comm.Do([] { testsupport::CloseModalWindows(); });
    ASSERT_TRUE(comm.Run());
    EXPECT_EQ(order, (QStringList{"E_IP1", "E_IP2", "E_IP3", "E_IP4", "E_SM1", "E_SM2", "E_SM3", "E_SM4", "CB_EN_GAT",
                                  "E_GAT1", "E_GAT2", "E_GAT3", "E_GAT4"}));
    EXPECT_EQ(backwards, (QStringList{"Btn_Cancel", "Btn_OK", "Btn_DMX_Collapse"}));
}

TEST_F(ShellInputTest, AWindowTallerThanTheScreenScrollsToItsButtons)
{
    // Set Communication of type 8 is 934 px high.
    StartWithProject(8);
    const int room = Main().screen()->availableGeometry().height();
    if (room >= 1000)
        GTEST_SKIP() << "the screen is taller than the window";
    RealMessageBoxes real;
    bool fits = false;
    bool okHiddenAtFirst = false;
    bool okSeenWhenFocused = false;
    UserScript user;
    user.Click(At(Btn("Btn_Prm_Gen"))).Wait(150).Do([&] {
        ASSERT_TRUE(FParGen->isVisible());
        EXPECT_EQ(FParGen->ClientSize().height(), 934);
        fits = FParGen->frameGeometry().height() <= room;
        okHiddenAtFirst = FParGen->Control(QStringLiteral("Btn_OK"))->visibleRegion().isEmpty();
    });
    // Backwards from the first field to OK, which scrolls into sight; then a click on it.
    user.Key(Qt::Key_Backtab, 30, Qt::ShiftModifier).Key(Qt::Key_Backtab, 30, Qt::ShiftModifier).Wait(50);
    user.Do([&] {
        QWidget* ok = FParGen->Control(QStringLiteral("Btn_OK"));
        okSeenWhenFocused = ok->hasFocus() && ok->visibleRegion().boundingRect() == ok->rect();
    });
    user.Click(Named("Btn_OK")).Wait(200);
    ASSERT_TRUE(user.Run());
    EXPECT_TRUE(fits);
    EXPECT_TRUE(okHiddenAtFirst);
    EXPECT_TRUE(okSeenWhenFocused);
    EXPECT_EQ(VisibleWindows(), QStringList{QStringLiteral("FOrvanoeFirmWare")});
    EXPECT_FALSE(QDir(ProjectPath).entryList({QStringLiteral("*.xml")}, QDir::Files).isEmpty());
}

} // namespace
