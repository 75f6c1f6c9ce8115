#pragma once

// Colours of the tree's own elements (TVTColors), resolved against the widget's palette at paint time,
// and the scroll bar settings. A colour is either a plain RGB value or a system colour reference.

#include <QColor>
#include <QPalette>

#include <array>
#include <cstdint>
#include <functional>

namespace lazytree {

// 0x00RRGGBB for a plain colour; system colour references have the top byte 0xFF.
using TColor = uint32_t;

constexpr TColor kSystemColor = 0xFF000000u;
constexpr TColor clHighlight = kSystemColor | 1;
constexpr TColor clBtnFace = kSystemColor | 2;
constexpr TColor clBtnShadow = kSystemColor | 3;
constexpr TColor clWindowText = kSystemColor | 4;
constexpr TColor clHighlightText = kSystemColor | 5;
constexpr TColor clWindow = kSystemColor | 6;
constexpr TColor clGrayText = kSystemColor | 7;
constexpr TColor clBtnText = kSystemColor | 8;
constexpr TColor clBtnHighlight = kSystemColor | 9;
constexpr TColor clNone = 0x1FFFFFFFu;
constexpr TColor clDefault = 0x20000000u;
constexpr TColor clFuchsia = 0x00FF00FFu;
constexpr TColor clWhite = 0x00FFFFFFu;
constexpr TColor clBlack = 0x00000000u;

constexpr TColor RgbColor(int r, int g, int b)
{
    return (TColor(r & 0xFF) << 16) | (TColor(g & 0xFF) << 8) | TColor(b & 0xFF);
}

// The colour a reference stands for in a palette (system references map to palette roles).
QColor ResolveColor(TColor color, const QPalette& palette);

enum TVTColorIndex {
    DisabledColor,
    DropMarkColor,
    DropTargetColor,
    FocusedSelectionColor,
    GridLineColor,
    TreeLineColor,
    UnfocusedSelectionColor,
    BorderColor,
    HotColor,
    FocusedSelectionBorderColor,
    UnfocusedSelectionBorderColor,
    DropTargetBorderColor,
    SelectionRectangleBlendColor,
    SelectionRectangleBorderColor,
    HeaderHotColor,
    SelectionTextColor,
    UnfocusedColor,
    kColorCount
};

class TVTColors {
public:
    // Called after a colour changed: the index, so the owner knows what to redraw.
    using ChangeHandler = std::function<void(TVTColorIndex)>;

    TVTColors();
    TColor Get(TVTColorIndex index) const { return colors_[index]; }
    // Nothing happens for an equal value.
    void Set(TVTColorIndex index, TColor value);
    // Copies all seventeen at once; one change report (index kColorCount).
    void Assign(const TVTColors& source);
    void SetChangeHandler(ChangeHandler handler) { changed_ = std::move(handler); }

private:
    std::array<TColor, kColorCount> colors_;
    ChangeHandler changed_;
};

} // namespace lazytree
