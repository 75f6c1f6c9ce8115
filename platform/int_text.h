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
