#include "controls/grid/core/edit_text_rules.h"

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
};

constexpr CharRule kCharRules[] = {
    {edNumeric, [](const CharContext& c) { return IntegerRule(c, true); }, nullptr, "^-?[0-9]+$"},
    {edPositiveNumeric, [](const CharContext& c) { return IntegerRule(c, false); }, nullptr, "^[0-9]+$"},
    {edFloat, [](const CharContext& c) { return FloatRule(c, true); }, nullptr, "^-?[0-9]*([.,][0-9]*)?$"},
    {edPositiveFloat, [](const CharContext& c) { return FloatRule(c, false); }, nullptr, "^[0-9]*([.,][0-9]*)?$"},
    {edCapital, nullptr, Upper, ""},
    {edUpperCase, nullptr, Upper, ""},
    {edLowerCase, nullptr, Lower, ""},
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
                            QChar& typed)
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
    return rule->check != nullptr ? rule->check(CharContext{typed, current, caret, selected}) : TypedVerdict::Pass;
}

bool PasteIntoText(TEditorType type, int limit, QString& current, int& selStart, int& selLength, QString value)
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
        if (rule->map != nullptr) {
            for (QChar& c : text)
                c = rule->map(c);
        }
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
