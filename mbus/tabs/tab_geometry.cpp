#include "mbus/tabs/tab_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace mbus {

StripExtent Strip_Extent(TabSide side, const std::vector<Box>& tabs, int width, int height)
{
    StripExtent e{tabs.empty() ? 0 : tabs.front().t, 0, width, 0};
    for (const Box& b : tabs) {
        e.topMin = std::min(e.topMin, b.t);
        e.bottomMax = std::max(e.bottomMax, b.b);
        e.leftMin = std::min(e.leftMin, b.l);
        e.rightMax = std::max(e.rightMax, b.r);
    }
    if (tabs.empty()) {
        switch (side) {
        case TabSide::Top: e.bottomMax = 2; break;
        case TabSide::Bottom: e.topMin = height - 2; break;
        case TabSide::Left: e.rightMax = 2; break;
        case TabSide::Right: e.leftMin = width - 2; break;
        }
    }
    return e;
}

TextOrigin Tab_Text_Origin(TabSide side, const Box& r, bool close, bool active, int lowerActive, int leftMargin,
                           int topMargin)
{
    TextOrigin o{};
    switch (side) {
    case TabSide::Top:
        o = {r.l + (close ? 18 : 4), active ? r.t + lowerActive + 1 : r.t + 1};
        break;
    case TabSide::Bottom:
        o = {r.l + (close ? 18 : 4), active ? r.t + lowerActive + 1 : r.t};
        break;
    case TabSide::Left:
        o = {active ? r.l + lowerActive + 1 : r.l + 1, r.b - (close ? 17 : 4)};
        break;
    case TabSide::Right:
        o = {active ? r.r - lowerActive - 1 : r.r - 1, r.t + (close ? 17 : 4)};
        break;
    }
    o.x += leftMargin;
    o.y += side == TabSide::Left ? -topMargin : topMargin;
    return o;
}

TextOrigin Close_Box_Origin(TabSide side, const Box& r, int leftMargin, int topMargin, int la, bool hot,
                            int activeBitmapOverlap)
{
    switch (side) {
    case TabSide::Top:
    case TabSide::Bottom:
        return {r.l + leftMargin + 2, r.t + topMargin + la + 2};
    case TabSide::Left:
        return {r.l + leftMargin + la + 2, r.b - topMargin + activeBitmapOverlap - 13};
    case TabSide::Right:
        return {hot ? r.l + leftMargin + 2 : r.l + leftMargin - la + 4, r.t + topMargin + 2};
    }
    return {};
}

Box Close_Hit_Area(TabSide side, const Box& r, int leftMargin, int topMargin, bool activeBitmap, int tabOverlap)
{
    if (side != TabSide::Left)
        return {r.l + leftMargin + 2, r.t + topMargin + 2, r.l + leftMargin + 14, r.t + topMargin + 13};
    int l = r.l + leftMargin;
    int b = r.b - topMargin;
    if (activeBitmap) {
        l += 2;
        b += tabOverlap;
    }
    return {l + 2, b - 13, l + 14, b - 2};
}

std::vector<QLine> Close_Cross(int x, int y)
{
    return {QLine(x + 3, y + 7, x + 9, y + 2), QLine(x + 4, y + 7, x + 8, y + 2), QLine(x + 3, y + 3, x + 9, y + 8),
            QLine(x + 4, y + 3, x + 8, y + 8)};
}

std::vector<Band> Gradient_Bands(const QColor& from, const QColor& to, int steps, const Box& rect, bool horizontal)
{
    if (steps <= 0)
        steps = 1;
    const double span = horizontal ? rect.r - rect.l : rect.b - rect.t;
    const double w = span / steps;
    const int wr = static_cast<int>(std::lround(w));
    auto channel = [steps](int a, int b, int i) {
        return static_cast<int>(std::nearbyint(a + static_cast<double>(i) * (b - a) / steps));
    };
    std::vector<Band> bands;
    bands.reserve(steps);
    for (int i = 0; i < steps; ++i) {
        const QColor c(channel(from.red(), to.red(), i), channel(from.green(), to.green(), i),
                       channel(from.blue(), to.blue(), i));
        const int p = static_cast<int16_t>(std::lround(i * w));
        Box b = rect;
        if (horizontal) {
            b.l = rect.l + p;
            b.r = rect.l + p + wr + 1;
        } else {
            b.t = rect.t + p;
            b.b = rect.t + p + wr + 1;
        }
        bands.push_back({b, c});
    }
    return bands;
}

std::vector<QLine> DotNet_Outline(TabSide side, const Box& r, bool active)
{
    const int L = r.l, T = r.t, R = r.r, B = r.b;
    switch (side) {
    case TabSide::Top:
        return active ? std::vector<QLine>{{L, B, L, T}, {L, T, R, T}, {R, T, R, B}} : std::vector<QLine>{{L, B, R, B}};
    case TabSide::Bottom:
        return active ? std::vector<QLine>{{L, T - 1, L, B}, {L, B, R, B}, {R, B, R, T - 1}}
                      : std::vector<QLine>{{L, T - 1, R, T - 1}};
    case TabSide::Left:
        return active ? std::vector<QLine>{{R, T, L, T}, {L, T, L, B}, {L, B, R, B}} : std::vector<QLine>{{R, T, R, B}};
    case TabSide::Right:
        return active ? std::vector<QLine>{{L - 1, T, R - 1, T}, {R - 1, T, R - 1, B}, {R - 1, B, L - 1, B}}
                      : std::vector<QLine>{{L - 1, T, L - 1, B}};
    }
    return {};
}

std::vector<QLine> DotNet_Separator(TabSide side, const Box& r)
{
    if (side == TabSide::Left || side == TabSide::Right)
        return {QLine(r.l + 2, r.b - 2, r.r - 2, r.b - 2), QLine(r.l + 2, r.b - 3, r.r - 2, r.b - 3)};
    return {QLine(r.r - 2, r.b - 3, r.r - 2, r.t + 2), QLine(r.r - 3, r.b - 3, r.r - 3, r.t + 2)};
}

} // namespace mbus
