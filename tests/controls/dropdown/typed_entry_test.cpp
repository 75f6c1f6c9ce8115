#include "controls/dropdown/typed_entry.h"
#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

// Texts of the tables write '#' for the decimal and '~' for the thousand
// separator; each table runs under a dot and a comma locale.
platform::FormatSettings Locale(bool comma)
{
    platform::FormatSettings f;
    f.DecimalSeparator = comma ? u',' : u'.';
    f.ThousandSeparator = comma ? u'.' : u',';
    return f;
}

QString L(const char* text)
{
    QString s = QString::fromUtf8(text);
    const platform::FormatSettings& f = platform::FormatSettings::Current();
    s.replace(u'#', f.DecimalSeparator);
    s.replace(u'~', f.ThousandSeparator);
    return s;
}

EntryOptions Options(TDropDownEditType type, int precision = 0, bool isSigned = false)
{
    EntryOptions o;
    o.EditType = type;
    o.Precision = precision;
    o.Signed = isSigned;
    return o;
}

EntryState Start(const EntryOptions& o, const QString& value, int caret)
{
    EntryState s;
    s.Text = o.Prefix + value + o.Suffix;
    s.SelStart = caret < 0 ? int(o.Prefix.size() + value.size()) : caret;
    return s;
}

// Typed characters, and keys in braces: {L} {R} {H} {E} {D} {B} (Backspace),
// {sH} {sE} with Shift, {A} selects the value.
void RunScript(EntryState& s, const EntryOptions& o, const QString& script)
{
    for (int i = 0; i < script.size(); ++i) {
        if (script[i] != u'{') {
            TypedEntry::TypeChar(s, o, {script[i]});
            continue;
        }
        const int close = int(script.indexOf(u'}', i));
        const QString key = script.mid(i + 1, close - i - 1);
        i = close;
        const bool shift = key.startsWith(u's');
        const QChar k = key.back();
        if (k == u'A') {
            TypedEntry::SelectAll(s, o);
            continue;
        }
        const int code = k == u'L' ? Qt::Key_Left : k == u'R' ? Qt::Key_Right : k == u'H' ? Qt::Key_Home
                       : k == u'E' ? Qt::Key_End : k == u'D' ? Qt::Key_Delete : Qt::Key_Backspace;
        TypedEntry::RunKey(s, o, code, shift);
        if (code == Qt::Key_Backspace)
            TypedEntry::TypeChar(s, o, {QChar(8)});
    }
}

