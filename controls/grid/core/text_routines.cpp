#include "controls/grid/core/text_routines.h"

#include "platform/text/format_settings.h"
#include "platform/text/oem_text.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

const QChar CR = u'\r';
const QChar LF = u'\n';

QChar DecimalSep()
{
    return platform::FormatSettings::Current().DecimalSeparator;
}

QChar ThousandSep()
{
    return platform::FormatSettings::Current().ThousandSeparator;
}

const QDate kDateBase(1899, 12, 30);

// An integer text of the date parts: optional sign and decimal digits only.
bool ToInt(const QString& s, int& v)
{
    bool ok = false;
    v = s.trimmed().toInt(&ok);
    return ok;
}

int LastDay(int year, int month)
{
    return QDate(year, month, 1).daysInMonth();
}

double ParseDate(const QString& s, bool monthFirst)
{
    qsizetype cut = -1;
    QChar sep;
    for (QChar candidate : {u'/', u'.', u'-'}) {
        cut = s.indexOf(candidate);
        if (cut >= 0) {
            sep = candidate;
            break;
        }
    }
    if (cut < 0)
        return 0;
    const qsizetype second = s.indexOf(sep, cut + 1);
    if (second < 0)
        return 0;
    int a, b, y;
    if (!ToInt(s.left(cut), a) || !ToInt(s.mid(cut + 1, second - cut - 1), b) || !ToInt(s.mid(second + 1), y))
        return 0;
    if (y < 0)
        return 0;
    // Two-digit years pivot at 26; years from 100 up are taken as written.
    if (y < 26)
        y += 2000;
    else if (y < 100)
        y += 1900;
    const int month = monthFirst ? a : b;
    const int day = monthFirst ? b : a;
    return EncodeDate(y, month, day);
}

bool IsUrlChar(QChar ch)
{
    const char16_t c = ch.unicode();
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'%' ||
           c == u'(' || c == u')' || c == u'-' || c == u'.' || c == u'/' || c == u':' || c == u'@' || c == u'\\' ||
           c == u'_' || c == u'{' || c == u'}';
}

} // namespace

int GetTextKind(const QString& text, bool checkHtml)
{
    const qsizetype n = text.size();
    if (n == 0)
        return 0;
    const QChar* d = text.constData();
    if (d[0] == u'=')
        return 3;
    if (n >= 2 && d[0] == u'|' && d[1] == u'\\') {
        if (n >= 5 && d[3] == u'=' && d[4] == QChar(0))
            return 3;
        return 5;
    }
    if (n >= 2 && d[0] == u'{' && d[1] == u'\\')
        return 2;
    if (checkHtml) {
        // "</", "<B", "<I" or "<C" anywhere.
        for (qsizetype i = 0; i + 1 < n; ++i)
            if (d[i] == u'<') {
                const char16_t next = d[i + 1].unicode();
                if (next == u'/' || next == u'B' || next == u'I' || next == u'C')
                    return 1;
            }
    }
    return 0;
}

bool IsDigitChar(QChar ch)
{
    return ch.isNumber();
}

bool IsDigitOrMinus(QChar ch)
{
    return IsDigitChar(ch) || ch == u'-';
}

bool IsNumberTextChar(QChar ch)
{
    return IsDigitChar(ch) || ch == ThousandSep() || ch == DecimalSep() || ch == u'e' || ch == u'E';
}

bool IsSignedNumberTextChar(QChar ch)
{
    return IsNumberTextChar(ch) || ch == u'+' || ch == u'-';
}

bool IsPlainNumberChar(QChar ch)
{
    return IsDigitChar(ch) || ch == u',' || ch == u'-' || ch == u'.' || ch == u'e' || ch == u'E' || ch == u'+';
}

bool IsNameSeparator(QChar ch)
{
    return ch == u' ' || ch == u'\'' || ch == u',' || ch == u'-' || ch == u'.';
}

