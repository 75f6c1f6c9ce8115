// The push button under keys and clicks as a person gives them: presses and
// releases are separate events some time apart, and the window under them
// may change in between.
#include "lb_button.h"
#include "user_input.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>

using testsupport::At;
using testsupport::UserScript;

namespace {

// A window with one button that counts its clicks.
struct Host
{
    explicit Host(QWidget* parent = nullptr)
        : window(parent)
    {
        window.setObjectName(QStringLiteral("Host"));
        window.setGeometry(100, 100, 300, 200);
        button = MakeButton(&window, "Btn", 50, 50, 100, 30, QStringLiteral("Go"));
        QObject::connect(button, &TLbButton::clicked, [this] {
            ++clicks;
            if (onClick)
                onClick();
        });
    }
    void Show()
    {
        window.show();
        window.activateWindow();
        button->setFocus();
    }

    QDialog window;
    TLbButton* button;
    int clicks = 0;
    std::function<void()> onClick;
};

// A modal window over host with a name box that closes it on Enter going
// down (as the new project window does) and an OK button with a modal result.
struct Prompt
{
    explicit Prompt(QWidget* parent)
        : window(parent)
    {
        window.setObjectName(QStringLiteral("Prompt"));
        edit = new QLineEdit(&window);
        edit->setObjectName(QStringLiteral("Edit"));
        edit->setGeometry(10, 10, 150, 22);
        ok = MakeButton(&window, "Ok", 10, 40, 90, 30, QStringLiteral("OK"));
        ok->SetModalResult(mrOk);
        QObject::connect(edit, &QLineEdit::returnPressed, &window, [this] { window.done(mrOk); });
        QObject::connect(ok, &TLbButton::clicked, [this] { ++okClicks; });
    }
    int Show()
    {
        ++shown;
        return window.exec();
    }

    QDialog window;
    QLineEdit* edit;
    TLbButton* ok;
    int shown = 0;
    int okClicks = 0;
};

TEST(LbButtonInput, KeysAndClicksOperateTheButtonOnce)
{
    Host host;
    host.Show();
    UserScript user;
    user.Key(Qt::Key_Space).Key(Qt::Key_Return).Key(Qt::Key_Enter).Click(At(host.button));
    // A key held long enough to repeat still clicks once, on its release.
    user.KeyDown(Qt::Key_Return).Wait(120).Do([&] {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(host.button, &repeat);
        EXPECT_EQ(host.clicks, 4);
        EXPECT_TRUE(host.button->IsDown());
    });
    user.Wait(60).KeyUp(Qt::Key_Return);
    ASSERT_TRUE(user.Run());
    EXPECT_EQ(host.clicks, 5);
    EXPECT_FALSE(host.button->IsDown());
}

TEST(LbButtonInput, AReleaseWhosePressWentToAClosedWindowClicksNothing)
{
    Host host;
    Prompt prompt(&host.window);
    host.onClick = [&] { prompt.Show(); };
    host.Show();
    // The button opens the prompt by keyboard; Enter going down in the name
    // box closes the prompt, and its release reaches the button beneath.
    UserScript user;
    user.Key(Qt::Key_Space).Wait(100).Type(QStringLiteral("ab")).KeyDown(Qt::Key_Return).Wait(90);
    user.Do([&] { EXPECT_FALSE(prompt.window.isVisible()); });
    user.KeyUp(Qt::Key_Return).Wait(150);
    ASSERT_TRUE(user.Run());
    EXPECT_EQ(QApplication::focusWidget(), host.button);
    EXPECT_EQ(prompt.shown, 1);
    EXPECT_EQ(host.clicks, 1);
    EXPECT_EQ(prompt.edit->text(), QStringLiteral("ab"));

    // The same with the mouse opening the prompt.
    UserScript mouse;
    mouse.Click(At(host.button)).Wait(100).Type(QStringLiteral("c")).Key(Qt::Key_Return).Wait(150);
    ASSERT_TRUE(mouse.Run());
    EXPECT_EQ(prompt.shown, 2);
    EXPECT_EQ(host.clicks, 2);
}

TEST(LbButtonInput, TheSecondPressOfADoubleClickClicksOnlyTheButtonOfTheFirst)
{
    // A button that stays where it is: a double click is two clicks.
    {
        Host host;
        host.Show();
        UserScript user;
        user.DoubleClick(At(host.button));
        ASSERT_TRUE(user.Run());
        EXPECT_EQ(host.clicks, 2);
    }
    // The first click swaps in another button at the same place.
    {
        Host host;
        TLbButton* under = MakeButton(&host.window, "Under", 50, 50, 100, 30, QStringLiteral("Next step"));
        under->hide();
        int underClicks = 0;
        QObject::connect(under, &TLbButton::clicked, [&] { ++underClicks; });
        host.onClick = [&] {
            host.button->hide();
            under->show();
        };
        host.Show();
        UserScript user;
        user.DoubleClick(At(host.button));
        ASSERT_TRUE(user.Run());
        EXPECT_EQ(host.clicks, 1);
        EXPECT_EQ(underClicks, 0);
        // Clicked on its own, the new button works.
        UserScript again;
        again.Wait(500).Click(At(under));
        ASSERT_TRUE(again.Run());
        EXPECT_EQ(underClicks, 1);
    }
    // The first click closes a window whose OK lies over another button.
    {
        Host host;
        host.Show();
        Prompt prompt(&host.window);
        UserScript user;
        user.Do([&] { prompt.Show(); });   // the steps after it run while the prompt is open
        user.Wait(100).Do([&] {
            const QPoint delta = host.button->mapToGlobal(host.button->rect().center())
                                 - prompt.ok->mapToGlobal(prompt.ok->rect().center());
            prompt.window.move(prompt.window.pos() + delta);
        });
        user.DoubleClick(At(prompt.ok)).Wait(150);
        ASSERT_TRUE(user.Run());
        EXPECT_EQ(prompt.okClicks, 1);
        EXPECT_EQ(prompt.window.result(), int(mrOk));
        EXPECT_EQ(host.clicks, 0);
    }
}

TEST(LbButtonInput, TheHotColourClearsWhenTheWindowHides)
{
    // OK under the mouse, the window closes by keyboard, the mouse moves
    // elsewhere, and the window is shown again.
    Host host;
    host.button->SetModalResult(mrOk);
    host.Show();
    const QColor face(248, 247, 237);
    UserScript user;
    user.MoveTo(At(host.button)).Wait(50).Do([&] {
        EXPECT_TRUE(host.button->IsHot());
        EXPECT_EQ(host.button->grab().toImage().pixelColor(50, 5), QColor(255, 255, 0));
    });
    user.Key(Qt::Key_Escape).Wait(50).Do([&] { EXPECT_FALSE(host.window.isVisible()); });
    user.MoveTo(At(host.button), QPoint(-200, -80)).Wait(50).Do([&] { host.Show(); }).Wait(50);
    ASSERT_TRUE(user.Run());
    EXPECT_FALSE(host.button->IsHot());
    EXPECT_EQ(host.button->HotTrackStep(), 0);
    EXPECT_EQ(host.button->grab().toImage().pixelColor(50, 5), face);
}

} // namespace
