#pragma once
// Telegrams for the decoder tests: the suite's frames, frames built from a
// record area, and a fixed decoding context (C locale, fixed date and time).
#include "mbus/core/telegram.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <vector>

using ByteVec = std::vector<uint8_t>;

inline QString TelegramDir(const char* sub)
{
    return QStringLiteral(ORVANO_SOURCE_DIR "/tests/mbus/data/telegrams/") + QLatin1String(sub);
}

// Space-separated hexadecimal bytes.
inline ByteVec FromHex(const QByteArray& text)
{
    ByteVec out;
    for (const QByteArray& t : text.simplified().split(' '))
        if (!t.isEmpty())
            out.push_back(static_cast<uint8_t>(t.toUInt(nullptr, 16)));
    return out;
}

inline ByteVec ReadHexFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return FromHex(f.readAll());
}

// The base names of the .hex files of a folder, sorted.
inline QStringList HexFrames(const QString& dir)
{
    QStringList names;
    for (const QString& f : QDir(dir).entryList({QStringLiteral("*.hex")}, QDir::Files, QDir::Name))
        names << f.chopped(4);
    return names;
}

// A long frame 68 L L 68 C A CI, the 12 header bytes, the record area, CS 16.
inline ByteVec Frame(const ByteVec& area, uint8_t ci = 0x72, const ByteVec& header = {})
{
    ByteVec body = {0x08, 0x05, ci};
    ByteVec h = header.empty() ? ByteVec{0x78, 0x56, 0x34, 0x12, 0x42, 0x04, 0x01, 0x07, 0x10, 0x00, 0x00, 0x00}
                               : header;
    body.insert(body.end(), h.begin(), h.end());
    body.insert(body.end(), area.begin(), area.end());
    ByteVec f = {0x68, static_cast<uint8_t>(body.size()), static_cast<uint8_t>(body.size()), 0x68};
    f.insert(f.end(), body.begin(), body.end());
    uint8_t sum = 0;
    for (uint8_t b : body)
        sum = static_cast<uint8_t>(sum + b);
    f.push_back(sum);
    f.push_back(0x16);
    return f;
}

inline mbus::DecodeContext FixedContext(bool wireless = false)
{
    mbus::DecodeContext c;
    c.date = QStringLiteral("10/12/26");
    c.time = QStringLiteral("16:00:00");
    c.decimalPoint = u'.';
    c.wireless = wireless;
    return c;
}

// The records of one record area.
inline std::vector<mbus::TVariable_MBus> Records(const ByteVec& area, bool* more = nullptr, bool wireless = false)
{
    std::vector<mbus::TVariable_MBus> list;
    const bool m = mbus::Decode_Data_Records(list, mbus::Bytes(area.data(), area.size()), FixedContext(wireless));
    if (more)
        *more = m;
    return list;
}
