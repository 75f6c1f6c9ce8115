#include "controls/dropdown/color_picker_dropdown.h"
#include "dropdown_fixture.h"

#include <QImage>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

struct ColorPickerWindow : ::testing::Test
{
    ColorPickerWindow()
    {
        picker = new TExColorPickerDropDown(&w.window);
        picker->setGeometry(20, 30, 180, 21);
        picker->AddDefaultColors();
        picker->OnSelect = [this](TExColorPickerDropDown*) { ++selects; };
        w.Show(picker);
    }
    DropDownWindow w;
    TExColorPickerDropDown* picker;
    int selects = 0;
};

TEST_F(ColorPickerWindow, IndexAndColourRules)
{
    ASSERT_EQ(picker->Colors().size(), 16u);
    EXPECT_EQ(picker->Colors()[9].Caption, QStringLiteral("Red"));
    EXPECT_EQ(picker->Colors()[9].Color, 0x0000FFu);
    picker->SetItemIndex(9);
    EXPECT_EQ(picker->SelectedColor(), 0x0000FFu);
    EXPECT_EQ(picker->SelectedColorText(), QStringLiteral("Red"));
    EXPECT_EQ(selects, 1);
    picker->SetSelectedColor(0x123456);  // not in the list: the index stays
    EXPECT_EQ(picker->ItemIndex(), 9);
    EXPECT_EQ(picker->SelectedColorText(), QStringLiteral("Red"));
    picker->SetItemIndex(-1);  // keeps the colour, fires
    EXPECT_EQ(picker->SelectedColor(), 0x123456u);
    EXPECT_EQ(selects, 2);
    picker->SetItemIndex(16);  // the count: ignored
    EXPECT_EQ(picker->ItemIndex(), -1);
    EXPECT_EQ(selects, 2);
    picker->SetItemIndex(15);
    EXPECT_EQ(picker->SelectedColor(), 0xFFFFFFu);

    // Colour texts outside the list style.
    picker->SetColorSelectionStyle(csDiscrete);
    picker->SetSelectedColor(0x0000FF);
    const std::pair<TColorValueText, const char*> texts[] = {
        {cvtNone, ""}, {cvtHex, "0000FF"}, {cvtHTML, "#FF0000"}, {cvtRGB, "Red:255,Green:0,Blue:0"}};
    for (const auto& [kind, text] : texts) {
        picker->ColorValueText = kind;
        EXPECT_EQ(picker->SelectedColorText(), QString::fromLatin1(text)) << kind;
    }
}

TEST_F(ColorPickerWindow, ClosedKeysAndTypeAhead)
{
    picker->SetItemIndex(-1);
    selects = 0;
    QTest::keyClick(picker, Qt::Key_Down);
    EXPECT_EQ(picker->ItemIndex(), 0);
    QTest::keyClick(picker, Qt::Key_End);
    EXPECT_EQ(picker->ItemIndex(), 15);
    QTest::keyClick(picker, Qt::Key_Down);  // stays on the last
    EXPECT_EQ(picker->ItemIndex(), 15);
    QTest::keyClick(picker, Qt::Key_Home);
    EXPECT_EQ(picker->ItemIndex(), 0);
    EXPECT_EQ(selects, 3);  // each step fires; none past the last

    picker->ShowDropDown();
    TExCustomItemSelector* selector = picker->Selector();
    ASSERT_NE(selector, nullptr);
    QTest::keyClick(selector, Qt::Key_G);
    QTest::keyClick(selector, Qt::Key_R);  // within 500 ms: "GR"
    EXPECT_EQ(picker->CurrentSearch(), QStringLiteral("GR"));
    EXPECT_EQ(picker->ItemIndex(), 2);  // Green
    EXPECT_TRUE(picker->DroppedDown());  // keys move without closing
    picker->KeyTimerTick();
    QTest::keyClick(selector, Qt::Key_S);  // a new search
    EXPECT_EQ(picker->CurrentSearch(), QStringLiteral("S"));
    EXPECT_EQ(picker->ItemIndex(), 8);  // Silver
    QTest::keyClick(selector, Qt::Key_Escape);  // cancel restores the list index
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(picker->ItemIndex(), 0);
}

TEST_F(ColorPickerWindow, ListClickChoosesAndCloses)
{
    picker->ShowDropDown();
    TExCustomItemSelector* selector = picker->Selector();
    const QRect item = selector->GetItemRect(4);
    QTest::mouseClick(selector->viewport(), Qt::LeftButton, {},
                      item.center() - QPoint(0, selector->verticalScrollBar()->value()));
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(picker->ItemIndex(), 4);
    EXPECT_EQ(picker->SelectedColor(), 0x800000u);  // Navy
}

TEST_F(ColorPickerWindow, BoxesCancelAndSharedColour)
{
    picker->SetColorSelectionStyle(csDiscrete);
    picker->ShowDropDown();
    TCustomColorSelector* boxes = picker->ColorSelector();
    ASSERT_NE(boxes, nullptr);
    EXPECT_EQ(picker->DropDownForm()->width(), boxes->width() + 2);
    // A palette colour that is also a list item, and one that is not.
    int shared = -1;
    int own = -1;
    for (size_t i = 0; i < boxes->Items().size(); ++i) {
        bool listed = false;
        for (const TColorItem& c : picker->Colors())
            listed = listed || c.Color == boxes->Items()[i].Color;
        if (listed && shared < 0)
            shared = int(i);
        if (!listed && own < 0)
            own = int(i);
    }
    ASSERT_GE(shared, 0);
    ASSERT_GE(own, 0);
    picker->HideDropDown(true);

    picker->SetSelectedColor(boxes->Items()[size_t(own)].Color);
    picker->ShowDropDown();
    const int before = boxes->ItemIndex();
    EXPECT_GE(before, 0);
    boxes->SetSelectedColor(boxes->Items()[size_t(shared)].Color);  // moved in the popup, then cancelled
    picker->HideDropDown(true);
    EXPECT_EQ(boxes->ItemIndex(), before);  // the boxes' selection comes back
    EXPECT_EQ(picker->SelectedColor(), boxes->Items()[size_t(own)].Color);

    // A box whose colour is also a list item fires OnSelect twice.
    picker->ShowDropDown();
    selects = 0;
    boxes->SetItemIndex(shared);
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(selects, 2);
    EXPECT_EQ(picker->SelectedColor(), boxes->Items()[size_t(shared)].Color);
    EXPECT_EQ(picker->ItemIndex(), -1);
    // A colour of its own fires once.
    picker->ShowDropDown();
    selects = 0;
    boxes->SetItemIndex(own);
    EXPECT_EQ(selects, 1);
}

TEST_F(ColorPickerWindow, EditShowsBoxOnlyForAColour)
{
    picker->SetItemIndex(9);
    picker->clearFocus();
    QImage shot(picker->size(), QImage::Format_RGB32);
    picker->render(&shot);
    const QPoint inBox = picker->ColorBoxRect().center();
    EXPECT_EQ(shot.pixelColor(inBox), QColor(255, 0, 0));
    picker->SetSelectedColor(clNone);
    QImage blank(picker->size(), QImage::Format_RGB32);
    picker->render(&blank);
    EXPECT_NE(blank.pixelColor(inBox), QColor(255, 0, 0));
}

}  // namespace
