#include "table_rows.h"

#include "compile_error.h"
#include "int_text.h"

#include <cstring>
#include <type_traits>

namespace {

// The integer text rules of TryStrToInt over a range of characters (UTF-16
// units or UTF-8 bytes; anything outside ASCII is no digit): leading blanks,
// an optional sign, decimal digits, or hexadecimal digits after "$", "x",
// "X", "0x" or "0X", nothing after them. Decimal values must fit a signed
// integer of bits; hexadecimal takes up to bits / 4 digits and keeps their
// bit pattern.
//
// End is either a pointer past the last character or, for NUL-terminated
// UTF-8 text, the NulEnd marker.
struct NulEnd
{
};

template <typename C>
bool AtEnd(const C* p, const C* end)
{
    return p >= end;
}

template <typename C>
bool AtEnd(const C* p, NulEnd)
{
    return *p == C(0);
}

template <typename C, typename E>
bool ParseIntText(const C* p, E end, int bits, int64_t& value)
{
    while (!AtEnd(p, end) && *p == C(' '))
        ++p;
    bool negative = false;
    if (!AtEnd(p, end) && (*p == C('+') || *p == C('-'))) {
        negative = *p == C('-');
        ++p;
    }
    bool hex = false;
    if (!AtEnd(p, end) && (*p == C('$') || *p == C('x') || *p == C('X'))) {
        hex = true;
        ++p;
    } else if (!AtEnd(p, end) && p[0] == C('0') && !AtEnd(p + 1, end) && (p[1] == C('x') || p[1] == C('X'))) {
        hex = true;
        p += 2;
    }
    if (AtEnd(p, end))
        return false;
    const uint64_t limit = uint64_t{1} << (bits - 1);
    uint64_t acc = 0;
    int digits = 0;   // hexadecimal digits from the first that is not 0
    for (; !AtEnd(p, end); ++p) {
        const auto c = static_cast<std::make_unsigned_t<C>>(*p);
        unsigned d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (hex) {
            if (digits > 0 || d != 0)
                ++digits;
            if (digits > bits / 4)
                return false;
            acc = acc * 16 + d;
        } else {
            if (acc > (limit - d) / 10)
                return false;   // beyond the limit
            acc = acc * 10 + d;
        }
    }
    uint64_t magnitude = acc;
    if (!hex && !negative && acc == limit)
        return false;
    if (negative)
        magnitude = 0u - magnitude;
    value = bits == 32 ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)))
                       : static_cast<int64_t>(magnitude);
    return true;
}

} // namespace

bool TryStrToInt64(const QString& text, int64_t& value)
{
    const auto* p = reinterpret_cast<const char16_t*>(text.constData());
    return ParseIntText(p, p + text.size(), 64, value);
}

bool TryUtf8ToInt(const char* text, int32_t& value)
{
    int64_t v;
    if (!ParseIntText(text, NulEnd{}, 32, v))
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TryUtf8ToInt64(const char* text, int64_t& value)
{
    return ParseIntText(text, NulEnd{}, 64, value);
}

TableRow::TableRow(const QString& file, const QString& section, int index, pugi::xml_node node)
    : m_file(file), m_section(section), m_index(index), m_node(node)
{
}

const char* TableRow::Raw(const char* attr) const
{
    // From the attribute after the last one found to the end, then from the
    // first up to there.
    for (pugi::xml_attribute a = m_hint; a; a = a.next_attribute())
        if (std::strcmp(a.name(), attr) == 0) {
            m_hint = a.next_attribute();
            return a.value();
        }
    for (pugi::xml_attribute a = m_node.first_attribute(); a && a != m_hint; a = a.next_attribute())
        if (std::strcmp(a.name(), attr) == 0) {
            m_hint = a.next_attribute();
            return a.value();
        }
    return nullptr;
}

const char* TableRow::RequiredRaw(const char* attr) const
{
    const char* raw = Raw(attr);
    if (!raw)
        Fail(QStringLiteral("the attribute \"%1\" is missing.").arg(QLatin1String(attr)));
    return raw;
}

bool TableRow::Text(const char* attr, QString& text) const
{
    const char* raw = Raw(attr);
    if (!raw)
        return false;
    text = QString::fromUtf8(raw);
    return true;
}

QString TableRow::TextOr(const char* attr, const QString& def) const
{
    QString t;
    return Text(attr, t) ? t : def;
}

int32_t TableRow::IntOr(const char* attr, int32_t def) const
{
    const char* raw = Raw(attr);
    int32_t v;
    return raw && TryUtf8ToInt(raw, v) ? v : def;
}

QString TableRow::RequiredText(const char* attr) const
{
    QString t;
    if (!Text(attr, t))
        Fail(QStringLiteral("the attribute \"%1\" is missing.").arg(QLatin1String(attr)));
    return t;
}

int32_t TableRow::RequiredInt(const char* attr) const
{
    const char* raw = RequiredRaw(attr);
    int32_t v;
    if (!TryUtf8ToInt(raw, v))
        Fail(QStringLiteral("the attribute \"%1\" is not an integer: \"%2\".")
                 .arg(QLatin1String(attr), QString::fromUtf8(raw)));
    return v;
}

int64_t TableRow::RequiredInt64(const char* attr) const
{
    const char* raw = RequiredRaw(attr);
    int64_t v;
    if (!TryUtf8ToInt64(raw, v))
        Fail(QStringLiteral("the attribute \"%1\" is not an integer: \"%2\".")
                 .arg(QLatin1String(attr), QString::fromUtf8(raw)));
    return v;
}

QString TableRow::Where() const
{
    if (m_section.isEmpty())
        return QStringLiteral("%1, row %2").arg(m_file).arg(m_index + 1);
    return QStringLiteral("%1, section \"%2\", row %3").arg(m_file, m_section).arg(m_index + 1);
}

void TableRow::Fail(const QString& what) const
{
    throw CompileError(Where() + QStringLiteral(": ") + what);
}

pugi::xml_node Required_Section(const QString& file, pugi::xml_node parent, const char* name)
{
    pugi::xml_node s = parent.child(name);
    if (!s)
        throw CompileError(QStringLiteral("%1: the section \"%2\" is missing.").arg(file, QLatin1String(name)));
    return s;
}

void Table_Limit(const QString& file, const QString& section, int limit)
{
    const QString where =
        section.isEmpty() ? file : QStringLiteral("%1, section \"%2\"").arg(file, section);
    throw CompileError(QStringLiteral("%1: more than %2 rows; the table holds %2.").arg(where).arg(limit));
}
