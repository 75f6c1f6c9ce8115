#include "generators/text_file.h"

#include "platform/atomic_file.h"
#include "platform/messages.h"

namespace gen {

namespace {

template <typename Encode>
QByteArray JoinLines(const QStringList& lines, Encode encode)
{
    QByteArray out;
    for (const QString& line : lines) {
        out += encode(line);
        out += "\r\n";
    }
    return out;
}

} // namespace

QByteArray Latin1Lines(const QStringList& lines)
{
    return JoinLines(lines, [](const QString& s) { return s.toLatin1(); });
}

QByteArray Utf8Lines(const QStringList& lines)
{
    return JoinLines(lines, [](const QString& s) { return s.toUtf8(); });
}

bool Save_Output(const QString& path, const Output& output)
{
    if (!output.Ok()) {
        Messages::Error(output.error);
        return false;
    }
    QString error;
    if (!WriteFileAtomically(path, output.bytes, &error)) {
        Messages::Error(error);
        return false;
    }
    return true;
}

} // namespace gen
