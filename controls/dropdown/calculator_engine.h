#pragma once
#include "controls/dropdown/typed_entry.h"

// The four-function calculator behind the calculator drop-down, on the
// edit's text as its display. Every value is written through the typed
// entry's Text setter, so the display shows Precision decimals. A display
// that is no number reads as 0: no key ever fails.
namespace dropdown {

// Tags of the standard keys.
enum CalcTag {
    ctAdd = 10, ctSubtract = 11, ctMultiply = 12, ctDivide = 13, ctSign = 14, ctDecimal = 15, ctClear = 16,
    ctEquals = 17, ctPercent = 18, ctOn = 30, ctBack = 31, ctClearEntry = 32, ctMemoryClear = 33,
    ctMemoryRecall = 34, ctMemoryStore = 35, ctMemoryAdd = 36, ctSqrt = 37, ctReciprocal = 38
};

// What a character typed in the edit leads to.
enum class CalcCharOutcome { Consumed, Dropped, Typed };
// What a key of the popup asks of the popup.
enum class CalcPopupOutcome { None, Close, Cancel };

class CalculatorEngine
{
public:
    long double Accumulator = 0;
    int PendingOp = -1;  // -1 none, 0 add, 1 multiply, 2 subtract, 3 divide
    bool NewValue = false;
    int Decim = 0;       // divisor of the next decimal digit; 0 for whole digits
    long double Memory = 0;

    // The display without thousand separators, read with the decimal
    // separator; 0 for a text that is no number.
    static long double DisplayValue(const EntryState& s, const EntryOptions& o);
    // A new number starts (each time the popup opens).
    void StartNumber()
    {
        NewValue = true;
        Decim = 0;
    }

    // A keypad key by its tag; false when MaxLength made it ignored.
    bool Key(int tag, EntryState& s, const EntryOptions& o);
    void CalculatePending(EntryState& s, const EntryOptions& o);
    void Operation(int op, EntryState& s, const EntryOptions& o);
    void Equals(EntryState& s, const EntryOptions& o);
    void Percent(EntryState& s, const EntryOptions& o);

    // A character typed in the edit: with the popup closed the operator
    // characters act (and are consumed); then the character filter; digits
    // replace a new number. Typed: the typed entry has taken it.
    CalcCharOutcome EditChar(QChar ch, bool popupShowing, EntryState& s, const EntryOptions& o);
    // A character typed while the popup has the focus; digits and the
    // separator reach the edit first.
    CalcPopupOutcome PopupChar(QChar ch, bool alt, EntryState& s, const EntryOptions& o);
    // Backspace in the popup: the text less its last character, "0" when
    // that is empty or "Error".
    void PopupBackspace(EntryState& s, const EntryOptions& o);

private:
    static void Write(EntryState& s, const EntryOptions& o, const QString& text);
    static void WriteValue(EntryState& s, const EntryOptions& o, long double value);
    void OperatorChar(QChar ch, EntryState& s, const EntryOptions& o);
};

// Value formatted with %g, as the Value setter and "%" write it.
QString CalcGeneral(long double value);

}  // namespace dropdown
