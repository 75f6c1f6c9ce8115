#pragma once
#include "controls/dropdown/dropdown_types.h"

#include <QString>

#include <functional>

// The typed value entry of a drop-down edit as a state machine: the edit's
// text, caret, selection and modified flag, changed by characters, keys and
// pastes under the entry options. Separators come from the current
// FormatSettings at each use. The widget copies its state in, runs a step
// and copies the result back.
namespace dropdown {

struct EntryOptions
{
    TDropDownEditType EditType = etString;
    QString Prefix;
    QString Suffix;
    bool Signed = false;
    int LengthLimit = 0;  // digits of the integer part; 0 = none
    int Precision = 0;
    bool AllowNumericNullValue = false;
    bool AutoThousandSeparator = true;
    bool ExcelStyleDecimalSeparator = false;
    bool EditorEnabled = true;
    bool ReadOnly = false;
    QString ValidChars;
    int MaxLength = 0;  // 0 = none
};

struct EntryState
{
    QString Text;  // Prefix + value + Suffix
    int SelStart = 0;
    int SelLength = 0;
    bool Modified = false;
    bool BlockChange = false;  // the edit's next change notification is swallowed
    friend bool operator==(const EntryState&, const EntryState&) = default;
};

// What a character comes with.
struct CharInput
{
    QChar Char;
    bool Control = false;
    bool KeypadDecimal = false;  // the numeric pad's decimal key
};

enum class KeyOutcome {
    Pass,     // the edit's own handling runs; then AfterKeyDown
    Handled,  // done (moved, or dropped)
};

class TypedEntry
{
public:
    // The value: the text without Prefix (when it starts with it) and
    // without the last Length(Suffix) characters.
    static QString Value(const QString& text, const EntryOptions& o);
    static QString Value(const EntryState& s, const EntryOptions& o) { return Value(s.Text, o); }
    static int ValueEnd(const EntryState& s, const EntryOptions& o);

    // The Text setter: empty numbers become "0", Precision formats, hex is
    // upper-cased; Modified cleared, caret at the end.
    static void SetText(EntryState& s, const EntryOptions& o, const QString& value);
    static double TextToFloat(const QString& text);
    static double GetFloatValue(const EntryState& s, const EntryOptions& o);
    static void SetFloatValue(EntryState& s, const EntryOptions& o, double value);
    static void SetIntValue(EntryState& s, const EntryOptions& o, int value);
    static void FormatMoneyText(EntryState& s, const EntryOptions& o);

    static int IntegerPartLength(const QString& text, const EntryOptions& o);
    static int DecimalSeparatorPos(const EntryState& s, const EntryOptions& o);
    static bool PrecisionReached(const QString& value, int caret, const EntryOptions& o);
    static bool SeparatorBlocked(const QString& value, int caret, const EntryOptions& o);
    static bool AllowsMinus(QChar key, const EntryOptions& o);

    static void SelectAll(EntryState& s, const EntryOptions& o);
    static void SelectBeforeDecimal(EntryState& s, const EntryOptions& o);
    static void SelectAfterDecimal(EntryState& s, const EntryOptions& o);

    // The character filter and the typing rules of each EditType. Backspace
    // is char 8. Enter, Esc and Tab are the widget's and are dropped here.
    // False when the character was dropped.
    static bool TypeChar(EntryState& s, const EntryOptions& o, CharInput in);
    // The caret rules around Prefix and Suffix and the LengthLimit of Delete.
    static KeyOutcome KeyDown(EntryState& s, const EntryOptions& o, int key, bool shift);
    // The edit's own handling of Left, Right, Home, End, Delete.
    static void NormalKey(EntryState& s, int key, bool shift);
    static void AfterKeyDown(EntryState& s, const EntryOptions& o, int key);
    // KeyDown, NormalKey when passed, AfterKeyDown.
    static void RunKey(EntryState& s, const EntryOptions& o, int key, bool shift = false);

    // The new value, caret and selection of a paste before the type rules.
    struct Composed
    {
        QString Value;
        int Caret = 0;
        int SelLength = 0;
    };
    static Composed ComposePastedValue(const EntryState& s, const EntryOptions& o, const QString& pasted);
    // The paste rules; allow (may be empty) sees the new value first. False
    // when nothing was pasted.
    static bool Paste(EntryState& s, const EntryOptions& o, const QString& pasted,
                      const std::function<bool(const QString&)>& allow = {});

    // Caret and selection held inside the value after a click.
    static void AfterClick(EntryState& s, const EntryOptions& o);
    // The value completed when the focus leaves.
    static void CompleteOnFocusLoss(EntryState& s, const EntryOptions& o);
    // True when a value no longer fits a new EditType, which then resets it.
    static void ApplyEditType(EntryState& s, const EntryOptions& o);
};

// Numbers as the Format routines write them with the current separators:
// fixed decimals, grouped or not; %g for a negative precision.
QString FormatNumber(double value, int precision, bool grouped);

}  // namespace dropdown
