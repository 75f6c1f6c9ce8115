#include "table_rows.h"

#include "compile_error.h"
#include "int_text.h"

#include <cstring>

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
