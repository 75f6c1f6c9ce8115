#include "controls/grid/core/edit_text_rules.h"

#include "controls/grid/core/text_routines.h"
#include "platform/text/format_settings.h"

#include <QRegularExpression>

#include <algorithm>

namespace grid {

namespace {

struct CharContext
{
    QChar ch;
    const QString& text;
    int caret;
    int selected;
    const TextRuleSettings& settings;
};

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QString Outside(const CharContext& c)
{
    return c.text.left(c.caret) + c.text.mid(c.caret + c.selected);
}

// "-" only once and only at the start.
bool MinusFits(const CharContext& c)
{
    return c.caret == 0 && !Outside(c).contains(u'-');
}

TypedVerdict IntegerRule(const CharContext& c, bool sign)
{
    if (IsDigit(c.ch))
        return TypedVerdict::Pass;
    if (sign && c.ch == u'-')
        return MinusFits(c) ? TypedVerdict::Pass : TypedVerdict::Beep;
    return TypedVerdict::Beep;
}

// A second decimal separator and the thousand separator are dropped
// silently, as is anything else that is no part of a number.
TypedVerdict FloatRule(const CharContext& c, bool sign)
{
    const platform::FormatSettings& fs = platform::FormatSettings::Current();
    if (IsDigit(c.ch))
        return TypedVerdict::Pass;
    if (c.ch == u'-')
        return sign && MinusFits(c) ? TypedVerdict::Pass : TypedVerdict::Beep;
    if (c.ch == fs.DecimalSeparator)
        return Outside(c).contains(fs.DecimalSeparator) ? TypedVerdict::Drop : TypedVerdict::Pass;
    return TypedVerdict::Drop;
}

bool InValidChars(QChar c, const TextRuleSettings& s)
{
    if (!s.validChars.isEmpty())
        return s.validChars.contains(c);
    return c.unicode() < s.validCharSet.size() && s.validCharSet.test(c.unicode());
}

// Backspace and Enter always; anything else only from the valid characters.
TypedVerdict ValidCharsRule(const CharContext& c)
{
    if (c.ch == QChar(8) || c.ch == QChar(13))
        return TypedVerdict::Pass;
    return InValidChars(c.ch, c.settings) ? TypedVerdict::Pass : TypedVerdict::Beep;
}

bool AllValidChars(const QString& text, const TextRuleSettings& s)
{
    return std::all_of(text.begin(), text.end(), [&](QChar c) { return InValidChars(c, s); });
}

QChar Upper(QChar c)
{
    return c.toUpper();
}
QChar Lower(QChar c)
{
    return c.toLower();
}

struct CharRule
{
    TEditorType type;
    TypedVerdict (*check)(const CharContext&);
    QChar (*map)(QChar);
    // A paste must match this (empty: any text).
    const char* pastePattern;
    // The whole text after typing or pasting (null: kept).
    QString (*whole)(const QString&);
    // A paste must pass this too (null: any text).
    bool (*pasteCheck)(const QString&, const TextRuleSettings&);
};

constexpr CharRule kCharRules[] = {
    {edNumeric, [](const CharContext& c) { return IntegerRule(c, true); }, nullptr, "^-?[0-9]+$", nullptr, nullptr},
    {edPositiveNumeric, [](const CharContext& c) { return IntegerRule(c, false); }, nullptr, "^[0-9]+$", nullptr,
     nullptr},
    {edFloat, [](const CharContext& c) { return FloatRule(c, true); }, nullptr, "^-?[0-9]*([.,][0-9]*)?$", nullptr,
     nullptr},
    {edPositiveFloat, [](const CharContext& c) { return FloatRule(c, false); }, nullptr, "^[0-9]*([.,][0-9]*)?$",
     nullptr, nullptr},
    {edCapital, nullptr, Upper, "", nullptr, nullptr},
    {edUpperCase, nullptr, Upper, "", nullptr, nullptr},
    {edLowerCase, nullptr, Lower, "", nullptr, nullptr},
    {edMixedCase, nullptr, nullptr, "", CapitalizeName, nullptr},
    {edValidChars, ValidCharsRule, nullptr, "", nullptr, AllValidChars},
};

const CharRule* RuleOf(TEditorType type)
{
    for (const CharRule& r : kCharRules) {
        if (r.type == type)
            return &r;
    }
    return nullptr;
}

} // namespace

TypedVerdict TypedCharacter(TEditorType type, int limit, const QString& current, int caret, int selected,
                            QChar& typed, const TextRuleSettings& settings)
{
    const int length = static_cast<int>(current.size());
    caret = std::clamp(caret, 0, length);
    selected = std::clamp(selected, 0, length - caret);
    if (limit > 0 && length - selected + 1 > limit)
        return TypedVerdict::Drop;
    const CharRule* rule = RuleOf(type);
    if (rule == nullptr)
        return TypedVerdict::Pass;
    if (rule->map != nullptr)
        typed = rule->map(typed);
    return rule->check != nullptr ? rule->check(CharContext{typed, current, caret, selected, settings}) : TypedVerdict::Pass;
}

QString TextAfterTyping(TEditorType type, const QString& text)
{
    const CharRule* rule = RuleOf(type);
    return rule != nullptr && rule->whole != nullptr ? rule->whole(text) : text;
}

QChar KeypadCharacter(QChar typed, bool keypad, bool excelStyle)
{
    if (keypad && excelStyle && typed == u'.')
        return platform::FormatSettings::Current().DecimalSeparator;
    return typed;
}

bool PasteIntoText(TEditorType type, int limit, QString& current, int& selStart, int& selLength, QString value,
                   const TextRuleSettings& settings)
{
    const int length = static_cast<int>(current.size());
    const int start = std::clamp(selStart, 0, length);
    const int count = std::clamp(selLength, 0, length - start);
    if (limit >= 1 && value.size() > limit)
        return false;
    // One line break at the very end goes.
    if (value.endsWith(QLatin1String("\r\n")) && value.indexOf(QLatin1String("\r\n")) == value.size() - 2)
        value.chop(2);
    QString text = current.left(start) + value + current.mid(start + count);
    if (limit >= 1 && text.size() > limit)
        return false;
    if (const CharRule* rule = RuleOf(type)) {
        if (rule->pastePattern[0] != '\0') {
            static const QRegularExpression::PatternOption none = QRegularExpression::NoPatternOption;
            if (!QRegularExpression(QString::fromLatin1(rule->pastePattern), none).match(text).hasMatch())
                return false;
        }
        if (rule->pasteCheck != nullptr && !rule->pasteCheck(text, settings))
            return false;
        if (rule->map != nullptr) {
            for (QChar& c : text)
                c = rule->map(c);
        }
        if (rule->whole != nullptr)
            text = rule->whole(text);
    }
    current = text;
    if (count > 0) {
        selStart = start;
        selLength = static_cast<int>(value.size());
    } else {
        selStart = start + static_cast<int>(value.size());
        selLength = 0;
    }
    return true;
}

bool LookupCompletion(const QString& text, int caret, const QStringList& items, bool caseSensitive,
                      QString& completed, int& index)
{
    const QString prefix = text.left(std::clamp(caret, 0, static_cast<int>(text.size())));
    if (prefix.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < items.size(); ++i) {
        const QString& item = items.at(i);
        if (!item.startsWith(prefix, cs))
            continue;
        completed = prefix + item.mid(prefix.size(), 255);
        index = i;
        return true;
    }
    return false;
}

int ComboDropWidth(int width, const QList<int>& itemWidths, int dropDownCount)
{
    int w = width;
    const bool scrolls = itemWidths.size() > dropDownCount;
    for (const int t : itemWidths) {
        if (scrolls && t > w - 25)
            w = t + 25;
        else if (!scrolls && t > w - 5)
            w = t + 8;
    }
    return w;
}

} // namespace grid

namespace grid {

void SplitUnitValue(const QString& value, const QStringList& units, QString& text, QString& unit)
{
    for (const QString& u : units) {
        if (u.isEmpty())
            continue;
        const qsizetype p = value.indexOf(u);
        if (p >= 0 && p == value.size() - u.size()) {
            text = value.left(p);
            unit = u;
            return;
        }
    }
    text = value;
    unit.clear();
}

} // namespace grid
