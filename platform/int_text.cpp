#include "int_text.h"

bool TryStrToInt(const QString& text, int32_t& value)
{
    const int n = text.size();
    int i = 0;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == QLatin1Char('$') || text[i] == QLatin1Char('x') || text[i] == QLatin1Char('X'))) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;
    uint64_t acc = 0;
    int digits = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return false;
        acc = acc * (hex ? 16 : 10) + d;
        if (acc != 0)
            ++digits;
        if (hex ? digits > 8 : acc > 0x80000000ULL)
            return false;
    }
    if (hex) {
        auto bits = static_cast<uint32_t>(acc);
        if (negative)
            bits = 0u - bits;
        value = static_cast<int32_t>(bits);
        return true;
    }
    if (!negative && acc > 0x7FFFFFFFULL)
        return false;
    value = negative ? static_cast<int32_t>(-static_cast<int64_t>(acc)) : static_cast<int32_t>(acc);
    return true;
}

int32_t StrToIntDef(const QString& text, int32_t def)
{
    int32_t v;
    return TryStrToInt(text, v) ? v : def;
}
