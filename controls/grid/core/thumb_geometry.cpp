#include "controls/grid/core/thumb_geometry.h"

#include <algorithm>

namespace grid {

long long RoundHalfEven(long long num, long long den)
{
    long long q = num / den;
    long long r = num % den;
    if (r < 0) {
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0))
        ++q;
    return q;
}

ThumbGeometry MetroThumb(const ThumbAxis& a)
{
    ThumbGeometry t;
    const long long track = a.ControlLength - a.FixedSize - a.FooterSize;
    const int scrollable = a.Count - a.FixedCount;
    t.Start = a.FixedSize + (scrollable > 0 ? int(RoundHalfEven(track * (a.First - a.FixedCount), scrollable)) : 0);
    t.Length = a.Count > 0 ? int(RoundHalfEven(track * a.VisibleCount, a.Count)) : 0;
    t.Length = std::max(t.Length, kMinThumbLength);
    if (t.Start + t.Length > a.ControlLength)
        t.Start = a.ControlLength - t.Length;
    t.Shown = a.VisibleCount < scrollable;
    return t;
}

int MetroPageTarget(const ThumbAxis& a, int p)
{
    const ThumbGeometry t = MetroThumb(a);
    if (p < t.Start)
        return std::max(a.FixedCount, a.First - a.VisibleCount);
    if (p > t.Start + t.Length)
        return std::max(a.FixedCount, std::min(a.First + a.VisibleCount, a.Count - a.VisibleCount));
    return -1;
}

int MetroDragTarget(const ThumbAxis& a, int p, int downPos, int downFirst, int firstSize)
{
    const long long span = a.ControlLength - firstSize;
    if (span <= 0)
        return std::max(a.FixedCount, downFirst);
    long long n = RoundHalfEven((long long)(p - downPos) * a.Count, span) + downFirst;
    n = std::min<long long>(n, a.Count - a.VisibleCount);
    return int(std::max<long long>(a.FixedCount, n));
}

} // namespace grid
