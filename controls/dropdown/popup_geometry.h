#pragma once
#include "controls/dropdown/dropdown_types.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <vector>

// Where the popup, the label and the bar buttons go: pure arithmetic the
// widgets only apply.
namespace dropdown {

constexpr int kPopupMinWidth = 80;
constexpr int kPopupMinHeight = 50;
constexpr int kReopenDelayMs = 250;

struct PopupSizeInput
{
    int DropDownWidth = 0;   // above 0: fixed
    int DropDownHeight = 0;  // above 0: fixed
    int BorderWidth = 1;
    int EditWidth = 0;
    bool ContentVisible = false;
    QSize Content;
    bool HeaderVisible = false;
    int HeaderHeight = 0;
    bool FooterVisible = false;
    int FooterHeight = 0;
};
// The computed size, without the minimum.
QSize UpdateDropDownSize(const PopupSizeInput& in);
// The size the window gets: never below 80 × 50.
QSize ConstrainPopupSize(QSize size);

// The popup's top-left: below the edit overlapping its bottom line by one
// pixel, or above it (dpAuto: above when the popup would reach screenHeight);
// only the right edge is pulled back into the work area.
QPoint PlacePopup(const QRect& editOnScreen, QSize popup, int screenHeight, const QRect& workArea,
                  TDropPosition position);

// The label's top-left for its size and position; margin between them.
QPoint LabelTopLeft(const QRect& edit, QSize label, TLabelPosition position, int margin);

// Where the button of an edit goes (Left = W - BW - C, Top 1, Height - 2).
QRect EditButtonRect(QSize edit, int buttonWidth);

// Bars: the area the buttons line up in.
QRect HeaderButtonArea(const QRect& client);
QRect FooterButtonArea(const QRect& client, bool grip);
// Each button's rect in list order (the first is the rightmost with baRight),
// heights clamped to the area.
std::vector<QRect> ArrangeButtons(const QRect& area, const std::vector<QSize>& sizes, TButtonAlignment align);
// The area right of which the caption must stay: 2 pixels left of the last
// button; (-1,-1,-1,-1) without buttons.
QRect ButtonsRect(const QRect& area, const std::vector<QRect>& buttons);
// The grip rect of a footer and its six dots (light, then the dark copies
// one pixel up and left), each a 2 × 2 square at its top-left.
QRect FooterGripRect(const QRect& client, int borderWidth);
std::array<QPoint, 6> GripDots(const QRect& grip);
// The footer's grip zone: x > W - 12 and y > H - 15.
bool InFooterGripZone(QPoint pos, QSize footer);
// The popup's own corner: the bottom-right 10 × 10.
bool InPopupGripZone(QPoint pos, QSize popup);

}  // namespace dropdown
