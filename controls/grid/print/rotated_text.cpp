#include "controls/grid/print/rotated_text.h"

#include <cmath>
#include <cstdlib>

namespace grid::print {

namespace {

// Quadrant of an angle: up to 90, up to 180, up to 270, above 270.
int Quadrant(int angle)
{
    if (angle <= 90)
        return 0;
    if (angle <= 180)
        return 1;
    if (angle <= 270)
        return 2;
    return 3;
}

} // namespace

RotatedBox CalcRotatedTextRect(RotatedBox r, int hAlign, int vAlign, int angle, int d, int c, int bv, int a)
{
    const int L = r.Left, T = r.Top, R = r.Right, Bm = r.Bottom;
    // Left edge per quadrant and horizontal alignment (left, right, centre).
    const int left[4][3] = {
        {L, R - d - c, L + (R - L - c - d) / 2},
        {L + d, R - c, R - (c + R - L - d) / 2},
        {L + c + d, R, R - (R - L - c - d) / 2},
        {L + c, R - d, L + (c + R - L - d) / 2},
    };
    const int centre = (bv + T + a - Bm) / 2;
    // Top edge per quadrant and vertical alignment (top, centre, bottom).
    const int top[4][3] = {
        {T + bv, T + bv - centre, Bm - a},
        {T + a + bv, T + a + bv - centre, Bm},
        {T + a, T + a - centre, Bm - bv},
        {T, T - centre, Bm - a - bv},
    };
    const int q = Quadrant(angle);
    if (hAlign >= 0 && hAlign <= 2)
        r.Left = left[q][hAlign];
    if (vAlign >= 0 && vAlign <= 2)
        r.Top = top[q][vAlign];
    return r;
}

RotatedBox CalcRotatedTextPos(RotatedBox r, int angle, int w, int h, int hAlign, int vAlign)
{
    r.Left += 2;
    r.Top += 2;
    r.Right -= 2;
    r.Bottom -= 2;
    const double rad = angle * M_PI / 180.0;
    const int a = std::abs(int(std::trunc(std::cos(rad) * h)));
    const int bv = std::abs(int(std::trunc(std::sin(rad) * w)));
    const int c = std::abs(int(std::trunc(std::sin(rad) * h)));
    const int d = std::abs(int(std::trunc(std::cos(rad) * w)));
    return CalcRotatedTextRect(r, hAlign, vAlign, angle, d, c, bv, a);
}

} // namespace grid::print
