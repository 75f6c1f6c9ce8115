// The scroll bars the tree paints itself while the application style is active: geometry, dragging, and the
// painted overlay over a real tree.

#include "controls/tree/widget/string_tree.h"
#include "controls/tree/widget/styled_scroll_bars.h"

#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace lazytree;

namespace {

TEST(StyledScrollBars, Geometry)
{
    struct Case {
        TScrollInfo info;
        bool enabled;
        QRect thumb;
    } cases[] = {
        {{0, 99, 50, 0}, true, QRect(0, 17, 17, 83)},   // half the range shown: half the track, at its top
        {{0, 99, 50, 50}, true, QRect(0, 100, 17, 83)}, // at the last position the thumb meets the down arrow
        {{0, 99, 50, 500}, true, QRect(0, 100, 17, 83)}, // a position past the end is clamped
        {{0, 9999, 10, 0}, true, QRect(0, 17, 17, 8)},  // never thinner than 8 pixels
        {{0, 99, 100, 0}, true, QRect()},               // everything shown: no thumb
        {{0, 99, 50, 0}, false, QRect()},               // disabled: no thumb
    };
    for (const Case& c : cases) {
        const TScrollBarGeometry g = ComputeBarGeometry(QRect(0, 0, 17, 200), true, 17, c.info, c.enabled);
        EXPECT_EQ(g.UpButton, QRect(0, 0, 17, 17));
        EXPECT_EQ(g.DownButton, QRect(0, 183, 17, 17));
        EXPECT_EQ(g.Track, QRect(0, 17, 17, 166));
        EXPECT_EQ(g.Thumb, c.thumb) << c.info.Position << " of " << c.info.Maximum << " page " << c.info.Page;
    }
    // A bar shorter than two arrows splits its length between them.
    const TScrollBarGeometry tiny = ComputeBarGeometry(QRect(0, 0, 20, 17), false, 17, {0, 99, 10, 0}, true);
    EXPECT_EQ(tiny.UpButton, QRect(0, 0, 10, 17));
    EXPECT_EQ(tiny.DownButton, QRect(10, 0, 10, 17));
    EXPECT_TRUE(tiny.Thumb.isEmpty());
}

TEST(StyledScrollBars, DraggingTheThumbStaysInRange)
{
    const TScrollInfo info{0, 99, 50, 0};
    EXPECT_DOUBLE_EQ(DragThumbPosition(0, 83, 166, info), 49.5);
    EXPECT_DOUBLE_EQ(DragThumbPosition(10, -1000, 166, info), 0);
    EXPECT_DOUBLE_EQ(DragThumbPosition(10, 1000, 166, info), 50); // maximum - page + 1
}

TEST(StyledScrollBars, OverlayPaintsThumbAndArrowsAndScrollsTheTree)
{
    TLazyTreeControl::SetApplicationStyled(true);
    TLazyStringTree tree;
    TLazyTreeControl::SetApplicationStyled(false);
    tree.SetRootNodeCount(1000);
    tree.resize(200, 200);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    QScrollBar* bar = tree.verticalScrollBar();
    auto* overlay = bar->findChild<QWidget*>(QStringLiteral("styledVerticalBar"));
    ASSERT_NE(overlay, nullptr);
    ASSERT_TRUE(overlay->isVisible());

    const QImage image = overlay->grab().toImage();
    const int x = image.width() / 2;
    const int arrow = image.width();
    // The thumb at the top of the track and the track below it differ; the arrow's glyph differs from its face.
    EXPECT_NE(image.pixel(x, arrow + 3), image.pixel(x, image.height() - arrow - 3));
    bool glyph = false;
    for (int y = 0; y < arrow; ++y)
        glyph = glyph || image.pixel(x, y) != image.pixel(1, arrow / 2);
    EXPECT_TRUE(glyph);

    // A click on the down arrow goes through to the bar below and scrolls the tree.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x, bar->height() - arrow / 2));
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(tree.OffsetY(), -bar->value());
}

} // namespace
