#include "controls/dropdown/color_styles.h"
#include "controls/dropdown/drawing_routines.h"
#include "platform/text/format_settings.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TColor Probe(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return TColor(qRed(p)) | TColor(qGreen(p)) << 8 | TColor(qBlue(p)) << 16;
}

QImage Painted(TColor from, TColor to, int steps, QRect rect, bool horizontal, QSize size = {12, 12})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0x11, 0x22, 0x33));
    QPainter painter(&image);
    DrawGradient(painter, from, to, steps, rect, horizontal);
    return image;
}

constexpr TColor kUnpainted = 0x332211;

TEST(DrawGradient, BandsOnAnImage)
{
    // Two horizontal bands over 10 pixels: 0x000000 then round(255 / 2) = 128
    // (ties to even); the right column stays unpainted.
    const QImage two = Painted(0x000000, 0x0000FF, 2, QRect(0, 0, 10, 4), true);
    EXPECT_EQ(Probe(two, 0, 1), 0x000000u);
    EXPECT_EQ(Probe(two, 3, 1), 0x000000u);
    EXPECT_EQ(Probe(two, 4, 1), 0x000080u);  // the one-pixel overlap goes to the later band
    EXPECT_EQ(Probe(two, 8, 1), 0x000080u);
    EXPECT_EQ(Probe(two, 9, 1), kUnpainted);
    EXPECT_EQ(Probe(two, 2, 4), kUnpainted);

    // Steps 0 count as 1: one band in the start colour.
    const QImage one = Painted(0x00FF00, 0xFF0000, 0, QRect(1, 1, 6, 6), false);
    EXPECT_EQ(Probe(one, 3, 1), 0x00FF00u);
    EXPECT_EQ(Probe(one, 3, 5), 0x00FF00u);
    EXPECT_EQ(Probe(one, 3, 6), 0x00FF00u);  // a whole band: d + 1 rows from the top
    EXPECT_EQ(Probe(one, 3, 7), kUnpainted);

    // Bands touch with one pixel of overlap: nothing left between them.
    const std::vector<GradientBand> bands = GradientBands(0, 0xFFFFFF, 7, QRect(0, 0, 50, 3), true);
    ASSERT_EQ(bands.size(), 7u);
    for (size_t i = 1; i < bands.size(); ++i)
        EXPECT_LE(bands[i].Rect.left(), bands[i - 1].Rect.right() + 1) << i;
    EXPECT_EQ(bands.back().Rect.right(), 49);  // d = 7 exactly: the last column is reached
}

TEST(ColorArithmetic, BlendAndShade)
{
    struct Case
    {
        TColor got, want;
    } cases[] = {
        {BlendColor(0xFFFFFF, 0x000000, 50), 0x808080},   // 127.5 rounds to 128
        {BlendColor(0x123456, 0xABCDEF, 100), 0x123456},
        {BlendColor(0x123456, 0xABCDEF, 150), 0x123456},
        {BlendColor(0x123456, 0xABCDEF, 0), 0xABCDEF},
        {BlendColor(0x000000, 0xFFFFFF, 20), 0xCCCCCC},   // the bars' inner frame: 20 % border
        {ShadeColor(0x808080, -50, -50, -50), 0x404040},
        {ShadeColor(0x000080, 0, 10, 10), 0x0A0A80},
        {ShadeColor(0xF5F0E1, -10, -10, 0), 0xF5D8CA},    // the checked button colour from the hot one
        {ShadeColor(0x102030, 20, 20, 20), 0x102030},     // positive percentages leave a channel
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want) << std::hex << c.want;
}

