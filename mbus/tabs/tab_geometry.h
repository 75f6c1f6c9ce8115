#pragma once
// Where the tab strip's parts go, as pure functions of the tab rectangles
// and the settings: strip extent, text origin, close box and its hit area,
// gradient bands, the outline and separator lines of the flat style.
// Rectangles are left, top, right, bottom with right and bottom outside.
#include "mbus/tabs/tab_pages.h"

#include <QColor>
#include <QLine>
#include <vector>

namespace mbus {

struct Box
{
    int l = 0, t = 0, r = 0, b = 0;
    bool operator==(const Box&) const = default;
    bool Contains(int x, int y) const { return x >= l && x < r && y >= t && y < b; }
};

// The extent of the visible tabs; with no tab the strip is 2 pixels deep.
struct StripExtent
{
    int topMin, bottomMax, leftMin, rightMax;
};
StripExtent Strip_Extent(TabSide side, const std::vector<Box>& tabs, int width, int height);

// The text origin of a tab without images or bitmaps, margins applied.
struct TextOrigin
{
    int x, y;
};
TextOrigin Tab_Text_Origin(TabSide side, const Box& r, bool close, bool active, int lowerActive, int leftMargin,
                           int topMargin);

// The close box's top-left corner (the box spans 12 by 11 from there); la
// is LowerActive for the active tab, else 0; hot selects the hot look's x
// for right-hand tabs.
TextOrigin Close_Box_Origin(TabSide side, const Box& r, int leftMargin, int topMargin, int la, bool hot = false,
                            int activeBitmapOverlap = 0);
// The area a click on the close button must fall in (LowerActive ignored).
Box Close_Hit_Area(TabSide side, const Box& r, int leftMargin, int topMargin, bool activeBitmap = false,
                   int tabOverlap = 0);

// The four cross strokes of the close box at (x, y).
std::vector<QLine> Close_Cross(int x, int y);

// One band of a gradient.
struct Band
{
    Box box;
    QColor color;
};
std::vector<Band> Gradient_Bands(const QColor& from, const QColor& to, int steps, const Box& rect, bool horizontal);

// The flat style's lines of a tab: the active tab's three sides, or an
// inactive tab's line on the page side.
std::vector<QLine> DotNet_Outline(TabSide side, const Box& r, bool active);
// The double separator an inactive tab gets toward the next one.
std::vector<QLine> DotNet_Separator(TabSide side, const Box& r);

} // namespace mbus
