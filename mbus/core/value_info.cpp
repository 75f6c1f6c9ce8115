// Value information: what a record's value means (description, type codes)
// and its text (scaled value, date, time or plain text).
#include "mbus/core/telegram.h"
#include "mbus/core/vif_tables.h"

#include "platform/cp1252.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace mbus {

namespace {

int64_t Signed_LE(Bytes d, size_t bytes)
{
    uint64_t v = 0;
    const size_t n = std::min(bytes, d.size());
    for (size_t i = 0; i < n; ++i)
        v |= static_cast<uint64_t>(d[i]) << (8 * i);
    if (n > 0 && n < 8 && (d[n - 1] & 0x80))
        v |= ~uint64_t{0} << (8 * n);   // sign extension
    return static_cast<int64_t>(v);
}

long double Raw_Value(uint8_t dataField, uint8_t lvar, Bytes d)
{
    switch (dataField) {
    case 1: return Signed_LE(d, 1);
    case 2: return Signed_LE(d, 2);
    case 3: return Signed_LE(d, 3);
    case 4: return Signed_LE(d, 4);
    case 5: {
        if (d.size() < 4)
            return 0;
        const auto bits = static_cast<uint32_t>(Signed_LE(d, 4));
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    case 6: return Signed_LE(d, 6);
    case 7: return Signed_LE(d, 8);
    case 9:
    case 10:
    case 11:
    case 12:
    case 14: return BCD_To_Int64(d);
    case 13:
        if (lvar >= 0xC0 && lvar <= 0xC9)
            return BCD_To_Int64(d);
        if (lvar >= 0xD0 && lvar <= 0xD9)
            return -BCD_To_Int64(d);
        return 0;
    default: return 0;
    }
}

long double Scaled(long double v, int exponent)
{
    long double p = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        p *= 10;
    return exponent < 0 ? v / p : v * p;
}

// The general floating-point form: up to 15 significant digits, exponent
// form "1.5E-7" for very small or large values.
QString Format_Value(long double v, QChar decimalPoint)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (v == 0)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15Lg", v);
    QString s;
    for (const char* c = buf; *c; ++c) {
        if (*c == '.') {
            s += decimalPoint;
        } else if (*c == 'e') {
            s += QLatin1Char('E');
            ++c;
            if (*c == '-')
                s += QLatin1Char('-');
            ++c;
            while (*c == '0' && c[1])
                ++c;
            s += QLatin1String(c);
            break;
        } else {
            s += QLatin1Char(*c);
        }
    }
    return s;
}

// Date forms: G (2 bytes), F (4 bytes: time then date).
QString Date_G(Bytes d)
{
    const int year = (d[0] >> 5) + 8 * (d[1] >> 4);
    return Two_Digit_Str(d[0] & 0x1F) + QLatin1Char('/') + Two_Digit_Str(d[1] & 0x0F) + QLatin1Char('/')
           + Two_Digit_Str(year);
}

QString Date_F(Bytes d)
{
    return Date_G(d.subspan(2, 2)) + QLatin1Char(' ') + Two_Digit_Str(d[1] & 0x1F) + QLatin1Char(':')
           + Two_Digit_Str(d[0] & 0x3F);
}

QString Time_J(Bytes d)
{
    return Two_Digit_Str(d[2] & 0x1F) + QLatin1Char(':') + Two_Digit_Str(d[1] & 0x3F) + QLatin1Char(':')
           + Two_Digit_Str(d[0] & 0x3F);
}

constexpr const char* kWeekdays[8] = {"", "Monday ", "Tuesday ", "Wednesday ", "Thursday ",
                                      "Friday ", "Saturday ", "Sunday "};

QString Date_I(Bytes d)
{
    return QLatin1String(kWeekdays[d[2] >> 5]) + Date_G(d.subspan(3, 2)) + QLatin1Char(' ') + Time_J(d);
}

// Date or time text of VIF 6C/6D by data field; false for other fields.
bool Date_Time(uint8_t dataField, Bytes d, QString& desc, QString& value)
{
    switch (dataField) {
    case 2:
        desc = QStringLiteral("Time Point Date (Type G)");
        value = Date_G(d);
        return true;
    case 4:
        desc = QStringLiteral("Time Point Date and Time (Type F)");
        value = Date_F(d);
        return true;
    case 3:
        desc = QStringLiteral("Time Point Extended Time Point (Type J)");
        value = Time_J(d);
        return true;
    case 6:
        desc = QStringLiteral("Time Point Extended Date and Time Point (Type I)");
        value = Date_I(d);
        return true;
    default:
        return false;
    }
}

bool Is_Ascii(uint8_t dataField, uint8_t lvar)
{
    return dataField == 13 && lvar <= 0xBF;
}

} // namespace