TEST(TextRoutines, KindsUnderBothSeparators)
{
    platform::FormatSettings dot;
    platform::FormatSettings comma;
    comma.DecimalSeparator = u',';
    comma.ThousandSeparator = u'.';
    struct Case
    {
        const char* text;
        TTextKind dotKind, commaKind;
    } cases[] = {
        {"", tkString, tkString},
        {"-12", tkNumeric, tkNumeric},
        {"--1", tkString, tkString},
        {"1.5", tkFloat, tkFloat},
        {"1,234.5", tkFloat, tkFloat},
        {",123", tkString, tkFloat},    // a thousand separator first is no float
        {".123", tkFloat, tkString},
        {"1.234.5", tkString, tkFloat},  // two decimal separators under the dot
        {"1,234,5", tkFloat, tkString},  // under the comma
        {"1,2,3", tkString, tkString},   // separators closer than 3
        {"1,23,4", tkFloat, tkString},
        {"1,2", tkFloat, tkFloat},
        {"1,,2", tkString, tkString},
        {"ff", tkHex, tkHex},
        {"12a", tkHex, tkHex},
        {"x1", tkString, tkString},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyText(QString::fromLatin1(c.text), dot), c.dotKind) << c.text;
        EXPECT_EQ(ClassifyText(QString::fromLatin1(c.text), comma), c.commaKind) << c.text;
    }
}

TEST(TextRoutines, HexValuesAreBounded)
{
    EXPECT_EQ(HexToInt(QStringLiteral("ff")), 255u);
    EXPECT_EQ(HexToInt(QStringLiteral("FFFFFFFF")), 0xFFFFFFFFu);
    EXPECT_EQ(HexToInt(QStringLiteral("1FFFFFFFF")), 0xFFFFFFFFu);  // a ninth digit is cut, no overflow
    EXPECT_EQ(HexToInt(QStringLiteral("-1")), 1u);  // no sign; the entry refuses "-"
    EXPECT_EQ(HexToInt(QString()), 0u);
    EXPECT_EQ(HexDigitValue(u'g'), 0);
    EXPECT_TRUE(IsRangeSeparator(u';'));
    EXPECT_FALSE(IsRangeSeparator(u'.'));
}

// Every character 10 pixels wide.
class FixedMeasure : public TextMeasure
{
public:
    QSize Extent(const QString& text) override { return QSize(10 * int(text.size()), 13); }
};

TEST(TextRoutines, TruncateText)
{
    FixedMeasure m;
    EXPECT_EQ(TruncateText(m, QStringLiteral("abcd"), 40, true), QStringLiteral("abcd"));  // fits: no "..."
    EXPECT_EQ(TruncateText(m, QStringLiteral("abcdefgh"), 60, true), QStringLiteral("ab..."));
    EXPECT_EQ(TruncateText(m, QStringLiteral("abcdefgh"), 60, false), QStringLiteral("abcde"));
    EXPECT_EQ(TruncateText(m, QStringLiteral("abcdefgh"), 20, true), QStringLiteral("abcdefgh"));  // none fits
    EXPECT_EQ(GetTextSize(m, QString()), QSize(0, 0));
    EXPECT_EQ(GetTextSize(m, QStringLiteral("ab")), QSize(20, 13));
}

TEST(ColorStyles, CodePaths)
{
    // tsCustom has no row: it changes nothing.
    EXPECT_EQ(PopupColorsOf(grid::tsCustom), nullptr);
    EXPECT_EQ(ButtonColorsOf(grid::tsCustom), nullptr);
    EXPECT_EQ(ItemColorsOf(grid::tsCustom), nullptr);
    int keeps = 0, nones = 0;
    for (int style = 0; style < 16; ++style) {
        if (style == grid::tsCustom)
            continue;
        const auto t = TSkinStyle(style);
        ASSERT_NE(PopupColorsOf(t), nullptr);
        ASSERT_NE(ButtonColorsOf(t), nullptr);
        ASSERT_NE(ItemColorsOf(t), nullptr);
        keeps += PopupColorsOf(t)->DropDownBorderColor == kKeep;
        nones += PopupColorsOf(t)->DropDownBorderColor == clNone;
        // Only the border of the popup may be left as it is.
        EXPECT_NE(PopupColorsOf(t)->DropDownColor, kKeep);
        EXPECT_NE(PopupColorsOf(t)->Header.Color, kKeep);
    }
    EXPECT_EQ(keeps, 3);  // the dashes: 2003 blue and silver, XP
    EXPECT_GT(nones, 0);
    EXPECT_EQ(SelectionSchemeOf(scCustom), nullptr);
    EXPECT_NE(SelectionSchemeOf(scOffice2007)->LowerFrom, clNone);
    EXPECT_EQ(SelectionSchemeOf(scWindows7)->LowerFrom, clNone);
}

}  // namespace
