#include "controls/grid/core/float_format.h"

#include "platform/text/format_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace grid {

namespace {

struct Spec
{
    bool left = false;
    int width = -1;
    int precision = -1;
    QChar conversion;
};

// The literal text before and after the one conversion; false when the
// format holds none, two, or one that cannot be read.
bool SplitFormat(const QString& format, QString& before, Spec& spec, QString& after)
{
    bool found = false;
    QString* out = &before;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format[i];
        if (ch != u'%') {
            *out += ch;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == u'%') {
            *out += u'%';
            ++i;
            continue;
        }
        if (found)
            return false;
        found = true;
        ++i;
        if (i < format.size() && format[i] == u'-') {
            spec.left = true;
            ++i;
        }
        const auto number = [&](int& value) {
            value = 0;
            bool any = false;
            while (i < format.size() && format[i].isDigit() && format[i].unicode() < 128) {
                value = value * 10 + (format[i].unicode() - u'0');
                if (value > 1000)
                    return false;
                ++i;
                any = true;
            }
            return any;
        };
        if (i < format.size() && format[i].isDigit() && !number(spec.width))
            return false;
        if (i < format.size() && format[i] == u'.') {
            ++i;
            if (!number(spec.precision))
                spec.precision = 0;
        }
        if (i >= format.size())
            return false;
        spec.conversion = format[i].toLower();
        out = &after;
    }
    return found;
}

QString Pad(const QString& text, const Spec& spec)
{
    if (spec.width <= text.size())
        return text;
    const QString fill(spec.width - text.size(), u' ');
    return spec.left ? text + fill : fill + text;
}

QString WithSeparators(const QString& digits, QChar thousand)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += thousand;
        out += digits[i];
    }
    return out;
}

// Fixed notation by the C library, then our separators.
QString Fixed(double value, int precision, bool thousands)
{
    const auto& fs = platform::FormatSettings::Current();
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    QString text = QString::fromLatin1(buffer);
    const bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    const qsizetype dot = text.indexOf(u'.');
    QString whole = dot < 0 ? text : text.left(dot);
    const QString fraction = dot < 0 ? QString() : text.mid(dot + 1);
    if (thousands)
        whole = WithSeparators(whole, fs.ThousandSeparator);
    QString result = whole;
    if (!fraction.isEmpty())
        result += fs.DecimalSeparator + fraction;
    // "-0.00" shows as "0.00".
    bool allZero = true;
    for (QChar ch : whole + fraction)
        allZero = allZero && (ch == u'0' || ch == fs.ThousandSeparator);
    return negative && !allZero ? u'-' + result : result;
}

// "-d.ddd...E+ddd": precision digits in all, an exponent of at least three.
QString Scientific(double value, int digits)
{
    digits = std::clamp(digits, 1, 18);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*E", digits - 1, value);
    QString text = QString::fromLatin1(buffer);
    const qsizetype e = text.indexOf(u'E');
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 2);
    const QChar sign = text[e + 1];
    while (exponent.size() < 3)
        exponent.prepend(u'0');
    mantissa.replace(u'.', platform::FormatSettings::Current().DecimalSeparator);
    return mantissa + u'E' + sign + exponent;
}

// The shorter of fixed and scientific notation with precision significant
// digits, trailing zeros and a bare decimal point removed.
QString General(double value, int precision)
{
    precision = std::clamp(precision, 1, 18);
    if (value == 0)
        return QStringLiteral("0");
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    if (exponent >= precision || exponent < -4) {
        QString s = Scientific(value, precision);
        const qsizetype e = s.indexOf(u'E');
        QString mantissa = s.left(e);
        const QChar dec = platform::FormatSettings::Current().DecimalSeparator;
        if (mantissa.contains(dec)) {
            while (mantissa.endsWith(u'0'))
                mantissa.chop(1);
            if (mantissa.endsWith(dec))
                mantissa.chop(1);
        }
        // The exponent loses its leading zeros here.
        QString exp = s.mid(e + 2);
        while (exp.size() > 1 && exp.startsWith(u'0'))
            exp.remove(0, 1);
        return mantissa + u'E' + s[e + 1] + exp;
    }
    QString s = Fixed(value, std::max(0, precision - 1 - exponent), false);
    const QChar dec = platform::FormatSettings::Current().DecimalSeparator;
    if (s.contains(dec)) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(dec))
            s.chop(1);
    }
    return s;
}

} // namespace

std::optional<QString> FormatNumber(const QString& format, double value)
{
    QString before, after;
    Spec spec;
    if (!SplitFormat(format, before, spec, after) || !std::isfinite(value))
        return std::nullopt;
    QString text;
    switch (spec.conversion.unicode()) {
    case u'f':
        text = Fixed(value, spec.precision < 0 ? 2 : std::min(spec.precision, 18), false);
        break;
    case u'n':
    case u'm':
        text = Fixed(value, spec.precision < 0 ? 2 : std::min(spec.precision, 18), true);
        break;
    case u'e':
        text = Scientific(value, spec.precision < 0 ? 15 : spec.precision);
        break;
    case u'g':
        text = General(value, spec.precision < 0 ? 15 : spec.precision);
        break;
    default:
        return std::nullopt;
    }
    return before + Pad(text, spec) + after;
}

std::optional<QString> FormatInteger(const QString& format, qint64 value)
{
    QString before, after;
    Spec spec;
    if (!SplitFormat(format, before, spec, after))
        return std::nullopt;
    QString digits;
    bool negative = false;
    switch (spec.conversion.unicode()) {
    case u'd':
        negative = value < 0;
        digits = QString::number(negative ? -static_cast<quint64>(value) : static_cast<quint64>(value));
        break;
    case u'u':
        digits = QString::number(static_cast<quint32>(value));
        break;
    case u'x':
        digits = QString::number(static_cast<quint64>(value) & 0xFFFFFFFFull, 16).toUpper();
        break;
    default:
        return std::nullopt;
    }
    // The precision is the least number of digits.
    while (spec.precision > 0 && digits.size() < spec.precision)
        digits.prepend(u'0');
    return before + Pad(negative ? u'-' + digits : digits, spec) + after;
}

} // namespace grid
