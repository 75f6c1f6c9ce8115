// The text editor's rules for typed characters and pastes, per editor kind.
#include "controls/grid/core/edit_text_rules.h"
#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

struct TypedCase
{
    const char* name;
    TEditorType type;
    int limit;
    const char* text;
    int caret;
    int selected;
    char16_t ch;
    TypedVerdict verdict;
    char16_t typed;
};

const TypedCase kTyped[] = {
    {"plain text takes anything", edNormal, 0, "abc", 3, 0, u'-', TypedVerdict::Pass, u'-'},
    {"full text drops silently", edNormal, 3, "abc", 3, 0, u'x', TypedVerdict::Drop, u'x'},
    {"full text with a selection takes it", edNormal, 3, "abc", 1, 1, u'x', TypedVerdict::Pass, u'x'},
    {"numeric minus first", edNumeric, 0, "12", 0, 0, u'-', TypedVerdict::Pass, u'-'},
    {"numeric minus not first", edNumeric, 0, "12", 1, 0, u'-', TypedVerdict::Beep, u'-'},
    {"numeric minus only once", edNumeric, 0, "-12", 0, 0, u'-', TypedVerdict::Beep, u'-'},
    {"numeric minus over a selected minus", edNumeric, 0, "-12", 0, 1, u'-', TypedVerdict::Pass, u'-'},
    {"numeric letter beeps", edNumeric, 0, "12", 2, 0, u'a', TypedVerdict::Beep, u'a'},
    {"positive numeric never a minus", edPositiveNumeric, 0, "", 0, 0, u'-', TypedVerdict::Beep, u'-'},
    {"float first separator", edFloat, 0, "1", 1, 0, u'.', TypedVerdict::Pass, u'.'},
    {"float second separator dropped", edFloat, 0, "1.5", 3, 0, u'.', TypedVerdict::Drop, u'.'},
    {"float separator over the selected one", edFloat, 0, "1.5", 1, 1, u'.', TypedVerdict::Pass, u'.'},
    {"float thousand separator dropped", edFloat, 0, "1", 1, 0, u',', TypedVerdict::Drop, u','},
    {"positive float minus beeps", edPositiveFloat, 0, "", 0, 0, u'-', TypedVerdict::Beep, u'-'},
    {"upper case", edUpperCase, 0, "", 0, 0, u'q', TypedVerdict::Pass, u'Q'},
    {"lower case", edLowerCase, 0, "", 0, 0, u'Q', TypedVerdict::Pass, u'q'},
};

TEST(EditTextRules, TypedCharacters)
{
    platform::FormatSettings fs;
    fs.DecimalSeparator = u'.';
    fs.ThousandSeparator = u',';
    platform::ScopedFormatSettings scoped(fs);
    for (const TypedCase& c : kTyped) {
        SCOPED_TRACE(c.name);
        QChar typed(c.ch);
        EXPECT_EQ(TypedCharacter(c.type, c.limit, QString::fromUtf8(c.text), c.caret, c.selected, typed), c.verdict);
        EXPECT_EQ(typed, QChar(c.typed));
    }
}

struct PasteCase
{
    const char* name;
    TEditorType type;
    int limit;
    const char* text;
    int selStart;
    int selLength;
    const char* value;
    bool taken;
    const char* result;
    int resultStart;
    int resultLength;
};

const PasteCase kPastes[] = {
    {"at the caret", edNormal, 0, "abc", 1, 0, "XY", true, "aXYbc", 3, 0},
    {"over the selection, pasted text selected", edNormal, 0, "abc", 1, 2, "XY", true, "aXY", 1, 2},
    {"one trailing line break goes", edNormal, 0, "", 0, 0, "x\r\n", true, "x", 1, 0},
    {"a line break inside stays", edNormal, 0, "", 0, 0, "x\r\ny\r\n", true, "x\r\ny\r\n", 6, 0},
    {"longer than the limit: refused whole", edNormal, 15, "", 0, 0, "1234567890123456", false, "", 0, 0},
    {"the limit exactly", edNormal, 15, "", 0, 0, "123456789012345", true, "123456789012345", 15, 0},
    {"fits alone, not with the text", edNormal, 5, "abc", 3, 0, "def", false, "abc", 3, 0},
    {"numeric refuses a minus landing inside", edNumeric, 0, "1", 1, 0, "-2", false, "1", 1, 0},
    {"numeric takes a negative number", edNumeric, 0, "", 0, 0, "-2", true, "-2", 2, 0},
    {"numeric refuses a letter", edNumeric, 0, "1", 1, 0, "2a", false, "1", 1, 0},
    {"positive numeric refuses a minus", edPositiveNumeric, 0, "", 0, 0, "-2", false, "", 0, 0},
    {"float takes a decimal", edFloat, 0, "", 0, 0, "-1.5", true, "-1.5", 4, 0},
    {"upper case", edUpperCase, 0, "a", 1, 0, "bc", true, "ABC", 3, 0},
    {"selection past the text is clamped", edNormal, 0, "ab", 5, 9, "c", true, "abc", 3, 0},
};

TEST(EditTextRules, Pastes)
{
    for (const PasteCase& c : kPastes) {
        SCOPED_TRACE(c.name);
        QString text = QString::fromUtf8(c.text);
        int start = c.selStart;
        int length = c.selLength;
        EXPECT_EQ(PasteIntoText(c.type, c.limit, text, start, length, QString::fromUtf8(c.value)), c.taken);
        EXPECT_EQ(text, QString::fromUtf8(c.result));
        if (c.taken) {
            EXPECT_EQ(start, c.resultStart);
            EXPECT_EQ(length, c.resultLength);
        }
    }
}

} // namespace

