#pragma once
#include <QPoint>
#include <QRect>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>

// Basic types of the grid: colours, enumerations, small value records and the
// grid's error. Enumeration ordinals are stored values; keep their order.
namespace grid {

// 0x00BBGGRR (red in the low byte); system colours 0xFF0000nn.
using TColor = quint32;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;
// System colours: 0xFF000000 + the system colour index.
constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clInfoText = 0xFF000017;
constexpr TColor clInfoBk = 0xFF000018;

// The grid's own error, with the literal English texts of its checks.
class GridError : public std::runtime_error
{
public:
    explicit GridError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// A cell position (column, row).
struct TGridCoord
{
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A cell range by indices, edges included.
struct TGridRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell { hcNormal, hcFixed, hcSelected };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// Font styles as a bit set.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// The set types are small bit sets over their enumerations.
template <typename E>
class TSet
{
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items)
    {
        for (E e : items)
            bits_ |= Bit(e);
    }
    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr void Include(E e) { bits_ |= Bit(e); }
    constexpr void Exclude(E e) { bits_ &= ~Bit(e); }
    constexpr bool Empty() const { return bits_ == 0; }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr quint64 Bit(E e) { return quint64(1) << static_cast<unsigned>(e); }
    quint64 bits_ = 0;
};

using THoverRowCells = TSet<THoverRowCell>;

// How a cell is being drawn.
enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

// A font as plain values; the painter turns it into a real font.
struct TFont
{
    QString Name = QStringLiteral("Tahoma");
    int Size = 8;
    TFontStyles Style = 0;
    TColor Color = clWindowText;
    friend bool operator==(const TFont&, const TFont&) = default;
};

// Brush and pen as plain values.
struct TBrush
{
    TColor Color = clWindow;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

struct TPen
{
    TColor Color = clBlack;
    int Width = 1;
    friend bool operator==(const TPen&, const TPen&) = default;
};

enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;

// The grid options of the string grid.
enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking,
    goFixedColClick,
    goFixedRowClick,
    goFixedHotTrack
};
using TGridOptions = TSet<TGridOption>;

// Key codes the navigation steps take.
enum TKey : int {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F2 = 0x71
};

// Modifier keys held with a key.
enum TShiftStateItem { ssShift, ssAlt, ssCtrl };
using TShiftState = TSet<TShiftStateItem>;

// Store limits: indices at or past these never reach storage.
constexpr int kMaxColumns = 8192;
constexpr int kMaxRows = 1 << 23;

} // namespace grid