TEST(TypedEntry, TypingScripts)
{
    EntryOptions prefixed = Options(etString);
    prefixed.Prefix = QStringLiteral("$ ");
    prefixed.Suffix = QStringLiteral(" EUR");
    EntryOptions limited = Options(etFloat, 2);
    limited.LengthLimit = 3;
    EntryOptions valid = Options(etValidChars);
    valid.ValidChars = QStringLiteral("xyz");
    EntryOptions shortText = Options(etString);
    shortText.MaxLength = 3;
    EntryOptions moneyPrefixed = Options(etMoney, 2);
    moneyPrefixed.Prefix = QStringLiteral("$");

    struct Case
    {
        const char* name;
        EntryOptions options;
        const char* value;
        int caret;  // -1: the value's end
        const char* script;
        const char* text;
        int selStart, selLength;
        bool modified;
    } cases[] = {
        {"sign on", Options(etNumeric, 0, true), "12", 1, "-", "-12", 2, 0, true},
        {"sign off", Options(etNumeric, 0, true), "-12", 2, "-", "12", 1, 0, true},
        {"sign over all", Options(etNumeric, 0, true), "12", 0, "{A}-", "-", 1, 0, true},
        {"unsigned", Options(etNumeric), "", 0, "1a-2", "12", 2, 0, true},
        {"float overwrite", Options(etFloat, 2), "1#25", 3, "9", "1#29", 4, 0, true},
        {"float full", Options(etFloat, 2), "1#25", -1, "9", "1#25", 4, 0, false},
        {"float second separator", Options(etFloat, 2), "1#5", 0, "#", "1#5", 2, 0, false},
        {"float separator first", Options(etFloat, 2), "", 0, "#", "0#", 2, 0, true},
        {"float sign", Options(etFloat, 2, true), "1#5", 1, "-", "-1#5", 2, 0, true},
        {"float no separator at 0", Options(etFloat, 0), "", 0, "1#5", "15", 2, 0, true},
        {"money grouping", Options(etMoney, 2), "", 0, "1234#5", "1~234#5", 7, 0, true},
        {"money caret kept", Options(etMoney, 2), "", 0, "12345{L}{L}9", "123~945", 5, 0, true},
        {"money blocked separator", Options(etMoney, 2), "1~234", 2, "#", "1~234", 2, 0, false},
        {"money no decimals", Options(etMoney, 0), "", 0, "12#3", "123", 3, 0, true},
        {"money delete regroups", Options(etMoney, 2), "1~234", 0, "{D}", "234", 0, 0, true},
        {"money prefix", moneyPrefixed, "", -1, "1234", "$1~234", 6, 0, true},
        // Regrouping never puts the caret into the prefix; a lone sign stays.
        {"money caret after the prefix", moneyPrefixed, "-", 1, "1", "$0", 1, 0, true},
        {"money lone sign", moneyPrefixed, "-", -1, "{D}", "$-", 2, 0, true},
        {"hex", Options(etHex), "", 0, "ff-g", "ff", 2, 0, true},
        {"hex eight digits", Options(etHex), "", 0, "123456789", "12345678", 8, 0, true},
        {"range", Options(etRange), "", 0, ";1-3;;4", "1-3;4", 5, 0, true},
        {"upper", Options(etUppercase), "", 0, "abC", "ABC", 3, 0, true},
        {"lower", Options(etLowerCase), "", 0, "AbC", "abc", 3, 0, true},
        {"mixed", Options(etMixedCase), "", 0, "john smith", "John Smith", 10, 0, true},
        {"alphanumeric", Options(etAlphaNumeric), "", 0, "a-1_b", "a1b", 3, 0, true},
        {"valid chars", valid, "", 0, "axbyc", "xy", 2, 0, true},
        {"password", Options(etPassword), "", 0, "ab", "ab", 2, 0, true},
        {"max length", shortText, "", 0, "abcd", "abc", 3, 0, true},
        {"end before suffix", prefixed, "12", 2, "{E}", "$ 12 EUR", 4, 0, false},
        {"home after prefix", prefixed, "12", -1, "{H}", "$ 12 EUR", 2, 0, false},
        {"right at the end", prefixed, "12", -1, "{R}", "$ 12 EUR", 4, 0, false},
        {"left at the start", prefixed, "12", 2, "{L}", "$ 12 EUR", 2, 0, false},
        {"backspace at the prefix", prefixed, "12", 2, "{B}", "$ 12 EUR", 2, 0, false},
        {"delete at the suffix", prefixed, "12", -1, "{D}", "$ 12 EUR", 4, 0, false},
        {"shift end", prefixed, "12", 2, "{sE}", "$ 12 EUR", 2, 2, false},
        {"shift home", prefixed, "12", 3, "{sH}", "$ 12 EUR", 2, 2, false},
        {"typing inside", prefixed, "12", 3, "x{B}{B}", "$ 2 EUR", 2, 0, true},
        {"length limit before", limited, "123#4", 1, "5", "123#4", 1, 0, false},
        {"length limit after", limited, "123#4", -1, "5", "123#45", 6, 0, true},
        {"length limit separator", limited, "123", -1, "#", "123#", 4, 0, true},
    };
    for (bool comma : {false, true}) {
        platform::ScopedFormatSettings locale(Locale(comma));
        for (const Case& c : cases) {
            EntryState s = Start(c.options, L(c.value), c.caret);
            RunScript(s, c.options, L(c.script));
            EXPECT_EQ(s.Text, L(c.text)) << c.name << (comma ? " (comma)" : " (dot)");
            EXPECT_EQ(s.SelStart, c.selStart) << c.name << (comma ? " (comma)" : " (dot)");
            EXPECT_EQ(s.SelLength, c.selLength) << c.name << (comma ? " (comma)" : " (dot)");
            EXPECT_EQ(s.Modified, c.modified) << c.name << (comma ? " (comma)" : " (dot)");
        }
    }
}

