#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// Little-endian integer fields for the packed image records. Their alignment
// is 1, so a record made of them has no padding and its bytes are the image
// bytes on any host.
template <typename T>
struct LeInt
{
    uint8_t b[sizeof(T)];

    constexpr LeInt& operator=(T v)
    {
        for (std::size_t i = 0; i < sizeof(T); ++i)
            b[i] = static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * i));
        return *this;
    }
    constexpr operator T() const
    {
        uint64_t v = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            v |= static_cast<uint64_t>(b[i]) << (8 * i);
        return static_cast<T>(v);
    }
};

using u16le = LeInt<uint16_t>;
using u32le = LeInt<uint32_t>;

static_assert(sizeof(u16le) == 2 && alignof(u16le) == 1);
static_assert(sizeof(u32le) == 4 && alignof(u32le) == 1);

// Writes value little-endian into width bytes at offset of a record's bytes.
inline void PutLe(void* record, std::size_t offset, int width, uint32_t value)
{
    auto* p = static_cast<uint8_t*>(record) + offset;
    for (int i = 0; i < width; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The plain byte sum of n bytes, modulo 2^32.
inline uint32_t ByteSum(const uint8_t* bytes, std::size_t n)
{
    uint32_t sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += bytes[i];
    return sum;
}
