// The thin scroll thumb: geometry, page presses and dragging, with halves
// rounded to even.
#include "controls/grid/core/thumb_geometry.h"

#include <gtest/gtest.h>

using namespace grid;

TEST(ThumbGeometry, RoundHalfEven)
{
    const struct
    {
        long long num, den, rounded;
    } cases[] = {{25, 2, 12}, {27, 2, 14}, {5, 10, 0}, {15, 10, 2}, {-5, 10, 0}, {-15, 10, -2},
                 {-7, 2, -4}, {26, 10, 3}, {24, 10, 2}, {0, 3, 0}, {-26, 10, -3}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.num, c.den), c.rounded) << c.num << "/" << c.den;
}

TEST(ThumbGeometry, Thumb)
{
    const struct
    {
        const char* name;
        ThumbAxis axis;
        int start, length;
        bool shown;
    } cases[] = {
        // length, fixed, footer, first, fixed count, count, visible
        {"100 rows, 20 shown, one fixed row", {400, 20, 0, 1, 1, 100, 20}, 20, 76, true},
        {"all scrollable rows fit", {400, 20, 0, 1, 1, 4, 3}, 20, 285, false},
        {"short thumb drawn 20 long", {400, 0, 0, 0, 0, 1000, 10}, 0, 20, true},
        {"pulled back at the end", {400, 0, 0, 990, 0, 1000, 10}, 380, 20, true},
        {"start 12.5 goes to 12, not 13", {100, 0, 0, 1, 0, 8, 2}, 12, 25, true},
        {"start 62.5 goes to 62", {100, 0, 0, 5, 0, 8, 2}, 62, 25, true},
        {"start 37.5 goes to 38", {100, 0, 0, 3, 0, 8, 2}, 38, 25, true},
        {"footers shorten the track", {400, 20, 30, 1, 1, 101, 20}, 20, 69, true},
        {"nothing to scroll", {400, 20, 0, 1, 1, 1, 0}, 20, 20, false},
        {"no rows", {400, 0, 0, 0, 0, 0, 0}, 0, 20, false},
    };
    for (const auto& c : cases) {
        const ThumbGeometry t = MetroThumb(c.axis);
        EXPECT_EQ(t.Start, c.start) << c.name;
        EXPECT_EQ(t.Length, c.length) << c.name;
        EXPECT_EQ(t.Shown, c.shown) << c.name;
    }
}

TEST(ThumbGeometry, PagesAndDrags)
{
    // Thumb at 35..111 for row 5 of 100 (20 shown, one fixed row).
    const ThumbAxis axis{400, 20, 0, 5, 1, 100, 20};
    const struct
    {
        int p, first;
    } presses[] = {{25, 1}, {34, 1}, {35, -1}, {80, -1}, {111, -1}, {112, 25}, {399, 25}};
    for (const auto& c : presses)
        EXPECT_EQ(MetroPageTarget(axis, c.p), c.first) << c.p;
    ThumbAxis nearEnd = axis;
    nearEnd.First = 70;
    EXPECT_EQ(MetroPageTarget(nearEnd, 390), 80);

    const struct
    {
        ThumbAxis axis;
        int p, downPos, downFirst, firstSize, first;
    } drags[] = {
        {axis, 69, 50, 10, 20, 15},      // 19 px of 380 are 5 rows
        {axis, -400, 50, 10, 20, 1},     // never above the first scrollable row
        {axis, 399, 0, 10, 20, 80},      // never past the last screen
        {{400, 0, 0, 3, 0, 10, 2}, 19, 0, 3, 20, 3},  // half a row rounds to even: 0
        {{400, 0, 0, 3, 0, 10, 2}, 57, 0, 3, 20, 5},  // one and a half: 2
        {{20, 0, 0, 3, 0, 10, 2}, 57, 0, 3, 20, 3},   // no track to drag on
    };
    for (const auto& c : drags)
        EXPECT_EQ(MetroDragTarget(c.axis, c.p, c.downPos, c.downFirst, c.firstSize), c.first) << c.p;
}