TEST(TypedEntry, ControlAndKeypad)
{
    platform::ScopedFormatSettings locale(Locale(true));
    const EntryOptions numeric = Options(etNumeric);
    EntryState s = Start(numeric, QString(), 0);
    EXPECT_FALSE(TypedEntry::TypeChar(s, numeric, {u'x'}));
    EXPECT_TRUE(TypedEntry::TypeChar(s, numeric, {u'x', true}));  // letters pass with Control held
    EntryOptions excel = Options(etFloat, 2);
    excel.ExcelStyleDecimalSeparator = true;
    s = Start(excel, QStringLiteral("1"), -1);
    TypedEntry::TypeChar(s, excel, {u'.', false, true});  // the pad's key types the comma
    EXPECT_EQ(s.Text, QStringLiteral("1,"));
    excel.ExcelStyleDecimalSeparator = false;
    s = Start(excel, QStringLiteral("1"), -1);
    TypedEntry::TypeChar(s, excel, {u'.', false, true});
    EXPECT_EQ(s.Text, QStringLiteral("1."));  // otherwise it is the thousand separator
    EntryOptions off = Options(etString);
    off.EditorEnabled = false;
    s = Start(off, QString(), 0);
    EXPECT_FALSE(TypedEntry::TypeChar(s, off, {u'a'}));
    EXPECT_TRUE(s.Text.isEmpty());
}

TEST(TypedEntry, SetTextAndCompletion)
{
    EntryOptions nullable = Options(etFloat, 2);
    nullable.AllowNumericNullValue = true;
    struct Case
    {
        const char* name;
        EntryOptions options;
        const char* value;
        bool viaText;  // through the Text setter, else typed and then the focus leaves
        const char* text;
    } cases[] = {
        {"float set", Options(etFloat, 2), "3#5", true, "3#50"},
        {"money set", Options(etMoney, 2), "1234#5", true, "1~234#50"},
        {"hex set", Options(etHex), "ff", true, "FF"},
        {"numeric empty", Options(etNumeric), "", true, "0"},
        {"error kept", Options(etFloat, 2), "Error", true, "Error"},
        {"float leaves", Options(etFloat, 2), "3", false, "3#00"},
        {"float empty leaves", Options(etFloat, 2), "", false, "0#00"},
        {"nullable empty leaves", nullable, "", false, ""},
        {"numeric empty leaves", Options(etNumeric), "", false, "0"},
        {"money leaves", Options(etMoney, 2), "1234#5", false, "1~234#50"},
        {"money no decimals leaves", Options(etMoney), "", false, "0"},
    };
    for (bool comma : {false, true}) {
        platform::ScopedFormatSettings locale(Locale(comma));
        for (const Case& c : cases) {
            EntryState s;
            if (c.viaText) {
                TypedEntry::SetText(s, c.options, L(c.value));
                EXPECT_FALSE(s.Modified) << c.name;
            } else {
                s = Start(c.options, L(c.value), -1);
                s.Modified = true;
                TypedEntry::CompleteOnFocusLoss(s, c.options);
            }
            EXPECT_EQ(s.Text, L(c.text)) << c.name << (comma ? " (comma)" : " (dot)");
        }
    }
}

