#pragma once
#include <QByteArray>
#include <QString>

// Replaces path with bytes: writes a temporary file beside it, flushes it and
// renames it over the target, so a failed write never leaves a truncated file.
// On failure returns false and, when error is given, a message naming the file.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
