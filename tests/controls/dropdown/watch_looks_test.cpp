#include "controls/dropdown/watch.h"
#include "controls/dropdown/watch_looks.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TEST(WatchLooks, EveryStyleHasOneRow)
{
    for (int s = wsClassic; s <= wsSmooth; ++s) {
        int rows = 0;
        for (const WatchLook& l : kWatchLooks)
            rows += l.Style == s;
        EXPECT_EQ(rows, 1) << s;
    }
}

TEST(WatchLooks, LooksStartFromTheDefaults)
{
    TWatchAppearance a;
    a.BorderWidth = 13;  // a leftover of an earlier look
    a.MinuteColor = 0x112233;
    bool ampm = true;
    bool numbers = true;
    ApplyWatchLook(a, wsTower, 180, ampm, numbers);
    EXPECT_EQ(a.MinuteColor, TWatchAppearance{}.MinuteColor);
    EXPECT_EQ(a.BorderWidth, 1);
    EXPECT_EQ(a.Shape, wsRect);
    EXPECT_EQ(a.AMPMColor, 0xB1F0FEu);  // the background colour
    EXPECT_TRUE(ampm);                  // kept
    EXPECT_FALSE(numbers);

    ampm = false;
    ApplyWatchLook(a, wsEmerald, 180, ampm, numbers);
    EXPECT_EQ(a.HourFontColor, 0x3AE800u);  // follows the background
    EXPECT_EQ(a.HourColor, 0x3AE800u);
    EXPECT_EQ(a.AMPMColor, clNone);
    EXPECT_TRUE(a.QuarterDoubleLine);

    // Sizes from the control's smaller side.
    ApplyWatchLook(a, wsSuperNova, 180, ampm, numbers);
    EXPECT_EQ(a.HourMarkLength, 40);    // Round(180 / 4.5)
    EXPECT_EQ(a.MinuteMarkLength, 60);  // 180 div 3
    ApplyWatchLook(a, wsSports, 100, ampm, numbers);
    EXPECT_EQ(a.CenterPointSize, 28);  // Round(100 / 3.6)
    EXPECT_EQ(a.HourFontFamily, QStringLiteral("Times New Roman"));
    EXPECT_EQ(a.TickMarks, tmQuartHours);
    EXPECT_TRUE(numbers);
}

TEST(WatchLooks, TheWatchPaintsItsLook)
{
    TExWatch watch;
    watch.resize(180, 180);
    watch.SetStyle(wsBlack);
    EXPECT_EQ(watch.Appearance().BackgroundColor, 0x202020u);
    EXPECT_FALSE(watch.ShowAMPM());
    QImage shot(watch.size(), QImage::Format_RGB32);
    watch.render(&shot);
    // Between the centre and the dial, away from the hands at 00:00.
    EXPECT_EQ(shot.pixelColor(watch.GetCenter() + QPoint(-40, 30)), QColor(0x20, 0x20, 0x20));
    watch.SetStyle(wsClassic);
    EXPECT_TRUE(watch.Appearance().HourFontBold);
    EXPECT_TRUE(watch.ShowAMPM());
}

}  // namespace
