#include "controls/dropdown/color_panels_core.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TEST(ColorBoxes, DefaultPaletteLayout)
{
    std::vector<TColorBoxItem> boxes = DefaultPalette();
    ASSERT_EQ(boxes.size(), 60u);
    EXPECT_EQ(ArrangeColorBoxes(boxes, {}), QSize(165, 84));
    // A gap only after the stand-alone row; the shade rows touch.
    const int rows[] = {4, 20, 32, 44, 56, 68};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 10; ++c)
            EXPECT_EQ(boxes[size_t(r * 10 + c)].Rect, QRect(4 + 16 * c, rows[r], 12, 12)) << r << "," << c;
    EXPECT_EQ(boxes[0].Color, 0xFFFFFFu);
    EXPECT_EQ(boxes[5].Color, 0x4D50C0u);  // C0504D stored blue-green-red
    EXPECT_EQ(boxes[59].ColorBoxPos, ipBottom);
    EXPECT_EQ(ColorBoxAtPos(boxes, QPoint(20, 20)), 11);
    EXPECT_EQ(ColorBoxAtPos(boxes, QPoint(17, 5)), -1);  // the column gap
    std::vector<TColorBoxItem> none;
    EXPECT_EQ(ArrangeColorBoxes(none, {}), QSize(100, 50));
}

TEST(ColorBoxes, SharedColourSelectsTheFirstBox)
{
    const std::vector<TColorBoxItem> boxes = DefaultPalette();
    EXPECT_EQ(FirstBoxOfColor(boxes, 0x7F7F7F), 11);  // rows 2 and 6 both hold it
    EXPECT_EQ(FirstBoxOfColor(boxes, clNone), -1);
    EXPECT_EQ(FirstBoxOfColor(boxes, 0x123456), -1);
}

TEST(ColorCube, CellsAndHitTest)
{
    const auto& cells = CubeCells();
    EXPECT_EQ(cells[0].Center, QPoint(55, 20));
    EXPECT_EQ(cells[6].Center, QPoint(127, 20));
    EXPECT_EQ(cells[57].Center, QPoint(19, 80));   // cell 58 starts row 7
    EXPECT_EQ(cells[69].Center, QPoint(163, 80));
    EXPECT_EQ(cells[126].Center, QPoint(127, 140));
    EXPECT_EQ(cells[63].Color, 0xFFFFFFu);          // the centre cell is white
    EXPECT_EQ(cells[0].Color, 0x663300u);           // 003366 stored blue-green-red
    QSet<quint32> centres;
    for (const CubeCell& c : cells)
        centres.insert(quint32(c.Center.x() << 16 | c.Center.y()));
    EXPECT_EQ(centres.size(), 127);
    const struct { QPoint p; int cell; } cases[] = {
        {{55, 20}, 1}, {{61, 20}, 1}, {{55, 26}, 1}, {{48, 20}, -1}, {{55, 27}, -1}, {{67, 20}, 2}, {{91, 80}, 64}, {{0, 0}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CubeCellAtPos(c.p), c.cell) << c.p.x() << "," << c.p.y();
    EXPECT_EQ(CubeCellOfColor(0x563412), -1);
    EXPECT_EQ(CubeCellOfColor(0xFFFFFF), 64);
    EXPECT_EQ(CubeHexagon({55, 20}, 6, 3)[1], QPoint(55, 14));
    EXPECT_EQ(CubeHint(0x336699), QStringLiteral("Red: 153,  Green: 102,  Blue: 51"));
}

TEST(ColorSpectrum, PictureCursorAndSwatches)
{
    const QImage s = SpectrumImage();
    ASSERT_EQ(s.size(), QSize(128, 128));
    EXPECT_EQ(QColor(s.pixel(0, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(s.pixel(0, 64)), QColor(255, 0, 0));   // full red at the middle row
    EXPECT_EQ(QColor(s.pixel(0, 127)), QColor(Qt::black));
    EXPECT_GT(qBlue(s.pixel(85, 64)), 200);                  // blue two thirds across
    EXPECT_LT(qRed(s.pixel(85, 64)), 60);
    const QImage cursor = PipetteCursorImage();
    EXPECT_EQ(cursor.size(), QSize(32, 32));
    EXPECT_GT(qAlpha(cursor.pixel(kPipetteHotSpot + QPoint(1, -1))), 0);  // the tip at the hot spot
    EXPECT_EQ(qAlpha(cursor.pixel(30, 30)), 0);
    EXPECT_EQ(SpectrumSelectedSwatch(), QRect(QPoint(10, 146), QPoint(72, 165)));
    EXPECT_EQ(SpectrumHotSwatch(), QRect(QPoint(77, 146), QPoint(139, 165)));
}

TEST(ColorText, Forms)
{
    const TColor red = 0x0000FF;
    const struct { TColor c; TColorValueText kind; const char* text; } cases[] = {
        {red, cvtHex, "0000FF"}, {red, cvtHTML, "#FF0000"}, {red, cvtRGB, "Red:255,Green:0,Blue:0"},
        {red, cvtWebName, "clWebRed"}, {0xFAFAFF, cvtWebName, "clWebSnow"}, {0x010203, cvtWebName, "#030201"},
        {0x123456, cvtHex, "123456"}, {red, cvtNone, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorText(c.c, c.kind), QString::fromLatin1(c.text)) << c.text;
    QSet<QString> names;
    QSet<quint32> values;
    for (const WebColor& w : kWebColors) {
        names.insert(QString::fromLatin1(w.Name));
        values.insert(w.Rgb);
    }
    EXPECT_EQ(names.size(), 138);
    EXPECT_EQ(values.size(), 138);  // one name per value
}

}  // namespace
