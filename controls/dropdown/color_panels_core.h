#pragma once
#include "controls/dropdown/dropdown_types.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

// The colour picker's panels apart from painting: the 60-box palette and
// its arrangement, the 127-cell hexagon cube, the spectrum picture and the
// pipette cursor drawn by our own code, and the colour texts.
namespace dropdown {

enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

struct TColorBoxItem
{
    TColor Color = clNone;
    TItemPos ColorBoxPos = ipStandAlone;
    bool Enabled = true;
    QRect Rect;
};

// Rows of the default palette (red-green-blue), with their position.
struct PaletteRow
{
    TItemPos Pos;
    std::array<quint32, 10> Rgb;
};
extern const std::array<PaletteRow, 6> kDefaultPalette;
std::vector<TColorBoxItem> DefaultPalette();

struct ColorBoxLayout
{
    int OffSetX = 4, OffSetY = 4;
    int Columns = 10;
    int ColumnGap = 4;
    QSize BoxSize{12, 12};
};
// Sets each box's Rect; a gap of ColumnGap follows rows that hold a
// stand-alone box. The grid's size (100 by 50 without boxes).
QSize ArrangeColorBoxes(std::vector<TColorBoxItem>& boxes, const ColorBoxLayout& layout);
int ColorBoxAtPos(const std::vector<TColorBoxItem>& boxes, QPoint p);
// The first box of exactly that colour, or -1 (also for clNone).
int FirstBoxOfColor(const std::vector<TColorBoxItem>& boxes, TColor color);

struct CubeCell
{
    QPoint Center;
    TColor Color;
};
// Cells 1 to 127 at indices 0 to 126.
const std::array<CubeCell, 127>& CubeCells();
// The cell (1 to 127) whose centre lies within 6 pixels, else -1.
int CubeCellAtPos(QPoint p);
int CubeCellOfColor(TColor color);
// The hexagon of a cell: half width w, quarter height q.
std::array<QPoint, 6> CubeHexagon(QPoint center, int w, int q);
// "Red: %d,  Green: %d,  Blue: %d".
QString CubeHint(TColor color);

// The spectrum picture: hue across, white at the top through the full hue
// at row 64 to black at the bottom; 128 by 128.
QImage SpectrumImage();
// The pipette cursor, 32 by 32 with its tip at the hot spot (1, 30).
QImage PipetteCursorImage();
constexpr QPoint kPipetteHotSpot{1, 30};
// Swatches of the spectrum panel (150 by 174, image at (11, 10)).
constexpr QRect kSpectrumImageRect{11, 10, 128, 128};
QRect SpectrumSelectedSwatch();
QRect SpectrumHotSwatch();

// The texts a colour is shown as.
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };
struct WebColor
{
    const char* Name;
    quint32 Rgb;
};
extern const std::array<WebColor, 138> kWebColors;
QString ColorText(TColor color, TColorValueText kind);

}  // namespace dropdown
