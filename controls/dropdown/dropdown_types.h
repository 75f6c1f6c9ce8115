#pragma once
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/look_settings.h"

// The enumerations and colour names of the drop-down family.
namespace dropdown {

using grid::TColor;
using grid::clNone;
using grid::TSkinStyle;
using grid::TColorTones;

constexpr TColor clBtnFace = grid::clBtnFace;
constexpr TColor clHighlight = grid::clHighlight;
constexpr TColor clHighlightText = grid::clHighlightText;
constexpr TColor clInactiveCaption = 0xFF000003;

enum TDropPosition { dpAuto, dpDown, dpUp };
enum TGradientDirection { gdHorizontal, gdVertical };
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };
enum TDropDownEditType {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
    etAlphaNumeric, etValidChars
};
constexpr int kEditTypeCount = etValidChars + 1;
enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
    lpBottomRight
};
constexpr int kLabelPositionCount = lpBottomRight + 1;
enum TButtonAlignment { baLeft, baRight };
enum TButtonStyle { bsButton, bsDropDown };
enum TTextKind { tkNumeric, tkFloat, tkString, tkHex };

// Modal results of footer buttons.
enum TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo, mrClose, mrHelp,
                    mrTryAgain, mrContinue, mrAll, mrNoToAll, mrYesToAll };

}  // namespace dropdown
