#pragma once
#include <QString>
#include <cstdint>
#include <pugixml.hpp>

// Reading the rows of a project table file. A required value that is missing
// or not an integer ends the build with a message naming the file, the
// section, the row (from 1) and the attribute, for example
//   <file>, section "Modbus_Read", row 3: the attribute "PollTime" is missing.
//   <file>, section "Modbus_Read", row 3: the attribute "PollTime" is not an integer: "abc".
// Rows that stand directly under the root have no section in the message.

// Integer values follow the integer text rules of int_text.h.

class TableRow
{
public:
    // index counts from 0; section may be empty.
    TableRow(const QString& file, const QString& section, int index, pugi::xml_node node);

    // The attribute's UTF-8 text; nullptr when it is missing. Attributes read
    // in the order they stand in the row are found with one comparison each.
    const char* Raw(const char* attr) const;
    // The same; a missing attribute ends the build.
    const char* RequiredRaw(const char* attr) const;

    // The attribute's text; false when it is missing.
    bool Text(const char* attr, QString& text) const;
    QString TextOr(const char* attr, const QString& def = QString()) const;
    // The attribute's integer; def when missing or not an integer.
    int32_t IntOr(const char* attr, int32_t def) const;

    // Required values: a missing attribute, or one that is not an integer,
    // ends the build.
    QString RequiredText(const char* attr) const;
    int32_t RequiredInt(const char* attr) const;
    int64_t RequiredInt64(const char* attr) const;

    // "<file>, section "<section>", row <n>"
    QString Where() const;
    // Ends the build with Where() + ": " + what.
    [[noreturn]] void Fail(const QString& what) const;

private:
    QString m_file;
    QString m_section;
    int m_index;
    pugi::xml_node m_node;
    mutable pugi::xml_attribute m_hint;   // where the next lookup starts
};

// The child element name of parent; a missing one ends the build:
//   <file>: the section "<name>" is missing.
pugi::xml_node Required_Section(const QString& file, pugi::xml_node parent, const char* name);

// Ends the build because a file holds more rows than its table:
//   <file>, section "<section>": more than <limit> rows; the table holds <limit>.
[[noreturn]] void Table_Limit(const QString& file, const QString& section, int limit);
