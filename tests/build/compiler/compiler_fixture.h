#pragma once
// Shared helpers of the compiler tests: project fixtures and expected images
// built byte by byte from offsets, independently of the compiler's records.
#include "compiler.h"
#include "device_type.h"
#include "program_folder.h"
#include "workspace.h"

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <utility>

using Elements = std::initializer_list<std::pair<const char*, const char*>>;

// A ParGen.xml as the parameters window writes it: root first, elements in
// order, the version comment after the root.
inline QByteArray ParGenXml(Elements elements)
{
    QByteArray x = "<Par_Gen>";
    for (const auto& [name, text] : elements) {
        x += '<';
        x += name;
        x += '>';
        x += text;
        x += "</";
        x += name;
        x += '>';
    }
    x += "</Par_Gen><!--SW_VERSION = 1.000-->";
    return x;
}

// A 2048-byte image built by offsets; Sum() stores the byte sum of 0..2043 at 2044.
class Image
{
public:
    explicit Image(int size = 2048) : m_bytes(size, '\0') {}

    Image& U8(int off, unsigned v)
    {
        m_bytes[off] = static_cast<char>(v & 0xFF);
        return *this;
    }
    Image& U16(int off, unsigned v) { return U8(off, v).U8(off + 1, v >> 8); }
    Image& U32(int off, uint32_t v) { return U16(off, v & 0xFFFF).U16(off + 2, v >> 16); }
    Image& Octets(int off, unsigned a, unsigned b, unsigned c, unsigned d)
    {
        return U8(off, a).U8(off + 1, b).U8(off + 2, c).U8(off + 3, d);
    }
    Image& Text(int off, const char* latin1)
    {
        for (int i = 0; latin1[i]; ++i)
            U8(off + i, static_cast<unsigned char>(latin1[i]));
        return *this;
    }
    Image& Fill(int off, int n, unsigned v)
    {
        for (int i = 0; i < n; ++i)
            U8(off + i, v);
        return *this;
    }
    Image& Sum(int blockStart = 0)
    {
        uint32_t s = 0;
        for (int i = 0; i < 2044; ++i)
            s += static_cast<unsigned char>(m_bytes[blockStart + i]);
        return U32(blockStart + 2044, s);
    }
    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// The general record's reset values.
inline Image ResetGenBlock()
{
    Image b;
    b.U32(0, 125000).U32(12, 9600).U16(16, 8).U16(52, 10000).U16(54, 10001).U16(56, 10001);
    b.U32(60, 9600).U16(64, 8);
    return b;
}

// Is [off, off + n) inside b? A failed build gives empty images: reading
// them fails the test instead of reading past the end.
inline bool InImage(const QByteArray& b, int off, int n)
{
    if (off >= 0 && off + n <= b.size())
        return true;
    ADD_FAILURE() << "offset " << off << " + " << n << " lies beyond an image of " << b.size() << " bytes";
    return false;
}

inline uint32_t ReadU32(const QByteArray& b, int off)
{
    if (!InImage(b, off, 4))
        return 0;
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[off + i]);
    return v;
}

inline unsigned ReadU16(const QByteArray& b, int off)
{
    if (!InImage(b, off, 2))
        return 0;
    return static_cast<unsigned char>(b[off]) | (static_cast<unsigned char>(b[off + 1]) << 8);
}

inline unsigned ReadU8(const QByteArray& b, int off)
{
    if (!InImage(b, off, 1))
        return 0;
    return static_cast<unsigned char>(b[off]);
}

inline uint32_t BlockSum(const QByteArray& b, int blockStart = 0)
{
    if (!InImage(b, blockStart, 2044))
        return 0;
    uint32_t s = 0;
    for (int i = 0; i < 2044; ++i)
        s += static_cast<unsigned char>(b[blockStart + i]);
    return s;
}

// The first offset where two images differ, for readable failures.
inline QString FirstDifference(const QByteArray& actual, const QByteArray& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1, expected %2").arg(actual.size()).arg(expected.size());
    for (int i = 0; i < actual.size(); ++i)
        if (actual[i] != expected[i])
            return QStringLiteral("offset %1: %2, expected %3")
                .arg(i)
                .arg(static_cast<unsigned char>(actual[i]))
                .arg(static_cast<unsigned char>(expected[i]));
    return QString();
}

#define EXPECT_IMAGE(actual, expected) \
    EXPECT_EQ(FirstDifference((actual), (expected)).toStdString(), std::string())

// A project of one device type in a fresh program folder.
class CompilerProject
{
public:
    explicit CompilerProject(int deviceType) : m_folder(deviceType) { m_folder.OpenProject(); }

    void WriteParGen(const QByteArray& xml) { WriteFile(File_ParGen, xml); }
    void WriteFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Builds in memory; the files by name. Fails the test on a build error.
    QMap<QString, QByteArray> Build()
    {
        QList<BankFile> files;
        QString error;
        const bool ok = Build_Banks(DeviceType, files, &error);
        EXPECT_TRUE(ok) << error.toStdString();
        QMap<QString, QByteArray> out;
        for (const BankFile& f : files)
            out.insert(f.name, f.bytes);
        return out;
    }
    QByteArray BuildFile(const QString& name)
    {
        const auto files = Build();
        EXPECT_TRUE(files.contains(name)) << name.toStdString();
        return files.value(name);
    }

    QString Bin(const QString& name) const { return ProjectPath + QStringLiteral("/bin/") + name; }
    QByteArray ReadBin(const QString& name) const
    {
        QFile f(Bin(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempProgramFolder& Folder() { return m_folder; }

private:
    TempProgramFolder m_folder;
};
