#pragma once
#include <cstdint>

// Comparisons and text fields on an attribute's UTF-8 text (nullptr when the
// attribute is missing), with the results of the QString forms
// (toUpper, trimmed, the low byte of each UTF-16 unit) but without making a
// QString for the usual ASCII texts.

// Does the text, upper-cased, equal upper (an upper-case ASCII text)?
bool UpperIs(const char* raw, const char* upper);

// The same after trimming white space at both ends.
bool TrimmedUpperIs(const char* raw, const char* upper);

// The index of the first of n upper-case ASCII texts that the text equals
// once upper-cased (and trimmed when trim is set); -1 when none does or the
// attribute is missing.
int UpperMatch(const char* raw, bool trim, const char* const* uppers, int n);
template <int N>
int UpperMatch(const char* raw, bool trim, const char* const (&uppers)[N])
{
    return UpperMatch(raw, trim, uppers, N);
}

// Stores the text from the start of the field, one byte per character (the
// low 8 bits of each UTF-16 unit), never past width; the rest of the field is
// left as it is.
void Store_Utf8_Text(uint8_t* field, int width, const char* raw);
template <int N>
void Store_Utf8_Text(uint8_t (&field)[N], const char* raw)
{
    Store_Utf8_Text(field, N, raw);
}

// The usual form of an IPv4 text: exactly four dot-separated parts of one to
// three decimal digits, each 0..255, nothing else. True with the octets for
// such a text; false (octets untouched) for anything else, which callers
// read by their general rule.
bool Plain_IPv4(const char* raw, uint8_t octets[4]);

