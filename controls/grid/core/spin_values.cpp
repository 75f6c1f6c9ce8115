#include "controls/grid/core/spin_values.h"

#include "controls/grid/core/text_routines.h"
#include "platform/text/format_settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace grid {

namespace {

const platform::FormatSettings& Fs()
{
    return platform::FormatSettings::Current();
}

bool Clamps(double lo, double hi)
{
    return lo != hi;
}

double ClampDate(const SpinSettings& s, double v)
{
    if (!Clamps(s.minDateValue, s.maxDateValue))
        return v;
    return std::clamp(v, std::min(s.minDateValue, s.maxDateValue), std::max(s.minDateValue, s.maxDateValue));
}

bool MonthFirst()
{
    const QString f = Fs().ShortDateFormat.toUpper();
    const qsizetype m = f.indexOf(u'M');
    const qsizetype d = f.indexOf(u'D');
    return m >= 0 && d >= 0 && m < d;
}

// The caret's field (1, 2 or 3) between the first two separators.
int CaretField(const QString& text, QChar sep, int caret)
{
    const qsizetype first = text.indexOf(sep);
    if (first >= 0 && caret <= first)
        return 1;
    const qsizetype second = first >= 0 ? text.indexOf(sep, first + 1) : -1;
    if (second >= 0 && caret <= second)
        return 2;
    return 3;
}

bool ParseWhole(const QString& text, qint64& value)
{
    bool ok = false;
    value = text.trimmed().toLongLong(&ok, 10);
    return ok;
}

bool ParseFloat(const QString& text, double& value)
{
    const QChar ds = Fs().DecimalSeparator;
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar& ch : t) {
        if (ch == ds)
            ch = u'.';
        else if (ch == u'.' || !(ch.isDigit() || ch == u'-' || ch == u'+' || ch == u'e' || ch == u'E'))
            return false;
    }
    bool ok = false;
    value = t.toDouble(&ok);
    return ok && std::isfinite(value);
}

} // namespace

double RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double low = std::floor(value);
    const double diff = value - low;
    if (diff < 0.5)
        return low;
    if (diff > 0.5)
        return low + 1;
    return std::fmod(low, 2.0) == 0 ? low : low + 1;
}

int SpinIntValue(const SpinSettings& s, const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0;
    qint64 v = 0;
    if (!ParseWhole(text, v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return s.minValue;
    return static_cast<int>(v);
}

double SpinFloatValue(const SpinSettings& s, const QString& text)
{
    double v = 0;
    return ParseFloat(text, v) ? v : s.minFloatValue;
}

double SpinDateValue(const SpinSettings& s, const QString& text, double now)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == u"0")
        return now;
    const double v = MonthFirst() ? ParseDateMDY(t) : ParseDateDMY(t);
    return v == 0 ? s.minDateValue : v;
}

double SpinTimeValue(const QString& text)
{
    const QStringList parts = text.trimmed().split(Fs().TimeSeparator);
    if (parts.size() < 2 || parts.size() > 3)
        return 0;
    int fields[3] = {0, 0, 0};
    const int limits[3] = {24, 60, 60};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        fields[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || parts[i].trimmed().startsWith(u'-') || fields[i] >= limits[i])
            return 0;
    }
    return (fields[0] * 3600 + fields[1] * 60 + fields[2]) / 86400.0;
}

QString SpinIntText(const SpinSettings& s, qint64 value)
{
    if (Clamps(s.minValue, s.maxValue))
        value = std::clamp<qint64>(value, std::min(s.minValue, s.maxValue), std::max(s.minValue, s.maxValue));
    value = std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return QString::number(value);
}

QString SpinFloatText(const SpinSettings& s, double value)
{
    if (!std::isfinite(value))
        value = s.minFloatValue;
    if (Clamps(s.minFloatValue, s.maxFloatValue)) {
        if (value <= s.minFloatValue)
            value = s.minFloatValue;
        else if (value > s.maxFloatValue)
            value = s.maxFloatValue;
    }
    QString t = s.precision > 0 ? QString::number(value, 'f', std::min(s.precision, 15))
                                : QString::number(value, 'g', 15);
    if (t == u"-0")
        t = QStringLiteral("0");
    t.replace(u'.', Fs().DecimalSeparator);
    return t;
}

