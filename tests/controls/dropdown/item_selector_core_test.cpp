#include "controls/dropdown/item_selector_core.h"

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

SelectorModel Model(int count, int columns, QSize itemSize)
{
    SelectorModel m;
    m.Items.resize(size_t(count));
    m.SetColumns(columns);
    m.Arrange(itemSize);
    return m;
}

TEST(SelectorLayout, PanelSizeAndRectangles)
{
    const struct { int count, columns; QSize panel; } cases[] = {
        {10, 3, {124, 84}},  // rows of 3, 3, 3, 1
        {1, 3, {44, 24}},    // W + 4 by H + 4
        {2, 3, {84, 24}},
        {0, 3, {100, 50}},
        {6, 3, {124, 44}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(Model(c.count, c.columns, {40, 20}).PanelSize(), c.panel);
    }
    const SelectorModel m = Model(10, 3, {40, 20});
    EXPECT_EQ(m.ItemRect(0), QRect(2, 2, 40, 20));
    EXPECT_EQ(m.ItemRect(4), QRect(42, 22, 40, 20));
    EXPECT_EQ(m.ItemRect(9), QRect(2, 62, 40, 20));
    EXPECT_EQ(m.ItemRect(10).left(), -1);
    EXPECT_EQ(m.ItemRect(-1).top(), -1);
}

TEST(SelectorLayout, ColumnsBelowOneAreIgnored)
{
    SelectorModel m;
    EXPECT_TRUE(m.SetColumns(4));
    EXPECT_FALSE(m.SetColumns(0));
    EXPECT_FALSE(m.SetColumns(-1));
    EXPECT_EQ(m.Columns(), 4);
}

TEST(SelectorLayout, HitTest)
{
    const SelectorModel m = Model(10, 3, {40, 20});
    const struct { QPoint p; int item; } cases[] = {
        {{2, 2}, 0}, {{41, 21}, 0}, {{42, 2}, 1}, {{2, 62}, 9}, {{42, 62}, -1},  // past the last item
        {{1, 5}, -1}, {{122, 5}, -1}, {{50, 90}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(m.ItemAtPos(c.p), c.item) << c.p.x() << "," << c.p.y();
    // Only the rows meeting a rectangle are visited.
    EXPECT_EQ(m.ItemsIn(QRect(0, 25, 200, 10)), std::make_pair(3, 5));
    const SelectorModel big = Model(1000000, 4, {40, 20});
    const auto [first, last] = big.ItemsIn(QRect(0, 20 * 200000, 200, 40));
    EXPECT_EQ(first, 4 * 199999);
    EXPECT_LE(last - first, 16);
    EXPECT_EQ(big.ItemAtPos(QPoint(90, 2 + 20 * 249999)), 999998);
}

TEST(SelectorItemSize, ByLayout)
{
    const SelectorMetrics m;
    const struct { QSize image, caption; TItemLayout layout; QSize item; } cases[] = {
        {{16, 16}, {30, 12}, ilCaptionRight, {8 + 16 + 4 + 34, 16 + 8}},
        {{16, 16}, {30, 12}, ilCaptionLeft, {62, 24}},
        {{0, 0}, {30, 12}, ilCaptionRight, {8 + 34, 20}},
        {{16, 16}, {0, 0}, ilCaptionRight, {24, 24}},
        {{16, 32}, {30, 12}, ilCaptionBottom, {42, 8 + 32 + 4 + 12}},
        {{0, 0}, {30, 12}, ilCaptionTop, {42, 20}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemSizeFor(c.image, c.caption, c.layout, m), c.item) << int(c.layout);
}

TEST(SelectorNavigation, NoWrapAround)
{
    const SelectorModel m = Model(3, 1, {40, 20});
    const struct { int from, next, previous; } cases[] = {{-1, 0, 0}, {0, 1, -1}, {1, 2, 0}, {2, -1, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(m.NextIndex(c.from), c.next) << c.from;
        EXPECT_EQ(m.PreviousIndex(c.from), c.previous) << c.from;
    }
    const SelectorModel empty = Model(0, 1, {});
    EXPECT_EQ(empty.NextIndex(-1), -1);
    EXPECT_EQ(empty.FirstIndex(), -1);
}

TEST(SelectorSelection, DisabledItemsAndRepeatedSelection)
{
    SelectorModel m = Model(3, 1, {40, 20});
    m.Items[1].Enabled = false;
    EXPECT_TRUE(m.SetItemIndex(2));
    EXPECT_TRUE(m.SetItemIndex(2));  // the current one fires again
    EXPECT_FALSE(m.SetItemIndex(1));
    EXPECT_EQ(m.ItemIndex(), 2);
    EXPECT_FALSE(m.SetItemHot(1));
    EXPECT_TRUE(m.SetItemHot(0));
    EXPECT_FALSE(m.SetItemHot(0));
    m.Arrange({40, 20});  // arranging clears the hot item, not the selection
    EXPECT_EQ(m.ItemHot(), -1);
    EXPECT_EQ(m.ItemIndex(), 2);
}

TEST(SelectorLookup, PlainUpperCasedPrefix)
{
    SelectorModel m;
    for (const char* caption : {"<b>apple</b>", "  Apricot", "Banana", "42 <i>items</i>"})
        m.Items.push_back(Item(QString::fromLatin1(caption)));
    const struct { const char* prefix; int item; } cases[] = {
        {"APR", 1}, {"AP", 0}, {"B", 2}, {"apple", -1}, {"42 IT", 3}, {"Z", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(m.LookupItem(QString::fromLatin1(c.prefix)), c.item) << c.prefix;
    EXPECT_EQ(SelectorModel().LookupItem(QStringLiteral("A")), -1);
}

TEST(SelectorScroll, ItemBroughtIntoView)
{
    const struct { int pos, top, bottom, client, expected; } cases[] = {
        {100, 80, 100, 60, 80},   // above: its top to the top edge
        {0, 80, 100, 60, 40},     // below: its bottom to the bottom edge
        {0, 80, 200, 60, 80},     // taller than the client: its top to the top
        {50, 60, 80, 60, 50},     // already visible
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScrollToShow(c.pos, c.top, c.bottom, 0, c.client), c.expected) << c.top;
}

TEST(SelectorScroll, VisibleItemCount)
{
    EXPECT_EQ(VisibleItemCount(150, false, 22, 1, 10), 6);
    EXPECT_EQ(VisibleItemCount(150, true, 22, 3, 10), 15);
    EXPECT_EQ(VisibleItemCount(150, false, 0, 1, 10), 0);  // a zero height counts nothing
    EXPECT_EQ(VisibleItemCount(150, false, 22, 1, 0), 0);
}

TEST(SelectorColours, HotSelectedAndStyles)
{
    TItemAppearance a;
    EXPECT_EQ(a.ColorStyle(), scOffice2007);
    EXPECT_EQ(a.ColorHot, 0xD7FFFDu);
    a.ColorSelectedText = 0x0000FF;
    a.ColorHotText = 0x00FF00;
    ItemPaintColors both = ItemColors(a, true, true);
    EXPECT_EQ(both.Fill, a.ColorSelected);  // selected wins over hot
    EXPECT_EQ(both.Text, 0x0000FFu);
    EXPECT_FALSE(both.SimpleFrame);
    EXPECT_TRUE(ItemColors(a, false, false).Plain);
    a.BorderColorHot = 0x123456;
    const ItemPaintColors hot = ItemColors(a, true, false);
    EXPECT_TRUE(hot.SimpleFrame);
    EXPECT_EQ(hot.Border, 0x123456u);

    TItemAppearance vista;
    vista.SetColorStyle(scWindowsVista);
    EXPECT_EQ(vista.ColorMirrorHot, clNone);
    vista.SetColorStyle(scCustom);  // keeps the colours
    EXPECT_EQ(vista.ColorHot, 0xFDF8F1u);
    TItemAppearance copy;
    copy.Assign(vista);
    EXPECT_EQ(copy.ColorStyle(), scCustom);
    EXPECT_EQ(copy.ColorHot, 0xFDF8F1u);
}

}  // namespace