namespace {

TEST(EditTextRules, LookupCompletesFromTheFirstItemStartingWithTheTypedText)
{
    const QStringList items = {"Abc", "abd", "xyz"};
    const struct
    {
        const char* name;
        const char* text;
        int caret;
        bool caseSensitive;
        bool found;
        const char* completed;
        int index;
    } cases[] = {
        {"case-insensitive: the first item", "ab", 2, false, true, "abc", 0},
        {"case-sensitive: the matching case", "ab", 2, true, true, "abd", 1},
        {"only the text up to the caret counts", "xq", 1, false, true, "xyz", 2},
        {"an empty prefix matches nothing", "ab", 0, false, false, "", -1},
        {"inside an item is no match", "bc", 2, false, false, "", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString completed;
        int index = -1;
        EXPECT_EQ(LookupCompletion(QString::fromUtf8(c.text), c.caret, items, c.caseSensitive, completed, index),
                  c.found);
        if (c.found) {
            EXPECT_EQ(completed, QString::fromUtf8(c.completed));
            EXPECT_EQ(index, c.index);
        }
    }
    // At most 255 characters come from the item.
    QString completed;
    int index = -1;
    ASSERT_TRUE(LookupCompletion("a", 1, {QString(400, u'a')}, false, completed, index));
    EXPECT_EQ(completed.size(), 256);
}

TEST(EditTextRules, ValidCharactersFromTheStringOrElseTheSet)
{
    TextRuleSettings hex;
    hex.validChars = QStringLiteral("0123456789ABCDEF");
    TextRuleSettings set;
    for (const char c : {'x', 'y'})
        set.validCharSet.set(static_cast<unsigned char>(c));
    const TextRuleSettings none;
    const struct
    {
        const char* name;
        const TextRuleSettings& settings;
        char16_t ch;
        TypedVerdict verdict;
    } cases[] = {
        {"in the string", hex, u'A', TypedVerdict::Pass},
        {"not in the string", hex, u'g', TypedVerdict::Beep},
        {"the string wins over the set", hex, u'x', TypedVerdict::Beep},
        {"backspace always", hex, u'\b', TypedVerdict::Pass},
        {"enter always", none, u'\r', TypedVerdict::Pass},
        {"in the set", set, u'y', TypedVerdict::Pass},
        {"not in the set", set, u'z', TypedVerdict::Beep},
        {"beyond the set's range", set, u'\u20ac', TypedVerdict::Beep},
        {"nothing allowed", none, u'a', TypedVerdict::Beep},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QChar typed(c.ch);
        EXPECT_EQ(TypedCharacter(edValidChars, 0, QString(), 0, 0, typed, c.settings), c.verdict);
    }
    // A paste is taken only when the whole new text is valid.
    QString text = QStringLiteral("A1");
    int start = 2;
    int length = 0;
    EXPECT_TRUE(PasteIntoText(edValidChars, 0, text, start, length, QStringLiteral("FF"), hex));
    EXPECT_EQ(text, QStringLiteral("A1FF"));
    EXPECT_FALSE(PasteIntoText(edValidChars, 0, text, start, length, QStringLiteral("F-"), hex));
    EXPECT_EQ(text, QStringLiteral("A1FF"));
    // A full text still drops a valid character.
    QChar typed(u'B');
    EXPECT_EQ(TypedCharacter(edValidChars, 4, text, 4, 0, typed, hex), TypedVerdict::Drop);
}

TEST(EditTextRules, MixedCaseCapitalisesTheWholeText)
{
    QChar typed(u'x');
    EXPECT_EQ(TypedCharacter(edMixedCase, 0, QStringLiteral("john"), 4, 0, typed), TypedVerdict::Pass);
    EXPECT_EQ(typed, QChar(u'x'));
    EXPECT_EQ(TextAfterTyping(edMixedCase, QStringLiteral("jOHN sMITH")), QStringLiteral("John Smith"));
    EXPECT_EQ(TextAfterTyping(edNormal, QStringLiteral("jOHN")), QStringLiteral("jOHN"));
    QString text = QStringLiteral("ann ");
    int start = 4;
    int length = 0;
    ASSERT_TRUE(PasteIntoText(edMixedCase, 0, text, start, length, QStringLiteral("LEE")));
    EXPECT_EQ(text, QStringLiteral("Ann Lee"));
}

TEST(EditTextRules, OnlyTheKeypadsDecimalKeyTypesTheLocalesSeparator)
{
    platform::FormatSettings fs;
    fs.DecimalSeparator = u',';
    platform::ScopedFormatSettings scoped(fs);
    EXPECT_EQ(KeypadCharacter(u'.', true, true), QChar(u','));
    EXPECT_EQ(KeypadCharacter(u'.', false, true), QChar(u'.'));
    EXPECT_EQ(KeypadCharacter(u'.', true, false), QChar(u'.'));
    EXPECT_EQ(KeypadCharacter(u'5', true, true), QChar(u'5'));
}

TEST(EditTextRules, ComboDropWidthLeavesRoomForTheScrollBar)
{
    // A control 100 wide, five items, one 97 wide and the others narrower.
    const QList<int> widths = {40, 97, 60, 69, 10};
    EXPECT_EQ(ComboDropWidth(100, widths, 8), 105);
    EXPECT_EQ(ComboDropWidth(100, widths, 3), 122);
    EXPECT_EQ(ComboDropWidth(100, {10, 20}, 8), 100);
}

} // namespace
