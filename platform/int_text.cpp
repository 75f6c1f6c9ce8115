#include "int_text.h"

#include <type_traits>

namespace {

// The integer text rules over a range of characters (UTF-16 units or UTF-8
// bytes; anything outside ASCII is no digit). Decimal values must fit a
// signed integer of bits; hexadecimal takes up to bits / 4 digits from the
// first that is not 0 and keeps their bit pattern.
//
// End is either a pointer past the last character or, for NUL-terminated
// UTF-8 text, the NulEnd marker.
struct NulEnd
{
};

template <typename C>
bool AtEnd(const C* p, const C* end)
{
    return p >= end;
}

template <typename C>
bool AtEnd(const C* p, NulEnd)
{
    return *p == C(0);
}

template <typename C, typename E>
bool ParseIntText(const C* p, E end, int bits, int64_t& value)
{
    while (!AtEnd(p, end) && *p == C(' '))
        ++p;
    bool negative = false;
    if (!AtEnd(p, end) && (*p == C('+') || *p == C('-'))) {
        negative = *p == C('-');
        ++p;
    }
    bool hex = false;
    if (!AtEnd(p, end) && (*p == C('$') || *p == C('x') || *p == C('X'))) {
        hex = true;
        ++p;
    } else if (!AtEnd(p, end) && p[0] == C('0') && !AtEnd(p + 1, end) && (p[1] == C('x') || p[1] == C('X'))) {
        hex = true;
        p += 2;
    }
    if (AtEnd(p, end))
        return false;
    const uint64_t limit = uint64_t{1} << (bits - 1);
    uint64_t acc = 0;
    int digits = 0;   // hexadecimal digits from the first that is not 0
    for (; !AtEnd(p, end); ++p) {
        const auto c = static_cast<std::make_unsigned_t<C>>(*p);
        unsigned d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (hex) {
            if (digits > 0 || d != 0)
                ++digits;
            if (digits > bits / 4)
                return false;
            acc = acc * 16 + d;
        } else {
            if (acc > (limit - d) / 10)
                return false;   // beyond the limit
            acc = acc * 10 + d;
        }
    }
    uint64_t magnitude = acc;
    if (!hex && !negative && acc == limit)
        return false;
    if (negative)
        magnitude = 0u - magnitude;
    value = bits == 32 ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)))
                       : static_cast<int64_t>(magnitude);
    return true;
}

const char16_t* Begin(const QString& text)
{
    return reinterpret_cast<const char16_t*>(text.constData());
}

} // namespace

bool TryStrToInt(const QString& text, int32_t& value)
{
    int64_t v;
    if (!ParseIntText(Begin(text), Begin(text) + text.size(), 32, v))
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

int32_t StrToIntDef(const QString& text, int32_t def)
{
    int32_t v;
    return TryStrToInt(text, v) ? v : def;
}

bool TryStrToInt64(const QString& text, int64_t& value)
{
    return ParseIntText(Begin(text), Begin(text) + text.size(), 64, value);
}

bool TryUtf8ToInt(const char* text, int32_t& value)
{
    int64_t v;
    if (!ParseIntText(text, NulEnd{}, 32, v))
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TryUtf8ToInt64(const char* text, int64_t& value)
{
    return ParseIntText(text, NulEnd{}, 64, value);
}