QString SpinDateText(const SpinSettings& s, double value)
{
    return ShortDateText(ClampDate(s, value));
}

QString SpinTimeText(const SpinSettings& s, double value)
{
    value = ClampDate(s, value);
    const double frac = value - std::floor(value);
    qint64 seconds = static_cast<qint64>(RoundHalfEven(frac * 86400.0));
    if (seconds >= 86400)
        seconds = 86399;
    const QChar sep = Fs().TimeSeparator;
    const int h = static_cast<int>(seconds / 3600);
    const int m = static_cast<int>(seconds / 60 % 60);
    QString t = QStringLiteral("%1%2%3").arg(h).arg(sep).arg(m, 2, 10, QChar(u'0'));
    if (s.showSeconds)
        t += sep + QStringLiteral("%1").arg(static_cast<int>(seconds % 60), 2, 10, QChar(u'0'));
    return t;
}

QString SpinNormalized(const SpinSettings& s, const QString& text, double now)
{
    switch (s.type) {
    case sptNormal:
        return SpinIntText(s, SpinIntValue(s, text));
    case sptFloat:
        return SpinFloatText(s, SpinFloatValue(s, text));
    case sptDate:
        return SpinDateText(s, SpinDateValue(s, text, now));
    case sptTime:
        return SpinTimeText(s, SpinTimeValue(text));
    }
    return text;
}

QString SpinLeaveText(const SpinSettings& s, const QString& text, double now)
{
    switch (s.type) {
    case sptNormal: {
        const int v = SpinIntValue(s, text);
        return SpinIntText(s, v) == QString::number(v) ? text : SpinIntText(s, v);
    }
    case sptFloat: {
        const double v = SpinFloatValue(s, text);
        const bool inside =
            !Clamps(s.minFloatValue, s.maxFloatValue) || (v >= s.minFloatValue && v <= s.maxFloatValue);
        return inside ? text : SpinFloatText(s, v);
    }
    case sptDate: {
        const double v = SpinDateValue(s, text, now);
        return ClampDate(s, v) == v ? text : SpinDateText(s, v);
    }
    case sptTime: {
        const double v = SpinTimeValue(text);
        return ClampDate(s, v) == v ? text : SpinTimeText(s, v);
    }
    }
    return text;
}

QString SpinStep(const SpinSettings& s, const QString& text, int caret, bool up, bool page, double now)
{
    const int sign = up ? 1 : -1;
    switch (s.type) {
    case sptNormal:
        return SpinIntText(s, static_cast<qint64>(SpinIntValue(s, text)) + sign * static_cast<qint64>(s.increment));
    case sptFloat:
        return SpinFloatText(s, SpinFloatValue(s, text) + sign * (page ? s.incrementFloatPage : s.incrementFloat));
    case sptDate: {
        const double v = SpinDateValue(s, text, now);
        const int field = CaretField(text, Fs().DateSeparator, caret);
        // Field order: day-first is day, month, year; month-first swaps the first two.
        const int what = field == 3 ? 2 : (MonthFirst() ? (field == 1 ? 1 : 0) : (field == 1 ? 0 : 1));
        const double stepped = IncDatePart(what == 2 ? sign : 0, what == 1 ? sign : 0, what == 0 ? sign : 0, 0, v);
        return SpinDateText(s, stepped);
    }
    case sptTime: {
        const QChar sep = Fs().TimeSeparator;
        const qsizetype first = text.indexOf(sep);
        const qsizetype second = first >= 0 ? text.indexOf(sep, first + 1) : -1;
        int h = 0, m = 0, sec = 0;
        if (first >= 0 && caret <= first)
            h = s.incrementHours;
        else if (s.showSeconds && caret > second)
            sec = s.incrementSeconds;
        else
            m = s.incrementMinutes;
        // Only clock readings are steps.
        if (h < 0 || h >= 24 || m < 0 || m >= 60 || sec < 0 || sec >= 60)
            return text;
        const double span = (h * 3600 + m * 60 + sec) / 86400.0;
        const double v = SpinTimeValue(text);
        double next = up ? v + span : v + 1 - span;
        if (next >= 1)
            next -= 1;
        return SpinTimeText(s, next);
    }
    }
    return text;
}