int GetNumberKind(const QString& s)
{
    if (s.isEmpty())
        return 2;
    const QChar dec = DecimalSep();
    const QChar thou = ThousandSep();
    int minus = 0, decimals = 0, exps = 0;
    bool integer = true, real = true, sci = true;
    qsizetype lastThousand = -1;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar ch = s[i];
        const bool digit = IsDigitChar(ch);
        if (ch == u'-')
            ++minus;
        if (ch == dec)
            ++decimals;
        if (ch == u'e' || ch == u'E')
            ++exps;
        if (!(digit || (ch == u'-' && i == 0)))
            integer = false;
        if (ch == thou) {
            if (lastThousand >= 0 && i - lastThousand <= 3)
                real = false;
            lastThousand = i;
        } else if (!(digit || (ch == u'-' && i == 0) || ch == dec)) {
            real = false;
        }
        if (!(digit || ch == u'-' || ch == u'+' || ch == dec || ch == u'e' || ch == u'E'))
            sci = false;
    }
    if (decimals > 1)
        return 2;
    if (integer)
        return 0;
    if (exps == 0 && real && minus <= 1)
        return 1;
    const QChar last = s.back();
    if (sci && exps == 1 && s[0] != u'e' && s[0] != u'E' && last != u'+' && last != u'-' && last != u'e' &&
        last != u'E')
        return 5;
    return 2;
}

QString NormalizeNumberText(const QString& text)
{
    if (text.isEmpty())
        return text;
    QString s = text;
    bool negative = s.startsWith(u'(') && s.endsWith(u')');
    while (s.size() >= 2 && !IsNumberTextChar(s[0])) {
        if (s[0] == u'-')
            negative = true;
        s.remove(0, 1);
    }
    const QChar dec = DecimalSep();
    const QChar thou = ThousandSep();
    QString out;
    for (QChar ch : s) {
        if (ch == thou)
            continue;
        if (ch == dec)
            out += u'.';
        else if (IsPlainNumberChar(ch))
            out += ch;
        else
            break;
    }
    return negative ? u'-' + out : out;
}

double EncodeDate(int year, int month, int day)
{
    const QDate d(year, month, day);
    return d.isValid() ? static_cast<double>(kDateBase.daysTo(d)) : 0;
}

bool IsDateText(const QString& s)
{
    const QChar sep = platform::FormatSettings::Current().DateSeparator;
    const qsizetype first = s.indexOf(sep);
    return first >= 1 && s.indexOf(sep, first + 2) >= 0;
}

double ParseDateMDY(const QString& s)
{
    return ParseDate(s, true);
}

double ParseDateDMY(const QString& s)
{
    return ParseDate(s, false);
}

double IncDatePart(int years, int months, int days, double step, double date)
{
    if (days != 0 && years == 0 && months == 0)
        return date + days;
    const bool onlyYears = years != 0 && months == 0 && days == 0;
    const bool onlyMonths = months != 0 && years == 0 && days == 0;
    if (!onlyYears && !onlyMonths)
        return date + step;
    // Calendar steps only within the years 1 .. 9999; other dates stay.
    if (!std::isfinite(date) || std::abs(date) > 3.0e6)
        return date;
    const QDate d = kDateBase.addDays(static_cast<qint64>(date));
    qint64 y = d.year();
    qint64 m = d.month();
    if (onlyYears) {
        y += years;
    } else {
        const qint64 total = y * 12 + (m - 1) + months;
        y = total >= 0 ? total / 12 : (total - 11) / 12;
        m = total - y * 12 + 1;
    }
    if (y < 1 || y > 9999)
        return date;
    const int year = static_cast<int>(y);
    const int month = static_cast<int>(m);
    const double time = date - static_cast<double>(static_cast<qint64>(date));
    return EncodeDate(year, month, std::min(d.day(), LastDay(year, month))) + time;
}

QString HideLineBreaks(const QString& s)
{
    if (!s.contains(CR))
        return s;
    QString out = s;
    out.replace(CR, QChar(9)).replace(LF, QChar(8)).replace(QChar(0), QChar(1));
    return out;
}