void Decode_VIF(uint8_t vif, Bytes vifes, uint8_t dataField, uint8_t lvar, Bytes data, TVariable_MBus& r,
                const DecodeContext& ctx)
{
    long double value = Raw_Value(dataField, lvar, data);
    // The data field fixes the data length; a caller's shorter span gives no date.
    static constexpr size_t kFieldBytes[16] = {0, 1, 2, 3, 4, 4, 6, 8, 0, 1, 2, 3, 4, 0, 6, 0};
    const bool whole = data.size() >= kFieldBytes[dataField & 0x0F];

    QString desc;
    QString text;          // a date or text form of the value
    bool hasText = false;
    int type = -1;
    int code = -1;

    const uint8_t primary = vif & 0x7F;
    const VifRow* row = Primary_Vif(primary);
    if (row) {
        type = row->code;
        if (row->special == Special::DateTime) {
            hasText = whole && Date_Time(dataField, data, desc, text);
        } else {
            desc = Row_Text(*row, primary);
            if (row->special == Special::PlainText && Is_Ascii(dataField, lvar)) {
                QByteArray chars;   // received last character first
                for (size_t i = data.size(); i-- > 0;)
                    chars += static_cast<char>(data[i]);
                text = Cp1252ToString(chars);
                hasText = true;
            }
        }
        if (row->expMask)
            value = Scaled(value, (primary & row->expMask) + row->expOffset);
    }

    size_t next = vifes.size();   // the first combinable VIFE
    if ((vif & 0x80) && vif != 0xFE && vif != 0xFF)
        next = 0;
    if ((vif == 0xFD || vif == 0xFB) && !vifes.empty()) {
        const uint8_t ext = vifes[0] & 0x7F;
        const VifRow* e = vif == 0xFD ? Extension_FD(ext) : Extension_FB(ext);
        if (e) {
            desc = Row_Text(*e, ext);
            code = e->code;
            if (e->expMask)
                value = Scaled(value, (ext & e->expMask) + e->expOffset);
        } else {
            desc = QStringLiteral("Reserved");
        }
        next = (vifes[0] & 0x80) ? 1 : vifes.size();
    }

    for (size_t i = next; i < vifes.size(); ++i) {
        const uint8_t c = vifes[i] & 0x7F;
        const VifRow* v = Combinable_Vife(c);
        if (!v) {
            desc += QStringLiteral(" - Reserved");
        } else if (v->special == Special::Phase) {
            if (i + 1 < vifes.size()) {
                ++i;
                if (const char* phase = Phase_Text(vifes[i] & 0x7F))
                    desc += QLatin1String(phase);
            }
        } else {
            desc += Row_Text(*v, c);
            if (code < 0)
                code = v->code;
            if (v->date && whole && (dataField == 2 || dataField == 4)) {
                text = dataField == 2 ? Date_G(data) : Date_F(data);
                hasText = true;
            }
        }
        if (!(vifes[i] & 0x80))
            break;
    }

    r.type_data = static_cast<uint16_t>(type);
    r.Type_Data_Vife = code < 0 ? 0 : code;
    r.Desc_Type_Data = desc;
    r.ValueStr = hasText ? text : Format_Value(value, ctx.decimalPoint);
}

} // namespace mbus
