// The tree's stateless drawing routines with a measure of one pixel per character.

#include "controls/tree/widget/drag_image.h"
#include "controls/tree/widget/draw_utils.h"

#include "qt_print.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lazytree;

namespace {

int Chars(const QString& s) { return static_cast<int>(s.size()); }

TEST(DrawUtils, EllipsizeText)
{
    struct Case {
        const char* text;
        int width;
        int ellipsis;
        const char* expected;
    } cases[] = {
        {"abcdef", 9, 3, "abcdef"},  // fits whole beside the ellipsis
        {"abcdef", 6, 3, "abc..."},  // callers shorten only what does not fit; the ellipsis always counts
        {"abcdef", 5, 3, "ab..."},
        {"abcdef", 4, 3, "a..."},
        {"abcdef", 3, 3, ""},        // only the ellipsis would fit
        {"abcdef", 5, 0, "ab..."},   // the ellipsis is measured
        {"abcdef", 0, 3, ""},
        {"", 10, 3, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EllipsizeText(QString::fromLatin1(c.text), c.width, c.ellipsis, Chars),
            QString::fromLatin1(c.expected))
            << c.text << " in " << c.width;
}

TEST(DrawUtils, WrapTextToWidth)
{
    struct Case {
        const char* text;
        int width;
        bool rightToLeft;
        const char* expected;
    } cases[] = {
        {"aa bb cc", 5, false, "aa bb\ncc"},
        {"aa bb cc", 5, true, "bb cc\naa"},  // right-to-left fills lines from the last word
        {"  aa bb  ", 10, false, "aa bb"},   // trimmed
        {"abcdefg", 3, false, "abc\ndef\ng"}, // a word wider than a line is cut
        {"abcdefg", 3, true, "efg\nbcd\na"},
        {"abc", 1, false, "a\nb\nc"},
        {"", 5, false, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WrapTextToWidth(QString::fromLatin1(c.text), c.width, c.rightToLeft, Chars),
            QString::fromLatin1(c.expected))
            << c.text << " in " << c.width << (c.rightToLeft ? " rtl" : "");
}

TEST(DrawUtils, AlphaBlendPixels)
{
    // Bytes in memory order blue, green, red, alpha; all four are blended alike.
    const uint32_t source = 0x80FF4000; // alpha 0x80, red 0xFF, green 0x40, blue 0x00
    struct Case {
        TAlphaBlendKind kind;
        int constantAlpha;
        int bias;
        uint32_t destination;
        uint32_t expected;
    } cases[] = {
        {bkConstantAlpha, 256, 0, 0x00000000, source},
        {bkConstantAlpha, 0, 0, 0x11223344, 0x11223344},
        {bkConstantAlpha, 128, 0, 0x00000000, 0x407F2000},
        {bkPerPixelAlpha, 0, 0, 0x00000000, 0x407F2000}, // the source alpha 0x80 as weight
        {bkMasterAlpha, 128, 0, 0x00000000, 0x203F1000},  // 0x80 × 128 / 256 = 64
        {bkConstantAlpha, 256, 10, 0x00000000, 0x8AFF4A0A}, // bias added, clamped at 255
        {bkConstantAlpha, 256, -10, 0x00000000, 0x76F53600}, // and at 0
        // 255 is not quite the source: (255 × s + d) / 256 per byte.
        {bkConstantAlpha, 255, 0, 0x00000000, 0x7FFE3F00},
        // A positive bias cannot lift white above 255, a negative one cannot push black below 0.
        {bkConstantAlpha, 0, 127, 0xFFFFFFFF, 0xFFFFFFFF},
        {bkConstantAlpha, 0, -128, 0x00000000, 0x00000000},
    };
    for (const Case& c : cases) {
        uint32_t d = c.destination;
        AlphaBlendPixels(&source, &d, 1, c.kind, c.constantAlpha, c.bias);
        EXPECT_EQ(d, c.expected) << std::hex << "kind " << c.kind << " alpha " << std::dec << c.constantAlpha;
    }
    uint32_t d = 0x00FFFFFF;
    AlphaTintPixels(&d, 1, 128, 0x000000FF); // tint with red (0x00BBGGRR)
    EXPECT_EQ(d, 0x00FF7F7Fu);
}

} // namespace

TEST(DragImage, FadeAndColourKeyBlendTheDragPixmap)
{
    using namespace lazytree;
    // The fade: full at the centre, e^-4 (about 4.67, so 5) half a side away, e^-8 at the corner distance.
    EXPECT_EQ(FadeAlpha(50, 50, 100, 100), 255);
    EXPECT_EQ(FadeAlpha(100, 50, 100, 100), 5);
    EXPECT_EQ(FadeAlpha(50, 0, 100, 100), 5);
    EXPECT_EQ(FadeAlpha(0, 0, 100, 100), int(std::nearbyint(255 * std::exp(-8 * std::sqrt(0.5)))));

    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(qRgb(200, 100, 0));
    image.setPixel(10, 10, qRgb(1, 2, 3));
    struct Case {
        TDragImageOptions options;
        QPoint at;
        int alpha;
    };
    const Case cases[] = {
        {{}, {50, 50}, 128},                               // flat default transparency
        {{128, true, std::nullopt, 0}, {50, 50}, 128},     // fade at the centre: the transparency
        {{255, true, std::nullopt, 0}, {100 - 1, 50}, 5},  // near the edge almost gone
        {{200, false, qRgb(1, 2, 3), 0}, {10, 10}, 0},     // the colour key vanishes
        {{200, false, qRgb(1, 2, 3), 0}, {20, 20}, 200},   // other pixels keep the transparency
    };
    for (const Case& c : cases) {
        const QImage blended = BlendDragImage(image, c.options);
        EXPECT_NEAR(qAlpha(blended.pixel(c.at)), c.alpha, 1) << c.at.x() << "," << c.at.y();
    }
    // The pre-blend bias lifts every channel, clamped.
    TDragImageOptions bias;
    bias.Transparency = 255;
    bias.PreBlendBias = 100;
    EXPECT_EQ(BlendDragImage(image, bias).pixel(50, 50), qRgba(255, 200, 100, 255));
}
