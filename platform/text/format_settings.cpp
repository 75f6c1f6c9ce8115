#include "platform/text/format_settings.h"

namespace platform {

namespace {

// The first character of the locale's date pattern that is not a letter of it.
QChar FirstSeparator(const QString& pattern, QChar fallback)
{
    for (QChar ch : pattern)
        if (!ch.isLetter() && ch != u'\'' && !ch.isSpace())
            return ch;
    return fallback;
}

// "dd.MM.yyyy" and "M/d/yy" become "dd.mm.yyyy" and "m/d/yy".
QString ShortDateLetters(const QString& pattern)
{
    QString out;
    for (QChar ch : pattern) {
        if (ch == u'M' || ch == u'd' || ch == u'y')
            out += ch.toLower();
        else if (!ch.isLetter())
            out += ch;
    }
    return out;
}

FormatSettings& Slot()
{
    static FormatSettings current = FormatSettings::FromLocale(QLocale::system());
    return current;
}

} // namespace

FormatSettings FormatSettings::FromLocale(const QLocale& locale)
{
    FormatSettings s;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (decimal.size() == 1)
        s.DecimalSeparator = decimal.front();
    if (group.size() == 1)
        s.ThousandSeparator = group.front();
    const QString date = locale.dateFormat(QLocale::ShortFormat);
    s.DateSeparator = FirstSeparator(date, u'/');
    s.TimeSeparator = FirstSeparator(locale.timeFormat(QLocale::ShortFormat), u':');
    const QString letters = ShortDateLetters(date);
    if (!letters.isEmpty())
        s.ShortDateFormat = letters;
    return s;
}

const FormatSettings& FormatSettings::Current()
{
    return Slot();
}

void FormatSettings::SetCurrent(const FormatSettings& settings)
{
    Slot() = settings;
}

ScopedFormatSettings::ScopedFormatSettings(const FormatSettings& settings) : previous_(FormatSettings::Current())
{
    FormatSettings::SetCurrent(settings);
}

ScopedFormatSettings::~ScopedFormatSettings()
{
    FormatSettings::SetCurrent(previous_);
}

} // namespace platform