QString RestoreLineBreaks(const QString& s, bool multiline)
{
    if (!s.contains(QChar(8)))
        return s;
    QString out = s;
    out.replace(QChar(9), CR).replace(QChar(8), LF).replace(QChar(1), QChar(0));
    if (!multiline) {
        const qsizetype cr = out.indexOf(CR);
        if (cr >= 0)
            out.truncate(cr);
    }
    return out;
}

void CutFirstLine(QString& s, bool keepRest, QString& line)
{
    const qsizetype cr = s.indexOf(CR);
    if (cr < 0) {
        line = s;
        s.clear();
        return;
    }
    line = s.left(cr);
    qsizetype rest = cr + 1;
    if (rest < s.size() && s[rest] == LF)
        ++rest;
    if (keepRest)
        s = s.mid(rest);
    else
        s.clear();
}

int CountLines(const QString& s, bool multiline)
{
    return multiline ? static_cast<int>(s.count(CR)) + 1 : 1;
}

QString EscapeLineBreaks(const QString& s)
{
    QString out;
    for (QChar ch : s) {
        if (ch == CR)
            out += QStringLiteral("\\n");
        else if (ch != LF)
            out += ch;
    }
    return out;
}

QString UnescapeLineBreaks(const QString& s)
{
    QString out = s;
    out.replace(QStringLiteral("\\n"), QString(CR));
    return out;
}

QString CRToBreakTags(const QString& s)
{
    if (!s.contains(CR))
        return s;
    QString out = s;
    out.replace(CR, QStringLiteral("<br>"));
    return out;
}

void CRLFToVTQuoted(QString& s)
{
    s.replace(QStringLiteral("\r\n"), QString(QChar(11)));
    s = u'"' + s + u'"';
}

void VTToCRLF(QString& s)
{
    if (s.contains(QChar(11)))
        s.replace(QChar(11), QStringLiteral("\r\n"));
}

void CRLFToLF(QString& s)
{
    s.replace(QStringLiteral("\r\n"), QString(LF));
}

void CRLFToTilde(QString& s)
{
    s.remove(LF);
    s.replace(CR, u'~');
}

void TildeToCRLF(QString& s)
{
    s.replace(u'~', QStringLiteral("\r\n"));
    if (s == u"^")
        s.clear();
}

QString RemoveCR(const QString& s)
{
    QString out = s;
    out.remove(CR);
    return out;
}

QString CRToLF(const QString& s)
{
    QString out = s;
    out.replace(CR, LF);
    return out;
}

QString DoubleQuoteChars(const QString& s)
{
    QString out = s;
    out.replace(u'"', QStringLiteral("\"\""));
    return out;
}

QString UndoubleChar(QChar ch, const QString& s)
{
    if (!s.contains(ch))
        return s;
    QString out = s;
    out.replace(QString(2, ch), QString(ch));
    return out;
}

int FindClosingQuote(QChar quote, const QString& s, int& pos)
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    pos = 0;
    while (i < n) {
        if (s[i] != quote) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && s[i] == quote)
            ++i;
        if (i == n || (i - start) % 2 == 1) {
            pos = static_cast<int>(i); // 1-based position of the run's last quote
            return pos;
        }
    }
    return 0;
}

int CountClosingQuotes(QChar quote, const QString& s)
{
    int count = 0;
    QString rest = s;
    int pos = 0;
    while (FindClosingQuote(quote, rest, pos) > 0) {
        ++count;
        rest = rest.mid(pos);
    }
    return count;
}

int CountCharOccurrences(QChar ch, const QString& s)
{
    return static_cast<int>(s.count(ch));
}

void TextToOem(QString& s)
{
    s = QString::fromLatin1(platform::TextToOemBytes(s));
}

