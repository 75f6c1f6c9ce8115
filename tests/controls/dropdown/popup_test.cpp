#include "controls/dropdown/bars.h"
#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/ex_custom_dropdown.h"
#include "dropdown_fixture.h"
#include "fake_tick_clock.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

struct PopupFixture : ::testing::Test
{
    PopupFixture()
    {
        edit = new TExCustomDropDown(&w.window);
        edit->setGeometry(20, 30, 150, 21);
        content = new QLineEdit;
        content->resize(150, 40);
        edit->SetControl(content);
        edit->SetClock(&clock);
        edit->OnDropUp = [this](TExCustomDropDown*, bool c) { cancelled = c; };
        w.Show(edit);
    }
    DropDownWindow w;
    TExCustomDropDown* edit;
    QLineEdit* content;
    FakeTickClock clock{5000};
    int cancelled = -1;
};

TEST_F(PopupFixture, SizeAndPlace)
{
    edit->ShowDropDown();
    TDropDownForm* popup = edit->DropDownForm();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->size(), QSize(150, 86));  // 2·1 + 22 + 22 + 40
    // Below the edit, overlapping its bottom line by one pixel.
    const QPoint editTop = edit->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(popup->geometry().topLeft(), editTop + QPoint(0, edit->height() - 1));
    EXPECT_EQ(content->geometry(), QRect(1, 23, 148, 40));
    edit->HideDropDown(false);

    edit->DropDownHeader().SetVisible(false);
    edit->DropDownFooter().SetVisible(false);
    edit->SetDropDownHeight(-1);  // forget the user size
    edit->SetDropDownWidth(-1);
    edit->ShowDropDown();
    EXPECT_EQ(popup->size(), QSize(150, 50));  // 42 raised to the minimum
    edit->HideDropDown(false);
    content->resize(20, 40);
    edit->SetDropDownWidth(5);
    edit->SetDropDownWidth(0);
    edit->ShowDropDown();
    EXPECT_EQ(popup->width(), 80);
}

TEST_F(PopupFixture, AcceptDropFalse)
{
    edit->OnDropDown = [](TExCustomDropDown*, bool& accept) { accept = false; };
    edit->ShowDropDown();
    EXPECT_FALSE(edit->DropDownForm()->isVisible());
    EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(PopupFixture, UserSizeKeptUntilASizeIsAssigned)
{
    edit->ShowDropDown();
    edit->DropDownForm()->resize(260, 140);
    edit->HideDropDown(false);
    edit->ShowDropDown();
    EXPECT_EQ(edit->DropDownForm()->size(), QSize(260, 140));
    edit->HideDropDown(false);
    edit->SetDropDownHeight(120);  // forgets the user's height, not the width
    edit->ShowDropDown();
    EXPECT_EQ(edit->DropDownForm()->size(), QSize(260, 120));
    edit->HideDropDown(false);
    edit->SetDropDownWidth(170);
    edit->ShowDropDown();
    EXPECT_EQ(edit->DropDownForm()->size(), QSize(170, 120));
}

TEST_F(PopupFixture, OutsideClickCancelsAndTheButtonDoesNotReopen)
{
    edit->SetText(QStringLiteral("kept"));
    edit->ShowDropDown();
    edit->SetTextDirect(QStringLiteral("typed"));
    ClickOutside(edit->DropDownForm());
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(edit->Text(), QStringLiteral("kept"));
    EXPECT_EQ(edit->DropDownForm()->DeActivateTime(), 5000u);
    // The click that closed it lands on the button within 250 ms: no reopening.
    clock.Advance(200);
    QTest::mouseClick(edit->Button(), Qt::LeftButton);
    EXPECT_FALSE(edit->DroppedDown());
    clock.Advance(60);
    QTest::mouseClick(edit->Button(), Qt::LeftButton);
    EXPECT_TRUE(edit->DroppedDown());
    // The button opens on release, not on press.
    edit->HideDropDown(false);
    clock.Advance(1000);
    QTest::mousePress(edit->Button(), Qt::LeftButton);
    EXPECT_FALSE(edit->DroppedDown());
    QTest::mouseRelease(edit->Button(), Qt::LeftButton);
    EXPECT_TRUE(edit->DroppedDown());
}

TEST_F(PopupFixture, OutsideClickKeepsWhenNotCancelling)
{
    edit->SetText(QStringLiteral("kept"));
    edit->ShowDropDown();
    edit->DropDownForm()->CancelOnDeActivate = false;
    edit->SetTextDirect(QStringLiteral("typed"));
    ClickOutside(edit->DropDownForm());
    EXPECT_EQ(cancelled, 0);
    EXPECT_EQ(edit->Text(), QStringLiteral("typed"));
}

TEST_F(PopupFixture, ContentKeysReachTheEdit)
{
    edit->ShowDropDown();
    Key(content, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(cancelled, 0);
    edit->ShowDropDown();
    Key(content, Qt::Key_Escape);
    EXPECT_EQ(cancelled, 1);
    edit->ShowDropDown();
    Key(content, Qt::Key_A);  // ordinary keys stay in the content
    EXPECT_TRUE(edit->DroppedDown());
    EXPECT_EQ(content->text(), QStringLiteral("a"));
}

TEST_F(PopupFixture, WheelAndDisabled)
{
    edit->setEnabled(false);
    edit->ShowDropDown();
    EXPECT_FALSE(edit->DroppedDown());
    edit->setEnabled(true);
    edit->setReadOnly(true);
    edit->ShowDropDown();
    EXPECT_FALSE(edit->DroppedDown());
}

}  // namespace
