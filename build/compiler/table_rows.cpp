#include "table_rows.h"

#include "compile_error.h"
#include "int_text.h"

bool TryStrToInt64(const QString& text, int64_t& value)
{
    const int n = static_cast<int>(text.size());
    int i = 0;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == QLatin1Char('$') || text[i] == QLatin1Char('x') || text[i] == QLatin1Char('X'))) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;
    unsigned __int128 acc = 0;
    int digits = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return false;
        acc = acc * (hex ? 16 : 10) + static_cast<unsigned>(d);
        if (acc != 0)
            ++digits;
        if (hex ? digits > 16 : acc > (static_cast<unsigned __int128>(1) << 63))
            return false;
    }
    if (hex) {
        auto bits = static_cast<uint64_t>(acc);
        if (negative)
            bits = 0u - bits;
        value = static_cast<int64_t>(bits);
        return true;
    }
    if (!negative && acc > static_cast<unsigned __int128>(INT64_MAX))
        return false;
    value = negative ? static_cast<int64_t>(0u - static_cast<uint64_t>(acc)) : static_cast<int64_t>(acc);
    return true;
}

TableRow::TableRow(const QString& file, const QString& section, int index, pugi::xml_node node)
    : m_file(file), m_section(section), m_index(index), m_node(node)
{
}

bool TableRow::Text(const char* attr, QString& text) const
{
    pugi::xml_attribute a = m_node.attribute(attr);
    if (!a)
        return false;
    text = QString::fromUtf8(a.value());
    return true;
}

QString TableRow::TextOr(const char* attr, const QString& def) const
{
    QString t;
    return Text(attr, t) ? t : def;
}

int32_t TableRow::IntOr(const char* attr, int32_t def) const
{
    QString t;
    int32_t v;
    return Text(attr, t) && TryStrToInt(t, v) ? v : def;
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
    const QString t = RequiredText(attr);
    int32_t v;
    if (!TryStrToInt(t, v))
        Fail(QStringLiteral("the attribute \"%1\" is not an integer: \"%2\".").arg(QLatin1String(attr), t));
    return v;
}

int64_t TableRow::RequiredInt64(const char* attr) const
{
    const QString t = RequiredText(attr);
    int64_t v;
    if (!TryStrToInt64(t, v))
        Fail(QStringLiteral("the attribute \"%1\" is not an integer: \"%2\".").arg(QLatin1String(attr), t));
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
