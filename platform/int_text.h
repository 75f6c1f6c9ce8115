#pragma once
#include <QString>
#include <cstdint>

// Integer texts as the project files hold them: leading blanks, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "x", "X", "0x"
// or "0X". Nothing may follow the digits. The value must fit a signed 32-bit
// integer; hexadecimal accepts up to eight digits and keeps their bit pattern.
bool TryStrToInt(const QString& text, int32_t& value);

// The value of text, or def when text is not an integer text.
int32_t StrToIntDef(const QString& text, int32_t def);

// 64-bit twin of TryStrToInt: the same text rules, the value must fit a
// signed 64-bit integer (hexadecimal: up to sixteen digits). Callers keep the
// low 32 bits where a field asks so.
bool TryStrToInt64(const QString& text, int64_t& value);

// The same rules on NUL-terminated UTF-8 text (an XML attribute's value),
// without making a QString: TryUtf8ToInt as TryStrToInt, TryUtf8ToInt64 as
// TryStrToInt64.
bool TryUtf8ToInt(const char* text, int32_t& value);
bool TryUtf8ToInt64(const char* text, int64_t& value);
