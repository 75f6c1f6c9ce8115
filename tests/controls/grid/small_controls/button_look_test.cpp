#include "controls/grid/small_controls/button_look.h"

#include <gtest/gtest.h>

namespace {

using namespace grid;

TEST(ButtonLook, LookTable)
{
    const ButtonLookColors* look2 = ButtonLook(2);
    ASSERT_TRUE(look2);
    EXPECT_EQ(look2->Color, 0xFDEADAu);
    EXPECT_EQ(look2->ColorTo, 0xE4AE88u);
    EXPECT_EQ(look2->BorderDown, clBlack);
    EXPECT_FALSE(look2->Rounded);
    const ButtonLookColors* look0 = ButtonLook(0);
    EXPECT_TRUE(look0->Rounded);
    EXPECT_EQ(look0->BorderDown, 0xAF987Au);
    EXPECT_EQ(look0->BorderHot, 0xC3CECEu);
    EXPECT_EQ(ButtonLook(3)->ColorHot, look2->ColorHot);  // looks 3 and 4 share look 2's hot colours
    EXPECT_EQ(ButtonLook(6)->ColorCheckedTo, 0x9CDDEDu);
    EXPECT_EQ(ButtonLook(-1), nullptr);
    EXPECT_EQ(ButtonLook(7), nullptr);
}

TEST(ButtonLook, GradientBands)
{
    struct Case
    {
        bool horizontal;
        QRect rect;
        int steps;
        std::vector<QRect> bands;
    } cases[] = {
        {false, QRect(0, 0, 10, 8), 4, {{0, 0, 10, 3}, {0, 2, 10, 3}, {0, 4, 10, 3}, {0, 6, 10, 2}}},
        {true, QRect(5, 1, 6, 4), 3, {{5, 1, 3, 4}, {7, 1, 3, 4}, {9, 1, 2, 4}}},
        {false, QRect(0, 0, 4, 5), 0, {{0, 0, 4, 5}}},  // 0 steps count as 1
        {false, QRect(0, 0, 4, 0), 3, {}},
    };
    for (const Case& c : cases) {
        const auto bands = ButtonGradientBands(QColor(0, 0, 0), QColor(200, 100, 40), c.horizontal, c.rect, c.steps);
        ASSERT_EQ(bands.size(), c.bands.size());
        for (size_t i = 0; i < bands.size(); ++i)
            EXPECT_EQ(bands[i].Rect, c.bands[i]) << i;
    }
    // Band n: start + n * (end - start) / steps, rounded.
    const auto bands = ButtonGradientBands(QColor(0, 10, 255), QColor(255, 10, 0), false, QRect(0, 0, 1, 3), 3);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].Color, QColor(0, 10, 255));
    EXPECT_EQ(bands[1].Color, QColor(85, 10, 170));
    EXPECT_EQ(bands[2].Color, QColor(170, 10, 85));
}

TEST(ButtonLook, GreyAndShadedGlyphs)
{
    QImage glyph(4, 1, QImage::Format_RGB32);
    glyph.setPixel(0, 0, qRgb(0, 0, 0));
    glyph.setPixel(1, 0, qRgb(255, 255, 255));
    glyph.setPixel(2, 0, qRgb(10, 20, 31));   // 61 / 3 = 20.3 -> 20 -> 10 + 96
    glyph.setPixel(3, 0, qRgb(0, 0, 2));      // 0.67 -> 1 -> 0 + 96
    const QImage grey = GreyGlyph(glyph);
    EXPECT_EQ(grey.pixel(0, 0) & 0xFFFFFF, 0x606060u);
    EXPECT_EQ(grey.pixel(1, 0) & 0xFFFFFF, 0xDFDFDFu);
    EXPECT_EQ(grey.pixel(2, 0) & 0xFFFFFF, 0x6A6A6Au);
    EXPECT_EQ(grey.pixel(3, 0) & 0xFFFFFF, 0x606060u);

    // The bottom-left pixel's colour is see-through; the rest goes grey in the shade.
    QImage icon(2, 2, QImage::Format_RGB32);
    icon.fill(qRgb(255, 0, 255));
    icon.setPixel(1, 0, qRgb(0, 0, 200));
    const QImage shade = ShadeGlyph(icon);
    EXPECT_EQ(qAlpha(shade.pixel(0, 1)), 0);
    EXPECT_EQ(qAlpha(shade.pixel(0, 0)), 0);
    EXPECT_EQ(shade.pixel(1, 0), qRgb(0x80, 0x80, 0x80));
}

}  // namespace