TEST(TypedEntry, PastePerEditType)
{
    EntryOptions valid = Options(etValidChars);
    valid.ValidChars = QStringLiteral("xyz");
    EntryOptions shortText = Options(etString);
    shortText.MaxLength = 3;
    struct Case
    {
        const char* name;
        EntryOptions options;
        const char* value;
        int selStart, selLength;
        const char* pasted;
        bool pastes;
        const char* text;
        int caret, selection;
    } cases[] = {
        {"string", Options(etString), "ab", 2, 0, "cd", true, "abcd", 4, 0},
        {"string over selection", Options(etString), "abc", 1, 1, "XY", true, "aXYc", 1, 2},
        {"numeric", Options(etNumeric), "12", 2, 0, "3", true, "123", 3, 0},
        {"numeric letters", Options(etNumeric), "12", 2, 0, "12a", false, "12", 2, 0},
        {"numeric unsigned minus", Options(etNumeric), "12", 0, 0, "-", false, "12", 1, 0},
        {"numeric signed minus", Options(etNumeric, 0, true), "12", 0, 0, "-", true, "-12", 1, 0},
        {"float over selection", Options(etFloat, 2), "3", 0, 1, "5", true, "5#00", 0, 1},
        {"float separator without decimals", Options(etFloat), "3", 1, 0, "#5", false, "3", 3, 0},
        {"float text", Options(etFloat, 2), "3", 1, 0, "x", false, "3", 2, 0},
        {"money selected whole", Options(etMoney, 2), "", 0, 0, "1234", true, "1~234#00", 0, 8},
        {"upper", Options(etUppercase), "", 0, 0, "ab", true, "AB", 2, 0},
        {"lower", Options(etLowerCase), "", 0, 0, "AB", true, "ab", 2, 0},
        {"mixed", Options(etMixedCase), "", 0, 0, "john", true, "John", 4, 0},
        {"password", Options(etPassword), "", 0, 0, "x", true, "x", 1, 0},
        {"range", Options(etRange), "1", 1, 0, "-2", false, "1", 3, 0},
        {"hex", Options(etHex), "1", 1, 0, "f", false, "1", 2, 0},
        {"alphanumeric", Options(etAlphaNumeric), "", 0, 0, "ab1", true, "ab1", 3, 0},
        {"alphanumeric refused", Options(etAlphaNumeric), "", 0, 0, "a_b", false, "", 0, 0},
        {"valid chars refused", valid, "", 0, 0, "xq", false, "", 0, 0},
        {"max length", shortText, "ab", 2, 0, "cd", false, "ab", 2, 0},
    };
    for (bool comma : {false, true}) {
        platform::ScopedFormatSettings locale(Locale(comma));
        for (const Case& c : cases) {
            EntryState s = Start(c.options, L(c.value), c.selStart);
            s.SelLength = c.selLength;
            EXPECT_EQ(TypedEntry::Paste(s, c.options, L(c.pasted)), c.pastes) << c.name;
            EXPECT_EQ(s.Text, L(c.text)) << c.name << (comma ? " (comma)" : " (dot)");
            if (c.pastes || c.caret <= s.Text.size()) {
                EXPECT_EQ(s.SelStart, std::min<int>(c.caret, int(s.Text.size()))) << c.name;
                EXPECT_EQ(s.SelLength, c.selection) << c.name;
            }
        }
    }
    // The paste event sees the new value and may refuse it.
    EntryState s = Start(Options(etString), QStringLiteral("a"), 1);
    QString seen;
    EXPECT_FALSE(TypedEntry::Paste(s, Options(etString), QStringLiteral("b"), [&](const QString& v) {
        seen = v;
        return false;
    }));
    EXPECT_EQ(seen, QStringLiteral("ab"));
    EXPECT_EQ(s.Text, QStringLiteral("a"));
}

TEST(TypedEntry, EditTypeChangeAndValues)
{
    platform::ScopedFormatSettings locale(Locale(false));
    EntryState s;
    TypedEntry::SetText(s, Options(etString), QStringLiteral("abc"));
    TypedEntry::ApplyEditType(s, Options(etNumeric));
    EXPECT_EQ(s.Text, QStringLiteral("0"));
    TypedEntry::SetText(s, Options(etString), QStringLiteral("ff"));
    TypedEntry::ApplyEditType(s, Options(etHex));
    EXPECT_EQ(s.Text, QStringLiteral("ff"));  // a hex text fits
    EXPECT_EQ(TypedEntry::GetFloatValue(s, Options(etHex)), 255.0);
    TypedEntry::ApplyEditType(s, Options(etFloat, 2));
    EXPECT_EQ(s.Text, QStringLiteral("0.00"));
    EXPECT_EQ(TypedEntry::TextToFloat(QStringLiteral("1,234.5")), 1234.5);
    EXPECT_EQ(TypedEntry::TextToFloat(QStringLiteral("abc")), 0.0);
    EXPECT_EQ(TypedEntry::TextToFloat(QStringLiteral("inf")), 0.0);
    EntryState m = Start(Options(etMoney), QStringLiteral("-1,234."), -1);
    EXPECT_EQ(TypedEntry::GetFloatValue(m, Options(etMoney)), -1234.0);
}

}  // namespace
