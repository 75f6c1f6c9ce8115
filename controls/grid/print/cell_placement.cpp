#include "controls/grid/print/cell_placement.h"

#include <cmath>

namespace grid::print {

namespace {

enum class Side { Left, Right, Center, Full };

// Horizontal side per graphic alignment (haLeft .. haFull).
constexpr Side kGraphicSide[] = {Side::Left, Side::Right, Side::Center, Side::Left, Side::Right, Side::Full};
// Horizontal side per text alignment (taLeftJustify, taRightJustify, taCenter).
constexpr Side kTextSide[] = {Side::Left, Side::Right, Side::Center};
// Vertical side per graphic alignment (vaTop .. vaFull): top, bottom, centre, full.
constexpr Side kVerticalSide[] = {Side::Left, Side::Right, Side::Center, Side::Right, Side::Left, Side::Full};

} // namespace

PageRect PlaceCheckBox(const PageRect& cell, int gw, int gh, bool textEmpty, TAlignment cellAlign,
                       TCellHAlign graphicH, TCellVAlign graphicV, int margin)
{
    const Side h = textEmpty ? kTextSide[qBound(0, int(cellAlign), 2)] : kGraphicSide[qBound(0, int(graphicH), 5)];
    PageRect r;
    switch (h) {
    case Side::Left: r.Left = cell.Left + margin; break;
    case Side::Right: r.Left = cell.Right - gw - margin; break;
    case Side::Center: r.Left = cell.Left + (cell.Width() - gw) / 2; break;
    case Side::Full: r.Left = cell.Left; gw = cell.Width(); break;
    }
    r.Right = r.Left + gw;
    switch (kVerticalSide[qBound(0, int(graphicV), 5)]) {
    case Side::Left: r.Top = cell.Top; break;
    case Side::Right: r.Top = cell.Bottom + gh; break;
    case Side::Center: r.Top = cell.Top - (cell.Height() - gh) / 2; break;
    case Side::Full: r.Top = cell.Top; gh = cell.Height(); break;
    }
    r.Bottom = r.Top - gh;
    return r;
}

RadioPlace PlaceRadioItem(const PageRect& cell, int i, int textHeight, int glyph, bool horizontal,
                          int captionsBefore, double onePx)
{
    // As the screen places them: 2 px in, captions 2 px above the glyph's top,
    // 4 px after it in a column.
    const int two = int(std::lround(2 * onePx));
    RadioPlace p;
    if (horizontal) {
        p.Glyph.Left = cell.Left + two + i * glyph + captionsBefore;
        p.Glyph.Top = cell.Top - (cell.Height() - glyph) / 2;
        p.CaptionX = p.Glyph.Left + glyph;
    } else {
        p.Glyph.Left = cell.Left + two;
        p.Glyph.Top = cell.Top - textHeight * i - two;
        p.CaptionX = p.Glyph.Left + glyph + int(std::lround(4 * onePx));
    }
    p.Glyph.Right = p.Glyph.Left + glyph;
    p.Glyph.Bottom = p.Glyph.Top - glyph;
    p.CaptionY = p.Glyph.Top + two;
    return p;
}

} // namespace grid::print