void OemToText(QString& s)
{
    QByteArray bytes;
    bytes.reserve(s.size());
    for (QChar ch : s)
        bytes.append(static_cast<char>(ch.unicode() & 0xFF));
    s = platform::OemBytesToText(bytes);
}

int PosInUpperCase(const QString& subStr, const QString& s)
{
    return static_cast<int>(s.toUpper().indexOf(subStr)) + 1;
}

int FirstCharPos(QChar ch, const QString& s)
{
    return static_cast<int>(s.indexOf(ch)) + 1;
}

int FirstCharPosVar(QChar ch, const QString& s, int& pos)
{
    const int p = FirstCharPos(ch, s);
    if (p > 0)
        pos = p;
    return p;
}

int TextPosVar(const QString& subStr, const QString& s, int& pos)
{
    pos = static_cast<int>(s.indexOf(subStr)) + 1;
    return pos;
}

int WideTextPos(const QString& subStr, const QString& s)
{
    return static_cast<int>(s.indexOf(subStr)) + 1;
}

bool CutField(QString& s, const QString& delim, QString& field)
{
    const qsizetype at = delim.isEmpty() ? -1 : s.indexOf(delim);
    if (at < 0) {
        field.clear();
        return false;
    }
    field = s.left(at);
    s = s.mid(at + delim.size());
    return true;
}

QString JoinLines(const QStringList& lines)
{
    return lines.join(QString());
}

void FillWithChar(QString& s, QChar ch)
{
    s.fill(ch);
}

int IntMax(int a, int b)
{
    return std::max(a, b);
}

int IntMin(int a, int b)
{
    return std::min(a, b);
}

int ClampToLimits(int value, int min, int max)
{
    if (min == max)
        return value;
    if (value < min && min > 0)
        return min;
    if (value > max && max > 0)
        return max;
    return value;
}

bool CellInGridRect(const TGridRect& r, int col, int row)
{
    return col >= r.Left && col <= r.Right && row >= r.Top && row <= r.Bottom;
}

bool ParseRCReference(const QString& text, QPoint& cell)
{
    const QString s = text.toUpper();
    if (s.size() <= 3 || s[0] != u'R')
        return false;
    const qsizetype c = s.indexOf(u'C');
    if (c < 0)
        return false;
    bool okRow = false, okCol = false;
    const int row = s.mid(1, c - 1).toInt(&okRow);
    const int col = s.mid(c + 1).toInt(&okCol);
    if (!okRow || !okCol)
        return false;
    cell = QPoint(col, row);
    return true;
}

QString CapitalizeName(const QString& s)
{
    QString out = s;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const bool start = i == 0 || IsNameSeparator(out[i - 1]);
        out[i] = start ? out[i].toUpper() : out[i].toLower();
    }
    const auto upperAfter = [&](qsizetype at) {
        if (at < out.size())
            out[at] = out[at].toUpper();
    };
    if (out.startsWith(QStringLiteral("Mc")))
        upperAfter(2);
    const qsizetype mc = out.indexOf(QStringLiteral(" Mc"));
    if (mc >= 0)
        upperAfter(mc + 3);
    for (qsizetype i = std::max<qsizetype>(0, out.size() - 3); i < out.size(); ++i) {
        if ((i >= 2 && out.mid(i - 2, 2) == u" I") || (i >= 3 && out.mid(i - 3, 3) == u" II"))
            out[i] = out[i].toUpper();
    }
    return out;
}

bool IsUrlText(const QString& s)
{
    return s.contains(QStringLiteral("://")) || s.contains(QStringLiteral("mailto:"));
}

void StripUrlPrefix(QString& s)
{
    qsizetype at = s.indexOf(QStringLiteral("://"));
    if (at >= 0) {
        s = s.mid(at + 3);
        return;
    }
    at = s.indexOf(QStringLiteral("mailto:"));
    if (at >= 0)
        s = s.mid(at + 7);
}

