#include "controls/grid/widget/cell_graphics.h"

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

// Right as the placement rules count it (one past the last pixel).
int RightOf(const QRect& r)
{
    return r.left() + r.width();
}

struct GlyphNames
{
    TControlStyle Style;
    const char* CheckedOn;
    const char* CheckedOff;
    const char* UncheckedOn;
    const char* UncheckedOff;
};

// Checked/enabled, checked/disabled, unchecked/enabled, unchecked/disabled.
constexpr GlyphNames kCheckNames[] = {
    {csWinXP, "ESGCHK05", "ESGCHK07", "ESGCHK06", "ESGCHK08"},
    {csZAD, "ESGCHK01", "ESGCHK03", "ESGCHK02", "ESGCHK04"},
};
constexpr GlyphNames kRadioNames[] = {
    {csWinXP, "ESGRAD05", "ESGRAD07", "ESGRAD06", "ESGRAD08"},
    {csZAD, "ESGRAD01", "ESGRAD03", "ESGRAD02", "ESGRAD04"},
};

template <size_t N>
const char* NameOf(const GlyphNames (&table)[N], TControlStyle style, bool on, bool enabled)
{
    for (const GlyphNames& n : table)
        if (n.Style == style)
            return on ? (enabled ? n.CheckedOn : n.CheckedOff) : (enabled ? n.UncheckedOn : n.UncheckedOff);
    return nullptr;
}

} // namespace

QRect PlaceCellGraphic(const QRect& r, TCellHAlign ha, TCellVAlign va, int w, int h, int t, TAlignment textAlign)
{
    int left = r.left() + 1;
    switch (ha) {
    case haLeft:
        break;
    case haRight:
        left = RightOf(r) - 1 - w;
        break;
    case haCenter:
        left = w < r.width() ? r.left() + (r.width() - w) / 2 : r.left() + 1;
        break;
    case haBeforeText:
        left = textAlign == taRightJustify ? RightOf(r) - t - w
               : textAlign == taCenter     ? r.left() + (r.width() - t - w) / 2
                                           : r.left() + 1;
        if (left < r.left())
            left = r.left() + 1;
        break;
    case haAfterText:
        left = textAlign == taRightJustify ? RightOf(r) - 1 - w
               : textAlign == taCenter     ? r.left() + t + (r.width() - t - w) / 2
                                           : r.left() + t;
        left = std::max(left, r.left());
        break;
    case haFull:
        left = r.left();
        w = r.width();
        break;
    }
    if (va == vaFull)
        h = r.height();
    return QRect(left, GraphicTop(r, va, h), w, h);
}

StarFill RatingStar(double value, int i)
{
    const double v = std::round(value * 2) / 2;
    if (i + 1 <= v)
        return StarFill::Full;
    if (i < v && v < i + 1)
        return StarFill::Half;
    return StarFill::Empty;
}

std::array<QPoint, 3> CommentCorner(const QRect& cell)
{
    const int right = RightOf(cell);
    return {QPoint(right - 7, cell.top()), QPoint(right - 2, cell.top()), QPoint(right - 2, cell.top() + 5)};
}

QRect ExpandButtonRect(const QRect& cell)
{
    return QRect(RightOf(cell) - 13, cell.top(), 13, 13);
}

std::array<QPoint, 3> ExpandChevron(const QRect& cell, bool expanded)
{
    const int right = RightOf(cell);
    const int top = cell.top();
    if (!expanded)
        return {QPoint(right - 10, top + 5), QPoint(right - 7, top + 8), QPoint(right - 3, top + 4)};
    return {QPoint(right - 10, top + 8), QPoint(right - 7, top + 5), QPoint(right - 3, top + 9)};
}

NodeBox FlatNodeBox(int left, int top, int height)
{
    NodeBox n;
    const int boxLeft = left + 4;
    const int boxTop = top + std::max(0, height - 8) / 2;
    // The outline runs one pixel past the 8 x 8 box on the right and bottom.
    n.Box = QRect(boxLeft, boxTop, 9, 9);
    n.MinusFrom = QPoint(boxLeft + 2, boxTop + 4);
    n.MinusTo = QPoint(boxLeft + 7, boxTop + 4);
    n.BarFrom = QPoint(boxLeft + 4, boxTop + 2);
    n.BarTo = QPoint(boxLeft + 4, boxTop + 7);
    return n;
}

const char* CheckBitmapName(TControlStyle style, bool checked, bool enabled)
{
    return NameOf(kCheckNames, style, checked, enabled);
}

const char* RadioBitmapName(TControlStyle style, bool on, bool enabled)
{
    return NameOf(kRadioNames, style, on, enabled);
}

int CheckThemeState(bool checked, bool grayed, bool enabled)
{
    const int base = grayed ? 9 : checked ? 5 : 1;
    return enabled ? base : base + 3;
}

RadioItemPlace PlaceRadioItem(TControlStyle style, const QRect& rect, int i, int textHeight, int radioSize,
                              bool horizontal, int captionsBefore, double scale)
{
    RadioItemPlace p;
    if (style == csClassic || style == csFlat) {
        const int size = radioSize + (style == csFlat ? 2 : 0);
        if (horizontal) {
            p.Glyph = QPoint(rect.left() + 2 + i * size + captionsBefore, rect.top() + (rect.height() - size) / 2);
            p.Caption = QPoint(p.Glyph.x() + size, p.Glyph.y() - 2);
        } else {
            p.Glyph = QPoint(rect.left() + 2, rect.top() + textHeight * i + 2);
            p.Caption = QPoint(p.Glyph.x() + int(scale * (radioSize + 4)), p.Glyph.y() - 2);
        }
        return p;
    }
    // 16 px items.
    const int pitch = std::max(16, textHeight);
    const bool bevelled = style == csBevel || style == csTheme;
    if (horizontal) {
        p.Glyph = QPoint(rect.left() + 2 + i * 16 + captionsBefore, rect.top() + (rect.height() - 16) / 2);
        p.Caption = QPoint(p.Glyph.x() + 16, bevelled ? p.Glyph.y() - 2 : p.Glyph.y() + 1);
    } else {
        p.Glyph = QPoint(rect.left() + 2, rect.top() + pitch * i + 2);
        p.Caption = bevelled ? QPoint(rect.left() + 20, p.Glyph.y() - 2) : QPoint(rect.left() + 18, p.Glyph.y() + 1);
    }
    return p;
}

} // namespace grid
