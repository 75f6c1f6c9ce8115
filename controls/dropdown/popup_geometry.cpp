#include "controls/dropdown/popup_geometry.h"

#include <algorithm>

namespace dropdown {

QSize UpdateDropDownSize(const PopupSizeInput& in)
{
    int width = in.DropDownWidth > 0 ? in.DropDownWidth : in.ContentVisible ? in.Content.width() : in.EditWidth;
    int height = in.DropDownHeight;
    if (height <= 0) {
        height = 2 * in.BorderWidth;
        if (in.HeaderVisible)
            height += in.HeaderHeight;
        if (in.FooterVisible)
            height += in.FooterHeight;
        if (in.ContentVisible)
            height += in.Content.height();
    }
    return QSize(width, height);
}

QSize ConstrainPopupSize(QSize size)
{
    return QSize(std::max(size.width(), kPopupMinWidth), std::max(size.height(), kPopupMinHeight));
}

QPoint PlacePopup(const QRect& editOnScreen, QSize popup, int screenHeight, const QRect& workArea,
                  TDropPosition position)
{
    const QPoint p = editOnScreen.topLeft();
    const bool below = position == dpDown || (position == dpAuto && popup.height() + p.y() < screenHeight);
    QPoint at(p.x(), below ? p.y() + editOnScreen.height() - 1 : p.y() - popup.height());
    const int right = workArea.x() + workArea.width();
    if (workArea.x() >= 0 && at.x() + popup.width() > right && at.x() < right)
        at.setX(right - popup.width());
    return at;
}

namespace {

enum Row { kTop, kCentre, kBottom, kAbove, kBelow };
enum Col { kLeftOf, kLeftAligned, kLeftInside, kCentred, kRightOf, kRightAligned };

struct LabelRule
{
    Row row;
    Col col;
};

// By TLabelPosition.
constexpr LabelRule kLabelRules[] = {
    {kTop, kLeftOf},       {kCentre, kLeftOf},  {kBottom, kLeftOf},  {kAbove, kLeftAligned},
    {kBelow, kLeftAligned}, {kTop, kLeftInside}, {kCentre, kLeftInside}, {kBottom, kLeftInside},
    {kAbove, kCentred},    {kBelow, kCentred},  {kTop, kRightOf},    {kCentre, kRightOf},
    {kBottom, kRightOf},   {kAbove, kRightAligned}, {kBelow, kRightAligned},
};
static_assert(std::size(kLabelRules) == kLabelPositionCount);

}  // namespace

QPoint LabelTopLeft(const QRect& e, QSize label, TLabelPosition position, int margin)
{
    const LabelRule rule = kLabelRules[position];
    const int w = label.width(), h = label.height();
    int top = 0, left = 0;
    switch (rule.row) {
    case kTop: top = e.top(); break;
    case kCentre: top = e.top() + (e.height() - h) / 2; break;
    case kBottom: top = e.top() + e.height() - h; break;
    case kAbove: top = e.top() - h - margin; break;
    case kBelow: top = e.top() + e.height() + margin; break;
    }
    switch (rule.col) {
    case kLeftOf: left = e.left() - w - margin; break;
    case kLeftAligned: left = e.left(); break;
    case kLeftInside: left = e.left() - margin; break;
    case kCentred: left = e.left() + (e.width() - w) / 2; break;
    case kRightOf: left = e.left() + e.width() + margin; break;
    case kRightAligned: left = e.left() + e.width() - w; break;
    }
    return QPoint(left, top);
}

QRect EditButtonRect(QSize edit, int buttonWidth)
{
    return QRect(edit.width() - buttonWidth - 1, 1, buttonWidth, edit.height() - 2);
}

QRect HeaderButtonArea(const QRect& client)
{
    return client.adjusted(2, 2, -2, -3);
}

QRect FooterButtonArea(const QRect& client, bool grip)
{
    return client.adjusted(2, 2, grip ? -14 : -2, -2);
}

std::vector<QRect> ArrangeButtons(const QRect& area, const std::vector<QSize>& sizes, TButtonAlignment align)
{
    // Right and bottom as the bars count them: one past the last pixel.
    const int areaRight = area.x() + area.width(), areaBottom = area.y() + area.height();
    std::vector<QRect> rects;
    int x = align == baRight ? areaRight : area.x();
    for (QSize size : sizes) {
        const int h = std::min(size.height(), area.height());
        const int top = std::max(area.y(), (areaBottom - h) / 2);
        if (align == baRight) {
            x -= size.width();
            rects.emplace_back(x, top, size.width(), h);
        } else {
            rects.emplace_back(x, top, size.width(), h);
            x += size.width();
        }
    }
    return rects;
}

QRect ButtonsRect(const QRect& area, const std::vector<QRect>& buttons)
{
    if (buttons.empty())
        return QRect(QPoint(-1, -1), QPoint(-2, -2));
    QRect r = area;
    r.setRight(buttons.back().left() - 2 - 1);
    return r;
}

QRect FooterGripRect(const QRect& client, int borderWidth)
{
    const int right = client.x() + client.width(), bottom = client.y() + client.height();
    return QRect(QPoint(right - borderWidth - 16, 1), QPoint(right - borderWidth - 1 - 1, bottom - 1));
}

std::array<QPoint, 6> GripDots(const QRect& g)
{
    // Corners (x, y) and (x+2, y-2): the square's top-left is (x, y-2).
    const int l = g.left(), b = g.bottom() + 1;
    const int x[] = {5, 9, 13, 13, 13, 9}, y[] = {2, 2, 2, 6, 10, 6};
    std::array<QPoint, 6> dots;
    for (int i = 0; i < 6; ++i)
        dots[size_t(i)] = QPoint(l + x[i], b - y[i] - 2);
    return dots;
}

bool InFooterGripZone(QPoint pos, QSize footer)
{
    return pos.x() > footer.width() - 12 && pos.y() > footer.height() - 15;
}

bool InPopupGripZone(QPoint pos, QSize popup)
{
    return popup.width() - 10 < pos.x() && popup.height() - 10 < pos.y();
}

}  // namespace dropdown
