#pragma once
// Table files as the editors write them, for the compiler tests: row elements
// with attributes, under named sections or directly under the root.
#include "compiler_fixture.h"

#include <QByteArray>
#include <QDir>
#include <QList>

#include <functional>

using Attrs = std::initializer_list<std::pair<const char*, const char*>>;

// Appends ` name="value"`; nothing when value is nullptr.
inline void AppendAttr(QByteArray& x, const char* name, const char* value)
{
    if (!value)
        return;
    x += ' ';
    x += name;
    x += "=\"";
    x += value;
    x += '"';
}

// <row a="1" b="2"/>; an attribute whose value is nullptr is left out.
inline QByteArray RowXml(Attrs attrs, const char* element = "row")
{
    QByteArray x = "<";
    x += element;
    for (const auto& [name, value] : attrs)
        AppendAttr(x, name, value);
    x += "/>";
    return x;
}

// The same row with one attribute replaced (added when base lacks it);
// value nullptr leaves the attribute out.
inline QByteArray RowXmlWith(Attrs base, const char* name, const char* value)
{
    QByteArray x = "<row";
    bool seen = false;
    for (const auto& [n, v] : base) {
        const bool hit = QByteArray(n) == name;
        seen = seen || hit;
        AppendAttr(x, n, hit ? value : v);
    }
    if (!seen)
        AppendAttr(x, name, value);
    x += "/>";
    return x;
}

// <root><section>rows</section>...</root> and the version comment.
inline QByteArray TableXml(const char* root, std::initializer_list<std::pair<const char*, QList<QByteArray>>> sections)
{
    QByteArray x = "<";
    x += root;
    x += '>';
    for (const auto& [name, rows] : sections) {
        x += '<';
        x += name;
        x += '>';
        for (const QByteArray& r : rows)
            x += r;
        x += "</";
        x += name;
        x += '>';
    }
    x += "</";
    x += root;
    x += "><!--SW_VERSION = 1.000-->";
    return x;
}

// <root>rows</root> and the version comment: rows directly under the root.
inline QByteArray RootXml(const char* root, const QList<QByteArray>& rows)
{
    QByteArray x = "<";
    x += root;
    x += '>';
    for (const QByteArray& r : rows)
        x += r;
    x += "</";
    x += root;
    x += "><!--SW_VERSION = 1.000-->";
    return x;
}

// n copies of a row.
inline QList<QByteArray> Rows(int n, const QByteArray& row)
{
    QList<QByteArray> out;
    for (int i = 0; i < n; ++i)
        out.append(row);
    return out;
}

// Builds; the error message, or empty when the build succeeded.
inline QString BuildError()
{
    QList<BankFile> files;
    QString error;
    if (Build_Banks(DeviceType, files, &error))
        return QString();
    return error;
}

// Update Device must stop with a message containing each of parts and must
// leave the bin folder empty.
inline void ExpectBuildStops(const CompilerProject& project, std::initializer_list<QString> parts)
{
    QString error;
    EXPECT_FALSE(Build_And_Save_Banks(&error));
    for (const QString& p : parts)
        EXPECT_TRUE(error.contains(p)) << "message: " << error.toStdString() << "\nmissing: " << p.toStdString();
    EXPECT_TRUE(QDir(ProjectPath + QStringLiteral("/bin")).entryList(QDir::Files).isEmpty());
}

// A required attribute of a file with a read and a write section: missing
// (value nullptr) or with a bad value on row 2 of the read section, or of the
// write section (after a complete read row).
struct RequiredAttributeCase
{
    bool write;
    const char* attr;
    const char* value;
    const char* message;
};

// For each case: a project of type whose *file, made by
// makeFile(readRows, writeRows), holds the complete row and then the bad row
// (the complete row with the case's attribute changed) in the case's section.
// Update Device must stop naming the file with the case's message.
template <typename MakeFile, std::size_t N>
void ExpectRequiredAttributes(int type, const QString* file, MakeFile makeFile, Attrs readRow, Attrs writeRow,
                              const RequiredAttributeCase (&cases)[N])
{
    for (const RequiredAttributeCase& c : cases) {
        SCOPED_TRACE(std::string(c.attr) + " " + (c.value ? c.value : "(missing)"));
        CompilerProject project(type);
        const QByteArray bad = RowXmlWith(c.write ? writeRow : readRow, c.attr, c.value);
        project.WriteFile(*file, c.write ? makeFile({RowXml(readRow)}, {RowXml(writeRow), bad})
                                         : makeFile({RowXml(readRow), bad}, {}));
        ExpectBuildStops(project, {*file, c.message});
    }
}
