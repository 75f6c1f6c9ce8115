#include "controls/dropdown/item_selector.h"
#include "dropdown_fixture.h"

#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

// An item with the given caption or colour, the rest at its defaults.
TSelectorItem Item(const QString& caption, TColor color = clNone)
{
    TSelectorItem item;
    item.Caption = caption;
    item.Color = color;
    return item;
}

struct SelectorWindow : ::testing::Test
{
    SelectorWindow()
    {
        selector = new TExCustomItemSelector(&w.window);
        selector->setGeometry(10, 10, 200, 100);
        selector->OnItemSize = [](TExCustomItemSelector*, QSize& size) { size = QSize(40, 20); };
        for (int i = 0; i < 30; ++i)
            selector->Items().push_back(Item(QStringLiteral("Item %1").arg(i)));
        selector->SetColumns(3);
        selector->UpdateSelectorPanel();
        selector->OnItemSelect = [this](TExCustomItemSelector*) { ++selects; };
        w.Show(selector);
    }
    QPoint At(int index) const
    {
        const QRect r = selector->GetItemRect(index);
        return r.center() - QPoint(0, selector->verticalScrollBar()->value());
    }
    DropDownWindow w;
    TExCustomItemSelector* selector;
    int selects = 0;
};

TEST_F(SelectorWindow, ClickSelectsHoverMakesHot)
{
    EXPECT_EQ(selector->GetSelectorPanelSize(), QSize(124, 204));
    QTest::mouseClick(selector->viewport(), Qt::LeftButton, {}, At(4));
    EXPECT_EQ(selector->ItemIndex(), 4);
    EXPECT_EQ(selects, 1);
    QTest::mouseClick(selector->viewport(), Qt::LeftButton, {}, QPoint(1, 1));  // margin: nothing
    EXPECT_EQ(selector->ItemIndex(), 4);
    QTest::mouseMove(selector->viewport(), At(5));
    EXPECT_EQ(selector->ItemHot(), 5);
    selector->Items()[7].Enabled = false;
    QTest::mouseMove(selector->viewport(), At(7));
    EXPECT_EQ(selector->ItemHot(), -1);
    QTest::mouseClick(selector->viewport(), Qt::LeftButton, {}, At(7));
    EXPECT_EQ(selector->ItemIndex(), 4);
    EXPECT_EQ(selects, 1);
}

TEST_F(SelectorWindow, NavigationScrollsIntoView)
{
    selector->SelectLast();
    EXPECT_EQ(selector->ItemIndex(), 29);
    const int bar = selector->verticalScrollBar()->value();
    EXPECT_GT(bar, 0);
    const QRect r = selector->GetItemRect(29).translated(0, -bar);
    EXPECT_LE(r.bottom(), selector->viewport()->height());
    selector->SelectNext();  // no wrap-around
    EXPECT_EQ(selector->ItemIndex(), 29);
    selector->SelectFirst();
    EXPECT_EQ(selector->verticalScrollBar()->value(), 2);  // the first item's top at the top edge
    selector->SelectPrevious();
    EXPECT_EQ(selector->ItemIndex(), 0);
    EXPECT_TRUE(selector->LookupItem(QStringLiteral("ITEM 2")));
    EXPECT_EQ(selector->ItemIndex(), 2);
    EXPECT_FALSE(selector->LookupItem(QStringLiteral("item")));
    EXPECT_EQ(selector->GetVisibleItemCount(), 100 / 20 * 3);
}

TEST_F(SelectorWindow, PaintsTheSelectedColours)
{
    selector->OnItemSize = nullptr;
    selector->Items().clear();
    selector->Items().push_back(Item(QString(), 0x0000FF));
    selector->Items().push_back(Item(QString(), 0x00FF00));
    selector->SetSelectorType(stColor);
    selector->SetColumns(1);
    selector->UpdateSelectorPanel();
    selector->SetItemIndex(1);
    const QImage shot = selector->viewport()->grab().toImage();
    const QRect box = selector->GetItemRect(1);
    // The colour box at the item's inner corner, the selected fill beside it.
    EXPECT_EQ(shot.pixelColor(box.left() + 4 + 7, box.top() + 4 + 7), QColor(0, 255, 0));
    const QRect other = selector->GetItemRect(0);
    EXPECT_NE(shot.pixelColor(box.right() - 3, box.top() + 3), shot.pixelColor(other.right() - 3, other.top() + 3));
    EXPECT_EQ(shot.pixelColor(other.right() - 3, other.top() + 3), QColor(255, 255, 255));
}

}  // namespace
