#include "controls/dropdown/calculator_engine.h"

#include "platform/text/format_settings.h"

#include <QLocale>

#include <cmath>

namespace dropdown {

namespace {

const QString kError = QStringLiteral("Error");

bool ReachedMaxLength(const EntryState& s, const EntryOptions& o)
{
    return o.MaxLength > 0 && TypedEntry::Value(s, o).size() == o.MaxLength;
}

bool IsOperator(QChar ch)
{
    return ch == u'+' || ch == u'-' || ch == u'*' || ch == u'/';
}

int OperationOf(QChar ch)
{
    switch (ch.unicode()) {
    case u'+': return 0;
    case u'*': return 1;
    case u'-': return 2;
    default: return 3;
    }
}

}  // namespace

QString CalcGeneral(long double value)
{
    const double v = std::isfinite(double(value)) ? double(value) : 0;
    QString text = QString::number(v, 'g', 6);
    text.replace(u'.', platform::FormatSettings::Current().DecimalSeparator);
    return text;
}

long double CalculatorEngine::DisplayValue(const EntryState& s, const EntryOptions& o)
{
    const platform::FormatSettings& f = platform::FormatSettings::Current();
    QString t = TypedEntry::Value(s, o).trimmed();
    t.remove(f.ThousandSeparator);
    if (f.DecimalSeparator != u'.' && t.contains(u'.'))
        return 0;
    t.replace(f.DecimalSeparator, u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(v) ? v : 0;
}

void CalculatorEngine::Write(EntryState& s, const EntryOptions& o, const QString& text)
{
    TypedEntry::SetText(s, o, text);
}

void CalculatorEngine::WriteValue(EntryState& s, const EntryOptions& o, long double value)
{
    TypedEntry::SetFloatValue(s, o, double(value));
}

void CalculatorEngine::CalculatePending(EntryState& s, const EntryOptions& o)
{
    const QString text = TypedEntry::Value(s, o);
    if (text.isEmpty() || text == kError)
        Write(s, o, QStringLiteral("0"));
    const long double x = DisplayValue(s, o);
    switch (PendingOp) {
    case 0: Accumulator = x + Accumulator; break;
    case 1: Accumulator = x * Accumulator; break;
    case 2: Accumulator = Accumulator - x; break;
    case 3:
        if (x == 0) {
            Accumulator = 0;
            Write(s, o, kError);
            return;
        }
        Accumulator = Accumulator / x;
        break;
    default: Accumulator = x; break;
    }
    if (!std::isfinite(double(Accumulator)))
        Accumulator = 0;
    WriteValue(s, o, Accumulator);
    NewValue = true;
}

void CalculatorEngine::Operation(int op, EntryState& s, const EntryOptions& o)
{
    CalculatePending(s, o);
    PendingOp = op;
}

void CalculatorEngine::Equals(EntryState& s, const EntryOptions& o)
{
    CalculatePending(s, o);
    if (TypedEntry::Value(s, o).isEmpty())
        Write(s, o, QStringLiteral("0"));
    PendingOp = -1;
    if (TypedEntry::Value(s, o) != kError)
        Accumulator = DisplayValue(s, o);
}

void CalculatorEngine::Percent(EntryState& s, const EntryOptions& o)
{
    const QString text = TypedEntry::Value(s, o);
    if (text.isEmpty() || text == kError)
        Write(s, o, QStringLiteral("0"));
    Write(s, o, CalcGeneral(Accumulator * DisplayValue(s, o) / 100));
}

bool CalculatorEngine::Key(int tag, EntryState& s, const EntryOptions& o)
{
    if ((tag >= 10 && tag <= 14) || (tag >= 16 && tag <= 18))
        Decim = 0;
    if (((tag >= 0 && tag <= 9) || tag == ctSign || tag == ctDecimal) && ReachedMaxLength(s, o))
        return false;
    const QString decimal(platform::FormatSettings::Current().DecimalSeparator);
    if (tag >= 0 && tag <= 9) {
        long double v = TypedEntry::GetFloatValue(s, o);
        if (NewValue || (v == 0 && Decim == 0)) {
            Write(s, o, QString::number(tag));
            NewValue = false;
        } else {
            if (Decim > 0) {
                v = v + (long double)tag / Decim;
                if (Decim <= 100000000)
                    Decim *= 10;
            } else {
                v = v * 10 + tag;
            }
            WriteValue(s, o, v);
        }
        return true;
    }
    switch (tag) {
    case ctAdd: Operation(0, s, o); break;
    case ctSubtract: Operation(2, s, o); break;
    case ctMultiply: Operation(1, s, o); break;
    case ctDivide: Operation(3, s, o); break;
    case ctSign: {
        QString text = TypedEntry::Value(s, o);
        if (text.contains(u'-'))
            text.remove(0, 1);
        else
            text.prepend(u'-');
        Write(s, o, text);
        break;
    }
    case ctDecimal: {
        const QString text = TypedEntry::Value(s, o);
        if (!text.contains(decimal))
            Write(s, o, text + decimal);
        Decim = 10;
        if (NewValue)
            Write(s, o, QStringLiteral("0"));
        NewValue = false;
        break;
    }
    case ctClear:
    case ctOn:
    case ctClearEntry:
        Write(s, o, QStringLiteral("0"));
        Accumulator = 0;
        PendingOp = -1;
        break;
    case ctEquals: Equals(s, o); break;
    case ctPercent: Percent(s, o); break;
    case ctBack:
        if (PendingOp == -1) {
            QString shortest = QString::number(TypedEntry::GetFloatValue(s, o), 'g', QLocale::FloatingPointShortest);
            shortest.replace(u'.', decimal);
            shortest.chop(1);
            Write(s, o, shortest);
        }
        break;
    case ctMemoryClear: Memory = 0; break;
    case ctMemoryRecall: WriteValue(s, o, Memory); break;
    case ctMemoryStore: Memory = DisplayValue(s, o); break;
    case ctMemoryAdd:
        Memory = Memory + DisplayValue(s, o);
        if (!std::isfinite(double(Memory)))
            Memory = 0;  // an overflow clears the memory, as it does the accumulator
        break;
    case ctSqrt: {
        const long double v = TypedEntry::GetFloatValue(s, o);
        if (v < 0)
            Write(s, o, kError);
        else
            WriteValue(s, o, std::sqrt(v));
        break;
    }
    case ctReciprocal: {
        const long double v = TypedEntry::GetFloatValue(s, o);
        if (v == 0)
            Write(s, o, kError);
        else
            WriteValue(s, o, 1 / v);
        break;
    }
    default: break;
    }
    return true;
}

void CalculatorEngine::OperatorChar(QChar ch, EntryState& s, const EntryOptions& o)
{
    if (ch == u'=' || ch == u'\r')
        Equals(s, o);
    else if (ch == u'%')
        Percent(s, o);
    else if (IsOperator(ch))
        Operation(OperationOf(ch), s, o);
}

CalcCharOutcome CalculatorEngine::EditChar(QChar ch, bool popupShowing, EntryState& s, const EntryOptions& o)
{
    if (!popupShowing) {
        if (ch == u'=' || ch == u'\r' || ch == u'%' || IsOperator(ch)) {
            // The operator acts and is used up; the minus sign is no sign here.
            OperatorChar(ch, s, o);
            return CalcCharOutcome::Consumed;
        }
        if (ch == u'C' || ch == u'c') {
            Write(s, o, QStringLiteral("0"));
            NewValue = true;
            PendingOp = -1;
            return CalcCharOutcome::Consumed;
        }
    }
    const platform::FormatSettings& f = platform::FormatSettings::Current();
    const bool backspace = ch == QChar(8);
    if (!ch.isNumber() && ch != f.DecimalSeparator && !backspace && ch != u'-')
        return CalcCharOutcome::Dropped;
    const QString value = TypedEntry::Value(s, o);
    auto caretAfterFirst = [&] {
        s.SelStart = int(o.Prefix.size()) + 1;
        s.SelLength = 0;
    };
    if ((value == QLatin1String("0") || NewValue) && ch.isNumber()) {
        Write(s, o, QString(ch));
        caretAfterFirst();
        NewValue = false;
        return CalcCharOutcome::Consumed;
    }
    if (value.size() == 1 && backspace) {
        Write(s, o, QStringLiteral("0"));
        caretAfterFirst();
        return CalcCharOutcome::Consumed;
    }
    if (ch == f.ThousandSeparator || (ch == f.DecimalSeparator && value.contains(f.DecimalSeparator)))
        return CalcCharOutcome::Dropped;
    return TypedEntry::TypeChar(s, o, {ch}) ? CalcCharOutcome::Typed : CalcCharOutcome::Dropped;
}

CalcPopupOutcome CalculatorEngine::PopupChar(QChar ch, bool alt, EntryState& s, const EntryOptions& o)
{
    const bool command = ch == u'\r' || ch == QChar(27) || ch == u'=' || ch == u'%' || IsOperator(ch) ||
                         ch == u'C' || ch == u'c' || (alt && ch == u'&');
    // Only what belongs to the number goes into the edit.
    if (!command)
        EditChar(ch, true, s, o);
    const QChar decimal = platform::FormatSettings::Current().DecimalSeparator;
    const QString value = TypedEntry::Value(s, o);
    if (ch == decimal && !value.contains(decimal))
        Write(s, o, value + decimal);
    if (ch.isNumber() && ReachedMaxLength(s, o))
        return CalcPopupOutcome::None;
    if (ch == u'\r') {
        Equals(s, o);
        return CalcPopupOutcome::Close;
    }
    if (ch == QChar(27) || (alt && ch == u'&'))
        return CalcPopupOutcome::Cancel;
    if (ch == u'%' || ch == u'=' || IsOperator(ch)) {
        OperatorChar(ch, s, o);
    } else if (ch >= u'0' && ch <= u'9') {
        if (value == QLatin1String("0") || NewValue)
            NewValue = false;
    } else if (ch == u'C' || ch == u'c') {
        Write(s, o, QStringLiteral("0"));
        Accumulator = 0;
        NewValue = true;
        PendingOp = -1;
    }
    return CalcPopupOutcome::None;
}

void CalculatorEngine::PopupBackspace(EntryState& s, const EntryOptions& o)
{
    QString text = TypedEntry::Value(s, o);
    text.chop(1);
    if (text.isEmpty() || text == kError)
        text = QStringLiteral("0");
    Write(s, o, text);
}

}  // namespace dropdown
