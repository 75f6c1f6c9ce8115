#include "controls/dropdown/typed_entry.h"

#include "controls/dropdown/drawing_routines.h"
#include "controls/grid/core/text_routines.h"
#include "platform/text/format_settings.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace dropdown {

namespace {

constexpr QChar kBackspace = QChar(8);

const platform::FormatSettings& Format()
{
    return platform::FormatSettings::Current();
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsNumberType(TDropDownEditType t)
{
    return t == etNumeric || t == etFloat || t == etMoney;
}

// Replaces the selection with text (the edit's own typing), within MaxLength.
bool Insert(EntryState& s, const EntryOptions& o, const QString& text)
{
    QString t = s.Text;
    t.remove(s.SelStart, s.SelLength);
    if (o.MaxLength > 0 && t.size() + text.size() > o.MaxLength)
        return false;
    t.insert(s.SelStart, text);
    s.Text = t;
    s.SelStart += int(text.size());
    s.SelLength = 0;
    s.Modified = true;
    return true;
}

void Backspace(EntryState& s)
{
    if (s.SelLength > 0) {
        s.Text.remove(s.SelStart, s.SelLength);
    } else if (s.SelStart > 0) {
        s.Text.remove(s.SelStart - 1, 1);
        --s.SelStart;
    } else {
        return;
    }
    s.SelLength = 0;
    s.Modified = true;
}

// Prefix + value + Suffix with the caret at pos and nothing selected.
void Rebuild(EntryState& s, const EntryOptions& o, const QString& value, int pos)
{
    s.Text = o.Prefix + value + o.Suffix;
    s.SelStart = std::clamp(pos, 0, int(s.Text.size()));
    s.SelLength = 0;
    s.Modified = true;
}

// The sign toggle of numeric types: the caret keeps its place in the digits.
void ToggleSign(EntryState& s, const EntryOptions& o)
{
    QString value = TypedEntry::Value(s, o);
    const int p = s.SelStart, prefix = int(o.Prefix.size());
    if (value.contains(u'-')) {
        value.remove(0, 1);
        Rebuild(s, o, value, p <= prefix ? prefix : p - 1);
    } else {
        Rebuild(s, o, u'-' + value, p + 1);
    }
}

QString Group(const QString& digits, QChar separator)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

bool TypeFloat(EntryState& s, const EntryOptions& o, QChar ch);

// The caret and selection pulled inside the value, between Prefix and Suffix.
void HoldInValue(EntryState& s, const EntryOptions& o)
{
    const int start = int(o.Prefix.size());
    const int end = std::max(start, int(s.Text.size() - o.Suffix.size()));
    int from = std::clamp(s.SelStart, start, end);
    int to = std::clamp(s.SelStart + s.SelLength, start, end);
    s.SelStart = from;
    s.SelLength = to - from;
}

}  // namespace

QString FormatNumber(double value, int precision, bool grouped)
{
    const platform::FormatSettings& f = Format();
    if (!std::isfinite(value))
        value = 0;
    QString text = precision < 0 ? QString::number(value, 'g', 15) : QString::number(value, 'f', precision);
    const bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    qsizetype dot = text.indexOf(u'.');
    QString integer = dot < 0 ? text : text.left(dot);
    QString fraction = dot < 0 ? QString() : text.mid(dot + 1);
    if (grouped && !integer.contains(u'e'))
        integer = Group(integer, f.ThousandSeparator);
    QString out = integer;
    if (dot >= 0)
        out += f.DecimalSeparator + fraction;
    return negative ? u'-' + out : out;
}

QString TypedEntry::Value(const QString& text, const EntryOptions& o)
{
    QString v = text;
    if (!o.Prefix.isEmpty() && v.startsWith(o.Prefix))
        v.remove(0, o.Prefix.size());
    if (!o.Suffix.isEmpty())
        v.chop(std::min(v.size(), o.Suffix.size()));
    return v;
}

int TypedEntry::ValueEnd(const EntryState& s, const EntryOptions& o)
{
    return int(o.Prefix.size() + Value(s, o).size());
}

double TypedEntry::TextToFloat(const QString& text)
{
    const platform::FormatSettings& f = Format();
    QString t = text.trimmed();
    t.remove(f.ThousandSeparator);
    if (f.DecimalSeparator != u'.' && t.contains(u'.'))
        return 0;
    t.replace(f.DecimalSeparator, u'.');
    for (QChar c : t)
        if (!IsAsciiDigit(c) && c != u'.' && c != u'-' && c != u'+' && c != u'e' && c != u'E')
            return 0;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(v) ? v : 0;
}

void TypedEntry::SetText(EntryState& s, const EntryOptions& o, const QString& valueIn)
{
    QString value = valueIn;
    const TDropDownEditType t = o.EditType;
    if (value.isEmpty() && (IsNumberType(t) || t == etHex))
        value = QStringLiteral("0");
    if (o.Precision > 0 && !value.isEmpty() && value != QLatin1String("Error")) {
        if (t == etMoney)
            value = FormatNumber(TextToFloat(value), o.Precision, true);
        else if (t == etFloat)
            value = FormatNumber(TextToFloat(value), o.Precision, false);
    }
    if (t == etHex)
        value = value.toUpper();
    s.Text = o.Prefix + value + o.Suffix;
    s.SelStart = int(s.Text.size());
    s.SelLength = 0;
    s.Modified = false;
}

double TypedEntry::GetFloatValue(const EntryState& s, const EntryOptions& o)
{
    QString v = Value(s, o);
    switch (o.EditType) {
    case etString: {
        bool ok = false;
        const double d = QLocale::c().toDouble(v.trimmed(), &ok);
        return ok && std::isfinite(d) ? d : 0;
    }
    case etNumeric:
    case etFloat:
        if (v.isEmpty() || v == QLatin1String("Error") || v == QLatin1String("-"))
            return 0;
        return TextToFloat(v);
    case etMoney:
        v.remove(Format().ThousandSeparator);
        if (v.endsWith(Format().DecimalSeparator))
            v.chop(1);
        if (v.isEmpty() || v == QLatin1String("-"))
            return 0;
        return TextToFloat(v);
    case etHex:
        return v.isEmpty() ? 0 : double(HexToInt(v));
    default:
        return 0;
    }
}

void TypedEntry::SetFloatValue(EntryState& s, const EntryOptions& o, double v)
{
    switch (o.EditType) {
    case etString:
    case etFloat:
        SetText(s, o, FormatNumber(v, o.Precision < 0 ? -1 : o.Precision, false));
        break;
    case etNumeric:
        SetText(s, o, FormatNumber(v, o.Precision < 0 ? -1 : o.Precision, o.Precision >= 0));
        break;
    case etMoney:
        SetText(s, o, FormatNumber(v, o.Precision < 0 ? -1 : o.Precision, false));
        FormatMoneyText(s, o);
        break;
    case etHex:
        SetText(s, o, QString::number(quint32(qint64(std::trunc(std::isfinite(v) ? v : 0))), 16));
        break;
    default:
        break;
    }
    s.Modified = true;
}

void TypedEntry::SetIntValue(EntryState& s, const EntryOptions& o, int v)
{
    switch (o.EditType) {
    case etNumeric:
    case etFloat:
        SetText(s, o, QString::number(v));
        break;
    case etMoney:
        SetText(s, o, QString::number(v));
        FormatMoneyText(s, o);
        break;
    case etHex:
        SetText(s, o, QString::number(quint32(v), 16));
        break;
    default:
        break;
    }
    s.Modified = true;
}

void TypedEntry::FormatMoneyText(EntryState& s, const EntryOptions& o)
{
    QString v = Value(s, o);
    if (v.isEmpty())
        return;
    const int n = int(v.size()), c = s.SelStart;
    QString sign;
    if (v.startsWith(u'-')) {
        sign = QStringLiteral("-");
        v.remove(0, 1);
    }
    const qsizetype ds = v.indexOf(Format().DecimalSeparator);
    const QString fraction = ds < 0 ? QString() : v.mid(ds, 256);
    if (v.isEmpty())
        return;  // a lone sign stays as typed
    EntryOptions whole = o;
    whole.Precision = 0;
    const double integer = std::trunc(std::fabs(GetFloatValue(s, whole)));
    QString digits = FormatNumber(integer, 0, o.AutoThousandSeparator);
    const QString text = o.Prefix + sign + digits + fraction + o.Suffix;
    s.BlockChange = s.Text != text;
    s.Text = text;
    const int newLength = int((sign + digits + fraction).size());
    const int prefix = int(o.Prefix.size());
    s.SelStart = std::clamp(c + (newLength - n), prefix, prefix + newLength);
    s.SelLength = 0;
}

int TypedEntry::IntegerPartLength(const QString& text, const EntryOptions& o)
{
    QString t = text;
    t.remove(Format().ThousandSeparator);
    const qsizetype ds = t.indexOf(Format().DecimalSeparator);
    int result = ds < 0 ? int(t.size()) + 1 : int(ds) + 1;
    if (o.Signed && IsNumberType(o.EditType) && t.contains(u'-'))
        --result;
    return result;
}

int TypedEntry::DecimalSeparatorPos(const EntryState& s, const EntryOptions& o)
{
    const QString v = Value(s, o);
    const qsizetype ds = v.indexOf(Format().DecimalSeparator);
    if (ds >= 0)
        return int(ds + 1 + o.Prefix.size());
    return int(o.Prefix.size() + v.size() + o.Suffix.size() + 1);
}

bool TypedEntry::PrecisionReached(const QString& value, int caret, const EntryOptions& o)
{
    const int p = caret - int(o.Prefix.size());
    const int length = int(value.size());
    if (o.Precision <= 0 || length - p > o.Precision)
        return false;
    const qsizetype ds = value.indexOf(Format().DecimalSeparator);
    if (ds < 0)
        return false;
    const int d = int(ds) + 1;
    return p >= d && length - d >= o.Precision;
}

bool TypedEntry::SeparatorBlocked(const QString& value, int caret, const EntryOptions& o)
{
    const QChar ts = Format().ThousandSeparator;
    if (!value.contains(ts))
        return false;
    int p = caret - int(o.Prefix.size());
    int m = int(value.size());
    QString s = value;
    while (s.contains(ts)) {
        const int c = int(s.indexOf(ts)) + 1;
        const int distance = std::abs(c - p);
        if (distance < m)
            m = distance;
        if (distance < 3)
            return true;
        if (p > c)
            p -= c;
        s.remove(0, c);
    }
    return m > 3;
}

bool TypedEntry::AllowsMinus(QChar key, const EntryOptions& o)
{
    return o.Signed && IsNumberType(o.EditType) && key == u'-';
}

void TypedEntry::SelectAll(EntryState& s, const EntryOptions& o)
{
    s.SelStart = int(o.Prefix.size());
    s.SelLength = int(Value(s, o).size());
}

void TypedEntry::SelectAfterDecimal(EntryState& s, const EntryOptions& o)
{
    const qsizetype ds = Value(s, o).indexOf(Format().DecimalSeparator);
    s.SelStart = int(o.Prefix.size() + (ds < 0 ? 0 : ds + 1));
    s.SelLength = 0;
}

void TypedEntry::SelectBeforeDecimal(EntryState& s, const EntryOptions& o)
{
    const qsizetype ds = Value(s, o).indexOf(Format().DecimalSeparator);
    s.SelStart = int(o.Prefix.size() + (ds < 0 ? 0 : ds));
    s.SelLength = 0;
}

bool TypedEntry::TypeChar(EntryState& s, const EntryOptions& o, CharInput in)
{
    QChar ch = in.Char;
    const platform::FormatSettings& f = Format();
    const int prefix = int(o.Prefix.size());
    if (!o.EditorEnabled || o.ReadOnly)
        return false;
    HoldInValue(s, o);
    const QString value = Value(s, o);
    if (s.SelStart == prefix && s.SelLength == value.size() && !value.isEmpty())
        s.BlockChange = true;
    if (ch == u'\r' || ch == u'\n' || ch == QChar(27) || ch == u'\t')
        return false;
    if (in.Control && (ch == QChar(3) || ch == QChar(22) || ch == QChar(24)))
        return false;
    if (o.ExcelStyleDecimalSeparator && in.KeypadDecimal && (ch == u'.' || ch == u','))
        ch = f.DecimalSeparator;
    if (ch == kBackspace && !o.Prefix.isEmpty() && s.SelLength == 0 && s.SelStart <= prefix)
        return false;
    if (o.LengthLimit > 0 && IntegerPartLength(value, o) > o.LengthLimit && s.SelLength == 0 &&
        s.SelStart < DecimalSeparatorPos(s, o) && ch != kBackspace && ch != f.DecimalSeparator &&
        !AllowsMinus(ch, o))
        return false;
    if (ch == kBackspace) {
        Backspace(s);
        return true;
    }
    if (IsNumberType(o.EditType) && ch == u'-' && !o.Signed)
        return false;

    switch (o.EditType) {
    case etString:
    case etPassword:
        return Insert(s, o, ch);
    case etUppercase:
        return Insert(s, o, QLocale().toUpper(QString(ch)));
    case etLowerCase:
        return Insert(s, o, QLocale().toLower(QString(ch)));
    case etMixedCase: {
        const int p = s.SelStart;
        if (!Insert(s, o, ch))
            return false;
        s.Text = o.Prefix + grid::CapitalizeName(Value(s, o)) + o.Suffix;
        s.SelStart = std::min(p + 1, int(s.Text.size()));
        return true;
    }
    case etAlphaNumeric:
        if (!(IsAsciiDigit(ch) || (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z')))
            return false;
        return Insert(s, o, ch);
    case etValidChars:
        if (!o.ValidChars.contains(ch))
            return false;
        return Insert(s, o, ch);
    case etHex: {
        // No sign (HexToInt has none) and at most eight digits.
        if (!(IsAsciiDigit(ch) || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f')))
            return false;
        if (value.size() - s.SelLength >= 8)
            return false;
        return Insert(s, o, ch);
    }
    case etRange: {
        if (!IsAsciiDigit(ch) && !IsRangeSeparator(ch))
            return false;
        if (IsRangeSeparator(ch)) {
            const QString full = s.Text + u' ';
            if (s.SelStart <= prefix || IsRangeSeparator(full[s.SelStart - 1]) || IsRangeSeparator(full[s.SelStart]))
                return false;
        }
        return Insert(s, o, ch);
    }
    case etNumeric:
        if (ch == u'-') {
            if (s.SelStart == prefix && s.SelLength == value.size() && !value.isEmpty())
                Rebuild(s, o, QStringLiteral("-"), prefix + 1);
            else
                ToggleSign(s, o);
            return true;
        }
        if (IsAsciiDigit(ch) || in.Control)
            return Insert(s, o, ch);
        return false;
    case etFloat:
    case etMoney:
        return TypeFloat(s, o, ch);
    }
    return false;
}

namespace {

bool TypeFloat(EntryState& s, const EntryOptions& o, QChar ch)
{
    const platform::FormatSettings& f = Format();
    const QChar ds = f.DecimalSeparator, ts = f.ThousandSeparator;
    const bool money = o.EditType == etMoney;
    const int prefix = int(o.Prefix.size());
    const QString value = TypedEntry::Value(s, o);
    const QString selected = s.Text.mid(s.SelStart, s.SelLength);
    if (!money) {
        if (ch == u',' && ds != u',' && ts != u',')
            return false;
        if (ch == u'.' && ds != u'.' && ts != u'.')
            return false;
        if (!(ch == u',' || ch == u'-' || ch == u'.' || IsAsciiDigit(ch)))
            return false;
    } else if (!(ch == u'-' || IsAsciiDigit(ch) || ch == ds)) {
        return false;
    }
    if (ch == ds && !selected.contains(ds)) {
        if (money && o.Precision > 0 && s.SelStart == prefix && s.SelLength == value.size() && !value.isEmpty()) {
            TypedEntry::SetText(s, o, QStringLiteral("0,0"));
            TypedEntry::SelectAfterDecimal(s, o);
            s.Modified = true;
            return true;
        }
        if (value.contains(ds) || o.Precision == 0) {
            if (o.Precision > 0)
                TypedEntry::SelectAfterDecimal(s, o);
            return false;
        }
    }
    if (!money && ch == u',' && value.contains(u',') && !selected.contains(u',') && ts != u',')
        return false;
    if ((ch == ts || ch == ds) && TypedEntry::SeparatorBlocked(value, s.SelStart, o))
        return false;
    if (TypedEntry::PrecisionReached(value, s.SelStart, o) && (IsAsciiDigit(ch) || ch == ds) && s.SelLength == 0) {
        if (IsAsciiDigit(ch) && s.SelStart < TypedEntry::ValueEnd(s, o))
            s.SelLength = 1;
        else
            return false;
    }
    if (ch == ds && value.isEmpty() && s.SelStart == prefix) {
        Rebuild(s, o, QStringLiteral("0") + ds, prefix + 2);
        return true;
    }
    if (ch == u'-' && s.SelLength == 0) {
        ToggleSign(s, o);
        return true;
    }
    if (!Insert(s, o, ch))
        return false;
    const QString now = TypedEntry::Value(s, o);
    if (money && !now.isEmpty() && now != QLatin1String("-") && ch != ds)
        TypedEntry::FormatMoneyText(s, o);
    return true;
}

}  // namespace

KeyOutcome TypedEntry::KeyDown(EntryState& s, const EntryOptions& o, int key, bool shift)
{
    const int prefix = int(o.Prefix.size());
    const int end = ValueEnd(s, o);
    const int selEnd = s.SelStart + s.SelLength;
    const bool suffix = !o.Suffix.isEmpty(), hasPrefix = !o.Prefix.isEmpty();
    switch (key) {
    case Qt::Key_Right:
        if (suffix && selEnd >= end)
            return KeyOutcome::Handled;
        break;
    case Qt::Key_Left:
        if (hasPrefix && prefix >= selEnd)
            return KeyOutcome::Handled;
        break;
    case Qt::Key_End:
        if (suffix) {
            if (shift) {
                s.SelLength = std::max(0, end - s.SelStart);
            } else {
                s.SelStart = end;
                s.SelLength = 0;
            }
            return KeyOutcome::Handled;
        }
        break;
    case Qt::Key_Home:
        if (hasPrefix) {
            s.SelStart = prefix;
            s.SelLength = shift ? end - prefix : 0;
            return KeyOutcome::Handled;
        }
        break;
    case Qt::Key_Backspace:
        if (hasPrefix && s.SelStart > prefix + 1)
            s.Modified = true;
        break;
    case Qt::Key_Delete:
        if (suffix && selEnd >= end && s.SelLength == 0)
            return KeyOutcome::Handled;
        if (s.SelStart >= prefix) {
            QString after = Value(s, o);
            const int at = s.SelStart - prefix;
            after.remove(at, s.SelLength > 0 ? s.SelLength : 1);
            if (o.LengthLimit > 0 && IntegerPartLength(after, o) - 1 > o.LengthLimit)
                return KeyOutcome::Handled;
            s.Modified = true;
        }
        break;
    default:
        break;
    }
    return KeyOutcome::Pass;
}

void TypedEntry::NormalKey(EntryState& s, int key, bool shift)
{
    const int length = int(s.Text.size());
    switch (key) {
    case Qt::Key_Left:
        if (shift) {
            if (s.SelStart > 0) {
                --s.SelStart;
                ++s.SelLength;
            }
        } else {
            s.SelStart = s.SelLength > 0 ? s.SelStart : std::max(0, s.SelStart - 1);
            s.SelLength = 0;
        }
        break;
    case Qt::Key_Right:
        if (shift) {
            if (s.SelStart + s.SelLength < length)
                ++s.SelLength;
        } else {
            s.SelStart = s.SelLength > 0 ? s.SelStart + s.SelLength : std::min(length, s.SelStart + 1);
            s.SelLength = 0;
        }
        break;
    case Qt::Key_Home:
        s.SelLength = shift ? s.SelStart + s.SelLength : 0;
        s.SelStart = 0;
        break;
    case Qt::Key_End:
        if (shift)
            s.SelLength = length - s.SelStart;
        else {
            s.SelStart = length;
            s.SelLength = 0;
        }
        break;
    case Qt::Key_Delete:
        if (s.SelLength > 0)
            s.Text.remove(s.SelStart, s.SelLength);
        else if (s.SelStart < length)
            s.Text.remove(s.SelStart, 1);
        else
            break;
        s.SelLength = 0;
        s.Modified = true;
        break;
    default:
        break;
    }
}

void TypedEntry::AfterKeyDown(EntryState& s, const EntryOptions& o, int key)
{
    if (key == Qt::Key_Delete && o.EditType == etMoney)
        FormatMoneyText(s, o);
    if (!o.Prefix.isEmpty() && s.SelStart < o.Prefix.size()) {
        s.SelLength = std::max(0, s.SelLength - (int(o.Prefix.size()) - s.SelStart));
        s.SelStart = int(o.Prefix.size());
    }
}

void TypedEntry::RunKey(EntryState& s, const EntryOptions& o, int key, bool shift)
{
    if (KeyDown(s, o, key, shift) == KeyOutcome::Pass)
        NormalKey(s, key, shift);
    AfterKeyDown(s, o, key);
}

TypedEntry::Composed TypedEntry::ComposePastedValue(const EntryState& s, const EntryOptions& o,
                                                    const QString& pasted)
{
    const int prefix = int(o.Prefix.size());
    QString value = Value(s, o);
    const int at = std::clamp(s.SelStart - prefix, 0, int(value.size()));
    const int length = std::clamp(s.SelLength, 0, int(value.size()) - at);
    value.remove(at, length);
    value.insert(at, pasted);
    if (length > 0)
        return {value, s.SelStart, int(pasted.size())};
    return {value, s.SelStart + int(pasted.size()), 0};
}

bool TypedEntry::Paste(EntryState& s, const EntryOptions& o, const QString& pasted,
                       const std::function<bool(const QString&)>& allow)
{
    if (o.ReadOnly || pasted.isEmpty())
        return false;
    HoldInValue(s, o);
    const Composed c = ComposePastedValue(s, o, pasted);
    if (allow && !allow(c.Value))
        return false;
    if (o.MaxLength > 0 && pasted.size() + Value(s, o).size() - s.SelLength > o.MaxLength)
        return false;
    const QChar ds = Format().DecimalSeparator;
    bool done = false;
    switch (o.EditType) {
    case etString:
    case etPassword:
        SetText(s, o, c.Value);
        done = true;
        break;
    case etNumeric:
        if (ClassifyText(c.Value) == tkNumeric && (o.Signed || !c.Value.contains(u'-'))) {
            SetText(s, o, c.Value);
            s.Modified = true;
            done = true;
        }
        break;
    case etFloat:
    case etMoney: {
        const TTextKind kind = ClassifyText(c.Value);
        if (kind == tkString || kind == tkHex || (o.Precision == 0 && pasted.contains(ds)) ||
            (!o.Signed && c.Value.contains(u'-')))
            break;
        SetText(s, o, c.Value);
        SetFloatValue(s, o, GetFloatValue(s, o));
        done = true;
        break;
    }
    case etUppercase:
        SetText(s, o, QLocale().toUpper(c.Value));
        done = true;
        break;
    case etLowerCase:
        SetText(s, o, QLocale().toLower(c.Value));
        done = true;
        break;
    case etMixedCase:
        SetText(s, o, grid::CapitalizeName(c.Value));
        done = true;
        break;
    case etAlphaNumeric:
    case etValidChars: {
        const bool pass = std::all_of(c.Value.begin(), c.Value.end(), [&](QChar ch) {
            if (o.EditType == etValidChars)
                return o.ValidChars.contains(ch);
            return IsAsciiDigit(ch) || (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
        });
        if (pass) {
            SetText(s, o, c.Value);
            s.Modified = true;
            done = true;
        }
        break;
    }
    case etRange:
    case etHex:
        break;
    }
    if (o.EditType == etMoney && Value(s, o).size() > 3) {
        SelectAll(s, o);
    } else {
        const int length = int(s.Text.size());
        s.SelStart = std::clamp(c.Caret, 0, length);
        s.SelLength = std::clamp(c.SelLength, 0, length - s.SelStart);
    }
    const TDropDownEditType t = o.EditType;
    if (t == etString || t == etUppercase || t == etMixedCase || t == etLowerCase || t == etPassword)
        s.Modified = true;
    return done;
}

void TypedEntry::AfterClick(EntryState& s, const EntryOptions& o)
{
    const int prefix = int(o.Prefix.size());
    const int end = ValueEnd(s, o);
    if (!o.Prefix.isEmpty() && s.SelStart < prefix) {
        SelectAll(s, o);
        return;
    }
    if (!o.Suffix.isEmpty()) {
        if (s.SelStart > end) {
            s.SelStart = end;
            s.SelLength = 0;
        } else if (s.SelStart + s.SelLength > end) {
            s.SelLength = end - s.SelStart;
        }
    }
}

void TypedEntry::CompleteOnFocusLoss(EntryState& s, const EntryOptions& o)
{
    const TDropDownEditType t = o.EditType;
    const bool empty = Value(s, o).isEmpty();
    if (o.Precision > 0 && (t == etFloat || t == etMoney) && !(empty && o.AllowNumericNullValue)) {
        const bool modified = s.Modified;
        SetFloatValue(s, o, GetFloatValue(s, o));
        s.Modified = modified;
        return;
    }
    if (t == etNumeric && empty && !o.AllowNumericNullValue)
        SetText(s, o, QStringLiteral("0"));
    else if ((t == etFloat || t == etMoney) && empty && !o.AllowNumericNullValue)
        SetFloatValue(s, o, 0);
}

void TypedEntry::ApplyEditType(EntryState& s, const EntryOptions& o)
{
    const TTextKind kind = ClassifyText(Value(s, o));
    switch (o.EditType) {
    case etNumeric:
        if (kind != tkNumeric)
            SetIntValue(s, o, 0);
        break;
    case etFloat:
    case etMoney:
        if (kind == tkString || kind == tkHex)
            SetFloatValue(s, o, 0);
        break;
    case etHex:
        if (kind != tkNumeric && kind != tkHex)
            SetIntValue(s, o, 0);
        break;
    default:
        break;
    }
}

}  // namespace dropdown
