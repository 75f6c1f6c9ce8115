#pragma once
// The value information tables of EN 13757-3 as the tool names and codes
// them: the primary VIF, the extensions after VIF FD and FB, and the
// combinable VIFEs. A row covers a code range; the low bits of the code may
// pick a unit word, a power of ten or a number in the text.
#include <QString>
#include <cstdint>

namespace mbus {

enum class Number : uint8_t
{
    None,
    Units,       // a word of `units` by the masked bits follows the text
    TwoDigits,   // the masked bits as two digits, between text and suffix
    Power,       // the masked bits plus `offset` in "10^(n)", between text and suffix
};

enum class Special : uint8_t
{
    None,
    DateTime,    // VIF 6C/6D: the text and value come from the date or time
    PlainText,   // VIF 7C: the unit is text
    Phase,       // VIFE 7C: the next VIFE names a phase
};

struct VifRow
{
    uint8_t lo, hi;                   // codes, the extension bit cleared
    const char* text;
    int32_t code;                     // type code (primary) or VIFE code; -1: none
    uint8_t expMask = 0;              // bits of the power of ten; 0: no scaling
    int8_t expOffset = 0;
    Number number = Number::None;
    uint8_t numberMask = 0;
    int8_t numberOffset = 0;
    const char* const* units = nullptr;
    const char* suffix = "";
    bool date = false;                // a combinable VIFE that dates the value
    Special special = Special::None;
};

// The row of code (extension bit cleared), or null when the table has none.
const VifRow* Primary_Vif(uint8_t code);
const VifRow* Extension_FD(uint8_t code);
const VifRow* Extension_FB(uint8_t code);
const VifRow* Combinable_Vife(uint8_t code);
// The text a VIFE 7C appends for the phase code after it, or null.
const char* Phase_Text(uint8_t code);

// The description of a row for code: text, number or unit word, suffix.
QString Row_Text(const VifRow& row, uint8_t code);

} // namespace mbus
