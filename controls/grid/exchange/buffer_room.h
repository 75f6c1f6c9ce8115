#pragma once
#include <QtGlobal>

#ifdef __linux__
#include <sys/mman.h>
#endif

// Room ahead in a byte buffer that is about to be filled front to back.
namespace grid {

// Maps the pages of [from, to) in one call instead of one fault per page as
// they are first written (large ranges only; a hint, failures are ignored).
inline void MapAhead(char* from, char* to)
{
#ifdef MADV_POPULATE_WRITE
    constexpr quintptr kPage = 4096;
    constexpr quintptr kLarge = quintptr(1) << 20;
    const quintptr a = (quintptr(from) + kPage - 1) & ~(kPage - 1);
    const quintptr b = quintptr(to) & ~(kPage - 1);
    if (b > a && b - a >= kLarge)
        madvise(reinterpret_cast<void*>(a), size_t(b - a), MADV_POPULATE_WRITE);
#else
    (void)from;
    (void)to;
#endif
}

} // namespace grid
