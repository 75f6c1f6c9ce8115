// The floating footer's strip, offscreen: its height follows Visible, its
// pixels the footer and grid colours left and right of the shown columns, a
// click names the column under it, and the owner paints fsCustomPaint.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/floating_footer.h"
#include "controls/grid/widget/grid_widget.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

using namespace grid;

namespace {

void Make(TExStringGrid& g)
{
    g.SetColCount(4);
    g.SetRowCount(5);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    for (int c = 0; c < 4; ++c)
        g.SetColWidths(c, 50);
    g.SetOptions({});
    g.FloatingFooter.Color = 0x00FFFF; // yellow
    g.Color = 0xFFFFFF;
}

QImage Shot(QWidget& w)
{
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    w.render(&image);
    return image;
}

} // namespace

TEST(FooterStrip, HeightPixelsAndClicks)
{
    TExStringGrid g;
    Make(g);
    TFooterPanel strip(g);
    EXPECT_FALSE(strip.isVisibleTo(nullptr));
    g.SetFloatingFooterVisible(true);
    EXPECT_EQ(strip.height(), g.DefaultRowHeight());
    strip.resize(300, strip.height());
    strip.show();

    const QImage shot = Shot(strip);
    EXPECT_EQ(shot.pixel(10, 5), qRgb(255, 255, 0));
    EXPECT_EQ(shot.pixel(195, 5), qRgb(255, 255, 0));
    EXPECT_EQ(shot.pixel(250, 5), qRgb(255, 255, 255));

    std::vector<std::pair<int, int>> clicks;
    g.OnClickCell = [&clicks](TExStringGrid*, int row, int col) { clicks.emplace_back(row, col); };
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(75, 5));
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(250, 5));
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{4, 1}, {4, 0}}));

    g.FloatingFooter.BorderColor = 0x0000FF; // red line along the top
    strip.update();
    EXPECT_EQ(Shot(strip).pixel(100, 0), qRgb(255, 0, 0));

    g.SetFloatingFooterVisible(false);
    EXPECT_EQ(strip.height(), 0);
    EXPECT_FALSE(strip.isVisible());
}

TEST(FooterStrip, OwnerPaintsTheCustomStyle)
{
    TExStringGrid g;
    Make(g);
    TFooterPanel strip(g);
    g.FloatingFooter.Column = 2;
    g.SetFloatingFooterStyle(fsCustomPaint);
    g.SetFloatingFooterVisible(true);
    strip.resize(300, strip.height());
    int column = -1;
    strip.OnFooterPaint = [&column](int c, QPainter& p, const QRect& r) {
        column = c;
        p.fillRect(r, Qt::blue);
    };
    const QImage shot = Shot(strip);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(shot.pixel(290, 5), qRgb(0, 0, 255));
}

// In the painted grid the strip sits right below the cells, which give up
// its height while it is shown and take it back when it goes.
TEST(FooterStrip, DockedBelowTheCellsOfTheGrid)
{
    TExStringGrid g;
    Make(g);
    TGridWidget widget(g);
    widget.resize(300, 200);
    widget.show();
    const int full = widget.viewport()->height();
    const TFooterPanel* strip = widget.FooterPanel();
    ASSERT_NE(strip, nullptr);
    EXPECT_FALSE(strip->isVisible());

    g.SetFloatingFooterVisible(true);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_GT(strip->height(), 0);
    EXPECT_EQ(widget.viewport()->height(), full - strip->height());
    EXPECT_EQ(strip->geometry().top(), widget.viewport()->geometry().bottom() + 1);
    EXPECT_EQ(strip->width(), widget.viewport()->width());
    EXPECT_EQ(g.ClientHeight(), widget.viewport()->height());

    g.SetFloatingFooterVisible(false);
    EXPECT_EQ(widget.viewport()->height(), full);
}
