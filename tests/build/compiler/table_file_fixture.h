#pragma once
// Table files as the editors write them, for the compiler tests: row elements
// with attributes, under named sections or directly under the root.
#include "compiler_fixture.h"

#include <QByteArray>
#include <QDir>
#include <QList>

#include <functional>

using Attrs = std::initializer_list<std::pair<const char*, const char*>>;

// <row a="1" b="2"/>; an attribute whose value is nullptr is left out.
inline QByteArray RowXml(Attrs attrs, const char* element = "row")
{
    QByteArray x = "<";
    x += element;
    for (const auto& [name, value] : attrs) {
        if (!value)
            continue;
        x += ' ';
        x += name;
        x += "=\"";
        x += value;
        x += '"';
    }
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
        const char* text = hit ? value : v;
        if (!text)
            continue;
        x += ' ';
        x += n;
        x += "=\"";
        x += text;
        x += '"';
    }
    if (!seen && value) {
        x += ' ';
        x += name;
        x += "=\"";
        x += value;
        x += '"';
    }
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
