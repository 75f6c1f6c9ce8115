#include "row_text.h"

#include "par_gen_reader.h"

#include <QString>

#include <algorithm>

namespace {

bool IsAscii(const char* raw)
{
    for (const char* p = raw; *p; ++p)
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    return true;
}

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool AsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool UpperRangeIs(const char* begin, const char* end, const char* upper)
{
    for (; begin < end; ++begin, ++upper)
        if (*upper == '\0' || AsciiUpper(*begin) != *upper)
            return false;
    return *upper == '\0';
}

} // namespace

int UpperMatch(const char* raw, bool trim, const char* const* uppers, int n)
{
    if (!raw)
        return -1;
    if (!IsAscii(raw)) {
        QString t = QString::fromUtf8(raw);
        if (trim)
            t = t.trimmed();
        t = t.toUpper();
        for (int i = 0; i < n; ++i)
            if (t == QLatin1String(uppers[i]))
                return i;
        return -1;
    }
    const char* end = raw;
    while (*end)
        ++end;
    if (trim) {
        while (raw < end && AsciiSpace(*raw))
            ++raw;
        while (end > raw && AsciiSpace(end[-1]))
            --end;
    }
    for (int i = 0; i < n; ++i)
        if (UpperRangeIs(raw, end, uppers[i]))
            return i;
    return -1;
}

bool UpperIs(const char* raw, const char* upper)
{
    return UpperMatch(raw, false, &upper, 1) == 0;
}

bool TrimmedUpperIs(const char* raw, const char* upper)
{
    return UpperMatch(raw, true, &upper, 1) == 0;
}

void Store_Utf8_Text(uint8_t* field, int width, const char* raw)
{
    if (!raw)
        return;
    if (!IsAscii(raw)) {
        Store_Text(field, width, QString::fromUtf8(raw));
        return;
    }
    for (int k = 0; k < width && raw[k]; ++k)
        field[k] = static_cast<uint8_t>(raw[k]);
}

bool Plain_IPv4(const char* raw, uint8_t octets[4])
{
    if (!raw)
        return false;
    uint8_t out[4];
    const char* p = raw;
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && *p++ != '.')
            return false;
        int value = 0;
        int digits = 0;
        while (*p >= '0' && *p <= '9' && digits < 4) {
            value = value * 10 + (*p++ - '0');
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        out[i] = static_cast<uint8_t>(value);
    }
    if (*p != '\0')
        return false;
    std::copy(out, out + 4, octets);
    return true;
}
