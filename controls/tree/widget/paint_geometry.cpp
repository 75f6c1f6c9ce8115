// Painting arithmetic without pixels.

#include "controls/tree/widget/paint_geometry.h"

#include <algorithm>
#include <cmath>

namespace lazytree {

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value)); // the default rounding mode rounds halves to even
}

int ButtonX(int indent, int buttonWidth, int levels, bool fixedIndent)
{
    const int base = RoundHalfEven((indent - buttonWidth) / 2.0) + 1;
    return fixedIndent ? base : base + (levels - 1) * indent;
}

TLineSegment LineSegmentFor(TVTLineType style, int x, int y, int height, int vAlign, int indent, bool reverse)
{
    TLineSegment s;
    const int half = RoundHalfEven(indent / 2.0);
    const int t = reverse ? 0 : indent;
    const auto vertical = [&](int vx, int top, int bottom) {
        s.Vertical = true;
        s.VX = vx;
        s.VTop = top;
        s.VBottom = bottom;
    };
    const auto horizontal = [&](int hy, int left, int right) {
        s.Horizontal = true;
        s.HY = hy;
        s.HLeft = left;
        s.HRight = right;
    };
    switch (style) {
    case ltNone:
        break;
    case ltBottomRight:
        vertical(x + half, y + vAlign, y + height);
        horizontal(y + vAlign, x + half, x + t);
        break;
    case ltTopDown:
        vertical(x + half, y, y + height);
        break;
    case ltTopDownRight:
        vertical(x + half, y, y + height);
        horizontal(y + vAlign, x + half, x + t);
        break;
    case ltRight:
        horizontal(y + vAlign, x + half, x + t);
        break;
    case ltTopRight:
        vertical(x + half, y, y + vAlign);
        horizontal(y + vAlign, x + half, x + t);
        break;
    case ltLeft:
        vertical(reverse ? x + indent : x, y, y + height);
        break;
    case ltLeftBottom:
        vertical(reverse ? x + indent : x, y, y + height);
        horizontal(y + height, x, x + indent);
        break;
    }
    return s;
}

TDropMarkPolygon DropMarkPolygon(const TRect& r, TDropMode mode)
{
    TDropMarkPolygon p;
    const int l = r.Left, t = r.Top, rr = r.Right, b = r.Bottom;
    if (mode == dmAbove) {
        p.Shown = true;
        p.Points = {QPoint(l + 2, t), QPoint(rr - 2, t), QPoint(rr - 2, t + 6), QPoint(rr - 6, t + 2),
            QPoint(l + 6, t + 2), QPoint(l + 2, t + 6)};
    } else if (mode == dmBelow) {
        p.Shown = true;
        p.Points = {QPoint(l + 2, b - 1), QPoint(rr - 2, b - 1), QPoint(rr - 2, b - 8), QPoint(rr - 7, b - 3),
            QPoint(l + 7, b - 3), QPoint(l + 2, b - 8)};
    }
    return p;
}

TDragImageWindow DragImageWindow(TPoint hotSpotTree, int dragWidth, int dragHeight)
{
    const TRect r{hotSpotTree.X - dragWidth / 2, hotSpotTree.Y - dragHeight / 2, hotSpotTree.X + dragWidth / 2,
        hotSpotTree.Y + dragHeight / 2};
    TDragImageWindow result;
    result.Window = r;
    result.Window.Left = std::max(0, r.Left);
    result.Window.Top = std::max(0, r.Top);
    result.Target = {r.Left < 0 ? -r.Left : 0, r.Top < 0 ? -r.Top : 0};
    return result;
}

TPrintPages PrintPages(int imageWidth, int imageHeight, int printerPageWidth, int printerPageHeight, double scale)
{
    TPrintPages pages;
    if (!(scale > 0))
        scale = 1; // no text height to compare: print at the screen's size
    pages.PageWidth = std::max(1, RoundHalfEven(printerPageWidth / scale));
    pages.PageHeight = std::max(1, RoundHalfEven(printerPageHeight / scale));
    pages.Columns = std::max(1, (imageWidth + pages.PageWidth - 1) / pages.PageWidth);
    pages.Rows = std::max(1, (imageHeight + pages.PageHeight - 1) / pages.PageHeight);
    return pages;
}

} // namespace lazytree