bool SpinAcceptsChar(const SpinSettings& s, const QString& text, int selStart, int selLength, QChar ch)
{
    const auto& fs = Fs();
    const QChar ds = fs.DecimalSeparator, ts = fs.ThousandSeparator, zad = fs.TimeSeparator,
                dts = fs.DateSeparator;
    if (ch == u'\b')
        return s.editorEnabled;
    const bool control = ch.unicode() < 0x20 && ch != u'\r';
    const bool digit = ch.isNumber();
    bool ok = ch == ds || ch == ts || ch == zad || ch == dts || digit || ch == u'-' || control;
    const auto separatorRule = [&](QChar sep, TEsgSpinType own) {
        if (ch != sep || s.type == own)
            return;
        const bool numeric = sep == ds || sep == ts || sep == u'-' || sep == u'+';
        ok = ok && numeric && (s.type == sptNormal || s.type == sptFloat);
    };
    separatorRule(zad, sptTime);
    separatorRule(dts, sptDate);
    const QString selected = text.mid(selStart, selLength);
    if (ch == u'-')
        ok = ok && selStart == 0 && (!text.contains(u'-') || selected.contains(u'-'));
    if (s.type == sptNormal)
        ok = ok && (digit || ch == u'-' || control);
    if (s.type == sptFloat && ch != u'\x1b' && ch != u'\r') {
        if (ch == ts && ts != ds)
            ok = false;
        if (ch == ds && text.contains(ds) && !selected.contains(ds))
            ok = false;
        const qsizetype p = text.indexOf(ds);
        if (s.precision > 0 && p >= 0 && selStart > p && selLength == 0 && !control)
            ok = ok && text.size() < p + 1 + s.precision;
    }
    if (s.type == sptTime && ch == zad && text.count(zad) >= 2)
        ok = false;
    if (!s.editorEnabled && !control)
        ok = false;
    return ok;
}

} // namespace grid

namespace grid {

QString PickerFormat(const QString& format)
{
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        const QChar low = c.toLower();
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            const QString literal = format.mid(i + 1, (end < 0 ? format.size() : end) - i - 1);
            out += u'\'' + QString(literal).replace(u'\'', QStringLiteral("''")) + u'\'';
            i = end < 0 ? format.size() : end + 1;
            continue;
        }
        if (format.mid(i, 4).compare(u"ampm", Qt::CaseInsensitive) == 0 ||
            format.mid(i, 5).compare(u"am/pm", Qt::CaseInsensitive) == 0) {
            const qsizetype n = format.mid(i, 4).compare(u"ampm", Qt::CaseInsensitive) == 0 ? 4 : 5;
            out += QStringLiteral("AP");
            i += n;
            continue;
        }
        qsizetype n = 1;
        while (i + n < format.size() && format[i + n].toLower() == low)
            ++n;
        if (low == u'd') {
            out += QString(std::min<qsizetype>(n, 4), u'd');
            afterHour = false;
        } else if (low == u'm') {
            out += afterHour ? QString(std::min<qsizetype>(n, 2), u'm') : QString(std::min<qsizetype>(n, 4), u'M');
            afterHour = false;
        } else if (low == u'n') {
            out += QString(std::min<qsizetype>(n, 2), u'm');
            afterHour = false;
        } else if (low == u'y') {
            out += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            afterHour = false;
        } else if (low == u'h') {
            out += QString(std::min<qsizetype>(n, 2), u'h');
            afterHour = true;
        } else if (low == u's') {
            out += QString(std::min<qsizetype>(n, 2), u's');
            afterHour = false;
        } else if (low == u'z') {
            out += QStringLiteral("zzz");
        } else if (c.isLetter()) {
            out += u'\'' + format.mid(i, n) + u'\'';
        } else {
            out += format.mid(i, n);
        }
        i += n;
    }
    return out;
}

} // namespace grid
