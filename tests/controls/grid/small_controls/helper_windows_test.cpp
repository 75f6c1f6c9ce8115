#include "controls/grid/small_controls/alpha_mask.h"
#include "controls/grid/small_controls/arrow_window.h"
#include "controls/grid/small_controls/focus_window.h"
#include "platform/compositing.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace grid;

TEST(ArrowWindows, RegionsHoldAndExcludeProbePoints)
{
    struct Case
    {
        TArrowDirection dir;
        std::vector<QPoint> inside;
        std::vector<QPoint> outside;
    } cases[] = {
        {arrUp, {{5, 1}, {5, 4}, {4, 7}, {1, 4}}, {{0, 0}, {1, 7}, {9, 7}, {9, 2}}},
        {arrDown, {{5, 1}, {5, 6}, {2, 4}}, {{1, 1}, {8, 1}, {1, 6}}},
        {arrLeft, {{1, 4}, {6, 5}, {5, 2}}, {{1, 1}, {1, 8}, {7, 1}}},
        {arrRight, {{6, 4}, {2, 5}, {3, 3}}, {{1, 1}, {1, 9}, {7, 1}}},
    };
    for (const Case& c : cases) {
        const QRegion region = ArrowRegion(c.dir);
        EXPECT_EQ(ArrowPolygon(c.dir).size(), 7);
        for (const QPoint& p : c.inside)
            EXPECT_TRUE(region.contains(p)) << c.dir << " " << p.x() << "," << p.y();
        for (const QPoint& p : c.outside)
            EXPECT_FALSE(region.contains(p)) << c.dir << " " << p.x() << "," << p.y();
    }
    EXPECT_EQ(ArrowPolygon(arrUp).first(), QPoint(5, 0));
    EXPECT_EQ(ArrowPolygon(arrRight).last(), QPoint(4, 0));
}

TEST(ArrowWindows, ShownWithoutTakingTheFocus)
{
    QWidget form;
    QLineEdit* edit = new QLineEdit(&form);
    form.resize(200, 100);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    edit->setFocus();
    TArrowWindow up(&form, arrUp);
    EXPECT_FALSE(up.isVisible());
    EXPECT_TRUE(up.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(up.mask(), ArrowRegion(arrUp));
    up.move(form.mapToGlobal(QPoint(20, 20)));
    up.show();
    QApplication::processEvents();
    EXPECT_TRUE(up.isVisible());
    EXPECT_EQ(QApplication::activeWindow(), &form);
    EXPECT_TRUE(edit->hasFocus());
    const QImage shot = up.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 3), QColor(0, 255, 0));
}

