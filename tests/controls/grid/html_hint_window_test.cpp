// The grid's hint window: kept on the monitor nearest its corner, sized by
// its mini-HTML or wide-encoded text, painted with its text.
#include "controls/grid/core/base_grid.h"
#include "controls/grid/widget/html_hint_window.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

using namespace grid;

namespace {

struct PlaceCase
{
    const char* name;
    QRect hint;
    QRect screen;
    QPoint expected;
};

TEST(HintPlacement, KeepsTheHintOnItsScreen)
{
    const QRect main(0, 0, 1920, 1080);
    const QRect right(1920, 0, 1280, 1024);
    const QRect left(-1280, 0, 1280, 1024);
    const PlaceCase cases[] = {
        {"inside stays", {100, 100, 200, 40}, main, {100, 100}},
        {"touching the edges stays", {1720, 1040, 200, 40}, main, {1720, 1040}},
        {"past the right edge ends 2 inside", {1900, 100, 100, 20}, main, {1818, 100}},
        {"past the bottom ends 2 above", {100, 1070, 100, 20}, main, {100, 1058}},
        {"past both", {1900, 1070, 100, 20}, main, {1818, 1058}},
        {"second monitor", {3150, 1010, 100, 30}, right, {3098, 992}},
        {"monitor left of the main one", {-50, 10, 100, 20}, left, {-102, 10}},
        {"wider than the screen shows its start", {10, 10, 3000, 20}, main, {0, 10}},
        {"taller than the screen shows its top", {10, 10, 50, 2000}, main, {10, 0}},
        {"no screen known leaves it", {5000, 5000, 10, 10}, QRect(), {5000, 5000}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect placed = KeepHintOnScreen(c.hint, c.screen);
        EXPECT_EQ(placed.topLeft(), c.expected);
        EXPECT_EQ(placed.size(), c.hint.size());
    }
}

TEST(HintPlacement, TheMonitorNearestTheCorner)
{
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const struct
    {
        QPoint at;
        int screen;
    } cases[] = {
        {{10, 10}, 0},     {{1919, 500}, 0}, {{1920, 500}, 1},
        {{2500, 1050}, 1}, {{-40, 300}, 0},  {{3300, 10}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at.x());
        EXPECT_EQ(NearestScreen(screens, c.at), screens[c.screen]);
    }
    EXPECT_TRUE(NearestScreen({}, {0, 0}).isNull());
}

TEST(HintWindow, SizesByItsTextAndStaysOnTheScreen)
{
    THTMLHintWindow hint;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();

    hint.ActivateHint(QRect(screen.topLeft() + QPoint(10, 10), QSize(1, 1)), "<b>bold</b> text");
    EXPECT_TRUE(hint.isVisible());
    EXPECT_TRUE(hint.WideCaption().isEmpty());
    const QSize html = hint.TextSize();
    EXPECT_GT(html.width(), 0);
    EXPECT_EQ(hint.geometry(), QRect(screen.topLeft() + QPoint(10, 10), html + QSize(16, 4)));
    EXPECT_EQ(hint.CalcHintRect(1008, "<b>bold</b> text"), QRect(QPoint(0, 0), html));

    // Wide-encoded text is decoded, measured in the hint font, 8 wider.
    const QString word = QStringLiteral("Z\u00fcrich \u0416");
    hint.ActivateHint(QRect(screen.bottomRight() - QPoint(5, 5), QSize(1, 1)), EncodeWideText(word));
    EXPECT_EQ(hint.WideCaption(), word);
    const QFontMetrics fm(hint.font());
    EXPECT_EQ(hint.TextSize(), QSize(fm.horizontalAdvance(word), fm.height()));
    const QRect g = hint.geometry();
    EXPECT_EQ(g.size(), hint.TextSize() + QSize(8, 4));
    EXPECT_EQ(g.x() + g.width(), screen.x() + screen.width() - 2);
    EXPECT_EQ(g.y() + g.height(), screen.y() + screen.height() - 2);

    const QImage shot = hint.grab().toImage();
    const QRgb back = shot.pixel(shot.width() / 2, 1);
    int ink = 0;
    for (int y = 2; y < shot.height() - 2; ++y)
        for (int x = 4; x < shot.width() - 4; ++x)
            ink += shot.pixel(x, y) != back ? 1 : 0;
    EXPECT_GT(ink, 10);
}

} // namespace
