#pragma once
#include <QByteArray>
#include <QString>

namespace platform {

// Text in the OEM code page of the console (code page 850) and back.
// A character the code page lacks becomes "?".
QByteArray TextToOemBytes(const QString& text);
QString OemBytesToText(const QByteArray& bytes);

} // namespace platform