TEST(AlphaMask, BlurOfUniformAndSmallBitmaps)
{
    QImage white(60, 50, QImage::Format_RGB888);
    white.fill(Qt::white);
    BlurBitmap(white, 3);
    for (int y = 0; y < white.height(); ++y)
        for (int x = 0; x < white.width(); ++x)
            ASSERT_EQ(white.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;

    // 40 x 30: every row and column is convolved; a white column spreads
    // symmetrically and keeps its sum.
    QImage line(40, 30, QImage::Format_RGB888);
    line.fill(Qt::black);
    for (int y = 0; y < 30; ++y)
        line.setPixel(20, y, qRgb(255, 255, 255));
    BlurBitmap(line, 2);
    int sum = 0;
    for (int x = 0; x < 40; ++x)
        sum += qRed(line.pixel(x, 15));
    EXPECT_NEAR(sum, 255, 4);
    EXPECT_LT(qRed(line.pixel(20, 15)), 255);
    EXPECT_GT(qRed(line.pixel(20, 15)), qRed(line.pixel(21, 15)));
    EXPECT_EQ(qRed(line.pixel(19, 15)), qRed(line.pixel(21, 15)));
    EXPECT_EQ(qRed(line.pixel(17, 15)), qRed(line.pixel(23, 15)));
    EXPECT_EQ(line.pixel(20, 0), line.pixel(20, 29));

    // A wide one: the interior copies row and column 15.
    QImage wide = MakeRoundRectMask(80, 60, 3, 5, 4);
    EXPECT_EQ(wide.format(), QImage::Format_RGB888);
    for (int y = 21; y < 60 - 20; ++y)
        EXPECT_EQ(wide.pixel(40, y), wide.pixel(15, 15)) << y;

    QImage rgb32(30, 30, QImage::Format_RGB32);
    rgb32.fill(Qt::white);
    try {
        BlurBitmap(rgb32, 3);
        ADD_FAILURE() << "no error";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Blur only works for 24-bit bitmaps");
    }
    EXPECT_EQ(rgb32.pixel(3, 3), qRgb(255, 255, 255));
}

TEST(AlphaMask, RoundRectMaskShapes)
{
    const QImage ring = MakeRoundRectMask(60, 40, 0, 5, 4);
    EXPECT_EQ(ring.pixel(30, 20), qRgb(0, 0, 0));         // inside the ring
    EXPECT_EQ(ring.pixel(30, 4), qRgb(255, 255, 255));    // on the ring (h + 2)
    EXPECT_EQ(ring.pixel(0, 0), qRgb(0, 0, 0));
    const QImage filled = MakeRoundRectMask(60, 40, 0, 5, 0);
    EXPECT_EQ(filled.pixel(30, 20), qRgb(255, 255, 255));
    EXPECT_EQ(filled.pixel(1, 1), qRgb(0, 0, 0));
}

TEST(AlphaMask, MergeAndAssignCheckSizes)
{
    QImage mask(4, 3, QImage::Format_RGB888);
    mask.fill(QColor(128, 0, 0));
    QImage bitmap(4, 3, QImage::Format_RGB888);
    bitmap.fill(Qt::white);
    TGridAlphaMask alpha;
    ASSERT_TRUE(alpha.MergeMask(mask, bitmap));
    const QRgb px = alpha.Image().pixel(2, 1);
    EXPECT_EQ(qAlpha(px), 128);
    EXPECT_EQ(alpha.Image().format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(alpha.Image().constScanLine(1)[2 * 4], 128);  // premultiplied channel

    // A mask of another size, or a bitmap that is not 24-bit, changes nothing.
    QImage small(2, 2, QImage::Format_RGB888);
    small.fill(Qt::white);
    EXPECT_FALSE(alpha.MergeMask(small, bitmap));
    EXPECT_EQ(alpha.Image().size(), QSize(4, 3));
    EXPECT_FALSE(alpha.MergeMask(mask, bitmap.convertToFormat(QImage::Format_RGB32)));

    // The target of Assign takes the source's size and opacity.
    TGridAlphaMask target;
    target.Opacity = 10;
    target.Assign(alpha);
    EXPECT_EQ(target.Image().size(), QSize(4, 3));
    EXPECT_EQ(target.Opacity, 255);
    EXPECT_EQ(target.Image().pixel(3, 2), alpha.Image().pixel(3, 2));
    TGridAlphaMask empty;
    target.Assign(empty);
    EXPECT_TRUE(target.Image().isNull());
}

TEST(FocusWindow, FollowsTheMovedWindowAndNeverTakesTheFocus)
{
    QWidget form;
    form.resize(300, 200);
    QWidget* grid = new QWidget(&form);
    grid->setGeometry(10, 10, 250, 150);
    QLineEdit* editor = new QLineEdit(grid);
    editor->setGeometry(40, 30, 60, 20);
    form.move(100, 100);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    editor->setFocus();

    const QRect cell(40, 30, 60, 20);
    TGridFocusWindow frame(grid);
    frame.CellRect = [&] { return cell; };
    frame.ShowAround(cell);
    QApplication::processEvents();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.size(), QSize(69, 29));
    EXPECT_EQ(frame.pos(), grid->mapToGlobal(cell.topLeft()) - QPoint(4, 4));
    EXPECT_EQ(frame.mask(), FocusFrameRegion(cell.size()));
    EXPECT_TRUE(frame.mask().contains(QPoint(2, 2)));
    EXPECT_FALSE(frame.mask().contains(QPoint(4, 4)));
    EXPECT_TRUE(frame.mask().contains(QPoint(64, 24)));
    EXPECT_EQ(frame.Mask().Opacity, 230);
    // No compositing offscreen: the ring is drawn opaque in its colour.
    EXPECT_FALSE(CompositingActive());
    EXPECT_EQ(frame.grab().toImage().pixelColor(1, 10), QColor(0x97, 0xD3, 0xFD));
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(QApplication::activeWindow(), &form);

    form.move(160, 130);
    QTRY_COMPARE(frame.pos(), grid->mapToGlobal(cell.topLeft()) - QPoint(4, 4));
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(QApplication::activeWindow(), &form);

    frame.HideFrame();
    EXPECT_FALSE(frame.isVisible());
    const QPoint hiddenAt = frame.pos();
    form.move(200, 150);
    QApplication::processEvents();
    EXPECT_EQ(frame.pos(), hiddenAt);  // a hidden frame stays where it was
}

}  // namespace
