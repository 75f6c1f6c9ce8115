#pragma once

// Number of texts in the language table; valid text numbers are 0..LangTableSize-1.
constexpr int LangTableSize = 2000;

// Built-in English text of each text number.
extern const char* const BuiltinEnglishTexts[LangTableSize];
