#include "controls/dropdown/popup_geometry.h"

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TEST(PopupGeometry, Placement)
{
    const QRect work(0, 0, 1024, 740);  // a panel below the work area
    const QSize popup(200, 100);
    struct Case
    {
        const char* name;
        QRect edit;
        TDropPosition position;
        QPoint want;
    } cases[] = {
        {"auto, room below", QRect(100, 300, 150, 21), dpAuto, QPoint(100, 320)},
        // The whole screen decides, not the work area: 100 + 650 < 768.
        {"auto, above the panel", QRect(100, 650, 150, 21), dpAuto, QPoint(100, 670)},
        {"auto, near the bottom", QRect(100, 700, 150, 21), dpAuto, QPoint(100, 600)},
        {"auto, exactly the screen", QRect(100, 668, 150, 21), dpAuto, QPoint(100, 568)},
        {"down regardless", QRect(100, 700, 150, 21), dpDown, QPoint(100, 720)},
        {"up regardless", QRect(100, 300, 150, 21), dpUp, QPoint(100, 200)},
        {"right clamp", QRect(900, 300, 150, 21), dpAuto, QPoint(824, 320)},
        {"no left clamp", QRect(-50, 300, 150, 21), dpAuto, QPoint(-50, 320)},
        {"left of the work area's right", QRect(1030, 300, 150, 21), dpAuto, QPoint(1030, 320)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlacePopup(c.edit, popup, 768, work, c.position), c.want) << c.name;
}

TEST(PopupGeometry, Size)
{
    PopupSizeInput in;
    in.EditWidth = 120;
    in.ContentVisible = true;
    in.Content = QSize(150, 40);
    in.HeaderVisible = in.FooterVisible = true;
    in.HeaderHeight = in.FooterHeight = 22;
    EXPECT_EQ(UpdateDropDownSize(in), QSize(150, 86));  // 2·1 + 22 + 22 + 40
    in.HeaderVisible = in.FooterVisible = false;
    EXPECT_EQ(UpdateDropDownSize(in).height(), 42);
    EXPECT_EQ(ConstrainPopupSize(UpdateDropDownSize(in)), QSize(150, 50));  // raised to the minimum
    in.ContentVisible = false;
    EXPECT_EQ(UpdateDropDownSize(in), QSize(120, 2));  // the edit's width without content
    EXPECT_EQ(ConstrainPopupSize(QSize(10, 10)), QSize(80, 50));
    in.DropDownWidth = 300;
    in.DropDownHeight = 77;
    EXPECT_EQ(UpdateDropDownSize(in), QSize(300, 77));
}

TEST(PopupGeometry, LabelPositions)
{
    const QRect e(100, 50, 200, 21);
    const QSize l(40, 13);
    const int m = 4;
    const QPoint want[] = {
        {56, 50},  {56, 54},  {56, 58},  {100, 33}, {100, 75}, {96, 50},  {96, 54},  {96, 58},
        {180, 33}, {180, 75}, {304, 50}, {304, 54}, {304, 58}, {260, 33}, {260, 75},
    };
    static_assert(std::size(want) == kLabelPositionCount);
    for (int p = 0; p < kLabelPositionCount; ++p)
        EXPECT_EQ(LabelTopLeft(e, l, TLabelPosition(p), m), want[p]) << p;
    // lpLeftTop: the label's right edge 4 pixels left of the edit.
    EXPECT_EQ(LabelTopLeft(e, l, lpLeftTop, m).x() + l.width(), e.left() - 4);
}

TEST(BarGeometry, FooterButtonsWithAndWithoutGrip)
{
    const QRect client(0, 0, 200, 22);
    const std::vector<QSize> sizes = {{30, 17}, {40, 17}, {50, 40}};
    for (bool grip : {true, false}) {
        const QRect area = FooterButtonArea(client, grip);
        const std::vector<QRect> b = ArrangeButtons(area, sizes, baRight);
        ASSERT_EQ(b.size(), 3u);
        EXPECT_EQ(client.width() - (b[0].right() + 1), grip ? 14 : 2);
        EXPECT_EQ(b[1].right() + 1, b[0].left());  // touching, right to left
        EXPECT_EQ(b[2].right() + 1, b[1].left());
        EXPECT_EQ(b[2].height(), area.height());   // clamped to the area
        EXPECT_EQ(ButtonsRect(area, b).right() + 1, b[2].left() - 2);  // the caption ends 2 pixels before
    }
    // A 40-pixel item on a 22-pixel header is 17 high; baLeft runs left to right.
    const std::vector<QRect> h = ArrangeButtons(HeaderButtonArea(client), {{20, 40}, {20, 10}}, baLeft);
    EXPECT_EQ(h[0].height(), 17);
    EXPECT_EQ(h[0].left(), 2);
    EXPECT_EQ(h[1].left(), 22);
    EXPECT_EQ(ButtonsRect(HeaderButtonArea(client), {}), QRect(QPoint(-1, -1), QPoint(-2, -2)));
}

TEST(BarGeometry, GripZonesAndDots)
{
    const QRect grip = FooterGripRect(QRect(0, 0, 200, 22), 1);
    EXPECT_EQ(grip.left(), 183);
    const auto dots = GripDots(grip);
    EXPECT_EQ(dots[0], QPoint(188, 18));  // bottom row, 2 pixels above the bar's bottom
    EXPECT_EQ(dots[2], QPoint(196, 18));
    EXPECT_EQ(dots[4], QPoint(196, 10));  // the top of the triangle
    EXPECT_TRUE(InFooterGripZone(QPoint(189, 8), QSize(200, 22)));
    EXPECT_FALSE(InFooterGripZone(QPoint(188, 8), QSize(200, 22)));
    EXPECT_FALSE(InFooterGripZone(QPoint(195, 7), QSize(200, 22)));
    EXPECT_TRUE(InPopupGripZone(QPoint(191, 91), QSize(200, 100)));
    EXPECT_FALSE(InPopupGripZone(QPoint(190, 95), QSize(200, 100)));
}

}  // namespace
