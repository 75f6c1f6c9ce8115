#include "controls/tree/widget/header_layout.h"

#include <algorithm>

namespace lazytree {

namespace {

constexpr THeaderStyleEdges kEdges[] = {
    // thick buttons
    {{heRaised, true, false}, {heRaised, true, true}, {heNone, false, false}},
    // flat buttons
    {{heRaisedInner, false, false}, {heSunkenOuter, false, true}, {heNone, false, false}},
    // plates
    {{heRaisedInner, true, true}, {heSunkenOuter, false, true}, {heRaisedInner, false, false}},
};

} // namespace

const THeaderStyleEdges& HeaderEdges(TVTHeaderStyle style)
{
    return kEdges[style];
}

THeaderCellLayout LayoutHeaderCell(const THeaderCellInput& in)
{
    THeaderCellLayout out;
    const int w = in.Client.Width();
    const int h = in.Client.Height();
    const bool caption = in.Caption.cx > 0 || in.Caption.cy > 0;
    const bool glyph = in.Glyph.cx > 0 || in.Glyph.cy > 0;
    const bool sort = in.SortGlyph.cx > 0 || in.SortGlyph.cy > 0;
    if (!caption && !glyph && !sort)
        return out;
    TAlignment a = in.Alignment;
    if (in.RightToLeft && a != taCenter)
        a = a == taLeftJustify ? taRightJustify : taLeftJustify;
    const TSize g = in.Glyph;
    const TSize s = in.SortGlyph;
    const TSize t = in.Caption;
    const int sp = caption ? in.Spacing : 0;
    const int spacing = in.Spacing;
    const bool rtl = in.RightToLeft;
    const bool beside = in.Layout == blGlyphLeft || in.Layout == blGlyphRight;
    TPoint& gp = out.GlyphPos;
    TPoint& sgp = out.SortGlyphPos;
    int textLeft = 0;
    int textTop = 0;
    if (sort)
        sgp.Y = (h - s.cy) / 2;

    if (!glyph && !caption) {
        sgp = {(w - s.cx) / 2, (h - s.cy) / 2};
    } else {
        // Vertical.
        if (beside || !glyph) {
            gp.Y = (h - g.cy) / 2;
            textTop = std::max((h - t.cy) / 2, -5);
        } else if (in.Layout == blGlyphTop) {
            gp.Y = (h - (g.cy + t.cy + sp)) / 2;
            textTop = gp.Y + g.cy + sp;
        } else {
            textTop = (h - (g.cy + t.cy + sp)) / 2;
            gp.Y = textTop + t.cy + sp;
        }
        // Horizontal.
        switch (a) {
        case taLeftJustify: {
            int l = in.Margin;
            if (sort && rtl) {
                sgp.X = l;
                l += s.cx + spacing;
            }
            if (beside) {
                if (in.Layout == blGlyphLeft && glyph) {
                    gp.X = l;
                    l += g.cx + spacing;
                }
                textLeft = l;
                l += sp + t.cx;
                if (in.Layout == blGlyphRight && glyph) {
                    gp.X = l;
                    l += g.cx + spacing;
                }
            } else {
                textLeft = l;
                if (!glyph) {
                    l += t.cx + sp;
                } else {
                    gp.X = std::max((w - g.cx) / 2, l);
                    l = std::max(gp.X + g.cx + spacing, textLeft + t.cx + sp);
                }
            }
            if (sort && !rtl)
                sgp.X = l;
            break;
        }
        case taCenter: {
            if (beside) {
                int x = (w - (g.cx + sp + t.cx)) / 2;
                if (in.Layout == blGlyphLeft) {
                    gp.X = x;
                    x += sp + g.cx;
                }
                textLeft = x;
                if (in.Layout == blGlyphRight)
                    gp.X = x + sp + t.cx;
            } else {
                gp.X = (w - g.cx) / 2;
                textLeft = (w - t.cx) / 2;
                if (sort)
                    textLeft -= s.cx / 2;
            }
            const int b = glyph ? std::min(gp.X, textLeft) : textLeft;
            const int e = glyph ? std::max(gp.X + g.cx, textLeft + t.cx) : textLeft + t.cx;
            if (sort)
                sgp.X = rtl ? b - spacing - s.cx : e + spacing;
            break;
        }
        case taRightJustify: {
            int x = w - in.Margin;
            if (sort && !rtl) {
                sgp.X = x - s.cx;
                x = sgp.X - spacing;
            }
            if (beside) {
                if (in.Layout == blGlyphRight && glyph) {
                    gp.X = x - g.cx;
                    x = gp.X - spacing;
                }
                textLeft = x - t.cx;
                x = textLeft - sp;
                if (in.Layout == blGlyphLeft && glyph) {
                    gp.X = x - g.cx;
                    x = gp.X - spacing;
                }
            } else {
                textLeft = x - t.cx;
                if (!glyph) {
                    x = textLeft - sp;
                } else {
                    gp.X = (w - g.cx) / 2;
                    if (gp.X + g.cx > x - spacing)
                        gp.X = x - g.cx - spacing;
                    x = std::min(textLeft - sp, gp.X - spacing);
                }
            }
            if (sort && rtl)
                sgp.X = x - s.cx;
            break;
        }
        }
    }

    // Clamping inside the margins.
    int minLeft = in.Margin;
    int maxRight = w - in.Margin;
    if (sort) {
        if (!rtl) {
            if (sgp.X + s.cx > maxRight)
                sgp.X = maxRight - s.cx;
            maxRight = sgp.X - spacing;
        }
        sgp.X = std::max(sgp.X, minLeft);
        if (rtl)
            minLeft = sgp.X + s.cx + spacing;
        sgp.X += in.Client.Left;
        sgp.Y += in.Client.Top;
    }
    if (glyph) {
        if (gp.X + g.cx > maxRight)
            gp.X = maxRight - g.cx;
        if (in.Layout == blGlyphRight)
            maxRight = gp.X - spacing;
        gp.X = std::max(gp.X, minLeft);
        if (in.Layout == blGlyphLeft)
            minLeft = gp.X + g.cx + spacing;
        if (in.ShiftGlyphLeft)
            gp.X -= 2;
        gp.X += in.Client.Left;
        gp.Y += in.Client.Top;
    }
    textLeft = std::max(textLeft, minLeft);
    out.TextBounds = {textLeft, textTop, std::min(textLeft + t.cx, maxRight), textTop + t.cy};
    out.TextBounds.Left += in.Client.Left;
    out.TextBounds.Right += in.Client.Left;
    out.TextBounds.Top += in.Client.Top;
    out.TextBounds.Bottom += in.Client.Top;
    return out;
}

} // namespace lazytree
