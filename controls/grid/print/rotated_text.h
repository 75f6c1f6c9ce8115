#pragma once

// Where rotated text starts inside a rectangle: pure geometry shared by the
// print painter and its tests.
namespace grid::print {

struct RotatedBox
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const RotatedBox&, const RotatedBox&) = default;
};

// hAlign: 0 left, 1 right, 2 centre; vAlign: 0 top, 1 centre, 2 bottom.
// d, c, bv, a are the text's extents: |cos|·width, |sin|·height,
// |sin|·width, |cos|·height. Moves Left and Top to the start point.
RotatedBox CalcRotatedTextRect(RotatedBox r, int hAlign, int vAlign, int angle, int d, int c, int bv, int a);

// The same for text of the given extent (width w, height h): the rectangle
// is deflated by 2 on every side first.
RotatedBox CalcRotatedTextPos(RotatedBox r, int angle, int w, int h, int hAlign, int vAlign);

} // namespace grid::print
