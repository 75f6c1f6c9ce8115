#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace gen {

// What a generator makes: the file's bytes, or the message that refuses it.
struct Output
{
    QByteArray bytes;
    QString error;   // not empty: nothing may be written

    bool Ok() const { return error.isEmpty(); }
    static Output Refused(const QString& message) { return Output{QByteArray(), message}; }
};

// The lines, each ended by CR LF (the last one too), one byte per character
// (Latin-1; the generated texts are ASCII).
QByteArray Latin1Lines(const QStringList& lines);
// The same in UTF-8.
QByteArray Utf8Lines(const QStringList& lines);

// Writes a generator's output over path, replacing the file atomically.
// A refusal or a failed write shows its message; true when the file was written.
bool Save_Output(const QString& path, const Output& output);

// Runs a generator body whose file readers may throw CompileError, turning
// the error into a refusal with its message.
template <typename F>
Output Guarded(F&& body);

} // namespace gen

#include "build/compiler/compile_error.h"

template <typename F>
gen::Output gen::Guarded(F&& body)
{
    try {
        return body();
    } catch (const CompileError& e) {
        return Output::Refused(e.Message());
    }
}
