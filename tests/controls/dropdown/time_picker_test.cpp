#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/time_picker_dropdown.h"
#include "dropdown_fixture.h"
#include "platform/text/format_settings.h"

#include <QTimeEdit>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

struct TimePickerWindow : ::testing::Test
{
    TimePickerWindow()
    {
        picker = new TExTimePickerDropDown(&w.window);
        picker->setGeometry(20, 30, 150, 21);
        picker->OnTimeChange = [this](TExTimePickerDropDown*) { ++changes; };
        w.Show(picker);
    }
    platform::ScopedFormatSettings colon{platform::FormatSettings{}};
    DropDownWindow w;
    TExTimePickerDropDown* picker;
    int changes = 0;
};

TEST_F(TimePickerWindow, TextMaskAndSeconds)
{
    EXPECT_EQ(picker->displayText(), QStringLiteral("00:00:00"));
    EXPECT_EQ(picker->inputMask(), QStringLiteral("09:99:99"));  // the blank is a space
    picker->SetTime(QTime(7, 5, 9));
    EXPECT_EQ(picker->displayText(), QStringLiteral("07:05:09"));
    picker->SetShowSeconds(false);
    EXPECT_EQ(picker->displayText(), QStringLiteral("07:05"));
    EXPECT_EQ(picker->Time(), QTime(7, 5, 9));
    EXPECT_EQ(changes, 0);
}

TEST_F(TimePickerWindow, UpAndDownStepThePartUnderTheCaret)
{
    const struct { int caret; int key; bool seconds; const char* text; } cases[] = {
        {2, Qt::Key_Up, true, "11:34:56"},
        {3, Qt::Key_Down, true, "12:35:56"},
        {6, Qt::Key_Up, true, "12:34:55"},
        {4, Qt::Key_Down, false, "12:35"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        picker->SetShowSeconds(c.seconds);
        picker->SetTime(QTime(12, 34, 56));
        picker->setCursorPosition(c.caret);
        const int before = changes;
        const int caret = picker->cursorPosition();
        QTest::keyClick(picker, Qt::Key(c.key));
        EXPECT_EQ(picker->displayText(), QString::fromLatin1(c.text));
        EXPECT_EQ(picker->cursorPosition(), caret);
        EXPECT_EQ(changes, before + 1);
    }
    picker->SetTime(QTime(0, 59, 0));
    picker->setCursorPosition(0);
    QTest::keyClick(picker, Qt::Key_Up);
    EXPECT_EQ(picker->Time().hour(), 23);
    picker->setCursorPosition(3);
    QTest::keyClick(picker, Qt::Key_Down);
    EXPECT_EQ(picker->Time(), QTime(23, 0, 0));  // the hour stays
}

TEST_F(TimePickerWindow, TypedEntries)
{
    picker->SetEditorEnabled(true);
    picker->SetShowSeconds(false);
    picker->setCursorPosition(0);
    QTest::keyClicks(picker, QStringLiteral("0930"));
    EXPECT_EQ(picker->Time(), QTime(9, 30));
    EXPECT_EQ(changes, 0);
    // An hour above 23 leaves Time quietly as it was.
    picker->setCursorPosition(0);
    QTest::keyClicks(picker, QStringLiteral("2500"));
    EXPECT_EQ(picker->Time(), QTime(9, 30));
    picker->SetTextDirect(QStringLiteral("1 :00"));
    EXPECT_EQ(picker->Time(), QTime(10, 0));
    EXPECT_EQ(picker->displayText(), QStringLiteral("10:00"));
    // With seconds an 8-character entry is taken.
    picker->SetShowSeconds(true);
    picker->setCursorPosition(0);
    QTest::keyClicks(picker, QStringLiteral("123456"));
    EXPECT_EQ(picker->Time(), QTime(12, 34, 56));
}

TEST_F(TimePickerWindow, ClockPopup)
{
    picker->Animation = false;
    picker->SetTime(QTime(9, 30));
    QTest::mouseClick(picker->Button(), Qt::LeftButton);
    ASSERT_TRUE(picker->DroppedDown());
    TExWatch* watch = picker->Watch();
    ASSERT_NE(watch, nullptr);
    EXPECT_EQ(watch->Time(), QTime(9, 30));
    // A click on the AM/PM box moves to the afternoon at once.
    QTest::mouseClick(watch, Qt::LeftButton, {}, watch->GetAMPMRect().center());
    EXPECT_EQ(picker->Time(), QTime(21, 30));
    EXPECT_EQ(changes, 0);  // no standard picker shown: no event
    // Keys of the popup go to the face: PageUp steps the hour.
    QTest::keyClick(picker->DropDownForm(), Qt::Key_PageUp);
    EXPECT_EQ(watch->Time(), QTime(22, 30));
    QTest::keyClick(picker->DropDownForm(), Qt::Key_Escape);
    EXPECT_FALSE(picker->DroppedDown());
    // Cancelled: the time from before the opening, on the face as well.
    EXPECT_EQ(picker->Time(), QTime(9, 30));
    EXPECT_EQ(picker->displayText(), QStringLiteral("09:30:00"));
    EXPECT_EQ(watch->Time(), QTime(9, 30));

    picker->ShowTimePicker = true;
    picker->ShowDropDown();
    ASSERT_NE(picker->TimeEdit(), nullptr);
    EXPECT_EQ(picker->TimeEdit()->time(), picker->Time());
    QTest::mouseClick(watch, Qt::LeftButton, {}, watch->GetAMPMRect().center());
    EXPECT_EQ(picker->Time(), QTime(21, 30));
    EXPECT_EQ(picker->TimeEdit()->time(), QTime(21, 30));
    EXPECT_EQ(changes, 1);
    picker->HideDropDown(false);
}

TEST_F(TimePickerWindow, AnimatedClockStepsByTicks)
{
    picker->SetTime(QTime(9, 50));
    picker->ShowDropDown();
    TExWatch* watch = picker->Watch();
    watch->AnimationTimer().stop();
    watch->Model().OnAnimate = nullptr;  // the test steps it
    watch->HandleKey(Qt::Key_End);
    int ticks = 0;
    while (watch->Model().Tick())
        ++ticks;
    EXPECT_EQ(ticks, 10);
    EXPECT_EQ(picker->Time(), QTime(10, 0));
    picker->HideDropDown(false);
    EXPECT_EQ(picker->displayText(), QStringLiteral("10:00:00"));
}

}  // namespace
