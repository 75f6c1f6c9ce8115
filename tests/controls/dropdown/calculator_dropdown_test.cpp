#include "controls/dropdown/calculator_dropdown.h"
#include "controls/dropdown/dropdown_form.h"
#include "dropdown_fixture.h"
#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

struct CalculatorWindow : ::testing::Test
{
    CalculatorWindow()
    {
        calc = new TExCalculatorDropdown(&w.window);
        calc->setGeometry(20, 30, 150, 21);
        calc->OnDropUp = [this](TExCustomDropDown*, bool c) { cancelled = c; };
        w.Show(calc);
    }
    // Clicks keypad keys by caption and returns the display after each.
    QString Click(const QString& captions)
    {
        QStringList shown;
        TCustomButtonPanel* panel = calc->ButtonPanel();
        for (const QString& caption : captions.split(u' ', Qt::SkipEmptyParts)) {
            int index = -1;
            for (size_t i = 0; i < panel->Buttons().size(); ++i)
                if (panel->Buttons()[i].Caption == caption)
                    index = int(i);
            EXPECT_GE(index, 0) << caption.toStdString();
            QTest::mouseClick(panel, Qt::LeftButton, {}, panel->GetButtonRect(index).center());
            shown << calc->Text();
        }
        return shown.join(u' ');
    }
    QWidget* Popup() const { return calc->DropDownForm(); }
    platform::ScopedFormatSettings dot{platform::FormatSettings{}};
    DropDownWindow w;
    TExCalculatorDropdown* calc;
    int cancelled = -1;
};

TEST_F(CalculatorWindow, KeypadClicksRightAfterOpening)
{
    EXPECT_EQ(calc->Text(), QStringLiteral("0.00"));
    QTest::mouseClick(calc->Button(), Qt::LeftButton);
    ASSERT_TRUE(calc->DroppedDown());
    EXPECT_EQ(calc->DropDownForm()->width(), 230);
    EXPECT_EQ(Click(QStringLiteral("1 2 + 3 =")), QStringLiteral("1.00 12.00 12.00 3.00 15.00"));
    EXPECT_TRUE(calc->IsModified());
    EXPECT_EQ(Click(QStringLiteral("5 / 0 =")), QStringLiteral("5.00 5.00 0.00 Error"));
    EXPECT_EQ(Click(QStringLiteral("7")), QStringLiteral("7.00"));  // the recovery
}

TEST_F(CalculatorWindow, PressOnOneKeyReleaseOnAnother)
{
    calc->ShowDropDown();
    TCustomButtonPanel* panel = calc->ButtonPanel();
    int clicks = 0, last = -1;
    panel->OnButtonClick = [&](TCustomButtonPanel*, int index) {
        ++clicks;
        last = index;
    };
    QTest::mousePress(panel, Qt::LeftButton, {}, panel->GetButtonRect(13).center());
    QTest::mouseMove(panel, panel->GetButtonRect(18).center());
    QTest::mouseRelease(panel, Qt::LeftButton, {}, panel->GetButtonRect(18).center());
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(panel, Qt::LeftButton, {}, panel->GetButtonRect(13).center());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(last, 13);  // the index of "5", not its tag
}

TEST_F(CalculatorWindow, MemoryAndStateSurviveReopening)
{
    calc->ShowDropDown();
    Click(QStringLiteral("1 2 MS C"));
    calc->HideDropDown(false);
    calc->ShowDropDown();
    EXPECT_EQ(Click(QStringLiteral("MR")), QStringLiteral("12.00"));
    EXPECT_EQ(Click(QStringLiteral("+ 3")), QStringLiteral("12.00 3.00"));
    calc->HideDropDown(false);
    calc->ShowDropDown();
    EXPECT_EQ(Click(QStringLiteral("=")), QStringLiteral("15.00"));
}

TEST_F(CalculatorWindow, TypingWithThePopupClosed)
{
    QTest::keyClicks(calc, QStringLiteral("C52+3"));
    QTest::keyClick(calc, Qt::Key_Return);
    EXPECT_EQ(calc->Text(), QStringLiteral("55.00"));
    EXPECT_FALSE(calc->DroppedDown());
}

TEST_F(CalculatorWindow, TypingIntoTheOpenPopup)
{
    calc->ShowDropDown();
    ASSERT_TRUE(Popup()->isVisible());
    QTest::keyClicks(Popup(), QStringLiteral("12*3="));
    EXPECT_EQ(calc->Text(), QStringLiteral("36.00"));
    EXPECT_TRUE(calc->DroppedDown());  // "=" keeps it open
    QTest::keyClicks(Popup(), QStringLiteral("-6"));
    QTest::keyClick(Popup(), Qt::Key_Return);
    EXPECT_FALSE(calc->DroppedDown());
    EXPECT_EQ(cancelled, 0);
    EXPECT_EQ(calc->Text(), QStringLiteral("30.00"));

    calc->ShowDropDown();
    QTest::keyClicks(Popup(), QStringLiteral("/0="));
    EXPECT_EQ(calc->Text(), QStringLiteral("Error"));
    QTest::keyClick(Popup(), Qt::Key_Backspace);
    EXPECT_EQ(calc->Text(), QStringLiteral("0.00"));
    QTest::keyClick(Popup(), Qt::Key_Tab);  // closes, keeping the result
    EXPECT_FALSE(calc->DroppedDown());
    EXPECT_EQ(cancelled, 0);
}

TEST_F(CalculatorWindow, OperatorsOnANonNumberNeverFail)
{
    calc->SetTextDirect(QStringLiteral("-"));
    QTest::keyClicks(calc, QStringLiteral("+"));
    EXPECT_EQ(calc->Text(), QStringLiteral("0.00"));
    calc->ShowDropDown();
    calc->SetTextDirect(QStringLiteral("-"));
    EXPECT_EQ(Click(QStringLiteral("MS M+ %")), QStringLiteral("- - 0.00"));
    EXPECT_EQ(calc->Engine().Memory, 0);
}

TEST_F(CalculatorWindow, MaxLengthAndThousandSeparator)
{
    calc->ShowDropDown();
    Click(QStringLiteral("1"));
    calc->SetMaxLength(4);
    EXPECT_EQ(Click(QStringLiteral("5 +/- . +")), QStringLiteral("1.00 1.00 1.00 1.00"));
    EXPECT_EQ(calc->Engine().PendingOp, 0);
    calc->SetMaxLength(0);
    calc->HideDropDown(false);
    calc->SetShowThousandSeparator(true);
    EXPECT_EQ(calc->EditType(), etMoney);
    calc->SetValue(1234.5);
    EXPECT_EQ(calc->Text(), QStringLiteral("1,234.50"));
    EXPECT_DOUBLE_EQ(calc->Value(), 1234.5);
}

}  // namespace
