#pragma once
// What the generator targets share: a project folder whose file paths are
// set, the English texts, and the fuzzer's bytes written as one project file.
#include "app/common/language.h"
#include "app/common/workspace.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

inline void OpenFuzzProject()
{
    static QTemporaryDir dir;
    static bool done = false;
    if (done)
        return;
    done = true;
    ProjectPath = dir.path();
    for (const ProjectFile& f : ProjectFiles)
        *f.path = ProjectPath + QLatin1Char('/') + QString::fromLatin1(f.fileName);
    Load_Default_Language();
}

// Replaces path with the bytes.
inline void WriteFuzzFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

inline void Require(bool ok)
{
    if (!ok)
        std::abort();
}

// An output's bytes are ASCII, lines ended by CR LF.
inline void RequireAsciiCrLf(const QByteArray& bytes)
{
    Require(bytes.endsWith("\r\n"));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        Require(c < 0x80);
        Require(c != '\n' || (i > 0 && bytes[i - 1] == '\r'));
        Require(c != '\r' || (i + 1 < bytes.size() && bytes[i + 1] == '\n'));
    }
}
