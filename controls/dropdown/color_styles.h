#pragma once
#include "controls/dropdown/dropdown_types.h"

// The colours each component style gives a drop-down: its popup, header and
// footer (PopupColors), its bar buttons (ButtonColors) and the item lists of
// the pickers (ItemColors); and the selection colour schemes.
namespace dropdown {

// A popup entry that leaves the current value.
constexpr TColor kKeep = 0x2FFFFFFF;

struct BarColors
{
    TColor Color, ColorTo, Font, BorderColor;
};

struct PopupColors
{
    TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
    BarColors Header, Footer;
};

struct ButtonColors
{
    TColor Color, ColorTo, BorderColor, ColorHot, ColorHotTo, BorderColorHot, ColorDown, ColorDownTo,
        BorderColorDown, ColorDisabled, ColorDisabledTo, ColorChecked, ColorCheckedTo, BorderColorChecked;
};

struct ItemColors
{
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, ColorSelected, ColorSelectedTo,
        ColorMirrorSelected, ColorMirrorSelectedTo, BorderColor, BorderColorTop, BorderColorBottom, EdgeColor,
        ColorSelectedText;
};

// nullptr for tsCustom, which changes nothing.
const PopupColors* PopupColorsOf(TSkinStyle style);
const ButtonColors* ButtonColorsOf(TSkinStyle style);
const ItemColors* ItemColorsOf(TSkinStyle style);

// The selection fill and the frame of a selection style.
struct SelectionScheme
{
    TColor Color, ColorTo;             // what SetSelectionColorStyle sets
    TColor Corner, Border, InnerTop, InnerBottom;
    TColor LowerFrom, LowerTo;         // clNone: one gradient over the whole box
};
// nullptr for scCustom, which keeps the colours and fills solid.
const SelectionScheme* SelectionSchemeOf(TSelectionColorStyle style);

}  // namespace dropdown