bool LinkifyUrl(const QString& s, const QString& upperPrefix, QString& result)
{
    if (!s.toUpper().contains(upperPrefix))
        return false;
    QString escaped = s;
    escaped.replace(u'<', QStringLiteral("&lt;")).replace(u'>', QStringLiteral("&gt;"));
    const qsizetype start = escaped.toUpper().indexOf(upperPrefix);
    qsizetype end = start;
    while (end < escaped.size() && IsUrlChar(escaped[end]))
        ++end;
    const QString link = escaped.mid(start, end - start);
    result = escaped.left(start) + QStringLiteral("<a href=\"") + link + QStringLiteral("\">") + link +
             QStringLiteral("</a>") + escaped.mid(end);
    return true;
}

bool LinkifyFirstUrl(const QString& s, QString& result)
{
    static const char* const prefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"};
    for (const char* prefix : prefixes)
        if (LinkifyUrl(s, QString::fromLatin1(prefix), result))
            return true;
    return false;
}

QString ColorToHtmlHex(TColor color)
{
    const auto hex = [](quint32 v) { return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QChar(u'0')).toUpper(); };
    return hex(color) + hex(color >> 8) + hex(color >> 16);
}

void MakeClipboardHtml(QString& html)
{
    const qsizetype n = html.size();
    const auto num = [](qsizetype v) { return QStringLiteral("%1").arg(v, 8, 10, QChar(u'0')); };
    html = QStringLiteral("Version:1.0\r\n") + QStringLiteral("StartHTML:") + num(97) + QStringLiteral("\r\n") +
           QStringLiteral("EndHTML:") + num(n + 306) + QStringLiteral("\r\n") + QStringLiteral("StartFragment:") +
           num(274) + QStringLiteral("\r\n") + QStringLiteral("EndFragment:") + num(n + 274) +
           QStringLiteral("\r\n") +
           QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">") +
           QStringLiteral("<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head>"
                          "<body><!--StartFragment-->") +
           html + QStringLiteral("<!--EndFragment--></body></html>");
}

// The short date text of a day number: the letters of the short date
// format (d, dd, m, mm, yy, yyyy), "/" for the date separator.
QString ShortDateText(double value)
{
    const auto& fs = platform::FormatSettings::Current();
    const QDate d = kDateBase.addDays(static_cast<qint64>(std::floor(value)));
    const QString f = fs.ShortDateFormat;
    QString out;
    for (qsizetype i = 0; i < f.size();) {
        const QChar ch = f[i].toLower();
        qsizetype n = 1;
        while (i + n < f.size() && f[i + n].toLower() == ch)
            ++n;
        if (ch == u'd')
            out += n >= 2 ? QStringLiteral("%1").arg(d.day(), 2, 10, QChar(u'0')) : QString::number(d.day());
        else if (ch == u'm')
            out += n >= 2 ? QStringLiteral("%1").arg(d.month(), 2, 10, QChar(u'0')) : QString::number(d.month());
        else if (ch == u'y')
            out += n <= 2 ? QStringLiteral("%1").arg(d.year() % 100, 2, 10, QChar(u'0'))
                          : QStringLiteral("%1").arg(d.year(), 4, 10, QChar(u'0'));
        else if (ch == u'/')
            out += QString(n, fs.DateSeparator);
        else
            out += f.mid(i, n);
        i += n;
    }
    return out;
}

QString TimeText(double value)
{
    const QChar sep = platform::FormatSettings::Current().TimeSeparator;
    double frac = value - std::floor(value);
    qint64 seconds = std::llround(frac * 86400.0);
    if (seconds >= 86400)
        seconds = 86399;
    const int h = static_cast<int>(seconds / 3600);
    const int m = static_cast<int>(seconds / 60 % 60);
    const int s = static_cast<int>(seconds % 60);
    return QStringLiteral("%1%2%3%2%4")
        .arg(h)
        .arg(sep)
        .arg(m, 2, 10, QChar(u'0'))
        .arg(s, 2, 10, QChar(u'0'));
}

} // namespace grid
