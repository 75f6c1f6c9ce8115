#include "controls/dropdown/color_styles.h"
#include "controls/dropdown/drawing_routines.h"
#include "platform/text/format_settings.h"
#include "platform/text/system_colors.h"

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


// Columns and rows holding dark grey to black pixels: the drawn text.
struct Ink
{
    int left = -1, right = -1, top = -1, bottom = -1;
};

Ink InkIn(const QImage& image, QRect area)
{
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const QRgb p = image.pixel(x, y); qRed(p) < 128 && qGreen(p) < 128 && qBlue(p) < 128) {
                ink.left = ink.left < 0 ? x : std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = ink.top < 0 ? y : std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

QPixmap Solid(QSize size, QColor color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

TEST(DrawImageText, ImageThenLeftTextElseCentred)
{
    const QList<QPixmap> images{Solid({6, 6}, Qt::red)};
    struct Case
    {
        const QList<QPixmap>* images;
        int index;
        bool image;
    } cases[] = {{&images, 0, true}, {nullptr, 0, false}, {&images, -1, false}, {&images, 3, false}};
    for (const Case& c : cases) {
        QImage image(120, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        const QString text = QStringLiteral("MMMM");
        const int textWidth = painter.fontMetrics().horizontalAdvance(text);
        DrawImageText(painter, QRect(10, 0, 100, 20), text, c.images, c.index);
        painter.end();
        const SCOPED_TRACE(c.index);
        // Left + 4, (20 - 6) / 2 down.
        EXPECT_EQ(Probe(image, 14, 7), c.image ? 0x0000FFu : 0xFFFFFFu);
        EXPECT_EQ(Probe(image, 19, 12), c.image ? 0x0000FFu : 0xFFFFFFu);
        EXPECT_EQ(Probe(image, 14, 6), 0xFFFFFFu);
        const Ink ink = InkIn(image, QRect(0, 0, 120, 20));
        ASSERT_GE(ink.left, 0);
        if (c.image) {
            EXPECT_NEAR(ink.left, 10 + 6 + 8, 2);  // the text area starts image width + 8 on
        } else {
            EXPECT_NEAR(ink.left, 10 + (100 - textWidth) / 2, 2);
            EXPECT_NEAR(119 - 10 - ink.right, ink.left - 10, 3);
        }
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 10, 2.5);  // vertically centred
    }

    // Too long: cut with an ellipsis inside the rectangle.
    QImage image(60, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    DrawImageText(painter, QRect(0, 0, 40, 20), QStringLiteral("MMMMMMMMMMMMMMMMMMMM"), nullptr, -1);
    painter.end();
    const Ink ink = InkIn(image, QRect(0, 0, 60, 20));
    ASSERT_GE(ink.right, 0);
    EXPECT_LT(ink.right, 40);
}

TEST(DrawTransparentBitmap, TopLeftColourReplacedAndStretched)
{
    QImage bitmap(2, 2, QImage::Format_RGB32);
    bitmap.fill(QColor(0xFF, 0x00, 0xFF));
    bitmap.setPixel(1, 1, qRgb(0xFF, 0, 0));
    const QImage copy = TransparentBitmap(bitmap, 0x00FF00);
    EXPECT_EQ(Probe(copy, 0, 0), 0x00FF00u);
    EXPECT_EQ(Probe(copy, 1, 0), 0x00FF00u);  // every pixel of the corner colour
    EXPECT_EQ(Probe(copy, 1, 1), 0x0000FFu);
    EXPECT_EQ(Probe(bitmap, 0, 0), 0xFF00FFu);  // the source stays

    QImage image(12, 12, QImage::Format_RGB32);
    image.fill(QColor(0x11, 0x22, 0x33));
    QPainter painter(&image);
    DrawTransparentBitmap(painter, bitmap, clBtnFace, QRect(2, 2, 8, 8));
    painter.end();
    EXPECT_EQ(Probe(image, 1, 1), kUnpainted);
    EXPECT_EQ(Probe(image, 2, 2), platform::ColorToRGB(clBtnFace));  // system colours resolved
    EXPECT_EQ(Probe(image, 5, 5), platform::ColorToRGB(clBtnFace));
    EXPECT_EQ(Probe(image, 6, 6), 0x0000FFu);
    EXPECT_EQ(Probe(image, 9, 9), 0x0000FFu);
    EXPECT_EQ(Probe(image, 10, 10), kUnpainted);
}

TEST(HtmlDraw, MeasureOnlyOrDrawWithImagesAndLinks)
{
    const QList<QPixmap> images{Solid({8, 8}, Qt::red)};
    auto run = [&](const QString& text, bool draw, QSize* size) {
        QImage image(200, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        *size = HtmlDraw(painter, text, QRect(0, 0, 200, 30), draw, &images);
        return image;
    };
    QSize size;
    QImage image = run(QString(), true, &size);
    EXPECT_EQ(size, QSize(0, 0));
    EXPECT_LT(InkIn(image, image.rect()).left, 0);

    const QString text = QStringLiteral("<IMG src=\"IDX:0\"> <b>Go</b> <a href=\"x\">there</a>");
    QSize measured;
    image = run(text, false, &measured);
    EXPECT_GT(measured.width(), 8);
    EXPECT_GE(measured.height(), 8);
    EXPECT_LT(InkIn(image, image.rect()).left, 0);  // measuring draws nothing

    image = run(text, true, &size);
    EXPECT_EQ(size, measured);
    int red = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c == QColor(Qt::red);
            blue += c.blue() > 150 && c.red() < 90 && c.green() < 90;
        }
    EXPECT_EQ(red, 64);  // the picture of the image list
    EXPECT_GT(blue, 0);  // the link
    EXPECT_GE(InkIn(image, image.rect()).left, 0);
}

}  // namespace
